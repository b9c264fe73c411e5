// The repository proxy beside raw SQLite doing the same work in the same run: loading the
// objects of a list, reading an attribute from the store, taking and giving back a write
// lock, a transaction that writes 1,000 new objects, filling a bundle with 1,000 and with
// 10,000 Ispecs, and building and reading the sample enterprise (SampleBench.cpp;
// --sample-scale=SYSTEMS,SEGMENTS,ELEMENTS sets its size). Each pair's ratio is printed at
// the end (goal: within 3x), with objects per second for the sample. Every time and rate is
// wall-clock time; with --benchmark_repetitions the table pairs the medians.
#include "RawSqlite.h"
#include "SampleBench.h"

#include "ProxyWork.h"

#include "proxy/PxTypedList.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQBundle.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQIspecSoftLink.h"
#include "proxy/PxVQLink.h"
#include "proxy/PxVQSystem.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr int kMostBundleIspecs = 10000;

// A segment link with the Ispec links the bundle benchmarks take, committed in a repository
// of its own.
struct IspecLinks {
    std::string path;
    std::unique_ptr<PxVQLink> link;
    PxVQBSSoftLinkPtr segment;
    PxTypedList<PxVQIspecSoftLinkPtr> ispecs;
    std::vector<std::int64_t> oids;
};

// The files of one run, in a temporary directory removed at the end.
class Workspace {
public:
    Workspace()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "pxbench-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("cannot make a temporary directory");
        m_directory = pattern;
        Populate();
        m_read = std::make_unique<Raw>(Path("read.vqr"));
        m_write = std::make_unique<Raw>(Path("raw-write.vqr"));
        m_locks = std::make_unique<Raw>(Path("raw-locks.db"));
        m_locks->Execute("PRAGMA synchronous=NORMAL;"
                         "CREATE TABLE lock(oid INTEGER NOT NULL, session INTEGER NOT NULL, kind INTEGER NOT NULL,"
                         " PRIMARY KEY(oid, session, kind)) WITHOUT ROWID;");
    }
    ~Workspace()
    {
        m_ispecLinks.reset();
        m_link.reset();
        m_writer.reset();
        m_read.reset();
        m_write.reset();
        m_locks.reset();
        std::error_code ignored;
        std::filesystem::remove_all(m_directory, ignored);
    }

    std::string Path(const char* name) const { return m_directory + "/" + name; }

    // Made at first use: only the bundle benchmarks need them.
    IspecLinks& Ispecs()
    {
        if (!m_ispecLinks)
            m_ispecLinks = MakeIspecLinks();
        return *m_ispecLinks;
    }

    std::unique_ptr<PxVQLink> m_link;   // on read.vqr, for reads and locks
    std::unique_ptr<PxVQLink> m_writer; // on proxy-write.vqr
    std::unique_ptr<Raw> m_read;
    std::unique_ptr<Raw> m_write;
    std::unique_ptr<Raw> m_locks;
    PxTypedList<PxVQObjectPtr> m_hosts;
    std::vector<std::int64_t> m_oids;
    std::int64_t m_enterpriseOid = 0;

