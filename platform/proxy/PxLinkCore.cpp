#include "proxy/PxLinkCore.h"

#include "proxy/PxSession.h"

#include <algorithm>
#include <utility>

namespace {

// A stored class this build does not know is read as the base of its side.
const PxClassInfo& ClassOfRow(const std::string& className)
{
    if (const PxClassInfo* known = PxFindClass(className.c_str()))
        return *known;
    if (className.rfind("PxVQ", 0) == 0)
        return *PxFindClass("PxVQObject");
    if (className.rfind("PxLSE", 0) == 0)
        return *PxFindClass("PxLSEObject");
    return PxObject::ClassInfo();
}

} // namespace

void PxLinkCore::Attach(std::shared_ptr<PxSession> session)
{
    session->Register(this);
    std::lock_guard lock(m_mutex);
    m_session = std::move(session);
}

void PxLinkCore::Close() noexcept
{
    std::shared_ptr<PxSession> session;
    {
        std::lock_guard lock(m_mutex);
        m_link = nullptr;
        session.swap(m_session);
        m_objects.clear();
    }
    if (session)
        session->Unregister(this);
}

bool PxLinkCore::IsAttached() const
{
    std::lock_guard lock(m_mutex);
    return m_session != nullptr;
}

PxLink* PxLinkCore::Link() const
{
    std::lock_guard lock(m_mutex);
    return m_link;
}

std::shared_ptr<PxSession> PxLinkCore::Session() const
{
    std::lock_guard lock(m_mutex);
    if (!m_session) {
        if (!m_link)
            PX_THROW("The repository link has been closed.");
        PX_THROW("The repository link is not attached to a session.");
    }
    return m_session;
}

PxObjectPtr PxLinkCore::Object(const PxObjectRow& row)
{
    std::lock_guard lock(m_mutex);
    if (PxObjectPtr object = ExistingLocked(row.oid))
        return object;
    const PxClassInfo& info = ClassOfRow(row.className);
    PxObject* object = info.create();
    object->Bind(shared_from_this(), row, m_generation.load());
    m_objects[row.oid] = object;
    m_mostAlive = std::max(m_mostAlive, m_objects.size());
    return PxObjectPtr(object);
}

PxObjectPtr PxLinkCore::Existing(std::int64_t oid)
{
    std::lock_guard lock(m_mutex);
    return ExistingLocked(oid);
}

std::shared_ptr<const PxListRead> PxLinkCore::ExchangeListRead(const std::string& role,
                                                                std::shared_ptr<const PxListRead> read)
{
    std::lock_guard lock(m_mutex);
    std::shared_ptr<const PxListRead>& last = m_listReads[role];
    last.swap(read);
    return read;
}

PxObjectPtr PxLinkCore::ExistingLocked(std::int64_t oid)
{
    auto found = m_objects.find(oid);
    if (found == m_objects.end() || !found->second->PxTryAddRef())
        return PxObjectPtr();
    PxObjectPtr object(found->second);
    found->second->PxRelease();
    return object;
}

PxObjectPtr PxLinkCore::Load(std::int64_t oid)
{
    std::shared_ptr<PxSession> session = Session();
    std::optional<PxObjectRow> row = session->Read([&] { return session->Store().Row(oid); });
    return row ? Object(*row) : PxObjectPtr();
}

void PxLinkCore::Forget(const PxObject* object) noexcept
{
    std::lock_guard lock(m_mutex);
    auto found = m_objects.find(object->Oid());
    if (found != m_objects.end() && found->second == object)
        m_objects.erase(found);
}

std::size_t PxLinkCore::TakeMostAlive()
{
    std::lock_guard lock(m_mutex);
    return std::exchange(m_mostAlive, m_objects.size());
}

void PxLinkCore::TakeOwnEditionSteps(const std::unordered_map<std::int64_t, std::int64_t>& editions)
{
    for (const auto& [oid, edition] : editions)
        if (const PxObjectPtr object = Existing(oid); object && !object->RowIsStale() && object->m_edition + 1 == edition)
            object->m_edition = edition;
}

void PxLinkCore::AfterRollback(const std::vector<std::int64_t>& created) noexcept
{
    ClearBuffers();
    std::lock_guard lock(m_mutex);
    for (std::int64_t oid : created) {
        auto found = m_objects.find(oid);
        if (found != m_objects.end()) {
            found->second->MarkNeverStored();
            m_objects.erase(found);
        }
    }
}
