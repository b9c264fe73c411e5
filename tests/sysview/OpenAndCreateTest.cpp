// Open Selected, Options, Print and New System of the directory view as a user runs them.
#include "SysViewTestSupport.h"

#include "config/VqsHostWizardPages.h"
#include "config/VqsNewSystemPages.h"
#include "model/VqsModel.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQIspecSoftLink.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQEnterprise.h"
#include "proxy/PxVQOptionSet.h"
#include "proxy/PxVQHostInformation.h"
#include "proxy/PxVQLink.h"
#include "proxy/PxVQReportGroup.h"
#include "shell/VqsTreeItem.h"
#include "support/ScriptedUiDriver.h"
#include "sysview/VqsOptionSetView.h"
#include "win/Clock.h"
#include "win/Input.h"
#include "win/Printing.h"

namespace {

constexpr UINT ID_OPTIONS = 32772;
constexpr UINT ID_OPEN_SELECTED = 32775;
constexpr UINT ID_ADD_BUSINESS_SEGMENT = 32771;
constexpr UINT ID_NEW_SYSTEM = 32785;
constexpr UINT ID_PRINT = 57607;
constexpr UINT ID_SHOW_ALL_FOLDERS = 32834;
constexpr UINT kLockProgressDialog = 105;
constexpr UINT IDD_OPEN_REPORT_GROUP = 249;
constexpr UINT IDD_REPORT_GROUP = 223;
constexpr UINT IDD_SOFTLINK_OPTIONS = 144;
constexpr UINT IDD_OPTIONS_REPORT = 111;
constexpr int IDC_PICKER_OPTIONS = 1495;

struct OpenAndCreateTest : SysViewTest {
    vqtest::ScriptedUiDriver ui;

    void SetUp() override
    {
        ui.WheneverDialog(kLockProgressDialog);
        SysViewTest::SetUp();
    }

    void ShowSales()
    {
        OpenFrame();
        Expand("Sample system 1");
        Expand("SALES business segment");
        Command(ID_SHOW_ALL_FOLDERS);
    }

    PxVQBSSoftLinkPtr Sales() { return System("SYS1")->GetCurConfig()->GetBSSoftLink("SALES"); }

    // A system without business-segment entries, shown and selected; another user then gives
    // it a SALES entry, marked unused or not, before the view learns of it.
    void SelectSystemThatGetsAnEntryMeanwhile(int unusedMark)
    {
        {
            VqsModel model;
            PxVQSystemPtr created;
            ASSERT_TRUE(model.CreateSystem(created, "New system", "NEWSYS", "No links yet", "RT9", 0, 0));
        }
        OpenFrame();
        Select({"New system"});
        ASSERT_EQ(State(ID_ADD_BUSINESS_SEGMENT), "enabled");
        PxVQLink other;
        other.AttachSession(sample.Path().c_str(), "other/dev", nullptr);
        other.BeginTransaction();
        const PxVQBSSoftLinkPtr link =
            other.GetLVQEnterprise()->GetSystem("NEWSYS")->GetCurConfig()->CreateBSSoftLink("SALES");
        link->SetUnusedMark(unusedMark);
        other.CommitTransaction();
    }
};

} // namespace

TEST_F(OpenAndCreateTest, OpeningAReportGroupOffersThePickerAndItsOptionsButtonOpensTheGroupsDialog)
{
    ShowSales();
    Expand("Report Groups");
    Select({"MONTHEND"});
    ui.ExpectDialog(IDD_OPEN_REPORT_GROUP).Press(IDC_PICKER_OPTIONS);
    ui.ExpectDialog(IDD_REPORT_GROUP).Cancel();

    Command(ID_OPEN_SELECTED);

    ui.Verify();
    EXPECT_EQ(view->GetSelectedItem(), Item("MONTHEND"));
}

TEST_F(OpenAndCreateTest, CancelInThePickerOpensNothing)
{
    ShowSales();
    Expand("Report Groups");
    Select({"MONTHEND"});
    ui.ExpectDialog(IDD_OPEN_REPORT_GROUP).Cancel();
    Command(ID_OPEN_SELECTED);
    ui.Verify();
}

