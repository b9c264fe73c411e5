#include "proxy/PxSession.h"

#include "proxy/PxFaultInjection.h"

#include "proxy/PxLinkCore.h"
#include "proxy/PxLocking.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <utility>

namespace {

using SessionKey = std::pair<std::string, const void*>;

std::mutex g_sharedMutex;
std::map<SessionKey, std::weak_ptr<PxSession>> g_shared;

std::string CanonicalPath(const std::string& path)
{
    if (PxIsServerName(path))
        return path;
    std::error_code error;
    std::filesystem::path canonical = std::filesystem::canonical(path, error);
    return error ? path : canonical.string();
}

// Ids are reserved in the lock store this many at a time at first, twice as many each time
// after up to the most, so that a step making many objects asks a few times; the ones a
// session does not use are never given.
constexpr std::int64_t kFirstOidsReserved = 64;
constexpr std::int64_t kMostOidsReserved = 4096;

} // namespace

int PxNode::NumberOfProcesses() const { return m_session.LiveSessions(); }

CString PxProcess::GetUserCode() const { return CString(m_session.UserCode()); }

long long PxProcess::GetSessionId() const { return m_session.Id(); }

std::shared_ptr<PxSession> PxSession::Attach(const std::string& path, const std::string& userCode,
                                             const void* handle)
{
    std::string canonical = CanonicalPath(path);
    std::lock_guard lock(g_sharedMutex);
    if (handle) {
        auto found = g_shared.find({canonical, handle});
        if (found != g_shared.end())
            if (std::shared_ptr<PxSession> session = found->second.lock())
                return session;
    }
    std::shared_ptr<PxSession> session(new PxSession(canonical, userCode));
    if (handle)
        g_shared[{canonical, handle}] = session;
    std::erase_if(g_shared, [](const auto& entry) { return entry.second.expired(); });
    return session;
}

PxSession::PxSession(const std::string& path, const std::string& userCode)
    : m_repository(path), m_store(PxStore::Open(path)), m_locks(PxLockStore::Open(path)), m_userCode(userCode),
      m_id(m_locks->RegisterSession(userCode)),
      m_process(*this)
{
}

PxSession::~PxSession()
{
    StopRetryingGiveBacks();
    m_store->RollbackQuietly();
    ReceiveSentGiveBack();
    PxSessionEnds::End(m_repository, std::move(m_locks), m_id, std::move(m_owedLifts));
}

void PxSession::GiveBack(const std::int64_t* oids, std::size_t count)
{
    auto guard = Guard();
    MakeOwedReleases();
    // Behind what the store has just refused, it goes in order and waits for nothing.
    if (OwesReleases()) {
        m_raiseCheck.Released(oids, count);
        m_owedGiveBacks.insert(m_owedGiveBacks.end(), oids, oids + count);
        RetryGiveBacksLater();
        return;
    }
    // The holds count as given back from here, though the store may take them only later: the
    // check judges what a lock call of this session meets at the store, and the store answers
    // no call of the session before it has taken them (the answer of a give-back sent is
    // received, and what it did not take is given back again, before the session's next call).
    m_raiseCheck.Released(oids, count);
    std::size_t done = 0;
    ReleaseOrOwe(
        [&] {
            PxFaultInjection::Check("PxLockStore::Unlock");
            if (m_locks->SendUnlocks(m_id, oids, count, kPxLockBatch, done))
                m_sentGiveBack.assign(oids + done, oids + count);
        },
        [&] { m_owedGiveBacks.insert(m_owedGiveBacks.end(), oids + done, oids + count); });
}

