#include "proxy/PxServerLockStore.h"

#include "proxy/PxException.h"
#include "proxy/PxProcessIdentity.h"
#include "proxy/PxServerStore.h"
#include "proxy/PxServerUpgrade.h"
#include "proxy/PxSqlite.h"
#include "proxy/PxTesting.h"
#include "win/Clock.h"

#include <algorithm>
#include <functional>
#include <unordered_set>

namespace {

// Whether the session of the row `s` still holds its advisory lock: its connection lives.
#define PX_SESSION_CONNECTED                                                                                    \
    "coalesce((SELECT bool_or(k.granted) FROM pg_locks k WHERE k.locktype = 'advisory' AND k.objsubid = 1"      \
    " AND k.database = (SELECT oid FROM pg_database WHERE datname = current_database())"                       \
    " AND k.classid::bigint = s.id >> 32 AND k.objid::bigint = s.id & 4294967295), false)::int"

// The marks of the generation holds the session $1 carries, its claims' and those it placed
// for a start (held on -oid - $2, PxHoldMarkSlot), each joined by its key to the persistent
// lock `p` of its object.
#define PX_CARRIED_HOLDS                                                                                        \
    "l.session = $1 AND l.holds > 0 AND l.oid < -$2::bigint AND p.oid = -l.oid - $2::bigint"

// Marks the holds placed on the objects of $1 where `when` (a condition) holds as carried by
// the session (a parameter): a write lock on each one's mark slot, -oid less the base (a
// parameter, PxHoldMarkSlot).
#define PX_MARK_CARRIED(session, base, when)                                                                    \
    "marked AS (INSERT INTO px_lock(oid, session, kind, holds)"                                                 \
    " SELECT -" base "::bigint - u.oid, " session ", 4, count(*) FROM unnest($1::bigint[]) AS u(oid) WHERE "     \
    when " GROUP BY u.oid ON CONFLICT(oid, session, kind) DO UPDATE SET holds = px_lock.holds + excluded.holds"   \
    " RETURNING 1)"

// Whether any session waits in line at all. Mostly none does: a statement looks for the
// objects' lines only when one does (a condition evaluated once), as the file store does.
#define PX_ANY_IN_LINE "EXISTS(SELECT 1 FROM px_lock_wait)"

// Takes the session (the parameter named) out of the lines for the objects of $1 (an array).
#define PX_LEAVE_LINES(session)                                                                                 \
    "DELETE FROM px_lock_wait WHERE ctid = ANY(ARRAY(SELECT w.row FROM unnest($1::bigint[]) AS u(oid),"         \
    " LATERAL (SELECT w.ctid AS row FROM px_lock_wait w WHERE w.oid = u.oid AND w.session = " session           \
    " OFFSET 0) w WHERE " PX_ANY_IN_LINE "))"

// What stands between the session $2 and a lock whose conflicting kinds begin at $3 on each
// object of the run $1 (an array), as the rows of `o`, in one query for the whole run (pos
// the object's place, from 1): the persistent locks (`what` 0) and, once each with the first
// place it stands in the way of, the sessions (1) that hold a conflicting kind or, where the
// session holds nothing yet, wait before it in line for a conflicting kind; sessions as
// SessionsAlive reads them. A persistent lock stands only against a request whose conflicts
// begin at a future update or below (MeetsPersistent): only such a request looks for one. Its row
// tells whether the session holds the object for future update or write (`updating`).
#define PX_OBSTACLES                                                                                            \
    "WITH k AS (SELECT u.oid, u.pos FROM unnest($1::bigint[]) WITH ORDINALITY AS u(oid, pos)),"                 \
    " h AS (SELECT k.pos, l.session FROM k, LATERAL (SELECT l.session FROM px_lock l"                           \
    " WHERE l.oid = k.oid AND l.session <> $2 AND l.kind >= $3 OFFSET 0) l"                                     \
    " UNION ALL SELECT k.pos, w.session FROM k, LATERAL (SELECT w.session FROM px_lock_wait w"                  \
    " WHERE w.oid = k.oid AND w.session <> $2 AND w.kind >= $3 AND w.ticket < coalesce((SELECT o.ticket"        \
    " FROM px_lock_wait o WHERE o.oid = k.oid AND o.session = $2), 9223372036854775807)"                        \
    " AND NOT EXISTS(SELECT 1 FROM px_lock m WHERE m.oid = k.oid AND m.session = $2) OFFSET 0) w"               \
    " WHERE " PX_ANY_IN_LINE "),"                                                                               \
    " g AS (SELECT h.session, min(h.pos) AS pos FROM h GROUP BY h.session),"                                    \
    " o(session, known, pid, start, machine, connected, what, pos, user_code, locked, holds, manual_holds,"      \
    " updating) AS (SELECT NULL::bigint, 0, NULL::bigint, NULL::bigint, NULL::text, 0, 0, k.pos,"               \
    " p.user_code, p.locked, p.holds, p.manual_holds, EXISTS(SELECT 1 FROM px_lock m WHERE m.oid = k.oid"       \
    " AND m.session = $2 AND m.kind >= 3 OFFSET 0)::int"                                                        \
    " FROM k, LATERAL (SELECT p.* FROM px_persistent_lock p WHERE p.oid = k.oid OFFSET 0) p WHERE $3 <= 3"      \
    " UNION ALL SELECT g.session, (s.id IS NOT NULL)::int, s.pid, s.start, s.machine, " PX_SESSION_CONNECTED    \
    ", 1, g.pos, NULL, NULL, NULL, NULL, 0"                                                                     \
    " FROM g LEFT JOIN LATERAL (SELECT s.* FROM px_session s WHERE s.id = g.session OFFSET 0) s ON true)"

// Nothing of `o` stands in the way: no session, and no persistent lock that could refuse.
#define PX_NOTHING_IN_THE_WAY "NOT EXISTS(SELECT 1 FROM o)"

// The objects of the run $1 (an array) in the order of their keys, as `u`: counted as they go
// by, without a table of every object that a long run would spill to disk, and then looked up
// and stored beside one another.
#define PX_RUN_IN_KEY_ORDER "(SELECT u.oid FROM unnest($1::bigint[]) AS u(oid) ORDER BY u.oid OFFSET 0) u"

// Grants locks of the kind (a parameter) to the session $2 on the objects of $1 where `when`
// (a condition) holds; a list naming an object twice adds as many holds. The session's row of
// the kind is looked up by its key: a new row is a plain insert (an insert that may conflict
// costs nearly twice as much), a held one takes the holds through ON CONFLICT.
#define PX_GRANT_LOCKS(kind, when)                                                                              \
    "asked AS (SELECT u.oid, count(*) AS n FROM " PX_RUN_IN_KEY_ORDER " WHERE " when " GROUP BY u.oid),"        \
    " mine AS (SELECT a.oid, a.n, EXISTS(SELECT 1 FROM px_lock m WHERE m.oid = a.oid AND m.session = $2"        \
    " AND m.kind = " kind " OFFSET 0) AS held FROM asked a),"                                                   \
    " granted AS (INSERT INTO px_lock(oid, session, kind, holds) SELECT m.oid, $2, " kind ", m.n FROM mine m"   \
    " WHERE NOT m.held RETURNING 1),"                                                                           \
    " added AS (INSERT INTO px_lock(oid, session, kind, holds) SELECT m.oid, $2, " kind ", m.n FROM mine m"     \
    " WHERE m.held ON CONFLICT(oid, session, kind) DO UPDATE SET holds = px_lock.holds + excluded.holds RETURNING 1)"

// Places persistent locks for the user at the time, manual or not (parameters), on the
// objects of $1 where `when` holds. A generation hold takes an identity no hold had where the
// session may draw one (`identity` PX_HOLD_IDENTITY), else none (PX_NO_HOLD_IDENTITY: a
// repository of an earlier build that its owner has not brought up to date). A manual hold gives
// the lock's manual holds the identity `manualId` (a parameter) where the repository keeps one
// (`manualIdentity` PX_MANUAL_IDENTITY), and as their key too where it keeps that (PX_MANUAL_KEY),
// else none (PX_NO_MANUAL_IDENTITY).
#define PX_PLACE_PERSISTENT(user, time, manual, when, identity, manualIdentity, manualId)                       \
    "placed AS (INSERT INTO px_persistent_lock(oid, user_code, locked, holds, manual_holds" identity##_COLUMN     \
    manualIdentity##_COLUMN ") SELECT u.oid, " user ", " time ", count(*), count(*) * " manual                    \
    identity##_VALUE(manual) manualIdentity##_VALUE(manual, manualId)                                           \
    " FROM unnest($1::bigint[]) AS u(oid) WHERE " when " GROUP BY u.oid ON CONFLICT(oid) DO UPDATE SET"          \
    " holds = px_persistent_lock.holds + excluded.holds,"                                                       \
    " manual_holds = px_persistent_lock.manual_holds + excluded.manual_holds" identity##_KEPT                    \
    manualIdentity##_KEPT " RETURNING 1)"
#define PX_HOLD_IDENTITY_COLUMN ", hold_id"
#define PX_HOLD_IDENTITY_VALUE(manual) ", CASE WHEN " manual " = 0 THEN nextval('px_hold_id') ELSE 0 END"
#define PX_HOLD_IDENTITY_KEPT                                                                                   \
    ", hold_id = CASE WHEN excluded.manual_holds = 0 THEN excluded.hold_id ELSE px_persistent_lock.hold_id END"
#define PX_NO_HOLD_IDENTITY_COLUMN ""
#define PX_NO_HOLD_IDENTITY_VALUE(manual) ""
#define PX_NO_HOLD_IDENTITY_KEPT ""
#define PX_MANUAL_IDENTITY_COLUMN ", manual_id"
#define PX_MANUAL_IDENTITY_VALUE(manual, manualId) ", CASE WHEN " manual " = 0 THEN 0 ELSE " manualId "::bigint END"
#define PX_MANUAL_IDENTITY_KEPT                                                                                 \
    ", manual_id = CASE WHEN excluded.manual_holds = 0 OR (px_persistent_lock.manual_holds > 0"                 \
    " AND px_persistent_lock.manual_id <> 0) THEN px_persistent_lock.manual_id ELSE excluded.manual_id END"
#define PX_MANUAL_KEY_COLUMN ", manual_id, manual_key"
#define PX_MANUAL_KEY_VALUE(manual, manualId)                                                                   \
    PX_MANUAL_IDENTITY_VALUE(manual, manualId) PX_MANUAL_IDENTITY_VALUE(manual, manualId)
#define PX_MANUAL_KEY_KEPT                                                                                      \
    PX_MANUAL_IDENTITY_KEPT ", manual_key = CASE WHEN excluded.manual_holds = 0 OR (px_persistent_lock.manual_holds" \
                            " > 0 AND px_persistent_lock.manual_key <> 0) THEN px_persistent_lock.manual_key"      \
                            " ELSE excluded.manual_key END"
#define PX_NO_MANUAL_IDENTITY_COLUMN ""
#define PX_NO_MANUAL_IDENTITY_VALUE(manual, manualId) ""
#define PX_NO_MANUAL_IDENTITY_KEPT ""

// Grants the request the way `grant` (a query of the WITH list) does on the whole run, and
// takes the session $2 out of the run's lines, where nothing stands in the way by `clear`;
// answers 1 when it did.
#define PX_GRANT_WHOLE(grant, clear)                                                                            \
    PX_OBSTACLES ", " grant ", lines AS (" PX_LEAVE_LINES("$2") " AND " clear " RETURNING 1)"                    \
    " SELECT (" clear ")::int"

// The persistent lock of the object of `o` is one generation hold of the user $5 and nothing
// more, and no session stands in the way: the lock can be taken under the hold.
#define PX_HOLD_EXCHANGEABLE                                                                                    \
    "(NOT EXISTS(SELECT 1 FROM o WHERE o.what = 1) AND EXISTS(SELECT 1 FROM o WHERE o.what = 0"                  \
    " AND o.user_code = $5 AND o.holds = 1 AND o.manual_holds = 0))"

// The sizes of the lock tables, each with its limit ($1, $2, $3): one past its limit has the
// rest of the trip planned with the tables as they are (PxPgConnection::GuardPlansAgainstGrowth).
constexpr const char* kPlansGuard =
    "SELECT s.locks, s.waits, s.persistent, set_config('plan_cache_mode', CASE WHEN s.locks > $1 OR s.waits > $2"
    " OR s.persistent > $3 THEN 'force_custom_plan' ELSE current_setting('plan_cache_mode') END, true)"
    " FROM (SELECT pg_relation_size('px_lock') AS locks, pg_relation_size('px_lock_wait') AS waits,"
    " pg_relation_size('px_persistent_lock') AS persistent OFFSET 0) s";

// The advisory lock (in its two-key form) that runs the lock tables' transactions one at a
// time, taken at their beginning. Its shared form lets transactions that change only the
// session's own rows and refuse only for another's write run beside one another (the grant of
// read locks where nothing stands in the way, the release of the session's holds), while
// every other transaction runs alone. Those change nothing that outlives the sessions: their
// commits do not wait for the server's log to reach the disk, which a long run's batches would
// each do (a server that stops ends every session, and their locks with them).
constexpr const char* kBegin = "BEGIN; SELECT pg_advisory_xact_lock(29871, 2)";
constexpr const char* kBeginOne = "BEGIN";
constexpr const char* kSerialize = "SELECT pg_advisory_xact_lock(29871, 2)";
constexpr const char* kSerializeShared =
    "SELECT pg_advisory_xact_lock_shared(29871, 2), set_config('synchronous_commit', 'off', true)";
constexpr const char* kCommit = "COMMIT";

// Gives back one hold of each object of the run $1 (an array) the session $2 holds. An object
// named n times gives back n holds, the weakest kind first (`gone` holds of a row go, the row
// with its last; the rows keeping some holds are lowered from their own few, never from a join
// with every released row); the first in line for an object whose row went is answered, to be
// woken.
constexpr const char* kRelease =
    "WITH r AS (SELECT u.oid, count(*) AS n FROM " PX_RUN_IN_KEY_ORDER " GROUP BY u.oid),"
    " held AS (SELECT l.row, l.holds, r.n - coalesce(sum(l.holds) OVER (PARTITION BY r.oid"
    " ORDER BY l.kind ROWS BETWEEN UNBOUNDED PRECEDING AND 1 PRECEDING), 0) AS gone FROM r,"
    " LATERAL (SELECT l.ctid AS row, l.kind, l.holds FROM px_lock l WHERE l.oid = r.oid"
    " AND l.session = $2 OFFSET 0) l),"
    " dropped AS (DELETE FROM px_lock WHERE ctid = ANY(ARRAY(SELECT h.row FROM held h"
    " WHERE h.gone >= h.holds)) RETURNING oid),"
    " lowered AS (UPDATE px_lock l SET holds = l.holds - h.gone FROM (SELECT h.row, h.gone FROM held h"
    " WHERE h.gone > 0 AND h.gone < h.holds OFFSET 0) h WHERE l.ctid = h.row RETURNING 1)"
    " SELECT DISTINCT (SELECT w.session FROM px_lock_wait w WHERE w.oid = d.oid ORDER BY w.ticket"
    " LIMIT 1) FROM dropped d WHERE " PX_ANY_IN_LINE;

// A busy begin, or a busy attempt of a lock call, is counted where it is found busy
// (PxLockStoreBase::BeginOrFailBusy, the attempts): the connection counts every other
// statement's busy wait.
class WaitsCountedByTheCaller {
public:
    explicit WaitsCountedByTheCaller(PxPgConnection& db) : m_db(db) { m_db.SetBusyWaitListener(nullptr); }
    ~WaitsCountedByTheCaller() { m_db.SetBusyWaitListener(&PxTesting::NoteBusyWait); }
    WaitsCountedByTheCaller(const WaitsCountedByTheCaller&) = delete;
    WaitsCountedByTheCaller& operator=(const WaitsCountedByTheCaller&) = delete;

private:
    PxPgConnection& m_db;
};

// The trips of the scope wait briefly for the lock tables, whatever the busy wait.
class BriefTrips {
public:
    explicit BriefTrips(PxPgConnection& db) : m_db(db), m_wait(db.TripLockTimeout())
    {
        m_db.SetTripLockTimeout(kPxBriefBusyMilliseconds);
    }
    ~BriefTrips() { m_db.SetTripLockTimeout(m_wait); }
    BriefTrips(const BriefTrips&) = delete;
    BriefTrips& operator=(const BriefTrips&) = delete;

private:
    PxPgConnection& m_db;
    std::optional<int> m_wait;
};

} // namespace

