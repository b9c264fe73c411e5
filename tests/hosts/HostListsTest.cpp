#include "HostsTestSupport.h"

#include "win/ListView.h"

#include <map>

using hoststest::HostsTest;

namespace {

constexpr UINT ID_OPTIONS = 32772;
constexpr UINT ID_OPEN_SELECTED = 32775;
constexpr UINT ID_EDIT_DELETE = 57632;
constexpr UINT ID_EDIT_SELECT_ALL = 57642;
constexpr UINT IDS_CHECK_CHANGED_OPTIONS = 61908;
constexpr UINT VK_DELETE_KEY = 46;

struct State {
    int enabled = 0;
    int checked = 0;
    bool operator==(const State&) const = default;
};

State StateOf(VqsListView* view, UINT id)
{
    State state;
    view->GetCommandState(id, &state.enabled, &state.checked);
    return state;
}

void SelectRows(VqsListView* view, std::initializer_list<int> rows)
{
    for (int row : rows)
        view->SelectItem(row, TRUE);
}

} // namespace

// A port of 0 shows nothing and a type the module does not know shows "Unknown host".
TEST_F(HostsTest, TheHostListShowsNameTypeAddressAndPort)
{
    app.GetLink()->BeginTransaction();
    Host("QSRHOST")->SetPortNumber(0);
    Host("UNIXHOST")->SetHostType(9);
    app.GetLink()->CommitTransaction();
    ASSERT_NE(OpenHostView(), nullptr);
    EXPECT_EQ(Rows(Hosts()), (std::vector<std::string>{"NTHOST | Windows | 10.1.0.10 | 21", "QSRHOST | QSR | 10.1.0.11 | ",
                                                      "TARSKHOST | OS Tarsk | 10.1.0.12 | 3021",
                                                      "UNIXHOST | Unknown host | 10.1.0.13 | 21"}));
}

// Type 0 has no name, type 1 is "fixed disk", type 2 "Tablespace/Filegroup".
TEST_F(HostsTest, ThePackListShowsNameAndType)
{
    ASSERT_NE(OpenHostView(), nullptr);
    const std::vector<std::string> rows = Rows(Packs());
    EXPECT_EQ(rows.front(), "PAYROLLFG | Tablespace/Filegroup");
    EXPECT_EQ(rows[1], "PAYROLLPATH | fixed disk");
    EXPECT_EQ(rows.back(), "TARSKPACK | ");
}

// A second click on the same column turns the order round.
TEST_F(HostsTest, ClickingAColumnTwiceSortsItTheOtherWayRound)
{
    ASSERT_NE(OpenHostView(), nullptr);
    vqui::user::ClickColumnHeader(Hosts()->m_hWnd, 1);
    EXPECT_EQ(Rows(Hosts()).front(), "TARSKHOST | OS Tarsk | 10.1.0.12 | 3021");
    vqui::user::ClickColumnHeader(Hosts()->m_hWnd, 1);
    EXPECT_EQ(Rows(Hosts()).front(), "NTHOST | Windows | 10.1.0.10 | 21");
}

// Options and Open need one row, Delete at least one, Select All a row not yet selected.
TEST_F(HostsTest, CommandsOfTheListsFollowTheSelection)
{
    ASSERT_NE(OpenHostView(), nullptr);
    for (VqsListView* view : {static_cast<VqsListView*>(Hosts()), static_cast<VqsListView*>(Packs())}) {
        EXPECT_EQ(StateOf(view, ID_EDIT_DELETE), (State{0, 0}));
        SelectRows(view, {1});
        EXPECT_EQ(StateOf(view, ID_OPEN_SELECTED), (State{1, 0}));
        EXPECT_EQ(StateOf(view, ID_OPTIONS), (State{1, 0}));
        SelectRows(view, {2});
        EXPECT_EQ(StateOf(view, ID_OPEN_SELECTED), (State{0, 0}));
        EXPECT_EQ(StateOf(view, ID_EDIT_DELETE), (State{1, 0}));
        EXPECT_EQ(StateOf(view, ID_EDIT_SELECT_ALL), (State{1, 0}));
        view->SendMessage(WM_COMMAND, ID_EDIT_SELECT_ALL, 0);
        EXPECT_EQ(StateOf(view, ID_EDIT_SELECT_ALL), (State{0, 0}));
    }
}

// The frame's current host is the one selected host; with several selected, the pack
// dialog still gets the first of them.
TEST_F(HostsTest, TheCurrentHostIsTheSelectedOneElseTheFirstSelectedElseTheFirstRow)
{
    ASSERT_NE(OpenHostView(), nullptr);
    EXPECT_TRUE(frame->GetCurrentHost()->IsSameOid(Host("NTHOST")));
    Click(Hosts(), "TARSKHOST");
    EXPECT_TRUE(frame->GetCurrentHost()->IsSameOid(Host("TARSKHOST")));
    EXPECT_EQ(std::string(frame->GetStatusText()), "TARSKHOST");
    SelectRows(Hosts(), {RowOf(Hosts(), "UNIXHOST")});
    Idle();
    EXPECT_TRUE(frame->GetCurrentHost()->IsSameOid(Host("TARSKHOST")));
}

// With two packs selected the first one is current, and Open is disabled.
TEST_F(HostsTest, TheCurrentPackIsTheFirstSelected)
{
    ASSERT_NE(OpenHostView(), nullptr);
    SelectRows(Packs(), {RowOf(Packs(), "SALESTS"), RowOf(Packs(), "SALESFG")});
    Idle();
    EXPECT_TRUE(frame->GetCurrentPack()->IsSameOid(Pack("SALESFG")));
}

