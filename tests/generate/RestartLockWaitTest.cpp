// A restart of ABC's interrupted generation while another process synchronises the system
// (it holds the configuration for update, as Generate System does from its synchronisation
// until its generation holds the set), on a repository file and on a server: the restart
// waits with the lock-progress box up and the interrupted generation keeps its hold on the
// set meanwhile; once the other process lets go the restart goes on under that hold. A
// restart whose wait for the set the user gives up stops there with the hold put back.
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
#include "support/ChildProcess.h"
#include "support/ScriptedUiDriver.h"
#include "vqclient/VqcTesting.h"
#include "win/Clock.h"

#include <memory>
#include <stdexcept>

namespace {

constexpr UINT kLockProgressDialog = 105;
constexpr UINT kSelectSessionDialog = 294;
constexpr int kSessionList = 32853;
constexpr int kRestartButton = 33025;

// The other process: it locks SYS1's configuration for update; its next step lets go. In
// the tests of the set, it locks NTGEN for update at its second step and lets go at its third.
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
            [this] { Take(HeldConfig()->GetOptionSet("NTGEN")->FutureUpdateLock()); },
            [this] { HeldConfig()->GetOptionSet("NTGEN")->UnLock(); }});
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

    // The child's link lives until the child ends.
    PxVQCurConfigPtr HeldConfig() const
    {
        static PxVQLink* link = nullptr;
        if (!link) {
            link = new PxVQLink;
            link->AttachSession(repository.c_str(), "XYZ", nullptr);
        }
        return link->GetLVQEnterprise()->GetSystem("SYS1")->GetCurConfig();
    }

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

// The other process takes NTGEN for update in the moment the restart has lifted the hold;
// the user gives up the wait for the set in the progress box. The restart stops there without
// a word: nothing is synchronised or started, the hold is back on the set and nothing claims it.
TEST_P(RestartLockWaitTest, GivenUpWaitingForTheSetTheRestartStopsWithTheHoldPutBack)
{
    ASSERT_TRUE(other->RunNextStep());
    const std::vector<std::int64_t> editions = SegmentEditions();
    ui.WheneverDialog(kLockProgressDialog).Cancel().Wait();
    StartGatedSession(repository, {});
    bool taken = false;
    bool letGo = false;
    PxFaultInjection::Run("PxVQObject::RemovePersistentLock", [&] {
        PxFaultInjection::Run("PxVQObject::FutureUpdateLock", [&] { taken = other->RunNextStep(); });
        PxFaultInjection::Run("PxVQObject::PersistentLock", [&] { letGo = other->RunNextStep(); });
    });
    Select({"Sample system 1"});
    ui.ExpectDialog(kSelectSessionDialog).Select(kSessionList, 0).Click(kRestartButton);

    VqsShowGenerateStatus(*view);

    ui.Verify();
    ASSERT_TRUE(taken);
    EXPECT_TRUE(letGo) << "the hold was not put back";
    EXPECT_TRUE(vqclient::Requests().empty());
    EXPECT_EQ(SegmentEditions(), editions) << "the restart synchronised";
    EXPECT_TRUE(SetHeldByTheInterruptedGeneration());
    EXPECT_FALSE(SetClaimed());
}

INSTANTIATE_TEST_SUITE_P(Stores, RestartLockWaitTest, ::testing::Values(Store::File, Store::Server), CaseName);
