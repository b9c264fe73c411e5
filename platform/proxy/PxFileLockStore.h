// Internal: the repository's lock file, beside the data file ("<file>-locks"), in SQLite.
#pragma once

#include "proxy/PxLockStoreBase.h"
#include "proxy/PxSqlite.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class PxFileLockStore final : public PxLockStoreBase {
public:
    explicit PxFileLockStore(const std::string& path);

    void Unlock(std::int64_t session, const std::int64_t* oids, std::size_t count) override;
    std::int64_t ReserveOids(std::int64_t count, std::int64_t lastStored) override;
    // A live process's session is never purged: its locks stay its own.
    bool KeepsItsLocks(std::int64_t) noexcept override { return true; }
    bool LocksGoWithTheConnection() const noexcept override { return false; }
    bool Connected() const noexcept override { return true; }

private:
    // A lock file made by an earlier build gets the columns it lacks: the generation holds'
    // identity (0: a hold of that build, which no recovery session names), the manual holds'
    // (0: none, which no take-back of this build names) and their key, which only this build
    // writes (kManualHoldsGone): manual holds standing take their identity as their key.
    void AddLaterColumns();
    // ReserveOids in the lock-table transaction under way.
    std::int64_t TakeOids(std::int64_t count, std::int64_t lastStored);
    void ApplyBusyTimeout(int milliseconds) override { m_db.SetBusyTimeout(milliseconds); }
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
    void GrantLock(std::int64_t session, std::int64_t oid, int kind);
    // Grants the first `count` objects of the list (a JSON array) in one statement.
    void GrantLocks(std::int64_t session, const std::string& list, std::size_t count, int kind);
    // How many objects of the list (a JSON array of `count`) come before the first that
    // another session, live or not, holds with a kind from `conflictFrom` up.
    std::size_t HeldByNoOtherUpTo(std::int64_t session, const std::string& list, std::size_t count, int conflictFrom);
    // Grants the objects of a JSON array before the index given, as `grant` would one by one.
    using GrantRun = std::function<void(const std::string& list, std::size_t upTo)>;
    // Tries the request on each object in turn, `grant` granting it, up to the first refusal;
    // with `grantRun`, a run of objects that nothing can refuse is granted at once.
    Attempt TryEach(std::int64_t session, const std::int64_t* oids, std::size_t count, const Request& request,
                    bool queue, const std::function<void(std::int64_t oid)>& grant, const GrantRun& grantRun = {});
    // Whether another live session that waits for the object, in line before this one,
    // wants a kind from `conflictFrom` up. A session holding the object waits for no one.
    bool WaitedForBefore(std::int64_t session, std::int64_t oid, int conflictFrom);
    // Whether the session must wait for the object; a session that waits joins the line
    // when it will try again. `lineKept`: whether any session is in line for anything.
    bool MustWait(std::int64_t session, std::int64_t oid, int kind, bool queue, bool lineKept);
    // Whether the session holds the object for future update or write.
    bool HoldsForUpdate(std::int64_t session, std::int64_t oid);
    // The first session in line for the object, if any.
    std::optional<std::int64_t> FirstInLine(std::int64_t oid);
    // Whether any session is in line for any object. Asked once in a transaction of the lock
    // tables (which no other session's enters meanwhile): when none is, the line is not looked
    // at object by object.
    bool AnyInLine();
    // Whether any session of the rows (id, known, pid, start, machine) is alive; the others
    // are purged.
    // Steps through the rows (session, known, pid, start, machine, ...): `live` is called with
    // each row of a live session, and the others are purged.
    void PurgeGone(PxQuery& sessions, const std::function<void(PxQuery& row)>& live);
    bool AnyLive(PxQuery& sessions);
    void PurgeSession(std::int64_t session);

    PxDatabase m_db;
};
