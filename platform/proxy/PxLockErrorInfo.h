// The outcome of a lock call, and the record the retry callback receives after each
// attempt. Its int value is nonzero when the lock was granted.
#pragma once

#include "proxy/PxPersistentLock.h"
#include "proxy/PxPtr.h"
#include "win/Types.h"

class PxVQObject;
using PxVQObjectPtr = PxPtr<PxVQObject>;

// Lock error codes. 2, 4 and 5 (refused for good) are never produced by the repository
// itself; fault injection produces them for tests.
enum PxLockCode : int {
    PxLockGranted = 0,
    PxLockGivenUp = 1,             // a retryable refusal the retry callback gave up on
    PxLockRefused = 2,             // refused for good
    PxLockHeldByOther = 3,         // another session holds a conflicting lock; retryable
    PxLockRefusedConflict = 4,     // refused for good
    PxLockRefusedOther = 5,        // refused for good
    PxLockStoreBusy = 6,           // the lock store stayed busy; retryable
    PxLockPersistentlyLocked = 7,  // a persistent lock refuses future-update and write locks
};

// The special members are defined where PxVQObject is complete.
class PxLockErrorInfo {
public:
    PxLockErrorInfo();
    PxLockErrorInfo(int code, const PxVQObjectPtr& object);
    PxLockErrorInfo(const PxLockErrorInfo& other);
    PxLockErrorInfo& operator=(const PxLockErrorInfo& other);
    ~PxLockErrorInfo();

    operator int() const { return m_code == PxLockGranted; }
    BOOL Succeeded() const { return m_code == PxLockGranted; }

    int GetErrorCode() const { return m_code; }
    void SetErrorCode(int code) { m_code = code; }
    // The object the record is about (for a list call, the one refused).
    const PxVQObjectPtr& GetObject() const { return m_object; }
    // Attempts made on the object so far; the retry callback counts them.
    int GetAttemptCount() const { return m_attempts; }
    void SetAttemptCount(int attempts) { m_attempts = attempts; }
    // For code 7, the persistent lock that refused.
    const PxPersistentLockPtr& GetPersistentLock() const { return m_persistentLock; }
    void SetPersistentLock(const PxPersistentLockPtr& lock) { m_persistentLock = lock; }

private:
    int m_code;
    int m_attempts = 0;
    PxVQObjectPtr m_object;
    PxPersistentLockPtr m_persistentLock;
};
