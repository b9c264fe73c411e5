#include "EditDialogTestSupport.h"

#include "config/VqsOptBundleDlg.h"
#include "model/VqsModelNodeGroups.h"
#include "model/VqsModelNodeLink.h"
#include "proxy/PxBSegOptions.h"
#include "proxy/PxFaultInjection.h"
#include "proxy/PxVQIspecSoftLink.h"
#include "proxy/PxVQOptionSet.h"

#include <algorithm>

using edittest::EditDialogTest;

namespace {

constexpr UINT IDD_BUNDLE_OPTIONS = 831;
constexpr UINT IDS_NAME_NOT_UNIQUE = 61464;
constexpr UINT IDS_CHECK_AN_ENTRY = 61891;
constexpr UINT IDS_EMPTY_STRING = 61693;
constexpr UINT IDS_ILLEGAL_CHARACTERS = 61952;
constexpr UINT IDS_ILLEGAL_TOKENS = 61953;

struct BundleDlgTest : EditDialogTest {
    PxVQBundlePtr AddBundle()
    {
        VqsModel model;
        VqsLockBag bag(VqsReadLock);
        VqsModelNodeBSLink* link = model.LockBSLinkNode(bag, SegmentLink());
        EXPECT_NE(link, nullptr);
        return link ? model.OpenBundleDlg(bag, link) : PxVQBundlePtr();
    }

    void EditBundle(const char* name)
    {
        VqsModel model;
        VqsLockBag bag(VqsReadLock);
        VqsModelNodeBundle* node = model.LockBundleNode(bag, Bundle(name));
        ASSERT_NE(node, nullptr);
        model.EditBundle(bag, node);
    }

    PxBSegOptionsPtr SegmentOptions(const char* optionSet) const
    {
        return PxBSegOptionsPtr(CurConfig()->GetOptionSet(optionSet)->GetOptions(PxVQSoftLinkPtr(SegmentLink())));
    }

    static PxVQBundlePtr OtherUsersBundle(PxVQLink& other, const char* name)
    {
        PxTypedList<PxVQBundlePtr> bundles;
        other.GetLVQEnterprise()->GetSystem("SYS1")->GetCurConfig()->GetBSSoftLink("SALES")->GetListOfBundles(bundles);
        const CList<PxVQBundlePtr, const PxVQBundlePtr&>& list = bundles;
        for (POSITION pos = list.GetHeadPosition(); pos;) {
            const PxVQBundlePtr& bundle = list.GetNext(pos);
            if (bundle->GetName() == CString(name))
                return bundle;
        }
        return PxVQBundlePtr();
    }
};

} // namespace

// A new bundle takes the defaults: views generated with every language, getters and
// setters, the default generators.
TEST_F(BundleDlgTest, ANewBundleIsMadeWithTheDefaults)
{
    int rows = 0;
    ui.ExpectDialog(IDD_BUNDLE_OPTIONS)
        .Run([&] {
            rows = static_cast<int>(
                ::SendMessage(Control(IDD_BUNDLE_OPTIONS, VqsBundleDlgBase::IDC_LANGUAGES), LB_GETCOUNT, 0, 0));
        })
        .Type(VqsBundleDlgBase::IDC_NAME, "Invoices")
        .Type(VqsBundleDlgBase::IDC_DESCRIPTION, "Billing")
        .OK();
    const PxVQBundlePtr bundle = AddBundle();
    ui.Verify();
    EXPECT_EQ(rows, 2);
    ASSERT_TRUE(bundle);
    EXPECT_EQ(bundle->GetName().str(), "Invoices");
    EXPECT_EQ(bundle->GetDescription().str(), "Billing");
    EXPECT_EQ(bundle->GetGenerateViews(), 1);
    EXPECT_EQ(bundle->GetGettersAndSetters(), 1);
    EXPECT_EQ(bundle->GetUserDefinedClass(), 0);
    EXPECT_EQ(bundle->GetContainsAllIspecs(), 0);
    EXPECT_EQ(bundle->GetLanguageSelection(1), 1);
    EXPECT_EQ(bundle->GetLanguageSelection(2), 1);
    EXPECT_TRUE(Bundle("Invoices"));
}

