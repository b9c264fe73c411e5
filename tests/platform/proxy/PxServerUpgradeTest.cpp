// A team's repository on a server that an earlier build made: every member's role opens it
// before and after its owner brings it up to date, and the generation holds placed get their
// identities once it is; the owner's upgrade as it opens the repository never holds another
// session up.
#include "PxTestRepository.h"

#include "proxy/PxException.h"
#include "proxy/PxFaultInjection.h"
#include "proxy/PxServerStore.h"
#include "proxy/PxVQObject.h"
#include "support/EarlierBuildUser.h"
#include "support/PgTestServer.h"
#include "support/TeamRepository.h"

#include <gtest/gtest.h>
#include <libpq-fe.h>

#include <atomic>
#include <chrono>
#include <future>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

using Strings = std::vector<std::string>;
using vqtest::TeamRepository;

PxVQObjectPtr Host(PxVQLink& link) { return link.GetLVQEnterprise()->FindMember("hosts", "name", "X"); }

void MakeHost(const std::string& uri)
{
    auto link = PxAttach(uri.c_str());
    link->BeginTransaction();
    link->GetLVQEnterprise()->CreateMember("hosts", "PxVQObject")->SetAttributeText("name", "X");
    link->CommitTransaction();
}

std::int64_t HoldPlacedBy(PxVQLink& link)
{
    const PxVQObjectPtr host = Host(link);
    EXPECT_TRUE(host->PlaceGenerationHold());
    const PxPersistentLockPtr hold = host->GetPersistentLock();
    return hold ? hold->GetHoldId() : -1;
}

std::string ShouldBeUpgraded(const std::string& uri)
{
    return "The repository " + uri + " was made by an earlier build and lacks what this one adds: its owner should"
           " bring it up to date (vqsrepo upgrade " + uri + ").";
}

const char* const kEstimatesSet = "The key columns' estimates were set, so that every lookup by key goes through its"
                                  " index, and the statistics of their tables taken again.";
const std::string kHoldIdentitiesAdded = "The generation holds' identity was added (the column hold_id of"
                                         " px_persistent_lock and the sequence px_hold_id): each generation hold"
                                         " placed from now on has one.";
const std::string kManualIdentitiesAdded = "The manual holds' identity was added (the column manual_id of"
                                           " px_persistent_lock): a manual hold a step placed and took back is from"
                                           " now on taken back from the lock it was placed on alone.";
const std::string kManualKeysAdded = "The manual holds' key was added (the column manual_key of px_persistent_lock"
                                     " and its trigger px_manual_holds_gone): a manual hold a step placed and took"
                                     " back is from now on taken back whichever build placed or changed the lock"
                                     " since, and never from a lock its user unlocked and placed again.";
const std::string kIdentitiesAdded = kHoldIdentitiesAdded + " " + kManualIdentitiesAdded + " " + kManualKeysAdded;

std::string GrantedToMember(const TeamRepository& team)
{
    return "GRANT SELECT, UPDATE, USAGE ON SEQUENCE px_hold_id TO " + team.MemberRole() + ".";
}

// What a session of the owner that could not bring the repository up to date as it opened it tells.
std::string OwnerCouldNot(const std::string& uri, const std::string& reason)
{
    return "The repository " + uri + " was made by an earlier build and lacks what this one adds. This session of its"
           " owner tried to bring it up to date and could not: " + reason + " The owner's next session tries again,"
           " as does vqsrepo upgrade " + uri + ".";
}

// A session of the role of the URI that holds a table of the repository in the mode for as long as
// it lives: ACCESS SHARE as a long read of an earlier build's session does, SHARE UPDATE EXCLUSIVE
// as an analysis does.
class TableHolder {
public:
    TableHolder(const std::string& uri, const std::string& table, const std::string& mode)
        : m_connection(PQconnectdb(uri.c_str()))
    {
        PGresult* held =
            PQexec(m_connection, ("BEGIN; LOCK TABLE vq_repository." + table + " IN " + mode + " MODE").c_str());
        EXPECT_EQ(PQresultStatus(held), PGRES_COMMAND_OK) << PQerrorMessage(m_connection);
        PQclear(held);
    }
    ~TableHolder() { PQfinish(m_connection); }
    TableHolder(const TableHolder&) = delete;
    TableHolder& operator=(const TableHolder&) = delete;

    int Process() const { return PQbackendPID(m_connection); }

private:
    PGconn* m_connection;
};

