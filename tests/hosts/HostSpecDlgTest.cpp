#include "HostsTestSupport.h"

#include "hosts/VqsFTPPasswordDlg.h"
#include "hosts/VqsHostSpecDlg.h"
#include "support/ChildProcess.h"
#include "win/CButton.h"

#include <unistd.h>

#include <stdexcept>

using hoststest::HostsTest;

namespace {

constexpr UINT IDD_HOST_SPEC = 140;
constexpr UINT IDD_FTP_PASSWORD = 101;
constexpr UINT ID_OPEN_SELECTED = 32775;
constexpr UINT IDS_SPECIFY_NAME_AND_ADDRESS = 61461;
constexpr UINT IDS_HOST_NAME_EXISTS = 61463;
constexpr UINT IDS_CHECK_CHANGED_OPTIONS = 61908;
constexpr UINT IDS_ITEM_DELETED = 61746;
constexpr UINT IDS_KANA_MODE_WARNING = 62134;
constexpr UINT IDS_ENTER_PASSWORD = 61686;
constexpr UINT IDS_CONFIRM_PASSWORD = 61687;

struct HostSpecDlgTest : HostsTest {
    void SetUp() override
    {
        HostsTest::SetUp();
        ASSERT_NE(OpenHostView(), nullptr);
    }

    // The user opens the host from the host list.
    void OpenHost(const std::string& name)
    {
        Click(Hosts(), name);
        Hosts()->SendMessage(WM_COMMAND, ID_OPEN_SELECTED, 0);
        Idle();
    }

    // The control of the host options dialog as the user sees it.
    HWND Control(int id) const
    {
        const std::vector<vqui::UiEvent> seen = ui.Seen();
        for (auto event = seen.rbegin(); event != seen.rend(); ++event) {
            if (event->templateId == IDD_HOST_SPEC)
                return ::GetDlgItem(event->window, id);
        }
        return nullptr;
    }
};

} // namespace

// A rename onto another host's name in another letter case is refused; the host's own name
// in another case is taken, without blanks around it.
TEST_F(HostSpecDlgTest, ARenameOntoAnotherHostsNameIsRefusedWhileACaseChangeOfItsOwnIsKept)
{
    ui.ExpectDialog(IDD_HOST_SPEC).Replace(VqsHostSpecDlg::IDC_NAME, "qsrhost").OK().Replace(VqsHostSpecDlg::IDC_NAME,
                                                                                            "  UnixHost ").OK();
    ui.ExpectMessageBoxId(IDS_HOST_NAME_EXISTS, IDOK);
    ui.ExpectMessageBoxId(IDS_CHECK_CHANGED_OPTIONS, IDNO);
    OpenHost("UNIXHOST");
    ui.Verify();
    EXPECT_EQ(std::string(Host("UnixHost")->GetName()), "UnixHost");
    EXPECT_EQ(RowOf(Hosts(), "UnixHost"), RowOf(Hosts(), "UnixHost"));
    EXPECT_NE(RowOf(Hosts(), "UnixHost"), -1);
    EXPECT_EQ(RowOf(Hosts(), "UNIXHOST"), -1);
}

TEST_F(HostSpecDlgTest, AnEmptyAddressIsRefusedWithTheFocusOnIt)
{
    int focused = 0;
    ui.ExpectDialog(IDD_HOST_SPEC)
        .Replace(VqsHostSpecDlg::IDC_ADDRESS, "   ")
        .OK()
        .Run([&] { focused = ::GetDlgCtrlID(::GetFocus()); })
        .Cancel();
    ui.ExpectMessageBoxId(IDS_SPECIFY_NAME_AND_ADDRESS, IDOK);
    OpenHost("NTHOST");
    ui.Verify();
    EXPECT_EQ(focused, VqsHostSpecDlg::IDC_ADDRESS);
    EXPECT_EQ(std::string(Host("NTHOST")->GetAddress()), "10.1.0.10");
}

// Looking only takes no lock and writes nothing; OK without a change just closes.
TEST_F(HostSpecDlgTest, OKWithoutAChangeWritesNothing)
{
    const std::int64_t edition = Host("TARSKHOST")->GetObjectEdition().GetEdition();
    ui.ExpectDialog(IDD_HOST_SPEC).OK();
    OpenHost("TARSKHOST");
    ui.Verify();
    EXPECT_EQ(Host("TARSKHOST")->GetObjectEdition().GetEdition(), edition);
}