TEST_F(OpenAndCreateTest, OptionsOfAReportOpenTheOptionsDialogForTheListsOptionSet)
{
    ShowSales();
    Expand("Reports");
    Select({"DAILY of SALES"});
    ui.ExpectDialog(IDD_SOFTLINK_OPTIONS).Cancel();
    Command(ID_OPTIONS);
    ui.Verify();
}

TEST_F(OpenAndCreateTest, AnIspecWithoutUsageShowsTheNoOptionsNoticeForAWhileInsteadOfADialog)
{
    vqclock::ManualClock clock(1700000000);
    vqclock::ScopedClock scopedClock(clock);
    ShowSales();
    Expand("Ispecs");
    PxVQLink* link = app.GetLink();
    link->BeginTransaction();
    PxVQIspecSoftLinkPtr(Sales()->GetElementSoftLink("NOTES"))->SetIspecUsage(0);
    link->CommitTransaction();
    Select({"NOTES of SALES"});
    const int beeps = vqwin::BeepCount();

    Command(ID_OPTIONS);

    EXPECT_EQ(frame->GetStatusText(), "No options currently exist for this host type.");
    EXPECT_EQ(vqwin::BeepCount(), beeps + 1);
    clock.Advance(1500);
    vqwin::PumpPending();
    EXPECT_EQ(frame->GetStatusText(), "NOTES of SALES");
    EXPECT_TRUE(ui.Seen().empty());
}

// The automatic profile of an Ispec has options only on QSR: elsewhere Options beeps.
TEST_F(OpenAndCreateTest, OptionsOfAnAutomaticProfileOutsideQSROnlyBeep)
{
    ShowSales();
    Expand("Ispecs");
    Expand("CUSTOMER of SALES");
    Select({"CUSTOMER of SALES (Sample PxLSEProfile CUSTBYNAME) ordinate"});
    const int beeps = vqwin::BeepCount();

    Command(ID_OPTIONS);

    EXPECT_EQ(vqwin::BeepCount(), beeps + 1);
    EXPECT_TRUE(ui.Seen().empty());
}

TEST_F(OpenAndCreateTest, PrintingASystemReportsEveryElementLinkOfItsSegmentInOneJob)
{
    ShowSales();
    Select({"Sample system 1"});
    frame->GetOptionSetView()->SelectOnly(0);
    vqwin::PumpPending();
    vqwin::ClearPrintJobs();
    ui.ExpectDialog(IDD_OPTIONS_REPORT).Cancel();
    Command(ID_PRINT);
    ui.Verify();
    EXPECT_TRUE(vqwin::PrintJobs().empty());

    ui.ExpectDialog(IDD_OPTIONS_REPORT).OK();
    Command(ID_PRINT);
    ui.Verify();
    ASSERT_EQ(vqwin::PrintJobs().size(), 1u);
    const std::string job = vqwin::Describe(vqwin::PrintJobs().front());
    EXPECT_NE(job.find("1.  "), std::string::npos) << job;
    EXPECT_NE(job.find("\"SALES business segment\""), std::string::npos) << "the first segment in use";

    // A segment marked unused gives way to the next one in use.
    PxVQLink* link = app.GetLink();
    link->BeginTransaction();
    Sales()->SetUnusedMark(1);
    link->CommitTransaction();
    vqwin::ClearPrintJobs();
    ui.ExpectDialog(IDD_OPTIONS_REPORT).OK();
    Command(ID_PRINT);
    ui.Verify();
    ASSERT_EQ(vqwin::PrintJobs().size(), 1u);
    EXPECT_NE(vqwin::Describe(vqwin::PrintJobs().front()).find("\"PAYROLL business segment\""), std::string::npos);
}

// A link of the system's segment whose options cannot be reported fails the whole print:
// no partial report is printed as if it were complete.
TEST_F(OpenAndCreateTest, PrintingASystemWithALinkWithoutOptionsPrintsNothingAndFails)
{
    PxVQLink* link = app.GetLink();
    link->BeginTransaction();
    Sales()->CreateElementSoftLink("NEWREPORT", VQSoftLinkReport);
    link->CommitTransaction();
    ShowSales();
    Select({"Sample system 1"});
    frame->GetOptionSetView()->SelectOnly(0);
    vqwin::PumpPending();
    vqwin::ClearPrintJobs();
    ui.ExpectDialog(IDD_OPTIONS_REPORT).OK();
    ui.ExpectMessageBox("Cannot access the option values", IDOK);
    ui.ExpectMessageBox(" Print Failed ", IDOK);

    Command(ID_PRINT);

    ui.Verify();
    EXPECT_TRUE(vqwin::PrintJobs().empty());
}

