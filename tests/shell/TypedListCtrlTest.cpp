#include "ControlsTestSupport.h"

#include "proxy/PxFaultInjection.h"
#include "proxy/PxVQElementSoftLink.h"
#include "proxy/PxVQEnterprise.h"
#include "shell/VqsTypedListCtrls.h"
#include "win/UserActions.h"

#include <string>
#include <vector>

namespace {

constexpr DWORD kOwnerDrawnList = WS_VISIBLE | LVS_REPORT | LVS_OWNERDRAWFIXED;
constexpr int kList = 1046;

struct TypedListCtrlTest : ControlsTest {
    template <class List>
    void Create(List& list, DWORD style = kOwnerDrawnList, int width = 0)
    {
        const int clientWidth = width ? width : 400;
        ASSERT_TRUE(list.Create(style, CRect(0, 0, clientWidth, 200), parent.get(), kList));
    }

    PxVQElementSoftLinkPtr Element(const char* name) const
    {
        return Segment("SYS1", "SALES")->GetElementSoftLink(name);
    }

    template <class Ptr>
    void Elements(PxTypedList<Ptr>& list, std::initializer_list<const char*> names) const
    {
        for (const char* name : names)
            list.AddTail(Ptr(Element(name)));
    }

    static std::vector<std::string> Column(CListCtrl& list, int column)
    {
        std::vector<std::string> texts;
        for (int row = 0; row < list.GetItemCount(); ++row)
            texts.push_back(list.GetItemText(row, column).GetString());
        return texts;
    }

    static std::vector<int> Widths(CListCtrl& list, int count)
    {
        std::vector<int> widths;
        for (int column = 0; column < count; ++column)
            widths.push_back(list.GetColumnWidth(column));
        return widths;
    }

    static void ClickHeader(CListCtrl& list, int column)
    {
        NMLISTVIEW click{};
        click.hdr.hwndFrom = list.m_hWnd;
        click.hdr.idFrom = kList;
        click.hdr.code = LVN_COLUMNCLICK;
        click.iItem = -1;
        click.iSubItem = column;
        list.GetParent()->SendMessage(WM_NOTIFY, kList, reinterpret_cast<LPARAM>(&click));
    }
};

} // namespace

TEST_F(TypedListCtrlTest, ColumnsShareTheWidthLeftBesideTheScrollBar)
{
    CRect window(0, 0, 100 + GetSystemMetrics(SM_CXVSCROLL), 200);
    VqsTypedListCtrl_DelElementLink four;
    ASSERT_TRUE(four.Create(kOwnerDrawnList | LVS_NOCOLUMNHEADER, window, parent.get(), kList));
    CRect client;
    four.GetClientRect(&client);
    ASSERT_EQ(client.Width(), window.Width()) << "the list has no border";
    ASSERT_TRUE(four.Init());
    EXPECT_EQ(Widths(four, 4), (std::vector<int>{25, 25, 25, 25}));

    VqsTypedListCtrl_DelBSLink three;
    ASSERT_TRUE(three.Create(kOwnerDrawnList | LVS_NOCOLUMNHEADER, window, parent.get(), kList + 1));
    ASSERT_TRUE(three.Init());
    EXPECT_EQ(Widths(three, 3), (std::vector<int>{33, 33, 34}));
}

TEST_F(TypedListCtrlTest, AListWithoutSortHeaderShowsTheObjectsInReverseOrder)
{
    VqsTypedListCtrl_PackGSet list;
    Create(list, kOwnerDrawnList | LVS_SINGLESEL | LVS_NOSORTHEADER);
    ASSERT_TRUE(list.InitColumns());
    PxTypedList<PxVQGenSetPtr> sets;
    for (const char* name : {"NTGEN", "QSRGEN", "UNIXGEN"})
        sets.AddTail(PxVQGenSetPtr(System("SYS1")->GetCurConfig()->GetOptionSet(name)));
    list.SetGenerateSets(sets);
    EXPECT_EQ(Column(list, 0), (std::vector<std::string>{"UNIXGEN", "QSRGEN", "NTGEN"}));
    ClickHeader(list, 0);
    EXPECT_EQ(Column(list, 0), (std::vector<std::string>{"UNIXGEN", "QSRGEN", "NTGEN"}))
        << "such a header sends no click";
}

