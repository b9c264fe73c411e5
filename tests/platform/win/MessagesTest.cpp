#include "WinTestSupport.h"

#include "win/Clock.h"
#include "win/Messages.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>

namespace {

constexpr UINT WM_POST_THREE = WM_USER + 1;
constexpr UINT WM_ANSWER = WM_USER + 7;
constexpr UINT WM_ECHO = WM_USER + 8;
constexpr UINT WM_FAIL = WM_USER + 9;

class PostingWnd : public RecordingWnd {
public:
    LRESULT OnPostThree(WPARAM, LPARAM)
    {
        for (WPARAM i = 1; i <= 3; ++i)
            PostMessage(WM_USER + 10, i);
        seenBeforeReturn = Count(WM_USER + 10);
        return 0;
    }
    LRESULT OnAnswer(WPARAM wParam, LPARAM) { return static_cast<LRESULT>(wParam * 2); }
    // Asks the window named in lParam, which may belong to the thread that sent this.
    LRESULT OnEcho(WPARAM wParam, LPARAM lParam)
    {
        return ::SendMessage(reinterpret_cast<HWND>(lParam), WM_ANSWER, wParam, 0) + 1;
    }
    LRESULT OnFail(WPARAM, LPARAM) { throw std::runtime_error("handler failed"); }