void PxSession::ReceiveSentGiveBack() noexcept
{
    if (m_sentGiveBack.empty())
        return;
    const std::vector<std::int64_t> sent = std::exchange(m_sentGiveBack, {});
    std::vector<bool> taken;
    try {
        taken = m_locks->ReceiveUnlocks();
    } catch (...) {
        // Nothing was received: all of it is owed.
    }
    for (std::size_t at = 0, batch = 0; at < sent.size(); at += kPxLockBatch, ++batch) {
        if (batch < taken.size() && taken[batch])
            continue;
        const auto first = sent.begin() + static_cast<std::ptrdiff_t>(at);
        m_owedGiveBacks.insert(m_owedGiveBacks.end(), first,
                               first + static_cast<std::ptrdiff_t>(std::min(kPxLockBatch, sent.size() - at)));
    }
}

bool PxSession::OwesGiveBack(std::int64_t slot) const
{
    auto guard = Guard();
    const auto owes = [slot](const std::vector<std::int64_t>& slots) {
        return std::find(slots.begin(), slots.end(), slot) != slots.end();
    };
    return owes(m_owedGiveBacks) || owes(m_sentGiveBack);
}

bool PxSession::KeepOwedSlot(std::int64_t slot)
{
    auto guard = Guard();
    MakeOwedReleases();
    if (!OwesGiveBack(slot))
        return false;
    const bool held = m_locks->HoldingOf(m_id, slot) == PxLockStore::Holding::Session;
    std::erase(m_owedGiveBacks, slot);
    return held;
}

PxLockStore::Attempt PxSession::PlacePersistent(const std::int64_t* oids, std::size_t count, bool manual,
                                                bool carried, bool queue)
{
    auto guard = Guard();
    std::int64_t manualId = 0;
    try {
        if (manual)
            manualId = NewOid();
    } catch (const PxException& failure) {
        // The identity's reservation found the store busy: the attempt did, and is waited on as such.
        if (!failure.IsStoreBusy())
            throw;
        PxLockStore::Attempt busy;
        busy.code = kPxCodeBusy;
        return busy;
    }
    const PxLockStore::Attempt attempt =
        Locks().PlacePersistent(m_id, m_userCode, oids, count, manual, manualId, carried, queue);
    if (manual)
        for (std::size_t i = 0; i < attempt.granted; ++i)
            m_manualPlaced[oids[i]] = IdentityOfManualHold(oids[i], attempt.manualId);
    return attempt;
}

std::int64_t PxSession::IdentityOfManualHold(std::int64_t oid, std::int64_t placed) noexcept
{
    if (placed == 0)
        return 0;
    try {
        const std::optional<PxPersistentLockRow> lock = m_locks->Persistent(oid);
        if (lock && lock->userCode == m_userCode && lock->manualHolds > 0 && lock->manualId != 0)
            return lock->manualId;
    } catch (...) {
        // Its own identity: its take-back then leaves it standing rather than take another's.
    }
    return placed;
}

void PxSession::TakeBackManualLock(std::int64_t oid)
{
    auto guard = Guard();
    const auto placed = m_manualPlaced.find(oid);
    if (placed == m_manualPlaced.end())
        return;
    const PxOwedLift removal{oid, placed->second, true, m_userCode};
    m_manualPlaced.erase(placed);
    MakeOwedReleases();
    // Behind what the store has just refused, it waits for nothing.
    if (OwesReleases()) {
        m_owedLifts.push_back(removal);
        RetryGiveBacksLater();
        return;
    }
    ReleaseOrOwe([&] { m_locks->TakeBackManual(oid, m_userCode, removal.identity); },
                 [&] { m_owedLifts.push_back(removal); });
}

template <class Release, class Owe>
void PxSession::ReleaseOrOwe(Release release, Owe owe)
{
    try {
        release();
    } catch (const PxException&) {
        owe();
        if (ForgetOwedIfLocksGone())
            throw;
    }
    RetryGiveBacksLater();
}

bool PxSession::LiftHold(std::int64_t oid, std::int64_t holdId)
{
    auto guard = Guard();
    MakeOwedReleases();
    try {
        return m_locks->LiftHold(oid, holdId);
    } catch (...) {
        m_owedLifts.push_back({oid, holdId, false, m_userCode});
        ForgetOwedIfLocksGone();
        RetryGiveBacksLater();
        throw;
    }
}