TEST_F(BundleDlgTest, NamesAndLanguagesAreCheckedOnOK)
{
    struct Case {
        const char* name;
        bool uncheckLanguages;
        UINT message;
    };
    for (const Case& each : {Case{"", false, IDS_EMPTY_STRING}, Case{"1abc", false, IDS_ILLEGAL_CHARACTERS},
                             Case{"class", false, IDS_ILLEGAL_TOKENS}, Case{"orders", false, IDS_NAME_NOT_UNIQUE},
                             Case{"Fine", true, IDS_CHECK_AN_ENTRY}}) {
        auto& script = ui.ExpectDialog(IDD_BUNDLE_OPTIONS).Type(VqsBundleDlgBase::IDC_NAME, each.name);
        if (each.uncheckLanguages)
            script.CheckItem(VqsBundleDlgBase::IDC_LANGUAGES, 0, false).CheckItem(VqsBundleDlgBase::IDC_LANGUAGES, 1, false);
        script.OK().Cancel();
        ui.ExpectMessageBoxId(each.message, IDOK);
        EXPECT_FALSE(AddBundle()) << each.name;
        ui.Verify();
    }
}

// A rename rewrites every option set's "bundles to generate" that names the bundle, in
// place.
TEST_F(BundleDlgTest, ARenameRewritesTheBundlesToGenerate)
{
    app.GetLink()->BeginTransaction();
    SegmentOptions("NTGEN")->SetBundlestoGenerate("ORDERS,WEBALL,");
    SegmentOptions("UNIXGEN")->SetBundlestoGenerate("WEBALL,");
    app.GetLink()->CommitTransaction();
    ui.ExpectDialog(IDD_BUNDLE_OPTIONS).Replace(VqsBundleDlgBase::IDC_NAME, "Sales").OK();
    EditBundle("ORDERS");
    ui.Verify();
    EXPECT_TRUE(Bundle("Sales"));
    EXPECT_EQ(SegmentOptions("NTGEN")->GetBundlestoGenerate().str(), "Sales,WEBALL,");
    EXPECT_EQ(SegmentOptions("UNIXGEN")->GetBundlestoGenerate().str(), "WEBALL,");
}

TEST_F(BundleDlgTest, OKWithoutAChangeWritesNothingAndOtherUsersChangesShow)
{
    const std::int64_t edition = Bundle("ORDERS")->GetObjectEdition().GetEdition();
    ui.ExpectDialog(IDD_BUNDLE_OPTIONS).OK();
    EditBundle("ORDERS");
    ui.Verify();
    EXPECT_EQ(Bundle("ORDERS")->GetObjectEdition().GetEdition(), edition);

    std::string shown;
    ui.ExpectDialog(IDD_BUNDLE_OPTIONS)
        .Run([&] { AsOtherUser([](PxVQLink& other) { OtherUsersBundle(other, "ORDERS")->SetDescription("New"); }); })
        .Click(VqsBundleDlgBase::IDC_GETTERS_SETTERS)
        .Run([&] { shown = Text(IDD_BUNDLE_OPTIONS, VqsBundleDlgBase::IDC_DESCRIPTION); })
        .Cancel();
    ui.ExpectMessageBox("Contents have changed and will be updated.", IDOK);
    EditBundle("ORDERS");
    ui.Verify();
    EXPECT_EQ(shown, "New");

    BOOL okEnabled = TRUE;
    ui.ExpectDialog(IDD_BUNDLE_OPTIONS)
        .Run([&] { AsOtherUser([](PxVQLink& other) { OtherUsersBundle(other, "ORDERS")->DeleteObject(); }); })
        .Click(VqsBundleDlgBase::IDC_GETTERS_SETTERS)
        .Run([&] { okEnabled = ::IsWindowEnabled(Control(IDD_BUNDLE_OPTIONS, IDOK)); })
        .Cancel();
    ui.ExpectMessageBox("Quorbit Bundle item has been deleted.", IDOK);
    EditBundle("ORDERS");
    ui.Verify();
    EXPECT_FALSE(okEnabled);
}

