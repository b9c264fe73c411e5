#include "ConfigTestSupport.h"

#include "proxy/PxVQTypes.h"
#include "win/CButton.h"
#include "win/CPropertySheet.h"

using configtest::WizardTest;

namespace {

using Opt = VqsSysOptPage;
using GS = VqsSysGSPage;
using Target = VqsSysGSHostPage;
using HostPage = VqsSysHostPage;
using Ftp = VqsSysHostFTPPage;

constexpr UINT IDS_SPECIFY_NAME_AND_ADDRESS = 61461;
constexpr UINT IDS_HOST_NAME_EXISTS = 61463;
constexpr UINT IDS_ENTER_CORRECT_NAME = 61465;
constexpr UINT IDS_TARGET_HOST_MISMATCH = 62001;
constexpr DWORD kBackNext = PSWIZB_BACK | PSWIZB_NEXT;
constexpr DWORD kBackFinish = PSWIZB_BACK | PSWIZB_FINISH;

// The user names the system and a generate set for the preselected segment and comes to the
// target-host page.
vqtest::ScriptedUiDriver::WindowScript& ToTargetHostPage(vqtest::ScriptedUiDriver::WindowScript& script)
{
    return script.Type(Opt::IDC_NAME, "Billing")
        .Type(Opt::IDC_SECOND_NAME, "BILL")
        .Next()
        .Next()
        .Next()
        .Type(GS::IDC_NAME, "Nightly")
        .Next()
        .OnPage(Target::IDD);
}

struct HostPagesTest : WizardTest {
    // "type/host/flag/buttons/checked radio" as the target-host page shows them now.
    std::string TargetState() const
    {
        const VqsSysGSHostPage& page = sheet->m_targetHostPage;
        std::string checked;
        for (int id : {Target::IDC_WINDOWS, Target::IDC_UNIX, Target::IDC_QSR, Target::IDC_TARSK}) {
            if (Control(id)->SendMessage(BM_GETCHECK, 0, 0) == BST_CHECKED)
                checked += TextOf(id);
        }
        return std::to_string(page.m_nHostType) + "/" + page.m_strHostName.str() + "/" +
               std::to_string(page.m_bHostsOfTypeExist) + "/" + std::to_string(WizardButtons()) + "/" + checked;
    }
};

} // namespace

// Picking a host takes its type and keeps Finish; the blank entry forgets the host only; a
// radio click drops the host picked.
TEST_F(HostPagesTest, PickingAHostSetsTheTypeAndARadioClickDropsIt)
{
    std::vector<std::string> states;
    auto state = [&] { states.push_back(TargetState()); };
    ToTargetHostPage(ui.ExpectWizard())
        .Run(state)
        .SelectText(Target::IDC_HOST, "QSRHOST")
        .Run(state)
        .SelectText(Target::IDC_HOST, " ")
        .Run(state)
        .SelectText(Target::IDC_HOST, "TARSKHOST")
        .Click(Target::IDC_UNIX)
        .Run(state)
        .Run([&] { states.push_back(TextOf(Target::IDC_HOST)); })
        .Finish();
    EXPECT_EQ(RunNewSystemWizard(), ID_WIZFINISH);
    ui.Verify();
    const std::string finish = std::to_string(kBackFinish);
    EXPECT_EQ(states, (std::vector<std::string>{"0//1/" + finish + "/Windows", "1/QSRHOST/1/" + finish + "/QSR",
                                                "1//1/" + finish + "/QSR", "3//1/" + finish + "/UNIX", " "}));
    EXPECT_EQ(sheet->m_targetHostPage.m_nHostType, VQHostUnix);
    EXPECT_EQ(sheet->m_targetHostPage.m_strHostName, "");
    EXPECT_TRUE(EnterpriseLockedForOthers());
}

// A host type the chosen segment does not target is refused at Next and Finish.
TEST_F(HostPagesTest, AHostTypeTheSegmentDoesNotTargetIsRefused)
{
    SetSegmentNumber("SALES", "targetHostQsr", 0);
    ToTargetHostPage(ui.ExpectWizard())
        .Click(Target::IDC_QSR)
        .Finish()
        .OnPage(Target::IDD)
        .Click(Target::IDC_WINDOWS)
        .Finish();
    ui.ExpectMessageBoxId(IDS_TARGET_HOST_MISMATCH, IDOK);
    EXPECT_EQ(RunNewSystemWizard(), ID_WIZFINISH);
    ui.Verify();
    EXPECT_EQ(sheet->m_targetHostPage.m_nHostType, VQHostNT);
}

// The host page refuses an empty name and the name of an existing host (trimmed first);
// "Do not create Host now" disables the fields and lets the wizard finish at once. Back
// returns to the target-host page when no pack page stands between.
TEST_F(HostPagesTest, TheHostPageChecksTheNameUnlessNoHostIsCreated)
{
    DeleteHost("QSRHOST");
    std::vector<std::string> seen;
    ToTargetHostPage(ui.ExpectWizard())
        .Click(Target::IDC_QSR)
        .Run([&] { seen.push_back(std::to_string(WizardButtons())); })
        .Next()
        .OnPage(HostPage::IDD)
        .Back()
        .OnPage(Target::IDD)
        .Next()
        .OnPage(HostPage::IDD)
        .Type(HostPage::IDC_ADDRESS, "qsr.example")
        .Next()
        .OnPage(HostPage::IDD)
        .Type(HostPage::IDC_NAME, "  NTHOST ")
        .Next()
        .OnPage(HostPage::IDD)
        .Run([&] { seen.push_back(TextOf(HostPage::IDC_NAME)); })
        .Click(HostPage::IDC_DO_NOT_CREATE)
        .Run([&] {
            seen.push_back(std::to_string(WizardButtons()));
            seen.push_back(Control(HostPage::IDC_NAME)->IsWindowEnabled() ? "enabled" : "disabled");
        })
        .Finish();
    ui.ExpectMessageBoxId(IDS_ENTER_CORRECT_NAME, IDOK);
    ui.ExpectMessageBoxId(IDS_HOST_NAME_EXISTS, IDOK);
    EXPECT_EQ(RunNewSystemWizard(), ID_WIZFINISH);
    ui.Verify();
    EXPECT_EQ(seen, (std::vector<std::string>{std::to_string(kBackNext), "NTHOST", std::to_string(kBackFinish),
                                              "disabled"}));
    EXPECT_TRUE(sheet->m_hostPage.m_doNotCreate.m_bValue);
    EXPECT_EQ(sheet->m_targetHostPage.m_bHostsOfTypeExist, 0);
}

