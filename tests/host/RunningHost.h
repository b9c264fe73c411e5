// A stand-in host that runs beside a test, on a repository another host may be using at
// the same time: it gets its script as the test sends it and prints into a pipe the test
// reads as it goes.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <stdexcept>
#include <string>

namespace vqtest {

// Bounds a read of a host that stopped printing, so that a hung host fails the test.
inline constexpr int kLongestSilenceMilliseconds = 60'000;

class RunningHost {
public:
    RunningHost(const std::string& folder, const std::string& repository, const std::string& user)
    {
        int input[2];
        int output[2];
        if (pipe2(input, O_CLOEXEC) != 0 || pipe2(output, O_CLOEXEC) != 0)
            throw std::runtime_error("pipe");
        m_pid = fork();
        if (m_pid < 0)
            throw std::runtime_error("fork");
        if (m_pid == 0) {
            dup2(input[0], STDIN_FILENO);
            dup2(output[1], STDOUT_FILENO);
            for (int end : {input[0], input[1], output[0], output[1]})
                close(end);
            const std::string registry = folder + "/com-registry.ini";
            setenv("VQ_COM_REGISTRY", registry.c_str(), 1);
            if (chdir(folder.c_str()) == 0) {
                const char* host = std::getenv("VQSHOST");
                execl(host, host, "--repo", repository.c_str(), "--user", user.c_str(), "--script", "-",
                      static_cast<char*>(nullptr));
            }
            _exit(127);
        }
        close(input[0]);
        close(output[1]);
        m_input = input[1];
        m_output = output[0];
    }

    ~RunningHost() { Finish(); }
    RunningHost(const RunningHost&) = delete;
    RunningHost& operator=(const RunningHost&) = delete;

    void Send(const std::string& lines)
    {
        if (write(m_input, lines.data(), lines.size()) != static_cast<ssize_t>(lines.size()))
            throw std::runtime_error("the host takes no more of its script");
    }

    // Reads until the host has printed a line holding `text`; false when it ended or fell
    // silent first.
    bool ReadUntil(const std::string& text)
    {
        for (;;) {
            for (std::size_t end; (end = m_printed.find('\n', m_seen)) != std::string::npos;) {
                const std::string line = m_printed.substr(m_seen, end - m_seen);
                m_seen = end + 1;
                if (line.find(text) != std::string::npos)
                    return true;
            }
            if (!ReadMore())
                return false;
        }
    }

    // Ends the script and waits for the host: its exit status.
    int Finish()
    {
        if (m_pid <= 0)
            return m_status;
        close(m_input);
        while (ReadMore()) {
        }
        close(m_output);
        int status = 0;
        if (m_silent)
            kill(m_pid, SIGKILL);
        waitpid(m_pid, &status, 0);
        m_pid = 0;
        m_status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        return m_status;
    }

    const std::string& Printed() const { return m_printed; }

private:
    bool ReadMore()
    {
        pollfd ready{m_output, POLLIN, 0};
        if (poll(&ready, 1, kLongestSilenceMilliseconds) <= 0) {
            m_silent = true;
            return false;
        }
        char buffer[4096];
        const ssize_t count = read(m_output, buffer, sizeof buffer);
        if (count <= 0)
            return false;
        m_printed.append(buffer, static_cast<std::size_t>(count));
        return true;
    }

    pid_t m_pid = 0;
    int m_input = -1;
    int m_output = -1;
    int m_status = -1;
    std::string m_printed;
    std::size_t m_seen = 0;
    bool m_silent = false;  // printed nothing for too long: hung
};

} // namespace vqtest
