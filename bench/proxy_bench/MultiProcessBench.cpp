// Several processes on one repository file, each running the mixed workload: random reads,
// locks taken and given back, transactions that lock, read and change an object, and
// persistent locks placed and removed. Each run forks 1, 2, 4 and 8 processes that share
// a fixed number of operations, and reports the operations a second of them all together
// (wall time from the start signal until the last process is done; goal: 8 processes
// together no slower than one). It checks at the end that every committed change is
// stored. MixedWorkloadOnServer runs the same on a repository on a PostgreSQL server (a
// throwaway one the program starts in a temporary folder). SessionStartsOnServer times 1
// and 8 processes each opening and closing a session five times on the server, as the
// server is set beside its JIT off (goal: within 1.5x).
#include "proxy/PxException.h"
#include "proxy/PxTypedList.h"
#include "proxy/PxVQLink.h"
#include "support/BenchProcesses.h"
#include "support/PgTestServer.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr int kOperations = 4000; // per run, shared by its processes
constexpr int kHosts = 16;        // read, locked and changed
constexpr int kPacks = 16;        // persistently locked

// What one process did, sent back to the parent through a pipe.
struct Tally {
    std::int64_t operations = 0;
    std::int64_t committed = 0;
    std::int64_t failed = 0;
    std::int64_t retries = 0;
};

std::int64_t g_retries = 0; // of this process

int RetryWhileRetryable(PxLockErrorInfo& info)
{
    if (info.GetErrorCode() != PxLockHeldByOther && info.GetErrorCode() != PxLockStoreBusy)
        return 0;
    ++g_retries;
    return 1;
}

std::unique_ptr<PxVQLink> Attach(const std::string& path, const std::string& user)
{
    auto link = std::make_unique<PxVQLink>();
    link->AttachSession(path.c_str(), user.c_str(), nullptr);
    return link;
}

// The repository of one run, in a temporary directory removed at the end, or in a fresh
// database of the program's server.
class Repository {
public:
    explicit Repository(bool onServer)
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "pxmulti-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("cannot make a temporary directory");
        m_directory = pattern;
        m_path = onServer ? vqtest::PgTestServer::Instance().NewDatabase() : m_directory + "/multi.vqr";
        PxLink::CreateRepository(m_path.c_str());
        auto link = Attach(m_path, "bench/setup");
        PxVQEnterprisePtr enterprise = link->GetLVQEnterprise();
        link->BeginTransaction();
        for (int i = 0; i < kHosts; ++i) {
            PxObjectPtr host = enterprise->CreateMember("hosts", "PxVQObject");
            host->SetAttributeText("name", ("HOST" + std::to_string(i)).c_str());
            host->SetAttributeInt("changes", 0);
        }
        for (int i = 0; i < kPacks; ++i)
            enterprise->CreateMember("packs", "PxVQObject")->SetAttributeText("name", ("PACK" + std::to_string(i)).c_str());
        link->CommitTransaction();
    }
    ~Repository()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_directory, ignored);
    }

    const std::string& Path() const { return m_path; }

    std::int64_t StoredChanges() const
    {
        auto link = Attach(m_path, "bench/check");
        PxTypedList<PxVQObjectPtr> hosts;
        link->GetLVQEnterprise()->GetMembers("hosts", hosts);
        std::int64_t changes = 0;
        for (POSITION position = hosts.GetHeadPosition(); position;)
            changes += hosts.CList::GetNext(position)->GetAttributeInt("changes");
        return changes;
    }

private:
    std::string m_directory;
    std::string m_path;
};

// One process's share of the workload, on its own session.
class Worker {
public:
    Worker(const std::string& path, int number)
        : m_link(Attach(path, "bench/" + std::to_string(number))), m_random(static_cast<unsigned>(number) * 7919u + 1u)
    {
        m_link->PxSetRetryFunction(RetryWhileRetryable);
        PxVQEnterprisePtr enterprise = m_link->GetLVQEnterprise();
        enterprise->GetMembers("hosts", m_hosts);
        enterprise->GetMembers("packs", m_packs);
        for (POSITION position = m_hosts.GetHeadPosition(); position;)
            m_hostArray.push_back(m_hosts.CList::GetNext(position));
        for (POSITION position = m_packs.GetHeadPosition(); position;)
            m_packArray.push_back(m_packs.CList::GetNext(position));
    }

    Tally Run(int operations)
    {
        Tally tally;
        for (int i = 0; i < operations; ++i) {
            int kind = Pick(10);
            if (kind < 4)
                Read();
            else if (kind < 6)
                LockAndLetGo();
            else if (kind < 9)
                Change(tally);
            else
                PlacePersistentLock();
            ++tally.operations;
        }
        tally.retries = g_retries;
        return tally;
    }

private:
    int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(m_random); }
    const PxVQObjectPtr& AnyHost() { return m_hostArray[static_cast<std::size_t>(Pick(kHosts))]; }

    void Read()
    {
        const PxVQObjectPtr& host = AnyHost();
        host->Refresh();
        benchmark::DoNotOptimize(host->GetAttributeText("name").GetLength() + host->GetAttributeInt("changes"));
    }

    void LockAndLetGo()
    {
        const PxVQObjectPtr& host = AnyHost();
        if (Pick(2) == 0 ? host->ReadLock() : host->WriteLock(0))
            host->UnLock();
    }

    void Change(Tally& tally)
    {
        const PxVQObjectPtr& host = AnyHost();
        if (!host->WriteLock(0)) {
            ++tally.failed;
            return;
        }
        try {
            m_link->BeginTransaction();
            host->Refresh();
            host->SetAttributeInt("changes", host->GetAttributeInt("changes") + 1);
            m_link->CommitTransaction();
            ++tally.committed;
        } catch (const PxException&) {
            ++tally.failed;
            if (m_link->IsInTransaction())
                m_link->AbortTransaction();
        }
        host->UnLock();
    }

    void PlacePersistentLock()
    {
        const PxVQObjectPtr& pack = m_packArray[static_cast<std::size_t>(Pick(kPacks))];
        if (pack->PersistentLock(1))
            pack->RemovePersistentLock(1, 1);
    }

    std::unique_ptr<PxVQLink> m_link;
    std::mt19937 m_random;
    PxTypedList<PxVQObjectPtr> m_hosts;
    PxTypedList<PxVQObjectPtr> m_packs;
    std::vector<PxVQObjectPtr> m_hostArray;
    std::vector<PxVQObjectPtr> m_packArray;
};

