#include "PxTestRepository.h"

#include "logging/LogControl.h"
#include "proxy/PxException.h"
#include "proxy/PxFaultInjection.h"
#include "proxy/PxLockNoWait.h"
#include "proxy/PxLockRaiseCheck.h"
#include "proxy/PxLocking.h"
#include "proxy/PxProcess.h"
#include "proxy/PxTesting.h"
#include "proxy/PxTypedList.h"
#include "support/ChildProcess.h"
#include "support/ClockActingAt.h"
#include "support/EarlierBuildUser.h"
#include "support/LockRaises.h"
#include "support/RefusedLockWrites.h"
#include "support/TempDir.h"
#include "win/Clock.h"
#include "win/Sync.h"

#include <gtest/gtest.h>
#include <libpq-fe.h>
#include <signal.h>

#include <cstdlib>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr const char* kLockStoreBusy =
    "Cannot reach the repository's locks: the repository is in use by another session; try again later.";

// What the retry callback saw, and how it answers; the callback is a plain function.
struct Callback {
    std::vector<int> codes;
    std::vector<int> attempts;
    std::vector<PxVQObjectPtr> objects;
    std::function<int(PxLockErrorInfo&)> answer;
};
Callback* g_callback = nullptr;

int RecordingRetry(PxLockErrorInfo& info)
{
    g_callback->codes.push_back(info.GetErrorCode());
    g_callback->attempts.push_back(info.GetAttemptCount());
    g_callback->objects.push_back(info.GetObject());
    return g_callback->answer ? g_callback->answer(info) : 0;
}

// Counts its own attempts and retries while `retries` last, as the lock manager's callback does.
int CountingRetry(PxLockErrorInfo& info, int& retries)
{
    if (info.GetErrorCode() != PxLockHeldByOther || retries-- <= 0)
        return 0;
    info.SetAttemptCount(info.GetAttemptCount() + 1);
    return 1;
}

// A release the lock store refuses: the store refusing writes (a full disk) or held by another
// connection (`busy`), its holder idling or `closed`.
struct OwedRow {
    const char* what;
    bool busy;
    bool closed;
};
constexpr OwedRow kOwedRows[] = {
    {"disk full, holder idle", false, false},
    {"disk full, holder closed", false, true},
    {"store held, holder idle", true, false},
    {"store held, holder closed", true, true},
};

class PxLockTest : public PxStoreTest {
protected:
    PxLockTest()
        : m_clock(1800000000), m_scope(m_clock), m_a(PxAttach(m_repository.Path(), "alice/dev")),
          m_b(PxAttach(m_repository.Path(), "bob/test"))
    {
        g_callback = &m_callback;
        m_a->BeginTransaction();
        for (const char* name : {"X", "Y", "Z"})
            m_a->GetLVQEnterprise()->CreateMember("hosts", "PxVQObject")->SetAttributeText("name", name);
        m_a->CommitTransaction();
        m_x = Host(*m_a, "X");
        m_theirX = Host(*m_b, "X");
    }
    ~PxLockTest() override
    {
        PxFaultInjection::Reset();
        g_callback = nullptr;
    }

    // Closes the link's session and, on a server, waits until the server has ended its lock
    // connection (its session lock let go), which the close only asks of the server: until then a
    // lock the session held stays in the way.
    void CloseAndAwaitItsEnd(std::unique_ptr<PxVQLink>& link) const
    {
        const std::string session = std::to_string(link->GetProcess()->GetSessionId());
        link.reset();
        if (GetParam() != PxStoreKind::Server)
            return;
        PGconn* server = PQconnectdb(m_repository.Path());
        const std::string ended = "SELECT pg_advisory_lock(" + session + "), pg_advisory_unlock(" + session + ")";
        PQclear(PQexec(server, ended.c_str()));
        PQfinish(server);
    }

    // What the server answers for each of its connections that holds the session's advisory lock
    // (its lock connection): `what`, an expression of the server process's `pid`.
    std::string OnLockConnection(std::int64_t session, const std::string& what) const
    {
        const std::string id = std::to_string(session);
        const std::string query = "SELECT " + what + " FROM pg_locks WHERE locktype = 'advisory'"
                                  " AND objsubid = 1 AND granted AND classid::bigint = " + id + "::bigint >> 32"
                                  " AND objid::bigint = " + id + "::bigint & 4294967295 AND database ="
                                  " (SELECT oid FROM pg_database WHERE datname = current_database())";
        PGconn* server = PQconnectdb(m_repository.Path());
        PGresult* result = PQexec(server, query.c_str());
        const std::string answer = PQntuples(result) == 1 ? PQgetvalue(result, 0, 0) : "";
        PQclear(result);
        PQfinish(server);
        return answer;
    }

    // The server ends the session's lock connection.
    void CutLockConnection(std::int64_t session) const { OnLockConnection(session, "pg_terminate_backend(pid, 10000)"); }

    // The thread that makes what the holder owes: its session's or, `closed`, the process's once
    // the session closed.
    static DWORD OwingThread(std::unique_ptr<PxVQLink>& holder, bool closed)
    {
        if (!closed)
            return PxTesting::GiveBackThread(*holder);
        holder.reset();
        return PxTesting::SessionEndThread();
    }

    // A session of alice/dev that locked X by hand and took the lock back while the lock store
    // refused the removal: held by another connection (`busy`) or refusing writes, as `refusing`
    // keeps it. The session owes the removal.
    std::unique_ptr<PxVQLink> OwingAManualLocksRemoval(std::optional<vqtest::RefusedLockWrites>& refusing, bool busy)
    {
        auto alice = PxAttach(m_repository.Path(), "alice/dev");
        PxTesting::SetBusyTimeout(*alice, 50);
        const PxVQObjectPtr x = Host(*alice, "X");
        EXPECT_TRUE(x->PersistentLock(1));
        refusing.emplace(m_repository.Path(), busy);
        EXPECT_NO_THROW(x->TakeBackManualLock());
        return alice;
    }

    static PxVQObjectPtr Host(PxVQLink& link, const char* name)
    {
        return link.GetLVQEnterprise()->FindMember("hosts", "name", name);
    }
    static PxLockErrorInfo LockOfKind(const PxVQObjectPtr& object, int kind)
    {
        switch (kind) {
        case 1:
            return object->ReadLock();
        case 2:
            return object->LongReadLock();
        case 3:
            return object->FutureUpdateLock();
        default:
            return object->WriteLock(0);
        }
    }

    vqclock::ManualClock m_clock;
    vqclock::ScopedClock m_scope;
    std::unique_ptr<PxVQLink> m_a;
    std::unique_ptr<PxVQLink> m_b;
    PxVQObjectPtr m_x;
    PxVQObjectPtr m_theirX;
    Callback m_callback;
};

TEST_P(PxLockTest, KindsConflictBetweenSessionsAsTheTableSays)
{
    // held (row) against requested (column): read, long read, future update, write
    const int refused[4][4] = {{0, 0, 0, 1}, {0, 0, 0, 1}, {0, 0, 1, 1}, {1, 1, 1, 1}};
    for (int held = 1; held <= 4; ++held) {
        ASSERT_TRUE(LockOfKind(m_theirX, held));
        for (int requested = 1; requested <= 4; ++requested) {
            PxLockErrorInfo info = LockOfKind(m_x, requested);
            EXPECT_EQ(info.GetErrorCode(), refused[held - 1][requested - 1] ? PxLockHeldByOther : PxLockGranted)
                << "held " << held << ", requested " << requested;
            if (info)
                m_x->UnLock();
        }
        m_theirX->UnLock();
    }
}

TEST_P(PxLockTest, ASessionNeverConflictsWithItself)
{
    EXPECT_TRUE(m_x->WriteLock(0));
    EXPECT_TRUE(m_x->ReadLock());
    EXPECT_TRUE(m_x->FutureUpdateLock());
    int shared = 0;
    auto sameSession = PxAttach(m_repository.Path(), "alice/dev", &shared);
    auto other = PxAttach(m_repository.Path(), "alice/dev", &shared);
    EXPECT_TRUE(Host(*sameSession, "Y")->WriteLock(0));
    EXPECT_TRUE(Host(*other, "Y")->WriteLock(0));
}

