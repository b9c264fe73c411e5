// The Bulk Options pages of an NT and a Unix business segment: their four panels with their
// columns, and the platform columns (expected number or volume, separate compile) as the user
// edits them in the grid.
#include "../options_tarsk/OptionsDialogHarness.h"

#include "options/VqsOptionPageBSegBulkOptions.h"
#include "proxy/PxCompOptions.h"
#include "proxy/PxEventOptions.h"
#include "proxy/PxFaultInjection.h"
#include "proxy/PxGLGOptions.h"
#include "proxy/PxNTGLGOptions.h"
#include "proxy/PxUnixGLGOptions.h"
#include "proxy/PxVQGlobalLogicSoftLink.h"
#include "win/CButton.h"
#include "win/UserActions.h"

using namespace optionstest;

namespace {

constexpr int kBulkPage = 6;
constexpr int kGlobalLogics = 33036;
constexpr int kReports = 33037;
constexpr int kProfiles = 33034;
constexpr int kPanelFrame = 33038;
constexpr int kExpected = 1027;
constexpr int kSeparatelyCompiled = 1017;
constexpr int kExpectedColumn = 3;
constexpr int kSeparateCompileColumn = 1;

using Page = VqsOptionPageBSegBulkOptions;

struct NTUnixBulkOptionsTest : OptionsDialogHarness {
    void TearDown() override
    {
        PxFaultInjection::Reset();
        OptionsDialogHarness::TearDown();
    }

    void OnBulkPage(const char* optionSet, const std::function<void(Page&)>& use, BOOL endWithOk = TRUE)
    {
        Session(
            Segment("SYS1", "SALES"), optionSet, kBulkPage,
            [&] {
                auto* page = dynamic_cast<Page*>(Dialog().GetSheet()->GetActivePage());
                ASSERT_TRUE(page);
                use(*page);
            },
            endWithOk);
    }

