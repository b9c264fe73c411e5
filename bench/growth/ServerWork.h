// What the suite's PostgreSQL test server does for a step, beside the step's own time: the
// processor time of the server's processes, and the temporary files its queries wrote (a sort
// or a hash that did not fit in the server's working memory spills to them).
#pragma once

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

namespace vqgrowth {

// The processor time (seconds) the test server has used so far for its clients: its
// connections' processes and parallel workers, those that ended included (its background
// processes, which write and check what every step left, are not counted).
double ServerProcessorTime(const std::string& uri);

// The temporary files the server wrote for the repository's database so far, once every
// connection to it has ended (the benchmark's session is closed first).
struct TemporaryFiles {
    std::int64_t files = 0;
    std::int64_t bytes = 0;
};
TemporaryFiles TemporaryFilesOf(const std::string& uri);

// The server's processor time and the temporary files of the repository's database from its
// making to Report: "serverCPU" (seconds), "tempFiles" and "tempMB". The repository is first
// vacuumed, as the server's autovacuum does soon after a load: a step is not charged with
// marking the rows of a load it is the first to read.
class ServerWork {
public:
    explicit ServerWork(const std::string& uri);
    // Starts and stops the count of processor time around the step itself; the server's
    // background work (autovacuum) is let finish before it starts, so that the step is not
    // charged with it.
    void StepStarts();
    void StepEnded();
    void Report(benchmark::State& state) const;

private:
    std::string m_uri;
    TemporaryFiles m_tempBefore;
    double m_stepStart = 0;
    double m_processorTime = 0;
};

} // namespace vqgrowth
