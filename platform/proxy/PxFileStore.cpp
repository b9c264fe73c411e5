#include "proxy/PxFileStore.h"

#include "proxy/PxException.h"
#include "win/Clock.h"

#include <sqlite3.h>

#include <filesystem>

namespace {

constexpr const char* kFormat = "vq-repository-1";
constexpr const char* kRootClasses[] = {"PxVQEnterprise", "PxLSEEnterprise"};

bool IsMemory(const std::string& path) { return path == ":memory:"; }

} // namespace

PxFileStore::PxFileStore(const std::string& path, PxAccess access) : m_db(path, IsMemory(path), access)
{
    if (IsMemory(path)) {
        CreateSchema(m_db);
        return;
    }
    m_db.SetBusyTimeout(5000);
    CheckFormat();
    if (access == PxAccess::ReadOnly)
        return;
    m_db.ExecuteAsItOpens("PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL;", pxwhat::Read);
}

void PxFileStore::Create(const std::string& path)
{
    if (!IsMemory(path) && std::filesystem::exists(path))
        PX_THROW("Cannot create the repository %1: the file exists already.", path.c_str());
    PxDatabase db(path, true);
    db.Execute("PRAGMA journal_mode=WAL;", pxwhat::Write);
    CreateSchema(db);
}

void PxFileStore::CreateSchema(PxDatabase& db)
{
    db.Execute("BEGIN IMMEDIATE;"
               "CREATE TABLE px_meta(key TEXT PRIMARY KEY, value) WITHOUT ROWID;"
               "CREATE TABLE px_object(oid INTEGER PRIMARY KEY, class TEXT NOT NULL, created INTEGER NOT NULL,"
               " edition INTEGER NOT NULL, present INTEGER NOT NULL);"
               "CREATE TABLE px_attribute(oid INTEGER NOT NULL, name TEXT NOT NULL, value,"
               " PRIMARY KEY(oid, name)) WITHOUT ROWID;"
               "CREATE TABLE px_member(owner INTEGER NOT NULL, role TEXT NOT NULL, seq INTEGER NOT NULL,"
               " member INTEGER NOT NULL, owning INTEGER NOT NULL, PRIMARY KEY(owner, role, seq)) WITHOUT ROWID;"
               "CREATE INDEX px_member_of ON px_member(member);",
               pxwhat::Write);
    {
        PxQuery format(db, "INSERT INTO px_meta(key, value) VALUES('format', ?1)", pxwhat::Write);
        format.Bind(1, kFormat).Run();
    }
    for (const char* className : kRootClasses) {
        PxQuery root(db, "INSERT INTO px_object(class, created, edition, present) VALUES(?1, ?2, 1, 1)",
                     pxwhat::Write);
        root.Bind(1, className).Bind(2, _time64(nullptr)).Run();
        PxQuery meta(db, "INSERT INTO px_meta(key, value) VALUES('root.' || ?1, ?2)", pxwhat::Write);
        meta.Bind(1, className).Bind(2, db.LastInsertId()).Run();
    }
    db.Execute("COMMIT", pxwhat::Write);
}

void PxFileStore::CheckFormat()
{
    PxQuery tables(m_db, "SELECT count(*) FROM sqlite_schema WHERE name = 'px_meta'", pxwhat::Open);
    if (!tables.Step() || tables.Int(0) == 0)
        m_db.Fail(SQLITE_NOTADB, pxwhat::Open);
    PxQuery format(m_db, "SELECT value FROM px_meta WHERE key = 'format'", pxwhat::Open);
    if (!format.Step() || format.Text(0) != kFormat)
        m_db.Fail(SQLITE_NOTADB, pxwhat::Open);
}

void PxFileStore::Begin()
{
    m_lastSeqs.clear();
    m_db.Execute("BEGIN IMMEDIATE", pxwhat::Write);
}

void PxFileStore::Commit(std::int64_t)
{
    m_lastSeqs.clear();
    m_db.Execute("COMMIT", pxwhat::Commit);
}

void PxFileStore::Rollback()
{
    m_lastSeqs.clear();
    m_db.Execute("ROLLBACK", pxwhat::Abort);
}

void PxFileStore::Savepoint() { m_db.Execute("SAVEPOINT px_step", pxwhat::Write); }

