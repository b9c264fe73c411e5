#include "model/LockTestSupport.h"

#include "proxy/PxLockErrorInfo.h"
#include "support/ChildProcess.h"

#include <stdexcept>

using vqtest::kLockProgressDialog;
using vqtest::LockSessionTest;
using vqtest::ProgressView;

// Another process holds the lock: the wait shows its progress after two seconds, Cancel
// gives up without a message, and once that process is gone its locks are free.
TEST_F(LockSessionTest, AnotherProcessesLockIsWaitedForUntilCancelAndFreedWhenItDies)
{
    const std::string repository = NewRepository();
    vqtest::ChildProcess other([&] {
        auto link = AttachOtherUser(repository);
        if (!link->GetLVQEnterprise()->WriteLock(0))
            throw std::runtime_error("lock");
        link.release();
    });
    ASSERT_TRUE(other.WaitReady());

    ProgressView shown;
    ui.WheneverDialog(kLockProgressDialog).Run([&] { shown = vqtest::ReadProgress(); }).Cancel().Wait();
    OpenSession(repository);
    GateRetries();
    PxVQObjectPtr enterprise(app.GetEnterprise());
    const std::int64_t start = Now();

    Manager().BeginLocking(Link());
    const PxLockErrorInfo refused = enterprise->WriteLock(0);
    Manager().EndLocking(Link());
    EXPECT_EQ(refused.GetErrorCode(), PxLockGivenUp);
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(shown.clock - start, 2);
    EXPECT_EQ(shown.currentElapsed, "00:00:02");
    EXPECT_EQ(shown.attempts, std::to_string(GatedAttempts().back()));

    other.Kill();
    Manager().BeginLocking(Link());
    EXPECT_TRUE(enterprise->WriteLock(0));
    Manager().EndLocking(Link());
    EXPECT_TRUE(Boxes().empty());
    ui.Verify();
}
