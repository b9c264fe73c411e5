// Internal: one repository session: the connections to the data and lock stores (files or
// a server), the open transaction, the locks held and the session's registration. Links
// attached with the same repository and the same non-null session handle in one process share
// one session (the host's link and the module's, say).
#pragma once

#include "proxy/PxException.h"
#include "proxy/PxLockRaiseCheck.h"
#include "proxy/PxLockStore.h"
#include "proxy/PxProcess.h"
#include "proxy/PxSessionEnds.h"
#include "proxy/PxStore.h"
#include "win/Sync.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <unordered_map>
#include <unordered_set>
#include <vector>

class PxLinkCore;

class PxSession {
public:
    static std::shared_ptr<PxSession> Attach(const std::string& path, const std::string& userCode,
                                             const void* handle);
    ~PxSession();
    PxSession(const PxSession&) = delete;
    PxSession& operator=(const PxSession&) = delete;

    // Held around every use of the two stores.
    std::unique_lock<std::recursive_mutex> Guard() const { return std::unique_lock(m_mutex); }
    PxStore& Store() { return *m_store; }
    // The lock store, once the lifts and give-backs the session owes it are made (see GiveBack).
    PxLockStore& Locks()
    {
        MakeOwedReleases();
        return *m_locks;
    }
    // Gives back one hold of each object, as the lock store's Unlock does. Holds the store
    // could not take back now (its file or server busy, or refusing) are owed, never thrown, so
    // that no step fails for a release that will be made: given back as soon as the store
    // takes them again, so that nobody waits behind a holder that is done with them: at the
    // session's next lock call or transaction or, while its user does nothing else, by a thread
    // of the session after the retry delay (RetryGiveBacks), or with the session, by the
    // process once it closed (PxSessionEnds). Holds that went with the session's lock
    // connection are owed no more, and the connection's loss is thrown. A long run the store
    // takes without making the session wait for its answer (PxLockStore::SendUnlocks): the
    // answer is received before anything else of the session reaches the store, or by that
    // thread once the store has answered, and what the store did not take is owed.
    void GiveBack(const std::int64_t* oids, std::size_t count);
    // Whether the session gave its hold of the slot back and the store has not taken it yet: the
    // store shows it still, but it is the session's no more (a claim, held once).
    bool OwesGiveBack(std::int64_t slot) const;
    // Settles what the session owes of a slot held once (a claim, a hold's mark) as it takes the
    // slot again: a slot it gave back and the store shows it holding still is its own again
    // (answers true: kept, never locked a second time); the give-back of one the store shows it
    // not holding would take nothing, or else the slot taken anew: it goes.
    bool KeepOwedSlot(std::int64_t slot);
    // Places persistent locks of the session's user (PxLockStore::PlacePersistent). Manual holds
    // placed give their locks an identity no object or hold had, which the session keeps, object
    // by object, for the take-back of what it placed (TakeBackManualLock).
    PxLockStore::Attempt PlacePersistent(const std::int64_t* oids, std::size_t count, bool manual, bool carried,
                                         bool queue);
    // Takes back the manual hold the session last placed on the object, which a step of it no
    // longer keeps, by the identity its placing gave (PxLockStore::TakeBackManual): never a hold
    // placed after it, never twice. A removal the store refuses is owed and never thrown, as a
    // give-back is, and made before the give-backs owed. It outlives the lock connection: that
    // lost, the process makes it through another (PxSessionEnds), and the loss is thrown.
    void TakeBackManualLock(std::int64_t oid);
    // Lifts the object's generation hold when it is the one of the identity (PxLockStore::
    // LiftHold), and answers whether it was. A lift the store refuses is owed as a give-back
    // is, and the refusal thrown; the give-backs owed are made only after it, so that a claim's
    // mark never goes before the hold it carries.
    bool LiftHold(std::int64_t oid, std::int64_t holdId);
    // Lifts the generation hold the session carries, with its carrying, in one step of the
    // store (PxLockStore::EndCarrying). Refused, the lift of the hold standing is owed as
    // LiftHold's is, and the carrying's end after it; the refusal is thrown.
    void LiftCarriedHold(std::int64_t oid);
    // A lock call of the session that a persistent lock with a generation hold refuses (`refusing`,
    // the lock the store read), where the session owes the lift of the object's generation hold:
    // the lift is made now, and the call may try again (answers true); the store still refusing it,
    // its refusal is thrown, the lift owed as it was. Answers false when the session owes no such
    // lift: the refusal is another's. `brief`: the lift waits for a busy store as briefly as the
    // attempts of a call that declines waits.
    bool MakeOwedLiftOf(std::int64_t oid, const std::optional<PxPersistentLockRow>& refusing, bool brief);
    // The thread that makes the give-backs owed while the session's user does nothing else;
    // 0 while none runs (tests).
    DWORD GiveBackThread() const
    {
        auto guard = Guard();
        return m_retryingGiveBacks ? m_giveBackThreadId : 0;
    }
    // What the session's lock calls hold, for the raise check of test runs.
    PxLockRaiseCheck& RaiseCheck() { return m_raiseCheck; }
    std::int64_t Id() const { return m_id; }
    const std::string& UserCode() const { return m_userCode; }
    PxProcess* Process() { return &m_process; }
    int LiveSessions();
    void SetBusyTimeout(int milliseconds);

