#include "support/EarlierBuildUser.h"

#include "support/PgTestServer.h"

#include <libpq-fe.h>
#include <sqlite3.h>

#include <ctime>
#include <utility>

namespace vqtest {

namespace {

// Identities no object or hold of a test's repository has: that build drew them from the object ids.
constexpr std::int64_t kIdentitiesBefore = 4000000000;

bool RunOnServer(const std::string& uri, const std::string& sql)
{
    PGconn* server = PQconnectdb(uri.c_str());
    PGresult* result = PQexec(server, ("SET search_path TO vq_repository; " + sql).c_str());
    const bool taken = PQresultStatus(result) == PGRES_COMMAND_OK || PQresultStatus(result) == PGRES_TUPLES_OK;
    PQclear(result);
    PQfinish(server);
    return taken;
}

bool RunOnFile(const std::string& repository, const std::string& sql)
{
    sqlite3* file = nullptr;
    // Closed with its transaction open, the file rolls it back.
    const bool taken = sqlite3_open((repository + "-locks").c_str(), &file) == SQLITE_OK &&
                       sqlite3_busy_timeout(file, 5000) == SQLITE_OK &&
                       sqlite3_exec(file, ("BEGIN IMMEDIATE;" + sql + ";COMMIT").c_str(), nullptr, nullptr,
                                    nullptr) == SQLITE_OK;
    sqlite3_close(file);
    return taken;
}

std::string Quoted(const std::string& text) { return "'" + text + "'"; }

} // namespace

bool RunOnLockStore(const std::string& repository, const std::string& sql)
{
    return PgTestServer::IsUri(repository) ? RunOnServer(repository, sql) : RunOnFile(repository, sql);
}

EarlierBuildUser::EarlierBuildUser(std::string repository, std::string userCode, Build build)
    : m_repository(std::move(repository)), m_userCode(std::move(userCode)), m_build(build),
      m_lastIdentity(kIdentitiesBefore)
{
}

bool EarlierBuildUser::LockByHand(std::int64_t oid)
{
    const std::string placed = "INSERT INTO px_persistent_lock(oid, user_code, locked, holds, manual_holds, hold_id";
    const std::string values = " VALUES(" + std::to_string(oid) + ", " + Quoted(m_userCode) + ", " +
                               std::to_string(std::time(nullptr)) + ", 1, 1, 0";
    const std::string onConflict =
        " ON CONFLICT(oid) DO UPDATE SET holds = px_persistent_lock.holds + excluded.holds,"
        " manual_holds = px_persistent_lock.manual_holds + excluded.manual_holds, hold_id = CASE WHEN"
        " excluded.manual_holds = 0 THEN excluded.hold_id ELSE px_persistent_lock.hold_id END";
    if (m_build == Build::WithoutManualIdentity)
        return RunOnLockStore(m_repository, placed + ")" + values + ")" + onConflict);
    const std::int64_t identity = ++m_lastIdentity;
    if (!RunOnLockStore(m_repository, placed + ", manual_id)" + values + ", " + std::to_string(identity) + ")" +
                                          onConflict +
                                          ", manual_id = CASE WHEN excluded.manual_holds = 0 THEN"
                                          " px_persistent_lock.manual_id ELSE excluded.manual_id END"))
        return false;
    m_placed[oid] = identity;
    return true;
}

bool EarlierBuildUser::UnlockByHand(std::int64_t oid) const { return RunOnLockStore(m_repository, Removal(oid, "")); }

bool EarlierBuildUser::TakeBackByHand(std::int64_t oid) const
{
    std::string condition = " AND user_code = " + Quoted(m_userCode);
    const auto placed = m_placed.find(oid);
    if (placed != m_placed.end())
        condition += " AND manual_id = " + std::to_string(placed->second);
    return RunOnLockStore(m_repository, Removal(oid, condition));
}

std::string EarlierBuildUser::Removal(std::int64_t oid, const std::string& condition) const
{
    const std::string object = std::to_string(oid);
    const char* const identity =
        m_build == Build::NamingManualIdentity ? ", manual_id = CASE WHEN 1 > 0 THEN 0 ELSE manual_id END" : "";
    return std::string("UPDATE px_persistent_lock SET holds = holds - 1, manual_holds = manual_holds - 1") +
           identity + " WHERE oid = " + object + " AND manual_holds > 0" + condition +
           ";DELETE FROM px_persistent_lock WHERE oid = " + object + " AND holds <= 0";
}

} // namespace vqtest
