// An idle process owing one session's end while another process holds the repository's lock
// file: the session holds a write lock and closes, and the process then does nothing else for
// a while (VQ_OWED_END_SECONDS, 60 by default). Reported, scaled to a minute: the processor
// time the process spends (user and system, all its threads), its wake-ups (context switches)
// and its calls on the lock file (counted by an SQLite file layer under the proxy's
// connections: every read, write, lock and shared-memory lock of the lock file, its log and
// its index), besides how long the close kept the caller. Once the holder lets go, the end is
// made (end_made 1).
#include "proxy/PxSessionEnds.h"
#include "proxy/PxVQLink.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>

namespace {

// The SQLite file layer that counts the calls on the lock file's files.
std::atomic<std::int64_t> g_lockFileCalls{0};
sqlite3_vfs* g_underlying = nullptr;
sqlite3_vfs g_counting;

struct CountedFile {
    sqlite3_file base;
    sqlite3_file* real;
    bool counted;
};

sqlite3_file* Real(sqlite3_file* file)
{
    auto* counted = reinterpret_cast<CountedFile*>(file);
    if (counted->counted)
        ++g_lockFileCalls;
    return counted->real;
}

// Each method of the file layer passes the call on to the file underneath.
template <auto Method>
struct Forwarded;
template <class Result, class... Args, Result (*sqlite3_io_methods::*Method)(sqlite3_file*, Args...)>
struct Forwarded<Method> {
    static Result Call(sqlite3_file* file, Args... args)
    {
        sqlite3_file* real = Real(file);
        return (real->pMethods->*Method)(real, args...);
    }
};

const sqlite3_io_methods kCountedMethods = {
    3,
    Forwarded<&sqlite3_io_methods::xClose>::Call,
    Forwarded<&sqlite3_io_methods::xRead>::Call,
    Forwarded<&sqlite3_io_methods::xWrite>::Call,
    Forwarded<&sqlite3_io_methods::xTruncate>::Call,
    Forwarded<&sqlite3_io_methods::xSync>::Call,
    Forwarded<&sqlite3_io_methods::xFileSize>::Call,
    Forwarded<&sqlite3_io_methods::xLock>::Call,
    Forwarded<&sqlite3_io_methods::xUnlock>::Call,
    Forwarded<&sqlite3_io_methods::xCheckReservedLock>::Call,
    Forwarded<&sqlite3_io_methods::xFileControl>::Call,
    Forwarded<&sqlite3_io_methods::xSectorSize>::Call,
    Forwarded<&sqlite3_io_methods::xDeviceCharacteristics>::Call,
    Forwarded<&sqlite3_io_methods::xShmMap>::Call,
    Forwarded<&sqlite3_io_methods::xShmLock>::Call,
    Forwarded<&sqlite3_io_methods::xShmBarrier>::Call,
    Forwarded<&sqlite3_io_methods::xShmUnmap>::Call,
    Forwarded<&sqlite3_io_methods::xFetch>::Call,
    Forwarded<&sqlite3_io_methods::xUnfetch>::Call,
};

int OpenCounted(sqlite3_vfs*, sqlite3_filename name, sqlite3_file* file, int flags, int* outFlags)
{
    auto* counted = reinterpret_cast<CountedFile*>(file);
    counted->real = reinterpret_cast<sqlite3_file*>(counted + 1);
    counted->counted = name && std::strstr(name, "-locks") != nullptr;
    counted->base.pMethods = nullptr;
    const int rc = g_underlying->xOpen(g_underlying, name, counted->real, flags, outFlags);
    if (counted->real->pMethods)
        counted->base.pMethods = &kCountedMethods;
    return rc;
}

void CountLockFileCalls()
{
    if (g_underlying)
        return;
    g_underlying = sqlite3_vfs_find(nullptr);
    g_counting = *g_underlying;
    g_counting.zName = "counting";
    g_counting.szOsFile = static_cast<int>(sizeof(CountedFile)) + g_underlying->szOsFile;
    g_counting.xOpen = OpenCounted;
    sqlite3_vfs_register(&g_counting, 1);
}

// Another process that holds the lock file in a write transaction until let go.
class LockFileHolder {
public:
    explicit LockFileHolder(const std::string& lockFile)
    {
        int held[2];
        int release[2];
        if (pipe(held) != 0 || pipe(release) != 0)
            throw std::runtime_error("pipe");
        m_pid = fork();
        if (m_pid == 0) {
            close(held[0]);
            close(release[1]);
            sqlite3* file = nullptr;
            const bool holding = sqlite3_open(lockFile.c_str(), &file) == SQLITE_OK &&
                                 sqlite3_exec(file, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) == SQLITE_OK;
            char mark = holding ? 'h' : 'x';
            (void)!write(held[1], &mark, 1);
            (void)!read(release[0], &mark, 1);
            _exit(holding ? 0 : 1);
        }
        close(held[1]);
        close(release[0]);
        m_release = release[1];
        char mark = 0;
        if (read(held[0], &mark, 1) != 1 || mark != 'h')
            throw std::runtime_error("the other process cannot hold the lock file");
        close(held[0]);
    }
    ~LockFileHolder() { LetGo(); }

