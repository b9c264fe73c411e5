// The system view of a system whose segment holds many reports, on a file and on the test
// server (a tenth of the sizes); the view is opened and closed outside the time:
// - Expand Branch of the system (the Reports folder fills with a row each): 2,000 and 20,000;
// - Find of the last report from the system's row (the search reads the branch, then the
//   rows of the found report's ancestors' children are added): 500 and 5,000;
// - Find Next of the last report from the first report's row (the search steps through
//   every sibling): 500 and 5,000.
// The directory view of 20 systems, each linking one segment of many reports:
// - Find of the last system from the top row (the search reads every earlier system's
//   branch, as a match may lie in any of them): 100 and 1,000 reports a segment.
// The directory view of 10 and of 100 systems, each linking one segment of 1,000 reports, on a
// file and on the test server:
// - the memory Find of the last system from the top row takes at its highest ("peakMB") and
//   the most proxy objects the session held at once ("objects"): the branch it is in and what
//   it reads ahead of it, about as much for a hundred systems passed as for ten.
// The directory view of 1,000 systems of the sample's shape (ten segments, each system of one
// segment with the sample's own elements), on a file and on the test server:
// - the memory Find of the 10th and of the 100th system from the top row takes at its
//   highest ("peakMB") and keeps ("keptMB"): the search holds no more than the branch it is
//   in and what it reads ahead of it (up to eight times what it went through, at most about
//   two thousand objects), so neither grows with the systems it passes.
#include "GrowthSupport.h"

#include "GrowthView.h"

#include "proxy/PxTesting.h"
#include "proxy/PxVQLink.h"
#include "shell/VqsSysApp.h"
#include "sysview/VqsDirectoryView.h"

#include <string>

namespace {

using vqgrowth::OpenView;
using vqgrowth::TimeOnView;

constexpr UINT kFindNext = 57640;
constexpr int kSystems = 20;

// Systems linking the one segment BIG of that many reports, on a file or on the test server.
std::string SystemsRepository(int count, int reports, bool server)
{
    std::string systems;
    for (int index = 0; index < count; ++index)
        systems += std::string(index ? "," : "") + R"({"name": ")" + vqgrowth::Numbered("SYS", index) +
                   R"(", "businessSegments": ["BIG"]})";
    const std::string json = R"({"businessSegments": [{"name": "BIG", "elements": [)" + vqgrowth::ReportElements(reports) +
                             R"(]}], "systems": [)" + systems + "]}";
    const std::string name = "systems-" + std::to_string(count) + "-" + std::to_string(reports);
    return vqgrowth::KeptRepository(name, json, server);
}

void Expand(benchmark::State& state, bool server)
{
    TimeOnView(
        state, vqgrowth::ReportsRepository(static_cast<int>(state.range(0)), server), [](OpenView&) {},
        [](OpenView& open) { open.ExpandBranch(); });
}

void Find(benchmark::State& state, bool server)
{
    const std::string last = vqgrowth::Numbered("R", static_cast<int>(state.range(0)) - 1);
    TimeOnView(
        state, vqgrowth::ReportsRepository(static_cast<int>(state.range(0)), server), [](OpenView&) {},
        [&](OpenView& open) { open.Find(last); });
}

void FindSystem(benchmark::State& state, bool server)
{
    const std::string last = vqgrowth::Numbered("SYS", kSystems - 1);
    TimeOnView(
        state, SystemsRepository(kSystems, static_cast<int>(state.range(0)), server), [](OpenView&) {},
        [&](OpenView& open) { open.Find(last); });
}

constexpr double kMegabyte = 1e6;

constexpr int kSampleSystems = 1000;

void FindSystemMemory(benchmark::State& state, bool server)
{
    const std::string wanted = vqgrowth::SampleSystemAt(kSampleSystems, static_cast<int>(state.range(0)));
    std::int64_t peak = 0;
    std::int64_t kept = 0;
    TimeOnView(
        state, vqgrowth::SampleSystems(kSampleSystems, server), [](OpenView&) {},
        [&](OpenView& open) {
            const std::int64_t before = vqgrowth::ResidentMemory();
            peak = vqgrowth::PeakMemoryRise([&] { open.Find(wanted); });
            kept = vqgrowth::ResidentMemory() - before;
        });
    state.counters["peakMB"] = static_cast<double>(peak) / kMegabyte;
    state.counters["keptMB"] = static_cast<double>(kept) / kMegabyte;
}