private:
    void Populate()
    {
        for (const char* name : {"read.vqr", "proxy-write.vqr", "raw-write.vqr"})
            PxLink::CreateRepository(Path(name).c_str());
        m_link = std::make_unique<PxVQLink>();
        std::string read = Path("read.vqr");
        m_link->AttachSession(read.c_str(), "bench", nullptr);
        PxVQEnterprisePtr enterprise = m_link->GetLVQEnterprise();
        m_link->BeginTransaction();
        for (int i = 0; i < kBenchObjects; ++i) {
            PxObjectPtr host = enterprise->CreateMember("hosts", "PxVQObject");
            host->SetAttributeText("name", ("HOST" + std::to_string(i)).c_str());
            std::string address = "10.0." + std::to_string(i / 256) + "." + std::to_string(i % 256);
            host->SetAttributeText("address", address.c_str());
        }
        m_link->CommitTransaction();
        enterprise->GetMembers("hosts", m_hosts);
        for (POSITION position = m_hosts.GetHeadPosition(); position;)
            m_oids.push_back(static_cast<std::int64_t>(m_hosts.CList::GetNext(position)->GetHandle().MapKey()));
        m_enterpriseOid = static_cast<std::int64_t>(enterprise->GetHandle().MapKey());
        m_writer = std::make_unique<PxVQLink>();
        std::string write = Path("proxy-write.vqr");
        m_writer->AttachSession(write.c_str(), "bench", nullptr);
    }

    std::unique_ptr<IspecLinks> MakeIspecLinks() const
    {
        auto links = std::make_unique<IspecLinks>();
        links->path = Path("bundle.vqr");
        PxLink::CreateRepository(links->path.c_str());
        links->link = std::make_unique<PxVQLink>();
        links->link->AttachSession(links->path.c_str(), "bench", nullptr);
        links->link->BeginTransaction();
        PxVQSystemPtr system = links->link->GetLVQEnterprise()->CreateSystem("SYS");
        links->segment = system->GetCurConfig()->CreateBSSoftLink("SALES");
        for (int i = 0; i < kMostBundleIspecs; ++i) {
            char name[16];
            std::snprintf(name, sizeof(name), "C%05d", i);
            PxVQIspecSoftLinkPtr ispec = links->segment->CreateElementSoftLink(name, VQSoftLinkIspec);
            links->ispecs.AddTail(ispec);
            links->oids.push_back(static_cast<std::int64_t>(ispec->GetHandle().MapKey()));
        }
        links->link->CommitTransaction();
        return links;
    }

    std::string m_directory;
    std::unique_ptr<IspecLinks> m_ispecLinks;
};

Workspace* g_workspace = nullptr;

void ObjectLoad_Proxy(benchmark::State& state) { ProxyObjectLoad(state, *g_workspace->m_link); }

void ObjectLoad_Raw(benchmark::State& state)
{
    Raw& raw = *g_workspace->m_read;
    sqlite3_stmt* members = raw.Statement(
        "SELECT o.oid, o.class, o.created, o.edition FROM px_member m JOIN px_object o ON o.oid = m.member"
        " WHERE m.owner = ?1 AND m.role = ?2 AND o.present ORDER BY m.seq");
    for (auto _ : state) {
        std::vector<RawRow> rows;
        sqlite3_bind_int64(members, 1, g_workspace->m_enterpriseOid);
        sqlite3_bind_text(members, 2, "hosts", -1, SQLITE_STATIC);
        while (sqlite3_step(members) == SQLITE_ROW)
            rows.push_back({sqlite3_column_int64(members, 0),
                            reinterpret_cast<const char*>(sqlite3_column_text(members, 1)),
                            sqlite3_column_int64(members, 2), sqlite3_column_int64(members, 3)});
        sqlite3_reset(members);
        benchmark::DoNotOptimize(rows.size());
    }
}

void AttributeRead_Proxy(benchmark::State& state)
{
    ProxyAttributeRead(state, *g_workspace->m_link, g_workspace->m_hosts);
}

void AttributeRead_Raw(benchmark::State& state)
{
    sqlite3_stmt* value = g_workspace->m_read->Statement("SELECT value FROM px_attribute WHERE oid = ?1 AND name = ?2");
    for (auto _ : state) {
        std::size_t length = 0;
        for (std::int64_t oid : g_workspace->m_oids) {
            sqlite3_bind_int64(value, 1, oid);
            sqlite3_bind_text(value, 2, "address", -1, SQLITE_STATIC);
            if (sqlite3_step(value) == SQLITE_ROW)
                length += std::string(reinterpret_cast<const char*>(sqlite3_column_text(value, 0))).size();
            sqlite3_reset(value);
        }
        benchmark::DoNotOptimize(length);
    }
}

void LockAndUnlock_Proxy(benchmark::State& state)
{
    ProxyLockAndUnlock(state, g_workspace->m_hosts.GetHead());
}

