// What only a repository on a server meets: a server that cannot be reached, a database
// that holds something else, a server connection lost in the middle of a transaction, a
// session on another machine.
#include "PxTestRepository.h"

#include "proxy/PxException.h"
#include "proxy/PxLockStore.h"
#include "proxy/PxLocking.h"
#include "proxy/PxPostgres.h"
#include "proxy/PxProcess.h"
#include "proxy/PxSqlite.h"
#include "proxy/PxStore.h"
#include "proxy/PxTesting.h"
#include "proxy/PxTypedList.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQBundle.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQIspecSoftLink.h"
#include "proxy/PxVQSystem.h"
#include "support/HeldLockTables.h"
#include "support/PgTestServer.h"
#include "win/Clock.h"
#include "win/Sync.h"

#include <gtest/gtest.h>
#include <libpq-fe.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <limits>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace {

using vqtest::PgTestServer;

// What the server does at a row a statement changes, as the trigger armed below runs it.
struct ServerFault {
    const char* what;
    const char* action;
    bool lost;
};
// The disk full, and the connection ended by the server.
const ServerFault kServerFaults[] = {
    {"refused", "RAISE EXCEPTION 'could not extend file' USING ERRCODE = '53100'", false},
    {"connection lost", "PERFORM pg_terminate_backend(pg_backend_pid())", true},
};

// Alice's and Bob's sessions on a new repository on the server, alice's enterprise, and a clock
// that stands still until the test moves it.
struct TwoUsers {
    vqclock::ManualClock clock;
    vqclock::ScopedClock scoped{clock};
    PxTestRepository repository{PxStoreKind::Server};
    std::string uri = repository.Path();
    std::unique_ptr<PxVQLink> alice = PxAttach(uri.c_str(), "alice/dev");
    std::unique_ptr<PxVQLink> bob = PxAttach(uri.c_str(), "bob/test");
    PxVQEnterprisePtr enterprise = alice->GetLVQEnterprise();
};

// Runs the body (PL/pgSQL ending in its RETURN) before each row the change makes in the
// table, until DisarmFault.
void ArmFault(const std::string& uri, const std::string& change, const std::string& table, const std::string& body)
{
    PgTestServer::Instance().Run(PgTestServer::DatabaseOf(uri), "CREATE FUNCTION vq_repository.fail() RETURNS trigger"
                                                  " LANGUAGE plpgsql AS $$BEGIN " +
                                                      body + " END$$; CREATE TRIGGER fail BEFORE " + change +
                                                      " ON vq_repository." + table +
                                                      " FOR EACH ROW EXECUTE FUNCTION vq_repository.fail()");
}

void DisarmFault(const std::string& uri, const std::string& table)
{
    PgTestServer::Instance().Run(PgTestServer::DatabaseOf(uri),
                                 "DROP TRIGGER fail ON vq_repository." + table + "; DROP FUNCTION vq_repository.fail()");
}

// What ends the wait of a connection for a lock: the server ends the connection, or cancels
// its statement (null: nothing, the connection waits past its busy timeout).
constexpr const char* kEndWaiter = "pg_terminate_backend(pid, 10000)";
constexpr const char* kCancelWaiter = "pg_cancel_backend(pid)";

// Stops the connection to the repository's database that waits for a lock, once there is one.
void StopTheConnectionWaitingForALock(const std::string& uri, const char* stop)
{
    PGconn* watcher = PQconnectdb(uri.c_str());
    const std::string sql = std::string("SELECT ") + stop +
                            " FROM pg_stat_activity WHERE datname = current_database() AND wait_event_type = 'Lock'";
    for (bool stopped = false; !stopped;) {
        PGresult* result = PQexec(watcher, sql.c_str());
        stopped = PQntuples(result) > 0;
        PQclear(result);
    }
    PQfinish(watcher);
}

// What the call throws (FailureOf) while another connection holds the repository's table and
// `stop` ends the call's wait for it.
template <class Call>
std::string FailureWhileTableHeld(const std::string& uri, const std::string& table, const char* stop, Call&& call)
{
    PGconn* other = PQconnectdb(uri.c_str());
    EXPECT_EQ(PQstatus(other), CONNECTION_OK);
    PQclear(PQexec(other, ("BEGIN; LOCK TABLE vq_repository." + table + " IN ACCESS EXCLUSIVE MODE").c_str()));
    std::thread stopper([&] {
        if (stop)
            StopTheConnectionWaitingForALock(uri, stop);
    });
    const std::string failure = FailureOf(std::forward<Call>(call));
    stopper.join();
    PQclear(PQexec(other, "ROLLBACK"));
    PQfinish(other);
    return failure;
}

// The lock store's text for the fault.
std::string LockFailureText(const ServerFault& fault, const std::string& uri)
{
    return "Cannot reach the repository's locks: " +
           (fault.lost ? "the connection to the server of " + uri + " was lost." : std::string("the disk is full."));
}

std::string AttachFailure(const std::string& name)
{
    try {
        PxAttach(name.c_str());
    } catch (const PxException& e) {
        return std::string(e.GetErrorMessage());
    }
    return "attached";
}

std::string CreateFailure(const std::string& name)
{
    try {
        PxLink::CreateRepository(name.c_str());
    } catch (const PxException& e) {
        return std::string(e.GetErrorMessage());
    }
    return "created";
}

// A run of ids is written in place into a buffer sized for the longest ids: the widest ids,
// negative ones included, come out whole.
TEST(PxServerStoreTest, ARunOfIdsIsWrittenWholeWhateverItsIds)
{
    using Limits = std::numeric_limits<std::int64_t>;
    EXPECT_EQ(PxPgArray(std::vector<std::int64_t>{}), "{}");
    EXPECT_EQ(PxPgArray(std::vector<std::int64_t>{Limits::min(), -1, 0, Limits::max(), Limits::min()}),
              "{-9223372036854775808,-1,0,9223372036854775807,-9223372036854775808}");
}

TEST(PxServerStoreTest, AServerThatCannotBeReachedIsNamedWithoutItsPassword)
{
    std::string failure = AttachFailure("postgresql://vq:secret@/team?host=/nonexistent-folder");
    EXPECT_EQ(failure.rfind("Cannot open the repository postgresql://vq@/team?host=/nonexistent-folder: "
                            "the server cannot be reached (",
                            0),
              0u)
        << failure;
    EXPECT_EQ(failure.find("secret"), std::string::npos);
}

TEST(PxServerStoreTest, ADatabaseThatHoldsSomethingElseIsNeitherOpenedNorMadeARepository)
{
    PgTestServer& server = PgTestServer::Instance();
    std::string empty = server.NewDatabase();
    EXPECT_EQ(AttachFailure(empty), "Cannot open the repository " + empty + ": the database holds no repository.");

    std::string other = server.NewDatabase();
    server.Run(PgTestServer::DatabaseOf(other), "CREATE TABLE payroll(id integer)");
    EXPECT_EQ(AttachFailure(other),
              "Cannot open the repository " + other + ": the database holds something else than a repository.");
    EXPECT_EQ(CreateFailure(other), "Cannot create the repository " + other + ": the database holds something else.");

    PxLink::CreateRepository(empty.c_str());
    EXPECT_EQ(CreateFailure(empty),
              "Cannot create the repository " + empty + ": the database holds a repository already.");
    EXPECT_EQ(AttachFailure(empty), "attached");
}

