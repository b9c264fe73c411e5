// A generation's progress events on the test server: Generate System of SYS1 of the sample
// scaled to 100 and 1,000 elements a segment, then one progress event for each element and the
// last event, which ends the generation, as the generation client plays them to the host's
// frame. Beside the time of the events, what they asked of the server: the events played
// ("events"), the round trips each took ("trips/event": each event checks the generation's
// claim on its set), those of the last ("last trips": it lifts the set's hold and gives the
// claim back), those of the whole generation with its start ("generation trips") and the
// transactions the server began for the events ("xacts/event"). The view, the start and the
// opening of the session are outside the time.
#include "GrowthView.h"
#include "ServerStep.h"

#include "support/ScriptedUiDriver.h"

#include "proxy/PxPostgres.h"
#include "sysview/VqsDirectoryView.h"
#include "sysview/VqsSysFrame.h"
#include "vqclient/VqcTesting.h"
#include "win/Messages.h"

#include <cstdint>
#include <string>

namespace {

constexpr UINT kGenerateSystem = 32792;
constexpr UINT kGenerateDialog = 160;
constexpr UINT kProgressDialog = 105;
constexpr int kProgress = 1;
constexpr int kFinished = 3;
constexpr const char* kSystemRow = "Sample system 1";

// The round trips and transactions of the process's server connections since the mark.
struct Trips {
    std::int64_t trips = PxPgConnection::RoundTrips();
    std::int64_t transactions = PxPgConnection::Transactions();
    std::int64_t Since() const { return PxPgConnection::RoundTrips() - trips; }
    std::int64_t TransactionsSince() const { return PxPgConnection::Transactions() - transactions; }
};

// Plays the event to the generation's frame, which takes its text as the host's loop runs.
void Play(unsigned long number, int code, const std::string& text)
{
    vqclient::PlayProgress(number, code, text);
    vqwin::PumpPending();
}

void BM_GenerationEventsServer(benchmark::State& state)
{
    const std::int64_t elements = state.range(0);
    const std::string repository = vqgrowth::ScaledSampleOnServer(static_cast<int>(elements), false);
    std::int64_t generationTrips = 0;
    std::int64_t eventTrips = 0;
    std::int64_t eventTransactions = 0;
    std::int64_t lastTrips = 0;
    unsigned long number = 0;
    vqgrowth::TimeOnView(
        state, repository,
        [&](vqgrowth::OpenView& open) {
            open.SelectRowOf(kSystemRow);
            open.view->GetSysFrame()->SetCurrentOptionSet(vqgrowth::SampleConfig()->GetOptionSet("NTGEN"));
            const Trips start;
            vqtest::ScriptedUiDriver ui;
            ui.WheneverDialog(kProgressDialog);
            ui.ExpectDialog(kGenerateDialog).OK();
            open.view->SendMessage(WM_COMMAND, kGenerateSystem, 0);
            ui.Verify();
            number = vqclient::LastGenerateNumber();
            generationTrips = start.Since();
        },
        [&](vqgrowth::OpenView&) {
            const Trips events;
            for (std::int64_t element = 1; element <= elements; ++element)
                Play(number, kProgress, "Generating element " + std::to_string(element));
            const Trips last;
            Play(number, kFinished, "Generation finished");
            lastTrips = last.Since();
            eventTrips = events.Since();
            eventTransactions = events.TransactionsSince();
        });
    if (number == 0)
        state.SkipWithError("the command started no generation");
    const double played = static_cast<double>(elements + 1);
    state.counters["events"] = played;
    state.counters["trips/event"] = static_cast<double>(eventTrips) / played;
    state.counters["last trips"] = static_cast<double>(lastTrips);
    state.counters["generation trips"] = static_cast<double>(generationTrips + eventTrips);
    state.counters["xacts/event"] = static_cast<double>(eventTransactions) / played;
    vqgrowth::CloseSession();
    vqclient::Reset();
}
BENCHMARK(BM_GenerationEventsServer)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
