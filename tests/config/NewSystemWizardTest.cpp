#include "ConfigTestSupport.h"

#include "proxy/PxFaultInjection.h"
#include "proxy/PxLockErrorInfo.h"
#include "proxy/PxVQEnterprise.h"
#include "proxy/PxVQTypes.h"
#include "win/CPropertySheet.h"

#include <algorithm>

using configtest::WizardTest;

namespace {

using Opt = VqsSysOptPage;
using Gen = VqsSysGenPage;
using BS = VqsSysBSPage;
using GS = VqsSysGSPage;
using Target = VqsSysGSHostPage;
using Pack = VqsSysPackPage;
using HostPage = VqsSysHostPage;
using Ftp = VqsSysHostFTPPage;

} // namespace

// A system with no generate set: the wizard ends on page 4 and yields the names, the
// options and the chosen segment; the enterprise is write-locked and the segment held by
// the host until the sheet goes.
TEST_F(WizardTest, FinishingOnTheGenerateSetPageYieldsTheSystemAndHoldsItsLocks)
{
    ui.ExpectWizard("New System Wizard")
        .OnPage(Opt::IDD)
        .Type(Opt::IDC_NAME, "  Order processing ")
        .Type(Opt::IDC_SECOND_NAME, " ORDERS")
        .Type(Opt::IDC_DESCRIPTION, "Orders and invoices")
        .Next()
        .OnPage(Gen::IDD)
        .Type(Gen::IDC_RUNTIME_VERSION, "RT9")
        .Click(Gen::IDC_RESET_REPORT_COUNT)
        .Next()
        .OnPage(BS::IDD)
        .Next()
        .OnPage(GS::IDD)
        .Click(GS::IDC_NO_GENSET)
        .Finish();
    EXPECT_EQ(RunNewSystemWizard(), ID_WIZFINISH);
    ui.Verify();
    EXPECT_EQ(sheet->m_optPage.m_name.GetValue(), "ORDER PROCESSING");
    EXPECT_EQ(sheet->m_optPage.m_secondName.GetValue(), "ORDERS");
    EXPECT_EQ(sheet->m_optPage.m_description.GetValue(), "Orders and invoices");
    EXPECT_EQ(sheet->m_genPage.m_runtimeVersion.GetValue(), "RT9");
    EXPECT_TRUE(sheet->m_genPage.m_resetReportCount.m_bValue);
    EXPECT_FALSE(sheet->m_genPage.m_resetVersion.m_bValue);
    EXPECT_FALSE(sheet->m_bsPage.m_noSegment.m_bValue);
    ASSERT_TRUE(sheet->m_bsPage.m_selectedSegment);
    EXPECT_EQ(sheet->m_strBSName, sheet->m_bsPage.m_selectedSegment->GetName());
    EXPECT_TRUE(sheet->m_gsPage.m_noGenSet.m_bValue);
    EXPECT_TRUE(EnterpriseLockedForOthers());
    const std::string segment = sheet->m_strBSName.str();
    EndWizard();
    EXPECT_FALSE(EnterpriseLockedForOthers());
    EXPECT_EQ(HostLockCalls(), (std::vector<std::string>{"query " + segment, "notify " + segment}));
}