TEST_F(TypedListCtrlTest, HeaderClicksSortAndRowsThatNoLongerMatchComeFirstEitherWay)
{
    VqsTypedListCtrl_DelElementLink list;
    Create(list);
    ASSERT_TRUE(list.Init());
    PxTypedList<PxVQElementSoftLinkPtr> links;
    Elements(links, {"MONTHLY", "CUSTOMER", "DAILY", "ORDER", "CALCTAX"});
    ASSERT_TRUE(list.SetObjects(links));
    EXPECT_EQ(Column(list, 0), (std::vector<std::string>{"CALCTAX", "CUSTOMER", "DAILY", "MONTHLY", "ORDER"}));

    ClickHeader(list, 0);
    EXPECT_FALSE(list.IsAscending());
    EXPECT_EQ(Column(list, 0), (std::vector<std::string>{"ORDER", "MONTHLY", "DAILY", "CUSTOMER", "CALCTAX"}));
    ClickHeader(list, 1);
    EXPECT_TRUE(list.IsAscending()) << "another column sorts ascending";
    EXPECT_EQ(Column(list, 1), (std::vector<std::string>{"Component", "Component", "Global Logic", "Report", "Report"}));
    EXPECT_EQ(Column(list, 0), (std::vector<std::string>{"CUSTOMER", "ORDER", "CALCTAX", "DAILY", "MONTHLY"}))
        << "ties are broken by the other columns";

    VqsImageRef mismatch{0, 2};
    list.RedrawObject(Element("ORDER"), mismatch);
    list.RedrawObject(Element("DAILY"), mismatch);
    for (BOOL ascending : {TRUE, FALSE}) {
        ClickHeader(list, 0);
        if (list.IsAscending() != ascending)
            ClickHeader(list, 0);
        const std::vector<std::string> names = Column(list, 0);
        EXPECT_EQ(std::vector<std::string>(names.begin(), names.begin() + 2),
                  ascending ? (std::vector<std::string>{"DAILY", "ORDER"}) : (std::vector<std::string>{"ORDER", "DAILY"}))
            << "flagged rows first, in the sort's order among themselves";
    }
    ASSERT_TRUE(list.SetObjects(links));
    EXPECT_FALSE(list.IsAscending()) << "a new fill keeps the column and direction";
}

TEST_F(TypedListCtrlTest, ElementLinksShowTheirKindAndItsMark)
{
    VqsTypedListCtrl_DelElementLink list;
    Create(list);
    ASSERT_TRUE(list.Init());
    PxTypedList<PxVQElementSoftLinkPtr> links;
    Elements(links, {"CUSTBYNAME", "MONTHLY"});
    ASSERT_TRUE(list.SetObjects(links));
    EXPECT_EQ(Column(list, 1), (std::vector<std::string>{"Profile", "Report"}));
    std::vector<std::string> marks;
    for (const vqwin::DisplayOp& op : Paint(list).Ops()) {
        if (op.kind == vqwin::DisplayOp::Kind::Image && op.image.find("MD_") != std::string::npos)
            marks.push_back(op.image);
    }
    ASSERT_EQ(marks.size(), 2u);
    EXPECT_NE(marks[0].find("MD_PROFILE"), std::string::npos);
    EXPECT_NE(marks[1].find("MD_REPORT"), std::string::npos);
}

TEST_F(TypedListCtrlTest, TheTargetReportListNamesWhatEachReportIsGeneratedAs)
{
    VqsTypedListCtrl_ToReportLink list;
    Create(list);
    ASSERT_TRUE(list.SetReportGroup(PxVQReportGroupPtr()));
    PxTypedList<PxVQReportSoftLinkPtr> reports;
    Elements(reports, {"MONTHLY", "DAILY"});
    const PxVQReportSoftLinkPtr monthly = reports.GetHead();
    const PxVQReportSoftLinkPtr daily = reports.GetTail();
    list.AddAsName(monthly, "MONTHLY1");
    list.AddAsName(monthly, "OTHER");
    ASSERT_TRUE(list.SetObjects(reports));
    EXPECT_EQ(Column(list, 2), (std::vector<std::string>{"last used: ", "MONTHLY1"}))
        << "a report without entry shows the last name used, here none";

    CString name;
    EXPECT_EQ(list.GetAsName(monthly, name), 3);
    EXPECT_EQ(name, "MONTHLY1") << "a second entry for a report changes nothing";
    list.AddAsName(daily, "");
    EXPECT_EQ(list.GetAsName(daily, name), 0);
    list.SetAsNameMode(daily, "DAYREP", 2);
    EXPECT_EQ(list.GetAsNameText(daily, 2), "DAYREP");
    list.RefreshObject(daily);
    EXPECT_EQ(Column(list, 2), (std::vector<std::string>{"DAYREP", "MONTHLY1"}));

    list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    PxTypedList<PxVQReportSoftLinkPtr> plain;
    PxTypedList<PxVQReportSoftLinkPtr> flagged;
    list.RemoveSelected(plain, flagged);
    ASSERT_EQ(plain.GetCount(), 1);
    EXPECT_TRUE(plain.GetHead()->IsSameOid(daily));
    EXPECT_EQ(list.GetAsName(daily, name), 1) << "its entry went with its row";
}

