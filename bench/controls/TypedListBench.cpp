// A typed list control of 10,000 element links, as the delete-configuration-items dialog
// shows them: filling it (every row's texts, mark and details from the repository, then the
// sort), sorting it again by a header click, and painting every row.
#include "proxy/PxTypedList.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQEnterprise.h"
#include "proxy/PxVQSystem.h"
#include "repo/RepoFile.h"
#include "repo/RepoSample.h"
#include "shell/VqsModuleStartup.h"
#include "shell/VqsSysApp.h"
#include "shell/VqsTypedListCtrls.h"
#include "win/DisplayList.h"
#include "win/Gdi.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

namespace {

constexpr int kRecords = 10000;
constexpr int kRowHeight = 18;
constexpr int kList = 1046;

class Parent : public CWnd {
public:
    Parent() { CreateEx(0, "BenchParent", "", WS_POPUP | WS_VISIBLE, 0, 0, 600, 400, nullptr, nullptr); }
};

// The started module with a session on a repository whose one business segment has
// 10,000 generated elements besides the sample's own.
class Session {
public:
    Session()
    {
        setenv("VQ_RESOURCES", VQ_RESOURCE_ROOT, 0);
        const std::filesystem::path folder = std::filesystem::temp_directory_path() / "vq_typed_list_bench";
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        setenv("VQ_COM_REGISTRY", (folder / "com-registry.ini").c_str(), 1);
        const std::string repository = (folder / "bench.vqr").string();
        vqrepo::SampleScale scale;
        scale.systems = 1;
        scale.segments = 1;
        scale.elementsPerSegment = kRecords;
        vqrepo::CreateRepositoryFile(repository, vqrepo::SampleDescription(scale));
        VqsStartModule();
        VqsSysApp* app = VqsGetApp();
        if (!app->SetResourceModule("vqsysres") || !app->OpenSession(repository.c_str(), "BENCH/USER", nullptr))
            throw std::runtime_error("the benchmark cannot open its session");
        PxTypedList<PxVQElementSoftLinkPtr> all;
        app->GetEnterprise()->GetSystem("SYS1")->GetCurConfig()->GetBSSoftLink("SALES")->GetListOfElementSoftLinks(all);
        for (POSITION pos = all.GetHeadPosition(); pos && links.GetCount() < kRecords;)
            links.AddTail(all.GetNext(pos));
    }
    ~Session()
    {
        VqsGetApp()->CloseSession();
        VqsEndModule();
    }

    PxTypedList<PxVQElementSoftLinkPtr> links;
};

Session& TheSession()
{
    static Session session;
    return session;
}

void Create(VqsTypedListCtrl_DelElementLink& list, Parent& parent, int height)
{
    if (!list.Create(WS_VISIBLE | LVS_REPORT | LVS_OWNERDRAWFIXED, CRect(0, 0, 600, height), &parent, kList) ||
        !list.Init())
        throw std::runtime_error("the list cannot be set up");
}

void FillAndSort(benchmark::State& state)
{
    Session& session = TheSession();
    Parent parent;
    VqsTypedListCtrl_DelElementLink list;
    Create(list, parent, 300);
    for (auto _ : state) {
        list.SetObjects(session.links);
        benchmark::DoNotOptimize(list.GetItemCount());
    }
    state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(FillAndSort)->Unit(benchmark::kMillisecond);

// A click on the sorted column: the direction flips and every row is compared again.
void SortByHeaderClick(benchmark::State& state)
{
    Session& session = TheSession();
    Parent parent;
    VqsTypedListCtrl_DelElementLink list;
    Create(list, parent, 300);
    list.SetObjects(session.links);
    NMLISTVIEW click{};
    click.hdr.hwndFrom = list.m_hWnd;
    click.hdr.idFrom = kList;
    click.hdr.code = LVN_COLUMNCLICK;
    click.iSubItem = 1;
    for (auto _ : state)
        parent.SendMessage(WM_NOTIFY, kList, reinterpret_cast<LPARAM>(&click));
    state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(SortByHeaderClick)->Unit(benchmark::kMillisecond);

// The list is tall enough to show every row, so one paint draws all of them.
void PaintAllRows(benchmark::State& state)
{
    Session& session = TheSession();
    Parent parent;
    VqsTypedListCtrl_DelElementLink list;
    Create(list, parent, 40 + kRecords * kRowHeight);
    list.SetObjects(session.links);
    for (auto _ : state) {
        list.Invalidate();
        list.UpdateWindow();
    }
    state.counters["ops"] = static_cast<double>(vqwin::GetWindowDisplayList(list)->Size());
    state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(PaintAllRows)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
