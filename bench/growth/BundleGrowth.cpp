// Generate Bundle of the first bundle of a segment with 10 and 100 bundles, each of the
// segment's 200 Ispecs, after a Find that went through every bundle on its way to the last
// one; the picker is cancelled, so the time is the refresh of the views that opens the
// command, which works on what the tree holds: after the Find, the way to the last bundle.
// The view is opened, the Find run and the first bundle selected outside the time.
#include "GrowthView.h"

#include "support/ScriptedUiDriver.h"

#include "sysview/VqsDirectoryView.h"
#include "win/Messages.h"

#include <string>

namespace {

constexpr int kIspecs = 200;
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

void GenerateAfterFind(benchmark::State& state)
{
    const int bundles = static_cast<int>(state.range(0));
    const std::string repository =
        vqgrowth::FileRepository("bundles-" + std::to_string(bundles), BundlesDescription(bundles));
    vqgrowth::TimeOnView(
        state, repository,
        [&](vqgrowth::OpenView& open) {
            open.Find(vqgrowth::Numbered("B", bundles - 1));
            open.SelectRowOf(vqgrowth::Numbered("B", 0).c_str());
        },
        [](vqgrowth::OpenView& open) {
            vqtest::ScriptedUiDriver ui;
            ui.ExpectDialog(kBundlePicker).Cancel();
            open.view->SendMessage(WM_COMMAND, kGenerateBundle, 0);
            ui.Verify();
        });
}

void BM_GenerateBundleAfterFindFile(benchmark::State& state) { GenerateAfterFind(state); }
BENCHMARK(BM_GenerateBundleAfterFindFile)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace
