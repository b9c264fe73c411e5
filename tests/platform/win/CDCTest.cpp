#include "WinTestSupport.h"

#include "win/CDC.h"
#include "win/CGdiObject.h"
#include "win/CString.h"
#include "win/DisplayList.h"
#include "win/FontMetrics.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using vqwin::DisplayList;
using vqwin::DisplayOp;

constexpr int kRowHeight = 18;

// Paints rows the way the owner-drawn views do: a fill, tabbed text and a line per row.
class RowsWnd : public RecordingWnd {
public:
    void OnPaint()
    {
        CPaintDC dc(this);
        const int stops[] = {40};
        for (int row = 0; row < rows; ++row) {
            const CRect rect(0, row * kRowHeight, 200, (row + 1) * kRowHeight);
            const bool selected = row == 1;
            dc.FillSolidRect(&rect, GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
            dc.SetTextColor(GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_GRAYTEXT));
            dc.TabbedTextOut(rect.left + 20, rect.top, "CUSTOMER\tREPORT", -1, 1, stops, rect.left + 20);
            dc.MoveTo(rect.left, rect.bottom - 1);
            dc.LineTo(rect.right, rect.bottom - 1);
        }
    }
    int rows = 3;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(RowsWnd, RecordingWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()

TEST(CDCTest, APaintsDisplayListHoldsFillsTabbedTextAndLinesInOrder)
{
    RowsWnd wnd;
    ASSERT_TRUE(wnd.CreateTop());
    wnd.UpdateWindow();
    std::shared_ptr<DisplayList> list = vqwin::GetWindowDisplayList(wnd.m_hWnd);
    ASSERT_EQ(list->Size(), 9u);

    const std::vector<const DisplayOp*> row1 = list->InBand(kRowHeight, 2 * kRowHeight);
    ASSERT_EQ(row1.size(), 3u);
    EXPECT_EQ(DisplayList::Describe(*row1[0]), "fill (0,18)-(200,36) #000080");
    EXPECT_EQ(DisplayList::Describe(*row1[1]), "text (20,18) \"CUSTOMER\\tREPORT\" origin 20 runs 20:\"CUSTOMER\" "
                                               "100:\"REPORT\" #FFFFFF on #000080 opaque font \"System\" 16/400");
    EXPECT_EQ(DisplayList::Describe(*row1[2]), "line (0,35)-(200,35) #000000 pen 0/0");

    const DisplayOp* text = list->FindText("CUSTOMER");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->color, GetSysColor(COLOR_GRAYTEXT));
    EXPECT_EQ(text->rect, CRect(20, 0, 148, 16));

    wnd.rows = 1;
    wnd.Invalidate();
    vqwin::PumpPending();
    EXPECT_EQ(list->Size(), 3u); // a paint starts the list afresh
}

TEST(CDCTest, FontMetricsFollowTheFixedRules)
{
    LOGFONT font{};
    font.lfHeight = -16;
    vqwin::FontMetrics normal(font);
    EXPECT_EQ(normal.Height(), 16);
    EXPECT_EQ(normal.TextWidth("CUSTOMER"), 64);
    EXPECT_EQ(normal.TextWidth("\x82\xa0" "A"), 24);
    font.lfWeight = FW_BOLD;
    EXPECT_EQ(vqwin::FontMetrics(font).TextWidth("CUSTOMER"), 72);
    font.lfHeight = 0;
    font.lfWidth = 5;
    EXPECT_EQ(vqwin::FontMetrics(font).TextMetrics().tmHeight, 16);
    EXPECT_EQ(vqwin::FontMetrics(font).TextWidth("ab"), 12);
}

class MemoryDcTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dc.CreateCompatibleDC(nullptr)); }
    CDC dc;
};

TEST_F(MemoryDcTest, TabStopsDefaultToEightCharactersAndRunOnPastTheLastStop)
{
    EXPECT_EQ(dc.GetTabbedTextExtent("a\tb", -1, 0, nullptr), CSize(72, 16));
    const int interval[] = {30};
    EXPECT_EQ(dc.GetTabbedTextExtent("a\tb\tc", -1, 1, interval), CSize(68, 16));
    const int stops[] = {20, 50};
    // "abcd" ends at 32: the stop at 50; "b" ends at 58, past the stops: one character on.
    EXPECT_EQ(dc.GetTabbedTextExtent("abcd\tb\tc\td", -1, 2, stops), CSize(90, 16));
    // Stops count from the tab origin, not from where the text starts.
    const CSize extent = dc.TabbedTextOut(30, 0, "x\ty", 3, 2, stops, 25);
    EXPECT_EQ(extent, CSize(23, 16));
    EXPECT_EQ(dc.GetDisplayList()->Ops().back().runs[1].x, 45);
}

