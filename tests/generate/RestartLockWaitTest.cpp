// A restart of ABC's interrupted generation while another process synchronises the system
// (it holds the configuration for update, as Generate System does from its synchronisation
// until its generation holds the set), on a repository file and on a server: the restart
// waits with the lock-progress box up and the interrupted generation keeps its hold on the
// set meanwhile; once the other process lets go the restart goes on under that hold. The
// same while another process of ABC holds the set itself for update: the hold stands while
// the restart waits, so another user's generation or Lock of the set is refused by it, and a
// restart that is refused or whose wait the user gives up leaves it where it was.
#include "../sysview/SysViewTestSupport.h"
#include "RecoveryTestSupport.h"

#include "generate/VqsGenerateStatus.h"
#include "proxy/PxFaultInjection.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQEnterprise.h"
#include "proxy/PxVQLink.h"
#include "proxy/PxVQOptionSet.h"
#include "proxy/PxVQRecoveryInfo.h"
#include "shell/VqsLockFailure.h"
#include "shell/VqsMsgBox.h"
#include "support/ChildProcess.h"
#include "support/ScriptedUiDriver.h"
#include "vqclient/VqcTesting.h"
#include "win/Clock.h"

#include <map>
#include <memory>
#include <stdexcept>

namespace {

constexpr UINT kLockProgressDialog = 105;
constexpr UINT kSelectSessionDialog = 294;
constexpr int kSessionList = 32853;
constexpr int kRestartButton = 33025;

// The other process: it locks SYS1's configuration for update as XYZ; its next step lets go.
// In the tests of the set, its third step holds NTGEN for update under the hold in a session of
// ABC (as a start of ABC's own takes the hold over); its fourth has XYZ start a generation of
// NTGEN and Lock it, both refused by the hold; its fifth lets go. Its sixth holds NTGEN so
// again; its seventh starts ABC's generation of it (its claim) and lets the update go; its
// eighth ends that generation.
struct RestartLockWaitTest : OtherProcessLockTest<Store> {
    void SetUp() override
    {
        vqclient::Reset();
        vqclient::SetGenerationLog(dir.File("generate.log"));
        SysViewTest::SetUp();
        app.CloseSession();
        repository = NewSharedSample(GetParam(), dir);
        InterruptGenerationOfNtGen(repository);
        other = std::make_unique<vqtest::ChildProcess>(std::vector<std::function<void()>>{
            [this] { Take(HeldConfig()->FutureUpdateLock()); },
            [this] { HeldConfig()->UnLock(); },
            [this] { Take(SetOf("ABC")->ExchangeGenerationHold("ABC")); },
            [this] {
                RefusedByTheHold(SetOf("XYZ")->PersistentLock(0));
                RefusedByTheHold(SetOf("XYZ")->PersistentLock(1));
            },
            [this] { SetOf("ABC")->UnLock(); },
            [this] { Take(SetOf("ABC")->ExchangeGenerationHold("ABC")); },
            [this] {
                if (!SetOf("ABC")->ClaimForGeneration())
                    throw std::runtime_error("not claimed");
                SetOf("ABC")->UnLock();
            },
            [this] { SetOf("ABC")->ReleaseGenerationClaim(); }});
        ASSERT_TRUE(other->WaitReady());
    }

    void TearDown() override
    {
        SysViewTest::TearDown();
        RetryGate::step = nullptr;
        PxFaultInjection::Reset();
        other.reset();
        vqclient::SetGenerationLog("");
    }

    static void Take(const PxLockErrorInfo& lock)
    {
        if (!lock.Succeeded())
            throw std::runtime_error("not locked");
    }

    static void RefusedByTheHold(const PxLockErrorInfo& lock)
    {
        const PxPersistentLockPtr hold = lock.GetPersistentLock();
        if (lock.GetErrorCode() != PxLockPersistentlyLocked || !hold || hold->GetUserCode() != "ABC")
            throw std::runtime_error("not refused by ABC's hold");
    }

