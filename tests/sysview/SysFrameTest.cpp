#include "SysViewTestSupport.h"

#include "proxy/PxVQOptionSet.h"
#include "shell/VqsTreeItem.h"
#include "support/ScriptedUiDriver.h"
#include "sysview/VqsOptionPreview.h"
#include "sysview/VqsOptionSetView.h"
#include "win/Messages.h"
#include "win/PrivateProfile.h"
#include "win/CPrintDialog.h"
#include "win/Printing.h"
#include "win/UserActions.h"

namespace {

constexpr UINT ID_ADD = 32774;
constexpr UINT ID_TOGGLE_PREVIEW = 32806;
constexpr UINT ID_SORT_BY_NAME = 32784;
constexpr UINT ID_SORT_BY_TYPE = 32786;
constexpr UINT ID_NEW_SYSTEM = 32785;
constexpr UINT ID_SET_ROOT = 32801;
constexpr UINT ID_RESET_ROOT = 32802;
constexpr UINT ID_PRINT = 57607;
constexpr UINT ID_PRINT_SETUP = 57606;

struct SysFrameTest : SysViewTest {
    int Height(CWnd* window)
    {
        CRect rect;
        window->GetWindowRect(&rect);
        return rect.Height();
    }

    std::string FrameState(UINT id)
    {
        int enabled = 0;
        int checked = 0;
        frame->GetCommandState(id, &enabled, &checked);
        return std::string(enabled ? "enabled" : "-") + (checked ? " checked" : "");
    }

    void WriteSetting(const char* key, const char* value)
    {
        WritePrivateProfileStringA("systems", key, value, ini.c_str());
    }

    Strings Messages()
    {
        Strings messages;
        for (const std::string& line : frametest::HostLines()) {
            if (line.rfind("message: ", 0) == 0)
                messages.push_back(line);
        }
        return messages;
    }
};

} // namespace

TEST_F(SysFrameTest, TheSavedLayoutSharesTheWidthBetweenTheTreeAndTheRightPanes)
{
    const struct {
        const char* saved;
        const char* layout;
    } cases[] = {
        {nullptr, "600,400"},     // the default 60,40
        {"1,1", "500,500"},
        {"0,0", "1000,0"},         // both columns ask for the whole width less the bar
        {"70000,1", "600,400"},   // not a layout the frame writes: the default
        {"3,99999", "600,400"},
    };
    for (const auto& c : cases) {
        WriteSetting("System Frame Layout", c.saved);
        OpenFrame(1006, 600);
        WriteSetting("System Frame Layout", nullptr);
        frame->SaveLayout();
        EXPECT_EQ(Setting("System Frame Layout"), c.layout) << (c.saved ? c.saved : "none");
        CloseFrame();
    }
}

TEST_F(SysFrameTest, ThePreviewOpensOnAThirdOfTheListAndComesBackAtTheHeightItHad)
{
    OpenFrame(1006, 600);
    VqsOptionSetView* list = frame->GetOptionSetView();
    VqsOptionPreview* preview = frame->GetOptionPreview();
    const int whole = Height(list);
    EXPECT_EQ(Height(preview), 0);
    EXPECT_EQ(FrameState(ID_TOGGLE_PREVIEW), "enabled");

    Command(ID_TOGGLE_PREVIEW);
    EXPECT_EQ(Height(list), 2 * whole / 3);
    const int shown = Height(preview);
    EXPECT_EQ(shown, whole - 2 * whole / 3 - 6);
    EXPECT_EQ(Setting("Options Preview"), "1");
    EXPECT_EQ(FrameState(ID_TOGGLE_PREVIEW), "enabled checked");

    Command(ID_TOGGLE_PREVIEW);
    EXPECT_EQ(Height(preview), 0);
    EXPECT_EQ(Setting("Options Preview"), "0");
    Command(ID_TOGGLE_PREVIEW);
    EXPECT_EQ(Height(preview), shown);
}

TEST_F(SysFrameTest, WithoutRoomForBothRowsThePreviewCannotBeShown)
{
    OpenFrame(1006, 100);
    EXPECT_EQ(FrameState(ID_TOGGLE_PREVIEW), "-");
}

TEST_F(SysFrameTest, ThePreviewSettingShowsThePreviewAtTheFirstLayoutOnly)
{
    WriteSetting("Options Preview", "1");
    OpenFrame(1006, 600);
    EXPECT_EQ(FrameState(ID_TOGGLE_PREVIEW), "enabled checked");
    const int shown = Height(frame->GetOptionPreview());
    frame->RecalcLayout();
    EXPECT_EQ(Height(frame->GetOptionPreview()), shown);
}

