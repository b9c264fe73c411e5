#include "proxy/PxServerStore.h"

#include "proxy/PxException.h"
#include "proxy/PxServerLockStore.h"
#include "proxy/PxServerUpgrade.h"
#include "proxy/PxSqlite.h"
#include "win/Clock.h"

#include <algorithm>
#include <numeric>
#include <string>
#include <tuple>
#include <unordered_map>

namespace {

constexpr const char* kFormat = "vq-repository-1";

// The advisory lock (in its two-key form, apart from the sessions' one-key locks) that
// makes the single writer slot.
constexpr const char* kTakeWriterSlot = "SELECT pg_advisory_xact_lock(29871, 1)";

// A session's rows of the lock tables have indexes of their own, partial, that only a query
// naming `holds > 0` or `kind > 0` can use: a lookup by object has no way but the object's key.
// The schema of the first build; what later builds added is made with it (PxServerUpgrade).
constexpr const char* kSchema =
    "CREATE SCHEMA vq_repository;"
    "SET search_path TO vq_repository;"
    "CREATE TABLE px_meta(key text COLLATE \"C\" PRIMARY KEY, value text NOT NULL);"
    "CREATE TABLE px_object(oid bigint PRIMARY KEY, class text NOT NULL, created bigint NOT NULL,"
    " edition bigint NOT NULL, present boolean NOT NULL);"
    "CREATE TABLE px_attribute(oid bigint NOT NULL, name text COLLATE \"C\" NOT NULL, type smallint NOT NULL,"
    " number bigint, bytes bytea, PRIMARY KEY(oid, name));"
    "CREATE TABLE px_member(owner bigint NOT NULL, role text COLLATE \"C\" NOT NULL, seq bigint NOT NULL,"
    " member bigint NOT NULL, owning boolean NOT NULL, PRIMARY KEY(owner, role, seq));"
    "CREATE INDEX px_member_of ON px_member(member);"
    "CREATE SEQUENCE px_session_id;"
    "CREATE TABLE px_session(id bigint PRIMARY KEY, pid bigint NOT NULL, start bigint NOT NULL,"
    " machine text NOT NULL, user_code text NOT NULL, attached bigint NOT NULL);"
    "CREATE TABLE px_lock(oid bigint NOT NULL, session bigint NOT NULL, kind integer NOT NULL,"
    " holds integer NOT NULL, PRIMARY KEY(oid, session, kind));"
    "CREATE INDEX px_lock_of ON px_lock(session) WHERE holds > 0;"
    "CREATE TABLE px_persistent_lock(oid bigint PRIMARY KEY, user_code text NOT NULL, locked bigint NOT NULL,"
    " holds integer NOT NULL, manual_holds integer NOT NULL);"
    "CREATE TABLE px_oid(next bigint NOT NULL);"
    "CREATE TABLE px_lock_wait(ticket bigserial PRIMARY KEY, oid bigint NOT NULL, session bigint NOT NULL,"
    " kind integer NOT NULL, UNIQUE(oid, session));"
    "CREATE INDEX px_lock_wait_of ON px_lock_wait(session) WHERE kind > 0;"
    "CREATE INDEX px_lock_wait_line ON px_lock_wait(oid, ticket);"
    "INSERT INTO px_meta(key, value) VALUES('format', 'vq-repository-1'),"
    " ('root.PxVQEnterprise', '1'), ('root.PxLSEEnterprise', '2');"
    "INSERT INTO px_oid(next) VALUES(3);";

// Tables of the database outside the server's own schemas.
constexpr const char* kOwnTables =
    "SELECT count(*) FROM pg_class c JOIN pg_namespace n ON n.oid = c.relnamespace"
    " WHERE c.relkind IN ('r', 'p', 'v', 'm', 'f') AND n.nspname NOT IN ('pg_catalog', 'information_schema')"
    " AND n.nspname NOT LIKE 'pg\\_%'";

[[noreturn]] void Refuse(const PxPgConnection& db, const char* text, const char* reason)
{
    throw PxException(__FILE__, __LINE__, text, db.ShownName().c_str(), reason);
}

bool HoldsRepository(PxPgConnection& db)
{
    PxPgRows meta =
        PxPgConnection::Query(db, "SELECT to_regclass('vq_repository.px_meta') IS NOT NULL", pxwhat::Open).Run();
    if (meta.Text(0, 0) != "t")
        return false;
    PxPgRows format =
        PxPgConnection::Query(db, "SELECT value FROM vq_repository.px_meta WHERE key = 'format'", pxwhat::Open)
            .Run();
    return format.Count() == 1 && format.Text(0, 0) == kFormat;
}

bool HoldsAnything(PxPgConnection& db)
{
    return PxPgConnection::Query(db, kOwnTables, pxwhat::Open).Run().Int(0, 0) > 0;
}

// Without the key columns' estimates, statistics taken while a few owners held nearly every
// member make the server plan a lookup by owner as a read of the whole member table, once
// an object in a deletion: the connection finds rows by key wherever an index leads there.
void FindRowsByKey(PxPgConnection& db) { db.Execute("SET enable_seqscan = off", pxwhat::Open); }

std::string ToBeBroughtUpToDate(const PxPgConnection& db)
{
    const std::string& name = db.ShownName();
    return "The repository " + name + " was made by an earlier build and lacks what this one adds: its owner"
           " should bring it up to date (vqsrepo upgrade " + name + ").";
}

std::string BroughtUpToDate(const PxPgConnection& db, const std::vector<std::string>& changes)
{
    std::string notice;
    for (const std::string& change : changes)
        notice += " " + change;
    return notice.empty() ? notice
                          : "The repository " + db.ShownName() + " was brought up to date for this build." + notice;
}

// Brings the repository up to date as its owner opens it, and answers what the session tells of
// it. Refused, or kept from a table by another session, it carries on with what the repository
// has, and tells that it tried and why it could not.
std::string UpgradedAtOpen(PxPgConnection& db, PxSchemaGaps& gaps)
{
    const char* const couldNot = "The repository %1 was made by an earlier build and lacks what this one adds. This"
                                 " session of its owner tried to bring it up to date and could not: %2 The owner's"
                                 " next session tries again, as does vqsrepo upgrade %1.";
    try {
        const std::vector<std::string> changes = PxCloseSchemaGaps(db, gaps, couldNot);
        gaps = PxSchemaGaps{};
        return BroughtUpToDate(db, changes);
    } catch (const PxException& e) {
        if (!db.Connected())
            db.Fail(pxwhat::Open, "");
        return std::string(e.GetErrorMessage());
    }
}

std::vector<std::string> BringUpToDate(PxPgConnection& db, const char* what)
{
    const PxSchemaGaps gaps = PxFindSchemaGaps(db);
    if (gaps.Any() && !gaps.ownerMay)
        Refuse(db, what, "its tables belong to another role, which alone may bring it up to date.");
    return PxCloseSchemaGaps(db, gaps, what);
}

PxValue ValueAt(const PxPgRows& rows, int row, int typeColumn)
{
    switch (rows.Int(row, typeColumn)) {
    case PxValue::Int:
        return PxValue::OfInt(rows.Int(row, typeColumn + 1));
    case PxValue::Text:
        return PxValue::OfText(rows.Bytes(row, typeColumn + 2));
    case PxValue::Blob:
        return PxValue::OfBlob(rows.Bytes(row, typeColumn + 2));
    default:
        return {};
    }
}

// The places (ctid) of the rows of the table whose column is one of the objects of $1 (an
// array), each object looked up on its own by its key.
#define PX_ROWS_BY_KEY(table, column)                                                                           \
    "ARRAY(SELECT r.row FROM unnest($1::bigint[]) AS u(oid), LATERAL (SELECT t.ctid AS row FROM " table " t"    \
    " WHERE t." column " = u.oid OFFSET 0) r)"

// The put-off writes never hold more than this many attributes: more go at once.
constexpr std::size_t kMostPutOff = 2000;

std::string HexOf(const std::string& bytes)
{
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex = "\\x";
    for (unsigned char c : bytes) {
        hex += kDigits[c >> 4];
        hex += kDigits[c & 15];
    }
    return hex;
}

// The arrays of attribute rows, bound to one statement.
class AttributeArrays {
public:
    std::string oids = "{", names = "{", types = "{", numbers = "{", bytes = "{";

