#include "proxy/PxVQObject.h"

#include "proxy/PxLinkCore.h"
#include "proxy/PxLocking.h"
#include "proxy/PxSession.h"

#include <cstring>

PX_IMPLEMENT_CLASS(PxVQObject, 0)

PxLockErrorInfo PxVQObject::Lock(int kind, const char* operation)
{
    Enter(operation);
    return PxLockObjects(*LinkCore(), {PxVQObjectPtr(this)}, kind, operation);
}

PxLockErrorInfo PxVQObject::ReadLock() { return Lock(PxLockRead, "PxVQObject::ReadLock"); }

PxLockErrorInfo PxVQObject::LongReadLock() { return Lock(PxLockLongRead, "PxVQObject::LongReadLock"); }

PxLockErrorInfo PxVQObject::FutureUpdateLock() { return Lock(PxLockFutureUpdate, "PxVQObject::FutureUpdateLock"); }

PxLockErrorInfo PxVQObject::WriteLock(int) { return Lock(PxLockWrite, "PxVQObject::WriteLock"); }

PxLockErrorInfo PxVQObject::UnLock()
{
    Enter("PxVQObject::UnLock");
    return PxUnlockObjects(*LinkCore(), {PxVQObjectPtr(this)});
}

PxLockErrorInfo PxVQObject::PersistentLock(int manual)
{
    Enter("PxVQObject::PersistentLock");
    return PxPlacePersistentLocks(*LinkCore(), {PxVQObjectPtr(this)}, manual != 0, "PxVQObject::PersistentLock");
}

PxPersistentLockPtr PxVQObject::GetPersistentLock() const
{
    Enter("PxVQObject::GetPersistentLock");
    std::shared_ptr<PxSession> session = Session();
    std::optional<PxPersistentLockRow> row;
    {
        auto guard = session->Guard();
        row = session->Locks().Persistent(Oid());
    }
    return PxPersistentLockOf(row);
}

PxLockErrorInfo PxVQObject::RemovePersistentLock(int manual, int count)
{
    Enter("PxVQObject::RemovePersistentLock");
    std::shared_ptr<PxSession> session = Session();
    {
        auto guard = session->Guard();
        session->Locks().RemovePersistent(Oid(), manual != 0, count);
    }
    return PxLockErrorInfo(PxLockGranted, PxVQObjectPtr(this));
}

namespace {

// The claim is a write lock on the object's generation slot, a number no object has: the lock
// store's rules give it one holder at a time, drop it with its session and purge it when the
// session's process is found dead.
std::int64_t GenerationSlot(std::int64_t oid) { return -oid; }

// No session has this id: "held by another than it" is "held by any live session".
constexpr std::int64_t kNoSession = 0;

PxVQObject::GenerationClaim ClaimOf(PxSession& session, std::int64_t slot)
{
    if (!session.Locks().LockedByOther(kNoSession, slot))
        return PxVQObject::GenerationClaim::None;
    return session.Locks().LockedByOther(session.Id(), slot) ? PxVQObject::GenerationClaim::Other
                                                              : PxVQObject::GenerationClaim::Own;
}

} // namespace

BOOL PxVQObject::ClaimForGeneration()
{
    Enter("PxVQObject::ClaimForGeneration");
    std::shared_ptr<PxSession> session = Session();
    const std::int64_t slot = GenerationSlot(Oid());
    auto guard = session->Guard();
    if (ClaimOf(*session, slot) != GenerationClaim::None)
        return FALSE;
    return session->Locks().Lock(session->Id(), &slot, 1, PxLockWrite, false).granted == 1;
}

BOOL PxVQObject::ReleaseGenerationClaim()
{
    Enter("PxVQObject::ReleaseGenerationClaim");
    std::shared_ptr<PxSession> session = Session();
    const std::int64_t slot = GenerationSlot(Oid());
    auto guard = session->Guard();
    if (ClaimOf(*session, slot) != GenerationClaim::Own)
        return FALSE;
    session->Locks().Unlock(session->Id(), &slot, 1);
    return TRUE;
}

PxVQObject::GenerationClaim PxVQObject::GetGenerationClaim() const
{
    Enter("PxVQObject::GetGenerationClaim");
    std::shared_ptr<PxSession> session = Session();
    auto guard = session->Guard();
    return ClaimOf(*session, GenerationSlot(Oid()));
}

int PxVQObject::GetIntProperty(const char* name) const
{
    if (name && std::strcmp(name, "persistentLockCount") == 0) {
        PxPersistentLockPtr lock = GetPersistentLock();
        return lock ? lock->GetLockCount() : 0;
    }
    return PxObject::GetIntProperty(name);
}

PxObjectEdition PxVQObject::GetObjectEdition() const
{
    Enter("PxVQObject::GetObjectEdition");
    return PxObjectEdition(PxObjectPtr(const_cast<PxVQObject*>(this)), BufferedEdition());
}

void PxVQObject::UpdateEdition()
{
    Enter("PxVQObject::UpdateEdition");
    std::shared_ptr<PxSession> session = Session();
    session->Write([&] { NoteChange(*session); });
}

void PxVQObject::DeleteObject()
{
    Enter("PxVQObject::DeleteObject");
    Delete();
}

void PxVQObject::RecursiveDeleteObject()
{
    Enter("PxVQObject::RecursiveDeleteObject");
    Delete();
}

