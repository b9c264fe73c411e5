// The cost of the module's transaction frame: 1,000 nested transaction scopes, which make
// one repository transaction, beside the repository library's own begin and commit; once
// empty and once around the writes of a system's names, description and version settings.
#include "model/VqsTransactionEnterprise.h"
#include "model/VqsTransactionSystem.h"
#include "proxy/PxVQEnterprise.h"
#include "proxy/PxVQLink.h"
#include "proxy/PxVQSystem.h"
#include "shell/VqsModuleStartup.h"
#include "shell/VqsSysApp.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

namespace {

constexpr int kDepth = 1000;

// The started module with a session on a repository of one system, in a folder of its own.
class Session {
public:
    Session()
    {
        setenv("VQ_RESOURCES", VQ_RESOURCE_ROOT, 0);
        const std::filesystem::path folder = std::filesystem::temp_directory_path() / "vq_model_bench";
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        setenv("VQ_COM_REGISTRY", (folder / "com-registry.ini").c_str(), 1);
        m_repository = (folder / "bench.vqr").string();
        PxLink::CreateRepository(m_repository.c_str());
        VqsStartModule();
        VqsSysApp* app = VqsGetApp();
        if (!app->SetResourceModule("vqsysres") || !app->OpenSession(m_repository.c_str(), "BENCH/USER", &m_node))
            throw std::runtime_error("the benchmark cannot open its session");
        VqsTransactionEnterprise transaction;
        transaction.CreateSystem("SYS1", "SYS1", "", "RT1", 0, 0);
    }

    static Session& Get()
    {
        static Session session;
        return session;
    }

    PxVQLink& Link() const { return *VqsGetApp()->GetLink(); }
    PxVQSystemPtr System() const { return VqsGetApp()->GetEnterprise()->GetSystem("SYS1"); }

private:
    int m_node = 0;
    std::string m_repository;
};

void WriteDefinition(const PxVQSystemPtr& system)
{
    system->SetName("SYS1");
    system->SetDescription("benchmark");
    system->SetRuntimeVersionIdentifier("RT1");
    system->SetResetVersionNumber(0);
    system->SetResetReportCount(0);
}

void Nest(int depth, const PxVQSystemPtr& system)
{
    VqsTransactionSystem transaction(system);
    if (depth > 1)
        Nest(depth - 1, system);
    else if (system)
        transaction.SetSystemSpec("SYS1", "SYS1", "benchmark", "RT1", "RT1", 0, 0);
}

void BM_NestedTransactionScopes(benchmark::State& state)
{
    Session::Get();
    for (auto _ : state)
        Nest(kDepth, PxVQSystemPtr());
    if (!VqsTransaction::IsOk())
        state.SkipWithError("the transaction failed");
}
BENCHMARK(BM_NestedTransactionScopes)->Unit(benchmark::kMicrosecond);

void BM_RawProxyTransaction(benchmark::State& state)
{
    PxVQLink& link = Session::Get().Link();
    for (auto _ : state) {
        link.BeginTransaction();
        link.CommitTransaction();
    }
}
BENCHMARK(BM_RawProxyTransaction)->Unit(benchmark::kMicrosecond);

void BM_NestedTransactionScopesWithWrites(benchmark::State& state)
{
    PxVQSystemPtr system = Session::Get().System();
    for (auto _ : state)
        Nest(kDepth, system);
    if (!VqsTransaction::IsOk())
        state.SkipWithError("the transaction failed");
}
BENCHMARK(BM_NestedTransactionScopesWithWrites)->Unit(benchmark::kMicrosecond);

void BM_RawProxyTransactionWithWrites(benchmark::State& state)
{
    Session& session = Session::Get();
    PxVQSystemPtr system = session.System();
    for (auto _ : state) {
        session.Link().BeginTransaction();
        WriteDefinition(system);
        session.Link().CommitTransaction();
    }
}
BENCHMARK(BM_RawProxyTransactionWithWrites)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
