// Processes of a benchmark that work on one repository together: each is forked, prepares
// (opens its session and the like), and starts on a common signal once all are ready; the
// figures each sends back are collected when the last is done.
#pragma once

#include <functional>
#include <optional>
#include <vector>

namespace vqbench {

// What one process does: the job runs before the start signal and answers the work, run
// after it, whose figures go back to the parent.
using ProcessWork = std::function<std::vector<double>()>;
using ProcessJob = std::function<ProcessWork()>;

struct TogetherRun {
    double seconds = 0; // from the start signal until the last process was done
    std::vector<std::vector<double>> figures; // of each process, in the order of the jobs
};

// Forks a process for each job and runs them together; nothing when a process failed.
// The parent should hold no repository connection while it forks.
std::optional<TogetherRun> RunTogether(const std::vector<ProcessJob>& jobs);

} // namespace vqbench
