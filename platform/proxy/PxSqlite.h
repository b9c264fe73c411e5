// Internal: a thin layer over SQLite. Every failure becomes a PxException with a text a
// user can read ("Cannot read the repository: the file is damaged or is not a repository.").
#pragma once

#include "proxy/PxStore.h"
#include "proxy/PxValue.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

// What a failing call was doing: the exception's text, with the reason as its last insert
// (a text with two inserts names the file first).
namespace pxwhat {
inline constexpr const char* Open = "Cannot open the repository %1: %2";
inline constexpr const char* Read = "Cannot read the repository: %1";
inline constexpr const char* Write = "Cannot change the repository: %1";
inline constexpr const char* Begin = "Cannot begin a repository transaction: %1";
inline constexpr const char* Commit = "Cannot commit the repository transaction: %1";
inline constexpr const char* Abort = "Cannot abort the repository transaction: %1";
inline constexpr const char* Lock = "Cannot reach the repository's locks: %1";
} // namespace pxwhat

// The reason for a SQLite result code, as the end of a sentence.
const char* PxStoreErrorReason(int resultCode);

// Object ids as a JSON array, for a statement that reads them with json_each.
std::string PxJsonList(const std::int64_t* oids, std::size_t count);
inline std::string PxJsonList(const std::vector<std::int64_t>& oids) { return PxJsonList(oids.data(), oids.size()); }

class PxDatabase {
public:
    // Opens (and with `create`, creates) the file; ":memory:" gives a private database. A
    // read-only connection writes nothing, so it works on a file that can only be read.
    PxDatabase(const std::string& path, bool create, PxAccess access = PxAccess::ReadWrite);
    ~PxDatabase();
    PxDatabase(const PxDatabase&) = delete;
    PxDatabase& operator=(const PxDatabase&) = delete;

    sqlite3* Handle() const { return m_db; }
    const std::string& Path() const { return m_path; }
    void Execute(const char* sql, const char* what);
    // Executes statements that set a connection up and change nothing stored, waiting for a
    // busy file within the busy timeout as every other call does.
    void ExecuteAsItOpens(const char* sql, const char* what);
    // How long a call waits for a file another connection is writing before it fails busy.
    // The wait polls soon and then less often: the lock file's transactions last
    // microseconds, SQLite's own busy handler would sleep whole milliseconds.
    void SetBusyTimeout(int milliseconds);
    // True while a transaction is open on the connection.
    bool InTransaction() const;
    std::int64_t LastInsertId() const;
    int Changes() const;

    [[noreturn]] void Fail(int resultCode, const char* what) const;
    sqlite3_stmt* Prepared(const char* sql, const char* what);

private:
    static int OnBusy(void* database, int count);

    sqlite3* m_db = nullptr;
    std::string m_path;
    int m_busyTimeout = 0;
    std::chrono::steady_clock::time_point m_busySince;
    std::unordered_map<const char*, sqlite3_stmt*> m_statements; // keyed by the SQL text's address
};

// One use of a prepared statement: bind, step, read; reset when the query ends.
class PxQuery {
public:
    PxQuery(PxDatabase& db, const char* sql, const char* what);
    ~PxQuery();
    PxQuery(const PxQuery&) = delete;
    PxQuery& operator=(const PxQuery&) = delete;

    PxQuery& Bind(int index, std::int64_t value);
    PxQuery& Bind(int index, const char* text);
    PxQuery& Bind(int index, const std::string& text);
    PxQuery& Bind(int index, const PxValue& value);
    // True when a row is ready; false when the statement is done.
    bool Step();
    // Steps a statement that returns no rows.
    void Run();
    // Ends the query early, so that the file can be changed while it is still in scope.
    void Reset();

    std::int64_t Int(int column) const;
    std::string Text(int column) const;
    PxValue Value(int column) const;
    bool IsNull(int column) const;

private:
    PxDatabase& m_db;
    sqlite3_stmt* m_statement;
    const char* m_what;
};
