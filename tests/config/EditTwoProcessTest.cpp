#include "EditDialogTestSupport.h"

#include "config/VqsOptRepAliasDlg.h"
#include "config/VqsOptRepGroupDlg.h"
#include "model/VqsLockRetryCallback.h"
#include "model/VqsModelNodeGroups.h"
#include "model/VqsModelNodeLink.h"
#include "proxy/PxFaultInjection.h"
#include "proxy/PxLockErrorInfo.h"
#include "proxy/PxVQReportSoftLink.h"
#include "support/ChildProcess.h"

#include <unistd.h>

#include <stdexcept>
#include <utility>

namespace {

constexpr UINT IDD_REPORT_GROUP = 223;
constexpr UINT IDD_REPORT_ALIAS = 224;

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

// Another process deletes SYS1 as a Delete locks it, from the top down: told to, it takes the
// SALES link and the MONTHLY report's link for write; told again, it asks the MONTHEND group for write without
// waiting when the test says so, and lets go of everything.
struct AliasLockOrderTest : EditTwoProcessTest {
    static inline std::function<void()> s_onLockWait;

    void TearDown() override
    {
        s_onLockWait = nullptr;
        EditTwoProcessTest::TearDown();
    }

    static int OnLockWait(PxLockErrorInfo& info)
    {
        constexpr int kHeldByAnother = 3;
        if (info.GetErrorCode() == kHeldByAnother && s_onLockWait)
            std::exchange(s_onLockWait, nullptr)();
        return VqsLockRetryCallback(info);
    }

    std::unique_ptr<vqtest::ChildProcess> Deleter()
    {
        const std::string repository = sample.Path();
        auto link = std::make_shared<PxVQLink>();
        const auto sales = [link] {
            return link->GetLVQEnterprise()->GetSystem("SYS1")->GetCurConfig()->GetBSSoftLink("SALES");
        };
        return std::make_unique<vqtest::ChildProcess>(std::vector<std::function<void()>>{
            [=] { link->AttachSession(repository.c_str(), "other/dev", nullptr); },
            [=] {
                if (!sales()->WriteLock(0).Succeeded() || !sales()->GetElementSoftLink("MONTHLY")->WriteLock(0).Succeeded())
                    throw std::runtime_error("the other process could not lock the segment");
            },
            [=] {
                const PxVQObjectPtr group(sales()->GetReportGroup("MONTHEND"));
                const bool granted = group->WriteLock(0).Succeeded();
                if (granted)
                    group->UnLock();
                sales()->GetElementSoftLink("MONTHLY")->UnLock();
                sales()->UnLock();
                if (!granted)
                    throw std::runtime_error("the group is held");
            }});
    }

    PxVQReportSoftLinkAliasPtr Alias(const char* report) const
    {
        PxTypedList<PxVQReportSoftLinkAliasPtr> aliases;
        Group()->GetListOfReportSoftLinkAliases(aliases);
        for (POSITION pos = aliases.GetHeadPosition(); pos;) {
            const PxVQReportSoftLinkAliasPtr alias = aliases.GetNext(pos);
            if (alias->GetSoftLink()->GetName() == CString(report))
                return alias;
        }
        return PxVQReportSoftLinkAliasPtr();
    }
};

} // namespace

// The entry's OK, after its first change, waits while the other process holds the segment,
// holding nothing itself:
// the other process, coming down to the group, gets it at once instead of waiting for ever
// for this OK, which waits for the report's link it holds. The OK then goes on and stores.
TEST_F(AliasLockOrderTest, AnEntrysOKWaitingForTheSegmentHoldsNotItsGroup)
{
    std::unique_ptr<vqtest::ChildProcess> other = Deleter();
    ASSERT_TRUE(other->WaitReady());
    StartSession();
    app.GetLink()->PxSetRetryFunction(&OnLockWait);
    bool groupGranted = false;
    s_onLockWait = [&] { groupGranted = other->RunNextStep(); };
    // The other process takes the segment when the OK has given back what the first change
    // took and asks its first lock.
    bool segmentTaken = false;
    const auto takeSegment = [&] {
        if (!std::exchange(segmentTaken, true))
            segmentTaken = other->RunNextStep();
    };
    ui.ExpectDialog(IDD_REPORT_ALIAS)
        .Replace(VqsOptRepAliasEditDlg::IDC_GENERATE_AS, "MONTH9")
        .Run([&] {
            PxFaultInjection::Run("PxVQObject::ReadLock", takeSegment);
            PxFaultInjection::Run("PxVQObject::WriteLock", takeSegment);
        })
        .OK();
    {
        VqsModel model;
        VqsLockBag bag(VqsReadLock);
        const PxVQReportSoftLinkAliasPtr alias = Alias("MONTHLY");
        VqsModelNodeRepAlias* node = model.LockRepAliasNode(bag, alias);
        auto* report =
            dynamic_cast<VqsModelNodeElementLink*>(model.LockElementLinkNode(bag, PxVQSoftLinkPtr(alias->GetSoftLink())));
        ASSERT_TRUE(node && report);
        model.EditReportAlias(bag, node, report);
    }
    PxFaultInjection::Reset();
    ui.Verify();
    EXPECT_TRUE(segmentTaken);
    EXPECT_TRUE(groupGranted);
    EXPECT_EQ(Alias("MONTHLY")->GetGenerateAs().str(), "MONTH9");
}

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