// Deleting the selected host: without the check, it leaves the repository and the list,
// and the frame has no current host any more.
TEST_F(HostsTest, DeletingTheSelectedHostRemovesItsRowAndTheCurrentHost)
{
    ASSERT_NE(OpenHostView(), nullptr);
    Click(Hosts(), "UNIXHOST");
    ui.ExpectMessageBoxId(IDS_CHECK_CHANGED_OPTIONS, IDNO);
    vqui::user::PressKey(Hosts()->m_hWnd, VK_DELETE_KEY);
    Idle();
    ui.Verify();
    EXPECT_EQ(RowOf(Hosts(), "UNIXHOST"), -1);
    EXPECT_FALSE(Host("UNIXHOST"));
    EXPECT_EQ(Rows(Hosts()).size(), 3u);
    EXPECT_EQ(std::string(frame->GetStatusText()), "");
}

// A pack created elsewhere in the module is appended; the right click on a row that is not
// the first selected one makes it the only selected row before the menu shows.
TEST_F(HostsTest, ARightClickOnAnotherRowSelectsOnlyThatRow)
{
    ASSERT_NE(OpenHostView(), nullptr);
    SelectRows(Packs(), {0, 1});
    Idle();
    CRect row;
    Packs()->GetListCtrl().GetItemRect(1, &row, LVIR_BOUNDS);
    ui.ExpectPopupMenu(0);
    vqui::user::OpenContextMenu(Packs()->m_hWnd, row.CenterPoint());
    Idle();
    EXPECT_EQ(Packs()->GetListCtrl().GetSelectedCount(), 1u);
    EXPECT_TRUE(frame->GetCurrentPack()->IsSameOid(Pack("PAYROLLPATH")));
}

// Deleting a pack removes its row; a pack gets the image of association data once one of
// its associations holds some.
TEST_F(HostsTest, PackRowsFollowDeletionsAndAssociationData)
{
    ASSERT_NE(OpenHostView(), nullptr);
    auto image = [&](const char* name) {
        VqsImageRef shown{-1, -1};
        Packs()->ItemFromData(static_cast<LPARAM>(Packs()->GetListCtrl().GetItemData(RowOf(Packs(), name))))
            ->GetOverlayImage(shown);
        return shown.nBase;
    };
    EXPECT_EQ(image("SALESPATH"), 1);
    EXPECT_EQ(image("TARSKPACK"), 1);
    EXPECT_EQ(image("STOCKTS"), 1);

    Click(Packs(), "SALESTS");
    ui.ExpectMessageBoxId(IDS_CHECK_CHANGED_OPTIONS, IDNO);
    vqui::user::PressKey(Packs()->m_hWnd, VK_DELETE_KEY);
    Idle();
    ui.Verify();
    EXPECT_EQ(RowOf(Packs(), "SALESTS"), -1);
    EXPECT_FALSE(Pack("SALESTS"));
}

namespace {

constexpr UINT IDD_HOST_OPTIONS = 140;
constexpr UINT IDD_PACK_SPEC = 240;

} // namespace

// The host frame has an active view from its opening, and a dialog that ends gives the focus
// back to the list that had it: the host's second Open Selected reaches the host list again.
TEST_F(HostsTest, OpenSelectedTwiceOpensTheHostsOptionsTwice)
{
    ASSERT_NE(OpenHostView(), nullptr);
    EXPECT_EQ(frame->GetActiveView(), Packs()) << "the first pane";
    Click(Hosts(), "NTHOST");
    for (int time = 1; time <= 2; ++time) {
        ui.ExpectDialog(IDD_HOST_OPTIONS).Cancel();
        app.ImplementCommandID(frame->m_hWnd, ID_OPEN_SELECTED);
        Idle();
        ui.Verify();
        EXPECT_EQ(CWnd::GetFocus(), Hosts()) << "after dialog " << time;
    }
}

TEST_F(HostsTest, DeleteAfterThePackDialogClosedWithOkDeletesTheStillSelectedPack)
{
    ASSERT_NE(OpenHostView(), nullptr);
    Click(Hosts(), "NTHOST");
    Click(Packs(), "SALESTS");
    ui.ExpectDialog(IDD_PACK_SPEC).OK();
    app.ImplementCommandID(frame->m_hWnd, ID_OPEN_SELECTED);
    Idle();
    ui.Verify();
    ui.ExpectMessageBoxId(IDS_CHECK_CHANGED_OPTIONS, IDNO);
    app.ImplementCommandID(frame->m_hWnd, ID_EDIT_DELETE);
    Idle();
    ui.Verify();
    EXPECT_FALSE(Pack("SALESTS"));
}

// A right click below the rows activates the list, and its menu shows each command as the
// list answers it: Delete greyed, with no row selected.
TEST_F(HostsTest, TheContextMenusOfBothListsShowTheirCommandsStates)
{
    ASSERT_NE(OpenHostView(), nullptr);
    for (VqsListView* view : {static_cast<VqsListView*>(Hosts()), static_cast<VqsListView*>(Packs())}) {
        CRect client;
        view->GetClientRect(&client);
        ui.ExpectPopupMenu(0);
        vqui::user::OpenContextMenu(view->m_hWnd, CPoint(10, client.bottom - 2));
        Idle();
        ui.Verify();
        EXPECT_EQ(frame->GetActiveView(), view);
        const std::vector<vqui::UiEvent> seen = ui.Seen();
        std::map<UINT, bool> enabled;
        for (const vqui::MenuEntry& entry : seen.back().menu) {
            if (entry.kind == vqui::MenuEntry::Kind::Command)
                enabled[entry.id] = entry.enabled;
        }
        EXPECT_FALSE(enabled.at(ID_EDIT_DELETE));
        for (const auto& [id, shown] : enabled)
            EXPECT_EQ(shown, StateOf(view, id).enabled != 0) << "command " << id;
    }
}
