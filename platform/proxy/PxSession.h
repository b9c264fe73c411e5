// Internal: one repository session: the connections to the data and lock stores (files or
// a server), the open transaction, the locks held and the session's registration. Links
// attached with the same repository and the same non-null session handle in one process share
// one session (the host's link and the module's, say).
#pragma once

#include "proxy/PxException.h"
#include "proxy/PxLockStore.h"
#include "proxy/PxProcess.h"
#include "proxy/PxStore.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
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
    PxLockStore& Locks() { return *m_locks; }
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
    void Abort();
    bool InTransaction() const;

    // Runs a change of the data. It needs an open transaction; the first change takes the
    // writer slot. When the store fails and has rolled the transaction back by itself, or
    // another session has changed what the transaction read, the transaction ends.
    template <class Change>
    auto Write(Change&& change) -> decltype(change());
    // Steps the stored edition of an object changed in the open transaction, once per
    // transaction; answers the new edition when it stepped now. Throws when the object is
    // no longer present.
    std::optional<std::int64_t> StepEditionOnce(std::int64_t oid);
    // The same for each of the ids, those not stepped yet in this transaction in one go.
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
    void TakeWriterSlot();
    std::int64_t NewOid();
    // The transaction is gone: the links' buffers are stale, objects it created never were.
    void ForgetTransaction() noexcept;
    // Rolls the open store transaction back when the session's locks are no longer its own.
    void RequireOwnLocks();
    [[noreturn]] void RethrowAfterStoreFailure(const PxException& failure, const char* consequence);

    mutable std::recursive_mutex m_mutex;
    std::unique_ptr<PxStore> m_store;
    std::unique_ptr<PxLockStore> m_locks;
    std::string m_userCode;
    std::int64_t m_id;
    PxProcess m_process;
    bool m_inTransaction = false;
    std::unordered_set<std::int64_t> m_changed;
    std::vector<std::int64_t> m_created;
    std::int64_t m_nextOid = 0;
    std::int64_t m_oidsReserved = 0; // how many the last reservation took
    std::int64_t m_oidsEnd = 0;
    std::vector<PxLinkCore*> m_cores;
};

template <class Change>
auto PxSession::Write(Change&& change) -> decltype(change())
{
    auto guard = Guard();
    RequireTransaction();
    TakeWriterSlot();
    try {
        return change();
    } catch (const PxException& failure) {
        if (!m_store->InTransaction())
            RethrowAfterStoreFailure(failure, "%1 The transaction was rolled back.");
        throw;
    }
}
