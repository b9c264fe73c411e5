// A repository of many small systems (100 and 1,000), on a file and on the test server:
// - the dump of the whole repository (vqsrepo dump);
// - Expand Branch of the enterprise at the top of the system view (every system's branch
//   fills); the view is opened and closed outside the time;
// - Find of the last system from the top row (the search reads every earlier system's branch).
// The same Expand Branch and Find on the test server with systems of the sample's shape (the
// sample scaled to ten segments and as many systems as asked, each of one segment with the
// sample's own elements); "trips/system" counts the round trips a system. Again with every
// system on one segment of the sample's elements and ten more (1,000 and 5,000 systems):
// Expand Branch's round trips should stay a few a level of the tree however many systems
// there are, its server processor time ("serverCPU", ServerWork.h) grow no more than 6x, with
// no temporary file; Find's round trips (also at 100 systems) about as many whatever the systems
// it passes, its memory at its highest ("peakMB") no more than a chunk of what it reads ahead
// and the branch it is in. So too Find Next from the fourth system through every system after
// it (100 and 1,000 systems): at 1,000 at most 1.5x the round trips at 100, the most objects
// of the repository held at once ("mostHeld") about as many.
// The dump also at 10 systems, and on a file at 10,000, with the memory it takes at its
// highest ("peakMB"), its text counted as it is written rather than kept; and the dump of
// the sample scaled to 1,000 and 10,000 elements a segment on the test server.
// Synchronize and Generate Reports (its dialog answered with OK, NTGEN the frame's generate
// set) of Sample system 1 on the test server with the view open on the sample's systems: a
// step on one system, whose round trips should not grow with the others.
// Each system takes one of ten business segments of a few elements and has one generate
// set. On the server the counter "trips" is the number of round trips to it, "xacts" the
// transactions it began.
#include "GrowthSupport.h"
#include "GrowthView.h"
#include "ServerStep.h"
#include "ServerWork.h"

#include "support/ScriptedUiDriver.h"

#include "generate/VqsGenerateCommands.h"
#include "proxy/PxRepositoryDump.h"
#include "proxy/PxTesting.h"
#include "proxy/PxVQLink.h"
#include "proxy/PxVQOptionSet.h"
#include "shell/VqsSysApp.h"
#include "sysview/VqsDirectoryView.h"
#include "sysview/VqsSysFrame.h"
#include "vqclient/VqcTesting.h"
#include "win/Messages.h"

#include <functional>
#include <ostream>
#include <streambuf>
#include <string>

namespace {

constexpr int kSegments = 10;
constexpr UINT kLockProgressDialog = 105;
constexpr UINT kGenerateReportsDialog = 222;
constexpr UINT kFindNext = 57640;

std::string Segment(int index)
{
    struct Kind {
        const char* className;
        const char* prefix;
    };
    static const Kind kinds[] = {{"PxLSEReport", "R"}, {"PxLSEIspec", "I"}, {"PxLSEEvent", "E"}, {"PxLSEProfile", "P"}};
    std::string elements;
    for (const Kind& kind : kinds)
        elements += std::string(elements.empty() ? "" : ",") + R"({"class": ")" + kind.className +
                    R"(", "name": ")" + vqgrowth::Numbered(kind.prefix, index) + "\"}";
    return R"({"name": ")" + vqgrowth::Numbered("SEG", index) + R"(", "elements": [)" + elements + "]}";
}

std::string SystemsDescription(int systems)
{
    std::string segments;
    for (int index = 0; index < kSegments; ++index)
        segments += std::string(index ? "," : "") + Segment(index);
    std::string list;
    for (int index = 0; index < systems; ++index)
        list += std::string(index ? "," : "") + R"({"name": ")" + vqgrowth::Numbered("SYS", index) +
                R"(", "businessSegments": [")" + vqgrowth::Numbered("SEG", index % kSegments) +
                R"("], "optionSets": [{"name": "NTGEN", "hostType": 0, "host": "NTHOST"}]})";
    return R"({"businessSegments": [)" + segments + R"(],
               "hosts": [{"name": "NTHOST", "hostType": 0, "port": 21}],
               "systems": [)" +
           list + "]}";
}

std::string Repository(int systems, bool server)
{
    const std::string name = "systems-" + std::to_string(systems);
    const std::string json = SystemsDescription(systems);
    return vqgrowth::KeptRepository(name, json, server);
}

using vqgrowth::Timed;

