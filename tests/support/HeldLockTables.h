// Another transaction on the suite's server that holds every lock table of a repository (its
// sessions, locks, places in line and persistent locks) in a table lock mode while the object
// lives: ACCESS EXCLUSIVE, as a rewrite or a truncation of them does, keeps every statement that
// reads them waiting.
#pragma once

#include <string>

struct pg_conn;

namespace vqtest {

class HeldLockTables {
public:
    HeldLockTables(const std::string& repository, const std::string& mode = "ACCESS EXCLUSIVE");
    ~HeldLockTables();
    HeldLockTables(const HeldLockTables&) = delete;
    HeldLockTables& operator=(const HeldLockTables&) = delete;

private:
    pg_conn* m_connection;
};

} // namespace vqtest