TEST_F(TypedListCtrlTest, AChangedPackReplacementIsShownAndTheDefaultsWaitForTheNextFill)
{
    VqsTypedListCtrl_PackGSet list;
    Create(list, kOwnerDrawnList | LVS_SINGLESEL | LVS_NOSORTHEADER);
    ASSERT_TRUE(list.InitColumns());
    const PxVQGenSetPtr nt(System("SYS1")->GetCurConfig()->GetOptionSet("NTGEN"));
    PxTypedList<PxVQGenSetPtr> sets;
    sets.AddTail(nt);
    list.SetGenerateSets(sets);

    list.SetPackText(nt, "/vq/nt/sales");
    EXPECT_EQ(list.GetItemText(0, 3), "") << "the default is not shown before the rows are made again";
    list.SetPackTextIfChanged(nt, "/new/path");
    EXPECT_EQ(list.GetItemText(0, 3), "/vq/nt/sales");
    EXPECT_EQ(list.GetItemText(0, 4), "/new/path");
    EXPECT_EQ(list.GetPackText1(nt), "/vq/nt/sales");
    EXPECT_EQ(list.GetPackText3(nt), "/new/path");
}

TEST_F(TypedListCtrlTest, PackTextsForNoGenerateSetAreNotKept)
{
    VqsTypedListCtrl_PackGSet list;
    Create(list, kOwnerDrawnList | LVS_SINGLESEL | LVS_NOSORTHEADER);
    ASSERT_TRUE(list.InitColumns());
    const PxVQGenSetPtr nt(System("SYS1")->GetCurConfig()->GetOptionSet("NTGEN"));
    list.SetPackText(PxVQGenSetPtr(), "/nowhere");
    list.SetPackTextIfChanged2(PxVQGenSetPtr(), "NOWHERE");
    EXPECT_EQ(list.FindPackStruct(PxVQGenSetPtr()), nullptr);
    EXPECT_EQ(list.GetPackText1(nt), "") << "the sets asked for later are found as before";
    list.SetPackText(nt, "/vq/nt/sales");
    EXPECT_EQ(list.GetPackText1(nt), "/vq/nt/sales");
}

namespace {

class DeferredElementList : public VqsTypedListCtrl_DelElementLink {
public:
    BOOL IsDetailDeferred() override { return TRUE; }
};

// The object images drawn (the marks aside).
std::vector<std::string> ObjectImages(const vqwin::DisplayList& drawn)
{
    std::vector<std::string> images;
    for (const vqwin::DisplayOp& op : drawn.Ops()) {
        if (op.kind == vqwin::DisplayOp::Kind::Image && op.image.find("MD_") == std::string::npos)
            images.push_back(op.image);
    }
    return images;
}

} // namespace

TEST_F(TypedListCtrlTest, DeferredDetailsAreReadAtTheFirstPaintAndTriedAgainAfterAFailure)
{
    DeferredElementList list;
    Create(list);
    ASSERT_TRUE(list.Init());
    PxTypedList<PxVQElementSoftLinkPtr> links;
    Elements(links, {"MONTHLY"});
    PxFaultInjection::Throw("PxVQSoftLink::GetUpdatedFlag", "Injected repository failure", 0, 1);
    ASSERT_TRUE(list.SetObjects(links)) << "no details are read while filling";
    EXPECT_TRUE(ObjectImages(Paint(list)).empty()) << "the details failed: no object image";
    PxFaultInjection::Reset();
    EXPECT_EQ(ObjectImages(Paint(list)).size(), 1u) << "the next paint reads them";
    VqsImageRef image;
    EXPECT_TRUE(list.LoadItemDetails(Element("MONTHLY"), &image));
    EXPECT_EQ(image.nVariant, 0);
}

TEST_F(TypedListCtrlTest, AddingListsOnlyNewObjectsThatStillExistAndSelectionFollowsTheObjects)
{
    VqsTypedListCtrl_IspecBundleDataLink list;
    Create(list);
    ASSERT_TRUE(list.Init());
    PxTypedList<PxVQIspecSoftLinkPtr> first;
    Elements(first, {"ORDER"});
    ASSERT_TRUE(list.SetObjects(first));
    EXPECT_FALSE(list.GetFirstSelected());

    PxTypedList<PxVQIspecSoftLinkPtr> more;
    Elements(more, {"ORDER", "NOTES", "AUDIT"});
    AsOtherUser([](PxVQEnterprise& enterprise) {
        enterprise.GetSystem("SYS1")->GetCurConfig()->GetBSSoftLink("SALES")->GetElementSoftLink("AUDIT")->DeleteObject();
    });
    list.AddObjects(more);
    EXPECT_EQ(Column(list, 0), (std::vector<std::string>{"NOTES", "ORDER"}));

    list.SelectObject(Element("ORDER"));
    EXPECT_TRUE(list.GetFirstSelected()->IsSameOid(Element("ORDER")));
    list.SelectObject(PxVQIspecSoftLinkPtr(Element("CUSTOMER")));
    EXPECT_FALSE(list.GetFirstSelected()) << "an object without a row clears the selection";

    PxTypedList<PxVQIspecSoftLinkPtr> all;
    list.GetAllObjects(all);
    EXPECT_EQ(all.GetCount(), 2);
    list.SelectObjects(all);
    PxTypedList<PxVQIspecSoftLinkPtr> removed;
    list.RemoveSelected(removed);
    EXPECT_EQ(removed.GetCount(), 2);
    EXPECT_EQ(list.GetItemCount(), 0);
}