void PxSession::LiftCarriedHold(std::int64_t oid)
{
    auto guard = Guard();
    MakeOwedReleases();
    try {
        m_locks->EndCarrying(m_id, oid, true);
    } catch (...) {
        OweCarriedHoldsLift(oid);
        throw;
    }
}

bool PxSession::MakeOwedLiftOf(std::int64_t oid, const std::optional<PxPersistentLockRow>& refusing, bool brief)
{
    if (!refusing || refusing->holds == refusing->manualHolds)
        return false;
    auto guard = Guard();
    std::optional<PxBusyWaitScope> briefly;
    if (brief)
        briefly.emplace(*m_locks, PxBusyWait::Brief);
    const auto owed = std::find_if(m_owedLifts.begin(), m_owedLifts.end(),
                                   [&](const PxOwedLift& lift) { return !lift.manual && lift.oid == oid; });
    if (owed == m_owedLifts.end())
        return false;
    // By its identity: a hold that is not the one owed stays, and refuses the next try as another's.
    m_locks->LiftHold(oid, owed->identity);
    m_owedLifts.erase(owed);
    return true;
}

void PxSession::OweCarriedHoldsLift(std::int64_t oid) noexcept
{
    // The hold is owed by the identity the store tells now; one it cannot tell stays carried, and
    // goes with the session.
    std::optional<PxPersistentLockRow> hold;
    try {
        hold = m_locks->Persistent(oid);
    } catch (...) {
        return;
    }
    if (hold && hold->holds > hold->manualHolds)
        m_owedLifts.push_back({oid, hold->holdId, false, m_userCode});
    m_owedGiveBacks.push_back(PxHoldMarkSlot(oid));
    ForgetOwedIfLocksGone();
    RetryGiveBacksLater();
}

bool PxSession::ForgetOwedIfLocksGone() noexcept
{
    if (m_locks->KeepsItsLocks(m_id))
        return false;
    // The holds went with the connection; what outlives it the process makes through another.
    PxSessionEnds::AfterLostConnection(m_repository, std::exchange(m_owedLifts, {}));
    m_owedGiveBacks.clear();
    return true;
}

void PxSession::MakeOwedReleases() noexcept
{
    auto guard = Guard();
    ReceiveSentGiveBack();
    if (!OwesReleases())
        return;
    const PxBusyWaitScope retry(*m_locks, PxBusyWait::Brief);
    if (!PxMakeOwedLifts(*m_locks, m_owedLifts)) {
        ForgetOwedIfLocksGone();
        RetryGiveBacksLater();
        return;
    }
    if (m_owedGiveBacks.empty())
        return;
    std::vector<std::int64_t> owed;
    owed.swap(m_owedGiveBacks);
    std::size_t done = 0;
    try {
        m_locks->UnlockInBatches(m_id, owed.data(), owed.size(), kPxLockBatch, done);
    } catch (...) {
        m_owedGiveBacks.insert(m_owedGiveBacks.begin(), owed.begin() + static_cast<std::ptrdiff_t>(done), owed.end());
        ForgetOwedIfLocksGone();
        RetryGiveBacksLater();
    }
}

void PxSession::RetryGiveBacksLater()
{
    // At the module's end the session's own end, made inline, takes whatever it still holds.
    if (m_retryingGiveBacks || m_ending || !OwesReleases() || PxSessionEnds::LastTried())
        return;
    // A thread that ended has let the session go already.
    if (m_giveBackThread.joinable())
        m_giveBackThread.join();
    m_retryingGiveBacks = true;
    m_giveBackThread = PxStartRetryThread(m_ends, kPxLongestRetryDelayMilliseconds, [this] { return RetryGiveBacks(); },
                                          m_giveBackThreadId);
}

bool PxSession::RetryGiveBacks()
{
    auto guard = Guard();
    // A long release the server still runs is waited for without holding up the session.
    if (m_sentGiveBack.empty() || m_locks->UnlocksAnswered())
        MakeOwedReleases();
    m_retryingGiveBacks = OwesReleases();
    return m_retryingGiveBacks;
}

