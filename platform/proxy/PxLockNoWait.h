// While one lives on a thread, the lock calls made there never wait: each object is tried
// once, and a lock another session holds ends the call at once with that code, without asking
// the retry callback or taking a place in the wait line. A busy lock store is waited for
// briefly (kPxBriefBusyMilliseconds), once: past that it fails the call with the store's busy
// failure (PxLockStore::FailBusy), or, for a link without a retry callback, ends it with its
// code. What the call had granted before is given back, as for any refusal.
#pragma once

class PxLockNoWait {
public:
    PxLockNoWait();
    ~PxLockNoWait();
    PxLockNoWait(const PxLockNoWait&) = delete;
    PxLockNoWait& operator=(const PxLockNoWait&) = delete;

    // Whether lock calls on this thread wait now.
    static bool Declines();
};
