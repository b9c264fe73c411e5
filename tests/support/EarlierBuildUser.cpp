#include "support/EarlierBuildUser.h"

#include "support/PgTestServer.h"

#include <libpq-fe.h>
#include <sqlite3.h>

#include <ctime>
#include <utility>

namespace vqtest {

namespace {

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
    const bool taken = sqlite3_open((repository + "-locks").c_str(), &file) == SQLITE_OK &&
                       sqlite3_busy_timeout(file, 5000) == SQLITE_OK &&
                       sqlite3_exec(file, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(file);
    return taken;
}

} // namespace

bool RunOnLockStore(const std::string& repository, const std::string& sql)
{
    return PgTestServer::IsUri(repository) ? RunOnServer(repository, sql) : RunOnFile(repository, sql);
}

EarlierBuildUser::EarlierBuildUser(std::string repository, std::string userCode)
    : m_repository(std::move(repository)), m_userCode(std::move(userCode))
{
}

bool EarlierBuildUser::LockByHand(std::int64_t oid) const
{
    return RunOnLockStore(m_repository,
                          "INSERT INTO px_persistent_lock(oid, user_code, locked, holds, manual_holds, hold_id)"
                          " VALUES(" + std::to_string(oid) + ", '" + m_userCode + "', " +
                              std::to_string(std::time(nullptr)) +
                              ", 1, 1, 0) ON CONFLICT(oid) DO UPDATE SET holds = px_persistent_lock.holds +"
                              " excluded.holds, manual_holds = px_persistent_lock.manual_holds +"
                              " excluded.manual_holds, hold_id = CASE WHEN excluded.manual_holds = 0 THEN"
                              " excluded.hold_id ELSE px_persistent_lock.hold_id END");
}

bool EarlierBuildUser::UnlockByHand(std::int64_t oid) const
{
    const std::string object = std::to_string(oid);
    return RunOnLockStore(m_repository, "UPDATE px_persistent_lock SET holds = holds - 1, manual_holds ="
                                        " manual_holds - 1 WHERE oid = " + object + " AND manual_holds > 0;"
                                        "DELETE FROM px_persistent_lock WHERE oid = " + object + " AND holds <= 0");
}

} // namespace vqtest