    static Strings Titles(Page& page)
    {
        Strings titles;
        VqsBulkOptionPanel* panel = page.GetCurrentPanel();
        for (int column = 0; column < panel->GetColumnCount(); ++column)
            titles.emplace_back(std::string(panel->GetAdapter(column)->GetTitle()) + " " +
                                std::to_string(panel->GetAdapter(column)->GetWidth()));
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
    static void TypeExpected(Page& page, const char* text)
    {
        vqui::user::ReplaceText(PanelItem(page, kExpected), text);
    }

    void ApplyBulkEdits()
    {
        ui.ExpectMessageBoxId(62135, IDYES);
        ApplyNow();
    }
};

} // namespace

TEST_F(NTUnixBulkOptionsTest, FourPanelsShowTheirColumnsAtThePanelFrameAndTheIspecsComeFirst)
{
    for (const char* optionSet : {"NTGEN", "UNIXGEN"}) {
        SCOPED_TRACE(optionSet);
        OnBulkPage(optionSet, [&](Page& page) {
            EXPECT_EQ(page.GetCurrentPanel(), page.GetPanel(Page::Ispecs));
            EXPECT_EQ(Titles(page), (Strings{"Ispec Name 70", "Type 60", "Usage 60", "Expected 60", "OLTP Service 90",
                                             "Pack 60"}));
            Click(kProfiles);
            EXPECT_EQ(Titles(page), (Strings{"Profile Name 100", "Over Ispec 80", "Pack 80", "Sizing 80"}));
            Click(kReports);
            EXPECT_EQ(Titles(page), (Strings{"Report Name 100", "Extract Pack 80", "OLTP Client 90"}));
            Click(kGlobalLogics);
            EXPECT_EQ(Titles(page), (Strings{"Logic Name 120", "Separately Compiled 150"}));
            CRect frame;
            page.GetDlgItem(kPanelFrame)->GetWindowRect(&frame);
            for (int kind : {Page::Ispecs, Page::GlobalLogics, Page::Reports, Page::Profiles}) {
                CRect panel;
                page.GetPanel(kind)->GetWindowRect(&panel);
                EXPECT_EQ(panel.TopLeft(), frame.TopLeft()) << kind;
            }
        });
    }
}

TEST_F(NTUnixBulkOptionsTest, AnExpectedNumberOfZeroIsStoredAsTheUsualEstimate)
{
    for (const char* optionSet : {"NTGEN", "UNIXGEN"}) {
        SCOPED_TRACE(optionSet);
        const PxIspecOptionsPtr customer = Options<PxIspecOptionsPtr>("CUSTOMER", optionSet);
        const bool customerIsEvent = PxEventOptionsPtr(customer) ? true : false;
        const char* event = customerIsEvent ? "CUSTOMER" : nullptr;
        OnBulkPage(optionSet, [&](Page& page) {
            SelectRows(page, {"ORDER"});
            TypeExpected(page, "0");
            if (event) {
                SelectRows(page, {event});
                TypeExpected(page, "0");
            }
            ApplyBulkEdits();
        });
        EXPECT_EQ(Stored<PxCompOptionsPtr>("ORDER", optionSet)->GetExpected(), 100);
        if (event) {
            EXPECT_EQ(Stored<PxEventOptionsPtr>(event, optionSet)->GetVolume(), 1000);
        }
    }
}

TEST_F(NTUnixBulkOptionsTest, AnExpectedNumberThatIsNoNumberIsRefusedAndAValidOneIsStored)
{
    OnBulkPage("UNIXGEN", [&](Page& page) {
        SelectRows(page, {"ORDER", "NOTES"});
        TypeExpected(page, "12x");
        EXPECT_EQ(Cell(page, "ORDER", kExpectedColumn), "12");
        TypeExpected(page, "2500");
        EXPECT_EQ(Cell(page, "NOTES", kExpectedColumn), "2500");
        ApplyBulkEdits();
    });
    EXPECT_EQ(Stored<PxCompOptionsPtr>("ORDER", "UNIXGEN")->GetExpected(), 2500);
    EXPECT_EQ(Stored<PxCompOptionsPtr>("NOTES", "UNIXGEN")->GetExpected(), 2500);
}

TEST_F(NTUnixBulkOptionsTest, AnExpectedNumberTheRecordRefusesIsReportedAndNothingIsStored)
{
    OnBulkPage("NTGEN", [&](Page& page) {
        SelectRows(page, {"ORDER"});
        TypeExpected(page, "300");
        ui.ExpectMessageBoxId(62135, IDYES);
        ui.ExpectMessageBox("Cannot save option values:\nThe expected number is refused.", IDOK);
        PxFaultInjection::Throw("PxCompOptions::SetExpected", "The expected number is refused.");
        ApplyNow();
        EXPECT_TRUE(page.GetCurrentPanel()->IsCellEdited(RowOf(page, "ORDER"), kExpectedColumn));
    }, FALSE);
    EXPECT_FALSE(Stored<PxCompOptionsPtr>("ORDER", "NTGEN")->IsUpdatedExpected());
}

TEST_F(NTUnixBulkOptionsTest, AGlobalLogicIsCompiledSeparatelyAndBackOnEachPlatform)
{
    Write([&] { PxVQGlobalLogicSoftLinkPtr(Element("SYS1", "SALES", "CALCTAX"))->SetPerformable(1); });
    for (const char* optionSet : {"NTGEN", "UNIXGEN"}) {
        SCOPED_TRACE(optionSet);
        for (int compiled : {1, 0}) {
            OnBulkPage(optionSet, [&](Page& page) {
                Click(kGlobalLogics);
                SelectRows(page, {"CALCTAX"});
                if (::SendMessage(PanelItem(page, kSeparatelyCompiled), BM_GETCHECK, 0, 0) != compiled)
                    vqui::user::Click(PanelItem(page, kSeparatelyCompiled));
                EXPECT_EQ(Cell(page, "CALCTAX", kSeparateCompileColumn), compiled ? "Yes" : "No");
                ApplyBulkEdits();
            });
            const PxOptionsPtr logic = Stored<PxOptionsPtr>("CALCTAX", optionSet);
            const int stored = std::string(optionSet) == "NTGEN" ? PxNTGLGOptionsPtr(logic)->GetSeparateCompile()
                                                                  : PxUnixGLGOptionsPtr(logic)->GetSeparateCompile();
            EXPECT_EQ(stored, compiled);
        }
    }
}
