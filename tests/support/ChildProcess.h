// A child process that runs `work` on its own repository links, signals the parent, then
// waits for the parent's word (or to be killed) before it ends with _exit, so nothing of it
// is cleaned up. Work given in steps runs one step per word of the parent. The parent should hold no repository connection and run no other thread
// while it forks.
#pragma once

#include <sys/types.h>

#include <functional>
#include <vector>

namespace vqtest {

class ChildProcess {
public:
    explicit ChildProcess(const std::function<void()>& work);
    // Runs the first step at once, each later one on the parent's word (RunNextStep).
    explicit ChildProcess(const std::vector<std::function<void()>>& steps);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Waits until the child has done its work; false when the work failed, raised a read
    // lock it held, or the child died first.
    bool WaitReady();
    // Lets the child run its next step and waits until it has; false when the step failed
    // (as WaitReady).
    bool RunNextStep();
    // Lets the child run its next step; WaitReady waits for its end.
    void StartNextStep();
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
