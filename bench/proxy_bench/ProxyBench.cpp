// The repository proxy beside raw SQLite doing the same work in the same run: loading the
// objects of a list, reading an attribute from the store, taking and giving back a write
// lock, a transaction that writes 1,000 new objects, and building and reading the sample
// enterprise (SampleBench.cpp; --sample-scale=SYSTEMS,SEGMENTS,ELEMENTS sets its size).
// Each pair's ratio is printed at the end (goal: within 3x), with objects per second for
// the sample.
#include "RawSqlite.h"
#include "SampleBench.h"

#include "proxy/PxTypedList.h"
#include "proxy/PxVQLink.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr int kObjects = 1000;

struct RawRow {
    std::int64_t oid;
    std::string className;
    std::int64_t created;
    std::int64_t edition;
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
        m_link.reset();
        m_writer.reset();
        m_read.reset();
        m_write.reset();
        m_locks.reset();
        std::error_code ignored;
        std::filesystem::remove_all(m_directory, ignored);
    }

    std::string Path(const char* name) const { return m_directory + "/" + name; }

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
        for (int i = 0; i < kObjects; ++i) {
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

    std::string m_directory;
};

Workspace* g_workspace = nullptr;

void ObjectLoad_Proxy(benchmark::State& state)
{
    PxVQEnterprisePtr enterprise = g_workspace->m_link->GetLVQEnterprise();
    for (auto _ : state) {
        PxTypedList<PxVQObjectPtr> hosts;
        enterprise->GetMembers("hosts", hosts);
        benchmark::DoNotOptimize(hosts.GetCount());
    }
}

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
    PxTypedList<PxVQObjectPtr>& hosts = g_workspace->m_hosts;
    for (auto _ : state) {
        g_workspace->m_link->ClearAllBuffers();
        std::size_t length = 0;
        for (POSITION position = hosts.GetHeadPosition(); position;)
            length += hosts.CList::GetNext(position)->GetAttributeText("address").GetLength();
        benchmark::DoNotOptimize(length);
    }
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
    PxVQObjectPtr host = g_workspace->m_hosts.GetHead();
    for (auto _ : state) {
        if (!host->WriteLock(0))
            state.SkipWithError("lock refused");
        host->UnLock();
    }
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

void WriteTransaction_Proxy(benchmark::State& state)
{
    PxVQLink& link = *g_workspace->m_writer;
    PxVQEnterprisePtr enterprise = link.GetLVQEnterprise();
    for (auto _ : state) {
        link.BeginTransaction();
        for (int i = 0; i < kObjects; ++i) {
            PxObjectPtr host = enterprise->CreateMember("hosts", "PxVQObject");
            host->SetAttributeText("name", "HOST");
            host->SetAttributeText("address", "10.0.0.1");
        }
        link.CommitTransaction();
    }
}

void WriteTransaction_Raw(benchmark::State& state)
{
    Raw& raw = *g_workspace->m_write;
    sqlite3_stmt* begin = raw.Statement("BEGIN IMMEDIATE");
    sqlite3_stmt* commit = raw.Statement("COMMIT");
    sqlite3_stmt* edition = raw.Statement("UPDATE px_object SET edition = edition + 1 WHERE oid = ?1");
    sqlite3_stmt* object =
        raw.Statement("INSERT INTO px_object(class, created, edition, present) VALUES('PxVQObject', ?1, 1, 1)");
    sqlite3_stmt* member = raw.Statement(
        "INSERT INTO px_member(owner, role, seq, member, owning)"
        " SELECT ?1, 'hosts', coalesce(max(seq), 0) + 1, ?2, 1 FROM px_member WHERE owner = ?1 AND role = 'hosts'");
    sqlite3_stmt* attribute = raw.Statement("REPLACE INTO px_attribute(oid, name, value) VALUES(?1, ?2, ?3)");
    std::int64_t enterprise = 1;
    for (auto _ : state) {
        raw.Run(begin);
        sqlite3_bind_int64(edition, 1, enterprise);
        raw.Run(edition);
        for (int i = 0; i < kObjects; ++i) {
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

// The console report, keeping each benchmark's time (and objects per second, where it
// counts them) for the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            if (run.error_occurred)
                continue;
            m_seconds[run.benchmark_name()] = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
            auto rate = run.counters.find("objects/s");
            if (rate != run.counters.end())
                m_rates[run.benchmark_name()] = rate->second.value;
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void PrintRatios() const
    {
        std::printf("\n%-22s %14s %14s %8s\n", "work", "proxy (us)", "raw (us)", "ratio");
        for (const char* work : {"ObjectLoad", "AttributeRead", "LockAndUnlock", "WriteTransaction", "SampleBuild",
                                 "SampleRead"}) {
            auto proxy = m_seconds.find(std::string(work) + "_Proxy");
            auto raw = m_seconds.find(std::string(work) + "_Raw");
            if (proxy == m_seconds.end() || raw == m_seconds.end() || raw->second <= 0)
                continue;
            std::printf("%-22s %14.2f %14.2f %8.2f\n", work, proxy->second * 1e6, raw->second * 1e6,
                        proxy->second / raw->second);
        }
        std::printf("\n%-22s %14s %14s\n", "objects per second", "proxy", "raw");
        for (const char* work : {"SampleBuild", "SampleRead"}) {
            auto proxy = m_rates.find(std::string(work) + "_Proxy");
            auto raw = m_rates.find(std::string(work) + "_Raw");
            if (proxy != m_rates.end() && raw != m_rates.end())
                std::printf("%-22s %14.0f %14.0f\n", work, proxy->second, raw->second);
        }
        std::printf("(sample: %ld objects written, %ld read)\n", SampleObjectsWritten(), SampleObjectsRead());
    }

private:
    std::map<std::string, double> m_seconds;
    std::map<std::string, double> m_rates;
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
            std::fprintf(stderr, "proxy_bench: %s: give SYSTEMS,SEGMENTS,ELEMENTS (e.g. 100,20,500)\n", argv[i]);
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

BENCHMARK(ObjectLoad_Proxy)->Unit(benchmark::kMicrosecond);
BENCHMARK(ObjectLoad_Raw)->Unit(benchmark::kMicrosecond);
BENCHMARK(AttributeRead_Proxy)->Unit(benchmark::kMicrosecond);
BENCHMARK(AttributeRead_Raw)->Unit(benchmark::kMicrosecond);
BENCHMARK(LockAndUnlock_Proxy)->Unit(benchmark::kMicrosecond);
BENCHMARK(LockAndUnlock_Raw)->Unit(benchmark::kMicrosecond);
BENCHMARK(WriteTransaction_Proxy)->Unit(benchmark::kMicrosecond);
BENCHMARK(WriteTransaction_Raw)->Unit(benchmark::kMicrosecond);

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
