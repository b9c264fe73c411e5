#include "proxy/PxServerLockStore.h"

#include "proxy/PxException.h"
#include "proxy/PxProcessIdentity.h"
#include "proxy/PxServerStore.h"
#include "proxy/PxSqlite.h"
#include "win/Clock.h"

#include <algorithm>
#include <functional>

namespace {

using Query = PxPgConnection::Query;

// Whether the session of the row `s` still holds its advisory lock: its connection lives.
#define PX_SESSION_CONNECTED                                                                                    \
    "coalesce((SELECT bool_or(k.granted) FROM pg_locks k WHERE k.locktype = 'advisory' AND k.objsubid = 1"      \
    " AND k.database = (SELECT oid FROM pg_database WHERE datname = current_database())"                       \
    " AND k.classid::bigint = s.id >> 32 AND k.objid::bigint = s.id & 4294967295), false)::int"

// The advisory lock (in its two-key form) that runs the lock tables' transactions one at a
// time, taken at their beginning.
constexpr const char* kBegin = "BEGIN; SELECT pg_advisory_xact_lock(29871, 2)";
constexpr const char* kBeginOne = "BEGIN";
constexpr const char* kSerialize = "SELECT pg_advisory_xact_lock(29871, 2)";
constexpr const char* kCommit = "COMMIT";

} // namespace

PxServerLockStore::PxServerLockStore(const std::string& uri)
    : PxLockStoreBase(uri), m_db(PxServerStore::Connect(uri))
{
    SetBusyTimeout(2000);
}

void PxServerLockStore::SetBusyTimeout(int milliseconds)
{
    // The connection is only ever in the lock tables' transactions: the timeout is its own.
    std::string timeout = "SET lock_timeout = " + std::to_string(std::max(milliseconds, 1));
    m_db->Execute(timeout.c_str(), pxwhat::Lock);
}

bool PxServerLockStore::BeginOrBusy()
{
    try {
        m_db->Execute(kBegin, pxwhat::Lock);
        return true;
    } catch (const PxException&) {
        if (m_db->LastFailureBusy())
            return false;
        throw;
    }
}

void PxServerLockStore::FailBusy() { m_db->Fail(pxwhat::Lock, "55P03"); }

void PxServerLockStore::Commit() { m_db->Execute("COMMIT", pxwhat::Lock); }

void PxServerLockStore::RollbackQuietly() noexcept
{
    if (m_db->InTransaction())
        m_db->ExecuteQuietly("ROLLBACK");
}

std::int64_t PxServerLockStore::InsertSession(const std::string& userCode)
{
    std::int64_t id = Query(*m_db, "SELECT nextval('px_session_id')", pxwhat::Lock).Run().Int(0, 0);
    // Session-level: it outlives this transaction and ends with the connection.
    Query(*m_db, "SELECT pg_advisory_lock($1)", pxwhat::Lock).Bind(id).Run();
    const PxProcessIdentity& self = PxThisProcess();
    Query(*m_db, "INSERT INTO px_session(id, pid, start, machine, user_code, attached) VALUES($1, $2, $3, $4, $5, $6)",
          pxwhat::Lock)
        .Bind(id)
        .Bind(self.pid)
        .Bind(self.start)
        .Bind(self.machine)
        .Bind(userCode)
        .Bind(_time64(nullptr))
        .Run();
    return id;
}

std::vector<std::int64_t> PxServerLockStore::EndSession(std::int64_t session)
{
    std::vector<std::int64_t> waiting;
    PxPgRows held = Query(*m_db,
                          "SELECT DISTINCT (SELECT w.session FROM px_lock_wait w WHERE w.oid = l.oid"
                          " ORDER BY w.ticket LIMIT 1) FROM px_lock l WHERE l.session = $1",
                          pxwhat::Lock)
                        .Bind(session)
                        .Run();
    for (int row = 0; row < held.Count(); ++row)
        if (!held.IsNull(row, 0))
            waiting.push_back(held.Int(row, 0));
    PurgeSession(session);
    Query(*m_db, "SELECT pg_advisory_unlock($1)", pxwhat::Lock).Bind(session).Run();
    return waiting;
}

