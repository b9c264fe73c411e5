#include "proxy/PxObject.h"
#include "proxy/PxTesting.h"

#include "proxy/PxFaultInjection.h"
#include "proxy/PxLinkCore.h"
#include "proxy/PxList.h"
#include "proxy/PxSession.h"
#include "proxy/PxStore.h"
#include "win/Clock.h"

#include <atomic>
#include <ranges>
#include <unordered_set>

struct PxOidsBySession : std::unordered_map<std::shared_ptr<PxSession>, std::vector<std::int64_t>> {};

namespace {

using OidsBySession = PxOidsBySession;

// The rows of the ids that are present, in one read for the ids of each session.
std::unordered_map<std::shared_ptr<PxSession>, std::unordered_map<std::int64_t, PxObjectRow>> PresentRowsOf(
    const OidsBySession& asked)
{
    std::unordered_map<std::shared_ptr<PxSession>, std::unordered_map<std::int64_t, PxObjectRow>> present;
    for (const auto& [session, oids] : asked) {
        present[session] = session->Read([&] { return session->Store().PresentRows(oids); });
    }
    return present;
}

// The editions of the ids that are present, in one read for the ids of each session.
std::unordered_map<std::shared_ptr<PxSession>, std::unordered_map<std::int64_t, std::int64_t>> PresentEditionsOf(
    const OidsBySession& asked)
{
    std::unordered_map<std::shared_ptr<PxSession>, std::unordered_map<std::int64_t, std::int64_t>> present;
    for (const auto& [session, oids] : asked) {
        present[session] = session->Read([&] { return session->Store().PresentEditions(oids); });
    }
    return present;
}

} // namespace

const PxClassInfo& PxObject::ClassInfo()
{
    static const PxClassInfo info{"PxObject", nullptr, nullptr, 0, &PxObject::PxCreate};
    return info;
}

const PxClassInfo& PxObject::GetClassInfo() const { return ClassInfo(); }

PxObject* PxObject::PxCreate() { return new PxObject; }

// A list as read: whose (the lists of several owners read together), which, at which buffer
// generation, and whether one of its members' attributes has been used since.
struct PxListRead {
    std::vector<std::int64_t> owners;
    std::string role;
    unsigned generation;
    mutable std::atomic<bool> used{false};
};

PxObject::PxObject() = default;

PxObject::~PxObject() = default;

void PxObject::Bind(std::shared_ptr<PxLinkCore> core, const PxObjectRow& row, unsigned generation)
{
    m_core = std::move(core);
    m_oid = row.oid;
    m_className = CString(row.className);
    m_created = row.created;
    m_edition = row.edition;
    m_rowGeneration = generation;
}

void PxObject::OnLastRelease() const noexcept
{
    if (m_core)
        m_core->Forget(this);
    delete this;
}

PxLink* PxObject::GetLink() const { return m_core ? m_core->Link() : nullptr; }

std::shared_ptr<PxSession> PxObject::Session() const
{
    if (!m_core)
        PX_THROW("The object belongs to no repository link.");
    return m_core->Session();
}

void PxObject::Enter(const char* operation) const
{
    PxFaultInjection::Check(operation);
    RequireStored();
}

void PxObject::RequireStored() const
{
    if (m_neverStored)
        PX_THROW_DELETED("The object is no longer in the repository: the transaction that made it was aborted.");
}

BOOL PxObject::IsSameOid(const PxObjectPtr& other) const { return other && other->m_oid == m_oid; }

BOOL PxObject::ObjectPresent() const
{
    PxFaultInjection::Check("PxObject::ObjectPresent");
    if (m_neverStored)
        return FALSE;
    std::shared_ptr<PxSession> session = Session();
    return session->Read([&] { return session->Store().Present(m_oid); });
}

std::vector<bool> PxObject::ArePresent(const std::vector<PxObjectPtr>& objects)
{
    OidsBySession asked;
    for (const PxObjectPtr& object : objects) {
        PxFaultInjection::Check("PxObject::ObjectPresent");
        if (!object->m_neverStored)
            asked[object->Session()].push_back(object->m_oid);
    }
    auto present = PresentEditionsOf(asked);
    std::vector<bool> answers;
    for (const PxObjectPtr& object : objects)
        answers.push_back(!object->m_neverStored && present[object->Session()].contains(object->m_oid));
    return answers;
}

// The lists' members' attributes come with them as GetMembers decides for one list: when a
// member's attributes were used after the link's last read of a list of that role; otherwise the
// first use of one member reads those of every member of these lists still without them.
std::vector<std::vector<PxObjectPtr>> PxObject::MembersOf(const std::vector<PxObjectPtr>& objects, const char* role)
{
    return std::move(MembersOfEach({{nullptr, objects, role}}).front());
}