// Returns once a connection to the repository's database waits for a lock, or `done` is set.
void AwaitALockWaitUnless(const std::string& uri, const std::atomic<bool>& done)
{
    PGconn* watcher = PQconnectdb(uri.c_str());
    for (bool waiting = false; !waiting && !done;) {
        PGresult* result = PQexec(watcher, "SELECT 1 FROM pg_stat_activity WHERE datname = current_database()"
                                           " AND wait_event_type = 'Lock'");
        waiting = PQntuples(result) > 0;
        PQclear(result);
    }
    PQfinish(watcher);
}

} // namespace

// A member's session opens the repository as it is and places holds without an identity. The
// owner's upgrade adds what this build needs and gives the member the rights it has on the other
// sequences; the member's next session places holds with an identity, and its session of before
// reads them as they are, so that its lift of a hold without one leaves them standing.
TEST(PxServerUpgradeTest, AMembersRoleOpensAnEarlierBuildsRepositoryBeforeAndAfterItsOwnerUpgradesIt)
{
    TeamRepository team(false);
    MakeHost(team.MemberUri());
    auto before = PxAttach(team.MemberUri().c_str(), "bob/test");
    EXPECT_EQ(HoldPlacedBy(*before), 0) << "a hold without identity";
    Host(*before)->LiftGenerationHold();

    EXPECT_EQ(PxServerStore::Upgrade(team.OwnerUri()),
              (Strings{kEstimatesSet, kHoldIdentitiesAdded, kManualIdentitiesAdded, kManualKeysAdded,
                       GrantedToMember(team)}));
    auto after = PxAttach(team.MemberUri().c_str(), "carol/dev");
    const std::int64_t placed = HoldPlacedBy(*after);
    EXPECT_GT(placed, 0);
    EXPECT_EQ(Host(*before)->GetPersistentLock()->GetHoldId(), placed);
    EXPECT_FALSE(Host(*before)->LiftGenerationHoldNamed(0));
    EXPECT_TRUE(Host(*before)->LiftGenerationHoldNamed(placed));
}

// A member's session opened before its owner's upgrade places holds with an identity once the
// repository has them.
TEST(PxServerUpgradeTest, AMembersSessionOpenedBeforeItsOwnersUpgradeTakesIdentitiesOnceTheRepositoryHasThem)
{
    TeamRepository team(false);
    MakeHost(team.MemberUri());
    auto member = PxAttach(team.MemberUri().c_str(), "bob/test");
    EXPECT_EQ(std::string(member->GetRepositoryNotice()), ShouldBeUpgraded(team.MemberUri()));
    EXPECT_EQ(HoldPlacedBy(*member), 0);
    Host(*member)->LiftGenerationHold();

    PxServerStore::Upgrade(team.OwnerUri());
    const std::int64_t placed = HoldPlacedBy(*member);
    EXPECT_GT(placed, 0);
    EXPECT_TRUE(Host(*member)->LiftGenerationHoldNamed(placed));
}

// A member's session opened before its owner's upgrade takes back a manual lock it placed while that
// is its user's: a lock its user unlocked and another user placed since stays. Once the repository
// has the manual holds' identity, the session's next manual lock has one, and its take-back leaves
// a lock its own user placed again since.
TEST(PxServerUpgradeTest, AMembersTakeBackOfAManualLockLeavesALockPlacedSinceBeforeAndAfterItsOwnersUpgrade)
{
    TeamRepository team(false);
    MakeHost(team.MemberUri());
    auto step = PxAttach(team.MemberUri().c_str(), "bob/test");
    auto bob = PxAttach(team.MemberUri().c_str(), "bob/test");
    auto carol = PxAttach(team.MemberUri().c_str(), "carol/dev");
    const auto lockedAgainSince = [&](PxVQLink& again) {
        EXPECT_TRUE(Host(*step)->PersistentLock(1));
        EXPECT_TRUE(Host(*bob)->RemovePersistentLock(1, 1));
        EXPECT_TRUE(Host(again)->PersistentLock(1));
        Host(*step)->TakeBackManualLock();
        const PxPersistentLockPtr lock = Host(*bob)->GetPersistentLock();
        const bool stays = lock && lock->GetManualLockCount() == 1;
        EXPECT_TRUE(Host(again)->RemovePersistentLock(1, 1));
        return stays;
    };
    EXPECT_TRUE(lockedAgainSince(*carol)) << "another user's lock";

    PxServerStore::Upgrade(team.OwnerUri());
    EXPECT_TRUE(lockedAgainSince(*bob)) << "its own user's lock";
    EXPECT_FALSE(Host(*bob)->GetPersistentLock());
}

