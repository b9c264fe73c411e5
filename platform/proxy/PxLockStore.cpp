#include "proxy/PxLockStore.h"

#include "proxy/PxFileLockStore.h"
#include "proxy/PxServerLockStore.h"
#include "proxy/PxStore.h"

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
