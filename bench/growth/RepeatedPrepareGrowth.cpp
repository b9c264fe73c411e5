// A host's second Prepare of SALES inside its open transaction, and the transaction's end, a
// team's shape on the test server: 100, 1,000 and 5,000 systems all on one segment of ten
// elements. A first host transaction of two Prepares, closed, gives the repository's QSR Ispec
// records their subsystem numbers; the one measured finds them numbered. Counters: the round
// trips of the Prepare that numbered every record ("numberingTrips"), of the measured
// transaction's first Prepare ("firstTrips"), of its second ("trips") and of its end, Transaction
// Closed and the host's idle after it ("endTrips"), the lock-store calls of that end
// ("endUnlockCalls"), the steps of editions the measured transaction stored ("editionSteps"), and
// how far the process's memory rose at its highest during the first Prepare ("firstPeakMB") and
// during the second and the end ("peakMB"). The time is the second Prepare's and the end's.
// Goal: the second Prepare costs what the first does (its locks), flat in the option records;
// the end gives back what the transaction held in a few lock-store calls whatever the number of
// systems; the numbering Prepare's trips are flat in the records; the transaction moves no
// edition; and the second Prepare takes no more memory than the first.
#include "GrowthSupport.h"

#include "proxy/PxPostgres.h"
#include "proxy/PxTesting.h"
#include "shell/VqsSysApp.h"

#include <cstdint>
#include <string>

namespace {

std::int64_t Editions(const std::string& uri)
{
    return vqgrowth::NumberOf(uri, "SELECT sum(edition) FROM vq_repository.px_object");
}

// The round trips and lock-store calls of the step.
struct Cost {
    std::int64_t trips = 0;
    std::uint64_t unlockCalls = 0;
};

template <class Step>
Cost Measured(Step step)
{
    const std::int64_t trips = PxPgConnection::RoundTrips();
    const std::uint64_t unlockCalls = PxTesting::UnlockCalls();
    step();
    return {PxPgConnection::RoundTrips() - trips, PxTesting::UnlockCalls() - unlockCalls};
}

bool Prepare(VqsSysApp& app, std::int64_t& trips)
{
    bool prepared = false;
    trips = Measured([&] { prepared = app.PrepareForTransaction("SALES", 0) != FALSE; }).trips;
    return prepared;
}

Cost End(VqsSysApp& app)
{
    return Measured([&] {
        app.TransactionClosed();
        app.OnHostIdle();
    });
}

void BM_SecondPrepareInHostTransactionServer(benchmark::State& state)
{
    const std::string uri = vqgrowth::OneSegmentSystems(static_cast<int>(state.range(0)), true);
    VqsSysApp& app = vqgrowth::OpenSession(uri);
    std::int64_t first = 0;
    std::int64_t numbering = 0;
    if (!Prepare(app, first) || !Prepare(app, numbering))
        state.SkipWithError("the prepare failed");
    End(app);
    const std::int64_t numbered = Editions(uri);
    std::int64_t second = 0;
    Cost end;
    std::int64_t firstPeak = 0;
    std::int64_t peak = 0;
    for (auto _ : state) {
        state.PauseTiming();
        firstPeak = vqgrowth::PeakMemoryRise([&] {
            if (!Prepare(app, first))
                state.SkipWithError("the first prepare failed");
        });
        state.ResumeTiming();
        peak = vqgrowth::PeakMemoryRise([&] {
            if (!Prepare(app, second))
                state.SkipWithError("the second prepare failed");
            end = End(app);
        });
    }
    vqgrowth::CloseSession();
    state.counters["numberingTrips"] = static_cast<double>(numbering);
    state.counters["firstTrips"] = static_cast<double>(first);
    state.counters["trips"] = static_cast<double>(second);
    state.counters["endTrips"] = static_cast<double>(end.trips);
    state.counters["endUnlockCalls"] = static_cast<double>(end.unlockCalls);
    state.counters["editionSteps"] = static_cast<double>(Editions(uri) - numbered);
    state.counters["firstPeakMB"] = static_cast<double>(firstPeak) / 1e6;
    state.counters["peakMB"] = static_cast<double>(peak) / 1e6;
}
BENCHMARK(BM_SecondPrepareInHostTransactionServer)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(5000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

} // namespace