// A stored port of 0 shows as 1; the Kana choice is for QSR hosts only, and changing it warns
// but saves.
TEST_F(HostSpecDlgTest, AQsrHostsKanaModeChangeWarnsAndIsSaved)
{
    app.GetLink()->BeginTransaction();
    Host("QSRHOST")->SetPortNumber(0);
    app.GetLink()->CommitTransaction();
    std::string port;
    BOOL kanaShown = FALSE;
    ui.ExpectDialog(IDD_HOST_SPEC)
        .Run([&] {
            CString text;
            CWnd::FromHandle(Control(VqsHostSpecDlg::IDC_PORT))->GetWindowText(text);
            port = text.str();
            kanaShown = ::IsWindowVisible(Control(VqsHostSpecDlg::IDC_KANA_WITH));
        })
        .Click(VqsHostSpecDlg::IDC_KANA_WITHOUT)
        .OK();
    ui.ExpectMessageBoxId(IDS_KANA_MODE_WARNING, IDOK);
    ui.ExpectMessageBoxId(IDS_CHECK_CHANGED_OPTIONS, IDNO);
    OpenHost("QSRHOST");
    ui.Verify();
    EXPECT_EQ(port, "1");
    EXPECT_TRUE(kanaShown);
    EXPECT_EQ(Host("QSRHOST")->GetQsr_kana_Mode(), 1);
    EXPECT_EQ(Host("QSRHOST")->GetPortNumber(), 1);
}

TEST_F(HostSpecDlgTest, TheKanaChoiceIsHiddenForOtherHostsAndTheUserIdKeepsTheirLimit)
{
    struct Case {
        const char* host;
        int limit;
    };
    for (const Case& each : {Case{"TARSKHOST", 12}, Case{"UNIXHOST", 32}}) {
        BOOL kanaShown = TRUE;
        std::string typed;
        ui.ExpectDialog(IDD_HOST_SPEC)
            .Replace(VqsHostSpecDlg::IDC_USER_ID, std::string(40, 'A'))
            .Run([&] {
                kanaShown = ::IsWindowVisible(Control(VqsHostSpecDlg::IDC_KANA_WITH));
                CString text;
                CWnd::FromHandle(Control(VqsHostSpecDlg::IDC_USER_ID))->GetWindowText(text);
                typed = text.str();
            })
            .Cancel();
        OpenHost(each.host);
        ui.Verify();
        EXPECT_FALSE(kanaShown) << each.host;
        EXPECT_EQ(typed.size(), static_cast<std::size_t>(each.limit)) << each.host;
    }
}

// The password is asked twice; the same password again does not count as a change.
TEST_F(HostSpecDlgTest, ThePasswordIsAskedTwiceAndTheSameOneAgainChangesNothing)
{
    ui.ExpectDialog(IDD_HOST_SPEC).Click(VqsHostSpecDlg::IDC_PASSWORD).Click(VqsHostSpecDlg::IDC_PASSWORD).OK();
    ui.ExpectDialog(IDD_FTP_PASSWORD)
        .OK()
        .Replace(VqsFTPPasswordDlg::IDC_PASSWORD, "Secret")
        .Replace(VqsFTPPasswordDlg::IDC_CONFIRMATION, "secret")
        .OK()
        .Replace(VqsFTPPasswordDlg::IDC_CONFIRMATION, "Secret")
        .OK();
    ui.ExpectMessageBoxId(IDS_ENTER_PASSWORD, IDOK);
    ui.ExpectMessageBoxId(IDS_CONFIRM_PASSWORD, IDOK);
    ui.ExpectDialog(IDD_FTP_PASSWORD)
        .Replace(VqsFTPPasswordDlg::IDC_PASSWORD, "Secret")
        .Replace(VqsFTPPasswordDlg::IDC_CONFIRMATION, "Secret")
        .OK();
    ui.ExpectMessageBoxId(IDS_CHECK_CHANGED_OPTIONS, IDNO);
    OpenHost("NTHOST");
    ui.Verify();
    EXPECT_EQ(std::string(Host("NTHOST")->GetFtpPassword(0)), "Secret");
}

