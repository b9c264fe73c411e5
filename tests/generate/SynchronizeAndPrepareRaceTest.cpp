// Two and three users, each in a process of her own on one repository (a file or a database
// of the suite's server), synchronise the configuration of their own system and then run a
// host's transaction over the segment every one of those systems links, again and again. A
// prepare whose choice another user's synchronisation changed meanwhile chooses that link
// again; the users leave the lock-progress box to wait, and none ever waits in a circle: each
// step ends without a Cancel and no step waits in line below a lock it holds. While two users
// synchronise back to back, a host's prepares beside them end after a few turns, holding what
// the transaction needs.
#include "../sysview/RaceRound.h"
#include "../sysview/SysViewTestSupport.h"

#include "generate/VqsGenerateCommands.h"
#include "model/VqsLockScope.h"
#include "proxy/PxFaultInjection.h"
#include "proxy/PxLockNoWait.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQLink.h"
#include "repo/RepoFile.h"
#include "repo/RepoSample.h"
#include "support/PgTestServer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>

namespace {

using racetest::RoundPipes;

constexpr UINT kLockProgressDialog = 105;
// Bounds a round whose users wait for each other, so that a circle fails the test; a round
// that ends takes a small part of it, at any load.
constexpr int kLongestRoundMilliseconds = 120'000;
constexpr int kTurnsEachUser = 6;
// The host's prepares beside two users synchronising back to back, all along: a few seconds
// when each prepare's turns end.
constexpr int kPreparesBesideSynchronising = 20;
// Each turn of a prepare that locks anything write-locks its configurations and their links in
// one call. A prepare whose turns end takes a few; one that gave back and chose again for as
// long as the other users synchronised took up to hundreds. A wait within a turn is a lock
// call's, with the lock-progress box past the quiet wait, where the users wait.
constexpr int kMostLockingTurns = 4;

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

    // In the user's process: her session, her system selected in the directory view, once
    // every user stands there.
    bool OpenAtHerSystem(std::size_t user, RoundPipes& pipes)
    {
        if (!app.OpenSession(repository.c_str(), ("USER" + std::to_string(user + 1)).c_str(), nullptr))
            return false;
        OpenFrame();
        Select({"Sample system " + std::to_string(user + 1)});
        pipes.ArriveAndWait();
        return true;
    }

    // In the user's process: 'S' when every turn's steps went through without a box.
    char Play(std::size_t user, RoundPipes& pipes)
    {
        const std::string system = "SYS" + std::to_string(user + 1);
        if (!OpenAtHerSystem(user, pipes))
            return Outcome();
        for (int turn = 0; turn < kTurnsEachUser; ++turn) {
            EXPECT_TRUE(Unsynchronise(system.c_str())) << system << " turn " << turn;
            VqsSynchronizeConfig(*view);
            EXPECT_TRUE(app.PrepareForTransaction("SALES", 0)) << system << " turn " << turn;
            app.TransactionClosed();
            app.OnHostIdle();
        }
        return Outcome();
    }

    // In the host's process: prepares again and again beside the users synchronising, then
    // tells them to stop.
    char PlayHost(RoundPipes& pipes)
    {
        if (!app.OpenSession(repository.c_str(), "USER1", nullptr))
            return Outcome();
        pipes.ArriveAndWait();
        for (int prepare = 0; prepare < kPreparesBesideSynchronising; ++prepare) {
            int lockingTurns = 0;
            CountCalls("PxLink::WriteLock", lockingTurns);
            EXPECT_TRUE(app.PrepareForTransaction("SALES", 0)) << "prepare " << prepare;
            PxFaultInjection::Reset();
            EXPECT_LE(lockingTurns, kMostLockingTurns) << "prepare " << prepare;
            ExpectPreparedHeld(prepare);
            app.TransactionClosed();
            app.OnHostIdle();
        }
        dir.Write("prepared", "");
        return Outcome();
    }

    // In a synchronising user's process: her system's synchronisation, back to back, until the
    // host is done.
    char PlaySynchronising(std::size_t user, RoundPipes& pipes)
    {
        const std::string system = "SYS" + std::to_string(user + 1);
        if (!OpenAtHerSystem(user, pipes))
            return Outcome();
        while (!std::filesystem::exists(dir.File("prepared")) && !::testing::Test::HasFailure()) {
            EXPECT_TRUE(Unsynchronise(system.c_str())) << system;
            VqsSynchronizeConfig(*view);
        }
        return Outcome();
    }

    // Counts the calls of the repository operation in this process into `calls`.
    static void CountCalls(const char* operation, int& calls)
    {
        PxFaultInjection::Run(operation, [operation, &calls] {
            ++calls;
            CountCalls(operation, calls);
        });
    }

    // Every system's configuration and its link of the segment stay written by the host's
    // transaction: another user's read of them is refused.
    void ExpectPreparedHeld(int prepare) const
    {
        auto watcher = std::make_unique<PxVQLink>();
        watcher->AttachSession(repository.c_str(), "WATCHER", nullptr);
        const PxLockNoWait noWait;
        for (const char* system : {"SYS1", "SYS2", "SYS3"}) {
            const PxVQCurConfigPtr config = watcher->GetLVQEnterprise()->GetSystem(system)->GetCurConfig();
            for (const PxVQObjectPtr& object : {PxVQObjectPtr(config), PxVQObjectPtr(config->GetBSSoftLink("SALES"))}) {
                const PxLockErrorInfo read = object->ReadLock();
                EXPECT_EQ(read.GetErrorCode(), PxLockHeldByOther)
                    << system << " " << object->GetClassName() << ", prepare " << prepare;
                if (read)
                    object->UnLock();
            }
        }
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

struct PrepareBesideSynchronisingTest : SynchronizeAndPrepareRaceTest {};

TEST_P(PrepareBesideSynchronisingTest, TheHostsPreparesEndAfterAFewTurnsHoldingWhatTheyPrepared)
{
    const auto play = [&](std::size_t user, RoundPipes& pipes) {
        return user == 0 ? PlayHost(pipes) : PlaySynchronising(user, pipes);
    };
    const std::string outcomes = racetest::RunRound(3, play, std::chrono::milliseconds(kLongestRoundMilliseconds));
    EXPECT_EQ(outcomes, "SSS") << "'T': a user never ended";
}

INSTANTIATE_TEST_SUITE_P(Cases, PrepareBesideSynchronisingTest,
                         ::testing::Values(Case{Store::File, "TwoUsersSynchronising", 3},
                                           Case{Store::Server, "TwoUsersSynchronising", 3}),
                         StoreCaseName<Case>);

INSTANTIATE_TEST_SUITE_P(Cases, SynchronizeAndPrepareRaceTest,
                         ::testing::Values(Case{Store::File, "TwoUsers", 2}, Case{Store::File, "ThreeUsers", 3},
                                           Case{Store::Server, "TwoUsers", 2}, Case{Store::Server, "ThreeUsers", 3}),
                         StoreCaseName<Case>);
