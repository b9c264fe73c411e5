#include "proxy/PxFileLockStore.h"

#include "proxy/PxProcessIdentity.h"
#include "win/Clock.h"

#include <sqlite3.h>

#include <algorithm>
#include <functional>
#include <vector>

namespace {

// The manual holds' key is what only this build writes, so that no earlier build's Lock or removal
// changes it: the build after the identity gives the manual holds its own identity over the one
// standing as it locks and none as it removes one of them, which may be a take-back as well as an
// Unlock. A take-back owed by this build names the key, and so takes its hold whichever build
// placed or changed the lock since. Once a lock has no manual hold left, by whatever removal,
// neither the key nor the identity stays: a Lock placed again (by a build that gives no key, the
// row kept by a generation hold) is never taken for the holds of before. The key replaces the
// marks of changes that told the builds apart by the columns their statements named.
constexpr const char* kManualHoldsGone =
    "DROP TRIGGER IF EXISTS px_manual_mark; DROP TRIGGER IF EXISTS px_manual_unmarked;"
    "CREATE TRIGGER IF NOT EXISTS px_manual_holds_gone AFTER UPDATE OF manual_holds ON px_persistent_lock"
    " WHEN NEW.manual_holds = 0 AND OLD.manual_holds <> 0 BEGIN UPDATE px_persistent_lock"
    " SET manual_id = 0, manual_key = 0 WHERE oid = NEW.oid; END;";

} // namespace

PxFileLockStore::PxFileLockStore(const std::string& path) : PxLockStoreBase(path), m_db(path, true)
{
    SetBusyTimeout(kPxBusyTimeoutMilliseconds);
    if (path != ":memory:")
        m_db.ExecuteAsItOpens("PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL;", pxwhat::Lock);
    m_db.ExecuteAsItOpens("CREATE TABLE IF NOT EXISTS px_session(id INTEGER PRIMARY KEY, pid INTEGER NOT NULL,"
                 " start INTEGER NOT NULL, machine TEXT NOT NULL, user_code TEXT NOT NULL, attached INTEGER NOT NULL);"
                 "CREATE TABLE IF NOT EXISTS px_lock(oid INTEGER NOT NULL, session INTEGER NOT NULL,"
                 " kind INTEGER NOT NULL, holds INTEGER NOT NULL, PRIMARY KEY(oid, session, kind)) WITHOUT ROWID;"
                 "CREATE INDEX IF NOT EXISTS px_lock_of ON px_lock(session);"
                 "CREATE TABLE IF NOT EXISTS px_persistent_lock(oid INTEGER PRIMARY KEY, user_code TEXT NOT NULL,"
                 " locked INTEGER NOT NULL, holds INTEGER NOT NULL, manual_holds INTEGER NOT NULL,"
                 " hold_id INTEGER NOT NULL DEFAULT 0, manual_id INTEGER NOT NULL DEFAULT 0,"
                 " manual_key INTEGER NOT NULL DEFAULT 0);"
                 "CREATE TABLE IF NOT EXISTS px_oid(next INTEGER NOT NULL);"
                 "CREATE TABLE IF NOT EXISTS px_lock_wait(ticket INTEGER PRIMARY KEY, oid INTEGER NOT NULL,"
                 " session INTEGER NOT NULL, kind INTEGER NOT NULL, UNIQUE(oid, session));"
                 "CREATE INDEX IF NOT EXISTS px_lock_wait_of ON px_lock_wait(session);",
                 pxwhat::Lock);
    AddLaterColumns();
    m_db.ExecuteAsItOpens(kManualHoldsGone, pxwhat::Lock);
}