void PxSession::StopRetryingGiveBacks() noexcept
{
    {
        auto guard = Guard();
        m_ending = true;
    }
    m_ends.SetEvent();
    if (m_giveBackThread.joinable())
        m_giveBackThread.join();
}

int PxSession::LiveSessions()
{
    auto guard = Guard();
    return Locks().LiveSessions();
}

void PxSession::SetBusyTimeout(int milliseconds)
{
    auto guard = Guard();
    m_store->SetBusyTimeout(milliseconds);
    Locks().SetBusyTimeout(milliseconds);
}

bool PxSession::InTransaction() const
{
    auto guard = Guard();
    return m_inTransaction;
}

bool PxSession::ReadInTransaction(std::uint64_t run) const
{
    auto guard = Guard();
    return m_inTransaction && run >= m_transactionRun;
}

bool PxSession::HasFailed() const
{
    auto guard = Guard();
    return m_inTransaction && m_failure.has_value();
}

std::string PxSession::Failure() const
{
    auto guard = Guard();
    return m_inTransaction && m_failure ? *m_failure : std::string();
}

void PxSession::RequireTransaction() const
{
    if (!m_inTransaction)
        PX_THROW("Cannot change the repository: no transaction is open.");
}

void PxSession::Begin()
{
    auto guard = Guard();
    MakeOwedReleases();
    if (m_inTransaction)
        PX_THROW("Cannot begin a repository transaction: one is open already.");
    m_store->WatchReads();
    m_transactionRun = m_store->ReadRun();
    m_changed.clear();
    m_created.clear();
    m_failure.reset();
    m_savepoint.reset();
    m_stepTogether = false;
    m_inTransaction = true;
}

void PxSession::TakeWriterSlot()
{
    if (m_store->InTransaction())
        return;
    m_store->Begin();
    bool current = false;
    try {
        current = m_store->ReadsStillCurrent();
    } catch (...) {
        m_store->RollbackQuietly();
        throw;
    }
    if (!current)
        FailTransaction(PxException(__FILE__, __LINE__, "Cannot change the repository: another session has "
                                                        "changed what this transaction read."));
    m_store->StopWatchingReads();
    if (m_savepoint) {
        RunSavepointStatement([this] { m_store->Savepoint(); });
        m_savepoint->inStore = true;
    }
}

void PxSession::RequireSavepoint() const
{
    if (!m_savepoint)
        PX_THROW("Cannot end the savepoint: the transaction has none.");
}

template <class Statement>
void PxSession::RunSavepointStatement(Statement statement)
{
    try {
        statement();
    } catch (const PxException& refusal) {
        FailTransaction(refusal);
    }
}

void PxSession::SetSavepoint()
{
    auto guard = Guard();
    RequireTransaction();
    RequireNotFailed();
    if (m_savepoint)
        PX_THROW("Cannot set a savepoint: the transaction has one already.");
    // Steps put off are taken before it: a rollback to it undoes only what comes after.
    if (!m_putOffSteps.empty())
        Read([] {});
    Savepoint savepoint{m_created.size(), m_changed, m_stepTogether, m_store->InTransaction()};
    if (savepoint.inStore)
        RunSavepointStatement([this] { m_store->Savepoint(); });
    m_savepoint = std::move(savepoint);
}

void PxSession::RollbackToSavepoint()
{
    auto guard = Guard();
    RequireTransaction();
    RequireNotFailed();
    RequireSavepoint();
    Savepoint savepoint = std::move(*m_savepoint);
    m_savepoint.reset();
    // Every step still put off is of a change made after the savepoint.
    m_putOffSteps.clear();
    if (savepoint.inStore)
        RunSavepointStatement([this] { m_store->RollbackToSavepoint(); });
    const std::vector<std::int64_t> created(m_created.begin() + static_cast<std::ptrdiff_t>(savepoint.created),
                                            m_created.end());
    m_created.resize(savepoint.created);
    m_changed = std::move(savepoint.changed);
    m_stepTogether = savepoint.stepTogether;
    ForgetCreated(created);
}