void PxFileStore::RollbackToSavepoint()
{
    m_lastSeqs.clear();
    m_db.Execute("ROLLBACK TO px_step; RELEASE px_step", pxwhat::Write);
}

void PxFileStore::ReleaseSavepoint() { m_db.Execute("RELEASE px_step", pxwhat::Write); }

void PxFileStore::BeginReading()
{
    m_reading = !m_db.InTransaction();
    if (m_reading)
        m_db.Execute("BEGIN", pxwhat::Begin);
}

void PxFileStore::EndReading() noexcept
{
    if (m_reading && m_db.InTransaction())
        sqlite3_exec(m_db.Handle(), "COMMIT", nullptr, nullptr, nullptr);
    m_reading = false;
}

void PxFileStore::RollbackQuietly() noexcept
{
    m_lastSeqs.clear();
    if (m_db.InTransaction())
        sqlite3_exec(m_db.Handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

std::int64_t PxFileStore::StoredEdition(std::int64_t oid)
{
    // A deletion steps the edition too; an object not stored yet has none (0).
    PxQuery query(m_db, "SELECT edition FROM px_object WHERE oid = ?1", pxwhat::Read);
    return query.Bind(1, oid).Step() ? query.Int(0) : 0;
}

std::unordered_map<std::int64_t, std::int64_t> PxFileStore::StoredEditions(const std::vector<std::int64_t>& oids)
{
    PxQuery query(m_db, "SELECT oid, edition FROM px_object WHERE oid IN (SELECT value FROM json_each(?1))",
                  pxwhat::Read);
    query.Bind(1, PxJsonList(oids));
    std::unordered_map<std::int64_t, std::int64_t> editions;
    while (query.Step())
        editions.emplace(query.Int(0), query.Int(1));
    return editions;
}

std::optional<PxObjectRow> PxFileStore::Row(std::int64_t oid)
{
    PxQuery query(m_db, "SELECT class, created, edition, present FROM px_object WHERE oid = ?1", pxwhat::Read);
    if (!query.Bind(1, oid).Step())
        return std::nullopt;
    return PxObjectRow{oid, query.Text(0), query.Int(1), query.Int(2), query.Int(3) != 0};
}

// Many reads in one read transaction of the file (none of their own inside a transaction of
// the session): the file's state is looked at once, not once a read.
std::vector<PxObjectRow> PxFileStore::Rows(const std::vector<std::int64_t>& oids)
{
    const PxStoreReading reading(*this);
    std::vector<PxObjectRow> rows;
    for (std::int64_t oid : oids)
        if (std::optional<PxObjectRow> row = Row(oid))
            rows.push_back(std::move(*row));
    return rows;
}

bool PxFileStore::Present(std::int64_t oid)
{
    NoteRead(oid);
    PxQuery query(m_db, "SELECT present FROM px_object WHERE oid = ?1", pxwhat::Read);
    return query.Bind(1, oid).Step() && query.Int(0) != 0;
}

std::optional<std::int64_t> PxFileStore::Edition(std::int64_t oid)
{
    NoteRead(oid);
    PxQuery query(m_db, "SELECT edition FROM px_object WHERE oid = ?1 AND present", pxwhat::Read);
    if (!query.Bind(1, oid).Step())
        return std::nullopt;
    return query.Int(0);
}

std::int64_t PxFileStore::Root(const char* className)
{
    PxQuery query(m_db, "SELECT value FROM px_meta WHERE key = 'root.' || ?1", pxwhat::Read);
    if (!query.Bind(1, className).Step())
        m_db.Fail(SQLITE_NOTADB, pxwhat::Read);
    return query.Int(0);
}

std::int64_t PxFileStore::LastOid()
{
    PxQuery query(m_db, "SELECT coalesce(max(oid), 0) FROM px_object", pxwhat::Read);
    query.Step();
    return query.Int(0);
}

bool PxFileStore::LoadAttributes(std::int64_t oid, PxAttributeBuffer& attributes)
{
    NoteRead(oid);
    PxQuery query(m_db,
                  "SELECT a.name, a.value FROM px_object o LEFT JOIN px_attribute a ON a.oid = o.oid"
                  " WHERE o.oid = ?1 AND o.present",
                  pxwhat::Read);
    query.Bind(1, oid);
    bool present = false;
    while (query.Step()) {
        present = true;
        if (!query.IsNull(0))
            attributes[query.Text(0)] = query.Value(1);
    }
    return present;
}

std::unordered_map<std::int64_t, PxValue> PxFileStore::AttributeOfEach(const std::vector<std::int64_t>& oids,
                                                                        const std::string& name)
{
    const PxStoreReading reading(*this);
    std::unordered_map<std::int64_t, PxValue> values;
    for (std::int64_t oid : oids) {
        PxQuery query(m_db,
                      "SELECT o.edition, o.present, a.value FROM px_object o"
                      " LEFT JOIN px_attribute a ON a.oid = o.oid AND a.name = ?2 WHERE o.oid = ?1",
                      pxwhat::Read);
        if (!query.Bind(1, oid).Bind(2, name).Step()) {
            // An object never stored has no edition.
            NoteEdition(oid, 0);
            continue;
        }
        NoteEdition(oid, query.Int(0));
        if (query.Int(1))
            values.emplace(oid, query.IsNull(2) ? PxValue() : query.Value(2));
    }
    return values;
}

void PxFileStore::WriteAttribute(std::int64_t oid, const std::string& name, const PxValue& value)
{
    PxQuery query(m_db, "REPLACE INTO px_attribute(oid, name, value) VALUES(?1, ?2, ?3)", pxwhat::Write);
    query.Bind(1, oid).Bind(2, name).Bind(3, value).Run();
}

bool PxFileStore::DeleteAttribute(std::int64_t oid, const std::string& name)
{
    PxQuery query(m_db, "DELETE FROM px_attribute WHERE oid = ?1 AND name = ?2", pxwhat::Write);
    query.Bind(1, oid).Bind(2, name).Run();
    return m_db.Changes() > 0;
}

std::optional<std::int64_t> PxFileStore::NextEdition(std::int64_t oid)
{
    // No RETURNING: it gathers its rows in a temporary table of their own at every run, which
    // costs a fill of a bundle more than its inserts do. The write transaction holds the row.
    if (StepEdition(oid, std::nullopt) == EditionStep::Gone)
        return std::nullopt;
    PxQuery query(m_db, "SELECT edition FROM px_object WHERE oid = ?1", pxwhat::Write);
    query.Bind(1, oid).Step();
    return query.Int(0);
}

PxStore::EditionStep PxFileStore::StepEdition(std::int64_t oid, std::optional<std::int64_t> expected)
{
    if (expected) {
        PxQuery step(m_db, "UPDATE px_object SET edition = edition + 1 WHERE oid = ?1 AND present AND edition = ?2",
                     pxwhat::Write);
        step.Bind(1, oid).Bind(2, *expected).Run();
        if (m_db.Changes() > 0)
            return EditionStep::SteppedFromExpected;
    }
    PxQuery step(m_db, "UPDATE px_object SET edition = edition + 1 WHERE oid = ?1 AND present", pxwhat::Write);
    step.Bind(1, oid).Run();
    return m_db.Changes() > 0 ? EditionStep::Stepped : EditionStep::Gone;
}

void PxFileStore::CreateObject(std::int64_t oid, const char* className, std::int64_t created)
{
    PxQuery query(m_db, "INSERT INTO px_object(oid, class, created, edition, present) VALUES(?1, ?2, ?3, 1, 1)",
                  pxwhat::Write);
    query.Bind(1, oid).Bind(2, className).Bind(3, created).Run();
}

void PxFileStore::AddMember(std::int64_t owner, const char* role, std::int64_t member, bool owning)
{
    // The write transaction holds the file, so a list this transaction added to ends where it
    // left it (or earlier, after a removal): a list filled in a loop asks for its end once.
    ListKey list{owner, role ? role : ""};
    auto last = m_lastSeqs.find(list);
    const std::int64_t seq = last != m_lastSeqs.end() ? last->second + 1 : LastSeq(owner, list.role) + 1;
    PxQuery query(m_db, "INSERT INTO px_member(owner, role, seq, member, owning) VALUES(?1, ?2, ?3, ?4, ?5)",
                  pxwhat::Write);
    query.Bind(1, owner).Bind(2, list.role).Bind(3, seq).Bind(4, member).Bind(5, owning ? 1 : 0).Run();
    if (last != m_lastSeqs.end())
        last->second = seq;
    else
        m_lastSeqs.emplace(std::move(list), seq);
}

std::int64_t PxFileStore::LastSeq(std::int64_t owner, const std::string& role)
{
    PxQuery query(m_db, "SELECT coalesce(max(seq), 0) FROM px_member WHERE owner = ?1 AND role = ?2",
                  pxwhat::Write);
    query.Bind(1, owner).Bind(2, role).Step();
    return query.Int(0);
}

bool PxFileStore::RemoveMember(std::int64_t owner, const char* role, std::int64_t member)
{
    PxQuery query(m_db, "DELETE FROM px_member WHERE owner = ?1 AND role = ?2 AND member = ?3 AND NOT owning",
                  pxwhat::Write);
    query.Bind(1, owner).Bind(2, role).Bind(3, member).Run();
    return m_db.Changes() > 0;
}

PxMembersRead PxFileStore::Members(std::int64_t owner, const char* role, bool withAttributes)
{
    NoteRead(owner);
    if (withAttributes)
        return {MembersWithAttributes(owner, role), true};
    PxQuery query(m_db,
                  "SELECT o.oid, o.class, o.created, o.edition FROM px_member m JOIN px_object o ON o.oid = m.member"
                  " WHERE m.owner = ?1 AND m.role = ?2 AND o.present ORDER BY m.seq",
                  pxwhat::Read);
    query.Bind(1, owner).Bind(2, role);
    PxMembersRead read{{}, false};
    while (query.Step())
        read.members.push_back({{query.Int(0), query.Text(1), query.Int(2), query.Int(3)}, {}});
    return read;
}

std::vector<PxMemberRead> PxFileStore::MembersWithAttributes(std::int64_t owner, const char* role)
{
    PxQuery query(m_db,
                  "SELECT o.oid, o.class, o.created, o.edition, m.seq, a.name, a.value FROM px_member m"
                  " JOIN px_object o ON o.oid = m.member LEFT JOIN px_attribute a ON a.oid = o.oid"
                  " WHERE m.owner = ?1 AND m.role = ?2 AND o.present ORDER BY m.seq",
                  pxwhat::Read);
    query.Bind(1, owner).Bind(2, role);
    std::vector<PxMemberRead> reads;
    std::int64_t lastSeq = 0;
    while (query.Step()) {
        PxAttributeBuffer& attributes =
            EntryRead(reads, lastSeq, query.Int(4), [&] {
                return PxObjectRow{query.Int(0), query.Text(1), query.Int(2), query.Int(3)};
            });
        if (!query.IsNull(5))
            attributes[query.Text(5)] = query.Value(6);
    }
    return reads;
}

std::vector<std::vector<PxMemberRead>> PxFileStore::MembersOfOwners(const std::vector<std::int64_t>& owners,
                                                                     const char* role, bool withAttributes)
{
    const PxStoreReading reading(*this);
    return PxStore::MembersOfOwners(owners, role, withAttributes);
}

std::vector<std::vector<PxMemberRead>> PxFileStore::MembersWithAttributesOf(const std::vector<std::int64_t>& owners,
                                                                             const char* role)
{
    const PxStoreReading reading(*this);
    return PxStore::MembersWithAttributesOf(owners, role);
}

int PxFileStore::CountMembers(std::int64_t owner, const char* role)
{
    NoteRead(owner);
    PxQuery query(m_db, "SELECT count(*) FROM px_member WHERE owner = ?1 AND role = ?2", pxwhat::Read);
    query.Bind(1, owner).Bind(2, role).Step();
    return static_cast<int>(query.Int(0));
}

std::optional<PxObjectRow> PxFileStore::FindMember(std::int64_t owner, const char* role, const char* attribute,
                                               const char* text)
{
    // Which member matches hangs on the list and on every member's attributes.
    NoteRead(owner);
    if (Watching()) {
        PxQuery members(m_db, "SELECT member FROM px_member WHERE owner = ?1 AND role = ?2", pxwhat::Read);
        members.Bind(1, owner).Bind(2, role);
        while (members.Step())
            NoteRead(members.Int(0));
    }
    PxQuery query(m_db,
                  "SELECT o.oid, o.class, o.created, o.edition FROM px_member m"
                  " JOIN px_attribute a ON a.oid = m.member AND a.name = ?3"
                  " JOIN px_object o ON o.oid = m.member"
                  " WHERE m.owner = ?1 AND m.role = ?2 AND a.value = ?4 AND o.present ORDER BY m.seq LIMIT 1",
                  pxwhat::Read);
    if (!query.Bind(1, owner).Bind(2, role).Bind(3, attribute).Bind(4, text).Step())
        return std::nullopt;
    return PxObjectRow{query.Int(0), query.Text(1), query.Int(2), query.Int(3)};
}

std::optional<PxObjectRow> PxFileStore::Owner(std::int64_t member)
{
    NoteRead(member);
    PxQuery query(m_db,
                  "SELECT o.oid, o.class, o.created, o.edition, o.present FROM px_member m"
                  " JOIN px_object o ON o.oid = m.owner WHERE m.member = ?1 AND m.owning LIMIT 1",
                  pxwhat::Read);
    if (!query.Bind(1, member).Step())
        return std::nullopt;
    return PxObjectRow{query.Int(0), query.Text(1), query.Int(2), query.Int(3), query.Int(4) != 0};
}

PxFileStore::Deletion PxFileStore::Delete(std::int64_t oid)
{
    Deletion deletion;
    {
        PxQuery owned(m_db,
                      "WITH RECURSIVE owned(oid) AS (SELECT ?1 UNION SELECT m.member FROM px_member m"
                      " JOIN owned ON m.owner = owned.oid WHERE m.owning) SELECT oid FROM owned",
                      pxwhat::Write);
        owned.Bind(1, oid);
        while (owned.Step())
            deletion.deleted.push_back(owned.Int(0));
    }
    for (std::int64_t gone : deletion.deleted) {
        {
            PxQuery owners(m_db, "SELECT DISTINCT owner FROM px_member WHERE member = ?1", pxwhat::Write);
            owners.Bind(1, gone);
            while (owners.Step())
                deletion.listsChanged.push_back(owners.Int(0));
        }
        PxQuery tombstone(m_db, "UPDATE px_object SET present = 0, edition = edition + 1 WHERE oid = ?1",
                          pxwhat::Write);
        tombstone.Bind(1, gone).Run();
        PxQuery attributes(m_db, "DELETE FROM px_attribute WHERE oid = ?1", pxwhat::Write);
        attributes.Bind(1, gone).Run();
        PxQuery links(m_db, "DELETE FROM px_member WHERE member = ?1 OR owner = ?1", pxwhat::Write);
        links.Bind(1, gone).Run();
    }
    Settle(deletion);
    return deletion;
}

PxStoreContents PxFileStore::ContentsOf(const std::vector<std::int64_t>& oids)
{
    const std::string list = PxJsonList(oids);
    PxStoreContents contents;
    PxQuery objects(m_db,
                    "SELECT o.oid, o.class, a.name, a.value FROM px_object o LEFT JOIN px_attribute a ON a.oid = o.oid"
                    " WHERE o.oid IN (SELECT value FROM json_each(?1)) ORDER BY o.oid, a.name",
                    pxwhat::Read);
    objects.Bind(1, list);
    while (objects.Step()) {
        PxObjectContents& object = contents[objects.Int(0)];
        object.className = objects.Text(1);
        if (!objects.IsNull(2))
            object.attributes.emplace_back(objects.Text(2), objects.Value(3));
    }
    PxQuery entries(m_db,
                    "SELECT m.owner, m.role, m.member, m.owning, o.class FROM px_member m"
                    " LEFT JOIN px_object o ON o.oid = m.member JOIN px_object w ON w.oid = m.owner"
                    " WHERE m.owner IN (SELECT value FROM json_each(?1))"
                    " ORDER BY m.owner, m.role, m.seq",
                    pxwhat::Read);
    entries.Bind(1, list);
    while (entries.Step())
        contents[entries.Int(0)].entries.push_back({entries.Text(1), entries.Int(2), entries.Int(3) != 0,
                                                    entries.IsNull(4) ? "?" : entries.Text(4)});
    return contents;
}
