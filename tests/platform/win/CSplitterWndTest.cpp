#include "WinTestSupport.h"

#include "win/CSplitterWnd.h"
#include "win/Gdi.h"

#include <gtest/gtest.h>

namespace {

// A pane as a view is one: it belongs to itself and keeps the sizes it was given.
class Pane : public CWnd {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_SIZE)
            heights.push_back(HIWORD(static_cast<std::uintptr_t>(lParam)));
        return CWnd::WindowProc(message, wParam, lParam);
    }
    void PostNcDestroy() override { delete this; }
    std::vector<int> heights;
};

class NotAWindow : public CObject {};

CRect PaneRect(CSplitterWnd& splitter, int row, int col)
{
    CRect rect;
    CWnd* pane = splitter.GetPane(row, col);
    pane->GetWindowRect(&rect);
    splitter.ScreenToClient(&rect);
    return rect;
}

int CurrentRow(const CSplitterWnd& splitter, int row)
{
    int current = 0;
    int minimum = 0;
    splitter.GetRowInfo(row, current, minimum);
    return current;
}

// The panes of the system frame: a directory on the left; option sets above a preview that
// starts hidden on the right.
class CSplitterWndTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        frame.CreateTop("frame", WS_POPUP | WS_VISIBLE);
        frame.MoveWindow(0, 0, 1006, 500);
        const int left = (1006 - 6) * 60 / 100;
        const int right = 1006 - left - 6;
        ASSERT_TRUE(outer.CreateStatic(&frame, 1, 2));
        ASSERT_TRUE(outer.CreateView(0, 0, RUNTIME_CLASS(Pane), CSize(left, 300), nullptr));
        ASSERT_TRUE(inner.CreateStatic(&outer, 2, 1, WS_CHILD | WS_VISIBLE | WS_BORDER, outer.IdFromRowCol(0, 1)));
        ASSERT_TRUE(inner.CreateView(0, 0, RUNTIME_CLASS(Pane), CSize(right, 500), nullptr));
        ASSERT_TRUE(inner.CreateView(1, 0, RUNTIME_CLASS(Pane), CSize(right, 0), nullptr));
        inner.SetRowInfo(0, GetSystemMetrics(SM_CYSCREEN), 60);
        inner.SetRowInfo(1, 0, 40);
        outer.SetColumnInfo(0, left, 60);
        outer.SetColumnInfo(1, right, 40);
        outer.RecalcLayout();
    }

    void TogglePreview()
    {
        int h0 = 0, m0 = 0, h1 = 0, m1 = 0;
        inner.GetRowInfo(0, h0, m0);
        inner.GetRowInfo(1, h1, m1);
        if (h1 > 0) {
            savedHeight = h1;
            inner.SetRowInfo(0, GetSystemMetrics(SM_CYSCREEN), m0);
            inner.SetRowInfo(1, 0, m1);
        } else {
            int top = savedHeight == 0 ? 2 * h0 / 3 : h0 - savedHeight - 6;
            top = std::min(std::max(top, m0), h0 - m1 - 6);
            inner.SetRowInfo(1, h0 - top - 6, m1);
            inner.SetRowInfo(0, top, m0);
        }
        inner.RecalcLayout();
    }

    RecordingWnd frame;
    CSplitterWnd outer;
    CSplitterWnd inner;
    int savedHeight = 0;
};

TEST_F(CSplitterWndTest, TheDefaultLayoutGivesSixtyAndFortyPercentLessTheBar)
{
    int width = 0;
    int minimum = 0;
    outer.GetColumnInfo(0, width, minimum);
    EXPECT_EQ(width, 600);
    EXPECT_EQ(minimum, 60);
    outer.GetColumnInfo(1, width, minimum);
    EXPECT_EQ(width, 400);
    EXPECT_EQ(PaneRect(outer, 0, 0), CRect(0, 0, 600, 500));
    EXPECT_EQ(PaneRect(outer, 0, 1), CRect(606, 0, 1006, 500));
    EXPECT_EQ(outer.GetPane(0, 1), &inner);
}

