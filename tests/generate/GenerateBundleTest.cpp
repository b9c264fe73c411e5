#include "../sysview/SysViewTestSupport.h"

#include "generate/VqsBundleGenerateDlg.h"
#include "generate/VqsGenerateCommands.h"
#include "shell/VqsMsgBox.h"
#include "proxy/PxFaultInjection.h"
#include "proxy/PxBSegOptions.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQBundle.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQIspecSoftLink.h"
#include "proxy/PxVQLink.h"
#include "proxy/PxVQOptionSet.h"
#include "proxy/PxVQRecoveryInfo.h"
#include "support/ScopedTimeZone.h"
#include "support/ScriptedUiDriver.h"
#include "vqclient/VqcTesting.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

namespace {

constexpr UINT IDD_PICKER = 301;
constexpr UINT IDD_BUNDLE_GENERATE = 302;
using Dlg = VqsBundleGenerateDlg;

// TEMP for the scope; null takes it away.
class ScopedTemp {
public:
    explicit ScopedTemp(const char* value)
    {
        if (const char* old = std::getenv("TEMP")) {
            m_had = true;
            m_old = old;
        }
        value ? setenv("TEMP", value, 1) : unsetenv("TEMP");
    }
    ~ScopedTemp() { m_had ? setenv("TEMP", m_old.c_str(), 1) : unsetenv("TEMP"); }

private:
    bool m_had = false;
    std::string m_old;
};

struct GenerateBundleTest : SysViewTest {
    vqtest::ScriptedUiDriver ui;
    std::string log = dir.File("generate.log");

    void SetUp() override
    {
        vqclient::Reset();
        vqclient::SetGenerationLog(log);
        ui.WheneverDialog(105);
        SysViewTest::SetUp();
        OpenFrame();
        Expand("Sample system 1");
        Select({"SALES business segment"});
    }

    void TearDown() override
    {
        SysViewTest::TearDown();
        vqclient::SetGenerationLog("");
    }

    PxVQOptionSetPtr NtGen() { return System("SYS1")->GetCurConfig()->GetOptionSet("NTGEN"); }

    PxBSegOptionsPtr SegmentOptions(const PxVQOptionSetPtr& optionSet)
    {
        PxTypedList<PxOptionsPtr> records;
        optionSet->GetAllOptions(records);
        for (POSITION pos = records.GetHeadPosition(); pos;) {
            const PxOptionsPtr record = records.CList<PxOptionsPtr, const PxOptionsPtr&>::GetNext(pos);
            if (record->_IsKindOf("PxBSegOptions"))
                return PxBSegOptionsPtr(record);
        }
        return PxBSegOptionsPtr();
    }

    void AllowBundles(const char* application)
    {
        app.GetLink()->BeginTransaction();
        const PxBSegOptionsPtr options = SegmentOptions(NtGen());
        options->SetActiveKESHCapable(1);
        options->SetApplicationName(application);
        options->SetPackagePrefix("com.sample");
        app.GetLink()->CommitTransaction();
    }

    static HWND Dialog()
    {
        return FindWindowEx(nullptr, nullptr, nullptr, "Standalone Quorbit Generate for Bundle WEBALL");
    }
    static int Rows(int id) { return static_cast<int>(SendMessage(GetDlgItem(Dialog(), id), LVM_GETITEMCOUNT, 0, 0)); }
    static std::string Text(int id)
    {
        char text[300] = {};
        GetWindowText(GetDlgItem(Dialog(), id), text, sizeof text);
        return text;
    }
    static bool Enabled(int id) { return IsWindowEnabled(GetDlgItem(Dialog(), id)) != FALSE; }

    // The picker preselects the segment's first bundle, WEBALL; then the bundle dialog.
    vqtest::ScriptedUiDriver::WindowScript& OpenWebAll()
    {
        ui.ExpectDialog(IDD_PICKER).OK();
        return ui.ExpectDialog(IDD_BUNDLE_GENERATE);
    }

    // WEBALL's Generate, told that ENQUIRY (an inquiry) does not match, then without it up to
    // its next Generate.
    vqtest::ScriptedUiDriver::WindowScript& GenerateTheMatchingIspecs()
    {
        vqtest::ScriptedUiDriver::WindowScript& dialog =
            OpenWebAll().Click(IDOK).Select(Dlg::IDC_CHOSEN, 1).Click(Dlg::IDC_REMOVE);
        CString format;
        format.LoadString(61918);
        CString mismatch;
        mismatch.Format(format, 1u);
        ui.ExpectMessageBox(mismatch.str(), IDOK);
        return dialog;
    }
};

} // namespace

