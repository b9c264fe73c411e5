// Internal: the ends of closed sessions that their lock store refused (a lock file refusing
// writes, or held by another process). A session's locks on a file stay while its process
// lives, so the process makes each such end, and so gives back what the session still held
// and owed, as soon as the store takes it: after the retry delays, by a thread that runs while
// any end is owed. A session whose locks go with its lock connection (a server's) owes nothing
// once closed.
#pragma once

#include "proxy/PxLockStore.h"
#include "win/Types.h"

#include <cstdint>
#include <memory>

class PxSessionEnds {
public:
    // Ends the closed session in its lock store, now or, when the store refuses, later.
    static void End(std::unique_ptr<PxLockStore> locks, std::int64_t session) noexcept;
    // The thread that makes the ends owed; 0 while none runs (tests).
    static DWORD RetryThread();
};