std::vector<std::vector<std::vector<PxObjectPtr>>> PxObject::MembersOfEach(const std::vector<MembersAsked>& asked)
{
    // One read for the objects of each session; a list read for the objects of each link and role.
    struct Place {
        std::size_t asked;
        std::size_t object;
    };
    std::unordered_map<std::shared_ptr<PxSession>, std::vector<Place>> placesBySession;
    std::vector<std::vector<std::vector<PxObjectPtr>>> members(asked.size());
    for (std::size_t entry = 0; entry < asked.size(); ++entry) {
        members[entry].resize(asked[entry].objects.size());
        for (std::size_t index = 0; index < asked[entry].objects.size(); ++index) {
            asked[entry].objects[index]->Enter("PxObject::GetMembers");
            placesBySession[asked[entry].objects[index]->Session()].push_back({entry, index});
        }
    }
    for (const auto& [session, places] : placesBySession) {
        std::vector<PxRoleAsked> roles;
        std::vector<std::vector<Place>> placesOfRole;
        std::unordered_map<std::size_t, std::size_t> roleOfEntry;
        std::vector<std::unordered_map<PxLinkCore*, std::shared_ptr<PxListRead>>> listReads;
        for (const Place& place : places) {
            const MembersAsked& entry = asked[place.asked];
            const auto [found, isNew] = roleOfEntry.emplace(place.asked, roles.size());
            if (isNew) {
                roles.push_back({{}, entry.role ? entry.role : "", entry.withAttributes});
                placesOfRole.emplace_back();
                listReads.emplace_back();
            }
            const PxObject& owner = *entry.objects[place.object];
            std::shared_ptr<PxListRead>& listRead = listReads[found->second][owner.m_core.get()];
            if (!listRead)
                listRead = std::make_shared<PxListRead>(std::vector<std::int64_t>{}, roles[found->second].role,
                                                        owner.m_core->BufferGeneration());
            listRead->owners.push_back(owner.m_oid);
            roles[found->second].owners.push_back(owner.m_oid);
            placesOfRole[found->second].push_back(place);
        }
        for (std::size_t role = 0; role < roles.size(); ++role) {
            for (const auto& [core, listRead] : listReads[role]) {
                const std::shared_ptr<const PxListRead> last = core->ExchangeListRead(listRead->role, listRead);
                roles[role].withAttributes = roles[role].withAttributes || (last && last->used);
            }
        }
        std::vector<std::vector<std::vector<PxMemberRead>>> reads;
        std::uint64_t run = 0;
        session->Read([&] {
            reads = session->Store().MembersOfRoles(roles);
            run = session->Store().ReadRun();
        });
        for (std::size_t role = 0; role < roles.size(); ++role) {
            for (std::size_t k = 0; k < placesOfRole[role].size(); ++k) {
                const Place& place = placesOfRole[role][k];
                const PxObject& owner = *asked[place.asked].objects[place.object];
                const std::shared_ptr<const PxListRead> listRead = listReads[role][owner.m_core.get()];
                for (PxMemberRead& entry : reads[role][k])
                    members[place.asked][place.object].push_back(
                        owner.TakeMember(entry, roles[role].withAttributes, listRead, run));
            }
        }
    }
    return members;
}

std::optional<std::int64_t> PxObject::StoredEdition() const
{
    if (m_neverStored)
        return std::nullopt;
    std::shared_ptr<PxSession> session = Session();
    return session->Read([&] { return session->Store().Edition(m_oid); });
}

BOOL PxObject::_IsKindOf(const char* className) const
{
    return className && (m_className == className || GetClassInfo().IsKindOf(className));
}

BOOL PxObject::_IsA(const char* className) const { return className && m_className == className; }

int PxObject::GetObjectKind() const { return GetClassInfo().ObjectKind(); }

void PxObject::Refresh()
{
    Enter("PxObject::Refresh");
    std::shared_ptr<PxSession> session = Session();
    unsigned generation = m_core->BufferGeneration();
    std::optional<PxObjectRow> row = session->Read([&] { return session->Store().Row(m_oid); });
    TakeRefreshedRow(row ? std::optional<std::int64_t>(row->edition) : std::nullopt, generation);
}

