#include "ConfigTestSupport.h"

#include "config/VqsNewGenSetSheet.h"
#include "model/VqsModelNodeSystem.h"
#include "proxy/PxFaultInjection.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQEnterprise.h"
#include "proxy/PxVQSystem.h"
#include "proxy/PxVQTypes.h"
#include "win/CPropertySheet.h"

using configtest::WizardTest;

namespace {

using Opt = VqsGenSetOptPage;
using Type = VqsGenSetTypePage;
using Pack = VqsGenSetPackPage;
using HostPage = VqsGenSetHostPage;

constexpr UINT IDS_NAME_NOT_UNIQUE = 61464;
constexpr UINT IDS_TARGET_HOST_MISMATCH = 62001;
constexpr DWORD kBackFinish = PSWIZB_BACK | PSWIZB_FINISH;
constexpr DWORD kBackNext = PSWIZB_BACK | PSWIZB_NEXT;
// The system whose UNIX generate set names a reorganisation pack of its own in the
// segment's options.
constexpr char kSystem[] = "SYS2";

// The wizard over SYS2's current configuration, run as the option-set view's command runs
// it: the configuration read-locked in the creator's bag first.
struct NewGenSetWizardTest : WizardTest {
    std::unique_ptr<VqsLockBag> creatorBag;
    std::unique_ptr<VqsNewGenSetSheet> gs;

    void SetUp() override
    {
        WizardTest::SetUp();
        AddPack("SALESREORG", VQPackTablespace);
    }

    void TearDown() override
    {
        EndGenSetWizard();
        WizardTest::TearDown();
    }

    INT_PTR RunNewGenSetWizard()
    {
        model = std::make_unique<VqsModel>();
        creatorBag = std::make_unique<VqsLockBag>(VqsReadLock);
        const PxVQCurConfigPtr config = app.GetLink()->GetLVQEnterprise()->GetSystem(kSystem)->GetCurConfig();
        VqsModelNodeCurConfig* node = model->LockCurConfigNode(*creatorBag, config);
        gs = std::make_unique<VqsNewGenSetSheet>(creatorBag.get(), node, nullptr);
        return gs->DoModal();
    }

    void EndGenSetWizard()
    {
        gs.reset();
        creatorBag.reset();
        model.reset();
    }

    bool AnythingLockedForOthers() const
    {
        std::unique_ptr<PxVQLink> other = OtherUser();
        return other->GetLVQEnterprise()->GetSystem(kSystem)->GetCurConfig()->IsLocked() ||
               EnterpriseLockedForOthers() || AnyPackLockedForOthers();
    }

    DWORD Buttons() const { return gs ? gs->GetWizardButtons() : 0; }

    std::string Text(int id) const
    {
        CString text;
        CPropertyPage* page = gs ? gs->GetActivePage() : nullptr;
        if (CWnd* control = page ? page->GetDlgItem(id) : nullptr)
            control->GetWindowText(text);
        return text.str();
    }

    bool Visible(int id) const
    {
        CPropertyPage* page = gs ? gs->GetActivePage() : nullptr;
        CWnd* control = page ? page->GetDlgItem(id) : nullptr;
        return control && control->IsWindowVisible();
    }
};

} // namespace

// A UNIX source for a Windows generate set: the warning shows once Windows is chosen, the
// reorganisation pack that is a Tablespace pack here becomes a row on page 3, and the
// replacement typed is what the sheet yields for the creator.
TEST_F(NewGenSetWizardTest, ASourceOfAnotherTypeBringsTheWarningAndItsClashingPacks)
{
    std::vector<bool> warnings;
    std::vector<DWORD> buttons;
    ui.ExpectWizard("New Generate Set Wizard")
        .OnPage(Opt::IDD)
        .Type(Opt::IDC_NAME, "Weekly run")
        .Select(Opt::IDC_SOURCE, 3)
        .Next()
        .OnPage(Type::IDD)
        .Run([&] { warnings.push_back(Visible(Type::IDC_WARNING)); })
        .Click(Type::IDC_WINDOWS)
        .Run([&] {
            warnings.push_back(Visible(Type::IDC_WARNING));
            buttons.push_back(Buttons());
        })
        .Next()
        .OnPage(Pack::IDD)
        .Run([&] { buttons.push_back(Buttons()); })
        .Type(Pack::IDC_REPLACEMENT, "NEWREORG")
        .Run([&] { buttons.push_back(Buttons()); })
        .Finish();
    EXPECT_EQ(RunNewGenSetWizard(), ID_WIZFINISH);
    ui.Verify();
    EXPECT_EQ(warnings, (std::vector<bool>{false, true}));
    EXPECT_EQ(buttons, (std::vector<DWORD>{kBackNext, PSWIZB_BACK, kBackFinish}));
    EXPECT_EQ(gs->m_optPage.m_name.GetValue(), "Weekly run");
    EXPECT_EQ(gs->m_optPage.m_shortName.GetValue(), "WEEKLY RUN");
    ASSERT_TRUE(gs->m_optPage.m_source);
    EXPECT_EQ(gs->m_optPage.m_source->GetName(), "UNIXGEN");
    EXPECT_EQ(gs->m_typePage.m_nHostType, VQHostNT);
    ASSERT_EQ(gs->m_ntReplacements.GetCount(), 1);
    EXPECT_EQ(gs->m_ntReplacements.GetHead().packName, "SALESREORG");
    EXPECT_EQ(gs->m_ntReplacements.GetHead().newPackName, "NEWREORG");
    EXPECT_TRUE(AnythingLockedForOthers());
    EndGenSetWizard();
    EXPECT_FALSE(AnythingLockedForOthers());
}

