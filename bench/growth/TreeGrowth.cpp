// The system view of a system whose segment holds many reports, on a file and on the test
// server (a tenth of the sizes); the view is opened and closed outside the time:
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

// The repository of that many reports, on a file or on the test server.
std::string Repository(int reports, bool server)
{
    return server ? vqgrowth::KeptServerRepository("reports-" + std::to_string(reports),
                                                   vqgrowth::ReportsDescription(reports))
                  : vqgrowth::ReportsRepository(reports);
}

// The system view of a repository, open with only the system's row selected.
class OpenView {
public:
    explicit OpenView(const std::string& repository)
    {
        vqgrowth::OpenSession(repository);
        m_frame = VqsSysFrame::CreateSystemFrame(m_host.m_hWnd, nullptr, nullptr, nullptr);
        if (!m_frame)
            throw std::runtime_error("the system view cannot be opened");
        view = m_frame->GetDirectoryView();
        Select(0);
    }
    ~OpenView()
    {
        m_frame->DestroyWindow();
        vqwin::PumpPending();
    }
    OpenView(const OpenView&) = delete;
    OpenView& operator=(const OpenView&) = delete;

    CListCtrl& List() const { return view->GetListCtrl(); }
    void Select(int row) const
    {
        List().SetItemState(-1, 0, LVIS_SELECTED);
        List().SetItemState(row, LVIS_SELECTED, LVIS_SELECTED);
    }
    void SelectFirstReport() const
    {
        LVFINDINFO find{};
        find.flags = LVFI_PARTIAL | LVFI_STRING;
        find.psz = "R000000";
        Select(List().FindItem(&find, -1));
    }
    void Find(const std::string& text) const
    {
        vqtest::ScriptedUiDriver ui;
        ui.ExpectDialog(kFindDialog).Replace(kFindText, text).OK();
        view->SendMessage(WM_COMMAND, kFind, 0);
    }

    VqsDirectoryView* view = nullptr;

private:
    Host m_host;
    VqsSysFrame* m_frame = nullptr;
};

// Times `step` on a view made ready by `ready`; the view is opened and closed untimed.
template <class Ready, class Step>
void TimeOnView(benchmark::State& state, bool server, Ready ready, Step step)
{
    const std::string repository = Repository(static_cast<int>(state.range(0)), server);
    int rows = 0;
    for (auto _ : state) {
        state.PauseTiming();
        {
            OpenView open(repository);
            ready(open);
            state.ResumeTiming();
            step(open);
            state.PauseTiming();
            rows = open.List().GetItemCount();
        }
        state.ResumeTiming();
    }
    state.counters["rows"] = rows;
}

void Expand(benchmark::State& state, bool server)
{
    TimeOnView(
        state, server, [](OpenView&) {},
        [](OpenView& open) { open.view->SendMessage(WM_COMMAND, kExpandBranch, 0); });
}

void Find(benchmark::State& state, bool server)
{
    const std::string last = vqgrowth::Numbered("R", static_cast<int>(state.range(0)) - 1);
    TimeOnView(
        state, server, [](OpenView&) {}, [&](OpenView& open) { open.Find(last); });
}

// Find Next from the first report's row of the expanded branch, the last report's name
// being the search text.
void FindNext(benchmark::State& state, bool server)
{
    const std::string last = vqgrowth::Numbered("R", static_cast<int>(state.range(0)) - 1);
    TimeOnView(
        state, server,
        [&](OpenView& open) {
            open.view->SendMessage(WM_COMMAND, kExpandBranch, 0);
            open.SelectFirstReport();
            open.Find(last);
            open.SelectFirstReport();
        },
        [](OpenView& open) { open.view->SendMessage(WM_COMMAND, kFindNext, 0); });
}

void BM_ExpandBigFolderFile(benchmark::State& state) { Expand(state, false); }
BENCHMARK(BM_ExpandBigFolderFile)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond)->Iterations(2);
void BM_ExpandBigFolderServer(benchmark::State& state) { Expand(state, true); }
BENCHMARK(BM_ExpandBigFolderServer)->Arg(200)->Arg(2000)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_FindInBigFolderFile(benchmark::State& state) { Find(state, false); }
BENCHMARK(BM_FindInBigFolderFile)->Arg(500)->Arg(5000)->Unit(benchmark::kMillisecond)->Iterations(2);
void BM_FindInBigFolderServer(benchmark::State& state) { Find(state, true); }
BENCHMARK(BM_FindInBigFolderServer)->Arg(200)->Arg(2000)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_FindNextInBigFolderFile(benchmark::State& state) { FindNext(state, false); }
BENCHMARK(BM_FindNextInBigFolderFile)->Arg(500)->Arg(5000)->Unit(benchmark::kMillisecond)->Iterations(2);
void BM_FindNextInBigFolderServer(benchmark::State& state) { FindNext(state, true); }
BENCHMARK(BM_FindNextInBigFolderServer)->Arg(200)->Arg(2000)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace
