// The option-set list as a user works with it: the option sets of the configuration the tree
// selects, and the persistent locks placed and removed from it.
#include "SysViewTestSupport.h"

#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQOptionSet.h"
#include "support/ScriptedUiDriver.h"
#include "sysview/VqsOptionPreview.h"
#include "sysview/VqsOptionSetView.h"
#include "win/Clock.h"
#include "win/ListView.h"
#include "win/UserActions.h"

#include <map>

namespace {

constexpr UINT ID_LOCK = 32809;
constexpr UINT ID_UNLOCK = 32810;
constexpr UINT ID_SHOW_LOCK_STATUS = 32807;
constexpr UINT ID_DELETE = 57632;
constexpr UINT kLockProgressDialog = 105;
constexpr UINT IDS_SECURITY_VIOLATION = 61667;

struct OptionSetViewTest : SysViewTest {
    vqtest::ScriptedUiDriver ui;
    VqsOptionSetView* list = nullptr;

    void SetUp() override
    {
        ui.WheneverDialog(kLockProgressDialog);
        SysViewTest::SetUp();
    }

    void ShowSystemOne()
    {
        OpenFrame();
        list = frame->GetOptionSetView();
        ASSERT_NE(list, nullptr);
        Expand("Sample system 1");
        Select({"SALES business segment"});
    }

    // Each row as its columns joined by " | ", with its image.
    Strings ListRows()
    {
        Strings rows;
        CListCtrl& control = list->GetListCtrl();
        for (int row = 0; row < control.GetItemCount(); ++row) {
            VqsListItem* item = list->ItemFromData(static_cast<LPARAM>(control.GetItemData(row)));
            rows.push_back(std::string(list->GetColumnText(item, 0).GetString()) + " | " +
                           list->GetColumnText(item, 1).GetString() + " | " +
                           std::to_string(list->GetItemImage(item)));
        }
        return rows;
    }

    void SelectRow(int row)
    {
        list->SelectOnly(row);
        vqwin::PumpPending();
    }

    void ListCommand(UINT id)
    {
        list->SendMessage(WM_COMMAND, id, 0);
        vqwin::PumpPending();
    }

    static int Image(VqsTreeItem* item)
    {
        VqsImageRef image;
        return item->GetOverlayImage(image) ? image.nBase : -1;
    }

    // The group rows in order, each with its image; every option row must follow its own
    // group's row.
    static Strings GroupsListed(VqsOptionPreview* preview)
    {
        Strings groups;
        VqsTreeItem* group = nullptr;
        for (int row = 0; row < preview->GetListCtrl().GetItemCount(); ++row) {
            VqsTreeItem* item = preview->GetItem(row);
            if (!item->GetParent()) {
                group = item;
                groups.push_back(item->GetDisplayText() + std::string(" | ") + std::to_string(Image(item)));
                continue;
            }
            EXPECT_EQ(item->GetParent(), group) << item->GetDisplayText() << " is listed under another group";
        }
        return groups;
    }

    // The value of the option row of that name, and its image.
    static std::string PreviewValue(VqsOptionPreview* preview, const std::string& name)
    {
        for (int row = 0; row < preview->GetListCtrl().GetItemCount(); ++row) {
            VqsTreeItem* item = preview->GetItem(row);
            CString value;
            if (item->GetDisplayText() == name && item->GetColumnText(1, value))
                return value.str() + " | " + std::to_string(Image(item));
        }
        return "(none)";
    }

    std::string ListState(UINT id)
    {
        int enabled = 0;
        int checked = 0;
        list->GetCommandState(id, &enabled, &checked);
        return enabled ? "enabled" : "-";
    }
};

} // namespace

TEST_F(OptionSetViewTest, TheConfigurationOfTheSelectionListsItsGenerateSetsAndTheSelectionIsTheFramesOptionSet)
{
    ShowSystemOne();
    EXPECT_EQ(ListRows(), (Strings{"NTGEN | Windows | 3", "QSRGEN | QSR | 3", "TARSKGEN | OS Tarsk | 3",
                                   "UNIXGEN | UNIX | 3"}));
    EXPECT_EQ(ListState(ID_DELETE), "-");
    SelectRow(1);
    ASSERT_TRUE(frame->GetOptionSet());
    EXPECT_EQ(frame->GetOptionSet()->GetName(), "QSRGEN");
    EXPECT_EQ(ListState(ID_DELETE), "enabled");

    Select({"Sample system 2"});
    vqwin::PumpPending();
    EXPECT_EQ(list->GetConfig()->GetSystem()->GetName(), "SYS2");
    Select({"Sample enterprise"});
    vqwin::PumpPending();
    EXPECT_TRUE(ListRows().empty());
}

