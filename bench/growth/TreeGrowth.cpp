// The system view of a system whose segment holds many reports, on a file; the view is
// opened and closed outside the time:
// - Expand Branch of the system (the Reports folder fills with a row each): 2,000 and 20,000;
// - Find of the last report from the system's row (the search reads the branch, then the
//   rows of the found report's ancestors' children are added): 500 and 5,000;
// - Find Next of the last report from the first report's row (the search steps through
//   every sibling): 500 and 5,000.
#include "GrowthSupport.h"

#include "support/ScriptedUiDriver.h"

#include "shell/VqsSysApp.h"
#include "sysview/VqsDirectoryView.h"
#include "sysview/VqsSysFrame.h"
#include "win/CListCtrl.h"
#include "win/Messages.h"

#include <stdexcept>
#include <string>

namespace {

constexpr int kExpandBranch = 32797;
constexpr UINT kFind = 57636;
constexpr UINT kFindNext = 57640;
constexpr int kFindDialog = 143;
constexpr int kFindText = 1403;

class Host : public CWnd {
public:
    Host() { CreateEx(0, "GrowthHost", "", WS_POPUP | WS_VISIBLE, 0, 0, 1006, 600, nullptr, nullptr); }
};

std::string Reports(int reports)
{
    std::string elements;
    for (int index = 0; index < reports; ++index)
        elements += std::string(index ? "," : "") + R"({"class": "PxLSEReport", "name": ")" +
                    vqgrowth::Numbered("R", index) + "\"}";
    return R"({"businessSegments": [{"name": "BIG", "elements": [)" + elements + R"(]}],
               "hosts": [{"name": "NTHOST", "hostType": 0, "port": 21}],
               "systems": [{"name": "SYS1", "businessSegments": ["BIG"],
                            "optionSets": [{"name": "NTGEN", "hostType": 0, "host": "NTHOST"}]}]})";
}

void BM_ExpandBigFolderFile(benchmark::State& state)
{
    const int reports = static_cast<int>(state.range(0));
    vqgrowth::OpenSession(vqgrowth::FileRepository("reports-" + std::to_string(reports), Reports(reports)));
    Host host;
    int rows = 0;
    for (auto _ : state) {
        state.PauseTiming();
        VqsSysFrame* frame = VqsSysFrame::CreateSystemFrame(host.m_hWnd, nullptr, nullptr, nullptr);
        if (!frame)
            throw std::runtime_error("the system view cannot be opened");
        VqsDirectoryView* view = frame->GetDirectoryView();
        CListCtrl& list = view->GetListCtrl();
        list.SetItemState(-1, 0, LVIS_SELECTED);
        list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
        state.ResumeTiming();
        view->SendMessage(WM_COMMAND, kExpandBranch, 0);
        state.PauseTiming();
        rows = list.GetItemCount();
        frame->DestroyWindow();
        vqwin::PumpPending();
        state.ResumeTiming();
    }
    state.counters["rows"] = rows;
}
BENCHMARK(BM_ExpandBigFolderFile)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond)->Iterations(2);

// Find (or Find Next, from the first report's row of the expanded branch) of the last
// report, from a view just opened on the system's row.
void TimeFind(benchmark::State& state, bool next)
{
    const int reports = static_cast<int>(state.range(0));
    vqgrowth::OpenSession(vqgrowth::FileRepository("reports-" + std::to_string(reports), Reports(reports)));
    const std::string last = vqgrowth::Numbered("R", reports - 1);
    Host host;
    int rows = 0;
    for (auto _ : state) {
        state.PauseTiming();
        VqsSysFrame* frame = VqsSysFrame::CreateSystemFrame(host.m_hWnd, nullptr, nullptr, nullptr);
        if (!frame)
            throw std::runtime_error("the system view cannot be opened");
        VqsDirectoryView* view = frame->GetDirectoryView();
        CListCtrl& list = view->GetListCtrl();
        list.SetItemState(-1, 0, LVIS_SELECTED);
        list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
        const auto selectFirstReport = [&] {
            LVFINDINFO find{};
            find.flags = LVFI_PARTIAL | LVFI_STRING;
            find.psz = "R000000";
            const int first = list.FindItem(&find, -1);
            list.SetItemState(-1, 0, LVIS_SELECTED);
            list.SetItemState(first, LVIS_SELECTED, LVIS_SELECTED);
        };
        if (next) {
            view->SendMessage(WM_COMMAND, kExpandBranch, 0);
            selectFirstReport();
            vqtest::ScriptedUiDriver ui;
            ui.ExpectDialog(kFindDialog).Replace(kFindText, last).OK();
            view->SendMessage(WM_COMMAND, kFind, 0);
            selectFirstReport();
        }
        state.ResumeTiming();
        if (next) {
            view->SendMessage(WM_COMMAND, kFindNext, 0);
        } else {
            vqtest::ScriptedUiDriver ui;
            ui.ExpectDialog(kFindDialog).Replace(kFindText, last).OK();
            view->SendMessage(WM_COMMAND, kFind, 0);
        }
        state.PauseTiming();
        rows = list.GetItemCount();
        frame->DestroyWindow();
        vqwin::PumpPending();
        state.ResumeTiming();
    }
    state.counters["rows"] = rows;
}

void BM_FindInBigFolderFile(benchmark::State& state) { TimeFind(state, false); }
BENCHMARK(BM_FindInBigFolderFile)->Arg(500)->Arg(5000)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_FindNextInBigFolderFile(benchmark::State& state) { TimeFind(state, true); }
BENCHMARK(BM_FindNextInBigFolderFile)->Arg(500)->Arg(5000)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace
