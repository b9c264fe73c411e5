// Internal: the repository's data. Objects are rows (class name, oid, created time stamp,
// edition counter, present flag); their attributes are name/value rows; ordered links join
// an owner's named member lists to their members. Two stores keep them: a file
// (PxFileStore) and a database on a PostgreSQL server (PxServerStore), chosen by the
// repository's name. See README.md for the schema.
#pragma once

#include "proxy/PxException.h"
#include "proxy/PxValue.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

struct PxObjectRow {
    std::int64_t oid = 0;
    std::string className;
    std::int64_t created = 0;
    std::int64_t edition = 0;
    bool present = true;
};

// One entry of a member list as stored, with the class of the member ("?" when it has none).
struct PxMemberEntry {
    std::string role;
    std::int64_t member = 0;
    bool owning = false;
    std::string memberClass;
};

// A member of a list read with its attributes.
struct PxMemberRead {
    PxObjectRow row;
    PxAttributeBuffer attributes;
};

// A list's present members in list order, as one read gave them.
struct PxMembersRead {
    std::vector<PxMemberRead> members;
    // Whether the members' attributes came with them.
    bool withAttributes = true;
};

// An object as the dump reads it, present or not: its class, its attributes in the order of
// their names, and its list entries by role and in list order.
struct PxObjectContents {
    std::string className;
    std::vector<std::pair<std::string, PxValue>> attributes;
    std::vector<PxMemberEntry> entries;
};
using PxStoreContents = std::unordered_map<std::int64_t, PxObjectContents>;

// A list asked of an owner: its role, and whether its members' attributes come with it.
struct PxListAsked {
    std::string role;
    bool withAttributes = false;
};

// The list of one role of each of several owners.
struct PxRoleAsked {
    std::vector<std::int64_t> owners;
    std::string role;
    bool withAttributes = false;
};

// The lists of the branches below some owners: each owner's list of `top`, each of its
// members' lists of the first roles of `below`, and each of their members' list of the second
// role paired with the role of the list it is in.
struct PxBranchShape {
    std::string top;
    std::vector<std::pair<std::string, std::string>> below;
};

enum class PxAccess { ReadWrite, ReadOnly };

// A commit refused because the session's locks went before it (its lock connection ended):
// what it changed under them is not stored.
class PxExceptionLocksLost : public PxException {
public:
    using PxException::PxException;
};

// A repository name that is a PostgreSQL connection URI names a server store.
bool PxIsServerName(const std::string& name);

class PxStore {
public:
    virtual ~PxStore() = default;

    // Opens an existing repository, or a new private one for ":memory:".
    static std::unique_ptr<PxStore> Open(const std::string& name, PxAccess access = PxAccess::ReadWrite);
    // Makes a new repository with its two enterprise roots.
    static void Create(const std::string& name);

    // What a session tells its user once as it opens the repository: that the repository lacks
    // what this build adds and its owner should bring it up to date, or what this session, its
    // owner's, brought up to date. Empty for neither.
    virtual std::string Notice() const { return {}; }

    // How long taking the writer slot waits for another session's transaction (ms).
    virtual void SetBusyTimeout(int milliseconds) = 0;

    // Takes the single writer slot: a write transaction on the newest data.
    virtual void Begin() = 0;
    // Commits the open transaction of the session. A store that keeps the session's locks
    // beside its data (a server) checks in the same transaction that they are still the
    // session's own, and refuses the commit with PxExceptionLocksLost, rolled back, when
    // they are gone.
    virtual void Commit(std::int64_t session) = 0;
    virtual void Rollback() = 0;
    // Rolls back the open transaction, if any, whatever happens.
    virtual void RollbackQuietly() noexcept = 0;
    // One savepoint of the open transaction at a time: set, then rolled back to (which ends
    // it) or released. A store that holds writes back sends them ahead of the savepoint, and
    // drops those held back since it when it rolls back to it.
    virtual void Savepoint() = 0;
    virtual void RollbackToSavepoint() = 0;
    virtual void ReleaseSavepoint() = 0;
    // True while the writer slot is held; false once the store has rolled back by itself.
    virtual bool InTransaction() const = 0;
    // One consistent view for a run of reads (a dump), unless a transaction is open.
    virtual void BeginReading() = 0;
    virtual void EndReading() noexcept = 0;