// The figures of a tally, as a process sends them back, and the tally again.
std::vector<double> FiguresOf(const Tally& tally)
{
    return {static_cast<double>(tally.operations), static_cast<double>(tally.committed),
            static_cast<double>(tally.failed), static_cast<double>(tally.retries)};
}

void AddFigures(Tally& total, const std::vector<double>& figures)
{
    total.operations += static_cast<std::int64_t>(figures.at(0));
    total.committed += static_cast<std::int64_t>(figures.at(1));
    total.failed += static_cast<std::int64_t>(figures.at(2));
    total.retries += static_cast<std::int64_t>(figures.at(3));
}

// Runs the workload's processes together on a fresh repository, three times.
void RunMixedWorkload(benchmark::State& state, bool onServer)
{
    int processes = static_cast<int>(state.range(0));
    Tally total;
    double seconds = 0;
    for (auto _ : state) {
        Repository repository(onServer);
        std::vector<vqbench::ProcessJob> jobs;
        for (int i = 0; i < processes; ++i)
            jobs.push_back([&, i]() -> vqbench::ProcessWork {
                auto worker = std::make_shared<Worker>(repository.Path(), i + 1);
                return [worker, share = kOperations / processes] { return FiguresOf(worker->Run(share)); };
            });
        const std::optional<vqbench::TogetherRun> together = vqbench::RunTogether(jobs);
        if (!together) {
            state.SkipWithError("a process failed");
            break;
        }
        Tally run;
        for (const std::vector<double>& figures : together->figures)
            AddFigures(run, figures);
        state.SetIterationTime(together->seconds);
        seconds += together->seconds;
        if (repository.StoredChanges() != run.committed) {
            state.SkipWithError("a committed change was lost");
            break;
        }
        total.operations += run.operations;
        total.committed += run.committed;
        total.failed += run.failed;
        total.retries += run.retries;
    }
    state.counters["processes"] = processes;
    state.counters["ops_per_second"] = seconds > 0 ? static_cast<double>(total.operations) / seconds : 0;
    state.counters["failed"] = static_cast<double>(total.failed);
    state.counters["retries"] = static_cast<double>(total.retries);
}

void MixedWorkload(benchmark::State& state) { RunMixedWorkload(state, false); }

void MixedWorkloadOnServer(benchmark::State& state) { RunMixedWorkload(state, true); }

// Eight processes each open and close a session five times, all together, on a repository of
// the server: once as the server is set and once with the server's JIT off for the
// repository's database, in turn within each run; "ratio" is the first time over the second.
constexpr int kSessionsEach = 5;

std::string DatabaseOf(const std::string& uri)
{
    const std::size_t from = uri.find(":///") + 4;
    return uri.substr(from, uri.find('?', from) - from);
}

double OpenAndCloseSessions(const std::string& path, int processes)
{
    std::vector<vqbench::ProcessJob> jobs;
    for (int i = 0; i < processes; ++i)
        jobs.push_back([&path, i]() -> vqbench::ProcessWork {
            return [&path, i] {
                for (int n = 0; n < kSessionsEach; ++n) {
                    auto link = Attach(path, "bench/" + std::to_string(i + 1));
                    benchmark::DoNotOptimize(link->GetLVQEnterprise().get());
                }
                return std::vector<double>{};
            };
        });
    const std::optional<vqbench::TogetherRun> together = vqbench::RunTogether(jobs);
    if (!together)
        throw std::runtime_error("a process failed");
    return together->seconds;
}

void SessionStartsOnServer(benchmark::State& state)
{
    const int processes = static_cast<int>(state.range(0));
    double asSet = 0;
    double jitOff = 0;
    for (auto _ : state) {
        Repository repository(true);
        Repository withoutJit(true);
        vqtest::PgTestServer::Instance().Run("postgres",
                                             "ALTER DATABASE " + DatabaseOf(withoutJit.Path()) + " SET jit = off");
        const double first = OpenAndCloseSessions(repository.Path(), processes);
        const double second = OpenAndCloseSessions(withoutJit.Path(), processes);
        state.SetIterationTime(first);
        asSet += first;
        jitOff += second;
    }
    state.counters["processes"] = processes;
    state.counters["jit_as_set_ms"] = asSet * 1000 / static_cast<double>(state.iterations());
    state.counters["jit_off_ms"] = jitOff * 1000 / static_cast<double>(state.iterations());
    state.counters["ratio"] = jitOff > 0 ? asSet / jitOff : 0;
}

BENCHMARK(MixedWorkload)->Arg(1)->Arg(2)->Arg(4)->Arg(8)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(MixedWorkloadOnServer)
    ->Arg(1)
    ->Arg(2)
    ->Arg(4)
    ->Arg(8)
    ->UseManualTime()
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(SessionStartsOnServer)->Arg(1)->Arg(8)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