std::vector<PxFound> PxObject::RefreshChanged(const std::vector<PxObjectPtr>& objects)
{
    OidsBySession asked;
    std::unordered_map<std::shared_ptr<PxSession>, unsigned> generations;
    for (const PxObjectPtr& object : objects) {
        object->Enter("PxObject::Refresh");
        std::shared_ptr<PxSession> session = object->Session();
        asked[session].push_back(object->m_oid);
        generations[session] = object->m_core->BufferGeneration();
    }
    auto present = PresentEditionsOf(asked);
    std::vector<PxFound> found;
    found.reserve(objects.size());
    for (const PxObjectPtr& object : objects) {
        const std::shared_ptr<PxSession> session = object->Session();
        const auto& editions = present[session];
        const auto at = editions.find(object->m_oid);
        const std::optional<std::int64_t> edition =
            at == editions.end() ? std::nullopt : std::optional<std::int64_t>(at->second);
        if (!edition)
            found.push_back(PxFound::Gone);
        else
            found.push_back(*edition != object->m_edition ? PxFound::Changed : PxFound::Unchanged);
        if (found.back() == PxFound::Unchanged)
            object->m_rowGeneration = generations[session];
        else
            object->TakeRefreshedRow(edition, generations[session]);
    }
    return found;
}

void PxObject::TakeRefreshedRow(std::optional<std::int64_t> edition, unsigned generation)
{
    if (edition)
        m_edition = *edition;
    m_rowGeneration = generation;
    m_attributes.reset();
    m_listRead.reset();
}

bool PxObject::RowIsStale() const
{
    return m_core && m_core->BufferGeneration() != m_rowGeneration && !m_neverStored;
}

void PxObject::ReloadRowIfStale() const
{
    if (!RowIsStale())
        return;
    const unsigned generation = m_core->BufferGeneration();
    std::shared_ptr<PxSession> session = Session();
    std::optional<PxObjectRow> row = session->Read([&] { return session->Store().Row(m_oid); });
    if (row)
        m_edition = row->edition;
    m_rowGeneration = generation;
}

std::int64_t PxObject::BufferedEdition() const
{
    ReloadRowIfStale();
    return m_edition;
}

std::int64_t PxObject::CurrentEdition() const
{
    if (m_core && m_core->IsAttached())
        m_core->Session()->TakeEditionSteps();
    return BufferedEdition();
}

void PxObject::SetBufferedEdition(std::int64_t edition)
{
    if (m_core && m_rowGeneration == m_core->BufferGeneration())
        m_edition = edition;
}

BOOL PxObject::IsLocked() const
{
    Enter("PxObject::IsLocked");
    std::shared_ptr<PxSession> session = Session();
    auto guard = session->Guard();
    return session->Locks().LockedByOther(session->Id(), m_oid);
}

CString PxObject::GetStringProperty(const char* name) const
{
    Enter("PxObject::GetStringProperty");
    return GetAttributeText(name);
}

int PxObject::GetIntProperty(const char* name) const
{
    Enter("PxObject::GetIntProperty");
    return static_cast<int>(GetAttributeInt(name));
}

const PxValue* PxObject::Attribute(const char* name) const
{
    Enter("PxObject::GetAttribute");
    std::shared_ptr<PxSession> session = Session();
    auto guard = session->Guard();
    if (m_listRead)
        m_listRead->used = true;
    if (NeedsAttributes(session->Store().ReadRun()))
        session->Read([&] { ReadAttributes(*session); });
    if (m_unnotedRead) {
        session->Store().NoteBufferedRead(m_oid, m_unnotedRead->edition);
        m_unnotedRead.reset();
    }
    auto found = m_attributes->find(name ? name : "");
    return found == m_attributes->end() ? nullptr : &found->second;
}

bool PxObject::NeedsAttributes(std::uint64_t run) const
{
    return !m_attributes || m_attributeGeneration != m_core->BufferGeneration() ||
           (m_unnotedRead && m_unnotedRead->run != run);
}

void PxObject::ReadAttributes(PxSession& session) const
{
    unsigned generation = m_core->BufferGeneration();
    if (m_listRead && m_listRead->generation == generation && ReadListedAttributes(session, generation))
        return;
    PxAttributeBuffer attributes;
    if (!session.Store().LoadAttributes(m_oid, attributes))
        PX_THROW_GONE("Cannot read the object: it is no longer in the repository.", GetClassInfo().ObjectKind());
    TakeAttributes(std::move(attributes), generation, session.Store().ReadRun());
}

bool PxObject::ReadListedAttributes(PxSession& session, unsigned generation) const
{
    PxStore& store = session.Store();
    const std::vector<std::int64_t>& owners = m_listRead->owners;
    const char* role = m_listRead->role.c_str();
    std::vector<std::vector<PxMemberRead>> lists;
    if (owners.size() == 1)
        lists.push_back(store.MembersWithAttributes(owners.front(), role));
    else
        lists = store.MembersWithAttributesOf(owners, role);
    const std::uint64_t run = store.ReadRun();
    bool found = false;
    for (PxMemberRead& read : lists | std::views::join) {
        const PxObject* member = this;
        PxObjectPtr other;
        if (read.row.oid != m_oid) {
            other = m_core->Existing(read.row.oid);
            member = other.get();
        }
        if (!member || member->m_listRead != m_listRead || !member->NeedsAttributes(run))
            continue;
        member->TakeAttributes(std::move(read.attributes), generation, run, UnnotedRead{read.row.edition, run});
        found = found || member == this;
    }
    return found;
}