namespace {

constexpr UINT IDS_NAME_NOT_UNIQUE = 61464;
constexpr UINT IDS_ENTER_CORRECT_NAME = 61465;
constexpr UINT IDS_LETTERS_AND_DIGITS = 61692;
constexpr UINT IDS_CONFIRM_PASSWORD = 61687;
constexpr UINT IDS_PACK_IS_TABLESPACE = 61787;
constexpr UINT IDS_RESERVED_PACK_NAME = 61872;
constexpr DWORD kBackNext = PSWIZB_BACK | PSWIZB_NEXT;
constexpr DWORD kBackFinish = PSWIZB_BACK | PSWIZB_FINISH;

// The user's way through all eight pages on a UNIX target whose initial packs are both
// taken by packs of the other kind, up to the page given (1 to 8).
vqtest::ScriptedUiDriver::WindowScript& WalkTo(vqtest::ScriptedUiDriver::WindowScript& script, int page)
{
    script.OnPage(Opt::IDD);
    if (page == 1)
        return script;
    script.Type(Opt::IDC_NAME, "Billing").Type(Opt::IDC_SECOND_NAME, "BILL").Next().OnPage(Gen::IDD);
    if (page == 2)
        return script;
    script.Next().OnPage(BS::IDD);
    if (page == 3)
        return script;
    script.Next().OnPage(GS::IDD);
    if (page == 4)
        return script;
    script.Type(GS::IDC_NAME, "Nightly").Next().OnPage(Target::IDD);
    if (page == 5)
        return script;
    script.Click(Target::IDC_UNIX).Next().OnPage(Pack::IDD);
    if (page == 6)
        return script;
    script.Type(Pack::IDC_TABLESPACE, "newts").Replace(Pack::IDC_PATH, "NEWPATH").Next().OnPage(HostPage::IDD);
    if (page == 7)
        return script;
    return script.Type(HostPage::IDC_NAME, "UXNEW").Type(HostPage::IDC_ADDRESS, "ux.example").Next().OnPage(Ftp::IDD);
}

struct UnixConflictTest : WizardTest {
    void SetUp() override
    {
        WizardTest::SetUp();
        SetPackType("SALESTS", VQPackPath);
        SetPackType("SALESPATH", VQPackTablespace);
        DeleteHost("UNIXHOST");
    }
};

} // namespace

// Every page on the way: the clashing Tablespace pack brings page 6, Back from the host page
// returns there, the port typed is kept, and Finish on the FTP page yields every value while
// the enterprise is write-locked and the packs long-read-locked.
TEST_F(UnixConflictTest, AWizardThroughEveryPageYieldsEveryValue)
{
    app.SetDefaultPort(VQHostUnix, 2121);
    std::vector<std::string> seen;
    std::vector<DWORD> buttons;
    auto& script = WalkTo(ui.ExpectWizard(), 6);
    script.Run([&] {
            seen.push_back(TextOf(Pack::IDC_DEFAULT_TABLESPACE));
            seen.push_back(TextOf(Pack::IDC_PATH));
            buttons.push_back(WizardButtons());
        })
        .Type(Pack::IDC_TABLESPACE, "newts")
        .Run([&] { buttons.push_back(WizardButtons()); })
        .Replace(Pack::IDC_PATH, "NEWPATH")
        .Run([&] { buttons.push_back(WizardButtons()); })
        .Next()
        .OnPage(HostPage::IDD)
        .Run([&] { seen.push_back(TextOf(HostPage::IDC_PORT)); })
        .Type(HostPage::IDC_NAME, "  UXNEW ")
        .Type(HostPage::IDC_ADDRESS, "ux.example")
        .Replace(HostPage::IDC_PORT, "2200")
        .Back()
        .OnPage(Pack::IDD)
        .Run([&] { seen.push_back(TextOf(Pack::IDC_TABLESPACE)); })
        .Next()
        .OnPage(HostPage::IDD)
        .Run([&] { seen.push_back(TextOf(HostPage::IDC_PORT)); })
        .Next()
        .OnPage(Ftp::IDD)
        .Click(Ftp::IDC_ENTER_AT_LOGIN)
        .Type(Ftp::IDC_USER_ID, std::string(40, 'u'))
        .Type(Ftp::IDC_PASSWORD, "secret")
        .Type(Ftp::IDC_CONFIRMATION, "Secret")
        .Finish()
        .OnPage(Ftp::IDD)
        .Replace(Ftp::IDC_CONFIRMATION, "secret")
        .Finish();
    ui.ExpectMessageBoxId(IDS_CONFIRM_PASSWORD, IDOK);
    const std::vector<std::string> before = Contents();
    EXPECT_EQ(RunNewSystemWizard(), ID_WIZFINISH);
    ui.Verify();
    EXPECT_EQ(seen, (std::vector<std::string>{"SALESTS", "", "2121", "NEWTS", "2200"}));
    EXPECT_EQ(buttons, (std::vector<DWORD>{PSWIZB_BACK, PSWIZB_BACK, kBackNext}));
    EXPECT_EQ(sheet->m_gsPage.m_name.GetValue(), "Nightly");
    EXPECT_EQ(sheet->m_gsPage.m_secondName.GetValue(), "NIGHTLY");
    EXPECT_EQ(sheet->m_targetHostPage.m_nHostType, VQHostUnix);
    EXPECT_EQ(sheet->m_targetHostPage.m_strHostName, "");
    EXPECT_EQ(sheet->m_targetHostPage.m_bHostsOfTypeExist, 0);
    EXPECT_TRUE(sheet->m_bUnixPackConflict);
    EXPECT_TRUE(sheet->m_bNTPackConflict);
    EXPECT_EQ(sheet->m_unixPacks.initialTablespace, "SALESTS");
    EXPECT_EQ(sheet->m_unixPacks.replacementTablespace, "NEWTS");
    EXPECT_EQ(sheet->m_unixPacks.replacementPath, "NEWPATH");
    EXPECT_EQ(sheet->m_hostPage.m_name.GetValue(), "UXNEW");
    EXPECT_EQ(sheet->m_hostPage.m_address.GetValue(), "ux.example");
    EXPECT_EQ(sheet->m_hostPage.m_port.GetValue(), 2200);
    EXPECT_FALSE(sheet->m_hostPage.m_doNotCreate.m_bValue);
    EXPECT_EQ(sheet->m_ftpPage.m_userId.GetValue().str(), std::string(32, 'u'));
    EXPECT_EQ(sheet->m_ftpPage.m_password.GetValue(), "secret");
    EXPECT_TRUE(EnterpriseLockedForOthers());
    EXPECT_TRUE(AnyPackLockedForOthers());
    EndWizard();
    EXPECT_FALSE(EnterpriseLockedForOthers());
    EXPECT_FALSE(AnyPackLockedForOthers());
    EXPECT_EQ(Contents(), before);
}

