#include "proxy/PxServerUpgrade.h"

#include "proxy/PxException.h"
#include "proxy/PxFaultInjection.h"
#include "proxy/PxPostgres.h"
#include "proxy/PxSqlite.h"

namespace {

// The key columns' numbers of distinct values, as shares of their tables' rows: planned without
// the key's value (a lookup for each object of a list, a generic plan), a lookup goes through its
// index even when a few owners held nearly every member, or a few sessions nearly every lock, as
// the server's statistics were taken.
struct KeyEstimate {
    const char* table;
    const char* column;
    const char* share;
};
constexpr KeyEstimate kKeyEstimates[] = {
    {"px_attribute", "oid", "-0.1"}, {"px_member", "owner", "-0.1"},    {"px_member", "member", "-0.5"},
    {"px_lock", "oid", "-0.5"},      {"px_lock", "session", "-0.05"},   {"px_lock_wait", "oid", "-0.5"},
    {"px_lock_wait", "session", "-0.5"},
};

// The tables of the key columns. The server takes the estimates up when it takes the statistics of
// these tables again.
constexpr const char* kKeyTables[] = {"px_attribute", "px_member", "px_lock", "px_lock_wait"};

// A lock the upgrade takes on a table before it changes or analyzes it, and the modes of other
// sessions' locks that stand against it, as the server's view of its locks names them.
struct TableLock {
    std::string table;
    const char* mode;
    const char* against;
};

// A column's options set, and an analysis: only another such change, an analysis or a vacuum
// stands against them, never a session's reads and writes.
constexpr const char* kShareUpdateExclusive = "SHARE UPDATE EXCLUSIVE";
constexpr const char* kAgainstShareUpdateExclusive =
    "{ShareUpdateExclusiveLock,ShareLock,ShareRowExclusiveLock,ExclusiveLock,AccessExclusiveLock}";
// A column added: any use of the table stands against it, a read included.
constexpr const char* kAccessExclusive = "ACCESS EXCLUSIVE";
constexpr const char* kAgainstAccessExclusive = "{AccessShareLock,RowShareLock,RowExclusiveLock,"
                                                "ShareUpdateExclusiveLock,ShareLock,ShareRowExclusiveLock,"
                                                "ExclusiveLock,AccessExclusiveLock}";

// How long the upgrade waits for a lock: a lock-table transaction of another session ends within
// it, while every session that comes to the table meanwhile queues behind the upgrade's request.
constexpr const char* kBeginWithoutWaiting = "BEGIN; SET LOCAL lock_timeout = 20";

// The sessions ($1 a table, $2 the modes against the lock asked) that hold the table against it.
constexpr const char* kHolders =
    "SELECT coalesce(string_agg(format('process %s%s', a.pid, coalesce(' of ' || a.usename, ', ' || a.backend_type)),"
    " ', ' ORDER BY a.pid), '') FROM pg_stat_activity a WHERE a.pid IN (SELECT l.pid FROM pg_locks l"
    " WHERE l.relation = to_regclass($1) AND l.granted AND l.mode = ANY($2::text[]) AND l.pid <> pg_backend_pid())";

// Each generation hold placed takes an identity from the sequence; holds placed before read 0.
constexpr const char* kHoldIdentities =
    "CREATE SEQUENCE IF NOT EXISTS vq_repository.px_hold_id;"
    "ALTER TABLE vq_repository.px_persistent_lock ADD COLUMN IF NOT EXISTS hold_id bigint NOT NULL DEFAULT 0;";

// The manual holds placed from now on each name them with an identity; those placed before read 0.
constexpr const char* kManualIdentities =
    "ALTER TABLE vq_repository.px_persistent_lock ADD COLUMN IF NOT EXISTS manual_id bigint NOT NULL DEFAULT 0;";

// The manual holds' key, which only this build writes: the build after the identity gives the
// manual holds its own identity over the one standing as it locks, and none as it removes one of
// them (a take-back as well as an Unlock), so that this build's take-back owed names the key, and
// takes its hold whichever build placed or changed the lock since. The manual holds standing take
// their identity as their key, which the take-backs owed meanwhile name. Once a lock has no manual
// hold left, by whatever removal, neither stays: a Lock placed again through a build that gives no
// key (the row kept by a generation hold) is never taken for the holds of before. The trigger runs
// for whichever role writes, which needs no right on it; it replaces the marks of changes that told
// the builds apart by the columns their statements named.
constexpr const char* kManualKeys =
    "ALTER TABLE vq_repository.px_persistent_lock ADD COLUMN IF NOT EXISTS manual_key bigint NOT NULL DEFAULT 0;"
    "UPDATE vq_repository.px_persistent_lock SET manual_key = manual_id WHERE manual_holds > 0 AND manual_key = 0;"
    "DROP TRIGGER IF EXISTS px_manual_mark ON vq_repository.px_persistent_lock;"
    "DROP TRIGGER IF EXISTS px_manual_unmarked ON vq_repository.px_persistent_lock;"
    "DROP TRIGGER IF EXISTS px_manual_holds_gone ON vq_repository.px_persistent_lock;"
    "DROP FUNCTION IF EXISTS vq_repository.px_manual_mark(), vq_repository.px_manual_unmarked();"
    "CREATE OR REPLACE FUNCTION vq_repository.px_manual_holds_gone() RETURNS trigger LANGUAGE plpgsql AS"
    " $$BEGIN NEW.manual_id := 0; NEW.manual_key := 0; RETURN NEW; END$$;"
    "CREATE TRIGGER px_manual_holds_gone BEFORE UPDATE OF manual_holds ON vq_repository.px_persistent_lock"
    " FOR EACH ROW WHEN (NEW.manual_holds = 0 AND OLD.manual_holds <> 0)"
    " EXECUTE FUNCTION vq_repository.px_manual_holds_gone();";

#define PX_MANUAL_KEYS_PRESENT                                                                                  \
    "(EXISTS(SELECT 1 FROM pg_attribute WHERE attrelid = 'vq_repository.px_persistent_lock'::regclass"         \
    " AND attname = 'manual_key' AND NOT attisdropped) AND EXISTS(SELECT 1 FROM pg_trigger"                     \
    " WHERE tgrelid = 'vq_repository.px_persistent_lock'::regclass AND tgname = 'px_manual_holds_gone'))"

#define PX_MANUAL_IDENTITIES_PRESENT                                                                            \
    "EXISTS(SELECT 1 FROM pg_attribute WHERE attrelid = 'vq_repository.px_persistent_lock'::regclass"          \
    " AND attname = 'manual_id' AND NOT attisdropped)"

#define PX_HOLD_IDENTITIES_PRESENT                                                                              \
    "(to_regclass('vq_repository.px_hold_id') IS NOT NULL AND EXISTS(SELECT 1 FROM pg_attribute"               \
    " WHERE attrelid = 'vq_repository.px_persistent_lock'::regclass AND attname = 'hold_id' AND NOT attisdropped))"

// The tables and sequences the additions made ($1, an array of names), which take the rights
// the other roles have on every earlier table or on every earlier sequence.
constexpr const char* kAddedObjects = "{px_hold_id}";

// The key columns without their estimates ($1 to $3: the tables, columns and options), whether the
// hold identities, the manual ones and the manual holds' keys are missing, whether
// the role may act as the owner of every table, and that owner.
constexpr const char* kGaps =
    "SELECT (SELECT count(*) FROM unnest($1::text[], $2::text[], $3::text[]) AS k(tab, col, opt)"
    " JOIN pg_attribute a ON a.attrelid = k.tab::regclass AND a.attname = k.col"
    " WHERE NOT coalesce(k.opt = ANY(a.attoptions), false)),"
    " (NOT " PX_HOLD_IDENTITIES_PRESENT ")::int,"
    " (NOT " PX_MANUAL_IDENTITIES_PRESENT ")::int,"
    " (NOT " PX_MANUAL_KEYS_PRESENT ")::int,"
    " (SELECT coalesce(bool_and(pg_has_role(c.relowner, 'MEMBER')), false) FROM pg_class c"
    " WHERE c.relnamespace = 'vq_repository'::regnamespace AND c.relkind = 'r')::int,"
    " (SELECT pg_get_userbyid(relowner) FROM pg_class WHERE oid = 'vq_repository.px_persistent_lock'::regclass)";

// The GRANT statements that give each added object ($1) the rights another role than the owner
// holds on every earlier object of its kind (tables, sequences) and it lacks, a statement a role
// and object; PUBLIC's too.
constexpr const char* kGrantsOwed =
    "SELECT format('GRANT %s ON %s %s TO %s', string_agg(r.privilege_type, ', ' ORDER BY r.privilege_type),"
    " CASE a.relkind WHEN 'S' THEN 'SEQUENCE' ELSE 'TABLE' END, a.oid::regclass,"
    " CASE r.grantee WHEN 0 THEN 'PUBLIC' ELSE quote_ident(pg_get_userbyid(r.grantee)) END)"
    " FROM pg_class a, LATERAL (SELECT g.grantee, g.privilege_type FROM pg_class e, aclexplode(e.relacl) g"
    " WHERE e.relnamespace = a.relnamespace AND e.relkind = a.relkind AND NOT e.relname = ANY($1::text[])"
    " AND g.grantee <> e.relowner GROUP BY g.grantee, g.privilege_type HAVING count(*) = (SELECT count(*)"
    " FROM pg_class o WHERE o.relnamespace = a.relnamespace AND o.relkind = a.relkind"
    " AND NOT o.relname = ANY($1::text[]))) r"
    " WHERE a.relnamespace = 'vq_repository'::regnamespace AND a.relname = ANY($1::text[])"
    " AND NOT EXISTS(SELECT 1 FROM aclexplode(a.relacl) h WHERE h.grantee = r.grantee"
    " AND h.privilege_type = r.privilege_type)"
    " GROUP BY a.oid, a.relkind, r.grantee ORDER BY 1";

// The owner of the repository's tables, for the rest of the transaction: what the additions
// make is the owner's, whichever of its members (or a superuser) makes it.
constexpr const char* kAsOwner =
    "SELECT set_config('role', pg_get_userbyid(relowner), true) FROM pg_class"
    " WHERE oid = 'vq_repository.px_persistent_lock'::regclass";

std::string KeyEstimatesSql()
{
    std::string sql;
    for (const KeyEstimate& estimate : kKeyEstimates)
        sql += std::string("ALTER TABLE vq_repository.") + estimate.table + " ALTER COLUMN " + estimate.column +
               " SET (n_distinct = " + estimate.share + ");";
    return sql;
}

PxPgConnection::Query GapsQuery(PxPgConnection& db)
{
    std::vector<std::string> tables, columns, options;
    for (const KeyEstimate& estimate : kKeyEstimates) {
        tables.push_back(std::string("vq_repository.") + estimate.table);
        columns.push_back(estimate.column);
        options.push_back(std::string("n_distinct=") + estimate.share);
    }
    PxPgConnection::Query query(db, kGaps, pxwhat::Open);
    query.Bind(PxPgTextArray(tables)).Bind(PxPgTextArray(columns)).Bind(PxPgTextArray(options));
    return query;
}

std::vector<std::string> GrantsOf(const PxPgRows& rows)
{
    std::vector<std::string> grants;
    for (int row = 0; row < rows.Count(); ++row)
        grants.push_back(rows.Text(row, 0));
    return grants;
}

PxPgRows GrantsOwed(PxPgConnection& db, const char* what)
{
    return PxPgConnection::Query(db, kGrantsOwed, what).Bind(kAddedObjects).Run();
}

std::string AnalyzeKeyTablesSql()
{
    std::string sql = "ANALYZE";
    for (const char* table : kKeyTables)
        sql += std::string(table == kKeyTables[0] ? " " : ", ") + "vq_repository." + table;
    return sql;
}

std::vector<TableLock> KeyTableLocks()
{
    std::vector<TableLock> locks;
    for (const char* table : kKeyTables)
        locks.push_back({table, kShareUpdateExclusive, kAgainstShareUpdateExclusive});
    return locks;
}

// What held the table against the lock, as the end of a sentence.
std::string HeldBy(PxPgConnection& db, const TableLock& lock, const char* what)
{
    const std::string holders = PxPgConnection::Query(db, kHolders, what)
                                    .Bind("vq_repository." + lock.table)
                                    .Bind(lock.against)
                                    .Run()
                                    .Text(0, 0);
    return "another session held its table " + lock.table + (holders.empty() ? "" : " (" + holders + ")") + ".";
}

// Runs the steps in a transaction as the owner of the repository's tables, begun by `begin`; throws
// as the server refuses, the transaction rolled back.
template <class Steps>
void AsOwner(PxPgConnection& db, const char* begin, const char* what, Steps steps)
{
    try {
        db.Execute(begin, what);
        PxPgConnection::Query(db, kAsOwner, what).Run();
        steps();
        db.Execute("COMMIT", what);
    } catch (const PxException&) {
        db.ExecuteQuietly("ROLLBACK");
        throw;
    }
}

// Takes the locks in a transaction that waits for no other session (kBeginWithoutWaiting): a table
// held by another session refuses it, naming what held it.
void LockWithoutWaiting(PxPgConnection& db, const std::vector<TableLock>& locks, const char* what)
{
    for (const TableLock& lock : locks) {
        try {
            db.Execute(("LOCK TABLE vq_repository." + lock.table + " IN " + lock.mode + " MODE").c_str(), what);
        } catch (const PxException&) {
            if (!db.LastFailureBusy())
                throw;
            PX_THROW(what, db.ShownName().c_str(), HeldBy(db, lock, what).c_str());
        }
    }
}

// Runs the change as the owner in a transaction that takes the locks first without waiting
// (LockWithoutWaiting); throws as the server refuses, the transaction rolled back.
template <class Change>
void AsOwnerWithoutWaiting(PxPgConnection& db, const std::vector<TableLock>& locks, const char* what, Change change)
{
    AsOwner(db, kBeginWithoutWaiting, what, [&] {
        LockWithoutWaiting(db, locks, what);
        change();
    });
}

// Takes the statistics of the key tables again, after their estimates were set, in a transaction
// of its own: the change does not hold its tables for that long. Answers what it did.
std::string KeyTablesAnalyzed(PxPgConnection& db)
{
    // The estimates stand whatever comes of it; without the statistics taken again they count from
    // the server's next analysis.
    const char* const putOff =
        "The key columns' estimates were set, so that every lookup by key goes through its index once the statistics"
        " of their tables are taken again (the server's next analysis of them, or vqsrepo analyze %1); taking them"
        " now failed: %2";
    try {
        PxFaultInjection::Check("PxServerUpgrade::AnalyzeKeyTables");
        AsOwnerWithoutWaiting(db, KeyTableLocks(), putOff, [&] { db.Execute(AnalyzeKeyTablesSql().c_str(), putOff); });
    } catch (const PxException& e) {
        if (!db.Connected())
            throw;
        return std::string(e.GetErrorMessage());
    }
    return "The key columns' estimates were set, so that every lookup by key goes through its index, and the"
           " statistics of their tables taken again.";
}

} // namespace

