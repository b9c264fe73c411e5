#include "shell/VqsListFrame.h"
#include "shell/VqsSysApp.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> g_events;

class TestFrame : public VqsListFrame {
public:
    explicit TestFrame(std::string name, bool withWindow = true) : m_name(std::move(name))
    {
        if (withWindow)
            CreateEx(0, nullptr, m_name.c_str(), WS_POPUP, 0, 0, 10, 10, nullptr, nullptr);
    }
    ~TestFrame() override { g_events.push_back("delete " + m_name); }

    CWnd* GetActiveFrame() override { return active ? active : VqsListFrame::GetActiveFrame(); }
    void GetSelectionContext(PxPtr<PxVQSystem>&, PxPtr<PxVQBSSoftLink>&, PxPtr<PxVQElementSoftLink>&,
                             PxPtr<PxVQGenSet>&) override
    {
    }
    void RefreshViews(VqsModel*) override { g_events.push_back("refresh " + m_name); }

    CWnd* active = nullptr;

private:
    std::string m_name;
};

struct FrameListTest : ::testing::Test {
    VqsSysApp app;

    TestFrame* Add(const char* name, bool withWindow = true)
    {
        auto* frame = new TestFrame(name, withWindow);
        app.GetFrameList().AddTail(frame);
        return frame;
    }
    // The frame whose selection the GO command routes to.
    VqsListFrame* Routed() { return app.FindFrame(app.GetFirstActiveFrame()); }
    void SetUp() override { g_events.clear(); }
};

} // namespace

TEST_F(FrameListTest, TheSelectionComesFromTheActiveFrameOfTheFirstFrame)
{
    EXPECT_EQ(Routed(), nullptr) << "no frames";
    TestFrame* first = Add("first");
    TestFrame* second = Add("second");
    EXPECT_EQ(Routed(), first);
    first->active = second;
    EXPECT_EQ(Routed(), second);

    TestFrame stranger("stranger");
    first->active = &stranger;
    EXPECT_EQ(app.GetFirstActiveFrame(), &stranger);
    EXPECT_EQ(Routed(), nullptr) << "an active frame outside the frame list is not asked";
}

TEST_F(FrameListTest, OnlyFramesWithAWindowRefreshAndEveryStaleFlagIsCleared)
{
    TestFrame* first = Add("first");
    TestFrame* closed = Add("closed", false);
    TestFrame* third = Add("third");
    first->SetRefreshPending();
    closed->SetRefreshPending();
    app.RefreshAllViews(nullptr);
    EXPECT_EQ(g_events, (std::vector<std::string>{"refresh first", "refresh third"}));

    app.ClearRefreshPending();
    EXPECT_FALSE(first->IsRefreshPending());
    EXPECT_FALSE(closed->IsRefreshPending());
    EXPECT_FALSE(third->IsRefreshPending());
}

TEST(FrameListEndTest, TheApplicationDeletesItsFramesLastFirst)
{
    g_events.clear();
    {
        VqsSysApp app;
        app.GetFrameList().AddTail(new TestFrame("first"));
        app.GetFrameList().AddTail(new TestFrame("second"));
    }
    EXPECT_EQ(g_events, (std::vector<std::string>{"delete second", "delete first"}));
}
