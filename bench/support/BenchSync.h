// A synchronisation as the benchmarks time it: a configuration's business-segment link
// brought in step with the design in Full Auto, with the locks and bags of a Synchronize.
#pragma once

#include "proxy/PxVQConfig.h"

#include <cstdint>

namespace vqbench {

// FALSE when the synchronisation stopped; `pairs` is the count of pairs it found.
bool SynchroniseFullAuto(const PxVQCurConfigPtr& config, std::int64_t& pairs);

} // namespace vqbench
