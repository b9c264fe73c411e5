// A step on one system (or the making of a new one) of a repository on the suite's server, with
// the system view open on every system: what it asks of the server does not grow with the other
// systems. Nor does it for the steps that read-lock every loaded node (the Delete of a system,
// the frames' Refresh and a host's Prepare), which lock and read a list at a time.
#include "GenerationStartTest.h"

#include "config/VqsOptionsSystemDlg.h"
#include "generate/VqsGenerateCommands.h"
#include "proxy/PxPostgres.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQOptionSet.h"
#include "repo/RepoFile.h"
#include "repo/RepoSample.h"
#include "shell/VqsSysApp.h"
#include "support/PgTestServer.h"
#include "vqclient/VqcTesting.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <ostream>

namespace {

constexpr UINT IDD_GENERATE = 160;
constexpr UINT IDD_GENERATE_REPORTS = 222;
constexpr UINT IDD_SYSTEM_OPTIONS = 142;
constexpr UINT ID_OPTIONS = 32772;
constexpr UINT ID_NEW_SYSTEM = 32785;
constexpr UINT ID_REFRESH = 32805;
constexpr UINT ID_EDIT_CLEAR = 57632;
constexpr UINT IDS_CHECK_CHANGED_OPTIONS = 61908;

struct Step {
    const char* name;
    std::function<void(VqsDirectoryView&, vqtest::ScriptedUiDriver&)> run;
};

void PrintTo(const Step& step, std::ostream* out) { *out << step.name; }

struct StepOnOneSystemTest : GenerationStartTest, ::testing::WithParamInterface<Step> {

    // The round trips of the step on SYS1, with NTGEN the frame's generate set, in a new
    // repository of the sample with that many systems a segment and the view open on them.
    std::int64_t RoundTripsWith(int systemsOfASegment)
    {
        const std::string uri = vqtest::PgTestServer::Instance().NewDatabase();
        vqrepo::CreateRepositoryFile(uri, vqrepo::SampleDescription({systemsOfASegment, 3, 0}));
        EXPECT_TRUE(app.OpenSession(uri.c_str(), "ABC", nullptr));
        OpenFrame();
        Select({"Sample system 1"});
        frame->SetCurrentOptionSet(System("SYS1")->GetCurConfig()->GetOptionSet("NTGEN"));
        const std::int64_t before = PxPgConnection::RoundTrips();
        GetParam().run(*view, ui);
        vqwin::PumpPending();
        const std::int64_t trips = PxPgConnection::RoundTrips() - before;
        ui.Verify();
        CloseFrame();
        app.CloseSession();
        vqclient::Reset();
        return trips;
    }
};

TEST_P(StepOnOneSystemTest, AsksTheServerAsMuchWhateverTheNumberOfSystems)
{
    const std::int64_t few = RoundTripsWith(2);
    const std::int64_t many = RoundTripsWith(12);
    EXPECT_GT(few, 0);
    EXPECT_EQ(many, few) << "6 systems against 36";
}

INSTANTIATE_TEST_SUITE_P(
    Steps, StepOnOneSystemTest,
    ::testing::Values(
        Step{"Synchronize", [](VqsDirectoryView& view, vqtest::ScriptedUiDriver&) { VqsSynchronizeConfig(view); }},
        // Its Finish checks the name against every system under its locks, each system read
        // before it writes.
        Step{"NewSystem",
             [](VqsDirectoryView& view, vqtest::ScriptedUiDriver& ui) {
                 NewSystemToGenSetPage(ui).Click(VqsSysGSPage::IDC_NO_GENSET).Finish();
                 view.SendMessage(WM_COMMAND, ID_NEW_SYSTEM, 0);
             }},
        Step{"GenerateReports",
             [](VqsDirectoryView& view, vqtest::ScriptedUiDriver& ui) {
                 ui.ExpectDialog(IDD_GENERATE_REPORTS).OK();
                 VqsGenerateReports(view);
             }},
        Step{"GenerateSystem",
             [](VqsDirectoryView& view, vqtest::ScriptedUiDriver& ui) {
                 ui.ExpectDialog(IDD_GENERATE).OK();
                 VqsGenerateSystem(view);
             }},
        Step{"DeleteSystem",
             [](VqsDirectoryView& view, vqtest::ScriptedUiDriver& ui) {
                 ui.ExpectMessageBoxId(IDS_CHECK_CHANGED_OPTIONS, IDNO);
                 view.SendMessage(WM_COMMAND, ID_EDIT_CLEAR, 0);
             }},
        Step{"Refresh",
             [](VqsDirectoryView& view, vqtest::ScriptedUiDriver&) {
                 view.GetParentFrame()->SendMessage(WM_COMMAND, ID_REFRESH, 0);
             }},
        Step{"HostPrepare",
             [](VqsDirectoryView&, vqtest::ScriptedUiDriver&) {
                 EXPECT_TRUE(VqsGetApp()->PrepareForTransaction("SALES", 0));
                 VqsGetApp()->TransactionClosed();
             }},
        Step{"SystemOptionsOK",
             [](VqsDirectoryView& view, vqtest::ScriptedUiDriver& ui) {
                 ui.ExpectDialog(IDD_SYSTEM_OPTIONS).Replace(VqsOptionsSystemDlg::IDC_DESCRIPTION, "Changed").OK();
                 view.SendMessage(WM_COMMAND, ID_OPTIONS, 0);
             }}),
    [](const ::testing::TestParamInfo<Step>& info) { return std::string(info.param.name); });

} // namespace