// Counts what is written to it and keeps nothing.
class CountingBuffer : public std::streambuf {
public:
    std::size_t Count() const { return m_count; }

protected:
    int_type overflow(int_type c) override
    {
        ++m_count;
        return traits_type::not_eof(c);
    }
    std::streamsize xsputn(const char*, std::streamsize count) override
    {
        m_count += static_cast<std::size_t>(count);
        return count;
    }

private:
    std::size_t m_count = 0;
};

void Dump(benchmark::State& state, const std::string& repository, bool server)
{
    std::size_t size = 0;
    std::int64_t peak = 0;
    for (auto _ : state) {
        CountingBuffer counted;
        std::ostream out(&counted);
        Timed(state, server, [&] { peak = vqgrowth::PeakMemoryRise([&] { PxRepositoryDump::WriteFile(repository, out); }); });
        size = counted.Count();
    }
    state.counters["bytes"] = static_cast<double>(size);
    state.counters["peakMB"] = static_cast<double>(peak) / 1e6;
}

void Expand(benchmark::State& state, bool server)
{
    vqgrowth::TimeOnView(
        state, Repository(static_cast<int>(state.range(0)), server), [](vqgrowth::OpenView&) {},
        [&](vqgrowth::OpenView& open) { Timed(state, server, [&] { open.ExpandBranch(); }); });
}

void Find(benchmark::State& state, bool server)
{
    const std::string last = vqgrowth::Numbered("SYS", static_cast<int>(state.range(0)) - 1);
    vqgrowth::TimeOnView(
        state, Repository(static_cast<int>(state.range(0)), server), [](vqgrowth::OpenView&) {},
        [&](vqgrowth::OpenView& open) { Timed(state, server, [&] { open.Find(last); }); });
}

void Dump(benchmark::State& state, bool server)
{
    Dump(state, Repository(static_cast<int>(state.range(0)), server), server);
}

void PerSystem(benchmark::State& state)
{
    state.counters["trips/system"] = state.counters["trips"] / static_cast<double>(state.range(0));
}

void BM_ExpandSampleSystemsServer(benchmark::State& state)
{
    vqgrowth::TimeOnView(
        state, vqgrowth::SampleSystems(static_cast<int>(state.range(0)), true), [](vqgrowth::OpenView&) {},
        [&](vqgrowth::OpenView& open) { Timed(state, true, [&] { open.ExpandBranch(); }); });
    PerSystem(state);
}
BENCHMARK(BM_ExpandSampleSystemsServer)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_FindSampleSystemsServer(benchmark::State& state)
{
    const int systems = static_cast<int>(state.range(0));
    const std::string last = vqgrowth::SampleSystemAt(systems, systems);
    vqgrowth::TimeOnView(
        state, vqgrowth::SampleSystems(static_cast<int>(state.range(0)), true), [](vqgrowth::OpenView&) {},
        [&](vqgrowth::OpenView& open) { Timed(state, true, [&] { open.Find(last); }); });
    PerSystem(state);
}
BENCHMARK(BM_FindSampleSystemsServer)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_ExpandSampleOnOneSegmentServer(benchmark::State& state)
{
    const std::string repository = vqgrowth::OneSegmentSystems(static_cast<int>(state.range(0)), true);
    vqgrowth::ServerWork work(repository);
    vqgrowth::TimeOnView(
        state, repository, [&](vqgrowth::OpenView&) { work.StepStarts(); },
        [&](vqgrowth::OpenView& open) { Timed(state, true, [&] { open.ExpandBranch(); }); },
        [&](vqgrowth::OpenView&) { work.StepEnded(); });
    work.Report(state);
}
BENCHMARK(BM_ExpandSampleOnOneSegmentServer)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_FindSampleOnOneSegmentServer(benchmark::State& state)
{
    const int systems = static_cast<int>(state.range(0));
    const std::string last = vqgrowth::SampleSystemAt(systems, systems);
    std::int64_t peak = 0;
    vqgrowth::TimeOnView(
        state, vqgrowth::OneSegmentSystems(systems, true), [](vqgrowth::OpenView&) {},
        [&](vqgrowth::OpenView& open) {
            Timed(state, true, [&] { peak = vqgrowth::PeakMemoryRise([&] { open.Find(last); }); });
        });
    state.counters["peakMB"] = static_cast<double>(peak) / 1e6;
}
BENCHMARK(BM_FindSampleOnOneSegmentServer)->Arg(100)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond)->Iterations(1);