    void Add(std::int64_t oid, const std::string& name, const PxValue& value)
    {
        const bool hasBytes = value.type == PxValue::Text || value.type == PxValue::Blob;
        Append(oids, std::to_string(oid));
        Append(names, PxPgArrayElement(name));
        Append(types, std::to_string(static_cast<int>(value.type)));
        Append(numbers, value.type == PxValue::Int ? std::to_string(value.number) : "NULL");
        Append(bytes, hasBytes ? PxPgArrayElement(HexOf(value.bytes)) : "NULL");
    }

private:
    static void Append(std::string& array, const std::string& element)
    {
        if (array.size() > 1)
            array += ',';
        array += element;
    }
};

PxObjectRow ObjectAt(const PxPgRows& rows, int row)
{
    return {rows.Int(row, 0), rows.Text(row, 1), rows.Int(row, 2), rows.Int(row, 3), true};
}

// A row of a query that reads the presence too, as its fifth column.
PxObjectRow StoredObjectAt(const PxPgRows& rows, int row)
{
    PxObjectRow object = ObjectAt(rows, row);
    object.present = rows.Int(row, 4) != 0;
    return object;
}

// The editions the statement answers (oid, edition) for the objects of $1 (an array), by id.
std::unordered_map<std::int64_t, std::int64_t> EditionsOf(PxPgConnection& db, const char* sql, const char* what,
                                                          const std::vector<std::int64_t>& oids)
{
    const PxPgRows rows = PxPgConnection::Query(db, sql, what).Bind(PxPgArray(oids)).Run();
    std::unordered_map<std::int64_t, std::int64_t> editions;
    for (int row = 0; row < rows.Count(); ++row)
        editions.emplace(rows.Int(row, 0), rows.Int(row, 1));
    return editions;
}

} // namespace

std::unique_ptr<PxPgConnection> PxServerStore::Connect(const std::string& uri, bool upgrade, std::string* notice)
{
    auto db = std::make_unique<PxPgConnection>(uri);
    if (!HoldsRepository(*db))
        Refuse(*db, pxwhat::Open,
               HoldsAnything(*db) ? "the database holds something else than a repository."
                                  : "the database holds no repository.");
    // The repository's statements are short: compiling one would cost more than running it.
    db->Execute("SET search_path TO vq_repository; SET jit = off", pxwhat::Open);
    PxSchemaGaps gaps = PxFindSchemaGaps(*db);
    std::string told;
    if (upgrade && gaps.Any() && gaps.ownerMay)
        told = UpgradedAtOpen(*db, gaps);
    else if (gaps.Any())
        told = ToBeBroughtUpToDate(*db);
    if (gaps.estimates > 0)
        FindRowsByKey(*db);
    if (notice)
        *notice = told;
    return db;
}

PxServerStore::PxServerStore(const std::string& uri, PxAccess access)
    : m_db(Connect(uri, access == PxAccess::ReadWrite, &m_notice))
{
    m_db->SetAhead([this] { return PutOffWrites(); });
    m_db->PrepareAgainOnGrowth("SELECT pg_relation_size('px_object'), pg_relation_size('px_attribute'),"
                               " pg_relation_size('px_member')");
    if (access == PxAccess::ReadOnly)
        m_db->Execute("SET default_transaction_read_only = on", pxwhat::Open);
}

void PxServerStore::Create(const std::string& uri)
{
    PxPgConnection db(uri);
    const char* what = "Cannot create the repository %1: %2";
    if (HoldsRepository(db))
        Refuse(db, what, "the database holds a repository already.");
    if (HoldsAnything(db))
        Refuse(db, what, "the database holds something else.");
    db.Execute("BEGIN", what);
    db.Execute(kSchema, what);
    db.Execute(PxSchemaAdditionsSql().c_str(), what);
    std::int64_t now = _time64(nullptr);
    for (const char* root : {"PxVQEnterprise", "PxLSEEnterprise"}) {
        PxPgConnection::Query(db,
                              "INSERT INTO px_object(oid, class, created, edition, present)"
                              " SELECT value::bigint, $1, $2, 1, true FROM px_meta WHERE key = 'root.' || $1",
                              what)
            .Bind(root)
            .Bind(now)
            .Run();
    }
    db.Execute("COMMIT", what);
}

std::vector<std::string> PxServerStore::Upgrade(const std::string& uri)
{
    std::unique_ptr<PxPgConnection> db = Connect(uri);
    return BringUpToDate(*db, "Cannot bring the repository %1 up to date: %2");
}

std::vector<std::string> PxServerStore::Analyze(const std::string& uri)
{
    std::unique_ptr<PxPgConnection> db = Connect(uri);
    const char* what = "Cannot take the statistics of the repository %1: %2";
    const PxSchemaGaps gaps = PxFindSchemaGaps(*db);
    // The server would skip, with a mere warning, every table it may not analyse for the role.
    if (!gaps.ownerMay)
        Refuse(*db, what,
               ("only the owner of its tables, the role " + gaps.owner +
                " (or one of its members, or a superuser), may take their statistics.")
                   .c_str());
    std::vector<std::string> changes = PxCloseSchemaGaps(*db, gaps, what);
    const char* const tables = "px_object, px_attribute, px_member";
    PxRunAsOwner(*db, std::string("ANALYZE ") + tables, what);
    changes.push_back(std::string("The statistics of the tables ") + tables + " were taken again.");
    return changes;
}

