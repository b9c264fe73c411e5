// The one order every step takes its locks in (src/model/README.md): by the rank of an
// object's kind, from the enterprise down, then by object id.
#pragma once

#include <cstdint>
#include <tuple>

class PxObject;

// The enterprise first; then systems, configurations, business-segment links, element links,
// report groups, report aliases, bundles, Ispec entries of bundles, option sets, option
// records, hosts, packs, host-pack data; anything else last. A child's rank is above its
// parent's.
int PxLockRank(const PxObject& object);

// An object's place in the order.
struct PxLockPlace {
    int rank = 0;
    std::uint64_t key = 0;

    bool operator<(const PxLockPlace& other) const
    {
        return std::tie(rank, key) < std::tie(other.rank, other.key);
    }
};

PxLockPlace PxLockPlaceOf(const PxObject& object);