int PxServerLockStore::CountSessions()
{
    return static_cast<int>(Query(*m_db, "SELECT count(*) FROM px_session", pxwhat::Lock).Run().Int(0, 0));
}

void PxServerLockStore::PurgeSession(std::int64_t session)
{
    // In one round trip; the generation holds the session's claims carry go first, with them
    // (PxHoldMarkSlot).
    Query holds(*m_db,
                "UPDATE px_persistent_lock p SET holds = p.holds - 1 FROM (SELECT -l.oid - $2::bigint AS oid"
                " FROM px_lock l WHERE l.session = $1 AND l.oid < -$2::bigint) m"
                " WHERE p.oid = m.oid AND p.holds > p.manual_holds",
                pxwhat::Lock);
    holds.Bind(session).Bind(kPxHoldMarkBase);
    Query lifted(*m_db, "DELETE FROM px_persistent_lock WHERE holds <= 0", pxwhat::Lock);
    Query locks(*m_db, "DELETE FROM px_lock WHERE session = $1", pxwhat::Lock);
    locks.Bind(session);
    Query waits(*m_db, "DELETE FROM px_lock_wait WHERE session = $1", pxwhat::Lock);
    waits.Bind(session);
    Query row(*m_db, "DELETE FROM px_session WHERE id = $1", pxwhat::Lock);
    row.Bind(session);
    m_db->Pipeline({&holds, &lifted, &locks, &waits, &row});
}

void PxServerLockStore::PurgeDeadSessions()
{
    PxPgRows sessions = Query(*m_db,
                              "SELECT s.id, 1, s.pid, s.start, s.machine, " PX_SESSION_CONNECTED " FROM px_session s",
                              pxwhat::Lock)
                            .Run();
    AnyLive(sessions, 0, sessions.Count());
}

bool PxServerLockStore::AnyLive(const PxPgRows& sessions, int first, int end)
{
    std::vector<std::int64_t> gone;
    bool live = false;
    for (int row = first; row < end; ++row) {
        bool known = sessions.Int(row, 1) != 0;
        bool connected = sessions.Int(row, 5) != 0;
        if (known && connected &&
            PxProcessAlive({sessions.Int(row, 2), sessions.Int(row, 3), sessions.Text(row, 4)}))
            live = true;
        else
            gone.push_back(sessions.Int(row, 0));
    }
    for (std::int64_t session : gone)
        PurgeSession(session);
    return live;
}

bool PxServerLockStore::HeldByOther(std::int64_t session, std::int64_t oid, int conflictFrom)
{
    PxPgRows holders =
        Query(*m_db,
              "SELECT l.session, (s.id IS NOT NULL)::int, s.pid, s.start, s.machine, " PX_SESSION_CONNECTED
              " FROM px_lock l LEFT JOIN px_session s ON s.id = l.session"
              " WHERE l.oid = $1 AND l.session <> $2 AND l.kind >= $3",
              pxwhat::Lock)
            .Bind(oid)
            .Bind(session)
            .Bind(static_cast<std::int64_t>(conflictFrom))
            .Run();
    return AnyLive(holders, 0, holders.Count());
}

