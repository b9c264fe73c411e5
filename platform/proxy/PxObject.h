// The root of the repository classes. A PxObject is a link's proxy for one stored object:
// its class name, object id, created time stamp, edition, and a buffer of its attributes
// read at first use. Buffered values stay until Refresh, PxLink::ClearAllBuffers or the
// abort of the session's transaction; presence and editions are always asked of the store.
//
// Objects are reached through <Class>Ptr smart pointers. The generic attribute and member
// operations below are what the typed classes build their getters, setters, list and
// create operations on; attribute names follow the property names ("name", "longName").
#pragma once

#include "proxy/PxClass.h"
#include "proxy/PxHandle.h"
#include "proxy/PxPtr.h"
#include "win/CString.h"
#include "win/Types.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

class PxAttributeBuffer;
struct PxBranchShape;
class PxLink;
class PxLinkCore;
class PxObject;
struct PxListRead;
struct PxMemberRead;
struct PxMembersRead;
struct PxOidsBySession;
class PxObjectCollection;
class PxSession;
struct PxObjectRow;
struct PxValue;

using PxObjectPtr = PxPtr<PxObject>;

// What a refresh found of an object: the edition it buffered, a later one, or the object gone.
enum class PxFound { Unchanged, Changed, Gone };

class PxObject : public PxRefCounted {
public:
    static const PxClassInfo& ClassInfo();
    virtual const PxClassInfo& GetClassInfo() const;

    PxHandle GetHandle() const { return PxHandle(m_oid); }
    // Nonzero when both name the same repository object, through whichever links.
    BOOL IsSameOid(const PxObjectPtr& other) const;
    // False once the object is deleted, by any session, or was made by an aborted transaction.
    BOOL ObjectPresent() const;
    // Made by a transaction that was aborted: it never was in the repository and holds no lock.
    bool NeverStored() const { return m_neverStored; }
    // Which of the objects are present, as ObjectPresent of each answers, asked together.
    static std::vector<bool> ArePresent(const std::vector<PxObjectPtr>& objects);
    // The members of the role of each object, as GetMembers gives them, read together; their
    // attributes, when they do not come with them, at the first use of one of them together.
    static std::vector<std::vector<PxObjectPtr>> MembersOf(const std::vector<PxObjectPtr>& objects, const char* role);
    // The lists of a role of several objects, as an operation of a typed class reads them.
    struct MembersAsked {
        const char* operation;
        std::vector<PxObjectPtr> objects;
        const char* role;
        // The members' attributes come with them whatever the last read of the role found: a
        // read of what they refer to follows.
        bool withAttributes = false;
    };
    // The lists of each, as MembersOf answers them, each counted as a list read of its
    // operation; read together, in one read for all of them.
    static std::vector<std::vector<std::vector<PxObjectPtr>>> ReadMembersOfEach(const std::vector<MembersAsked>& asked);
    // The branches of these chunks of objects are read next, in this order (PxStore::AskBranchesAhead).
    static void AskBranchesAheadOf(const PxBranchShape& shape, const std::vector<std::vector<PxObjectPtr>>& chunks);
    // What came of them through the object's session and was not read is forgotten.
    static void DropBranchesAheadOf(const PxObjectPtr& object) noexcept;
    // The class or one of its bases has this name.
    BOOL _IsKindOf(const char* className) const;
    // The object's own class has this name.
    BOOL _IsA(const char* className) const;
    const CString& GetClassName() const { return m_className; }
    std::int64_t GetCreatedTimeStamp() const { return m_created; }
    // The link the object was reached through; null once that link is gone.
    PxLink* GetLink() const;
    // The repository object kind number (PxObjectKind.h); 0 for classes without one.
    virtual int GetObjectKind() const;
    // Reads the object again from the repository (the buffer is dropped); its next use reads
    // its own data, not the list it was last read with.
    void Refresh();
    // Refreshes, as Refresh does, those of the objects that changed since they were read (a
    // later edition, or gone), their editions asked together; answers what it found of each.
    // The others keep what they buffered, which is what is stored.
    static std::vector<PxFound> RefreshChanged(const std::vector<PxObjectPtr>& objects);
    // Another session holds a lock of any kind on the object.
    BOOL IsLocked() const;
    // The object's text or number property by name ("name", "longName", ...).
    virtual CString GetStringProperty(const char* name) const;
    virtual int GetIntProperty(const char* name) const;

