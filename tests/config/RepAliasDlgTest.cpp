#include "EditDialogTestSupport.h"

#include "config/VqsOptRepAliasDlg.h"
#include "model/VqsModelNodeGroups.h"
#include "model/VqsModelNodeLink.h"
#include "proxy/PxFaultInjection.h"
#include "proxy/PxLockErrorInfo.h"
#include "proxy/PxVQReportSoftLink.h"

using edittest::EditDialogTest;

namespace {

constexpr UINT IDD_REPORT_ALIAS = 224;
constexpr UINT IDS_NAME_NOT_UNIQUE = 61464;
constexpr UINT IDS_NO_REPORTS_TO_ADD = 61585;
constexpr UINT IDS_REPORT_NAME_USED_AS_NAME = 61838;

struct RepAliasDlgTest : EditDialogTest {
    // The group's entry of the report.
    PxVQReportSoftLinkAliasPtr Alias(const char* report) const
    {
        PxTypedList<PxVQReportSoftLinkAliasPtr> aliases;
        Group()->GetListOfReportSoftLinkAliases(aliases);
        const CList<PxVQReportSoftLinkAliasPtr, const PxVQReportSoftLinkAliasPtr&>& list = aliases;
        for (POSITION pos = list.GetHeadPosition(); pos;) {
            const PxVQReportSoftLinkAliasPtr& alias = list.GetNext(pos);
            if (alias->GetSoftLink()->GetName() == CString(report))
                return alias;
        }
        return PxVQReportSoftLinkAliasPtr();
    }

    void Change(const std::function<void()> change) const
    {
        app.GetLink()->BeginTransaction();
        change();
        app.GetLink()->CommitTransaction();
    }

    // The user adds a report to MONTHEND; what the opener hands back.
    PxVQReportSoftLinkAliasPtr AddReport()
    {
        VqsModel model;
        VqsLockBag bag(VqsReadLock);
        VqsModelNodeRepGroup* group = model.LockReportGroupNode(bag, Group());
        EXPECT_NE(group, nullptr);
        return group ? model.EditRepAlias(bag, group) : PxVQReportSoftLinkAliasPtr();
    }

    // The user opens the entry of the report.
    void EditAlias(const char* report)
    {
        VqsModel model;
        VqsLockBag bag(VqsReadLock);
        const PxVQReportSoftLinkAliasPtr alias = Alias(report);
        VqsModelNodeRepAlias* node = model.LockRepAliasNode(bag, alias);
        auto* link =
            dynamic_cast<VqsModelNodeElementLink*>(model.LockElementLinkNode(bag, PxVQSoftLinkPtr(alias->GetSoftLink())));
        ASSERT_NE(node, nullptr);
        ASSERT_NE(link, nullptr);
        model.EditReportAlias(bag, node, link);
    }

    void DropDaily()
    {
        Change([&] { Alias("DAILY")->DeleteObject(); });
    }
};

} // namespace

// The dialog ends as it opens.
TEST_F(RepAliasDlgTest, AGroupHoldingEveryReportOffersNothingToAdd)
{
    ui.ExpectDialog(IDD_REPORT_ALIAS);
    ui.ExpectMessageBoxId(IDS_NO_REPORTS_TO_ADD, IDOK);
    EXPECT_FALSE(AddReport());
    ui.Verify();
}

// A generate-as name that another entry uses as its name, or its report's name, is refused;
// a free one makes the entry the opener gets back.
TEST_F(RepAliasDlgTest, AReportIsAddedUnderAFreeGenerateAsName)
{
    DropDaily();
    int focus = 0;
    ui.ExpectDialog(IDD_REPORT_ALIAS)
        .Type(VqsOptRepAliasDlg::IDC_GENERATE_AS, "monthly1")
        .OK()
        .Run([&] { focus = ::GetDlgCtrlID(::GetFocus()); })
        .Replace(VqsOptRepAliasDlg::IDC_GENERATE_AS, "monthly")
        .OK()
        .Replace(VqsOptRepAliasDlg::IDC_GENERATE_AS, "days")
        .OK();
    ui.ExpectMessageBoxId(IDS_NAME_NOT_UNIQUE, IDOK);
    ui.ExpectMessageBoxId(IDS_NAME_NOT_UNIQUE, IDOK);
    const PxVQReportSoftLinkAliasPtr alias = AddReport();
    ui.Verify();
    EXPECT_EQ(focus, VqsOptRepAliasDlg::IDC_GENERATE_AS);
    ASSERT_TRUE(alias);
    EXPECT_EQ(alias->GetSoftLink()->GetName().str(), "DAILY");
    EXPECT_EQ(Alias("DAILY")->GetGenerateAs().str(), "DAYS");
}

// A report whose name another entry generates as cannot be added, even without a name.
TEST_F(RepAliasDlgTest, AReportWhoseNameIsAnotherEntrysAsNameIsRefused)
{
    DropDaily();
    Change([&] { Alias("MONTHLY")->SetGenerateAs("daily"); });
    ui.ExpectDialog(IDD_REPORT_ALIAS).OK().Cancel();
    ui.ExpectMessageBoxId(IDS_REPORT_NAME_USED_AS_NAME, IDOK);
    EXPECT_FALSE(AddReport());
    ui.Verify();
    EXPECT_FALSE(Alias("DAILY"));
}