TEST(BundleListingPathTest, TheListingStaysInItsFolderWhateverTheBundleIsCalled)
{
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "bundles";
    ScopedTemp temp(folder.c_str());
    struct Case {
        const char* bundle;
        const char* file;
    } cases[] = {{"B01", "B01.Lst"}, {"../up", "___up.Lst"}, {"a/b\\c", "a_b_c.Lst"}, {"", "_.Lst"}, {"..", "__.Lst"}};
    for (const Case& c : cases) {
        const std::filesystem::path path(VqsBundleListingPath(c.bundle).str());
        EXPECT_EQ(path.parent_path(), folder) << c.bundle;
        EXPECT_EQ(path.filename().string(), c.file) << c.bundle;
    }
}

TEST(BundleListingPathTest, WithoutTempTheSystemsTemporaryFolderIsUsed)
{
    ScopedTemp temp(nullptr);
    const std::filesystem::path path(VqsBundleListingPath("B01").str());
    EXPECT_EQ(path.parent_path(), std::filesystem::temp_directory_path());
}

TEST(IspecTimeStampTest, AChangeTimeIsComparedAsTheLocalDateAndTime)
{
    // 1700000000 is 2023-11-14 22:13:20 UTC.
    struct Case {
        const char* zone;
        std::int64_t key;
    } cases[] = {{"UTC", 20231114221320}, {"XYZ-2", 20231115001320}, {"XYZ+5", 20231114171320}};
    for (const Case& c : cases) {
        vqtest::ScopedTimeZone zone(c.zone);
        EXPECT_EQ(VqsLocalTimeKey(1700000000), c.key) << c.zone;
    }
}

TEST_F(GenerateBundleTest, AGenerateSetThatDoesNotAllowBundlesStopsBeforeTheDialog)
{
    ui.ExpectDialog(IDD_PICKER).OK();
    ui.ExpectMessageBoxId(61909, IDOK);
    VqsGenerateBundle(*view);
    ui.Verify();
    EXPECT_TRUE(vqclient::Requests().empty());
}

TEST_F(GenerateBundleTest, AGenerateSetWithoutSegmentOptionsOpensTheDialogWithEmptyTexts)
{
    app.GetLink()->BeginTransaction();
    while (const PxBSegOptionsPtr options = SegmentOptions(NtGen()))
        options->DeleteObject();
    app.GetLink()->CommitTransaction();
    std::string application = "unread";
    OpenWebAll().Run([&] { application = Text(Dlg::IDC_APPLICATION); }).Cancel();
    VqsGenerateBundle(*view);
    ui.Verify();
    EXPECT_EQ(application, "");
}

TEST_F(GenerateBundleTest, OutputIspecsAreNeverOfferedAndTheDateFilterHidesOlderOnes)
{
    AllowBundles("WEBAPP");
    int chosen = 0;
    int afterRemoveAll = -1;
    bool generateWhileEmpty = true;
    int candidatesWithFilterOff = 0;
    OpenWebAll()
        .Run([&] { chosen = Rows(Dlg::IDC_CHOSEN); })
        .Click(Dlg::IDC_CHANGED_SINCE)
        .Click(Dlg::IDC_REMOVE_ALL)
        .Run([&] {
            afterRemoveAll = Rows(Dlg::IDC_CHOSEN) + Rows(Dlg::IDC_CANDIDATES);
            generateWhileEmpty = Enabled(IDOK);
        })
        .Click(Dlg::IDC_CHANGED_SINCE)
        .Run([&] { candidatesWithFilterOff = Rows(Dlg::IDC_CANDIDATES); })
        .Cancel();
    VqsGenerateBundle(*view);
    ui.Verify();

    EXPECT_EQ(chosen, 5) << "AUDIT, an output Ispec, is left out";
    EXPECT_EQ(afterRemoveAll, 0) << "every Ispec changed before today is hidden";
    EXPECT_FALSE(generateWhileEmpty);
    EXPECT_EQ(candidatesWithFilterOff, 5);
}

