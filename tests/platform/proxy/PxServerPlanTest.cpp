// How a repository on a server reaches its rows as its tables fill: whatever statistics the
// server took of them, a session's lock calls and its reads and writes find what they name by
// key and read no table through, however long the session has been at work.
#include "PxTestRepository.h"

#include "proxy/PxPostgres.h"
#include "proxy/PxProcess.h"
#include "proxy/PxRepositoryDump.h"
#include "proxy/PxStore.h"
#include "proxy/PxTypedList.h"
#include "proxy/PxVQEnterprise.h"
#include "proxy/PxVQObject.h"
#include "support/PgTestServer.h"
#include "support/TeamRepository.h"

#include <gtest/gtest.h>
#include <libpq-fe.h>

#include <cstdlib>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

using vqtest::PgTestServer;

// The rows each lock table gets from other sessions at once, far more than a session's step on
// a few objects needs to look at.
constexpr int kFilled = 3000;

const std::vector<std::string> kLockTables = {"px_lock", "px_lock_wait", "px_persistent_lock"};
const std::vector<std::string> kDataTables = {"px_object", "px_attribute", "px_member"};

// kFilled objects of the batch (objects 1,000,000 on) locked, waited for and held
// persistently by a session that is not there.
void FillFromOtherSessions(const std::string& database, int batch)
{
    const int first = 1000000 + batch * kFilled;
    const std::string range =
        " FROM generate_series(" + std::to_string(first) + ", " + std::to_string(first + kFilled - 1) + ") g";
    PgTestServer::Instance().Run(
        database, "SET search_path TO vq_repository;"
                  "INSERT INTO px_lock SELECT g, 999999, 1, 1" + range + ";"
                  "INSERT INTO px_lock_wait(oid, session, kind) SELECT g, 999999, 4" + range + ";"
                  "INSERT INTO px_persistent_lock SELECT g, 'carol/dev', 0, 1, 1" + range);
}

// A connection of the test's own to the database.
std::unique_ptr<PGconn, void (*)(PGconn*)> Connected(const std::string& database)
{
    std::unique_ptr<PGconn, void (*)(PGconn*)> db(PQconnectdb(PgTestServer::Instance().Uri(database).c_str()),
                                                  PQfinish);
    EXPECT_EQ(PQstatus(db.get()), CONNECTION_OK) << PQerrorMessage(db.get());
    return db;
}

std::int64_t NumberOf(PGconn* db, const std::string& sql)
{
    std::unique_ptr<PGresult, void (*)(PGresult*)> result(PQexec(db, sql.c_str()), PQclear);
    EXPECT_EQ(PQresultStatus(result.get()), PGRES_TUPLES_OK) << PQerrorMessage(db);
    return PQntuples(result.get()) ? std::atoll(PQgetvalue(result.get(), 0, 0)) : 0;
}

// A connection of the test's own to the database once every session on it has ended (a
// session's counts reach the server's statistics at its end).
std::unique_ptr<PGconn, void (*)(PGconn*)> ConnectedAlone(const std::string& database)
{
    auto db = Connected(database);
    while (NumberOf(db.get(), "SELECT count(*) FROM pg_stat_activity WHERE datname = current_database()"
                              " AND backend_type = 'client backend' AND pid <> pg_backend_pid()") > 0) {
    }
    return db;
}

// The rows the server read through each of the tables by scanning it whole, so far.
std::map<std::string, std::int64_t> RowsScanned(const std::string& database, const std::vector<std::string>& tables)
{
    const auto db = ConnectedAlone(database);
    std::map<std::string, std::int64_t> scanned;
    for (const std::string& table : tables)
        scanned[table] = NumberOf(db.get(), "SELECT seq_tup_read FROM pg_stat_user_tables"
                                            " WHERE schemaname = 'vq_repository' AND relname = '" + table + "'");
    return scanned;
}

// The temporary files the server wrote for the database so far: a sort or a hash that did not
// fit in the server's working memory.
std::int64_t TemporaryFiles(const std::string& database)
{
    return NumberOf(ConnectedAlone(database).get(),
                    "SELECT temp_files FROM pg_stat_database WHERE datname = current_database()");
}

