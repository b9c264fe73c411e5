// The Bulk Options page of a QSR business segment: its three panels with their columns, and
// the QSR columns read and written row by row.
#include "QSRElementTestSupport.h"

#include "options_qsr/VqsOptionPageQSRBSegBulkOptions.h"
#include "options_qsr/VqsOptionsBSegQSRSheet.h"
#include "proxy/PxLSEBuilder.h"
#include "proxy/PxLSEBusinessSegment.h"
#include "proxy/PxLSEParts.h"
#include "proxy/PxProfileOptions.h"
#include "proxy/PxQSRBSegOptions.h"
#include "win/Input.h"
#include "win/UserActions.h"

#include <algorithm>

using namespace optionstest;

namespace {

constexpr int kBulkPage = 13;
constexpr int kGlobalLogics = 33036;
constexpr int kReports = 33037;
constexpr int kProfiles = 33034;
constexpr int kPanelFrame = 33038;

constexpr int kSubsystemCombo = 1969;
constexpr int kSizingType = 1996;
constexpr int kSizingValue = 1997;

constexpr int kVSSColumn = 6;
constexpr int kXEColumn = 7;
constexpr int kSubsystemColumn = 8;
constexpr int kSizingColumn = 3;

using Page = VqsOptionPageBSegBulkOptions;

struct QSRBulkOptionsTest : QSRElementTest {
    // Opens the business segment's options on the Bulk Options page and runs `use` there.
    void OnBulkPage(const std::function<void(Page&)>& use)
    {
        OptionsDialogHarness::Session(Segment("SYS1", "SALES"), "QSRGEN", kBulkPage, [&] {
            auto* page = dynamic_cast<Page*>(Dialog().GetSheet()->GetActivePage());
            ASSERT_TRUE(page);
            use(*page);
        });
    }

    static Strings Titles(Page& page)
    {
        Strings titles;
        VqsBulkOptionPanel* panel = page.GetCurrentPanel();
        for (int column = 0; column < panel->GetColumnCount(); ++column)
            titles.emplace_back(panel->GetAdapter(column)->GetTitle());
        return titles;
    }
    static int RowOf(Page& page, const char* name)
    {
        for (int row = 0; row < page.GetList().GetItemCount(); ++row)
            if (page.GetList().GetItemText(row, 0) == name)
                return row;
        return -1;
    }
    static std::string Cell(Page& page, const char* name, int column)
    {
        return std::string(page.GetList().GetItemText(RowOf(page, name), column));
    }
    static void SelectRows(Page& page, std::initializer_list<const char*> names)
    {
        page.GetList().SetItemState(-1, 0, LVIS_SELECTED);
        for (const char* name : names)
            page.GetList().SetItemState(RowOf(page, name), LVIS_SELECTED, LVIS_SELECTED);
    }
    static HWND PanelItem(Page& page, int id) { return page.GetCurrentPanel()->GetDlgItem(id)->m_hWnd; }

    void ApplyBulkEdits()
    {
        ui.ExpectMessageBoxId(62135, IDYES);
        ApplyNow();
    }

    // The record of an element as a row of the grid.
    PxOptionsPtr Row(const char* element) const
    {
        return Element("SYS1", "SALES", element)->GetOptions(OptionSet("QSRGEN"));
    }
};

} // namespace

TEST_F(QSRBulkOptionsTest, ThreePanelsShowTheirColumnsAndGlobalLogicsCannotBeChosen)
{
    OnBulkPage([&](Page& page) {
        EXPECT_EQ(Titles(page), (Strings{"Ispec Name", "Type", "Usage", "Expected", "OLTP Service", "Pack", "VSS",
                                         "XE", "Subsystem"}));
        EXPECT_FALSE(Enabled(kGlobalLogics));
        EXPECT_EQ(page.GetPanel(Page::GlobalLogics), nullptr);
        Click(kProfiles);
        EXPECT_EQ(Titles(page).size(), 4U);
        EXPECT_EQ(Titles(page).back(), "Sizing");
        Click(kReports);
        EXPECT_EQ(Titles(page), (Strings{"Report Name", "Extract Pack", "Sort Mem Size", "Sort Disk Size",
                                         "ROC Uses DB", "OLTP Client"}));
        CRect frame;
        page.GetDlgItem(kPanelFrame)->GetWindowRect(&frame);
        for (int kind : {Page::Ispecs, Page::Profiles, Page::Reports}) {
            CRect panel;
            page.GetPanel(kind)->GetWindowRect(&panel);
            EXPECT_EQ(panel.TopLeft(), frame.TopLeft()) << kind;
        }
    });
}