std::optional<PxServerLockStore::Obstacles> PxServerLockStore::FindObstacles(std::int64_t session, std::int64_t oid,
                                                                             int kind, bool begin)
{
    // In one query: the persistent lock (first row, "what" 0), other sessions holding a
    // conflicting kind (1) and, unless the session holds the object already, sessions
    // before it in line that want a conflicting kind (2); sessions as AnyLive reads them.
    Query check(*m_db,
                          "SELECT NULL::bigint, 0, NULL::bigint, NULL::bigint, NULL::text, 0, 0 AS what,"
                          " p.user_code, p.locked, p.holds, p.manual_holds FROM px_persistent_lock p WHERE p.oid = $1"
                          " UNION ALL SELECT l.session, (s.id IS NOT NULL)::int, s.pid, s.start, s.machine, "
                          PX_SESSION_CONNECTED ", 1, NULL, NULL, NULL, NULL"
                          " FROM px_lock l LEFT JOIN px_session s ON s.id = l.session"
                          " WHERE l.oid = $1 AND l.session <> $2 AND l.kind >= $3"
                          " UNION ALL SELECT w.session, (s.id IS NOT NULL)::int, s.pid, s.start, s.machine, "
                          PX_SESSION_CONNECTED ", 2, NULL, NULL, NULL, NULL"
                          " FROM px_lock_wait w LEFT JOIN px_session s ON s.id = w.session"
                          " WHERE w.oid = $1 AND w.session <> $2 AND w.kind >= $3 AND w.ticket <"
                          " coalesce((SELECT ticket FROM px_lock_wait WHERE oid = $1 AND session = $2),"
                          " 9223372036854775807) AND NOT EXISTS(SELECT 1 FROM px_lock WHERE oid = $1 AND session = $2)"
                          " ORDER BY what",
                          pxwhat::Lock);
    check.Bind(oid).Bind(session).Bind(static_cast<std::int64_t>(PxConflictFrom(kind)));
    PxPgRows rows;
    if (begin) {
        // The attempt's transaction begins in the same round trip.
        Query beginning(*m_db, kBeginOne, pxwhat::Lock);
        Query serialize(*m_db, kSerialize, pxwhat::Lock);
        try {
            rows = std::move(m_db->Pipeline({&beginning, &serialize, &check})[2]);
        } catch (const PxException&) {
            if (m_db->LastFailureBusy())
                return std::nullopt;
            throw;
        }
    } else {
        rows = check.Run();
    }
    Obstacles obstacles;
    int first = 0;
    if (rows.Count() > 0 && rows.Int(0, 6) == 0) {
        obstacles.persistent = PxPersistentLockRow{rows.Text(0, 7), rows.Int(0, 8), static_cast<int>(rows.Int(0, 9)),
                                                   static_cast<int>(rows.Int(0, 10))};
        first = 1;
    }
    obstacles.mustWait = AnyLive(rows, first, rows.Count());
    return obstacles;
}

void PxServerLockStore::JoinLine(std::int64_t session, std::int64_t oid, int kind)
{
    Query(*m_db,
          "INSERT INTO px_lock_wait(oid, session, kind) VALUES($1, $2, $3)"
          " ON CONFLICT(oid, session) DO UPDATE SET kind = greatest(px_lock_wait.kind, excluded.kind)",
          pxwhat::Lock)
        .Bind(oid)
        .Bind(session)
        .Bind(static_cast<std::int64_t>(kind))
        .Run();
}

void PxServerLockStore::StopWaiting(std::int64_t session, std::int64_t oid)
{
    Query(*m_db, "DELETE FROM px_lock_wait WHERE oid = $1 AND session = $2", pxwhat::Lock).Bind(oid).Bind(session).Run();
}

PxLockStore::Attempt PxServerLockStore::Lock(std::int64_t session, const std::int64_t* oids, std::size_t count,
                                             int kind, bool queue)
{
    return TryEach(session, oids, count, {kind}, queue, [&](std::int64_t oid, bool last) {
        Query grant(*m_db,
                    "WITH granted AS (INSERT INTO px_lock(oid, session, kind, holds) VALUES($1, $2, $3, 1)"
                    " ON CONFLICT(oid, session, kind) DO UPDATE SET holds = px_lock.holds + 1 RETURNING 1)"
                    " DELETE FROM px_lock_wait WHERE oid = $1 AND session = $2",
                    pxwhat::Lock);
        grant.Bind(oid).Bind(session).Bind(static_cast<std::int64_t>(kind));
        if (!last) {
            grant.Run();
            return false;
        }
        // The last grant and the commit go together.
        Query commit(*m_db, kCommit, pxwhat::Lock);
        m_db->Pipeline({&grant, &commit});
        return true;
    });
}