// The sample's hosts hold their password enciphered, and no settings file asks for that: a
// host whose address and port the user changes keeps its password exactly as stored, and a
// password chosen again that is the stored one is no change either.
TEST_F(HostSpecDlgTest, AHostEditedWithoutItsPasswordKeepsIt)
{
    const std::string stored = Host("NTHOST")->GetFtpPassword(0).str();
    ASSERT_NE(stored, "sample");
    ASSERT_EQ(std::string(Host("NTHOST")->GetFtpPassword(1)), "sample");
    ui.ExpectDialog(IDD_HOST_SPEC)
        .Replace(VqsHostSpecDlg::IDC_ADDRESS, "10.1.0.99")
        .Replace(VqsHostSpecDlg::IDC_PORT, "2121")
        .Click(VqsHostSpecDlg::IDC_PASSWORD)
        .OK();
    ui.ExpectDialog(IDD_FTP_PASSWORD)
        .Replace(VqsFTPPasswordDlg::IDC_PASSWORD, "sample")
        .Replace(VqsFTPPasswordDlg::IDC_CONFIRMATION, "sample")
        .OK();
    ui.ExpectMessageBoxId(IDS_CHECK_CHANGED_OPTIONS, IDNO);
    OpenHost("NTHOST");
    ui.Verify();
    EXPECT_EQ(std::string(Host("NTHOST")->GetAddress()), "10.1.0.99");
    EXPECT_EQ(Host("NTHOST")->GetPortNumber(), 2121);
    EXPECT_EQ(std::string(Host("NTHOST")->GetFtpPassword(0)), stored);
    EXPECT_EQ(std::string(Host("NTHOST")->GetFtpPassword(1)), "sample");
}

// Another user deleted the host after the dialog opened: the first change says so, is undone,
// and OK is disabled; nothing is written.
TEST_F(HostSpecDlgTest, AHostAnotherUserDeletedIsReportedAtTheFirstChangeAndNothingIsWritten)
{
    BOOL okEnabled = TRUE;
    std::string name;
    ui.ExpectDialog(IDD_HOST_SPEC)
        .Run([&] {
            std::unique_ptr<PxVQLink> other = OtherUser();
            other->BeginTransaction();
            other->GetLVQEnterprise()->GetHostInformation("UNIXHOST")->DeleteObject();
            other->CommitTransaction();
        })
        .Replace(VqsHostSpecDlg::IDC_NAME, "NEWNAME")
        .Run([&] {
            okEnabled = ::IsWindowEnabled(Control(IDOK));
            CString text;
            CWnd::FromHandle(Control(VqsHostSpecDlg::IDC_NAME))->GetWindowText(text);
            name = text.str();
        })
        .Cancel();
    ui.ExpectMessageBox("Host item has been deleted.", IDOK);
    OpenHost("UNIXHOST");
    ui.Verify();
    EXPECT_FALSE(okEnabled);
    EXPECT_EQ(name, "UNIXHOST");
    EXPECT_FALSE(Enterprise()->GetHostInformation("NEWNAME"));
}

// Another user changed the host after the dialog opened: the first change says so and shows
// what is stored now; the user goes on from there.
TEST_F(HostSpecDlgTest, AHostChangedMeanwhileIsReadAgainAtTheFirstChange)
{
    std::vector<std::string> addresses;
    auto address = [&] {
        CString text;
        CWnd::FromHandle(Control(VqsHostSpecDlg::IDC_ADDRESS))->GetWindowText(text);
        addresses.push_back(text.str());
    };
    ui.ExpectDialog(IDD_HOST_SPEC)
        .Run([&] {
            std::unique_ptr<PxVQLink> other = OtherUser();
            other->BeginTransaction();
            other->GetLVQEnterprise()->GetHostInformation("NTHOST")->SetAddress("10.7.7.7");
            other->CommitTransaction();
        })
        .Replace(VqsHostSpecDlg::IDC_NAME, "NTHOST2")
        .Run(address)
        .Replace(VqsHostSpecDlg::IDC_NAME, "NTHOST3")
        .OK();
    ui.ExpectMessageBox("Contents have changed and will be updated.", IDOK);
    ui.ExpectMessageBoxId(IDS_CHECK_CHANGED_OPTIONS, IDNO);
    OpenHost("NTHOST");
    ui.Verify();
    EXPECT_EQ(addresses, (std::vector<std::string>{"10.7.7.7"}));
    ASSERT_TRUE(Host("NTHOST3"));
    EXPECT_EQ(std::string(Host("NTHOST3")->GetAddress()), "10.7.7.7");
}

// A host changed and left open holds the host alone: another user's step that writes the
// enterprise (a Delete of a system, a New System) goes on meanwhile.
TEST_F(HostSpecDlgTest, AChangedHostLeftOpenLeavesTheEnterpriseToOtherUsers)
{
    int enterpriseLock = -1;
    ui.ExpectDialog(IDD_HOST_SPEC)
        .Replace(VqsHostSpecDlg::IDC_ADDRESS, "changed.example")
        .Run([&] { enterpriseLock = OtherUser()->GetLVQEnterprise()->WriteLock(0).GetErrorCode(); })
        .Cancel();
    OpenHost("UNIXHOST");
    ui.Verify();
    EXPECT_EQ(enterpriseLock, PxLockGranted);
}