    // A transaction takes the store's single writer slot at its first change, not at its
    // beginning, so one that waits for a lock keeps no other session from committing. What
    // it reads before then is checked when it takes the slot (see PxStore::WatchReads).
    void Begin();
    void Commit();
    // Quiet when the transaction has ended already or failed.
    void Abort();
    bool InTransaction() const;
    // Whether data read in that run of the store's reads (PxStore::ReadRun) was read inside the
    // open transaction: checked when the transaction takes the writer slot, or read under it.
    bool ReadInTransaction(std::uint64_t run) const;
    // Whether the open transaction has failed (see Read).
    bool HasFailed() const;
    // The refusal that failed the open transaction; empty while it has not failed.
    std::string Failure() const;
    // One savepoint of the open transaction at a time (see PxLink::SetSavepoint). Set before
    // the transaction's first change, it is set in the store as the writer slot is taken.
    void SetSavepoint();
    void RollbackToSavepoint();
    void ReleaseSavepoint();

    // Every statement of the data goes through one of these two. Once the store refuses
    // anything of an open transaction and has rolled it back by itself (a refused write is
    // reported by whichever statement comes next, a read too), or another session has
    // changed what the transaction read, the transaction is failed: every later statement of
    // it and its commit refuse with that first refusal, and nothing begins a new store
    // transaction under it, until it is committed or aborted.
    template <class Statement>
    auto Read(Statement&& statement) -> decltype(statement());
    // A change of the data: it needs an open transaction; the first change takes the writer
    // slot. A change refused because another session holds the slot may be tried again.
    template <class Change>
    auto Write(Change&& change) -> decltype(change());
    // The same change, made only when `changing` (asked first, under the same checks; it may
    // read) answers true: a change that would change nothing takes no writer slot and costs no
    // round trip. Answers whether it was made.
    template <class Changing, class Change>
    bool WriteIfChanging(Changing&& changing, Change&& change);
    // Steps the stored edition of an object changed in the open transaction, once per
    // transaction; `stepped` takes the new edition, at least when the object was at the
    // `expected` one. Throws when the object is no longer present. While the transaction
    // steps editions together, the step is put off until its next read or its commit, which
    // take every step put off in one go and fail the whole transaction when one of them fails.
    void StepEditionOnce(std::int64_t oid, std::optional<std::int64_t> expected,
                         std::function<void(std::int64_t)> stepped);
    // For the rest of the open transaction, its changes step editions together.
    void StepEditionsTogether();
    // Later changes step at once again (the steps put off stay put off).
    void StepEditionsAtOnce();
    bool StepsEditionsTogether() const;
    // Takes the steps put off, so that an edition buffered knows them.
    void TakeEditionSteps();
    // The same for each of the ids, those not stepped yet in this transaction in one go; a
    // buffer that was current, in any link of the session, stays current.
    void StepEditionsOnce(const std::vector<std::int64_t>& oids);
    // Stores a new object, at its first edition, under an id never given before; answers the id.
    std::int64_t CreateObject(const char* className, std::int64_t created);
    // Deleted objects: a later change must find them gone.
    void NoteDeleted(const std::vector<std::int64_t>& oids);