    void LetGo()
    {
        if (m_pid <= 0)
            return;
        close(m_release);
        waitpid(m_pid, nullptr, 0);
        m_pid = 0;
    }

private:
    pid_t m_pid = 0;
    int m_release = -1;
};

struct Usage {
    double cpuMilliseconds;
    double wakeUps;
};

Usage ProcessUsage()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval& t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
    return {ms(usage.ru_utime) + ms(usage.ru_stime), static_cast<double>(usage.ru_nvcsw + usage.ru_nivcsw)};
}

int WindowSeconds()
{
    const char* seconds = std::getenv("VQ_OWED_END_SECONDS");
    return seconds && std::atoi(seconds) > 0 ? std::atoi(seconds) : 60;
}

void IdleProcessOwingAnEnd(benchmark::State& state)
{
    CountLockFileCalls();
    std::string pattern = (std::filesystem::temp_directory_path() / "pxowed-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make a temporary directory");
    const std::string path = pattern + "/owed.vqr";
    PxLink::CreateRepository(path.c_str());
    const int seconds = WindowSeconds();
    for (auto _ : state) {
        auto link = std::make_unique<PxVQLink>();
        link->AttachSession(path.c_str(), "bench/owing", nullptr);
        link->BeginTransaction();
        PxObjectPtr created = link->GetLVQEnterprise()->CreateMember("hosts", "PxVQObject");
        link->CommitTransaction();
        PxVQObjectPtr host(created);
        if (!host->WriteLock(0))
            throw std::runtime_error("cannot lock the host");
        host = PxVQObjectPtr();
        created = PxObjectPtr();

        LockFileHolder holder(path + "-locks");
        const auto closing = std::chrono::steady_clock::now();
        link.reset();
        const auto closed = std::chrono::steady_clock::now();

        const Usage before = ProcessUsage();
        const std::int64_t callsBefore = g_lockFileCalls;
        std::this_thread::sleep_for(std::chrono::seconds(seconds));
        const Usage after = ProcessUsage();
        const std::int64_t calls = g_lockFileCalls - callsBefore;
        holder.LetGo();

        const auto letGo = std::chrono::steady_clock::now();
        while (PxSessionEnds::RetryThread() != 0 && std::chrono::steady_clock::now() - letGo < std::chrono::seconds(30))
            std::this_thread::sleep_for(std::chrono::milliseconds(10));

        const double perMinute = 60.0 / seconds;
        state.counters["close_ms"] = std::chrono::duration<double, std::milli>(closed - closing).count();
        state.counters["cpu_ms_per_min"] = (after.cpuMilliseconds - before.cpuMilliseconds) * perMinute;
        state.counters["wakeups_per_min"] = (after.wakeUps - before.wakeUps) * perMinute;
        state.counters["lock_file_calls_per_min"] = static_cast<double>(calls) * perMinute;
        state.counters["end_made"] = PxSessionEnds::RetryThread() == 0 ? 1 : 0;
    }
    std::error_code ignored;
    std::filesystem::remove_all(pattern, ignored);
}

BENCHMARK(IdleProcessOwingAnEnd)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
