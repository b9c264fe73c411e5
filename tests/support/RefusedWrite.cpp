#include "support/RefusedWrite.h"

#include "support/PgTestServer.h"

#include <sqlite3.h>

#include <stdexcept>

namespace vqtest {

RefusedWrite::RefusedWrite(const std::string& repository, const std::string& text) : m_repository(repository)
{
    if (PgTestServer::IsUri(repository))
        Run("CREATE FUNCTION vq_repository.refuse() RETURNS trigger LANGUAGE plpgsql AS"
            " $$BEGIN RAISE EXCEPTION 'could not extend file' USING ERRCODE = '53100'; END$$;"
            "CREATE TRIGGER refuse BEFORE INSERT OR UPDATE ON vq_repository.px_attribute FOR EACH ROW"
            " WHEN (NEW.bytes = '" + text + "'::bytea) EXECUTE FUNCTION vq_repository.refuse()");
    else
        Run("CREATE TRIGGER refuse BEFORE INSERT ON px_attribute WHEN NEW.value = '" + text +
            "' BEGIN SELECT RAISE(ROLLBACK, 'refused'); END");
}

RefusedWrite::~RefusedWrite()
{
    try {
        Run(PgTestServer::IsUri(m_repository) ? "DROP TRIGGER refuse ON vq_repository.px_attribute; DROP FUNCTION vq_repository.refuse()"
                                    : "DROP TRIGGER refuse");
    } catch (const std::exception&) {
        // The repository goes with the test.
    }
}

void RefusedWrite::Run(const std::string& sql) const
{
    if (PgTestServer::IsUri(m_repository)) {
        PgTestServer::Instance().Run(PgTestServer::DatabaseOf(m_repository), sql);
        return;
    }
    sqlite3* db = nullptr;
    const bool done = sqlite3_open(m_repository.c_str(), &db) == SQLITE_OK &&
                      sqlite3_busy_timeout(db, 5000) == SQLITE_OK &&
                      sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
    const std::string error = db ? sqlite3_errmsg(db) : "no memory";
    sqlite3_close(db);
    if (!done)
        throw std::runtime_error("cannot arm the repository file: " + error);
}

} // namespace vqtest
