// Internal: wakes a session waiting in line for an object when the object is let go, so
// that it tries again at once instead of at the end of its retry delay. Each session of
// a lock file listens on a datagram socket of its own in the machine's abstract socket
// namespace, named after the lock file and the session; a session letting go of an object
// sends an empty datagram to the first in line. A wake that is lost (another network
// namespace, a full socket) only leaves the waiter to its delay.
#pragma once

#include <cstdint>
#include <string>

class PxLockWake {
public:
    explicit PxLockWake(const std::string& lockFile);
    ~PxLockWake();
    PxLockWake(const PxLockWake&) = delete;
    PxLockWake& operator=(const PxLockWake&) = delete;

    // Starts listening for wakes of the session; quietly does nothing when it cannot.
    void Listen(std::int64_t session) noexcept;
    // Whether the session can be woken (it listens).
    bool Listening() const { return m_listening; }
    // Waits until woken or `milliseconds` of real time have passed; answers whether woken.
    bool Await(std::uint64_t milliseconds) noexcept;
    void Wake(std::int64_t session) noexcept;

private:
    std::string Address(std::int64_t session) const;

    std::string m_prefix; // empty for a private lock store: nobody else waits there
    int m_socket = -1;
    bool m_listening = false;
};