void PxServerStore::Remove(const std::string& uri) noexcept
{
    try {
        PxPgConnection db(uri);
        db.ExecuteQuietly("DROP SCHEMA vq_repository CASCADE");
    } catch (const PxException&) {
        // The repository stays; it can be removed by hand.
    }
}

void PxServerStore::Begin()
{
    std::string begin = "BEGIN; SET LOCAL lock_timeout = " + std::to_string(std::max(m_busyTimeout, 1)) + "; " +
                        kTakeWriterSlot;
    m_db->Execute(begin.c_str(), pxwhat::Write);
}

void PxServerStore::Commit(std::int64_t session)
{
    // The check of the session's locks and the COMMIT run in one round trip, after the
    // writes put off: a lock connection that ends while they are sent leaves nothing stored.
    PxPgConnection::Query ownLocks(*m_db, PxServerLockStore::kLocksStillOwn,
                                   "Cannot commit the repository transaction: the check of this session's locks on "
                                   "the server of %1 failed: %2");
    ownLocks.Bind(session);
    PxPgConnection::Query commit(*m_db, "COMMIT", pxwhat::Commit);
    const bool writesAhead = !m_putOff.empty();
    try {
        m_db->Pipeline({&ownLocks, &commit});
    } catch (const PxException&) {
        // A connection lost is the failure of the writes sent ahead or of the commit, not the
        // check's.
        if (!m_db->Connected() && !writesAhead)
            m_db->Fail(pxwhat::Commit, "");
        if (m_db->LastFailureState() != PxServerLockStore::kLocksLostState)
            throw;
        throw PxExceptionLocksLost(__FILE__, __LINE__,
                                   "Cannot commit the repository transaction: this session's locks on the server of "
                                   "%1 were lost with its connection to the server, and what it changed under them "
                                   "is not stored.",
                                   m_db->ShownName().c_str());
    }
}

void PxServerStore::Rollback()
{
    m_putOff.clear();
    m_db->Execute("ROLLBACK", pxwhat::Abort);
}

void PxServerStore::RollbackQuietly() noexcept
{
    m_putOff.clear();
    if (m_db->InTransaction())
        m_db->ExecuteQuietly("ROLLBACK");
}

// The writes held back go ahead of the savepoint, in its round trip.
void PxServerStore::Savepoint() { PxPgConnection::Query(*m_db, "SAVEPOINT px_step", pxwhat::Write).Run(); }

// The writes still held back were made after the savepoint: they are dropped unsent.
void PxServerStore::RollbackToSavepoint()
{
    m_putOff.clear();
    PxPgConnection::Query rollback(*m_db, "ROLLBACK TO SAVEPOINT px_step", pxwhat::Write);
    PxPgConnection::Query release(*m_db, "RELEASE SAVEPOINT px_step", pxwhat::Write);
    m_db->Pipeline({&rollback, &release});
}

// The writes held back go ahead of the release: a refusal of them is reported by it.
void PxServerStore::ReleaseSavepoint() { PxPgConnection::Query(*m_db, "RELEASE SAVEPOINT px_step", pxwhat::Write).Run(); }

void PxServerStore::BeginReading()
{
    m_reading = !m_db->InTransaction();
    if (m_reading)
        m_db->Execute("BEGIN ISOLATION LEVEL REPEATABLE READ", pxwhat::Begin);
}

void PxServerStore::EndReading() noexcept
{
    if (m_reading && m_db->InTransaction())
        m_db->ExecuteQuietly("COMMIT");
    m_reading = false;
}

std::int64_t PxServerStore::StoredEdition(std::int64_t oid)
{
    // A deletion steps the edition too; an object not stored yet has none (0).
    PxPgRows rows = PxPgConnection::Query(*m_db, "SELECT edition FROM px_object WHERE oid = $1", pxwhat::Read)
                        .Bind(oid)
                        .Run();
    return rows.Count() ? rows.Int(0, 0) : 0;
}

std::unordered_map<std::int64_t, std::int64_t> PxServerStore::StoredEditions(const std::vector<std::int64_t>& oids)
{
    return EditionsOf(*m_db, "SELECT oid, edition FROM px_object WHERE oid = ANY($1::bigint[])", pxwhat::Read, oids);
}

std::optional<PxObjectRow> PxServerStore::Row(std::int64_t oid)
{
    PxPgRows rows = PxPgConnection::Query(*m_db, "SELECT oid, class, created, edition, present::int FROM px_object"
                                                 " WHERE oid = $1",
                                          pxwhat::Read)
                        .Bind(oid)
                        .Run();
    if (!rows.Count())
        return std::nullopt;
    return StoredObjectAt(rows, 0);
}

std::vector<PxObjectRow> PxServerStore::Rows(const std::vector<std::int64_t>& oids)
{
    if (!Watching())
        if (std::vector<PxObjectRow> ahead = RowsAhead(oids); !ahead.empty())
            return ahead;
    PxPgRows rows = PxPgConnection::Query(*m_db, "SELECT oid, class, created, edition, present::int FROM px_object"
                                                 " WHERE oid = ANY($1::bigint[])",
                                          pxwhat::Read)
                        .Bind(PxPgArray(oids))
                        .Run();
    std::vector<PxObjectRow> found;
    for (int row = 0; row < rows.Count(); ++row)
        found.push_back(StoredObjectAt(rows, row));
    return found;
}

std::unordered_map<std::int64_t, std::int64_t> PxServerStore::PresentEditions(const std::vector<std::int64_t>& oids)
{
    PxPgRows rows = PxPgConnection::Query(*m_db, "SELECT oid, edition, present::int FROM px_object"
                                                 " WHERE oid = ANY($1::bigint[])",
                                          pxwhat::Read)
                        .Bind(PxPgArray(oids))
                        .Run();
    std::unordered_map<std::int64_t, std::int64_t> editions;
    editions.reserve(static_cast<std::size_t>(rows.Count()));
    for (int row = 0; row < rows.Count(); ++row) {
        NoteEdition(rows.Int(row, 0), rows.Int(row, 1));
        if (rows.Int(row, 2))
            editions.emplace(rows.Int(row, 0), rows.Int(row, 1));
    }
    // An object never stored has no edition.
    for (std::int64_t oid : oids)
        NoteEdition(oid, 0);
    return editions;
}

