// Internal: a check for test runs. A session that asks a future update or a write of an
// object it holds only for read or long read raises its read, and two sessions doing so on
// one object wait for each other for ever. With VQ_CHECK_LOCK_RAISES set in the environment
// (the test programs set it for themselves and for every process they start), each session
// keeps what its lock calls were granted and gave back, and each such request is reported:
// to the reporter a test program installs, or else on standard error, ending the process.
// Unset, as in production, nothing is kept and nothing is checked. A request made where
// lock calls do not wait (PxLockNoWait) is not reported: it cannot wait in a circle.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
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

    // What one session's lock calls were granted and gave back; the session's guard is held.
    void Granted(const std::int64_t* oids, std::size_t count, int kind);
    // One hold of each, the weakest kind first, as the lock stores give them back.
    void Released(const std::int64_t* oids, std::size_t count);
    void Dropped(const std::vector<std::int64_t>& oids);
    // Reports the request when it raises a read the session holds; `describe` names the
    // object of an id.
    void Check(const std::vector<std::int64_t>& oids, int kind, const char* operation,
               const std::function<std::string(std::size_t index)>& describe) const;

private:
    // Holds of each kind, by kind (1 to 4).
    using Holds = std::array<int, 5>;
    int Strongest(std::int64_t oid) const;

    std::unordered_map<std::int64_t, Holds> m_holds;
};
