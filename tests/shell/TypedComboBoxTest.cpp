#include "ControlsTestSupport.h"

#include "proxy/PxFaultInjection.h"
#include "proxy/PxLSEEnterprise.h"
#include "proxy/PxVQEnterprise.h"
#include "proxy/PxVQIspecSoftLink.h"
#include "shell/VqsDDXInt64.h"
#include "shell/VqsReportGroupsCombo.h"
#include "shell/VqsTypedComboBox.h"
#include "shell/VqsTypedListBox.h"
#include "support/ScriptedUiDriver.h"
#include "win/CDataExchange.h"
#include "win/CEdit.h"
#include "win/UserActions.h"

#include <string>
#include <vector>

namespace {

constexpr DWORD kPickerStyle = WS_VISIBLE | CBS_DROPDOWNLIST | CBS_SORT | CBS_HASSTRINGS | CBS_OWNERDRAWFIXED;

struct TypedComboBoxTest : ControlsTest {
    template <class Box>
    void Create(Box& box)
    {
        ASSERT_TRUE(box.Create(kPickerStyle, CRect(0, 0, 200, 200), parent.get(), 1494));
    }

    const PxTypedList<PxVQSystemPtr>& Systems()
    {
        app.GetEnterprise()->GetListOfSystems(systems);
        return systems;
    }

    PxTypedList<PxVQSystemPtr> systems;

    static std::vector<std::string> Texts(CComboBox& box)
    {
        std::vector<std::string> texts;
        for (int index = 0; index < box.GetCount(); ++index) {
            CString text;
            box.GetLBText(index, text);
            texts.push_back(text.GetString());
        }
        return texts;
    }

    static std::string SelectedText(CComboBox& box)
    {
        CString text;
        if (box.GetCurSel() >= 0)
            box.GetLBText(box.GetCurSel(), text);
        return text.GetString();
    }
};

} // namespace

TEST_F(TypedComboBoxTest, ABlankFirstEntryIsChosenWhenNoObjectIs)
{
    VqsTypedComboBox_System box(1);
    Create(box);
    ASSERT_TRUE(box.Fill(Systems(), PxVQSystemPtr()));
    EXPECT_EQ(Texts(box), (std::vector<std::string>{" ", "SYS1", "SYS2"}));
    EXPECT_EQ(box.GetCurSel(), 0);
    EXPECT_FALSE(box.GetSelected()) << "the blank entry stands for no object";

    ASSERT_TRUE(box.Fill(Systems(), System("SYS2")));
    EXPECT_EQ(SelectedText(box), "SYS2");
    EXPECT_TRUE(box.GetSelected()->IsSameOid(System("SYS2")));
}

TEST_F(TypedComboBoxTest, ACurrentObjectThatIsNotListedSelectsNothing)
{
    VqsTypedComboBox_System box(0);
    Create(box);
    PxTypedList<PxVQSystemPtr> onlyFirst;
    onlyFirst.AddTail(System("SYS1"));
    ASSERT_TRUE(box.Fill(onlyFirst, System("SYS2")));
    EXPECT_EQ(Texts(box), (std::vector<std::string>{"SYS1"}));
    EXPECT_EQ(box.GetCurSel(), CB_ERR);
    EXPECT_FALSE(box.GetSelected());
}

TEST_F(TypedComboBoxTest, LongNamesAreListedWhenShownAtTheFillAndKeptThereafter)
{
    VqsTypedComboBox_System box(0);
    Create(box);
    app.SetAllowLongNames(TRUE);
    ASSERT_TRUE(box.Fill(Systems(), System("SYS1")));
    app.SetAllowLongNames(FALSE);
    EXPECT_EQ(Texts(box), (std::vector<std::string>{"Sample system 1", "Sample system 2"}));
    vqui::user::DropDown(box, TRUE);
    EXPECT_NE(Paint(box).FindText("Sample system 1"), nullptr) << "drawing shows the text stored at the fill";
}