TEST(PxServerStoreTest, ALostConnectionEndsTheTransactionWritesNothingAndFreesTheSessionsLocks)
{
    PxTestRepository repository(PxStoreKind::Server);
    std::string uri = repository.Path();
    auto lost = PxAttach(repository.Path(), "alice/dev");
    PxVQEnterprisePtr enterprise = lost->GetLVQEnterprise();
    ASSERT_TRUE(enterprise->WriteLock(0));
    lost->BeginTransaction();
    enterprise->SetAttributeText("name", "half");
    PgTestServer::Instance().Run(PgTestServer::DatabaseOf(uri), "SELECT pg_terminate_backend(pid, 10000) FROM pg_stat_activity"
                                           " WHERE datname = current_database() AND pid <> pg_backend_pid()");
    const std::string refusal = FailureOf([&] { enterprise->CreateMember("hosts", "PxVQObject"); });
    EXPECT_NE(refusal.find(": the connection to the server of " + uri + " was lost. The transaction was rolled back."),
              std::string::npos)
        << refusal;
    PxExpectFailedUntilCommitted(*lost, refusal);

    auto other = PxAttach(repository.Path(), "bob/test");
    PxVQEnterprisePtr theirs = other->GetLVQEnterprise();
    EXPECT_FALSE(theirs->HasAttribute("name")) << "nothing half-written";
    EXPECT_TRUE(theirs->WriteLock(0)) << "the lost session's locks are freed";
    EXPECT_EQ(other->GetProcess()->GetNode()->NumberOfProcesses(), 1);
    lost.reset();
}

TEST(PxServerStoreTest, ASessionOfAnotherMachineLivesAsLongAsItsConnection)
{
    PxTestRepository repository(PxStoreKind::Server);
    auto link = PxAttach(repository.Path());
    PxVQEnterprisePtr enterprise = link->GetLVQEnterprise();
    // Another machine's session as its process leaves it: its row, its write lock on the
    // enterprise and the advisory lock its connection holds. Its pid means nothing here.
    PGconn* other = PQconnectdb(repository.Path());
    ASSERT_EQ(PQstatus(other), CONNECTION_OK);
    for (const char* sql : {"SELECT pg_advisory_lock(900)",
                            "INSERT INTO vq_repository.px_session(id, pid, start, machine, user_code, attached)"
                            " VALUES(900, 999999, 1, 'elsewhere/boot', 'bob/remote', 0)",
                            "INSERT INTO vq_repository.px_lock(oid, session, kind, holds)"
                            " SELECT value::bigint, 900, 4, 1 FROM vq_repository.px_meta"
                            " WHERE key = 'root.PxVQEnterprise'"})
        PQclear(PQexec(other, sql));
    EXPECT_EQ(enterprise->WriteLock(0).GetErrorCode(), PxLockHeldByOther);
    EXPECT_EQ(link->GetProcess()->GetNode()->NumberOfProcesses(), 2);

    // The machine goes away: the server ends its connection.
    PgTestServer::Instance().Run(PgTestServer::DatabaseOf(repository.Path()),
                                 "SELECT pg_terminate_backend(" + std::to_string(PQbackendPID(other)) + ", 10000)");
    PQfinish(other);
    EXPECT_TRUE(enterprise->WriteLock(0));
    EXPECT_EQ(link->GetProcess()->GetNode()->NumberOfProcesses(), 1);
}

// The lock connection holds the session's advisory lock; when it ends, the server frees the
// session's locks. It ends before the commit, or while the commit sends the held-back writes.
TEST(PxServerStoreTest, ASessionWhoseLockConnectionWasCutCannotCommitWhatItChangedUnderItsLocks)
{
    const std::string cut = "pg_terminate_backend(pid, 10000) FROM pg_locks"
                            " WHERE locktype = 'advisory' AND objsubid = 1 AND granted";
    for (const bool atTheSend : {false, true}) {
        SCOPED_TRACE(atTheSend ? "at the send of the held-back writes" : "before the commit");
        PxTestRepository repository(PxStoreKind::Server);
        std::string uri = repository.Path();
        auto lost = PxAttach(uri.c_str(), "alice/dev");
        PxVQEnterprisePtr enterprise = lost->GetLVQEnterprise();
        ASSERT_TRUE(enterprise->WriteLock(0));
        lost->BeginTransaction();
        enterprise->SetAttributeText("name", "under lost locks");
        if (atTheSend) {
            PgTestServer::Instance().Run(PgTestServer::DatabaseOf(uri),
                                         "CREATE FUNCTION vq_repository.cut() RETURNS trigger LANGUAGE plpgsql AS"
                                         " $$BEGIN PERFORM " + cut + "; RETURN NEW; END$$;"
                                         "CREATE TRIGGER cut BEFORE INSERT ON vq_repository.px_attribute"
                                         " FOR EACH ROW EXECUTE FUNCTION vq_repository.cut()");
        } else {
            PgTestServer::Instance().Run(PgTestServer::DatabaseOf(uri), "SELECT " + cut);
            auto other = PxAttach(uri.c_str(), "bob/test");
            EXPECT_TRUE(other->GetLVQEnterprise()->WriteLock(0)) << "the server gave the lost session's locks up";
        }

        std::string failure = FailureOf([&] { lost->CommitTransaction(); });
        EXPECT_EQ(failure, "Cannot commit the repository transaction: this session's locks on the server of " + uri +
                               " were lost with its connection to the server, and what it changed under them is not"
                               " stored. The transaction was rolled back.");
        EXPECT_FALSE(lost->IsInTransaction());
        auto third = PxAttach(uri.c_str(), "carol/test");
        EXPECT_FALSE(third->GetLVQEnterprise()->HasAttribute("name")) << "nothing committed under lost locks";
        EXPECT_TRUE(third->GetLVQEnterprise()->WriteLock(0));
        lost.reset();
    }
}

// A running generation's check of its claim is one round trip, its brief wait set in that trip:
// with another transaction holding the lock tables in any mode it takes nothing away, and waits
// one brief try (as the store counts it) only where the tables cannot be read (ACCESS EXCLUSIVE).
TEST(PxServerStoreTest, AClaimsCheckIsOneRoundTripThatWaitsBrieflyAtMostForTheLockTablesHeldInAnyMode)
{
    PxTestRepository repository(PxStoreKind::Server);
    auto alice = PxAttach(repository.Path(), "alice/dev");
    PxVQEnterprisePtr enterprise = alice->GetLVQEnterprise();
    ASSERT_TRUE(enterprise->ClaimForGeneration());
    CString failure;
    for (const std::string mode : {"", "ACCESS SHARE", "ROW EXCLUSIVE", "SHARE", "EXCLUSIVE", "ACCESS EXCLUSIVE"}) {
        std::optional<vqtest::HeldLockTables> held;
        if (!mode.empty())
            held.emplace(repository.Path(), mode);
        PxTesting::ResetBusyWaited();
        const std::int64_t trips = PxPgConnection::RoundTrips();
        EXPECT_TRUE(enterprise->KeepsGenerationClaim(failure)) << mode;
        EXPECT_EQ(PxPgConnection::RoundTrips() - trips, 1) << mode;
        const bool unreadable = mode == "ACCESS EXCLUSIVE";
        EXPECT_EQ(PxTesting::BusyWaited(), unreadable ? std::uint64_t{kPxBriefBusyMilliseconds} : 0) << mode;
    }
    EXPECT_TRUE(failure.IsEmpty()) << failure.str();
}

