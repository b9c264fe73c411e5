// Synchronize in Full Auto, each run on a fresh copy of the repository (opening and closing
// the session left out of the time):
// - every component's profile link is stale (the design names no profile for it), so each
//   link's stale part is deleted: 200 and 2,000 components on a file, 20 and 200 on the
//   test server, where the server's write transactions and round trips are counted too,
//   and 200 and 2,000 on the test server after an ANALYZE;
// - a tenth of a segment's reports left the design: 2,000 and 20,000 reports on a file.
#include "GrowthSupport.h"

#include "proxy/PxPostgres.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQEnterprise.h"
#include "proxy/PxVQSystem.h"
#include "shell/VqsSysApp.h"
#include "support/BenchSync.h"

#include <functional>
#include <string>

namespace {

constexpr const char* kSystem = R"(
    "hosts": [{"name": "NTHOST", "hostType": 0, "port": 21}],
    "systems": [{"name": "SYS1", "businessSegments": ["BIG"],
                 "optionSets": [{"name": "NTGEN", "hostType": 0, "host": "NTHOST"}]}]})";

// Components with a profile each over them that the design does not give them as theirs.
std::string StaleProfiles(int components)
{
    std::string elements;
    std::string relations;
    for (int index = 0; index < components; ++index) {
        const std::string component = vqgrowth::Numbered("C", index);
        const std::string profile = vqgrowth::Numbered("P", index);
        elements += std::string(index ? "," : "") + R"({"class": "PxLSEComponent", "name": ")" + component +
                    R"(", "usage": "B", "type": 0}, {"class": "PxLSEProfile", "name": ")" + profile + "\"}";
        relations += std::string(index ? "," : "") + R"({"source": ")" + profile + R"(", "target": ")" + component +
                     R"(", "relation": "O"})";
    }
    return R"({"businessSegments": [{"name": "BIG", "elements": [)" + elements + "], \"relations\": [" + relations +
           "]}]," + kSystem;
}

// Reports of which every tenth left the design.
std::string RemovedReports(int reports)
{
    std::string elements;
    std::string changes;
    for (int index = 0; index < reports; ++index) {
        const std::string name = vqgrowth::Numbered("R", index);
        elements += std::string(index ? "," : "") + R"({"class": "PxLSEReport", "name": ")" + name + "\"}";
        if (index % 10 == 0)
            changes += std::string(changes.empty() ? "" : ",") + R"({"element": ")" + name + R"(", "change": "removed"})";
    }
    return R"({"businessSegments": [{"name": "BIG", "elements": [)" + elements + "], \"designChanges\": [" + changes +
           "]}]," + kSystem;
}

// Synchronises SYS1 on the repository `fresh` gives for each run.
void Synchronise(benchmark::State& state, const std::function<std::string()>& fresh, bool server)
{
    std::int64_t pairs = 0;
    std::int64_t transactions = 0;
    std::int64_t trips = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const std::string repository = fresh();
        VqsSysApp& app = vqgrowth::OpenSession(repository);
        const PxVQCurConfigPtr config = app.GetEnterprise()->GetSystem("SYS1")->GetCurConfig();
        const std::int64_t before = server ? vqgrowth::ServerTransactions(repository) : 0;
        trips = PxPgConnection::RoundTrips();
        state.ResumeTiming();
        if (!vqbench::SynchroniseFullAuto(config, pairs))
            state.SkipWithError("the synchronisation stopped");
        state.PauseTiming();
        trips = PxPgConnection::RoundTrips() - trips;
        // Less the reading of the counter itself.
        transactions = server ? vqgrowth::ServerTransactions(repository) - before - 1 : 0;
        vqgrowth::CloseSession();
        state.ResumeTiming();
    }
    state.counters["pairs"] = static_cast<double>(pairs);
    if (server) {
        state.counters["transactions"] = static_cast<double>(transactions);
        state.counters["trips"] = static_cast<double>(trips);
    }
}

void BM_SyncStaleProfilesFile(benchmark::State& state)
{
    const int components = static_cast<int>(state.range(0));
    const std::string source =
        vqgrowth::FileRepository("stale-profiles-" + std::to_string(components), StaleProfiles(components));
    Synchronise(state, [&] { return vqgrowth::FreshCopy(source); }, false);
}
BENCHMARK(BM_SyncStaleProfilesFile)->Arg(200)->Arg(2000)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_SyncStaleProfilesServer(benchmark::State& state)
{
    const int components = static_cast<int>(state.range(0));
    Synchronise(state, [&] { return vqgrowth::ServerRepository(StaleProfiles(components)); }, true);
}
BENCHMARK(BM_SyncStaleProfilesServer)->Arg(20)->Arg(200)->Unit(benchmark::kMillisecond)->Iterations(2);

// The same after an ANALYZE of the whole repository: the server's statistics say the lock
// tables are empty, however many locks the synchronisation takes.
void BM_SyncStaleProfilesServerAnalyzed(benchmark::State& state)
{
    const int components = static_cast<int>(state.range(0));
    Synchronise(
        state,
        [&] {
            const std::string uri = vqgrowth::ServerRepository(StaleProfiles(components));
            vqgrowth::Analyze(uri);
            return uri;
        },
        true);
}
BENCHMARK(BM_SyncStaleProfilesServerAnalyzed)->Arg(200)->Arg(2000)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_SyncRemovedReportsFile(benchmark::State& state)
{
    const int reports = static_cast<int>(state.range(0));
    const std::string source =
        vqgrowth::FileRepository("removed-reports-" + std::to_string(reports), RemovedReports(reports));
    Synchronise(state, [&] { return vqgrowth::FreshCopy(source); }, false);
}
BENCHMARK(BM_SyncRemovedReportsFile)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace
