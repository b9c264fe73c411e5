// Brackets a stretch of code that locks: the wait cursor shows, and the lock manager knows
// that locking is under way on the link, so that its progress dialog counts the objects and
// lets the user cancel waits. Nested scopes on one link make one locking period.
#pragma once

#include "win/CCmdTarget.h"
#include "win/Object.h"

class PxVQLink;

class VqsLockScope : public CObject {
public:
    explicit VqsLockScope(PxVQLink* link);
    VqsLockScope(const VqsLockScope& other);
    VqsLockScope& operator=(const VqsLockScope& other);
    ~VqsLockScope() override;

    // How many scopes are open on the link.
    static unsigned OpenScopes(PxVQLink* link);

private:
    static void Register(PxVQLink* link);
    static void Unregister(PxVQLink* link) noexcept;

    CWaitCursor m_waitCursor;
    PxVQLink* m_pLink;
};