TEST(PxServerStoreTest, AClaimIsLostWithTheLockConnectionAndTheCheckSaysHow)
{
    PxTestRepository repository(PxStoreKind::Server);
    std::string uri = repository.Path();
    auto lost = PxAttach(uri.c_str(), "alice/dev");
    PxVQEnterprisePtr enterprise = lost->GetLVQEnterprise();
    ASSERT_TRUE(enterprise->ClaimForGeneration());
    PgTestServer::Instance().Run(PgTestServer::DatabaseOf(uri), "SELECT pg_terminate_backend(pid, 10000) FROM pg_locks"
                                                  " WHERE locktype = 'advisory' AND objsubid = 1 AND granted");
    CString failure;
    EXPECT_FALSE(enterprise->KeepsGenerationClaim(failure));
    EXPECT_NE(failure.str().find("the connection to the server of " + uri + " was lost"), std::string::npos)
        << failure.str();
    // Who holds or claims an object is read in no lock-tables transaction, and fails as one does.
    for (const std::string& read : {FailureOf([&] { enterprise->GetGenerationClaimUser(); }),
                                    FailureOf([&] { enterprise->GetGenerationClaim(); }),
                                    FailureOf([&] { enterprise->IsLocked(); })})
        EXPECT_NE(read.find("the connection to the server of " + uri + " was lost"), std::string::npos) << read;
}

// A bundle fill whose entries the server refuses, or whose connection is lost, half way
// leaves the bundle and its Ispecs as they were for every session.
TEST(PxServerStoreTest, ABundleFillRefusedOrCutHalfWayStoresNoneOfIt)
{
    for (const ServerFault& row : kServerFaults) {
        SCOPED_TRACE(row.what);
        PxTestRepository repository(PxStoreKind::Server);
        const std::string uri = repository.Path();
        auto alice = PxAttach(uri.c_str(), "alice/dev");
        alice->BeginTransaction();
        PxVQBSSoftLinkPtr segment =
            alice->GetLVQEnterprise()->CreateSystem("SYS")->GetCurConfig()->CreateBSSoftLink("SALES");
        PxTypedList<PxVQIspecSoftLinkPtr> ispecs;
        for (int i = 0; i < 20; ++i)
            ispecs.AddTail(segment->CreateElementSoftLink(("I" + std::to_string(i)).c_str(), VQSoftLinkIspec));
        segment->CreateBundle("B1");
        alice->CommitTransaction();
        ArmFault(uri, "INSERT", "px_member", std::string("IF NEW.seq > 5 THEN ") + row.action + "; END IF; RETURN NEW;");
        PxTypedList<PxVQBundlePtr> bundles;
        segment->GetListOfBundles(bundles);
        alice->BeginTransaction();
        const std::string failure = FailureOf([&] { bundles.GetHead()->AddIspecsToBundle(ispecs); });
        EXPECT_NE(failure.find(std::string(row.lost ? " was lost." : ": the disk is full.") +
                               " The transaction was rolled back."),
                  std::string::npos)
            << failure;
        alice->AbortTransaction();
        DisarmFault(uri, "px_member");

        auto bob = PxAttach(uri.c_str(), "bob/test");
        PxTypedList<PxVQBSSoftLinkPtr> links;
        bob->GetLVQEnterprise()->GetSystem("SYS")->GetCurConfig()->GetListOfBSSoftLinks(links);
        PxTypedList<PxVQBundlePtr> theirs;
        links.GetHead()->GetListOfBundles(theirs);
        PxTypedList<PxVQIspecBundleDataPtr> entries;
        theirs.GetHead()->GetListOfIspecBundleData(entries);
        EXPECT_EQ(entries.GetCount(), 0);
    }
}

// A lock is checked, granted and committed in one round trip: a grant the server refuses,
// or whose lock connection is lost, leaves the object to other sessions, and a refused
// session locks it once the server takes the grant again. A grant of one more hold of what
// the session holds already adds none: given back once, the object is free.
TEST(PxServerStoreTest, ALockWhoseGrantIsRefusedOrWhoseConnectionIsLostIsHeldByNobody)
{
    enum class Grant { WriteLock, AnotherHold, PersistentLock };
    for (const Grant grant : {Grant::WriteLock, Grant::AnotherHold, Grant::PersistentLock})
        for (const ServerFault& row : kServerFaults) {
            const bool persistent = grant == Grant::PersistentLock;
            SCOPED_TRACE(std::string(persistent                   ? "persistent lock "
                                     : grant == Grant::AnotherHold ? "another hold "
                                                                   : "write lock ") +
                         row.what);
            PxTestRepository repository(PxStoreKind::Server);
            const std::string uri = repository.Path();
            const std::string table = persistent ? "px_persistent_lock" : "px_lock";
            auto alice = PxAttach(uri.c_str(), "alice/dev");
            PxVQEnterprisePtr enterprise = alice->GetLVQEnterprise();
            if (grant == Grant::AnotherHold) {
                ASSERT_TRUE(enterprise->WriteLock(0));
            }
            ArmFault(uri, "INSERT", table, std::string(row.action) + "; RETURN NEW;");
            const auto lock = [&] { return persistent ? enterprise->PersistentLock(1) : enterprise->WriteLock(0); };
            EXPECT_EQ(FailureOf(lock), LockFailureText(row, uri));
            DisarmFault(uri, table);
            if (grant == Grant::AnotherHold && !row.lost) {
                ASSERT_TRUE(enterprise->UnLock());
            }

            auto bob = PxAttach(uri.c_str(), "bob/test");
            EXPECT_FALSE(bob->GetLVQEnterprise()->GetPersistentLock());
            EXPECT_TRUE(bob->GetLVQEnterprise()->WriteLock(0)) << "nothing of the failed grant is held";
            bob.reset();
            if (!row.lost) {
                EXPECT_TRUE(lock()) << "the refused session locks once the server takes the grant";
            }
            alice.reset();
        }
}

// A generation hold is exchanged for an update in one statement: refused, or cut by a lost
// lock connection, at the update's grant, it leaves the hold where it was and nothing held. A
// hold placed for a start is lifted with its carrying in one transaction: refused there, the
// hold stays carried; cut, the hold goes with the session once another session reaches the
// store. Refused, each goes through once the server takes it.
TEST(PxServerStoreTest, AHoldsExchangeOrLiftRefusedOrCutLeavesTheHoldWhereItWasOrToItsSession)
{
    struct Step {
        const char* what;
        const char* change;
        bool carried;
        std::function<PxLockErrorInfo(const PxVQEnterprisePtr&)> run;
    };
    const Step steps[] = {
        {"exchange", "INSERT", false,
         [](const PxVQEnterprisePtr& set) { return set->ExchangeGenerationHold("alice/dev"); }},
        {"lift", "DELETE", true,
         [](const PxVQEnterprisePtr& set) {
             set->LiftGenerationHold();
             return PxLockErrorInfo(PxLockGranted, PxVQObjectPtr(set));
         }},
    };
    for (const Step& step : steps)
        for (const ServerFault& row : kServerFaults) {
            SCOPED_TRACE(std::string(step.what) + " " + row.what);
            PxTestRepository repository(PxStoreKind::Server);
            const std::string uri = repository.Path();
            auto alice = PxAttach(uri.c_str(), "alice/dev");
            PxVQEnterprisePtr enterprise = alice->GetLVQEnterprise();
            ASSERT_TRUE(step.carried ? enterprise->PlaceGenerationHold() : enterprise->PersistentLock(0));
            ArmFault(uri, step.change, "px_lock", std::string(row.action) + "; RETURN NULL;");
            EXPECT_EQ(FailureOf([&] { return step.run(enterprise); }), LockFailureText(row, uri));
            DisarmFault(uri, "px_lock");

            auto bob = PxAttach(uri.c_str(), "bob/test");
            const PxVQEnterprisePtr theirs = bob->GetLVQEnterprise();
            EXPECT_FALSE(theirs->IsLocked()) << "nothing of the failed step is held";
            if (step.carried && row.lost) {
                EXPECT_FALSE(theirs->GetPersistentLock()) << "the carried hold went with its session";
                continue;
            }
            ASSERT_TRUE(theirs->GetPersistentLock());
            EXPECT_EQ(theirs->GetPersistentLock()->GetUserCode(), "alice/dev");
            EXPECT_EQ(theirs->GetIntProperty("persistentLockCount"), 1);
            bob.reset();
            if (!row.lost) {
                EXPECT_TRUE(step.run(enterprise)) << "the refused session goes through once the server takes it";
            }
            alice.reset();
        }
}

