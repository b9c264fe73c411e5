// The frame's Refresh command locks the whole model after the views are refreshed: a model
// made for the command reads every system down to its option records and read-locks each
// object it reads. Measured on enterprises of 1, 10 and 50 systems of 5 business segments
// with 50 generated elements each; the objects locked and the lists read per refresh are
// reported beside the time.
//
// The repositories are made once (in the temporary folder, kept between runs).
#include "model/VqsLockBag.h"
#include "model/VqsModel.h"
#include "proxy/PxTesting.h"
#include "repo/RepoFile.h"
#include "repo/RepoSample.h"
#include "shell/VqsModuleStartup.h"
#include "shell/VqsSysApp.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

namespace {

namespace fs = std::filesystem;

constexpr int kSegments = 5;
constexpr int kElements = 50;

fs::path Folder()
{
    static const fs::path folder = [] {
        fs::path path = fs::temp_directory_path() / "vq_model_refresh_bench";
        fs::create_directories(path);
        return path;
    }();
    return folder;
}

std::string Repository(int systems)
{
    const fs::path file = Folder() / ("enterprise-" + std::to_string(systems) + "x" + std::to_string(kSegments) + "x" +
                                      std::to_string(kElements) + ".vqr");
    if (!fs::exists(file)) {
        const fs::path partial = file.string() + ".part";
        fs::remove(partial);
        fs::remove(partial.string() + "-locks");
        vqrepo::CreateRepositoryFile(partial.string(), vqrepo::SampleDescription({systems, kSegments, kElements}));
        fs::rename(partial, file);
        fs::remove(partial.string() + "-locks");
    }
    return file.string();
}

// The started module, with a session on one repository at a time.
class Module {
public:
    static Module& Get()
    {
        static Module module;
        return module;
    }

    VqsSysApp& Open(const std::string& repository)
    {
        VqsSysApp& app = *VqsGetApp();
        if (repository != m_open) {
            if (!m_open.empty())
                app.CloseSession();
            if (!app.OpenSession(repository.c_str(), "BENCH/USER", nullptr))
                throw std::runtime_error("the benchmark cannot open its session on " + repository);
            m_open = repository;
        }
        return app;
    }

private:
    Module()
    {
        setenv("VQ_RESOURCES", VQ_RESOURCE_ROOT, 0);
        setenv("VQ_COM_REGISTRY", (Folder() / "com-registry.ini").c_str(), 1);
        VqsStartModule();
        if (!VqsGetApp()->SetResourceModule("vqsysres"))
            throw std::runtime_error("the benchmark finds no resource library");
    }

    std::string m_open;
};

void BM_LockWholeModelForRefresh(benchmark::State& state)
{
    Module::Get().Open(Repository(static_cast<int>(state.range(0))));
    PxTesting::ResetListReads();
    INT_PTR locked = 0;
    INT_PTR nodes = 0;
    for (auto _ : state) {
        VqsModel model;
        VqsLockBag bag(VqsReadLock);
        model.LockSubtree(bag, PxVQObjectPtr());
        locked = bag.GetCount();
        nodes = model.GetIndexCount();
    }
    const double refreshes = static_cast<double>(state.iterations());
    state.counters["objects_locked"] = static_cast<double>(locked);
    state.counters["nodes_made"] = static_cast<double>(nodes);
    state.counters["list_reads"] = PxTesting::ListReads() / refreshes;
}
BENCHMARK(BM_LockWholeModelForRefresh)->Arg(1)->Arg(10)->Arg(50)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