TEST_F(TypedComboBoxTest, PacksInUseShowTheUpdatedImageAndAVanishedPackIsGreyWithTheGoneOverlay)
{
    VqsTypedComboBox_Pack box(0);
    Create(box);
    PxTypedList<PxVQPackInformationPtr> packs;
    app.GetEnterprise()->GetListOfPackInformations(packs);
    ASSERT_TRUE(box.Fill(packs, app.GetEnterprise()->GetPackInformation("STOCKTS")));

    VqsImageRef used;
    box.GetItemImage(app.GetEnterprise()->GetPackInformation("SALESPATH"), &used);
    EXPECT_EQ(used.nBase, 1) << "its hosts' associations name a path";
    EXPECT_EQ(used.nVariant, 0);

    AsOtherUser([](PxVQEnterprise& enterprise) { enterprise.GetPackInformation("STOCKTS")->DeleteObject(); });
    VqsImageRef gone;
    box.GetItemImage(box.GetSelected(), &gone);
    EXPECT_EQ(gone.nVariant, 3);
    const vqwin::DisplayOp* text = Paint(box).FindText("STOCKTS");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->color, GetSysColor(COLOR_GRAYTEXT));
    EXPECT_NE(Paint(box).Ops().size(), 0u);
}

TEST_F(TypedComboBoxTest, AProfileOverAComponentIsListedAsComponentAndOrdinate)
{
    VqsTypedComboBox_SoftLink box(0);
    Create(box);
    const PxVQBSSoftLinkPtr sales = Segment("SYS1", "SALES");
    PxTypedList<PxVQSoftLinkPtr> links;
    links.AddTail(PxVQSoftLinkPtr(sales->GetElementSoftLink("CUSTBYNAME")));
    links.AddTail(PxVQSoftLinkPtr(sales->GetElementSoftLink("MONTHLY")));
    ASSERT_TRUE(box.Fill(links, PxVQSoftLinkPtr()));
    const PxVQProfileSoftLinkPtr profile(sales->GetElementSoftLink("CUSTBYNAME"));
    ASSERT_TRUE(profile->GetComponent());
    EXPECT_EQ(Texts(box), (std::vector<std::string>{
                              std::string("CUSTOMER : ") + profile->GetOrdinateName().GetString(), "MONTHLY"}));
}

TEST_F(TypedComboBoxTest, ARepositoryFailureWhileFillingIsShownAndFails)
{
    VqsTypedComboBox_System box(0);
    Create(box);
    vqtest::ScriptedUiDriver ui;
    ui.ExpectMessageBox("Cannot fill the list:\nInjected repository failure", IDOK);
    PxFaultInjection::Throw("PxVQSystem::GetName", "Injected repository failure", 1);
    EXPECT_FALSE(box.Fill(Systems(), PxVQSystemPtr()));
    PxFaultInjection::Reset();
    EXPECT_EQ(Texts(box), (std::vector<std::string>{"SYS1"})) << "the items added before stay";
}

TEST_F(TypedComboBoxTest, TheReportGroupBoxKeepsAllReportsFirst)
{
    VqsReportGroupsCombo box;
    ASSERT_TRUE(box.Create(WS_VISIBLE | CBS_DROPDOWNLIST | CBS_SORT | CBS_HASSTRINGS, CRect(0, 0, 200, 200),
                           parent.get(), 32866));
    box.Fill(Segment("SYS1", "SALES"));
    EXPECT_EQ(Texts(box), (std::vector<std::string>{" All Reports", "MONTHEND"}));
    box.SelectGroup(PxVQReportGroupPtr());
    EXPECT_EQ(box.GetCurSel(), 0);
    EXPECT_FALSE(box.GetSelectedGroup());

    const PxVQReportGroupPtr monthEnd = Segment("SYS1", "SALES")->GetReportGroup("MONTHEND");
    box.SelectGroup(monthEnd);
    EXPECT_TRUE(box.GetSelectedGroup()->IsSameOid(monthEnd));
    box.SelectGroup(Segment("SYS2", "SALES")->GetReportGroup("MONTHEND"));
    EXPECT_TRUE(box.GetSelectedGroup()->IsSameOid(monthEnd)) << "a group of another segment changes nothing";

    box.Fill(Segment("SYS1", "PAYROLL"));
    EXPECT_EQ(Texts(box), (std::vector<std::string>{" All Reports"}));
    EXPECT_FALSE(box.GetSelectedGroup());
}

namespace {

constexpr int kEdit = 1100;

struct Int64Case {
    const char* typed;
    BOOL hasMinimum;
    LONGLONG minimum;
    BOOL hasMaximum;
    LONGLONG maximum;
    BOOL noRangeCheck;
    const char* message; // null: stored
    LONGLONG stored;
    const char* shown;
};

} // namespace