// A read lock of the enterprise that takes a hold for each of more objects than one batch of
// the lock store names, and so is given back in more than one.
void FillWithLongRun(PxTypedList<PxVQObjectPtr>& run, const PxVQEnterprisePtr& enterprise)
{
    for (std::size_t i = 0; i <= kPxLockBatch; ++i)
        run.AddTail(PxVQObjectPtr(enterprise));
}

// Whether the server took every read lock of the lock table back within the time: decided by what
// the server shows, the time only bounding a give-back that never comes (one that holds at any load).
bool ReadLocksGoneWithin(const std::string& uri, std::chrono::seconds time)
{
    PGconn* watcher = PQconnectdb(uri.c_str());
    const auto end = std::chrono::steady_clock::now() + time;
    bool gone = false;
    while (!gone && std::chrono::steady_clock::now() < end) {
        PGresult* result = PQexec(watcher, "SELECT count(*) FROM vq_repository.px_lock WHERE kind = 1");
        gone = PQntuples(result) == 1 && std::string(PQgetvalue(result, 0, 0)) == "0";
        PQclear(result);
    }
    PQfinish(watcher);
    return gone;
}

// A long run is given back without the session waiting for the server: another session's
// lock on its object is granted once the server has run the give-back, before the holder's
// next call.
TEST(PxServerStoreTest, ALongRunIsGivenBackWithoutTheHolderWaitingOrCallingAgain)
{
    PxTestRepository repository(PxStoreKind::Server);
    const std::string uri = repository.Path();
    auto alice = PxAttach(uri.c_str(), "alice/dev");
    auto bob = PxAttach(uri.c_str(), "bob/test");
    PxTypedList<PxVQObjectPtr> run;
    FillWithLongRun(run, alice->GetLVQEnterprise());
    ASSERT_TRUE(alice->ReadLock(run));
    EXPECT_EQ(bob->GetLVQEnterprise()->WriteLock(0).GetErrorCode(), PxLockHeldByOther);

    EXPECT_TRUE(alice->UnLock(run));
    EXPECT_TRUE(ReadLocksGoneWithin(uri, std::chrono::seconds(60)));
    EXPECT_TRUE(bob->GetLVQEnterprise()->WriteLock(0));
}

// A give-back the server refuses is owed, not thrown, and made while its holder does nothing
// more, as soon as the server takes it (refused again, it is tried again later): another user's
// lock is granted without the holder's next step. Cut by a lost lock connection, it is owed no
// more (the holder's locks went with its session) and the loss is thrown.
TEST(PxServerStoreTest, AGiveBackTheServerRefusedIsMadeWhileItsHolderIdles)
{
    for (const ServerFault& row : kServerFaults) {
        SCOPED_TRACE(row.what);
        TwoUsers users;
        ASSERT_TRUE(users.enterprise->WriteLock(0));
        ArmFault(users.uri, "DELETE", "px_lock", std::string(row.action) + "; RETURN OLD;");
        EXPECT_EQ(FailureOf([&] { users.enterprise->UnLock(); }) == "done", !row.lost);
        const DWORD retrying = PxTesting::GiveBackThread(*users.alice);
        EXPECT_EQ(retrying != 0, !row.lost) << "only a refused give-back is owed";
        if (!row.lost) {
            users.clock.Advance(kPxFirstRetryDelayMilliseconds);
            EXPECT_TRUE(vqwin::WaitUntilThreadWaits(retrying)) << "refused again, it waits to try again";
            EXPECT_EQ(users.bob->GetLVQEnterprise()->WriteLock(0).GetErrorCode(), PxLockHeldByOther);
        }
        DisarmFault(users.uri, "px_lock");
        if (retrying != 0) {
            users.clock.Advance(kPxLongestRetryDelayMilliseconds);
            EXPECT_FALSE(vqwin::WaitUntilThreadWaits(retrying)) << "nothing is owed any more";
        }
        EXPECT_TRUE(users.bob->GetLVQEnterprise()->WriteLock(0));
    }
}

// The server's answer to a long run's give-back is received at the holder's next call: the
// give-back itself succeeded. Refused there (its last batch; the first was taken), what the
// server did not take is owed and given back while the holder does nothing more; cut there by
// a lost lock connection, the next call fails as a lost connection does, and the dead
// session's locks go once another session meets them.
TEST(PxServerStoreTest, ALongRunsGiveBackRefusedOrCutWhenItsAnswerComesIsOwedOrGoesWithItsSession)
{
    for (const ServerFault& row : kServerFaults) {
        SCOPED_TRACE(row.what);
        TwoUsers users;
        PxTypedList<PxVQObjectPtr> run;
        FillWithLongRun(run, users.enterprise);
        ASSERT_TRUE(users.alice->ReadLock(run));
        // The first batch lowers the row's holds; the last deletes it.
        ArmFault(users.uri, "DELETE", "px_lock", std::string(row.action) + "; RETURN OLD;");
        EXPECT_TRUE(users.alice->UnLock(run)) << "the give-back reports success";

        const std::string next = FailureOf([&] { users.enterprise->IsLocked(); });
        DisarmFault(users.uri, "px_lock");
        if (row.lost) {
            EXPECT_EQ(next, LockFailureText(row, users.uri));
            EXPECT_TRUE(users.bob->GetLVQEnterprise()->WriteLock(0)) << "nothing is held by the dead session";
            continue;
        }
        EXPECT_EQ(next, "done");
        EXPECT_EQ(users.bob->GetLVQEnterprise()->WriteLock(0).GetErrorCode(), PxLockHeldByOther)
            << "the refused batch's hold is owed";
        const DWORD retrying = PxTesting::GiveBackThread(*users.alice);
        users.clock.Advance(kPxFirstRetryDelayMilliseconds);
        vqwin::WaitUntilThreadWaits(retrying);
        EXPECT_TRUE(users.bob->GetLVQEnterprise()->WriteLock(0)) << "the owed hold was given back while alice idled";
    }
}

// Each trip of the lock tables first reads their sizes: kept waiting there past the busy timeout
// the lock call is refused as busy, cut there by a lost lock connection it fails; either way
// the session holds nothing, and a lock call refused as busy goes through once the sizes can be
// read.
TEST(PxServerStoreTest, ALockCallWhoseCheckOfTheLockTablesIsKeptWaitingOrCutHoldsNothing)
{
    for (const bool lost : {false, true}) {
        SCOPED_TRACE(lost ? "connection lost" : "kept waiting");
        PxTestRepository repository(PxStoreKind::Server);
        const std::string uri = repository.Path();
        auto alice = PxAttach(uri.c_str(), "alice/dev");
        PxTesting::SetBusyTimeout(*alice, lost ? 5000 : 50);
        PxVQEnterprisePtr enterprise = alice->GetLVQEnterprise();
        int code = 0;
        const std::string failure = FailureWhileTableHeld(
            uri, "px_lock_wait", lost ? kEndWaiter : nullptr, [&] { code = enterprise->WriteLock(0).GetErrorCode(); });
        if (lost)
            EXPECT_EQ(failure, "Cannot reach the repository's locks: the connection to the server of " + uri +
                                   " was lost.");
        else
            EXPECT_EQ(code, 6) << "refused as busy";

        auto bob = PxAttach(uri.c_str(), "bob/test");
        EXPECT_TRUE(bob->GetLVQEnterprise()->WriteLock(0)) << "nothing of the failed lock call is held";
        bob.reset();
        if (!lost) {
            EXPECT_TRUE(enterprise->WriteLock(0)) << "the lock call goes through once the sizes can be read";
        }
        alice.reset();
    }
}

