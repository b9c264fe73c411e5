#include "proxy/PxLockStoreBase.h"

#include "proxy/PxFaultInjection.h"
#include "proxy/PxTesting.h"

#include <algorithm>

void PxLockStoreBase::SetBusyTimeout(int milliseconds)
{
    ApplyBusyTimeout(milliseconds);
    m_busyTimeout = m_appliedTimeout = milliseconds;
}

void PxLockStoreBase::SetBusyWait(PxBusyWait wait) noexcept
{
    m_busyWait = wait;
    const int timeout = wait == PxBusyWait::Brief ? kPxBriefBusyMilliseconds : m_busyTimeout;
    if (timeout == m_appliedTimeout)
        return;
    try {
        ApplyBusyWait(timeout);
        m_appliedTimeout = timeout;
    } catch (...) {
        // The store out of reach fails what comes next by itself.
    }
}

void PxLockStoreBase::BeginOrFailBusy()
{
    if (BeginOrBusy())
        return;
    NoteBusyWait();
    FailBusy();
}

void PxLockStoreBase::NoteBusyWait() const noexcept { PxTesting::NoteBusyWait(m_appliedTimeout); }

void PxLockStoreBase::WakeAll(const std::vector<std::int64_t>& sessions) noexcept
{
    for (std::int64_t session : sessions)
        m_wake.Wake(session);
}

std::int64_t PxLockStoreBase::RegisterSession(const std::string& userCode)
{
    const std::vector<std::int64_t> dead = TakeCensus().dead;
    PxFaultInjection::Check("PxLockStore::PurgeSessions");
    std::int64_t id = InLockTransaction([&] {
        PurgeSessions(dead);
        return InsertSession(userCode);
    });
    m_wake.Listen(id);
    return id;
}

bool PxLockStoreBase::UnregisterSession(std::int64_t session) noexcept
{
    try {
        WakeAll(InLockTransaction([&] { return EndSession(session); }));
        return true;
    } catch (...) {
        RollbackQuietly();
        return false;
    }
}

int PxLockStoreBase::LiveSessions()
{
    const SessionCensus census = TakeCensus();
    if (!census.dead.empty())
        InLockTransaction([&] { PurgeSessions(census.dead); });
    return census.live;
}

void PxLockStoreBase::GiveUpWaiting(std::int64_t session, std::int64_t oid)
{
    InLockTransaction([&] { StopWaiting(session, oid); });
}

bool PxLockStoreBase::LockedByOther(std::int64_t session, std::int64_t oid)
{
    return InLockTransaction([&] { return HeldByOther(session, oid, PxLockRead); });
}

PxLockStore::Holding PxLockStoreBase::HoldingOf(std::int64_t session, std::int64_t oid)
{
    // No session has the id 0: another than it is any session.
    return InLockTransaction([&] {
        if (HeldByOther(session, oid, PxLockRead))
            return Holding::Other;
        return HeldByOther(0, oid, PxLockRead) ? Holding::Session : Holding::None;
    });
}

std::string PxLockStoreBase::LockHolder(std::int64_t oid)
{
    return InLockTransaction([&] { return LiveHolderOf(oid); });
}

void PxLockStoreBase::DropLocksOf(std::int64_t session, const std::vector<std::int64_t>& oids)
{
    InLockTransaction([&] {
        for (std::int64_t oid : oids)
            DropLocksOn(session, oid);
    });
}

namespace {

bool HeldForGeneration(const std::optional<PxPersistentLockRow>& persistent)
{
    return persistent && persistent->holds > persistent->manualHolds;
}

} // namespace

bool PxLockStoreBase::PurgedDeadSessions()
{
    const std::vector<std::int64_t> dead = TakeCensus().dead;
    if (dead.empty())
        return false;
    InLockTransaction([&] { PurgeSessions(dead); });
    return true;
}

template <class Try>
PxLockStore::Attempt PxLockStoreBase::PastDeadHolders(Try attempt)
{
    Attempt made = attempt();
    if (made.code == kPxCodePersistent && HeldForGeneration(made.persistent) && PurgedDeadSessions())
        made = attempt();
    return made;
}

PxLockStore::Attempt PxLockStoreBase::Lock(std::int64_t session, const std::int64_t* oids, std::size_t count, int kind,
                                           bool queue)
{
    return PastDeadHolders([&] { return TryLock(session, oids, count, kind, queue); });
}

PxLockStore::Attempt PxLockStoreBase::LockAnswered(std::int64_t session, const std::int64_t* oids, std::size_t count,
                                                   int kind)
{
    const Attempt made = Lock(session, oids, count, kind, false);
    if (made.code == kPxCodeBusy)
        FailBusy();
    return made;
}

PxLockStore::Attempt PxLockStoreBase::PlacePersistent(std::int64_t session, const std::string& userCode,
                                                      const std::int64_t* oids, std::size_t count, bool manual,
                                                      std::int64_t manualId, bool carried, bool queue)
{
    return PastDeadHolders(
        [&] { return TryPlacePersistent(session, userCode, oids, count, manual, manualId, carried, queue); });
}

PxLockStore::Attempt PxLockStoreBase::ExchangeHold(std::int64_t session, const std::string& holder, std::int64_t oid,
                                                   int kind, bool queue)
{
    return PastDeadHolders([&] { return TryExchangeHold(session, holder, oid, kind, queue); });
}

std::optional<PxPersistentLockRow> PxLockStoreBase::Persistent(std::int64_t oid)
{
    std::optional<PxPersistentLockRow> row = ReadPersistent(oid);
    if (HeldForGeneration(row) && PurgedDeadSessions())
        row = ReadPersistent(oid);
    return row;
}

void PxLockStoreBase::RemovePersistent(std::int64_t oid, bool manual, int count)
{
    InLockTransaction([&] {
        std::optional<PxPersistentLockRow> lock = ReadPersistent(oid);
        if (!lock || count <= 0)
            return;
        int available = manual ? lock->manualHolds : lock->holds - lock->manualHolds;
        int removed = std::min(count, available);
        LowerPersistent(oid, removed, manual ? removed : 0, false);
    });
}

bool PxLockStoreBase::TakeBackManual(std::int64_t oid, const std::string& userCode, std::int64_t manualId)
{
    return InLockTransaction([&] {
        const std::optional<PxPersistentLockRow> lock = ReadPersistent(oid);
        if (!lock || lock->userCode != userCode || lock->manualHolds == 0 ||
            (manualId != 0 && lock->manualId != manualId))
            return false;
        LowerPersistent(oid, 1, 1, true);
        return true;
    });
}

bool PxLockStoreBase::LiftHold(std::int64_t oid, std::int64_t holdId)
{
    return InLockTransaction([&] {
        const std::optional<PxPersistentLockRow> lock = ReadPersistent(oid);
        if (!HeldForGeneration(lock) || lock->holdId != holdId)
            return false;
        LowerPersistent(oid, 1, 0, false);
        return true;
    });
}

void PxLockStoreBase::EndCarrying(std::int64_t session, std::int64_t oid, bool lift)
{
    InLockTransaction([&] {
        if (lift && HeldForGeneration(ReadPersistent(oid)))
            LowerPersistent(oid, 1, 0, false);
        ReleaseOneHold(session, PxHoldMarkSlot(oid));
    });
}
