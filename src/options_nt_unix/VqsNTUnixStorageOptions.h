// The database storage and partitioning options of the Unix records of a business segment,
// a component and a profile: whether the record holds own values of them in any structure.
// The "Oracle" and "Oracle Partitions" pages answer for them, so that no own value of theirs
// is taken for a default.
#pragma once

#include "proxy/PxOptions.h"

namespace vqsntunix {

// The storage options of every structure (the table and its indexes).
BOOL HoldsOwnStorage(const PxOptions& record);
// The partition type of every structure, the partition columns and the partition records.
BOOL HoldsOwnPartitioning(const PxOptions& record);

} // namespace vqsntunix