// A statement is prepared in the round trip of its first run; one whose preparation the
// server refused, or never reached after an earlier refusal, is prepared at its next run.
TEST(PxServerStoreTest, AStatementIsPreparedInTheRoundTripOfItsFirstRun)
{
    PxTestRepository repository(PxStoreKind::Server);
    PxPgConnection connection(repository.Path());
    const auto trips = [] { return PxPgConnection::RoundTrips(); };

    std::int64_t before = trips();
    EXPECT_EQ(PxPgConnection::Query(connection, "SELECT $1::bigint + 1", pxwhat::Read).Bind(1).Run().Int(0, 0), 2);
    EXPECT_EQ(PxPgConnection::Query(connection, "SELECT $1::bigint + 1", pxwhat::Read).Bind(2).Run().Int(0, 0), 3);
    EXPECT_EQ(trips() - before, 2);

    PxPgConnection::Query missing(connection, "SELECT count(*) FROM no_such_table", pxwhat::Read);
    PxPgConnection::Query after(connection, "SELECT $1::bigint * 2", pxwhat::Read);
    after.Bind(4);
    EXPECT_EQ(FailureOf([&] { connection.Pipeline({&missing, &after}); }),
              "Cannot read the repository: the server refused: ERROR:  relation \"no_such_table\" does not exist.");
    before = trips();
    EXPECT_EQ(PxPgConnection::Query(connection, "SELECT $1::bigint * 2", pxwhat::Read).Bind(4).Run().Int(0, 0), 8);
    EXPECT_EQ(PxPgConnection::Query(connection, "SELECT $1::bigint + 1", pxwhat::Read).Bind(3).Run().Int(0, 0), 4);
    EXPECT_EQ(trips() - before, 2);
    EXPECT_NE(FailureOf([&] { PxPgConnection::Query(connection, "SELECT count(*) FROM no_such_table", pxwhat::Read).Run(); }),
              "done");
}

// A connection that prepares its statements again as the tables grow (here the sizes grow
// fourfold at every check, twenty times over, then start small again) answers as before,
// whatever trip the check or the dropping falls in, a refused one too, whether it checks every
// few runs or in every trip (then planning the runs of a trip that finds a table grown as the
// tables are); it keeps one prepared statement for each text; a lost connection is told as ever.
TEST(PxServerStoreTest, AConnectionPreparesItsStatementsAgainAsTheTablesGrow)
{
    struct Row {
        const char* check;
        bool everyTrip;
    };
    for (const Row& row : {Row{"every few runs", false}, Row{"every trip", true}}) {
        SCOPED_TRACE(row.check);
        PxTestRepository repository(PxStoreKind::Server);
        PxPgConnection connection(repository.Path());
        connection.Execute("CREATE TEMP SEQUENCE grown", pxwhat::Read);
        if (row.everyTrip) {
            connection.Execute("SET plan_cache_mode = force_generic_plan", pxwhat::Read);
            connection.GuardPlansAgainstGrowth(
                "SELECT g.size, set_config('plan_cache_mode', CASE WHEN g.size > $1 THEN 'force_custom_plan'"
                " ELSE current_setting('plan_cache_mode') END, true)"
                " FROM (SELECT (10000 * 4 ^ (nextval('grown') % 20))::bigint AS size OFFSET 0) g",
                1);
        } else {
            connection.PrepareAgainOnGrowth("SELECT (10000 * 4 ^ (nextval('grown') % 20))::bigint");
        }
        constexpr int kRuns = 500;
        std::set<std::string> planned;
        for (int run = 0; run < kRuns; ++run) {
            EXPECT_EQ(
                PxPgConnection::Query(connection, "SELECT $1::bigint + 1", pxwhat::Read).Bind(run).Run().Int(0, 0),
                run + 1);
            planned.insert(
                PxPgConnection::Query(connection, "SELECT current_setting('plan_cache_mode')", pxwhat::Read)
                    .Run()
                    .Text(0, 0));
            if (run % 7 != 0)
                continue;
            PxPgConnection::Query missing(connection, "SELECT count(*) FROM no_such_table", pxwhat::Read);
            PxPgConnection::Query after(connection, "SELECT $1::bigint * 2", pxwhat::Read);
            after.Bind(run);
            EXPECT_EQ(FailureOf([&] { connection.Pipeline({&missing, &after}); }),
                      "Cannot read the repository: the server refused: ERROR:  relation \"no_such_table\" does not "
                      "exist.");
        }
        const PxPgRows prepared =
            PxPgConnection::Query(connection,
                                  "SELECT count(*), coalesce(sum(generic_plans + custom_plans) FILTER"
                                  " (WHERE statement LIKE '%$1::bigint + 1'), 0) FROM pg_prepared_statements",
                                  pxwhat::Read)
                .Run();
        EXPECT_LE(prepared.Int(0, 0), 5) << "one prepared statement for each text";
        EXPECT_LT(prepared.Int(0, 1), kRuns) << "the statement was prepared again";
        if (row.everyTrip) {
            EXPECT_EQ(planned, (std::set<std::string>{"force_custom_plan", "force_generic_plan"}))
                << "a trip that finds a table grown plans its runs as the tables are, the others keep their plans";
        }

        const std::string pid =
            std::to_string(PxPgConnection::Query(connection, "SELECT pg_backend_pid()", pxwhat::Read).Run().Int(0, 0));
        PgTestServer::Instance().Run(PgTestServer::DatabaseOf(repository.Path()), "SELECT pg_terminate_backend(" + pid + ", 10000)");
        EXPECT_EQ(
            FailureOf([&] { PxPgConnection::Query(connection, "SELECT $1::bigint + 1", pxwhat::Read).Bind(1).Run(); }),
            "Cannot read the repository: the connection to the server of " + std::string(repository.Path()) +
                " was lost.");
    }
}

// A trip prepares every statement new to it before it runs its first one: what a statement's
// preparation meets, it meets before the trip's first statement has taken anything.
TEST(PxServerStoreTest, ATripPreparesItsNewStatementsBeforeItRunsAny)
{
    PxTestRepository repository(PxStoreKind::Server);
    PxPgConnection connection(repository.Path());
    connection.Execute("CREATE TEMP SEQUENCE taken", pxwhat::Lock);
    PxPgConnection::Query take(connection, "SELECT nextval('taken')", pxwhat::Lock);
    PxPgConnection::Query failing(connection, "SELECT count(*) FROM no_such_table", pxwhat::Lock);
    EXPECT_NE(FailureOf([&] { connection.Pipeline({&take, &failing}); }), "done");
    EXPECT_EQ(PxPgConnection::Query(connection, "SELECT coalesce((SELECT last_value FROM taken WHERE is_called), 0)",
                                    pxwhat::Lock)
                  .Run()
                  .Int(0, 0),
              0);
    EXPECT_EQ(PxPgConnection::Query(connection, "SELECT $1::bigint + 1", pxwhat::Lock).Bind(1).Run().Int(0, 0), 2);
}

