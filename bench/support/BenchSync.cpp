#include "support/BenchSync.h"

#include "model/VqsBSLock.h"
#include "model/VqsLockBag.h"
#include "model/VqsModel.h"
#include "proxy/PxHandle.h"

namespace vqbench {

bool SynchroniseFullAuto(const PxVQCurConfigPtr& config, std::int64_t& pairs)
{
    VqsModel model(VqsSyncCommand);
    VqsBSLock segmentLock;
    VqsLockBag readBag(VqsReadLock);
    VqsLockBag updateBag(VqsFutureUpdateLock);
    VqsSyncResult result;
    const bool done = model.RefreshForGeneration(segmentLock, readBag, updateBag, config, result, VqsSyncFullAuto,
                                                 PxHandle(), false, false) != 0;
    pairs = result.pairs.GetCount();
    return done;
}

} // namespace vqbench
