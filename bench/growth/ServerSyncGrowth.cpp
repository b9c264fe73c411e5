// Synchronize in Full Auto of SYS1 of the sample scaled to 500 and 5,000 elements a segment,
// on a fresh repository of the test server for each run: as vqsrepo leaves it, and after an
// ANALYZE of the whole repository. Beside the time, the counters of ServerStep.h, the buffers
// the server touched from the session's opening to its end, and the pairs the synchronisation
// found.
#include "ServerStep.h"

#include "support/BenchSync.h"

#include <string>

namespace {

void SynchroniseScaledSample(benchmark::State& state, bool analyzed)
{
    const int elements = static_cast<int>(state.range(0));
    std::int64_t pairs = 0;
    std::int64_t links = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const std::string repository = vqgrowth::ScaledSampleOnServer(elements, analyzed);
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

void BM_SyncScaledSampleServer(benchmark::State& state) { SynchroniseScaledSample(state, false); }
BENCHMARK(BM_SyncScaledSampleServer)->Arg(500)->Arg(5000)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_SyncScaledSampleServerAnalyzed(benchmark::State& state) { SynchroniseScaledSample(state, true); }
BENCHMARK(BM_SyncScaledSampleServerAnalyzed)->Arg(500)->Arg(5000)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
