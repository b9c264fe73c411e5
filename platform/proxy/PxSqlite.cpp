#include "proxy/PxSqlite.h"

#include "proxy/PxException.h"

#include <sqlite3.h>

#include <charconv>
#include <cstring>
#include <thread>

namespace {

bool IsBusy(int resultCode) { return (resultCode & 0xFF) == SQLITE_BUSY || (resultCode & 0xFF) == SQLITE_LOCKED; }

} // namespace

const char* PxStoreErrorReason(int resultCode)
{
    if (IsBusy(resultCode))
        return "the repository is in use by another session; try again later.";
    switch (resultCode & 0xFF) {
    case SQLITE_FULL:
        return "the disk is full.";
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return "the file is damaged or is not a repository.";
    case SQLITE_CANTOPEN:
        return "the file cannot be opened.";
    case SQLITE_READONLY:
        return "the file can only be read.";
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return "access to the file is not allowed.";
    case SQLITE_IOERR:
        return "reading or writing the file failed.";
    case SQLITE_NOMEM:
        return "there is not enough memory.";
    default:
        return sqlite3_errstr(resultCode);
    }
}

std::string PxJsonList(const std::int64_t* oids, std::size_t count)
{
    std::string list = "[";
    list.reserve(count * 8 + 2);
    char digits[24];
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0)
            list += ',';
        list.append(digits, std::to_chars(digits, digits + sizeof digits, oids[i]).ptr);
    }
    list += ']';
    return list;
}

PxDatabase::PxDatabase(const std::string& path, bool create, PxAccess access) : m_path(path)
{
    // A reader opens for writing where the file allows it and then refuses every write:
    // SQLite removes the log and shared-memory files it made beside the file only when the
    // last connection to close could write. A file the user can only read opens read only.
    int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX | (create ? SQLITE_OPEN_CREATE : 0);
    int rc = sqlite3_open_v2(path.c_str(), &m_db, flags, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_close(m_db);
        m_db = nullptr;
        throw PxException(__FILE__, __LINE__, pxwhat::Open, path.c_str(), PxStoreErrorReason(rc));
    }
    sqlite3_extended_result_codes(m_db, 1);
    if (access == PxAccess::ReadOnly)
        Execute("PRAGMA query_only=1;", pxwhat::Open);
}

PxDatabase::~PxDatabase()
{
    for (auto& [sql, statement] : m_statements)
        sqlite3_finalize(statement);
    sqlite3_close(m_db);
}

void PxDatabase::Execute(const char* sql, const char* what)
{
    int rc = sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        Fail(rc, what);
}

void PxDatabase::ExecuteAsItOpens(const char* sql, const char* what)
{
    // Busy answers SQLite gives without asking the busy handler (the log changing hands as
    // another connection opens the file first or closes it last) are waited out here alike.
    for (int count = 0;; ++count) {
        const int rc = sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr);
        if (rc == SQLITE_OK)
            return;
        if ((rc & 0xFF) != SQLITE_BUSY || InTransaction() || !OnBusy(this, count))
            Fail(rc, what);
    }
}

void PxDatabase::SetBusyTimeout(int milliseconds)
{
    m_busyTimeout = milliseconds;
    sqlite3_busy_handler(m_db, milliseconds > 0 ? &PxDatabase::OnBusy : nullptr, this);
}

int PxDatabase::OnBusy(void* database, int count)
{
    auto* self = static_cast<PxDatabase*>(database);
    auto now = std::chrono::steady_clock::now();
    if (count == 0)
        self->m_busySince = now;
    if (now - self->m_busySince >= std::chrono::milliseconds(self->m_busyTimeout))
        return 0;
    if (count < 8) {
        std::this_thread::yield();
        return 1;
    }
    int pause = count < 24 ? 50 : count < 56 ? 250 : 1000;
    std::this_thread::sleep_for(std::chrono::microseconds(pause));
    return 1;
}

bool PxDatabase::InTransaction() const { return sqlite3_get_autocommit(m_db) == 0; }