void LockAndUnlock_Raw(benchmark::State& state)
{
    Raw& raw = *g_workspace->m_locks;
    sqlite3_stmt* begin = raw.Statement("BEGIN IMMEDIATE");
    sqlite3_stmt* commit = raw.Statement("COMMIT");
    sqlite3_stmt* held = raw.Statement("SELECT count(*) FROM lock WHERE oid = ?1 AND session <> ?2");
    sqlite3_stmt* take = raw.Statement("INSERT INTO lock(oid, session, kind) VALUES(?1, ?2, 4)");
    sqlite3_stmt* release = raw.Statement("DELETE FROM lock WHERE oid = ?1 AND session = ?2");
    for (auto _ : state) {
        raw.Run(begin);
        sqlite3_bind_int64(held, 1, 42);
        sqlite3_bind_int64(held, 2, 1);
        sqlite3_step(held);
        if (sqlite3_column_int64(held, 0) != 0)
            state.SkipWithError("lock refused");
        sqlite3_reset(held);
        sqlite3_bind_int64(take, 1, 42);
        sqlite3_bind_int64(take, 2, 1);
        raw.Run(take);
        raw.Run(commit);
        sqlite3_bind_int64(release, 1, 42);
        sqlite3_bind_int64(release, 2, 1);
        raw.Run(release);
    }
}

void WriteTransaction_Proxy(benchmark::State& state) { ProxyWriteTransaction(state, *g_workspace->m_writer); }

void WriteTransaction_Raw(benchmark::State& state)
{
    Raw& raw = *g_workspace->m_write;
    sqlite3_stmt* begin = raw.Statement("BEGIN IMMEDIATE");
    sqlite3_stmt* commit = raw.Statement("COMMIT");
    sqlite3_stmt* edition = raw.Statement("UPDATE px_object SET edition = edition + 1 WHERE oid = ?1");
    sqlite3_stmt* object =
        raw.Statement("INSERT INTO px_object(class, created, edition, present) VALUES('PxVQObject', ?1, 1, 1)");
    sqlite3_stmt* member = raw.Statement(
        "INSERT INTO px_member(owner, role, seq, member, owning) VALUES(?1, 'hosts',"
        " coalesce((SELECT max(seq) FROM px_member WHERE owner = ?1 AND role = 'hosts'), 0) + 1, ?2, 1)");
    sqlite3_stmt* attribute = raw.Statement("REPLACE INTO px_attribute(oid, name, value) VALUES(?1, ?2, ?3)");
    std::int64_t enterprise = 1;
    for (auto _ : state) {
        raw.Run(begin);
        sqlite3_bind_int64(edition, 1, enterprise);
        raw.Run(edition);
        for (int i = 0; i < kBenchObjects; ++i) {
            sqlite3_bind_int64(object, 1, 1800000000);
            raw.Run(object);
            std::int64_t oid = raw.LastId();
            sqlite3_bind_int64(member, 1, enterprise);
            sqlite3_bind_int64(member, 2, oid);
            raw.Run(member);
            for (auto [name, value] : {std::pair{"name", "HOST"}, std::pair{"address", "10.0.0.1"}}) {
                sqlite3_bind_int64(attribute, 1, oid);
                sqlite3_bind_text(attribute, 2, name, -1, SQLITE_STATIC);
                sqlite3_bind_text(attribute, 3, value, -1, SQLITE_STATIC);
                raw.Run(attribute);
            }
        }
        raw.Run(commit);
    }
}

// A new bundle takes the first N Ispecs of the segment in one transaction, rolled back
// untimed so that each iteration starts from the same repository.
void BundleFill_Proxy(benchmark::State& state)
{
    IspecLinks& links = g_workspace->Ispecs();
    PxTypedList<PxVQIspecSoftLinkPtr> ispecs;
    POSITION position = links.ispecs.GetHeadPosition();
    for (std::int64_t i = 0; i < state.range(0); ++i)
        ispecs.AddTail(links.ispecs.GetNext(position));
    for (auto _ : state) {
        links.link->BeginTransaction();
        links.segment->CreateBundle("BENCH")->AddIspecsToBundle(ispecs);
        state.PauseTiming();
        links.link->AbortTransaction();
        state.ResumeTiming();
    }
    state.counters["Ispecs/s"] = benchmark::Counter(static_cast<double>(state.range(0) * state.iterations()),
                                                    benchmark::Counter::kIsRate);
}