TEST_F(MemoryDcTest, DrawTextPlacesAndSizesLines)
{
    CRect rect(0, 0, 100, 40);
    EXPECT_EQ(dc.DrawText("&Open", -1, &rect, DT_SINGLELINE | DT_CENTER | DT_VCENTER), 16);
    const DisplayOp& centred = dc.GetDisplayList()->Ops().back();
    EXPECT_EQ(centred.text, "Open");
    EXPECT_EQ(centred.rect.TopLeft(), CPoint(34, 12));
    EXPECT_TRUE(centred.clipped);
    EXPECT_EQ(centred.clip, rect);

    CRect measured(5, 5, 6, 6);
    EXPECT_EQ(dc.DrawText(CString("one\r\nthree"), &measured, DT_CALCRECT | DT_NOPREFIX), 32);
    EXPECT_EQ(measured, CRect(5, 5, 45, 37));
    EXPECT_EQ(dc.GetDisplayList()->Size(), 1u);

    dc.DrawText("a&&b", -1, &rect, DT_RIGHT | DT_SINGLELINE | DT_BOTTOM);
    EXPECT_EQ(dc.GetDisplayList()->Ops().back().text, "a&b");
    EXPECT_EQ(dc.GetDisplayList()->Ops().back().rect.TopLeft(), CPoint(76, 24));
}

TEST_F(MemoryDcTest, SavedStatesComeBackWithTheirColoursFontsAndClip)
{
    LOGFONT bold{};
    bold.lfHeight = 20;
    bold.lfWeight = FW_BOLD;
    std::strcpy(bold.lfFaceName, "Bold");
    CFont font;
    ASSERT_TRUE(font.CreateFontIndirect(&bold));

    dc.SetTextColor(RGB(1, 2, 3));
    const int level = dc.SaveDC();
    CFont* previous = dc.SelectObject(&font);
    ASSERT_NE(previous, nullptr);
    LOGFONT system{};
    EXPECT_EQ(previous->GetLogFont(&system), 60);
    EXPECT_STREQ(system.lfFaceName, "System");
    dc.SetTextColor(RGB(9, 9, 9));
    dc.IntersectClipRect(0, 0, 10, 10);
    TEXTMETRIC metrics{};
    dc.GetTextMetrics(&metrics);
    EXPECT_EQ(metrics.tmHeight, 20);
    dc.FillSolidRect(0, 0, 5, 5, RGB(7, 7, 7));
    EXPECT_EQ(dc.GetBkColor(), RGB(7, 7, 7));

    EXPECT_TRUE(dc.RestoreDC(level));
    EXPECT_EQ(dc.GetTextColor(), RGB(1, 2, 3));
    EXPECT_EQ(dc.GetBkColor(), RGB(255, 255, 255));
    dc.GetTextMetrics(&metrics);
    EXPECT_EQ(metrics.tmHeight, 16);
    CRect clip;
    EXPECT_EQ(dc.GetClipBox(&clip), NULLREGION); // a memory context without a bitmap is empty
    EXPECT_FALSE(dc.RestoreDC(-1));
}