// VSS and XE concern the layout of a component's data set: not of an input Ispec's.
TEST_F(QSRBulkOptionsTest, VSSAndXEApplyToComponentsThatAreNotInputIspecs)
{
    OnBulkPage([&](Page& page) {
        for (int column : {kVSSColumn, kXEColumn}) {
            EXPECT_EQ(Cell(page, "ORDER", column), "") << column;
            EXPECT_FALSE(Cell(page, "AUDIT", column).empty()) << column;
            EXPECT_FALSE(Cell(page, "CUSTOMER", column).empty()) << column;
        }
        auto* vss = dynamic_cast<VqsBoolWithDefaultValuePxAdapter*>(page.GetCurrentPanel()->GetAdapter(kVSSColumn));
        ASSERT_TRUE(vss);
        PxOptionsPtr order = Row("ORDER");
        PxOptionsPtr audit = Row("AUDIT");
        Write([&] {
            vss->SetValue(&order, 1);
            vss->MakeDefault(&order, TRUE);
            vss->SetValue(&audit, 1);
        });
    });
    EXPECT_FALSE(Component("ORDER")->IsUpdatedIspecOptimizeBlocksize2Vss());
    EXPECT_TRUE(Component("AUDIT")->GetIspecOptimizeBlocksize2Vss());
}

TEST_F(QSRBulkOptionsTest, SubsystemsAreShownByNameAndOnlyTheNumberedOnesAreOffered)
{
    PxLSEBuilder builder(*app.GetLink());
    const PxLSEBusinessSegmentPtr design = app.GetLSEEnterprise()->GetBusinessSegment("SALES");
    Write([&] {
        builder.AddSubsystem(design, "LSS", 14);
        builder.AddSubsystem(design, "ORDERS", 5);
    });
    OnBulkPage([&](Page& page) {
        Write([&] { Component("ORDER")->SetSubsystemNum("A"); });
        page.GetList().RedrawItems(0, page.GetList().GetItemCount() - 1);
        EXPECT_EQ(Cell(page, "ORDER", kSubsystemColumn), "QUERY");
        const CStringArray* choices = page.GetCurrentPanel()->GetAdapter(kSubsystemColumn)->GetChoices();
        ASSERT_TRUE(choices);
        Strings offered;
        for (int i = 0; i < choices->GetSize(); ++i)
            offered.emplace_back(choices->GetAt(i));
        EXPECT_EQ(offered, (Strings{"PRIMARY", "ORDERS"}));
        SelectRows(page, {"CUSTOMER", "NOTES"});
        vqui::user::SelectText(PanelItem(page, kSubsystemCombo), "ORDERS");
        EXPECT_EQ(Cell(page, "NOTES", kSubsystemColumn), "ORDERS");
        ApplyBulkEdits();
    });
    EXPECT_EQ(Component("CUSTOMER")->GetSubsystemNum(), "5");
    EXPECT_EQ(Component("NOTES")->GetSubsystemNum(), "5");
}

TEST_F(QSRBulkOptionsTest, ATooLargePercentageBeepsAndBecomesAWholeOne)
{
    OnBulkPage([&](Page& page) {
        Click(kProfiles);
        SelectRows(page, {"CUSTBYNAME"});
        vqui::user::SelectText(PanelItem(page, kSizingType), "Percentage");
        const int beeps = vqwin::BeepCount();
        vqui::user::ReplaceText(PanelItem(page, kSizingValue), "250");
        EXPECT_EQ(vqwin::BeepCount() - beeps, 1);
        EXPECT_EQ(Cell(page, "CUSTBYNAME", kSizingColumn), "100%");
        ApplyBulkEdits();
    });
    const auto profile = Stored<PxQSRProfileOptionsPtr>("CUSTBYNAME");
    EXPECT_EQ(profile->GetPercent(), 100);
    EXPECT_TRUE(profile->IsDefaultExpectedOrVolume());
}

TEST_F(QSRBulkOptionsTest, TheColumnsWriteTheirRows)
{
    OnBulkPage([&](Page& page) {
        auto* expected = page.GetPanel(Page::Ispecs)->GetAdapter(3);
        Click(kProfiles);
        auto* sizing = page.GetCurrentPanel()->GetAdapter(kSizingColumn);
        PxOptionsPtr event = Row("EVENT");
        PxOptionsPtr customer = Row("CUSTOMER");
        PxOptionsPtr byName = Row("CUSTBYNAME");
        PxOptionsPtr byDate = Row("ORDBYDATE");
        Write([&] {
            expected->SetText(&event, "0", 2);
            expected->SetText(&customer, "0", 2);
            sizing->SetText(&byName, "250", 4);
            sizing->SetText(&byDate, "40%", 4);
        });
        const struct {
            PxOptionsPtr* row;
            const char* text;
        } cells[] = {{&byName, "250"}, {&byDate, "40%"}};
        for (const auto& cell : cells) {
            char text[kVqsCellTextLength] = "";
            sizing->GetText(cell.row, text, sizeof(text));
            EXPECT_EQ(std::string(text), cell.text);
        }
        Write([&] { sizing->SetText(&byName, "~Default", 9); });
    });
    EXPECT_EQ(Stored<PxQSREventOptionsPtr>("EVENT")->GetVolume(), 1000);
    EXPECT_EQ(Component("CUSTOMER")->GetExpected(), 100);
    const auto byName = Stored<PxQSRProfileOptionsPtr>("CUSTBYNAME");
    EXPECT_TRUE(byName->IsDefaultExpectedOrVolume() && byName->IsDefaultPercent());
    const auto byDate = Stored<PxQSRProfileOptionsPtr>("ORDBYDATE");
    EXPECT_EQ(byDate->GetPercent(), 40);
    EXPECT_TRUE(byDate->IsDefaultExpectedOrVolume());
}
