// Bulk Options Apply on the Bulk Options page of the segment of SYS1 of the sample scaled to
// 500 and 5,000 elements a segment, in NTGEN, on a fresh repository of the test server for
// each run: as vqsrepo leaves it, and after an ANALYZE of the whole repository. The time is
// the step as a user takes it: the dialog opened on the page, every Ispec row selected and an
// expected number typed for all of them, and Apply Now with its question answered Yes.
// Beside the time, the counters of ServerStep.h and the rows edited.
#include "BulkOptionsDialog.h"
#include "ServerStep.h"

#include "support/ScriptedUiDriver.h"

#include "options/VqsOptionPageBSegBulkOptions.h"
#include "win/UserActions.h"

#include <string>

namespace {

void ApplyBulkEdits(benchmark::State& state, bool analyzed)
{
    const std::string repository = vqgrowth::ScaledSampleOnServer(static_cast<int>(state.range(0)), analyzed);
    int rows = 0;
    for (auto _ : state) {
        state.PauseTiming();
        vqgrowth::OpenSession(repository);
        vqgrowth::BulkOptionsDialog dialog(vqgrowth::SampleConfig());
        vqgrowth::ServerCount count(repository);
        state.ResumeTiming();
        dialog.Open();
        vqtest::ScriptedUiDriver ui;
        ui.ExpectDialog(vqgrowth::kOptionsDialog)
            .Run([&] {
                VqsOptionPageBSegBulkOptions& page = dialog.Page();
                rows = vqgrowth::EditEveryRow(page);
                vqui::user::Click(page.GetDlgItem(vqgrowth::kApplyNow)->m_hWnd);
                state.PauseTiming();
                count.Stop();
                if (page.AnyPanelHasEdits())
                    state.SkipWithError("the apply kept its edits");
            })
            .Cancel();
        ui.ExpectMessageBoxId(vqgrowth::kApplyQuestion, IDYES);
        dialog.DoModal();
        ui.Verify();
        count.Report(state, vqgrowth::ElementLinks(vqgrowth::SampleConfig()));
        state.ResumeTiming();
    }
    state.counters["rows"] = rows;
    vqgrowth::CloseSession();
}

void BM_BulkApplyServer(benchmark::State& state) { ApplyBulkEdits(state, false); }
BENCHMARK(BM_BulkApplyServer)->Arg(500)->Arg(5000)->Unit(benchmark::kMillisecond)->Iterations(1);
void BM_BulkApplyServerAnalyzed(benchmark::State& state) { ApplyBulkEdits(state, true); }
BENCHMARK(BM_BulkApplyServerAnalyzed)->Arg(500)->Arg(5000)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
