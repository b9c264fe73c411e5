// Steps that meet a lock store another process keeps busy (the lock file, or the server's lock
// tables, held in a long transaction of its own), on a repository file and on a server: none
// holds the host with nothing on screen. A step that declines waits (the host's prepare inside
// its open transaction) gives up after one brief try with the store's words, and the host's
// transaction goes on; a step that waits shows the lock-progress box past the quiet wait, whose
// Cancel ends it with nothing held, or fails within one busy timeout with the store's words.
// The other process would let the store go only after half a minute of the clock.
#include "SysViewTestSupport.h"

#include "model/VqsSyncResult.h"
#include "proxy/PxFaultInjection.h"
#include "proxy/PxLockStore.h"
#include "proxy/PxTesting.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQOptionSet.h"
#include "support/ClockActingAt.h"
#include "support/LockStoreHolder.h"
#include "sysview/VqsOptionSetView.h"
#include "win/UserActions.h"

#include <memory>
#include <string>

namespace {

constexpr UINT ID_LOCK = 32809;
constexpr UINT kLockProgressDialog = 105;
constexpr int kBusyTimeout = 50;
constexpr std::uint64_t kHeldFor = 30000;
const std::string kStoreBusy =
    "Cannot reach the repository's locks: the repository is in use by another session; try again later.";

struct BusyLockStoreStepsTest : OtherProcessLockTest<Store> {
    std::unique_ptr<vqtest::LockStoreHolder> holder;

    void SetUp() override
    {
        clock.SetSleepMovesClock(true);
        SysViewTest::SetUp();
        app.CloseSession();
        repository = NewSharedSample(GetParam(), dir);
        holder = std::make_unique<vqtest::LockStoreHolder>(repository, 2);
    }

    int progressShown = 0;

    // Her session, waiting one short busy timeout for a busy lock store; her Cancel gives up the
    // first `waits` waits its lock-progress box shows (counted).
    void Open(int waits = 0)
    {
        vqtest::ScriptedUiDriver::WindowScript& progress = ui.WheneverDialog(kLockProgressDialog);
        for (int wait = 0; wait < waits; ++wait)
            progress.Run([this] { ++progressShown; }).Cancel().Wait();
        StartGatedSession(repository, {});
        PxTesting::SetBusyTimeout(*app.GetLink(), kBusyTimeout);
    }

    void TearDown() override
    {
        PxFaultInjection::Reset();
        if (app.IsTransactionPending())
            app.TransactionFailed();
        holder->Release();
        OtherProcessLockTest::TearDown();
    }

    PxVQOptionSetPtr NtGen(PxVQLink& link) const
    {
        return link.GetLVQEnterprise()->GetSystem("SYS1")->GetCurConfig()->GetOptionSet("NTGEN");
    }

    // Whether another user finds a link of that name in SYS1's SALES.
    bool Stored(const char* name) const
    {
        PxVQLink other;
        other.AttachSession(repository.c_str(), "other/dev", nullptr);
        return other.GetLVQEnterprise()->GetSystem("SYS1")->GetCurConfig()->GetBSSoftLink("SALES")->GetElementSoftLink(
                   name) != nullptr;
    }
};

} // namespace

TEST_P(BusyLockStoreStepsTest, APrepareInsideTheOpenHostTransactionGivesUpOnABusyStoreAndTheTransactionGoesOn)
{
    Open();
    app.SetSynchronizeMode(VqsSyncInteractive);
    ASSERT_TRUE(app.PrepareForTransaction("SALES", 0));
    ASSERT_TRUE(app.Rename("LSEREPORT", "MONTHEND", "MONTHLY", "SALES"));
    ASSERT_TRUE(holder->Hold());
    {
        const vqtest::ClockActingAt releasing(clock, kHeldFor, [&] { holder->Release(); });
        PxTesting::ResetBusyWaited();
        ui.ExpectMessageBox("Cannot lock one of the objects:\n" + kStoreBusy, IDOK);
        EXPECT_FALSE(app.PrepareForTransaction("SALES", 0));
        ui.Verify();
        EXPECT_FALSE(releasing.Acted()) << "the prepare waited for the store";
        // The prepared locks' give-back, owed once refused, and then the lock calls' brief tries.
        EXPECT_LE(PxTesting::BusyWaited(), static_cast<std::uint64_t>(kBusyTimeout + 5 * kPxBriefBusyMilliseconds));
    }
    EXPECT_TRUE(app.IsTransactionPending());
    ASSERT_TRUE(holder->Release());

    EXPECT_TRUE(app.PrepareForTransaction("SALES", 0));
    EXPECT_TRUE(app.Rename("LSEREPORT", "QUARTERLY", "MONTHEND", "SALES"));
    app.TransactionClosed();
    EXPECT_TRUE(Stored("QUARTERLY"));
    EXPECT_FALSE(Stored("MONTHLY"));
}

// The user's Lock of a generate set, the store held from the Lock's start or from its lock call
// on. A wait for it past the quiet wait shows the lock-progress box, whose Cancel ends the step
// with nothing said; a read of the lock file that stays busy fails the step within one busy
// timeout with the store's words (a server's lock tables are read beside their holder). Nothing
// is held after.
TEST_P(BusyLockStoreStepsTest, ALockOfASetOnABusyStoreFailsWithTheStoresWordsOrShowsTheProgressBox)
{
    const bool serverReadsBesideTheHolder = GetParam() == Store::Server;
    Open(serverReadsBesideTheHolder ? 2 : 1);
    SelectFirstGenerateSet("Sample system 1");
    VqsOptionSetView* list = frame->GetOptionSetView();
    for (const bool fromTheLockCall : {false, true}) {
        SCOPED_TRACE(fromTheLockCall ? "held from the lock call on" : "held as the Lock begins");
        const bool readFails = !fromTheLockCall && !serverReadsBesideTheHolder;
        const int shownBefore = progressShown;
        if (fromTheLockCall)
            PxFaultInjection::Run("PxLink::PersistentLock", [&] { holder->Hold(); });
        else
            ASSERT_TRUE(holder->Hold());
        if (readFails)
            ui.ExpectMessageBox("Cannot lock the object:\n" + kStoreBusy, IDOK);
        {
            const vqtest::ClockActingAt releasing(clock, kHeldFor, [&] { holder->Release(); });
            PxTesting::ResetBusyWaited();
            list->SendMessage(WM_COMMAND, ID_LOCK, 0);
            vqwin::PumpPending();
            ui.Verify();
            EXPECT_FALSE(releasing.Acted()) << "the Lock waited on with nothing on screen";
            EXPECT_EQ(progressShown, shownBefore + (readFails ? 0 : 1));
            if (readFails) {
                EXPECT_LE(PxTesting::BusyWaited(), static_cast<std::uint64_t>(kBusyTimeout));
            }
        }
        ASSERT_TRUE(holder->Release());
        EXPECT_FALSE(NtGen(*app.GetLink())->GetPersistentLock());
    }
}

INSTANTIATE_TEST_SUITE_P(Stores, BusyLockStoreStepsTest, ::testing::Values(Store::File, Store::Server),
                         StoreParamName);
