// Internal: the repository's locks, live sessions and object ids, kept apart from the data
// so that they are seen by every session at once and are untouched by data transactions.
// Two stores keep them: a lock file beside the data file (PxFileLockStore) and tables on
// the repository's server (PxServerLockStore). See README.md for the locking protocol.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// How long a lock-table transaction waits for the store while other sessions keep it busy:
// once, one busy timeout (a query of the locks, a claim, a give-back or a lift, owed when
// refused), so that a step that shows nothing while it waits tells the store's failure within a
// few seconds; briefly, a short wait (a try of what is owed, made again later, a running
// generation's check of its claim, asked again at its next step, or an attempt of a lock call
// that declines waits: no busy store is polled for long). A lock call that waits makes its
// attempts again through the quiet wait (PxLocking.h).
enum class PxBusyWait { Once, Brief };
inline constexpr int kPxBusyTimeoutMilliseconds = 2000;
inline constexpr int kPxBriefBusyMilliseconds = 20;

enum PxLockKind : int { PxLockRead = 1, PxLockLongRead = 2, PxLockFutureUpdate = 3, PxLockWrite = 4 };

// Held kinds that refuse a requested kind: reads meet writes; a future update meets future
// updates and writes; a write meets everything.
int PxConflictFrom(int kind);

struct PxPersistentLockRow {
    std::string userCode;
    std::int64_t lockTime = 0;
    int holds = 0;
    int manualHolds = 0;
    // The generation hold's identity (PxPersistentLock::GetHoldId).
    std::int64_t holdId = 0;
    // The identity of the lock's manual holds as this build keeps it (PxLockStore::PlacePersistent):
    // their key, which no earlier build changes (README.md), else, on a server its owner has not
    // brought up to date, the identity an earlier build writes too. 0 once one of them was removed
    // otherwise than taken back (PxLockStore::TakeBackManual) or the last of them went, where an
    // earlier build placed the first of them, or where the store keeps none.
    std::int64_t manualId = 0;
};

class PxLockStore {
public:
    virtual ~PxLockStore() = default;

    // The lock store of a repository: its lock file, or its server.
    static std::unique_ptr<PxLockStore> Open(const std::string& repository);

    // Registers a session of this process; answers its id.
    virtual std::int64_t RegisterSession(const std::string& userCode) = 0;
    // Ends a session: its row and every lock it holds go. Answers false when the store refused
    // it: the session's locks stay (see LocksGoWithTheConnection).
    virtual bool UnregisterSession(std::int64_t session) noexcept = 0;
    // Whether the locks of this store's sessions go with it, ended or not: a server's go with the
    // lock connection (its advisory lock); a file's stay while the process lives.
    virtual bool LocksGoWithTheConnection() const noexcept = 0;
    // Whether the store is still reached through this object: false once a server's connection
    // is lost; a file's always.
    virtual bool Connected() const noexcept = 0;
    virtual int LiveSessions() = 0;
    virtual void SetBusyTimeout(int milliseconds) = 0;
    // Once until set otherwise (PxBusyWaitScope).
    virtual void SetBusyWait(PxBusyWait wait) noexcept = 0;
    virtual PxBusyWait BusyWait() const noexcept = 0;

