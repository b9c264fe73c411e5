#include "model/VqsLockOrder.h"

#include "model/VqsModelNode.h"
#include "proxy/PxLockOrder.h"

#include <algorithm>
#include <utility>

int VqsLockRank(const PxObjectPtr& object) { return PxLockRank(*object); }

int VqsLockInOrder(std::vector<VqsPlannedLock> locks, const std::function<int(VqsLockBag&, CObList&)>& lock)
{
    std::vector<std::pair<PxLockPlace, VqsPlannedLock>> ordered;
    for (const VqsPlannedLock& planned : locks) {
        if (const PxVQObjectPtr object = planned.node ? planned.node->GetObject() : PxVQObjectPtr())
            ordered.emplace_back(PxLockPlaceOf(*object), planned);
    }
    std::sort(ordered.begin(), ordered.end(),
              [](const auto& left, const auto& right) { return left.first < right.first; });
    for (auto first = ordered.begin(); first != ordered.end();) {
        VqsLockBag& bag = *first->second.bag;
        CObList run;
        for (; first != ordered.end() && first->second.bag == &bag; ++first)
            run.AddTail(first->second.node);
        if (!lock(bag, run))
            return 0;
    }
    return 1;
}
