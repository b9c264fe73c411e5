// Internal: the repository's locks, live sessions and object ids in tables on its server,
// reached through a connection of their own that is never in a data transaction. A session
// holds a session-level advisory lock named by its id while it lives, so when its process
// or machine dies the server frees it; the next session that finds the lock gone (on any
// machine) drops the dead session's locks. One transaction advisory lock runs the lock
// tables' transactions one at a time, as the lock file's are; its shared form lets grants of
// reads and releases, which change only their session's rows, run beside one another.
#pragma once

#include "proxy/PxLockStoreBase.h"
#include "proxy/PxPostgres.h"
#include "proxy/PxServerUpgrade.h"

#include <functional>

class PxServerLockStore final : public PxLockStoreBase {
    using Query = PxPgConnection::Query;

public:
    explicit PxServerLockStore(const std::string& uri);

    void Unlock(std::int64_t session, const std::int64_t* oids, std::size_t count) override;
    // A run of more than one batch is sent a batch at a time, each batch's release in a trip of
    // its own (a lock-table transaction, so that other sessions' calls go between), as fast as
    // the server takes them in (PxPgConnection::Send); a shorter run is given back at once, so
    // that a session waiting in line for one of its objects is woken at once. Such a session is
    // woken when the answers are received, or tries again at the end of its retry delay.
    bool SendUnlocks(std::int64_t session, const std::int64_t* oids, std::size_t count, std::size_t batch,
                     std::size_t& done) override;
    std::vector<bool> ReceiveUnlocks() override;
    bool UnlocksAnswered() const override { return m_db->AllAnswered(); }
    std::int64_t ReserveOids(std::int64_t count, std::int64_t lastStored) override;
    bool KeepsItsLocks(std::int64_t session) noexcept override;
    bool LocksGoWithTheConnection() const noexcept override { return true; }
    bool Connected() const noexcept override { return m_db->Connected(); }
    // A single statement, which sees the lock tables as their last committed transaction left
    // them, without waiting for the lock tables' transaction that runs.
    bool LockedByOther(std::int64_t session, std::int64_t oid) override;
    Holding HoldingOf(std::int64_t session, std::int64_t oid) override;
    std::string LockHolder(std::int64_t oid) override;