void PxSession::ReleaseSavepoint()
{
    auto guard = Guard();
    RequireTransaction();
    RequireNotFailed();
    RequireSavepoint();
    const bool inStore = m_savepoint->inStore;
    m_savepoint.reset();
    if (inStore)
        RunSavepointStatement([this] { m_store->ReleaseSavepoint(); });
}

void PxSession::Commit()
{
    auto guard = Guard();
    if (!m_inTransaction)
        PX_THROW("Cannot commit the repository transaction: none is open.");
    if (m_failure) {
        const std::string refusal = *m_failure;
        ForgetTransaction();
        PX_THROW("%1", refusal.c_str());
    }
    try {
        TakePutOffSteps();
        if (m_store->InTransaction())
            m_store->Commit(m_id);
    } catch (const PxExceptionLocksLost& lost) {
        RethrowAfterStoreFailure(lost, "%1 The transaction was rolled back.");
    } catch (const PxException& failure) {
        if (!m_store->InTransaction())
            RethrowAfterStoreFailure(failure, "%1 The changes were not stored.");
        throw;
    }
    m_store->StopWatchingReads();
    m_changed.clear();
    m_created.clear();
    m_savepoint.reset();
    m_stepTogether = false;
    m_inTransaction = false;
}

void PxSession::RequireNotFailed() const
{
    if (m_inTransaction && m_failure)
        PX_THROW("%1", m_failure->c_str());
}

void PxSession::FailTransaction(const PxException& refusal)
{
    m_store->RollbackQuietly();
    ForgetChanges();
    m_failure = PxAsSentence(refusal.GetErrorMessage().str()) + " The transaction was rolled back.";
    throw PxException(refusal.GetFileName(), refusal.GetLineNumber(), "%1", m_failure->c_str(), nullptr,
                      refusal.IsObjectDeleted());
}

void PxSession::Abort()
{
    auto guard = Guard();
    if (!m_inTransaction)
        return;
    if (m_failure) {
        ForgetTransaction();
        return;
    }
    try {
        if (m_store->InTransaction())
            m_store->Rollback();
    } catch (...) {
        if (!m_store->InTransaction())
            ForgetTransaction();
        throw;
    }
    ForgetTransaction();
}

std::int64_t PxSession::CreateObject(const char* className, std::int64_t created)
{
    std::int64_t oid = NewOid();
    m_store->CreateObject(oid, className, created);
    m_created.push_back(oid);
    m_changed.insert(oid);
    return oid;
}

std::int64_t PxSession::NewOid()
{
    if (m_nextOid == m_oidsEnd) {
        m_oidsReserved = m_oidsReserved ? std::min(m_oidsReserved * 2, kMostOidsReserved) : kFirstOidsReserved;
        m_nextOid = Locks().ReserveOids(m_oidsReserved, m_store->LastOid());
        m_oidsEnd = m_nextOid + m_oidsReserved;
    }
    return m_nextOid++;
}

void PxSession::StepEditionOnce(std::int64_t oid, std::optional<std::int64_t> expected,
                                std::function<void(std::int64_t)> stepped)
{
    if (!m_changed.insert(oid).second)
        return;
    if (m_stepTogether) {
        m_putOffSteps.push_back({oid, std::move(stepped)});
        return;
    }
    PxStore::EditionStep step = PxStore::EditionStep::Gone;
    try {
        step = m_store->StepEdition(oid, expected);
    } catch (...) {
        m_changed.erase(oid);
        throw;
    }
    if (step == PxStore::EditionStep::Gone) {
        m_changed.erase(oid);
        ThrowGone();
    }
    if (step == PxStore::EditionStep::SteppedFromExpected)
        stepped(*expected + 1);
}

void PxSession::StepEditionsTogether()
{
    auto guard = Guard();
    RequireTransaction();
    m_stepTogether = true;
}

