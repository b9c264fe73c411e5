#include "proxy/PxLockWake.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <functional>
#include <limits>

namespace {

socklen_t Fill(sockaddr_un& address, const std::string& name)
{
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    // The abstract namespace: the name starts after a NUL byte and names no file.
    std::size_t length = std::min(name.size(), sizeof address.sun_path - 1);
    std::memcpy(address.sun_path + 1, name.data(), length);
    return static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + length);
}

} // namespace

PxLockWake::PxLockWake(const std::string& lockFile)
{
    if (lockFile == ":memory:")
        return;
    m_prefix = "vq-px-lock-wait/" + std::to_string(std::hash<std::string>{}(lockFile)) + "/";
    m_socket = socket(AF_UNIX, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
}

PxLockWake::~PxLockWake()
{
    if (m_socket >= 0)
        close(m_socket);
}

std::string PxLockWake::Address(std::int64_t session) const { return m_prefix + std::to_string(session); }

void PxLockWake::Listen(std::int64_t session) noexcept
{
    if (m_socket < 0)
        return;
    sockaddr_un address;
    socklen_t length = Fill(address, Address(session));
    m_listening = bind(m_socket, reinterpret_cast<const sockaddr*>(&address), length) == 0;
}

bool PxLockWake::Await(std::uint64_t milliseconds) noexcept
{
    if (!m_listening)
        return false;
    pollfd wait{m_socket, POLLIN, 0};
    int timeout = static_cast<int>(std::min<std::uint64_t>(milliseconds, std::numeric_limits<int>::max()));
    poll(&wait, 1, timeout);
    bool woken = false;
    char byte;
    while (recv(m_socket, &byte, sizeof byte, 0) >= 0)
        woken = true;
    return woken;
}

void PxLockWake::Wake(std::int64_t session) noexcept
{
    if (m_socket < 0)
        return;
    sockaddr_un address;
    socklen_t length = Fill(address, Address(session));
    sendto(m_socket, "", 0, MSG_DONTWAIT, reinterpret_cast<const sockaddr*>(&address), length);
}
