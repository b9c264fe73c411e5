// A restart of ABC's interrupted generation while another process synchronises the system
// (it holds the configuration for update, as Generate System does from its synchronisation
// until its generation holds the set), on a repository file and on a server: the restart
// waits with the lock-progress box up and the interrupted generation keeps its hold on the
// set meanwhile; once the other process lets go the restart goes on under that hold.
#include "../sysview/SysViewTestSupport.h"
#include "RecoveryTestSupport.h"

#include "generate/VqsGenerateStatus.h"
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

// The other process: it locks SYS1's configuration for update; its next step lets go.
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
            [this] { HeldConfig()->FutureUpdateLock().Succeeded() ? void() : throw std::runtime_error("not locked"); },
            [this] { HeldConfig()->UnLock(); }});
        ASSERT_TRUE(other->WaitReady());
    }

    void TearDown() override
    {
        SysViewTest::TearDown();
        RetryGate::step = nullptr;
        other.reset();
        vqclient::SetGenerationLog("");
    }

    // The child's link lives until the child ends.
    PxVQConfigPtr HeldConfig() const
    {
        static PxVQLink* link = nullptr;
        if (!link) {
            link = new PxVQLink;
            link->AttachSession(repository.c_str(), "XYZ", nullptr);
        }
        return link->GetLVQEnterprise()->GetSystem("SYS1")->GetCurConfig();
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

INSTANTIATE_TEST_SUITE_P(Stores, RestartLockWaitTest, ::testing::Values(Store::File, Store::Server), CaseName);