// A source of the same type copies its options as they are: no rows, and Finish on page 2.
TEST_F(NewGenSetWizardTest, ASourceOfTheSameTypeFinishesOnTheTypePage)
{
    DWORD buttons = 0;
    ui.ExpectWizard()
        .OnPage(Opt::IDD)
        .Type(Opt::IDC_NAME, "Weekly")
        .Select(Opt::IDC_SOURCE, 3)
        .Next()
        .OnPage(Type::IDD)
        .Run([&] { buttons = Buttons(); })
        .Finish();
    EXPECT_EQ(RunNewGenSetWizard(), ID_WIZFINISH);
    ui.Verify();
    EXPECT_EQ(buttons, kBackFinish);
    EXPECT_EQ(gs->m_typePage.m_nHostType, VQHostUnix);
    EXPECT_TRUE(gs->m_unixReplacements.IsEmpty());
}

// A short name another option set has is refused on the short-name field, and the locks
// of the check are given back.
TEST_F(NewGenSetWizardTest, AShortNameInUseIsRefused)
{
    int focus = 0;
    bool locked = true;
    ui.ExpectWizard()
        .OnPage(Opt::IDD)
        .Type(Opt::IDC_NAME, "Another")
        .Type(Opt::IDC_SHORT_NAME, "ntgen")
        .Next()
        .OnPage(Opt::IDD)
        .Run([&] {
            focus = FocusId();
            locked = EnterpriseLockedForOthers() || AnyPackLockedForOthers();
        })
        .Cancel();
    ui.ExpectMessageBoxId(IDS_NAME_NOT_UNIQUE, IDOK);
    EXPECT_NE(RunNewGenSetWizard(), ID_WIZFINISH);
    ui.Verify();
    EXPECT_EQ(focus, Opt::IDC_SHORT_NAME);
    EXPECT_FALSE(locked);
}

// A name check that cannot read the other option sets keeps the first page, with its locks
// given back.
TEST_F(NewGenSetWizardTest, ANameCheckThatCannotReadTheOptionSetsKeepsTheFirstPage)
{
    bool locked = true;
    ui.ExpectWizard()
        .OnPage(Opt::IDD)
        .Type(Opt::IDC_NAME, "Another")
        .Type(Opt::IDC_SHORT_NAME, "ANOTHER")
        .Run([] { PxFaultInjection::Throw("PxVQOptionSet::GetLongName", "The repository is unreachable."); })
        .Next()
        .OnPage(Opt::IDD)
        .Run([&] { locked = EnterpriseLockedForOthers() || AnyPackLockedForOthers(); })
        .Cancel();
    ui.ExpectMessageBox("Cannot access Option Set specification:\nThe repository is unreachable.", IDOK);
    EXPECT_NE(RunNewGenSetWizard(), ID_WIZFINISH);
    ui.Verify();
    EXPECT_FALSE(locked);
}

