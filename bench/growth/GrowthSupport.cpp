#include "GrowthSupport.h"

#include "support/BenchSession.h"
#include "support/PgTestServer.h"

#include "repo/RepoFile.h"
#include "repo/RepoReader.h"
#include "repo/RepoSample.h"
#include "shell/VqsModuleStartup.h"
#include "shell/VqsSysApp.h"

#include <libpq-fe.h>
#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <thread>
#include <tuple>

namespace vqgrowth {

namespace fs = std::filesystem;

namespace {

fs::path Folder()
{
    static const fs::path folder = vqbench::KeptFolder("vq_growth_bench");
    return folder;
}

bool g_started = false;

VqsSysApp& StartedModule()
{
    static VqsSysApp& app = []() -> VqsSysApp& {
        g_started = true;
        vqbench::StartModuleIn(Folder());
        return *VqsGetApp();
    }();
    return app;
}

std::string g_open;

} // namespace

std::string FileRepository(const std::string& name, const std::string& json)
{
    return vqbench::KeptRepository(Folder() / (name + ".vqr"), [&] { return vqrepo::ReadDescription(json); });
}

std::string FreshCopy(const std::string& source)
{
    return vqbench::FreshCopy(source, Folder() / "work.vqr");
}

std::string ServerRepository(const std::string& json)
{
    const std::string uri = vqtest::PgTestServer::Instance().NewDatabase();
    vqrepo::CreateRepositoryFile(uri, vqrepo::ReadDescription(json));
    return uri;
}

std::string ServerCopy(const std::string& uri)
{
    static int copies = 0;
    const std::size_t start = uri.find(":///") + 4;
    const std::string source = uri.substr(start, uri.find('?') - start);
    const std::string copy = "copy" + std::to_string(++copies);
    vqtest::PgTestServer::Instance().Run("postgres",
                                         "CREATE DATABASE " + copy + " TEMPLATE " + source + " STRATEGY FILE_COPY");
    return vqtest::PgTestServer::Instance().Uri(copy);
}

std::string KeptServerRepository(const std::string& name, const std::string& json)
{
    static std::map<std::string, std::string> made;
    std::string& uri = made[name];
    if (uri.empty())
        uri = ServerRepository(json);
    return uri;
}

namespace {

// A connection of its own to the repository's database; throws when it cannot be made.
std::unique_ptr<PGconn, void (*)(PGconn*)> Connected(const std::string& uri)
{
    std::unique_ptr<PGconn, void (*)(PGconn*)> db(PQconnectdb(uri.c_str()), PQfinish);
    if (PQstatus(db.get()) != CONNECTION_OK)
        throw std::runtime_error(PQerrorMessage(db.get()));
    return db;
}

// The number the query answers.
std::int64_t NumberOf(PGconn* db, const char* sql)
{
    std::unique_ptr<PGresult, void (*)(PGresult*)> result(PQexec(db, sql), PQclear);
    if (PQresultStatus(result.get()) != PGRES_TUPLES_OK)
        throw std::runtime_error(std::string("the server cannot answer ") + sql);
    return std::atoll(PQgetvalue(result.get(), 0, 0));
}

} // namespace

std::int64_t ServerTransactions(const std::string& uri)
{
    return NumberOf(Connected(uri).get(), "SELECT txid_current()");
}

std::int64_t NumberOf(const std::string& uri, const char* sql) { return NumberOf(Connected(uri).get(), sql); }

std::int64_t NumberOnceAlone(const std::string& uri, const char* sql)
{
    const auto db = Connected(uri);
    while (NumberOf(db.get(), "SELECT count(*) FROM pg_stat_activity WHERE datname = current_database()"
                              " AND pid <> pg_backend_pid()") > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    return NumberOf(db.get(), sql);
}

std::int64_t ServerBuffers(const std::string& uri)
{
    return NumberOnceAlone(uri, "SELECT blks_hit + blks_read FROM pg_stat_database WHERE datname = current_database()");
}

std::int64_t MemberRowsReadThrough(const std::string& uri)
{
    return NumberOnceAlone(uri, "SELECT seq_tup_read FROM pg_stat_user_tables"
                                " WHERE schemaname = 'vq_repository' AND relname = 'px_member'");
}

namespace {

void Execute(PGconn* db, const std::string& sql)
{
    std::unique_ptr<PGresult, void (*)(PGresult*)> result(PQexec(db, sql.c_str()), PQclear);
    if (PQresultStatus(result.get()) != PGRES_COMMAND_OK)
        throw std::runtime_error("the server cannot run " + sql);
}

} // namespace

void Analyze(const std::string& uri) { Execute(Connected(uri).get(), "ANALYZE"); }

void Vacuum(const std::string& uri) { Execute(Connected(uri).get(), "VACUUM"); }

void TakeEarlierBuildsStatistics(const std::string& uri)
{
    Execute(Connected(uri).get(),
            "SET search_path TO vq_repository;"
            "ALTER TABLE px_member ALTER COLUMN owner RESET (n_distinct), ALTER COLUMN member RESET (n_distinct);"
            "ALTER TABLE px_attribute ALTER COLUMN oid RESET (n_distinct);"
            "ALTER TABLE px_lock ALTER COLUMN oid RESET (n_distinct), ALTER COLUMN session RESET (n_distinct);"
            "ALTER TABLE px_lock_wait ALTER COLUMN oid RESET (n_distinct), ALTER COLUMN session RESET (n_distinct);"
            "INSERT INTO px_member SELECT 0, 'kept', g, -g, false"
            " FROM generate_series(1, 4 * (SELECT count(*) FROM px_member)) g;"
            "ALTER TABLE px_member ALTER COLUMN owner SET (n_distinct = 3);"
            "ANALYZE;"
            "ALTER TABLE px_member ALTER COLUMN owner RESET (n_distinct)");
}

void AnalyzeWhileAnotherSessionHoldsLocks(const std::string& uri, int locks)
{
    const std::string objects = " FROM generate_series(100000000, " + std::to_string(100000000 + locks - 1) + ") g";
    Execute(Connected(uri).get(), "SET search_path TO vq_repository;"
                                  "INSERT INTO px_lock SELECT g, 999999, 1, 1" + objects + ";"
                                  "INSERT INTO px_lock_wait(oid, session, kind) SELECT g, 999999, 4" + objects + ";"
                                  "INSERT INTO px_persistent_lock SELECT g, 'carol/dev', 0, 1, 1" + objects + ";"
                                  "ANALYZE");
}

namespace {

// A line of /proc/self/status in bytes ("VmRSS:", "VmHWM:").
std::int64_t StatusBytes(const std::string& field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field, 0) == 0)
            return std::atoll(line.c_str() + field.size()) * 1024;
    }
    throw std::runtime_error("/proc/self/status has no " + field);
}

} // namespace

