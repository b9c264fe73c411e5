#include "proxy/PxLockOrder.h"

#include "proxy/PxObject.h"

#include <mutex>
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

// The ranks worked out so far, by class. Made as the library loads, not at first use: the module's end, which may use it, finds it.
std::mutex g_ranksMutex;
std::unordered_map<const PxClassInfo*, int> g_ranks;

} // namespace

// The rank follows from the object's class: a subtree lock asks it of every node, and walking
// the class's bases for each kind of the order is worked out once a class.
int PxLockRank(const PxObject& object)
{
    const std::lock_guard lock(g_ranksMutex);
    const auto [known, added] = g_ranks.try_emplace(&object.GetClassInfo(), 0);
    if (added)
        known->second = RankOfKind(object);
    return known->second;
}

PxLockPlace PxLockPlaceOf(const PxObject& object) { return {PxLockRank(object), object.GetHandle().MapKey()}; }