    void Register(PxLinkCore* core);
    void Unregister(PxLinkCore* core);

private:
    PxSession(const std::string& path, const std::string& userCode);
    void RequireTransaction() const;
    // Throws the refusal that failed the open transaction, if any.
    void RequireNotFailed() const;
    // Takes the steps put off in one go; rolls the store transaction back when that fails.
    void TakePutOffSteps();
    [[noreturn]] static void ThrowGone();
    template <class Statement>
    auto Run(Statement& statement) -> decltype(statement());
    [[noreturn]] void FailTransaction(const PxException& refusal);
    void TakeWriterSlot();
    std::int64_t NewOid();
    void RequireSavepoint() const;
    // Runs a savepoint statement of the store: a transaction whose savepoint the store
    // refuses is failed, as it is rolled back.
    template <class Statement>
    void RunSavepointStatement(Statement statement);
    // The store rolled back: the links' buffers are stale, objects it created never were.
    void ForgetChanges() noexcept;
    // The links' buffers are stale, and the objects, created in what was rolled back, never
    // were: their locks go.
    void ForgetCreated(const std::vector<std::int64_t>& created) noexcept;
    // The transaction is gone.
    void ForgetTransaction() noexcept;
    [[noreturn]] void RethrowAfterStoreFailure(const PxException& failure, const char* consequence);
    // Makes the lifts and removals, then the give-backs owed; those the store still cannot take
    // stay owed.
    void MakeOwedReleases() noexcept;
    // The refused LiftCarriedHold owed.
    void OweCarriedHoldsLift(std::int64_t oid) noexcept;
    // What the session can no longer give back or lift: the store refused it with the session's
    // locks gone (its lock connection lost). What outlives the connection goes to the process
    // (PxSessionEnds::AfterLostConnection). Whether they were gone.
    bool ForgetOwedIfLocksGone() noexcept;
    // Makes the release now, waiting one busy timeout at most; refused, it is owed (`owe`) and made
    // later, and only a lock connection lost with the session's locks is thrown.
    template <class Release, class Owe>
    void ReleaseOrOwe(Release release, Owe owe);
    // The identity a manual hold just placed goes by (`placed`, the one its placing gave, 0 where
    // the store keeps none): that of the user's manual holds standing on the object, which the
    // store keeps for each one placed on them until one is removed otherwise than taken back.
    std::int64_t IdentityOfManualHold(std::int64_t oid, std::int64_t placed) noexcept;
    // Receives the answer to the give-back sent; what the store did not take is owed.
    void ReceiveSentGiveBack() noexcept;
    bool OwesReleases() const
    {
        return !m_owedLifts.empty() || !m_owedGiveBacks.empty() || !m_sentGiveBack.empty();
    }
    // Starts the thread that makes the lifts and give-backs while the session's user does
    // nothing else, when something is owed or sent and none runs.
    void RetryGiveBacksLater();
    // One try of the thread (PxRetryWhileOwed, until the session ends): makes what is owed, once
    // a give-back sent has been answered; whether anything is still owed.
    bool RetryGiveBacks();
    void StopRetryingGiveBacks() noexcept;

    mutable std::recursive_mutex m_mutex;
    std::string m_repository;
    std::unique_ptr<PxStore> m_store;
    std::unique_ptr<PxLockStore> m_locks;
    PxLockRaiseCheck m_raiseCheck;
    std::string m_userCode;
    std::int64_t m_id;
    PxProcess m_process;
    bool m_inTransaction = false;
    std::uint64_t m_transactionRun = 0; // the store's first run of reads in the open transaction
    std::optional<std::string> m_failure; // the refusal that failed the open transaction
    std::unordered_set<std::int64_t> m_changed;
    struct PutOffStep {
        std::int64_t oid;
        std::function<void(std::int64_t)> stepped;
    };
    bool m_stepTogether = false;
    std::vector<PutOffStep> m_putOffSteps;
    std::vector<std::int64_t> m_created;
    // What a rollback to the savepoint restores of the transaction's own bookkeeping.
    struct Savepoint {
        std::size_t created = 0; // how many objects the transaction had created
        std::unordered_set<std::int64_t> changed;
        bool stepTogether = false;
        bool inStore = false; // set in the store: the writer slot was held, or has been taken since
    };
    std::optional<Savepoint> m_savepoint;
    std::int64_t m_nextOid = 0;
    std::int64_t m_oidsReserved = 0; // how many the last reservation took
    std::int64_t m_oidsEnd = 0;
    std::vector<PxLinkCore*> m_cores;
    std::vector<PxOwedLift> m_owedLifts;
    // The identity the session's last manual hold placed on each object gave (PlacePersistent).
    std::unordered_map<std::int64_t, std::int64_t> m_manualPlaced;
    std::vector<std::int64_t> m_owedGiveBacks; // one hold each, in the order given back
    std::vector<std::int64_t> m_sentGiveBack; // sent to the store, its answer not received yet
    std::thread m_giveBackThread;
    bool m_retryingGiveBacks = false; // the thread runs
    DWORD m_giveBackThreadId = 0;
    bool m_ending = false; // the session ends: no thread starts
    CEvent m_ends{FALSE, TRUE};
};

template <class Statement>
auto PxSession::Read(Statement&& statement) -> decltype(statement())
{
    auto guard = Guard();
    RequireNotFailed();
    auto afterPutOffSteps = [&]() -> decltype(statement()) {
        TakePutOffSteps();
        return statement();
    };
    return Run(afterPutOffSteps);
}

template <class Change>
auto PxSession::Write(Change&& change) -> decltype(change())
{
    auto guard = Guard();
    RequireTransaction();
    RequireNotFailed();
    TakeWriterSlot();
    return Run(change);
}

template <class Changing, class Change>
bool PxSession::WriteIfChanging(Changing&& changing, Change&& change)
{
    auto guard = Guard();
    RequireTransaction();
    RequireNotFailed();
    if (!changing())
        return false;
    TakeWriterSlot();
    Run(change);
    return true;
}

template <class Statement>
auto PxSession::Run(Statement& statement) -> decltype(statement())
{
    const bool storeTransaction = m_store->InTransaction();
    try {
        return statement();
    } catch (const PxException& refusal) {
        if (m_inTransaction && storeTransaction && !m_store->InTransaction())
            FailTransaction(refusal);
        throw;
    }
}
