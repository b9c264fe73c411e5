// The repository proxy on a PostgreSQL server beside raw libpq doing the same work in the
// same run (goal: within 2x; the lock within 1.5x): loading the objects of a list, reading an
// attribute of each of 1,000 objects from the store, taking and giving back a write lock, a
// transaction that writes 1,000 new objects. The server is VQ_BENCH_SERVER (a URI naming an empty database;
// two more databases of that server, its name with "_write" and "_raw" after it, must be
// empty too) or, without it, a throwaway server started in a temporary folder. The pairs
// join proxy_bench's table of ratios.
#include "support/PgTestServer.h"

#include "ProxyWork.h"

#include "proxy/PxTypedList.h"
#include "proxy/PxVQEnterprise.h"
#include "proxy/PxVQLink.h"

#include <benchmark/benchmark.h>
#include <libpq-fe.h>

#include <cstdlib>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

// A raw libpq connection to a repository database, with its prepared statements.
class RawServer {
public:
    explicit RawServer(const std::string& uri) : m_db(PQconnectdb(uri.c_str()))
    {
        if (PQstatus(m_db) != CONNECTION_OK)
            throw std::runtime_error(PQerrorMessage(m_db));
        Execute("SET search_path TO vq_repository");
    }
    ~RawServer() { PQfinish(m_db); }
    RawServer(const RawServer&) = delete;
    RawServer& operator=(const RawServer&) = delete;

    void Execute(const char* sql)
    {
        PGresult* result = PQexec(m_db, sql);
        bool ok = PQresultStatus(result) == PGRES_COMMAND_OK || PQresultStatus(result) == PGRES_TUPLES_OK;
        PQclear(result);
        if (!ok)
            throw std::runtime_error(PQerrorMessage(m_db));
    }
    // Runs a statement prepared at its first run (named after its place in `m_names`).
    std::unique_ptr<PGresult, void (*)(PGresult*)> Run(const char* sql, const std::vector<std::string>& values)
    {
        std::string& name = m_names[sql];
        if (name.empty()) {
            name = "raw" + std::to_string(m_names.size());
            PQclear(PQprepare(m_db, name.c_str(), sql, 0, nullptr));
        }
        std::vector<const char*> pointers;
        for (const std::string& value : values)
            pointers.push_back(value.c_str());
        std::unique_ptr<PGresult, void (*)(PGresult*)> result(
            PQexecPrepared(m_db, name.c_str(), static_cast<int>(values.size()), pointers.data(), nullptr, nullptr, 0),
            PQclear);
        ExecStatusType status = PQresultStatus(result.get());
        if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK)
            throw std::runtime_error(PQerrorMessage(m_db));
        return result;
    }

private:
    PGconn* m_db;
    std::map<const char*, std::string> m_names;
};

// The databases of one run: one read by both sides, one written by the proxy and one by raw
// libpq.
class ServerWorkspace {
public:
    ServerWorkspace()
    {
        const char* given = std::getenv("VQ_BENCH_SERVER");
        if (given) {
            std::string uri = given;
            std::size_t query = uri.find('?');
            std::string base = uri.substr(0, query), options = query == std::string::npos ? "" : uri.substr(query);
            m_read = uri;
            m_write = base + "_write" + options;
            m_rawWrite = base + "_raw" + options;
        } else {
            vqtest::PgTestServer& server = vqtest::PgTestServer::Instance();
            m_read = server.NewDatabase();
            m_write = server.NewDatabase();
            m_rawWrite = server.NewDatabase();
        }
        for (const std::string& uri : {m_read, m_write, m_rawWrite})
            PxLink::CreateRepository(uri.c_str());
        Populate();
        m_raw = std::make_unique<RawServer>(m_read);
        m_rawWriter = std::make_unique<RawServer>(m_rawWrite);
        m_raw->Execute("CREATE TEMPORARY TABLE lock(oid bigint NOT NULL, session bigint NOT NULL,"
                       " kind integer NOT NULL, PRIMARY KEY(oid, session, kind))");
    }

    std::unique_ptr<PxVQLink> m_link;   // on the read database, for reads and locks
    std::unique_ptr<PxVQLink> m_writer; // on the proxy's write database
    std::unique_ptr<RawServer> m_raw;
    std::unique_ptr<RawServer> m_rawWriter;
    PxTypedList<PxVQObjectPtr> m_hosts;
    std::vector<std::string> m_oids;
    std::string m_enterpriseOid;

private:
    void Populate()
    {
        m_link = std::make_unique<PxVQLink>();
        m_link->AttachSession(m_read.c_str(), "bench", nullptr);
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
            m_oids.push_back(std::to_string(m_hosts.CList::GetNext(position)->GetHandle().MapKey()));
        m_enterpriseOid = std::to_string(enterprise->GetHandle().MapKey());
        m_writer = std::make_unique<PxVQLink>();
        m_writer->AttachSession(m_write.c_str(), "bench", nullptr);
    }