// A step on each host: a generation hold placed for a start, an update under it given back,
// the hold lifted; its write lock, a change of its address, the list of hosts read.
void ChangeEachHost(PxVQLink& link, const std::vector<PxVQObjectPtr>& hosts)
{
    const CString user = link.GetProcess()->GetUserCode();
    for (const PxVQObjectPtr& host : hosts) {
        ASSERT_TRUE(host->PlaceGenerationHold());
        ASSERT_TRUE(host->ExchangeGenerationHold(user));
        ASSERT_TRUE(host->UnLock());
        host->LiftGenerationHold();
        ASSERT_TRUE(host->WriteLock(0));
        link.BeginTransaction();
        host->Refresh();
        host->SetAttributeText("address", host->GetAttributeText("address") + "1");
        link.CommitTransaction();
        PxTypedList<PxVQObjectPtr> listed;
        link.GetLVQEnterprise()->GetMembers("hosts", listed);
        ASSERT_TRUE(host->UnLock());
    }
}

// When the server took its statistics of the tables: while they were empty, never, or once
// they held the test's rows.
struct Statistics {
    const char* statistics;
    bool takenEmpty;
    bool takenFilled;
};
const Statistics kStatistics[] = {
    {"taken while the tables were empty", true, false},
    {"never taken", false, false},
    {"taken while the tables held rows", false, true},
};

TEST(PxServerPlanTest, ASessionsLockCallsReadNoLockTableThroughWhateverTheStatisticsSay)
{
    constexpr int kHosts = 8;
    for (const Statistics& row : kStatistics) {
        PxTestRepository repository(PxStoreKind::Server);
        const std::string database = PgTestServer::DatabaseOf(repository.Path());
        if (row.takenFilled)
            FillFromOtherSessions(database, 1);
        if (row.takenEmpty || row.takenFilled)
            PgTestServer::Instance().Run(database, "ANALYZE");
        auto link = PxAttach(repository.Path());
        std::vector<PxVQObjectPtr> hosts;
        link->BeginTransaction();
        for (int index = 0; index < kHosts; ++index) {
            hosts.push_back(link->GetLVQEnterprise()->CreateMember("hosts", "PxVQObject"));
            hosts.back()->SetAttributeText("address", "10.0.0.1");
            hosts.back()->CreateMember("packs", "PxVQObject");
        }
        link->CommitTransaction();
        // The session's lock calls run first while the lock tables hold nothing, then again
        // and again once other sessions have filled them; a deletion takes a write lock.
        ChangeEachHost(*link, hosts);
        FillFromOtherSessions(database, 0);
        for (int round = 0; round < 3; ++round)
            ChangeEachHost(*link, hosts);
        for (int index = 0; index < kHosts / 2; ++index) {
            ASSERT_TRUE(hosts[index]->WriteLock(0));
            link->BeginTransaction();
            hosts[index]->DeleteObject();
            link->CommitTransaction();
        }
        link.reset();
        for (const auto& [table, scanned] : RowsScanned(database, kLockTables))
            EXPECT_LT(scanned, kFilled) << table << " read through, statistics " << row.statistics;
    }
}

// The root's hosts list holds kFilled objects stored by another session: one owner holds most
// members.
void FillHostsFromAnotherSession(const std::string& database)
{
    const std::string range = " FROM generate_series(2000000, " + std::to_string(2000000 + kFilled - 1) + ") g";
    PgTestServer::Instance().Run(database, "SET search_path TO vq_repository;"
                                           "INSERT INTO px_object SELECT g, 'PxVQObject', 0, 1, true" + range + ";"
                                           "INSERT INTO px_member SELECT 1, 'hosts', g, g, true" + range);
}

