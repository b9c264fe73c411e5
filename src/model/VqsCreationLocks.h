// What one creation locks: everything its steps need, taken before its transaction writes
// anything, and every lock a step takes on the way, all held until the transaction has
// committed or aborted.
#pragma once

#include "model/VqsLockBag.h"

#include <functional>
#include <vector>

struct VqsCreationLocks {
    VqsCreationLocks() : read(VqsReadLock), write(VqsWriteLock) {}
    // Bags of other kinds: VqsNoLock records what the steps would lock without locking it.
    VqsCreationLocks(int readKind, int writeKind) : read(readKind), write(writeKind) {}

    VqsLockBag read;
    VqsLockBag write;

    // The creation's bag of the kind of `own`, which it stands in for; `own` itself for a
    // kind the creation does not hold.
    VqsLockBag& InsteadOf(VqsLockBag& own)
    {
        if (own.GetKind() == VqsReadLock)
            return read;
        return own.GetKind() == VqsWriteLock ? write : own;
    }
};

// One wizard's Finish as its creator hands it to the model.
struct VqsCreation {
    // The locks the wizard's pages took on the way; given up before the Finish waits.
    std::vector<VqsLockBag*> pageLocks;
    // Locks what the steps need through the bags; 0 when refused (the reason shown).
    std::function<int(VqsCreationLocks&)> lock;
    // Checks again, inside the transaction and under the locks, the names the pages
    // checked; answers how to tell the user of a name now taken, empty when none is.
    std::function<std::function<void()>()> findNameTaken;
    // The creation steps; 0 when one made nothing (it said why).
    std::function<int()> steps;
};
