// Internal: who runs a session. A process is named by its pid, its start time (so a reused
// pid is not taken for it) and the machine's host name and boot (so a pid from before a
// restart is not either).
#pragma once

#include <cstdint>
#include <string>

struct PxProcessIdentity {
    std::int64_t pid = 0;
    std::int64_t start = 0;
    std::string machine;
};

// This process, computed at each call (a forked child never answers with its parent's).
PxProcessIdentity PxThisProcess();

// Whether the process has not ended, as far as this machine can tell: a process of another
// machine cannot be checked and counts as alive. A process that has exited is dead,
// whether or not its parent has reaped it yet.
bool PxProcessAlive(const PxProcessIdentity& process);
