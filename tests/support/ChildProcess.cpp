#include "support/ChildProcess.h"

#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <stdexcept>

namespace vqtest {

ChildProcess::ChildProcess(const std::function<void()>& work)
{
    if (pipe(m_ready) != 0 || pipe(m_go) != 0)
        throw std::runtime_error("pipe");
    m_pid = fork();
    if (m_pid < 0)
        throw std::runtime_error("fork");
    if (m_pid == 0) {
        char byte = 1;
        try {
            work();
        } catch (...) {
            byte = 0;
        }
        (void)!write(m_ready[1], &byte, 1);
        (void)!read(m_go[0], &byte, 1);
        _exit(0);
    }
}

ChildProcess::~ChildProcess() { Finish(); }

bool ChildProcess::WaitReady()
{
    char byte = 0;
    return read(m_ready[0], &byte, 1) == 1 && byte == 1;
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
    for (int fd : {m_ready[0], m_ready[1], m_go[0], m_go[1]})
        close(fd);
}

} // namespace vqtest