void PxFileLockStore::AddLaterColumns()
{
    for (const char* added : {"hold_id", "manual_id", "manual_key"}) {
        PxQuery column(m_db, "SELECT count(*) FROM pragma_table_info('px_persistent_lock') WHERE name = ?1",
                       pxwhat::Lock);
        if (!column.Bind(1, added).Step() || column.Int(0) != 0)
            continue;
        column.Reset();
        const std::string add =
            std::string("ALTER TABLE px_persistent_lock ADD COLUMN ") + added + " INTEGER NOT NULL DEFAULT 0";
        m_db.Execute(add.c_str(), pxwhat::Lock);
        // The take-backs owed meanwhile name the identity their holds had until now.
        if (std::string(added) == "manual_key")
            m_db.Execute("UPDATE px_persistent_lock SET manual_key = manual_id WHERE manual_holds > 0", pxwhat::Lock);
    }
}

bool PxFileLockStore::BeginOrBusy()
{
    int rc = sqlite3_exec(m_db.Handle(), "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    if ((rc & 0xFF) == SQLITE_BUSY)
        return false;
    if (rc != SQLITE_OK)
        m_db.Fail(rc, pxwhat::Lock);
    return true;
}

void PxFileLockStore::Commit()
{
    int rc = sqlite3_exec(m_db.Handle(), "COMMIT", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        RollbackQuietly();
        m_db.Fail(rc, pxwhat::Lock);
    }
}

void PxFileLockStore::RollbackQuietly() noexcept
{
    if (m_db.InTransaction())
        sqlite3_exec(m_db.Handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

void PxFileLockStore::FailBusy() { m_db.Fail(SQLITE_BUSY, pxwhat::Lock); }

std::int64_t PxFileLockStore::InsertSession(const std::string& userCode)
{
    const PxProcessIdentity& self = PxThisProcess();
    PxQuery insert(m_db, "INSERT INTO px_session(pid, start, machine, user_code, attached) VALUES(?1, ?2, ?3, ?4, ?5)",
                   pxwhat::Lock);
    insert.Bind(1, self.pid).Bind(2, self.start).Bind(3, self.machine).Bind(4, userCode).Bind(5, _time64(nullptr));
    insert.Run();
    return m_db.LastInsertId();
}

std::vector<std::int64_t> PxFileLockStore::EndSession(std::int64_t session)
{
    std::vector<std::int64_t> waiting;
    {
        PxQuery held(m_db,
                     "SELECT DISTINCT (SELECT w.session FROM px_lock_wait w WHERE w.oid = l.oid ORDER BY w.ticket"
                     " LIMIT 1) FROM px_lock l WHERE l.session = ?1",
                     pxwhat::Lock);
        held.Bind(1, session);
        while (held.Step())
            if (!held.IsNull(0))
                waiting.push_back(held.Int(0));
    }
    PurgeSession(session);
    return waiting;
}

void PxFileLockStore::PurgeSession(std::int64_t session)
{
    // The generation holds the session carries (its claims', and those it placed for a start)
    // go with it (PxHoldMarkSlot).
    PxQuery holds(m_db,
                  "UPDATE px_persistent_lock SET holds = holds - 1 WHERE holds > manual_holds AND oid IN"
                  " (SELECT -oid - ?2 FROM px_lock WHERE session = ?1 AND oid < -?2)",
                  pxwhat::Lock);
    holds.Bind(1, session).Bind(2, kPxHoldMarkBase).Run();
    PxQuery lifted(m_db, "DELETE FROM px_persistent_lock WHERE holds <= 0", pxwhat::Lock);
    lifted.Run();
    PxQuery locks(m_db, "DELETE FROM px_lock WHERE session = ?1", pxwhat::Lock);
    locks.Bind(1, session).Run();
    PxQuery waits(m_db, "DELETE FROM px_lock_wait WHERE session = ?1", pxwhat::Lock);
    waits.Bind(1, session).Run();
    PxQuery row(m_db, "DELETE FROM px_session WHERE id = ?1", pxwhat::Lock);
    row.Bind(1, session).Run();
}

PxLockStoreBase::SessionCensus PxFileLockStore::TakeCensus()
{
    SessionCensus census;
    PxQuery sessions(m_db, "SELECT id, pid, start, machine FROM px_session", pxwhat::Lock);
    while (sessions.Step()) {
        if (PxProcessAlive({sessions.Int(1), sessions.Int(2), sessions.Text(3)}))
            ++census.live;
        else
            census.dead.push_back(sessions.Int(0));
    }
    return census;
}

void PxFileLockStore::PurgeSessions(const std::vector<std::int64_t>& dead)
{
    // The file gives a purged session's id to the next session: each is looked at again.
    for (std::int64_t session : dead) {
        PxQuery row(m_db, "SELECT pid, start, machine FROM px_session WHERE id = ?1", pxwhat::Lock);
        if (!row.Bind(1, session).Step() || PxProcessAlive({row.Int(0), row.Int(1), row.Text(2)}))
            continue;
        row.Reset();
        PurgeSession(session);
    }
}

void PxFileLockStore::PurgeGone(PxQuery& sessions, const std::function<void(PxQuery& row)>& live)
{
    std::vector<std::int64_t> gone;
    while (sessions.Step()) {
        if (sessions.Int(1) != 0 && PxProcessAlive({sessions.Int(2), sessions.Int(3), sessions.Text(4)}))
            live(sessions);
        else
            gone.push_back(sessions.Int(0));
    }
    sessions.Reset();
    for (std::int64_t session : gone)
        PurgeSession(session);
}

bool PxFileLockStore::AnyLive(PxQuery& sessions)
{
    bool any = false;
    PurgeGone(sessions, [&](PxQuery&) { any = true; });
    return any;
}

bool PxFileLockStore::HeldByOther(std::int64_t session, std::int64_t oid, int conflictFrom)
{
    PxQuery holders(m_db,
                    "SELECT l.session, s.id IS NOT NULL, s.pid, s.start, s.machine FROM px_lock l"
                    " LEFT JOIN px_session s ON s.id = l.session"
                    " WHERE l.oid = ?1 AND l.session <> ?2 AND l.kind >= ?3",
                    pxwhat::Lock);
    holders.Bind(1, oid).Bind(2, session).Bind(3, conflictFrom);
    return AnyLive(holders);
}

std::string PxFileLockStore::LiveHolderOf(std::int64_t oid)
{
    PxQuery holders(m_db,
                    "SELECT l.session, s.id IS NOT NULL, s.pid, s.start, s.machine, s.user_code FROM px_lock l"
                    " LEFT JOIN px_session s ON s.id = l.session WHERE l.oid = ?1",
                    pxwhat::Lock);
    holders.Bind(1, oid);
    std::string holder;
    PurgeGone(holders, [&](PxQuery& row) {
        if (holder.empty())
            holder = row.Text(5);
    });
    return holder;
}

bool PxFileLockStore::WaitedForBefore(std::int64_t session, std::int64_t oid, int conflictFrom)
{
    PxQuery waiters(m_db,
                    "SELECT w.session, s.id IS NOT NULL, s.pid, s.start, s.machine FROM px_lock_wait w"
                    " LEFT JOIN px_session s ON s.id = w.session"
                    " WHERE w.oid = ?1 AND w.session <> ?2 AND w.kind >= ?3 AND w.ticket <"
                    " coalesce((SELECT ticket FROM px_lock_wait WHERE oid = ?1 AND session = ?2), 9223372036854775807)",
                    pxwhat::Lock);
    waiters.Bind(1, oid).Bind(2, session).Bind(3, conflictFrom);
    if (!waiters.Step())
        return false;
    waiters.Reset();
    {
        PxQuery holding(m_db, "SELECT 1 FROM px_lock WHERE oid = ?1 AND session = ?2", pxwhat::Lock);
        if (holding.Bind(1, oid).Bind(2, session).Step())
            return false; // holding it already, the session only adds holds; waiters wait for it anyway
    }
    return AnyLive(waiters);
}

bool PxFileLockStore::MustWait(std::int64_t session, std::int64_t oid, int kind, bool queue, bool lineKept)
{
    int conflictFrom = PxConflictFrom(kind);
    if (!HeldByOther(session, oid, conflictFrom) && !(lineKept && WaitedForBefore(session, oid, conflictFrom)))
        return false;
    if (queue) {
        PxQuery wait(m_db,
                     "INSERT INTO px_lock_wait(oid, session, kind) VALUES(?1, ?2, ?3)"
                     " ON CONFLICT(oid, session) DO UPDATE SET kind = max(kind, excluded.kind)",
                     pxwhat::Lock);
        wait.Bind(1, oid).Bind(2, session).Bind(3, kind).Run();
    }
    return true;
}

bool PxFileLockStore::AnyInLine()
{
    PxQuery any(m_db, "SELECT 1 FROM px_lock_wait LIMIT 1", pxwhat::Lock);
    return any.Step();
}

std::optional<std::int64_t> PxFileLockStore::FirstInLine(std::int64_t oid)
{
    PxQuery first(m_db, "SELECT session FROM px_lock_wait WHERE oid = ?1 ORDER BY ticket LIMIT 1", pxwhat::Lock);
    if (!first.Bind(1, oid).Step())
        return std::nullopt;
    return first.Int(0);
}

bool PxFileLockStore::HoldsForUpdate(std::int64_t session, std::int64_t oid)
{
    PxQuery held(m_db, "SELECT 1 FROM px_lock WHERE oid = ?1 AND session = ?2 AND kind >= ?3", pxwhat::Lock);
    return held.Bind(1, oid).Bind(2, session).Bind(3, PxLockFutureUpdate).Step();
}

void PxFileLockStore::StopWaiting(std::int64_t session, std::int64_t oid)
{
    PxQuery done(m_db, "DELETE FROM px_lock_wait WHERE oid = ?1 AND session = ?2", pxwhat::Lock);
    done.Bind(1, oid).Bind(2, session).Run();
}

void PxFileLockStore::GrantLock(std::int64_t session, std::int64_t oid, int kind)
{
    PxQuery grant(m_db,
                  "INSERT INTO px_lock(oid, session, kind, holds) VALUES(?1, ?2, ?3, 1)"
                  " ON CONFLICT(oid, session, kind) DO UPDATE SET holds = holds + 1",
                  pxwhat::Lock);
    grant.Bind(1, oid).Bind(2, session).Bind(3, kind).Run();
}

std::size_t PxFileLockStore::HeldByNoOtherUpTo(std::int64_t session, const std::string& list, std::size_t count,
                                               int conflictFrom)
{
    PxQuery first(m_db,
                  "SELECT min(j.key) FROM json_each(?1) j WHERE EXISTS (SELECT 1 FROM px_lock l"
                  " WHERE l.oid = j.value AND l.session <> ?2 AND l.kind >= ?3)",
                  pxwhat::Lock);
    first.Bind(1, list).Bind(2, session).Bind(3, conflictFrom);
    if (!first.Step() || first.IsNull(0))
        return count;
    return static_cast<std::size_t>(first.Int(0));
}

void PxFileLockStore::GrantLocks(std::int64_t session, const std::string& list, std::size_t count, int kind)
{
    if (count == 0)
        return;
    PxQuery grant(m_db,
                  "INSERT INTO px_lock(oid, session, kind, holds) SELECT value, ?2, ?3, 1 FROM json_each(?1)"
                  " WHERE key < ?4 ON CONFLICT(oid, session, kind) DO UPDATE SET holds = holds + 1",
                  pxwhat::Lock);
    grant.Bind(1, list).Bind(2, session).Bind(3, kind).Bind(4, static_cast<std::int64_t>(count)).Run();
}

PxLockStore::Attempt PxFileLockStore::TryLock(std::int64_t session, const std::int64_t* oids, std::size_t count, int kind,
                                           bool queue)
{
    return TryEach(
        session, oids, count, {kind}, queue, [&](std::int64_t oid) { GrantLock(session, oid, kind); },
        [&](const std::string& list, std::size_t upTo) { GrantLocks(session, list, upTo, kind); });
}

PxLockStore::Attempt PxFileLockStore::TryExchangeHold(std::int64_t session, const std::string& holder, std::int64_t oid,
                                                      int kind, bool queue)
{
    return TryEach(session, &oid, 1, {kind, nullptr, &holder}, queue,
                   [&](std::int64_t held) { GrantLock(session, held, kind); });
}

PxLockStore::Attempt PxFileLockStore::TryEach(std::int64_t session, const std::int64_t* oids, std::size_t count,
                                              const Request& request, bool queue,
                                              const std::function<void(std::int64_t oid)>& grant,
                                              const GrantRun& grantRun)
{
    Attempt attempt;
    if (!BeginOrBusy()) {
        NoteBusyWait();
        attempt.code = kPxCodeBusy;
        return attempt;
    }
    try {
        const bool lineKept = AnyInLine();
        // With no one in line and no persistent lock to meet, only another session's lock can
        // stop the request: the objects up to the first such are granted in one statement,
        // and that one and those after it are tried as ever.
        if (grantRun && !lineKept && !MeetsPersistent(request)) {
            const std::string list = PxJsonList(oids, count);
            attempt.granted = HeldByNoOtherUpTo(session, list, count, PxConflictFrom(request.kind));
            grantRun(list, attempt.granted);
        }
        for (; attempt.granted < count; ++attempt.granted) {
            std::int64_t oid = oids[attempt.granted];
            if (MeetsPersistent(request)) {
                std::optional<PxPersistentLockRow> persistent = ReadPersistent(oid);
                if (RefusedByPersistent(request, persistent, persistent && HoldsForUpdate(session, oid))) {
                    RefuseForPersistent(attempt, persistent);
                    break;
                }
            }
            if (MustWait(session, oid, request.kind, queue, lineKept)) {
                attempt.code = kPxCodeHeld;
                break;
            }
            grant(oid);
            if (lineKept)
                StopWaiting(session, oid);
        }
        Commit();
        return attempt;
    } catch (...) {
        RollbackQuietly();
        throw;
    }
}

void PxFileLockStore::Unlock(std::int64_t session, const std::int64_t* oids, std::size_t count)
{
    WakeAll(InLockTransaction([&] {
        std::vector<std::int64_t> waiting;
        const bool lineKept = AnyInLine();
        for (std::size_t i = 0; i < count; ++i) {
            if (!ReleaseOneHold(session, oids[i]) || !lineKept)
                continue;
            if (std::optional<std::int64_t> first = FirstInLine(oids[i]))
                waiting.push_back(*first);
        }
        return waiting;
    }));
}

// A lock's last hold goes with its row in one statement; only a lock held more than once is
// updated.
bool PxFileLockStore::ReleaseOneHold(std::int64_t session, std::int64_t oid)
{
    PxQuery drop(m_db,
                 "DELETE FROM px_lock WHERE oid = ?1 AND session = ?2 AND holds <= 1 AND kind ="
                 " (SELECT min(kind) FROM px_lock WHERE oid = ?1 AND session = ?2)",
                 pxwhat::Lock);
    drop.Bind(1, oid).Bind(2, session).Run();
    if (m_db.Changes() != 0)
        return true;
    PxQuery release(m_db,
                    "UPDATE px_lock SET holds = holds - 1 WHERE oid = ?1 AND session = ?2 AND kind ="
                    " (SELECT min(kind) FROM px_lock WHERE oid = ?1 AND session = ?2)",
                    pxwhat::Lock);
    release.Bind(1, oid).Bind(2, session).Run();
    return false;
}

void PxFileLockStore::DropLocksOn(std::int64_t session, std::int64_t oid)
{
    PxQuery locks(m_db, "DELETE FROM px_lock WHERE session = ?1 AND oid = ?2", pxwhat::Lock);
    locks.Bind(1, session).Bind(2, oid).Run();
    PxQuery persistent(m_db, "DELETE FROM px_persistent_lock WHERE oid = ?1", pxwhat::Lock);
    persistent.Bind(1, oid).Run();
}

std::int64_t PxFileLockStore::ReserveOids(std::int64_t count, std::int64_t lastStored)
{
    return InLockTransaction([&] { return TakeOids(count, lastStored); });
}

std::int64_t PxFileLockStore::TakeOids(std::int64_t count, std::int64_t lastStored)
{
    std::int64_t first = lastStored + 1;
    {
        PxQuery next(m_db, "SELECT next FROM px_oid", pxwhat::Lock);
        if (next.Step())
            first = std::max(first, next.Int(0));
    }
    m_db.Execute("DELETE FROM px_oid", pxwhat::Lock);
    PxQuery store(m_db, "INSERT INTO px_oid(next) VALUES(?1)", pxwhat::Lock);
    store.Bind(1, first + count).Run();
    return first;
}

PxLockStore::Attempt PxFileLockStore::TryPlacePersistent(std::int64_t session, const std::string& userCode,
                                                      const std::int64_t* oids, std::size_t count, bool manual,
                                                      std::int64_t manualId, bool carried, bool queue)
{
    const Request request{PxLockFutureUpdate, &userCode, nullptr, !manual};
    Attempt attempt = TryEach(session, oids, count, request, queue, [&](std::int64_t oid) {
        PxQuery place(m_db,
                      "INSERT INTO px_persistent_lock(oid, user_code, locked, holds, manual_holds, hold_id, manual_id,"
                      " manual_key) VALUES(?1, ?2, ?3, 1, ?4, ?5, ?6, ?6) ON CONFLICT(oid) DO UPDATE SET"
                      " holds = holds + 1, manual_holds = manual_holds + excluded.manual_holds,"
                      " hold_id = CASE WHEN excluded.manual_holds = 0 THEN excluded.hold_id ELSE hold_id END,"
                      " manual_id = CASE WHEN excluded.manual_holds = 0 OR (manual_holds > 0 AND manual_id <> 0)"
                      " THEN manual_id ELSE excluded.manual_id END,"
                      " manual_key = CASE WHEN excluded.manual_holds = 0 OR (manual_holds > 0 AND manual_key <> 0)"
                      " THEN manual_key ELSE excluded.manual_key END",
                      pxwhat::Lock);
        place.Bind(1, oid).Bind(2, userCode).Bind(3, _time64(nullptr)).Bind(4, manual ? 1 : 0);
        // Drawn from the object ids: no hold of the store had it, or ever will.
        place.Bind(5, manual ? 0 : TakeOids(1, 0)).Bind(6, manual ? manualId : 0).Run();
        if (carried)
            GrantLock(session, PxHoldMarkSlot(oid), PxLockWrite);
    });
    attempt.manualId = manual ? manualId : 0;
    return attempt;
}

void PxFileLockStore::LowerPersistent(std::int64_t oid, int removed, int removedManual, bool identityStays)
{
    PxQuery update(m_db,
                   "UPDATE px_persistent_lock SET holds = holds - ?2, manual_holds = manual_holds - ?3,"
                   " manual_id = CASE WHEN ?3 > 0 AND ?4 = 0 THEN 0 ELSE manual_id END,"
                   " manual_key = CASE WHEN ?3 > 0 AND ?4 = 0 THEN 0 ELSE manual_key END WHERE oid = ?1",
                   pxwhat::Lock);
    update.Bind(1, oid).Bind(2, removed).Bind(3, removedManual).Bind(4, identityStays ? 1 : 0).Run();
    PxQuery drop(m_db, "DELETE FROM px_persistent_lock WHERE oid = ?1 AND holds <= 0", pxwhat::Lock);
    drop.Bind(1, oid).Run();
}

std::optional<PxPersistentLockRow> PxFileLockStore::ReadPersistent(std::int64_t oid)
{
    PxQuery query(m_db,
                  "SELECT user_code, locked, holds, manual_holds, hold_id, manual_key FROM px_persistent_lock"
                  " WHERE oid = ?1",
                  pxwhat::Lock);
    if (!query.Bind(1, oid).Step())
        return std::nullopt;
    return PxPersistentLockRow{query.Text(0),  query.Int(1), static_cast<int>(query.Int(2)),
                               static_cast<int>(query.Int(3)), query.Int(4), query.Int(5)};
}
