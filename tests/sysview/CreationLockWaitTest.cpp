// The creating wizards' Finish while another process holds something their steps lock, on a
// repository file and on a server: the enterprise read-locked, as a host does from its
// prepare until it is idle again (a generate set's step write-locks it), a pack (a new
// host's step write-locks every pack) or a business-segment link (a generate set's step
// write-locks the configuration's links). The Finish's wait for its locks (with the
// lock-progress box up) writes nothing yet, so the other process's change goes through
// meanwhile; once the lock is free the Finish stores everything it makes together, holding
// what its steps locked until the commit. Giving up the wait, or a lock refused for good,
// makes nothing and keeps the wizard open.
#include "SysViewTestSupport.h"

#include "config/VqsHostFTPPage.h"
#include "config/VqsHostWizardPages.h"
#include "config/VqsNewBSLinkPages.h"
#include "config/VqsNewGenSetPages.h"
#include "config/VqsNewSystemPages.h"
#include "model/VqsLockManager.h"
#include "model/VqsLockRetryCallback.h"
#include "model/VqsLockThread.h"
#include "model/VqsModel.h"
#include "proxy/PxFaultInjection.h"
#include "proxy/PxLockErrorInfo.h"
#include "proxy/PxRepositoryDump.h"
#include "proxy/PxVQBSSoftLink.h"
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
#include "sysview/VqsOptionSetView.h"
#include "win/Clock.h"
#include "win/Sync.h"

#include <memory>
#include <sstream>
#include <stdexcept>

namespace {

constexpr UINT kLockProgressDialog = 105;
constexpr char kOtherDescription[] = "Changed by B";

using Wizard = SysViewTest::Wizard;
enum class Held { Enterprise, Pack, SegmentLink };

struct Case {
    Store store;
    Wizard wizard;
    // What the other process read-locks.
    Held held;
    // The host the wizard makes on the way; empty when the set goes to a type's hosts.
    const char* newHost;
    // Where the generate set goes.
    const char* system;
};

std::vector<Case> Cases()
{
    std::vector<Case> cases;
    for (Store store : {Store::File, Store::Server}) {
        cases.push_back({store, Wizard::AddSegment, Held::Enterprise, "", "NEWSYS"});
        cases.push_back({store, Wizard::AddSegment, Held::Pack, "UXNEW", "NEWSYS"});
        cases.push_back({store, Wizard::NewSystem, Held::Pack, "UXNEW", "ORDERS"});
        cases.push_back({store, Wizard::NewGenSet, Held::SegmentLink, "QSRNEW", "SYS1"});
    }
    return cases;
}

std::string CaseName(const ::testing::TestParamInfo<Case>& info)
{
    const char* wizards[] = {"NewSystem", "AddSegment", "NewGenSet"};
    const char* held[] = {"EnterpriseHeld", "PackHeld", "LinkHeld"};
    return std::string(StoreName(info.param.store)) +
           wizards[static_cast<int>(info.param.wizard)] + held[static_cast<int>(info.param.held)];
}

// The other process: it read-locks what the case says; its next step changes SYS1's
// description and then lets the lock go; its last step fails when it can read-lock that
// object again.
struct CreationLockWaitTest : OtherProcessLockTest<Case> {
    void SetUp() override
    {
        SysViewTest::SetUp();
        app.CloseSession();
        repository = NewSharedSample(GetParam().store, dir);
        PrepareHostsAndSystem();
        other = std::make_unique<vqtest::ChildProcess>(std::vector<std::function<void()>>{
            [this] { Held()->ReadLock() ? void() : throw std::runtime_error("not locked"); },
            [this] { ChangeAndLetGo(); },
            [this] { Held()->ReadLock() ? throw std::runtime_error("still free") : void(); }});
        ASSERT_TRUE(other->WaitReady());
    }

    void TearDown() override
    {
        PxFaultInjection::Reset();
        OtherProcessLockTest::TearDown();
    }

    // NEWSYS without links, and no Unix or QSR host, so that the wizards offer to make one.
    void PrepareHostsAndSystem()
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
        link->GetLVQEnterprise()->GetHostInformation("QSRHOST")->RecursiveDeleteObject();
        link->CommitTransaction();
        app.CloseSession();
    }

    PxVQObjectPtr Held() const { return HeldThrough(ChildLink()); }

    // The held object as the lock layer names it.
    std::string HeldName() const
    {
        const char* names[] = {"an object", "TARSKPACK", "SALES business segment"};
        return names[static_cast<int>(GetParam().held)];
    }

    PxVQObjectPtr HeldThrough(PxVQLink& link) const
    {
        const PxVQEnterprisePtr enterprise = link.GetLVQEnterprise();
        switch (GetParam().held) {
        case Held::Enterprise:
            return PxVQObjectPtr(enterprise);
        case Held::Pack:
            return PxVQObjectPtr(enterprise->GetPackInformation("TARSKPACK"));
        default:
            return PxVQObjectPtr(enterprise->GetSystem("SYS1")->GetCurConfig()->GetBSSoftLink("SALES"));
        }
    }

