#include "PxTestRepository.h"

#include "proxy/PxFaultInjection.h"
#include "proxy/PxPostgres.h"
#include "proxy/PxProcess.h"
#include "proxy/PxSqlite.h"
#include "proxy/PxTesting.h"
#include "proxy/PxTypedList.h"
#include "support/ChildProcess.h"
#include "win/Clock.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <stdexcept>

namespace {

// A pipe that carries one byte at a time between the two processes.
class Signal {
public:
    Signal()
    {
        if (pipe(m_fds) != 0)
            throw std::runtime_error("pipe");
    }
    ~Signal()
    {
        close(m_fds[0]);
        close(m_fds[1]);
    }
    void Raise() { (void)!write(m_fds[1], "1", 1); }
    bool Await()
    {
        char byte = 0;
        return read(m_fds[0], &byte, 1) == 1;
    }

private:
    int m_fds[2] = {-1, -1};
};

// The child's retry callback: after its first refusal it tells the parent it waits, and
// waits for the parent's word before it tries again.
Signal* g_waiting = nullptr;
Signal* g_tryAgain = nullptr;

int WaitForTheParent(PxLockErrorInfo& info)
{
    if (info.GetErrorCode() != PxLockHeldByOther || info.GetAttemptCount() == 3)
        return 0;
    if (info.GetAttemptCount() == 0) {
        g_waiting->Raise();
        g_tryAgain->Await();
    }
    info.SetAttemptCount(info.GetAttemptCount() + 1);
    return 1;
}

// Hosts of those names, which the tests lock from two processes.
void AddHosts(const PxTestRepository& repository, std::initializer_list<const char*> names)
{
    auto setup = PxAttach(repository.Path());
    setup->BeginTransaction();
    for (const char* name : names)
        setup->GetLVQEnterprise()->CreateMember("hosts", "PxVQObject")->SetAttributeText("name", name);
    setup->CommitTransaction();
}

void AddHostX(const PxTestRepository& repository) { AddHosts(repository, {"X"}); }

PxVQObjectPtr HostNamed(PxVQLink& link, const char* name)
{
    return link.GetLVQEnterprise()->FindMember("hosts", "name", name);
}

// Sessions of several processes on one repository.
class PxProcessTest : public PxStoreTest {};

TEST_P(PxProcessTest, TheProcessCarriesTheUserCodeAndCountsSessions)
{
    const PxTestRepository& repository = m_repository;
    auto first = PxAttach(repository.Path(), "carol/payroll");
    EXPECT_EQ(first->GetProcess()->GetUserCode(), "carol/payroll");
    EXPECT_EQ(first->GetProcess()->GetNode()->NumberOfProcesses(), 1);
    int handle = 0;
    auto second = PxAttach(repository.Path(), "dave", &handle);
    auto sharing = PxAttach(repository.Path(), "dave", &handle);
    EXPECT_EQ(first->GetProcess()->GetNode()->NumberOfProcesses(), 2);
    EXPECT_EQ(sharing->GetProcess(), second->GetProcess());
    second.reset();
    EXPECT_EQ(first->GetProcess()->GetNode()->NumberOfProcesses(), 2) << "the session lives while a link has it";
    sharing.reset();
    EXPECT_EQ(first->GetProcess()->GetNode()->NumberOfProcesses(), 1);

    PxVQLink unnamed;
    unnamed.AttachSession(":memory:", nullptr, nullptr);
    EXPECT_EQ(unnamed.GetProcess()->GetUserCode(), "");
}

TEST_P(PxProcessTest, ADeadProcessesLocksAreFreedForTheNextSession)
{
    const PxTestRepository& repository = m_repository;
    AddHostX(repository);
    vqtest::ChildProcess child([&] {
        auto link = PxAttach(repository.Path(), "child/locker");
        PxTypedList<PxVQObjectPtr> hosts;
        link->GetLVQEnterprise()->GetMembers("hosts", hosts);
        if (!link->WriteLock(hosts, 0) || !link->GetLVQEnterprise()->FutureUpdateLock())
            throw std::runtime_error("lock");
        link.release(); // the process dies holding its session
    });
    ASSERT_TRUE(child.WaitReady());

    auto parent = PxAttach(repository.Path());
    PxVQObjectPtr host = parent->GetLVQEnterprise()->FindMember("hosts", "name", "X");
    EXPECT_EQ(host->WriteLock(0).GetErrorCode(), PxLockHeldByOther);
    EXPECT_EQ(parent->GetProcess()->GetNode()->NumberOfProcesses(), 2);

    child.Finish();

    EXPECT_TRUE(host->WriteLock(0));
    EXPECT_TRUE(parent->GetLVQEnterprise()->FutureUpdateLock());
    EXPECT_EQ(parent->GetProcess()->GetNode()->NumberOfProcesses(), 1);
}

// Each row asks in turn, so that no row raises what an earlier one was granted.
TEST_P(PxProcessTest, ALockNothingStandsInTheWayOfIsTakenAtOnceAndWhatAnotherProcessHoldsStillRefuses)
{
    const PxTestRepository& repository = m_repository;
    AddHosts(repository, {"A", "B", "C", "D", "E"});
    vqtest::ChildProcess child([&] {
        auto link = PxAttach(repository.Path(), "child/holder");
        if (!HostNamed(*link, "A")->WriteLock(0) || !HostNamed(*link, "B")->ReadLock() ||
            !HostNamed(*link, "C")->PersistentLock(1))
            throw std::runtime_error("lock");
        link.release();
    });
    ASSERT_TRUE(child.WaitReady());

    auto parent = PxAttach(repository.Path());
    struct Row {
        const char* host;
        const char* asked;
        std::function<PxLockErrorInfo(PxVQObject&)> lock;
        int code;
    };
    const auto read = [](PxVQObject& host) { return host.ReadLock(); };
    const auto futureUpdate = [](PxVQObject& host) { return host.FutureUpdateLock(); };
    const auto write = [](PxVQObject& host) { return host.WriteLock(0); };
    const auto persistent = [](PxVQObject& host) { return host.PersistentLock(0); };
    const Row rows[] = {
        {"A", "read", read, PxLockHeldByOther},
        {"B", "write", write, PxLockHeldByOther},
        {"B", "read", read, PxLockGranted},
        {"C", "future update", futureUpdate, PxLockPersistentlyLocked},
        {"C", "persistent", persistent, PxLockPersistentlyLocked},
        {"C", "read", read, PxLockGranted},
        {"D", "write", write, PxLockGranted},
        {"E", "persistent", persistent, PxLockGranted},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.asked) + " of " + row.host);
        PxVQObjectPtr host = HostNamed(*parent, row.host);
        const std::int64_t trips = PxPgConnection::RoundTrips();
        EXPECT_EQ(row.lock(*host).GetErrorCode(), row.code);
        if (GetParam() == PxStoreKind::Server && row.code == PxLockGranted) {
            EXPECT_EQ(PxPgConnection::RoundTrips() - trips, 1);
        }
    }
    child.Finish();
    EXPECT_TRUE(HostNamed(*parent, "A")->WriteLock(0)) << "the other process's locks went with it";
}

