// A child process that runs `work` on its own repository links, signals the parent, then
// waits for the parent's word (or to be killed) before it ends with _exit, so nothing of it
// is cleaned up. The parent should hold no repository connection and run no other thread
// while it forks.
#pragma once

#include <sys/types.h>

#include <functional>

namespace vqtest {

class ChildProcess {
public:
    explicit ChildProcess(const std::function<void()>& work);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Waits until the child has done its work; false when the work failed.
    bool WaitReady();
    // Lets the child end and waits for it to be gone.
    void Finish();
    // Lets the child end and waits until it has exited, leaving it unreaped (a zombie) until
    // the destructor.
    void ExitUnreaped();
    // Kills the child (SIGKILL) and waits for it to be gone.
    void Kill();

private:
    void Reap();

    pid_t m_pid = 0;
    int m_ready[2] = {-1, -1};
    int m_go[2] = {-1, -1};
};

} // namespace vqtest