std::int64_t PxDatabase::LastInsertId() const { return sqlite3_last_insert_rowid(m_db); }

int PxDatabase::Changes() const { return sqlite3_changes(m_db); }

void PxDatabase::Fail(int resultCode, const char* what) const
{
    if (std::strstr(what, "%2"))
        throw PxException(__FILE__, __LINE__, what, m_path.c_str(), PxStoreErrorReason(resultCode))
            .MarkingStoreBusy(IsBusy(resultCode));
    throw PxException(__FILE__, __LINE__, what, PxStoreErrorReason(resultCode)).MarkingStoreBusy(IsBusy(resultCode));
}

sqlite3_stmt* PxDatabase::Prepared(const char* sql, const char* what)
{
    auto found = m_statements.find(sql);
    if (found != m_statements.end())
        return found->second;
    sqlite3_stmt* statement = nullptr;
    int rc = sqlite3_prepare_v3(m_db, sql, -1, SQLITE_PREPARE_PERSISTENT, &statement, nullptr);
    if (rc != SQLITE_OK)
        Fail(rc, what);
    m_statements.emplace(sql, statement);
    return statement;
}

PxQuery::PxQuery(PxDatabase& db, const char* sql, const char* what)
    : m_db(db), m_statement(db.Prepared(sql, what)), m_what(what)
{
}

PxQuery::~PxQuery()
{
    sqlite3_reset(m_statement);
    sqlite3_clear_bindings(m_statement);
}

PxQuery& PxQuery::Bind(int index, std::int64_t value)
{
    sqlite3_bind_int64(m_statement, index, value);
    return *this;
}

PxQuery& PxQuery::Bind(int index, const char* text)
{
    sqlite3_bind_text(m_statement, index, text ? text : "", -1, SQLITE_TRANSIENT);
    return *this;
}

PxQuery& PxQuery::Bind(int index, const std::string& text)
{
    sqlite3_bind_text(m_statement, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
    return *this;
}

PxQuery& PxQuery::Bind(int index, const PxValue& value)
{
    switch (value.type) {
    case PxValue::Null:
        sqlite3_bind_null(m_statement, index);
        break;
    case PxValue::Int:
        sqlite3_bind_int64(m_statement, index, value.number);
        break;
    case PxValue::Text:
        Bind(index, value.bytes);
        break;
    case PxValue::Blob:
        sqlite3_bind_blob(m_statement, index, value.bytes.data(), static_cast<int>(value.bytes.size()),
                          SQLITE_TRANSIENT);
        break;
    }
    return *this;
}

bool PxQuery::Step()
{
    int rc = sqlite3_step(m_statement);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    sqlite3_reset(m_statement);
    m_db.Fail(rc, m_what);
}

void PxQuery::Run()
{
    while (Step()) {
    }
}

void PxQuery::Reset() { sqlite3_reset(m_statement); }

std::int64_t PxQuery::Int(int column) const { return sqlite3_column_int64(m_statement, column); }

std::string PxQuery::Text(int column) const
{
    const unsigned char* text = sqlite3_column_text(m_statement, column);
    int size = sqlite3_column_bytes(m_statement, column);
    return text ? std::string(reinterpret_cast<const char*>(text), static_cast<std::size_t>(size)) : std::string();
}

PxValue PxQuery::Value(int column) const
{
    switch (sqlite3_column_type(m_statement, column)) {
    case SQLITE_INTEGER:
        return PxValue::OfInt(Int(column));
    case SQLITE_TEXT:
        return PxValue::OfText(Text(column));
    case SQLITE_BLOB: {
        const void* data = sqlite3_column_blob(m_statement, column);
        int size = sqlite3_column_bytes(m_statement, column);
        return PxValue::OfBlob(data ? std::string(static_cast<const char*>(data), static_cast<std::size_t>(size))
                                    : std::string());
    }
    default:
        return PxValue();
    }
}

bool PxQuery::IsNull(int column) const { return sqlite3_column_type(m_statement, column) == SQLITE_NULL; }