    // The lock goes even when the change fails, so that the wizard goes on.
    void ChangeAndLetGo() const
    {
        PxVQLink& link = ChildLink();
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
    void StartSession(std::function<void()> step) { StartGatedSession(repository, std::move(step)); }

    // The wizard up to the page where the user presses Finish.
    vqtest::ScriptedUiDriver::WindowScript& WizardToFinish()
    {
        switch (GetParam().wizard) {
        case Wizard::NewSystem:
            return ThroughNewUnixHost<VqsSysGSHostPage, VqsSysHostPage, VqsSysHostFTPPage>(
                       NewSystemToGenSetPage(ui).Type(VqsSysGSPage::IDC_NAME, "Nightly").Next())
                .Finish();
        case Wizard::AddSegment: {
            vqtest::ScriptedUiDriver::WindowScript& script = ui.ExpectWizard()
                                                                 .OnPage(VqsBSGenPage::IDD)
                                                                 .Next()
                                                                 .OnPage(VqsBSGSPage::IDD)
                                                                 .Type(VqsBSGSPage::IDC_NAME, "Nightly")
                                                                 .Next();
            if (*GetParam().newHost == '\0')
                return script.OnPage(VqsBSGSHostPage::IDD).Click(VqsBSGSHostPage::IDC_TARSK).Finish();
            return ThroughNewUnixHost<VqsBSGSHostPage, VqsBSHostPage, VqsBSHostFTPPage>(script).Finish();
        }
        default:
            return NewGenSetToFtpPage(ui, "Nightly").Finish();
        }
    }

    // The page that stays open when the Finish makes nothing.
    UINT FinishPage() const
    {
        switch (GetParam().wizard) {
        case Wizard::NewSystem:
            return VqsSysHostFTPPage::IDD;
        case Wizard::AddSegment:
            return *GetParam().newHost == '\0' ? VqsBSGSHostPage::IDD : VqsBSHostFTPPage::IDD;
        default:
            return VqsGenSetHostFTPPage::IDD;
        }
    }

    // The user starts the wizard where it is offered.
    void StartWizard()
    {
        SysViewTest::StartWizard(GetParam().wizard,
                                 GetParam().wizard == Wizard::AddSegment ? "New system" : "Sample system 1");
    }

    std::string Dump() const
    {
        std::ostringstream out;
        PxRepositoryDump::WriteFile(repository, out);
        return out.str();
    }

    PxVQCurConfigPtr Config() const
    {
        return app.GetLink()->GetLVQEnterprise()->GetSystem(GetParam().system)->GetCurConfig();
    }
};

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

    StartWizard();

    ui.Verify();
    EXPECT_TRUE(otherChanged) << "the other session's change went through while the Finish waited";
    EXPECT_TRUE(heldAtCommit) << "what the steps locked stays locked until the commit";
    const PxVQSystemPtr changed = app.GetLink()->GetLVQEnterprise()->GetSystem("SYS1");
    changed->Refresh();
    EXPECT_EQ(changed->GetDescription(), kOtherDescription);
    if (GetParam().wizard != Wizard::NewGenSet) {
        EXPECT_EQ(Config()->CountOfBSSoftLinks(), 1);
    }
    const PxVQGenSetPtr genSet(Config()->GetOptionSet("NIGHTLY"));
    ASSERT_TRUE(genSet);
    EXPECT_EQ(genSet->GetHostName(), GetParam().newHost);
    if (*GetParam().newHost != '\0') {
        EXPECT_TRUE(app.GetLink()->GetLVQEnterprise()->GetHostInformation(GetParam().newHost));
    }
}

TEST_P(CreationLockWaitTest, AFinishWhoseLockWaitIsGivenUpMakesNothingAndTheWizardStaysOpen)
{
    ui.WheneverDialog(kLockProgressDialog).Cancel().Wait();
    StartSession({});
    std::string afterFinish;
    WizardToFinish().OnPage(FinishPage()).Run([&] { afterFinish = Dump(); }).Cancel();
    const std::string before = Dump();

    StartWizard();

    ui.Verify();
    EXPECT_EQ(afterFinish, before);
    EXPECT_EQ(Dump(), before);
}

INSTANTIATE_TEST_SUITE_P(Cases, CreationLockWaitTest, ::testing::ValuesIn(Cases()), CaseName);

TEST_P(CreationLockWaitTest, AFinishWhoseLockIsRefusedSaysSoMakesNothingAndTheWizardStaysOpen)
{
    ASSERT_TRUE(other->RunNextStep());
    {
        PxVQLink locker;
        locker.AttachSession(repository.c_str(), "locker/dev", nullptr);
        ASSERT_TRUE(HeldThrough(locker)->PersistentLock(1));
    }
    StartSession({});
    std::string afterFinish;
    WizardToFinish().OnPage(FinishPage()).Run([&] { afterFinish = Dump(); }).Cancel();
    ui.ExpectMessageBox("Lock failed:\nlocker/dev manually locked " + HeldName() + ".\nPlease try again after some time.",
                        IDOK);
    const std::string before = Dump();

    StartWizard();

    ui.Verify();
    EXPECT_EQ(afterFinish, before);
    EXPECT_EQ(Dump(), before);
}