PxLockStore::Attempt PxServerLockStore::TryEach(std::int64_t session, const std::int64_t* oids, std::size_t count,
                                                const Request& request, bool queue,
                                                const std::function<bool(std::int64_t oid, bool last)>& grant)
{
    Attempt attempt;
    if (count == 0)
        return attempt;
    try {
        for (; attempt.granted < count; ++attempt.granted) {
            std::int64_t oid = oids[attempt.granted];
            std::optional<Obstacles> found = FindObstacles(session, oid, request.kind, attempt.granted == 0);
            if (!found) {
                attempt.code = kPxCodeBusy;
                return attempt;
            }
            const Obstacles& obstacles = *found;
            if (RefusedByPersistent(request, obstacles.persistent)) {
                RefuseForPersistent(attempt, obstacles.persistent);
                break;
            }
            if (obstacles.mustWait) {
                if (queue)
                    JoinLine(session, oid, request.kind);
                attempt.code = kPxCodeHeld;
                break;
            }
            if (grant(oid, attempt.granted + 1 == count)) {
                ++attempt.granted;
                return attempt;
            }
        }
        Commit();
        return attempt;
    } catch (...) {
        RollbackQuietly();
        throw;
    }
}

void PxServerLockStore::Unlock(std::int64_t session, const std::int64_t* oids, std::size_t count)
{
    // One round trip: the begin, a release for each object, the commit. Each release gives back
    // one hold of the weakest kind, the row going with its last hold, and answers the first
    // in line to be woken when a row went.
    Query begin(*m_db, kBeginOne, pxwhat::Lock);
    Query serialize(*m_db, kSerialize, pxwhat::Lock);
    Query commit(*m_db, kCommit, pxwhat::Lock);
    std::vector<Query> releases;
    releases.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        releases.emplace_back(*m_db,
                              "WITH weakest AS (SELECT kind, holds FROM px_lock WHERE oid = $1 AND session = $2"
                              " ORDER BY kind LIMIT 1),"
                              " dropped AS (DELETE FROM px_lock l USING weakest w WHERE l.oid = $1 AND l.session = $2"
                              " AND l.kind = w.kind AND w.holds <= 1 RETURNING 1),"
                              " lowered AS (UPDATE px_lock l SET holds = l.holds - 1 FROM weakest w WHERE l.oid = $1"
                              " AND l.session = $2 AND l.kind = w.kind AND w.holds > 1 RETURNING 1)"
                              " SELECT (SELECT count(*) FROM dropped), (SELECT count(*) FROM lowered),"
                              " (SELECT session FROM px_lock_wait WHERE oid = $1 ORDER BY ticket LIMIT 1)",
                              pxwhat::Lock);
        releases.back().Bind(oids[i]).Bind(session);
    }
    std::vector<Query*> queries{&begin, &serialize};
    for (Query& release : releases)
        queries.push_back(&release);
    queries.push_back(&commit);
    std::vector<PxPgRows> answers;
    for (int tries = 1;; ++tries) {
        try {
            answers = m_db->Pipeline(queries);
            break;
        } catch (const PxException&) {
            if (!m_db->LastFailureBusy() || tries == kBeginTries)
                throw;
        }
    }
    std::vector<std::int64_t> waiting;
    for (std::size_t i = 0; i < count; ++i) {
        const PxPgRows& released = answers[i + 2];
        if (released.Int(0, 0) > 0 && !released.IsNull(0, 2))
            waiting.push_back(released.Int(0, 2));
    }
    WakeAll(waiting);
}

void PxServerLockStore::DropLocksOn(std::int64_t session, std::int64_t oid)
{
    Query(*m_db, "DELETE FROM px_lock WHERE session = $1 AND oid = $2", pxwhat::Lock).Bind(session).Bind(oid).Run();
    Query(*m_db, "DELETE FROM px_persistent_lock WHERE oid = $1", pxwhat::Lock).Bind(oid).Run();
}