TEST_P(PxLockTest, ARefusedLockAsksTheCallbackUntilItGivesUp)
{
    ASSERT_TRUE(m_theirX->WriteLock(0));
    int retries = 2;
    m_callback.answer = [&](PxLockErrorInfo& info) { return CountingRetry(info, retries); };
    m_a->PxSetRetryFunction(RecordingRetry);
    std::uint64_t before = GetTickCount64();

    PxLockErrorInfo info = m_x->ReadLock();

    EXPECT_FALSE(info);
    EXPECT_EQ(info.GetErrorCode(), PxLockGivenUp);
    EXPECT_TRUE(info.GetObject()->IsSameOid(m_x));
    EXPECT_EQ(m_callback.codes, (std::vector<int>{3, 3, 3}));
    EXPECT_EQ(m_callback.attempts, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(GetTickCount64() - before, 30u) << "two retry delays, on the clock";
}

TEST_P(PxLockTest, ACallThatDoesNotWaitIsRefusedAtOnceAndTakesNoPlaceInLine)
{
    ASSERT_TRUE(Host(*m_b, "Y")->WriteLock(0));
    m_callback.answer = [](PxLockErrorInfo&) { return 1; };
    m_a->PxSetRetryFunction(RecordingRetry);
    PxTypedList<PxVQObjectPtr> hosts;
    m_a->GetLVQEnterprise()->GetMembers("hosts", hosts);
    PxLockErrorInfo info;
    {
        const PxLockNoWait noWait;
        info = m_a->WriteLock(hosts, 0);
    }

    EXPECT_EQ(info.GetErrorCode(), PxLockHeldByOther);
    EXPECT_TRUE(info.GetObject()->IsSameOid(Host(*m_a, "Y")));
    EXPECT_EQ(m_callback.codes, (std::vector<int>{0})) << "X granted, Y never asked to wait for";
    EXPECT_TRUE(m_theirX->WriteLock(0)) << "X was given back";
    Host(*m_b, "Y")->UnLock();
    EXPECT_TRUE(Host(*m_b, "Y")->WriteLock(0)) << "no session of A waits in line for Y";
}

TEST_P(PxLockTest, RetriesComeSoonThenBackOff)
{
    ASSERT_TRUE(m_theirX->WriteLock(0));
    std::vector<std::uint64_t> delays;
    std::uint64_t last = GetTickCount64();
    m_callback.answer = [&](PxLockErrorInfo&) {
        delays.push_back(GetTickCount64() - last);
        last = GetTickCount64();
        return delays.size() < 10 ? 1 : 0;
    };
    m_a->PxSetRetryFunction(RecordingRetry);

    EXPECT_EQ(m_x->WriteLock(0).GetErrorCode(), PxLockGivenUp);
    EXPECT_EQ(delays, (std::vector<std::uint64_t>{0, 10, 20, 40, 80, 160, 320, 500, 500, 500}));
}

TEST_P(PxLockTest, ALockLetGoGoesToTheSessionThatHasWaitedLongest)
{
    ASSERT_TRUE(m_x->WriteLock(0));
    std::vector<int> retakes;
    m_callback.answer = [&](PxLockErrorInfo& info) {
        if (info.GetErrorCode() != PxLockHeldByOther || retakes.size() == 3)
            return 0;
        m_x->UnLock(); // the holder lets go and takes the lock again at once
        retakes.push_back(m_x->WriteLock(0).GetErrorCode());
        return 1;
    };
    m_b->PxSetRetryFunction(RecordingRetry);

    EXPECT_TRUE(m_theirX->WriteLock(0));
    EXPECT_EQ(retakes, (std::vector<int>{PxLockHeldByOther}));
    EXPECT_EQ(m_callback.codes, (std::vector<int>{3, 0}));
    m_theirX->UnLock();
    EXPECT_TRUE(m_x->WriteLock(0)) << "the line is empty again";
}

TEST_P(PxLockTest, LettingGoOfAnObjectWakesTheFirstInLine)
{
    ASSERT_TRUE(m_x->WriteLock(0));
    ASSERT_TRUE(Host(*m_a, "Y")->WriteLock(0));
    auto third = PxAttach(m_repository.Path(), "carol/ops");
    std::vector<bool> woken;
    m_callback.answer = [&](PxLockErrorInfo& info) {
        if (info.GetErrorCode() != PxLockHeldByOther)
            return 0;
        EXPECT_EQ(Host(*third, "X")->ReadLock().GetErrorCode(), PxLockHeldByOther) << "in line after the waiter";
        Host(*m_a, "Y")->UnLock();
        woken.push_back(PxTesting::WasWoken(*m_b));
        m_x->UnLock();
        woken.push_back(PxTesting::WasWoken(*m_b));
        woken.push_back(PxTesting::WasWoken(*third));
        return 1;
    };
    m_b->PxSetRetryFunction(RecordingRetry);

    EXPECT_TRUE(m_theirX->WriteLock(0));
    EXPECT_EQ(woken, (std::vector<bool>{false, true, false})) << "woken when its object is let go, and only then";
}

TEST_P(PxLockTest, TheLineKeepsNoSessionThatHoldsTheObjectOrHasGivenUp)
{
    ASSERT_TRUE(m_x->ReadLock());
    m_callback.answer = [&](PxLockErrorInfo& info) {
        if (info.GetErrorCode() != PxLockHeldByOther)
            return 0;
        EXPECT_TRUE(m_x->ReadLock()) << "a holder adds holds past a waiting writer";
        EXPECT_EQ(Host(*m_a, "Y")->ReadLock().GetErrorCode(), PxLockGranted) << "the line is per object";
        return 0;
    };
    m_b->PxSetRetryFunction(RecordingRetry);

    EXPECT_EQ(m_theirX->WriteLock(0).GetErrorCode(), PxLockGivenUp);
    m_x->UnLock();
    m_x->UnLock();
    EXPECT_TRUE(m_x->WriteLock(0)) << "a session that gave up waits no more";
}

TEST_P(PxLockTest, ARetriedLockIsGrantedOnceTheOtherSessionLetsGo)
{
    ASSERT_TRUE(m_theirX->WriteLock(0));
    m_callback.answer = [&](PxLockErrorInfo& info) {
        if (info.GetErrorCode() == PxLockHeldByOther && info.GetAttemptCount() == 1)
            m_theirX->UnLock();
        info.SetAttemptCount(info.GetAttemptCount() + 1);
        return info.GetErrorCode() == PxLockHeldByOther ? 1 : 0;
    };
    m_a->PxSetRetryFunction(RecordingRetry);

    EXPECT_TRUE(m_x->WriteLock(0));
    EXPECT_EQ(m_callback.codes, (std::vector<int>{3, 3, 0}));
    EXPECT_EQ(m_theirX->ReadLock().GetErrorCode(), PxLockHeldByOther);
}

TEST_P(PxLockTest, ATransactionWaitingForALockLetsItsHolderCommit)
{
    ASSERT_TRUE(m_theirX->WriteLock(0));
    PxTesting::SetBusyTimeout(*m_b, 0);
    m_a->BeginTransaction();
    m_callback.answer = [&](PxLockErrorInfo& info) {
        if (info.GetErrorCode() != PxLockHeldByOther)
            return 0;
        m_b->BeginTransaction();
        m_theirX->SetAttributeText("name", "X2");
        m_b->CommitTransaction();
        m_theirX->UnLock();
        return 1;
    };
    m_a->PxSetRetryFunction(RecordingRetry);

    ASSERT_TRUE(m_x->WriteLock(0));
    m_x->Refresh();
    EXPECT_EQ(m_x->GetAttributeText("name"), "X2");
    m_x->SetAttributeText("name", "X3");
    m_a->CommitTransaction();
    m_theirX->Refresh();
    EXPECT_EQ(m_theirX->GetAttributeText("name"), "X3");
}

TEST_P(PxLockTest, WithoutACallbackARefusalComesBackAtOnce)
{
    ASSERT_TRUE(m_theirX->FutureUpdateLock());
    EXPECT_EQ(m_a->PxSetRetryFunction(RecordingRetry), nullptr);
    EXPECT_EQ(m_a->PxSetRetryFunction(nullptr), &RecordingRetry);
    EXPECT_EQ(m_x->FutureUpdateLock().GetErrorCode(), PxLockHeldByOther);
    EXPECT_TRUE(m_callback.codes.empty());
}

TEST_P(PxLockTest, AManualPersistentLockRefusesUpdatesWithItsUserAndCount)
{
    ASSERT_TRUE(m_x->PersistentLock(1));
    m_b->PxSetRetryFunction(RecordingRetry);

    PxLockErrorInfo info = m_theirX->WriteLock(0);

    EXPECT_EQ(info.GetErrorCode(), PxLockPersistentlyLocked);
    ASSERT_TRUE(info.GetPersistentLock());
    EXPECT_EQ(info.GetPersistentLock()->GetUserCode(), "alice/dev");
    EXPECT_EQ(info.GetPersistentLock()->GetManualLockCount(), 1);
    EXPECT_EQ(info.GetPersistentLock()->GetLockTime(), 1800000000);
    EXPECT_EQ(m_callback.codes, (std::vector<int>{7})) << "reported once, never retried";
    EXPECT_TRUE(m_theirX->ReadLock());
    m_theirX->UnLock();
    EXPECT_EQ(m_x->WriteLock(0).GetErrorCode(), PxLockPersistentlyLocked) << "the placing user is refused too";

    ASSERT_TRUE(m_x->RemovePersistentLock(1, 1));
    EXPECT_FALSE(m_theirX->GetPersistentLock());
    EXPECT_TRUE(m_theirX->WriteLock(0));
}

TEST_P(PxLockTest, PersistentLockCountsManualAndGenerationHolds)
{
    ASSERT_TRUE(m_x->PersistentLock(0));
    ASSERT_TRUE(m_x->PersistentLock(1));
    EXPECT_EQ(m_theirX->GetIntProperty("persistentLockCount"), 2);
    EXPECT_EQ(m_theirX->GetPersistentLock()->GetManualLockCount(), 1);
    EXPECT_EQ(m_theirX->PersistentLock(1).GetErrorCode(), PxLockPersistentlyLocked) << "another user";

    m_theirX->RemovePersistentLock(0, 1);
    EXPECT_EQ(m_x->GetIntProperty("persistentLockCount"), 1);
    EXPECT_EQ(m_x->GetPersistentLock()->GetManualLockCount(), 1);
    m_x->RemovePersistentLock(0, 1);
    EXPECT_EQ(m_x->GetIntProperty("persistentLockCount"), 1) << "no generation hold was left to remove";
    m_x->RemovePersistentLock(1, 5);
    EXPECT_EQ(m_x->GetIntProperty("persistentLockCount"), 0);
}

// A restart holds its set for update under its generation's hold, which stays in the store all
// along: another user is refused by the hold, the holder's other sessions by the update, and a
// session that ends holding the update leaves the hold where it was.
TEST_P(PxLockTest, AGenerationHoldIsExchangedForAnUpdateUnderTheHoldWhichStays)
{
    ASSERT_TRUE(m_x->PersistentLock(0));
    auto second = PxAttach(m_repository.Path(), "alice/dev");
    const PxVQObjectPtr secondX = Host(*second, "X");

    ASSERT_TRUE(m_x->ExchangeGenerationHold("alice/dev"));

    EXPECT_EQ(m_theirX->GetIntProperty("persistentLockCount"), 1) << "the hold stays";
    EXPECT_EQ(m_theirX->PersistentLock(1).GetErrorCode(), PxLockPersistentlyLocked) << "another user's Lock";
    EXPECT_EQ(m_theirX->FutureUpdateLock().GetErrorCode(), PxLockPersistentlyLocked);
    EXPECT_EQ(secondX->PersistentLock(1).GetErrorCode(), PxLockHeldByOther) << "the holder's other session's Lock";
    EXPECT_EQ(secondX->PersistentLock(0).GetErrorCode(), PxLockPersistentlyLocked)
        << "and its generation: one generation hold at most stands on an object";
    EXPECT_TRUE(m_x->WriteLock(0)) << "under the hold, the update takes what its session needs";
    m_a.reset();
    EXPECT_EQ(m_theirX->GetIntProperty("persistentLockCount"), 1) << "the session that ended left the hold";
    EXPECT_TRUE(secondX->PersistentLock(1)) << "and the update went with it";
}

TEST_P(PxLockTest, AnExchangeOfAnythingButOneGenerationHoldOfTheUserIsRefusedAndChangesNothing)
{
    struct Case {
        const char* what;
        std::vector<int> aliceHolds; // persistent holds placed: 0 generation, 1 manual
        std::vector<int> bobHolds;
        const char* holder;
    };
    const Case cases[] = {
        {"no persistent lock", {}, {}, "alice/dev"},
        {"another user's hold", {}, {0}, "alice/dev"},
        {"the hold of another user than its own", {0}, {}, "bob/test"},
        {"a manual hold beside the generation's", {0, 1}, {}, "alice/dev"},
        {"a generation hold placed beside a manual one", {1, 0}, {}, "alice/dev"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (int manual : c.aliceHolds)
            ASSERT_TRUE(m_x->PersistentLock(manual));
        for (int manual : c.bobHolds)
            ASSERT_TRUE(m_theirX->PersistentLock(manual));
        const int holds = static_cast<int>(c.aliceHolds.size() + c.bobHolds.size());

        PxLockErrorInfo info = m_x->ExchangeGenerationHold(c.holder);

        EXPECT_EQ(info.GetErrorCode(), PxLockPersistentlyLocked);
        EXPECT_EQ(static_cast<bool>(info.GetPersistentLock()), holds > 0);
        EXPECT_EQ(m_theirX->GetIntProperty("persistentLockCount"), holds);
        EXPECT_FALSE(m_theirX->IsLocked()) << "nothing of the exchange is held";
        for (const PxVQObjectPtr& object : {m_x, m_theirX})
            for (int manual : {0, 1})
                object->RemovePersistentLock(manual, 2);
    }
}

// The exchange waits as a lock does, with the hold standing while it waits; given up, it
// leaves the hold where it was.
TEST_P(PxLockTest, AnExchangeWaitsForAnotherSessionsUpdateWithTheHoldStanding)
{
    auto second = PxAttach(m_repository.Path(), "alice/dev");
    const PxVQObjectPtr secondX = Host(*second, "X");
    ASSERT_TRUE(secondX->FutureUpdateLock());
    ASSERT_TRUE(secondX->PersistentLock(0));
    m_a->PxSetRetryFunction(RecordingRetry);

    EXPECT_EQ(m_x->ExchangeGenerationHold("alice/dev").GetErrorCode(), PxLockGivenUp);
    EXPECT_EQ(m_theirX->GetIntProperty("persistentLockCount"), 1) << "given up, the hold stays";

    std::vector<int> othersWhileWaiting;
    m_callback.answer = [&](PxLockErrorInfo& info) {
        if (info.GetErrorCode() != PxLockHeldByOther)
            return 0;
        othersWhileWaiting = {m_theirX->PersistentLock(1).GetErrorCode(), m_theirX->PersistentLock(0).GetErrorCode()};
        secondX->UnLock();
        return 1;
    };
    m_callback.codes.clear();
    EXPECT_TRUE(m_x->ExchangeGenerationHold("alice/dev"));
    EXPECT_EQ(m_callback.codes, (std::vector<int>{3, 0}));
    EXPECT_EQ(othersWhileWaiting, (std::vector<int>{7, 7})) << "refused by the hold while the exchange waits";
    EXPECT_EQ(m_theirX->GetIntProperty("persistentLockCount"), 1);
}

TEST_P(PxLockTest, OneSessionAtATimeClaimsAnObjectForAGenerationUntilItGivesTheClaimBack)
{
    using Claim = PxVQObject::GenerationClaim;
    EXPECT_EQ(m_x->GetGenerationClaim(), Claim::None);
    ASSERT_TRUE(m_x->ClaimForGeneration());
    EXPECT_EQ(m_x->GetGenerationClaim(), Claim::Own);
    EXPECT_EQ(m_theirX->GetGenerationClaim(), Claim::Other);
    EXPECT_FALSE(m_x->ClaimForGeneration()) << "a second generation of the claiming session";
    EXPECT_FALSE(m_theirX->ClaimForGeneration()) << "a generation of another session";
    EXPECT_FALSE(m_theirX->ReleaseGenerationClaim()) << "only the claiming session gives it back";
    EXPECT_TRUE(m_theirX->WriteLock(0)) << "the claim stands in the way of no lock";
    m_theirX->UnLock();
    EXPECT_TRUE(m_x->WriteLock(0));
    m_x->UnLock();
    EXPECT_EQ(m_x->GetGenerationClaim(), Claim::Own) << "unlocking the object leaves the claim";

    EXPECT_TRUE(m_x->ReleaseGenerationClaim());
    EXPECT_EQ(m_theirX->GetGenerationClaim(), Claim::None);
    ASSERT_TRUE(m_theirX->ClaimForGeneration());
    m_b.reset();
    EXPECT_EQ(m_x->GetGenerationClaim(), Claim::None) << "the claim goes with its session";
    EXPECT_TRUE(m_x->ClaimForGeneration());
}

TEST_P(PxLockTest, AClaimIsNamedByItsUserAndABusyLockStoreTakesNothingAwayFromIt)
{
    ASSERT_TRUE(m_x->ClaimForGeneration());
    EXPECT_EQ(m_theirX->GetGenerationClaimUser(), "alice/dev");
    PxTesting::SetBusyTimeout(*m_a, 0);
    CString failure;
    {
        PxBusyLockStore busy(m_repository);
        if (GetParam() == PxStoreKind::Server)
            EXPECT_EQ(m_x->GetGenerationClaim(), PxVQObject::GenerationClaim::Own)
                << "read as the last lock-tables transaction left it";
        else
            EXPECT_THROW(m_x->GetGenerationClaim(), PxException) << "the store cannot answer";
        EXPECT_TRUE(m_x->KeepsGenerationClaim(failure)) << "which is no loss";
    }
    EXPECT_TRUE(m_x->KeepsGenerationClaim(failure));
    EXPECT_FALSE(m_theirX->KeepsGenerationClaim(failure)) << "another session's claim";
    EXPECT_TRUE(failure.IsEmpty());
    EXPECT_TRUE(m_x->ReleaseGenerationClaim());
    EXPECT_EQ(m_theirX->GetGenerationClaimUser(), "");
}

TEST_P(PxLockTest, AGenerationHoldCarriedByAClaimGoesWithItsSessionAndOnlyThatHold)
{
    // bob's fresh generation: its hold on X goes with its claim; a manual hold stays.
    ASSERT_TRUE(m_theirX->PersistentLock(1));
    ASSERT_TRUE(m_theirX->PersistentLock(0));
    ASSERT_TRUE(m_theirX->ClaimForGeneration(TRUE));
    // alice's restart of an interrupted session: the hold stays with the session it restarts.
    PxVQObjectPtr y = Host(*m_a, "Y");
    ASSERT_TRUE(y->PersistentLock(0));
    ASSERT_TRUE(y->ClaimForGeneration());
    m_b.reset();
    EXPECT_EQ(m_x->GetGenerationClaim(), PxVQObject::GenerationClaim::None);
    ASSERT_TRUE(m_x->GetPersistentLock());
    EXPECT_EQ(m_x->GetIntProperty("persistentLockCount"), 1) << "the generation's hold went, the manual one stays";
    EXPECT_EQ(m_x->GetPersistentLock()->GetManualLockCount(), 1);

    // A generation that gives its claim back keeps the hold for its recovery record.
    PxVQObjectPtr z = Host(*m_a, "Z");
    ASSERT_TRUE(z->PersistentLock(0));
    ASSERT_TRUE(z->ClaimForGeneration(TRUE));
    EXPECT_TRUE(z->ReleaseGenerationClaim());
    m_a.reset();
    auto third = PxAttach(m_repository.Path(), "carol/test");
    EXPECT_EQ(Host(*third, "Z")->GetIntProperty("persistentLockCount"), 1) << "given back: the mark went with it";
    EXPECT_EQ(Host(*third, "Y")->GetIntProperty("persistentLockCount"), 1) << "an unmarked claim lifts nothing";
}

// A hold placed for a start is carried by its session until the claim of the generation it
// starts carries it, or it is lifted: a session that ends first takes it along, and only it.
TEST_P(PxLockTest, AGenerationHoldPlacedForAStartGoesWithItsSessionUntilItsClaimCarriesItOrItIsLifted)
{
    ASSERT_TRUE(m_theirX->PersistentLock(1));
    ASSERT_TRUE(m_theirX->PlaceGenerationHold());
    EXPECT_EQ(m_x->GetIntProperty("persistentLockCount"), 2);
    m_b.reset();
    EXPECT_EQ(m_x->GetIntProperty("persistentLockCount"), 1) << "the carried hold went, the manual one stays";
    EXPECT_EQ(m_x->GetPersistentLock()->GetManualLockCount(), 1);

    const PxVQObjectPtr y = Host(*m_a, "Y");
    ASSERT_TRUE(y->PlaceGenerationHold());
    ASSERT_TRUE(y->ClaimForGeneration(TRUE));
    EXPECT_TRUE(y->ReleaseGenerationClaim());
    const PxVQObjectPtr z = Host(*m_a, "Z");
    ASSERT_TRUE(z->PersistentLock(1));
    ASSERT_TRUE(z->PlaceGenerationHold());
    z->LiftGenerationHold();
    EXPECT_EQ(z->GetIntProperty("persistentLockCount"), 1) << "one hold lifted";
    m_a.reset();
    auto third = PxAttach(m_repository.Path(), "carol/test");
    EXPECT_EQ(Host(*third, "Y")->GetIntProperty("persistentLockCount"), 1) << "handed on: the claim gave it back";
    EXPECT_EQ(Host(*third, "Z")->GetIntProperty("persistentLockCount"), 1) << "lifted: nothing carried any more";
}

TEST_P(PxLockTest, AListLockTakesAllOrNothing)
{
    PxTypedList<PxVQObjectPtr> hosts;
    m_a->GetLVQEnterprise()->GetMembers("hosts", hosts);
    for (const bool write : {true, false}) {
        SCOPED_TRACE(write ? "a write list" : "a read list");
        ASSERT_TRUE(Host(*m_b, "Y")->WriteLock(0));

        PxLockErrorInfo info = write ? m_a->WriteLock(hosts, 0) : m_a->ReadLock(hosts);

        EXPECT_EQ(info.GetErrorCode(), PxLockHeldByOther);
        EXPECT_TRUE(info.GetObject()->IsSameOid(Host(*m_a, "Y")));
        EXPECT_TRUE(m_theirX->WriteLock(0)) << "X was given back";
        m_theirX->UnLock();
        Host(*m_b, "Y")->UnLock();
    }
    m_a->PxSetRetryFunction(RecordingRetry);
    EXPECT_TRUE(m_a->ReadLock(hosts));
    EXPECT_EQ(m_callback.codes, (std::vector<int>{0, 0, 0})) << "each object is reported";
    POSITION position = hosts.GetHeadPosition();
    for (const PxVQObjectPtr& reported : m_callback.objects)
        EXPECT_TRUE(reported->IsSameOid(hosts.GetNext(position))) << "in list order, each once";
    m_a->UnLock(hosts);
    EXPECT_TRUE(m_theirX->WriteLock(0));
}

// The retry callback hears of each grant and reads the object it names; when that read fails
// (its connection lost), the call ends with the failure and gives back what it was granted.
TEST_P(PxLockTest, AListLockWhoseCallbackFailsAtAGrantGivesBackWhatItWasGranted)
{
    PxTypedList<PxVQObjectPtr> hosts;
    m_a->GetLVQEnterprise()->GetMembers("hosts", hosts);
    m_a->PxSetRetryFunction(RecordingRetry);
    m_callback.answer = [&](PxLockErrorInfo&) -> int {
        if (m_callback.codes.size() == 2)
            throw PxException("PxLockTest", 0, "The connection to the server was lost.");
        return 0;
    };

    EXPECT_THROW(m_a->ReadLock(hosts), PxException);

    for (const char* name : {"X", "Y", "Z"}) {
        EXPECT_TRUE(Host(*m_b, name)->WriteLock(0)) << name << " was given back";
        Host(*m_b, name)->UnLock();
    }
}

TEST_P(PxLockTest, AListIsRefusedAtThePersistentLockInItsMidstAndGivesBackWhatCameBefore)
{
    ASSERT_TRUE(Host(*m_b, "Y")->PersistentLock(1));
    PxTypedList<PxVQObjectPtr> hosts;
    m_a->GetLVQEnterprise()->GetMembers("hosts", hosts);

    PxLockErrorInfo info = m_a->FutureUpdateLock(hosts);

    EXPECT_EQ(info.GetErrorCode(), PxLockPersistentlyLocked);
    EXPECT_TRUE(info.GetObject()->IsSameOid(Host(*m_a, "Y")));
    ASSERT_TRUE(info.GetPersistentLock());
    EXPECT_EQ(info.GetPersistentLock()->GetUserCode(), "bob/test");
    EXPECT_TRUE(m_theirX->WriteLock(0)) << "X was given back";
    m_theirX->UnLock();
    EXPECT_TRUE(m_a->ReadLock(hosts)) << "reads pass a persistent lock";
}

// A list's manual lock refused partway gives back the locks it placed before; a removal the lock
// store refuses is owed, never the call's failure, and made once the store takes writes, while the
// placing session idles or once it closed.
TEST_P(PxLockTest, AListManualLockRefusedPartwayOwesTheRemovalsTheLockStoreRefuses)
{
    for (const OwedRow& row : kOwedRows) {
        SCOPED_TRACE(row.what);
        ASSERT_TRUE(Host(*m_b, "Y")->PersistentLock(1));
        auto alice = PxAttach(m_repository.Path(), "alice/dev");
        PxTesting::SetBusyTimeout(*alice, 50);
        PxTypedList<PxVQObjectPtr> hosts;
        alice->GetLVQEnterprise()->GetMembers("hosts", hosts);
        std::optional<vqtest::RefusedLockWrites> refusing;
        alice->PxSetRetryFunction(RecordingRetry);
        m_callback.answer = [&](PxLockErrorInfo& info) {
            if (info.GetErrorCode() == PxLockPersistentlyLocked)
                refusing.emplace(m_repository.Path(), row.busy);
            return 0;
        };

        PxLockErrorInfo info;
        ASSERT_NO_THROW(info = alice->PersistentLock(1, hosts));

        EXPECT_EQ(info.GetErrorCode(), PxLockPersistentlyLocked);
        ASSERT_TRUE(refusing);
        if (!row.busy) {
            EXPECT_TRUE(m_theirX->GetPersistentLock()) << "X's removal is owed";
        }
        const DWORD owing = OwingThread(alice, row.closed);
        ASSERT_NE(owing, 0u);
        refusing.reset();
        m_clock.Advance(kPxLongestRetryDelayMilliseconds);
        EXPECT_FALSE(vqwin::WaitUntilThreadWaits(owing)) << "nothing is owed any more";
        EXPECT_FALSE(m_theirX->GetPersistentLock());
        m_callback.answer = nullptr;
        ASSERT_TRUE(Host(*m_b, "Y")->RemovePersistentLock(1, 1));
    }
}

TEST_P(PxLockTest, AListNamingAnObjectTwiceTakesTwoHoldsAndGivesBackTwo)
{
    PxTypedList<PxVQObjectPtr> twice;
    twice.AddTail(m_x);
    twice.AddTail(m_x);
    ASSERT_TRUE(m_a->ReadLock(twice));
    m_x->UnLock();
    EXPECT_EQ(m_theirX->WriteLock(0).GetErrorCode(), PxLockHeldByOther) << "one hold stays";
    m_x->UnLock();
    EXPECT_TRUE(m_theirX->WriteLock(0));
    m_theirX->UnLock();

    vqtest::ExpectedLockRaises raising;
    ASSERT_TRUE(m_x->ReadLock());
    ASSERT_TRUE(m_x->WriteLock(0));
    ASSERT_TRUE(m_x->WriteLock(0));
    PxTypedList<PxVQObjectPtr> three;
    for (int i = 0; i < 3; ++i)
        three.AddTail(m_x);
    m_a->UnLock(twice);
    EXPECT_EQ(m_theirX->ReadLock().GetErrorCode(), PxLockHeldByOther) << "the read went first, then one write";
    m_a->UnLock(three);
    EXPECT_TRUE(m_theirX->WriteLock(0)) << "giving back more than is held leaves nothing";
}

TEST_P(PxLockTest, UnlockGivesBackTheWeakestHoldFirst)
{
    vqtest::ExpectedLockRaises raising;
    ASSERT_TRUE(m_x->ReadLock());
    ASSERT_TRUE(m_x->WriteLock(0));
    m_x->UnLock();
    EXPECT_EQ(m_theirX->ReadLock().GetErrorCode(), PxLockHeldByOther) << "the write lock stays";
    m_x->UnLock();
    EXPECT_TRUE(m_theirX->ReadLock());
    EXPECT_TRUE(m_x->UnLock()) << "giving back what is not held does nothing";
}

TEST_P(PxLockTest, ASessionAskingAStrongerKindOfWhatItHoldsForReadIsReported)
{
    if (!PxLockRaiseCheck::On())
        GTEST_SKIP() << "the raise check is switched off";
    struct Case {
        std::vector<int> held; // taken in turn; 0 gives one hold back
        int asked;
        const char* raise; // the kinds the report names, empty for none
        bool waits = true; // asked where calls may wait; one that cannot wait cannot circle
    };
    const Case cases[] = {
        {{1}, 3, "held for read by this session, which asks it for future update"},
        {{1}, 4, "held for read by this session, which asks it for write"},
        {{2}, 3, "held for long read by this session, which asks it for future update"},
        {{2}, 4, "held for long read by this session, which asks it for write"},
        {{1, 2}, 4, "held for long read by this session, which asks it for write"},
        {{1}, 2, ""},
        {{3}, 4, ""},
        {{3, 1}, 4, ""},
        {{4, 1}, 4, ""},
        {{1, 0}, 4, ""},
        {{4, 1, 0}, 4, ""},
        {{1}, 4, "", false},
        {{2}, 3, "", false},
    };
    for (const Case& c : cases) {
        std::vector<std::string> raises;
        {
            vqtest::ExpectedLockRaises raising;
            int holds = 0;
            for (int kind : c.held) {
                if (kind == 0) {
                    m_x->UnLock();
                    --holds;
                } else {
                    ASSERT_TRUE(LockOfKind(m_x, kind));
                    ++holds;
                }
            }
            {
                std::optional<PxLockNoWait> noWait;
                if (!c.waits)
                    noWait.emplace();
                ASSERT_TRUE(LockOfKind(m_x, c.asked));
            }
            raises = raising.Raises();
            for (int i = 0; i <= holds; ++i)
                m_x->UnLock();
        }
        const std::string what = ::testing::PrintToString(c.held) + " then " + std::to_string(c.asked) +
                                 (c.waits ? "" : " without waiting");
        if (*c.raise == '\0') {
            EXPECT_TRUE(raises.empty()) << what;
            continue;
        }
        ASSERT_EQ(raises.size(), 1u) << what;
        EXPECT_NE(raises[0].find("PxVQObject " + std::to_string(m_x->GetHandle().MapKey()) + " of user \"alice/dev\""),
                  std::string::npos)
            << raises[0];
        EXPECT_NE(raises[0].find(c.raise), std::string::npos) << raises[0];
    }
}

// A session that holds an object and waits in line for one ranked below it in the lock order
// (the enterprise is ranked first, a plain object last) closes a circle with another session
// doing the opposite; one waiting for an object of its own rank or above, or trying without
// waiting, does not.
TEST_P(PxLockTest, WaitingInLineForAnObjectRankedBelowOneHeldIsReported)
{
    if (!PxLockRaiseCheck::On())
        GTEST_SKIP() << "the raise check is switched off";
    struct Case {
        const char* held;   // "X" or "enterprise"
        const char* waited; // held by the other session meanwhile
        bool waits;
        bool reported;
    };
    const Case cases[] = {
        {"X", "enterprise", true, true},
        {"X", "Y", true, false},
        {"enterprise", "Y", true, false},
        {"X", "enterprise", false, false},
    };
    const auto object = [](PxVQLink& link, const std::string& name) -> PxVQObjectPtr {
        return name == "enterprise" ? PxVQObjectPtr(link.GetLVQEnterprise()) : Host(link, name.c_str());
    };
    m_callback.answer = [](PxLockErrorInfo&) { return 0; };
    m_a->PxSetRetryFunction(RecordingRetry);
    for (const Case& c : cases) {
        const std::string what = std::string(c.held) + " held, " + c.waited + (c.waits ? " waited for" : " tried");
        std::vector<std::string> raises;
        {
            vqtest::ExpectedLockRaises raising;
            ASSERT_TRUE(object(*m_a, c.held)->WriteLock(0)) << what;
            ASSERT_TRUE(object(*m_b, c.waited)->WriteLock(0)) << what;
            {
                std::optional<PxLockNoWait> noWait;
                if (!c.waits)
                    noWait.emplace();
                EXPECT_FALSE(object(*m_a, c.waited)->ReadLock()) << what;
            }
            raises = raising.Raises();
            object(*m_b, c.waited)->UnLock();
            object(*m_a, c.held)->UnLock();
        }
        ASSERT_EQ(raises.size(), c.reported ? 1u : 0u) << what;
        if (c.reported) {
            EXPECT_NE(raises[0].find("waits in line for PxVQEnterprise"), std::string::npos) << raises[0];
        }
    }
}

TEST_P(PxLockTest, AListLockRaisingAReadIsReported)
{
    if (!PxLockRaiseCheck::On())
        GTEST_SKIP() << "the raise check is switched off";
    vqtest::ExpectedLockRaises raising;
    PxTypedList<PxVQObjectPtr> hosts;
    hosts.AddTail(m_x);
    ASSERT_TRUE(m_a->ReadLock(hosts));
    ASSERT_TRUE(m_a->WriteLock(hosts, 0));
    EXPECT_EQ(raising.Raises().size(), 1u);
}

TEST_P(PxLockTest, AnExchangeRaisingAReadIsReported)
{
    if (!PxLockRaiseCheck::On())
        GTEST_SKIP() << "the raise check is switched off";
    vqtest::ExpectedLockRaises raising;
    ASSERT_TRUE(m_x->PersistentLock(0));
    ASSERT_TRUE(m_x->ReadLock());
    ASSERT_TRUE(m_x->ExchangeGenerationHold("alice/dev"));
    EXPECT_EQ(raising.Raises().size(), 1u);
}

TEST_P(PxLockTest, LocksEndWithTheirSession)
{
    ASSERT_TRUE(m_theirX->WriteLock(0));
    EXPECT_TRUE(m_x->IsLocked());
    EXPECT_FALSE(m_theirX->IsLocked()) << "only other sessions' locks count";
    m_b.reset();
    EXPECT_FALSE(m_x->IsLocked());
    EXPECT_TRUE(m_x->WriteLock(0));
}

// A give-back behind one the lock store has just refused is owed at once, in order, without
// waiting for the store again; both are made once it takes writes.
TEST_P(PxLockTest, AGiveBackBehindOneTheLockStoreRefusedIsOwedWithoutAskingTheStoreAgain)
{
    for (const bool busy : {false, true}) {
        SCOPED_TRACE(busy ? "store held" : "disk full");
        auto alice = PxAttach(m_repository.Path(), "alice/dev");
        PxTesting::SetBusyTimeout(*alice, 50);
        const PxVQObjectPtr x = Host(*alice, "X");
        const PxVQObjectPtr y = Host(*alice, "Y");
        ASSERT_TRUE(x->WriteLock(0));
        ASSERT_TRUE(y->WriteLock(0));
        std::optional<vqtest::RefusedLockWrites> refusing(std::in_place, m_repository.Path(), busy);
        EXPECT_NO_THROW(x->UnLock()) << "owed";
        EXPECT_NO_THROW(y->UnLock()) << "owed behind the first";
        const DWORD retrying = PxTesting::GiveBackThread(*alice);
        ASSERT_NE(retrying, 0u);
        refusing.reset();
        m_clock.Advance(kPxLongestRetryDelayMilliseconds);
        EXPECT_FALSE(vqwin::WaitUntilThreadWaits(retrying)) << "nothing is owed any more";
        EXPECT_TRUE(m_theirX->WriteLock(0));
        EXPECT_TRUE(Host(*m_b, "Y")->WriteLock(0));
        m_theirX->UnLock();
        Host(*m_b, "Y")->UnLock();
    }
}

// A session closed while the lock store refuses its end, with a give-back owed or not, in a
// process that lives on (and opens another session of its user): its locks go as soon as the
// store takes writes again, and another user waiting for them is granted.
TEST_P(PxLockTest, ASessionClosedWhileTheLockStoreRefusesItsEndLeavesNothingHeldOnceItTakesWritesAgain)
{
    struct Row {
        const char* what;
        bool busy;
        bool giveBackOwed;
        bool newSession;
    };
    const Row rows[] = {
        {"disk full, end refused", false, false, false},
        {"disk full, give-back owed", false, true, false},
        {"disk full, a new session", false, true, true},
        {"store held, end refused", true, false, false},
        {"store held, give-back owed", true, true, false},
        {"store held, a new session", true, false, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        auto alice = PxAttach(m_repository.Path(), "alice/dev");
        PxTesting::SetBusyTimeout(*alice, 50);
        ASSERT_TRUE(Host(*alice, "X")->WriteLock(0));
        std::optional<vqtest::RefusedLockWrites> refusing(std::in_place, m_repository.Path(), row.busy);
        if (row.giveBackOwed) {
            EXPECT_NO_THROW(Host(*alice, "X")->UnLock());
            EXPECT_NE(PxTesting::GiveBackThread(*alice), 0u) << "the give-back is owed";
        }
        CloseAndAwaitItsEnd(alice);

        const DWORD ending = PxTesting::SessionEndThread();
        if (GetParam() == PxStoreKind::File) {
            ASSERT_NE(ending, 0u) << "the end is owed";
            m_clock.Advance(kPxFirstRetryDelayMilliseconds);
            EXPECT_TRUE(vqwin::WaitUntilThreadWaits(ending)) << "refused again, it waits to try again";
        }
        refusing.reset();
        const auto again = row.newSession ? PxAttach(m_repository.Path(), "alice/dev") : nullptr;
        m_clock.Advance(kPxLongestRetryDelayMilliseconds);
        if (ending != 0) {
            EXPECT_FALSE(vqwin::WaitUntilThreadWaits(ending)) << "nothing is owed any more";
        }
        EXPECT_TRUE(m_theirX->WriteLock(0));
        m_theirX->UnLock();
    }
}

// A closed session's end that the lock file goes on refusing is tried ever less often, some
// seconds apart at last, so that an idle process hardly touches the file; it is made at the next
// try once the file takes writes.
TEST_P(PxLockTest, AClosedSessionsEndRefusedForLongIsTriedAgainSomeSecondsApart)
{
    if (GetParam() == PxStoreKind::Server)
        GTEST_SKIP() << "a session's locks on a server go with its connection: nothing is owed";
    auto alice = PxAttach(m_repository.Path(), "alice/dev");
    ASSERT_TRUE(Host(*alice, "X")->WriteLock(0));
    std::optional<vqtest::RefusedLockWrites> refusing(std::in_place, m_repository.Path(), false);
    alice.reset();
    const DWORD ending = PxTesting::SessionEndThread();
    ASSERT_NE(ending, 0u) << "the end is owed";

    std::uint64_t delay = kPxFirstRetryDelayMilliseconds;
    for (; delay < kPxLongestOwedEndDelayMilliseconds;
         delay = PxNextRetryDelay(delay, kPxLongestOwedEndDelayMilliseconds)) {
        m_clock.Advance(delay);
        ASSERT_TRUE(vqwin::WaitUntilThreadWaits(ending)) << "refused after " << delay << " ms";
    }
    refusing.reset();
    m_clock.Advance(kPxLongestRetryDelayMilliseconds);
    EXPECT_TRUE(vqwin::WaitUntilThreadWaits(ending)) << "not tried again within a live session's longest delay";
    EXPECT_EQ(m_theirX->WriteLock(0).GetErrorCode(), PxLockHeldByOther);
    m_clock.Advance(delay - kPxLongestRetryDelayMilliseconds);
    EXPECT_FALSE(vqwin::WaitUntilThreadWaits(ending)) << "nothing is owed any more";
    EXPECT_TRUE(m_theirX->WriteLock(0));
}

// A generation's end whose lift and claim's give-back the lock store refuses: both are owed, the
// lift first, and made as soon as the store takes writes again, while the holder idles or once
// it closed its session: the set is free for another user.
TEST_P(PxLockTest, ARefusedLiftAndClaimGiveBackAreMadeOnceTheLockStoreTakesWritesAgain)
{
    for (const OwedRow& row : kOwedRows) {
        SCOPED_TRACE(row.what);
        auto alice = PxAttach(m_repository.Path(), "alice/dev");
        PxTesting::SetBusyTimeout(*alice, 50);
        const PxVQObjectPtr x = Host(*alice, "X");
        ASSERT_TRUE(x->PlaceGenerationHold());
        ASSERT_TRUE(x->ClaimForGeneration(TRUE));
        const std::int64_t hold = x->GetPersistentLock()->GetHoldId();
        std::optional<vqtest::RefusedLockWrites> refusing(std::in_place, m_repository.Path(), row.busy);
        EXPECT_ANY_THROW(x->LiftGenerationHoldNamed(hold));
        EXPECT_NO_THROW(x->GiveBackGenerationClaim()) << "owed after the lift";

        const DWORD owing = OwingThread(alice, row.closed);
        ASSERT_NE(owing, 0u);
        m_clock.Advance(kPxFirstRetryDelayMilliseconds);
        EXPECT_TRUE(vqwin::WaitUntilThreadWaits(owing)) << "refused again, it waits to try again";
        refusing.reset();
        m_clock.Advance(kPxLongestRetryDelayMilliseconds);
        EXPECT_FALSE(vqwin::WaitUntilThreadWaits(owing)) << "nothing is owed any more";
        EXPECT_FALSE(m_theirX->GetPersistentLock());
        EXPECT_EQ(m_theirX->GetGenerationClaim(), PxVQObject::GenerationClaim::None);
        EXPECT_TRUE(m_theirX->WriteLock(0));
        m_theirX->UnLock();
    }
}

// A hold placed for a start that did not start, whose lift the lock store refuses: the lift is
// owed by the identity of the hold, and its carrying's end after it, made while the holder idles
// once the store takes writes again.
TEST_P(PxLockTest, ARefusedLiftOfAHoldPlacedForAStartIsMadeWhileItsHolderIdles)
{
    PxTesting::SetBusyTimeout(*m_a, 50);
    ASSERT_TRUE(m_x->PlaceGenerationHold());
    {
        const vqtest::RefusedLockWrites refused(m_repository.Path(), false);
        EXPECT_ANY_THROW(m_x->LiftGenerationHoldWhenTaken());
    }
    const DWORD retrying = PxTesting::GiveBackThread(*m_a);
    ASSERT_NE(retrying, 0u) << "the lift is owed";
    m_clock.Advance(kPxLongestRetryDelayMilliseconds);
    EXPECT_FALSE(vqwin::WaitUntilThreadWaits(retrying)) << "nothing is owed any more";
    EXPECT_FALSE(m_theirX->GetPersistentLock());
    EXPECT_TRUE(m_theirX->ClaimForGeneration(TRUE)) << "no session carries a hold of the object";
}

// A manual lock that a step took back while the lock store refused its removal, the session's lock
// connection lost then, the session live or closed: the removal outlives the connection and is
// made through another once the store takes writes, so that no other user is refused.
TEST_P(PxLockTest, AManualLocksRemovalOwedOutlivesALostLockConnection)
{
    if (GetParam() != PxStoreKind::Server)
        GTEST_SKIP() << "a session's locks on a file go only with its process";
    for (const OwedRow& row : kOwedRows) {
        SCOPED_TRACE(row.what);
        std::optional<vqtest::RefusedLockWrites> refusing;
        auto alice = OwingAManualLocksRemoval(refusing, row.busy);
        const std::int64_t session = alice->GetProcess()->GetSessionId();
        const DWORD owing = OwingThread(alice, row.closed);
        ASSERT_NE(owing, 0u) << "the removal is owed";

        CutLockConnection(session);
        refusing.reset();
        if (!row.closed) {
            m_clock.Advance(kPxLongestRetryDelayMilliseconds);
            EXPECT_FALSE(vqwin::WaitUntilThreadWaits(owing)) << "the session owes nothing it can make";
        }
        const DWORD ending = PxTesting::SessionEndThread();
        ASSERT_NE(ending, 0u) << "the removal was forgotten";
        bool made = false;
        for (int tries = 0; tries < 3 && !made; ++tries) {
            m_clock.Advance(kPxLongestOwedEndDelayMilliseconds);
            made = !vqwin::WaitUntilThreadWaits(ending);
        }
        EXPECT_TRUE(made) << "the removal is owed still";
        EXPECT_FALSE(m_theirX->GetPersistentLock());
        EXPECT_TRUE(m_theirX->PersistentLock(1)) << "another user's Lock";
        ASSERT_TRUE(m_theirX->RemovePersistentLock(1, 1));
    }
}

// A manual lock a step took back while the lock store refused the removal: the store takes writes
// again, and before the removal's next try its user unlocks the object, which is locked again, by
// another user or by herself. The removal takes back the step's hold alone, never the lock placed
// since, whether the step's session idles, closed or lost its lock connection.
TEST_P(PxLockTest, AnOwedRemovalOfAManualLockLeavesTheLockPlacedAgainSince)
{
    enum class Holder { Idle, Closed, ConnectionLost };
    struct Row {
        const char* what;
        bool busy;
        Holder holder;
        bool herself; // the object is locked again by the user whose step owes the removal
    };
    const Row rows[] = {
        {"disk full, holder idle, another user", false, Holder::Idle, false},
        {"disk full, holder idle, herself", false, Holder::Idle, true},
        {"store held, holder idle, another user", true, Holder::Idle, false},
        {"disk full, holder closed, another user", false, Holder::Closed, false},
        {"store held, holder closed, herself", true, Holder::Closed, true},
        {"disk full, connection lost, another user", false, Holder::ConnectionLost, false},
        {"store held, connection lost, herself", true, Holder::ConnectionLost, true},
    };
    for (const Row& row : rows) {
        if (row.holder == Holder::ConnectionLost && GetParam() != PxStoreKind::Server)
            continue;
        SCOPED_TRACE(row.what);
        std::optional<vqtest::RefusedLockWrites> refusing;
        auto alice = OwingAManualLocksRemoval(refusing, row.busy);
        const std::int64_t session = alice->GetProcess()->GetSessionId();
        DWORD owing = 0;
        if (row.holder == Holder::ConnectionLost) {
            const DWORD retrying = PxTesting::GiveBackThread(*alice);
            CutLockConnection(session);
            m_clock.Advance(kPxLongestRetryDelayMilliseconds);
            EXPECT_FALSE(vqwin::WaitUntilThreadWaits(retrying)) << "the session hands the removal to the process";
            owing = PxTesting::SessionEndThread();
        } else {
            owing = OwingThread(alice, row.holder == Holder::Closed);
        }
        ASSERT_NE(owing, 0u) << "the removal is owed";

        refusing.reset();
        ASSERT_EQ(m_x->GetPersistentLock()->GetUserCode(), "alice/dev") << "her lock, as she sees it";
        ASSERT_TRUE(m_x->RemovePersistentLock(1, 1));
        const PxVQObjectPtr& lockedAgain = row.herself ? m_x : m_theirX;
        ASSERT_TRUE(lockedAgain->PersistentLock(1));
        for (int tries = 0; tries < 3 && vqwin::WaitUntilThreadWaits(owing); ++tries)
            m_clock.Advance(kPxLongestOwedEndDelayMilliseconds);
        EXPECT_FALSE(vqwin::WaitUntilThreadWaits(owing)) << "the removal is owed still";

        const PxPersistentLockPtr lock = m_theirX->GetPersistentLock();
        ASSERT_TRUE(lock) << "the lock placed again was taken away";
        EXPECT_EQ(lock->GetUserCode(), row.herself ? "alice/dev" : "bob/test");
        EXPECT_EQ(lock->GetManualLockCount(), 1);
        ASSERT_TRUE(lockedAgain->RemovePersistentLock(1, 1));
    }
}

// Two steps of alice lock X by hand and take their locks back while the lock store refuses to
// delete lock rows (a full disk), the second placed on the first, whose removal is owed (the
// second's is made at once where it leaves a hold, and owed behind the first in its session): in one
// session, in two, both closed since, or in a new session of hers after the first lost its lock
// connection; or one of the steps is of the build before this one, beside it, whose statements
// name the manual holds' identity (its Lock gives them its own, its removal none): the second, the
// first, or one whose Lock comes between the first's Lock and take-back (the first's take-back then
// made at once, the build before's owed). Once the store takes writes, each removal takes its own
// hold: nothing of alice's stays, and another user locks X.
TEST_P(PxLockTest, TwoOwedTakeBacksOfOneUsersLockLeaveNoHoldOnceTheStoreTakesWrites)
{
    enum class Second {
        SameSession,
        OtherSession,
        BothClosed,
        NewSessionAfterLostConnection,
        BuildBefore,
        BuildBeforeBetween
    };
    const struct {
        const char* what;
        Second second;
        bool buildBeforeFirst; // the first step is of the build before, whose removal is owed
    } rows[] = {
        {"one session", Second::SameSession, false},
        {"two sessions", Second::OtherSession, false},
        {"both sessions closed", Second::BothClosed, false},
        {"a new session of hers after a lost lock connection", Second::NewSessionAfterLostConnection, false},
        {"the build before's step second", Second::BuildBefore, false},
        {"the build before's step first", Second::OtherSession, true},
        {"the build before's Lock between the first's Lock and take-back", Second::BuildBeforeBetween, false},
    };
    const std::int64_t oid = m_x->GetHandle().MapKey();
    for (const auto& row : rows) {
        if (row.second == Second::NewSessionAfterLostConnection && GetParam() != PxStoreKind::Server)
            continue;
        SCOPED_TRACE(row.what);
        vqtest::EarlierBuildUser buildBefore(m_repository.Path(), "alice/dev",
                                             vqtest::EarlierBuildUser::Build::NamingManualIdentity);
        std::optional<vqtest::RefusedLockWrites> refusing(std::in_place, m_repository.Path(), false,
                                                          vqtest::RefusedLockWrites::Refusing::Deletes);
        const bool between = row.second == Second::BuildBeforeBetween;
        std::unique_ptr<PxVQLink> first;
        std::unique_ptr<PxVQLink> other;
        std::vector<DWORD> owing;
        if (row.buildBeforeFirst) {
            ASSERT_TRUE(buildBefore.LockByHand(oid));
            ASSERT_FALSE(buildBefore.TakeBackByHand(oid)) << "the first removal is owed";
        } else {
            first = PxAttach(m_repository.Path(), "alice/dev");
            PxTesting::SetBusyTimeout(*first, 50);
            ASSERT_TRUE(Host(*first, "X")->PersistentLock(1));
            ASSERT_TRUE(!between || buildBefore.LockByHand(oid));
            Host(*first, "X")->TakeBackManualLock();
            owing.push_back(PxTesting::GiveBackThread(*first));
            ASSERT_TRUE(between || owing.front() != 0u) << "the first removal is owed";
        }
        if (row.second == Second::NewSessionAfterLostConnection) {
            CutLockConnection(first->GetProcess()->GetSessionId());
            m_clock.Advance(kPxLongestRetryDelayMilliseconds);
            EXPECT_FALSE(vqwin::WaitUntilThreadWaits(owing.front())) << "the session hands the removal over";
            first.reset();
        }
        if (row.second == Second::BuildBefore) {
            ASSERT_TRUE(buildBefore.LockByHand(oid));
            ASSERT_TRUE(buildBefore.TakeBackByHand(oid)) << "the second removal leaves a hold";
        } else if (between) {
            ASSERT_FALSE(buildBefore.TakeBackByHand(oid)) << "the build before's removal is owed";
        } else {
            if (row.second != Second::SameSession) {
                other = PxAttach(m_repository.Path(), "alice/dev");
                PxTesting::SetBusyTimeout(*other, 50);
            }
            PxVQLink& second = other ? *other : *first;
            ASSERT_TRUE(Host(second, "X")->PersistentLock(1));
            Host(second, "X")->TakeBackManualLock();
            owing.push_back(PxTesting::GiveBackThread(second));
            if (row.second == Second::BothClosed) {
                first.reset();
                other.reset();
            }
        }
        owing.push_back(PxTesting::SessionEndThread());

        refusing.reset();
        for (const DWORD thread : owing)
            for (int tries = 0; thread != 0 && tries < 3 && vqwin::WaitUntilThreadWaits(thread); ++tries)
                m_clock.Advance(kPxLongestOwedEndDelayMilliseconds);
        for (const DWORD thread : owing)
            EXPECT_TRUE(thread == 0 || !vqwin::WaitUntilThreadWaits(thread)) << "a removal is owed still";
        if (row.buildBeforeFirst || between) {
            ASSERT_TRUE(buildBefore.TakeBackByHand(oid));
        }
        EXPECT_FALSE(m_theirX->GetPersistentLock()) << "a hold no step of alice keeps";
        ASSERT_TRUE(m_theirX->PersistentLock(1)) << "another user's Lock";
        ASSERT_TRUE(m_theirX->RemovePersistentLock(1, 1));
    }
}

// A process that ends owing the removal of a manual lock that its closed session took back while
// the lock store refused it: the store taking writes again just before the process ends (before
// the owed end's next retry), the process's end removes it; the store refusing still, the lock
// stays its user's, and the log names it with its object and user.
TEST_P(PxLockTest, AProcessEndingOwingAManualLocksRemovalMakesItOrNamesItInTheLog)
{
    const std::string oid = std::to_string(static_cast<std::int64_t>(m_x->GetHandle().MapKey()));
    for (const bool takesWrites : {true, false}) {
        SCOPED_TRACE(takesWrites ? "the store takes writes again" : "the store refuses still");
        const vqtest::TempDir folder;
        const std::string settings = folder.Write("vqsys.ini", "[Logging]\nFile=" + folder.File("vqsys.log") + "\n");
        ASSERT_EQ(PxTesting::SessionEndThread(), 0u) << "nothing is owed as the process forks";
        std::unique_ptr<PxVQLink> alice;
        vqtest::ChildProcess process({
            [&] {
                g_VquLogCntrl.SetIniPath(settings.c_str());
                alice = PxAttach(m_repository.Path(), "alice/dev");
                PxTesting::SetBusyTimeout(*alice, 50);
                if (!Host(*alice, "X")->PersistentLock(1))
                    throw std::runtime_error("X is not locked");
            },
            [&] {
                Host(*alice, "X")->TakeBackManualLock();
                alice.reset();
            },
            [] { std::exit(0); },
        });
        ASSERT_TRUE(process.WaitReady());
        std::optional<vqtest::RefusedLockWrites> refusing(std::in_place, m_repository.Path(), false);
        ASSERT_TRUE(process.RunNextStep());
        EXPECT_TRUE(m_theirX->GetPersistentLock()) << "the removal is owed";
        if (takesWrites)
            refusing.reset();
        process.StartNextStep();
        process.Finish();
        refusing.reset();

        const PxPersistentLockPtr lock = m_theirX->GetPersistentLock();
        const std::string logged = folder.Read("vqsys.log");
        if (takesWrites) {
            EXPECT_FALSE(lock) << "the lock its closed session took back stays";
            EXPECT_EQ(logged, "");
            continue;
        }
        ASSERT_TRUE(lock);
        EXPECT_EQ(lock->GetUserCode(), "alice/dev");
        const std::string named = " WARNING The manual lock of user alice/dev on the object #" + oid + " of the ";
        EXPECT_NE(logged.find(named), std::string::npos)
            << logged;
        EXPECT_TRUE(m_x->RemovePersistentLock(1, 1)) << "its user unlocks it";
        EXPECT_FALSE(m_theirX->GetPersistentLock());
    }
}

// A process that owes a closed session's end forks a child that ends with exit(): the child
// makes none of its parent's ends through the parent's connections and logs none of them, though
// the store takes writes again; the parent still owes and makes them.
TEST_P(PxLockTest, AForkedChildEndingMakesAndLogsNoneOfItsParentsEnds)
{
    const vqtest::TempDir folder;
    g_VquLogCntrl.SetIniPath(folder.Write("vqsys.ini", "[Logging]\nFile=" + folder.File("vqsys.log") + "\n").c_str());
    std::optional<vqtest::RefusedLockWrites> refusing;
    std::unique_ptr<PxVQLink> alice = OwingAManualLocksRemoval(refusing, false);
    const DWORD ending = OwingThread(alice, true);
    ASSERT_NE(ending, 0u) << "the removal is owed";
    refusing.reset();

    vqtest::ChildProcess child({[] {}, [] { std::exit(0); }});
    ASSERT_TRUE(child.WaitReady());
    child.StartNextStep();
    child.Finish();
    EXPECT_TRUE(m_theirX->GetPersistentLock()) << "the child removed its parent's lock";
    EXPECT_EQ(folder.Read("vqsys.log"), "");

    m_clock.Advance(kPxLongestOwedEndDelayMilliseconds);
    EXPECT_FALSE(vqwin::WaitUntilThreadWaits(ending)) << "the parent owes the removal still";
    EXPECT_FALSE(m_theirX->GetPersistentLock());
    g_VquLogCntrl.SetIniPath(nullptr);
}

// The server stops answering the lock connection of a closed session whose manual lock's removal
// is owed, as a paused machine does, just as the process ends: its last try gives up once the
// bound of the last tries is past, the process ends, and the log names the lock that stays.
TEST_P(PxLockTest, AProcessWhoseServerStopsAnsweringDuringItsLastTryEndsAndNamesWhatStays)
{
    if (GetParam() != PxStoreKind::Server)
        GTEST_SKIP() << "a lock file has no server to stop";
    const vqtest::TempDir folder;
    const std::string settings = folder.Write("vqsys.ini", "[Logging]\nFile=" + folder.File("vqsys.log") + "\n");
    std::unique_ptr<PxVQLink> alice;
    vqtest::ChildProcess process({
        [&] {
            g_VquLogCntrl.SetIniPath(settings.c_str());
            alice = PxAttach(m_repository.Path(), "alice/dev");
            PxTesting::SetBusyTimeout(*alice, 50);
            if (!Host(*alice, "X")->PersistentLock(1))
                throw std::runtime_error("X is not locked");
        },
        [&] {
            Host(*alice, "X")->TakeBackManualLock();
            folder.Write("session", std::to_string(alice->GetProcess()->GetSessionId()));
            alice.reset();
        },
        [] { std::exit(0); },
    });
    ASSERT_TRUE(process.WaitReady());
    std::optional<vqtest::RefusedLockWrites> refusing(std::in_place, m_repository.Path(), false);
    ASSERT_TRUE(process.RunNextStep());
    refusing.reset();
    const pid_t backend = std::atoi(OnLockConnection(std::stoll(folder.Read("session")), "pid").c_str());
    ASSERT_GT(backend, 0);
    ASSERT_EQ(kill(backend, SIGSTOP), 0);
    // Without the bound the child never ends, and the test hangs instead of failing.
    process.StartNextStep();
    process.Finish();
    kill(backend, SIGCONT);

    EXPECT_NE(folder.Read("vqsys.log").find(" WARNING The manual lock of user alice/dev on the object #"),
              std::string::npos)
        << folder.Read("vqsys.log");
    // The server, running again, may still make the removal the process sent before it ended.
    if (m_x->GetPersistentLock())
        EXPECT_TRUE(m_x->RemovePersistentLock(1, 1));
}

TEST_P(PxLockTest, InjectedRefusalsTakeTheUsualWay)
{
    m_a->PxSetRetryFunction(RecordingRetry);
    PxFaultInjection::RefuseLock("PxVQObject::WriteLock", PxLockRefusedOther);
    EXPECT_EQ(m_x->WriteLock(0).GetErrorCode(), PxLockRefusedOther);
    EXPECT_EQ(m_callback.codes, (std::vector<int>{5}));

    // A busy store holds no object: it is tried again after the delays, the callback told nothing.
    m_callback.codes.clear();
    const std::uint64_t before = m_clock.TickMilliseconds();
    PxFaultInjection::RefuseLock("PxVQObject::ReadLock", PxLockStoreBusy, 0, 2);
    EXPECT_TRUE(m_x->ReadLock());
    EXPECT_EQ(m_callback.codes, (std::vector<int>{0}));
    EXPECT_EQ(m_clock.TickMilliseconds() - before, kPxFirstRetryDelayMilliseconds * 3);
}

TEST_P(PxLockTest, ABusyLockStoreIsWaitedForQuietlyAndToldAsBusyOnlyWithoutACallback)
{
    PxBusyLockStore busy(m_repository);
    PxTesting::SetBusyTimeout(*m_a, 0);
    EXPECT_EQ(m_x->WriteLock(0).GetErrorCode(), PxLockStoreBusy);

    // The other session lets the store go once the waits have moved the clock on.
    m_a->PxSetRetryFunction(RecordingRetry);
    const vqtest::ClockActingAt releasing(m_clock, 1000, [&] { busy.Release(); });
    EXPECT_TRUE(m_x->WriteLock(0));
    EXPECT_TRUE(releasing.Acted());
    EXPECT_EQ(m_callback.codes, (std::vector<int>{0}));
}

// A call that declines waits gives a busy store one brief try, of the brief busy wait, and a call
// whose wait the link can show nobody one try of the busy timeout: past it each fails with the
// store's words, its callback told nothing; without a callback it ends with the store's code.
// The other session would let the store go only once a call had waited half a minute.
TEST_P(PxLockTest, ACallNobodyCanWaitForGivesUpOnABusyLockStoreAfterOneTry)
{
    constexpr int kBusyTimeout = 50;
    PxTesting::SetBusyTimeout(*m_a, kBusyTimeout);
    PxBusyLockStore busy(m_repository);
    const vqtest::ClockActingAt releasing(m_clock, 30000, [&] { busy.Release(); });
    const struct {
        const char* what;
        bool declines;
        bool callback;
        int waited;
        const char* failure;
    } rows[] = {
        {"declining waits", true, true, kPxBriefBusyMilliseconds, kLockStoreBusy},
        {"declining waits, no callback", true, false, kPxBriefBusyMilliseconds, "done"},
        {"its wait not shown", false, true, kBusyTimeout, kLockStoreBusy},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        m_a->PxSetRetryFunction(row.callback ? RecordingRetry : nullptr);
        m_a->PxSetBusyWaitsShown(row.declines);
        PxTesting::ResetBusyWaited();
        std::optional<PxLockNoWait> noWait;
        if (row.declines)
            noWait.emplace();
        EXPECT_EQ(FailureOf([&] { EXPECT_EQ(m_x->WriteLock(0).GetErrorCode(), PxLockStoreBusy); }), row.failure);
        EXPECT_FALSE(releasing.Acted()) << "the call waited for the store";
        EXPECT_EQ(PxTesting::BusyWaited(), static_cast<std::uint64_t>(row.waited));
        EXPECT_TRUE(m_callback.codes.empty());
    }
    busy.Release();
    EXPECT_TRUE(m_x->WriteLock(0));
}

TEST_P(PxLockTest, AnObjectOfAnAbortedTransactionCannotBeLocked)
{
    m_a->BeginTransaction();
    PxVQObjectPtr created = m_a->GetLVQEnterprise()->CreateMember("hosts", "PxVQObject");
    ASSERT_TRUE(created->WriteLock(0)) << "objects of an open transaction can be locked";
    m_a->AbortTransaction();
    try {
        created->WriteLock(0);
        FAIL() << "an object that never was got locked";
    } catch (const PxException& e) {
        EXPECT_TRUE(e.IsObjectDeleted());
    }
}

// Each generation hold gets an identity of its own as it is placed, which an exchange and a
// manual hold beside it keep, and which only a lift by that identity takes away; one generation
// hold at most stands on an object, the user's own second one refused too.
TEST_P(PxLockTest, EachGenerationHoldHasAnIdentityThatOnlyALiftByItTakesAway)
{
    ASSERT_TRUE(m_x->PersistentLock(0));
    const std::int64_t first = m_theirX->GetPersistentLock()->GetHoldId();
    EXPECT_NE(first, 0);
    EXPECT_EQ(m_theirX->PersistentLock(0).GetErrorCode(), PxLockPersistentlyLocked) << "another user's";
    EXPECT_EQ(m_x->PlaceGenerationHold().GetErrorCode(), PxLockPersistentlyLocked) << "the user's second one";
    ASSERT_TRUE(m_x->PersistentLock(1));
    EXPECT_EQ(m_theirX->GetPersistentLock()->GetHoldId(), first) << "a manual hold beside it";
    ASSERT_TRUE(m_x->RemovePersistentLock(1, 1));
    ASSERT_TRUE(m_x->ExchangeGenerationHold("alice/dev"));
    EXPECT_EQ(m_theirX->GetPersistentLock()->GetHoldId(), first) << "the exchange";
    m_x->UnLock();

    ASSERT_TRUE(m_x->RemovePersistentLock(0, 1)) << "the owner's Unlock";
    ASSERT_TRUE(m_x->PersistentLock(0));
    const std::int64_t second = m_theirX->GetPersistentLock()->GetHoldId();
    EXPECT_NE(second, first);
    EXPECT_FALSE(m_theirX->LiftGenerationHoldNamed(first)) << "a hold placed since is another";
    EXPECT_EQ(m_theirX->GetIntProperty("persistentLockCount"), 1);
    EXPECT_TRUE(m_theirX->LiftGenerationHoldNamed(second));
    EXPECT_FALSE(m_theirX->GetPersistentLock());
}

// A lock store made by an earlier build has no identities: the first session that opens it adds
// them, and the holds it kept read 0, the identity a lift of such a hold names; a manual lock placed
// then has one, and the store notices the earlier build's changes of it.
TEST_P(PxLockTest, ALockStoreOfAnEarlierBuildKeepsItsHoldsWithoutIdentities)
{
    const std::int64_t oid = m_x->GetHandle().MapKey();
    m_x = m_theirX = PxVQObjectPtr();
    m_a.reset();
    m_b.reset();
    const bool server = GetParam() == PxStoreKind::Server;
    ASSERT_TRUE(vqtest::RunOnLockStore(
        m_repository.Path(),
        std::string(server ? "DROP TRIGGER px_manual_holds_gone ON px_persistent_lock;"
                             "DROP FUNCTION px_manual_holds_gone();"
                             "DROP SEQUENCE px_hold_id;"
                           : "DROP TRIGGER px_manual_holds_gone;") +
            "ALTER TABLE px_persistent_lock DROP COLUMN manual_key;"
            "ALTER TABLE px_persistent_lock DROP COLUMN manual_id;"
            "ALTER TABLE px_persistent_lock DROP COLUMN hold_id;"
            "INSERT INTO px_persistent_lock(oid, user_code, locked, holds, manual_holds) VALUES(" +
            std::to_string(oid) + ", 'alice/dev', 0, 1, 0)"));

    const auto link = PxAttach(m_repository.Path(), "alice/dev");
    const PxVQObjectPtr x = Host(*link, "X");
    ASSERT_TRUE(x->GetPersistentLock());
    EXPECT_EQ(x->GetPersistentLock()->GetHoldId(), 0);
    EXPECT_EQ(x->PersistentLock(0).GetErrorCode(), PxLockPersistentlyLocked) << "it is a generation hold all the same";
    EXPECT_TRUE(x->ExchangeGenerationHold("alice/dev"));
    x->UnLock();
    EXPECT_TRUE(x->LiftGenerationHoldNamed(0));
    ASSERT_TRUE(x->PersistentLock(0));
    EXPECT_NE(x->GetPersistentLock()->GetHoldId(), 0) << "a hold placed now has one";
    EXPECT_TRUE(x->LiftGenerationHoldNamed(x->GetPersistentLock()->GetHoldId()));
    ASSERT_TRUE(x->PersistentLock(1));
    x->TakeBackManualLock();
    EXPECT_FALSE(x->GetPersistentLock()) << "a manual lock placed now is taken back by its identity";

    vqtest::EarlierBuildUser her(m_repository.Path(), "alice/dev");
    ASSERT_TRUE(x->PersistentLock(0));
    ASSERT_TRUE(x->PersistentLock(1));
    ASSERT_TRUE(her.UnlockByHand(oid) && her.LockByHand(oid));
    x->TakeBackManualLock();
    EXPECT_EQ(x->GetPersistentLock()->GetManualLockCount(), 1) << "her lock placed again through the earlier build";
}

// A manual lock a step of alice took back while the lock store refused the removal (a full disk),
// beside her generation hold, which keeps the lock's row. The store takes writes again, and before
// the removal's next try she changes her manual lock through an earlier build, which names no
// identity of the manual holds: she unlocks it and locks it again, or locks it again on the step's
// hold. The removal takes back the step's hold alone: her lock placed through that build stands.
TEST_P(PxLockTest, AnOwedTakeBackLeavesTheLockItsUserPlacedAgainThroughAnEarlierBuild)
{
    const std::int64_t oid = m_x->GetHandle().MapKey();
    vqtest::EarlierBuildUser her(m_repository.Path(), "alice/dev");
    const struct {
        const char* what;
        bool unlocked;
    } rows[] = {
        {"unlocked and locked again", true},
        {"locked again on the step's hold", false},
    };
    ASSERT_TRUE(m_x->PersistentLock(0)) << "her generation hold";
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        std::optional<vqtest::RefusedLockWrites> refusing;
        auto alice = OwingAManualLocksRemoval(refusing, false);
        const DWORD owing = PxTesting::GiveBackThread(*alice);
        ASSERT_NE(owing, 0u) << "the removal is owed";

        refusing.reset();
        ASSERT_TRUE(!row.unlocked || her.UnlockByHand(oid));
        ASSERT_TRUE(her.LockByHand(oid));
        for (int tries = 0; tries < 3 && vqwin::WaitUntilThreadWaits(owing); ++tries)
            m_clock.Advance(kPxLongestOwedEndDelayMilliseconds);
        EXPECT_FALSE(vqwin::WaitUntilThreadWaits(owing)) << "the removal is owed still";

        const PxPersistentLockPtr lock = m_theirX->GetPersistentLock();
        ASSERT_TRUE(lock);
        EXPECT_EQ(lock->GetManualLockCount(), 1) << "her lock placed again, and nothing else";
        ASSERT_TRUE(m_x->RemovePersistentLock(1, 1));
    }
}

PX_ON_BOTH_STORES(PxLockTest);

} // namespace

// Users opening and closing sessions on one file all at once: the lock file's log changes
// hands as each first connection comes and each last one goes, and no open fails for it.
TEST(PxLockFileTest, SessionsOpeningAndClosingAtOnceAllOpen)
{
    const PxTestRepository repository;
    std::vector<std::unique_ptr<vqtest::ChildProcess>> users;
    for (int user = 0; user < 4; ++user)
        users.push_back(std::make_unique<vqtest::ChildProcess>([&] {
            for (int round = 0; round < 200; ++round)
                PxAttach(repository.Path());
        }));
    for (auto& user : users)
        EXPECT_TRUE(user->WaitReady());
}