    BOOL HasAttribute(const char* name) const;
    CString GetAttributeText(const char* name) const;
    std::int64_t GetAttributeInt(const char* name) const;
    std::vector<BYTE> GetAttributeBlob(const char* name) const;
    // The object an attribute refers to; null when none or when it is no longer present.
    PxObjectPtr GetAttributeObject(const char* name) const;
    // The objects several attributes refer to, in order, read together; null where none.
    std::vector<PxObjectPtr> GetAttributeObjects(const std::vector<std::string>& names) const;
    // The object the attribute of each object refers to, as GetAttributeObject of each
    // answers, read together.
    static std::vector<PxObjectPtr> AttributeObjectsOf(const std::vector<PxObjectPtr>& objects, const char* name);
    // The text of the attribute of each object, as GetAttributeText of each answers; those
    // whose attributes are not buffered read together, that attribute alone.
    static std::vector<CString> AttributeTextsOf(const std::vector<PxObjectPtr>& objects, const char* name);
    // The text each object stores in the attribute, none where it stores none (the attribute
    // absent or null); those whose attributes are not buffered read together, that attribute
    // alone.
    static std::vector<std::optional<CString>> StoredTextsOf(const std::vector<PxObjectPtr>& objects,
                                                             const char* name);
    // The objects an attribute of several objects refers to, as an operation of a typed class
    // reads them.
    struct ReferencesAsked {
        const char* operation;
        std::vector<PxObjectPtr> objects;
        const char* attribute;
    };
    // The objects of each, as AttributeObjectsOf answers them, each counted as a list read of
    // its operation; the presence of all of them asked together.
    static std::vector<std::vector<PxObjectPtr>> ReadObjectsOfEach(const std::vector<ReferencesAsked>& asked);
    // Nonzero when the attribute refers to the object and it is present: as comparing
    // GetAttributeObject with it, without reading any other object.
    BOOL RefersTo(const char* name, const PxObjectPtr& object) const;
    // The setters (and RemoveAttribute) leave the object alone, writing nothing and stepping no
    // edition, where its current buffer shows the attribute holding the value already.
    void SetAttributeText(const char* name, const char* value);
    void SetAttributeInt(const char* name, std::int64_t value);
    void SetAttributeBlob(const char* name, const void* data, std::size_t size);
    void SetAttributeObject(const char* name, const PxObjectPtr& object);
    // An attribute may also be stored without a value (null), which differs from absent.
    void SetAttributeNull(const char* name);
    BOOL IsAttributeNull(const char* name) const;
    void RemoveAttribute(const char* name);

    // Fills the collection (emptied first) with the members of a list, in repository order.
    void GetMembers(const char* role, PxObjectCollection& members) const;
    // Several lists of the object, each filled as GetMembers fills it, read together.
    void GetListsOfMembers(const std::vector<std::pair<const char*, PxObjectCollection*>>& lists) const;
    int CountOfMembers(const char* role) const;
    // The member counts of one list of several objects, as CountOfMembers of each answers,
    // read together.
    static std::vector<int> CountsOfMembers(const std::vector<PxObjectPtr>& objects, const char* role);
    // The first member whose attribute has exactly this text; null when none.
    PxObjectPtr FindMember(const char* role, const char* attribute, const char* text) const;
    // The object whose list owns this one; null for a root.
    PxObjectPtr GetOwner() const;
    // Makes a new object of the class, owned by this one, at the end of the list.
    PxObjectPtr CreateMember(const char* role, const char* className);
    // The same, at the end of `other`'s list `otherRole` too, which owns it as well.
    PxObjectPtr CreateSharedMember(const char* role, const char* className, const PxObjectPtr& other,
                                   const char* otherRole);
    // Puts an object owned elsewhere at the end of one of this object's lists.
    void AddMember(const char* role, const PxObjectPtr& member);
    void RemoveMember(const char* role, const PxObjectPtr& member);
    // Puts an object at the end of a list that owns it too: deleting either owner deletes it.
    void AddOwnedMember(const char* role, const PxObjectPtr& member);

protected:
    PxObject();
    ~PxObject() override;

