#include "WinTestSupport.h"

#include "win/Clock.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

// A thread's very last steps: its thread-local objects go after its body has ended, and
// take a while.
struct LastSteps {
    std::atomic<bool>* done = nullptr;
    ~LastSteps()
    {
        for (int turn = 0; turn < 1000; ++turn)
            std::this_thread::yield();
        if (done)
            *done = true;
    }
};
thread_local LastSteps t_lastSteps;

UINT EndWithLastSteps(LPVOID done)
{
    t_lastSteps.done = static_cast<std::atomic<bool>*>(done);
    return 0;
}

// Only then may the waiter unload the thread's code or end the process.
TEST(CWinThreadTest, AThreadIsWhollyGoneWhenAWaitForItReturns)
{
    std::atomic<bool> gone{false};
    CWinThread* thread = AfxBeginThread(&EndWithLastSteps, &gone, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(thread, nullptr);
    thread->m_bAutoDelete = FALSE;
    thread->ResumeThread();
    EXPECT_EQ(WaitForSingleObject(thread->m_hThread, INFINITE), WAIT_OBJECT_0);
    EXPECT_TRUE(gone);
    delete thread;
}

TEST(CWinThreadTest, AThreadCreatedSuspendedRunsOnlyAfterResume)
{
    std::atomic<bool> ran{false};
    Worker worker([&] { ran = true; }, true);
    ASSERT_TRUE(worker.WaitUntilWaiting());
    EXPECT_FALSE(ran);

    EXPECT_EQ(worker.Thread()->ResumeThread(), 1u);
    worker.Join();
    EXPECT_TRUE(ran);
}

TEST(CWinThreadTest, ASuspendedThreadStopsAtItsNextWaitAndGoesOnWhenResumed)
{
    vqclock::ManualClock clock;
    vqclock::ScopedClock scope(clock);
    std::atomic<int> passes{0};
    std::atomic<bool> stop{false};
    Worker worker([&] {
        while (!stop) {
            ++passes;
            Sleep(1000);
        }
    });
    ASSERT_TRUE(worker.WaitUntilWaiting());
    EXPECT_EQ(passes, 1);

    EXPECT_EQ(worker.Thread()->SuspendThread(), 0u);
    clock.Advance(5000);
    ASSERT_TRUE(worker.WaitUntilWaiting());
    EXPECT_EQ(passes, 1);

    EXPECT_EQ(worker.Thread()->ResumeThread(), 1u);
    ASSERT_TRUE(worker.WaitUntilWaiting());
    EXPECT_EQ(passes, 2);

    stop = true;
    clock.Advance(1000);
    worker.Join();
}

TEST(CWinThreadTest, SuspensionWaitsUntilTheThreadHoldsNoLock)
{
    vqclock::ManualClock clock;
    vqclock::ScopedClock scope(clock);
    CCriticalSection section;
    std::atomic<bool> released{false};
    Worker worker([&] {
        section.Lock();
        Sleep(100);
        section.Unlock();
        released = true;
        Sleep(100);
    });
    ASSERT_TRUE(worker.WaitUntilWaiting());
    worker.Thread()->SuspendThread();
    clock.Advance(100);
    ASSERT_TRUE(worker.WaitUntilWaiting());
    EXPECT_TRUE(released);
    EXPECT_TRUE(section.Lock(0));
    section.Unlock();

    clock.Advance(100);
    ASSERT_TRUE(worker.WaitUntilWaiting());
    EXPECT_FALSE(worker.Ended());
    worker.Thread()->ResumeThread();
    worker.Join();
}

// A semaphore is held by the thread that took it until some thread releases it.
TEST(CWinThreadTest, ASemaphoreReleasedByAnotherThreadLetsItsTakerBeSuspended)
{
    vqclock::ManualClock clock;
    vqclock::ScopedClock scope(clock);
    CSemaphore semaphore(1, 1);
    std::atomic<int> passes{0};
    std::atomic<bool> stop{false};
    Worker taker([&] {
        semaphore.Lock();
        while (!stop) {
            ++passes;
            Sleep(100);
        }
    });
    ASSERT_TRUE(taker.WaitUntilWaiting());
    taker.Thread()->SuspendThread();
    clock.Advance(100);
    ASSERT_TRUE(taker.WaitUntilWaiting());
    EXPECT_EQ(passes, 2) << "not stopped while it holds the semaphore";

    EXPECT_TRUE(semaphore.Unlock());
    clock.Advance(100);
    ASSERT_TRUE(taker.WaitUntilWaiting());
    EXPECT_EQ(passes, 2) << "stopped once the semaphore it took was released";

    stop = true;
    taker.Thread()->ResumeThread();
    clock.Advance(100);
    taker.Join();
}

TEST(CWinThreadTest, ReleasingASemaphoreAnotherThreadTookKeepsTheReleasersCriticalSection)
{
    vqclock::ManualClock clock;
    vqclock::ScopedClock scope(clock);
    CSemaphore semaphore(1, 1);
    CCriticalSection section;
    ASSERT_TRUE(semaphore.Lock(0));
    std::atomic<int> passes{0};
    std::atomic<bool> stop{false};
    Worker releaser([&] {
        CSingleLock inside(&section, TRUE);
        semaphore.Unlock();
        while (!stop) {
            ++passes;
            Sleep(100);
        }
    });
    ASSERT_TRUE(releaser.WaitUntilWaiting());
    releaser.Thread()->SuspendThread();
    clock.Advance(100);
    ASSERT_TRUE(releaser.WaitUntilWaiting());
    EXPECT_EQ(passes, 2) << "not stopped while it holds the critical section";

    stop = true;
    releaser.Thread()->ResumeThread();
    clock.Advance(100);
    releaser.Join();
}

class DialogThread : public CWinThread {
public:
    BOOL InitInstance() override
    {
        ++g_started;
        return startLoop;
    }
    int ExitInstance() override
    {
        ++g_exited;
        return CWinThread::ExitInstance();
    }
    ~DialogThread() override { ++g_deleted; }

    static inline std::atomic<int> g_started{0};
    static inline std::atomic<int> g_exited{0};
    static inline std::atomic<int> g_deleted{0};
    static inline bool startLoop = false;
};

TEST(CWinThreadTest, AThreadWhoseInitInstanceFailsEndsAndDeletesItself)
{
    DialogThread::startLoop = false;
    DialogThread::g_started = DialogThread::g_exited = DialogThread::g_deleted = 0;
    CWinThread* thread = AfxBeginThread(RUNTIME_CLASS(DialogThread), THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(thread, nullptr);
    HANDLE handle = nullptr;
    ASSERT_TRUE(DuplicateHandle(GetCurrentProcess(), thread->m_hThread, GetCurrentProcess(), &handle, 0, FALSE,
                                DUPLICATE_SAME_ACCESS));
    thread->ResumeThread();
    EXPECT_EQ(WaitForSingleObject(handle, INFINITE), WAIT_OBJECT_0);
    EXPECT_EQ(DialogThread::g_started, 1);
    EXPECT_EQ(DialogThread::g_exited, 1);
    EXPECT_EQ(DialogThread::g_deleted, 1);
    CloseHandle(handle);
}

TEST(CWinThreadTest, AMessageLoopThreadRunsUntilItIsToldToQuit)
{
    DialogThread::startLoop = true;
    DialogThread::g_exited = 0;
    CWinThread* thread = AfxBeginThread(RUNTIME_CLASS(DialogThread), THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(thread, nullptr);
    HANDLE handle = nullptr;
    DuplicateHandle(GetCurrentProcess(), thread->m_hThread, GetCurrentProcess(), &handle, 0, FALSE,
                    DUPLICATE_SAME_ACCESS);
    const DWORD id = thread->m_nThreadID;
    thread->ResumeThread();
    ASSERT_TRUE(vqwin::WaitUntilThreadWaits(id));
    DWORD code = 0;
    EXPECT_TRUE(GetExitCodeThread(handle, &code));
    EXPECT_EQ(code, STILL_ACTIVE);

    EXPECT_TRUE(PostThreadMessage(id, WM_QUIT, 0, 0));
    EXPECT_EQ(WaitForSingleObject(handle, INFINITE), WAIT_OBJECT_0);
    EXPECT_EQ(DialogThread::g_exited, 1);
    EXPECT_FALSE(PostThreadMessage(id, WM_USER, 0, 0));
    CloseHandle(handle);
}

// A modal loop on a thread of its own, ended by a message sent from another thread.
class ModalWnd : public RecordingWnd {
public:
    void OnClose() { EndModalLoop(IDCANCEL); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ModalWnd, RecordingWnd)
    ON_WM_CLOSE()
END_MESSAGE_MAP()

class ModalThread : public CWinThread {
public:
    ModalThread() { m_bAutoDelete = FALSE; }
    BOOL InitInstance() override
    {
        m_pMainWnd = &dialog;
        dialog.m_bContinueModal = TRUE;
        dialog.CreateTop("Lock Progress");
        result = dialog.RunModalLoop();
        dialog.DestroyWindow();
        return FALSE;
    }
    class Dialog : public ModalWnd {
    public:
        using CWnd::m_bContinueModal;
    } dialog;
    int result = 0;
};

TEST(CWinThreadTest, AModalLoopOnAnotherThreadEndsOnWmCloseSentToIt)
{
    ModalThread thread;
    ASSERT_TRUE(thread.CreateThread());
    ASSERT_TRUE(vqwin::WaitUntilThreadWaits(thread.m_nThreadID));
    HWND dialog = FindWindowEx(nullptr, nullptr, nullptr, "Lock Progress");
    ASSERT_EQ(dialog, thread.dialog.m_hWnd);

    ::SendMessage(dialog, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(IsIconic(dialog));
    ::SendMessage(dialog, WM_CLOSE, 0, 0);
    WaitForSingleObject(thread.m_hThread, INFINITE);
    EXPECT_EQ(thread.result, IDCANCEL);
    EXPECT_FALSE(IsWindow(dialog));
}

} // namespace
