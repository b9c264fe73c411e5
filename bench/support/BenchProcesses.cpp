#include "support/BenchProcesses.h"

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>

namespace vqbench {

namespace {

bool ReadAll(int fd, void* data, std::size_t size)
{
    return read(fd, data, size) == static_cast<ssize_t>(size);
}

bool WriteAll(int fd, const void* data, std::size_t size)
{
    return write(fd, data, size) == static_cast<ssize_t>(size);
}

// A forked process running one job: it prepares, says it is ready, waits for the start
// signal, works and sends its figures.
class Process {
public:
    Process(const ProcessJob& job, int startSignal)
    {
        if (pipe(m_ready) != 0 || pipe(m_figures) != 0)
            throw std::runtime_error("pipe");
        m_pid = fork();
        if (m_pid < 0)
            throw std::runtime_error("fork");
        if (m_pid == 0)
            _exit(RunChild(job, startSignal));
        close(m_ready[1]);
        close(m_figures[1]);
    }
    ~Process()
    {
        if (m_pid > 0)
            waitpid(m_pid, nullptr, 0);
        close(m_ready[0]);
        close(m_figures[0]);
    }
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    bool WaitReady()
    {
        char byte = 0;
        return ReadAll(m_ready[0], &byte, 1) && byte == 1;
    }
    // Waits until the process has ended; false when it failed.
    bool Collect(std::vector<double>& figures)
    {
        std::uint64_t count = 0;
        bool complete = ReadAll(m_figures[0], &count, sizeof count);
        if (complete) {
            figures.resize(count);
            complete = count == 0 || ReadAll(m_figures[0], figures.data(), count * sizeof(double));
        }
        int status = 0;
        waitpid(m_pid, &status, 0);
        m_pid = 0;
        return complete && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }

private:
    int RunChild(const ProcessJob& job, int startSignal)
    {
        try {
            ProcessWork work = job();
            char byte = 1;
            (void)!write(m_ready[1], &byte, 1);
            (void)!read(startSignal, &byte, 1);
            const std::vector<double> figures = work();
            const std::uint64_t count = figures.size();
            return WriteAll(m_figures[1], &count, sizeof count) &&
                           (count == 0 || WriteAll(m_figures[1], figures.data(), count * sizeof(double)))
                       ? 0
                       : 1;
        } catch (...) {
            char byte = 0;
            (void)!write(m_ready[1], &byte, 1);
            return 1;
        }
    }

    pid_t m_pid = 0;
    int m_ready[2] = {-1, -1};
    int m_figures[2] = {-1, -1};
};

} // namespace

std::optional<TogetherRun> RunTogether(const std::vector<ProcessJob>& jobs)
{
    int start[2];
    if (pipe(start) != 0)
        throw std::runtime_error("pipe");
    TogetherRun run;
    run.figures.resize(jobs.size());
    bool ok = true;
    {
        std::vector<std::unique_ptr<Process>> children;
        for (const ProcessJob& job : jobs)
            children.push_back(std::make_unique<Process>(job, start[0]));
        for (auto& child : children)
            ok = child->WaitReady() && ok;
        const auto began = std::chrono::steady_clock::now();
        const std::string go(jobs.size(), '1');
        (void)!write(start[1], go.data(), go.size());
        for (std::size_t i = 0; i < children.size(); ++i)
            ok = children[i]->Collect(run.figures[i]) && ok;
        run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
    }
    close(start[0]);
    close(start[1]);
    return ok ? std::optional<TogetherRun>(std::move(run)) : std::nullopt;
}

} // namespace vqbench
