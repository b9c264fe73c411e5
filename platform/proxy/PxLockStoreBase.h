// Internal: what the lock file and the server's lock tables do alike. The lock-table
// transaction's shape (a begin through the busy wait, a commit, a rollback on any failure), the wakes of
// waiting sessions and the rules on persistent lock holds live here; each store keeps its
// own queries and its own way of beginning and ending a transaction.
#pragma once

#include "proxy/PxLockStore.h"
#include "proxy/PxLockWake.h"

#include <cstdint>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

class PxLockStoreBase : public PxLockStore {
public:
    void SetBusyTimeout(int milliseconds) final;
    void SetBusyWait(PxBusyWait wait) noexcept final;
    PxBusyWait BusyWait() const noexcept final { return m_busyWait; }
    std::int64_t RegisterSession(const std::string& userCode) override;
    bool UnregisterSession(std::int64_t session) noexcept override;
    int LiveSessions() override;
    void GiveUpWaiting(std::int64_t session, std::int64_t oid) override;
    bool CanAwaitRelease() const override { return m_wake.Listening(); }
    bool AwaitRelease(std::uint64_t milliseconds) override { return m_wake.Await(milliseconds); }
    bool LockedByOther(std::int64_t session, std::int64_t oid) override;
    Holding HoldingOf(std::int64_t session, std::int64_t oid) override;
    std::string LockHolder(std::int64_t oid) override;
    void DropLocksOf(std::int64_t session, const std::vector<std::int64_t>& oids) override;
    void RemovePersistent(std::int64_t oid, bool manual, int count) override;
    bool TakeBackManual(std::int64_t oid, const std::string& userCode, std::int64_t manualId) override;
    void EndCarrying(std::int64_t session, std::int64_t oid, bool lift) override;
    bool LiftHold(std::int64_t oid, std::int64_t holdId) override;
    // A generation hold that refuses an attempt or that a read finds may be a dead session's
    // (its claim carries the hold's mark): the dead sessions are purged first, as an attach
    // does, and the attempt or the read made again when one was.
    Attempt Lock(std::int64_t session, const std::int64_t* oids, std::size_t count, int kind, bool queue) final;
    Attempt LockAnswered(std::int64_t session, const std::int64_t* oids, std::size_t count, int kind) final;
    Attempt PlacePersistent(std::int64_t session, const std::string& userCode, const std::int64_t* oids,
                            std::size_t count, bool manual, std::int64_t manualId, bool carried, bool queue) final;
    Attempt ExchangeHold(std::int64_t session, const std::string& holder, std::int64_t oid, int kind,
                         bool queue) final;
    std::optional<PxPersistentLockRow> Persistent(std::int64_t oid) final;

protected:
    // `wakeName` names the store for the wakes of its waiting sessions.
    explicit PxLockStoreBase(const std::string& wakeName) : m_wake(wakeName) {}

    // How long one begin waits for a busy store: the store's busy timeout ...
    virtual void ApplyBusyTimeout(int milliseconds) = 0;
    // ... or the wait of a PxBusyWaitScope (the busy timeout again at its end).
    virtual void ApplyBusyWait(int milliseconds) { ApplyBusyTimeout(milliseconds); }
    int BusyTimeout() const { return m_busyTimeout; }
    // Begins a lock-table transaction; false when another session's stayed in the way
    // longer than the busy timeout.
    virtual bool BeginOrBusy() = 0;
    virtual void Commit() = 0;
    virtual void RollbackQuietly() noexcept = 0;

    // In the lock-table transaction:
    // adds the session's row; answers its id.
    virtual std::int64_t InsertSession(const std::string& userCode) = 0;
    // Drops the session with its locks; answers the sessions first in line for an object it held.
    virtual std::vector<std::int64_t> EndSession(std::int64_t session) = 0;
    // Drops the dead sessions of a census with their locks, each by its key (one another
    // session dropped first is gone already).
    virtual void PurgeSessions(const std::vector<std::int64_t>& dead) = 0;
    // Whether another live session holds a lock of a kind from `conflictFrom` up; dead
    // holders found on the way are purged.
    virtual bool HeldByOther(std::int64_t session, std::int64_t oid, int conflictFrom) = 0;
    // The user code of a live session holding a lock on the object, empty for none; dead
    // holders found on the way are purged.
    virtual std::string LiveHolderOf(std::int64_t oid) = 0;
    virtual void StopWaiting(std::int64_t session, std::int64_t oid) = 0;
    // Drops the session's locks and the persistent lock on the object.
    virtual void DropLocksOn(std::int64_t session, std::int64_t oid) = 0;
    // Takes `removed` holds, `removedManual` of them manual, from the object's persistent
    // lock; the lock goes with its last hold. A manual hold removed leaves the manual holds
    // without identity (PxPersistentLockRow::manualId 0), but one a step takes back
    // (`identityStays`): the others stand as placed.
    virtual void LowerPersistent(std::int64_t oid, int removed, int removedManual, bool identityStays) = 0;
    // Gives back one hold of the session's lock on the object, the weakest kind first; the
    // lock goes with its last hold. Answers whether a lock went.
    virtual bool ReleaseOneHold(std::int64_t session, std::int64_t oid) = 0;
    // One attempt of Lock and of PlacePersistent, and the persistent lock's row as stored.
    virtual Attempt TryLock(std::int64_t session, const std::int64_t* oids, std::size_t count, int kind,
                            bool queue) = 0;
    // A generation hold placed takes an identity no hold of the store had (the store's own
    // counter, in the same transaction); a manual hold leaves the lock's as it is, and gives the
    // manual holds the identity `manualId` where the store keeps one (Attempt::manualId).
    virtual Attempt TryPlacePersistent(std::int64_t session, const std::string& userCode, const std::int64_t* oids,
                                       std::size_t count, bool manual, std::int64_t manualId, bool carried,
                                       bool queue) = 0;
    virtual Attempt TryExchangeHold(std::int64_t session, const std::string& holder, std::int64_t oid, int kind,
                                    bool queue) = 0;
    virtual std::optional<PxPersistentLockRow> ReadPersistent(std::int64_t oid) = 0;