void PxObject::TakeAttributes(PxAttributeBuffer attributes, unsigned generation, std::uint64_t run,
                              std::optional<UnnotedRead> unnoted) const
{
    m_attributes = std::make_unique<PxAttributeBuffer>(std::move(attributes));
    m_attributeGeneration = generation;
    m_attributesRun = run;
    m_unnotedRead = unnoted;
}

BOOL PxObject::HasAttribute(const char* name) const { return Attribute(name) != nullptr; }

CString PxObject::GetAttributeText(const char* name) const
{
    const PxValue* value = Attribute(name);
    return value ? CString(value->AsText()) : CString();
}

std::int64_t PxObject::GetAttributeInt(const char* name) const
{
    const PxValue* value = Attribute(name);
    return value ? value->AsInt() : 0;
}

std::vector<BYTE> PxObject::GetAttributeBlob(const char* name) const
{
    const PxValue* value = Attribute(name);
    if (!value)
        return {};
    return std::vector<BYTE>(value->bytes.begin(), value->bytes.end());
}

PxObjectPtr PxObject::GetAttributeObject(const char* name) const { return GetAttributeObjects({name}).front(); }

std::vector<PxObjectPtr> PxObject::GetAttributeObjects(const std::vector<std::string>& names) const
{
    std::vector<std::pair<const PxObject*, std::int64_t>> references;
    for (const std::string& name : names)
        references.emplace_back(this, ReferenceAt(name.c_str()));
    return PresentReferences(references);
}

std::vector<PxObjectPtr> PxObject::AttributeObjectsOf(const std::vector<PxObjectPtr>& objects, const char* name)
{
    return PresentReferences(ReferencesOf(objects, name));
}

std::vector<std::pair<const PxObject*, std::int64_t>> PxObject::ReferencesOf(const std::vector<PxObjectPtr>& objects,
                                                                             const char* name)
{
    const std::unordered_map<const PxObject*, PxValue> unbuffered = ValuesNotBuffered(objects, name);
    std::vector<std::pair<const PxObject*, std::int64_t>> references;
    for (const PxObjectPtr& object : objects) {
        const auto read = unbuffered.find(object.get());
        if (read == unbuffered.end())
            references.emplace_back(object.get(), object->ReferenceAt(name));
        else
            references.emplace_back(object.get(), read->second.type == PxValue::Int ? read->second.number : 0);
    }
    return references;
}

std::vector<CString> PxObject::AttributeTextsOf(const std::vector<PxObjectPtr>& objects, const char* name)
{
    const std::unordered_map<const PxObject*, PxValue> unbuffered = ValuesNotBuffered(objects, name);
    std::vector<CString> texts;
    texts.reserve(objects.size());
    for (const PxObjectPtr& object : objects) {
        const auto read = unbuffered.find(object.get());
        texts.push_back(read == unbuffered.end() ? object->GetAttributeText(name) : CString(read->second.AsText()));
    }
    return texts;
}

std::vector<std::optional<CString>> PxObject::StoredTextsOf(const std::vector<PxObjectPtr>& objects, const char* name)
{
    const std::unordered_map<const PxObject*, PxValue> unbuffered = ValuesNotBuffered(objects, name);
    std::vector<std::optional<CString>> texts;
    texts.reserve(objects.size());
    for (const PxObjectPtr& object : objects) {
        const auto read = unbuffered.find(object.get());
        const PxValue* value = read == unbuffered.end() ? object->Attribute(name) : &read->second;
        texts.push_back(value && value->type != PxValue::Null ? std::optional(CString(value->AsText())) : std::nullopt);
    }
    return texts;
}