void PxSession::StepEditionsAtOnce()
{
    auto guard = Guard();
    m_stepTogether = false;
}

bool PxSession::StepsEditionsTogether() const
{
    auto guard = Guard();
    return m_inTransaction && m_stepTogether;
}

void PxSession::TakeEditionSteps()
{
    auto guard = Guard();
    if (!m_putOffSteps.empty())
        Read([] {});
}

void PxSession::TakePutOffSteps()
{
    if (m_putOffSteps.empty())
        return;
    PxFaultInjection::Check("PxSession::TakePutOffSteps");
    const std::vector<PutOffStep> steps = std::exchange(m_putOffSteps, {});
    std::vector<std::int64_t> oids;
    oids.reserve(steps.size());
    for (const PutOffStep& step : steps)
        oids.push_back(step.oid);
    std::unordered_map<std::int64_t, std::int64_t> editions;
    try {
        editions = m_store->NextEditions(oids);
        if (editions.size() != oids.size())
            ThrowGone();
    } catch (...) {
        // The changes are made already: without their steps they must not be stored.
        m_store->RollbackQuietly();
        throw;
    }
    for (const PutOffStep& step : steps)
        step.stepped(editions.at(step.oid));
}

void PxSession::ThrowGone()
{
    PX_THROW_DELETED("Cannot change the object: it is no longer in the repository.");
}

void PxSession::StepEditionsOnce(const std::vector<std::int64_t>& oids)
{
    std::vector<std::int64_t> stepping;
    for (std::int64_t oid : oids)
        if (m_changed.insert(oid).second)
            stepping.push_back(oid);
    if (stepping.empty())
        return;
    std::unordered_map<std::int64_t, std::int64_t> editions;
    try {
        editions = m_store->NextEditions(stepping);
    } catch (...) {
        for (std::int64_t oid : stepping)
            m_changed.erase(oid);
        throw;
    }
    for (PxLinkCore* core : m_cores)
        core->TakeOwnEditionSteps(editions);
    if (editions.size() == stepping.size())
        return;
    for (std::int64_t oid : stepping)
        if (!editions.count(oid))
            m_changed.erase(oid);
    ThrowGone();
}

void PxSession::NoteDeleted(const std::vector<std::int64_t>& oids)
{
    for (std::int64_t oid : oids)
        m_changed.erase(oid);
    if (m_putOffSteps.empty())
        return;
    const std::unordered_set<std::int64_t> deleted(oids.begin(), oids.end());
    std::erase_if(m_putOffSteps, [&](const PutOffStep& step) { return deleted.count(step.oid) > 0; });
}

void PxSession::ForgetTransaction() noexcept
{
    m_inTransaction = false;
    m_stepTogether = false;
    m_failure.reset();
    ForgetChanges();
}

void PxSession::ForgetChanges() noexcept
{
    m_store->StopWatchingReads();
    m_changed.clear();
    m_putOffSteps.clear();
    m_savepoint.reset();
    ForgetCreated(m_created);
    m_created.clear();
}

void PxSession::ForgetCreated(const std::vector<std::int64_t>& created) noexcept
{
    for (PxLinkCore* core : m_cores)
        core->AfterRollback(created);
    m_raiseCheck.Dropped(created);
    try {
        if (!created.empty())
            Locks().DropLocksOf(m_id, created);
    } catch (const PxException&) {
        // The locks stay; they name objects that never were, whose ids are never given again.
    }
}

void PxSession::RethrowAfterStoreFailure(const PxException& failure, const char* consequence)
{
    ForgetTransaction();
    const std::string message = PxAsSentence(failure.GetErrorMessage().str());
    throw PxException(failure.GetFileName(), failure.GetLineNumber(), consequence, message.c_str());
}

void PxSession::Register(PxLinkCore* core)
{
    auto guard = Guard();
    m_cores.push_back(core);
}

void PxSession::Unregister(PxLinkCore* core)
{
    auto guard = Guard();
    std::erase(m_cores, core);
}
