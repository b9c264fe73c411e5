#include "../sysview/SysViewTestSupport.h"

#include "generate/VqsGenerateCommands.h"
#include "generate/VqsGenerateReportDlg.h"
#include "proxy/PxLSEBusinessSegment.h"
#include "proxy/PxLSEEnterprise.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQLink.h"
#include "proxy/PxVQOptionSet.h"
#include "names/VqsValidation.h"
#include "support/ChildProcess.h"
#include "support/OtherUserSteps.h"
#include "support/ScriptedUiDriver.h"
#include "vqclient/VqcTesting.h"
#include "win/DisplayList.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr UINT IDD_GENERATE_REPORTS = 222;
using Dlg = VqsGenerateReportDlg;

struct GenerateReportsTest : SysViewTest {
    vqtest::ScriptedUiDriver ui;
    std::string log = dir.File("generate.log");

    void SetUp() override
    {
        vqclient::Reset();
        vqclient::SetGenerationLog(log);
        ui.WheneverDialog(105);
        SysViewTest::SetUp();
        OpenFrame();
        Select({"Sample system 1"});
    }

    void TearDown() override
    {
        SysViewTest::TearDown();
        vqclient::SetGenerationLog("");
    }

    static inline const char* caption = "Generate  All Reports";
    static HWND Dialog() { return FindWindowEx(nullptr, nullptr, nullptr, caption); }
    static bool Enabled(int id) { return IsWindowEnabled(GetDlgItem(Dialog(), id)) != FALSE; }
    // The background the control paints `text` on; 0xFFFFFFFF when it does not show it.
    static COLORREF PaintedBackground(int id, const char* text)
    {
        HWND control = GetDlgItem(Dialog(), id);
        InvalidateRect(control, nullptr, TRUE);
        UpdateWindow(control);
        const vqwin::DisplayOp* shown = vqwin::GetWindowDisplayList(control)->FindText(text);
        return shown ? shown->background : 0xFFFFFFFF;
    }
    static int Rows(int id) { return static_cast<int>(SendMessage(GetDlgItem(Dialog(), id), LVM_GETITEMCOUNT, 0, 0)); }

    static std::string Reports(const std::string& request)
    {
        const std::size_t at = request.find("reports");
        return at == std::string::npos ? std::string() : request.substr(at);
    }

    PxVQReportSoftLinkPtr ReportLink(const char* name)
    {
        PxTypedList<PxVQBSSoftLinkPtr> links;
        System("SYS1")->GetCurConfig()->GetListOfBSSoftLinks(links);
        for (POSITION pos = links.GetHeadPosition(); pos;) {
            const PxVQBSSoftLinkPtr link = links.GetNext(pos);
            if (link->GetName() == "SALES")
                return PxVQReportSoftLinkPtr(link->GetElementSoftLink(name));
        }
        return PxVQReportSoftLinkPtr();
    }
};

} // namespace

TEST_F(GenerateReportsTest, TheUserNamesEachReportOnceWhateverTheLetterCaseWithAnIdentifier)
{
    ui.ExpectDialog(IDD_GENERATE_REPORTS)
        .Run([&] {
            EXPECT_EQ(Rows(Dlg::IDC_CHOSEN), 2) << "the system's selection offers every report";
            EXPECT_EQ(PaintedBackground(Dlg::IDC_CHOSEN_COUNT, "2"), RGB(255, 255, 255))
                << "twice the grey behind black text";
            EXPECT_FALSE(Enabled(Dlg::IDC_AS_NAME)) << "nothing selected yet";
        })
        .Select(Dlg::IDC_CHOSEN, 0)
        .Click(Dlg::IDC_MODE_TYPED)
        .Replace(Dlg::IDC_AS_NAME, "rep")
        .Select(Dlg::IDC_CHOSEN, 1)
        .Click(Dlg::IDC_MODE_TYPED)
        .Replace(Dlg::IDC_AS_NAME, "REP")
        .Click(IDOK)
        .Replace(Dlg::IDC_AS_NAME, "   ")
        .Click(IDOK)
        .Replace(Dlg::IDC_AS_NAME, " 9X ")
        .Click(IDOK)
        .Replace(Dlg::IDC_AS_NAME, " monthx ")
        .Click(IDOK);
    ui.ExpectMessageBox("As Name \"REP\" is used more than once.", IDOK);
    ui.ExpectMessageBoxId(61592, IDOK);
    ui.ExpectMessageBoxId(VqsValidation::kStartWithLetter, IDOK);
    VqsGenerateReports(*view);
    ui.Verify();

    const Strings requests = vqclient::Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].substr(0, 20), "generation 1: kind 1");
    EXPECT_EQ(Reports(requests[0]), "reports \"DAILY\" as \"REP\" \"MONTHLY\" as \"MONTHX\" scripted 0")
        << "typed names go in capitals and without their blanks";
}

