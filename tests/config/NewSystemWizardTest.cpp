#include "ConfigTestSupport.h"

#include "proxy/PxVQTypes.h"
#include "win/CPropertySheet.h"

using configtest::WizardTest;

namespace {

using Opt = VqsSysOptPage;
using Gen = VqsSysGenPage;
using BS = VqsSysBSPage;
using GS = VqsSysGSPage;
using Target = VqsSysGSHostPage;
using Pack = VqsSysPackPage;
using HostPage = VqsSysHostPage;
using Ftp = VqsSysHostFTPPage;

} // namespace

// A system with no generate set: the wizard ends on page 4 and yields the names, the
// options and the chosen segment; the enterprise is write-locked and the segment held by
// the host until the sheet goes.
TEST_F(WizardTest, FinishingOnTheGenerateSetPageYieldsTheSystemAndHoldsItsLocks)
{
    ui.ExpectWizard("New System Wizard")
        .OnPage(Opt::IDD)
        .Type(Opt::IDC_NAME, "  Order processing ")
        .Type(Opt::IDC_SECOND_NAME, " ORDERS")
        .Type(Opt::IDC_DESCRIPTION, "Orders and invoices")
        .Next()
        .OnPage(Gen::IDD)
        .Type(Gen::IDC_RUNTIME_VERSION, "RT9")
        .Click(Gen::IDC_RESET_REPORT_COUNT)
        .Next()
        .OnPage(BS::IDD)
        .Next()
        .OnPage(GS::IDD)
        .Click(GS::IDC_NO_GENSET)
        .Finish();
    EXPECT_EQ(RunNewSystemWizard(), ID_WIZFINISH);
    ui.Verify();
    EXPECT_EQ(sheet->m_optPage.m_name.GetValue(), "ORDER PROCESSING");
    EXPECT_EQ(sheet->m_optPage.m_secondName.GetValue(), "ORDERS");
    EXPECT_EQ(sheet->m_optPage.m_description.GetValue(), "Orders and invoices");
    EXPECT_EQ(sheet->m_genPage.m_runtimeVersion.GetValue(), "RT9");
    EXPECT_TRUE(sheet->m_genPage.m_resetReportCount.m_bValue);
    EXPECT_FALSE(sheet->m_genPage.m_resetVersion.m_bValue);
    EXPECT_FALSE(sheet->m_bsPage.m_noSegment.m_bValue);
    ASSERT_TRUE(sheet->m_bsPage.m_selectedSegment);
    EXPECT_EQ(sheet->m_strBSName, sheet->m_bsPage.m_selectedSegment->GetName());
    EXPECT_TRUE(sheet->m_gsPage.m_noGenSet.m_bValue);
    EXPECT_TRUE(EnterpriseLockedForOthers());
    const std::string segment = sheet->m_strBSName.str();
    EndWizard();
    EXPECT_FALSE(EnterpriseLockedForOthers());
    EXPECT_EQ(HostLockCalls(), (std::vector<std::string>{"query " + segment, "notify " + segment}));
}
