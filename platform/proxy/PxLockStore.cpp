#include "proxy/PxLockStore.h"

#include "proxy/PxFileLockStore.h"
#include "proxy/PxServerLockStore.h"
#include "proxy/PxStore.h"

#include <algorithm>

int PxConflictFrom(int kind)
{
    switch (kind) {
    case PxLockFutureUpdate:
        return PxLockFutureUpdate;
    case PxLockWrite:
        return PxLockRead;
    default:
        return PxLockWrite;
    }
}

std::unique_ptr<PxLockStore> PxLockStore::Open(const std::string& repository)
{
    if (PxIsServerName(repository))
        return std::make_unique<PxServerLockStore>(repository);
    return std::make_unique<PxFileLockStore>(repository == ":memory:" ? repository : repository + "-locks");
}

void PxLockStore::UnlockInBatches(std::int64_t session, const std::int64_t* oids, std::size_t count,
                                  std::size_t batch, std::size_t& done)
{
    while (done < count) {
        const std::size_t taken = std::min(count - done, batch);
        Unlock(session, oids + done, taken);
        done += taken;
    }
}