bool PxServerStore::Present(std::int64_t oid)
{
    NoteRead(oid);
    PxPgRows rows =
        PxPgConnection::Query(*m_db, "SELECT 1 FROM px_object WHERE oid = $1 AND present", pxwhat::Read).Bind(oid).Run();
    return rows.Count() > 0;
}

std::optional<std::int64_t> PxServerStore::Edition(std::int64_t oid)
{
    NoteRead(oid);
    PxPgRows rows =
        PxPgConnection::Query(*m_db, "SELECT edition FROM px_object WHERE oid = $1 AND present", pxwhat::Read)
            .Bind(oid)
            .Run();
    if (!rows.Count())
        return std::nullopt;
    return rows.Int(0, 0);
}

std::int64_t PxServerStore::Root(const char* className)
{
    PxPgRows rows =
        PxPgConnection::Query(*m_db, "SELECT value::bigint FROM px_meta WHERE key = 'root.' || $1", pxwhat::Read)
            .Bind(className)
            .Run();
    if (!rows.Count())
        Refuse(*m_db, pxwhat::Open, "the database holds something else than a repository.");
    return rows.Int(0, 0);
}

std::int64_t PxServerStore::LastOid()
{
    return PxPgConnection::Query(*m_db, "SELECT coalesce(max(oid), 0) FROM px_object", pxwhat::Read)
        .Run()
        .Int(0, 0);
}

bool PxServerStore::LoadAttributes(std::int64_t oid, PxAttributeBuffer& attributes)
{
    NoteRead(oid);
    PxPgRows rows = PxPgConnection::Query(*m_db,
                                          "SELECT a.name, a.type, a.number, a.bytes FROM px_object o"
                                          " LEFT JOIN px_attribute a ON a.oid = o.oid WHERE o.oid = $1 AND o.present",
                                          pxwhat::Read)
                        .Bind(oid)
                        .Run();
    for (int row = 0; row < rows.Count(); ++row)
        if (!rows.IsNull(row, 0))
            attributes[rows.Text(row, 0)] = ValueAt(rows, row, 1);
    return rows.Count() > 0;
}

std::unordered_map<std::int64_t, PxValue> PxServerStore::AttributeOfEach(const std::vector<std::int64_t>& oids,
                                                                          const std::string& name)
{
    PxPgRows rows = PxPgConnection::Query(*m_db,
                                          "SELECT o.oid, o.edition, o.present::int, a.type, a.number, a.bytes"
                                          " FROM px_object o LEFT JOIN px_attribute a ON a.oid = o.oid AND a.name = $2"
                                          " WHERE o.oid = ANY($1::bigint[])",
                                          pxwhat::Read)
                        .Bind(PxPgArray(oids))
                        .Bind(name)
                        .Run();
    std::unordered_map<std::int64_t, PxValue> values;
    for (int row = 0; row < rows.Count(); ++row) {
        NoteEdition(rows.Int(row, 0), rows.Int(row, 1));
        if (rows.Int(row, 2))
            values.emplace(rows.Int(row, 0), rows.IsNull(row, 3) ? PxValue() : ValueAt(rows, row, 3));
    }
    // An object never stored has no edition.
    for (std::int64_t oid : oids)
        NoteEdition(oid, 0);
    return values;
}

void PxServerStore::WriteAttribute(std::int64_t oid, const std::string& name, const PxValue& value)
{
    if (m_db->InTransaction()) {
        m_putOff[{oid, name}] = value;
        if (m_putOff.size() >= kMostPutOff)
            PutOffWrites()->Run();
        return;
    }
    PxPgConnection::Query query(*m_db,
                                "INSERT INTO px_attribute(oid, name, type, number, bytes) VALUES($1, $2, $3, $4, $5)"
                                " ON CONFLICT(oid, name) DO UPDATE SET type = excluded.type,"
                                " number = excluded.number, bytes = excluded.bytes",
                                pxwhat::Write);
    query.Bind(oid).Bind(name).Bind(static_cast<std::int64_t>(value.type));
    if (value.type == PxValue::Int)
        query.Bind(value.number);
    else
        query.BindNull();
    if (value.type == PxValue::Text || value.type == PxValue::Blob)
        query.BindBytes(value.bytes);
    else
        query.BindNull();
    query.Run();
}

std::optional<PxPgConnection::Query> PxServerStore::PutOffWrites()
{
    if (m_putOff.empty())
        return std::nullopt;
    AttributeArrays arrays;
    for (const auto& [key, value] : m_putOff)
        arrays.Add(key.first, key.second, value);
    m_putOff.clear();
    PxPgConnection::Query query(*m_db,
                                "INSERT INTO px_attribute(oid, name, type, number, bytes)"
                                " SELECT * FROM unnest($1::bigint[], $2::text[], $3::smallint[], $4::bigint[],"
                                " $5::bytea[])"
                                " ON CONFLICT(oid, name) DO UPDATE SET type = excluded.type,"
                                " number = excluded.number, bytes = excluded.bytes",
                                pxwhat::Write);
    query.Bind(arrays.oids + "}").Bind(arrays.names + "}").Bind(arrays.types + "}").Bind(arrays.numbers + "}");
    query.Bind(arrays.bytes + "}");
    return query;
}

bool PxServerStore::DeleteAttribute(std::int64_t oid, const std::string& name)
{
    return PxPgConnection::Query(*m_db, "DELETE FROM px_attribute WHERE oid = $1 AND name = $2", pxwhat::Write)
               .Bind(oid)
               .Bind(name)
               .Run()
               .Changed() > 0;
}

std::optional<std::int64_t> PxServerStore::NextEdition(std::int64_t oid)
{
    PxPgRows rows = PxPgConnection::Query(*m_db,
                                          "UPDATE px_object SET edition = edition + 1 WHERE oid = $1 AND present"
                                          " RETURNING edition",
                                          pxwhat::Write)
                        .Bind(oid)
                        .Run();
    if (!rows.Count())
        return std::nullopt;
    return rows.Int(0, 0);
}

std::unordered_map<std::int64_t, std::int64_t> PxServerStore::NextEditions(const std::vector<std::int64_t>& oids)
{
    return EditionsOf(*m_db,
                      "UPDATE px_object SET edition = edition + 1 WHERE oid = ANY($1::bigint[]) AND present"
                      " RETURNING oid, edition",
                      pxwhat::Write, oids);
}

void PxServerStore::CreateObject(std::int64_t oid, const char* className, std::int64_t created)
{
    PxPgConnection::Query(*m_db,
                          "INSERT INTO px_object(oid, class, created, edition, present) VALUES($1, $2, $3, 1, true)",
                          pxwhat::Write)
        .Bind(oid)
        .Bind(className)
        .Bind(created)
        .Run();
}

