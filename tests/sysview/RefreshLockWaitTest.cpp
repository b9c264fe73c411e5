// The Refresh command, with the system view and the host view open, while another process
// writes SYS1's SALES options in NTGEN (as an options dialog's OK does before it takes the
// packs those options name), on a repository file and on a server. The Refresh waits for the
// record with the lock-progress box up and holds no pack meanwhile: it takes the packs after
// the option records, as every step does. So the other process takes the pack it goes on to,
// lets both go, and the Refresh ends; neither waits for the other in a circle.
#include "SysViewTestSupport.h"

#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQEnterprise.h"
#include "proxy/PxVQLink.h"
#include "proxy/PxVQOptions.h"
#include "proxy/PxVQPackInformation.h"
#include "support/ChildProcess.h"
#include "support/ScriptedUiDriver.h"

#include <memory>
#include <stdexcept>

namespace {

constexpr UINT kLockProgressDialog = 105;
constexpr UINT ID_REFRESH = 32805;

struct RefreshLockWaitTest : OtherProcessLockTest<Store> {
    void SetUp() override
    {
        SysViewTest::SetUp();
        app.CloseSession();
        repository = NewSharedSample(GetParam(), dir);
        other = std::make_unique<vqtest::ChildProcess>(std::vector<std::function<void()>>{
            [this] { Succeed(Options()->WriteLock(0)); },
            [this] {
                // Without a retry callback of its own, a pack another session holds refuses at once.
                const PxVQPackInformationPtr pack = ChildLink().GetLVQEnterprise()->GetPackInformation("SALESFG");
                Succeed(pack->WriteLock(0));
                pack->UnLock();
                Options()->UnLock();
            }});
        ASSERT_TRUE(other->WaitReady());
    }

    static void Succeed(const PxLockErrorInfo& lock)
    {
        if (!lock.Succeeded())
            throw std::runtime_error("not locked");
    }
    PxOptionsPtr Options() const
    {
        const PxVQCurConfigPtr config = ChildLink().GetLVQEnterprise()->GetSystem("SYS1")->GetCurConfig();
        return config->GetBSSoftLink("SALES")->GetOptions(config->GetOptionSet("NTGEN"));
    }
};

std::string CaseName(const ::testing::TestParamInfo<Store>& info) { return StoreName(info.param); }

} // namespace

TEST_P(RefreshLockWaitTest, WaitingForAnOptionRecordTheRefreshHoldsNoPack)
{
    ui.WheneverDialog(kLockProgressDialog).Wait().Wait().Wait().Wait();
    bool stepped = false;
    bool packTaken = false;
    StartGatedSession(repository, [&] {
        if (!stepped && ProgressShown()) {
            stepped = true;
            packTaken = other->RunNextStep();
        }
    });
    OpenHostFrame();

    Command(ID_REFRESH);

    ui.Verify();
    EXPECT_TRUE(stepped);
    EXPECT_TRUE(packTaken);
}

INSTANTIATE_TEST_SUITE_P(Stores, RefreshLockWaitTest, ::testing::Values(Store::File, Store::Server), CaseName);