// An address of blanks is none: refused as the new-host wizard refuses it, with the focus on
// the address; a typed one is taken without the blanks around it.
TEST_F(HostPagesTest, AnAddressOfBlanksIsRefusedAndATypedOneTrimmed)
{
    DeleteHost("QSRHOST");
    bool focusOnAddress = false;
    ToTargetHostPage(ui.ExpectWizard())
        .Click(Target::IDC_QSR)
        .Next()
        .OnPage(HostPage::IDD)
        .Type(HostPage::IDC_NAME, "NEWQSR")
        .Type(HostPage::IDC_ADDRESS, "   ")
        .Next()
        .OnPage(HostPage::IDD)
        .Run([&] { focusOnAddress = ::GetFocus() == Control(HostPage::IDC_ADDRESS)->m_hWnd; })
        .Type(HostPage::IDC_ADDRESS, "  qsr.example ")
        .Next()
        .OnPage(Ftp::IDD)
        .Finish();
    ui.ExpectMessageBoxId(IDS_SPECIFY_NAME_AND_ADDRESS, IDOK);
    EXPECT_EQ(RunNewSystemWizard(), ID_WIZFINISH);
    ui.Verify();
    EXPECT_TRUE(focusOnAddress);
    EXPECT_EQ(sheet->m_hostPage.m_address.GetValue(), "qsr.example");
}

// The user id takes 17 characters for QSR and 12 for OS Tarsk; back on Windows the limit of
// the type chosen before does not stay behind. Each type keeps the port typed for it.
TEST_F(HostPagesTest, TheUserIdLimitAndThePortFollowTheHostType)
{
    DeleteHost("QSRHOST");
    DeleteHost("TARSKHOST");
    DeleteHost("NTHOST");
    app.SetDefaultPort(VQHostTarsk, 3021);
    const std::string typed(40, 'u');
    std::vector<std::string> seen;
    auto userId = [&] { seen.push_back(std::to_string(TextOf(Ftp::IDC_USER_ID).size())); };
    auto port = [&] { seen.push_back(TextOf(HostPage::IDC_PORT)); };
    ToTargetHostPage(ui.ExpectWizard())
        .Click(Target::IDC_QSR)
        .Next()
        .Type(HostPage::IDC_NAME, "H1")
        .Type(HostPage::IDC_ADDRESS, "h1")
        .Replace(HostPage::IDC_PORT, "4444")
        .Next()
        .OnPage(Ftp::IDD)
        .Click(Ftp::IDC_ENTER_AT_LOGIN)
        .Type(Ftp::IDC_USER_ID, typed)
        .Run(userId)
        .Back()
        .Back()
        .Click(Target::IDC_TARSK)
        .Next()
        .Run(port)
        .Next()
        .Replace(Ftp::IDC_USER_ID, typed)
        .Run(userId)
        .Back()
        .Back()
        .Click(Target::IDC_QSR)
        .Next()
        .Run(port)
        .Back()
        .Click(Target::IDC_WINDOWS)
        .Next()
        .Next()
        .Replace(Ftp::IDC_USER_ID, typed)
        .Run(userId)
        .Cancel();
    EXPECT_EQ(RunNewSystemWizard(), IDCANCEL);
    ui.Verify();
    EXPECT_EQ(seen, (std::vector<std::string>{"17", "3021", "12", "4444", "40"}));
}

// A port outside 1 to 65535 is refused at Next by the port's own rule; the user stays.
TEST_F(HostPagesTest, APortOutOfRangeKeepsTheUserOnTheHostPage)
{
    DeleteHost("QSRHOST");
    ToTargetHostPage(ui.ExpectWizard())
        .Click(Target::IDC_QSR)
        .Next()
        .Type(HostPage::IDC_NAME, "Q2")
        .Type(HostPage::IDC_ADDRESS, "q2.example")
        .Replace(HostPage::IDC_PORT, "99999")
        .Next()
        .OnPage(HostPage::IDD)
        .Replace(HostPage::IDC_PORT, "0")
        .Next()
        .OnPage(HostPage::IDD)
        .Replace(HostPage::IDC_PORT, "65535")
        .Next()
        .OnPage(Ftp::IDD)
        .Cancel();
    ui.ExpectMessageBox("Please enter an integer in the range of 1 to 65535.", IDOK);
    ui.ExpectMessageBox("Please enter an integer in the range of 1 to 65535.", IDOK);
    EXPECT_EQ(RunNewSystemWizard(), IDCANCEL);
    ui.Verify();
    EXPECT_EQ(sheet->m_hostPage.m_port.GetValue(), 65535);
}
