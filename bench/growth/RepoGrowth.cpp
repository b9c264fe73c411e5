// vqsrepo create: a system of one segment with as many reports and Ispecs as its ten report
// groups and ten bundles each name (100 and 1,000 on a file, 20 and 200 on the test server);
// and the sample at the scale 1,1,N on a file (N generated elements: 2,000 and 20,000).
#include "GrowthSupport.h"

#include "support/PgTestServer.h"

#include "repo/RepoFile.h"
#include "repo/RepoReader.h"
#include "repo/RepoSample.h"

#include <filesystem>
#include <string>

namespace {

// Made beside the kept repositories and removed again after each run.
void Create(benchmark::State& state, const vqrepo::RepoDescription& description)
{
    const std::filesystem::path file = std::filesystem::temp_directory_path() / "vq_growth_bench" / "created.vqr";
    for (auto _ : state) {
        state.PauseTiming();
        for (const char* suffix : {"", "-locks", "-wal", "-shm", "-journal"})
            std::filesystem::remove(file.string() + suffix);
        state.ResumeTiming();
        vqrepo::CreateRepositoryFile(file.string(), description);
    }
}

void BM_CreateGroupsAndBundlesFile(benchmark::State& state)
{
    Create(state, vqrepo::ReadDescription(vqgrowth::GroupsAndBundlesDescription(static_cast<int>(state.range(0)))));
}
BENCHMARK(BM_CreateGroupsAndBundlesFile)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_CreateGroupsAndBundlesServer(benchmark::State& state)
{
    const vqrepo::RepoDescription description =
        vqrepo::ReadDescription(vqgrowth::GroupsAndBundlesDescription(static_cast<int>(state.range(0))));
    for (auto _ : state) {
        state.PauseTiming();
        const std::string uri = vqtest::PgTestServer::Instance().NewDatabase();
        state.ResumeTiming();
        vqrepo::CreateRepositoryFile(uri, description);
    }
}
BENCHMARK(BM_CreateGroupsAndBundlesServer)->Arg(20)->Arg(200)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_CreateScaledSampleFile(benchmark::State& state)
{
    Create(state, vqrepo::SampleDescription({1, 1, static_cast<int>(state.range(0))}));
}
BENCHMARK(BM_CreateScaledSampleFile)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
