// Another process that keeps a repository's lock store busy whenever the test says, as a long
// lock-table transaction of its own does (the lock file's write lock, the server's lock-tables
// lock: RefusedLockWrites held), and lets it go again, up to `spells` times. It forks: make it
// while this process holds no repository connection.
#pragma once

#include "support/ChildProcess.h"
#include "support/RefusedLockWrites.h"

#include <memory>
#include <optional>
#include <string>

namespace vqtest {

class LockStoreHolder {
public:
    LockStoreHolder(const std::string& repository, int spells);
    LockStoreHolder(const LockStoreHolder&) = delete;
    LockStoreHolder& operator=(const LockStoreHolder&) = delete;

    // Whether the process has taken the store, or let it go (nothing to do when it has already).
    bool Hold();
    bool Release();
    bool Holds() const { return m_holds; }

private:
    std::string m_repository;
    std::optional<RefusedLockWrites> m_held; // the other process's
    bool m_holds = false;
    std::unique_ptr<ChildProcess> m_process;
};

} // namespace vqtest