void PxServerStore::AddMember(std::int64_t owner, const char* role, std::int64_t member, bool owning)
{
    PxPgConnection::Query(*m_db,
                          "INSERT INTO px_member(owner, role, seq, member, owning) VALUES($1, $2,"
                          " coalesce((SELECT max(seq) FROM px_member WHERE owner = $1 AND role = $2), 0) + 1, $3, $4)",
                          pxwhat::Write)
        .Bind(owner)
        .Bind(role)
        .Bind(member)
        .Bind(owning ? "true" : "false")
        .Run();
}

bool PxServerStore::RemoveMember(std::int64_t owner, const char* role, std::int64_t member)
{
    return PxPgConnection::Query(*m_db,
                                 "DELETE FROM px_member WHERE owner = $1 AND role = $2 AND member = $3 AND NOT owning",
                                 pxwhat::Write)
               .Bind(owner)
               .Bind(role)
               .Bind(member)
               .Run()
               .Changed() > 0;
}

namespace {

// The lists asked, each an owner's list of a role ($1 and $2, in pairs), with their members'
// attributes where $3 says so (only the second statement reads them). Each list is looked up
// on its own by its key (LATERAL ... OFFSET 0), its members' objects and attributes by theirs,
// so that however many lists a read asks (a level of the tree), the server finds its rows
// through the indexes whatever its statistics say, one plan serves every run, and it sorts
// nothing: the rows come list by list as the indexes give them, and ReadLists puts them in
// order where they came otherwise. The server holds the lists a statement asks while it runs:
// a read of more than kListsAStatement goes in several statements, all in one round trip, so
// that what it holds stays well within its working memory.
#define PX_LISTS_READ(attributes, attributeJoin)                                                              \
    "SELECT r.*, u.place FROM unnest($1::bigint[], $2::text[], $3::boolean[]) WITH ORDINALITY"                \
    " AS u(owner, role, attributes, place), LATERAL (SELECT o.oid, o.class, o.created, o.edition, m.seq, "    \
    attributes " FROM px_member m JOIN px_object o ON o.oid = m.member" attributeJoin                         \
    " WHERE m.owner = u.owner AND m.role = u.role AND o.present OFFSET 0) r"
constexpr const char* kListsRead = PX_LISTS_READ("NULL::text, NULL::smallint, NULL::bigint, NULL::bytea", "");
constexpr const char* kListsWithAttributesRead =
    PX_LISTS_READ("a.name, a.type, a.number, a.bytes", " LEFT JOIN px_attribute a ON a.oid = o.oid AND u.attributes");
constexpr int kSeqColumn = 4;
constexpr int kPlaceColumn = 9;
constexpr std::size_t kListsAStatement = 10000;

// An array parameter of booleans: {t,f}.
std::string BoolArray(const std::vector<bool>& values)
{
    std::string array = "{";
    for (bool value : values)
        array += std::string(array.size() > 1 ? "," : "") + (value ? "t" : "f");
    return array + "}";
}

// The rows in the order `before` gives: as they came, when the indexes gave them so.
template <class Before>
std::vector<int> RowsInOrder(const PxPgRows& rows, Before before)
{
    std::vector<int> order(static_cast<std::size_t>(rows.Count()));
    std::iota(order.begin(), order.end(), 0);
    if (!std::is_sorted(order.begin(), order.end(), before))
        std::stable_sort(order.begin(), order.end(), before);
    return order;
}

// The statements' rows, all run in one round trip.
std::vector<PxPgRows> RunInOneTrip(PxPgConnection& db, std::vector<PxPgConnection::Query>& statements)
{
    if (statements.size() == 1) {
        std::vector<PxPgRows> answers;
        answers.push_back(statements.front().Run());
        return answers;
    }
    std::vector<PxPgConnection::Query*> trip;
    for (PxPgConnection::Query& statement : statements)
        trip.push_back(&statement);
    return trip.empty() ? std::vector<PxPgRows>() : db.Pipeline(trip);
}

// The rows of a lists read in the order of the lists asked, each list's in its own order.
std::vector<int> InListOrder(const PxPgRows& rows)
{
    return RowsInOrder(rows, [&rows](int left, int right) {
        return std::pair(rows.Int(left, kPlaceColumn), rows.Int(left, kSeqColumn)) <
               std::pair(rows.Int(right, kPlaceColumn), rows.Int(right, kSeqColumn));
    });
}

} // namespace

std::vector<std::vector<PxMemberRead>> PxServerStore::ReadLists(const std::vector<std::int64_t>& owners,
                                                                 const std::vector<std::string>& roles,
                                                                 const std::vector<bool>& withAttributes)
{
    std::vector<PxPgConnection::Query> statements;
    statements.reserve((owners.size() + kListsAStatement - 1) / kListsAStatement);
    for (std::size_t first = 0; first < owners.size(); first += kListsAStatement) {
        const auto part = [&](const auto& all) {
            return std::vector(all.begin() + static_cast<std::ptrdiff_t>(first),
                               all.begin() + static_cast<std::ptrdiff_t>(std::min(first + kListsAStatement, all.size())));
        };
        const std::vector<bool> attributes = part(withAttributes);
        const bool anyAttributes = std::find(attributes.begin(), attributes.end(), true) != attributes.end();
        statements.emplace_back(*m_db, anyAttributes ? kListsWithAttributesRead : kListsRead, pxwhat::Read);
        statements.back().Bind(PxPgArray(part(owners))).Bind(PxPgTextArray(part(roles))).Bind(BoolArray(attributes));
    }
    const std::vector<PxPgRows> answers = RunInOneTrip(*m_db, statements);
    std::vector<std::vector<PxMemberRead>> lists(owners.size());
    for (std::size_t statement = 0; statement < answers.size(); ++statement)
        TakeLists(answers[statement], lists.data() + statement * kListsAStatement);
    return lists;
}

void PxServerStore::TakeLists(const PxPgRows& rows, std::vector<PxMemberRead>* lists)
{
    std::int64_t lastPlace = 0;
    std::int64_t lastSeq = 0;
    for (int row : InListOrder(rows)) {
        const std::int64_t place = rows.Int(row, kPlaceColumn);
        if (place != lastPlace) {
            lastPlace = place;
            lastSeq = 0;
        }
        PxAttributeBuffer& attributes = EntryRead(lists[place - 1], lastSeq, rows.Int(row, kSeqColumn),
                                                  [&] { return ObjectAt(rows, row); });
        if (!rows.IsNull(row, kSeqColumn + 1))
            attributes[rows.Text(row, kSeqColumn + 1)] = ValueAt(rows, row, kSeqColumn + 2);
    }
}

