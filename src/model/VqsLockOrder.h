// The one order every step takes its locks in (README.md): by the rank of an object's kind,
// from the enterprise down, then by object id. Neighbours in that order that one bag takes
// are locked in one call.
#pragma once

#include "proxy/PxObject.h"
#include "win/Collections.h"

#include <functional>
#include <vector>

class VqsLockBag;
class VqsModelNode;

// The object's rank in the order (PxLockRank).
int VqsLockRank(const PxObjectPtr& object);

// A lock a step will take: the node's object, into the bag.
struct VqsPlannedLock {
    VqsModelNode* node = nullptr;
    VqsLockBag* bag = nullptr;
};

// Hands the locks, in the one order, to `lock` a run at a time: the bag, and the nodes of
// neighbouring locks bound for it. 0 at the first run refused; nodes without an object are
// left out.
int VqsLockInOrder(std::vector<VqsPlannedLock> locks, const std::function<int(VqsLockBag&, CObList&)>& lock);
