// A team on one server, the sample's systems all on one segment of ten elements:
// - BM_OneSegmentLockRows: the rows the frames' Refresh and a host's Prepare of SALES each
//   write to the lock table ("refresh_rows", "prepare_rows", and their ratio "x"; goal: at
//   most 1.1), on a copy of the repository that counts them;
// - BM_EightUsersRefresh: the frames' Refresh of one user alone, then of eight users at once,
//   each in a process of its own: the median wall time alone ("median_1") and of the eight
//   ("median_8") in seconds, their ratio ("x"; goal: within 2), and the retry questions the
//   lock calls asked, each the start of a wait for another session's lock ("waits"; goal: 0).
// The processes are forked before any of them opens a session: run the benchmark on its own
// (--benchmark_filter=EightUsers).
#include "GrowthSupport.h"
#include "GrowthView.h"

#include "support/BenchProcesses.h"
#include "support/LockRowsCounter.h"

#include "model/VqsLockRetryCallback.h"
#include "proxy/PxLockErrorInfo.h"
#include "proxy/PxVQLink.h"
#include "shell/VqsSysApp.h"
#include "sysview/VqsDirectoryView.h"
#include "sysview/VqsSysFrame.h"
#include "win/Messages.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr UINT kRefresh = 32805;

void Refresh(vqgrowth::OpenView& open)
{
    const vqgrowth::HeardFrame heard(open.view->GetSysFrame());
    open.view->GetSysFrame()->SendMessage(WM_COMMAND, kRefresh, 0);
}

void BM_OneSegmentLockRows(benchmark::State& state)
{
    const std::string uri = vqgrowth::ServerCopy(vqgrowth::OneSegmentSystems(static_cast<int>(state.range(0)), true));
    const vqtest::LockRowsCounter counter(uri);
    std::int64_t refresh = 0;
    std::int64_t prepare = 0;
    for (auto _ : state) {
        vqgrowth::OpenView open(uri);
        std::int64_t before = counter.Written();
        Refresh(open);
        refresh = counter.Written() - before;
        before = counter.Written();
        if (!VqsGetApp()->PrepareForTransaction("SALES", 0))
            state.SkipWithError("the prepare failed");
        VqsGetApp()->TransactionClosed();
        prepare = counter.Written() - before;
    }
    vqgrowth::CloseSession();
    state.counters["refresh_rows"] = static_cast<double>(refresh);
    state.counters["prepare_rows"] = static_cast<double>(prepare);
    state.counters["x"] = refresh > 0 ? static_cast<double>(prepare) / static_cast<double>(refresh) : 0;
}
BENCHMARK(BM_OneSegmentLockRows)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(1);

// The retry questions of the process's lock calls, each then answered as the module does.
int g_waits = 0;

int CountingRetry(PxLockErrorInfo& info)
{
    const int code = info.GetErrorCode();
    if (code == PxLockHeldByOther || code == PxLockStoreBusy)
        ++g_waits;
    return VqsLockRetryCallback(info);
}

// The Refresh of one process, on the view open on every system: its wall time in seconds and
// the retry questions it asked.
vqbench::ProcessJob RefreshJob(const std::string& repository)
{
    return [repository]() -> vqbench::ProcessWork {
        vqgrowth::OpenSession(repository);
        auto open = std::make_shared<vqgrowth::OpenView>(repository);
        VqsGetApp()->GetLink()->PxSetRetryFunction(&CountingRetry);
        return [open] {
            const auto began = std::chrono::steady_clock::now();
            Refresh(*open);
            const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
            return std::vector<double>{seconds, static_cast<double>(g_waits)};
        };
    };
}

std::vector<std::vector<double>> RefreshTogether(const std::string& repository, int users)
{
    const std::optional<vqbench::TogetherRun> together =
        vqbench::RunTogether(std::vector<vqbench::ProcessJob>(static_cast<std::size_t>(users), RefreshJob(repository)));
    if (!together)
        throw std::runtime_error("a process failed");
    return together->figures;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

void BM_EightUsersRefresh(benchmark::State& state)
{
    constexpr int kUsers = 8;
    constexpr int kAloneRuns = 3;
    const std::string repository = vqgrowth::OneSegmentSystems(static_cast<int>(state.range(0)), true);
    vqgrowth::EndModule();
    for (auto _ : state) {
        std::vector<double> alone;
        double waits = 0;
        for (int run = 0; run < kAloneRuns; ++run) {
            const std::vector<double> figures = RefreshTogether(repository, 1).front();
            alone.push_back(figures.at(0));
            waits += figures.at(1);
        }
        std::vector<double> together;
        for (const std::vector<double>& figures : RefreshTogether(repository, kUsers)) {
            together.push_back(figures.at(0));
            waits += figures.at(1);
        }
        state.counters["median_1"] = Median(alone);
        state.counters["median_8"] = Median(together);
        state.counters["x"] = Median(together) / Median(alone);
        state.counters["waits"] = waits;
    }
}
BENCHMARK(BM_EightUsersRefresh)->Arg(300)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