void BundleFill_Raw(benchmark::State& state)
{
    IspecLinks& links = g_workspace->Ispecs();
    Raw raw(links.path);
    sqlite3_stmt* begin = raw.Statement("BEGIN IMMEDIATE");
    sqlite3_stmt* rollback = raw.Statement("ROLLBACK");
    sqlite3_stmt* edition = raw.Statement("UPDATE px_object SET edition = edition + 1 WHERE oid = ?1");
    sqlite3_stmt* object =
        raw.Statement("INSERT INTO px_object(class, created, edition, present) VALUES(?1, 1800000000, 1, 1)");
    sqlite3_stmt* member = raw.Statement(
        "INSERT INTO px_member(owner, role, seq, member, owning) VALUES(?1, ?2, ?3, ?4, 1)");
    sqlite3_stmt* attribute = raw.Statement("INSERT INTO px_attribute(oid, name, value) VALUES(?1, ?2, ?3)");
    auto insertObject = [&](const char* className) {
        sqlite3_bind_text(object, 1, className, -1, SQLITE_STATIC);
        raw.Run(object);
        return raw.LastId();
    };
    auto insertMember = [&](std::int64_t owner, const char* role, std::int64_t seq, std::int64_t oid) {
        sqlite3_bind_int64(member, 1, owner);
        sqlite3_bind_text(member, 2, role, -1, SQLITE_STATIC);
        sqlite3_bind_int64(member, 3, seq);
        sqlite3_bind_int64(member, 4, oid);
        raw.Run(member);
    };
    auto stepEdition = [&](std::int64_t oid) {
        sqlite3_bind_int64(edition, 1, oid);
        raw.Run(edition);
    };
    const auto segment = static_cast<std::int64_t>(links.segment->GetHandle().MapKey());
    for (auto _ : state) {
        raw.Run(begin);
        stepEdition(segment);
        std::int64_t bundle = insertObject("PxVQBundle");
        insertMember(segment, "bundles", 1, bundle);
        sqlite3_bind_int64(attribute, 1, bundle);
        sqlite3_bind_text(attribute, 2, "name", -1, SQLITE_STATIC);
        sqlite3_bind_text(attribute, 3, "BENCH", -1, SQLITE_STATIC);
        raw.Run(attribute);
        for (std::int64_t i = 0; i < state.range(0); ++i) {
            std::int64_t ispec = links.oids[static_cast<std::size_t>(i)];
            std::int64_t entry = insertObject("PxVQIspecBundleData");
            insertMember(bundle, PxVQBundle::kEntries, i + 1, entry);
            for (auto [name, value] : {std::pair{"ispec", ispec}, std::pair{"bundle", bundle}}) {
                sqlite3_bind_int64(attribute, 1, entry);
                sqlite3_bind_text(attribute, 2, name, -1, SQLITE_STATIC);
                sqlite3_bind_int64(attribute, 3, value);
                raw.Run(attribute);
            }
            stepEdition(ispec);
            insertMember(ispec, PxVQBundle::kEntries, 1, entry);
        }
        state.PauseTiming();
        raw.Run(rollback);
        state.ResumeTiming();
    }
    state.counters["Ispecs/s"] = benchmark::Counter(static_cast<double>(state.range(0) * state.iterations()),
                                                    benchmark::Counter::kIsRate);
}

// The console report, keeping each pair's wall-clock time (and objects per second, where
// it counts them) for the ratios: the median of the repetitions when there are several.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs)
            Keep(run);
        ConsoleReporter::ReportRuns(runs);
    }

    void PrintRatios() const
    {
        std::printf("\n%-26s %14s %14s %8s   (wall-clock time)\n", "work", "proxy (us)", "raw (us)", "ratio");
        for (const std::string& work : m_works) {
            const Pair& pair = m_pairs.at(work);
            if (pair.proxy.seconds > 0 && pair.raw.seconds > 0)
                std::printf("%-26s %14.2f %14.2f %8.2f\n", work.c_str(), pair.proxy.seconds * 1e6,
                            pair.raw.seconds * 1e6, pair.proxy.seconds / pair.raw.seconds);
        }
        std::printf("\n%-26s %14s %14s   (per wall-clock second)\n", "objects per second", "proxy", "raw");
        for (const std::string& work : m_works) {
            const Pair& pair = m_pairs.at(work);
            if (pair.proxy.objectsPerSecond > 0 && pair.raw.objectsPerSecond > 0)
                std::printf("%-26s %14.0f %14.0f\n", work.c_str(), pair.proxy.objectsPerSecond,
                            pair.raw.objectsPerSecond);
        }
        std::printf("(sample: %ld objects written, %ld read)\n", SampleObjectsWritten(), SampleObjectsRead());
    }