TEST_P(PxProcessTest, AGenerationClaimOfAKilledProcessReadsAsEnded)
{
    const PxTestRepository& repository = m_repository;
    AddHostX(repository);
    vqtest::ChildProcess child([&] {
        auto link = PxAttach(repository.Path(), "child/generator");
        if (!PxVQObjectPtr(link->GetLVQEnterprise()->FindMember("hosts", "name", "X"))->ClaimForGeneration())
            throw std::runtime_error("claim");
        link.release(); // the process dies with its generation running
    });
    ASSERT_TRUE(child.WaitReady());

    auto parent = PxAttach(repository.Path(), "child/generator");
    PxVQObjectPtr host(parent->GetLVQEnterprise()->FindMember("hosts", "name", "X"));
    EXPECT_EQ(host->GetGenerationClaim(), PxVQObject::GenerationClaim::Other);
    EXPECT_EQ(host->GetGenerationClaimUser(), "child/generator");
    EXPECT_FALSE(host->ClaimForGeneration());

    child.Kill();

    EXPECT_EQ(host->GetGenerationClaimUser(), "");
    EXPECT_EQ(host->GetGenerationClaim(), PxVQObject::GenerationClaim::None);
    EXPECT_TRUE(host->ClaimForGeneration());
}

// Whether another live session holds an object or claims its generation, and who, is read as
// the last lock-tables transaction left them: it does not wait for the one that runs.
TEST_P(PxProcessTest, WhoHoldsAnObjectIsAnsweredWhileTheLockTablesAreInUse)
{
    if (GetParam() != PxStoreKind::Server)
        GTEST_SKIP() << "a file's lock tables are read in their transaction";
    const PxTestRepository& repository = m_repository;
    AddHostX(repository);
    vqtest::ChildProcess child([&] {
        auto link = PxAttach(repository.Path(), "child/generator");
        PxVQObjectPtr host = HostNamed(*link, "X");
        if (!host->ClaimForGeneration() || !host->WriteLock(0))
            throw std::runtime_error("claim");
        link.release();
    });
    ASSERT_TRUE(child.WaitReady());

    auto parent = PxAttach(repository.Path(), "parent/dev");
    PxTesting::SetBusyTimeout(*parent, 50);
    PxVQObjectPtr host = HostNamed(*parent, "X");
    PxPgConnection lockTables(repository.Path());
    lockTables.Execute("BEGIN; SELECT pg_advisory_xact_lock(29871, 2)", pxwhat::Lock);
    EXPECT_TRUE(host->IsLocked());
    EXPECT_EQ(host->GetGenerationClaim(), PxVQObject::GenerationClaim::Other);
    EXPECT_EQ(host->GetGenerationClaimUser(), "child/generator");
    lockTables.Execute("ROLLBACK", pxwhat::Lock);
    child.Finish();
}

