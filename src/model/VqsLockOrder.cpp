#include "model/VqsLockOrder.h"

#include "model/VqsModelNode.h"

#include <algorithm>
#include <cstdint>
#include <mutex>
#include <tuple>
#include <unordered_map>

namespace {

int RankOfKind(const PxObject& object)
{
    static const char* const kOrder[] = {
        "PxVQEnterprise",   "PxVQSystem",          "PxVQConfig", "PxVQBSSoftLink",      "PxVQSoftLink",
        "PxVQReportGroup",  "PxVQReportSoftLinkAlias",           "PxVQBundle",          "PxVQIspecBundleData",
        "PxVQOptionSet",    "PxOptions",           "PxVQHostInformation",               "PxVQPackInformation",
        "PxVQHostPackData"};
    int rank = 0;
    for (const char* kind : kOrder) {
        if (object._IsKindOf(kind))
            return rank;
        ++rank;
    }
    return rank;
}

} // namespace

// The rank follows from the object's class: a subtree lock asks it of every node, and walking
// the class's bases for each kind of the order is worked out once a class.
int VqsLockRank(const PxObjectPtr& object)
{
    static std::mutex mutex;
    static std::unordered_map<const PxClassInfo*, int> ranks;
    const std::lock_guard lock(mutex);
    const auto [known, added] = ranks.try_emplace(&object->GetClassInfo(), 0);
    if (added)
        known->second = RankOfKind(*object);
    return known->second;
}

int VqsLockInOrder(std::vector<VqsPlannedLock> locks, const std::function<int(VqsLockBag&, CObList&)>& lock)
{
    struct Ordered {
        int rank;
        std::uint64_t key;
        VqsPlannedLock planned;
    };
    std::vector<Ordered> ordered;
    for (const VqsPlannedLock& planned : locks) {
        if (const PxVQObjectPtr object = planned.node ? planned.node->GetObject() : PxVQObjectPtr())
            ordered.push_back({VqsLockRank(object), object->GetHandle().MapKey(), planned});
    }
    std::sort(ordered.begin(), ordered.end(), [](const Ordered& left, const Ordered& right) {
        return std::tie(left.rank, left.key) < std::tie(right.rank, right.key);
    });
    for (auto first = ordered.begin(); first != ordered.end();) {
        VqsLockBag& bag = *first->planned.bag;
        CObList run;
        for (; first != ordered.end() && first->planned.bag == &bag; ++first)
            run.AddTail(first->planned.node);
        if (!lock(bag, run))
            return 0;
    }
    return 1;
}
