// A user of an earlier build on a repository beside this build: her manual Lock, Unlock and a
// step's take-back of its manual hold write to the lock store as that build wrote them. The build
// before the manual holds' identity names none, so that the column manual_id keeps what it held (a
// new row gets its default); the build after it names the identity in each statement: its Lock
// gives the manual holds its own identity over the one standing, and any removal of one of them
// leaves none. On a server the statements run as the role of the repository's URI.
#pragma once

#include <cstdint>
#include <map>
#include <string>

namespace vqtest {

// Runs the statements on the repository's lock store, in one transaction: its lock file, or its
// server with the repository's tables first in the search path. Answers whether the store took them.
bool RunOnLockStore(const std::string& repository, const std::string& sql);

class EarlierBuildUser {
public:
    enum class Build { WithoutManualIdentity, NamingManualIdentity };
    EarlierBuildUser(std::string repository, std::string userCode, Build build = Build::WithoutManualIdentity);

    // One manual hold placed on the object, or taken off it; whether the store took it.
    bool LockByHand(std::int64_t oid);
    bool UnlockByHand(std::int64_t oid) const;
    // A step's take-back of the manual hold its last Lock of the object placed, as that build
    // makes it: one manual hold of the user's lock, while its manual holds have the identity that
    // Lock gave them (where the build names one); whether the store took it.
    bool TakeBackByHand(std::int64_t oid) const;

private:
    // The removal of one manual hold of the object where `condition` holds.
    std::string Removal(std::int64_t oid, const std::string& condition) const;

    std::string m_repository;
    std::string m_userCode;
    Build m_build;
    // The identity the last Lock of each object gave its manual holds.
    std::map<std::int64_t, std::int64_t> m_placed;
    std::int64_t m_lastIdentity;
};

} // namespace vqtest
