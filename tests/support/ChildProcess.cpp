#include "support/ChildProcess.h"

#include "proxy/PxLockRaiseCheck.h"

#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <stdexcept>
#include <utility>

namespace vqtest {

namespace {

constexpr char kNextStep = 2;

} // namespace

ChildProcess::ChildProcess(const std::function<void()>& work) : ChildProcess(std::vector<std::function<void()>>{work})
{
}

ChildProcess::ChildProcess(const std::vector<std::function<void()>>& steps)
{
    if (pipe(m_ready) != 0 || pipe(m_go) != 0)
        throw std::runtime_error("pipe");
    m_pid = fork();
    if (m_pid < 0)
        throw std::runtime_error("fork");
    if (m_pid == 0) {
        char word = kNextStep;
        for (std::size_t step = 0; step < steps.size() && word == kNextStep; ++step) {
            char byte = 1;
            const int raises = PxLockRaiseCheck::Raises();
            try {
                steps[step]();
            } catch (...) {
                byte = 0;
            }
            if (PxLockRaiseCheck::Raises() != raises)
                byte = 0; // the raise is on standard error
            (void)!write(m_ready[1], &byte, 1);
            if (read(m_go[0], &word, 1) != 1)
                break;
        }
        _exit(0);
    }
    // The child's end of its word: a child that dies ends the parent's wait for it.
    close(std::exchange(m_ready[1], -1));
}

ChildProcess::~ChildProcess() { Finish(); }

bool ChildProcess::WaitReady()
{
    char byte = 0;
    return read(m_ready[0], &byte, 1) == 1 && byte == 1;
}

bool ChildProcess::RunNextStep()
{
    StartNextStep();
    return WaitReady();
}

void ChildProcess::StartNextStep()
{
    const char word = kNextStep;
    (void)!write(m_go[1], &word, 1);
}

void ChildProcess::Finish()
{
    if (m_pid <= 0)
        return;
    char byte = 1;
    (void)!write(m_go[1], &byte, 1);
    Reap();
}

void ChildProcess::ExitUnreaped()
{
    if (m_pid <= 0)
        return;
    char byte = 1;
    (void)!write(m_go[1], &byte, 1);
    siginfo_t info{};
    waitid(P_PID, static_cast<id_t>(m_pid), &info, WEXITED | WNOWAIT);
}

void ChildProcess::Kill()
{
    if (m_pid <= 0)
        return;
    kill(m_pid, SIGKILL);
    Reap();
}

void ChildProcess::Reap()
{
    waitpid(m_pid, nullptr, 0);
    m_pid = 0;
    for (int fd : {m_ready[0], m_go[0], m_go[1]})
        close(fd);
}

} // namespace vqtest
