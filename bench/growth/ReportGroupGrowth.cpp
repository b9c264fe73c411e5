// Generate Report Group of a segment with ten report groups, each naming every report of the
// segment: the dialog opens on the first group, the user picks each other group in turn, then
// all reports, and cancels. Segments of 100 and 1,000 reports on a file, 20 and 200 on the
// test server; the view is opened and the group selected outside the time.
#include "GrowthView.h"

#include "support/ScriptedUiDriver.h"

#include "sysview/VqsDirectoryView.h"
#include "win/Messages.h"

#include <string>

namespace {

constexpr int kGroups = 10;
constexpr UINT kGenerateReports = 32808;
constexpr UINT kGenerateReportsDialog = 222;
constexpr int kGroupCombo = 32866;
constexpr int kAllReports = 0;

std::string GroupsDescription(int reports)
{
    const std::string aliases = vqgrowth::ReportAliases(reports);
    std::string groups;
    for (int index = 0; index < kGroups; ++index)
        groups += std::string(index ? "," : "") + R"({"businessSegment": "BIG", "name": ")" +
                  vqgrowth::Numbered("G", index) + R"(", "longName": ")" + vqgrowth::Numbered("G", index) +
                  R"(", "aliases": [)" + aliases + "]}";
    return vqgrowth::OneSystemDescription(vqgrowth::ReportElements(reports), R"("reportGroups": [)" + groups + "]");
}

std::string Repository(int reports, bool server)
{
    return vqgrowth::KeptRepository("groups-" + std::to_string(reports), GroupsDescription(reports), server);
}

void ChangeGroups(benchmark::State& state, bool server)
{
    vqgrowth::TimeOnView(
        state, Repository(static_cast<int>(state.range(0)), server),
        [](vqgrowth::OpenView& open) {
            open.ExpandBranch();
            open.SelectRowOf(vqgrowth::Numbered("G", 0).c_str());
        },
        [](vqgrowth::OpenView& open) {
            vqtest::ScriptedUiDriver ui;
            auto& dialog = ui.ExpectDialog(kGenerateReportsDialog);
            for (int group = 2; group <= kGroups; ++group)
                dialog.Select(kGroupCombo, group);
            dialog.Select(kGroupCombo, kAllReports).Cancel();
            open.view->SendMessage(WM_COMMAND, kGenerateReports, 0);
            ui.Verify();
        });
}

void BM_ReportGroupChangesFile(benchmark::State& state) { ChangeGroups(state, false); }
BENCHMARK(BM_ReportGroupChangesFile)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(1);
void BM_ReportGroupChangesServer(benchmark::State& state) { ChangeGroups(state, true); }
BENCHMARK(BM_ReportGroupChangesServer)->Arg(20)->Arg(200)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