TEST_F(GenerateReportsTest, AReportGoneFromTheModelKeepsOkDisabledUntilItIsMovedBack)
{
    auto other = std::make_unique<PxVQLink>();
    other->AttachSession(sample.Path().c_str(), "XYZ", nullptr);
    auto deleteMonthlyElsewhere = [&] {
        other->BeginTransaction();
        PxTypedList<PxVQBSSoftLinkPtr> links;
        other->GetLVQEnterprise()->GetSystem("SYS1")->GetCurConfig()->GetListOfBSSoftLinks(links);
        for (POSITION pos = links.GetHeadPosition(); pos;) {
            const PxVQBSSoftLinkPtr link = links.GetNext(pos);
            if (link->GetName() == "SALES")
                link->GetElementSoftLink("MONTHLY")->DeleteObject();
        }
        other->CommitTransaction();
    };
    bool okAfterMismatch = true;
    bool okAfterMoveBack = false;
    ui.ExpectDialog(IDD_GENERATE_REPORTS)
        .Run(deleteMonthlyElsewhere)
        .Click(IDOK)
        .Run([&] { okAfterMismatch = Enabled(IDOK); })
        .Select(Dlg::IDC_CHOSEN, 0)
        .Click(Dlg::IDC_DELETE)
        .Run([&] { okAfterMoveBack = Enabled(IDOK); })
        .Click(IDOK);
    CString unmatched;
    unmatched.LoadString(61580);
    CString text;
    text.Format(unmatched, 1u);
    ui.ExpectMessageBox(text.str(), IDOK);
    VqsGenerateReports(*view);
    ui.Verify();

    EXPECT_FALSE(okAfterMismatch);
    EXPECT_TRUE(okAfterMoveBack);
    const Strings requests = vqclient::Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(Reports(requests[0]), "reports \"DAILY\" scripted 0");
}

TEST_F(GenerateReportsTest, AReportGroupIsOfferedUnderItsOwnTitleAndGeneratedUnderTheGroupsNames)
{
    caption = "Generate Report Group MONTHEND";
    Expand("Sample system 1");
    Expand("SALES business segment");
    Expand("Report Groups");
    Select({"MONTHEND"});
    int available = -1;
    int chosen = -1;
    ui.ExpectDialog(IDD_GENERATE_REPORTS)
        .Run([&] {
            chosen = Rows(Dlg::IDC_CHOSEN);
            available = Rows(Dlg::IDC_AVAILABLE);
        })
        .OK();
    VqsGenerateReports(*view);
    ui.Verify();
    caption = "Generate  All Reports";
    EXPECT_EQ(chosen, 2) << "a group's selection chooses its reports";
    EXPECT_EQ(available, 0);
    const Strings requests = vqclient::Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(Reports(requests[0]), "reports \"DAILY\" as \"DAILY\" \"MONTHLY\" as \"MONTHLY1\" scripted 0");
}

