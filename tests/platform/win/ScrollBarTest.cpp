#include "ControlTestSupport.h"

#include "win/CScrollBar.h"
#include "win/UserActions.h"

#include <gtest/gtest.h>

namespace {

constexpr int kBarId = 1491;

// The scroll codes the parent received, in order.
std::vector<UINT> ScrollCodes(const ParentWnd& parent, UINT message)
{
    std::vector<UINT> codes;
    for (const ReceivedMessage& received : parent.received) {
        if (received.message == message)
            codes.push_back(LOWORD(received.wParam));
    }
    return codes;
}

TEST(ScrollBarTest, ThePositionStaysInTheRangeAndTheProgramsChangesNotifyNothing)
{
    ParentWnd parent;
    CScrollBar bar;
    ASSERT_TRUE(bar.Create(WS_VISIBLE | SBS_VERT, CRect(0, 0, 16, 100), &parent, kBarId));
    bar.SetScrollRange(0, 40);
    EXPECT_EQ(bar.SetScrollPos(55), 0);
    EXPECT_EQ(bar.GetScrollPos(), 40);
    bar.SetScrollRange(0, 10);
    EXPECT_EQ(bar.GetScrollPos(), 10);
    int low = -1;
    int high = -1;
    bar.GetScrollRange(&low, &high);
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 10);
    bar.EnableScrollBar(ESB_DISABLE_RTDN);
    EXPECT_EQ(bar.GetDisabledArrows(), ESB_DISABLE_RTDN);
    EXPECT_TRUE(ScrollCodes(parent, WM_VSCROLL).empty());
}

TEST(ScrollBarTest, ArrowClicksTellTheParentEachLineThenTheEndAndADisabledArrowDoesNothing)
{
    ParentWnd parent;
    CScrollBar bar;
    ASSERT_TRUE(bar.Create(WS_VISIBLE | SBS_VERT, CRect(0, 0, 16, 100), &parent, kBarId));
    vqui::user::Spin(bar.m_hWnd, 2);
    vqui::user::Spin(bar.m_hWnd, -1);
    EXPECT_EQ(ScrollCodes(parent, WM_VSCROLL),
              (std::vector<UINT>{SB_LINEDOWN, SB_LINEDOWN, SB_ENDSCROLL, SB_LINEUP, SB_ENDSCROLL}));
    EXPECT_EQ(bar.GetScrollPos(), 0) << "the parent moves the position";

    parent.Clear();
    bar.EnableScrollBar(ESB_DISABLE_LTUP);
    vqui::user::Spin(bar.m_hWnd, -3);
    EXPECT_EQ(ScrollCodes(parent, WM_VSCROLL), std::vector<UINT>{SB_ENDSCROLL});

    CScrollBar across;
    ASSERT_TRUE(across.Create(WS_VISIBLE | SBS_HORZ, CRect(0, 0, 100, 16), &parent, kBarId + 1));
    parent.Clear();
    vqui::user::Spin(across.m_hWnd, 1);
    EXPECT_EQ(ScrollCodes(parent, WM_HSCROLL), (std::vector<UINT>{SB_LINEDOWN, SB_ENDSCROLL}));
}

} // namespace