    // The child's links, one a user, live until the child ends.
    PxVQCurConfigPtr ConfigOf(const std::string& user) const
    {
        static std::map<std::string, PxVQLink*> links;
        PxVQLink*& link = links[user];
        if (!link) {
            link = new PxVQLink;
            link->AttachSession(repository.c_str(), user.c_str(), nullptr);
        }
        return link->GetLVQEnterprise()->GetSystem("SYS1")->GetCurConfig();
    }
    PxVQCurConfigPtr HeldConfig() const { return ConfigOf("XYZ"); }
    PxVQOptionSetPtr SetOf(const std::string& user) const { return ConfigOf(user)->GetOptionSet("NTGEN"); }

    bool SetClaimed() const
    {
        PxVQLink link;
        link.AttachSession(repository.c_str(), "checker/dev", nullptr);
        return link.GetLVQEnterprise()->GetSystem("SYS1")->GetCurConfig()->GetOptionSet("NTGEN")->GetGenerationClaim() !=
               PxVQObject::GenerationClaim::None;
    }

    // The editions of SYS1's segment links, which a synchronisation steps.
    std::vector<std::int64_t> SegmentEditions() const
    {
        PxVQLink link;
        link.AttachSession(repository.c_str(), "checker/dev", nullptr);
        PxTypedList<PxVQBSSoftLinkPtr> links;
        link.GetLVQEnterprise()->GetSystem("SYS1")->GetCurConfig()->GetListOfBSSoftLinks(links);
        std::vector<std::int64_t> editions;
        for (POSITION pos = links.GetHeadPosition(); pos;)
            editions.push_back(links.GetNext(pos)->GetObjectEdition().GetEdition());
        return editions;
    }

    // The restart stops while waiting for the set (given up in the progress box, or refused):
    // nothing is synchronised or started, the hold stays on the set and nothing claims it,
    // so that it still refuses another user; once the other process lets go, the next restart
    // goes on. `told` expects what the user is told of the stop.
    void StopRestartThenRestartOnceLetGo(const std::function<void()>& told)
    {
        ASSERT_TRUE(other->RunNextStep());
        ASSERT_TRUE(other->RunNextStep());
        const std::vector<std::int64_t> editions = SegmentEditions();
        StartGatedSession(repository, {});
        Select({"Sample system 1"});
        ui.ExpectDialog(kSelectSessionDialog).Select(kSessionList, 0).Click(kRestartButton);
        told();

        VqsShowGenerateStatus(*view);

        ui.Verify();
        EXPECT_TRUE(vqclient::Requests().empty());
        EXPECT_EQ(SegmentEditions(), editions) << "the restart synchronised";
        EXPECT_TRUE(SetHeldByTheInterruptedGeneration());
        EXPECT_FALSE(SetClaimed());
        EXPECT_TRUE(other->RunNextStep()) << "another user got past the hold";
        ASSERT_TRUE(other->RunNextStep());

        ui.ExpectDialog(kSelectSessionDialog).Select(kSessionList, 0).Click(kRestartButton);
        VqsShowGenerateStatus(*view);
        ui.Verify();
        EXPECT_EQ(vqclient::Requests().size(), 1u) << "the next restart did not start";
        EXPECT_TRUE(SetHeldByTheInterruptedGeneration());
    }

    // NTGEN's hold as a third user sees it.
    bool SetHeldByTheInterruptedGeneration() const
    {
        PxVQLink link;
        link.AttachSession(repository.c_str(), "checker/dev", nullptr);
        const PxPersistentLockPtr hold =
            link.GetLVQEnterprise()->GetSystem("SYS1")->GetCurConfig()->GetOptionSet("NTGEN")->GetPersistentLock();
        return hold && hold->GetUserCode() == "ABC";
    }
};

std::string CaseName(const ::testing::TestParamInfo<Store>& info) { return StoreName(info.param); }

} // namespace