TEST_P(PxProcessTest, ADeadSessionFoundByTwoStartingSessionsLiftsItsGenerationHoldOnce)
{
    const PxTestRepository& repository = m_repository;
    AddHostX(repository);
    vqtest::ChildProcess child([&] {
        auto link = PxAttach(repository.Path(), "child/generator");
        PxVQObjectPtr host = link->GetLVQEnterprise()->FindMember("hosts", "name", "X");
        if (!host->PersistentLock(1) || !host->PersistentLock(0) || !host->ClaimForGeneration(TRUE))
            throw std::runtime_error("hold");
        link.release(); // the process dies with its generation running
    });
    ASSERT_TRUE(child.WaitReady());
    vqtest::ChildProcess other({[] {}, [&] { PxAttach(repository.Path(), "bob/dev").release(); }});
    ASSERT_TRUE(other.WaitReady());
    child.Kill();

    // Both find the dead session before either drops it; the other process drops it first.
    bool otherStarted = false;
    PxFaultInjection::Run("PxLockStore::PurgeSessions", [&] { otherStarted = other.RunNextStep(); });
    auto first = PxAttach(repository.Path());
    PxFaultInjection::Reset();
    ASSERT_TRUE(otherStarted);

    PxVQObjectPtr host = first->GetLVQEnterprise()->FindMember("hosts", "name", "X");
    EXPECT_EQ(host->GetIntProperty("persistentLockCount"), 1) << "one hold went with the claim, the other stays";
    EXPECT_EQ(host->GetGenerationClaim(), PxVQObject::GenerationClaim::None);
    EXPECT_EQ(first->GetProcess()->GetNode()->NumberOfProcesses(), 2);
}

TEST_P(PxProcessTest, AProcessThatHasExitedHoldsNoLocksBeforeItIsReaped)
{
    const PxTestRepository& repository = m_repository;
    AddHostX(repository);
    vqtest::ChildProcess child([&] {
        auto link = PxAttach(repository.Path(), "child/locker");
        PxVQObjectPtr host = link->GetLVQEnterprise()->FindMember("hosts", "name", "X");
        if (!host->WriteLock(0))
            throw std::runtime_error("lock");
        link.release();
    });
    ASSERT_TRUE(child.WaitReady());
    child.ExitUnreaped();

    auto parent = PxAttach(repository.Path());
    PxVQObjectPtr host = parent->GetLVQEnterprise()->FindMember("hosts", "name", "X");
    EXPECT_TRUE(host->WriteLock(0));
    EXPECT_EQ(parent->GetProcess()->GetNode()->NumberOfProcesses(), 1);
}