// Cancel on any page gives every lock back.
TEST_F(NewGenSetWizardTest, CancelOnAnyPageLeavesNothingLocked)
{
    for (int page = 1; page <= 4; ++page) {
        SCOPED_TRACE("cancelled on page " + std::to_string(page));
        auto& script = ui.ExpectWizard().OnPage(Opt::IDD);
        if (page > 1)
            script.Type(Opt::IDC_NAME, "Weekly").Select(Opt::IDC_SOURCE, 3).Next().OnPage(Type::IDD);
        if (page > 2)
            script.Click(Type::IDC_WINDOWS).Next().OnPage(Pack::IDD);
        if (page > 3)
            script.Type(Pack::IDC_REPLACEMENT, "NEWREORG").Next().OnPage(HostPage::IDD);
        script.Cancel();
        if (page > 3)
            DeleteHost("NTHOST");
        EXPECT_NE(RunNewGenSetWizard(), ID_WIZFINISH);
        ui.Verify();
        gs.reset();
        EXPECT_FALSE(AnythingLockedForOthers());
        EndGenSetWizard();
    }
}

// A segment of the configuration that does not target the type chosen stops Finish there.
TEST_F(NewGenSetWizardTest, ATypeTheSegmentDoesNotTargetIsRefused)
{
    SetSegmentNumber("STOCK", "targetHostQsr", 0);
    ui.ExpectWizard()
        .OnPage(Opt::IDD)
        .Type(Opt::IDC_NAME, "Weekly")
        .Next()
        .OnPage(Type::IDD)
        .Click(Type::IDC_QSR)
        .Finish()
        .OnPage(Type::IDD)
        .Cancel();
    ui.ExpectMessageBoxId(IDS_TARGET_HOST_MISMATCH, IDOK);
    EXPECT_NE(RunNewGenSetWizard(), ID_WIZFINISH);
    ui.Verify();
}

// Two segments whose initial path packs are Tablespace packs here give two path rows; the
// replacement typed for the first is offered for the second.
TEST_F(NewGenSetWizardTest, AReplacementTypedForOneRowIsOfferedInAnotherOfTheSameUsage)
{
    SetPackType("SALESPATH", VQPackTablespace);
    SetPackType("PAYROLLPATH", VQPackTablespace);
    CStringList offered;
    ui.ExpectWizard()
        .OnPage(Opt::IDD)
        .Type(Opt::IDC_NAME, "Weekly")
        .Next()
        .OnPage(Type::IDD)
        .Next()
        .OnPage(Pack::IDD)
        .Type(Pack::IDC_REPLACEMENT, "SHAREDPATH")
        .Select(Pack::IDC_ROWS, 1)
        .Run([&] { gs->m_packPage.m_replacement.GetItems(offered); })
        .Type(Pack::IDC_REPLACEMENT, "SHAREDPATH")
        .Finish();
    EXPECT_EQ(RunNewGenSetWizard(), ID_WIZFINISH);
    ui.Verify();
    EXPECT_TRUE(offered.Find("SHAREDPATH"));
    ASSERT_EQ(gs->m_ntReplacements.GetCount(), 2);
    EXPECT_EQ(gs->m_ntReplacements.GetHead().packName, "SALESPATH");
    EXPECT_EQ(gs->m_ntReplacements.GetHead().newPackName, "SHAREDPATH");
    EXPECT_EQ(gs->m_ntReplacements.GetTail().packName, "PAYROLLPATH");
    EXPECT_EQ(gs->m_ntReplacements.GetTail().newPackName, "SHAREDPATH");
}

// With the configuration's segment Japanese and QSR alone, a double-byte description is
// shown with shift marks when page 1 is shown again, and yielded without them.
TEST_F(NewGenSetWizardTest, ADoubleByteDescriptionIsShownMarkedAndKeptPlain)
{
    SetSegmentNumber("STOCK", "japaneseSupport", 1);
    for (const char* target : {"targetHostNt", "targetHostOsTarsk", "targetHostUnix"})
        SetSegmentNumber("STOCK", target, 0);
    const std::string typed = "Run \x82\xa0\x82\xa2";
    std::string shown;
    ui.ExpectWizard()
        .OnPage(Opt::IDD)
        .Type(Opt::IDC_NAME, "Weekly")
        .Type(Opt::IDC_DESCRIPTION, typed)
        .Next()
        .OnPage(Type::IDD)
        .Back()
        .OnPage(Opt::IDD)
        .Run([&] { shown = Text(Opt::IDC_DESCRIPTION); })
        .Next()
        .OnPage(Type::IDD)
        .Click(Type::IDC_QSR)
        .Finish();
    EXPECT_EQ(RunNewGenSetWizard(), ID_WIZFINISH);
    ui.Verify();
    EXPECT_NE(shown, typed);
    EXPECT_NE(shown.find("\x82\xa0\x82\xa2"), std::string::npos);
    EXPECT_EQ(gs->m_optPage.m_description.GetValue().str(), typed);
}