TEST_F(TypedComboBoxTest, A64BitIntegerEditReadsBlankAsItsBoundAndRefusesWhatIsNoNumberOrOutOfRange)
{
    const Int64Case cases[] = {
        {"", TRUE, 5, FALSE, 0, FALSE, nullptr, 5, "5"},
        {"  ", FALSE, 0, TRUE, -3, FALSE, nullptr, -3, "-3"},
        {"", FALSE, 0, FALSE, 0, FALSE, nullptr, 0, "0"},
        {"9000000000", FALSE, 0, FALSE, 0, FALSE, nullptr, 9000000000LL, "9000000000"},
        {"12", TRUE, 5, TRUE, 10, FALSE, "Please enter an integer in the range of 5 to 10.", 77, "12"},
        {"12", TRUE, 5, TRUE, 10, TRUE, nullptr, 12, "12"},
        {"-4", FALSE, 0, TRUE, -5, FALSE, "Please enter an integer less than or equal to -5.", 77, "-4"},
        {"1", TRUE, 3, FALSE, 0, FALSE, "Please enter an integer greater than or equal to 3.", 77, "1"},
        {"12abc", FALSE, 0, FALSE, 0, FALSE, "Please enter an integer.", 77, "12abc"},
    };
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_VISIBLE | ES_AUTOHSCROLL, CRect(0, 0, 100, 20), parent.get(), kEdit));
    for (const Int64Case& c : cases) {
        SCOPED_TRACE(std::string("typed \"") + c.typed + "\"");
        edit.SetWindowText(c.typed);
        vqtest::ScriptedUiDriver ui;
        if (c.message)
            ui.ExpectMessageBox(c.message, IDOK);
        LONGLONG value = 77;
        CDataExchange store(parent.get(), TRUE);
        bool failed = false;
        try {
            VqsDDXInt64(&store, kEdit, value, c.hasMinimum, c.minimum, c.hasMaximum, c.maximum, c.noRangeCheck);
        } catch (const CUserException&) {
            failed = true;
        }
        EXPECT_EQ(failed, c.message != nullptr);
        EXPECT_EQ(value, c.stored);
        CString shown;
        edit.GetWindowText(shown);
        EXPECT_EQ(shown, c.shown);
    }
}

TEST_F(TypedComboBoxTest, Loading64BitIntegerKeepsTheCaretOfTheEdit)
{
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_VISIBLE | ES_AUTOHSCROLL, CRect(0, 0, 100, 20), parent.get(), kEdit));
    edit.SetWindowText("123");
    edit.SetSel(1, 1);
    LONGLONG value = 4567;
    CDataExchange load(parent.get(), FALSE);
    VqsDDXInt64(&load, kEdit, value, FALSE, 0, FALSE, 0, FALSE);
    CString shown;
    edit.GetWindowText(shown);
    EXPECT_EQ(shown, "4567");
    int start = -1;
    int end = -1;
    edit.GetSel(start, end);
    EXPECT_EQ(start, 1);
    EXPECT_EQ(end, 1);
}

TEST_F(TypedComboBoxTest, TheBusinessSegmentListFreesItsCopiesAndLeavesItsStringsToThePage)
{
    VqsTypedListBox<PxLSEBusinessSegmentPtr> box;
    ASSERT_TRUE(box.Create(WS_VISIBLE | LBS_SORT | LBS_HASSTRINGS, CRect(0, 0, 200, 200), parent.get(), 1041));
    PxTypedList<PxLSEBusinessSegmentPtr> segments;
    app.GetLSEEnterprise()->GetBSList(segments);
    for (POSITION pos = segments.GetHeadPosition(); pos;) {
        auto* copy = new PxLSEBusinessSegmentPtr(segments.GetNext(pos));
        box.m_items.AddTail(copy);
        box.SetItemDataPtr(box.AddString((*copy)->GetName()), copy);
    }
    ASSERT_EQ(box.GetCount(), 3);
    EXPECT_EQ((*static_cast<PxLSEBusinessSegmentPtr*>(box.GetItemDataPtr(0)))->GetName(), "PAYROLL");
    box.DeleteAllItems();
    EXPECT_TRUE(box.m_items.IsEmpty());
    EXPECT_EQ(box.GetCount(), 3);
}
