// A raw SQLite connection with its prepared statements: the baseline the proxy is
// measured against.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>

inline void Check(int rc, sqlite3* db)
{
    if (rc != SQLITE_OK && rc != SQLITE_ROW && rc != SQLITE_DONE)
        throw std::runtime_error(sqlite3_errmsg(db));
}

class Raw {
public:
    explicit Raw(const std::string& path)
    {
        Check(sqlite3_open_v2(path.c_str(), &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX,
                              nullptr),
              m_db);
        Execute("PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL;");
    }
    ~Raw()
    {
        for (auto& [sql, statement] : m_statements)
            sqlite3_finalize(statement);
        sqlite3_close(m_db);
    }
    void Execute(const char* sql) { Check(sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr), m_db); }
    sqlite3_stmt* Statement(const char* sql)
    {
        sqlite3_stmt*& statement = m_statements[sql];
        if (!statement)
            Check(sqlite3_prepare_v3(m_db, sql, -1, SQLITE_PREPARE_PERSISTENT, &statement, nullptr), m_db);
        return statement;
    }
    void Run(sqlite3_stmt* statement)
    {
        while (sqlite3_step(statement) == SQLITE_ROW) {
        }
        Check(sqlite3_reset(statement), m_db);
    }
    std::int64_t LastId() const { return sqlite3_last_insert_rowid(m_db); }

private:
    sqlite3* m_db = nullptr;
    std::map<std::string, sqlite3_stmt*> m_statements;
};