// A server's own words end without a full stop; the sentence that follows them in the
// message stays a sentence of its own.
TEST(PxServerStoreTest, TheServersRefusalAndWhatFollowedItAreSentencesOfTheirOwn)
{
    PxTestRepository repository(PxStoreKind::Server);
    auto link = PxAttach(repository.Path(), "alice/dev");
    PxVQEnterprisePtr enterprise = link->GetLVQEnterprise();
    ASSERT_TRUE(enterprise->WriteLock(0));
    link->BeginTransaction();
    PgTestServer::Instance().Run(PgTestServer::DatabaseOf(repository.Path()), "DROP TABLE vq_repository.px_attribute");
    // The write goes to the server with the next statement, here the commit's.
    EXPECT_EQ(FailureOf([&] {
                  enterprise->SetAttributeText("name", "refused");
                  link->CommitTransaction();
              }),
              "Cannot change the repository: the server refused: ERROR:  relation \"px_attribute\" does not exist. "
              "The changes were not stored.");
    EXPECT_FALSE(link->IsInTransaction());
}

// The session's locks are checked in the commit's own server transaction; a check that
// cannot be made is not a loss of the locks, and the message says which happened.
TEST(PxServerStoreTest, ACheckOfTheSessionsLocksThatFailsIsReportedAsAFailedCheck)
{
    PxTestRepository repository(PxStoreKind::Server);
    std::string uri = repository.Path();
    auto link = PxAttach(uri.c_str(), "alice/dev");
    PxTesting::SetBusyTimeout(*link, 50);
    PxVQEnterprisePtr enterprise = link->GetLVQEnterprise();
    ASSERT_TRUE(enterprise->WriteLock(0));
    link->BeginTransaction();
    enterprise->SetAttributeText("name", "not checked");
    // Another connection keeps the server's view of the locks from being read.
    PGconn* other = PQconnectdb(uri.c_str());
    ASSERT_EQ(PQstatus(other), CONNECTION_OK);
    PQclear(PQexec(other, "BEGIN"));
    PQclear(PQexec(other, "LOCK TABLE pg_catalog.pg_locks IN ACCESS EXCLUSIVE MODE"));
    std::string failure = FailureOf([&] { link->CommitTransaction(); });
    PQclear(PQexec(other, "ROLLBACK"));
    PQfinish(other);
    EXPECT_EQ(failure, "Cannot commit the repository transaction: the check of this session's locks on the server of " +
                           uri + " failed: the repository is in use by another session; try again later. "
                           "The changes were not stored.");
    EXPECT_FALSE(link->IsInTransaction());
    EXPECT_FALSE(PxAttach(uri.c_str(), "bob/test")->GetLVQEnterprise()->HasAttribute("name"));
}

// The check of the locks goes with the commit: a data connection lost there is the commit's
// failure, named as such, whether or not held-back writes went ahead of it.
TEST(PxServerStoreTest, ADataConnectionLostAtTheCommitIsTheCommitsFailureNotTheCheckOfTheLocks)
{
    PxTestRepository repository(PxStoreKind::Server);
    const std::string uri = repository.Path();
    auto link = PxAttach(uri.c_str(), "alice/dev");
    PxVQEnterprisePtr enterprise = link->GetLVQEnterprise();
    ASSERT_TRUE(enterprise->WriteLock(0));
    link->BeginTransaction();
    enterprise->CreateMember("hosts", "PxVQObject");
    PgTestServer::Instance().Run(PgTestServer::DatabaseOf(uri), "SELECT pg_terminate_backend(pid, 10000) FROM pg_stat_activity"
                                                  " WHERE datname = current_database() AND pid <> pg_backend_pid()"
                                                  " AND pid NOT IN (SELECT pid FROM pg_locks WHERE locktype ="
                                                  " 'advisory' AND objsubid = 1 AND granted)");
    EXPECT_EQ(FailureOf([&] { link->CommitTransaction(); }),
              "Cannot commit the repository transaction: the connection to the server of " + uri +
                  " was lost. The changes were not stored.");
    EXPECT_FALSE(link->IsInTransaction());
    EXPECT_EQ(PxAttach(uri.c_str(), "bob/test")->GetLVQEnterprise()->CountOfMembers("hosts"), 0);
}

TEST(PxServerStoreTest, AFailureIsNamedAsTheServerGaveItAndATimeoutIsNotABusyRepository)
{
    PxTestRepository repository(PxStoreKind::Server);
    PxPgConnection connection(repository.Path());

    // Set for the statement it stops alone: it goes with that statement's transaction.
    EXPECT_EQ(FailureOf([&] {
                  connection.Execute("SET LOCAL statement_timeout = 250; SELECT pg_sleep(5)", pxwhat::Read);
              }),
              "Cannot read the repository: the server cancelled the statement (a statement timeout, or a cancel "
              "on the server).");
    EXPECT_FALSE(connection.LastFailureBusy()) << "trying again meets the same limit";

    // A refusal inside a transaction keeps its reason although the transaction is rolled back.
    connection.Execute("BEGIN READ ONLY", pxwhat::Begin);
    EXPECT_EQ(FailureOf([&] { connection.Execute("CREATE TABLE refused(id integer)", pxwhat::Write); }),
              "Cannot change the repository: the server refused: ERROR:  cannot execute CREATE TABLE in a "
              "read-only transaction.");
    EXPECT_FALSE(connection.InTransaction());
}

// The server refuses the attribute "refused" as a full disk does.
void RefuseWritesOfTheAttributeRefused(const std::string& uri)
{
    PgTestServer::Instance().Run(
        PgTestServer::DatabaseOf(uri),
        "CREATE FUNCTION vq_repository.refuse() RETURNS trigger LANGUAGE plpgsql AS"
        " $$BEGIN RAISE EXCEPTION 'could not extend file' USING ERRCODE = '53100'; END$$;"
        "CREATE TRIGGER refuse BEFORE INSERT OR UPDATE ON vq_repository.px_attribute FOR EACH ROW"
        " WHEN (NEW.name = 'refused') EXECUTE FUNCTION vq_repository.refuse()");
}

