// Synchronising a configuration's business-segment link with the design: a segment of
// 500 to 2,000 reports, of which a tenth changed in the design since the link last took
// their data, in a system with one NT generate set. Each run starts from a fresh copy of
// the repository (made once, in the temporary folder, kept between runs); opening and
// closing the session are left out of the time.
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQEnterprise.h"
#include "proxy/PxVQSystem.h"
#include "repo/RepoFile.h"
#include "repo/RepoReader.h"
#include "shell/VqsModuleStartup.h"
#include "shell/VqsSysApp.h"
#include "support/BenchSession.h"
#include "support/BenchSync.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

namespace {

namespace fs = std::filesystem;

fs::path Folder()
{
    static const fs::path folder = [] {
        fs::path path = fs::temp_directory_path() / "vq_sync_bench";
        fs::create_directories(path);
        return path;
    }();
    return folder;
}

std::string ReportName(int index)
{
    char name[16];
    std::snprintf(name, sizeof(name), "R%05d", index);
    return name;
}

// One segment of `elements` reports, every tenth of them changed in the design.
std::string Description(int elements)
{
    std::string reports;
    std::string changes;
    for (int index = 0; index < elements; ++index) {
        reports += std::string(index ? "," : "") + R"({"class": "PxLSEReport", "name": ")" + ReportName(index) + "\"}";
        if (index % 10 == 0)
            changes += std::string(changes.empty() ? "" : ",") + R"({"businessSegment": "BIG", "element": ")" +
                       ReportName(index) + R"(", "change": "outdated"})";
    }
    return R"({"businessSegments": [{"name": "BIG", "elements": [)" + reports + R"(]}],
               "hosts": [{"name": "NTHOST", "hostType": 0, "port": 21}],
               "systems": [{"name": "SYS1", "businessSegments": ["BIG"],
                            "optionSets": [{"name": "NTGEN", "hostType": 0, "host": "NTHOST"}],
                            "linkChanges": [)" +
           changes + "]}]}";
}

std::string Repository(int elements)
{
    const fs::path file = Folder() / ("segment-" + std::to_string(elements) + ".vqr");
    if (!fs::exists(file)) {
        const fs::path partial = file.string() + ".part";
        fs::remove(partial);
        fs::remove(partial.string() + "-locks");
        vqrepo::CreateRepositoryFile(partial.string(), vqrepo::ReadDescription(Description(elements)));
        fs::rename(partial, file);
        fs::remove(partial.string() + "-locks");
    }
    return file.string();
}

// A fresh copy of the repository to synchronise, with nothing another run left beside it.
std::string FreshCopy(const std::string& source)
{
    return vqbench::FreshCopy(source, Folder() / "work.vqr");
}

VqsSysApp& StartedModule()
{
    static VqsSysApp& app = [] () -> VqsSysApp& {
        vqbench::StartModuleIn(Folder());
        return *VqsGetApp();
    }();
    return app;
}

void BM_SynchroniseSegmentWithATenthChanged(benchmark::State& state)
{
    const std::string source = Repository(static_cast<int>(state.range(0)));
    VqsSysApp& app = StartedModule();
    std::int64_t pairs = 0;
    for (auto _ : state) {
        state.PauseTiming();
        if (!app.OpenSession(FreshCopy(source).c_str(), "BENCH/USER", nullptr))
            throw std::runtime_error("the benchmark cannot open its session");
        const PxVQCurConfigPtr config = app.GetEnterprise()->GetSystem("SYS1")->GetCurConfig();
        state.ResumeTiming();
        if (!vqbench::SynchroniseFullAuto(config, pairs))
            state.SkipWithError("the synchronisation stopped");
        state.PauseTiming();
        app.CloseSession();
        state.ResumeTiming();
    }
    state.counters["pairs"] = static_cast<double>(pairs);
}

} // namespace

BENCHMARK(BM_SynchroniseSegmentWithATenthChanged)->Arg(500)->Arg(1000)->Arg(2000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
