// A user of a build before the manual holds' identity on a repository beside this build: her
// manual Lock and Unlock write to the lock store as that build wrote, naming no identity, so
// that the column manual_id keeps what it held (a new row gets its default). On a server the
// statements run as the role of the repository's URI.
#pragma once

#include <cstdint>
#include <string>

namespace vqtest {

// Runs the statements on the repository's lock store: its lock file, or its server with the
// repository's tables first in the search path. Answers whether the store took them.
bool RunOnLockStore(const std::string& repository, const std::string& sql);

class EarlierBuildUser {
public:
    EarlierBuildUser(std::string repository, std::string userCode);

    // One manual hold placed on the object, or taken off it; whether the store took it.
    bool LockByHand(std::int64_t oid) const;
    bool UnlockByHand(std::int64_t oid) const;

private:
    std::string m_repository;
    std::string m_userCode;
};

} // namespace vqtest
