// Internal: the repository's data in a database on a PostgreSQL server, named by a
// connection URI (postgresql://host/database). The tables live in the schema
// vq_repository, beside the locks (PxServerLockStore). The writer slot is a transaction
// advisory lock, so the server has one writer at a time, as a file has.
#pragma once

#include "proxy/PxPostgres.h"
#include "proxy/PxStore.h"
#include "proxy/PxValue.h"

#include <deque>
#include <map>
#include <optional>
#include <unordered_map>
#include <utility>

class PxServerStore final : public PxStore {
public:
    explicit PxServerStore(const std::string& uri, PxAccess access = PxAccess::ReadWrite);
    // Makes the repository's schema in an empty database.
    static void Create(const std::string& uri);
    // Brings a repository an earlier build made up to date (PxServerUpgrade), which only a
    // role that may act as the owner of its tables may (refused otherwise); answers what it
    // changed, a sentence each.
    static std::vector<std::string> Upgrade(const std::string& uri);
    // The same, then the server's statistics of the repository's data are taken (after a load).
    static std::vector<std::string> Analyze(const std::string& uri);
    // Takes the repository out of the database again (a build that failed); quietly does
    // nothing when it cannot.
    static void Remove(const std::string& uri) noexcept;
    // Connects and finds the repository's schema there; throws naming the repository when
    // the database holds none. A repository an earlier build made is brought up to date with
    // `upgrade` when the session may act as the owner of its tables (a refusal, or another
    // session's hold past the wait, leaves it as it is); while it lacks its key columns'
    // estimates the connection finds its rows by key whatever the statistics say. `notice`
    // takes what the session tells its user of that (PxStore::Notice).
    static std::unique_ptr<PxPgConnection> Connect(const std::string& uri, bool upgrade = false,
                                                   std::string* notice = nullptr);

    std::string Notice() const override { return m_notice; }
    void SetBusyTimeout(int milliseconds) override { m_busyTimeout = milliseconds; }
    void Begin() override;
    void Commit(std::int64_t session) override;
    void Rollback() override;
    void RollbackQuietly() noexcept override;
    void Savepoint() override;
    void RollbackToSavepoint() override;
    void ReleaseSavepoint() override;
    bool InTransaction() const override { return m_db->InTransaction(); }
    void BeginReading() override;
    void EndReading() noexcept override;

    std::optional<PxObjectRow> Row(std::int64_t oid) override;
    bool Present(std::int64_t oid) override;
    std::optional<std::int64_t> Edition(std::int64_t oid) override;
    std::int64_t Root(const char* className) override;
    std::int64_t LastOid() override;

    bool LoadAttributes(std::int64_t oid, PxAttributeBuffer& attributes) override;
    std::unordered_map<std::int64_t, std::int64_t> PresentEditions(const std::vector<std::int64_t>& oids) override;
    std::unordered_map<std::int64_t, PxValue> AttributeOfEach(const std::vector<std::int64_t>& oids,
                                                             const std::string& name) override;
    void WriteAttribute(std::int64_t oid, const std::string& name, const PxValue& value) override;
    bool DeleteAttribute(std::int64_t oid, const std::string& name) override;
    std::optional<std::int64_t> NextEdition(std::int64_t oid) override;
    std::unordered_map<std::int64_t, std::int64_t> NextEditions(const std::vector<std::int64_t>& oids) override;