// A held-back write that the server refuses, or whose data connection is lost, is reported
// by the transaction's next statement, whatever that is; the transaction is failed from then
// on, also when the statement that reported it was a read whose failure its caller answered,
// and also when the transaction steps its editions together.
TEST(PxServerStoreTest, ARefusedWriteFailsItsWholeTransactionWhereverTheRefusalIsReported)
{
    PxTestRepository repository(PxStoreKind::Server);
    const std::string uri = repository.Path();
    RefuseWritesOfTheAttributeRefused(uri);
    struct Fault {
        const char* attribute; // the held-back write
        std::function<void()> meanwhile;
        std::string reason;
    };
    const Fault faults[] = {
        {"refused", [] {}, "the disk is full."},
        {"held",
         [&] {
             PgTestServer::Instance().Run(PgTestServer::DatabaseOf(uri),
                                          "SELECT pg_terminate_backend(pid, 10000) FROM pg_stat_activity"
                                          " WHERE datname = current_database() AND pid <> pg_backend_pid()"
                                          " AND pid NOT IN (SELECT pid FROM pg_locks WHERE locktype = 'advisory'"
                                          " AND objsubid = 1 AND granted)");
         },
         "the connection to the server of " + uri + " was lost."},
    };
    struct Case {
        const char* what;
        std::function<void(PxVQEnterprisePtr&)> reporting; // the statement after the held-back write
        const char* consequence;
    };
    const Case cases[] = {
        {"a read answered by its caller",
         [](PxVQEnterprisePtr& enterprise) {
             try {
                 enterprise->CountOfMembers("hosts");
             } catch (const PxException&) {
                 // taken as no hosts
             }
             enterprise->SetAttributeText("after", "stored?");
         },
         "The transaction was rolled back."},
        {"a write", [](PxVQEnterprisePtr& enterprise) { enterprise->CreateMember("hosts", "PxVQObject"); },
         "The transaction was rolled back."},
        {"the commit", [](PxVQEnterprisePtr&) {}, "The changes were not stored."},
    };
    // The reads of many objects together, each answered by its caller as the first case is.
    const std::function<void(const std::vector<PxObjectPtr>&)> readsTogether[] = {
        [](const std::vector<PxObjectPtr>& objects) { PxObject::MembersOf(objects, "hosts"); },
        [](const std::vector<PxObjectPtr>& objects) { PxObject::ArePresent(objects); },
        [](const std::vector<PxObjectPtr>& objects) { PxObject::AttributeObjectsOf(objects, "host"); },
    };
    std::vector<Case> withReads(std::begin(cases), std::end(cases));
    for (const auto& read : readsTogether)
        withReads.push_back({"a read of many objects answered by its caller",
                             [read](PxVQEnterprisePtr& enterprise) {
                                 try {
                                     read({enterprise});
                                 } catch (const PxException&) {
                                     // taken as nothing read
                                 }
                                 enterprise->SetAttributeText("after", "stored?");
                             },
                             "The transaction was rolled back."});
    for (const bool together : {false, true}) {
        for (const Fault& fault : faults) {
            for (const Case& c : withReads) {
                auto link = PxAttach(uri.c_str(), "alice/dev");
                PxVQEnterprisePtr enterprise = link->GetLVQEnterprise();
                link->BeginTransaction();
                if (together)
                    link->StepEditionsTogether();
                enterprise->SetAttributeText("before", "stored?");
                enterprise->SetAttributeText(fault.attribute, "x");
                fault.meanwhile();
                const std::string reported = FailureOf([&] {
                    c.reporting(enterprise);
                    link->CommitTransaction();
                });
                const std::string refused = "Cannot change the repository: " + fault.reason;
                EXPECT_EQ(reported, refused + " " + c.consequence) << c.what << ", " << fault.reason;
                if (link->IsInTransaction())
                    PxExpectFailedUntilCommitted(*link, refused + " The transaction was rolled back.");
                auto other = PxAttach(uri.c_str(), "bob/test");
                PxVQEnterprisePtr seen = other->GetLVQEnterprise();
                EXPECT_FALSE(seen->HasAttribute("before")) << c.what << ": nothing of the transaction is stored";
                EXPECT_FALSE(seen->HasAttribute("after")) << c.what;
                EXPECT_EQ(seen->CountOfMembers("hosts"), 0) << c.what;
            }
        }
    }
}

// A savepoint's statements go to the server with the writes held back before them: a
// refusal of those writes, or the data connection lost, is reported by setting the savepoint,
// by releasing it or by rolling back to it (which sends none of the writes held back since
// it, so the server refuses none) and fails the whole transaction.
TEST(PxServerStoreTest, ASavepointRefusedOrCutFailsItsWholeTransaction)
{
    PxTestRepository repository(PxStoreKind::Server);
    const std::string uri = repository.Path();
    RefuseWritesOfTheAttributeRefused(uri);
    const auto cut = [&] {
        PgTestServer::Instance().Run(PgTestServer::DatabaseOf(uri), "SELECT pg_terminate_backend(pid, 10000) FROM pg_stat_activity"
                                                      " WHERE datname = current_database() AND pid <> pg_backend_pid()"
                                                      " AND pid NOT IN (SELECT pid FROM pg_locks WHERE locktype ="
                                                      " 'advisory' AND objsubid = 1 AND granted)");
    };
    const std::string refused = "Cannot change the repository: the disk is full.";
    const std::string lost = "Cannot change the repository: the connection to the server of " + uri + " was lost.";
    struct Row {
        const char* what;
        std::function<void(PxVQLink&, PxVQEnterprisePtr&)> steps; // after a write of "before"
        const std::string& reason;
    };
    const Row rows[] = {
        {"set, refused",
         [](PxVQLink& link, PxVQEnterprisePtr& enterprise) {
             enterprise->SetAttributeText("refused", "x");
             link.SetSavepoint();
         },
         refused},
        {"set, cut",
         [&](PxVQLink& link, PxVQEnterprisePtr&) {
             cut();
             link.SetSavepoint();
         },
         lost},
        {"released, refused",
         [](PxVQLink& link, PxVQEnterprisePtr& enterprise) {
             link.SetSavepoint();
             enterprise->SetAttributeText("refused", "x");
             link.ReleaseSavepoint();
         },
         refused},
        {"released, cut",
         [&](PxVQLink& link, PxVQEnterprisePtr& enterprise) {
             link.SetSavepoint();
             enterprise->SetAttributeText("after", "x");
             cut();
             link.ReleaseSavepoint();
         },
         lost},
        {"rolled back to, cut",
         [&](PxVQLink& link, PxVQEnterprisePtr& enterprise) {
             link.SetSavepoint();
             enterprise->SetAttributeText("after", "x");
             cut();
             link.RollbackToSavepoint();
         },
         lost},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        auto link = PxAttach(uri.c_str(), "alice/dev");
        PxVQEnterprisePtr enterprise = link->GetLVQEnterprise();
        link->BeginTransaction();
        enterprise->SetAttributeText("before", "stored?");
        const std::string failure = row.reason + " The transaction was rolled back.";
        EXPECT_EQ(FailureOf([&] { row.steps(*link, enterprise); }), failure);
        EXPECT_EQ(std::string(link->GetTransactionFailure()), failure);
        PxExpectFailedUntilCommitted(*link, failure);
        auto other = PxAttach(uri.c_str(), "bob/test");
        EXPECT_FALSE(other->GetLVQEnterprise()->HasAttribute("before")) << "nothing of the transaction is stored";
    }
}

// Changes stepping their editions together take one round trip for the steps of all.
TEST(PxServerStoreTest, ChangesSteppingTheirEditionsTogetherTakeOneRoundTripForThem)
{
    PxTestRepository repository(PxStoreKind::Server);
    auto link = PxAttach(repository.Path());
    PxVQEnterprisePtr enterprise = link->GetLVQEnterprise();
    constexpr int kHosts = 50;
    std::vector<PxVQObjectPtr> hosts;
    link->BeginTransaction();
    for (int index = 0; index < kHosts; ++index)
        hosts.push_back(enterprise->CreateMember("hosts", "PxVQObject"));
    link->CommitTransaction();
    for (const PxVQObjectPtr& host : hosts)
        host->GetObjectEdition();
    link->BeginTransaction();
    link->StepEditionsTogether();
    const std::int64_t trips = PxPgConnection::RoundTrips();
    for (const PxVQObjectPtr& host : hosts)
        host->SetAttributeText("address", "10.0.0.1");
    link->CommitTransaction();
    EXPECT_LE(PxPgConnection::RoundTrips() - trips, 8)
        << "the writer slot, the own locks, the writes with the steps, the commit, preparing what is new";
    for (const PxVQObjectPtr& host : hosts)
        EXPECT_TRUE(host->GetObjectEdition().IsLatestEdition());
}

