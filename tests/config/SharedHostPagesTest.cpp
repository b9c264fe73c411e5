// The host and FTP pages as the Add Business Segment and New Generate Set wizards hold them:
// hosted in a sheet of the test's own that keeps the shared state as those wizards do (the
// enterprise as the host lock bag, a configuration as the Finish lock bag).
#include "ConfigTestSupport.h"

#include "model/VqsModelNodeSystem.h"
#include "proxy/PxFaultInjection.h"
#include "proxy/PxLockErrorInfo.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQEnterprise.h"
#include "proxy/PxVQSystem.h"
#include "proxy/PxVQTypes.h"
#include "win/CPropertySheet.h"

using configtest::WizardTest;

namespace {

constexpr UINT IDS_HOST_NAME_EXISTS = 61463;

class TestHostWizard : public VqsPropertySheet, public VqsHostWizard {
public:
    TestHostWizard(VqsModel& model, VqsModelNode* configuration)
        : VqsPropertySheet("Test Wizard", nullptr, 0), m_pModel(&model)
    {
        m_enterpriseBag.LockNode(&model.GetRootNode());
        m_configurationBag.LockNode(configuration);
        SetWizardMode();
    }

    VqsPropertySheet* GetWizardSheet() override { return this; }
    BOOL HasPackConflict(int) const override { return FALSE; }
    CString GetTargetCheckSegment() const override { return CString(); }
    VqsModelNodeEnterprise* GetEnterpriseNode() override { return &m_pModel->GetRootNode(); }
    VqsLockBag& GetFinishLockBag() override { return m_configurationBag; }
    VqsLockBag* GetHostLockBag() override { return &m_enterpriseBag; }
    PxLSEBusinessSegmentPtr GetPackSegment() const override { return PxLSEBusinessSegmentPtr(); }
    VqsPlatformPacks& GetPlatformPacks(int) override { return m_packs; }

    VqsModel* m_pModel;
    VqsLockBag m_enterpriseBag{VqsNoLock};
    VqsLockBag m_configurationBag{VqsNoLock};
    VqsPlatformPacks m_packs;
};

// The Add Business Segment wizard's target-host, host and FTP pages.
class BSHostWizard : public TestHostWizard {
public:
    using TestHostWizard::TestHostWizard;
    void AddPages()
    {
        for (CPropertyPage* page : std::initializer_list<CPropertyPage*>{&m_target, &m_host, &m_ftp})
            AddPage(page);
        m_target.m_pWizard = this;
        m_host.m_pWizard = this;
        m_ftp.m_pWizard = this;
    }
    int GetWizardHostType() const override { return m_target.m_nHostType; }
    int GetHostsOfTypeExist() const override { return m_target.m_bHostsOfTypeExist; }

    VqsBSGSHostPage m_target;
    VqsBSHostPage m_host;
    VqsBSHostFTPPage m_ftp;
};

// The New Generate Set wizard's host and FTP pages after its type page chose Windows.
class GenSetHostWizard : public TestHostWizard {
public:
    using TestHostWizard::TestHostWizard;
    void AddPages()
    {
        AddPage(&m_host);
        AddPage(&m_ftp);
        m_host.m_pWizard = this;
        m_ftp.m_pWizard = this;
    }
    int GetWizardHostType() const override { return VQHostNT; }
    int GetHostsOfTypeExist() const override { return 0; }

    VqsGenSetHostPage m_host;
    VqsGenSetHostFTPPage m_ftp;
};

struct SharedHostPagesTest : WizardTest {
    VqsModelNode* Configuration()
    {
        model = std::make_unique<VqsModel>();
        return model->FindCurConfigNode(app.GetEnterprise()->GetSystem("SYS1")->GetCurConfig());
    }
    bool ConfigurationLockedForOthers() const
    {
        std::unique_ptr<PxVQLink> other = OtherUser();
        return other->GetLVQEnterprise()->GetSystem("SYS1")->GetCurConfig()->IsLocked();
    }
};

} // namespace