// Only the one attribute is read: reading all of each object's attributes (or those of every
// member of the lists the objects were read with) would cost many times what it is asked for.
std::unordered_map<const PxObject*, PxValue> PxObject::ValuesNotBuffered(const std::vector<PxObjectPtr>& objects,
                                                                         const char* name)
{
    std::unordered_map<std::shared_ptr<PxSession>, std::vector<const PxObject*>> asked;
    for (const PxObjectPtr& object : objects) {
        std::shared_ptr<PxSession> session = object->Session();
        bool needed = false;
        {
            auto guard = session->Guard();
            needed = object->NeedsAttributes(session->Store().ReadRun());
        }
        if (needed) {
            object->Enter("PxObject::GetAttribute");
            asked[session].push_back(object.get());
        }
    }
    std::unordered_map<const PxObject*, PxValue> read;
    for (const auto& [session, unbuffered] : asked) {
        std::vector<std::int64_t> oids;
        std::unordered_set<std::int64_t> seen;
        for (const PxObject* object : unbuffered)
            if (seen.insert(object->m_oid).second)
                oids.push_back(object->m_oid);
        const std::unordered_map<std::int64_t, PxValue> values =
            session->Read([&] { return session->Store().AttributeOfEach(oids, name ? name : ""); });
        for (const PxObject* object : unbuffered) {
            const auto value = values.find(object->m_oid);
            if (value == values.end())
                PX_THROW_GONE("Cannot read the object: it is no longer in the repository.",
                              object->GetClassInfo().ObjectKind());
            read.emplace(object, value->second);
        }
    }
    return read;
}

std::int64_t PxObject::ReferenceAt(const char* name) const
{
    const PxValue* value = Attribute(name);
    return value && value->type == PxValue::Int ? value->number : 0;
}

PxOidsBySession PxObject::DistinctOidsBySession(const char* operation, const std::vector<PxObjectPtr>& objects)
{
    OidsBySession asked;
    std::unordered_map<std::shared_ptr<PxSession>, std::unordered_set<std::int64_t>> seen;
    for (const PxObjectPtr& object : objects) {
        if (!object)
            continue;
        object->Enter(operation);
        std::shared_ptr<PxSession> session = object->Session();
        if (seen[session].insert(object->m_oid).second)
            asked[session].push_back(object->m_oid);
    }
    return asked;
}

std::vector<PxObjectPtr> PxObject::PresentReferences(
    const std::vector<std::pair<const PxObject*, std::int64_t>>& references)
{
    OidsBySession asked;
    for (const auto& [object, oid] : references)
        if (oid)
            asked[object->Session()].push_back(oid);
    auto present = PresentRowsOf(asked);
    std::vector<PxObjectPtr> objects;
    for (const auto& [object, oid] : references) {
        if (oid)
            // Asking an object's presence is where a read of it fails.
            PxFaultInjection::Check("PxObject::ObjectPresent");
        const auto& rows = present[object->Session()];
        auto found = rows.find(oid);
        objects.push_back(found == rows.end() ? PxObjectPtr() : object->m_core->Object(found->second));
    }
    return objects;
}

BOOL PxObject::RefersTo(const char* name, const PxObjectPtr& object) const
{
    return object && ReferenceAt(name) == object->m_oid && object->ObjectPresent();
}

void PxObject::SetAttributeText(const char* name, const char* value)
{
    WriteAttribute(name, PxValue::OfText(value ? value : ""));
}

void PxObject::SetAttributeInt(const char* name, std::int64_t value) { WriteAttribute(name, PxValue::OfInt(value)); }

void PxObject::SetAttributeBlob(const char* name, const void* data, std::size_t size)
{
    WriteAttribute(name, PxValue::OfBlob(std::string(static_cast<const char*>(data), data ? size : 0)));
}

void PxObject::SetAttributeObject(const char* name, const PxObjectPtr& object)
{
    WriteAttribute(name, object ? PxValue::OfInt(object->m_oid) : PxValue());
}

void PxObject::SetAttributeNull(const char* name) { WriteAttribute(name, PxValue()); }

BOOL PxObject::IsAttributeNull(const char* name) const
{
    const PxValue* value = Attribute(name);
    return value && value->type == PxValue::Null;
}

void PxObject::RemoveAttribute(const char* name)
{
    Enter("PxObject::RemoveAttribute");
    std::string key = name ? name : "";
    std::shared_ptr<PxSession> session = Session();
    const bool removed = session->WriteIfChanging([&] { return !BufferShows(key, nullptr); }, [&] {
        if (session->Store().DeleteAttribute(m_oid, key))
            NoteChange(*session);
    });
    if (removed && m_attributes && m_attributeGeneration == m_core->BufferGeneration())
        m_attributes->erase(key);
}

void PxObject::WriteAttribute(const char* name, PxValue value)
{
    Enter("PxObject::SetAttribute");
    std::string key = name ? name : "";
    std::shared_ptr<PxSession> session = Session();
    const bool written = session->WriteIfChanging(
        [&] { return !BufferShows(key, &value); },
        [&] {
            NoteChange(*session);
            session->Store().WriteAttribute(m_oid, key, value);
        });
    if (written && m_attributes && m_attributeGeneration == m_core->BufferGeneration())
        (*m_attributes)[key] = std::move(value);
}

