// Internal: the lock calls of objects and links. A call locks its objects in order; after
// each attempt it reports to the link's retry callback. A retryable refusal (code 3 or 6)
// is tried again while the callback answers 1, after the retry delay; when it answers 0
// the call ends with code 1. A lock store that stayed busy (code 6) holds no object: a call
// of a link with a callback tries again after the delay without asking the callback, until
// the quiet wait is past; a callback that then answers 0 and leaves code 6 (nobody could give
// the wait up) fails the call as the store fails a busy lock-table transaction
// (PxLockStore::FailBusy), and so does a busy attempt while the link says that no wait of a busy
// store can be shown (PxLink::PxSetBusyWaitsShown). A refused call gives back what it had granted. A call that will try
// again waits in line for the refused object (PxLockStore::Lock). On a thread that declines
// waits (PxLockNoWait) a lock another session holds ends the call with its code, and a busy
// store, after one brief try, fails it as above (ends it with its code without a callback).
#pragma once

#include "proxy/PxLockErrorInfo.h"
#include "proxy/PxLockStore.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

class CEvent;
class PxLinkCore;
class PxList;

// The wait between two attempts on a refused object, through the injectable clock: the
// first is short, each next one twice the last, up to the longest.
inline constexpr std::uint64_t kPxFirstRetryDelayMilliseconds = 10;
inline constexpr std::uint64_t kPxLongestRetryDelayMilliseconds = 500;
// The tries of a closed session's end back off further while the store stays busy or refusing,
// up to some seconds apart, so that an idle process hardly touches a store another one holds.
inline constexpr std::uint64_t kPxLongestOwedEndDelayMilliseconds = 5000;
inline std::uint64_t PxNextRetryDelay(std::uint64_t delay, std::uint64_t longest = kPxLongestRetryDelayMilliseconds)
{
    return std::min(delay * 2, longest);
}
// Makes what the lock store refused after each retry delay (the first short, each next one
// twice the last, up to `longest`), until `makeOwed` answers that nothing is owed any more or
// `stop` is set: the one way a give-back or a session's end refused is made later.
void PxRetryWhileOwed(CEvent& stop, std::uint64_t longest, const std::function<bool()>& makeOwed);
// A thread that runs PxRetryWhileOwed; `threadId` takes its id before it is answered.
std::thread PxStartRetryThread(CEvent& stop, std::uint64_t longest, std::function<bool()> makeOwed,
                               DWORD& threadId);
// A busy lock store is waited for without the retry callback for this long; a store busy
// longer than that is waited for through the callback, so that the user can give the wait up.
inline constexpr std::uint64_t kPxQuietBusyMilliseconds = 10000;
// A call on more objects than this asks the lock store for them a batch at a time, each batch
// in a lock-table transaction of its own, so that other sessions' calls go between.
inline constexpr std::size_t kPxLockBatch = 5000;

std::vector<PxVQObjectPtr> PxObjectsOfList(PxList& list);
PxPersistentLockPtr PxPersistentLockOf(const std::optional<PxPersistentLockRow>& row);
PxLockErrorInfo PxLockObjects(PxLinkCore& core, const std::vector<PxVQObjectPtr>& objects, int kind,
                              const char* operation);
PxLockErrorInfo PxUnlockObjects(PxLinkCore& core, const std::vector<PxVQObjectPtr>& objects);
// Locks the object with `kind` under `holder`'s generation hold on it, which stays
// (PxLockStore::ExchangeHold).
PxLockErrorInfo PxExchangeGenerationHold(PxLinkCore& core, const PxVQObjectPtr& object, const std::string& holder,
                                         int kind, const char* operation);
// Places persistent locks; generation holds placed `carried` are carried by the session until
// PxLockStore::EndCarrying.
PxLockErrorInfo PxPlacePersistentLocks(PxLinkCore& core, const std::vector<PxVQObjectPtr>& objects, bool manual,
                                       bool carried, const char* operation);