TEST_F(OpenAndCreateTest, NewSystemCreatesTheSystemTheWizardDescribesAndSelectsIt)
{
    OpenFrame();
    Select({"Sample enterprise"});
    NewSystemToGenSetPage(ui)
        .Click(VqsSysGSPage::IDC_NO_GENSET)
        .Finish();

    Command(ID_NEW_SYSTEM);

    ui.Verify();
    ASSERT_TRUE(System("ORDERS"));
    PxTypedList<PxVQBSSoftLinkPtr> links;
    System("ORDERS")->GetCurConfig()->GetListOfBSSoftLinks(links);
    EXPECT_EQ(links.GetCount(), 1);
    EXPECT_EQ(view->GetSelectedItem(), Item("ORDERS"));
}

// Windows hosts exist, so the target-host page offers Finish; finishing there without picking
// one makes no host (none of an empty name) and a generate set that names none.
TEST_F(OpenAndCreateTest, NewSystemFinishedWithoutPickingAnExistingHostCreatesNoHost)
{
    PxTypedList<PxVQHostInformationPtr> hosts;
    app.GetEnterprise()->GetListOfHostInformations(hosts);
    const int hostsBefore = hosts.GetCount();
    OpenFrame();
    Select({"Sample enterprise"});
    ui.ExpectWizard("New System Wizard")
        .OnPage(VqsSysOptPage::IDD)
        .Type(VqsSysOptPage::IDC_NAME, "ORDERS")
        .Next()
        .Next()
        .OnPage(VqsSysBSPage::IDD)
        .Click(VqsSysBSPage::IDC_NO_SEGMENT)
        .Next()
        .OnPage(VqsSysGSPage::IDD)
        .Type(VqsSysGSPage::IDC_NAME, "ORDGEN")
        .Next()
        .OnPage(VqsSysGSHostPage::IDD)
        .Finish();

    Command(ID_NEW_SYSTEM);

    ui.Verify();
    hosts.RemoveAll();
    app.GetEnterprise()->GetListOfHostInformations(hosts);
    EXPECT_EQ(hosts.GetCount(), hostsBefore);
    const PxVQGenSetPtr genSet(System("ORDERS")->GetCurConfig()->GetOptionSet("ORDGEN"));
    ASSERT_TRUE(genSet);
    EXPECT_EQ(genSet->GetHostName(), "");
}

TEST_F(OpenAndCreateTest, AddBusinessSegmentOnASystemWithAValidEntryShowsWhyInsteadOfTheWizard)
{
    SelectSystemThatGetsAnEntryMeanwhile(0);
    ui.ExpectMessageBox("Cannot add the Business Segment specification:\nthe System contains a valid Business "
                        "Segment entry.",
                        IDOK);

    Command(ID_ADD_BUSINESS_SEGMENT);

    ui.Verify();
    PxVQLink other;
    other.AttachSession(sample.Path().c_str(), "other/dev", nullptr);
    EXPECT_TRUE(other.GetLVQEnterprise()->GetSystem("NEWSYS")->GetCurConfig()->WriteLock(0).Succeeded())
        << "the command's read lock is given back";
}

TEST_F(OpenAndCreateTest, AddBusinessSegmentOnASystemWhoseEntriesAreUnusedRunsTheWizard)
{
    SelectSystemThatGetsAnEntryMeanwhile(1);
    ui.ExpectWizard().Cancel();

    Command(ID_ADD_BUSINESS_SEGMENT);

    ui.Verify();
}

// With the folders hidden the group's row shows under the segment, which is opened for it.
TEST_F(OpenAndCreateTest, ANewReportGroupIsMadeUnderTheSegmentAndSelected)
{
    OpenFrame();
    Command(32844);
    Expand("Sample system 1");
    Select({"SALES business segment"});
    ui.ExpectDialog(223).Type(1031, "WEEKEND").OK();

    Command(32788);

    ui.Verify();
    EXPECT_TRUE(Sales()->GetReportGroup("WEEKEND"));
    ASSERT_NE(view->GetSelectedItem(), nullptr);
    EXPECT_STREQ(view->GetSelectedItem()->GetText(), "WEEKEND");
}
