#include "shell/VqsSysApp.h"

#include "support/ScopedResourceLibrary.h"
#include "support/ScriptedUiDriver.h"
#include "vqclient/VqClient.h"
#include "vqclient/VqcThreads.h"
#include "win/Clock.h"
#include "win/Sync.h"

#include <gtest/gtest.h>

#include <atomic>
#include <vector>

namespace {

// A generation that takes its time to end once cancelled: it ends only when released.
class SlowGeneration : public VqcMainThread {
public:
    SlowGeneration(HANDLE release, std::atomic<bool>& workEndedFirst)
        : m_release(release), m_workEndedFirst(workEndedFirst)
    {
    }
    using VqcMainThread::EndGeneration;
    int ExitInstance() override
    {
        m_workEndedFirst = !AnyActiveWorkThreads();
        WaitForSingleObject(m_release, INFINITE);
        return VqcMainThread::ExitInstance();
    }

private:
    HANDLE m_release;
    std::atomic<bool>& m_workEndedFirst;
};

UINT WaitForRelease(LPVOID release)
{
    WaitForSingleObject(static_cast<HANDLE>(release), INFINITE);
    return 0;
}

// Lets the client's threads end at its third idle turn.
class IdlingApp : public VqsSysApp {
public:
    BOOL OnIdle(LONG count) override
    {
        idleCounts.push_back(count);
        if (idleCounts.size() == 3)
            release.SetEvent();
        return FALSE;
    }

    std::vector<LONG> idleCounts;
    CEvent release{FALSE, TRUE};
};

struct CloseSessionTest : ::testing::Test {
    vqclock::ManualClock clock;
    vqclock::ScopedClock clockScope{clock};
    IdlingApp app;
    std::atomic<bool> workEndedFirst{false};

    CloseSessionTest() { clock.SetSleepMovesClock(true); }

    SlowGeneration* StartGeneration()
    {
        auto* generation = new SlowGeneration(app.release, workEndedFirst);
        EXPECT_TRUE(generation->CreateThread());
        return generation;
    }
};

} // namespace

TEST_F(CloseSessionTest, ClosingCancelsRunningGenerationsAndIdlesUntilTheyEnd)
{
    StartGeneration();
    StartGeneration();
    ASSERT_TRUE(AnyActiveMainThreads());

    app.CloseSession();
    EXPECT_FALSE(AnyActiveMainThreads());
    EXPECT_EQ(GetMainThreadCount(), 0);
    ASSERT_GE(app.idleCounts.size(), 3u) << "the threads ended only after the third idle turn";
    for (LONG count : app.idleCounts)
        EXPECT_EQ(count, 0);
}

TEST_F(CloseSessionTest, FinishedGenerationsAreCancelledOnceTheirWorkThreadsHaveEnded)
{
    StartGeneration()->EndGeneration();
    auto* work = new VqcWorkThread(&WaitForRelease, app.release.m_hObject);
    ASSERT_TRUE(work->CreateThread());
    ASSERT_FALSE(AnyActiveMainThreads());
    ASSERT_EQ(GetMainThreadCount(), 1);

    app.CloseSession();
    EXPECT_EQ(GetMainThreadCount(), 0);
    EXPECT_FALSE(AnyActiveWorkThreads());
    EXPECT_TRUE(workEndedFirst);
    EXPECT_GE(app.idleCounts.size(), 3u);
}

TEST_F(CloseSessionTest, WithoutGenerationsClosingDoesNotIdle)
{
    app.CloseSession();
    EXPECT_TRUE(app.idleCounts.empty());
}

TEST_F(CloseSessionTest, ShuttingDownDuringAGenerationNeedsTheUsersYes)
{
    vqtest::ScopedResourceLibrary resources;
    EXPECT_TRUE(app.WillingToClose()) << "no question while nothing runs";
    StartGeneration();
    const std::string question =
        "Wrenfield cannot be shut down while there is a Generate in progress.\n"
        "Press \"Yes\" if you want the Generate to be cancelled. Wrenfield will shut down immediately.\n"
        "Press \"No\" or \"Cancel\" if you do not want the Generate to be cancelled. Wrenfield will not shut down.";
    {
        vqtest::ScriptedUiDriver ui;
        ui.ExpectMessageBox(question, IDNO).ExpectMessageBox(question, IDCANCEL).ExpectMessageBox(question, IDYES);
        EXPECT_FALSE(app.WillingToClose());
        EXPECT_FALSE(app.WillingToClose());
        EXPECT_TRUE(app.WillingToClose());
        EXPECT_EQ(ui.Seen().back().style & MB_TYPEMASK, MB_YESNOCANCEL);
    }
    EXPECT_TRUE(AnyActiveMainThreads()) << "the question cancels nothing";
    app.CloseSession();
}
