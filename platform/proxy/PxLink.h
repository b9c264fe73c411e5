// A link to a repository session. The host's three opaque session values attach it:
//   1. the repository file's path (const char*; ":memory:" for a private, empty one),
//   2. the user code of the session (const char*, "user/..." as the host gives it; null
//      gives an empty code),
//   3. the host's session handle: links attached with the same file and the same non-null
//      handle in one process share one session (its transaction and its locks); null
//      gives the link a session of its own.
// Deleting the link ends its use of the session; the session ends, and its locks go,
// with its last link. Objects reached through a link outlive it but then refuse every
// repository call.
#pragma once

#include "proxy/PxLockErrorInfo.h"
#include "proxy/PxObject.h"
#include "win/Types.h"

#include <memory>

class PxLinkCore;
class PxList;
class PxProcess;

using PxRetryFunction = int (*)(PxLockErrorInfo&);

class PxLink {
public:
    PxLink();
    virtual ~PxLink();
    PxLink(const PxLink&) = delete;
    PxLink& operator=(const PxLink&) = delete;

    void AttachSession(const void* repository, const void* userCode, const void* sessionHandle);
    PxProcess* GetProcess() const;

    // What the repository tells the session's user once, as the session opens it: that it lacks
    // what this build adds and its owner should bring it up to date, or what this session, its
    // owner's, brought up to date. Empty for neither (always on a file).
    CString GetRepositoryNotice() const;

    // One transaction per session; changes need one. Failures throw PxException; a failed
    // commit leaves the transaction open unless the store rolled it back by itself (the
    // message says so), so nothing half-written remains either way.
    void BeginTransaction();
    void CommitTransaction();
    void AbortTransaction();
    // Nonzero while the session has a transaction open, begun through any of its links.
    BOOL IsInTransaction() const;
    // Nonzero while that transaction has failed: the store refused something of it and rolled
    // it back, so every later statement of it refuses until it is ended.
    BOOL HasTransactionFailed() const;
    // The refusal that failed the open transaction; empty while it has not failed.
    CString GetTransactionFailure() const;
    // A savepoint of the open transaction, one at a time: what the transaction changes after
    // it is undone on its own by RollbackToSavepoint, or kept by ReleaseSavepoint; either
    // ends it. Objects created after it and undone answer not present for good. A savepoint
    // statement the store refuses, or whose connection is lost, fails the whole transaction.
    void SetSavepoint();
    void RollbackToSavepoint();
    void ReleaseSavepoint();
    // For the rest of the open transaction (or until StepEditionsAtOnce), its changes step the
    // editions of what they change together, at its next read or at its commit, instead of one
    // round trip a change; a change of an object found gone then fails the whole transaction.
    void StepEditionsTogether();
    // Later changes step their editions at once again; the steps put off stay put off until the
    // next read or the commit.
    void StepEditionsAtOnce();
    // Whether the open transaction's changes step their editions together.
    BOOL StepsEditionsTogether() const;
    // Takes the steps put off now, as a read would; one that fails fails the whole transaction.
    void TakeEditionSteps();

    // The list calls lock every object of the list (of generation-side objects), or none.
    PxLockErrorInfo ReadLock(PxList& objects);
    PxLockErrorInfo LongReadLock(PxList& objects);
    PxLockErrorInfo FutureUpdateLock(PxList& objects);
    PxLockErrorInfo WriteLock(PxList& objects, int wait);
    PxLockErrorInfo UnLock(PxList& objects);
    PxLockErrorInfo PersistentLock(int manual, PxList& objects);
    // Installs the callback asked after each lock attempt of this link (on the locking
    // thread); answers the previous one.
    PxRetryFunction PxSetRetryFunction(PxRetryFunction function);
    // Whether the callback can show a wait for a busy lock store now, so that its user can give
    // it up (true until said otherwise). While it cannot, a lock call that finds the store busy
    // through its busy timeout fails with the store's busy failure at once, rather than once the
    // quiet wait is past and the callback has declined it.
    void PxSetBusyWaitsShown(BOOL shown);

    // Every object reached through the link reads the store again at its next use.
    void ClearAllBuffers();

    // Makes a new repository file with its two enterprise roots; the file must not exist.
    static void CreateRepository(const char* path);

protected:
    PxObjectPtr GetRoot(const char* className) const;

private:
    friend class PxTesting;
    friend class PxRepositoryDump;
    PxLockErrorInfo LockList(PxList& objects, int kind, const char* operation);

    std::shared_ptr<PxLinkCore> m_core;
};
