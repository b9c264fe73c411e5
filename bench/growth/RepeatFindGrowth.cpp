// Repeat Find (F3) pressed through every system of the sample, as a user steps through a large
// enterprise: after a Find of "Sample system ", which every system's name starts with, each
// press moves the selection one system on along the tree, and the press after the last system
// goes round to the first. 100, 1,000 and 5,000 systems, all on one segment (of ten elements
// besides the sample's own) and spread over five segments, on a file and on the test server;
// the view is opened and the Find made outside the time.
// Counters: the processor time of a press ("cpuMs/press", the process's) and of the slowest
// press ("slowestMs"), the round trips a press to the server ("trips/press"), the most objects
// of the repository held at once beyond what the open view holds ("mostHeld") and how far the
// process's memory rose at its highest while pressing ("peakMB").
// A press costs what its step along the tree touches: at 5,000 systems within 1.5x of a press
// at 100, as many round trips at every size, and no more held than the branch it searches.
#include "GrowthSupport.h"
#include "GrowthView.h"

#include "support/ScriptedUiDriver.h"

#include "proxy/PxPostgres.h"
#include "proxy/PxTesting.h"
#include "proxy/PxVQLink.h"
#include "shell/VqsSysApp.h"
#include "shell/VqsTreeItem.h"
#include "sysview/VqsDirectoryView.h"
#include "win/Messages.h"

#include <algorithm>
#include <ctime>
#include <string>
#include <vector>

namespace {

constexpr UINT kFindNext = 57640;
constexpr const char* kEverySystem = "Sample system ";

double ProcessCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

std::string SelectedText(const vqgrowth::OpenView& open)
{
    VqsTreeItem* item = open.view->GetSelectedItem();
    return item ? item->GetText() : "";
}

// Presses Repeat Find through every system and on round the top, a thousand times at least, so
// that a press at few systems is measured as often as at many; each press must select the
// system after the one before it in tree order, the press after the last the first again.
void PressThroughEverySystem(benchmark::State& state, const std::string& repository, bool server)
{
    constexpr int kLeastPresses = 1000;
    const int systems = static_cast<int>(state.range(0));
    const int presses = std::max(systems, kLeastPresses);
    std::size_t heldByView = 0;
    std::size_t mostHeld = 0;
    double slowest = 0;
    double cpu = 0;
    std::int64_t trips = 0;
    std::int64_t peak = 0;
    // The systems stand in the tree in the order of their names.
    std::vector<std::string> inTreeOrder;
    for (int number = 1; number <= systems; ++number)
        inTreeOrder.push_back("Sample system " + std::to_string(number));
    std::sort(inTreeOrder.begin(), inTreeOrder.end());
    vqgrowth::TimeOnView(
        state, repository,
        [&](vqgrowth::OpenView& open) {
            open.Find(kEverySystem);
            PxTesting::MostObjectsHeld(*VqsGetApp()->GetLink());
            heldByView = PxTesting::MostObjectsHeld(*VqsGetApp()->GetLink());
        },
        [&](vqgrowth::OpenView& open) {
            vqtest::ScriptedUiDriver ui;
            const std::int64_t tripsBefore = PxPgConnection::RoundTrips();
            const double cpuBefore = ProcessCpuMs();
            peak = vqgrowth::PeakMemoryRise([&] {
                for (int press = 1; press <= presses; ++press) {
                    const double pressStart = ProcessCpuMs();
                    open.view->SendMessage(WM_COMMAND, kFindNext, 0);
                    // What the press left for the message loop: the rows it drew again, the
                    // command states it asked to update.
                    vqwin::PumpPending();
                    slowest = std::max(slowest, ProcessCpuMs() - pressStart);
                    if (SelectedText(open) != inTreeOrder[static_cast<std::size_t>(press % systems)]) {
                        state.SkipWithError(("press " + std::to_string(press) + " selected " + SelectedText(open)).c_str());
                        return;
                    }
                }
            });
            cpu = ProcessCpuMs() - cpuBefore;
            trips = PxPgConnection::RoundTrips() - tripsBefore;
            ui.Verify();
        },
        [&](vqgrowth::OpenView&) { mostHeld = PxTesting::MostObjectsHeld(*VqsGetApp()->GetLink()) - heldByView; });
    state.counters["cpuMs/press"] = cpu / presses;
    state.counters["slowestMs"] = slowest;
    if (server)
        state.counters["trips/press"] = static_cast<double>(trips) / presses;
    state.counters["mostHeld"] = static_cast<double>(mostHeld);
    state.counters["peakMB"] = static_cast<double>(peak) / 1e6;
}

constexpr int kSpreadSegments = 5;

void BM_RepeatFindOnOneSegmentFile(benchmark::State& state)
{
    PressThroughEverySystem(state, vqgrowth::OneSegmentSystems(static_cast<int>(state.range(0)), false), false);
}
BENCHMARK(BM_RepeatFindOnOneSegmentFile)->Arg(100)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_RepeatFindOnOneSegmentServer(benchmark::State& state)
{
    PressThroughEverySystem(state, vqgrowth::OneSegmentSystems(static_cast<int>(state.range(0)), true), true);
}
BENCHMARK(BM_RepeatFindOnOneSegmentServer)->Arg(100)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_RepeatFindOverFiveSegmentsFile(benchmark::State& state)
{
    PressThroughEverySystem(
        state, vqgrowth::SampleSystemsOver(kSpreadSegments, static_cast<int>(state.range(0)), false), false);
}
BENCHMARK(BM_RepeatFindOverFiveSegmentsFile)->Arg(100)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_RepeatFindOverFiveSegmentsServer(benchmark::State& state)
{
    PressThroughEverySystem(state, vqgrowth::SampleSystemsOver(kSpreadSegments, static_cast<int>(state.range(0)), true),
                            true);
}
BENCHMARK(BM_RepeatFindOverFiveSegmentsServer)->Arg(100)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