std::int64_t ResidentMemory()
{
    malloc_trim(0);
    return StatusBytes("VmRSS:");
}

std::int64_t PeakMemoryRise(const std::function<void()>& step)
{
    const std::int64_t before = ResidentMemory();
    // Writing 5 sets the peak resident size back to the present one.
    std::ofstream("/proc/self/clear_refs") << "5";
    step();
    return StatusBytes("VmHWM:") - before;
}

VqsSysApp& OpenSession(const std::string& repository)
{
    VqsSysApp& app = StartedModule();
    if (g_open == repository)
        return app;
    CloseSession();
    if (!app.OpenSession(repository.c_str(), "BENCH/USER", nullptr))
        throw std::runtime_error("the benchmark cannot open its session on " + repository);
    g_open = repository;
    return app;
}

void CloseSession()
{
    if (g_open.empty())
        return;
    StartedModule().CloseSession();
    g_open.clear();
}

void EndModule()
{
    CloseSession();
    if (g_started)
        VqsEndModule();
}

std::string KeptRepository(const std::string& name, const std::string& json, bool server)
{
    return server ? KeptServerRepository(name, json) : FileRepository(name, json);
}

namespace {

std::string ScaledSample(const vqrepo::SampleScale& scale, bool server, const std::string& fileName)
{
    static std::map<std::pair<std::string, bool>, std::string> made;
    std::string& repository = made[{fileName, server}];
    if (!repository.empty())
        return repository;
    if (server) {
        repository = vqtest::PgTestServer::Instance().NewDatabase();
        vqrepo::CreateRepositoryFile(repository, vqrepo::SampleDescription(scale));
    } else {
        repository = vqbench::KeptSampleRepository(Folder() / fileName, scale);
    }
    return repository;
}

} // namespace

std::string SampleSystems(int systems, bool server)
{
    constexpr int kSegments = 10;
    return ScaledSample({systems / kSegments, kSegments, 0}, server,
                        "sample-systems-" + std::to_string(systems) + ".vqr");
}

std::string SampleSystemsOver(int segments, int systems, bool server)
{
    return ScaledSample({systems / segments, segments, 0}, server,
                        "sample-systems-" + std::to_string(systems) + "-over-" + std::to_string(segments) + ".vqr");
}

std::string OneSegmentSystems(int systems, bool server)
{
    return ScaledSample({systems, 1, 10}, server, "one-segment-" + std::to_string(systems) + ".vqr");
}

std::string SampleSystemAt(int systems, int place)
{
    std::vector<std::string> names;
    for (int index = 1; index <= systems; ++index)
        names.push_back("Sample system " + std::to_string(index));
    std::sort(names.begin(), names.end());
    return names.at(static_cast<std::size_t>(place - 1));
}

