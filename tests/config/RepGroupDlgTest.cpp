#include "EditDialogTestSupport.h"

#include "config/VqsOptRepGroupDlg.h"
#include "model/VqsModelNodeGroups.h"
#include "model/VqsModelNodeLink.h"
#include "proxy/PxFaultInjection.h"

using edittest::EditDialogTest;

namespace {

constexpr UINT IDD_REPORT_GROUP = 223;
constexpr UINT IDS_NAME_NOT_UNIQUE = 61464;
constexpr UINT IDS_ENTER_CORRECT_NAME = 61465;
constexpr UINT IDS_REP_GROUP_CHARACTERS = 61690;

struct RepGroupDlgTest : EditDialogTest {
    // The user adds a group to the sample's SALES link of SYS1, as the directory view's
    // command does; answers what the opener hands back.
    PxVQReportGroupPtr AddGroup()
    {
        VqsModel model;
        VqsLockBag bag(VqsReadLock);
        VqsModelNodeBSLink* link = model.LockBSLinkNode(bag, SegmentLink());
        EXPECT_NE(link, nullptr);
        return link ? model.OpenReportGroupDlg(bag, link) : PxVQReportGroupPtr();
    }

    // The user opens a group's options.
    void EditGroup(const char* name = "MONTHEND")
    {
        VqsModel model;
        VqsLockBag bag(VqsReadLock);
        VqsModelNodeRepGroup* group = model.LockReportGroupNode(bag, Group(name));
        ASSERT_NE(group, nullptr);
        model.EditReportGroup(bag, group);
    }
};

} // namespace

// With long names an empty short name is made from the name's start, in upper case, and the
// new group is what the opener gets back.
TEST_F(RepGroupDlgTest, ANewGroupTakesItsShortNameFromTheLongName)
{
    ui.ExpectDialog(IDD_REPORT_GROUP)
        .Type(VqsRepGroupDlgBase::IDC_NAME, "  Weeklysales totals ")
        .Type(VqsRepGroupDlgBase::IDC_DESCRIPTION, "Every Monday")
        .OK();
    const PxVQReportGroupPtr group = AddGroup();
    ui.Verify();
    ASSERT_TRUE(group);
    EXPECT_EQ(group->GetName().str(), "WEEKLYSALE");
    EXPECT_EQ(group->GetLongName().str(), "Weeklysales totals");
    EXPECT_EQ(group->GetDescription().str(), "Every Monday");
    EXPECT_TRUE(Group("WEEKLYSALE"));
}

// The derived short name is checked like a typed one: a blank in it is refused.
TEST_F(RepGroupDlgTest, ADerivedShortNameWithABlankIsRefusedAndNothingIsMade)
{
    ui.ExpectDialog(IDD_REPORT_GROUP).Type(VqsRepGroupDlgBase::IDC_NAME, "Week total").OK().Cancel();
    ui.ExpectMessageBoxId(IDS_REP_GROUP_CHARACTERS, IDOK);
    EXPECT_FALSE(AddGroup());
    ui.Verify();
    EXPECT_FALSE(Group("WEEK TOTAL"));
}

TEST_F(RepGroupDlgTest, NamesOfOtherGroupsInAnyCaseAndEmptyNamesAreRefused)
{
    struct Case {
        const char* name;
        const char* shortName;
        UINT message;
    };
    app.GetLink()->BeginTransaction();
    Group()->SetLongName("Month-end reports");
    app.GetLink()->CommitTransaction();
    for (const Case& each : {Case{"Month end", "monthend", IDS_NAME_NOT_UNIQUE},
                             Case{"Month-end reports", "OTHER", IDS_NAME_NOT_UNIQUE},
                             Case{"   ", "", IDS_ENTER_CORRECT_NAME}}) {
        ui.ExpectDialog(IDD_REPORT_GROUP)
            .Type(VqsRepGroupDlgBase::IDC_NAME, each.name)
            .Type(VqsRepGroupDlgBase::IDC_SHORT_NAME, each.shortName)
            .OK()
            .Cancel();
        ui.ExpectMessageBoxId(each.message, IDOK);
        EXPECT_FALSE(AddGroup()) << each.name;
        ui.Verify();
    }
}

// Another user deleted the business-segment link while the dialog was open: nothing is made
// and the dialog closes as with Cancel.
TEST_F(RepGroupDlgTest, AddingToALinkAnotherUserDeletedSaysSoAndClosesAsCancel)
{
    ui.ExpectDialog(IDD_REPORT_GROUP)
        .Type(VqsRepGroupDlgBase::IDC_NAME, "Yearly")
        .Run([&] { AsOtherUser([](PxVQLink& other) {
            other.GetLVQEnterprise()->GetSystem("SYS1")->GetCurConfig()->GetBSSoftLink("SALES")->DeleteObject();
        }); })
        .OK();
    ui.ExpectMessageBox("Cannot proceed with Add operation: Business Segment entry has been deleted.", IDOK);
    EXPECT_FALSE(AddGroup());
    ui.Verify();
}

