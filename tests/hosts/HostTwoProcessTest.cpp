#include "HostsTestSupport.h"

#include "hosts/VqsHostSpecDlg.h"
#include "support/ChildProcess.h"
#include "support/OtherUserSteps.h"

#include <unistd.h>

#include <stdexcept>

namespace {

constexpr UINT IDD_HOST_SPEC = 140;
constexpr UINT ID_OPEN_SELECTED = 32775;
constexpr UINT IDS_CHECK_CHANGED_OPTIONS = 61908;
constexpr UINT kRemovePromptDialog = 152;

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

    // Another user who, at each word of this process, renames the next host of the list as
    // its host options would: the enterprise and the host written, never waited for (a lock
    // held by this process fails the step).
    std::unique_ptr<vqtest::ChildProcess> RenamerOf(const std::vector<std::pair<const char*, const char*>>& renames)
    {
        const std::string repository = sample.Path();
        static PxVQLink* link = nullptr;
        std::vector<std::function<void()>> steps{[repository] {
            link = new PxVQLink;
            link->AttachSession(repository.c_str(), "other/dev", nullptr);
        }};
        for (const auto& [from, to] : renames)
            steps.push_back([from, to] { vqtest::RenameHostWithoutWaiting(*link, from, to); });
        return std::make_unique<vqtest::ChildProcess>(steps);
    }

    void OpenHost(const char* name)
    {
        Click(Hosts(), name);
        Hosts()->SendMessage(WM_COMMAND, ID_OPEN_SELECTED, 0);
        Idle();
    }

    int go[2] = {-1, -1};
};

} // namespace

// A changes a host and presses OK; while A sits at the changed-options question and then at
// the prompt about the host, B renames other hosts without waiting for the enterprise. A's
// change is stored once A answers.
TEST_F(HostTwoProcessTest, AUserAnsweringTheChangedOptionsCheckOfHostOptionsHoldsNothingOthersNeed)
{
    std::unique_ptr<vqtest::ChildProcess> other = RenamerOf({{"NTHOST", "NTHOST2"}, {"QSRHOST", "QSRHOST2"}});
    ASSERT_TRUE(other->WaitReady());
    StartSession();
    ASSERT_NE(OpenHostView(), nullptr);
    bool renamedAtQuestion = false;
    bool renamedAtPrompt = false;
    ui.ExpectDialog(IDD_HOST_SPEC).Replace(VqsHostSpecDlg::IDC_ADDRESS, "10.9.9.9").OK();
    ui.ExpectMessageBoxId(IDS_CHECK_CHANGED_OPTIONS, IDYES).WhileShown([&] { renamedAtQuestion = other->RunNextStep(); });
    ui.ExpectDialog(kRemovePromptDialog).Run([&] { renamedAtPrompt = other->RunNextStep(); }).Press(IDYES);

    OpenHost("UNIXHOST");

    ui.Verify();
    EXPECT_TRUE(renamedAtQuestion);
    EXPECT_TRUE(renamedAtPrompt);
    EXPECT_EQ(std::string(Host("UNIXHOST")->GetAddress()), "10.9.9.9");
    EXPECT_TRUE(Host("NTHOST2"));
    EXPECT_TRUE(Host("QSRHOST2"));
    other->Finish();
}

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
