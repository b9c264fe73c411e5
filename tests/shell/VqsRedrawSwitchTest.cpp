#include "shell/VqsRedrawSwitch.h"

#include "platform/win/WinTestSupport.h"

#include <gtest/gtest.h>

namespace {

std::vector<WPARAM> RedrawMessages(const RecordingWnd& wnd)
{
    std::vector<WPARAM> values;
    for (const ReceivedMessage& m : wnd.received) {
        if (m.message == WM_SETREDRAW)
            values.push_back(m.wParam);
    }
    return values;
}

class VqsRedrawSwitchTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(list.CreateTop()); }
    RecordingWnd list;
};

TEST_F(VqsRedrawSwitchTest, NestedSwitchesSendOneOffAndOneOn)
{
    {
        VqsRedrawSwitch outer(&list);
        EXPECT_FALSE(vqwin::IsRedrawOn(list.m_hWnd));
        {
            VqsRedrawSwitch inner(&list);
        }
        EXPECT_EQ(RedrawMessages(list), (std::vector<WPARAM>{FALSE}));
    }
    EXPECT_EQ(RedrawMessages(list), (std::vector<WPARAM>{FALSE, TRUE}));
    EXPECT_TRUE(vqwin::IsRedrawOn(list.m_hWnd));
}

VqsRedrawSwitch SuspendRedraw(CWnd* window) { return VqsRedrawSwitch(window); }

TEST_F(VqsRedrawSwitchTest, ACopyCountsWithoutSendingAndTheLastOneSwitchesBack)
{
    {
        VqsRedrawSwitch original = SuspendRedraw(&list);
        VqsRedrawSwitch copy(original);
        EXPECT_EQ(RedrawMessages(list), (std::vector<WPARAM>{FALSE}));
    }
    EXPECT_EQ(RedrawMessages(list), (std::vector<WPARAM>{FALSE, TRUE}));
}

TEST_F(VqsRedrawSwitchTest, AWindowWithoutHandleOrGoneIsLeftAlone)
{
    RecordingWnd notCreated;
    {
        VqsRedrawSwitch none(&notCreated);
        VqsRedrawSwitch null(nullptr);
    }
    EXPECT_TRUE(notCreated.received.empty());

    auto doomed = std::make_unique<RecordingWnd>();
    ASSERT_TRUE(doomed->CreateTop());
    {
        VqsRedrawSwitch redraw(doomed.get());
        doomed.reset();
    }
    VqsRedrawSwitch again(&list);
    EXPECT_EQ(RedrawMessages(list), (std::vector<WPARAM>{FALSE}));
}

} // namespace
