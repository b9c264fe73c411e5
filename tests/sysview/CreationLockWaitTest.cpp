// Add Business Segment's Finish while another process holds something its steps lock, on a
// repository file and on a server: the enterprise read-locked, as a host does from its
// prepare until it is idle again (the generate set's step write-locks it), or a pack (a new
// host's step write-locks every pack). The Finish's wait for its locks (with the
// lock-progress box up) writes nothing yet, so the other process's change goes through
// meanwhile; once the lock is free the Finish stores the link, the generate set and the host
// together, holding what its steps locked until the commit. Giving up the wait makes nothing.
#include "SysViewTestSupport.h"

#include "config/VqsHostFTPPage.h"
#include "config/VqsHostWizardPages.h"
#include "config/VqsNewBSLinkPages.h"
#include "model/VqsLockManager.h"
#include "model/VqsLockRetryCallback.h"
#include "model/VqsLockThread.h"
#include "model/VqsModel.h"
#include "proxy/PxFaultInjection.h"
#include "proxy/PxLockErrorInfo.h"
#include "proxy/PxRepositoryDump.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQEnterprise.h"
#include "proxy/PxVQHostInformation.h"
#include "proxy/PxVQLink.h"
#include "proxy/PxVQOptionSet.h"
#include "repo/RepoFile.h"
#include "repo/RepoSample.h"
#include "support/ChildProcess.h"
#include "support/PgTestServer.h"
#include "support/ScriptedUiDriver.h"
#include "win/Clock.h"
#include "win/Sync.h"

#include <memory>
#include <sstream>
#include <stdexcept>

namespace {

constexpr UINT ID_ADD_BUSINESS_SEGMENT = 32771;
constexpr UINT kLockProgressDialog = 105;
constexpr char kOtherDescription[] = "Changed by B";

enum class Store { File, Server };

// Where the other process holds its read lock, and whether the user asks for a new host.
struct Case {
    Store store;
    bool newHost;
};

using Gen = VqsBSGenPage;
using GS = VqsBSGSPage;
using Target = VqsBSGSHostPage;
using HostPage = VqsBSHostPage;
using Ftp = VqsBSHostFTPPage;

// Before each retry question of the session's locks: once the lock thread has caught up with
// the clock, the step runs; then the module's own callback answers.
struct RetryGate {
    static inline DWORD lockThread = 0;
    static inline std::function<void()> step;

    static int Ask(PxLockErrorInfo& info)
    {
        vqwin::WaitUntilThreadWaits(lockThread);
        if (step)
            step();
        return VqsLockRetryCallback(info);
    }
};

struct CreationLockWaitTest : SysViewTest, ::testing::WithParamInterface<Case> {
    vqtest::ScriptedUiDriver ui;
    vqclock::ManualClock clock;
    vqclock::ScopedClock scopedClock{clock};
    std::string repository;
    // The other process: it read-locks the enterprise, or the pack TARSKPACK; its next step
    // changes SYS1's description and then lets the lock go; its last step fails when it can
    // read-lock that object again.
    std::unique_ptr<vqtest::ChildProcess> other;

    // Each session opens the progress dialog; the test gives it steps before its own session.
    CreationLockWaitTest() { ui.WheneverDialog(kLockProgressDialog); }

    void SetUp() override
    {
        SysViewTest::SetUp();
        app.CloseSession();
        repository = GetParam().store == Store::Server ? vqtest::PgTestServer::Instance().NewDatabase()
                                                 : dir.File("shared.vqr");
        vqrepo::CreateRepositoryFile(repository, vqrepo::SampleDescription());
        PrepareSystemWithoutLinks();
        other = std::make_unique<vqtest::ChildProcess>(std::vector<std::function<void()>>{
            [this] { Held()->ReadLock() ? void() : throw std::runtime_error("not locked"); },
            [this] { ChangeAndLetGo(); },
            [this] { Held()->ReadLock() ? throw std::runtime_error("still free") : void(); }});
        ASSERT_TRUE(other->WaitReady());
    }

    void TearDown() override
    {
        PxFaultInjection::Reset();
        SysViewTest::TearDown();
        RetryGate::step = nullptr;
        other.reset();
    }

    // NEWSYS without links, and no Unix host, so that the wizard offers to create one.
    void PrepareSystemWithoutLinks()
    {
        ASSERT_TRUE(app.OpenSession(repository.c_str(), "ABC", nullptr));
        {
            VqsModel model;
            PxVQSystemPtr created;
            ASSERT_TRUE(model.CreateSystem(created, "New system", "NEWSYS", "No links yet", "RT9", 0, 0));
        }
        PxVQLink* link = app.GetLink();
        link->BeginTransaction();
        link->GetLVQEnterprise()->GetHostInformation("UNIXHOST")->RecursiveDeleteObject();
        link->CommitTransaction();
        app.CloseSession();
    }

    // The child's link lives until the child ends.
    static PxVQLink& ChildLink(const std::string& repository)
    {
        static PxVQLink* link = nullptr;
        if (!link) {
            link = new PxVQLink;
            link->AttachSession(repository.c_str(), "other/dev", nullptr);
        }
        return *link;
    }

    PxVQObjectPtr Held() const
    {
        const PxVQEnterprisePtr enterprise = ChildLink(repository).GetLVQEnterprise();
        if (GetParam().newHost)
            return PxVQObjectPtr(enterprise->GetPackInformation("TARSKPACK"));
        return PxVQObjectPtr(enterprise);
    }

