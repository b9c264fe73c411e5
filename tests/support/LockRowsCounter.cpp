#include "support/LockRowsCounter.h"

#include "support/PgTestServer.h"

#include "proxy/PxPostgres.h"

namespace vqtest {

LockRowsCounter::LockRowsCounter(const std::string& uri) : m_uri(uri)
{
    const std::size_t start = uri.find(":///") + 4;
    PgTestServer::Instance().Run(
        uri.substr(start, uri.find('?') - start),
        "SET search_path TO vq_repository;"
        "CREATE TABLE lock_rows(written bigint NOT NULL); INSERT INTO lock_rows VALUES(0);"
        "CREATE FUNCTION count_lock_rows() RETURNS trigger LANGUAGE plpgsql AS $$BEGIN"
        " UPDATE vq_repository.lock_rows SET written = written + (SELECT count(*) FROM rows); RETURN NULL; END$$;"
        "CREATE TRIGGER inserted AFTER INSERT ON px_lock REFERENCING NEW TABLE AS rows"
        " FOR EACH STATEMENT EXECUTE FUNCTION count_lock_rows();"
        "CREATE TRIGGER updated AFTER UPDATE ON px_lock REFERENCING NEW TABLE AS rows"
        " FOR EACH STATEMENT EXECUTE FUNCTION count_lock_rows()");
}

std::int64_t LockRowsCounter::Written() const
{
    PxPgConnection db(m_uri);
    return PxPgConnection::Query(db, "SELECT written FROM vq_repository.lock_rows", "count").Run().Int(0, 0);
}

} // namespace vqtest