PxSchemaGaps PxFindSchemaGaps(PxPgConnection& db)
{
    PxPgConnection::Query gaps = GapsQuery(db);
    PxPgConnection::Query grants(db, kGrantsOwed, pxwhat::Open);
    grants.Bind(kAddedObjects);
    const std::vector<PxPgRows> answers = db.Pipeline({&gaps, &grants});
    PxSchemaGaps found;
    found.estimates = static_cast<int>(answers[0].Int(0, 0));
    found.holdIdentities = answers[0].Int(0, 1) != 0;
    found.manualIdentities = answers[0].Int(0, 2) != 0;
    found.manualKeys = answers[0].Int(0, 3) != 0;
    found.ownerMay = answers[0].Int(0, 4) != 0;
    found.owner = answers[0].Text(0, 5);
    found.grants = GrantsOf(answers[1]);
    return found;
}

std::vector<std::string> PxCloseSchemaGaps(PxPgConnection& db, const PxSchemaGaps& gaps, const char* what)
{
    std::vector<std::string> changes;
    if (!gaps.Any())
        return changes;
    std::vector<TableLock> locks;
    std::string additions;
    if (gaps.estimates > 0) {
        locks = KeyTableLocks();
        additions += KeyEstimatesSql();
    }
    // The strongest lock last, held for the shortest time.
    if (gaps.holdIdentities || gaps.manualIdentities || gaps.manualKeys)
        locks.push_back({"px_persistent_lock", kAccessExclusive, kAgainstAccessExclusive});
    if (gaps.holdIdentities)
        additions += kHoldIdentities;
    if (gaps.manualIdentities)
        additions += kManualIdentities;
    if (gaps.manualKeys)
        additions += kManualKeys;
    std::vector<std::string> granted;
    AsOwnerWithoutWaiting(db, locks, what, [&] {
        if (!additions.empty())
            db.Execute(additions.c_str(), what);
        // The rights once the objects they are on exist.
        for (const std::string& grant : GrantsOf(GrantsOwed(db, what))) {
            db.Execute(grant.c_str(), what);
            granted.push_back(grant + ".");
        }
    });
    if (gaps.estimates > 0)
        changes.push_back(KeyTablesAnalyzed(db));
    if (gaps.holdIdentities)
        changes.push_back("The generation holds' identity was added (the column hold_id of px_persistent_lock and"
                          " the sequence px_hold_id): each generation hold placed from now on has one.");
    if (gaps.manualIdentities)
        changes.push_back("The manual holds' identity was added (the column manual_id of px_persistent_lock): a"
                          " manual hold a step placed and took back is from now on taken back from the lock it"
                          " was placed on alone.");
    if (gaps.manualKeys)
        changes.push_back("The manual holds' key was added (the column manual_key of px_persistent_lock and its"
                          " trigger px_manual_holds_gone): a manual hold a step placed and took back is from now on"
                          " taken back whichever build placed or changed the lock since, and never from a lock its"
                          " user unlocked and placed again.");
    changes.insert(changes.end(), granted.begin(), granted.end());
    return changes;
}