    void CreateObject(std::int64_t oid, const char* className, std::int64_t created) override;
    void AddMember(std::int64_t owner, const char* role, std::int64_t member, bool owning) override;
    bool RemoveMember(std::int64_t owner, const char* role, std::int64_t member) override;
    PxMembersRead Members(std::int64_t owner, const char* role, bool withAttributes) override;
    std::vector<PxMembersRead> MembersOfLists(std::int64_t owner, const std::vector<PxListAsked>& lists) override;
    std::vector<PxMemberRead> MembersWithAttributes(std::int64_t owner, const char* role) override;
    std::vector<std::vector<PxMemberRead>> MembersOfOwners(const std::vector<std::int64_t>& owners, const char* role,
                                                            bool withAttributes) override;
    std::vector<std::vector<std::vector<PxMemberRead>>> MembersOfRoles(std::vector<PxRoleAsked>& asked) override;
    void AskBranchesAhead(const PxBranchShape& shape, const std::vector<std::vector<std::int64_t>>& chunks) override;
    void DropBranchesAhead() noexcept override;
    std::vector<std::vector<PxMemberRead>> MembersWithAttributesOf(const std::vector<std::int64_t>& owners,
                                                                    const char* role) override;
    int CountMembers(std::int64_t owner, const char* role) override;
    std::unordered_map<std::int64_t, int> CountMembersOf(const std::vector<std::int64_t>& owners,
                                                         const char* role) override;
    std::optional<PxObjectRow> FindMember(std::int64_t owner, const char* role, const char* attribute,
                                          const char* text) override;
    std::optional<PxObjectRow> Owner(std::int64_t member) override;
    Deletion Delete(std::int64_t oid) override;
    Deletion DeleteAll(const std::vector<std::int64_t>& oids) override;

    PxStoreContents ContentsOf(const std::vector<std::int64_t>& oids) override;

protected:
    std::int64_t StoredEdition(std::int64_t oid) override;
    std::unordered_map<std::int64_t, std::int64_t> StoredEditions(const std::vector<std::int64_t>& oids) override;
    std::vector<PxObjectRow> Rows(const std::vector<std::int64_t>& oids) override;

private:
    // The attribute writes of a transaction are put off until its next statement, and go
    // ahead of it as one statement.
    std::optional<PxPgConnection::Query> PutOffWrites();
    // The lists of the owners and roles (in pairs), with their members' attributes where
    // asked, in one round trip, in the order asked; nothing noted.
    std::vector<std::vector<PxMemberRead>> ReadLists(const std::vector<std::int64_t>& owners,
                                                     const std::vector<std::string>& roles,
                                                     const std::vector<bool>& withAttributes);
    // The rows of a statement of ReadLists taken into the lists it asked, from `lists` on.
    static void TakeLists(const PxPgRows& rows, std::vector<PxMemberRead>* lists);
    // One list of each owner, with or without the members' attributes, in one read; nothing noted.
    std::vector<std::vector<PxMemberRead>> ListsOfOwners(const std::vector<std::int64_t>& owners, const char* role,
                                                         bool withAttributes);

    // The lists asked as a branch asked ahead answers them, taken out of what came; none
    // unless it answers every one of them.
    std::optional<std::vector<std::vector<std::vector<PxMemberRead>>>> ListsAhead(std::vector<PxRoleAsked>& asked);
    bool AllListsAhead(const std::vector<PxRoleAsked>& asked) const;
    // The rows of the objects as the branch asked ahead and taken in holds them; none unless it
    // holds every one of them.
    std::vector<PxObjectRow> RowsAhead(const std::vector<std::int64_t>& oids) const;
    // Takes in the branch of the top owners as it came, in place of the one before.
    void TakeBranch(const PxPgRows& rows, const std::vector<std::int64_t>& tops);

    std::string m_notice; // before the connection, which sets it as it is made
    std::unique_ptr<PxPgConnection> m_db;
    std::map<std::pair<std::int64_t, std::string>, PxValue> m_putOff;
    int m_busyTimeout = 5000;
    bool m_reading = false;
    // The branches asked ahead: their shape, the top owners of each chunk whose answer waits
    // on the connection, and the lists and objects of the one taken in.
    PxBranchShape m_branchShape;
    std::deque<std::vector<std::int64_t>> m_branchesInFlight;
    std::map<std::pair<std::int64_t, std::string>, std::vector<PxMemberRead>> m_listsAhead;
    std::unordered_map<std::int64_t, PxObjectRow> m_rowsAhead;
};
