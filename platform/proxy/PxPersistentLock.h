// A persistent lock on an object: placed by a user (a manual lock) or by a generation
// for a user, it outlives sessions until removed, and refuses future-update and write
// locks to every session meanwhile.
#pragma once

#include "proxy/PxPtr.h"
#include "win/CString.h"

#include <cstdint>

class PxPersistentLock : public PxRefCounted {
public:
    PxPersistentLock(const char* userCode, std::int64_t lockTime, int lockCount, int manualLockCount,
                     std::int64_t holdId = 0)
        : m_userCode(userCode), m_lockTime(lockTime), m_lockCount(lockCount), m_manualLockCount(manualLockCount),
          m_holdId(holdId)
    {
    }

    // The user code of the session that placed the first of the holds.
    const CString& GetUserCode() const { return m_userCode; }
    std::int64_t GetLockTime() const { return m_lockTime; }
    // Every hold of the lock: manual ones and those placed by generations.
    int GetLockCount() const { return m_lockCount; }
    int GetManualLockCount() const { return m_manualLockCount; }
    // The identity the lock store gave the generation hold when it was placed, kept through
    // every exchange: a recovery session names the hold it carries by it. 0 without a
    // generation hold, or for one placed by an earlier build.
    std::int64_t GetHoldId() const { return m_holdId; }

private:
    CString m_userCode;
    std::int64_t m_lockTime;
    int m_lockCount;
    int m_manualLockCount;
    std::int64_t m_holdId;
};

using PxPersistentLockPtr = PxPtr<PxPersistentLock>;