    // The outcome of one attempt on a run of objects: the first `granted` got their lock;
    // the next one, if any, was refused with `code`.
    struct Attempt {
        std::size_t granted = 0;
        int code = 0;
        std::optional<PxPersistentLockRow> persistent;
        // The identity the manual holds placed gave their locks, 0 where the store keeps none.
        std::int64_t manualId = 0;
    };
    // A refused session that will try again (`queue`) waits in line for the object: an
    // object let go goes to the session that has waited longest for it, so no session can
    // take it again and again past a waiting one.
    virtual Attempt Lock(std::int64_t session, const std::int64_t* oids, std::size_t count, int kind,
                         bool queue) = 0;
    // One attempt of Lock that the store must answer: a store that stays busy through the busy
    // wait (PxBusyWait) fails it as FailBusy, so that a busy store never reads as a refusal.
    virtual Attempt LockAnswered(std::int64_t session, const std::int64_t* oids, std::size_t count, int kind) = 0;
    // Throws the store's failure for a lock-table transaction that stayed busy through its wait:
    // "Cannot reach the repository's locks: the repository is in use by another session; ...".
    [[noreturn]] virtual void FailBusy() = 0;
    // The session no longer waits for the object (it gave up).
    virtual void GiveUpWaiting(std::int64_t session, std::int64_t oid) = 0;
    // Whether the session can be woken when an object it waits in line for is let go.
    virtual bool CanAwaitRelease() const = 0;
    // Waits up to `milliseconds` of real time for such a wake; answers whether it came.
    virtual bool AwaitRelease(std::uint64_t milliseconds) = 0;
    // Gives back one hold of each object, the weakest kind first.
    virtual void Unlock(std::int64_t session, const std::int64_t* oids, std::size_t count) = 0;
    // Gives back the run from `done` on, `batch` objects at a time, each batch by an Unlock of
    // its own; `done` counts what the store took.
    void UnlockInBatches(std::int64_t session, const std::int64_t* oids, std::size_t count, std::size_t batch,
                         std::size_t& done);
    // The same, where the store can without waiting for its answers: it answers true, and
    // ReceiveUnlocks must come before anything else of the store. Else it answers false, having
    // given the run back as UnlockInBatches does.
    virtual bool SendUnlocks(std::int64_t session, const std::int64_t* oids, std::size_t count, std::size_t batch,
                             std::size_t& done)
    {
        UnlockInBatches(session, oids, count, batch, done);
        return false;
    }
    // Whether the store took each batch of the run sent, in order; a batch it did not answer
    // for is not taken.
    virtual std::vector<bool> ReceiveUnlocks() { return {}; }
    // Whether the store has answered for every batch sent: ReceiveUnlocks would not wait.
    virtual bool UnlocksAnswered() const { return true; }
    virtual bool LockedByOther(std::int64_t session, std::int64_t oid) = 0;
    // Who holds a lock on the object: no live session, the session alone, or another live
    // session; asked once, as LockedByOther is.
    enum class Holding { None, Session, Other };
    virtual Holding HoldingOf(std::int64_t session, std::int64_t oid) = 0;
    // The user code of a live session that holds a lock on the object; empty when none does.
    virtual std::string LockHolder(std::int64_t oid) = 0;
    // Drops the session's locks, and the persistent locks, on objects that never were (made
    // in a transaction that was rolled back).
    virtual void DropLocksOf(std::int64_t session, const std::vector<std::int64_t>& oids) = 0;
    // Reserves `count` object ids that no session has had, all above `lastStored` (the
    // data's highest id, so a lock store made afresh never gives a stored id again);
    // answers the first. Ids live here, apart from the data, so that a rolled back
    // transaction does not give its ids back.
    virtual std::int64_t ReserveOids(std::int64_t count, std::int64_t lastStored) = 0;
    // Whether the session's locks are still its own, asked without waiting for the lock
    // tables: false only when they are known gone (on a server, its lock connection or its
    // advisory lock lost). A store busy or too slow to answer is no sign of a loss: true.
    virtual bool KeepsItsLocks(std::int64_t session) noexcept = 0;