// A setter reads nothing for the comparison. A buffer read before the transaction may be older
// than the stored record; one read inside it was checked when the writer slot was taken or
// read under it, and its use here is noted for that check as any read's is.
bool PxObject::BufferShows(const std::string& name, const PxValue* value) const
{
    std::shared_ptr<PxSession> session = Session();
    if (NeedsAttributes(session->Store().ReadRun()) || !session->ReadInTransaction(m_attributesRun))
        return false;
    const PxValue* stored = Attribute(name.c_str());
    return value ? stored && *stored == *value : !stored;
}

void PxObject::NoteChange(PxSession& session)
{
    // A stale buffer reads the stepped edition at its next use: it is not read for the step.
    const std::optional<std::int64_t> buffered = RowIsStale() ? std::nullopt : std::optional(m_edition);
    std::weak_ptr<PxLinkCore> core = m_core;
    session.StepEditionOnce(m_oid, buffered, [core, oid = m_oid, buffered](std::int64_t edition) {
        // A buffer that was current stays current; a stale one stays recognisably stale.
        if (!buffered || edition != *buffered + 1)
            return;
        if (const std::shared_ptr<PxLinkCore> linkCore = core.lock())
            if (const PxObjectPtr object = linkCore->Existing(oid))
                object->SetBufferedEdition(edition);
    });
}

void PxObject::Delete()
{
    std::shared_ptr<PxSession> session = Session();
    session->Write([&] {
        if (!session->Store().Present(Oid()))
            PX_THROW_DELETED("Cannot delete the object: it is no longer in the repository.");
        DeleteStored(*session, {Oid()});
    });
}

void PxObject::DeleteAll(const char* operation, const std::vector<PxObjectPtr>& objects)
{
    for (const auto& [session, oids] : DistinctOidsBySession(operation, objects)) {
        session->Write([&] {
            const std::unordered_map<std::int64_t, PxObjectRow> present = session->Store().PresentRows(oids);
            std::vector<std::int64_t> deleting;
            for (std::int64_t oid : oids)
                if (present.count(oid))
                    deleting.push_back(oid);
            DeleteStored(*session, deleting);
        });
    }
}

void PxObject::DeleteStored(PxSession& session, const std::vector<std::int64_t>& oids)
{
    PxStore::Deletion deletion = session.Store().DeleteAll(oids);
    session.NoteDeleted(deletion.deleted);
    session.StepEditionsOnce(deletion.listsChanged);
}

// A list's members' attributes are read with it when they were used after the last read of
// a list of that role through the link, else at the first use of one of them.
void PxObject::GetMembers(const char* role, PxObjectCollection& members) const
{
    GetListsOfMembers({{role, &members}});
}

void PxObject::GetListsOfMembers(const std::vector<std::pair<const char*, PxObjectCollection*>>& lists) const
{
    Enter("PxObject::GetMembers");
    std::shared_ptr<PxSession> session = Session();
    const unsigned generation = m_core->BufferGeneration();
    std::vector<std::shared_ptr<const PxListRead>> listReads;
    std::vector<PxListAsked> asked;
    for (const auto& [role, members] : lists) {
        const std::string list = role ? role : "";
        auto listRead = std::make_shared<const PxListRead>(std::vector<std::int64_t>{m_oid}, list, generation);
        const std::shared_ptr<const PxListRead> last = m_core->ExchangeListRead(list, listRead);
        asked.push_back({list, last && last->used});
        listReads.push_back(std::move(listRead));
    }
    std::vector<PxMembersRead> reads;
    std::uint64_t run = 0;
    session->Read([&] {
        reads = session->Store().MembersOfLists(m_oid, asked);
        run = session->Store().ReadRun();
    });
    for (std::size_t index = 0; index < lists.size(); ++index)
        TakeMembers(reads[index], listReads[index], run, *lists[index].second);
}

void PxObject::TakeMembers(PxMembersRead& read, const std::shared_ptr<const PxListRead>& listRead, std::uint64_t run,
                           PxObjectCollection& members) const
{
    members.PxEmpty();
    for (PxMemberRead& entry : read.members)
        members.PxAppend(TakeMember(entry, read.withAttributes, listRead, run));
}

PxObjectPtr PxObject::TakeMember(PxMemberRead& entry, bool withAttributes,
                                 const std::shared_ptr<const PxListRead>& listRead, std::uint64_t run) const
{
    PxObjectPtr member = m_core->Object(entry.row);
    member->m_listRead = listRead;
    // A list read again brings its members' data afresh, with it or at their next use.
    if (withAttributes)
        member->TakeAttributes(std::move(entry.attributes), listRead->generation, run,
                               UnnotedRead{entry.row.edition, run});
    else
        member->m_attributes.reset();
    return member;
}