TEST_F(MemoryDcTest, BitmapsAreCopiedByName)
{
    CBitmap bitmap;
    bitmap.Attach(vqwin::CreateLabelledBitmap(48, 16, "bitmap NAV"));
    BITMAP info{};
    EXPECT_EQ(bitmap.GetBitmap(&info), static_cast<int>(sizeof(BITMAP)));
    EXPECT_EQ(info.bmWidth, 48);

    CBitmap* old = dc.SelectObject(&bitmap);
    EXPECT_EQ(old, nullptr);
    dc.FillSolidRect(0, 0, 48, 16, RGB(0, 0, 0));
    EXPECT_EQ(dc.GetDisplayList()->Size(), 1u);

    CDC screen;
    screen.Attach(GetDC(nullptr));
    screen.BitBlt(4, 2, 16, 16, &dc, 16, 0, SRCCOPY);
    screen.StretchBlt(0, 0, 32, 32, &dc, 0, 0, 16, 16, SRCAND);
    EXPECT_EQ(DisplayList::Describe(screen.GetDisplayList()->Ops()[0]),
              "image \"bitmap NAV\" (16,0)-(32,16) to (4,2)-(20,18)");
    EXPECT_EQ(DisplayList::Describe(screen.GetDisplayList()->Ops()[1]),
              "image \"bitmap NAV\" (0,0)-(16,16) to (0,0)-(32,32) rop 008800C6");
    ReleaseDC(nullptr, screen.Detach());
}

TEST(CDCTest, FocusRectanglesAndPensAreRecorded)
{
    RecordingWnd wnd;
    ASSERT_TRUE(wnd.CreateTop());
    CClientDC dc(&wnd);
    CPen red(PS_SOLID, 0, RGB(255, 0, 0));
    CPen* old = dc.SelectObject(&red);
    dc.MoveTo(1, 1);
    dc.LineTo(1, 6);
    dc.SelectObject(old);
    dc.LineTo(6, 6);
    const CRect focus(0, 0, 10, 10);
    dc.DrawFocusRect(&focus);
    EXPECT_EQ(vqwin::GetWindowDisplayList(wnd.m_hWnd)->Describe(),
              "line (1,1)-(1,6) #FF0000 pen 0/0\nline (1,6)-(6,6) #000000 pen 0/0\nfocus (0,0)-(10,10)\n");
    CRect box;
    EXPECT_EQ(dc.GetClipBox(&box), SIMPLEREGION);
    EXPECT_EQ(box, CRect(0, 0, 100, 50));
}

TEST(CDCTest, OwnerDrawCodeReachesTheContextByHandle)
{
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    CDC* same = CDC::FromHandle(dc.m_hDC);
    ASSERT_NE(same, nullptr);
    same->TextOut(0, 0, CString("row"));
    SIZE size{};
    EXPECT_TRUE(GetTextExtentPoint32(dc.m_hDC, "row", 3, &size));
    EXPECT_EQ(size.cx, 24);
    EXPECT_EQ(dc.GetDisplayList()->Size(), 1u);
    EXPECT_EQ(dc.GetNearestColor(RGB(12, 34, 56) | 0x02000000), RGB(12, 34, 56));
}

TEST(CDCTest, StockObjectsAndSystemTables)
{
    LOGFONT font{};
    EXPECT_EQ(GetObject(GetStockObject(SYSTEM_FONT), sizeof font, &font), 60);
    EXPECT_EQ(font.lfHeight, 16);
    EXPECT_TRUE(DeleteObject(GetStockObject(SYSTEM_FONT)));
    EXPECT_NE(GetStockObject(SYSTEM_FONT), nullptr);
    LOGPEN pen{};
    EXPECT_GT(GetObject(GetStockObject(BLACK_PEN), sizeof pen, &pen), 0);
    EXPECT_EQ(pen.lopnColor, RGB(0, 0, 0));
    EXPECT_EQ(GetStockObject(999), nullptr);

    EXPECT_EQ(GetSystemMetrics(SM_CXSMICON), 16);
    EXPECT_EQ(GetSystemMetrics(SM_CXVSCROLL), 16);
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), RGB(255, 255, 255));
    EXPECT_EQ(GetSysColor(COLOR_GRAYTEXT), RGB(128, 128, 128));
}

TEST(CDCTest, WaitCursorIsCountedAndNeverGoesBelowZero)
{
    vqwin::ResetWaitCursorState();
    RecordingWnd target;
    {
        CWaitCursor wait;
        target.BeginWaitCursor();
        EXPECT_EQ(vqwin::GetWaitCursorState().depth, 2);
        target.EndWaitCursor();
        wait.Restore();
    }
    target.EndWaitCursor();
    const vqwin::WaitCursorState state = vqwin::GetWaitCursorState();
    EXPECT_EQ(state.depth, 0);
    EXPECT_EQ(state.begins, 2);
    EXPECT_EQ(state.ends, 3);
    EXPECT_EQ(state.restores, 1);
}

} // namespace
