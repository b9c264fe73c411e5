#include "ListFrameTestSupport.h"

#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQElementSoftLink.h"
#include "proxy/PxVQOptionSet.h"
#include "proxy/PxVQSystem.h"
#include "shell/VqsSysApp.h"

#include <gtest/gtest.h>

#include <algorithm>

using frametest::HostWindow;
using frametest::TestFrame;
using frametest::TestView;

namespace {

struct FrameListTest : ::testing::Test {
    VqsSysApp app;
    HostWindow host;

    TestFrame* Add()
    {
        TestFrame* frame = host.MakeFrame();
        app.GetFrameList().AddTail(frame);
        return frame;
    }
    // The frame whose selection the GO command routes to.
    VqsListFrame* Routed() { return app.FindFrame(app.GetFirstActiveFrame()); }
};

bool WasDeleted(TestFrame* frame)
{
    const auto& deleted = TestFrame::Deleted();
    return std::find(deleted.begin(), deleted.end(), frame) != deleted.end();
}

} // namespace

TEST_F(FrameListTest, TheSelectionComesFromTheActiveFrameOfTheFirstFrame)
{
    EXPECT_EQ(Routed(), nullptr) << "no frames";
    TestFrame* first = Add();
    TestFrame* second = Add();
    EXPECT_EQ(Routed(), first);
    first->active = second;
    EXPECT_EQ(Routed(), second);

    TestFrame* stranger = host.MakeFrame();
    first->active = stranger;
    EXPECT_EQ(app.GetFirstActiveFrame(), stranger);
    EXPECT_EQ(Routed(), nullptr) << "an active frame outside the frame list is not asked";

    first->active = second;
    TestView* left = second->AddView();
    TestView* right = second->AddView();
    TestView* elsewhere = first->AddView();
    PxVQSystemPtr system;
    PxVQBSSoftLinkPtr bsLink;
    PxVQElementSoftLinkPtr elementLink;
    PxVQGenSetPtr genSet;
    app.RouteToActiveFrame(system, bsLink, elementLink, genSet);
    EXPECT_EQ(left->contextRequests, 1) << "every view of the routed frame is asked";
    EXPECT_EQ(right->contextRequests, 1);
    EXPECT_EQ(elsewhere->contextRequests, 0);
    stranger->DestroyWindow();
}

TEST_F(FrameListTest, OnlyFramesWithAWindowRefreshAndEveryStaleFlagIsCleared)
{
    TestFrame* first = Add();
    auto* windowless = new TestFrame;
    app.GetFrameList().AddTail(windowless);
    TestFrame* third = Add();
    TestView* firstView = first->AddView();
    TestView* windowlessView = new TestView;
    windowless->views.push_back(windowlessView);
    TestView* thirdView = third->AddView();
    first->SetRefreshPending();
    windowless->SetRefreshPending();

    app.RefreshAllViews(nullptr);
    EXPECT_EQ(firstView->refreshes, 1);
    EXPECT_EQ(windowlessView->refreshes, 0);
    EXPECT_EQ(thirdView->refreshes, 1);

    app.ClearRefreshPending();
    EXPECT_FALSE(first->IsRefreshPending());
    EXPECT_FALSE(windowless->IsRefreshPending());
    EXPECT_FALSE(third->IsRefreshPending());
    delete windowlessView;
}

TEST_F(FrameListTest, AFrameLeavesTheListWhenItsWindowIsDestroyed)
{
    TestFrame* first = Add();
    TestFrame* second = Add();
    second->DestroyWindow();
    EXPECT_TRUE(WasDeleted(second));
    EXPECT_EQ(app.GetFrameList().GetCount(), 1);
    EXPECT_EQ(app.GetFrameList().GetHead(), first);

    host.DestroyWindow();
    EXPECT_TRUE(WasDeleted(first)) << "with the host window";
    EXPECT_TRUE(app.GetFrameList().IsEmpty());
}

TEST(FrameListEndTest, TheApplicationDestroysItsFramesLastFirst)
{
    HostWindow host;
    TestFrame::Deleted().clear();
    TestFrame* first = nullptr;
    TestFrame* second = nullptr;
    {
        VqsSysApp app;
        first = host.MakeFrame();
        second = host.MakeFrame();
        app.GetFrameList().AddTail(first);
        app.GetFrameList().AddTail(second);
    }
    EXPECT_EQ(TestFrame::Deleted(), (std::vector<TestFrame*>{second, first}));
    EXPECT_EQ(host.GetTopWindow(), nullptr) << "their windows are gone";
}