// Find Next after a Find of the fourth system (from the third system's row, so that the Find
// passes nothing): the search goes on through every system after it, round the top and back to
// it, and tells that it found nothing. "mostHeld" counts the most objects of the repository
// held at once beyond what the open view holds.
void BM_FindNextFromFourthOnOneSegmentServer(benchmark::State& state)
{
    const int systems = static_cast<int>(state.range(0));
    const std::string fourth = vqgrowth::SampleSystemAt(systems, 4);
    std::size_t heldByView = 0;
    std::size_t mostHeld = 0;
    vqgrowth::TimeOnView(
        state, vqgrowth::OneSegmentSystems(systems, true),
        [&](vqgrowth::OpenView& open) {
            open.SelectRowOf(vqgrowth::SampleSystemAt(systems, 3).c_str());
            open.Find(fourth);
            PxTesting::MostObjectsHeld(*VqsGetApp()->GetLink());
            heldByView = PxTesting::MostObjectsHeld(*VqsGetApp()->GetLink());
        },
        [&](vqgrowth::OpenView& open) {
            vqtest::ScriptedUiDriver ui;
            ui.ExpectMessageBox("Cannot find the node " + fourth, IDOK);
            Timed(state, true, [&] { open.view->SendMessage(WM_COMMAND, kFindNext, 0); });
            ui.Verify();
        },
        [&](vqgrowth::OpenView&) { mostHeld = PxTesting::MostObjectsHeld(*VqsGetApp()->GetLink()) - heldByView; });
    state.counters["mostHeld"] = static_cast<double>(mostHeld);
}
BENCHMARK(BM_FindNextFromFourthOnOneSegmentServer)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(1);

// The step on Sample system 1, with NTGEN the frame's generate set.
void OnFirstSampleSystem(benchmark::State& state, const std::function<void(vqgrowth::OpenView&)>& step)
{
    vqgrowth::TimeOnView(
        state, vqgrowth::SampleSystems(static_cast<int>(state.range(0)), true),
        [](vqgrowth::OpenView& open) {
            open.SelectRowOf("Sample system 1");
            open.view->GetSysFrame()->SetCurrentOptionSet(vqgrowth::SampleConfig()->GetOptionSet("NTGEN"));
        },
        [&](vqgrowth::OpenView& open) {
            const vqgrowth::HeardFrame heard(open.view->GetSysFrame());
            Timed(state, true, [&] { step(open); });
        });
    vqclient::Reset();
}

void BM_SynchronizeOneOfSampleSystemsServer(benchmark::State& state)
{
    OnFirstSampleSystem(state, [](vqgrowth::OpenView& open) {
        vqtest::ScriptedUiDriver ui;
        ui.WheneverDialog(kLockProgressDialog);
        VqsSynchronizeConfig(*open.view);
    });
}
BENCHMARK(BM_SynchronizeOneOfSampleSystemsServer)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_GenerateReportsOneOfSampleSystemsServer(benchmark::State& state)
{
    OnFirstSampleSystem(state, [](vqgrowth::OpenView& open) {
        vqtest::ScriptedUiDriver ui;
        ui.WheneverDialog(kLockProgressDialog);
        ui.ExpectDialog(kGenerateReportsDialog).OK();
        VqsGenerateReports(*open.view);
        ui.Verify();
    });
}
BENCHMARK(BM_GenerateReportsOneOfSampleSystemsServer)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_DumpSystemsFile(benchmark::State& state) { Dump(state, false); }
BENCHMARK(BM_DumpSystemsFile)->Arg(10)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(2);
void BM_DumpSystemsServer(benchmark::State& state) { Dump(state, true); }
BENCHMARK(BM_DumpSystemsServer)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(1);
void BM_DumpScaledSampleServer(benchmark::State& state)
{
    Dump(state, vqgrowth::ScaledSampleOnServer(static_cast<int>(state.range(0)), false), true);
}
BENCHMARK(BM_DumpScaledSampleServer)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_ExpandSystemsFile(benchmark::State& state) { Expand(state, false); }
BENCHMARK(BM_ExpandSystemsFile)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(2);
void BM_ExpandSystemsServer(benchmark::State& state) { Expand(state, true); }
BENCHMARK(BM_ExpandSystemsServer)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_FindSystemsFile(benchmark::State& state) { Find(state, false); }
BENCHMARK(BM_FindSystemsFile)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(2);
void BM_FindSystemsServer(benchmark::State& state) { Find(state, true); }
BENCHMARK(BM_FindSystemsServer)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