std::vector<std::vector<PxMemberRead>> PxServerStore::ListsOfOwners(const std::vector<std::int64_t>& owners,
                                                                     const char* role, bool withAttributes)
{
    return ReadLists(owners, std::vector<std::string>(owners.size(), role ? role : ""),
                     std::vector<bool>(owners.size(), withAttributes));
}

PxMembersRead PxServerStore::Members(std::int64_t owner, const char* role, bool withAttributes)
{
    NoteRead(owner);
    return {std::move(ListsOfOwners({owner}, role, withAttributes).front()), withAttributes};
}

std::vector<PxMembersRead> PxServerStore::MembersOfLists(std::int64_t owner, const std::vector<PxListAsked>& lists)
{
    if (lists.empty())
        return {};
    NoteRead(owner);
    std::vector<std::string> roles;
    std::vector<bool> withAttributes;
    for (const PxListAsked& list : lists) {
        roles.push_back(list.role);
        withAttributes.push_back(list.withAttributes);
    }
    std::vector<std::vector<PxMemberRead>> read =
        ReadLists(std::vector<std::int64_t>(lists.size(), owner), roles, withAttributes);
    std::vector<PxMembersRead> answers;
    for (std::size_t index = 0; index < lists.size(); ++index)
        answers.push_back({std::move(read[index]), lists[index].withAttributes});
    return answers;
}

std::vector<PxMemberRead> PxServerStore::MembersWithAttributes(std::int64_t owner, const char* role)
{
    return std::move(ListsOfOwners({owner}, role, true).front());
}

std::vector<std::vector<PxMemberRead>> PxServerStore::MembersOfOwners(const std::vector<std::int64_t>& owners,
                                                                       const char* role, bool withAttributes)
{
    NoteReads(owners);
    return ListsOfOwners(owners, role, withAttributes);
}

std::vector<std::vector<std::vector<PxMemberRead>>> PxServerStore::MembersOfRoles(std::vector<PxRoleAsked>& asked)
{
    if (auto ahead = ListsAhead(asked))
        return std::move(*ahead);
    if (asked.size() == 1)
        return {MembersOfOwners(asked.front().owners, asked.front().role.c_str(), asked.front().withAttributes)};
    std::vector<std::int64_t> owners;
    std::vector<std::string> roles;
    std::vector<bool> withAttributes;
    for (const PxRoleAsked& role : asked) {
        owners.insert(owners.end(), role.owners.begin(), role.owners.end());
        roles.insert(roles.end(), role.owners.size(), role.role);
        withAttributes.insert(withAttributes.end(), role.owners.size(), role.withAttributes);
    }
    NoteReads(owners);
    std::vector<std::vector<PxMemberRead>> lists = ReadLists(owners, roles, withAttributes);
    std::vector<std::vector<std::vector<PxMemberRead>>> answers;
    auto list = lists.begin();
    for (const PxRoleAsked& role : asked) {
        const auto end = list + static_cast<std::ptrdiff_t>(role.owners.size());
        answers.emplace_back(std::make_move_iterator(list), std::make_move_iterator(end));
        list = end;
    }
    return answers;
}

namespace {

// The lists of the branches below the owners of $1 (see PxBranchShape: $2 the top role, $3 and
// $4 the roles below in pairs), each entry's member with its attributes, one row each. Every
// list is looked up on its own by its key, as a lists read looks them up, and nothing is sorted.
#define PX_MEMBERS_OF(owner, role)                                                                             \
    "LATERAL (SELECT m.seq, m.member FROM px_member m JOIN px_object o ON o.oid = m.member WHERE m.owner = " owner \
    " AND m.role = " role " AND o.present OFFSET 0) m"
constexpr const char* kBranchesRead =
    "WITH top AS MATERIALIZED (SELECT u.owner, m.seq, m.member FROM unnest($1::bigint[]) AS u(owner), "
    PX_MEMBERS_OF("u.owner", "$2") "), below AS MATERIALIZED (SELECT t.member AS owner, r.role, r.next, m.seq,"
    " m.member FROM top t, unnest($3::text[], $4::text[]) AS r(role, next), " PX_MEMBERS_OF("t.member", "r.role")
    "), entries AS (SELECT owner, $2::text AS role, seq, member FROM top UNION ALL SELECT owner, role, seq, member"
    " FROM below UNION ALL SELECT b.member, b.next, m.seq, m.member FROM below b, " PX_MEMBERS_OF("b.member", "b.next")
    ") SELECT o.oid, o.class, o.created, o.edition, e.owner, e.role, e.seq, a.name, a.type, a.number, a.bytes"
    " FROM entries e, LATERAL (SELECT o.oid, o.class, o.created, o.edition FROM px_object o WHERE o.oid = e.member"
    " OFFSET 0) o LEFT JOIN LATERAL (SELECT a.name, a.type, a.number, a.bytes FROM px_attribute a"
    " WHERE a.oid = o.oid OFFSET 0) a ON true";
#undef PX_MEMBERS_OF
constexpr int kBranchOwnerColumn = 4;

// The entries of a list put in the order of their places in it.
void InSeqOrder(std::vector<PxMemberRead>& entries, const std::vector<std::int64_t>& seqs)
{
    std::vector<std::size_t> order(entries.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](std::size_t left, std::size_t right) { return seqs[left] < seqs[right]; });
    std::vector<PxMemberRead> sorted;
    sorted.reserve(entries.size());
    for (std::size_t index : order)
        sorted.push_back(std::move(entries[index]));
    entries = std::move(sorted);
}

} // namespace

void PxServerStore::AskBranchesAhead(const PxBranchShape& shape, const std::vector<std::vector<std::int64_t>>& chunks)
{
    DropBranchesAhead();
    if (Watching() || chunks.empty())
        return;
    std::vector<std::string> roles;
    std::vector<std::string> next;
    for (const auto& [role, below] : shape.below) {
        roles.push_back(role);
        next.push_back(below);
    }
    std::vector<PxPgConnection::Query> queries;
    for (const std::vector<std::int64_t>& tops : chunks) {
        queries.emplace_back(*m_db, kBranchesRead, pxwhat::Read);
        queries.back().Bind(PxPgArray(tops)).Bind(shape.top).Bind(PxPgTextArray(roles)).Bind(PxPgTextArray(next));
    }
    if (!m_db->SendFlight(std::move(queries)))
        return;
    m_branchShape = shape;
    m_branchesInFlight.assign(chunks.begin(), chunks.end());
}

void PxServerStore::DropBranchesAhead() noexcept
{
    m_db->DropFlight();
    m_branchesInFlight.clear();
    m_listsAhead.clear();
    m_rowsAhead.clear();
}

