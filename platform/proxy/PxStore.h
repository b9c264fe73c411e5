// Internal: the repository's data file. Objects are rows (class name, oid, created time
// stamp, edition counter, present flag); their attributes are name/value rows; ordered
// links join an owner's named member lists to their members. See README.md for the schema.
#pragma once

#include "proxy/PxSqlite.h"

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

struct PxObjectRow {
    std::int64_t oid = 0;
    std::string className;
    std::int64_t created = 0;
    std::int64_t edition = 0;
    bool present = true;
};

class PxStore {
public:
    // Opens an existing repository file, or a new private one for ":memory:".
    explicit PxStore(const std::string& path, PxAccess access = PxAccess::ReadWrite);
    // Makes a new repository file with its two enterprise roots.
    static void Create(const std::string& path);

    PxDatabase& Database() { return m_db; }

    // Takes the single writer slot: an SQLite write transaction on the newest data.
    void Begin();
    void Commit();
    void Rollback();
    // Rolls back the open transaction, if any, whatever happens.
    void RollbackQuietly() noexcept;

    // While reads are watched, each read notes the edition of the object it depends on
    // (the object read, or the owner of the list read), as it was before the read.
    void WatchReads();
    void StopWatchingReads() noexcept;
    // Whether every watched object still has the edition noted: no other session has
    // committed a change to anything read since. Asked once the writer slot is taken.
    bool ReadsStillCurrent();

    // The object, present or not; nothing when no such object was ever committed.
    std::optional<PxObjectRow> Row(std::int64_t oid);
    bool Present(std::int64_t oid);
    // The edition of a present object; nothing when it is not present.
    std::optional<std::int64_t> Edition(std::int64_t oid);
    std::int64_t Root(const char* className);
    // The highest id of a stored object (0 for none).
    std::int64_t LastOid();

    // Reads the attributes of a present object; false when the object is not present.
    bool LoadAttributes(std::int64_t oid, PxAttributeBuffer& attributes);
    void WriteAttribute(std::int64_t oid, const std::string& name, const PxValue& value);
    // Answers whether there was such an attribute.
    bool DeleteAttribute(std::int64_t oid, const std::string& name);
    // Counts one more edition of a present object; answers it, or nothing when the object is gone.
    std::optional<std::int64_t> NextEdition(std::int64_t oid);

    // Stores a new object under an id the session has reserved (PxLockStore::ReserveOids).
    void CreateObject(std::int64_t oid, const char* className, std::int64_t created);
    void AddMember(std::int64_t owner, const char* role, std::int64_t member, bool owning);
    // Takes a member out of a list that does not own it.
    bool RemoveMember(std::int64_t owner, const char* role, std::int64_t member);
    std::vector<PxObjectRow> Members(std::int64_t owner, const char* role);
    int CountMembers(std::int64_t owner, const char* role);
    std::optional<PxObjectRow> FindMember(std::int64_t owner, const char* role, const char* attribute,
                                          const char* text);
    std::optional<std::int64_t> Owner(std::int64_t member);

    struct Deletion {
        std::vector<std::int64_t> deleted;      // the object and everything it owned
        std::vector<std::int64_t> listsChanged; // owners whose member lists lost an entry
    };
    // Marks the object and everything it owns not present and takes them out of every list.
    Deletion Delete(std::int64_t oid);

private:
    static void CreateSchema(PxDatabase& db);
    void CheckFormat();
    void NoteRead(std::int64_t oid);
    std::int64_t StoredEdition(std::int64_t oid);

    PxDatabase m_db;
    bool m_watching = false;
    std::unordered_map<std::int64_t, std::int64_t> m_readEditions;
};