    std::int64_t Oid() const { return m_oid; }
    const std::shared_ptr<PxLinkCore>& LinkCore() const { return m_core; }
    std::shared_ptr<PxSession> Session() const;
    // The edition as buffered (read again when the buffer is stale).
    std::int64_t BufferedEdition() const;
    // The same, once the session's steps put off are taken.
    std::int64_t CurrentEdition() const;
    // Takes the edition the session's own change gave the object, when the buffer is current.
    void SetBufferedEdition(std::int64_t edition);
    // Steps the stored edition once per transaction; throws when the object is gone.
    void NoteChange(PxSession& session);
    // Deletes the object and every object it owns (needs an open transaction); throws a
    // deleted-object PxException when it is gone already.
    void Delete();
    // Deletes the objects still present, each as Delete deletes it after entering the
    // operation, together (needs an open transaction); those already gone are passed over.
    static void DeleteAll(const char* operation, const std::vector<PxObjectPtr>& objects);
    // Shorthands of the typed classes: the operation's entry point (see Enter), then the
    // generic attribute or list operation.
    CString ReadText(const char* operation, const char* attribute) const;
    std::int64_t ReadInt(const char* operation, const char* attribute) const;
    PxObjectPtr ReadObject(const char* operation, const char* attribute) const;
    void WriteText(const char* operation, const char* attribute, const char* value);
    void WriteInt(const char* operation, const char* attribute, std::int64_t value);
    void WriteObject(const char* operation, const char* attribute, const PxObjectPtr& object);
    void ReadList(const char* operation, const char* role, PxObjectCollection& members) const;
    // Several lists, each read as ReadList reads it under its operation, read together.
    struct ListToRead {
        const char* operation;
        const char* role;
        PxObjectCollection* members;
    };
    void ReadLists(const std::vector<ListToRead>& lists) const;
    // The object the attribute of each object refers to, as ReadObject of each answers, their
    // presence asked together, as one list read.
    static std::vector<PxObjectPtr> ReadObjects(const char* operation, const std::vector<PxObjectPtr>& objects,
                                                const char* attribute);
    // The members of one list of several objects, read together (MembersOf), as one list read.
    static std::vector<std::vector<PxObjectPtr>> ReadMembersOf(const char* operation,
                                                               const std::vector<PxObjectPtr>& objects,
                                                               const char* role);
    // The sizes of one list of several objects, read together (CountsOfMembers), as one list read.
    static std::vector<int> ReadListSizes(const char* operation, const std::vector<PxObjectPtr>& objects,
                                          const char* role);
    // The first member of a list; null when the list is empty.
    PxObjectPtr FirstMember(const char* role) const;
    // Every operation that reaches the repository starts here: the operation's fault
    // injection point (PxFaultInjection), and a refusal when the object never was stored.
    void Enter(const char* operation) const;
    // A refusal when the object never was stored.
    void RequireStored() const;

private:
    // The ids of the objects, after entering the operation on each, for each session in
    // order, each id once; null objects are left out.
    static PxOidsBySession DistinctOidsBySession(const char* operation, const std::vector<PxObjectPtr>& objects);
    // The object each (object, oid) names when it is present, through that object's link;
    // null where the oid is 0 or the object is gone. One read for the oids of each session.
    static std::vector<PxObjectPtr> PresentReferences(
        const std::vector<std::pair<const PxObject*, std::int64_t>>& references);
    friend class PxLinkCore;
    friend class PxObjectEdition;
    friend class PxObjectAccess;
    // The edition in the store now; nothing when the object is not present.
    std::optional<std::int64_t> StoredEdition() const;
    void Bind(std::shared_ptr<PxLinkCore> core, const PxObjectRow& row, unsigned generation);
    void MarkNeverStored() noexcept { m_neverStored = true; }
    void OnLastRelease() const noexcept override;
    // Attributes read ahead, with a list's other members, and not used yet: the edition
    // read, in which run of the store's reads (PxStore::ReadRun).
    struct UnnotedRead {
        std::int64_t edition;
        std::uint64_t run;
    };
    const PxValue* Attribute(const char* name) const;
    // The object id an attribute refers to; 0 for none.
    std::int64_t ReferenceAt(const char* name) const;
    // The attribute of each object without buffered attributes (a null value for one without
    // it), read together alone, those objects' buffers left as they are.
    static std::unordered_map<const PxObject*, PxValue> ValuesNotBuffered(const std::vector<PxObjectPtr>& objects,
                                                                         const char* name);
    // Each object with the object id its attribute refers to, those not buffered read together.
    static std::vector<std::pair<const PxObject*, std::int64_t>> ReferencesOf(const std::vector<PxObjectPtr>& objects,
                                                                             const char* name);
    // MembersOf of several roles, in one read for the objects of each session.
    static std::vector<std::vector<std::vector<PxObjectPtr>>> MembersOfEach(const std::vector<MembersAsked>& asked);
    // Whether the attributes must be read (again) before use: none are buffered, the buffer
    // was cleared, or they were read ahead in another run of reads than `run`, the one
    // going on, and may be stale.
    bool NeedsAttributes(std::uint64_t run) const;
    void ReadAttributes(PxSession& session) const;
    // Reads the attributes of the members of the list this object was last listed in,
    // together; false when the object is no longer in that list.
    bool ReadListedAttributes(PxSession& session, unsigned generation) const;
    // Buffers attributes read at that buffer generation in that run of reads, in place of any
    // buffered before; when read ahead, with that read, noted at their first use.
    void TakeAttributes(PxAttributeBuffer attributes, unsigned generation, std::uint64_t run,
                        std::optional<UnnotedRead> unnoted = std::nullopt) const;
    // Fills the collection with a list's members as read, each remembering that read.
    void TakeMembers(PxMembersRead& read, const std::shared_ptr<const PxListRead>& listRead, std::uint64_t run,
                     PxObjectCollection& members) const;
    // A member of a list this object owns as read, remembering that read.
    PxObjectPtr TakeMember(PxMemberRead& entry, bool withAttributes, const std::shared_ptr<const PxListRead>& listRead,
                           std::uint64_t run) const;
    void WriteAttribute(const char* name, PxValue value);
    // Whether the object's buffer shows the attribute holding the value (absent for null);
    // false unless the buffer is current and was read inside the open transaction.
    bool BufferShows(const std::string& name, const PxValue* value) const;
    // Deletes the present objects of the ids with all they own, and steps the editions of the
    // lists that lost an entry.
    static void DeleteStored(PxSession& session, const std::vector<std::int64_t>& oids);
    void AddListEntry(const char* role, const PxObjectPtr& member, bool owning, const char* operation);
    PxObjectPtr CreateOwned(const char* role, const char* className, PxObject* other, const char* otherRole);
    // Takes the row a refresh read (null when the object is not stored or gone): its edition,
    // and no buffered data.
    void TakeRefreshedRow(std::optional<std::int64_t> edition, unsigned generation);
    // The buffered row was read before the link's buffers were last cleared.
    bool RowIsStale() const;
    void ReloadRowIfStale() const;
    static PxObject* PxCreate();

    std::shared_ptr<PxLinkCore> m_core;
    std::int64_t m_oid = 0;
    CString m_className;
    std::int64_t m_created = 0;
    mutable std::int64_t m_edition = 0;
    mutable unsigned m_rowGeneration = 0;
    mutable unsigned m_attributeGeneration = 0;
    mutable std::unique_ptr<PxAttributeBuffer> m_attributes;
    mutable std::uint64_t m_attributesRun = 0; // the run of reads they were read in
    mutable std::optional<UnnotedRead> m_unnotedRead;
    // The list read that last named this object; its members' attributes are read together
    // at the first use of one.
    std::shared_ptr<const PxListRead> m_listRead;
    bool m_neverStored = false;
};