// Looking and pressing OK neither locks nor writes.
TEST_F(RepGroupDlgTest, OKWithoutAChangeLocksAndWritesNothing)
{
    const std::int64_t edition = Group()->GetObjectEdition().GetEdition();
    BOOL lockedWhileOpen = TRUE;
    ui.ExpectDialog(IDD_REPORT_GROUP)
        .Run([&] {
            std::unique_ptr<PxVQLink> other = OtherUser();
            lockedWhileOpen = other->GetLVQEnterprise()->GetSystem("SYS1")->GetCurConfig()->GetBSSoftLink("SALES")
                                  ->GetReportGroup("MONTHEND")->IsLocked();
        })
        .OK();
    EditGroup();
    ui.Verify();
    EXPECT_FALSE(lockedWhileOpen);
    EXPECT_EQ(Group()->GetObjectEdition().GetEdition(), edition);
}

TEST_F(RepGroupDlgTest, AnEditedGroupIsStoredWithItsNamesAndDescription)
{
    ui.ExpectDialog(IDD_REPORT_GROUP)
        .Replace(VqsRepGroupDlgBase::IDC_NAME, "Quarter end")
        .Replace(VqsRepGroupDlgBase::IDC_SHORT_NAME, "QEND")
        .Replace(VqsRepGroupDlgBase::IDC_DESCRIPTION, "Quarterly")
        .OK();
    EditGroup();
    ui.Verify();
    const PxVQReportGroupPtr group = Group("QEND");
    ASSERT_TRUE(group);
    EXPECT_EQ(group->GetLongName().str(), "Quarter end");
    EXPECT_EQ(group->GetDescription().str(), "Quarterly");
}

// Another user's committed change shows at the first change of ours, and the fields show
// what is stored; the keystroke is lost.
TEST_F(RepGroupDlgTest, AChangeCommittedByAnotherUserIsReloadedAtTheFirstChange)
{
    std::string shown;
    ui.ExpectDialog(IDD_REPORT_GROUP)
        .Run([&] { AsOtherUser([](PxVQLink& other) {
            other.GetLVQEnterprise()->GetSystem("SYS1")->GetCurConfig()->GetBSSoftLink("SALES")
                ->GetReportGroup("MONTHEND")->SetDescription("Changed elsewhere");
        }); })
        .Type(VqsRepGroupDlgBase::IDC_DESCRIPTION, "X")
        .Run([&] { shown = Text(IDD_REPORT_GROUP, VqsRepGroupDlgBase::IDC_DESCRIPTION); })
        .Cancel();
    ui.ExpectMessageBox("Contents have changed and will be updated.", IDOK);
    EditGroup();
    ui.Verify();
    EXPECT_EQ(shown, "Changed elsewhere");
}

// Another user's delete shows at the first change, which is undone, and OK is disabled.
TEST_F(RepGroupDlgTest, AGroupAnotherUserDeletedDisablesOK)
{
    BOOL okEnabled = TRUE;
    std::string shown;
    ui.ExpectDialog(IDD_REPORT_GROUP)
        .Run([&] { AsOtherUser([](PxVQLink& other) {
            other.GetLVQEnterprise()->GetSystem("SYS1")->GetCurConfig()->GetBSSoftLink("SALES")
                ->GetReportGroup("MONTHEND")->DeleteObject();
        }); })
        .Replace(VqsRepGroupDlgBase::IDC_DESCRIPTION, "Gone")
        .Run([&] {
            okEnabled = ::IsWindowEnabled(Control(IDD_REPORT_GROUP, IDOK));
            shown = Text(IDD_REPORT_GROUP, VqsRepGroupDlgBase::IDC_DESCRIPTION);
        })
        .Cancel();
    ui.ExpectMessageBox("Report Group item has been deleted.", IDOK);
    EditGroup();
    ui.Verify();
    EXPECT_FALSE(okEnabled);
    EXPECT_EQ(shown, "Month-end reports");
}

// A creation whose commit fails is not handed back or shown: the dialog stays open with what
// the user typed, and Cancel leaves nothing behind.
TEST_F(RepGroupDlgTest, ACreationWhoseCommitFailsKeepsTheDialogOpenAndMakesNothing)
{
    std::string typed;
    ui.ExpectDialog(IDD_REPORT_GROUP)
        .Type(VqsRepGroupDlgBase::IDC_NAME, "Yearly")
        .Run([] { PxFaultInjection::Throw("PxLink::CommitTransaction", "The disk is full."); })
        .OK()
        .Run([&] { typed = Text(IDD_REPORT_GROUP, VqsRepGroupDlgBase::IDC_NAME); })
        .Cancel();
    ui.ExpectMessageBox("Cannot commit the transaction:\nThe disk is full.", IDOK);
    EXPECT_FALSE(AddGroup());
    ui.Verify();
    EXPECT_EQ(typed, "Yearly");
    EXPECT_FALSE(Group("YEARLY"));
}
