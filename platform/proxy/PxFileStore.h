// Internal: the repository's data in an SQLite file (WAL), or in a private database for
// ":memory:". The file has one writer at a time: SQLite's write lock is the writer slot.
#pragma once

#include "proxy/PxSqlite.h"
#include "proxy/PxStore.h"

#include <cstdint>
#include <string>
#include <unordered_map>

class PxFileStore final : public PxStore {
public:
    explicit PxFileStore(const std::string& path, PxAccess access = PxAccess::ReadWrite);
    static void Create(const std::string& path);

    PxDatabase& Database() { return m_db; }

    void SetBusyTimeout(int milliseconds) override { m_db.SetBusyTimeout(milliseconds); }
    void Begin() override;
    // A session's locks in the lock file go only with its process.
    void Commit(std::int64_t session) override;
    void Rollback() override;
    void RollbackQuietly() noexcept override;
    void Savepoint() override;
    void RollbackToSavepoint() override;
    void ReleaseSavepoint() override;
    bool InTransaction() const override { return m_db.InTransaction(); }
    void BeginReading() override;
    void EndReading() noexcept override;

    std::optional<PxObjectRow> Row(std::int64_t oid) override;
    bool Present(std::int64_t oid) override;
    std::optional<std::int64_t> Edition(std::int64_t oid) override;
    std::int64_t Root(const char* className) override;
    std::int64_t LastOid() override;

    bool LoadAttributes(std::int64_t oid, PxAttributeBuffer& attributes) override;
    std::unordered_map<std::int64_t, PxValue> AttributeOfEach(const std::vector<std::int64_t>& oids,
                                                             const std::string& name) override;
    void WriteAttribute(std::int64_t oid, const std::string& name, const PxValue& value) override;
    bool DeleteAttribute(std::int64_t oid, const std::string& name) override;
    std::optional<std::int64_t> NextEdition(std::int64_t oid) override;
    EditionStep StepEdition(std::int64_t oid, std::optional<std::int64_t> expected) override;

    void CreateObject(std::int64_t oid, const char* className, std::int64_t created) override;
    void AddMember(std::int64_t owner, const char* role, std::int64_t member, bool owning) override;
    bool RemoveMember(std::int64_t owner, const char* role, std::int64_t member) override;
    PxMembersRead Members(std::int64_t owner, const char* role, bool withAttributes) override;
    std::vector<PxMemberRead> MembersWithAttributes(std::int64_t owner, const char* role) override;
    // The lists read one after the other in one read transaction of the file.
    std::vector<std::vector<PxMemberRead>> MembersOfOwners(const std::vector<std::int64_t>& owners, const char* role,
                                                            bool withAttributes) override;
    std::vector<std::vector<PxMemberRead>> MembersWithAttributesOf(const std::vector<std::int64_t>& owners,
                                                                    const char* role) override;
    int CountMembers(std::int64_t owner, const char* role) override;
    std::optional<PxObjectRow> FindMember(std::int64_t owner, const char* role, const char* attribute,
                                          const char* text) override;
    std::optional<PxObjectRow> Owner(std::int64_t member) override;
    Deletion Delete(std::int64_t oid) override;

    PxStoreContents ContentsOf(const std::vector<std::int64_t>& oids) override;

protected:
    std::int64_t StoredEdition(std::int64_t oid) override;
    std::unordered_map<std::int64_t, std::int64_t> StoredEditions(const std::vector<std::int64_t>& oids) override;
    // The rows read one after the other in one read transaction of the file.
    std::vector<PxObjectRow> Rows(const std::vector<std::int64_t>& oids) override;

private:
    struct ListKey {
        std::int64_t owner;
        std::string role;
        bool operator==(const ListKey&) const = default;
    };
    struct ListKeyHash {
        std::size_t operator()(const ListKey& key) const noexcept
        {
            return std::hash<std::int64_t>()(key.owner) ^ std::hash<std::string>()(key.role);
        }
    };

    static void CreateSchema(PxDatabase& db);
    void CheckFormat();
    // The highest position in an owner's list; 0 when it is empty.
    std::int64_t LastSeq(std::int64_t owner, const std::string& role);
    PxDatabase m_db;
    bool m_reading = false;
    // The last position each list took in the open write transaction.
    std::unordered_map<ListKey, std::int64_t, ListKeyHash> m_lastSeqs;
};