TEST(PxServerPlanTest, ASessionsReadsAndWritesReadNoTableThroughWhateverTheStatisticsSay)
{
    struct Row {
        const char* statistics;
        bool oneOwnerHoldsMost;
    };
    const Row rows[] = {
        {"taken while the tables were empty", false},
        {"taken while one owner held most members", true},
    };
    constexpr int kSteps = 150;
    constexpr int kHostsAStep = 10;
    constexpr std::int64_t kSmallTableRows = 2000;
    for (const Row& row : rows) {
        PxTestRepository repository(PxStoreKind::Server);
        const std::string database = PgTestServer::DatabaseOf(repository.Path());
        if (row.oneOwnerHoldsMost)
            FillHostsFromAnotherSession(database);
        PgTestServer::Instance().Run(database, "ANALYZE");
        // The session fills the tables step by step: each step stores hosts with their
        // addresses and packs, then reads each back and steps its edition.
        auto link = PxAttach(repository.Path());
        // The hosts list read first, as a view of the enterprise shows it.
        for (int read = 0; read < 6; ++read) {
            PxTypedList<PxVQObjectPtr> listed;
            link->GetLVQEnterprise()->GetMembers("hosts", listed);
            link->ClearAllBuffers();
        }
        for (int step = 0; step < kSteps; ++step) {
            std::vector<PxVQObjectPtr> hosts;
            link->BeginTransaction();
            for (int index = 0; index < kHostsAStep; ++index) {
                hosts.push_back(link->GetLVQEnterprise()->CreateMember("hosts", "PxVQObject"));
                hosts.back()->SetAttributeText("address", ("10.0.0." + std::to_string(index)).c_str());
                hosts.back()->CreateMember("packs", "PxVQObject");
            }
            link->CommitTransaction();
            for (const PxVQObjectPtr& host : hosts) {
                link->BeginTransaction();
                host->Refresh();
                host->SetAttributeText("address", host->GetAttributeText("address") + "1");
                PxTypedList<PxVQObjectPtr> packs;
                host->GetMembers("packs", packs);
                link->CommitTransaction();
            }
        }
        link.reset();
        // A plan made while a table held a few pages may read it through until it holds twice
        // as many (a few hundred rows a run); one kept as the table grows reads all of it, for
        // every host, thousands of rows a run at the end.
        for (const auto& [table, scanned] : RowsScanned(database, kDataTables))
            EXPECT_LT(scanned, kSteps * kHostsAStep * kSmallTableRows)
                << table << " read through, statistics " << row.statistics;
    }
}

// A subtree lock reads a rank's objects together: their lists, one attribute of each, their
// editions. As the tables fill, none of those reads keeps a plan that reads a table through.
TEST(PxServerPlanTest, ReadsOfManyObjectsTogetherReadNoTableThroughWhateverTheStatisticsSay)
{
    constexpr int kSteps = 60;
    constexpr int kHostsAStep = 10;
    constexpr std::int64_t kSmallTableRows = 2000;
    for (const bool oneOwnerHoldsMost : {false, true}) {
        PxTestRepository repository(PxStoreKind::Server);
        const std::string database = PgTestServer::DatabaseOf(repository.Path());
        if (oneOwnerHoldsMost)
            FillHostsFromAnotherSession(database);
        PgTestServer::Instance().Run(database, "ANALYZE");
        auto link = PxAttach(repository.Path());
        for (int step = 0; step < kSteps; ++step) {
            std::vector<PxObjectPtr> hosts;
            link->BeginTransaction();
            for (int index = 0; index < kHostsAStep; ++index) {
                hosts.push_back(link->GetLVQEnterprise()->CreateMember("hosts", "PxVQObject"));
                hosts.back()->SetAttributeObject("pack", hosts.back()->CreateMember("packs", "PxVQObject"));
            }
            link->CommitTransaction();
            link->ClearAllBuffers();
            PxObject::MembersOf(hosts, "packs");
            PxObject::AttributeObjectsOf(hosts, "pack");
            PxObject::RefreshChanged(hosts);
        }
        link.reset();
        for (const auto& [table, scanned] : RowsScanned(database, kDataTables))
            EXPECT_LT(scanned, kSteps * kHostsAStep * kSmallTableRows)
                << table << " read through, one owner holding most members: " << oneOwnerHoldsMost;
    }
}

