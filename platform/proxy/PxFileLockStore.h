// Internal: the repository's lock file, beside the data file ("<file>-locks"), in SQLite.
#pragma once

#include "proxy/PxLockStore.h"
#include "proxy/PxLockWake.h"
#include "proxy/PxSqlite.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class PxFileLockStore final : public PxLockStore {
public:
    explicit PxFileLockStore(const std::string& path);

    std::int64_t RegisterSession(const std::string& userCode) override;
    void UnregisterSession(std::int64_t session) noexcept override;
    int LiveSessions() override;
    void SetBusyTimeout(int milliseconds) override { m_db.SetBusyTimeout(milliseconds); }
    Attempt Lock(std::int64_t session, const std::int64_t* oids, std::size_t count, int kind, bool queue) override;
    void GiveUpWaiting(std::int64_t session, std::int64_t oid) override;
    bool CanAwaitRelease() const override { return m_wake.Listening(); }
    bool AwaitRelease(std::uint64_t milliseconds) override { return m_wake.Await(milliseconds); }
    void Unlock(std::int64_t session, const std::int64_t* oids, std::size_t count) override;
    bool LockedByOther(std::int64_t session, std::int64_t oid) override;
    void DropLocksOf(std::int64_t session, const std::vector<std::int64_t>& oids) override;
    std::int64_t ReserveOids(std::int64_t count, std::int64_t lastStored) override;
    Attempt PlacePersistent(std::int64_t session, const std::string& userCode, const std::int64_t* oids,
                            std::size_t count, bool manual, bool queue) override;
    void RemovePersistent(std::int64_t oid, bool manual, int count) override;
    std::optional<PxPersistentLockRow> Persistent(std::int64_t oid) override;

private:
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
