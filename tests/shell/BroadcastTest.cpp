#include "ListFrameTestSupport.h"
#include "ShellTestSupport.h"

#include "proxy/PxTypedList.h"
#include "proxy/PxVQSystem.h"
#include "support/SampleRepository.h"
#include "support/ScriptedUiDriver.h"

using frametest::HostWindow;
using frametest::TestFrame;
using frametest::TestView;

namespace {

std::vector<int> Hints(const TestView* view)
{
    std::vector<int> hints;
    for (const TestView::Notice& notice : view->notices)
        hints.push_back(notice.hint);
    return hints;
}

struct BroadcastTest : ShellTest {
    HostWindow host;
    TestFrame* first = nullptr;
    TestFrame* second = nullptr;
    TestView* a = nullptr;
    TestView* b = nullptr;
    TestView* c = nullptr;

    void SetUp() override
    {
        ShellTest::SetUp();
        first = host.MakeFrame();
        second = host.MakeFrame();
        app.GetFrameList().AddTail(first);
        app.GetFrameList().AddTail(second);
        a = first->AddView();
        b = first->AddView();
        c = second->AddView();
    }
    void Notice(int code, VqsListView* sender = nullptr) { app.BroadcastObjectChange(code, sender, nullptr, nullptr); }
};

} // namespace

TEST_F(BroadcastTest, ANoticeReachesEveryViewButItsSender)
{
    Notice(9, b);
    EXPECT_EQ(Hints(a), std::vector<int>{9});
    EXPECT_EQ(Hints(b), std::vector<int>{});
    EXPECT_EQ(Hints(c), std::vector<int>{9});

    auto* windowless = new TestFrame;
    app.GetFrameList().AddTail(windowless);
    TestView stray;
    windowless->views.push_back(&stray);
    Notice(17);
    EXPECT_TRUE(stray.notices.empty()) << "a frame without a window hears nothing";
    windowless->views.clear();
}

TEST_F(BroadcastTest, NoticesWaitWhileATransactionIsPendingAndArriveInOrderWithoutRedraw)
{
    app.BeginTransaction();
    Notice(9, a);
    Notice(11, c);
    Notice(12);
    EXPECT_TRUE(a->notices.empty() && b->notices.empty() && c->notices.empty());

    app.FinishTransaction(true);
    EXPECT_FALSE(app.IsTransactionPending());
    EXPECT_EQ(Hints(a), (std::vector<int>{11, 12}));
    EXPECT_EQ(Hints(b), (std::vector<int>{9, 11, 12}));
    EXPECT_EQ(Hints(c), (std::vector<int>{9, 12}));
    for (const TestView* view : {a, b, c}) {
        for (const TestView::Notice& notice : view->notices)
            EXPECT_FALSE(notice.redrawOn) << "every view waits with its redraw during the replay";
        EXPECT_TRUE(vqwin::IsRedrawOn(view->m_hWnd)) << "and redraws afterwards";
    }
    EXPECT_EQ(vqwin::GetWaitCursorState().depth, 0);

    Notice(13);
    EXPECT_EQ(Hints(c), (std::vector<int>{9, 12, 13})) << "delivered at once again";
    EXPECT_TRUE(c->notices.back().redrawOn);
}

TEST_F(BroadcastTest, AFailedTransactionDropsItsNotices)
{
    app.BeginTransaction();
    Notice(9);
    app.FinishTransaction(false);
    app.FinishTransaction(true);
    EXPECT_TRUE(a->notices.empty() && c->notices.empty());

    app.BeginTransaction();
    Notice(10);
    app.BeginTransaction();
    Notice(11);
    app.FinishTransaction(true);
    EXPECT_EQ(Hints(a), std::vector<int>{11}) << "a new transaction drops what the last one left";
}

// A notice tells of what is stored already: a view that cannot take it in is told of once, as
// its failure says, and the other views still hear of every notice, at once or at the end of
// a transaction.
TEST_F(BroadcastTest, AViewThatCannotTakeInANoticeIsToldOnceAndTheOthersStillHearIt)
{
    a->failure = "The view cannot read the row";
    vqtest::ScriptedUiDriver ui;
    ui.ExpectMessageBox("The view cannot read the row", IDOK);
    EXPECT_NO_THROW(Notice(9));
    ui.Verify();
    EXPECT_EQ(Hints(b), std::vector<int>{9});
    EXPECT_EQ(Hints(c), std::vector<int>{9});

    ui.ExpectMessageBox("The view cannot read the row", IDOK);
    app.BeginTransaction();
    Notice(10);
    Notice(11);
    EXPECT_NO_THROW(app.FinishTransaction(true));
    ui.Verify();
    EXPECT_EQ(Hints(a), (std::vector<int>{9, 10, 11}));
    EXPECT_EQ(Hints(c), (std::vector<int>{9, 10, 11}));
}

TEST_F(BroadcastTest, OnlyTheSystemColourIsKnown)
{
    app.SetColor(RGB(1, 2, 3), "window");
    app.SetColor(RGB(1, 2, 3), nullptr);
    EXPECT_TRUE(a->notices.empty());
    EXPECT_NE(app.GetSystemColor(), RGB(1, 2, 3));

    app.SetColor(RGB(1, 2, 3), "SYSTEM");
    EXPECT_EQ(app.GetSystemColor(), RGB(1, 2, 3));
    EXPECT_EQ(Hints(a), std::vector<int>{19});
    EXPECT_EQ(Hints(c), std::vector<int>{19});
    EXPECT_FALSE(a->notices.front().object);
}

TEST_F(BroadcastTest, QueuedNoticesKeepTheirObjects)
{
    vqtest::SampleRepository sample;
    ASSERT_TRUE(app.SetResourceModule("vqsysres"));
    ASSERT_TRUE(app.OpenSession(sample.Path().c_str(), "ABC", nullptr));
    PxVQSystemPtr system;
    {
        PxTypedList<PxVQSystemPtr> systems;
        app.GetEnterprise()->GetListOfSystems(systems);
        system = systems.GetHead();
    }
    const PxVQObjectPtr queued = system;
    const PxVQObjectPtr enterprise = app.GetEnterprise();

    app.BeginTransaction();
    app.BroadcastObjectChange(9, nullptr, &queued, &enterprise);
    app.FinishTransaction(true);
    ASSERT_EQ(a->notices.size(), 1u);
    EXPECT_TRUE(a->notices[0].object == system);
    EXPECT_TRUE(a->notices[0].object2 == enterprise);
    app.CloseSession();
}