TEST_F(OptionSetViewTest, ALockPlacedFromTheListShowsInItsImageAndStatusAndIsRemovedAfterTheQuestion)
{
    vqclock::ManualClock clock(1700000000);
    clock.SetSleepMovesClock(true);
    vqclock::ScopedClock scopedClock(clock);
    ShowSystemOne();
    SelectRow(0);
    ListCommand(ID_LOCK);
    EXPECT_EQ(ListRows().front(), "NTGEN | Windows | 4");
    EXPECT_TRUE(System("SYS1")->GetCurConfig()->GetOptionSet("NTGEN")->GetPersistentLock());
    EXPECT_EQ(ListState(ID_UNLOCK), "enabled");

    ui.ExpectMessageBox("Option set NTGEN manually locked by user ABC on 11/14/23 at 22:13:20.", IDOK);
    ListCommand(ID_SHOW_LOCK_STATUS);
    ui.Verify();

    ui.ExpectMessageBox("Please confirm removing lock on NTGEN", IDNO);
    ListCommand(ID_UNLOCK);
    ui.Verify();
    EXPECT_EQ(ListRows().front(), "NTGEN | Windows | 4");

    ui.ExpectMessageBox("Please confirm removing lock on NTGEN", IDYES);
    ListCommand(ID_UNLOCK);
    ui.Verify();
    EXPECT_EQ(ListRows().front(), "NTGEN | Windows | 3");
    EXPECT_FALSE(System("SYS1")->GetCurConfig()->GetOptionSet("NTGEN")->GetPersistentLock());
}

TEST_F(OptionSetViewTest, WithoutRightTwoDeletingAGenerateSetIsRefused)
{
    app.SetSecurityMask(1);
    ShowSystemOne();
    SelectRow(3);
    ui.ExpectMessageBoxId(IDS_SECURITY_VIOLATION, IDOK);
    ListCommand(ID_DELETE);
    ui.Verify();
    EXPECT_TRUE(System("SYS1")->GetCurConfig()->GetOptionSet("UNIXGEN"));
}

TEST_F(OptionSetViewTest, ThePreviewReadsNothingWhileHiddenAndShowsTheSelectedLinksOptionsOnceShown)
{
    ShowSystemOne();
    SelectRow(0);
    VqsOptionPreview* preview = frame->GetOptionPreview();
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->GetListCtrl().GetItemCount(), 0) << "the pane has no height yet";
    EXPECT_TRUE(preview->GetOptions()) << "what to show is kept for when it is shown";

    Command(32806);

    const int groups = preview->GetListCtrl().GetItemCount();
    ASSERT_GT(groups, 0);
    VqsTreeItem* first = preview->GetItem(0);
    first->Expand();
    EXPECT_GT(preview->GetListCtrl().GetItemCount(), groups);
    Select({"PAYROLL business segment", "SALES business segment"});
    vqwin::PumpPending();
    EXPECT_EQ(preview->GetListCtrl().GetItemCount(), 0) << "two links selected show nothing";
}

// Moving from one report to another keeps the groups that were open and shows the new
// report's values in them; each group's options stay under it, and the rows carry their
// images: an option 2, a group 1 when some option of it is set, else 0.
TEST_F(OptionSetViewTest, ThePreviewFollowsTheSelectedReportWithItsOwnValuesUnderEachGroup)
{
    OpenFrame();
    list = frame->GetOptionSetView();
    Expand("Sample system 2");
    Expand("SALES business segment");
    Command(32834);
    Expand("Reports");
    Select({"MONTHLY of SALES"});
    SelectRow(0);
    ASSERT_EQ(frame->GetOptionSet()->GetName(), "NTGEN");
    VqsOptionPreview* preview = frame->GetOptionPreview();
    Command(32806);
    for (int group = preview->GetListCtrl().GetItemCount() - 1; group >= 0; --group)
        preview->GetItem(group)->Expand();

    EXPECT_EQ(PreviewValue(preview, "ExtractPack"), "REPORTSPATH | 2");
    EXPECT_EQ(GroupsListed(preview), (Strings{"Report Options | 1", "Extract File Options | 0"}));
    Select({"DAILY of SALES"});
    vqwin::PumpPending();
    EXPECT_EQ(PreviewValue(preview, "ExtractPack"), "SALESPATH | 2");
    EXPECT_EQ(GroupsListed(preview), (Strings{"Report Options | 0", "Extract File Options | 0"}));
}

TEST_F(OptionSetViewTest, OpeningAGenerateSetOffersThePickerAndItsOptionsButtonOpensTheGenerateSetsDialog)
{
    ShowSystemOne();
    SelectRow(2);
    ui.ExpectDialog(263).Press(1495);
    ui.ExpectDialog(141).Cancel();
    ListCommand(32775);
    ui.Verify();
}

TEST_F(OptionSetViewTest, CancellingTheNewGenerateSetWizardMakesNothing)
{
    ShowSystemOne();
    ui.ExpectWizard().Cancel();
    ListCommand(32789);
    ui.Verify();
    EXPECT_EQ(ListRows().size(), 4u);
}

