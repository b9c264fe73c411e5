// Dialogs on a system another user deletes, on a repository file and on the suite's server.
// The system's, a generate set's and a business segment's options: the test holds the opening
// step where the other user's Delete lands (before its locks; just after it locked an object
// the Delete takes, as it reads the object again; as the dialog records what it edits), and
// the step says which item went in one box, opens no dialog and holds nothing afterwards. The first change in an open
// System Options dialog, whose system goes just before the change's lock is granted, says so
// once too; and New Generate Set, whose system goes on its first page, ends with one box
// however the user's keystrokes, source pick and Next follow, the Delete landing at each step
// of the page before Next.
#include "SysViewTestSupport.h"

#include "config/VqsNewGenSetPages.h"
#include "config/VqsOptionsSystemDlg.h"
#include "sysview/VqsOptionSetView.h"
#include "win/Messages.h"

namespace {

constexpr UINT IDD_SYSTEM_OPTIONS = 142;
constexpr UINT ID_OPTIONS = 32772;
constexpr UINT ID_ADD_GENERATE_SET = 32789;
constexpr char kItemDeleted[] = "item has been deleted.";

enum class Dialog { SystemOptions, GenerateSetOptions, SegmentOptions };

// Where the Delete lands: at the `skip`-th call (from 0) of the repository operation. The step
// reads each object again as it has locked it, the enterprise first, then the system.
struct Moment {
    const char* operation;
    int skip;
    const char* name;
};

struct Case {
    Store store;
    Dialog dialog;
    Moment moment;
};

constexpr const char* kReadAgain = "PxObject::Refresh";
constexpr const char* kEditionRecorded = "PxVQObject::GetObjectEdition";

std::vector<Case> Cases()
{
    const struct {
        Dialog dialog;
        std::vector<Moment> moments;
    } dialogs[] = {
        {Dialog::SystemOptions,
         {{kReadAgain, 0, "AfterTheEnterpriseLock"}, {kReadAgain, 1, "AfterTheSystemLock"},
          {kEditionRecorded, 0, "AsTheDialogRecordsIt"}}},
        {Dialog::GenerateSetOptions,
         {{kReadAgain, 0, "AfterTheEnterpriseLock"}, {kReadAgain, 1, "AfterTheSystemLock"},
          {kReadAgain, 2, "AfterTheConfigurationLock"}, {kReadAgain, 3, "AfterTheGenerateSetLock"},
          {kEditionRecorded, 0, "AsTheDialogRecordsIt"}}},
        {Dialog::SegmentOptions,
         {{"PxVQSoftLink::GetOptions", 0, "BeforeTheLocks"}, {kReadAgain, 0, "AfterTheEnterpriseLock"},
          {kReadAgain, 1, "AfterTheSystemLock"}, {kReadAgain, 2, "AfterTheConfigurationLock"},
          {kReadAgain, 3, "AfterTheSegmentEntryLock"}}},
    };
    std::vector<Case> cases;
    for (Store store : {Store::File, Store::Server})
        for (const auto& each : dialogs)
            for (const Moment& moment : each.moments)
                cases.push_back({store, each.dialog, moment});
    return cases;
}

std::string CaseName(const ::testing::TestParamInfo<Case>& info)
{
    const char* const dialogs[] = {"SystemOptions", "GenerateSetOptions", "SegmentOptions"};
    return std::string(StoreName(info.param.store)) + dialogs[static_cast<int>(info.param.dialog)] +
           info.param.moment.name;
}

struct OpeningTest : SystemGoneTest<Case> {
    void SetUp() override { StartOn(GetParam().store); }

    // The row the dialog is opened on, and the pane that is current for it.
    void SelectRow()
    {
        if (GetParam().dialog == Dialog::SystemOptions) {
            Select({"Sample system 1"});
            return;
        }
        if (GetParam().dialog == Dialog::GenerateSetOptions) {
            SelectFirstGenerateSet("Sample system 1");
            return;
        }
        Expand("Sample system 1");
        Select({"SALES business segment"});
    }
};

} // namespace

TEST_P(OpeningTest, TheStepTellsOnceWhatWentOpensNoDialogAndHoldsNothing)
{
    SelectRow();
    BoxReader user;
    PxFaultInjection::Run(GetParam().moment.operation, [this] { otherUsersDelete->Land(); }, GetParam().moment.skip);

    Command(ID_OPTIONS);

    EXPECT_TRUE(otherUsersDelete->Ended()) << "the Delete landed";
    ASSERT_EQ(user.boxes.size(), 1u) << (user.boxes.empty() ? "no box" : user.boxes.back());
    EXPECT_NE(user.boxes.front().find(kItemDeleted), std::string::npos) << user.boxes.front();
    EXPECT_TRUE(user.shownWindows.empty()) << user.shownWindows.front();
    EXPECT_TRUE(NothingHeld());
}

INSTANTIATE_TEST_SUITE_P(Cases, OpeningTest, ::testing::ValuesIn(Cases()), CaseName);

namespace {

struct OpenDialogTest : SystemGoneOnStoreTest {};

} // namespace