void FindLastSystemMemory(benchmark::State& state, bool server)
{
    constexpr int kReports = 1000;
    const int systems = static_cast<int>(state.range(0));
    const std::string last = vqgrowth::Numbered("SYS", systems - 1);
    std::int64_t peak = 0;
    std::size_t objects = 0;
    TimeOnView(
        state, SystemsRepository(systems, kReports, server),
        [](OpenView&) { PxTesting::MostObjectsHeld(*VqsGetApp()->GetLink()); },
        [&](OpenView& open) {
            vqgrowth::Timed(state, server, [&] { peak = vqgrowth::PeakMemoryRise([&] { open.Find(last); }); });
            objects = PxTesting::MostObjectsHeld(*VqsGetApp()->GetLink());
        });
    state.counters["peakMB"] = static_cast<double>(peak) / kMegabyte;
    state.counters["objects"] = static_cast<double>(objects);
}

// Find Next from the first report's row of the expanded branch, the last report's name
// being the search text.
void FindNext(benchmark::State& state, bool server)
{
    const std::string last = vqgrowth::Numbered("R", static_cast<int>(state.range(0)) - 1);
    TimeOnView(
        state, vqgrowth::ReportsRepository(static_cast<int>(state.range(0)), server),
        [&](OpenView& open) {
            open.ExpandBranch();
            open.SelectRowOf("R000000");
            open.Find(last);
            open.SelectRowOf("R000000");
        },
        [](OpenView& open) { open.view->SendMessage(WM_COMMAND, kFindNext, 0); });
}

void BM_ExpandBigFolderFile(benchmark::State& state) { Expand(state, false); }
BENCHMARK(BM_ExpandBigFolderFile)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond)->Iterations(2);
void BM_ExpandBigFolderServer(benchmark::State& state) { Expand(state, true); }
BENCHMARK(BM_ExpandBigFolderServer)->Arg(200)->Arg(2000)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_FindInBigFolderFile(benchmark::State& state) { Find(state, false); }
BENCHMARK(BM_FindInBigFolderFile)->Arg(500)->Arg(5000)->Unit(benchmark::kMillisecond)->Iterations(2);
void BM_FindInBigFolderServer(benchmark::State& state) { Find(state, true); }
BENCHMARK(BM_FindInBigFolderServer)->Arg(200)->Arg(2000)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_FindNextInBigFolderFile(benchmark::State& state) { FindNext(state, false); }
BENCHMARK(BM_FindNextInBigFolderFile)->Arg(500)->Arg(5000)->Unit(benchmark::kMillisecond)->Iterations(2);
void BM_FindNextInBigFolderServer(benchmark::State& state) { FindNext(state, true); }
BENCHMARK(BM_FindNextInBigFolderServer)->Arg(200)->Arg(2000)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_FindSystemPastBigSegmentsFile(benchmark::State& state) { FindSystem(state, false); }
BENCHMARK(BM_FindSystemPastBigSegmentsFile)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(2);
void BM_FindSystemPastBigSegmentsServer(benchmark::State& state) { FindSystem(state, true); }
BENCHMARK(BM_FindSystemPastBigSegmentsServer)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_FindLastSystemMemoryFile(benchmark::State& state) { FindLastSystemMemory(state, false); }
BENCHMARK(BM_FindLastSystemMemoryFile)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond)->Iterations(1);
void BM_FindLastSystemMemoryServer(benchmark::State& state) { FindLastSystemMemory(state, true); }
BENCHMARK(BM_FindLastSystemMemoryServer)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_FindSystemMemoryFile(benchmark::State& state) { FindSystemMemory(state, false); }
BENCHMARK(BM_FindSystemMemoryFile)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond)->Iterations(1);
void BM_FindSystemMemoryServer(benchmark::State& state) { FindSystemMemory(state, true); }
BENCHMARK(BM_FindSystemMemoryServer)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
