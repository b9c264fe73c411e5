// A team's repository on the suite's server as an earlier build left it: made by one role,
// which owns its tables, without what later builds added to its schema (the generation and the
// manual holds' identities, the manual holds' keys, the key columns' estimates),
// and a member's role with the rights on its tables and sequences that the README gives a team's
// members, and no more.
#pragma once

#include <string>

namespace vqtest {

class TeamRepository {
public:
    // The sample enterprise, or a repository with only its two roots.
    explicit TeamRepository(bool sample);

    const std::string& Database() const { return m_database; }
    // The repository as its owner's role and as the member's role open it.
    const std::string& OwnerUri() const { return m_ownerUri; }
    const std::string& MemberUri() const { return m_memberUri; }
    const std::string& OwnerRole() const { return m_ownerRole; }
    const std::string& MemberRole() const { return m_memberRole; }

private:
    std::string m_database;
    std::string m_ownerRole;
    std::string m_memberRole;
    std::string m_ownerUri;
    std::string m_memberUri;
};

// The key columns' estimates of the repository in the database as a build before them made
// its schema: none.
void ForgetKeyEstimates(const std::string& database);

// The manual holds' keys of the repository in the database as the build before them left its
// schema: none, the manual holds' identity kept.
void ForgetManualKeys(const std::string& database);

} // namespace vqtest