// The editions of what a transaction read before its first write are checked in one statement
// once the writer slot is taken: a check kept waiting past the busy timeout fails that write and
// leaves the transaction to try again; one whose data connection is lost fails it; neither
// stores anything.
TEST(PxServerStoreTest, AnEditionCheckKeptWaitingOrCutFailsTheFirstWriteAndStoresNothing)
{
    for (const bool lost : {false, true}) {
        SCOPED_TRACE(lost ? "connection lost" : "kept waiting");
        PxTestRepository repository(PxStoreKind::Server);
        const std::string uri = repository.Path();
        auto link = PxAttach(uri.c_str(), "alice/dev");
        PxTesting::SetBusyTimeout(*link, lost ? 5000 : 50);
        PxVQEnterprisePtr enterprise = link->GetLVQEnterprise();
        link->BeginTransaction();
        enterprise->CountOfMembers("hosts");
        enterprise->CountOfMembers("packs");
        // Another connection keeps the objects' editions from being read.
        const std::string failure = FailureWhileTableHeld(
            uri, "px_object", lost ? kEndWaiter : nullptr, [&] { enterprise->SetAttributeText("name", "checked"); });
        EXPECT_EQ(failure, "Cannot read the repository: " +
                               (lost ? "the connection to the server of " + uri + " was lost."
                                     : std::string("the repository is in use by another session; try again later.")));
        if (!lost) {
            enterprise->SetAttributeText("name", "checked");
            link->CommitTransaction();
        }
        link.reset();
        EXPECT_EQ(PxAttach(uri.c_str(), "bob/test")->GetLVQEnterprise()->HasAttribute("name"), !lost)
            << "stored only by the transaction that went on";
    }
}

// The read of the hosts lists of every site, then of their members' attributes: refused by the
// server (its statement cancelled as it waits for a table another connection holds) it fails
// with the server's reason and the same read goes through afterwards; cut by a lost connection
// it says so. So it is for a level read in one statement and for one of more lists than a
// statement asks, whose statements go in one pipeline, and for one asked for ahead of it
// (the branches below the sites), whose answer waits on the connection until it is read.
TEST(PxServerStoreTest, AReadOfAWholeLevelRefusedOrCutFailsWithItsReason)
{
    struct Row {
        int sites;
        bool lost;
        bool askedAhead = false;
    };
    for (const Row row : {Row{3, false}, Row{3, true}, Row{10001, false}, Row{10001, true}, Row{3, false, true},
                          Row{3, true, true}}) {
        const bool lost = row.lost;
        SCOPED_TRACE(std::to_string(row.sites) + (lost ? " sites, connection lost" : " sites, refused") +
                     (row.askedAhead ? ", asked ahead" : ""));
        PxTestRepository repository(PxStoreKind::Server);
        const std::string uri = repository.Path();
        auto link = PxAttach(uri.c_str(), "alice/dev");
        std::vector<PxObjectPtr> sites;
        link->BeginTransaction();
        for (int site = 0; site < row.sites; ++site) {
            sites.push_back(link->GetLVQEnterprise()->CreateMember("sites", "PxVQObject"));
            if (site > 0 && site < row.sites - 1)
                continue;
            for (int host = 0; host < 2; ++host)
                sites.back()->CreateMember("hosts", "PxVQObject")->SetAttributeText("address", "10.0.0.1");
        }
        link->CommitTransaction();
        link->ClearAllBuffers();
        const std::string refused = "Cannot read the repository: the server cancelled the statement (a statement "
                                    "timeout, or a cancel on the server).";
        const std::string cut = "Cannot read the repository: the connection to the server of " + uri + " was lost.";
        EXPECT_EQ(FailureWhileTableHeld(uri, "px_member", lost ? kEndWaiter : kCancelWaiter,
                                        [&] {
                                            if (row.askedAhead)
                                                PxObject::AskBranchesAheadOf({"hosts", {{"disks", "files"}}}, {sites});
                                            PxObject::MembersOf(sites, "hosts");
                                        }),
                  lost ? cut : refused);
        if (lost)
            continue;
        if (row.askedAhead) {
            const std::int64_t trips = PxPgConnection::RoundTrips();
            PxObject::AskBranchesAheadOf({"hosts", {{"disks", "files"}}}, {sites});
            const std::vector<std::vector<PxObjectPtr>> hosts = PxObject::MembersOf(sites, "hosts");
            EXPECT_EQ(PxPgConnection::RoundTrips() - trips, 1) << "the read takes what was asked ahead";
            ASSERT_EQ(hosts.back().size(), 2u);
            EXPECT_EQ(hosts.back().back()->GetAttributeText("address"), "10.0.0.1");
            // Another read in between stops what was asked ahead; the reads then go as they come.
            PxObject::AskBranchesAheadOf({"hosts", {{"disks", "files"}}}, {sites});
            sites.front()->Refresh();
            EXPECT_TRUE(sites.front()->ObjectPresent());
            EXPECT_EQ(PxObject::MembersOf(sites, "hosts").back().size(), 2u);
            continue;
        }
        const std::vector<std::vector<PxObjectPtr>> hosts = PxObject::MembersOf(sites, "hosts");
        ASSERT_EQ(hosts.back().size(), 2u);
        EXPECT_EQ(FailureWhileTableHeld(uri, "px_attribute", kCancelWaiter,
                                        [&] { hosts.back().back()->GetAttributeText("address"); }),
                  refused);
        EXPECT_EQ(hosts.front().front()->GetAttributeText("address"), "10.0.0.1");
        EXPECT_EQ(hosts.back().back()->GetAttributeText("address"), "10.0.0.1");
    }
}

// A pipeline whose connection the server ends at any of its queries, or at its end after
// every query has answered (the loss then comes as one more result), fails with the lost
// connection's text.
TEST(PxServerStoreTest, AConnectionLostAtAnyPointOfAPipelineIsAnErrorWithItsText)
{
    PxTestRepository repository(PxStoreKind::Server);
    constexpr int kQueries = 4;
    for (int position = 0; position <= kQueries; ++position) {
        PxPgConnection connection(repository.Path());
        // A row of `ending` ends the connection when its transaction commits: at the pipeline's end.
        connection.Execute("CREATE TEMP TABLE ending(id integer);"
                           "CREATE FUNCTION pg_temp.end_connection() RETURNS trigger LANGUAGE plpgsql AS"
                           " $$BEGIN PERFORM pg_terminate_backend(pg_backend_pid()); RETURN NULL; END$$;"
                           "CREATE CONSTRAINT TRIGGER ending AFTER INSERT ON ending DEFERRABLE INITIALLY DEFERRED"
                           " FOR EACH ROW EXECUTE FUNCTION pg_temp.end_connection()",
                           pxwhat::Lock);
        std::vector<PxPgConnection::Query> queries;
        for (int index = 0; index < kQueries; ++index) {
            const char* sql = index == position                                   ? "SELECT pg_terminate_backend(pg_backend_pid())"
                              : position == kQueries && index == kQueries - 1 ? "INSERT INTO ending VALUES(1)"
                                                                              : "SELECT 1";
            queries.emplace_back(connection, sql, pxwhat::Lock);
        }
        std::vector<PxPgConnection::Query*> pipeline;
        for (PxPgConnection::Query& query : queries)
            pipeline.push_back(&query);
        EXPECT_EQ(FailureOf([&] { connection.Pipeline(pipeline); }),
                  "Cannot reach the repository's locks: the connection to the server of " +
                      std::string(repository.Path()) + " was lost.")
            << "the connection ended at " << (position < kQueries ? "query " : "the end, after query ") << position;
    }
}

} // namespace