TEST_F(GenerateReportsTest, TheTriplesTakeTheDesignReportAndTheNameOfEachEntry)
{
    VqsGenerateReportDlg dialog(frame);
    const PxVQReportSoftLinkPtr daily = ReportLink("DAILY");
    const PxVQReportSoftLinkPtr monthly = ReportLink("MONTHLY");
    ASSERT_TRUE(daily && monthly);
    const PxLSEBusinessSegmentPtr segment = app.GetLSEEnterprise()->GetBusinessSegment("SALES");
    VqsElementSyncRecord elements;
    elements.businessSegment = segment;
    elements.pairs.AddTail(VqcSyncPair{segment->GetElement("DAILY"), PxVQElementSoftLinkPtr(daily)});
    dialog.m_chosenReports.AddTail(daily);

    VqsBSSyncRecord reports;
    ASSERT_TRUE(VqsBuildReportSyncList(frame, dialog, reports, elements));
    ASSERT_EQ(reports.triples.GetCount(), 1);
    EXPECT_EQ(reports.triples.GetHead().asName.str(), "#") << "a report without an entry keeps its last name";
    EXPECT_TRUE(reports.triples.GetHead().report->IsSameOid(segment->GetElement("DAILY")));
    EXPECT_EQ(reports.pairs.GetCount(), 1);

    dialog.m_chosenReports.AddTail(monthly);
    VqsBSSyncRecord missing;
    ui.ExpectMessageBox("Internal error: the report is not found in the model.", IDOK);
    EXPECT_FALSE(VqsBuildReportSyncList(frame, dialog, missing, elements));
    ui.Verify();
    EXPECT_EQ(missing.triples.GetCount(), 1) << "what was placed before stays";
}

TEST_F(GenerateReportsTest, GenerateSystemWithReportsStartsOneRequestWithTheSystemAndItsReports)
{
    frame->SetCurrentOptionSet(System("SYS1")->GetCurConfig()->GetOptionSet("NTGEN"));
    bool genSetFixed = true;
    ui.ExpectDialog(160).SetCheck(1789).OK();
    ui.ExpectDialog(IDD_GENERATE_REPORTS).Run([&] { genSetFixed = !Enabled(Dlg::IDC_GENSET); }).OK();
    VqsGenerateSystem(*view);
    ui.Verify();

    EXPECT_TRUE(genSetFixed) << "the generate dialog chose the set and host";
    const Strings requests = vqclient::Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].substr(0, 53), "generation 1: kind 5 genset \"NTGEN\" host \"NTHOST\" seg");
    EXPECT_EQ(Reports(requests[0]), "reports \"DAILY\" \"MONTHLY\" scripted 0");
    EXPECT_TRUE(System("SYS1")->GetCurConfig()->GetOptionSet("NTGEN")->GetPersistentLock());
}

namespace {

// Another process renames a host, writing the enterprise, at this process's word; a lock this
// process holds fails its step.
struct GenerateReportsLeftOpenTest : OtherProcessLockTest<Store> {
    void SetUp() override
    {
        vqclient::Reset();
        vqclient::SetGenerationLog(dir.File("generate.log"));
        SysViewTest::SetUp();
        app.CloseSession();
        repository = NewSharedSample(GetParam(), dir);
        static PxVQLink* link = nullptr;
        other = std::make_unique<vqtest::ChildProcess>(std::vector<std::function<void()>>{
            [this] {
                link = new PxVQLink;
                link->AttachSession(repository.c_str(), "other/dev", nullptr);
            },
            [] { vqtest::RenameHostWithoutWaiting(*link, "UNIXHOST", "UNIXHOST2"); }});
        ASSERT_TRUE(other->WaitReady());
    }

    void TearDown() override
    {
        SysViewTest::TearDown();
        RetryGate::step = nullptr;
        other.reset();
        vqclient::SetGenerationLog("");
    }
};

std::string CaseName(const ::testing::TestParamInfo<Store>& info) { return StoreName(info.param); }

} // namespace

// The user of Generate System with reports leaves the report choice open: another user's step
// that writes the enterprise goes on meanwhile, and the generation starts at OK.
TEST_P(GenerateReportsLeftOpenTest, TheReportChoiceOfGenerateSystemHoldsNothingAnotherUsersStepNeeds)
{
    StartGatedSession(repository, {});
    Select({"Sample system 1"});
    frame->SetCurrentOptionSet(System("SYS1")->GetCurConfig()->GetOptionSet("NTGEN"));
    bool renamed = false;
    ui.ExpectDialog(160).SetCheck(1789).OK();
    ui.ExpectDialog(IDD_GENERATE_REPORTS).Run([&] { renamed = other->RunNextStep(); }).OK();

    VqsGenerateSystem(*view);

    ui.Verify();
    EXPECT_TRUE(renamed);
    const std::vector<std::string> requests = vqclient::Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].substr(0, 53), "generation 1: kind 5 genset \"NTGEN\" host \"NTHOST\" seg");
}

INSTANTIATE_TEST_SUITE_P(Stores, GenerateReportsLeftOpenTest, ::testing::Values(Store::File, Store::Server), CaseName);