TEST_F(RepAliasDlgTest, AddingToAGroupAnotherUserDeletedClosesAsCancel)
{
    DropDaily();
    ui.ExpectDialog(IDD_REPORT_ALIAS)
        .Run([&] { AsOtherUser([](PxVQLink& other) {
            other.GetLVQEnterprise()->GetSystem("SYS1")->GetCurConfig()->GetBSSoftLink("SALES")
                ->GetReportGroup("MONTHEND")->DeleteObject();
        }); })
        .OK();
    ui.ExpectMessageBox("Cannot proceed with Add operation: Report Group has been deleted.", IDOK);
    EXPECT_FALSE(AddReport());
    ui.Verify();
}

TEST_F(RepAliasDlgTest, AnEntryIsNotComparedWithItselfAndTakesAFreeName)
{
    int focus = 0;
    ui.ExpectDialog(IDD_REPORT_ALIAS)
        .Replace(VqsOptRepAliasEditDlg::IDC_GENERATE_AS, "DAILY")
        .OK()
        .Run([&] { focus = ::GetDlgCtrlID(::GetFocus()); })
        .Replace(VqsOptRepAliasEditDlg::IDC_GENERATE_AS, "MONTHLY")
        .OK();
    ui.ExpectMessageBoxId(IDS_NAME_NOT_UNIQUE, IDOK);
    EditAlias("MONTHLY");
    ui.Verify();
    EXPECT_EQ(focus, VqsOptRepAliasEditDlg::IDC_GENERATE_AS);
    EXPECT_EQ(Alias("MONTHLY")->GetGenerateAs().str(), "MONTHLY");
}

TEST_F(RepAliasDlgTest, OKWithoutAChangeWritesNothingAndOtherUsersChangesShow)
{
    const std::int64_t edition = Alias("MONTHLY")->GetObjectEdition().GetEdition();
    ui.ExpectDialog(IDD_REPORT_ALIAS).OK();
    EditAlias("MONTHLY");
    ui.Verify();
    EXPECT_EQ(Alias("MONTHLY")->GetObjectEdition().GetEdition(), edition);

    std::string shown;
    ui.ExpectDialog(IDD_REPORT_ALIAS)
        .Run([&] { AsOtherUser([](PxVQLink& other) {
            PxTypedList<PxVQReportSoftLinkAliasPtr> aliases;
            other.GetLVQEnterprise()->GetSystem("SYS1")->GetCurConfig()->GetBSSoftLink("SALES")
                ->GetReportGroup("MONTHEND")->GetListOfReportSoftLinkAliases(aliases);
            aliases.GetHead()->SetGenerateAs("ELSEWHERE");
        }); })
        .Replace(VqsOptRepAliasEditDlg::IDC_GENERATE_AS, "X")
        .Run([&] { shown = Text(IDD_REPORT_ALIAS, VqsOptRepAliasEditDlg::IDC_GENERATE_AS); })
        .Cancel();
    ui.ExpectMessageBox("Contents have changed and will be updated.", IDOK);
    EditAlias("MONTHLY");
    ui.Verify();
    EXPECT_EQ(shown, "ELSEWHERE");

    BOOL okEnabled = TRUE;
    ui.ExpectDialog(IDD_REPORT_ALIAS)
        .Run([&] { AsOtherUser([](PxVQLink& other) {
            PxTypedList<PxVQReportSoftLinkAliasPtr> aliases;
            other.GetLVQEnterprise()->GetSystem("SYS1")->GetCurConfig()->GetBSSoftLink("SALES")
                ->GetReportGroup("MONTHEND")->GetListOfReportSoftLinkAliases(aliases);
            aliases.GetHead()->DeleteObject();
        }); })
        .Replace(VqsOptRepAliasEditDlg::IDC_GENERATE_AS, "X")
        .Run([&] { okEnabled = ::IsWindowEnabled(Control(IDD_REPORT_ALIAS, IDOK)); })
        .Cancel();
    ui.ExpectMessageBox("Report entry in the Report Group item has been deleted.", IDOK);
    EditAlias("MONTHLY");
    ui.Verify();
    EXPECT_FALSE(okEnabled);
}

// The first change takes the report's link for long read, then the entry for update, which is
// refused: the long read goes back with the refusal, and another user's Delete, which takes
// the report's link for write, does not wait on the dialog that stays open.
TEST_F(RepAliasDlgTest, AFirstChangeRefusedOnTheEntryHoldsNothingAfter)
{
    const std::unique_ptr<PxVQLink> other = OtherUser();
    const PxVQObjectPtr report(other->GetLVQEnterprise()->GetSystem("SYS1")->GetCurConfig()->GetBSSoftLink("SALES")
                                   ->GetElementSoftLink("MONTHLY"));
    bool reportFree = false;
    ui.ExpectDialog(IDD_REPORT_ALIAS)
        .Run([] { PxFaultInjection::RefuseLock("PxLink::FutureUpdateLock", PxLockRefused, 0, 1000); })
        .Type(VqsOptRepAliasEditDlg::IDC_GENERATE_AS, "9")
        .Run([&] { reportFree = report->WriteLock(0).Succeeded(); })
        .Cancel();
    ui.ExpectMessageBox("Lock failed:\nan object is currently locked by another user.\nPlease try again after some time.",
                        IDOK);
    EditAlias("MONTHLY");
    PxFaultInjection::Reset();
    ui.Verify();
    EXPECT_TRUE(reportFree);
}