    int seenBeforeReturn = -1;

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(PostingWnd, RecordingWnd)
    ON_MESSAGE(WM_POST_THREE, &PostingWnd::OnPostThree)
    ON_MESSAGE(WM_ANSWER, &PostingWnd::OnAnswer)
    ON_MESSAGE(WM_ECHO, &PostingWnd::OnEcho)
    ON_MESSAGE(WM_FAIL, &PostingWnd::OnFail)
END_MESSAGE_MAP()

TEST(MessagesTest, MessagesPostedByAHandlerArriveAfterItReturnsInOrder)
{
    PostingWnd wnd;
    ASSERT_TRUE(wnd.CreateTop());
    wnd.PostMessage(WM_POST_THREE);
    EXPECT_TRUE(vqwin::PumpPending());

    EXPECT_EQ(wnd.seenBeforeReturn, 0);
    std::vector<WPARAM> order;
    for (const ReceivedMessage& m : wnd.received) {
        if (m.message == WM_USER + 10)
            order.push_back(m.wParam);
    }
    EXPECT_EQ(order, (std::vector<WPARAM>{1, 2, 3}));
}

TEST(MessagesTest, SendRunsAtOnceOnTheOwningThread)
{
    PostingWnd wnd;
    ASSERT_TRUE(wnd.CreateTop());
    EXPECT_EQ(wnd.SendMessage(WM_ANSWER, 21), 42);
    EXPECT_EQ(wnd.received.back().threadId, GetCurrentThreadId());
}

// A thread whose main window lives in its own message loop.
class LoopThread : public CWinThread {
public:
    LoopThread() { m_bAutoDelete = FALSE; }
    BOOL InitInstance() override
    {
        auto* wnd = new PostingWnd;
        wnd->CreateTop();
        m_pMainWnd = wnd;
        window = wnd->m_hWnd;
        return TRUE;
    }
    int ExitInstance() override
    {
        delete m_pMainWnd;
        return CWinThread::ExitInstance();
    }
    HWND window = nullptr;
};

TEST(MessagesTest, SendFromAnotherThreadRunsOnTheLoopThreadAndReturnsItsResult)
{
    LoopThread thread;
    ASSERT_TRUE(thread.CreateThread());
    ASSERT_TRUE(vqwin::WaitUntilThreadWaits(thread.m_nThreadID));

    EXPECT_EQ(::SendMessage(thread.window, WM_ANSWER, 5, 0), 10);
    auto* wnd = static_cast<PostingWnd*>(CWnd::FromHandlePermanent(thread.window));
    EXPECT_EQ(wnd->received.back().threadId, thread.m_nThreadID);

    thread.PostThreadMessage(WM_QUIT, 3, 0);
    EXPECT_EQ(WaitForSingleObject(thread.m_hThread, INFINITE), WAIT_OBJECT_0);
    DWORD exitCode = 0;
    EXPECT_TRUE(GetExitCodeThread(thread.m_hThread, &exitCode));
    EXPECT_EQ(exitCode, 3u);
    EXPECT_FALSE(IsWindow(thread.window));
}

TEST(MessagesTest, AWorkerSendingToThisThreadIsAnsweredByItsLoop)
{
    PostingWnd wnd;
    ASSERT_TRUE(wnd.CreateTop());
    std::atomic<LRESULT> answer{0};
    Worker worker([&] {
        answer = ::SendMessage(wnd.m_hWnd, WM_ANSWER, 4, 0);
        ::PostMessage(wnd.m_hWnd, WM_QUIT, 0, 0);
    });
    MSG msg;
    while (GetMessage(&msg, nullptr, 0, 0))
        DispatchMessage(&msg);
    worker.Join();
    EXPECT_EQ(answer, 8);
    EXPECT_EQ(wnd.Count(WM_ANSWER), 1);
}

TEST(MessagesTest, AThreadWaitingForItsSendStillAnswersMessagesSentToIt)
{
    PostingWnd mine;
    ASSERT_TRUE(mine.CreateTop());
    LoopThread thread;
    ASSERT_TRUE(thread.CreateThread());
    ASSERT_TRUE(vqwin::WaitUntilThreadWaits(thread.m_nThreadID));

    EXPECT_EQ(::SendMessage(thread.window, WM_ECHO, 10, reinterpret_cast<LPARAM>(mine.m_hWnd)), 21);
    EXPECT_EQ(mine.received.back().threadId, GetCurrentThreadId());

    thread.PostThreadMessage(WM_QUIT, 0, 0);
    WaitForSingleObject(thread.m_hThread, INFINITE);
}

TEST(MessagesTest, ASendToAThreadThatEndsWithoutAnsweringReturnsZero)
{
    CEvent finish;
    std::atomic<HWND> window{nullptr};
    Worker owner([&] {
        PostingWnd wnd;
        wnd.CreateTop();
        window = wnd.m_hWnd;
        WaitForSingleObject(finish, INFINITE);
    });
    ASSERT_TRUE(owner.WaitUntilWaiting());
    std::atomic<LRESULT> answer{-1};
    Worker sender([&] { answer = ::SendMessage(window, WM_ANSWER, 3, 0); });
    ASSERT_TRUE(sender.WaitUntilWaiting());

    finish.SetEvent();
    sender.Join();
    EXPECT_EQ(answer, 0);
}

TEST(MessagesTest, AHandlerThatThrowsReleasesTheThreadThatSentToIt)
{
    PostingWnd wnd;
    ASSERT_TRUE(wnd.CreateTop());
    std::atomic<LRESULT> answer{-1};
    Worker sender([&] { answer = ::SendMessage(wnd.m_hWnd, WM_FAIL, 0, 0); });
    ASSERT_TRUE(sender.WaitUntilWaiting());
    EXPECT_THROW(vqwin::PumpPending(), std::runtime_error);
    sender.Join();
    EXPECT_EQ(answer, 0);
}

TEST(MessagesTest, QuitStaysQueuedForTheLoopThatOwnsIt)
{
    RecordingWnd wnd;
    ASSERT_TRUE(wnd.CreateTop());
    wnd.PostMessage(WM_USER + 1);
    PostQuitMessage(9);
    wnd.PostMessage(WM_USER + 2);
    EXPECT_FALSE(vqwin::PumpPending());
    EXPECT_EQ(wnd.Count(WM_USER + 1), 1);
    EXPECT_EQ(wnd.Count(WM_USER + 2), 0);

    MSG msg;
    EXPECT_FALSE(GetMessage(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.wParam, 9u);
    EXPECT_TRUE(vqwin::PumpPending());
    EXPECT_EQ(wnd.Count(WM_USER + 2), 1);
}

TEST(MessagesTest, MessagesForAWindowThatIsGoneAreDropped)
{
    RecordingWnd wnd;
    ASSERT_TRUE(wnd.CreateTop());
    HWND hwnd = wnd.m_hWnd;
    wnd.PostMessage(WM_USER + 1);
    wnd.DestroyWindow();
    EXPECT_TRUE(vqwin::PumpPending());
    EXPECT_EQ(wnd.Count(WM_USER + 1), 0);
    EXPECT_FALSE(::PostMessage(hwnd, WM_USER + 1, 0, 0));
    EXPECT_EQ(::SendMessage(hwnd, WM_USER + 1, 0, 0), 0);
}

class TimerWnd : public RecordingWnd {
public:
    void OnTimer(UINT_PTR id) { ticks.push_back(id); }
    std::vector<UINT_PTR> ticks;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TimerWnd, RecordingWnd)
    ON_WM_TIMER()
END_MESSAGE_MAP()

TEST(MessagesTest, TimerFiresWhenTheInjectedClockPassesItsInterval)
{
    vqclock::ManualClock clock;
    vqclock::ScopedClock scope(clock);
    TimerWnd wnd;
    ASSERT_TRUE(wnd.CreateTop());
    EXPECT_EQ(wnd.SetTimer(2, 200), 2u);

    clock.Advance(199);
    vqwin::PumpPending();
    EXPECT_TRUE(wnd.ticks.empty());

    clock.Advance(1);
    vqwin::PumpPending();
    EXPECT_EQ(wnd.ticks, (std::vector<UINT_PTR>{2}));

    clock.Advance(1000); // a late timer fires once, not once per missed interval
    vqwin::PumpPending();
    EXPECT_EQ(wnd.ticks.size(), 2u);

    EXPECT_TRUE(wnd.KillTimer(2));
    clock.Advance(1000);
    vqwin::PumpPending();
    EXPECT_EQ(wnd.ticks.size(), 2u);
}

class TimerThread : public CWinThread {
public:
    TimerThread() { m_bAutoDelete = FALSE; }
    BOOL InitInstance() override
    {
        m_pMainWnd = &wnd;
        wnd.CreateTop();
        wnd.SetTimer(2, 200);
        return TRUE;
    }
    TimerWnd wnd;
};

TEST(MessagesTest, ALoopWaitingForMessagesWakesWhenTheClockPassesItsTimer)
{
    vqclock::ManualClock clock;
    vqclock::ScopedClock scope(clock);
    TimerThread thread;
    ASSERT_TRUE(thread.CreateThread());
    ASSERT_TRUE(vqwin::WaitUntilThreadWaits(thread.m_nThreadID));
    EXPECT_TRUE(thread.wnd.ticks.empty());

    clock.Advance(200);
    ASSERT_TRUE(vqwin::WaitUntilThreadWaits(thread.m_nThreadID));
    EXPECT_EQ(thread.wnd.ticks.size(), 1u);

    thread.PostThreadMessage(WM_QUIT, 0, 0);
    WaitForSingleObject(thread.m_hThread, INFINITE);
}

class PaintWnd : public RecordingWnd {
public:
    void OnPaint() { ++paints; CWnd::OnPaint(); }
    int paints = 0;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(PaintWnd, RecordingWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()

TEST(MessagesTest, AnInvalidWindowIsPaintedOnceWhenNothingElseWaits)
{
    PaintWnd wnd;
    ASSERT_TRUE(wnd.CreateTop());
    wnd.PostMessage(WM_USER + 1);
    vqwin::PumpPending();
    EXPECT_EQ(wnd.paints, 1);
    EXPECT_EQ(wnd.Messages(WM_PAINT, WM_USER + 1), (std::vector<UINT>{WM_USER + 1, WM_PAINT}));

    wnd.SetRedraw(FALSE);
    wnd.Invalidate();
    vqwin::PumpPending();
    EXPECT_EQ(wnd.paints, 1);
    wnd.SetRedraw(TRUE);
    wnd.UpdateWindow();
    EXPECT_EQ(wnd.paints, 2);
    vqwin::PumpPending();
    EXPECT_EQ(wnd.paints, 2);
}

TEST(MessagesTest, KeyDownIsTranslatedIntoTheCharacterThatFollowsIt)
{
    RecordingWnd wnd;
    ASSERT_TRUE(wnd.CreateTop());
    wnd.PostMessage(WM_KEYDOWN, 'A');
    wnd.PostMessage(WM_USER + 1);
    vqwin::PumpPending();
    EXPECT_EQ(wnd.Messages(WM_KEYDOWN, WM_USER + 1), (std::vector<UINT>{WM_KEYDOWN, WM_CHAR, WM_USER + 1}));
    for (const ReceivedMessage& m : wnd.received) {
        if (m.message == WM_CHAR) {
            EXPECT_EQ(m.wParam, static_cast<WPARAM>('a'));
        }
    }
}

} // namespace
