// What one creation locks: everything its steps need, taken before its transaction writes
// anything, and every lock a step takes on the way, all held until the transaction has
// committed or aborted.
#pragma once

#include "model/VqsLockBag.h"

struct VqsCreationLocks {
    VqsLockBag read{VqsReadLock};
    VqsLockBag write{VqsWriteLock};

    // The creation's bag of the kind of `own`, which it stands in for; `own` itself for a
    // kind the creation does not hold.
    VqsLockBag& InsteadOf(VqsLockBag& own)
    {
        if (own.GetKind() == VqsReadLock)
            return read;
        return own.GetKind() == VqsWriteLock ? write : own;
    }
};