bool PxServerStore::AllListsAhead(const std::vector<PxRoleAsked>& asked) const
{
    for (const PxRoleAsked& role : asked)
        for (std::int64_t owner : role.owners)
            if (!m_listsAhead.contains({owner, role.role}))
                return false;
    return true;
}

std::optional<std::vector<std::vector<std::vector<PxMemberRead>>>> PxServerStore::ListsAhead(
    std::vector<PxRoleAsked>& asked)
{
    // Another read went to the server meanwhile: what was asked ahead went with it.
    if (!m_db->FlightLeft())
        m_branchesInFlight.clear();
    if (Watching() || (m_listsAhead.empty() && m_branchesInFlight.empty()))
        return std::nullopt;
    if (!AllListsAhead(asked)) {
        const auto chunk = asked.size() == 1 && asked.front().role == m_branchShape.top
                               ? std::find(m_branchesInFlight.begin(), m_branchesInFlight.end(), asked.front().owners)
                               : m_branchesInFlight.end();
        if (chunk == m_branchesInFlight.end())
            return std::nullopt;
        try {
            // The answers of the chunks the reads passed by are forgotten as they come.
            for (std::ptrdiff_t passed = chunk - m_branchesInFlight.begin(); passed > 0; --passed) {
                m_db->TakeFlightAnswer();
                m_branchesInFlight.pop_front();
            }
            TakeBranch(m_db->TakeFlightAnswer(), m_branchesInFlight.front());
            m_branchesInFlight.pop_front();
        } catch (...) {
            DropBranchesAhead();
            throw;
        }
    }
    std::vector<std::vector<std::vector<PxMemberRead>>> answers;
    for (PxRoleAsked& role : asked) {
        std::vector<std::vector<PxMemberRead>>& lists = answers.emplace_back();
        for (std::int64_t owner : role.owners) {
            const auto found = m_listsAhead.find({owner, role.role});
            lists.push_back(std::move(found->second));
            m_listsAhead.erase(found);
        }
        role.withAttributes = true;
    }
    return answers;
}

void PxServerStore::TakeBranch(const PxPgRows& rows, const std::vector<std::int64_t>& tops)
{
    m_listsAhead.clear();
    m_rowsAhead.clear();
    // Each list the branch holds is there, empty until an entry of it comes; the rows of an
    // entry come together, the entries of a list in any order.
    std::map<std::vector<PxMemberRead>*, std::vector<std::int64_t>> seqs;
    const auto listOf = [&](std::int64_t owner, const std::string& role) -> std::vector<PxMemberRead>& {
        return m_listsAhead[{owner, role}];
    };
    for (std::int64_t top : tops)
        listOf(top, m_branchShape.top);
    std::vector<PxMemberRead>* list = nullptr;
    std::int64_t lastOwner = 0;
    std::int64_t lastSeq = 0;
    std::string lastRole;
    for (int row = 0; row < rows.Count(); ++row) {
        const std::int64_t owner = rows.Int(row, kBranchOwnerColumn);
        const std::string_view role = rows.View(row, kBranchOwnerColumn + 1);
        const std::int64_t seq = rows.Int(row, kBranchOwnerColumn + 2);
        const bool newList = !list || owner != lastOwner || role != lastRole;
        if (newList || seq != lastSeq) {
            if (newList) {
                lastRole = role;
                list = &listOf(owner, lastRole);
            }
            list->push_back({ObjectAt(rows, row), {}});
            seqs[list].push_back(seq);
            const std::int64_t member = list->back().row.oid;
            m_rowsAhead.emplace(member, list->back().row);
            // The lists below the member that the branch holds.
            for (const auto& [above, below] : m_branchShape.below)
                if (role == m_branchShape.top)
                    listOf(member, above);
                else if (role == above)
                    listOf(member, below);
            lastOwner = owner;
            lastSeq = seq;
        }
        if (!rows.IsNull(row, kBranchOwnerColumn + 3))
            list->back().attributes[rows.Text(row, kBranchOwnerColumn + 3)] = ValueAt(rows, row, kBranchOwnerColumn + 4);
    }
    for (auto& [entries, order] : seqs)
        if (!std::is_sorted(order.begin(), order.end()))
            InSeqOrder(*entries, order);
}

std::vector<PxObjectRow> PxServerStore::RowsAhead(const std::vector<std::int64_t>& oids) const
{
    std::vector<PxObjectRow> rows;
    for (std::int64_t oid : oids) {
        const auto found = m_rowsAhead.find(oid);
        if (found == m_rowsAhead.end())
            return {};
        rows.push_back(found->second);
    }
    return rows;
}

std::vector<std::vector<PxMemberRead>> PxServerStore::MembersWithAttributesOf(const std::vector<std::int64_t>& owners,
                                                                               const char* role)
{
    return ListsOfOwners(owners, role, true);
}

int PxServerStore::CountMembers(std::int64_t owner, const char* role)
{
    NoteRead(owner);
    return static_cast<int>(
        PxPgConnection::Query(*m_db, "SELECT count(*) FROM px_member WHERE owner = $1 AND role = $2", pxwhat::Read)
            .Bind(owner)
            .Bind(role)
            .Run()
            .Int(0, 0));
}

std::unordered_map<std::int64_t, int> PxServerStore::CountMembersOf(const std::vector<std::int64_t>& owners,
                                                                    const char* role)
{
    NoteReads(owners);
    PxPgRows rows = PxPgConnection::Query(*m_db,
                                          "SELECT owner, count(*) FROM px_member"
                                          " WHERE owner = ANY($1::bigint[]) AND role = $2 GROUP BY owner",
                                          pxwhat::Read)
                        .Bind(PxPgArray(owners))
                        .Bind(role)
                        .Run();
    std::unordered_map<std::int64_t, int> counts;
    for (int row = 0; row < rows.Count(); ++row)
        counts.emplace(rows.Int(row, 0), static_cast<int>(rows.Int(row, 1)));
    return counts;
}

std::optional<PxObjectRow> PxServerStore::FindMember(std::int64_t owner, const char* role, const char* attribute,
                                                     const char* text)
{
    // Which member matches hangs on the list and on every member's attributes.
    NoteRead(owner);
    if (Watching()) {
        PxPgRows members = PxPgConnection::Query(*m_db,
                                                 "SELECT m.member, coalesce(o.edition, 0) FROM px_member m"
                                                 " LEFT JOIN px_object o ON o.oid = m.member"
                                                 " WHERE m.owner = $1 AND m.role = $2",
                                                 pxwhat::Read)
                               .Bind(owner)
                               .Bind(role)
                               .Run();
        for (int row = 0; row < members.Count(); ++row)
            NoteEdition(members.Int(row, 0), members.Int(row, 1));
    }
    PxPgRows rows = PxPgConnection::Query(*m_db,
                                          "SELECT o.oid, o.class, o.created, o.edition FROM px_member m"
                                          " JOIN px_attribute a ON a.oid = m.member AND a.name = $3"
                                          " JOIN px_object o ON o.oid = m.member"
                                          " WHERE m.owner = $1 AND m.role = $2 AND a.type = 2 AND a.bytes = $4"
                                          " AND o.present ORDER BY m.seq LIMIT 1",
                                          pxwhat::Read)
                        .Bind(owner)
                        .Bind(role)
                        .Bind(attribute)
                        .BindBytes(text)
                        .Run();
    if (!rows.Count())
        return std::nullopt;
    return ObjectAt(rows, 0);
}

