// Generate System, Generate Reports and Show Generate Status (the restart of a report session
// stopped after writing every report of the segment) of SYS1 of the sample scaled to 500 and
// 5,000 elements a segment, on a fresh repository of the test server for each run: as vqsrepo
// leaves it, and after an ANALYZE of the whole repository. The view is opened, SYS1 selected
// with NTGEN as the frame's generate set and the report session made outside the time; the
// commands' dialogs are answered with OK (the restart's with the session's row). Beside the
// time, the counters of ServerStep.h. Generate System's time holds the pause it leaves the
// generation client to start (a second); each time holds the reading of the server's counter
// after the command (a connection of its own).
#include "GrowthView.h"
#include "ServerStep.h"

#include "support/ScriptedUiDriver.h"

#include "proxy/PxTypedList.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQElementSoftLink.h"
#include "proxy/PxVQLink.h"
#include "proxy/PxVQRecoveryInfo.h"
#include "proxy/PxVQSystem.h"
#include "proxy/PxVQTypes.h"
#include "shell/VqsSysApp.h"
#include "sysview/VqsDirectoryView.h"
#include "sysview/VqsSysFrame.h"
#include "vqclient/VqcTesting.h"
#include "win/Messages.h"

#include <functional>
#include <optional>
#include <string>

namespace {

constexpr UINT kGenerateSystem = 32792;
constexpr UINT kGenerateReports = 32808;
constexpr UINT kShowGenerateStatus = 32859;
constexpr UINT kGenerateDialog = 160;
constexpr UINT kGenerateReportsDialog = 222;
constexpr UINT kSelectSessionDialog = 294;
constexpr UINT kProgressDialog = 105;
constexpr int kSessionList = 32853;
constexpr int kRestart = 33025;
constexpr int kReportGeneration = 1;
constexpr int kStoppedState = 5;
constexpr int kHoldsSegment = 2;
constexpr const char* kSystemRow = "Sample system 1";

using Answer = std::function<void(vqtest::ScriptedUiDriver&)>;

// The command on SYS1 with its dialogs answered, after `ready`. The generation it started is
// forgotten afterwards, so that the next run's repository has none.
void TimeCommand(benchmark::State& state, bool analyzed, UINT command, const Answer& answer,
                 const std::function<void()>& ready = [] {})
{
    const std::string repository = vqgrowth::ScaledSampleOnServer(static_cast<int>(state.range(0)), analyzed);
    std::optional<vqgrowth::ServerCount> count;
    vqgrowth::TimeOnView(
        state, repository,
        [&](vqgrowth::OpenView& open) {
            open.SelectRowOf(kSystemRow);
            open.view->GetSysFrame()->SetCurrentOptionSet(vqgrowth::SampleConfig()->GetOptionSet("NTGEN"));
            ready();
            count.emplace(repository);
        },
        [&](vqgrowth::OpenView& open) {
            vqtest::ScriptedUiDriver ui;
            ui.WheneverDialog(kProgressDialog);
            answer(ui);
            open.view->SendMessage(WM_COMMAND, command, 0);
            count->Stop();
            ui.Verify();
        });
    if (vqclient::LastGenerateNumber() == 0)
        state.SkipWithError("the command started no generation");
    count->Report(state, vqgrowth::ElementLinks(vqgrowth::SampleConfig()));
    vqgrowth::CloseSession();
    vqclient::Reset();
}

// A report generation of NTGEN that stopped after writing every report of SYS1's segments.
void MakeStoppedReportSession()
{
    const PxVQCurConfigPtr config = vqgrowth::SampleConfig();
    PxVQLink* link = VqsGetApp()->GetLink();
    link->BeginTransaction();
    PxVQRecoveryInfoPtr session = config->GetSystem()->CreateRecoveryInfo(config->GetOptionSet("NTGEN"));
    session->setGenerateType(kReportGeneration);
    session->SetCurrentState(kStoppedState);
    session->SetUserId("BENCH");
    session->SetGenerationFlag(kHoldsSegment);
    PxTypedList<PxVQBSSoftLinkPtr> segments;
    config->GetListOfBSSoftLinks(segments);
    for (POSITION pos = segments.GetHeadPosition(); pos;) {
        PxTypedList<PxVQElementSoftLinkPtr> elements;
        segments.GetNext(pos)->GetListOfElementSoftLinks(elements);
        for (POSITION at = elements.GetHeadPosition(); at;) {
            const PxVQElementSoftLinkPtr element = elements.GetNext(at);
            if (element->GetElementType() == VQSoftLinkReport)
                session->CreateRecoveryFileInfo(element->GetName());
        }
    }
    link->CommitTransaction();
}

void GenerateSystem(benchmark::State& state, bool analyzed)
{
    TimeCommand(state, analyzed, kGenerateSystem, [](vqtest::ScriptedUiDriver& ui) { ui.ExpectDialog(kGenerateDialog).OK(); });
}

void GenerateReports(benchmark::State& state, bool analyzed)
{
    TimeCommand(state, analyzed, kGenerateReports,
                [](vqtest::ScriptedUiDriver& ui) { ui.ExpectDialog(kGenerateReportsDialog).OK(); });
}

void RestartReportSession(benchmark::State& state, bool analyzed)
{
    TimeCommand(
        state, analyzed, kShowGenerateStatus,
        [](vqtest::ScriptedUiDriver& ui) { ui.ExpectDialog(kSelectSessionDialog).Select(kSessionList, 0).Click(kRestart); },
        MakeStoppedReportSession);
}

void BM_GenerateSystemServer(benchmark::State& state) { GenerateSystem(state, false); }
BENCHMARK(BM_GenerateSystemServer)->Arg(500)->Arg(5000)->Unit(benchmark::kMillisecond)->Iterations(1);
void BM_GenerateSystemServerAnalyzed(benchmark::State& state) { GenerateSystem(state, true); }
BENCHMARK(BM_GenerateSystemServerAnalyzed)->Arg(500)->Arg(5000)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_GenerateReportsServer(benchmark::State& state) { GenerateReports(state, false); }
BENCHMARK(BM_GenerateReportsServer)->Arg(500)->Arg(5000)->Unit(benchmark::kMillisecond)->Iterations(1);
void BM_GenerateReportsServerAnalyzed(benchmark::State& state) { GenerateReports(state, true); }
BENCHMARK(BM_GenerateReportsServerAnalyzed)->Arg(500)->Arg(5000)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_GenerateStatusRestartServer(benchmark::State& state) { RestartReportSession(state, false); }
BENCHMARK(BM_GenerateStatusRestartServer)->Arg(500)->Arg(5000)->Unit(benchmark::kMillisecond)->Iterations(1);
void BM_GenerateStatusRestartServerAnalyzed(benchmark::State& state) { RestartReportSession(state, true); }
BENCHMARK(BM_GenerateStatusRestartServerAnalyzed)->Arg(500)->Arg(5000)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