    // A generation hold placed `carried` is carried by the session (its mark, below) from the
    // transaction that places it until EndCarrying. A manual hold placed where the lock has no
    // manual hold with an identity gives it the identity `manualId` (an id no hold had); one
    // placed on such holds takes theirs. So the identity names every manual hold placed since the
    // first, until one of them is removed otherwise than taken back (PxPersistentLockRow::manualId).
    virtual Attempt PlacePersistent(std::int64_t session, const std::string& userCode, const std::int64_t* oids,
                                    std::size_t count, bool manual, std::int64_t manualId, bool carried,
                                    bool queue) = 0;
    // A generation hold is refused where one stands already, whoever placed it (code 7); each
    // one placed gets an identity of its own (PxPersistentLockRow::holdId).
    virtual void RemovePersistent(std::int64_t oid, bool manual, int count) = 0;
    // Takes back the manual hold a step of the user placed, in one lock-table transaction: one
    // manual hold of the object's persistent lock, when that is the user's and its manual holds
    // still have the identity `manualId`, which the take-back leaves them. So a lock unlocked and
    // placed again since, by anyone, stays, and each take-back owed on a lock takes its own hold,
    // however many are owed and placed on it since. `manualId` 0 (a
    // placing the store gave no identity: a session of a server repository its owner has not
    // brought up to date) takes a manual hold of the user's lock. Answers whether it took one.
    virtual bool TakeBackManual(std::int64_t oid, const std::string& userCode, std::int64_t manualId) = 0;
    // Lifts the object's generation hold when it is the one of the identity, in one lock-table
    // transaction; answers whether it was (a hold lifted, exchanged or placed anew since stays).
    virtual bool LiftHold(std::int64_t oid, std::int64_t holdId) = 0;
    // The session no longer carries the generation hold it placed on the object; with `lift`
    // the hold is lifted in the same lock-table transaction.
    virtual void EndCarrying(std::int64_t session, std::int64_t oid, bool lift) = 0;
    // Takes the object for a lock of `kind` under its persistent lock, when that is one
    // generation hold of `holder` and nothing more, in one lock-table transaction: the hold
    // stays in the store and keeps refusing every other session, and the lock keeps the
    // holder's other sessions out. Refused with code 7 when the persistent lock is anything
    // else (none included), else as the lock is (code 3, waiting in line with `queue`); a
    // refusal changes nothing.
    virtual Attempt ExchangeHold(std::int64_t session, const std::string& holder, std::int64_t oid, int kind,
                                 bool queue) = 0;
    virtual std::optional<PxPersistentLockRow> Persistent(std::int64_t oid) = 0;

protected:
    PxLockStore() = default;
};

// Sets the store's busy wait for the scope's life, then sets back the one before it (a scope
// inside another, a try of what is owed made on the way, leaves the outer one's wait in force).
class PxBusyWaitScope {
public:
    PxBusyWaitScope(PxLockStore& store, PxBusyWait wait) noexcept : m_store(store), m_before(store.BusyWait())
    {
        m_store.SetBusyWait(wait);
    }
    ~PxBusyWaitScope() { m_store.SetBusyWait(m_before); }
    PxBusyWaitScope(const PxBusyWaitScope&) = delete;
    PxBusyWaitScope& operator=(const PxBusyWaitScope&) = delete;

private:
    PxLockStore& m_store;
    PxBusyWait m_before;
};

// A running generation's claim on an object is a write lock on the object's claim slot, a
// number no object has. A claim that carries the generation hold of the object's persistent
// lock (the hold of a fresh generation, which no recovery record keeps) also locks the hold's
// mark, and so does the session that places a hold for a start until the claim of the
// generation it starts carries it (or it lifts the hold): when the session's locks are dropped
// without being given back (the session ends, or its process, machine or lock connection
// dies), the store lifts one generation hold of each object so marked, so that no hold
// outlives both its generation and anything that shows it.
inline constexpr std::int64_t kPxHoldMarkBase = std::int64_t{1} << 62;
inline std::int64_t PxClaimSlot(std::int64_t oid) { return -oid; }
inline std::int64_t PxHoldMarkSlot(std::int64_t oid) { return -kPxHoldMarkBase - oid; }

// Refusal codes the stores produce.
inline constexpr int kPxCodeHeld = 3;
inline constexpr int kPxCodeBusy = 6;
inline constexpr int kPxCodePersistent = 7;