// A bundle whose commit fails is neither handed back nor given a node: the dialog stays
// open, and an edit that fails to commit does the same.
TEST_F(BundleDlgTest, WritesWhoseCommitFailsKeepTheDialogOpen)
{
    auto failCommit = [] { PxFaultInjection::Throw("PxLink::CommitTransaction", "The disk is full."); };
    std::string typed;
    ui.ExpectDialog(IDD_BUNDLE_OPTIONS)
        .Type(VqsBundleDlgBase::IDC_NAME, "Invoices")
        .Run(failCommit)
        .OK()
        .Run([&] { typed = Text(IDD_BUNDLE_OPTIONS, VqsBundleDlgBase::IDC_NAME); })
        .Cancel();
    ui.ExpectMessageBox("Cannot commit the transaction:\nThe disk is full.", IDOK);
    EXPECT_FALSE(AddBundle());
    ui.Verify();
    EXPECT_EQ(typed, "Invoices");
    EXPECT_FALSE(Bundle("Invoices"));

    ui.ExpectDialog(IDD_BUNDLE_OPTIONS)
        .Replace(VqsBundleDlgBase::IDC_DESCRIPTION, "Changed")
        .Run(failCommit)
        .OK()
        .Run([&] { typed = Text(IDD_BUNDLE_OPTIONS, VqsBundleDlgBase::IDC_DESCRIPTION); })
        .Cancel();
    ui.ExpectMessageBox("Cannot commit the transaction:\nThe disk is full.", IDOK);
    EditBundle("ORDERS");
    ui.Verify();
    EXPECT_EQ(typed, "Changed");
    EXPECT_EQ(Bundle("ORDERS")->GetDescription().str(), "Order entry");
}

// Checking "contains all" brings in every Ispec with a usage that is not output only.
TEST_F(BundleDlgTest, ContainsAllBringsInTheIspecsThatHaveAUsageAndAreNotOutputOnly)
{
    ui.ExpectDialog(IDD_BUNDLE_OPTIONS).Click(VqsBundleDlgBase::IDC_CONTAINS_ALL).OK();
    EditBundle("ORDERS");
    ui.Verify();
    const PxVQBundlePtr bundle = Bundle("ORDERS");
    EXPECT_EQ(bundle->GetContainsAllIspecs(), 1);
    PxTypedList<PxVQIspecBundleDataPtr> entries;
    bundle->GetListOfIspecBundleData(entries);
    std::vector<std::string> names;
    const CList<PxVQIspecBundleDataPtr, const PxVQIspecBundleDataPtr&>& list = entries;
    for (POSITION pos = list.GetHeadPosition(); pos;)
        names.push_back(list.GetNext(pos)->GetIspecInformation()->GetName().str());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"CUSTOMER", "ENQUIRY", "EVENT", "NOTES", "ORDER"}));
}

// A rename takes its locks anew; what another user committed while they were given back
// shows then, as at the first change, instead of being overwritten.
TEST_F(BundleDlgTest, AChangeCommittedWhileARenameRelocksIsReloaded)
{
    std::string shown;
    ui.ExpectDialog(IDD_BUNDLE_OPTIONS)
        .Click(VqsBundleDlgBase::IDC_GETTERS_SETTERS)
        .Run([&] {
            PxFaultInjection::Run("PxVQCurConfig::GetListOfOptionSets", [&] {
                AsOtherUser([](PxVQLink& other) { OtherUsersBundle(other, "ORDERS")->SetDescription("New"); });
            });
        })
        .Replace(VqsBundleDlgBase::IDC_NAME, "X")
        .Run([&] { shown = Text(IDD_BUNDLE_OPTIONS, VqsBundleDlgBase::IDC_DESCRIPTION); })
        .Cancel();
    ui.ExpectMessageBox("Contents have changed and will be updated.", IDOK);
    EditBundle("ORDERS");
    ui.Verify();
    EXPECT_EQ(shown, "New");
}