// Cancel on any page creates nothing and gives every lock back, the host's segment lock too.
TEST_F(UnixConflictTest, CancelOnAnyPageLeavesNothingBehind)
{
    const std::vector<std::string> before = Contents();
    for (int page = 1; page <= 8; ++page) {
        SCOPED_TRACE("cancelled on page " + std::to_string(page));
        WalkTo(ui.ExpectWizard(), page).Cancel();
        EXPECT_EQ(RunNewSystemWizard(), IDCANCEL);
        ui.Verify();
        EndWizard();
        EXPECT_EQ(Contents(), before);
        EXPECT_FALSE(EnterpriseLockedForOthers());
        EXPECT_FALSE(AnyPackLockedForOthers());
        const std::vector<std::string> calls = HostLockCalls();
        const auto queries = std::count_if(calls.begin(), calls.end(), [](auto& c) { return c.starts_with("query"); });
        EXPECT_EQ(static_cast<std::size_t>(queries) * 2, calls.size());
        EXPECT_TRUE(calls.empty() || calls.back() == "notify SALES");
    }
}

// Page 1 refuses an empty name, a name another system has in any letter case (on the field
// that clashes), and a short name derived from the name that the short-name rule refuses;
// a refused name keeps no lock on the enterprise.
TEST_F(WizardTest, ThePageOneNameChecksRefuseAndGiveTheLockBack)
{
    struct Case {
        const char* name;
        const char* second;
        UINT message;
        int focus;
    } cases[] = {{"   ", "", IDS_ENTER_CORRECT_NAME, Opt::IDC_NAME},
                 {"sample SYSTEM 1", "FRESH", IDS_NAME_NOT_UNIQUE, Opt::IDC_NAME},
                 {"Fresh", "sys2", IDS_NAME_NOT_UNIQUE, Opt::IDC_SECOND_NAME},
                 {"Fresh name", "", IDS_LETTERS_AND_DIGITS, Opt::IDC_SECOND_NAME}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        int focus = 0;
        bool locked = true;
        ui.ExpectWizard()
            .Type(Opt::IDC_NAME, c.name)
            .Type(Opt::IDC_SECOND_NAME, c.second)
            .Next()
            .OnPage(Opt::IDD)
            .Run([&] {
                focus = FocusId();
                locked = EnterpriseLockedForOthers();
            })
            .Cancel();
        ui.ExpectMessageBoxId(c.message, IDOK);
        RunNewSystemWizard();
        ui.Verify();
        EndWizard();
        EXPECT_EQ(focus, c.focus);
        EXPECT_FALSE(locked);
    }
}

