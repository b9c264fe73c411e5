// A flight (queries sent in one trip whose answers are taken as they are needed) that ends
// before its last answer is taken, and trips sent one after another of which one fails: the
// connection still counts as prepared exactly what the server holds prepared, and its next
// statement of every kind works.
#include "PxTestRepository.h"

#include "proxy/PxPostgres.h"
#include "proxy/PxSqlite.h"
#include "support/PgTestServer.h"

#include <gtest/gtest.h>
#include <libpq-fe.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace {

using vqtest::PgTestServer;

// The flight's queries: each waits for the advisory lock $1 (shared) and divides by $2; the
// first one's preparation waits for the table trip_parse_gate.
constexpr int kRuns = 4;
constexpr const char* kFlight[kRuns] = {
    "SELECT n + 0, pg_advisory_xact_lock_shared($1::bigint) FROM trip_gate WHERE 1 / $2::int = 1"
    " AND NOT EXISTS (SELECT FROM trip_parse_gate)",
    "SELECT n + 1, pg_advisory_xact_lock_shared($1::bigint) FROM trip_gate WHERE 1 / $2::int = 1",
    "SELECT n + 2, pg_advisory_xact_lock_shared($1::bigint) FROM trip_gate WHERE 1 / $2::int = 1",
    "SELECT n + 3, pg_advisory_xact_lock_shared($1::bigint) FROM trip_gate WHERE 1 / $2::int = 1",
};
constexpr int kGateValue = 10;
constexpr std::int64_t kFirstKey = 7000;
constexpr const char* kNewRead = "SELECT $1::bigint * 3";
constexpr const char* kWrite = "INSERT INTO trip_log VALUES ($1::int)";
constexpr const char* kPid = "SELECT pg_backend_pid()";
constexpr const char* kPreparedOnServer = "SELECT name FROM pg_prepared_statements ORDER BY name";

// How the flight ends, and the step after it.
enum class Way { Dropped, Stopped, Refused, Cut };
enum class Next { NewRead, WriteInTransaction, Flight };

// Where the server is as the flight ends: waiting in its first preparation, in the run of one
// of its queries, or done with it (the cancel then lands after its last statement). The
// server sends the answers at the flight's end: answers are taken only once it is done.
constexpr int kInPreparation = -1;
constexpr int kDone = kRuns;
struct End {
    int taken;
    int waitsAt;
};
constexpr End kEnds[] = {{0, kInPreparation}, {0, 0}, {0, kRuns / 2}, {0, kRuns - 1}, {0, kDone},
                         {1, kDone},          {kRuns / 2, kDone},     {kRuns, kDone}};

std::string NameOf(Way way)
{
    const char* names[] = {"dropped", "stopped by the next statement", "an answer refused", "connection cut"};
    return names[static_cast<int>(way)];
}

std::string NameOf(const End& end)
{
    return std::to_string(end.taken) + " answers taken, the server " +
           (end.waitsAt == kInPreparation ? std::string("in the first preparation")
            : end.waitsAt == kDone        ? std::string("done")
                                          : "in run " + std::to_string(end.waitsAt));
}

std::string NameOf(Next next)
{
    const char* names[] = {"a read prepared anew", "a write in a transaction", "another flight"};
    return names[static_cast<int>(next)];
}

// A plain connection of the test to the same database: one holds what the flight waits for,
// another watches the flight's server process (outside any transaction, so that it sees it
// as it is).
class Other {
public:
    explicit Other(const std::string& uri) : m_connection(PQconnectdb(uri.c_str()))
    {
        EXPECT_EQ(PQstatus(m_connection), CONNECTION_OK);
    }
    ~Other() { PQfinish(m_connection); }
    Other(const Other&) = delete;
    Other& operator=(const Other&) = delete;