PxServerLockStore::PxServerLockStore(const std::string& uri)
    : PxLockStoreBase(uri), m_db(PxServerStore::Connect(uri))
{
    // Every lock-table query reaches each row by its key: the objects of a run are looked up
    // one by one (LATERAL ... OFFSET 0, never joined wholesale), rows are changed by the place
    // a lookup found them at (ctid) or by their key, and a session's rows go through indexes
    // only a query by session can use. The keys' statistics (kSchema) keep every lookup on its
    // index whatever rows the server took them of, so one plan of each statement serves every
    // run, whatever objects it names; planning a run costs ten times what running it does.
    // A plan made while a lock table was small would scan it for every object as a step fills
    // it: each trip first checks the tables' sizes, runs planned as the tables are once one has
    // doubled since the plans were made, and the next trip makes them again.
    m_db->Execute("SET plan_cache_mode = force_generic_plan", pxwhat::Lock);
    // The lock tables stay in the server's memory: one object's rows are looked up through the
    // index, not through a bitmap made for each object of a long run.
    m_db->Execute("SET random_page_cost = 1.1", pxwhat::Lock);
    m_db->GuardPlansAgainstGrowth(kPlansGuard, 3);
    m_db->SetBusyWaitListener(&PxTesting::NoteBusyWait);
    SetBusyTimeout(kPxBusyTimeoutMilliseconds);
    m_holdIdentities = PxPlacesHoldIdentities(*m_db, pxwhat::Open);
    m_manualKept = PxKeptOfManualHolds(*m_db, pxwhat::Open);
}