// Another system's short name used as this one's long name is no clash.
TEST_F(WizardTest, AnotherSystemsShortNameIsAFreeLongName)
{
    ui.ExpectWizard().Type(Opt::IDC_NAME, "SYS1").Type(Opt::IDC_SECOND_NAME, "NEWSYS").Next().OnPage(Gen::IDD).Cancel();
    RunNewSystemWizard();
    ui.Verify();
}

// A segment chosen and then given up is not held, not checked against the host type and
// brings no pack analysis.
TEST_F(WizardTest, ASegmentGivenUpIsForgotten)
{
    SetPackType("SALESFG", VQPackPath);
    CString nameOnPage4;
    ui.ExpectWizard()
        .Type(Opt::IDC_NAME, "Billing")
        .Type(Opt::IDC_SECOND_NAME, "BILL")
        .Next()
        .Next()
        .Next()
        .OnPage(GS::IDD)
        .Run([&] { nameOnPage4 = sheet->m_strBSName; })
        .Back()
        .OnPage(BS::IDD)
        .Click(BS::IDC_NO_SEGMENT)
        .Next()
        .OnPage(GS::IDD)
        .Type(GS::IDC_NAME, "Nightly")
        .Next()
        .OnPage(Target::IDD)
        .Finish();
    EXPECT_EQ(RunNewSystemWizard(), ID_WIZFINISH);
    ui.Verify();
    EXPECT_EQ(nameOnPage4, "SALES");
    EXPECT_EQ(sheet->m_strBSName, "");
    EXPECT_TRUE(sheet->m_bsPage.m_noSegment.m_bValue);
    EXPECT_FALSE(sheet->m_bNTPackConflict);
    EXPECT_EQ(HostLockCalls(), (std::vector<std::string>{"query SALES", "notify SALES"}));
}

// On a Windows target both packs are asked for, as the Windows options name both (the
// Filegroup proposed as it is); a Tablespace pack or the reserved name is refused for the
// path, and with hosts of the type the wizard ends on page 6.
TEST_F(WizardTest, TheWindowsPackPageAsksForBothPacks)
{
    SetPackType("SALESPATH", VQPackTablespace);
    AddPack("BIGTS", VQPackTablespace);
    std::vector<std::string> seen;
    BOOL tablespaceEnabled = FALSE;
    ui.ExpectWizard()
        .Type(Opt::IDC_NAME, "Billing")
        .Type(Opt::IDC_SECOND_NAME, "BILL")
        .Next()
        .Next()
        .Next()
        .Type(GS::IDC_NAME, "Nightly")
        .Next()
        .OnPage(Target::IDD)
        .Run([&] { seen.push_back(std::to_string(WizardButtons())); })
        .Next()
        .OnPage(Pack::IDD)
        .Run([&] {
            seen.push_back(TextOf(Pack::IDC_TABLESPACE));
            seen.push_back(TextOf(Pack::IDC_DEFAULT_PATH));
            seen.push_back(TextOf(Pack::IDC_PATH));
            tablespaceEnabled = Control(Pack::IDC_TABLESPACE)->IsWindowEnabled();
        })
        .Replace(Pack::IDC_PATH, "bigts")
        .Finish()
        .OnPage(Pack::IDD)
        .Replace(Pack::IDC_PATH, "Default")
        .Finish()
        .OnPage(Pack::IDD)
        .Replace(Pack::IDC_PATH, "NEWPATH")
        .Finish();
    ui.ExpectMessageBox("Pack bigts is a Tablespace/Filegroup\nand cannot be used in SALES business segment options.",
                        IDOK);
    ui.ExpectMessageBoxId(IDS_RESERVED_PACK_NAME, IDOK);
    EXPECT_EQ(RunNewSystemWizard(), ID_WIZFINISH);
    ui.Verify();
    EXPECT_EQ(seen, (std::vector<std::string>{std::to_string(kBackNext), "SALESFG", "SALESPATH", ""}));
    EXPECT_TRUE(tablespaceEnabled);
    EXPECT_TRUE(sheet->m_bNTPackConflict);
    EXPECT_EQ(sheet->m_ntPacks.replacementPath, "NEWPATH");
    EXPECT_EQ(sheet->m_ntPacks.replacementTablespace, "");
}

