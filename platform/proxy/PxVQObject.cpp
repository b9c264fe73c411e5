#include "proxy/PxVQObject.h"

#include "proxy/PxException.h"
#include "proxy/PxLinkCore.h"
#include "proxy/PxLocking.h"
#include "proxy/PxSession.h"

#include <cstring>
#include <optional>
#include <vector>

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
    return PxPlacePersistentLocks(*LinkCore(), {PxVQObjectPtr(this)}, manual != 0, false,
                                  "PxVQObject::PersistentLock");
}

PxLockErrorInfo PxVQObject::PlaceGenerationHold()
{
    Enter("PxVQObject::PlaceGenerationHold");
    return PxPlacePersistentLocks(*LinkCore(), {PxVQObjectPtr(this)}, false, true, "PxVQObject::PlaceGenerationHold");
}

BOOL PxVQObject::LiftGenerationHoldNamed(std::int64_t holdId)
{
    Enter("PxVQObject::LiftGenerationHoldNamed");
    return Session()->LiftHold(Oid(), holdId) ? TRUE : FALSE;
}

void PxVQObject::LiftGenerationHold()
{
    Enter("PxVQObject::LiftGenerationHold");
    std::shared_ptr<PxSession> session = Session();
    auto guard = session->Guard();
    session->Locks().EndCarrying(session->Id(), Oid(), true);
}

void PxVQObject::LiftGenerationHoldWhenTaken()
{
    Enter("PxVQObject::LiftGenerationHoldWhenTaken");
    Session()->LiftCarriedHold(Oid());
}

void PxVQObject::StopCarryingGenerationHold()
{
    Enter("PxVQObject::StopCarryingGenerationHold");
    const std::int64_t mark = PxHoldMarkSlot(Oid());
    Session()->GiveBack(&mark, 1);
}

