// A day of eight users on one server, beside one user alone, in one run: each process opens
// a session on the sample of 1,000 systems (ten segments, the systems in turn) and takes in
// order the steps of its day on a system of its own, each in the system view: Expand Branch
// of the enterprise, Find of the last system, the options of its system's segment in NTGEN opened
// and closed with OK, Bulk Options Apply of an expected number to every Ispec there,
// Synchronize in Full Auto and Generate Reports in NTGEN. The counters give each step's time
// alone ("<step>_1") and, of the eight, at its longest ("<step>_8"), in seconds, and their
// ratio ("<step>_x"; goal: within 1.5); "<step>_cpu_..." the same of the processor time the
// process spent in the step (on a busy machine the wall times also hold the wait for a
// processor). The processes are forked before any of them opens
// a session: run the benchmark on its own (--benchmark_filter=ServerDay).
#include "BulkOptionsDialog.h"
#include "GrowthSupport.h"
#include "GrowthView.h"
#include "ServerStep.h"

#include "support/BenchProcesses.h"
#include "support/BenchSync.h"
#include "support/ScriptedUiDriver.h"

#include "options/VqsOptionPageBSegBulkOptions.h"
#include "proxy/PxVQEnterprise.h"
#include "proxy/PxVQSystem.h"
#include "shell/VqsSysApp.h"
#include "sysview/VqsDirectoryView.h"
#include "sysview/VqsSysFrame.h"
#include "vqclient/VqcTesting.h"
#include "win/Messages.h"
#include "win/UserActions.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <ctime>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr int kSystems = 1000;
constexpr UINT kGenerateReports = 32808;
constexpr UINT kGenerateReportsDialog = 222;
constexpr UINT kProgressDialog = 105;

constexpr std::array<const char*, 7> kSteps = {"open", "expand", "find", "options", "bulk", "sync", "reports"};

// The day of the user of SYS<number>, each step timed.
class Day {
public:
    Day(const std::string& repository, int number)
        : m_repository(repository), m_system("SYS" + std::to_string(number)),
          m_row("Sample system " + std::to_string(number))
    {
        // The module started, with no session yet.
        vqgrowth::OpenSession(m_repository);
        vqgrowth::CloseSession();
    }

    // Each step's wall time, then each step's processor time of the process.
    std::vector<double> Run()
    {
        std::vector<double> seconds;
        std::vector<double> processor;
        const auto timed = [&](auto step) {
            const auto began = std::chrono::steady_clock::now();
            const double processorBefore = ProcessorSeconds();
            step();
            seconds.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count());
            processor.push_back(ProcessorSeconds() - processorBefore);
        };
        timed([&] { vqgrowth::OpenSession(m_repository); });
        timed([&] { vqgrowth::OpenView(m_repository).ExpandBranch(); });
        timed([&] { vqgrowth::OpenView(m_repository).Find(vqgrowth::SampleSystemAt(kSystems, kSystems)); });
        timed([&] { Options(false); });
        timed([&] { Options(true); });
        timed([&] { Synchronize(); });
        timed([&] { GenerateReports(); });
        seconds.insert(seconds.end(), processor.begin(), processor.end());
        return seconds;
    }

private:
    static double ProcessorSeconds()
    {
        timespec now{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
        return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
    }

    PxVQCurConfigPtr Config() const { return VqsGetApp()->GetEnterprise()->GetSystem(m_system.c_str())->GetCurConfig(); }

    // The segment's options opened on the Bulk Options page and closed with OK or, with
    // `apply`, an expected number applied to every row and the dialog cancelled.
    void Options(bool apply) const
    {
        vqgrowth::BulkOptionsDialog dialog(Config());
        dialog.Open();
        vqtest::ScriptedUiDriver ui;
        if (apply) {
            ui.ExpectDialog(vqgrowth::kOptionsDialog)
                .Run([&] {
                    VqsOptionPageBSegBulkOptions& page = dialog.Page();
                    vqgrowth::EditEveryRow(page);
                    vqui::user::Click(page.GetDlgItem(vqgrowth::kApplyNow)->m_hWnd);
                })
                .Cancel();
            ui.ExpectMessageBoxId(vqgrowth::kApplyQuestion, IDYES);
        } else {
            ui.ExpectDialog(vqgrowth::kOptionsDialog).OK();
        }
        dialog.DoModal();
        ui.Verify();
    }

    void Synchronize() const
    {
        std::int64_t pairs = 0;
        if (!vqbench::SynchroniseFullAuto(Config(), pairs))
            throw std::runtime_error("the synchronisation stopped");
    }

    void GenerateReports() const
    {
        vqgrowth::OpenView open(m_repository);
        open.SelectRowOf(m_row.c_str());
        open.view->GetSysFrame()->SetCurrentOptionSet(Config()->GetOptionSet("NTGEN"));
        vqtest::ScriptedUiDriver ui;
        ui.WheneverDialog(kProgressDialog);
        ui.ExpectDialog(kGenerateReportsDialog).OK();
        open.view->SendMessage(WM_COMMAND, kGenerateReports, 0);
        ui.Verify();
        if (vqclient::LastGenerateNumber() == 0)
            throw std::runtime_error("Generate Reports started no generation");
    }

    std::string m_repository;
    std::string m_system;
    std::string m_row;
};

// Each process's step times, the users numbered from `first`.
std::vector<std::vector<double>> RunDays(const std::string& repository, int processes, int first)
{
    std::vector<vqbench::ProcessJob> jobs;
    for (int i = 0; i < processes; ++i)
        jobs.push_back([&repository, number = first + i]() -> vqbench::ProcessWork {
            auto day = std::make_shared<Day>(repository, number);
            return [day] { return day->Run(); };
        });
    const std::optional<vqbench::TogetherRun> together = vqbench::RunTogether(jobs);
    if (!together)
        throw std::runtime_error("a process failed");
    return together->figures;
}

// The figure at `at` of the process alone, the longest of the processes together, and their ratio.
void Report(benchmark::State& state, const std::string& name, const std::vector<double>& alone,
            const std::vector<std::vector<double>>& together, std::size_t at)
{
    double longest = 0;
    for (const std::vector<double>& figures : together)
        longest = std::max(longest, figures.at(at));
    state.counters[name + "_1"] = alone.at(at);
    state.counters[name + "_8"] = longest;
    state.counters[name + "_x"] = alone.at(at) > 0 ? longest / alone.at(at) : 0;
}

void BM_ServerDayOfEightUsers(benchmark::State& state)
{
    const int users = static_cast<int>(state.range(0));
    const std::string repository = vqgrowth::SampleSystems(kSystems, true);
    for (auto _ : state) {
        // Alone on a system no one else takes, then together, each on a system of its own.
        const std::vector<double> alone = RunDays(repository, 1, users + 1).front();
        const std::vector<std::vector<double>> together = RunDays(repository, users, 1);
        for (std::size_t step = 0; step < kSteps.size(); ++step) {
            Report(state, kSteps[step], alone, together, step);
            Report(state, std::string(kSteps[step]) + "_cpu", alone, together, kSteps.size() + step);
        }
    }
}
BENCHMARK(BM_ServerDayOfEightUsers)->Arg(8)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
