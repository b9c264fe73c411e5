// Two and three users, each in a process of her own on one repository (a file or a database
// of the suite's server), synchronise the configuration of their own system and then run a
// host's transaction over the segment every one of those systems links, again and again. A
// prepare whose choice another user's synchronisation changed meanwhile chooses that link
// again; the users leave the lock-progress box to wait, and none ever waits in a circle: each
// step ends without a Cancel and no step waits in line below a lock it holds.
#include "../sysview/RaceRound.h"
#include "../sysview/SysViewTestSupport.h"

#include "generate/VqsGenerateCommands.h"
#include "model/VqsLockScope.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQConfig.h"
#include "repo/RepoFile.h"
#include "repo/RepoSample.h"
#include "support/PgTestServer.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

using racetest::RoundPipes;

constexpr UINT kLockProgressDialog = 105;
// Bounds a round whose users wait for each other, so that a circle fails the test; a round
// that ends takes a small part of it, at any load.
constexpr int kLongestRoundMilliseconds = 120'000;
constexpr int kTurnsEachUser = 6;

struct Case {
    Store store;
    const char* name;
    int users;
};

// A user who leaves the lock-progress box to wait and notes every message box.
class WaitingUser : public vqtest::ScriptedUiDriver {
public:
    vqui::UiAction NextAction(const vqui::UiEvent& event) override
    {
        if (event.kind == vqui::EventKind::Dialog && event.templateId == kLockProgressDialog)
            return vqui::UiAction::Wait();
        if (event.kind == vqui::EventKind::MessageBox) {
            boxes.push_back(event.text.GetString());
            return vqui::UiAction::End(IDOK);
        }
        return ScriptedUiDriver::NextAction(event);
    }

    std::vector<std::string> boxes;
};

struct SynchronizeAndPrepareRaceTest : SysViewTest, ::testing::WithParamInterface<Case> {
    WaitingUser ui;
    std::string repository;

    SynchronizeAndPrepareRaceTest() { ui.WheneverDialog(kLockProgressDialog); }

    void SetUp() override
    {
        SysViewTest::SetUp();
        app.CloseSession();
        // A system of the segment for each user.
        vqrepo::SampleScale scale;
        scale.systems = 3;
        repository = GetParam().store == Store::Server ? vqtest::PgTestServer::Instance().NewDatabase()
                                                        : dir.File("shared.vqr");
        vqrepo::CreateRepositoryFile(repository, vqrepo::SampleDescription(scale));
    }

    // The segment link of the user's system forgets the design revision it was synchronised
    // with, so that her next Synchronize writes it again.
    bool Unsynchronise(const char* system)
    {
        const PxVQBSSoftLinkPtr sales =
            app.GetLink()->GetLVQEnterprise()->GetSystem(system)->GetCurConfig()->GetBSSoftLink("SALES");
        VqsLockScope waitsWithItsBox(app.GetLink());
        if (!sales->WriteLock(0))
            return false;
        app.GetLink()->BeginTransaction();
        sales->SetSyncGenRevisionGUID(GUID{});
        app.GetLink()->CommitTransaction();
        sales->UnLock();
        return true;
    }

    // In the user's process: 'S' when every turn's steps went through without a box.
    char Play(std::size_t user, RoundPipes& pipes)
    {
        const std::string system = "SYS" + std::to_string(user + 1);
        if (!app.OpenSession(repository.c_str(), ("USER" + std::to_string(user + 1)).c_str(), nullptr))
            return Outcome();
        OpenFrame();
        Select({"Sample system " + std::to_string(user + 1)});
        pipes.ArriveAndWait();
        for (int turn = 0; turn < kTurnsEachUser; ++turn) {
            EXPECT_TRUE(Unsynchronise(system.c_str())) << system << " turn " << turn;
            VqsSynchronizeConfig(*view);
            EXPECT_TRUE(app.PrepareForTransaction("SALES", 0)) << system << " turn " << turn;
            app.TransactionClosed();
            app.OnHostIdle();
        }
        return Outcome();
    }

    char Outcome() const
    {
        for (const std::string& box : ui.boxes)
            ADD_FAILURE() << "a step said: " << box;
        return ::testing::Test::HasFailure() ? 'F' : 'S';
    }
};

} // namespace

TEST_P(SynchronizeAndPrepareRaceTest, NoTwoUsersWaitInACircle)
{
    const std::string outcomes = racetest::RunRound(
        static_cast<std::size_t>(GetParam().users), [&](std::size_t user, RoundPipes& pipes) { return Play(user, pipes); },
        std::chrono::milliseconds(kLongestRoundMilliseconds));
    EXPECT_EQ(outcomes, std::string(static_cast<std::size_t>(GetParam().users), 'S')) << "'T': a user never ended";
}

INSTANTIATE_TEST_SUITE_P(Cases, SynchronizeAndPrepareRaceTest,
                         ::testing::Values(Case{Store::File, "TwoUsers", 2}, Case{Store::File, "ThreeUsers", 3},
                                           Case{Store::Server, "TwoUsers", 2}, Case{Store::Server, "ThreeUsers", 3}),
                         StoreCaseName<Case>);