PxLockErrorInfo PxVQObject::ExchangeGenerationHold(const char* holder)
{
    Enter("PxVQObject::ExchangeGenerationHold");
    return PxExchangeGenerationHold(*LinkCore(), PxVQObjectPtr(this), holder ? holder : "", PxLockFutureUpdate,
                                    "PxVQObject::ExchangeGenerationHold");
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

void PxVQObject::TakeBackManualLock()
{
    Enter("PxVQObject::TakeBackManualLock");
    Session()->TakeBackManualLock(Oid());
}

namespace {

// The claim is a write lock on the object's claim slot (PxClaimSlot): the lock store's rules
// give it one holder at a time, drop it with its session and purge it when the session's
// process is found dead.

// A claim of the session whose give-back the store has not taken yet is given back all the same.
PxVQObject::GenerationClaim ClaimOf(PxSession& session, PxLockStore& locks, std::int64_t slot)
{
    switch (locks.HoldingOf(session.Id(), slot)) {
    case PxLockStore::Holding::None:
        return PxVQObject::GenerationClaim::None;
    case PxLockStore::Holding::Other:
        return PxVQObject::GenerationClaim::Other;
    default:
        return session.OwesGiveBack(slot) ? PxVQObject::GenerationClaim::None : PxVQObject::GenerationClaim::Own;
    }
}

PxVQObject::GenerationClaim ClaimOf(PxSession& session, std::int64_t slot)
{
    return ClaimOf(session, session.Locks(), slot);
}

} // namespace

BOOL PxVQObject::CarryGenerationHold(std::int64_t holdId)
{
    Enter("PxVQObject::CarryGenerationHold");
    std::shared_ptr<PxSession> session = Session();
    const std::int64_t mark = PxHoldMarkSlot(Oid());
    auto guard = session->Guard();
    if (ClaimOf(*session, mark) != GenerationClaim::None)
        return FALSE;
    // A mark the session gave back and still owes the store is its own again.
    if (!session->KeepOwedSlot(mark) &&
        session->Locks().LockAnswered(session->Id(), &mark, 1, PxLockWrite).granted != 1)
        return FALSE;
    // Carried, the hold can no longer go with another session: it is the one of the identity
    // until this session lets it go.
    const std::optional<PxPersistentLockRow> hold = session->Locks().Persistent(Oid());
    if (hold && hold->holds > hold->manualHolds && hold->holdId == holdId)
        return TRUE;
    session->GiveBack(&mark, 1);
    return FALSE;
}

BOOL PxVQObject::ClaimForGeneration(BOOL holdGoesWithClaim)
{
    Enter("PxVQObject::ClaimForGeneration");
    std::shared_ptr<PxSession> session = Session();
    const std::int64_t slots[] = {PxClaimSlot(Oid()), PxHoldMarkSlot(Oid())};
    auto guard = session->Guard();
    if (ClaimOf(*session, slots[0]) != GenerationClaim::None)
        return FALSE;
    // The claim and the hold's mark in one lock-store transaction: a session that dies
    // between the two never leaves a claim whose hold stays for good. The mark this session
    // holds for a hold it placed for the start is the claim's from here on.
    const bool carriedForStart = holdGoesWithClaim && ClaimOf(*session, slots[1]) == GenerationClaim::Own;
    const std::size_t count = holdGoesWithClaim && !carriedForStart ? 2 : 1;
    // A claim or mark the session gave back and still owes the store is its own again.
    std::vector<std::int64_t> held;
    std::vector<std::int64_t> wanted;
    for (std::size_t i = 0; i < count; ++i)
        (session->KeepOwedSlot(slots[i]) ? held : wanted).push_back(slots[i]);
    std::size_t granted = 0;
    try {
        if (!wanted.empty())
            granted = session->Locks().LockAnswered(session->Id(), wanted.data(), wanted.size(), PxLockWrite).granted;
    } catch (...) {
        if (!held.empty())
            session->GiveBack(held.data(), held.size());
        throw;
    }
    if (granted == wanted.size())
        return TRUE;
    // A mark another session carries (a Delete taking the hold with its session) refuses the
    // claim whole.
    held.insert(held.end(), wanted.begin(), wanted.begin() + static_cast<std::ptrdiff_t>(granted));
    if (!held.empty())
        session->GiveBack(held.data(), held.size());
    return FALSE;
}

BOOL PxVQObject::ReleaseGenerationClaim()
{
    Enter("PxVQObject::ReleaseGenerationClaim");
    std::shared_ptr<PxSession> session = Session();
    const std::int64_t slots[] = {PxClaimSlot(Oid()), PxHoldMarkSlot(Oid())};
    auto guard = session->Guard();
    if (ClaimOf(*session, slots[0]) != GenerationClaim::Own)
        return FALSE;
    GiveBackGenerationClaim();
    return TRUE;
}

void PxVQObject::GiveBackGenerationClaim()
{
    Enter("PxVQObject::GiveBackGenerationClaim");
    // The mark goes with the claim (giving back a mark not held does nothing).
    const std::int64_t slots[] = {PxClaimSlot(Oid()), PxHoldMarkSlot(Oid())};
    Session()->GiveBack(slots, 2);
}

PxVQObject::GenerationClaim PxVQObject::GetGenerationClaim() const
{
    Enter("PxVQObject::GetGenerationClaim");
    std::shared_ptr<PxSession> session = Session();
    auto guard = session->Guard();
    return ClaimOf(*session, PxClaimSlot(Oid()));
}

CString PxVQObject::GetGenerationClaimUser() const
{
    Enter("PxVQObject::GetGenerationClaimUser");
    std::shared_ptr<PxSession> session = Session();
    auto guard = session->Guard();
    return CString(session->Locks().LockHolder(PxClaimSlot(Oid())).c_str());
}

BOOL PxVQObject::KeepsGenerationClaim(CString& failure) const
{
    Enter("PxVQObject::KeepsGenerationClaim");
    std::shared_ptr<PxSession> session = Session();
    auto guard = session->Guard();
    PxLockStore& locks = session->Locks();
    try {
        // Asked at every step of a running generation, on its host's user-interface thread: a
        // store that other sessions keep busy is asked once, briefly, and again at the next step.
        const PxBusyWaitScope brief(locks, PxBusyWait::Brief);
        return ClaimOf(*session, locks, PxClaimSlot(Oid())) == GenerationClaim::Own;
    } catch (const PxException& error) {
        // A busy store answered: the session's locks are its own still.
        if (error.IsStoreBusy() || locks.KeepsItsLocks(session->Id()))
            return TRUE;
        failure = error.GetErrorMessage();
        return FALSE;
    }
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
    return PxObjectEdition(PxObjectPtr(const_cast<PxVQObject*>(this)), CurrentEdition());
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

void PxVQObject::DeleteObjects(const std::vector<PxObjectPtr>& objects)
{
    DeleteAll("PxVQObject::DeleteObject", objects);
}

void PxVQObject::RecursiveDeleteObject()
{
    Enter("PxVQObject::RecursiveDeleteObject");
    Delete();
}