TEST_P(PxProcessTest, AnObjectMadeAfterAProcessDiedInItsTransactionIsFreeOfThatProcesssLocks)
{
    const PxTestRepository& repository = m_repository;
    vqtest::ChildProcess child([&] {
        auto link = PxAttach(repository.Path(), "child/placer");
        link->BeginTransaction();
        PxVQObjectPtr host = link->GetLVQEnterprise()->CreateMember("hosts", "PxVQObject");
        if (!host->PersistentLock(1))
            throw std::runtime_error("lock");
        link.release(); // the process dies in its transaction
    });
    ASSERT_TRUE(child.WaitReady());
    child.Finish();

    auto parent = PxAttach(repository.Path());
    parent->BeginTransaction();
    PxVQObjectPtr host = parent->GetLVQEnterprise()->CreateMember("hosts", "PxVQObject");
    parent->CommitTransaction();
    EXPECT_FALSE(host->GetPersistentLock());
    EXPECT_TRUE(host->WriteLock(0));
}

TEST_P(PxProcessTest, AProcessTakingALockAgainAndAgainCannotStarveAnotherThatWaits)
{
    const PxTestRepository& repository = m_repository;
    AddHostX(repository);
    Signal waiting;
    Signal tryAgain;
    Signal holding;
    g_waiting = &waiting;
    g_tryAgain = &tryAgain;
    vqtest::ChildProcess child([&] {
        vqclock::ManualClock clock;
        vqclock::ScopedClock scope(clock);
        holding.Await();
        try {
            auto link = PxAttach(repository.Path(), "child/waiter");
            link->PxSetRetryFunction(WaitForTheParent);
            PxVQObjectPtr host = link->GetLVQEnterprise()->FindMember("hosts", "name", "X");
            if (!host->WriteLock(0))
                throw std::runtime_error("lock");
            link.release();
        } catch (...) {
            waiting.Raise(); // the parent must not wait for ever
            throw;
        }
    });

    // Until the child has its word to try again, each side waits for the other: no early return.
    auto parent = PxAttach(repository.Path());
    PxVQObjectPtr host = parent->GetLVQEnterprise()->FindMember("hosts", "name", "X");
    EXPECT_TRUE(host->WriteLock(0));
    holding.Raise();
    EXPECT_TRUE(waiting.Await());
    host->UnLock();
    EXPECT_EQ(host->WriteLock(0).GetErrorCode(), PxLockHeldByOther) << "the waiting process comes first";
    tryAgain.Raise();
    ASSERT_TRUE(child.WaitReady());
    EXPECT_EQ(host->WriteLock(0).GetErrorCode(), PxLockHeldByOther);
    child.Finish();
    EXPECT_TRUE(host->WriteLock(0));
}

TEST_P(PxProcessTest, AnotherProcessesCommittedWorkIsSeen)
{
    const PxTestRepository& repository = m_repository;
    vqtest::ChildProcess child([&] {
        auto link = PxAttach(repository.Path(), "child/writer");
        link->BeginTransaction();
        link->GetLVQEnterprise()->CreateMember("systems", "PxVQObject")->SetAttributeText("name", "FROM_CHILD");
        link->CommitTransaction();
    });
    ASSERT_TRUE(child.WaitReady());
    child.Finish();

    auto parent = PxAttach(repository.Path());
    PxVQObjectPtr system = parent->GetLVQEnterprise()->FindMember("systems", "name", "FROM_CHILD");
    ASSERT_TRUE(system);
    EXPECT_TRUE(system->ObjectPresent());
}

PX_ON_BOTH_STORES(PxProcessTest);

} // namespace