TEST_P(RestartLockWaitTest, WaitingForTheConfigurationTheRestartLeavesTheHoldInPlaceAndGoesOnOnceLetGo)
{
    ui.WheneverDialog(kLockProgressDialog).Wait().Wait().Wait().Wait();
    bool letGo = false;
    bool heldWhileWaiting = false;
    StartGatedSession(repository, [&] {
        if (letGo || !ProgressShown())
            return;
        heldWhileWaiting = SetHeldByTheInterruptedGeneration();
        letGo = other->RunNextStep();
    });
    Select({"Sample system 1"});
    ui.ExpectDialog(kSelectSessionDialog).Select(kSessionList, 0).Click(kRestartButton);

    VqsShowGenerateStatus(*view);

    ui.Verify();
    ASSERT_TRUE(letGo);
    EXPECT_TRUE(heldWhileWaiting) << "the hold was lifted while the restart waited";
    ASSERT_EQ(vqclient::Requests().size(), 1u);
    EXPECT_EQ(vqclient::Requests()[0].substr(0, 35), "generation 1: kind 4 genset \"NTGEN\"");
    EXPECT_TRUE(SetHeldByTheInterruptedGeneration()) << "the restarted generation holds the set";
}

// While the restart waits for the set, another user's generation of it and Lock of it are
// refused by the interrupted generation's hold, as before the restart; once the other process
// lets go, the restart goes on and its generation holds the set.
TEST_P(RestartLockWaitTest, WaitingForTheSetTheRestartLeavesTheHoldToRefuseOthersAndGoesOnOnceLetGo)
{
    ASSERT_TRUE(other->RunNextStep());
    ASSERT_TRUE(other->RunNextStep());
    ui.WheneverDialog(kLockProgressDialog).Wait().Wait().Wait().Wait();
    bool refusedByTheHold = false;
    bool letGo = false;
    StartGatedSession(repository, [&] {
        if (letGo || !ProgressShown())
            return;
        refusedByTheHold = other->RunNextStep();
        letGo = other->RunNextStep();
    });
    Select({"Sample system 1"});
    ui.ExpectDialog(kSelectSessionDialog).Select(kSessionList, 0).Click(kRestartButton);

    VqsShowGenerateStatus(*view);

    ui.Verify();
    ASSERT_TRUE(letGo);
    EXPECT_TRUE(refusedByTheHold) << "another user got between the hold and the restart";
    ASSERT_EQ(vqclient::Requests().size(), 1u);
    EXPECT_EQ(vqclient::Requests()[0].substr(0, 35), "generation 1: kind 4 genset \"NTGEN\"");
    EXPECT_TRUE(SetHeldByTheInterruptedGeneration()) << "the restarted generation holds the set";
    EXPECT_TRUE(SetClaimed());
}

TEST_P(RestartLockWaitTest, AWaitForTheSetGivenUpLeavesTheHoldWhereItWasForTheNextRestart)
{
    ui.WheneverDialog(kLockProgressDialog).Cancel().Wait();
    StopRestartThenRestartOnceLetGo([] {});
}

TEST_P(RestartLockWaitTest, ASetRefusedToTheRestartLeavesTheHoldWhereItWasForTheNextRestart)
{
    PxFaultInjection::RefuseLock("PxVQObject::ExchangeGenerationHold", PxLockRefused, 1);
    StopRestartThenRestartOnceLetGo([this] {
        ui.ExpectMessageBox(VqsLockFailureMessage({PxLockRefused, "NTGEN", "", 0}).GetString(), IDOK);
    });
}