TEST_F(SysFrameTest, TheSelectionGoesToTheFrameAndItsNameToTheHostsStatusBar)
{
    OpenFrame();
    Expand("Sample system 1");
    frametest::HostLines().clear();
    Select({"Sample system 1"});
    EXPECT_EQ(Messages().back(), "message: statusTextSet: Sample system 1");
    EXPECT_TRUE(frame->GetCurrentConfig()->IsSameOid(System("SYS1")->GetCurConfig()));
    EXPECT_EQ(frame->GetSelectedObjects().GetCount(), 1);

    Select({"Sample system 1", "Sample system 2"});
    EXPECT_EQ(Messages().back(), "message: statusTextClear: -");
    EXPECT_FALSE(frame->GetCurrentConfig());
    EXPECT_EQ(frame->GetSelectedObjects().GetCount(), 2);

    Select({"PAYROLL business segment", "SALES business segment"});
    EXPECT_TRUE(frame->GetCurrentConfig()) << "two links of one configuration keep it";
    EXPECT_EQ(frame->GetOptionSetView()->GetConfig(), frame->GetCurrentConfig()) << "handed on at the deferred refresh";
}

TEST_F(SysFrameTest, SortingWritesTheSettingOnlyWhenTheOrderChanges)
{
    OpenFrame();
    Command(ID_SORT_BY_NAME);
    EXPECT_EQ(Setting("Sort by"), "") << "the view sorts by name already";
    Command(ID_SORT_BY_TYPE);
    EXPECT_EQ(Setting("Sort by"), "type");
    EXPECT_EQ(State(ID_SORT_BY_NAME), "enabled");
    EXPECT_EQ(State(ID_SORT_BY_TYPE), "checked");
}

TEST_F(SysFrameTest, ASystemSetAsRootHidesTheEnterpriseUntilTheRootIsResetWithTheBranchAsItWas)
{
    OpenFrame();
    Expand("Sample system 1");
    Select({"Sample system 1"});
    EXPECT_EQ(State(ID_RESET_ROOT), "-");
    Command(ID_SET_ROOT);
    EXPECT_EQ(Rows(), (Strings{"Sample system 1", "  PAYROLL business segment", "  SALES business segment",
                               "  STOCK business segment"}));
    EXPECT_EQ(view->GetSelectedItem(), Item("Sample system 1"));
    EXPECT_EQ(State(ID_RESET_ROOT), "enabled");

    Command(ID_RESET_ROOT);
    EXPECT_EQ(Rows(), (Strings{"Sample enterprise", "  Sample system 1", "    PAYROLL business segment", "    SALES business segment",
                               "    STOCK business segment", "  Sample system 2"}));
    EXPECT_EQ(State(ID_RESET_ROOT), "-");
}

TEST_F(SysFrameTest, WithoutAPrinterPrintingIsDisabledAndThePrinterSetupIsCleared)
{
    OpenFrame();
    Expand("Sample system 1");
    frame->SetCurrentOptionSet(System("SYS1")->GetCurConfig()->GetOptionSet("NTGEN"));
    Select({"SALES business segment"});
    EXPECT_EQ(State(ID_PRINT), "enabled");
    EXPECT_TRUE(view->GetPrinterSetup().hDevNames) << "the default printer's setup is kept";

    const std::vector<vqwin::Printer> printers = vqwin::Printers();
    vqwin::SetPrinters({});
    EXPECT_EQ(State(ID_PRINT), "-");
    EXPECT_EQ(State(ID_PRINT_SETUP), "-");
    EXPECT_FALSE(view->GetPrinterSetup().hDevNames);
    vqwin::SetPrinters(printers);
}

TEST_F(SysFrameTest, ACommandTheCurrentViewRefusesGoesToTheFirstViewThatTakesIt)
{
    OpenFrame();
    frame->ActivateNextPane(view);
    ASSERT_EQ(frame->GetCurrentView(), frame->GetOptionSetView());
    Command(ID_SORT_BY_TYPE);
    EXPECT_EQ(Setting("Sort by"), "type") << "the directory view sorted";

    frame->ActivateNextPane(frame->GetOptionPreview());
    EXPECT_EQ(frame->GetCurrentView(), view) << "Tab in the preview goes back to the tree";
}

TEST_F(SysFrameTest, InsertShowsTheAddPopupAndItsEntryReachesTheView)
{
    OpenFrame();
    Select({"Sample enterprise"});
    EXPECT_EQ(FrameState(ID_ADD), "enabled") << "only New System is enabled on the enterprise";
    vqtest::ScriptedUiDriver ui;
    ui.ExpectPopupMenu(ID_NEW_SYSTEM);
    ui.ExpectWizard().Cancel();
    vqui::user::PressKey(view->m_hWnd, VK_INSERT);
    vqwin::PumpPending();
    ui.Verify();
}

TEST_F(SysFrameTest, DeleteDoesNothingWhileItIsDisabled)
{
    OpenFrame();
    Select({"Sample enterprise"});
    vqui::user::PressKey(view->m_hWnd, VK_DELETE);
    EXPECT_TRUE(logLines.empty());
}