TEST_F(GenerateBundleTest, TheUserGeneratesTheMatchingIspecsWithTheirListing)
{
    AllowBundles("WEBAPP");
    const std::string listings = dir.File("listings");
    ScopedTemp temp(listings.c_str());
    bool generateAfterMismatch = true;
    OpenWebAll()
        .SetCheck(Dlg::IDC_LOG_MESSAGES)
        .Click(IDOK)
        .Run([&] { generateAfterMismatch = Enabled(IDOK); })
        .Select(Dlg::IDC_CHOSEN, 1)
        .Click(Dlg::IDC_REMOVE)
        .Click(IDOK);
    CString format;
    format.LoadString(61918);
    CString text;
    text.Format(format, 1u);
    ui.ExpectMessageBox(text.str(), IDOK);
    VqsGenerateBundle(*view);
    ui.Verify();

    EXPECT_FALSE(generateAfterMismatch) << "ENQUIRY, an inquiry, does not match";
    const Strings requests = vqclient::Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_NE(requests[0].find("kind 9 genset \"NTGEN\""), std::string::npos) << requests[0];
    EXPECT_NE(requests[0].find("elements 4 bundle \"WEBALL\""), std::string::npos) << requests[0];
    EXPECT_NE(requests[0].find("log \"" + dir.File("listings") + "/WEBALL.Lst\""), std::string::npos) << requests[0];
    EXPECT_TRUE(NtGen()->GetPersistentLock());
}

// The generate set's hold is placed, and the start of the generation then fails on a read (its
// connection lost): one box, no generation, and the set is not left held.
TEST_F(GenerateBundleTest, AStartWhoseReadFailsAfterTheSetsHoldLeavesTheSetFree)
{
    AllowBundles("WEBAPP");
    const std::string listings = dir.File("listings");
    ScopedTemp temp(listings.c_str());
    GenerateTheMatchingIspecs().SetCheck(Dlg::IDC_LOG_MESSAGES).Run([] {
        PxFaultInjection::Run("PxVQObject::PlaceGenerationHold", [] {
            PxFaultInjection::Throw("PxObject::GetStringProperty", "The connection to the server was lost.");
        });
    }).Click(IDOK);
    ui.ExpectMessageBox("Cannot proceed with generation:\nThe connection to the server was lost.", IDOK);
    VqsGenerateBundle(*view);
    ui.Verify();
    PxFaultInjection::Reset();

    EXPECT_TRUE(vqclient::Requests().empty());
    EXPECT_FALSE(NtGen()->GetPersistentLock());
}

TEST_F(GenerateBundleTest, ABundleWhoseIspecsChangedUnderTheDialogIsRefused)
{
    AllowBundles("WEBAPP");
    auto other = std::make_unique<PxVQLink>();
    other->AttachSession(sample.Path().c_str(), "XYZ", nullptr);
    auto takeAnIspecOut = [&] {
        other->BeginTransaction();
        PxTypedList<PxVQBSSoftLinkPtr> links;
        other->GetLVQEnterprise()->GetSystem("SYS1")->GetCurConfig()->GetListOfBSSoftLinks(links);
        PxTypedList<PxVQBundlePtr> bundles;
        links.GetHead()->GetListOfBundles(bundles);
        PxTypedList<PxVQIspecBundleDataPtr> entries;
        bundles.GetHead()->GetListOfIspecBundleData(entries);
        entries.GetHead()->DeleteObject();
        other->CommitTransaction();
    };
    OpenWebAll().Run(takeAnIspecOut).Select(Dlg::IDC_CHOSEN, 0).Click(Dlg::IDC_REMOVE);
    ui.ExpectMessageBoxId(61894, IDOK);
    VqsGenerateBundle(*view);
    ui.Verify();
    EXPECT_TRUE(vqclient::Requests().empty());
    EXPECT_FALSE(NtGen()->GetPersistentLock());
}