std::optional<PxObjectRow> PxServerStore::Owner(std::int64_t member)
{
    NoteRead(member);
    PxPgRows rows = PxPgConnection::Query(*m_db,
                                          "SELECT o.oid, o.class, o.created, o.edition, o.present::int FROM px_member m"
                                          " JOIN px_object o ON o.oid = m.owner WHERE m.member = $1 AND m.owning LIMIT 1",
                                          pxwhat::Read)
                        .Bind(member)
                        .Run();
    if (!rows.Count())
        return std::nullopt;
    return StoredObjectAt(rows, 0);
}

PxStore::Deletion PxServerStore::Delete(std::int64_t oid) { return DeleteAll({oid}); }

PxStore::Deletion PxServerStore::DeleteAll(const std::vector<std::int64_t>& oids)
{
    if (oids.empty())
        return {};
    using Query = PxPgConnection::Query;
    // Every statement of a deletion looks its rows up by key, one object at a time (LATERAL
    // ... OFFSET 0), so that it costs with the objects it names, not with the members stored;
    // the keys' statistics (kSchema) keep each lookup on its index, so one plan serves every run.
    Query closure(*m_db,
                  "WITH RECURSIVE owned(oid) AS (SELECT unnest($1::bigint[]) UNION SELECT m.member FROM owned,"
                  " LATERAL (SELECT m.member FROM px_member m WHERE m.owner = owned.oid AND m.owning OFFSET 0) m)"
                  " SELECT oid FROM owned",
                  pxwhat::Write);
    closure.Bind(PxPgArray(oids));
    const PxPgRows owned = closure.Run();
    Deletion deletion;
    for (int row = 0; row < owned.Count(); ++row)
        deletion.deleted.push_back(owned.Int(row, 0));
    const std::string gone = PxPgArray(deletion.deleted);
    Query owners(*m_db,
                 "SELECT DISTINCT m.owner FROM unnest($1::bigint[]) AS u(oid),"
                 " LATERAL (SELECT m.owner FROM px_member m WHERE m.member = u.oid OFFSET 0) m",
                 pxwhat::Write);
    Query objects(*m_db, "UPDATE px_object SET present = false, edition = edition + 1 WHERE oid = ANY($1::bigint[])",
                  pxwhat::Write);
    Query attributes(*m_db, "DELETE FROM px_attribute WHERE ctid = ANY(" PX_ROWS_BY_KEY("px_attribute", "oid") ")",
                     pxwhat::Write);
    Query members(*m_db,
                  "DELETE FROM px_member WHERE ctid = ANY(" PX_ROWS_BY_KEY("px_member", "member") " || "
                  PX_ROWS_BY_KEY("px_member", "owner") ")",
                  pxwhat::Write);
    for (Query* query : {&owners, &objects, &attributes, &members})
        query->Bind(gone);
    const PxPgRows changed = std::move(m_db->Pipeline({&owners, &objects, &attributes, &members})[0]);
    for (int row = 0; row < changed.Count(); ++row)
        deletion.listsChanged.push_back(changed.Int(row, 0));
    Settle(deletion);
    return deletion;
}

namespace {

// The objects asked, with their attributes, and the entries of their lists, each object's
// looked up on its own by its key as a lists read looks up its lists (kListsRead): the server
// sorts nothing, and ContentsOf takes the rows in order. The last column is the object's place
// among those asked.
constexpr const char* kObjectsRead =
    "SELECT r.*, k.place FROM unnest($1::bigint[]) WITH ORDINALITY AS k(oid, place),"
    " LATERAL (SELECT o.oid, o.class, a.name, a.type, a.number, a.bytes FROM px_object o"
    " LEFT JOIN px_attribute a ON a.oid = o.oid WHERE o.oid = k.oid OFFSET 0) r";
constexpr const char* kEntriesRead =
    "SELECT e.*, k.place FROM unnest($1::bigint[]) WITH ORDINALITY AS k(oid, place),"
    " LATERAL (SELECT m.owner, m.role, m.member, m.owning::int, o.class, m.seq FROM px_object w"
    " JOIN px_member m ON m.owner = w.oid LEFT JOIN px_object o ON o.oid = m.member WHERE w.oid = k.oid OFFSET 0) e";

} // namespace

PxStoreContents PxServerStore::ContentsOf(const std::vector<std::int64_t>& oids)
{
    const std::string list = PxPgArray(oids);
    PxPgConnection::Query objectsRead(*m_db, kObjectsRead, pxwhat::Read);
    objectsRead.Bind(list);
    PxPgConnection::Query entriesRead(*m_db, kEntriesRead, pxwhat::Read);
    entriesRead.Bind(list);
    // The objects and their entries in one round trip.
    const std::vector<PxPgRows> read = m_db->Pipeline({&objectsRead, &entriesRead});
    const PxPgRows& objects = read[0];
    const PxPgRows& entries = read[1];
    PxStoreContents contents;
    // Each object's attributes in the order of their names, its entries by role and place.
    for (int row : RowsInOrder(objects, [&objects](int left, int right) {
             return std::pair(objects.Int(left, 6), objects.View(left, 2)) <
                    std::pair(objects.Int(right, 6), objects.View(right, 2));
         })) {
        PxObjectContents& object = contents[objects.Int(row, 0)];
        object.className = objects.Text(row, 1);
        if (!objects.IsNull(row, 2))
            object.attributes.emplace_back(objects.Text(row, 2), ValueAt(objects, row, 3));
    }
    for (int row : RowsInOrder(entries, [&entries](int left, int right) {
             return std::tuple(entries.Int(left, 6), entries.View(left, 1), entries.Int(left, 5)) <
                    std::tuple(entries.Int(right, 6), entries.View(right, 1), entries.Int(right, 5));
         }))
        contents[entries.Int(row, 0)].entries.push_back({entries.Text(row, 1), entries.Int(row, 2),
                                                         entries.Int(row, 3) != 0,
                                                         entries.IsNull(row, 4) ? "?" : entries.Text(row, 4)});
    return contents;
}