// A member's session opened before its owner's upgrade, of a repository an earlier build made or of
// one a later build than that brought up to date without the manual holds' keys. Once
// the owner's upgrade adds them, the session's take-back of a manual lock it placed beside its user's
// generation hold leaves standing the lock its user unlocked and placed again through the earlier
// build, whose statements run as the member's role.
TEST(PxServerUpgradeTest, AMembersTakeBackAfterItsOwnersUpgradeLeavesALockItsUserPlacedAgainThroughAnEarlierBuild)
{
    for (const bool identityKept : {false, true}) {
        SCOPED_TRACE(identityKept ? "the manual holds' identity kept" : "made by an earlier build");
        TeamRepository team(false);
        MakeHost(team.MemberUri());
        if (identityKept) {
            PxServerStore::Upgrade(team.OwnerUri());
            vqtest::ForgetManualKeys(team.Database());
        }
        auto step = PxAttach(team.MemberUri().c_str(), "bob/test");
        EXPECT_EQ(std::string(step->GetRepositoryNotice()), ShouldBeUpgraded(team.MemberUri()));
        auto bob = PxAttach(team.MemberUri().c_str(), "bob/test");
        ASSERT_TRUE(Host(*bob)->PersistentLock(0));

        EXPECT_EQ(PxServerStore::Upgrade(team.OwnerUri()),
                  (identityKept ? Strings{kManualKeysAdded}
                                : Strings{kEstimatesSet, kHoldIdentitiesAdded, kManualIdentitiesAdded,
                                          kManualKeysAdded, GrantedToMember(team)}));
        const std::int64_t oid = Host(*step)->GetHandle().MapKey();
        vqtest::EarlierBuildUser earlierBuild(team.MemberUri(), "bob/test");
        ASSERT_TRUE(Host(*step)->PersistentLock(1));
        ASSERT_TRUE(earlierBuild.UnlockByHand(oid) && earlierBuild.LockByHand(oid));
        Host(*step)->TakeBackManualLock();
        const PxPersistentLockPtr lock = Host(*bob)->GetPersistentLock();
        ASSERT_TRUE(lock);
        EXPECT_EQ(lock->GetManualLockCount(), 1);
    }
}