std::string ReportElements(int reports)
{
    std::string elements;
    for (int index = 0; index < reports; ++index)
        elements += std::string(index ? "," : "") + R"({"class": "PxLSEReport", "name": ")" + Numbered("R", index) +
                    "\"}";
    return elements;
}

std::string ReportAliases(int reports)
{
    std::string aliases;
    for (int index = 0; index < reports; ++index)
        aliases += std::string(index ? "," : "") + R"({"report": ")" + Numbered("R", index) + "\"}";
    return aliases;
}

std::string IspecElements(int ispecs)
{
    std::string elements;
    for (int index = 0; index < ispecs; ++index)
        elements += std::string(index ? "," : "") + R"({"class": "PxLSEIspec", "name": ")" + Numbered("I", index) +
                    R"(", "usage": "B"})";
    return elements;
}

std::string IspecNames(int ispecs)
{
    std::string names;
    for (int index = 0; index < ispecs; ++index)
        names += std::string(index ? "," : "") + "\"" + Numbered("I", index) + "\"";
    return names;
}

std::string OneSystemDescription(const std::string& elements, const std::string& systemEntries)
{
    return R"({"businessSegments": [{"name": "BIG", "elements": [)" + elements + R"(]}],
               "hosts": [{"name": "NTHOST", "hostType": 0, "port": 21}],
               "systems": [{"name": "SYS1", "businessSegments": ["BIG"],
                            "optionSets": [{"name": "NTGEN", "hostType": 0, "host": "NTHOST"}])" +
           (systemEntries.empty() ? "" : ", " + systemEntries) + "}]}";
}

std::string GroupsAndBundlesDescription(int members)
{
    constexpr int kGroups = 10;
    const std::string elements = ReportElements(members) + "," + IspecElements(members);
    const std::string aliases = ReportAliases(members);
    const std::string ispecs = IspecNames(members);
    std::string groups;
    std::string bundles;
    for (int index = 0; index < kGroups; ++index) {
        groups += std::string(index ? "," : "") + R"({"businessSegment": "BIG", "name": ")" + Numbered("G", index) +
                  R"(", "aliases": [)" + aliases + "]}";
        bundles += std::string(index ? "," : "") + R"({"businessSegment": "BIG", "name": ")" + Numbered("B", index) +
                   R"(", "ispecs": [)" + ispecs + "]}";
    }
    return OneSystemDescription(elements, R"("reportGroups": [)" + groups + R"(], "bundles": [)" + bundles + "]");
}

std::string ReportsDescription(int reports) { return OneSystemDescription(ReportElements(reports), ""); }

std::string ReportsRepository(int reports, bool server)
{
    return KeptRepository("reports-" + std::to_string(reports), ReportsDescription(reports), server);
}

std::string Numbered(const char* prefix, int index)
{
    char name[16];
    std::snprintf(name, sizeof(name), "%s%06d", prefix, index);
    return name;
}

void GrowthReporter::ReportRuns(const std::vector<Run>& runs)
{
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        if (run.error_occurred || run.run_type != Run::RT_Iteration)
            continue;
        const std::string name = run.benchmark_name();
        const std::size_t slash = name.find('/');
        if (slash == std::string::npos)
            continue;
        const std::int64_t size = std::atoll(name.c_str() + slash + 1);
        const auto server = run.counters.find("serverCPU");
        m_times[name.substr(0, slash)][size] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime(),
                                                server == run.counters.end() ? 0.0 : server->second.value};
    }
}

void GrowthReporter::Finalize()
{
    ConsoleReporter::Finalize();
    std::printf("\nGrowth: time at the next size over the time at the size (linear: the sizes' ratio);"
                " the server's processor time where measured\n");
    std::printf("  %-48s %7s    %-7s %8s %8s %8s\n", "", "size", "", "real", "cpu", "server");
    for (const auto& [family, times] : m_times) {
        for (auto time = times.begin(), next = std::next(time); next != times.end(); ++time, ++next) {
            if (time->second.real <= 0 || time->second.cpu <= 0)
                continue;
            char server[16] = "-";
            if (time->second.server > 0)
                std::snprintf(server, sizeof(server), "%.1f", next->second.server / time->second.server);
            std::printf("  %-48s %7lld -> %-7lld %8.1f %8.1f %8s\n", family.c_str(),
                        static_cast<long long>(time->first), static_cast<long long>(next->first),
                        next->second.real / time->second.real, next->second.cpu / time->second.cpu, server);
        }
    }
}

} // namespace vqgrowth

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    vqgrowth::GrowthReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    vqgrowth::EndModule();
    benchmark::Shutdown();
    return 0;
}
