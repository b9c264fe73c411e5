// A member of a team opens the team's repository on a server that an earlier build made, under
// a role that has rights on its tables and sequences only, before and after the owner of its
// tables brings it up to date.
#include "GenerationStartTest.h"

#include "generate/VqsGenerateCommands.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQOptionSet.h"
#include "repo/RepoFile.h"
#include "support/TeamRepository.h"
#include "vqclient/VqcTesting.h"

#include <gtest/gtest.h>

namespace {

constexpr UINT IDD_GENERATE = 160;

Strings g_logged;

void Logged(int, const char* level, const char* text) { g_logged.push_back(std::string(level) + " " + text); }

struct TeamRepositoryTest : GenerationStartTest {
    vqtest::TeamRepository team{true};

    // Opens the member's session, as the host does after it gave the module its callbacks, and
    // its system frame; answers what it logged as it opened.
    Strings OpenAsMember()
    {
        g_logged.clear();
        app.RegisterWYRCallBack(nullptr, nullptr, &Logged);
        EXPECT_TRUE(app.OpenSession(team.MemberUri().c_str(), "ABC", nullptr));
        OpenFrame();
        return g_logged;
    }

    void CloseSession()
    {
        CloseFrame();
        app.CloseSession();
    }

    // Generates the system of the tree's row with its generate set; answers the identity of the
    // set's generation hold.
    std::int64_t HoldOfGeneration(const char* row, const char* system, const char* genSet)
    {
        Select({row});
        const PxVQOptionSetPtr set = System(system)->GetCurConfig()->GetOptionSet(genSet);
        frame->SetCurrentOptionSet(set);
        ui.ExpectDialog(IDD_GENERATE).OK();
        VqsGenerateSystem(*view);
        ui.Verify();
        const PxPersistentLockPtr hold = set->GetPersistentLock();
        return hold ? hold->GetHoldId() : -1;
    }
};

} // namespace

// The member's session opens and logs once that the owner should bring the repository up to
// date, and its generation places a hold without an identity; after the owner's upgrade it opens
// without a word, and its generation's hold has an identity.
TEST_F(TeamRepositoryTest, AMembersSessionOpensBeforeAndAfterTheOwnersUpgradeThenItsHoldsHaveIdentities)
{
    const std::string& uri = team.MemberUri();
    EXPECT_EQ(OpenAsMember(), Strings{"WARNING The repository " + uri + " was made by an earlier build and lacks"
                                      " what this one adds: its owner should bring it up to date (vqsrepo upgrade " +
                                      uri + ")."});
    EXPECT_EQ(HoldOfGeneration("Sample system 1", "SYS1", "NTGEN"), 0);
    CloseSession();

    EXPECT_EQ(vqrepo::UpgradeServerRepository(team.OwnerUri()).size(), 5u);
    EXPECT_EQ(OpenAsMember(), Strings{});
    EXPECT_GT(HoldOfGeneration("Sample system 3", "SYS3", "NTGEN"), 0);
    EXPECT_EQ(vqclient::Requests().size(), 2u);
}

// A member's session opened before the owner's upgrade places its next generation's hold with an
// identity once the repository has them.
TEST_F(TeamRepositoryTest, AMembersSessionOpenedBeforeTheOwnersUpgradeGivesItsNextGenerationsHoldAnIdentity)
{
    OpenAsMember();
    EXPECT_EQ(HoldOfGeneration("Sample system 1", "SYS1", "NTGEN"), 0);

    EXPECT_EQ(vqrepo::UpgradeServerRepository(team.OwnerUri()).size(), 5u);
    EXPECT_GT(HoldOfGeneration("Sample system 3", "SYS3", "NTGEN"), 0);
    CloseSession();
}