    // While reads are watched, each read notes the edition of the object it depends on
    // (the object read, or the owner of the list read), as it was before the read.
    void WatchReads();
    void StopWatchingReads() noexcept;
    // Whether every watched object still has the edition noted: no other session has
    // committed a change to anything read since. Asked once the writer slot is taken, in one
    // read however many objects were read.
    bool ReadsStillCurrent();
    // Notes the read of an object's data read earlier at that edition and used only now.
    void NoteBufferedRead(std::int64_t oid, std::int64_t edition) { NoteEdition(oid, edition); }
    // Which run of reads is going on: another starts whenever reads start or stop being
    // watched. Data read ahead in one run and first used in another may be stale.
    std::uint64_t ReadRun() const { return m_readRun; }

    // The object, present or not; nothing when no such object was ever committed.
    virtual std::optional<PxObjectRow> Row(std::int64_t oid) = 0;
    virtual bool Present(std::int64_t oid) = 0;
    // The rows of the objects present among these, by id, in one read; each object is
    // noted as Present notes it.
    std::unordered_map<std::int64_t, PxObjectRow> PresentRows(const std::vector<std::int64_t>& oids);
    // The editions of the objects present among these, by id, in one read, noted as PresentRows
    // notes them; a store that can reads nothing else of them.
    virtual std::unordered_map<std::int64_t, std::int64_t> PresentEditions(const std::vector<std::int64_t>& oids);
    // The edition of a present object; nothing when it is not present.
    virtual std::optional<std::int64_t> Edition(std::int64_t oid) = 0;
    virtual std::int64_t Root(const char* className) = 0;
    // The highest id of a stored object (0 for none).
    virtual std::int64_t LastOid() = 0;

    // Reads the attributes of a present object; false when the object is not present.
    virtual bool LoadAttributes(std::int64_t oid, PxAttributeBuffer& attributes) = 0;
    // One attribute of each present object among these (distinct ids), by id (a null value for
    // one without it), in one read; each object is noted as read with it.
    virtual std::unordered_map<std::int64_t, PxValue> AttributeOfEach(const std::vector<std::int64_t>& oids,
                                                                     const std::string& name) = 0;
    virtual void WriteAttribute(std::int64_t oid, const std::string& name, const PxValue& value) = 0;
    // Answers whether there was such an attribute.
    virtual bool DeleteAttribute(std::int64_t oid, const std::string& name) = 0;
    // Counts one more edition of a present object; answers it, or nothing when the object is gone.
    virtual std::optional<std::int64_t> NextEdition(std::int64_t oid) = 0;
    enum class EditionStep { Gone, Stepped, SteppedFromExpected };
    // The same when the caller needs the new edition only if the object was at the
    // `expected` one (then it is expected + 1); a store may step without reading it back.
    virtual EditionStep StepEdition(std::int64_t oid, std::optional<std::int64_t> expected);
    // NextEdition of each id (distinct), by id; an object not present is left out. A store
    // that can steps them all in one go.
    virtual std::unordered_map<std::int64_t, std::int64_t> NextEditions(const std::vector<std::int64_t>& oids);