TEST_F(CSplitterWndTest, ARowWhoseIdealIsBelowItsMinimumIsHiddenWithSizeZero)
{
    EXPECT_EQ(CurrentRow(inner, 0), 500);
    EXPECT_EQ(CurrentRow(inner, 1), 0);
    EXPECT_EQ(PaneRect(inner, 0, 0), CRect(0, 0, 400, 500));
    auto* preview = static_cast<Pane*>(inner.GetPane(1, 0));
    ASSERT_FALSE(preview->heights.empty());
    EXPECT_EQ(preview->heights.back(), 0) << "a hidden pane hears that it has no height";
}

TEST_F(CSplitterWndTest, ShowingAndHidingTheLowerRowGivesBackItsHeight)
{
    TogglePreview();
    EXPECT_EQ(CurrentRow(inner, 0), 333);
    EXPECT_EQ(CurrentRow(inner, 1), 161);
    EXPECT_EQ(PaneRect(inner, 1, 0), CRect(0, 339, 400, 500));
    TogglePreview();
    EXPECT_EQ(CurrentRow(inner, 0), 500);
    EXPECT_EQ(CurrentRow(inner, 1), 0);
    TogglePreview();
    EXPECT_EQ(CurrentRow(inner, 1), 161);
}

TEST_F(CSplitterWndTest, ResizingTheSplitterLaysOutItsPanesAgain)
{
    outer.MoveWindow(0, 0, 806, 300);
    EXPECT_EQ(PaneRect(outer, 0, 1), CRect(606, 0, 806, 300));
    EXPECT_EQ(CurrentRow(inner, 0), 300) << "the nested splitter follows its own new size";

    outer.MoveWindow(0, 0, 500, 300);
    int width = 0;
    int minimum = 0;
    outer.GetColumnInfo(0, width, minimum);
    EXPECT_EQ(width, 500) << "an ideal wider than the room takes all of it";
    outer.GetColumnInfo(1, width, minimum);
    EXPECT_EQ(width, 0);
}

TEST_F(CSplitterWndTest, TheActivePaneIsTheOneWithTheFocusElseTheLastMadeActive)
{
    int row = -1;
    int col = -1;
    outer.SetActivePane(0, 0);
    EXPECT_EQ(outer.GetActivePane(&row, &col), outer.GetPane(0, 0));
    EXPECT_EQ(row, 0);
    EXPECT_EQ(col, 0);

    inner.GetPane(1, 0)->SetFocus();
    EXPECT_EQ(outer.GetActivePane(&row, &col), &inner) << "the focus is inside the nested splitter";
    EXPECT_EQ(col, 1);
    EXPECT_EQ(inner.GetActivePane(&row, &col), inner.GetPane(1, 0));
    EXPECT_EQ(row, 1);

    ::SetFocus(nullptr);
    EXPECT_EQ(outer.GetActivePane(), outer.GetPane(0, 0));
    EXPECT_FALSE(outer.IsChildPane(&frame, &row, &col));
}

TEST_F(CSplitterWndTest, ViewsAreMadeOnlyWhereThereIsAFreePaneOfAWindowClass)
{
    EXPECT_FALSE(outer.CreateView(0, 0, RUNTIME_CLASS(Pane), CSize(10, 10), nullptr)) << "taken";
    EXPECT_FALSE(outer.CreateView(1, 0, RUNTIME_CLASS(Pane), CSize(10, 10), nullptr)) << "no such row";
    CSplitterWnd spare;
    ASSERT_TRUE(spare.CreateStatic(&frame, 1, 1, WS_CHILD | WS_VISIBLE, 100));
    EXPECT_FALSE(spare.CreateView(0, 0, RUNTIME_CLASS(NotAWindow), CSize(10, 10), nullptr));
    EXPECT_FALSE(spare.CreateStatic(&frame, 0, 1));
}

TEST_F(CSplitterWndTest, WhenEveryRowIsHiddenTheLastOneShows)
{
    inner.SetRowInfo(0, 10, 60);
    inner.RecalcLayout();
    EXPECT_EQ(CurrentRow(inner, 0), 0);
    EXPECT_EQ(CurrentRow(inner, 1), 500);
}

} // namespace