private:
    struct Measure {
        double seconds = 0;
        double objectsPerSecond = 0;
        bool median = false;
    };
    struct Pair {
        Measure proxy;
        Measure raw;
    };

    void Keep(const Run& run)
    {
        const bool median = run.run_type == Run::RT_Aggregate;
        if (run.error_occurred || (median && run.aggregate_name != "median"))
            return;
        Measure* measure = Side(run.run_name);
        if (!measure || (measure->median && !median))
            return;
        measure->seconds = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
        auto rate = run.counters.find("objects/s");
        measure->objectsPerSecond = rate == run.counters.end() ? 0 : rate->second.value;
        measure->median = median;
    }

    // The proxy or raw side of the run's pair: "BundleFill_Proxy/1000/real_time" is the proxy
    // side of the work "BundleFill/1000"; null for a run of no pair.
    Measure* Side(const benchmark::BenchmarkName& name)
    {
        constexpr std::string_view kProxy = "_Proxy";
        constexpr std::string_view kRaw = "_Raw";
        std::string_view function = name.function_name;
        const bool proxy = function.ends_with(kProxy);
        if (!proxy && !function.ends_with(kRaw))
            return nullptr;
        function.remove_suffix(proxy ? kProxy.size() : kRaw.size());
        std::string work(function);
        if (!name.args.empty())
            work += "/" + name.args;
        auto [pair, added] = m_pairs.try_emplace(work);
        if (added)
            m_works.push_back(work);
        return proxy ? &pair->second.proxy : &pair->second.raw;
    }

    std::vector<std::string> m_works; // in the order they ran
    std::map<std::string, Pair> m_pairs;
};

// Takes --sample-scale=SYSTEMS,SEGMENTS,ELEMENTS out of the arguments.
bool TakeSampleScale(int& argc, char** argv)
{
    const std::string flag = "--sample-scale=";
    for (int i = 1; i < argc; ++i) {
        std::string argument = argv[i];
        if (argument.rfind(flag, 0) != 0)
            continue;
        vqrepo::SampleScale scale;
        if (!vqrepo::ParseSampleScale(argument.substr(flag.size()), scale)) {
            std::fprintf(stderr,
                         "proxy_bench: %s: give SYSTEMS,SEGMENTS,ELEMENTS within the largest sample of vqsrepo "
                         "--help (e.g. 100,20,500)\n",
                         argv[i]);
            return false;
        }
        SetSampleScale(scale);
        for (int j = i; j + 1 < argc; ++j)
            argv[j] = argv[j + 1];
        --argc;
        --i;
    }
    return true;
}

} // namespace

BENCHMARK(ObjectLoad_Proxy)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(ObjectLoad_Raw)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(AttributeRead_Proxy)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(AttributeRead_Raw)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(LockAndUnlock_Proxy)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(LockAndUnlock_Raw)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(WriteTransaction_Proxy)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(WriteTransaction_Raw)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BundleFill_Proxy)->Unit(benchmark::kMillisecond)->UseRealTime()->Arg(1000)->Arg(kMostBundleIspecs);
BENCHMARK(BundleFill_Raw)->Unit(benchmark::kMillisecond)->UseRealTime()->Arg(1000)->Arg(kMostBundleIspecs);

int main(int argc, char** argv)
{
    if (!TakeSampleScale(argc, argv))
        return 2;
    benchmark::Initialize(&argc, argv);
    Workspace workspace;
    g_workspace = &workspace;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios();
    g_workspace = nullptr;
    benchmark::Shutdown();
    return 0;
}