// The server ends the session's lock connection after the user picked the bundle: in the
// picker, in the bundle dialog before Generate, or once the start has placed the set's hold. One
// box names the lost connection, the generation goes no further, and once the user has opened
// the session again the set carries no hold.
TEST_F(GenerateBundleTest, TheLockConnectionLostAfterTheBundleIsPickedShowsOneBoxNamingIt)
{
    enum class Cut { InPicker, InBundleDialog, AfterTheHold };
    const struct {
        const char* what;
        Cut cut;
        const char* context;
    } rows[] = {
        {"in the picker", Cut::InPicker, "Cannot lock one of the objects"},
        {"in the bundle dialog", Cut::InBundleDialog, "Cannot lock one of the objects"},
        {"after the set's hold", Cut::AfterTheHold, "Cannot proceed with generation"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        VqsEndOfAction(); // each row is a command of its own, as after the host's idle
        CloseFrame();
        app.CloseSession();
        const std::string uri = NewSharedSample(Store::Server, dir);
        ASSERT_TRUE(app.OpenSession(uri.c_str(), "ABC", nullptr));
        OpenFrame();
        Expand("Sample system 1");
        Select({"SALES business segment"});
        AllowBundles("WEBAPP");
        const auto endLockConnection = [uri] { EndLockConnections(uri); };
        if (row.cut == Cut::InBundleDialog)
            OpenWebAll().Run(endLockConnection).Click(IDOK);
        else if (row.cut == Cut::InPicker)
            ui.ExpectDialog(IDD_PICKER).Run(endLockConnection).OK();
        else
            GenerateTheMatchingIspecs().Run([endLockConnection] {
                PxFaultInjection::Run("PxVQObject::ClaimForGeneration", endLockConnection);
            }).Click(IDOK);
        ui.ExpectMessageBox(std::string(row.context) + ":\nCannot reach the repository's locks: the connection to "
                            "the server of " + uri + " was lost.\nThe session cannot work without its connection: "
                            "close the session and open it again.",
                            IDOK);
        VqsGenerateBundle(*view);
        ui.Verify();
        PxFaultInjection::Reset();
        EXPECT_TRUE(vqclient::Requests().empty());

        VqsEndOfAction();
        CloseFrame();
        app.CloseSession();
        ASSERT_TRUE(app.OpenSession(uri.c_str(), "ABC", nullptr));
        OpenFrame();
        EXPECT_FALSE(NtGen()->GetPersistentLock()) << "the hold went with the lost session";
    }
}

TEST_F(GenerateBundleTest, DecliningARestartDeletesOnlyTheUsersOwnBundleSessions)
{
    app.SetSecurityMask(1 | 8);
    app.GetLink()->BeginTransaction();
    for (const char* user : {"ABC", "XYZ", "ABC/other"}) {
        const PxVQRecoveryInfoPtr session = System("SYS1")->CreateRecoveryInfo(NtGen());
        session->setGenerateType(PxVQRecoveryInfo::kBundleGenerate);
        session->SetUserId(user);
    }
    const PxVQRecoveryInfoPtr reports = System("SYS1")->CreateRecoveryInfo(NtGen());
    reports->setGenerateType(PxVQRecoveryInfo::kReportGenerate);
    reports->SetUserId("ABC");
    app.GetLink()->CommitTransaction();

    ui.ExpectMessageBoxId(61919, IDNO);
    ui.ExpectDialog(IDD_PICKER).Cancel();
    VqsGenerateBundle(*view);
    ui.Verify();

    PxTypedList<PxVQRecoveryInfoPtr> left;
    System("SYS1")->GetListOfRecoveryInfos(left);
    Strings users;
    for (POSITION pos = left.GetHeadPosition(); pos;) {
        const PxVQRecoveryInfoPtr session = left.GetNext(pos);
        users.push_back(session->GetUserId().str() + "/" + std::to_string(session->getGenerateType()));
    }
    std::sort(users.begin(), users.end());
    EXPECT_EQ(users, (Strings{"ABC/1", "XYZ/9"}));
}

TEST_F(GenerateBundleTest, ReportDifferencesNamesTheFileWrittenForTheSelectedBundle)
{
    AllowBundles("WEBAPP");
    Expand("SALES business segment");
    Expand("Bundles");
    Select({"WEBALL"});
    frame->SetCurrentOptionSet(NtGen());
    ScopedTemp temp(dir.Path().c_str());
    app.GetLink()->BeginTransaction();
    SegmentOptions(NtGen())->SetOutputDirectory(dir.Path().c_str());
    app.GetLink()->CommitTransaction();
    ui.ExpectMessageBox("Difference File \" " + dir.File("WEBALL.dif") + "\" Created", IDOK);
    VqsReportDifferences(*view);
    ui.Verify();
    EXPECT_TRUE(std::filesystem::exists(dir.File("WEBALL.dif")));

    AllowBundles("");
    VqsReportDifferences(*view);
    ui.Verify();
}

TEST_F(GenerateBundleTest, ADifferenceFileOnAFullDeviceIsReportedAsNotCreated)
{
    AllowBundles("WEBAPP");
    Expand("SALES business segment");
    Expand("Bundles");
    Select({"WEBALL"});
    frame->SetCurrentOptionSet(NtGen());
    app.GetLink()->BeginTransaction();
    SegmentOptions(NtGen())->SetOutputDirectory(dir.Path().c_str());
    app.GetLink()->CommitTransaction();
    std::filesystem::create_symlink("/dev/full", dir.File("WEBALL.dif"));
    ui.ExpectMessageBoxId(61996, IDOK);
    VqsReportDifferences(*view);
    ui.Verify();
}
