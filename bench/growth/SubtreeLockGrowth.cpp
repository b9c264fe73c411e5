// Delete of Sample system 1, the frames' Refresh and a host's Prepare of SALES (closed at
// once) with the system view open on the sample's systems (ten segments, or all on one segment
// of ten elements: "OneSegment"), on a file and on the test server. Each read-locks every node
// of its model below the enterprise: the systems the view shows, and for Refresh and Prepare
// every system down to its option records. The goals: under 2 s at 1,000 systems; on a file
// the processor time linear in the systems (at 500 within 1.3x of ten times that at 50); on the
// server the round trips ("trips") and the transactions it began ("xacts") alike at every size.
// Delete runs on a copy of the repository; the view is opened and closed outside the time.
// Delete also on a copy as an earlier build left it (no key estimates, statistics taken while a
// few owners held nearly every member row), opened by the owner of its tables: as fast as on a
// repository this build made. On the server "memberScanRows" counts the member rows read by
// scanning the table whole while the session was open (the view's opening included): none for
// a deletion.
#include "GrowthSupport.h"
#include "GrowthView.h"

#include "support/ScriptedUiDriver.h"

#include "shell/VqsSysApp.h"
#include "sysview/VqsDirectoryView.h"
#include "sysview/VqsSysFrame.h"
#include "win/Messages.h"

#include <functional>
#include <string>

namespace {

constexpr UINT kDelete = 57632;
constexpr UINT kRefresh = 32805;
constexpr UINT kCheckChangedOptions = 61908;
constexpr UINT kLockProgressDialog = 105;

using Step = std::function<void(vqgrowth::OpenView&, vqtest::ScriptedUiDriver&)>;
using Sample = std::string (*)(int systems, bool server);

// The step with the view open on the repository, Sample system 1 selected.
void OnSampleSystems(benchmark::State& state, const std::string& repository, bool server, const Step& step)
{
    vqgrowth::TimeOnView(
        state, repository, [](vqgrowth::OpenView& open) { open.SelectRowOf("Sample system 1"); },
        [&](vqgrowth::OpenView& open) {
            const vqgrowth::HeardFrame heard(open.view->GetSysFrame());
            vqtest::ScriptedUiDriver ui;
            ui.WheneverDialog(kLockProgressDialog);
            vqgrowth::Timed(state, server, [&] { step(open, ui); });
            ui.Verify();
        });
    vqgrowth::CloseSession();
}

void DeleteSystem(benchmark::State& state, bool server, Sample sample = &vqgrowth::SampleSystems,
                  bool earlierStatistics = false)
{
    const std::string kept = sample(static_cast<int>(state.range(0)), server);
    vqgrowth::CloseSession();
    const std::string copy = server ? vqgrowth::ServerCopy(kept) : vqgrowth::FreshCopy(kept);
    if (earlierStatistics)
        vqgrowth::TakeEarlierBuildsStatistics(copy);
    const std::int64_t scanned = server ? vqgrowth::MemberRowsReadThrough(copy) : 0;
    OnSampleSystems(state, copy, server, [](vqgrowth::OpenView& open, vqtest::ScriptedUiDriver& ui) {
        ui.ExpectMessageBoxId(kCheckChangedOptions, IDNO);
        open.view->SendMessage(WM_COMMAND, kDelete, 0);
    });
    if (server)
        state.counters["memberScanRows"] = static_cast<double>(vqgrowth::MemberRowsReadThrough(copy) - scanned);
}

void Refresh(benchmark::State& state, bool server, Sample sample = &vqgrowth::SampleSystems)
{
    OnSampleSystems(state, sample(static_cast<int>(state.range(0)), server), server,
                    [](vqgrowth::OpenView& open, vqtest::ScriptedUiDriver&) {
                        open.view->GetSysFrame()->SendMessage(WM_COMMAND, kRefresh, 0);
                    });
}

void HostPrepare(benchmark::State& state, bool server, Sample sample = &vqgrowth::SampleSystems)
{
    OnSampleSystems(state, sample(static_cast<int>(state.range(0)), server), server, [&](vqgrowth::OpenView&, vqtest::ScriptedUiDriver&) {
        if (!VqsGetApp()->PrepareForTransaction("SALES", 0))
            state.SkipWithError("the prepare failed");
        VqsGetApp()->TransactionClosed();
    });
}

void BM_DeleteSystemFile(benchmark::State& state) { DeleteSystem(state, false); }
BENCHMARK(BM_DeleteSystemFile)->Arg(50)->Arg(500)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(1);
void BM_DeleteSystemServer(benchmark::State& state) { DeleteSystem(state, true); }
BENCHMARK(BM_DeleteSystemServer)->Arg(50)->Arg(500)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(1);
void BM_DeleteSystemEarlierStatisticsServer(benchmark::State& state) { DeleteSystem(state, true, &vqgrowth::SampleSystems, true); }
BENCHMARK(BM_DeleteSystemEarlierStatisticsServer)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_RefreshFile(benchmark::State& state) { Refresh(state, false); }
BENCHMARK(BM_RefreshFile)->Arg(50)->Arg(500)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(1);
void BM_RefreshServer(benchmark::State& state) { Refresh(state, true); }
BENCHMARK(BM_RefreshServer)->Arg(50)->Arg(500)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_HostPrepareFile(benchmark::State& state) { HostPrepare(state, false); }
BENCHMARK(BM_HostPrepareFile)->Arg(50)->Arg(500)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(1);
void BM_HostPrepareServer(benchmark::State& state) { HostPrepare(state, true); }
BENCHMARK(BM_HostPrepareServer)->Arg(50)->Arg(500)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(1);

constexpr Sample kOneSegment = &vqgrowth::OneSegmentSystems;

void BM_OneSegmentDeleteSystemFile(benchmark::State& state) { DeleteSystem(state, false, kOneSegment); }
BENCHMARK(BM_OneSegmentDeleteSystemFile)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(1);
void BM_OneSegmentDeleteSystemServer(benchmark::State& state) { DeleteSystem(state, true, kOneSegment); }
BENCHMARK(BM_OneSegmentDeleteSystemServer)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_OneSegmentRefreshFile(benchmark::State& state) { Refresh(state, false, kOneSegment); }
BENCHMARK(BM_OneSegmentRefreshFile)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(1);
void BM_OneSegmentRefreshServer(benchmark::State& state) { Refresh(state, true, kOneSegment); }
BENCHMARK(BM_OneSegmentRefreshServer)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_OneSegmentHostPrepareFile(benchmark::State& state) { HostPrepare(state, false, kOneSegment); }
BENCHMARK(BM_OneSegmentHostPrepareFile)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(1);
void BM_OneSegmentHostPrepareServer(benchmark::State& state) { HostPrepare(state, true, kOneSegment); }
BENCHMARK(BM_OneSegmentHostPrepareServer)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