// ABC's other process starts a generation of the set while the restart waits for it: once the
// set is let go, the restart looks again, refuses with a box naming the generation's user and
// synchronises nothing; once that generation ends, the next restart runs.
TEST_P(RestartLockWaitTest, AGenerationOfTheSetStartedWhileTheRestartWaitsStopsItBeforeItSynchronises)
{
    for (int step = 0; step < 5; ++step)
        ASSERT_TRUE(other->RunNextStep());
    const std::vector<std::int64_t> editions = SegmentEditions();
    ui.WheneverDialog(kLockProgressDialog).Wait().Wait().Wait().Wait();
    bool started = false;
    StartGatedSession(repository, [&] {
        if (!started && ProgressShown())
            started = other->RunNextStep();
    });
    Select({"Sample system 1"});
    ui.ExpectDialog(kSelectSessionDialog).Select(kSessionList, 0).Click(kRestartButton);
    ui.ExpectMessageBox(VqsLockFailureMessage({PxLockPersistentlyLocked, "NTGEN", "ABC", 0}).GetString(), IDOK);

    VqsShowGenerateStatus(*view);

    ui.Verify();
    ASSERT_TRUE(started);
    EXPECT_TRUE(vqclient::Requests().empty());
    EXPECT_EQ(SegmentEditions(), editions) << "the restart synchronised";
    ASSERT_TRUE(other->RunNextStep());
    ui.ExpectDialog(kSelectSessionDialog).Select(kSessionList, 0).Click(kRestartButton);
    VqsShowGenerateStatus(*view);
    ui.Verify();
    EXPECT_EQ(vqclient::Requests().size(), 1u) << "the next restart did not start";
}

// After the restart took the set for update under the interrupted generation's hold, the
// store refuses the hold's put-back (the way restarts once gave it back), or the server ends
// the restart's lock connection: the hold stays where it was, and the owner's next restart
// runs under it.
TEST_P(RestartLockWaitTest, AFailureAfterTheRestartTookTheSetLeavesTheHoldForTheOwnersNextRestart)
{
    ASSERT_TRUE(other->RunNextStep());
    const struct {
        const char* what;
        bool cut;
    } rows[] = {{"the put-back refused", false}, {"the lock connection ended", true}};
    for (const auto& row : rows) {
        if (row.cut && GetParam() != Store::Server)
            continue;
        SCOPED_TRACE(row.what);
        StartGatedSession(repository, {});
        Select({"Sample system 1"});
        const std::size_t started = vqclient::Requests().size();
        ui.ExpectDialog(kSelectSessionDialog).Select(kSessionList, 0).Click(kRestartButton);
        if (row.cut) {
            PxFaultInjection::Run("PxVQObject::ExchangeGenerationHold", [this] {
                PxFaultInjection::Run("PxObject::ObjectPresent", [this] { EndLockConnections(repository); });
            });
            ui.ExpectMessageBox("Cannot Restart Generate:\nCannot reach the repository's locks: the connection to the "
                                "server of " + repository + " was lost.\nThe session cannot work without its "
                                "connection: close the session and open it again.",
                                IDOK);
        } else {
            PxFaultInjection::Throw("PxVQObject::PersistentLock", "Cannot reach the repository's locks: the disk is full.");
        }
        VqsShowGenerateStatus(*view);
        ui.Verify();
        PxFaultInjection::Reset();
        if (!row.cut) {
            ASSERT_EQ(vqclient::Requests().size(), started + 1);
            ASSERT_TRUE(vqclient::Interrupt(vqclient::LastGenerateNumber(), 3));
        }
        VqsEndOfAction();
        CloseFrame();
        app.CloseSession();
        EXPECT_TRUE(SetHeldByTheInterruptedGeneration());

        StartGatedSession(repository, {});
        Select({"Sample system 1"});
        ui.ExpectDialog(kSelectSessionDialog).Select(kSessionList, 0).Click(kRestartButton);
        VqsShowGenerateStatus(*view);
        ui.Verify();
        ASSERT_EQ(vqclient::Requests().size(), started + (row.cut ? 1 : 2)) << "the owner's next restart";
        ASSERT_TRUE(vqclient::Interrupt(vqclient::LastGenerateNumber(), 3));
        VqsEndOfAction();
        CloseFrame();
        app.CloseSession();
    }
}

INSTANTIATE_TEST_SUITE_P(Stores, RestartLockWaitTest, ::testing::Values(Store::File, Store::Server), CaseName);