namespace {

constexpr UINT ID_OPTIONS = 32772;
constexpr UINT kGenerateSetOptionsDialog = 141;
constexpr UINT IDS_CHECK_CHANGED_OPTIONS = 61908;

// What the user does with the mouse on the panes of the system frame.
struct ClickedPanesTest : OptionSetViewTest {
    void ClickTree(const std::string& text)
    {
        vqui::user::SelectIndex(view->m_hWnd, RowOf(text));
        vqwin::PumpPending();
    }
    void ClickList(int row)
    {
        vqui::user::SelectIndex(list->m_hWnd, row);
        vqwin::PumpPending();
    }
    CPoint PointOfRow(VqsListView* pane, int row)
    {
        CRect rect;
        pane->GetListCtrl().GetItemRect(row, &rect, LVIR_LABEL);
        return rect.CenterPoint();
    }
    // The commands of the pop-up menu shown last, each as its id and whether it was enabled.
    std::map<UINT, bool> LastMenu()
    {
        std::map<UINT, bool> entries;
        for (const vqui::UiEvent& event : ui.Seen()) {
            if (event.kind != vqui::EventKind::PopupMenu)
                continue;
            entries.clear();
            for (const vqui::MenuEntry& entry : event.menu) {
                if (entry.kind == vqui::MenuEntry::Kind::Command)
                    entries[entry.id] = entry.enabled;
            }
        }
        return entries;
    }
    PxVQCurConfigPtr SystemOne() { return System("SYS1")->GetCurConfig(); }
};

} // namespace

// With SALES selected in the tree, a click on NTGEN makes the list the active view: the
// host's commands act on the generate set, and the tree's link stays as it was.
TEST_F(ClickedPanesTest, AfterAClickOnTheListTheHostsCommandsActOnTheClickedGenerateSet)
{
    vqclock::ManualClock clock(1700000000);
    clock.SetSleepMovesClock(true);
    vqclock::ScopedClock scopedClock(clock);
    ShowSystemOne();
    ClickTree("SALES business segment");
    ClickList(0);
    EXPECT_EQ(frame->GetActiveView(), list);

    Command(ID_LOCK);
    EXPECT_TRUE(SystemOne()->GetOptionSet("NTGEN")->GetPersistentLock());
    ui.ExpectMessageBox("Option set NTGEN manually locked by user ABC on 11/14/23 at 22:13:20.", IDOK);
    Command(ID_SHOW_LOCK_STATUS);
    ui.Verify();
    ui.ExpectMessageBox("Please confirm removing lock on NTGEN", IDYES);
    Command(ID_UNLOCK);
    ui.Verify();
    EXPECT_FALSE(SystemOne()->GetOptionSet("NTGEN")->GetPersistentLock());
    ui.ExpectDialog(kGenerateSetOptionsDialog).Cancel();
    Command(ID_OPTIONS);
    ui.Verify();

    ui.ExpectMessageBoxId(IDS_CHECK_CHANGED_OPTIONS, IDNO);
    Command(ID_DELETE);
    ui.Verify();
    EXPECT_FALSE(SystemOne()->GetOptionSet("NTGEN"));
    EXPECT_GE(RowOf("SALES business segment"), 0);
    EXPECT_TRUE(SystemOne()->GetBSSoftLink("SALES"));
}

// A right click on NTGEN activates the list before its menu shows: the menu's states are the
// list's and Lock from it locks the generate set.
TEST_F(ClickedPanesTest, LockFromTheListsContextMenuLocksTheGenerateSetRightClicked)
{
    ShowSystemOne();
    ClickTree("SALES business segment");
    ui.ExpectPopupMenu(ID_LOCK);
    vqui::user::OpenContextMenu(list->m_hWnd, PointOfRow(list, 0));
    vqwin::PumpPending();
    ui.Verify();
    EXPECT_EQ(frame->GetActiveView(), list);
    EXPECT_TRUE(SystemOne()->GetOptionSet("NTGEN")->GetPersistentLock());
    EXPECT_TRUE(LastMenu().at(ID_LOCK));
    EXPECT_FALSE(LastMenu().at(ID_UNLOCK)) << "nothing to unlock before the lock";
}

// The enterprise row's menu shows each command as the tree answers it: Delete greyed.
TEST_F(ClickedPanesTest, TheEnterpriseRowsContextMenuGreysWhatTheTreeCannotDo)
{
    ShowSystemOne();
    ClickList(0);
    ui.ExpectPopupMenu(0);
    vqui::user::OpenContextMenu(view->m_hWnd, PointOfRow(view, 0));
    vqwin::PumpPending();
    ui.Verify();
    EXPECT_EQ(frame->GetActiveView(), view);
    const std::map<UINT, bool> menu = LastMenu();
    EXPECT_FALSE(menu.at(ID_DELETE));
    for (const auto& [id, enabled] : menu)
        EXPECT_EQ(enabled, State(id) != "-") << "command " << id;
}