void PxRunAsOwner(PxPgConnection& db, const std::string& statements, const char* what)
{
    AsOwner(db, "BEGIN", what, [&] { db.Execute(statements.c_str(), what); });
}

std::string PxSchemaAdditionsSql()
{
    return KeyEstimatesSql() + kHoldIdentities + kManualIdentities + kManualKeys;
}

bool PxPlacesHoldIdentities(PxPgConnection& db, const char* what)
{
    return PxPgConnection::Query(db,
                                 "SELECT (" PX_HOLD_IDENTITIES_PRESENT " AND coalesce(has_sequence_privilege("
                                 "to_regclass('vq_repository.px_hold_id')::oid, 'USAGE, UPDATE'), false))::int",
                                 what)
               .Run()
               .Int(0, 0) != 0;
}

PxManualHoldsKept PxKeptOfManualHolds(PxPgConnection& db, const char* what)
{
    const std::int64_t kept = PxPgConnection::Query(db,
                                                    "SELECT CASE WHEN NOT " PX_MANUAL_IDENTITIES_PRESENT " THEN 0"
                                                    " WHEN NOT " PX_MANUAL_KEYS_PRESENT " THEN 1 ELSE 2 END",
                                                    what)
                                  .Run()
                                  .Int(0, 0);
    return static_cast<PxManualHoldsKept>(kept);
}
