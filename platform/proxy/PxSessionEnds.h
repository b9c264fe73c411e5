// Internal: what closed sessions still owe their lock store: the lifts and removals it refused
// them, and their end when it refused that (a lock file refusing writes, or held by another
// process). A session's locks on a file stay while its process lives, so the process makes each
// such end, and so gives back what the session still held and owed, as soon as the store takes
// it: after the retry delays, by a thread that runs while anything is owed. A session whose locks
// go with its lock connection (a server's) owes only its lifts and removals once closed. What a
// session owes that outlives its lost lock connection (a manual hold's removal) the same thread
// makes through a connection of its own, closed or live as the session may be. As the module
// ends (VqsEndModule, at the host's unload) or the process does, whichever comes first, the
// thread stops and each end still owed gets one last brief try, made inline: the store may take
// writes again since the last retry. What stays is written in the log (g_VquLogCntrl), each lift
// or removal with its object and user: a manual lock stays its user's, who can unlock it. An end
// owed after that gets its one try at once, and no thread is started. A process forked from the
// one that owes makes none of its parent's ends.
#pragma once

#include "proxy/PxLockStore.h"
#include "win/Types.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The longest the last tries, and whatever else the module's end runs meanwhile, wait for a
// server that stops answering.
inline constexpr std::chrono::seconds kPxLastTriesBound{3};

// A persistent lock's removal the lock store refused, owed by a step of the user: a generation
// hold's lift by its identity (PxLockStore::LiftHold) or, `manual`, the take-back of a manual
// hold the step placed, by the identity its placing gave (PxLockStore::TakeBackManual).
struct PxOwedLift {
    std::int64_t oid;
    std::int64_t identity;
    bool manual;
    std::string userCode;
};

// Makes the lifts and removals, those the store takes going from the list; whether none is left.
bool PxMakeOwedLifts(PxLockStore& locks, std::vector<PxOwedLift>& lifts) noexcept;

class PxSessionEnds {
public:
    // Makes the closed session's owed lifts and removals, then ends it in its lock store, now or,
    // when the store refuses, later. Its lock connection lost meanwhile, what it owes is made as
    // AfterLostConnection says.
    static void End(const std::string& repository, std::unique_ptr<PxLockStore> locks, std::int64_t session,
                    std::vector<PxOwedLift> lifts) noexcept;
    // The lifts and removals a session owes, its lock connection lost: a manual hold's removal is
    // made through another connection to the repository once the store takes it. A generation
    // hold's lift is not: the session's locks went with the connection, with the mark of a hold it
    // carried, which lifts that hold, and a hold it no longer carried is left to the recovery
    // record that names it.
    static void AfterLostConnection(const std::string& repository, std::vector<PxOwedLift> lifts) noexcept;
    // The module or the process ends: the thread stops, and each end owed, now or later, gets
    // one brief try made inline; what stays is logged. Until LastTriesMade, no wait for a
    // server's answer lasts past kPxLastTriesBound from here.
    static void MakeLastTries() noexcept;
    // Whether this process owes ends of its own (a forked child owes none of its parent's).
    static bool OwesHere() noexcept;
    // The module's end is over: a server's answers are waited for as long as they take again.
    static void LastTriesMade() noexcept;
    // Whether the last tries were made: no thread retries anything from here.
    static bool LastTried() noexcept;
    // The module starts again: ends owed later are retried by a thread again.
    static void OweLaterAgain();
    // The thread that makes the ends owed; 0 while none runs (tests).
    static DWORD RetryThread();
};
