// Internal: what closed sessions still owe their lock store: the lifts it refused them, and
// their end when it refused that (a lock file refusing writes, or held by another process). A
// session's locks on a file stay while its process lives, so the process makes each such end,
// and so gives back what the session still held and owed, as soon as the store takes it: after
// the retry delays, by a thread that runs while anything is owed. A session whose locks go with
// its lock connection (a server's) owes only its lifts once closed.
#pragma once

#include "proxy/PxLockStore.h"
#include "win/Types.h"

#include <cstdint>
#include <memory>
#include <vector>

// A persistent lock's removal the lock store refused: a generation hold's lift by its identity
// (PxLockStore::LiftHold) or, `manual`, one manual hold that a step placed and took back.
struct PxOwedLift {
    std::int64_t oid;
    std::int64_t holdId;
    bool manual = false;
};

// Makes the lifts and removals, those the store takes going from the list; whether none is left.
bool PxMakeOwedLifts(PxLockStore& locks, std::vector<PxOwedLift>& lifts) noexcept;

class PxSessionEnds {
public:
    // Makes the closed session's owed lifts, then ends it in its lock store, now or, when the
    // store refuses, later. Lifts the store can no longer be asked for (the session's lock
    // connection lost) are left to the recovery records that name their holds.
    static void End(std::unique_ptr<PxLockStore> locks, std::int64_t session, std::vector<PxOwedLift> lifts) noexcept;
    // The thread that makes the ends owed; 0 while none runs (tests).
    static DWORD RetryThread();
};
