#include "HostsTestSupport.h"

#include "hosts/VqsHostNewSheet.h"
#include "win/CPropertySheet.h"

using hoststest::HostsTest;

namespace {

using Page = VqsHostNewGeneralPage;
using Ftp = VqsHostNewFTPPage;

constexpr UINT IDD_NEW_HOST = 235;
constexpr UINT IDD_HOST_FTP = 102;
constexpr UINT ID_ADD_HOST = 32783;
constexpr UINT IDS_SPECIFY_NAME_AND_ADDRESS = 61461;
constexpr UINT IDS_HOST_NAME_EXISTS = 61463;
constexpr UINT IDS_CONFIRM_PASSWORD = 61687;

struct HostNewSheetTest : HostsTest {
    void SetUp() override
    {
        HostsTest::SetUp();
        ASSERT_NE(OpenHostView(), nullptr);
    }

    // The user adds a host from the frame's Add menu.
    void AddHost()
    {
        frame->SendMessage(WM_COMMAND, ID_ADD_HOST, 0);
        Idle();
    }

    // The text of a control of the wizard's page.
    std::string TextOf(int id) const
    {
        const std::vector<vqui::UiEvent> seen = ui.Seen();
        for (auto event = seen.rbegin(); event != seen.rend(); ++event) {
            if (event->kind != vqui::EventKind::Wizard)
                continue;
            auto* sheet = dynamic_cast<CPropertySheet*>(CWnd::FromHandle(event->window));
            CWnd* control = sheet && sheet->GetActivePage() ? sheet->GetActivePage()->GetDlgItem(id) : nullptr;
            CString text;
            if (control)
                control->GetWindowText(text);
            return text.str();
        }
        return {};
    }

    DWORD WizardButtons() const
    {
        const std::vector<vqui::UiEvent> seen = ui.Seen();
        for (auto event = seen.rbegin(); event != seen.rend(); ++event) {
            if (auto* sheet = dynamic_cast<CPropertySheet*>(CWnd::FromHandle(event->window)))
                return sheet->GetWizardButtons();
        }
        return 0;
    }
};

} // namespace

// Next refuses a host without a name or an address, and a name another host has in another
// letter case; the user stays on the first page.
TEST_F(HostNewSheetTest, NextRefusesAMissingNameOrAddressAndAnotherHostsName)
{
    ui.ExpectWizard("New Host wizard")
        .Type(Page::IDC_NAME, "NEWHOST")
        .Next()
        .OnPage(IDD_NEW_HOST)
        .Type(Page::IDC_ADDRESS, "10.2.0.1")
        .Replace(Page::IDC_NAME, "  UnixHost ")
        .Next()
        .OnPage(IDD_NEW_HOST)
        .Cancel();
    ui.ExpectMessageBoxId(IDS_SPECIFY_NAME_AND_ADDRESS, IDOK);
    ui.ExpectMessageBoxId(IDS_HOST_NAME_EXISTS, IDOK);
    AddHost();
    ui.Verify();
    EXPECT_EQ(Rows(Hosts()).size(), 4u);
}

// Finish creates the host from both pages and the list shows it selected. The user id keeps
// the limit of the chosen type, and a confirmation that differs is refused first.
TEST_F(HostNewSheetTest, FinishCreatesTheHostFromBothPages)
{
    std::string userId;
    ui.ExpectWizard("New Host wizard")
        .Click(Page::IDC_TARSK)
        .Type(Page::IDC_NAME, "BATCHHOST")
        .Type(Page::IDC_ADDRESS, "batch.example")
        .Replace(Page::IDC_PORT, "4021")
        .Next()
        .OnPage(IDD_HOST_FTP)
        .Click(Ftp::IDC_AT_LOGIN)
        .Type(Ftp::IDC_USER_ID, "OPERATOR12345")
        .Run([&] { userId = TextOf(Ftp::IDC_USER_ID); })
        .Type(Ftp::IDC_PASSWORD, "pw")
        .Type(Ftp::IDC_CONFIRMATION, "PW")
        .Finish()
        .OnPage(IDD_HOST_FTP)
        .Replace(Ftp::IDC_CONFIRMATION, "pw")
        .Finish();
    ui.ExpectMessageBoxId(IDS_CONFIRM_PASSWORD, IDOK);
    AddHost();
    ui.Verify();
    EXPECT_EQ(userId, "OPERATOR1234");
    const PxVQHostInformationPtr host = Host("BATCHHOST");
    ASSERT_TRUE(host);
    EXPECT_EQ(host->GetHostType(), VQHostTarsk);
    EXPECT_EQ(std::string(host->GetAddress()), "batch.example");
    EXPECT_EQ(host->GetPortNumber(), 4021);
    EXPECT_EQ(std::string(host->GetFtpUserid()), "OPERATOR1234");
    EXPECT_EQ(std::string(host->GetFtpPassword(0)), "pw");
    EXPECT_EQ(Rows(Hosts()).back(), "BATCHHOST | OS Tarsk | batch.example | 4021");
    EXPECT_TRUE(frame->GetCurrentHost()->IsSameOid(host));
}

