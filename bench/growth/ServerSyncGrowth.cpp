// Synchronize in Full Auto of SYS1 on a fresh repository of the test server for each run, as
// vqsrepo leaves it and after an ANALYZE of the whole repository (for the out-of-date links also
// one taken while another session held many locks): of the sample scaled to 500
// and 5,000 elements a segment, and of 1,000 and 10,000 reports whose links keep an earlier
// revision. Beside the time, the counters of ServerStep.h, the buffers
// the server touched from the session's opening to its end, and the pairs the synchronisation
// found.
#include "ServerStep.h"

#include "support/BenchSync.h"

#include <functional>
#include <string>

namespace {

// SYS1 of that many reports, each link keeping an earlier revision than the design's.
std::string OutdatedLinks(int reports)
{
    std::string changes;
    for (int index = 0; index < reports; ++index)
        changes += std::string(index ? "," : "") + R"({"businessSegment": "BIG", "element": ")" +
                   vqgrowth::Numbered("R", index) + R"(", "change": "outdated"})";
    return vqgrowth::OneSystemDescription(vqgrowth::ReportElements(reports), "\"linkChanges\": [" + changes + "]");
}

// Synchronises SYS1 of the repository `made` gives for each run.
void Synchronise(benchmark::State& state, const std::function<std::string()>& made)
{
    std::int64_t pairs = 0;
    std::int64_t links = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const std::string repository = made();
        const std::int64_t buffers = vqgrowth::ServerBuffers(repository);
        vqgrowth::OpenSession(repository);
        const PxVQCurConfigPtr config = vqgrowth::SampleConfig();
        vqgrowth::ServerCount count(repository);
        state.ResumeTiming();
        if (!vqbench::SynchroniseFullAuto(config, pairs))
            state.SkipWithError("the synchronisation stopped");
        state.PauseTiming();
        count.Stop();
        links = vqgrowth::ElementLinks(config);
        count.Report(state, links);
        vqgrowth::CloseSession();
        state.counters["buffers"] = static_cast<double>(vqgrowth::ServerBuffers(repository) - buffers);
        state.ResumeTiming();
    }
    state.counters["pairs"] = static_cast<double>(pairs);
}

void SynchroniseScaledSample(benchmark::State& state, bool analyzed)
{
    const int elements = static_cast<int>(state.range(0));
    Synchronise(state, [&] { return vqgrowth::ScaledSampleOnServer(elements, analyzed); });
}

void BM_SyncScaledSampleServer(benchmark::State& state) { SynchroniseScaledSample(state, false); }
BENCHMARK(BM_SyncScaledSampleServer)->Arg(500)->Arg(5000)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_SyncScaledSampleServerAnalyzed(benchmark::State& state) { SynchroniseScaledSample(state, true); }
BENCHMARK(BM_SyncScaledSampleServerAnalyzed)->Arg(500)->Arg(5000)->Unit(benchmark::kMillisecond)->Iterations(1);

// The server's statistics never taken, taken while the lock tables were empty, and taken while
// another session held many locks: the first Synchronize of 10,000 links within 13x of 1,000
// whichever.
enum class Statistics { Never, LockTablesEmpty, LockTablesFull };

void SynchroniseOutdatedLinks(benchmark::State& state, Statistics statistics)
{
    const int reports = static_cast<int>(state.range(0));
    Synchronise(state, [&] {
        const std::string uri = vqgrowth::ServerRepository(OutdatedLinks(reports));
        if (statistics == Statistics::LockTablesEmpty)
            vqgrowth::Analyze(uri);
        if (statistics == Statistics::LockTablesFull)
            vqgrowth::AnalyzeWhileAnotherSessionHoldsLocks(uri, 20000);
        return uri;
    });
}

void BM_SyncOutdatedLinksServer(benchmark::State& state) { SynchroniseOutdatedLinks(state, Statistics::Never); }
BENCHMARK(BM_SyncOutdatedLinksServer)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_SyncOutdatedLinksServerAnalyzed(benchmark::State& state)
{
    SynchroniseOutdatedLinks(state, Statistics::LockTablesEmpty);
}
BENCHMARK(BM_SyncOutdatedLinksServerAnalyzed)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_SyncOutdatedLinksServerAnalyzedFull(benchmark::State& state)
{
    SynchroniseOutdatedLinks(state, Statistics::LockTablesFull);
}
BENCHMARK(BM_SyncOutdatedLinksServerAnalyzedFull)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
