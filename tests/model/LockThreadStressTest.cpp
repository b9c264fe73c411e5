// The user-interface thread locks objects directly, in and out of locking periods, while the
// session's lock thread ticks on the manual clock. Built with the thread sanitizer, this is
// where a state shared by the two threads without a guard shows.
#include "model/LockTestSupport.h"

#include "proxy/PxLockErrorInfo.h"

using vqtest::LockSessionTest;

TEST_F(LockSessionTest, DirectLocksWhileTheLockThreadTicksLeaveTheSessionWhole)
{
    const std::string repository = NewRepository();
    OpenSession(repository);
    auto other = AttachOtherUser(repository);
    PxVQObjectPtr theirs(other->GetLVQEnterprise());
    PxVQObjectPtr enterprise(app.GetEnterprise());
    HWND progress = ProgressWindow();
    clock.SetSleepMovesClock(true);

    for (int turn = 0; turn < 200; ++turn) {
        const bool inPeriod = turn % 3 == 0;
        const bool heldByOther = !inPeriod && turn % 5 == 1;
        if (heldByOther) {
            ASSERT_TRUE(theirs->WriteLock(0));
        }
        if (inPeriod)
            Manager().BeginLocking(Link());
        clock.Advance(100);
        const PxLockErrorInfo result = enterprise->WriteLock(0);
        EXPECT_EQ(result.Succeeded(), !heldByOther) << "turn " << turn;
        clock.Advance(100);
        if (inPeriod)
            Manager().EndLocking(Link());
        if (result.Succeeded()) {
            EXPECT_TRUE(enterprise->UnLock());
        }
        if (heldByOther) {
            EXPECT_TRUE(theirs->UnLock());
        }
    }
    SettleLockThread();
    EXPECT_FALSE(IsWindowVisible(progress));
    EXPECT_TRUE(Boxes().empty());
}
