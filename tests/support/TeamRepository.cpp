#include "support/TeamRepository.h"

#include "proxy/PxLink.h"
#include "repo/RepoFile.h"
#include "repo/RepoSample.h"
#include "support/PgTestServer.h"

namespace vqtest {

namespace {

// The database of a test server's URI (postgresql:///name?host=...&user=...), and the URI as
// the role opens it.
std::string DatabaseOf(const std::string& uri)
{
    const std::size_t start = uri.find(":///") + 4;
    return uri.substr(start, uri.find('?') - start);
}

std::string AsRole(const std::string& uri, const std::string& role)
{
    return uri.substr(0, uri.rfind("user=")) + "user=" + role;
}

} // namespace

TeamRepository::TeamRepository(bool sample)
{
    PgTestServer& server = PgTestServer::Instance();
    const std::string uri = server.NewDatabase();
    m_database = DatabaseOf(uri);
    m_ownerRole = m_database + "_owner";
    m_memberRole = m_database + "_member";
    server.Run(m_database, "CREATE ROLE " + m_ownerRole + " LOGIN; CREATE ROLE " + m_memberRole + " LOGIN;"
                           " GRANT CREATE ON DATABASE " + m_database + " TO " + m_ownerRole);
    m_ownerUri = AsRole(uri, m_ownerRole);
    m_memberUri = AsRole(uri, m_memberRole);
    if (sample)
        vqrepo::CreateRepositoryFile(m_ownerUri, vqrepo::SampleDescription());
    else
        PxLink::CreateRepository(m_ownerUri.c_str());
    ForgetManualKeys(m_database);
    server.Run(m_database, "ALTER TABLE vq_repository.px_persistent_lock DROP COLUMN hold_id, DROP COLUMN manual_id;"
                           "DROP SEQUENCE vq_repository.px_hold_id");
    ForgetKeyEstimates(m_database);
    server.Run(m_database, "SET ROLE " + m_ownerRole + ";"
                           "GRANT USAGE ON SCHEMA vq_repository TO " + m_memberRole + ";"
                           "GRANT SELECT, INSERT, UPDATE, DELETE ON ALL TABLES IN SCHEMA vq_repository TO " +
                               m_memberRole + ";"
                           "GRANT USAGE, SELECT, UPDATE ON ALL SEQUENCES IN SCHEMA vq_repository TO " + m_memberRole);
}

void ForgetKeyEstimates(const std::string& database)
{
    PgTestServer::Instance().Run(database, "SET search_path TO vq_repository;"
                                           "ALTER TABLE px_attribute ALTER COLUMN oid RESET (n_distinct);"
                                           "ALTER TABLE px_member ALTER COLUMN owner RESET (n_distinct),"
                                           " ALTER COLUMN member RESET (n_distinct);"
                                           "ALTER TABLE px_lock ALTER COLUMN oid RESET (n_distinct),"
                                           " ALTER COLUMN session RESET (n_distinct);"
                                           "ALTER TABLE px_lock_wait ALTER COLUMN oid RESET (n_distinct),"
                                           " ALTER COLUMN session RESET (n_distinct)");
}

void ForgetManualKeys(const std::string& database)
{
    PgTestServer::Instance().Run(database, "SET search_path TO vq_repository;"
                                           "DROP TRIGGER px_manual_holds_gone ON px_persistent_lock;"
                                           "DROP FUNCTION px_manual_holds_gone();"
                                           "ALTER TABLE px_persistent_lock DROP COLUMN manual_key");
}

} // namespace vqtest