void PxServerLockStore::ApplyBusyTimeout(int milliseconds)
{
    // The connection is only ever in the lock tables' transactions: the timeout is its own.
    m_db->SetTripLockTimeout(std::nullopt);
    m_db->SetLockTimeout(std::max(milliseconds, 1), pxwhat::Lock);
}

void PxServerLockStore::ApplyBusyWait(int milliseconds)
{
    // Set in each trip of the scope's calls, in the trip itself: a brief try asked at every step
    // of a generation costs no round trip of its own.
    m_db->SetTripLockTimeout(milliseconds == BusyTimeout() ? std::nullopt
                                                           : std::optional<int>(std::max(milliseconds, 1)));
}

bool PxServerLockStore::BeginOrBusy()
{
    try {
        const WaitsCountedByTheCaller counted(*m_db);
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
                          " ORDER BY w.ticket LIMIT 1) FROM px_lock l WHERE l.session = $1 AND l.holds > 0"
                          " AND " PX_ANY_IN_LINE,
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

void PxServerLockStore::PurgeSession(std::int64_t session)
{
    // In one round trip; the generation holds the session carries go first, with their marks
    // (PxHoldMarkSlot), and a persistent lock left without holds with them.
    Query holds(*m_db,
                "UPDATE px_persistent_lock p SET holds = p.holds - 1 FROM px_lock l WHERE " PX_CARRIED_HOLDS
                " AND p.holds > p.manual_holds",
                pxwhat::Lock);
    holds.Bind(session).Bind(kPxHoldMarkBase);
    Query lifted(*m_db,
                 "DELETE FROM px_persistent_lock p USING px_lock l WHERE " PX_CARRIED_HOLDS " AND p.holds <= 0",
                 pxwhat::Lock);
    lifted.Bind(session).Bind(kPxHoldMarkBase);
    Query locks(*m_db, "DELETE FROM px_lock WHERE session = $1 AND holds > 0", pxwhat::Lock);
    locks.Bind(session);
    Query waits(*m_db, "DELETE FROM px_lock_wait WHERE session = $1 AND kind > 0", pxwhat::Lock);
    waits.Bind(session);
    Query row(*m_db, "DELETE FROM px_session WHERE id = $1", pxwhat::Lock);
    row.Bind(session);
    m_db->Pipeline({&holds, &lifted, &locks, &waits, &row});
}

PxLockStoreBase::SessionCensus PxServerLockStore::TakeCensus()
{
    // The rows are read first: a session takes its advisory lock before its row is stored,
    // so a row whose lock the later read of the server's locks does not find is a session
    // that ended, and its id is never given again.
    Query rows(*m_db, "SELECT id, pid, start, machine FROM px_session", pxwhat::Lock);
    Query connected(*m_db,
                    "SELECT (classid::bigint << 32) | objid::bigint FROM pg_locks WHERE locktype = 'advisory'"
                    " AND objsubid = 1 AND granted AND database = (SELECT oid FROM pg_database"
                    " WHERE datname = current_database())",
                    pxwhat::Lock);
    const std::vector<PxPgRows> answers = m_db->Pipeline({&rows, &connected});
    const PxPgRows& sessions = answers[0];
    std::unordered_set<std::int64_t> held;
    for (int row = 0; row < answers[1].Count(); ++row)
        held.insert(answers[1].Int(row, 0));
    SessionCensus census;
    for (int row = 0; row < sessions.Count(); ++row) {
        if (held.count(sessions.Int(row, 0)) &&
            PxProcessAlive({sessions.Int(row, 1), sessions.Int(row, 2), sessions.Text(row, 3)}))
            ++census.live;
        else
            census.dead.push_back(sessions.Int(row, 0));
    }
    return census;
}

void PxServerLockStore::PurgeSessions(const std::vector<std::int64_t>& dead)
{
    for (std::int64_t session : dead)
        PurgeSession(session);
}

bool PxServerLockStore::SessionAlive(const PxPgRows& sessions, int row)
{
    const bool known = sessions.Int(row, 1) != 0;
    const bool connected = sessions.Int(row, 5) != 0;
    return known && connected && PxProcessAlive({sessions.Int(row, 2), sessions.Int(row, 3), sessions.Text(row, 4)});
}

bool PxServerLockStore::EverySessionAlive(const PxPgRows& sessions)
{
    for (int row = 0; row < sessions.Count(); ++row)
        if (!SessionAlive(sessions, row))
            return false;
    return true;
}

std::vector<bool> PxServerLockStore::SessionsAlive(const PxPgRows& sessions, int first, int end)
{
    std::vector<bool> live(static_cast<std::size_t>(std::max(end, 0)), false);
    std::vector<std::int64_t> gone;
    for (int row = first; row < end; ++row) {
        if (SessionAlive(sessions, row))
            live[row] = true;
        else
            gone.push_back(sessions.Int(row, 0));
    }
    for (std::int64_t session : gone)
        PurgeSession(session);
    return live;
}

bool PxServerLockStore::AnyLive(const PxPgRows& sessions, int first, int end)
{
    const std::vector<bool> live = SessionsAlive(sessions, first, end);
    return std::find(live.begin(), live.end(), true) != live.end();
}

PxPgRows PxServerLockStore::OtherHolders(std::int64_t session, std::int64_t oid, int conflictFrom)
{
    return Query(*m_db,
                 "SELECT l.session, (s.id IS NOT NULL)::int, s.pid, s.start, s.machine, " PX_SESSION_CONNECTED
                 " FROM px_lock l LEFT JOIN LATERAL (SELECT s.* FROM px_session s WHERE s.id = l.session OFFSET 0) s"
                 " ON true WHERE l.oid = $1 AND l.session <> $2 AND l.kind >= $3",
                 pxwhat::Lock)
        .Bind(oid)
        .Bind(session)
        .Bind(static_cast<std::int64_t>(conflictFrom))
        .Run();
}

PxPgRows PxServerLockStore::Holders(std::int64_t oid)
{
    return Query(*m_db,
                 "SELECT l.session, (s.id IS NOT NULL)::int, s.pid, s.start, s.machine, " PX_SESSION_CONNECTED
                 ", s.user_code FROM px_lock l LEFT JOIN LATERAL (SELECT s.* FROM px_session s"
                 " WHERE s.id = l.session OFFSET 0) s ON true WHERE l.oid = $1",
                 pxwhat::Lock)
        .Bind(oid)
        .Run();
}

bool PxServerLockStore::HeldByOther(std::int64_t session, std::int64_t oid, int conflictFrom)
{
    PxPgRows holders = OtherHolders(session, oid, conflictFrom);
    return AnyLive(holders, 0, holders.Count());
}

// Mostly every holder lives and the single read is the answer; a dead holder is purged,
// which takes the lock tables' transaction, and the read is made again in it.
bool PxServerLockStore::LockedByOther(std::int64_t session, std::int64_t oid)
{
    PxPgRows holders = OtherHolders(session, oid, PxLockRead);
    if (EverySessionAlive(holders))
        return holders.Count() > 0;
    return PxLockStoreBase::LockedByOther(session, oid);
}

PxLockStore::Holding PxServerLockStore::HoldingOf(std::int64_t session, std::int64_t oid)
{
    PxPgRows holders = Holders(oid);
    if (!EverySessionAlive(holders))
        return PxLockStoreBase::HoldingOf(session, oid);
    Holding holding = Holding::None;
    for (int row = 0; row < holders.Count(); ++row) {
        if (holders.Int(row, 0) != session)
            return Holding::Other;
        holding = Holding::Session;
    }
    return holding;
}

std::string PxServerLockStore::LockHolder(std::int64_t oid)
{
    PxPgRows holders = Holders(oid);
    if (EverySessionAlive(holders))
        return holders.Count() > 0 ? holders.Text(0, 6) : std::string();
    return PxLockStoreBase::LockHolder(oid);
}

std::string PxServerLockStore::LiveHolderOf(std::int64_t oid)
{
    PxPgRows holders = Holders(oid);
    const std::vector<bool> live = SessionsAlive(holders, 0, holders.Count());
    for (int row = 0; row < holders.Count(); ++row)
        if (live[static_cast<std::size_t>(row)])
            return holders.Text(row, 6);
    return std::string();
}

PxPgConnection::Query& PxServerLockStore::AskedOf(Query& query, std::int64_t session, const std::int64_t* oids,
                                                  std::size_t count, int kind)
{
    return query.Bind(PxPgArray(oids, count)).Bind(session).Bind(static_cast<std::int64_t>(PxConflictFrom(kind)));
}

PxPgConnection::Query PxServerLockStore::ObstaclesQuery(std::int64_t session, const std::int64_t* oids,
                                                        std::size_t count, int kind)
{
    Query query(*m_db, PX_OBSTACLES " SELECT * FROM o ORDER BY what", pxwhat::Lock);
    AskedOf(query, session, oids, count, kind);
    return query;
}

std::optional<PxServerLockStore::Refusal> PxServerLockStore::FirstRefusal(const PxPgRows& obstacles,
                                                                          const Request& request)
{
    std::optional<Refusal> first;
    auto refuse = [&](std::size_t at, int code, std::optional<PxPersistentLockRow> persistent) {
        // At one place the persistent lock is the reason given.
        if (!first || at < first->at || (at == first->at && code == kPxCodePersistent))
            first = Refusal{at, code, std::move(persistent)};
    };
    // The persistent locks come first, then the sessions.
    int sessions = 0;
    while (sessions < obstacles.Count() && obstacles.Int(sessions, 6) == 0)
        ++sessions;
    const std::vector<bool> live = SessionsAlive(obstacles, sessions, obstacles.Count());
    for (int row = 0; row < obstacles.Count(); ++row) {
        const std::size_t at = static_cast<std::size_t>(obstacles.Int(row, 7) - 1);
        if (obstacles.Int(row, 6) == 1) {
            if (live[row])
                refuse(at, kPxCodeHeld, std::nullopt);
            continue;
        }
        const std::optional<PxPersistentLockRow> persistent =
            PxPersistentLockRow{obstacles.Text(row, 8), obstacles.Int(row, 9), static_cast<int>(obstacles.Int(row, 10)),
                                static_cast<int>(obstacles.Int(row, 11))};
        if (RefusedByPersistent(request, persistent, obstacles.Int(row, 12) != 0))
            refuse(at, kPxCodePersistent, persistent);
    }
    // An exchange finds no hold to give up.
    if (request.exchangedHoldOf && sessions == 0)
        refuse(0, kPxCodePersistent, std::nullopt);
    return first;
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

PxLockStore::Attempt PxServerLockStore::TryLock(std::int64_t session, const std::int64_t* oids, std::size_t count,
                                             int kind, bool queue)
{
    Query whole(*m_db,
                PX_GRANT_WHOLE(PX_GRANT_LOCKS("$4", PX_NOTHING_IN_THE_WAY), PX_NOTHING_IN_THE_WAY), pxwhat::Lock);
    AskedOf(whole, session, oids, count, kind).Bind(static_cast<std::int64_t>(kind));
    return TryAll(session, oids, count, {kind}, queue, whole, [&](const std::string& granted) {
        return Query(*m_db, "WITH " PX_GRANT_LOCKS("$3", "true") " " PX_LEAVE_LINES("$2"), pxwhat::Lock)
            .Bind(granted)
            .Bind(session)
            .Bind(static_cast<std::int64_t>(kind));
    });
}

std::optional<std::vector<PxPgRows>> PxServerLockStore::InOneTransaction(const std::vector<Query*>& queries,
                                                                         bool besideOthers)
{
    Query beginning(*m_db, kBeginOne, pxwhat::Lock);
    Query serialize(*m_db, besideOthers ? kSerializeShared : kSerialize, pxwhat::Lock);
    std::vector<Query*> all{&beginning, &serialize};
    all.insert(all.end(), queries.begin(), queries.end());
    const WaitsCountedByTheCaller counted(*m_db);
    try {
        std::vector<PxPgRows> answers = m_db->Pipeline(all);
        answers.erase(answers.begin(), answers.begin() + 2);
        return answers;
    } catch (const PxException&) {
        RollbackQuietly();
        if (m_db->LastFailureBusy())
            return std::nullopt;
        throw;
    }
}

PxLockStore::Attempt PxServerLockStore::TryAll(std::int64_t session, const std::int64_t* oids, std::size_t count,
                                               const Request& request, bool queue, Query& whole,
                                               const std::function<Query(const std::string& granted)>& grant)
{
    Attempt attempt;
    if (count == 0)
        return attempt;
    // Mostly nothing stands in the way: the check, the grant of the whole run and the commit
    // go in the one round trip that holds the lock tables, and nothing of this process runs
    // while it holds them.
    Query commitWhole(*m_db, kCommit, pxwhat::Lock);
    std::optional<std::vector<PxPgRows>> checked = InOneTransaction({&whole, &commitWhole}, GrantsBesideOthers(request));
    if (!checked) {
        NoteBusyWait();
        attempt.code = kPxCodeBusy;
        return attempt;
    }
    if (checked->front().Int(0, 0) == 1) {
        attempt.granted = count;
        return attempt;
    }
    // Something stands in the way, maybe only a dead session or a persistent lock of the
    // user's own: it is looked at here, in a transaction of its own.
    Query check = ObstaclesQuery(session, oids, count, request.kind);
    std::optional<std::vector<PxPgRows>> answers = InOneTransaction({&check});
    if (!answers) {
        NoteBusyWait();
        attempt.code = kPxCodeBusy;
        return attempt;
    }
    const PxPgRows& obstacles = answers->front();
    try {
        const std::optional<Refusal> refusal = FirstRefusal(obstacles, request);
        attempt.granted = refusal ? refusal->at : count;
        if (refusal) {
            attempt.code = refusal->code;
            attempt.persistent = refusal->persistent;
            if (refusal->code == kPxCodeHeld && queue)
                JoinLine(session, oids[refusal->at], request.kind);
        }
        Query commit(*m_db, kCommit, pxwhat::Lock);
        if (attempt.granted == 0) {
            commit.Run();
            return attempt;
        }
        // The grant and the commit go together.
        Query granting = grant(PxPgArray(oids, attempt.granted));
        m_db->Pipeline({&granting, &commit});
        return attempt;
    } catch (...) {
        RollbackQuietly();
        throw;
    }
}

std::vector<PxPgConnection::Query> PxServerLockStore::Release(std::int64_t session, const std::int64_t* oids,
                                                              std::size_t count)
{
    std::vector<Query> trip{Query(*m_db, kBeginOne, pxwhat::Lock), Query(*m_db, kSerializeShared, pxwhat::Lock),
                            Query(*m_db, kRelease, pxwhat::Lock), Query(*m_db, kCommit, pxwhat::Lock)};
    trip[2].Bind(PxPgArray(oids, count)).Bind(session);
    return trip;
}

void PxServerLockStore::AddWoken(const PxPgRows& released, std::vector<std::int64_t>& woken)
{
    for (int row = 0; row < released.Count(); ++row)
        if (!released.IsNull(row, 0))
            woken.push_back(released.Int(row, 0));
}

void PxServerLockStore::Unlock(std::int64_t session, const std::int64_t* oids, std::size_t count)
{
    // One round trip; it changes only the session's rows, beside other sessions' releases and
    // grants of reads.
    std::vector<Query> release = Release(session, oids, count);
    const std::vector<PxPgRows> answers = m_db->Pipeline({&release[0], &release[1], &release[2], &release[3]});
    std::vector<std::int64_t> woken;
    AddWoken(answers[2], woken);
    WakeAll(woken);
}

bool PxServerLockStore::SendUnlocks(std::int64_t session, const std::int64_t* oids, std::size_t count,
                                    std::size_t batch, std::size_t& done)
{
    if (count - done <= batch)
        return PxLockStoreBase::SendUnlocks(session, oids, count, batch, done);
    std::vector<std::vector<Query>> trips;
    for (std::size_t at = done; at < count; at += batch)
        trips.push_back(Release(session, oids + at, std::min(count - at, batch)));
    m_db->Send(std::move(trips));
    return true;
}

std::vector<bool> PxServerLockStore::ReceiveUnlocks()
{
    std::vector<bool> taken;
    std::vector<std::int64_t> woken;
    for (const std::optional<std::vector<PxPgRows>>& answers : m_db->Receive()) {
        taken.push_back(answers.has_value());
        if (answers)
            AddWoken((*answers)[2], woken);
    }
    WakeAll(woken);
    return taken;
}

void PxServerLockStore::DropLocksOn(std::int64_t session, std::int64_t oid)
{
    Query(*m_db, "DELETE FROM px_lock WHERE session = $1 AND oid = $2", pxwhat::Lock).Bind(session).Bind(oid).Run();
    Query(*m_db, "DELETE FROM px_persistent_lock WHERE oid = $1", pxwhat::Lock).Bind(oid).Run();
}

PxPgConnection::Query PxServerLockStore::SessionLockHeld(std::int64_t session)
{
    return Query(*m_db,
                 "SELECT count(*) FROM pg_locks WHERE locktype = 'advisory' AND granted AND objsubid = 1"
                 " AND pid = pg_backend_pid() AND classid::bigint = $1::bigint >> 32"
                 " AND objid::bigint = $1::bigint & 4294967295",
                 pxwhat::Lock)
        .Bind(session);
}

bool PxServerLockStore::KeepsItsLocks(std::int64_t session) noexcept
{
    // Outside the lock tables' transactions, and waiting for the tables themselves (its trip
    // checks their sizes) no longer than a brief try: it never waits for another session's.
    const BriefTrips brief(*m_db);
    try {
        return SessionLockHeld(session).Run().Int(0, 0) > 0;
    } catch (...) {
        return Connected();
    }
}

// Counting no row, it divides by zero: a plain statement can fail no other way, and its
// failure keeps the COMMIT after it from running. SKIP LOCKED: a row being purged is gone.
const char* const PxServerLockStore::kLocksStillOwn =
    "SELECT 1 / count(*) FROM (SELECT 1 FROM px_session s WHERE s.id = $1 AND " PX_SESSION_CONNECTED
    " = 1 FOR KEY SHARE OF s SKIP LOCKED) own";

std::int64_t PxServerLockStore::ReserveOids(std::int64_t count, std::int64_t lastStored)
{
    // Outside any data transaction: a rolled back transaction does not give its ids back.
    return Query(*m_db, "UPDATE px_oid SET next = greatest(next, $2 + 1) + $1 RETURNING next - $1", pxwhat::Lock)
        .Bind(count)
        .Bind(lastStored)
        .Run()
        .Int(0, 0);
}

// Places the persistent locks where nothing stands in the way, for the whole run, with the
// session's marks of the holds it carries; and on the run granted after a check.
#define PX_PLACE_WHOLE(identity, manualIdentity)                                                                \
    PX_GRANT_WHOLE(PX_PLACE_PERSISTENT("$4", "$5", "$6", PX_NOTHING_IN_THE_WAY, identity, manualIdentity, "$9")  \
                       ", " PX_MARK_CARRIED("$2", "$7", "$8 = 1 AND " PX_NOTHING_IN_THE_WAY),                   \
                   PX_NOTHING_IN_THE_WAY)
#define PX_PLACE_GRANTED(identity, manualIdentity)                                                              \
    "WITH " PX_PLACE_PERSISTENT("$2", "$3", "$4", "true", identity, manualIdentity, "$8") ", "                  \
        PX_MARK_CARRIED("$5", "$6", "$7 = 1") " " PX_LEAVE_LINES("$5")

namespace {

// The placing statements by whether a generation hold takes an identity and what the repository
// keeps of the manual holds, [hold identities][PxManualHoldsKept]: the whole run's, and the
// granted run's.
constexpr const char* kPlaceWhole[2][3] = {
    {PX_PLACE_WHOLE(PX_NO_HOLD_IDENTITY, PX_NO_MANUAL_IDENTITY), PX_PLACE_WHOLE(PX_NO_HOLD_IDENTITY, PX_MANUAL_IDENTITY),
     PX_PLACE_WHOLE(PX_NO_HOLD_IDENTITY, PX_MANUAL_KEY)},
    {PX_PLACE_WHOLE(PX_HOLD_IDENTITY, PX_NO_MANUAL_IDENTITY), PX_PLACE_WHOLE(PX_HOLD_IDENTITY, PX_MANUAL_IDENTITY),
     PX_PLACE_WHOLE(PX_HOLD_IDENTITY, PX_MANUAL_KEY)}};
constexpr const char* kPlaceGranted[2][3] = {
    {PX_PLACE_GRANTED(PX_NO_HOLD_IDENTITY, PX_NO_MANUAL_IDENTITY),
     PX_PLACE_GRANTED(PX_NO_HOLD_IDENTITY, PX_MANUAL_IDENTITY), PX_PLACE_GRANTED(PX_NO_HOLD_IDENTITY, PX_MANUAL_KEY)},
    {PX_PLACE_GRANTED(PX_HOLD_IDENTITY, PX_NO_MANUAL_IDENTITY), PX_PLACE_GRANTED(PX_HOLD_IDENTITY, PX_MANUAL_IDENTITY),
     PX_PLACE_GRANTED(PX_HOLD_IDENTITY, PX_MANUAL_KEY)}};

// The removal of holds of a persistent lock, by what the repository keeps of the manual holds: a
// manual one ($4 = 1) leaves them without identity or key. A session opened before the owner
// brought the repository up to date has no identity to clear.
constexpr const char* kLowerPersistent[3] = {
    "UPDATE px_persistent_lock SET holds = holds - $2, manual_holds = manual_holds - $3 WHERE oid = $1",
    "UPDATE px_persistent_lock SET holds = holds - $2, manual_holds = manual_holds - $3,"
    " manual_id = CASE WHEN $4 = 1 THEN 0 ELSE manual_id END WHERE oid = $1",
    "UPDATE px_persistent_lock SET holds = holds - $2, manual_holds = manual_holds - $3,"
    " manual_id = CASE WHEN $4 = 1 THEN 0 ELSE manual_id END,"
    " manual_key = CASE WHEN $4 = 1 THEN 0 ELSE manual_key END WHERE oid = $1"};

} // namespace

PxLockStore::Attempt PxServerLockStore::TryPlacePersistent(std::int64_t session, const std::string& userCode,
                                                        const std::int64_t* oids, std::size_t count, bool manual,
                                                        std::int64_t manualId, bool carried, bool queue)
{
    const std::int64_t placedAt = _time64(nullptr);
    const std::int64_t manualHolds = manual ? 1 : 0;
    const std::int64_t marked = carried ? 1 : 0;
    // A session opened before the owner brought the repository up to date takes identities as
    // soon as it has them.
    if (!manual && !m_holdIdentities)
        m_holdIdentities = PxPlacesHoldIdentities(*m_db, pxwhat::Lock);
    if (manual && m_manualKept != PxManualHoldsKept::Key)
        m_manualKept = PxKeptOfManualHolds(*m_db, pxwhat::Lock);
    const int manualKept = static_cast<int>(m_manualKept);
    const bool manualIdentities = m_manualKept != PxManualHoldsKept::Nothing;
    // A persistent lock in the way, the user's own included, leaves the whole run to the check.
    Query whole(*m_db, kPlaceWhole[m_holdIdentities][manualKept], pxwhat::Lock);
    AskedOf(whole, session, oids, count, PxLockFutureUpdate)
        .Bind(userCode)
        .Bind(placedAt)
        .Bind(manualHolds)
        .Bind(kPxHoldMarkBase)
        .Bind(marked);
    if (manualIdentities)
        whole.Bind(manualId);
    const Request request{PxLockFutureUpdate, &userCode, nullptr, !manual};
    Attempt attempt = TryAll(session, oids, count, request, queue, whole, [&](const std::string& granted) {
        Query placing(*m_db, kPlaceGranted[m_holdIdentities][manualKept], pxwhat::Lock);
        placing.Bind(granted)
            .Bind(userCode)
            .Bind(placedAt)
            .Bind(manualHolds)
            .Bind(session)
            .Bind(kPxHoldMarkBase)
            .Bind(marked);
        if (manualIdentities)
            placing.Bind(manualId);
        return placing;
    });
    attempt.manualId = manual && manualIdentities ? manualId : 0;
    return attempt;
}

void PxServerLockStore::LowerPersistent(std::int64_t oid, int removed, int removedManual, bool identityStays)
{
    Query lower(*m_db, kLowerPersistent[static_cast<int>(m_manualKept)], pxwhat::Lock);
    lower.Bind(oid).Bind(static_cast<std::int64_t>(removed)).Bind(static_cast<std::int64_t>(removedManual));
    if (m_manualKept != PxManualHoldsKept::Nothing)
        lower.Bind(std::int64_t{removedManual > 0 && !identityStays ? 1 : 0});
    lower.Run();
    Query(*m_db, "DELETE FROM px_persistent_lock WHERE oid = $1 AND holds <= 0", pxwhat::Lock).Bind(oid).Run();
}

bool PxServerLockStore::ReleaseOneHold(std::int64_t session, std::int64_t oid)
{
    // The rows of the object and the session, found by their key: the weakest loses a hold.
    return Query(*m_db,
                 "WITH held AS (SELECT l.ctid AS row, l.holds FROM px_lock l WHERE l.oid = $1 AND l.session = $2"
                 " ORDER BY l.kind LIMIT 1),"
                 " dropped AS (DELETE FROM px_lock WHERE ctid = ANY(ARRAY(SELECT h.row FROM held h WHERE h.holds <= 1))"
                 " RETURNING 1),"
                 " lowered AS (UPDATE px_lock SET holds = holds - 1 WHERE ctid = ANY(ARRAY(SELECT h.row FROM held h"
                 " WHERE h.holds > 1)) RETURNING 1)"
                 " SELECT count(*) FROM dropped",
                 pxwhat::Lock)
               .Bind(oid)
               .Bind(session)
               .Run()
               .Int(0, 0) > 0;
}

std::optional<PxPersistentLockRow> PxServerLockStore::ReadPersistent(std::int64_t oid)
{
    // The identities read from the row as it is, so that a session that opened a repository of an
    // earlier build reads those of holds placed since its owner brought it up to date; the manual
    // holds' key where the repository keeps it, else their identity.
    PxPgRows rows = Query(*m_db,
                          "SELECT user_code, locked, holds, manual_holds,"
                          " coalesce((to_jsonb(p) ->> 'hold_id')::bigint, 0),"
                          " coalesce((to_jsonb(p) ->> 'manual_key')::bigint, (to_jsonb(p) ->> 'manual_id')::bigint, 0)"
                          " FROM px_persistent_lock p WHERE oid = $1",
                          pxwhat::Lock)
                        .Bind(oid)
                        .Run();
    if (!rows.Count())
        return std::nullopt;
    return PxPersistentLockRow{rows.Text(0, 0),   rows.Int(0, 1), static_cast<int>(rows.Int(0, 2)),
                               static_cast<int>(rows.Int(0, 3)), rows.Int(0, 4), rows.Int(0, 5)};
}

PxLockStore::Attempt PxServerLockStore::TryExchangeHold(std::int64_t session, const std::string& holder,
                                                        std::int64_t oid, int kind, bool queue)
{
    // The lock comes in the statement that checks the hold, which stays.
    Query whole(*m_db, PX_GRANT_WHOLE(PX_GRANT_LOCKS("$4", PX_HOLD_EXCHANGEABLE), PX_HOLD_EXCHANGEABLE), pxwhat::Lock);
    AskedOf(whole, session, &oid, 1, kind).Bind(static_cast<std::int64_t>(kind)).Bind(holder);
    return TryAll(session, &oid, 1, {kind, nullptr, &holder}, queue, whole, [&](const std::string& granted) {
        return Query(*m_db, "WITH " PX_GRANT_LOCKS("$3", "true") " " PX_LEAVE_LINES("$2"), pxwhat::Lock)
            .Bind(granted)
            .Bind(session)
            .Bind(static_cast<std::int64_t>(kind));
    });
}