// A level of the tree as the server holds it: the root's list "sites" of `sites` objects, each
// with a list "hosts" of `hostsASite` objects of `attributes` attributes each.
void FillLevel(const std::string& database, int sites, int hostsASite, int attributes)
{
    // Sites 4,000,001 on, the hosts of site s from 5,000,000 + s * hostsASite + 1 on.
    const std::string siteRange = "generate_series(1, " + std::to_string(sites) + ") s";
    const std::string hostRange = siteRange + ", generate_series(1, " + std::to_string(hostsASite) + ") h";
    const std::string host = "5000000 + s * " + std::to_string(hostsASite) + " + h";
    PgTestServer::Instance().Run(
        database, "SET search_path TO vq_repository;"
                  "INSERT INTO px_object SELECT 4000000 + s, 'PxVQObject', 0, 1, true FROM " + siteRange + ";"
                  "INSERT INTO px_object SELECT " + host + ", 'PxVQObject', 0, 1, true FROM " + hostRange + ";"
                  "INSERT INTO px_member SELECT 1, 'sites', s, 4000000 + s, true FROM " + siteRange + ";"
                  "INSERT INTO px_member SELECT 4000000 + s, 'hosts', h, " + host + ", true FROM " + hostRange + ";"
                  "INSERT INTO px_attribute SELECT m.member, 'attribute' || k, 2, NULL,"
                  " convert_to('value ' || k, 'UTF8') FROM px_member m, generate_series(1, " +
                      std::to_string(attributes) + ") k WHERE m.role = 'hosts'");
}

constexpr int kSites = 1000;
constexpr int kHostsASite = 20;

// A read of a whole level, the hosts lists of every site and then their members' attributes,
// answers hundreds of thousands of rows: whatever statistics the server took, it finds them
// through its indexes, reading no table through, and sorts nothing, so that no temporary file
// is written however large the level. So does the same level read as branches asked for ahead,
// in chunks of sites as a search reaches them.
TEST(PxServerPlanTest, AReadOfAWholeLevelReadsNoTableThroughAndWritesNoTemporaryFile)
{
    for (const Statistics& row : kStatistics) {
        PxTestRepository repository(PxStoreKind::Server);
        const std::string database = PgTestServer::DatabaseOf(repository.Path());
        if (row.takenEmpty)
            PgTestServer::Instance().Run(database, "ANALYZE");
        FillLevel(database, kSites, kHostsASite, 10);
        if (row.takenFilled)
            PgTestServer::Instance().Run(database, "ANALYZE");
        const std::map<std::string, std::int64_t> scannedBefore = RowsScanned(database, kDataTables);
        const std::int64_t filesBefore = TemporaryFiles(database);
        {
            auto link = PxAttach(repository.Path());
            PxTypedList<PxObjectPtr> sites;
            link->GetLVQEnterprise()->GetMembers("sites", sites);
            std::vector<PxObjectPtr> owners;
            for (POSITION position = sites.GetHeadPosition(); position;)
                owners.push_back(sites.CList::GetNext(position));
            const std::vector<std::vector<PxObjectPtr>> hosts = PxObject::MembersOf(owners, "hosts");
            ASSERT_EQ(hosts.size(), static_cast<std::size_t>(kSites));
            ASSERT_EQ(hosts.back().size(), static_cast<std::size_t>(kHostsASite));
            EXPECT_EQ(hosts.back().back()->GetAttributeText("attribute7"), "value 7") << row.statistics;
            EXPECT_EQ(hosts.front().front()->GetAttributeText("attribute1"), "value 1") << row.statistics;
            link->ClearAllBuffers();
            const std::size_t half = owners.size() / 2;
            const std::vector<std::vector<PxObjectPtr>> chunks = {{owners.begin(), owners.begin() + half},
                                                                  {owners.begin() + half, owners.end()}};
            PxObject::AskBranchesAheadOf({"hosts", {{"disks", "files"}}}, chunks);
            for (const std::vector<PxObjectPtr>& chunk : chunks) {
                const std::vector<std::vector<PxObjectPtr>> branch = PxObject::MembersOf(chunk, "hosts");
                ASSERT_EQ(branch.back().size(), static_cast<std::size_t>(kHostsASite));
                EXPECT_EQ(branch.back().back()->GetAttributeText("attribute7"), "value 7") << row.statistics;
            }
        }
        for (const auto& [table, scanned] : RowsScanned(database, kDataTables))
            EXPECT_LT(scanned - scannedBefore.at(table), kSites)
                << table << " read through, statistics " << row.statistics;
        EXPECT_EQ(TemporaryFiles(database) - filesBefore, 0) << "statistics " << row.statistics;
    }
}