// A language check whose edit lock is refused is taken back, so OK cannot drop it unseen.
TEST_F(BundleDlgTest, ALanguageCheckWhoseLockIsRefusedIsTakenBack)
{
    app.GetLink()->BeginTransaction();
    Bundle("ORDERS")->SetGenerateViews(1);
    Bundle("ORDERS")->SetLanguageSelection(1, 1);
    app.GetLink()->CommitTransaction();
    int check = 0;
    ui.ExpectDialog(IDD_BUNDLE_OPTIONS)
        .Run([] { PxFaultInjection::RefuseLock("PxLink::FutureUpdateLock", 2); })
        .CheckItem(VqsBundleDlgBase::IDC_LANGUAGES, 0, false)
        .Run([&] {
            check = static_cast<int>(CWnd::FromHandle(Control(IDD_BUNDLE_OPTIONS, VqsBundleDlgBase::IDC_LANGUAGES))
                                         ->SendMessage(LB_VQ_GETCHECK, 0));
        })
        .OK();
    // The lock layer's own description of the refusal.
    ui.ExpectMessageBox("Cannot lock ORDERS as it is currently locked by another user.\nPlease try again after some time.",
                        IDOK);
    EditBundle("ORDERS");
    PxFaultInjection::Reset();
    ui.Verify();
    EXPECT_EQ(check, 1);
    EXPECT_EQ(Bundle("ORDERS")->GetLanguageSelection(1), 1);
}

// The new bundle dialog reads the segment's languages when it opens; when that fails the
// user reads the failure and the dialog ends, so that no bundle is made without languages.
TEST_F(BundleDlgTest, AFailureWhileTheDialogOpensIsShownAndMakesNoBundle)
{
    ui.ExpectDialog(IDD_BUNDLE_OPTIONS);
    ui.ExpectMessageBox("Injected repository failure", IDOK, "Wrenfield Error");
    PxFaultInjection::Throw("PxVQBSSoftLink::GetLanguage", "Injected repository failure", 0, 1000);
    EXPECT_FALSE(AddBundle());
    PxFaultInjection::Reset();
    ui.Verify();
}

// When the Ispecs cannot all be read, "contains all" is not taken: the box is clear again
// and OK stores no bundle that claims every Ispec with only some of them in it.
TEST_F(BundleDlgTest, ContainsAllWhoseIspecsCannotAllBeReadIsNotTaken)
{
    const auto entries = [&] {
        PxTypedList<PxVQIspecBundleDataPtr> list;
        Bundle("ORDERS")->GetListOfIspecBundleData(list);
        return list.GetCount();
    };
    const auto before = entries();
    ui.ExpectDialog(IDD_BUNDLE_OPTIONS)
        .Run([&] { PxFaultInjection::Throw("PxVQIspecSoftLink::GetIspecUsage", "Injected repository failure", 2, 1000); })
        .Click(VqsBundleDlgBase::IDC_CONTAINS_ALL)
        .Run([&] {
            PxFaultInjection::Reset();
            EXPECT_EQ(::SendMessage(Control(IDD_BUNDLE_OPTIONS, VqsBundleDlgBase::IDC_CONTAINS_ALL), BM_GETCHECK, 0, 0),
                      BST_UNCHECKED);
        })
        .OK();
    ui.ExpectMessageBox("Cannot access Quorbit Bundles:\nInjected repository failure", IDOK);
    EditBundle("ORDERS");
    ui.Verify();
    EXPECT_EQ(Bundle("ORDERS")->GetContainsAllIspecs(), 0);
    EXPECT_EQ(entries(), before);
}