// The owner's session brings the repository up to date as it opens it, and says what it changed;
// refused there, it carries on with what the repository has, and the repository keeps it all; cut
// there by a lost connection, the session does not open.
TEST(PxServerUpgradeTest, AnOwnersSessionUpgradesTheRepositoryAsItOpensItOrCarriesOnWithoutWhenRefused)
{
    struct Row {
        const char* what;
        const char* atChange; // what the server does at the schema's first change, or nothing
    };
    const Row rows[] = {
        {"taken", nullptr},
        {"refused", "RAISE EXCEPTION 'no change now'"},
        {"cut", "PERFORM pg_terminate_backend(pg_backend_pid())"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        TeamRepository team(false);
        MakeHost(team.MemberUri());
        vqtest::PgTestServer& server = vqtest::PgTestServer::Instance();
        if (row.atChange)
            server.Run(team.Database(), std::string("CREATE FUNCTION public.refuse() RETURNS event_trigger LANGUAGE"
                                                    " plpgsql AS $$BEGIN ") +
                                            row.atChange + "; END$$; CREATE EVENT TRIGGER refuse ON"
                                                           " ddl_command_start EXECUTE FUNCTION public.refuse()");
        std::unique_ptr<PxVQLink> owner;
        try {
            owner = PxAttach(team.OwnerUri().c_str());
        } catch (const PxException& e) {
            EXPECT_NE(std::string(e.GetErrorMessage()).find(" was lost."), std::string::npos) << e.GetErrorMessage();
        }
        if (row.atChange)
            server.Run(team.Database(), "DROP EVENT TRIGGER refuse; DROP FUNCTION public.refuse()");
        const bool cut = std::string(row.what) == "cut";
        EXPECT_EQ(owner == nullptr, cut);
        if (!owner)
            continue;
        const std::string notice(owner->GetRepositoryNotice());
        const bool taken = !row.atChange;
        EXPECT_EQ(notice, taken ? "The repository " + team.OwnerUri() + " was brought up to date for this build. " +
                                      kEstimatesSet + " " + kIdentitiesAdded + " " + GrantedToMember(team)
                                : OwnerCouldNot(team.OwnerUri(), "the server refused: ERROR:  no change now."));
        auto member = PxAttach(team.MemberUri().c_str(), "bob/test");
        EXPECT_EQ(HoldPlacedBy(*member) > 0, taken);
    }
}

// The owner's session opening the repository while another session reads a table its upgrade
// changes gives way: a member's session that opens while the owner's waits for the table opens
// and reads while the reader holds it still, never queued behind the owner's wait until the reader
// lets go, and the owner's session says that it tried and what held it. The next session of the
// owner, the table free, brings the repository up to date.
TEST(PxServerUpgradeTest, AnOwnersUpgradeAtOpenGivesWayToAHeldTableWithoutHoldingUpAMembersOpen)
{
    TeamRepository team(false);
    MakeHost(team.MemberUri());
    auto reader = std::make_unique<TableHolder>(team.MemberUri(), "px_persistent_lock", "ACCESS SHARE");

    std::atomic<bool> ownerOpened{false};
    std::unique_ptr<PxVQLink> owner;
    std::thread opening([&] {
        try {
            owner = PxAttach(team.OwnerUri().c_str());
        } catch (const PxException& e) {
            ADD_FAILURE() << e.GetErrorMessage();
        }
        ownerOpened = true;
    });
    AwaitALockWaitUnless(vqtest::PgTestServer::Instance().Uri(team.Database()), ownerOpened);
    std::promise<void> memberRead;
    std::future<void> read = memberRead.get_future();
    std::thread member([&] {
        try {
            auto link = PxAttach(team.MemberUri().c_str(), "bob/test");
            EXPECT_TRUE(Host(*link));
        } catch (const PxException& e) {
            ADD_FAILURE() << e.GetErrorMessage();
        }
        memberRead.set_value();
    });
    // Only a member's open queued until the reader lets go takes that long, whatever the load:
    // the reader is then let go, and the open ends.
    const bool readWhileHeld = read.wait_for(std::chrono::seconds(60)) == std::future_status::ready;
    if (!readWhileHeld)
        reader.reset();
    member.join();
    opening.join();
    ASSERT_TRUE(readWhileHeld) << "the member's open waited for the reader behind the owner's upgrade";
    ASSERT_TRUE(owner);
    const std::string heldBy = "another session held its table px_persistent_lock (process " +
                               std::to_string(reader->Process()) + " of " + team.MemberRole() + ").";
    EXPECT_EQ(std::string(owner->GetRepositoryNotice()), OwnerCouldNot(team.OwnerUri(), heldBy));

    EXPECT_EQ(FailureOf([&] { PxServerStore::Upgrade(team.OwnerUri()); }),
              "Cannot bring the repository " + team.OwnerUri() + " up to date: " + heldBy);

    reader.reset();
    auto next = PxAttach(team.OwnerUri().c_str());
    EXPECT_EQ(std::string(next->GetRepositoryNotice()),
              "The repository " + team.OwnerUri() + " was brought up to date for this build. " + kEstimatesSet +
                  " " + kIdentitiesAdded + " " + GrantedToMember(team));
    EXPECT_GT(HoldPlacedBy(*owner), 0);
}

// The owner's upgrade whose analysis after its change meets a key table another session holds (an
// analysis of its own) gives the analysis up at once: the change stands, and the owner's session
// says that the statistics are left to the server's next analysis, and what held the table.
TEST(PxServerUpgradeTest, AnOwnersUpgradeWhoseAnalysisMeetsAHeldTableKeepsItsChangeAndSaysWhatHeldIt)
{
    TeamRepository team(false);
    MakeHost(team.MemberUri());
    std::unique_ptr<TableHolder> analysis;
    PxFaultInjection::Run("PxServerUpgrade::AnalyzeKeyTables", [&] {
        analysis = std::make_unique<TableHolder>(team.MemberUri(), "px_lock", "SHARE UPDATE EXCLUSIVE");
    });
    auto owner = PxAttach(team.OwnerUri().c_str());
    PxFaultInjection::Reset();
    ASSERT_TRUE(analysis);
    const std::string uri = team.OwnerUri();
    EXPECT_EQ(std::string(owner->GetRepositoryNotice()),
              "The repository " + uri + " was brought up to date for this build. The key columns' estimates were"
              " set, so that every lookup by key goes through its index once the statistics of their tables are"
              " taken again (the server's next analysis of them, or vqsrepo analyze " + uri + "); taking them now"
              " failed: another session held its table px_lock (process " + std::to_string(analysis->Process()) +
              " of " + team.MemberRole() + "). " + kIdentitiesAdded + " " + GrantedToMember(team));
    analysis.reset();
    EXPECT_EQ(std::string(PxAttach(uri.c_str())->GetRepositoryNotice()), "");
}
