// The system view on a large repository (systems of 20 business-segment links with 100
// generated elements each, besides the sample's own): open the view (the enterprise opens on
// its systems), expand the first system's whole branch and paint the first page, then close
// the view. Run with 10 and with 100 systems: beyond the list of systems itself, the cost
// must not grow with their number.
#include "repo/RepoFile.h"
#include "repo/RepoSample.h"
#include "shell/VqsModuleStartup.h"
#include "shell/VqsSysApp.h"
#include "shell/VqsTreeItem.h"
#include "sysview/VqsDirectoryView.h"
#include "sysview/VqsSysFrame.h"
#include "win/CListCtrl.h"
#include "win/DisplayList.h"
#include "win/Messages.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>

namespace {

constexpr int kSegments = 20;
constexpr int kElements = 100;
constexpr int kExpandBranch = 32797;

class Host : public CWnd {
public:
    Host() { CreateEx(0, "BenchHost", "", WS_POPUP | WS_VISIBLE, 0, 0, 1006, 600, nullptr, nullptr); }
};

std::filesystem::path Folder()
{
    static const std::filesystem::path folder = [] {
        const std::filesystem::path path = std::filesystem::temp_directory_path() / "vq_sysview_bench";
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
        setenv("VQ_RESOURCES", VQ_RESOURCE_ROOT, 0);
        setenv("VQ_COM_REGISTRY", (path / "com-registry.ini").c_str(), 1);
        VqsStartModule();
        if (!VqsGetApp()->SetResourceModule("vqsysres"))
            throw std::runtime_error("the benchmark cannot load its resources");
        return path;
    }();
    return folder;
}

// The repository of that many systems, made once; the session is opened on it.
void OpenSessionOn(int systems)
{
    static std::map<int, std::string> repositories;
    static int open = 0;
    if (open == systems)
        return;
    std::string& repository = repositories[systems];
    if (repository.empty()) {
        repository = (Folder() / ("systems-" + std::to_string(systems) + ".vqr")).string();
        vqrepo::SampleScale scale;
        scale.systems = systems;
        scale.segments = kSegments;
        scale.elementsPerSegment = kElements;
        vqrepo::CreateRepositoryFile(repository, vqrepo::SampleDescription(scale));
    }
    VqsSysApp* app = VqsGetApp();
    if (open)
        app->CloseSession();
    if (!app->OpenSession(repository.c_str(), "BENCH/USER", nullptr))
        throw std::runtime_error("the benchmark cannot open its session");
    open = systems;
}

void OpenExpandAndPaint(benchmark::State& state)
{
    const int systems = static_cast<int>(state.range(0));
    OpenSessionOn(systems);
    Host host;
    int rows = 0;
    for (auto _ : state) {
        VqsSysFrame* frame = VqsSysFrame::CreateSystemFrame(host.m_hWnd, nullptr, nullptr, nullptr);
        if (!frame)
            throw std::runtime_error("the system view cannot be opened");
        VqsDirectoryView* view = frame->GetDirectoryView();
        CListCtrl& list = view->GetListCtrl();
        list.SetItemState(-1, 0, LVIS_SELECTED);
        list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
        view->SendMessage(WM_COMMAND, kExpandBranch, 0);
        view->Invalidate();
        view->UpdateWindow();
        rows = list.GetItemCount();
        benchmark::DoNotOptimize(vqwin::GetWindowDisplayList(list)->Size());
        frame->DestroyWindow();
        vqwin::PumpPending();
    }
    state.counters["rows"] = rows;
}
BENCHMARK(OpenExpandAndPaint)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

BENCHMARK_MAIN();
