// Internal: the repository's locks, live sessions and object ids in tables on its server,
// reached through a connection of their own that is never in a data transaction. A session
// holds a session-level advisory lock named by its id while it lives, so when its process
// or machine dies the server frees it; the next session that finds the lock gone (on any
// machine) drops the dead session's locks. One transaction advisory lock runs the lock
// tables' transactions one at a time, as the lock file's are.
#pragma once

#include "proxy/PxLockStoreBase.h"
#include "proxy/PxPostgres.h"

#include <functional>

class PxServerLockStore final : public PxLockStoreBase {
public:
    explicit PxServerLockStore(const std::string& uri);

    void SetBusyTimeout(int milliseconds) override;
    Attempt Lock(std::int64_t session, const std::int64_t* oids, std::size_t count, int kind, bool queue) override;
    void Unlock(std::int64_t session, const std::int64_t* oids, std::size_t count) override;
    std::int64_t ReserveOids(std::int64_t count, std::int64_t lastStored) override;
    void RequireOwnLocks(std::int64_t session) override;
    Attempt PlacePersistent(std::int64_t session, const std::string& userCode, const std::int64_t* oids,
                            std::size_t count, bool manual, bool queue) override;
    std::optional<PxPersistentLockRow> Persistent(std::int64_t oid) override;

private:
    bool BeginOrBusy() override;
    void Commit() override;
    void RollbackQuietly() noexcept override;
    [[noreturn]] void FailBusy() override;
    std::int64_t InsertSession(const std::string& userCode) override;
    std::vector<std::int64_t> EndSession(std::int64_t session) override;
    int CountSessions() override;
    void PurgeDeadSessions() override;
    bool HeldByOther(std::int64_t session, std::int64_t oid, int conflictFrom) override;
    void StopWaiting(std::int64_t session, std::int64_t oid) override;
    void DropLocksOn(std::int64_t session, std::int64_t oid) override;
    void LowerPersistent(std::int64_t oid, int removed, int removedManual) override;
    // What stands between the session and a lock of the kind on the object.
    struct Obstacles {
        std::optional<PxPersistentLockRow> persistent;
        bool mustWait = false; // a live session holds a conflicting kind, or waits before it
    };
    // With `begin`, begins the attempt's transaction first; nothing when another session's
    // stayed in the way longer than the busy timeout.
    std::optional<Obstacles> FindObstacles(std::int64_t session, std::int64_t oid, int kind, bool begin);
    // Tries the request on each object in turn, `grant` granting it, up to the first
    // refusal; `grant` answers whether it committed the attempt with the last object's grant.
    Attempt TryEach(std::int64_t session, const std::int64_t* oids, std::size_t count, const Request& request,
                    bool queue, const std::function<bool(std::int64_t oid, bool last)>& grant);
    // The session waits in line for the object (once; the strongest kind it wants).
    void JoinLine(std::int64_t session, std::int64_t oid, int kind);
    // Whether any session of the rows [first, end) (id, known, pid, start, machine, its
    // advisory lock held) is alive; the others are purged.
    bool AnyLive(const PxPgRows& sessions, int first, int end);
    void PurgeSession(std::int64_t session);

    std::unique_ptr<PxPgConnection> m_db;
};