int PxObject::CountOfMembers(const char* role) const
{
    Enter("PxObject::CountOfMembers");
    std::shared_ptr<PxSession> session = Session();
    return session->Read([&] { return session->Store().CountMembers(m_oid, role); });
}

std::vector<int> PxObject::CountsOfMembers(const std::vector<PxObjectPtr>& objects, const char* role)
{
    // One read for the objects of each session, each object once.
    const OidsBySession asked = DistinctOidsBySession("PxObject::CountOfMembers", objects);
    std::unordered_map<std::shared_ptr<PxSession>, std::unordered_map<std::int64_t, int>> counted;
    for (const auto& [session, oids] : asked) {
        counted[session] = session->Read([&] { return session->Store().CountMembersOf(oids, role); });
    }
    std::vector<int> counts;
    for (const PxObjectPtr& object : objects) {
        const auto& ofSession = counted[object->Session()];
        const auto found = ofSession.find(object->m_oid);
        counts.push_back(found == ofSession.end() ? 0 : found->second);
    }
    return counts;
}

PxObjectPtr PxObject::FindMember(const char* role, const char* attribute, const char* text) const
{
    Enter("PxObject::FindMember");
    std::shared_ptr<PxSession> session = Session();
    std::optional<PxObjectRow> row =
        session->Read([&] { return session->Store().FindMember(m_oid, role, attribute, text ? text : ""); });
    return row ? m_core->Object(*row) : PxObjectPtr();
}

PxObjectPtr PxObject::GetOwner() const
{
    Enter("PxObject::GetOwner");
    std::shared_ptr<PxSession> session = Session();
    std::optional<PxObjectRow> owner = session->Read([&] { return session->Store().Owner(m_oid); });
    return owner ? m_core->Object(*owner) : PxObjectPtr();
}

PxObjectPtr PxObject::CreateMember(const char* role, const char* className)
{
    Enter("PxObject::CreateMember");
    return CreateOwned(role, className, nullptr, nullptr);
}

PxObjectPtr PxObject::CreateSharedMember(const char* role, const char* className, const PxObjectPtr& other,
                                         const char* otherRole)
{
    Enter("PxObject::CreateSharedMember");
    if (!other)
        PX_THROW("Cannot add a null object to a list.");
    other->RequireStored();
    return CreateOwned(role, className, other.get(), otherRole);
}

PxObjectPtr PxObject::CreateOwned(const char* role, const char* className, PxObject* other, const char* otherRole)
{
    if (!className || !PxFindClass(className))
        PX_THROW("Cannot create an object of the unknown class %1.", className ? className : "");
    std::shared_ptr<PxSession> session = Session();
    PxObjectRow row;
    session->Write([&] {
        NoteChange(*session);
        if (other)
            other->NoteChange(*session);
        row = {0, className, _time64(nullptr), 1, true};
        row.oid = session->CreateObject(className, row.created);
        session->Store().AddMember(m_oid, role, row.oid, true);
        if (other)
            session->Store().AddMember(other->m_oid, otherRole, row.oid, true);
    });
    return m_core->Object(row);
}

void PxObject::AddMember(const char* role, const PxObjectPtr& member)
{
    AddListEntry(role, member, false, "PxObject::AddMember");
}

void PxObject::AddOwnedMember(const char* role, const PxObjectPtr& member)
{
    AddListEntry(role, member, true, "PxObject::AddOwnedMember");
}

void PxObject::AddListEntry(const char* role, const PxObjectPtr& member, bool owning, const char* operation)
{
    Enter(operation);
    if (!member)
        PX_THROW("Cannot add a null object to a list.");
    if (member->m_neverStored)
        PX_THROW_DELETED("Cannot add the object to a list: it is no longer in the repository.");
    std::shared_ptr<PxSession> session = Session();
    session->Write([&] {
        if (!session->Store().Present(member->m_oid))
            PX_THROW_DELETED("Cannot add the object to a list: it is no longer in the repository.");
        NoteChange(*session);
        session->Store().AddMember(m_oid, role, member->m_oid, owning);
    });
}

void PxObject::RemoveMember(const char* role, const PxObjectPtr& member)
{
    Enter("PxObject::RemoveMember");
    if (!member)
        return;
    std::shared_ptr<PxSession> session = Session();
    session->Write([&] {
        if (session->Store().RemoveMember(m_oid, role, member->m_oid))
            NoteChange(*session);
    });
}

CString PxObject::ReadText(const char* operation, const char* attribute) const
{
    Enter(operation);
    return GetAttributeText(attribute);
}

