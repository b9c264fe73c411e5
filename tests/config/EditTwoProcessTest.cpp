#include "EditDialogTestSupport.h"

#include "config/VqsOptRepGroupDlg.h"
#include "model/VqsModelNodeGroups.h"
#include "support/ChildProcess.h"

#include <unistd.h>

#include <stdexcept>

namespace {

constexpr UINT IDD_REPORT_GROUP = 223;

// Another process is the other user: it changes the report group when the test tells it to.
struct EditTwoProcessTest : edittest::EditDialogTest {
    EditTwoProcessTest()
    {
        sessionAtStart = false;
        if (pipe(go) != 0)
            throw std::runtime_error("pipe");
    }
    ~EditTwoProcessTest() override
    {
        close(go[0]);
        close(go[1]);
    }

    // Forked before this process holds a repository connection or runs a second thread.
    std::unique_ptr<vqtest::ChildProcess> GroupChanger(const char* description)
    {
        const std::string repository = sample.Path();
        const std::string text = description;
        const int wait = go[0];
        return std::make_unique<vqtest::ChildProcess>([=] {
            char byte = 0;
            if (read(wait, &byte, 1) != 1)
                throw std::runtime_error("no word from the parent");
            PxVQLink link;
            link.AttachSession(repository.c_str(), "other/dev", nullptr);
            link.BeginTransaction();
            link.GetLVQEnterprise()->GetSystem("SYS1")->GetCurConfig()->GetBSSoftLink("SALES")
                ->GetReportGroup("MONTHEND")->SetDescription(text.c_str());
            link.CommitTransaction();
        });
    }

    int go[2] = {-1, -1};
};

} // namespace

// B commits a new description of the group A's dialog shows: A's first change says so and
// shows what B stored; A's own change of the name is then stored over B's edition.
TEST_F(EditTwoProcessTest, AChangeCommittedByAnotherProcessIsReloadedBeforeOursIsWritten)
{
    std::unique_ptr<vqtest::ChildProcess> other = GroupChanger("From B");
    StartSession();
    bool changed = false;
    std::string shown;
    ui.ExpectDialog(IDD_REPORT_GROUP)
        .Run([&] {
            char byte = 1;
            changed = write(go[1], &byte, 1) == 1 && other->WaitReady();
        })
        .Replace(VqsRepGroupDlgBase::IDC_DESCRIPTION, "X")
        .Run([&] { shown = Text(IDD_REPORT_GROUP, VqsRepGroupDlgBase::IDC_DESCRIPTION); })
        .Replace(VqsRepGroupDlgBase::IDC_NAME, "Month end")
        .OK();
    ui.ExpectMessageBox("Contents have changed and will be updated.", IDOK);
    {
        VqsModel model;
        VqsLockBag bag(VqsReadLock);
        VqsModelNodeRepGroup* group = model.LockReportGroupNode(bag, Group());
        ASSERT_NE(group, nullptr);
        model.EditReportGroup(bag, group);
    }
    ui.Verify();
    other->Finish();
    EXPECT_TRUE(changed);
    EXPECT_EQ(shown, "From B");
    EXPECT_EQ(Group()->GetDescription().str(), "From B");
    EXPECT_EQ(Group()->GetLongName().str(), "Month end");
}
