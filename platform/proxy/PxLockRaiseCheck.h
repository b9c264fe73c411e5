// Internal: a check for test runs. A session that asks a future update or a write of an
// object it holds only for read or long read raises its read, and two sessions doing so on
// one object wait for each other for ever. So do two sessions that each hold an object and
// wait in line for one ranked below it in the lock order (PxLockOrder). With
// VQ_CHECK_LOCK_RAISES set in the environment (the test programs set it for themselves and for
// every process they start), each session keeps what its lock calls were granted and gave
// back, and each such request, and each such wait, is reported: to the reporter a test program
// installs, or else on standard error, ending the process. Unset, as in production, nothing is
// kept and nothing is checked. A request made where lock calls do not wait (PxLockNoWait) is
// not reported: it cannot wait in a circle.
#pragma once

#include "proxy/PxLockOrder.h"

#include <array>
#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

class PxLockRaiseCheck {
public:
    static bool On();
    using Reporter = std::function<void(const std::string& raise)>;
    static void SetReporter(Reporter reporter);
    // How many raises this process has reported.
    static int Raises();

    // Where the objects of a lock call stand in the lock order; asked before the call.
    void Placed(const std::vector<std::int64_t>& oids, const std::vector<PxLockPlace>& places);
    // What one session's lock calls were granted and gave back; the session's guard is held.
    void Granted(const std::int64_t* oids, std::size_t count, int kind);
    // One hold of each, the weakest kind first, as the lock stores give them back.
    void Released(const std::int64_t* oids, std::size_t count);
    void Dropped(const std::vector<std::int64_t>& oids);
    // Reports the request when it raises a read the session holds; `describe` names the
    // object of an id.
    void Check(const std::vector<std::int64_t>& oids, int kind, const char* operation,
               const std::function<std::string(std::size_t index)>& describe) const;
    // Reports the session's going in line for the object (named `object`) when it holds one
    // ranked above it.
    void WaitsInLine(std::int64_t oid, const char* operation, const std::string& object) const;

private:
    // Holds of each kind, by kind (1 to 4).
    using Holds = std::array<int, 5>;
    int Strongest(std::int64_t oid) const;
    void Forget(std::int64_t oid);

    std::unordered_map<std::int64_t, Holds> m_holds;
    std::unordered_map<std::int64_t, PxLockPlace> m_places;
    // The places of the objects held, of those placed.
    std::set<PxLockPlace> m_heldPlaces;
};