    // Who is alive, read outside any lock-table transaction: the work that grows with the
    // other sessions never holds up theirs.
    struct SessionCensus {
        std::vector<std::int64_t> dead;
        int live = 0;
    };
    virtual SessionCensus TakeCensus() = 0;

    // Begins a lock-table transaction, or fails as FailBusy once the store stayed busy through the
    // busy wait.
    void BeginOrFailBusy();
    // A begin found the store busy for the whole busy timeout (counted for tests).
    void NoteBusyWait() const noexcept;
    // Runs `work` in a lock-table transaction: commits after it, rolls back when it throws.
    template <class Work>
    auto InLockTransaction(Work&& work) -> std::invoke_result_t<Work&>;
    void WakeAll(const std::vector<std::int64_t>& sessions) noexcept;

    // What an attempt asks of each object: a lock of `kind`, or, with `persistentFor`, a
    // persistent lock for that user (which meets other sessions as a future update does), or,
    // with `exchangedHoldOf`, a lock of `kind` under that user's generation hold. A generation
    // hold (`generationHold`) is never placed beside another: one generation hold at most stands
    // on an object, so that its identity names it.
    struct Request {
        int kind = PxLockFutureUpdate;
        const std::string* persistentFor = nullptr;
        const std::string* exchangedHoldOf = nullptr;
        bool generationHold = false;
    };
    // Whether an object's persistent lock can stand in the request's way: it stands
    // against future updates and writes.
    static bool MeetsPersistent(const Request& request) { return request.kind >= PxLockFutureUpdate; }
    // Whether the object's persistent lock refuses the request; a user's own persistent
    // lock takes more holds. An exchange needs the persistent lock to be one generation hold
    // of the user, and nothing more that the lock would get past. A session holding the
    // object for update under generation holds (`updating`, as an exchange leaves it) takes
    // the locks it needs, a write included.
    static bool RefusedByPersistent(const Request& request, const std::optional<PxPersistentLockRow>& persistent,
                                    bool updating)
    {
        if (request.exchangedHoldOf)
            return !persistent || persistent->userCode != *request.exchangedHoldOf || persistent->holds != 1 ||
                   persistent->manualHolds != 0;
        if (!persistent || !MeetsPersistent(request))
            return false;
        if (request.persistentFor)
            return persistent->userCode != *request.persistentFor ||
                   (request.generationHold && persistent->holds > persistent->manualHolds);
        return !updating || persistent->manualHolds != 0;
    }
    // Ends the attempt refused by the object's persistent lock.
    static void RefuseForPersistent(Attempt& attempt, const std::optional<PxPersistentLockRow>& persistent)
    {
        attempt.code = kPxCodePersistent;
        attempt.persistent = persistent;
    }

private:
    // Purges the dead sessions; whether there was one (dropped here or by another session).
    bool PurgedDeadSessions();
    template <class Try>
    Attempt PastDeadHolders(Try attempt);

    PxLockWake m_wake;
    int m_busyTimeout = kPxBusyTimeoutMilliseconds;
    int m_appliedTimeout = kPxBusyTimeoutMilliseconds;
    PxBusyWait m_busyWait = PxBusyWait::Once;
};

template <class Work>
auto PxLockStoreBase::InLockTransaction(Work&& work) -> std::invoke_result_t<Work&>
{
    BeginOrFailBusy();
    try {
        if constexpr (std::is_void_v<std::invoke_result_t<Work&>>) {
            work();
            Commit();
        } else {
            auto result = work();
            Commit();
            return result;
        }
    } catch (...) {
        RollbackQuietly();
        throw;
    }
}
