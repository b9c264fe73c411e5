// The base of the generation-side classes: what the module locks, keeps editions of and
// deletes.
#pragma once

#include "proxy/PxLockErrorInfo.h"
#include "proxy/PxObject.h"
#include "proxy/PxObjectEdition.h"
#include "proxy/PxPersistentLock.h"

class PxVQObject : public PxObject {
    PX_DECLARE_CLASS(PxVQObject, PxObject)

    // Locks held by the session until unlocked or the session ends; the retry callback of
    // the object's link is asked after each attempt.
    PxLockErrorInfo ReadLock();
    PxLockErrorInfo LongReadLock();
    PxLockErrorInfo FutureUpdateLock();
    // `wait` is accepted for the callers' sake and changes nothing.
    PxLockErrorInfo WriteLock(int wait);
    // Gives back one hold, the weakest kind first; giving back what is not held does nothing.
    // One the lock store refuses is owed (PxSession::GiveBack).
    PxLockErrorInfo UnLock();

    // Places one hold of a persistent lock: a manual one, or (0) one for a generation.
    PxLockErrorInfo PersistentLock(int manual);
    // Null when the object carries no persistent lock.
    PxPersistentLockPtr GetPersistentLock() const;
    // Removes up to `count` holds of the kind; removing what is not there does nothing.
    PxLockErrorInfo RemovePersistentLock(int manual, int count);
    // Takes back one manual hold that a step of this session placed and does not keep; a removal
    // the lock store refuses is owed by the session, never thrown (PxSession::TakeBackManualLock).
    void TakeBackManualLock();
    // Places one generation hold, as PersistentLock(0) does, that this session carries until
    // the claim of the generation it starts carries it (ClaimForGeneration with TRUE) or it
    // lifts it (LiftGenerationHold): a session that ends or dies first takes the hold with it,
    // as a claim carrying one does. Placing and carrying are one step of the lock store. A
    // generation hold is refused (code 7) where one stands already, the user's own included.
    PxLockErrorInfo PlaceGenerationHold();
    // Lifts the hold the session carries, in one step of the lock store with its carrying.
    void LiftGenerationHold();
    // The same; a lift the store refuses is owed by the session, as LiftGenerationHoldNamed's
    // is, and the refusal thrown.
    void LiftGenerationHoldWhenTaken();
    // Carries the object's generation hold when it is the one of the identity and no live
    // session carries it (this one included): a session that ends or dies before it lifts the
    // hold (LiftGenerationHold) or stops carrying it takes the hold with it. FALSE, carrying
    // nothing, otherwise.
    BOOL CarryGenerationHold(std::int64_t holdId);
    // The session no longer carries the hold it carries; the hold stays. Refused by the lock
    // store, the carrying ends as soon as the store takes it (PxSession::GiveBack).
    void StopCarryingGenerationHold();
    // Lifts the object's generation hold when it is the one of the identity
    // (PxPersistentLock::GetHoldId), in one step of the lock store; FALSE when the hold
    // standing is another (or none): it stays. A lift the lock store refuses is owed by the
    // session, made as soon as the store takes it (PxSession::LiftHold), and the refusal thrown.
    BOOL LiftGenerationHoldNamed(std::int64_t holdId);
    // Takes the object for future update under its persistent lock, when that is one
    // generation hold of `holder` and nothing more, in one step of the lock store: the hold
    // stays in the store all along, refusing every other session as before, and the update
    // keeps the holder's other sessions out. Refused with code 7 when the persistent lock is
    // anything else (a manual hold beside it included); a refusal, or a wait the retry
    // callback gives up, holds nothing. A session that dies holding the update leaves the hold
    // where it was.
    PxLockErrorInfo ExchangeGenerationHold(const char* holder);
    // "persistentLockCount": the holds of the object's persistent lock, 0 without one.
    int GetIntProperty(const char* name) const override;

    // A running generation's claim on the object (its generate set). One session holds it at
    // a time and it goes with that session, so every session on the repository sees whether
    // a generation of the object still runs, and one whose process died reads as ended.
    enum class GenerationClaim { None, Own, Other };
    // Claims the object for a generation of this session; false when a live session (this
    // one too) holds the claim already. A claim this session gave back and still owes the store
    // is taken over, as the mark it gave back with it (PxSession::KeepOwedSlot). With `holdGoesWithClaim` (a fresh generation given
    // the generation hold of the object's persistent lock, which no recovery record keeps),
    // one generation hold is lifted when the claim goes with its session (the session ends,
    // or its process, machine or lock connection dies) instead of being given back; a hold
    // this session carries for the start (PlaceGenerationHold) is then carried by the claim
    // from that same step on, so that nothing is left to hand on after it.
    BOOL ClaimForGeneration(BOOL holdGoesWithClaim = FALSE);
    // Gives back this session's claim; false when it held none. The hold stays: the
    // generation that gives its claim back lifts it or leaves it to its recovery record.
    BOOL ReleaseGenerationClaim();
    // Gives this session's claim back, held or not (giving back what is not held does
    // nothing), as ReleaseGenerationClaim does. A give-back the lock store refuses is owed by
    // the session, made as soon as the store takes it (PxSession::GiveBack).
    void GiveBackGenerationClaim();
    GenerationClaim GetGenerationClaim() const;
    // The user code of the session that holds the claim; empty when none does.
    CString GetGenerationClaimUser() const;
    // Whether this session still holds its claim: FALSE once none or another session holds
    // it, or once the check fails with this session's locks gone (its lock connection or the
    // server lost; `failure` then holds the check's text). It asks the lock store once, briefly
    // (PxBusyWait::Brief), never holding up the step of the generation that checks: a store that
    // cannot answer now (busy past that wait, slow) is no loss: TRUE, and the next check asks again.
    BOOL KeepsGenerationClaim(CString& failure) const;

    PxObjectEdition GetObjectEdition() const;
    // Steps the stored edition, so that every edition read before is no longer the latest.
    void UpdateEdition();

    // Deletes the object and every object it owns (needs an open transaction). Throws a
    // PxException whose IsObjectDeleted answers true when the object is gone already.
    void DeleteObject();
    // DeleteObject of each of the objects still present, together; those already gone are
    // passed over.
    static void DeleteObjects(const std::vector<PxObjectPtr>& objects);
    void RecursiveDeleteObject();

protected:
    PxVQObject() = default;

private:
    PxLockErrorInfo Lock(int kind, const char* operation);
};

using PxVQObjectPtr = PxPtr<PxVQObject>;