void PxServerLockStore::RequireOwnLocks(std::int64_t session)
{
    // The session's advisory lock is held by this connection while it lives; without it the
    // server has freed the session's locks and another session may have taken them.
    // A check that fails on a connection still up says nothing of the locks: it is
    // reported as the failure it is.
    bool held = false;
    try {
        held = Query(*m_db,
                     "SELECT count(*) FROM pg_locks WHERE locktype = 'advisory' AND granted AND objsubid = 1"
                     " AND pid = pg_backend_pid() AND classid::bigint = $1::bigint >> 32"
                     " AND objid::bigint = $1::bigint & 4294967295",
                     "Cannot commit the repository transaction: the check of this session's locks on the server "
                     "of %1 failed: %2")
                   .Bind(session)
                   .Run()
                   .Int(0, 0) > 0;
    } catch (const PxException&) {
        if (m_db->Connected())
            throw;
    }
    if (!held)
        throw PxException(__FILE__, __LINE__,
                          "Cannot commit the repository transaction: this session's locks on the server of %1 "
                          "were lost with its connection to the server, and what it changed under them is not "
                          "stored.",
                          m_db->ShownName().c_str());
}

std::int64_t PxServerLockStore::ReserveOids(std::int64_t count, std::int64_t lastStored)
{
    // Outside any data transaction: a rolled back transaction does not give its ids back.
    return Query(*m_db, "UPDATE px_oid SET next = greatest(next, $2 + 1) + $1 RETURNING next - $1", pxwhat::Lock)
        .Bind(count)
        .Bind(lastStored)
        .Run()
        .Int(0, 0);
}

PxLockStore::Attempt PxServerLockStore::PlacePersistent(std::int64_t session, const std::string& userCode,
                                                        const std::int64_t* oids, std::size_t count, bool manual,
                                                        bool queue)
{
    return TryEach(session, oids, count, {PxLockFutureUpdate, &userCode}, queue, [&](std::int64_t oid, bool) {
        Query(*m_db,
              "INSERT INTO px_persistent_lock(oid, user_code, locked, holds, manual_holds)"
              " VALUES($1, $2, $3, 1, $4) ON CONFLICT(oid) DO UPDATE SET holds = px_persistent_lock.holds + 1,"
              " manual_holds = px_persistent_lock.manual_holds + excluded.manual_holds",
              pxwhat::Lock)
            .Bind(oid)
            .Bind(userCode)
            .Bind(_time64(nullptr))
            .Bind(static_cast<std::int64_t>(manual ? 1 : 0))
            .Run();
        StopWaiting(session, oid);
        return false;
    });
}

void PxServerLockStore::LowerPersistent(std::int64_t oid, int removed, int removedManual)
{
    Query(*m_db, "UPDATE px_persistent_lock SET holds = holds - $2, manual_holds = manual_holds - $3 WHERE oid = $1",
          pxwhat::Lock)
        .Bind(oid)
        .Bind(static_cast<std::int64_t>(removed))
        .Bind(static_cast<std::int64_t>(removedManual))
        .Run();
    Query(*m_db, "DELETE FROM px_persistent_lock WHERE oid = $1 AND holds <= 0", pxwhat::Lock).Bind(oid).Run();
}

std::optional<PxPersistentLockRow> PxServerLockStore::Persistent(std::int64_t oid)
{
    PxPgRows rows = Query(*m_db,
                          "SELECT user_code, locked, holds, manual_holds FROM px_persistent_lock WHERE oid = $1",
                          pxwhat::Lock)
                        .Bind(oid)
                        .Run();
    if (!rows.Count())
        return std::nullopt;
    return PxPersistentLockRow{rows.Text(0, 0), rows.Int(0, 1), static_cast<int>(rows.Int(0, 2)),
                               static_cast<int>(rows.Int(0, 3))};
}
