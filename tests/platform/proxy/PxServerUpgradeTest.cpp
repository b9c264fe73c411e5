// A team's repository on a server that an earlier build made: every member's role opens it
// before and after its owner brings it up to date, and the generation holds placed get their
// identities once it is.
#include "PxTestRepository.h"

#include "proxy/PxException.h"
#include "proxy/PxServerStore.h"
#include "proxy/PxVQObject.h"
#include "support/PgTestServer.h"
#include "support/TeamRepository.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
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
const char* const kIdentitiesAdded = "The generation holds' identity was added (the column hold_id of"
                                     " px_persistent_lock and the sequence px_hold_id): each generation hold placed"
                                     " from now on has one.";

std::string GrantedToMember(const TeamRepository& team)
{
    return "GRANT SELECT, UPDATE, USAGE ON SEQUENCE px_hold_id TO " + team.MemberRole() + ".";
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
              (Strings{kEstimatesSet, kIdentitiesAdded, GrantedToMember(team)}));
    auto after = PxAttach(team.MemberUri().c_str(), "carol/dev");
    const std::int64_t placed = HoldPlacedBy(*after);
    EXPECT_GT(placed, 0);
    EXPECT_EQ(Host(*before)->GetPersistentLock()->GetHoldId(), placed);
    EXPECT_FALSE(Host(*before)->LiftGenerationHoldNamed(0));
    EXPECT_TRUE(Host(*before)->LiftGenerationHoldNamed(placed));
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
                                : ShouldBeUpgraded(team.OwnerUri()));
        auto member = PxAttach(team.MemberUri().c_str(), "bob/test");
        EXPECT_EQ(HoldPlacedBy(*member) > 0, taken);
    }
}
