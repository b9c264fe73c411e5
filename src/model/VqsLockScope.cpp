#include "model/VqsLockScope.h"

#include "model/VqsLockManager.h"
#include "win/Collections.h"

namespace {

// Touched by lock scopes on the user-interface thread only.
// Made as the library loads, not at first use: the module's end, which may use it, finds it.
CMap<PxVQLink*, PxVQLink*, unsigned, unsigned> g_openScopeCounts{10};

CMap<PxVQLink*, PxVQLink*, unsigned, unsigned>& OpenScopeCounts() { return g_openScopeCounts; }

} // namespace

VqsLockScope::VqsLockScope(PxVQLink* link) : m_pLink(link) { Register(m_pLink); }

VqsLockScope::VqsLockScope(const VqsLockScope& other) : CObject(), m_pLink(other.m_pLink) { Register(m_pLink); }

VqsLockScope& VqsLockScope::operator=(const VqsLockScope& other)
{
    if (other.m_pLink != m_pLink) {
        Unregister(m_pLink);
        m_pLink = other.m_pLink;
        Register(m_pLink);
    }
    return *this;
}

VqsLockScope::~VqsLockScope() { Unregister(m_pLink); }

unsigned VqsLockScope::OpenScopes(PxVQLink* link)
{
    unsigned count = 0;
    OpenScopeCounts().Lookup(link, count);
    return count;
}

void VqsLockScope::Register(PxVQLink* link)
{
    unsigned& count = OpenScopeCounts()[link];
    if (count++ > 0)
        return;
    if (VqsLockManager* manager = VqsLockManager::GetInstance())
        manager->BeginLocking(link);
}

void VqsLockScope::Unregister(PxVQLink* link) noexcept
{
    unsigned count = 0;
    if (!OpenScopeCounts().Lookup(link, count))
        return;
    if (count > 1) {
        OpenScopeCounts()[link] = count - 1;
        return;
    }
    OpenScopeCounts().RemoveKey(link);
    try {
        if (VqsLockManager* manager = VqsLockManager::GetInstance())
            manager->EndLocking(link);
    } catch (...) {
        // Ending a locking period never fails the scope's owner.
    }
}