// Checked "Enter User details at login" creates the host without FTP details.
TEST_F(HostNewSheetTest, DetailsAtLoginCreateTheHostWithoutUserOrPassword)
{
    ui.ExpectWizard().Type(Page::IDC_NAME, "LATER").Type(Page::IDC_ADDRESS, "later.example").Next().Finish();
    AddHost();
    ui.Verify();
    ASSERT_TRUE(Host("LATER"));
    EXPECT_EQ(std::string(Host("LATER")->GetFtpUserid()), "");
}

// The port offered follows the chosen type's default port until the user types one; the
// last page keeps Finish whichever way the login box is set.
TEST_F(HostNewSheetTest, ThePortFollowsTheTypeUntilTypedAndFinishStaysOnTheLastPage)
{
    app.SetDefaultPort(VQHostUnix, 2222);
    std::vector<std::string> ports;
    std::vector<DWORD> buttons;
    ui.ExpectWizard()
        .Run([&] { ports.push_back(TextOf(Page::IDC_PORT)); })
        .Click(Page::IDC_UNIX)
        .Run([&] { ports.push_back(TextOf(Page::IDC_PORT)); })
        .Replace(Page::IDC_PORT, "99")
        .Click(Page::IDC_QSR)
        .Run([&] { ports.push_back(TextOf(Page::IDC_PORT)); })
        .Type(Page::IDC_NAME, "X")
        .Type(Page::IDC_ADDRESS, "x")
        .Next()
        .Click(Ftp::IDC_AT_LOGIN)
        .Run([&] { buttons.push_back(WizardButtons()); })
        .Click(Ftp::IDC_AT_LOGIN)
        .Run([&] { buttons.push_back(WizardButtons()); })
        .Cancel();
    AddHost();
    ui.Verify();
    EXPECT_EQ(ports, (std::vector<std::string>{"7777", "2222", "99"}));
    EXPECT_EQ(buttons, (std::vector<DWORD>{PSWIZB_BACK | PSWIZB_FINISH, PSWIZB_BACK | PSWIZB_FINISH}));
    EXPECT_FALSE(Host("X"));
}

// Back from the last page and Next again checks the name once more.
TEST_F(HostNewSheetTest, BackAndNextAgainChecksTheNameAgain)
{
    ui.ExpectWizard()
        .Type(Page::IDC_NAME, "FRESH")
        .Type(Page::IDC_ADDRESS, "fresh.example")
        .Next()
        .Back()
        .Replace(Page::IDC_NAME, "qsrhost")
        .Next()
        .OnPage(IDD_NEW_HOST)
        .Cancel();
    ui.ExpectMessageBoxId(IDS_HOST_NAME_EXISTS, IDOK);
    AddHost();
    ui.Verify();
}

// Another user's step that writes the enterprise (a Delete of any system, for one) goes
// through whatever page the wizard is on: its page holds the enterprise only while its Next
// checks the name.
TEST_F(HostNewSheetTest, AnotherUserWritesTheEnterpriseWhateverPageTheWizardIsOn)
{
    std::vector<bool> free;
    auto probe = [&] {
        std::unique_ptr<PxVQLink> other = OtherUser();
        free.push_back(other->GetLVQEnterprise()->WriteLock(0).Succeeded() != 0);
    };
    ui.ExpectWizard()
        .Run(probe)
        .Type(Page::IDC_NAME, "HELD")
        .Type(Page::IDC_ADDRESS, "held.example")
        .Next()
        .Run(probe)
        .Cancel();
    AddHost();
    ui.Verify();
    probe();
    EXPECT_EQ(free, (std::vector<bool>{true, true, true}));
}
