// A host's second Prepare of SALES inside its open transaction, a team's shape on the test
// server: 100, 1,000 and 5,000 systems all on one segment of ten elements. The repository's QSR
// Ispec records carry their subsystem numbers (a host transaction of two Prepares, closed,
// gives them first). Counters: the round trips of the first Prepare ("firstTrips") and of the
// second ("trips"), the steps of editions the host transaction stored ("editionSteps"), and
// how far the process's memory rose at its highest during the second Prepare ("peakMB").
// The time is the second Prepare's. Goal: it costs what the first does (its locks), flat in the option records,
// and the transaction moves no edition.
#include "GrowthSupport.h"

#include "proxy/PxPostgres.h"
#include "shell/VqsSysApp.h"

#include <cstdint>
#include <string>

namespace {

std::int64_t Editions(const std::string& uri)
{
    return vqgrowth::NumberOf(uri, "SELECT sum(edition) FROM vq_repository.px_object");
}

bool Prepare(VqsSysApp& app, std::int64_t& trips)
{
    const std::int64_t before = PxPgConnection::RoundTrips();
    const bool prepared = app.PrepareForTransaction("SALES", 0) != FALSE;
    trips = PxPgConnection::RoundTrips() - before;
    return prepared;
}

void BM_SecondPrepareInHostTransactionServer(benchmark::State& state)
{
    const std::string uri = vqgrowth::OneSegmentSystems(static_cast<int>(state.range(0)), true);
    VqsSysApp& app = vqgrowth::OpenSession(uri);
    std::int64_t first = 0;
    std::int64_t second = 0;
    if (!Prepare(app, first) || !Prepare(app, second))
        state.SkipWithError("the prepare failed");
    app.TransactionClosed();
    const std::int64_t numbered = Editions(uri);
    std::int64_t peak = 0;
    for (auto _ : state) {
        state.PauseTiming();
        if (!Prepare(app, first))
            state.SkipWithError("the first prepare failed");
        state.ResumeTiming();
        peak = vqgrowth::PeakMemoryRise([&] {
            if (!Prepare(app, second))
                state.SkipWithError("the second prepare failed");
        });
        state.PauseTiming();
        app.TransactionClosed();
        state.ResumeTiming();
    }
    vqgrowth::CloseSession();
    state.counters["firstTrips"] = static_cast<double>(first);
    state.counters["trips"] = static_cast<double>(second);
    state.counters["editionSteps"] = static_cast<double>(Editions(uri) - numbered);
    state.counters["peakMB"] = static_cast<double>(peak) / 1e6;
}
BENCHMARK(BM_SecondPrepareInHostTransactionServer)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(5000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

} // namespace