    std::string Value(const std::string& sql)
    {
        PGresult* result = PQexec(m_connection, sql.c_str());
        EXPECT_TRUE(PQresultStatus(result) == PGRES_TUPLES_OK || PQresultStatus(result) == PGRES_COMMAND_OK)
            << sql << ": " << PQresultErrorMessage(result);
        const std::string value = PQntuples(result) > 0 ? PQgetvalue(result, 0, 0) : "";
        PQclear(result);
        return value;
    }
    // Where the flight's server process is, once it waits for a lock or is done with the flight.
    std::string AwaitFlight(const std::string& pid)
    {
        const std::string sql = "SELECT CASE WHEN wait_event_type = 'Lock' THEN 'waiting' WHEN state = 'idle' AND"
                                " query LIKE '%trip_gate%' THEN 'done' END FROM pg_stat_activity WHERE pid = " +
                                pid;
        for (;;) {
            if (const std::string where = Value(sql); !where.empty())
                return where;
        }
    }

private:
    PGconn* m_connection;
};

std::vector<std::string> PreparedOnServer(PxPgConnection& connection)
{
    const PxPgRows rows = PxPgConnection::Query(connection, kPreparedOnServer, pxwhat::Read).Run();
    std::vector<std::string> names;
    for (int row = 0; row < rows.Count(); ++row)
        names.push_back(rows.Text(row, 0));
    return names;
}

bool SendTheFlight(PxPgConnection& connection, int refusedAt)
{
    std::vector<PxPgConnection::Query> queries;
    for (int run = 0; run < kRuns; ++run) {
        queries.emplace_back(connection, kFlight[run], pxwhat::Read);
        queries.back().Bind(kFirstKey + run).Bind(std::int64_t{run == refusedAt ? 0 : 1});
    }
    return connection.SendFlight(std::move(queries));
}

// The next step: "done" when it did what it should, or what it threw.
std::string TakeNextStep(PxPgConnection& connection, Next next, Other& other, std::int64_t mark)
{
    return FailureOf([&] {
        switch (next) {
        case Next::NewRead:
            EXPECT_EQ(PxPgConnection::Query(connection, kNewRead, pxwhat::Read).Bind(mark).Run().Int(0, 0), 3 * mark);
            break;
        case Next::WriteInTransaction:
            connection.Execute("BEGIN", pxwhat::Write);
            PxPgConnection::Query(connection, kWrite, pxwhat::Write).Bind(mark).Run();
            connection.Execute("COMMIT", pxwhat::Write);
            EXPECT_EQ(other.Value("SELECT count(*) FROM trip_log WHERE n = " + std::to_string(mark)), "1");
            break;
        case Next::Flight: {
            // A statement of the flight before, another new one; neither waits.
            std::vector<PxPgConnection::Query> queries;
            queries.emplace_back(connection, kFlight[1], pxwhat::Read);
            queries.back().Bind(std::int64_t{0}).Bind(std::int64_t{1});
            queries.emplace_back(connection, kNewRead, pxwhat::Read);
            queries.back().Bind(mark);
            ASSERT_TRUE(connection.SendFlight(std::move(queries)));
            EXPECT_EQ(connection.TakeFlightAnswer().Int(0, 0), kGateValue + 1);
            EXPECT_EQ(connection.TakeFlightAnswer().Int(0, 0), 3 * mark);
            break;
        }
        }
    });
}

