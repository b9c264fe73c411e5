#include "proxy/PxProcessIdentity.h"

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <signal.h>
#include <sstream>
#include <unistd.h>

namespace {

// What /proc tells of a process: its state letter and its start time (0 when there is no
// such process, or it cannot be read).
struct ProcessStat {
    char state = 0;
    std::int64_t start = 0;
};

ProcessStat ReadProcessStat(std::int64_t pid)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    std::size_t close = text.rfind(')');
    if (close == std::string::npos)
        return {};
    std::istringstream fields(text.substr(close + 2));
    ProcessStat result;
    std::string field;
    // The fields after the name start at 3 (the state); field 22 is the start time.
    for (int index = 3; index <= 22 && fields >> field; ++index) {
        if (index == 3)
            result.state = field[0];
        else if (index == 22)
            result.start = std::atoll(field.c_str());
    }
    return result;
}

std::string MachineName()
{
    char host[256] = {};
    gethostname(host, sizeof(host) - 1);
    std::ifstream bootFile("/proc/sys/kernel/random/boot_id");
    std::string boot;
    std::getline(bootFile, boot);
    return std::string(host) + "/" + boot;
}

} // namespace

// Computed at each call (a forked child must not answer with its parent's identity), and kept
// nowhere: no thread-local storage, which a library the host unloads would leave behind.
PxProcessIdentity PxThisProcess()
{
    const std::int64_t pid = getpid();
    return {pid, ReadProcessStat(pid).start, MachineName()};
}

bool PxProcessAlive(const PxProcessIdentity& process)
{
    if (process.machine != MachineName())
        return true;
    if (kill(static_cast<pid_t>(process.pid), 0) != 0 && errno == ESRCH)
        return false;
    ProcessStat stat = ReadProcessStat(process.pid);
    // A zombie ('Z') or one being reaped ('X') has exited.
    if (stat.state == 'Z' || stat.state == 'X')
        return false;
    return stat.start == 0 || process.start == 0 || stat.start == process.start;
}
