#include "ServerWork.h"

#include "GrowthSupport.h"

#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>
#include <vector>

namespace vqgrowth {

namespace {

// The fields of /proc/PID/stat after the process's name, which may hold blanks: the state is
// field 0, the parent's id field 1, the own and the ended children's user and system times
// (clock ticks) fields 11 to 14. Empty when the process is gone.
std::vector<std::string> StatFields(const std::string& pid)
{
    std::ifstream file("/proc/" + pid + "/stat");
    std::string line;
    if (!std::getline(file, line) || line.rfind(')') == std::string::npos)
        return {};
    std::istringstream after(line.substr(line.rfind(')') + 1));
    std::vector<std::string> fields;
    for (std::string field; after >> field;)
        fields.push_back(field);
    return fields;
}

constexpr std::size_t kParent = 1;
constexpr std::size_t kUserTime = 11;
constexpr std::size_t kChildrenUserTime = 13;
constexpr std::size_t kChildrenSystemTime = 14;

double Ticks(const std::vector<std::string>& fields, std::size_t first, std::size_t last)
{
    double ticks = 0;
    for (std::size_t field = first; field <= last && field < fields.size(); ++field)
        ticks += std::stod(fields[field]);
    return ticks;
}

void AwaitBackgroundWork(const std::string& uri)
{
    while (NumberOf(uri, "SELECT count(*) FROM pg_stat_activity WHERE backend_type = 'autovacuum worker'") > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
}

// Whether the server's process works for its clients (a connection's backend, a parallel
// worker), not in the background (the checkpointer, the writers, the launchers).
bool ServesClients(const std::string& pid)
{
    std::ifstream file("/proc/" + pid + "/cmdline");
    std::string title;
    std::getline(file, title, '\0');
    for (const char* background : {"postgres: checkpointer", "postgres: background writer", "postgres: walwriter",
                                   "postgres: autovacuum launcher", "postgres: logical replication launcher"}) {
        if (title.rfind(background, 0) == 0)
            return false;
    }
    return true;
}

} // namespace

double ServerProcessorTime(const std::string& uri)
{
    // The server's checkpointer lives as long as the server.
    const std::vector<std::string> checkpointer = StatFields(
        std::to_string(NumberOf(uri, "SELECT pid FROM pg_stat_activity WHERE backend_type = 'checkpointer'")));
    if (checkpointer.size() <= kParent)
        throw std::runtime_error("the test server's processes cannot be found");
    const std::string& server = checkpointer[kParent];
    // The children of the server that ended, then each child alive that works for the clients.
    double ticks = Ticks(StatFields(server), kChildrenUserTime, kChildrenSystemTime);
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        const std::string pid = entry.path().filename().string();
        if (pid.find_first_not_of("0123456789") != std::string::npos)
            continue;
        const std::vector<std::string> fields = StatFields(pid);
        if (fields.size() > kUserTime + 1 && fields[kParent] == server && ServesClients(pid))
            ticks += Ticks(fields, kUserTime, kUserTime + 1);
    }
    return ticks / static_cast<double>(sysconf(_SC_CLK_TCK));
}

TemporaryFiles TemporaryFilesOf(const std::string& uri)
{
    CloseSession();
    return {NumberOnceAlone(uri, "SELECT temp_files FROM pg_stat_database WHERE datname = current_database()"),
            NumberOnceAlone(uri, "SELECT temp_bytes FROM pg_stat_database WHERE datname = current_database()")};
}

ServerWork::ServerWork(const std::string& uri) : m_uri(uri), m_tempBefore(TemporaryFilesOf(uri))
{
    Vacuum(uri);
}

void ServerWork::StepStarts()
{
    AwaitBackgroundWork(m_uri);
    m_stepStart = ServerProcessorTime(m_uri);
}

void ServerWork::StepEnded() { m_processorTime += ServerProcessorTime(m_uri) - m_stepStart; }

void ServerWork::Report(benchmark::State& state) const
{
    const TemporaryFiles after = TemporaryFilesOf(m_uri);
    state.counters["serverCPU"] = m_processorTime;
    state.counters["tempFiles"] = static_cast<double>(after.files - m_tempBefore.files);
    state.counters["tempMB"] = static_cast<double>(after.bytes - m_tempBefore.bytes) / 1e6;
}

} // namespace vqgrowth