    // The statement a data transaction of the session ($1) runs last before its COMMIT, in the
    // same round trip: it fails with kLocksLostState unless the session's lock connection
    // still holds the session's advisory lock, and it keeps the session's row, and so its
    // locks, from being purged until that transaction has ended.
    static const char* const kLocksStillOwn;
    static constexpr const char* kLocksLostState = "22012";

private:
    void ApplyBusyTimeout(int milliseconds) override;
    void ApplyBusyWait(int milliseconds) override;
    bool BeginOrBusy() override;
    void Commit() override;
    void RollbackQuietly() noexcept override;
    [[noreturn]] void FailBusy() override;
    std::int64_t InsertSession(const std::string& userCode) override;
    std::vector<std::int64_t> EndSession(std::int64_t session) override;
    SessionCensus TakeCensus() override;
    void PurgeSessions(const std::vector<std::int64_t>& dead) override;
    bool HeldByOther(std::int64_t session, std::int64_t oid, int conflictFrom) override;
    std::string LiveHolderOf(std::int64_t oid) override;
    void StopWaiting(std::int64_t session, std::int64_t oid) override;
    void DropLocksOn(std::int64_t session, std::int64_t oid) override;
    void LowerPersistent(std::int64_t oid, int removed, int removedManual, bool identityStays) override;
    bool ReleaseOneHold(std::int64_t session, std::int64_t oid) override;
    Attempt TryLock(std::int64_t session, const std::int64_t* oids, std::size_t count, int kind, bool queue) override;
    Attempt TryPlacePersistent(std::int64_t session, const std::string& userCode, const std::int64_t* oids,
                               std::size_t count, bool manual, std::int64_t manualId, bool carried,
                               bool queue) override;
    Attempt TryExchangeHold(std::int64_t session, const std::string& holder, std::int64_t oid, int kind,
                            bool queue) override;
    std::optional<PxPersistentLockRow> ReadPersistent(std::int64_t oid) override;
    // The release of a run, in a lock-table transaction of its own: the begin, the release of
    // the whole run, the commit; the release answers the sessions to be woken.
    std::vector<Query> Release(std::int64_t session, const std::int64_t* oids, std::size_t count);
    // Adds the sessions the release's answer names to those to be woken.
    static void AddWoken(const PxPgRows& released, std::vector<std::int64_t>& woken);
    // The query of what stands between the session and a lock of the kind on each object of
    // the run (an array parameter), by `what`: persistent locks first.
    Query ObstaclesQuery(std::int64_t session, const std::int64_t* oids, std::size_t count, int kind);
    // Binds what the obstacles of `o` are read for ($1 to $3).
    static Query& AskedOf(Query& query, std::int64_t session, const std::int64_t* oids, std::size_t count, int kind);
    // The first place in the run where the request is refused, and why; dead sessions found
    // in the way are purged.
    struct Refusal {
        std::size_t at = 0;
        int code = 0;
        std::optional<PxPersistentLockRow> persistent;
    };
    std::optional<Refusal> FirstRefusal(const PxPgRows& obstacles, const Request& request);
    // Runs the queries in a lock-table transaction begun in the same round trip; nothing when
    // another session's stayed in the way longer than the busy timeout. `besideOthers`: the
    // transaction changes only the session's own rows and is refused only by another session's
    // write, so it runs beside others of its kind.
    std::optional<std::vector<PxPgRows>> InOneTransaction(const std::vector<Query*>& queries,
                                                          bool besideOthers = false);
    // Whether the request's grant where nothing stands in the way runs beside others': a plain
    // lock that only a write refuses.
    static bool GrantsBesideOthers(const Request& request)
    {
        return !request.persistentFor && !request.exchangedHoldOf && PxConflictFrom(request.kind) == PxLockWrite;
    }
    // Tries the request on the whole run in one attempt: `whole` grants it on every object
    // when nothing of `o` stands in the way, answering 1 when it did; `grant` gives
    // the query that grants it on the objects before the first refusal (an array parameter).
    Attempt TryAll(std::int64_t session, const std::int64_t* oids, std::size_t count, const Request& request,
                   bool queue, Query& whole, const std::function<Query(const std::string& granted)>& grant);
    // The session waits in line for the object (once; the strongest kind it wants).
    void JoinLine(std::int64_t session, std::int64_t oid, int kind);
    // Which sessions of the rows [first, end) (id, known, pid, start, machine, its advisory
    // lock held) are alive, one flag a row; the others are purged.
    std::vector<bool> SessionsAlive(const PxPgRows& sessions, int first, int end);
    bool AnyLive(const PxPgRows& sessions, int first, int end);
    // Whether the session of the row lives; whether the session of every row does (nothing
    // to purge).
    static bool SessionAlive(const PxPgRows& sessions, int row);
    static bool EverySessionAlive(const PxPgRows& sessions);
    // The sessions (rows as above) holding the object with a kind from `conflictFrom` up,
    // apart from `session`; every holder of the object, with its user as a seventh column.
    PxPgRows OtherHolders(std::int64_t session, std::int64_t oid, int conflictFrom);
    PxPgRows Holders(std::int64_t oid);
    void PurgeSession(std::int64_t session);
    // Counts this connection's hold of the session's advisory lock (0 or 1).
    Query SessionLockHeld(std::int64_t session);

    std::unique_ptr<PxPgConnection> m_db;
    // Whether a generation hold placed takes an identity (PxPlacesHoldIdentities).
    bool m_holdIdentities = false;
    // What the repository keeps of the manual holds (PxKeptOfManualHolds).
    PxManualHoldsKept m_manualKept = PxManualHoldsKept::Nothing;
};