// A level of a hundred thousand lists, more than the server holds in its working memory as the
// lists a statement asks: read in one round trip, it writes no temporary file.
TEST(PxServerPlanTest, ALevelOfMoreListsThanAStatementAsksIsReadInOneRoundTripWithoutATemporaryFile)
{
    constexpr int kManySites = 100000;
    PxTestRepository repository(PxStoreKind::Server);
    const std::string database = PgTestServer::DatabaseOf(repository.Path());
    FillLevel(database, kManySites, 1, 0);
    PgTestServer::Instance().Run(database, "ANALYZE");
    const std::int64_t filesBefore = TemporaryFiles(database);
    {
        auto link = PxAttach(repository.Path());
        PxTypedList<PxObjectPtr> sites;
        link->GetLVQEnterprise()->GetMembers("sites", sites);
        std::vector<PxObjectPtr> owners;
        for (POSITION position = sites.GetHeadPosition(); position;)
            owners.push_back(sites.CList::GetNext(position));
        const std::int64_t trips = PxPgConnection::RoundTrips();
        const std::vector<std::vector<PxObjectPtr>> hosts = PxObject::MembersOf(owners, "hosts");
        EXPECT_EQ(PxPgConnection::RoundTrips() - trips, 1);
        ASSERT_EQ(hosts.size(), static_cast<std::size_t>(kManySites));
        ASSERT_EQ(hosts.back().size(), 1u);
        EXPECT_EQ(hosts.back().front()->GetHandle().MapKey(), 5000000u + kManySites + 1) << "the last site's host";
    }
    EXPECT_EQ(TemporaryFiles(database) - filesBefore, 0);
}

// One list far longer than the rest, read alone and written by the dump: neither sorts past the
// server's working memory, although the statistics say that the owner holds nearly every member.
TEST(PxServerPlanTest, ALongListReadAloneOrDumpedWritesNoTemporaryFile)
{
    constexpr int kHosts = 60000;
    PxTestRepository repository(PxStoreKind::Server);
    const std::string database = PgTestServer::DatabaseOf(repository.Path());
    FillLevel(database, 1, kHosts, 1);
    PgTestServer::Instance().Run(database, "ANALYZE");
    const std::int64_t filesBefore = TemporaryFiles(database);
    {
        auto link = PxAttach(repository.Path());
        PxTypedList<PxObjectPtr> sites;
        link->GetLVQEnterprise()->GetMembers("sites", sites);
        ASSERT_EQ(sites.GetCount(), 1);
        EXPECT_EQ(sites.GetHead()->CountOfMembers("hosts"), kHosts);
        PxTypedList<PxObjectPtr> hosts;
        sites.GetHead()->GetMembers("hosts", hosts);
        EXPECT_EQ(hosts.GetCount(), kHosts);
    }
    std::ostringstream dump;
    PxRepositoryDump::WriteFile(repository.Path(), dump);
    EXPECT_NE(dump.str().find("value 1"), std::string::npos);
    EXPECT_EQ(TemporaryFiles(database) - filesBefore, 0);
}

// The key columns of the repository that have an estimate of their own.
std::int64_t KeyEstimates(const std::string& database)
{
    const auto db = Connected(database);
    return NumberOf(db.get(), "SELECT count(*) FROM pg_attribute a JOIN pg_class c ON c.oid = a.attrelid"
                              " WHERE c.relnamespace = 'vq_repository'::regnamespace"
                              " AND array_to_string(a.attoptions, ',') LIKE '%n_distinct=%'");
}

// A user of the server who may read and write the repository's tables but does not own them.
std::string UriOfMemberOnly(const std::string& database, const std::string& uri)
{
    PgTestServer::Instance().Run(database, "DO $$ BEGIN CREATE ROLE vq_member_only LOGIN;"
                                           " EXCEPTION WHEN duplicate_object THEN NULL; END $$;"
                                           "GRANT USAGE ON SCHEMA vq_repository TO vq_member_only;"
                                           "GRANT ALL ON ALL TABLES IN SCHEMA vq_repository TO vq_member_only;"
                                           "GRANT ALL ON ALL SEQUENCES IN SCHEMA vq_repository TO vq_member_only");
    return uri.substr(0, uri.rfind("user=")) + "user=vq_member_only";
}