    // The lock goes even when the change fails, so that the wizard goes on.
    void ChangeAndLetGo() const
    {
        PxVQLink& link = ChildLink(repository);
        bool changed = false;
        try {
            link.BeginTransaction();
            link.GetLVQEnterprise()->GetSystem("SYS1")->SetDescription(kOtherDescription);
            link.CommitTransaction();
            changed = true;
        } catch (const VqReportableException&) {
            if (link.IsInTransaction())
                link.AbortTransaction();
        }
        Held()->UnLock();
        if (!changed)
            throw std::runtime_error("the change was refused");
    }

    // The session of this process, with `step` run at each retry question of its locks. Its
    // progress dialog shows two seconds into a wait.
    void StartSession(std::function<void()> step)
    {
        ASSERT_TRUE(app.OpenSession(repository.c_str(), "ABC", nullptr));
        RetryGate::lockThread = VqsLockManager::GetInstance()->FindThreadOfLink(app.GetLink())->m_nThreadID;
        RetryGate::step = std::move(step);
        app.GetLink()->PxSetRetryFunction(&RetryGate::Ask);
        OpenFrame();
        Select({"New system"});
    }

    // The dialog shows (not minimised, as it starts) once a lock has been waited for.
    bool ProgressShown() const
    {
        VqsLockThread* thread = VqsLockManager::GetInstance()->FindThreadOfLink(app.GetLink());
        const HWND dialog = thread ? thread->GetProgressDlg().m_hWnd : nullptr;
        return dialog && ::IsWindowVisible(dialog) && !::IsIconic(dialog);
    }

    // The wizard up to the page where the user presses Finish: a generate set on the Unix
    // host made on the way, or on the existing QSR host.
    vqtest::ScriptedUiDriver::WindowScript& WizardToFinish()
    {
        vqtest::ScriptedUiDriver::WindowScript& script =
            ui.ExpectWizard().OnPage(Gen::IDD).Next().OnPage(GS::IDD).Type(GS::IDC_NAME, "Nightly").Next();
        if (!GetParam().newHost)
            return script.OnPage(Target::IDD).Click(Target::IDC_QSR).Finish();
        return ThroughNewUnixHost<Target, HostPage, Ftp>(script).Finish();
    }

    UINT FinishPage() const { return GetParam().newHost ? Ftp::IDD : Target::IDD; }

    std::string Dump() const
    {
        std::ostringstream out;
        PxRepositoryDump::WriteFile(repository, out);
        return out.str();
    }

    PxVQCurConfigPtr NewConfig() const
    {
        return app.GetLink()->GetLVQEnterprise()->GetSystem("NEWSYS")->GetCurConfig();
    }
};

std::string CaseName(const ::testing::TestParamInfo<Case>& info)
{
    return std::string(info.param.store == Store::Server ? "Server" : "File") +
           (info.param.newHost ? "PackHeldNewHost" : "EnterpriseHeld");
}

} // namespace

TEST_P(CreationLockWaitTest, AnotherSessionWritesWhileTheFinishWaitsForItsLocksThenEverythingIsStored)
{
    // The user leaves the box alone while the wait goes on.
    ui.WheneverDialog(kLockProgressDialog).Wait().Wait().Wait().Wait();
    bool otherChanged = false;
    bool asked = false;
    StartSession([&] {
        if (asked || !ProgressShown())
            return;
        asked = true;
        otherChanged = other->RunNextStep();
    });
    WizardToFinish();
    bool heldAtCommit = false;
    PxFaultInjection::Run("PxLink::CommitTransaction", [&] { heldAtCommit = other->RunNextStep(); });

    Command(ID_ADD_BUSINESS_SEGMENT);

    ui.Verify();
    EXPECT_TRUE(otherChanged) << "the other session's change went through while the Finish waited";
    EXPECT_TRUE(heldAtCommit) << "what the steps locked stays locked until the commit";
    const PxVQSystemPtr changed = app.GetLink()->GetLVQEnterprise()->GetSystem("SYS1");
    changed->Refresh();
    EXPECT_EQ(changed->GetDescription(), kOtherDescription);
    EXPECT_EQ(NewConfig()->CountOfBSSoftLinks(), 1);
    const PxVQGenSetPtr genSet(NewConfig()->GetOptionSet("NIGHTLY"));
    ASSERT_TRUE(genSet);
    EXPECT_EQ(genSet->GetHostName(), GetParam().newHost ? "UXNEW" : "");
    EXPECT_EQ(bool(app.GetLink()->GetLVQEnterprise()->GetHostInformation("UXNEW")), GetParam().newHost);
}

TEST_P(CreationLockWaitTest, AFinishWhoseLockWaitIsGivenUpMakesNothingAndTheWizardStaysOpen)
{
    ui.WheneverDialog(kLockProgressDialog).Cancel().Wait();
    StartSession({});
    std::string afterFinish;
    WizardToFinish().OnPage(FinishPage()).Run([&] { afterFinish = Dump(); }).Cancel();
    const std::string before = Dump();

    Command(ID_ADD_BUSINESS_SEGMENT);

    ui.Verify();
    EXPECT_EQ(afterFinish, before);
    EXPECT_EQ(Dump(), before);
}

INSTANTIATE_TEST_SUITE_P(Stores, CreationLockWaitTest,
                         ::testing::Values(Case{Store::File, false}, Case{Store::File, true}, Case{Store::Server, false},
                                           Case{Store::Server, true}),
                         CaseName);