std::int64_t PxObject::ReadInt(const char* operation, const char* attribute) const
{
    Enter(operation);
    return GetAttributeInt(attribute);
}

PxObjectPtr PxObject::ReadObject(const char* operation, const char* attribute) const
{
    Enter(operation);
    return GetAttributeObject(attribute);
}

void PxObject::WriteText(const char* operation, const char* attribute, const char* value)
{
    Enter(operation);
    SetAttributeText(attribute, value);
}

void PxObject::WriteInt(const char* operation, const char* attribute, std::int64_t value)
{
    Enter(operation);
    SetAttributeInt(attribute, value);
}

void PxObject::WriteObject(const char* operation, const char* attribute, const PxObjectPtr& object)
{
    Enter(operation);
    SetAttributeObject(attribute, object);
}

void PxObject::ReadList(const char* operation, const char* role, PxObjectCollection& members) const
{
    Enter(operation);
    PxTesting::NoteListRead(operation);
    GetMembers(role, members);
}

void PxObject::ReadLists(const std::vector<ListToRead>& lists) const
{
    std::vector<std::pair<const char*, PxObjectCollection*>> asked;
    for (const ListToRead& list : lists) {
        Enter(list.operation);
        PxTesting::NoteListRead(list.operation);
        asked.emplace_back(list.role, list.members);
    }
    GetListsOfMembers(asked);
}

std::vector<PxObjectPtr> PxObject::ReadObjects(const char* operation, const std::vector<PxObjectPtr>& objects,
                                               const char* attribute)
{
    return std::move(ReadObjectsOfEach({{operation, objects, attribute}}).front());
}

std::vector<std::vector<PxObjectPtr>> PxObject::ReadObjectsOfEach(const std::vector<ReferencesAsked>& asked)
{
    std::vector<std::pair<const PxObject*, std::int64_t>> references;
    for (const ReferencesAsked& entry : asked) {
        PxFaultInjection::Check(entry.operation);
        PxTesting::NoteListRead(entry.operation);
        const std::vector<std::pair<const PxObject*, std::int64_t>> read = ReferencesOf(entry.objects, entry.attribute);
        references.insert(references.end(), read.begin(), read.end());
    }
    const std::vector<PxObjectPtr> present = PresentReferences(references);
    std::vector<std::vector<PxObjectPtr>> objects;
    auto next = present.begin();
    for (const ReferencesAsked& entry : asked) {
        const auto end = next + static_cast<std::ptrdiff_t>(entry.objects.size());
        objects.emplace_back(next, end);
        next = end;
    }
    return objects;
}

std::vector<std::vector<PxObjectPtr>> PxObject::ReadMembersOf(const char* operation,
                                                              const std::vector<PxObjectPtr>& objects,
                                                              const char* role)
{
    return std::move(ReadMembersOfEach({{operation, objects, role}}).front());
}

std::vector<std::vector<std::vector<PxObjectPtr>>> PxObject::ReadMembersOfEach(const std::vector<MembersAsked>& asked)
{
    for (const MembersAsked& entry : asked) {
        PxFaultInjection::Check(entry.operation);
        PxTesting::NoteListRead(entry.operation);
    }
    return MembersOfEach(asked);
}

void PxObject::AskBranchesAheadOf(const PxBranchShape& shape, const std::vector<std::vector<PxObjectPtr>>& chunks)
{
    if (chunks.empty() || chunks.front().empty())
        return;
    const std::shared_ptr<PxSession> session = chunks.front().front()->Session();
    std::vector<std::vector<std::int64_t>> oids;
    for (const std::vector<PxObjectPtr>& chunk : chunks) {
        std::vector<std::int64_t>& tops = oids.emplace_back();
        for (const PxObjectPtr& object : chunk) {
            // Objects of several sessions are read as they come.
            if (object->Session() != session)
                return;
            tops.push_back(object->m_oid);
        }
    }
    session->Read([&] { session->Store().AskBranchesAhead(shape, oids); });
}

void PxObject::DropBranchesAheadOf(const PxObjectPtr& object) noexcept
{
    try {
        const std::shared_ptr<PxSession> session = object->Session();
        auto guard = session->Guard();
        session->Store().DropBranchesAhead();
    } catch (...) {
        // A link that is gone has nothing to drop.
    }
}

std::vector<int> PxObject::ReadListSizes(const char* operation, const std::vector<PxObjectPtr>& objects,
                                         const char* role)
{
    PxFaultInjection::Check(operation);
    PxTesting::NoteListRead(operation);
    return CountsOfMembers(objects, role);
}

PxObjectPtr PxObject::FirstMember(const char* role) const
{
    PxObjectArray members;
    GetMembers(role, members);
    return members.empty() ? PxObjectPtr() : members.front();
}