// Next on the host page holds a future-update lock on the enterprise while the FTP page is
// shown; coming back gives it back and Next takes it again; Finish write-locks the enterprise
// and the configuration until the wizard goes.
TEST_F(SharedHostPagesTest, TheHostPageLocksTheEnterpriseUntilShownAgain)
{
    DeleteHost("UNIXHOST");
    auto wizard = std::make_unique<BSHostWizard>(*model, Configuration());
    wizard->AddPages();
    std::vector<bool> locked;
    auto lockSeen = [&] { locked.push_back(EnterpriseLockedForOthers()); };
    ui.ExpectWizard("Test Wizard")
        .Click(VqsBSGSHostPage::IDC_UNIX)
        .Next()
        .OnPage(VqsBSHostPage::IDD)
        .Type(VqsBSHostPage::IDC_NAME, "UX2")
        .Type(VqsBSHostPage::IDC_ADDRESS, "ux2.example")
        .Run(lockSeen)
        .Next()
        .OnPage(VqsBSHostFTPPage::IDD)
        .Run(lockSeen)
        .Back()
        .OnPage(VqsBSHostPage::IDD)
        .Run(lockSeen)
        .Next()
        .Run(lockSeen)
        .Finish();
    EXPECT_EQ(wizard->DoModal(), ID_WIZFINISH);
    ui.Verify();
    EXPECT_EQ(locked, (std::vector<bool>{false, true, false, true}));
    EXPECT_TRUE(EnterpriseLockedForOthers());
    EXPECT_TRUE(ConfigurationLockedForOthers());
    wizard.reset();
    EXPECT_FALSE(EnterpriseLockedForOthers());
    EXPECT_FALSE(ConfigurationLockedForOthers());
}

// The New Generate Set host page checks the name against the hosts under its lock, and gives
// the lock back when the name is taken; it finishes without checking the name.
TEST_F(SharedHostPagesTest, TheGenerateSetHostPageChecksTheNameUnderItsLock)
{
    auto wizard = std::make_unique<GenSetHostWizard>(*model, Configuration());
    wizard->AddPages();
    bool locked = true;
    ui.ExpectWizard()
        .Type(VqsGenSetHostPage::IDC_NAME, "nthost")
        .Type(VqsGenSetHostPage::IDC_ADDRESS, "nt.example")
        .Next()
        .OnPage(VqsGenSetHostPage::IDD)
        .Run([&] { locked = EnterpriseLockedForOthers(); })
        .Click(VqsGenSetHostPage::IDC_DO_NOT_CREATE)
        .Finish();
    ui.ExpectMessageBoxId(IDS_HOST_NAME_EXISTS, IDOK);
    EXPECT_EQ(wizard->DoModal(), ID_WIZFINISH);
    ui.Verify();
    EXPECT_FALSE(locked);
    EXPECT_TRUE(ConfigurationLockedForOthers());
    EXPECT_FALSE(EnterpriseLockedForOthers());
}

// When the configuration cannot be write-locked at Finish, the write lock just gained on the
// enterprise is given back and the user stays on the FTP page.
TEST_F(SharedHostPagesTest, ARefusedConfigurationLockGivesTheEnterpriseWriteLockBack)
{
    DeleteHost("UNIXHOST");
    auto wizard = std::make_unique<BSHostWizard>(*model, Configuration());
    wizard->AddPages();
    std::vector<unsigned> holds;
    auto holdSeen = [&] { holds.push_back(wizard->m_enterpriseBag.GetHoldCount()); };
    ui.ExpectWizard()
        .Click(VqsBSGSHostPage::IDC_UNIX)
        .Next()
        .Type(VqsBSHostPage::IDC_NAME, "UX2")
        .Type(VqsBSHostPage::IDC_ADDRESS, "ux2.example")
        .Next()
        .OnPage(VqsBSHostFTPPage::IDD)
        .Run(holdSeen)
        .Run([] { PxFaultInjection::RefuseLock("PxLink::WriteLock", PxLockRefused, 1); })
        .Finish()
        .OnPage(VqsBSHostFTPPage::IDD)
        .Run(holdSeen)
        .Finish();
    ui.ExpectMessageBox("Lock failed:\nan object is currently locked by another user.\nPlease try again after some time.",
                        IDOK);
    EXPECT_EQ(wizard->DoModal(), ID_WIZFINISH);
    ui.Verify();
    EXPECT_EQ(holds, (std::vector<unsigned>{1, 1}));
    EXPECT_TRUE(ConfigurationLockedForOthers());
}
