// A repository's lock store, a lock file or the lock tables of the suite's server, that refuses
// while the object lives to take locks back, end sessions and lift holds: as a full disk does
// (a trigger refusing them), or, `held`, because another connection holds its write lock (on a
// server, the lock tables' transaction lock). It takes writes again as the object goes. A full
// disk refuses the deletes and updates of lock rows (a lock taken again among them); refusing
// only the deletes, every lock is granted and only a give-back that ends a row is refused;
// refusing every write, no new lock is granted either.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace vqtest {

class RefusedLockWrites {
public:
    enum class Refusing { DeletesAndUpdates, Deletes, EveryWrite };
    RefusedLockWrites(const std::string& repository, bool held, Refusing refusing = Refusing::DeletesAndUpdates);
    ~RefusedLockWrites();
    RefusedLockWrites(const RefusedLockWrites&) = delete;
    RefusedLockWrites& operator=(const RefusedLockWrites&) = delete;

private:
    struct Holder;
    void Run(const std::string& onFile, const std::string& onServer) const;

    std::string m_repository;
    std::vector<std::string> m_changes; // the changes a full disk refuses
    std::unique_ptr<Holder> m_holder;
};

} // namespace vqtest
