// Synchronize in Full Auto of SYS1 of the sample scaled to 500 and 5,000 elements a segment,
// on a fresh repository of the test server for each run: as vqsrepo leaves it, and after an
// ANALYZE of the whole repository (its lock tables empty, so the server's statistics say
// they hold nothing). Beside the time: the element links synchronised, the round trips to the
// server per link ("trips/link") and the server's write transactions ("writes").
#include "GrowthSupport.h"

#include "support/BenchSync.h"
#include "support/PgTestServer.h"

#include "proxy/PxPostgres.h"
#include "proxy/PxTypedList.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQElementSoftLink.h"
#include "proxy/PxVQEnterprise.h"
#include "proxy/PxVQSystem.h"
#include "repo/RepoFile.h"
#include "repo/RepoSample.h"
#include "shell/VqsSysApp.h"

#include <string>

namespace {

std::string ScaledSample(int elements, bool analyzed)
{
    const std::string uri = vqtest::PgTestServer::Instance().NewDatabase();
    vqrepo::CreateRepositoryFile(uri, vqrepo::SampleDescription({1, 1, elements}));
    if (analyzed)
        vqgrowth::Analyze(uri);
    return uri;
}

std::int64_t ElementLinks(const PxVQCurConfigPtr& config)
{
    std::int64_t links = 0;
    PxTypedList<PxVQBSSoftLinkPtr> segments;
    config->GetListOfBSSoftLinks(segments);
    for (POSITION pos = segments.GetHeadPosition(); pos;) {
        PxTypedList<PxVQElementSoftLinkPtr> elements;
        segments.GetNext(pos)->GetListOfElementSoftLinks(elements);
        links += elements.GetCount();
    }
    return links;
}

void SynchroniseScaledSample(benchmark::State& state, bool analyzed)
{
    const int elements = static_cast<int>(state.range(0));
    std::int64_t pairs = 0;
    std::int64_t links = 0;
    std::int64_t trips = 0;
    std::int64_t writes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const std::string repository = ScaledSample(elements, analyzed);
        VqsSysApp& app = vqgrowth::OpenSession(repository);
        const PxVQCurConfigPtr config = app.GetEnterprise()->GetSystem("SYS1")->GetCurConfig();
        const std::int64_t writesBefore = vqgrowth::ServerTransactions(repository);
        const std::int64_t tripsBefore = PxPgConnection::RoundTrips();
        state.ResumeTiming();
        if (!vqbench::SynchroniseFullAuto(config, pairs))
            state.SkipWithError("the synchronisation stopped");
        state.PauseTiming();
        trips = PxPgConnection::RoundTrips() - tripsBefore;
        // Less the reading of the counter itself.
        writes = vqgrowth::ServerTransactions(repository) - writesBefore - 1;
        links = ElementLinks(config);
        vqgrowth::CloseSession();
        state.ResumeTiming();
    }
    state.counters["links"] = static_cast<double>(links);
    state.counters["pairs"] = static_cast<double>(pairs);
    state.counters["trips/link"] = links ? static_cast<double>(trips) / static_cast<double>(links) : 0;
    state.counters["writes"] = static_cast<double>(writes);
}

void BM_SyncScaledSampleServer(benchmark::State& state) { SynchroniseScaledSample(state, false); }
BENCHMARK(BM_SyncScaledSampleServer)->Arg(500)->Arg(5000)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_SyncScaledSampleServerAnalyzed(benchmark::State& state) { SynchroniseScaledSample(state, true); }
BENCHMARK(BM_SyncScaledSampleServerAnalyzed)->Arg(500)->Arg(5000)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