    std::string m_read;
    std::string m_write;
    std::string m_rawWrite;
};

// Made when the first server benchmark runs, so that a filter without them starts no server.
ServerWorkspace& Server()
{
    static ServerWorkspace workspace;
    return workspace;
}

void ServerObjectLoad_Proxy(benchmark::State& state) { ProxyObjectLoad(state, *Server().m_link); }

void ServerObjectLoad_Raw(benchmark::State& state)
{
    RawServer& raw = *Server().m_raw;
    for (auto _ : state) {
        auto result = raw.Run("SELECT o.oid, o.class, o.created, o.edition FROM px_member m"
                              " JOIN px_object o ON o.oid = m.member"
                              " WHERE m.owner = $1 AND m.role = $2 AND o.present ORDER BY m.seq",
                              {Server().m_enterpriseOid, "hosts"});
        std::vector<RawRow> rows;
        for (int row = 0; row < PQntuples(result.get()); ++row)
            rows.push_back({std::atoll(PQgetvalue(result.get(), row, 0)), PQgetvalue(result.get(), row, 1),
                            std::atoll(PQgetvalue(result.get(), row, 2)), std::atoll(PQgetvalue(result.get(), row, 3))});
        benchmark::DoNotOptimize(rows.size());
    }
}

void ServerAttributeRead_Proxy(benchmark::State& state)
{
    ProxyAttributeRead(state, *Server().m_link, Server().m_hosts);
}

void ServerAttributeRead_Raw(benchmark::State& state)
{
    RawServer& raw = *Server().m_raw;
    for (auto _ : state) {
        std::size_t length = 0;
        for (const std::string& oid : Server().m_oids)
            length += static_cast<std::size_t>(PQgetlength(
                raw.Run("SELECT bytes FROM px_attribute WHERE oid = $1 AND name = $2", {oid, "address"}).get(), 0, 0));
        benchmark::DoNotOptimize(length);
    }
}

void ServerLockAndUnlock_Proxy(benchmark::State& state)
{
    ProxyLockAndUnlock(state, Server().m_hosts.GetHead());
}

// Taken in a transaction that the same advisory lock runs one at a time, as the proxy's.
void ServerLockAndUnlock_Raw(benchmark::State& state)
{
    RawServer& raw = *Server().m_raw;
    for (auto _ : state) {
        raw.Execute("BEGIN; SELECT pg_advisory_xact_lock(29871, 2)");
        auto held = raw.Run("SELECT count(*) FROM lock WHERE oid = $1 AND session <> $2", {"42", "1"});
        if (std::atoll(PQgetvalue(held.get(), 0, 0)) != 0)
            state.SkipWithError("lock refused");
        raw.Run("INSERT INTO lock(oid, session, kind) VALUES($1, $2, 4)", {"42", "1"});
        raw.Execute("COMMIT");
        raw.Run("DELETE FROM lock WHERE oid = $1 AND session = $2", {"42", "1"});
    }
}

void ServerWriteTransaction_Proxy(benchmark::State& state) { ProxyWriteTransaction(state, *Server().m_writer); }

void ServerWriteTransaction_Raw(benchmark::State& state)
{
    RawServer& raw = *Server().m_rawWriter;
    static std::int64_t next = 1000000; // the runs of one program share the database
    for (auto _ : state) {
        raw.Execute("BEGIN; SELECT pg_advisory_xact_lock(29871, 1)");
        raw.Run("UPDATE px_object SET edition = edition + 1 WHERE oid = $1", {"1"});
        for (int i = 0; i < kBenchObjects; ++i) {
            std::string oid = std::to_string(next++);
            raw.Run("INSERT INTO px_object(oid, class, created, edition, present) VALUES($1, 'PxVQObject', $2, 1, true)",
                    {oid, "1800000000"});
            raw.Run("INSERT INTO px_member(owner, role, seq, member, owning) VALUES($1, 'hosts',"
                    " coalesce((SELECT max(seq) FROM px_member WHERE owner = $1 AND role = 'hosts'), 0) + 1, $2, true)",
                    {"1", oid});
            for (auto [name, value] : {std::pair{"name", "HOST"}, std::pair{"address", "10.0.0.1"}})
                raw.Run("INSERT INTO px_attribute(oid, name, type, bytes) VALUES($1, $2, 2, convert_to($3, 'UTF8'))"
                        " ON CONFLICT(oid, name) DO UPDATE SET type = excluded.type, bytes = excluded.bytes",
                        {oid, name, value});
        }
        raw.Execute("COMMIT");
    }
}

} // namespace

BENCHMARK(ServerObjectLoad_Proxy)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(ServerObjectLoad_Raw)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(ServerAttributeRead_Proxy)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(ServerAttributeRead_Raw)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(ServerLockAndUnlock_Proxy)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(ServerLockAndUnlock_Raw)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(ServerWriteTransaction_Proxy)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(ServerWriteTransaction_Raw)->Unit(benchmark::kMicrosecond)->UseRealTime();
