// What a process made (a session, a connection, a thread, an owed end, the module itself) is
// ended by that process alone. A child forked while it lives finds it its parent's: the child
// closes, deletes, waits for and signals none of it, however the child ends.
#pragma once

#include <sys/types.h>

namespace vqwin {

class ProcessMade {
public:
    // Made by the calling process.
    ProcessMade() noexcept;

    // Whether the calling process made it.
    bool Here() const noexcept;
    // The calling process takes it as its own (a child that goes on using the module).
    void TakeHere() noexcept;

private:
    pid_t m_maker;
};

} // namespace vqwin