// For a segment with Japanese support that targets QSR alone, a text with double-byte
// characters is shown with shift marks once the segment is chosen, and kept without them.
TEST_F(WizardTest, DoubleByteTextsOfAJapaneseQSRSegmentAreShownMarkedAndKeptPlain)
{
    SetSegmentNumber("SALES", "japaneseSupport", 1);
    for (const char* target : {"targetHostNt", "targetHostOsTarsk", "targetHostUnix"})
        SetSegmentNumber("SALES", target, 0);
    const std::string typed = "RT\x82\xa0\x82\xa2";
    std::string shown;
    CString stored;
    ui.ExpectWizard()
        .Type(Opt::IDC_NAME, "Billing")
        .Type(Opt::IDC_SECOND_NAME, "BILL")
        .Next()
        .Type(Gen::IDC_RUNTIME_VERSION, typed)
        .Next()
        .Next()
        .OnPage(GS::IDD)
        .Back()
        .Back()
        .OnPage(Gen::IDD)
        .Run([&] { shown = TextOf(Gen::IDC_RUNTIME_VERSION); })
        .Next()
        .OnPage(BS::IDD)
        .Run([&] { stored = sheet->m_genPage.m_runtimeVersion.GetValue(); })
        .Cancel();
    RunNewSystemWizard();
    ui.Verify();
    EXPECT_NE(shown, typed);
    EXPECT_NE(shown.find("\x82\xa0\x82\xa2"), std::string::npos);
    EXPECT_EQ(stored.str(), typed);
}

// Next on page 1 checks the name under a lock on the enterprise that it gives back once the
// check is done; after Back, Next checks the name against the systems as they are now.
TEST_F(WizardTest, BackToPageOneRepeatsTheNameCheckUnderANewLock)
{
    std::vector<bool> locked;
    auto lockSeen = [&] { locked.push_back(EnterpriseLockedForOthers()); };
    ui.ExpectWizard()
        .Type(Opt::IDC_NAME, "Billing")
        .Type(Opt::IDC_SECOND_NAME, "BILL")
        .Next()
        .OnPage(Gen::IDD)
        .Run(lockSeen)
        .Back()
        .OnPage(Opt::IDD)
        .Run(lockSeen)
        .Run([&] {
            std::unique_ptr<PxVQLink> other = OtherUser();
            other->BeginTransaction();
            other->GetLVQEnterprise()->CreateSystem("BILL");
            other->CommitTransaction();
        })
        .Next()
        .OnPage(Opt::IDD)
        .Run(lockSeen)
        .Cancel();
    ui.ExpectMessageBoxId(IDS_NAME_NOT_UNIQUE, IDOK);
    RunNewSystemWizard();
    ui.Verify();
    EXPECT_EQ(locked, (std::vector<bool>{false, false, false}));
}

// When the host will not let the segment be taken, the user stays on page 3 and may go on
// without it.
TEST_F(WizardTest, ASegmentTheHostRefusesKeepsTheUserOnPageThree)
{
    HostAnswers(0);
    ui.ExpectWizard()
        .Type(Opt::IDC_NAME, "Billing")
        .Type(Opt::IDC_SECOND_NAME, "BILL")
        .Next()
        .Next()
        .OnPage(BS::IDD)
        .Next()
        .OnPage(BS::IDD)
        .Click(BS::IDC_NO_SEGMENT)
        .Next()
        .OnPage(GS::IDD)
        .Cancel();
    RunNewSystemWizard();
    ui.Verify();
    EXPECT_EQ(sheet->m_strBSName, "");
    EXPECT_EQ(HostLockCalls(), (std::vector<std::string>{"query SALES"}));
}

