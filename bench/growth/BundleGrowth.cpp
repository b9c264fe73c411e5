// Generate Bundle of the first bundle of a segment with 10 and 100 bundles, each of the
// segment's 1,000 Ispecs, after a Find that went through every bundle on its way to the last
// one, on a file and on the test server ("trips": its round trips); the picker is cancelled,
// so the time is the refresh of the views that opens the command, which works on what the
// tree holds: after the Find, the way to the last bundle. The view is opened, the Find run and
// the first bundle selected outside the time.
// Expand Branch of the system of a segment of 20 and 200 reports and Ispecs with ten report
// groups and ten bundles naming all of them, on the test server; the counter "trips" is the
// number of round trips to it.
#include "GrowthView.h"

#include "support/ScriptedUiDriver.h"

#include "proxy/PxPostgres.h"
#include "sysview/VqsDirectoryView.h"
#include "win/Messages.h"

#include <string>

namespace {

constexpr int kIspecs = 1000;
constexpr UINT kGenerateBundle = 32828;
constexpr int kBundlePicker = 301;

std::string BundlesDescription(int bundles)
{
    const std::string ispecs = vqgrowth::IspecNames(kIspecs);
    std::string list;
    for (int index = 0; index < bundles; ++index)
        list += std::string(index ? "," : "") + R"({"businessSegment": "BIG", "name": ")" + vqgrowth::Numbered("B", index) +
                R"(", "ispecs": [)" + ispecs + "]}";
    return vqgrowth::OneSystemDescription(vqgrowth::IspecElements(kIspecs), R"("bundles": [)" + list + "]");
}

void GenerateAfterFind(benchmark::State& state, bool onServer)
{
    const int bundles = static_cast<int>(state.range(0));
    const std::string name = "bundles-" + std::to_string(bundles) + "x" + std::to_string(kIspecs);
    const std::string repository = onServer ? vqgrowth::KeptServerRepository(name, BundlesDescription(bundles))
                                            : vqgrowth::FileRepository(name, BundlesDescription(bundles));
    std::int64_t trips = 0;
    vqgrowth::TimeOnView(
        state, repository,
        [&](vqgrowth::OpenView& open) {
            open.Find(vqgrowth::Numbered("B", bundles - 1));
            open.SelectRowOf(vqgrowth::Numbered("B", 0).c_str());
        },
        [&](vqgrowth::OpenView& open) {
            vqtest::ScriptedUiDriver ui;
            ui.ExpectDialog(kBundlePicker).Cancel();
            trips = PxPgConnection::RoundTrips();
            open.view->SendMessage(WM_COMMAND, kGenerateBundle, 0);
            trips = PxPgConnection::RoundTrips() - trips;
            ui.Verify();
        });
    if (onServer)
        state.counters["trips"] = static_cast<double>(trips);
}

void ExpandGroupsAndBundles(benchmark::State& state)
{
    const int members = static_cast<int>(state.range(0));
    const std::string repository = vqgrowth::KeptServerRepository("groups-and-bundles-" + std::to_string(members),
                                                                  vqgrowth::GroupsAndBundlesDescription(members));
    std::int64_t trips = 0;
    vqgrowth::TimeOnView(
        state, repository, [](vqgrowth::OpenView& open) { open.SelectRowOf("SYS1"); },
        [&](vqgrowth::OpenView& open) {
            trips = PxPgConnection::RoundTrips();
            open.ExpandBranch();
            trips = PxPgConnection::RoundTrips() - trips;
        });
    state.counters["trips"] = static_cast<double>(trips);
}

void BM_GenerateBundleAfterFindFile(benchmark::State& state) { GenerateAfterFind(state, false); }
BENCHMARK(BM_GenerateBundleAfterFindFile)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_GenerateBundleAfterFindServer(benchmark::State& state) { GenerateAfterFind(state, true); }
BENCHMARK(BM_GenerateBundleAfterFindServer)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_ExpandGroupsAndBundlesServer(benchmark::State& state) { ExpandGroupsAndBundles(state); }
BENCHMARK(BM_ExpandGroupsAndBundlesServer)->Arg(20)->Arg(200)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
