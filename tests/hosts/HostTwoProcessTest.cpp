#include "HostsTestSupport.h"

#include "hosts/VqsHostSpecDlg.h"
#include "support/ChildProcess.h"

#include <unistd.h>

#include <stdexcept>

namespace {

constexpr UINT IDD_HOST_SPEC = 140;
constexpr UINT ID_OPEN_SELECTED = 32775;

// Another process is the other user: it deletes a host when the test tells it to.
struct HostTwoProcessTest : hoststest::HostsTest {
    HostTwoProcessTest()
    {
        sessionAtStart = false;
        if (pipe(go) != 0)
            throw std::runtime_error("pipe");
    }
    ~HostTwoProcessTest() override
    {
        close(go[0]);
        close(go[1]);
    }

    // Forked before this process holds a repository connection or runs a second thread.
    std::unique_ptr<vqtest::ChildProcess> DeleterOf(const char* hostName)
    {
        const std::string repository = sample.Path();
        const int wait = go[0];
        return std::make_unique<vqtest::ChildProcess>([=] {
            char byte = 0;
            if (read(wait, &byte, 1) != 1)
                throw std::runtime_error("no word from the parent");
            PxVQLink link;
            link.AttachSession(repository.c_str(), "other/dev", nullptr);
            link.BeginTransaction();
            link.GetLVQEnterprise()->GetHostInformation(hostName)->DeleteObject();
            link.CommitTransaction();
        });
    }

    int go[2] = {-1, -1};
};

} // namespace

// B deletes the host that A's options dialog shows. A's change then tells A so, is undone,
// and OK can no longer write: what A typed never reaches the repository.
TEST_F(HostTwoProcessTest, AHostDeletedByAnotherProcessIsReportedAndTheDialogWritesNothing)
{
    std::unique_ptr<vqtest::ChildProcess> other = DeleterOf("TARSKHOST");
    StartSession();
    ASSERT_NE(OpenHostView(), nullptr);
    bool deleted = false;
    BOOL okEnabled = TRUE;
    ui.ExpectDialog(IDD_HOST_SPEC)
        .Run([&] {
            char byte = 1;
            deleted = write(go[1], &byte, 1) == 1 && other->WaitReady();
        })
        .Replace(VqsHostSpecDlg::IDC_ADDRESS, "10.9.9.9")
        .Run([&] {
            for (const vqui::UiEvent& event : ui.Seen()) {
                if (event.templateId == IDD_HOST_SPEC)
                    okEnabled = ::IsWindowEnabled(::GetDlgItem(event.window, IDOK));
            }
        })
        .Key(VK_RETURN)
        .Cancel();
    ui.ExpectMessageBox("Host item has been deleted.", IDOK);
    Click(Hosts(), "TARSKHOST");
    Hosts()->SendMessage(WM_COMMAND, ID_OPEN_SELECTED, 0);
    Idle();
    ui.Verify();
    EXPECT_TRUE(deleted);
    EXPECT_FALSE(okEnabled);
    EXPECT_FALSE(Host("TARSKHOST"));
    EXPECT_EQ(RowOf(Hosts(), "TARSKHOST"), -1) << "the list follows the deletion it was told of";
    other->Finish();
}