// Without long names there is one name field per page, of the short length, and the name is
// compared with the other systems' names.
TEST_F(WizardTest, WithoutLongNamesOneShortNameFieldIsShown)
{
    app.SetAllowLongNames(FALSE);
    std::vector<std::string> seen;
    ui.ExpectWizard()
        .Run([&] { seen.push_back(Control(Opt::IDC_SECOND_NAME)->IsWindowVisible() ? "shown" : "hidden"); })
        .Type(Opt::IDC_NAME, std::string(25, 'n'))
        .Run([&] { seen.push_back(TextOf(Opt::IDC_NAME)); })
        .Replace(Opt::IDC_NAME, "sys1")
        .Next()
        .OnPage(Opt::IDD)
        .Run([&] { seen.push_back(std::to_string(FocusId())); })
        .Replace(Opt::IDC_NAME, "billing")
        .Next()
        .Next()
        .Next()
        .OnPage(GS::IDD)
        .Type(GS::IDC_NAME, "nightly run")
        .Run([&] { seen.push_back(TextOf(GS::IDC_NAME)); })
        .Cancel();
    ui.ExpectMessageBoxId(IDS_NAME_NOT_UNIQUE, IDOK);
    RunNewSystemWizard();
    ui.Verify();
    EXPECT_EQ(seen, (std::vector<std::string>{"hidden", std::string(18, 'N'), std::to_string(Opt::IDC_NAME),
                                              "NIGHTLY RU"}));
    EXPECT_EQ(sheet->m_optPage.m_name.GetValue(), "BILLING");
}

// A refused long-read lock at Next on page 4, on the enterprise or on one of the packs, keeps
// the user there without a lock (the lock layer has told why); going on would keep the pack
// conflicts of an earlier pass.
TEST_F(WizardTest, ARefusedLockOnTheGenerateSetPageKeepsTheUserThere)
{
    const struct {
        const char* operation;
        const char* refusal;
    } cases[] = {
        {"PxLink::LongReadLock", "Lock failed:\nan object is currently locked by another user.\n"},
        {"PxVQObject::LongReadLock", "Cannot lock SALESPATH as it is currently locked by another user.\n"},
    };
    for (const auto& [operation, refusal] : cases) {
        SCOPED_TRACE(operation);
        bool locked = true;
        ui.ExpectWizard()
            .Type(Opt::IDC_NAME, "Billing")
            .Type(Opt::IDC_SECOND_NAME, "BILL")
            .Next()
            .Next()
            .Next()
            .Type(GS::IDC_NAME, "Nightly")
            .Run([&] { PxFaultInjection::RefuseLock(operation, PxLockRefused); })
            .Next()
            .OnPage(GS::IDD)
            .Run([&] { locked = EnterpriseLockedForOthers() || AnyPackLockedForOthers(); })
            .Next()
            .OnPage(Target::IDD)
            .Cancel();
        ui.ExpectMessageBox(std::string(refusal) + "Please try again after some time.", IDOK);
        RunNewSystemWizard();
        ui.Verify();
        EndWizard();
        EXPECT_FALSE(locked);
    }
}

// The short name taken from a long name never splits a double-byte character.
TEST_F(WizardTest, TheDerivedShortNameIsCutOnACharacterBoundary)
{
    ui.ExpectWizard()
        .Type(Opt::IDC_NAME, "abcdefghijklmnopq\x82\xa0xyz")
        .Next()
        .OnPage(Gen::IDD)
        .Cancel();
    RunNewSystemWizard();
    ui.Verify();
    EXPECT_EQ(sheet->m_optPage.m_secondName.GetValue(), "ABCDEFGHIJKLMNOPQ");
}

// When the segments cannot be read, the user is told and page 3 is passed over; it shows
// again once they can be read.
TEST_F(WizardTest, APageThreeThatCannotListTheSegmentsIsPassedOver)
{
    ui.ExpectWizard()
        .Type(Opt::IDC_NAME, "Billing")
        .Type(Opt::IDC_SECOND_NAME, "BILL")
        .Next()
        .OnPage(Gen::IDD)
        .Run([] { PxFaultInjection::Throw("PxLSEEnterprise::GetBSList"); })
        .Next()
        .OnPage(GS::IDD)
        .Back()
        .OnPage(BS::IDD)
        .Cancel();
    ui.ExpectMessageBox("Cannot fill the list:\nInjected repository failure", IDOK);
    RunNewSystemWizard();
    ui.Verify();
}
