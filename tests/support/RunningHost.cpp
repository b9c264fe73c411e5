#include "support/RunningHost.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>

namespace vqtest {

namespace {

// Bounds a read of a host that stopped printing, so that a hung host fails the test; a host that
// goes on is never silent that long, at any load.
constexpr int kLongestSilenceMilliseconds = 60'000;

} // namespace

RunningHost::RunningHost(const std::string& folder, const std::string& repository, const std::string& user)
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
        const std::string errors = folder + "/" + user + ".stderr";
        const int errorFile = open(errors.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
        if (errorFile >= 0)
            dup2(errorFile, STDERR_FILENO);
        for (int end : {input[0], input[1], output[0], output[1]})
            close(end);
        unsetenv("VQ_GENERATION_LOG");
        const std::string registry = folder + "/" + user + "-com-registry.ini";
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

RunningHost::~RunningHost() { Finish(); }

void RunningHost::Send(const std::string& lines)
{
    if (write(m_input, lines.data(), lines.size()) != static_cast<ssize_t>(lines.size()))
        throw std::runtime_error("the host takes no more of its script");
}

std::string RunningHost::Run(const std::string& lines)
{
    const std::string mark = "step " + std::to_string(++m_steps);
    Send(lines + "say " + mark + "\n");
    const std::size_t from = m_seen;
    if (!ReadUntil("say: " + mark))
        return WithoutUpdates(m_printed.substr(from)) + "\n[the host ended or fell silent]";
    return WithoutUpdates(m_printed.substr(from, m_seen - from));
}

bool RunningHost::ReadUntil(const std::string& text)
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

int RunningHost::Finish()
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

void RunningHost::Kill()
{
    if (m_pid <= 0)
        return;
    kill(m_pid, SIGKILL);
    waitpid(m_pid, nullptr, 0);
    close(m_input);
    close(m_output);
    m_pid = 0;
}

double RunningHost::ProcessorSeconds() const
{
    // The fields after the command's name, which is in parentheses: user time is the 12th of
    // them and system time the 13th, in clock ticks.
    const std::string stat = ReadWholeFile("/proc/" + std::to_string(m_pid) + "/stat");
    std::istringstream fields(stat.substr(stat.rfind(')') + 2));
    std::string field;
    for (int skipped = 0; skipped < 11; ++skipped)
        fields >> field;
    long long user = 0;
    long long system = 0;
    fields >> user >> system;
    return static_cast<double>(user + system) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

std::string RunningHost::WithoutUpdates(const std::string& printed)
{
    std::string kept;
    std::istringstream lines(printed);
    for (std::string line; std::getline(lines, line);)
        if (line.rfind("update: ", 0) != 0)
            kept += line + "\n";
    return kept;
}

std::vector<std::string> RunningHost::Boxes(const std::string& printed)
{
    std::vector<std::string> boxes;
    std::istringstream lines(printed);
    for (std::string line; std::getline(lines, line);)
        if (line.rfind("msgbox: ", 0) == 0)
            boxes.push_back(line);
    return boxes;
}

std::vector<std::string> RunningHost::ErrorBoxes(const std::string& printed)
{
    std::vector<std::string> errors;
    for (const std::string& box : Boxes(printed))
        if (box.find("[Wrenfield Error]") != std::string::npos)
            errors.push_back(box);
    return errors;
}

bool RunningHost::ReadMore()
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

std::string ReadWholeFile(const std::string& path)
{
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

std::string DumpOf(const std::string& repository)
{
    std::string printed;
    const std::string command = "'" + std::string(std::getenv("VQSREPO")) + "' dump '" + repository + "'";
    const std::unique_ptr<FILE, int (*)(FILE*)> dump(popen(command.c_str(), "r"), pclose);
    char buffer[4096];
    for (std::size_t count; dump && (count = fread(buffer, 1, sizeof buffer, dump.get())) > 0;)
        printed.append(buffer, count);
    return printed;
}

std::size_t CountOf(const std::string& text, const std::string& part)
{
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

} // namespace vqtest