// Nothing holds the system between the first change's look at it and its lock: the other
// user's Delete, waiting for nothing, gets between them.
TEST_P(OpenDialogTest, AFirstChangeWhoseSystemGoesJustBeforeItsLockTellsOnce)
{
    Select({"Sample system 1"});
    ui.ExpectDialog(IDD_SYSTEM_OPTIONS)
        .Run([this] { PxFaultInjection::Run("PxLink::FutureUpdateLock", [this] { DeleteNow(); }); })
        .Replace(VqsOptionsSystemDlg::IDC_DESCRIPTION, "Changed")
        .Cancel();
    ui.ExpectMessageBox("System item has been deleted.", IDOK);

    Command(ID_OPTIONS);

    ui.Verify();
    EXPECT_TRUE(otherUsersDelete->Ended());
    EXPECT_TRUE(NothingHeld());
}

// The wizard ends once it has told what went: the user's further keystrokes, the source pick
// and Next are not taken, and nothing is told again.
TEST_P(OpenDialogTest, NewGenerateSetWhoseSystemGoesOnItsFirstPageTellsOnce)
{
    WizardUser user;
    user.ExpectWizard()
        .OnPage(VqsGenSetOptPage::IDD)
        .Run([this] { DeleteNow(); })
        .Type(VqsGenSetOptPage::IDC_NAME, "NIGHTLY")
        .Select(VqsGenSetOptPage::IDC_SOURCE, 1)
        .Next()
        .Cancel();
    Expand("Sample system 1");
    Select({"SALES business segment"});

    frame->GetOptionSetView()->SendMessage(WM_COMMAND, ID_ADD_GENERATE_SET, 0);
    vqwin::PumpPending();

    ASSERT_EQ(user.boxes.size(), 1u) << (user.boxes.empty() ? "no box" : user.boxes.back());
    EXPECT_NE(user.boxes.front().find(kItemDeleted), std::string::npos) << user.boxes.front();
    EXPECT_FALSE(user.leftOpen) << "the wizard ends as it tells what went";
    EXPECT_TRUE(NothingHeld());
}

INSTANTIATE_TEST_SUITE_P(Stores, OpenDialogTest, ::testing::Values(Store::File, Store::Server), StoreParamName);

namespace {

// Where on New Generate Set's first page the other user's Delete lands before the user's Next.
enum class FirstPageMoment { Opened, NameTyped, SourceChosen };

struct FirstPageCase {
    Store store;
    FirstPageMoment moment;
    const char* name;
};

std::vector<FirstPageCase> FirstPageCases()
{
    std::vector<FirstPageCase> cases;
    for (Store store : {Store::File, Store::Server}) {
        cases.push_back({store, FirstPageMoment::Opened, "AsTheWizardOpens"});
        cases.push_back({store, FirstPageMoment::NameTyped, "OnceTheNameIsTyped"});
        cases.push_back({store, FirstPageMoment::SourceChosen, "OnceTheSourceIsChosen"});
    }
    return cases;
}

std::string FirstPageCaseName(const ::testing::TestParamInfo<FirstPageCase>& info)
{
    return std::string(StoreName(info.param.store)) + info.param.name;
}

void PrintTo(const FirstPageCase& each, std::ostream* out) { *out << StoreName(each.store) << each.name; }

struct NewGenSetFirstPageTest : SystemGoneTest<FirstPageCase> {
    void SetUp() override { StartOn(GetParam().store); }

    std::function<void()> At(FirstPageMoment moment)
    {
        return [this, moment] {
            if (GetParam().moment == moment)
                DeleteNow();
        };
    }
};

} // namespace

// The Delete lands on the first page, and the user presses Next: the page tells once what went,
// whether it finds it as Next checks the page or as the focus leaves the chosen source for the
// Next button (the check of the source ends the wizard, and Next then takes no step of its own).
TEST_P(NewGenSetFirstPageTest, NextAfterTheSystemWentTellsOnce)
{
    WizardUser user;
    user.ExpectWizard()
        .OnPage(VqsGenSetOptPage::IDD)
        .Run(At(FirstPageMoment::Opened))
        .Type(VqsGenSetOptPage::IDC_NAME, "NIGHTLY")
        .Run(At(FirstPageMoment::NameTyped))
        .Select(VqsGenSetOptPage::IDC_SOURCE, 1)
        .Run(At(FirstPageMoment::SourceChosen))
        .Next()
        .Cancel();
    Expand("Sample system 1");
    Select({"SALES business segment"});

    frame->GetOptionSetView()->SendMessage(WM_COMMAND, ID_ADD_GENERATE_SET, 0);
    vqwin::PumpPending();

    EXPECT_TRUE(otherUsersDelete->Ended());
    ASSERT_EQ(user.boxes.size(), 1u) << (user.boxes.empty() ? "no box" : user.boxes.back());
    EXPECT_NE(user.boxes.front().find(kItemDeleted), std::string::npos) << user.boxes.front();
    EXPECT_FALSE(user.leftOpen) << "the wizard ends as it tells what went";
    EXPECT_TRUE(NothingHeld());
}

INSTANTIATE_TEST_SUITE_P(Moments, NewGenSetFirstPageTest, ::testing::ValuesIn(FirstPageCases()), FirstPageCaseName);
