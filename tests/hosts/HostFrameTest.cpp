#include "HostsTestSupport.h"

#include "win/Gdi.h"

using hoststest::HostsTest;

namespace {

constexpr UINT ID_VIEW_PACK_ASSOCIATIONS = 32811;
constexpr UINT ID_ADD_HOST = 32783;
constexpr UINT VK_INSERT_KEY = 45;

int ColumnWidth(CSplitterWnd& splitter, int column)
{
    int current = 0;
    int minimum = 0;
    splitter.GetColumnInfo(column, current, minimum);
    return current;
}

int RowHeight(CSplitterWnd& splitter, int row)
{
    int current = 0;
    int minimum = 0;
    splitter.GetRowInfo(row, current, minimum);
    return current;
}

struct CommandState {
    int enabled = 0;
    int checked = 0;
};

CommandState StateOf(VqsHostListFrame* frame, UINT id)
{
    CommandState state;
    frame->GetCommandState(id, &state.enabled, &state.checked);
    return state;
}

} // namespace

// The two lists share the width as the saved layout says; the association row starts hidden
// and its command unchecked.
TEST_F(HostsTest, TheHostViewSplitsItsWidthByTheSavedLayoutWithTheAssociationsHidden)
{
    ASSERT_NE(OpenHostView(806, 600), nullptr);
    EXPECT_EQ(ColumnWidth(frame->GetTopSplitter(), 0), 400);
    EXPECT_EQ(ColumnWidth(frame->GetTopSplitter(), 1), 400);
    EXPECT_EQ(RowHeight(frame->GetOuterSplitter(), 1), 0);
    EXPECT_FALSE(Associations()->IsPaneShown());
    const CommandState state = StateOf(frame, ID_VIEW_PACK_ASSOCIATIONS);
    EXPECT_EQ(state.enabled, 1);
    EXPECT_EQ(state.checked, 0);
}

// A saved layout of 0,0 would divide by zero: the lists share the width equally instead.
TEST_F(HostsTest, ASavedLayoutOfNothingOpensHalfAndHalf)
{
    app.SetHostFrameLayout(0, 0);
    UINT left = 1;
    UINT right = 1;
    app.GetHostFrameLayout(left, right);
    ASSERT_EQ(left + right, 0u);
    ASSERT_NE(OpenHostView(806, 600), nullptr);
    EXPECT_EQ(ColumnWidth(frame->GetTopSplitter(), 0), 400);
    EXPECT_EQ(ColumnWidth(frame->GetTopSplitter(), 1), 400);
}

// The widths the user leaves are kept for the next host view.
TEST_F(HostsTest, TheListWidthsAreKeptForTheNextHostView)
{
    app.SetHostFrameLayout(30, 70);
    ASSERT_NE(OpenHostView(806, 600), nullptr);
    EXPECT_EQ(ColumnWidth(frame->GetTopSplitter(), 0), 240);
    frame->GetTopSplitter().SetColumnInfo(0, 500, 50);
    frame->GetTopSplitter().RecalcLayout();
    frame->SaveLayout();
    UINT left = 0;
    UINT right = 0;
    app.GetHostFrameLayout(left, right);
    EXPECT_EQ(left, 500u);
    EXPECT_EQ(right, 300u);
}

TEST_F(HostsTest, AWindowTooNarrowForTwoListsGetsNoHostView)
{
    EXPECT_EQ(OpenHostView(46, 300), nullptr);
    EXPECT_NE(OpenHostView(47, 300), nullptr);
}

// The first showing gives the associations three quarters of the height less the bar; after
// the user moved the bar, hiding and showing again gives back the height they had.
TEST_F(HostsTest, ShowingTheAssociationsTakesThreeQuartersAndThenTheHeightTheyHadWhenHidden)
{
    ASSERT_NE(OpenHostView(806, 600), nullptr);
    CSplitterWnd& rows = frame->GetOuterSplitter();

    frame->SendMessage(WM_COMMAND, ID_VIEW_PACK_ASSOCIATIONS, 0);
    EXPECT_EQ(RowHeight(rows, 0), 150);
    EXPECT_EQ(RowHeight(rows, 1), 444);
    EXPECT_TRUE(Associations()->IsPaneShown());
    EXPECT_EQ(StateOf(frame, ID_VIEW_PACK_ASSOCIATIONS).checked, 1);

    rows.SetRowInfo(0, 394, 50);
    rows.RecalcLayout();
    ASSERT_EQ(RowHeight(rows, 1), 200);
    frame->SendMessage(WM_COMMAND, ID_VIEW_PACK_ASSOCIATIONS, 0);
    EXPECT_EQ(RowHeight(rows, 1), 0);
    EXPECT_FALSE(Associations()->IsPaneShown());
    frame->SendMessage(WM_COMMAND, ID_VIEW_PACK_ASSOCIATIONS, 0);
    EXPECT_EQ(RowHeight(rows, 1), 200);
}

// Too low a window has no room for a second row: the command is disabled while it is hidden.
TEST_F(HostsTest, TheAssociationsCannotBeShownInAWindowLowerThanBothRows)
{
    ASSERT_NE(OpenHostView(806, 105), nullptr);
    EXPECT_EQ(StateOf(frame, ID_VIEW_PACK_ASSOCIATIONS).enabled, 0);
    frame->MoveWindow(0, 0, 806, 106);
    Idle();
    EXPECT_EQ(StateOf(frame, ID_VIEW_PACK_ASSOCIATIONS).enabled, 1);
}

// Insert in the host list pops up the frame's Add menu; its Host item starts the wizard.
TEST_F(HostsTest, InsertInTheHostListOffersTheAddMenu)
{
    ASSERT_NE(OpenHostView(), nullptr);
    ui.ExpectPopupMenu(ID_ADD_HOST);
    ui.ExpectWizard("New Host wizard").Cancel();
    vqui::user::PressKey(Hosts()->m_hWnd, VK_INSERT_KEY);
    Idle();
    ui.Verify();
    EXPECT_EQ(RowOf(Hosts(), "NTHOST"), 0);
    EXPECT_EQ(Rows(Hosts()).size(), 4u);
}

// Tab stays in the list it was pressed in.
TEST_F(HostsTest, TabDoesNotMoveBetweenTheLists)
{
    ASSERT_NE(OpenHostView(), nullptr);
    Click(Packs(), "SALESFG");
    ASSERT_EQ(frame->GetCurrentView(), Packs());
    vqui::user::PressKey(Packs()->m_hWnd, VK_TAB);
    Idle();
    EXPECT_EQ(frame->GetCurrentView(), Packs());
}