// A deletion looks up what it deletes, what its objects own, the lists that held them and their
// attributes by key: with statistics that say one owner holds nearly every member, deleting a
// few hundred objects, together and one by one, reads no table through. So it does in a
// repository made without the key columns' estimates: its owner's session gives them to it as
// it opens it, and a session that may not keeps to the keys' indexes.
TEST(PxServerPlanTest, ADeletionReadsNoTableThroughWhenOneOwnerHeldMostMembers)
{
    struct Row {
        const char* repository;
        bool madeWithEstimates;
        bool openedByOwner;
    };
    const Row rows[] = {
        {"made with the key estimates", true, true},
        {"made without them, opened by its owner", false, true},
        {"made without them, opened by a user who may not give them", false, false},
    };
    // A few hundred hosts in lists of a few dozen, so that reading a list is a lookup of each
    // member whatever the statistics say.
    constexpr int kSites = 10;
    constexpr int kHostsASite = 30;
    for (const Row& row : rows) {
        PxTestRepository repository(PxStoreKind::Server);
        const std::string database = PgTestServer::DatabaseOf(repository.Path());
        FillHostsFromAnotherSession(database);
        // Objects of the other session with an attribute each, so that those deleted are few of all.
        PgTestServer::Instance().Run(database, "SET search_path TO vq_repository;"
                                               "INSERT INTO px_object SELECT g, 'PxVQObject', 0, 1, true"
                                               " FROM generate_series(3000000, 3029999) g;"
                                               "INSERT INTO px_attribute SELECT g, 'name', 2, NULL, 'x'"
                                               " FROM generate_series(3000000, 3029999) g");
        if (!row.madeWithEstimates)
            vqtest::ForgetKeyEstimates(database);
        PgTestServer::Instance().Run(database, "ANALYZE");
        // Stored by a user who may not give the repository its estimates.
        const std::string memberOnly = UriOfMemberOnly(database, repository.Path());
        {
            auto link = PxAttach(memberOnly.c_str());
            link->BeginTransaction();
            for (int site = 0; site < kSites; ++site) {
                PxObjectPtr made = link->GetLVQEnterprise()->CreateMember("sites", "PxVQObject");
                for (int index = 0; index < kHostsASite; ++index) {
                    PxObjectPtr host = made->CreateMember("hosts", "PxVQObject");
                    host->SetAttributeText("address", "10.0.0.1");
                    host->CreateMember("packs", "PxVQObject")->SetAttributeText("name", "PACK");
                }
            }
            link->CommitTransaction();
        }
        const std::map<std::string, std::int64_t> before = RowsScanned(database, kDataTables);
        {
            auto link = PxAttach(row.openedByOwner ? repository.Path() : memberOnly.c_str());
            PxTypedList<PxObjectPtr> sites;
            link->GetLVQEnterprise()->GetMembers("sites", sites);
            std::vector<PxObjectPtr> together;
            std::vector<PxVQObjectPtr> oneByOne;
            for (POSITION site = sites.GetHeadPosition(); site;) {
                PxTypedList<PxObjectPtr> listed;
                sites.CList::GetNext(site)->GetMembers("hosts", listed);
                for (POSITION position = listed.GetHeadPosition(); position;) {
                    PxObjectPtr host = listed.CList::GetNext(position);
                    if (together.size() < kSites * kHostsASite / 2)
                        together.push_back(host);
                    else
                        oneByOne.push_back(PxVQObjectPtr(host));
                }
            }
            link->BeginTransaction();
            PxVQObject::DeleteObjects(together);
            link->CommitTransaction();
            link->BeginTransaction();
            for (const PxVQObjectPtr& host : oneByOne)
                host->DeleteObject();
            link->CommitTransaction();
            for (POSITION site = sites.GetHeadPosition(); site;)
                EXPECT_EQ(sites.CList::GetNext(site)->CountOfMembers("hosts"), 0) << row.repository;
        }
        for (const auto& [table, scanned] : RowsScanned(database, kDataTables))
            EXPECT_LT(scanned - before.at(table), kFilled) << table << " read through, " << row.repository;
        EXPECT_EQ(KeyEstimates(database), row.openedByOwner ? 7 : 0) << row.repository;
    }
}

} // namespace