TEST(PxServerFlightTest, AFlightEndedAtAnyAnswerAndAnyWayLeavesTheSessionAsTheServerHoldsIt)
{
    PxTestRepository repository(PxStoreKind::Server);
    const std::string uri = repository.Path();
    PgTestServer::Instance().Run(PgTestServer::DatabaseOf(uri),
                                 "CREATE TABLE trip_gate(n integer); INSERT INTO trip_gate VALUES (" +
                                     std::to_string(kGateValue) +
                                     "); CREATE TABLE trip_parse_gate(); CREATE TABLE trip_log(n integer)");
    Other holder(uri);
    Other watcher(uri);
    const std::string lost = "the connection to the server of " + uri + " was lost.";
    std::int64_t mark = 0;
    for (const End& end : kEnds) {
        for (const Way way : {Way::Dropped, Way::Stopped, Way::Refused, Way::Cut}) {
            // The refused answer is the next one to take.
            if (way == Way::Refused && (end.waitsAt != kDone || end.taken == kRuns))
                continue;
            for (const Next next : {Next::NewRead, Next::WriteInTransaction, Next::Flight}) {
                SCOPED_TRACE(NameOf(end) + ", " + NameOf(way) + ", then " + NameOf(next));
                ++mark;
                PxPgConnection connection(uri);
                const std::string pid = PxPgConnection::Query(connection, kPid, pxwhat::Read).Run().Text(0, 0);
                if (end.waitsAt == kInPreparation)
                    holder.Value("BEGIN; LOCK TABLE trip_parse_gate IN ACCESS EXCLUSIVE MODE");
                else if (end.waitsAt != kDone)
                    holder.Value("SELECT pg_advisory_lock(" + std::to_string(kFirstKey + end.waitsAt) + ")");
                ASSERT_TRUE(SendTheFlight(connection, way == Way::Refused ? end.taken : -1));
                ASSERT_EQ(watcher.AwaitFlight(pid), end.waitsAt == kDone ? "done" : "waiting");
                for (int run = 0; run < end.taken; ++run)
                    EXPECT_EQ(connection.TakeFlightAnswer().Int(0, 0), kGateValue + run);

                switch (way) {
                case Way::Dropped:
                    connection.DropFlight();
                    break;
                case Way::Stopped:
                    break;
                case Way::Refused:
                    EXPECT_EQ(FailureOf([&] { connection.TakeFlightAnswer(); }),
                              "Cannot read the repository: the server refused: ERROR:  division by zero.");
                    break;
                case Way::Cut:
                    PgTestServer::Instance().Run(PgTestServer::DatabaseOf(uri),
                                                 "SELECT pg_terminate_backend(" + pid + ", 10000)");
                    break;
                }
                const std::string step = TakeNextStep(connection, next, watcher, mark);
                holder.Value(end.waitsAt == kInPreparation ? "ROLLBACK" : "SELECT pg_advisory_unlock_all()");
                if (way == Way::Cut) {
                    EXPECT_EQ(step, std::string(next == Next::WriteInTransaction ? "Cannot change the repository: "
                                                                                  : "Cannot read the repository: ") +
                                        lost);
                    continue;
                }
                EXPECT_EQ(step, "done");
                EXPECT_FALSE(connection.InTransaction());
                const std::vector<std::string> onServer = PreparedOnServer(connection);
                EXPECT_EQ(connection.PreparedNames(), onServer);
            }
        }
    }
}

// Trips sent one after another (PxPgConnection::Send) whose first preparation the server refuses,
// its table held past the lock timeout: that trip fails alone, and the next one, which names a
// statement the failed trip was to prepare, runs.
TEST(PxServerFlightTest, ATripAfterOneWhosePreparationTheServerRefusedRunsAndTheRecordStaysTrue)
{
    PxTestRepository repository(PxStoreKind::Server);
    const std::string uri = repository.Path();
    PgTestServer::Instance().Run(PgTestServer::DatabaseOf(uri),
                                 "CREATE TABLE trip_gate(n integer); CREATE TABLE trip_parse_gate()");
    Other holder(uri);
    PxPgConnection connection(uri);
    connection.Execute("SET lock_timeout = 50", pxwhat::Lock);
    holder.Value("BEGIN; LOCK TABLE trip_parse_gate IN ACCESS EXCLUSIVE MODE");
    std::vector<std::vector<PxPgConnection::Query>> trips(2);
    trips[0].emplace_back(connection, kFlight[0], pxwhat::Read);
    trips[0].back().Bind(kFirstKey).Bind(std::int64_t{1});
    for (std::vector<PxPgConnection::Query>& trip : trips) {
        trip.emplace_back(connection, kNewRead, pxwhat::Read);
        trip.back().Bind(std::int64_t{2});
    }

    connection.Send(std::move(trips));
    const std::vector<std::optional<std::vector<PxPgRows>>> answers = connection.Receive();
    holder.Value("ROLLBACK");

    ASSERT_EQ(answers.size(), 2u);
    EXPECT_FALSE(answers[0]) << "its preparation was refused";
    ASSERT_TRUE(answers[1]) << "the trip after it failed";
    EXPECT_EQ(answers[1]->back().Int(0, 0), 6);
    EXPECT_FALSE(connection.InTransaction());
    const std::vector<std::string> onServer = PreparedOnServer(connection);
    EXPECT_EQ(connection.PreparedNames(), onServer);
}

} // namespace