    // Stores a new object under an id the session has reserved (PxLockStore::ReserveOids).
    virtual void CreateObject(std::int64_t oid, const char* className, std::int64_t created) = 0;
    virtual void AddMember(std::int64_t owner, const char* role, std::int64_t member, bool owning) = 0;
    // Takes a member out of a list that does not own it.
    virtual bool RemoveMember(std::int64_t owner, const char* role, std::int64_t member) = 0;
    // The present members of a list in list order, in one read; the list is noted. With
    // `withAttributes` the members come with their attributes, which are not noted: a
    // member's read counts once its attributes are used (NoteBufferedRead), as a caller may
    // list members without reading them.
    virtual PxMembersRead Members(std::int64_t owner, const char* role, bool withAttributes) = 0;
    // Several lists of one owner, in the order asked, each as Members reads it; a store that
    // can answers them all in one read.
    virtual std::vector<PxMembersRead> MembersOfLists(std::int64_t owner, const std::vector<PxListAsked>& lists);
    // The same members, each with its attributes and edition, in one read; nothing is noted.
    virtual std::vector<PxMemberRead> MembersWithAttributes(std::int64_t owner, const char* role) = 0;
    // The same list of each owner, in the owners' order, each read as Members reads one (the
    // owners noted); a store that can answers them all in one read.
    virtual std::vector<std::vector<PxMemberRead>> MembersOfOwners(const std::vector<std::int64_t>& owners,
                                                                    const char* role, bool withAttributes);
    // Several roles' lists, each role's as MembersOfOwners reads them, in the order asked; a
    // store that can answers them all in one read. A role's members may come with their
    // attributes where they were not asked; `withAttributes` says so then.
    virtual std::vector<std::vector<std::vector<PxMemberRead>>> MembersOfRoles(std::vector<PxRoleAsked>& asked);
    // The branches of these chunks of owners are read in this order next, outside a
    // transaction, each from its top list down (MembersOfRoles): a store that can asks for all
    // of them now, in one round trip, and answers those reads from what came, with the
    // members' attributes, while nothing else is read in between. A store that cannot ignores it.
    virtual void AskBranchesAhead(const PxBranchShape&, const std::vector<std::vector<std::int64_t>>&) {}
    // Forgets what came of the branches asked ahead and was not read.
    virtual void DropBranchesAhead() noexcept {}
    // The same lists, each read as MembersWithAttributes reads one; nothing is noted.
    virtual std::vector<std::vector<PxMemberRead>> MembersWithAttributesOf(const std::vector<std::int64_t>& owners,
                                                                            const char* role);
    virtual int CountMembers(std::int64_t owner, const char* role) = 0;
    // The member counts of one list of several objects (distinct ids), by id, as
    // CountMembers of each answers and noted as it notes them; an id without members is
    // left out.
    virtual std::unordered_map<std::int64_t, int> CountMembersOf(const std::vector<std::int64_t>& owners,
                                                                 const char* role);
    virtual std::optional<PxObjectRow> FindMember(std::int64_t owner, const char* role, const char* attribute,
                                                  const char* text) = 0;
    // The object whose list owns the member (present or not); nothing for a root.
    virtual std::optional<PxObjectRow> Owner(std::int64_t member) = 0;

    struct Deletion {
        std::vector<std::int64_t> deleted;      // the object and everything it owned
        std::vector<std::int64_t> listsChanged; // owners whose member lists lost an entry
    };
    // Marks the object and everything it owns not present and takes them out of every list.
    virtual Deletion Delete(std::int64_t oid) = 0;
    // Deletes the objects (distinct ids of present objects) as Delete deletes each; a store
    // that can deletes them all in one go.
    virtual Deletion DeleteAll(const std::vector<std::int64_t>& oids);

    // Reads those objects (distinct ids) in two reads, whatever their number; an id with no
    // stored object is left out.
    virtual PxStoreContents ContentsOf(const std::vector<std::int64_t>& oids) = 0;

protected:
    PxStore() = default;
    bool Watching() const { return m_watching; }
    void NoteRead(std::int64_t oid);
    // NoteRead of each of the objects, those not noted yet in one read.
    void NoteReads(const std::vector<std::int64_t>& oids);
    // Notes an edition already read with the data.
    void NoteEdition(std::int64_t oid, std::int64_t edition);
    // The stored rows of these objects, present or not.
    virtual std::vector<PxObjectRow> Rows(const std::vector<std::int64_t>& oids) = 0;
    // The read of the list entry a row of a members read belongs to: the rows of one entry
    // (`seq`) come together, the first of them making the entry's object row with `rowOf`.
    template <class RowOf>
    static PxAttributeBuffer& EntryRead(std::vector<PxMemberRead>& reads, std::int64_t& lastSeq, std::int64_t seq,
                                        RowOf rowOf)
    {
        if (reads.empty() || seq != lastSeq) {
            reads.push_back({rowOf(), {}});
            lastSeq = seq;
        }
        return reads.back().attributes;
    }
    // The stored edition of an object, present or not (0 for one never stored).
    virtual std::int64_t StoredEdition(std::int64_t oid) = 0;
    // The same of several objects (distinct ids), by id, in one read; one never stored is left out.
    virtual std::unordered_map<std::int64_t, std::int64_t> StoredEditions(const std::vector<std::int64_t>& oids) = 0;
    // Orders what a deletion found: owners gone with it are not named, each owner once.
    static void Settle(Deletion& deletion);

private:
    bool m_watching = false;
    std::uint64_t m_readRun = 0;
    std::unordered_map<std::int64_t, std::int64_t> m_readEditions;
};

// Reads in one consistent view of the store, from its making to its end.
class PxStoreReading {
public:
    explicit PxStoreReading(PxStore& store) : m_store(store) { m_store.BeginReading(); }
    ~PxStoreReading() { m_store.EndReading(); }
    PxStoreReading(const PxStoreReading&) = delete;
    PxStoreReading& operator=(const PxStoreReading&) = delete;

private:
    PxStore& m_store;
};
