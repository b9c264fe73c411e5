#include "PxTestRepository.h"

#include "proxy/PxProcess.h"
#include "proxy/PxTypedList.h"
#include "win/Clock.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <stdexcept>

namespace {

// A child process that runs `work` on its own links, signals the parent, then waits for
// the parent's word before it ends with _exit (so nothing of it is cleaned up). The parent
// holds no connection to the repository while it forks.
class Child {
public:
    explicit Child(const std::function<void()>& work)
    {
        if (pipe(m_ready) != 0 || pipe(m_go) != 0)
            throw std::runtime_error("pipe");
        m_pid = fork();
        if (m_pid < 0)
            throw std::runtime_error("fork");
        if (m_pid == 0) {
            char byte = 1;
            try {
                work();
            } catch (...) {
                byte = 0;
            }
            (void)!write(m_ready[1], &byte, 1);
            (void)!read(m_go[0], &byte, 1);
            _exit(0);
        }
    }
    ~Child() { Finish(); }

    // Waits until the child has done its work; false when the work failed.
    bool WaitReady()
    {
        char byte = 0;
        return read(m_ready[0], &byte, 1) == 1 && byte == 1;
    }
    // Lets the child end and waits until it has exited, leaving it unreaped (a zombie).
    void ExitUnreaped()
    {
        char byte = 1;
        (void)!write(m_go[1], &byte, 1);
        siginfo_t info{};
        waitid(P_PID, static_cast<id_t>(m_pid), &info, WEXITED | WNOWAIT);
    }
    // Lets the child end and waits for it to be gone.
    void Finish()
    {
        if (m_pid <= 0)
            return;
        char byte = 1;
        (void)!write(m_go[1], &byte, 1);
        waitpid(m_pid, nullptr, 0);
        m_pid = 0;
        for (int fd : {m_ready[0], m_ready[1], m_go[0], m_go[1]})
            close(fd);
    }

private:
    pid_t m_pid = 0;
    int m_ready[2] = {-1, -1};
    int m_go[2] = {-1, -1};
};

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

TEST(PxProcessTest, TheProcessCarriesTheUserCodeAndCountsSessions)
{
    PxTestRepository repository;
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

TEST(PxProcessTest, ADeadProcessesLocksAreFreedForTheNextSession)
{
    PxTestRepository repository;
    {
        auto setup = PxAttach(repository.Path());
        setup->BeginTransaction();
        setup->GetLVQEnterprise()->CreateMember("hosts", "PxVQObject")->SetAttributeText("name", "X");
        setup->CommitTransaction();
    }
    Child child([&] {
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

TEST(PxProcessTest, AProcessThatHasExitedHoldsNoLocksBeforeItIsReaped)
{
    PxTestRepository repository;
    {
        auto setup = PxAttach(repository.Path());
        setup->BeginTransaction();
        setup->GetLVQEnterprise()->CreateMember("hosts", "PxVQObject")->SetAttributeText("name", "X");
        setup->CommitTransaction();
    }
    Child child([&] {
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

TEST(PxProcessTest, AnObjectMadeAfterAProcessDiedInItsTransactionIsFreeOfThatProcesssLocks)
{
    PxTestRepository repository;
    Child child([&] {
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

TEST(PxProcessTest, AProcessTakingALockAgainAndAgainCannotStarveAnotherThatWaits)
{
    PxTestRepository repository;
    {
        auto setup = PxAttach(repository.Path());
        setup->BeginTransaction();
        setup->GetLVQEnterprise()->CreateMember("hosts", "PxVQObject")->SetAttributeText("name", "X");
        setup->CommitTransaction();
    }
    Signal waiting;
    Signal tryAgain;
    Signal holding;
    g_waiting = &waiting;
    g_tryAgain = &tryAgain;
    Child child([&] {
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

TEST(PxProcessTest, AnotherProcessesCommittedWorkIsSeen)
{
    PxTestRepository repository;
    Child child([&] {
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

} // namespace
