// A repository's lock store, a lock file or the lock tables of the suite's server, that refuses
// while the object lives to take locks back, end sessions and lift holds: as a full disk does
// (a trigger refusing them), or, `held`, because another connection holds its write lock (on a
// server, the lock tables' transaction lock). It takes writes again as the object goes.
#pragma once

#include <memory>
#include <string>

namespace vqtest {

class RefusedLockWrites {
public:
    RefusedLockWrites(const std::string& repository, bool held);
    ~RefusedLockWrites();
    RefusedLockWrites(const RefusedLockWrites&) = delete;
    RefusedLockWrites& operator=(const RefusedLockWrites&) = delete;

private:
    struct Holder;
    void Run(const std::string& onFile, const std::string& onServer) const;

    std::string m_repository;
    std::unique_ptr<Holder> m_holder;
};

} // namespace vqtest
