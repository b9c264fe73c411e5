#include "WinTestSupport.h"

#include "win/Clock.h"

#include <gtest/gtest.h>

#include <atomic>

namespace {

TEST(SyncTest, ANamedEventSetInOneThreadReleasesAWaitInAnother)
{
    CEvent event(FALSE, FALSE, "VqsSynchEvent");
    std::atomic<DWORD> result{WAIT_FAILED};
    Worker worker([&] {
        HANDLE same = OpenEvent(SYNCHRONIZE, FALSE, "VqsSynchEvent");
        result = WaitForSingleObject(same, INFINITE);
        CloseHandle(same);
    });
    ASSERT_TRUE(worker.WaitUntilWaiting());
    EXPECT_FALSE(worker.Ended());

    EXPECT_TRUE(event.SetEvent());
    worker.Join();
    EXPECT_EQ(result, WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT); // the waiter took the automatic reset
}

TEST(SyncTest, AWaitWithATimeOutEndsWhenTheClockPassesIt)
{
    vqclock::ManualClock clock;
    vqclock::ScopedClock scope(clock);
    CEvent event;
    std::atomic<DWORD> result{WAIT_FAILED};
    Worker worker([&] { result = WaitForSingleObject(event, 500); });
    ASSERT_TRUE(worker.WaitUntilWaiting());

    clock.Advance(499);
    ASSERT_TRUE(worker.WaitUntilWaiting());
    EXPECT_FALSE(worker.Ended());

    clock.Advance(1);
    worker.Join();
    EXPECT_EQ(result, WAIT_TIMEOUT);
}

TEST(SyncTest, ManualResetEventsStaySignalledAndNamesLiveWithTheirHandles)
{
    HANDLE event = CreateEvent(nullptr, TRUE, FALSE, "ManualGate");
    HANDLE again = CreateEvent(nullptr, FALSE, TRUE, "ManualGate");
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(WaitForSingleObject(again, 0), WAIT_TIMEOUT); // the existing event, as it was
    SetEvent(event);
    EXPECT_EQ(WaitForSingleObject(again, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_OBJECT_0);
    ResetEvent(again);
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT);

    CloseHandle(event);
    CloseHandle(again);
    EXPECT_EQ(OpenEvent(SYNCHRONIZE, FALSE, "ManualGate"), nullptr);
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_FAILED);
    EXPECT_FALSE(CloseHandle(event));
}

TEST(SyncTest, SemaphoresCountAndRefuseToGoPastTheirMaximum)
{
    CSemaphore semaphore(1, 1);
    {
        CSingleLock lock(&semaphore, TRUE);
        EXPECT_TRUE(lock.IsLocked());
        EXPECT_FALSE(semaphore.Lock(0));
    }
    EXPECT_TRUE(semaphore.Lock(0));
    EXPECT_TRUE(semaphore.Unlock());
    EXPECT_FALSE(semaphore.Unlock());
    EXPECT_EQ(CreateSemaphore(nullptr, 2, 1, nullptr), nullptr);
}

TEST(SyncTest, ACriticalSectionIsOwnedByOneThreadAndReentrantForIt)
{
    CCriticalSection section;
    ASSERT_TRUE(section.Lock());
    ASSERT_TRUE(section.Lock());
    std::atomic<BOOL> other{TRUE};
    Worker([&] { other = section.Lock(0); }).Join();
    EXPECT_FALSE(other);
    section.Unlock();
    Worker([&] { other = section.Lock(0); }).Join();
    EXPECT_FALSE(other);
    section.Unlock();
    Worker([&] {
        other = section.Lock(0);
        section.Unlock();
    }).Join();
    EXPECT_TRUE(other);
    EXPECT_FALSE(section.Unlock());
}

TEST(SyncTest, SleepCanMoveAManualClockItself)
{
    vqclock::ManualClock clock(1000, 0);
    vqclock::ScopedClock scope(clock);
    clock.SetSleepMovesClock(true);
    Sleep(1500);
    EXPECT_EQ(GetTickCount(), 1500u);
    EXPECT_EQ(_time64(nullptr), 1001);
}

TEST(SyncTest, InterlockedCountsReturnTheNewValue)
{
    LONG volatile count = 0;
    EXPECT_EQ(InterlockedIncrement(&count), 1);
    EXPECT_EQ(InterlockedDecrement(&count), 0);
}

} // namespace