TEST_F(SysFrameTest, ColoursAndLoadAreTheHostsToCarryOut)
{
    OpenFrame();
    Select({"Sample enterprise"});
    frametest::HostLines().clear();
    Command(32803);
    Command(32820);
    EXPECT_EQ(Messages(), (Strings{"message: setColors: 0", "message: load: 0"}));
}

TEST_F(SysFrameTest, TheContextMenuOfARowIsTheMenuOfItsKind)
{
    OpenFrame();
    Expand("Sample system 1");
    Select({"SALES business segment"});
    vqtest::ScriptedUiDriver ui;
    ui.ExpectPopupMenu(0);
    view->SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(view->m_hWnd), 0);
    ui.Verify();
    const std::vector<vqui::UiEvent> seen = ui.Seen();
    ASSERT_EQ(seen.size(), 1u);
    Strings entries;
    for (const vqui::MenuEntry& entry : seen.front().menu) {
        if (entry.kind == vqui::MenuEntry::Kind::Command)
            entries.push_back(entry.text.GetString());
    }
    EXPECT_EQ(entries, (Strings{"&Copy\tCtrl+C", "&Move\tCtrl+M", "&Delete\tDel", "&Parents...", "Find...",
                                "Repeat Find", "Generate System", "Generate Reports", "Options..."}));
}

TEST_F(SysFrameTest, OnlyTheRightHalfOfAnExpandButtonTogglesTheItem)
{
    OpenFrame();
    VqsTreeItem* system = Item("Sample system 1");
    CRect row;
    CRect button;
    ASSERT_TRUE(view->GetListCtrl().GetItemRect(RowOf("Sample system 1"), &row, LVIR_BOUNDS));
    ASSERT_TRUE(view->GetButtonRect(system, &button));
    button.OffsetRect(row.left, row.top);
    const int middle = button.top + button.Height() / 2;

    vqui::user::ClickAt(view->m_hWnd, CPoint(button.left + 1, middle));
    vqwin::PumpPending();
    EXPECT_EQ(system->GetState(), VqsTreeItem::Collapsed) << "the left half does nothing";
    vqui::user::ClickAt(view->m_hWnd, CPoint(button.left + button.Width() / 2 + 1, middle));
    vqwin::PumpPending();
    EXPECT_EQ(system->GetState(), VqsTreeItem::Expanded);
    vqui::user::ClickAt(view->m_hWnd, CPoint(button.left + button.Width() / 2 + 1, middle));
    vqwin::PumpPending();
    EXPECT_EQ(system->GetState(), VqsTreeItem::Collapsed);
}

TEST_F(SysFrameTest, PrinterSetupKeepsWhatTheUserChoseAndAFailureClearsIt)
{
    OpenFrame();
    Expand("Sample system 1");
    Select({"SALES business segment"});
    frame->SetCurrentOptionSet(System("SYS1")->GetCurConfig()->GetOptionSet("NTGEN"));
    std::vector<vqwin::Printer> printers = vqwin::Printers();
    vqwin::Printer second;
    second.name = "Second Printer";
    printers.push_back(second);
    vqwin::SetPrinters(printers);
    {
        vqtest::ScriptedUiDriver ui;
        ui.ExpectCommonDialog(vqui::EventKind::PrintSetup, "Second Printer", 2);
        Command(ID_PRINT_SETUP);
        ui.Verify();
    }
    ASSERT_TRUE(view->GetPrinterSetup().hDevNames);
    CPrintDialog chosen(TRUE);
    chosen.m_pd = view->GetPrinterSetup();
    EXPECT_EQ(std::string(chosen.GetDeviceName().GetString()), "Second Printer");

    vqwin::FailPrintStep(vqwin::PrintStep::PrintDialog);
    EXPECT_EQ(FrameState(ID_PRINT_SETUP), "-") << "without a print dialog there is no default printer either";
    {
        vqtest::ScriptedUiDriver ui;
        ui.ExpectMessageBox("Error occurred while creating a print dialog", IDOK);
        view->SendMessage(WM_COMMAND, ID_PRINT_SETUP, 0);
        ui.Verify();
    }
    vqwin::ClearPrintFailures();
    vqwin::SetPrinters({printers.front()});
    EXPECT_FALSE(view->GetPrinterSetup().hDevNames) << "the next print starts from the default printer";
}

TEST_F(SysFrameTest, TheHolderOfOldConfigurationsGivesItsNameButNoObject)
{
    OpenFrame();
    Expand("Sample system 1");
    Command(32794);
    Select({"Previous Configurations"});
    EXPECT_EQ(Messages().back(), "message: statusTextSet: Previous Configurations");
    EXPECT_EQ(frame->GetSelectedObjects().GetCount(), 0);
}

TEST_F(SysFrameTest, TheOptionSetRefreshMessageIsAnswered)
{
    OpenFrame();
    EXPECT_EQ(frame->SendMessage(VqsSysFrame::WM_REFRESH_OPTION_SETS, 0, 0), 1);
}
