#include "support/RefusedLockWrites.h"

#include "support/PgTestServer.h"

#include <libpq-fe.h>
#include <sqlite3.h>

#include <stdexcept>

namespace vqtest {

namespace {

std::string LockFileOf(const std::string& repository) { return repository + "-locks"; }

// Every write that gives a lock back, ends a session or lifts a hold deletes or updates a row of
// these.
constexpr const char* kTables[] = {"px_lock", "px_persistent_lock"};

std::vector<std::string> ChangesRefused(RefusedLockWrites::Refusing refusing)
{
    switch (refusing) {
    case RefusedLockWrites::Refusing::Deletes:
        return {"DELETE"};
    case RefusedLockWrites::Refusing::EveryWrite:
        return {"DELETE", "UPDATE", "INSERT"};
    default:
        return {"DELETE", "UPDATE"};
    }
}

} // namespace

// The connection holding the store's write lock.
struct RefusedLockWrites::Holder {
    sqlite3* file = nullptr;
    PGconn* server = nullptr;
};

RefusedLockWrites::RefusedLockWrites(const std::string& repository, bool held, Refusing refusing)
    : m_repository(repository), m_changes(ChangesRefused(refusing)), m_holder(std::make_unique<Holder>())
{
    if (held && PgTestServer::IsUri(repository)) {
        m_holder->server = PQconnectdb(repository.c_str());
        PQclear(PQexec(m_holder->server, "BEGIN; SELECT pg_advisory_xact_lock(29871, 2)"));
        if (PQtransactionStatus(m_holder->server) != PQTRANS_INTRANS)
            throw std::runtime_error("cannot hold the lock tables");
        return;
    }
    if (held) {
        if (sqlite3_open(LockFileOf(repository).c_str(), &m_holder->file) != SQLITE_OK ||
            sqlite3_exec(m_holder->file, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK)
            throw std::runtime_error("cannot hold the lock file");
        return;
    }
    std::string onFile;
    std::string onServer = "CREATE FUNCTION vq_repository.disk_full() RETURNS trigger LANGUAGE plpgsql AS"
                           " $$BEGIN RAISE EXCEPTION 'could not extend file' USING ERRCODE = '53100'; END$$;";
    for (const std::string table : kTables) {
        std::string changes;
        for (const std::string& change : m_changes) {
            onFile += "CREATE TRIGGER full_" + change + "_" + table + " BEFORE " + change + " ON " + table +
                      " BEGIN SELECT RAISE(ABORT, 'database or disk is full'); END;";
            changes += (changes.empty() ? "" : " OR ") + change;
        }
        onServer += "CREATE TRIGGER disk_full BEFORE " + changes + " ON vq_repository." + table +
                    " FOR EACH ROW EXECUTE FUNCTION vq_repository.disk_full();";
    }
    Run(onFile, onServer);
}

RefusedLockWrites::~RefusedLockWrites()
{
    if (m_holder->file) {
        sqlite3_exec(m_holder->file, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_close(m_holder->file);
        return;
    }
    if (m_holder->server) {
        PQclear(PQexec(m_holder->server, "COMMIT"));
        PQfinish(m_holder->server);
        return;
    }
    std::string onFile;
    std::string onServer;
    for (const std::string table : kTables) {
        for (const std::string& change : m_changes)
            onFile += "DROP TRIGGER full_" + change + "_" + table + ";";
        onServer += "DROP TRIGGER disk_full ON vq_repository." + table + ";";
    }
    try {
        Run(onFile, onServer + "DROP FUNCTION vq_repository.disk_full()");
    } catch (const std::exception&) {
        // The repository goes with the test.
    }
}

void RefusedLockWrites::Run(const std::string& onFile, const std::string& onServer) const
{
    if (PgTestServer::IsUri(m_repository)) {
        PgTestServer::Instance().Run(PgTestServer::DatabaseOf(m_repository), onServer);
        return;
    }
    sqlite3* db = nullptr;
    const bool done = sqlite3_open(LockFileOf(m_repository).c_str(), &db) == SQLITE_OK &&
                      sqlite3_busy_timeout(db, 5000) == SQLITE_OK &&
                      sqlite3_exec(db, onFile.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
    const std::string error = db ? sqlite3_errmsg(db) : "no memory";
    sqlite3_close(db);
    if (!done)
        throw std::runtime_error("cannot arm the lock file: " + error);
}

} // namespace vqtest
