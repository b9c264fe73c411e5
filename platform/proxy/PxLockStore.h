// Internal: the repository's lock file, beside the data file ("<file>-locks"). Locks live
// apart from the data so that they are seen by every session at once and are untouched by
// the data file's transactions. See README.md for the locking protocol.
#pragma once

#include "proxy/PxLockWake.h"
#include "proxy/PxSqlite.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

enum PxLockKind : int { PxLockRead = 1, PxLockLongRead = 2, PxLockFutureUpdate = 3, PxLockWrite = 4 };

struct PxPersistentLockRow {
    std::string userCode;
    std::int64_t lockTime = 0;
    int holds = 0;
    int manualHolds = 0;
};

class PxLockStore {
public:
    explicit PxLockStore(const std::string& path);

    // Registers a session of this process; answers its id.
    std::int64_t RegisterSession(const std::string& userCode);
    // Ends a session: its row and every lock it holds go.
    void UnregisterSession(std::int64_t session) noexcept;
    int LiveSessions();
    void SetBusyTimeout(int milliseconds) { m_db.SetBusyTimeout(milliseconds); }

    // The outcome of one attempt on a run of objects: the first `granted` got their lock;
    // the next one, if any, was refused with `code`.
    struct Attempt {
        std::size_t granted = 0;
        int code = 0;
        std::optional<PxPersistentLockRow> persistent;
    };
    // A refused session that will try again (`queue`) waits in line for the object: an
    // object let go goes to the session that has waited longest for it, so no session can
    // take it again and again past a waiting one.
    Attempt Lock(std::int64_t session, const std::int64_t* oids, std::size_t count, int kind, bool queue);
    // The session no longer waits for the object (it gave up).
    void GiveUpWaiting(std::int64_t session, std::int64_t oid);
    // Whether the session can be woken when an object it waits in line for is let go.
    bool CanAwaitRelease() const { return m_wake.Listening(); }
    // Waits up to `milliseconds` of real time for such a wake; answers whether it came.
    bool AwaitRelease(std::uint64_t milliseconds) { return m_wake.Await(milliseconds); }
    // Gives back one hold of each object, the weakest kind first.
    void Unlock(std::int64_t session, const std::int64_t* oids, std::size_t count);
    bool LockedByOther(std::int64_t session, std::int64_t oid);
    // Drops the session's locks, and the persistent locks, on objects that never were (made
    // in a transaction that was rolled back).
    void DropLocksOf(std::int64_t session, const std::vector<std::int64_t>& oids);
    // Reserves `count` object ids that no session has had, all above `lastStored` (the data
    // file's highest id, so a lock file made afresh never gives a stored id again); answers
    // the first. Ids live here, apart from the data, so that a rolled back transaction
    // does not give its ids back.
    std::int64_t ReserveOids(std::int64_t count, std::int64_t lastStored);

    Attempt PlacePersistent(std::int64_t session, const std::string& userCode, const std::int64_t* oids,
                            std::size_t count, bool manual, bool queue);
    void RemovePersistent(std::int64_t oid, bool manual, int count);
    std::optional<PxPersistentLockRow> Persistent(std::int64_t oid);

private:
    enum class Check { Free, Held, Persistent };

    bool BeginOrBusy();
    void BeginPatiently();
    void Commit();
    void RollbackQuietly() noexcept;
    // Whether another live session holds a lock of a kind from `conflictFrom` up; dead
    // holders found on the way are purged.
    bool HeldByOther(std::int64_t session, std::int64_t oid, int conflictFrom);
    // Whether another live session that waits for the object, in line before this one,
    // wants a kind from `conflictFrom` up. A session holding the object waits for no one.
    bool WaitedForBefore(std::int64_t session, std::int64_t oid, int conflictFrom);
    // Whether the session must wait for the object; a session that waits joins the line
    // when it will try again.
    bool MustWait(std::int64_t session, std::int64_t oid, int kind, bool queue);
    void StopWaiting(std::int64_t session, std::int64_t oid);
    // The first session in line for the object, if any.
    std::optional<std::int64_t> FirstInLine(std::int64_t oid);
    void WakeAll(const std::vector<std::int64_t>& sessions) noexcept;
    // Whether any session of the rows (id, known, pid, start, machine) is alive; the others
    // are purged.
    bool AnyLive(PxQuery& sessions);
    void PurgeSession(std::int64_t session);
    void PurgeDeadSessions();

    PxDatabase m_db;
    PxLockWake m_wake;
};
