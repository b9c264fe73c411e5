// What the server benchmarks of a step on the sample scaled share: the repository, made in a
// fresh database of the test server for each run, and what the step asked of the server,
// reported beside the time as the element links of SYS1 ("links"), the round trips to the
// server per link ("trips/link"), the transactions the server began per link ("xacts/link")
// and the server's write transactions ("writes").
#pragma once

#include "GrowthSupport.h"

#include "proxy/PxVQConfig.h"

#include <cstdint>
#include <string>

namespace vqgrowth {

// The sample scaled to that many elements a segment, in a fresh database of the test server;
// its statistics taken by an ANALYZE of the whole repository when `analyzed` (its lock tables
// empty, so the server's statistics say they hold nothing).
std::string ScaledSampleOnServer(int elements, bool analyzed);
// The configuration of SYS1 in the open session.
PxVQCurConfigPtr SampleConfig();
// The element links of the configuration's segments.
std::int64_t ElementLinks(const PxVQCurConfigPtr& config);

// The round trips, transactions and write transactions from its making to Stop.
class ServerCount {
public:
    explicit ServerCount(const std::string& uri);
    void Stop();
    // The counters of the step over that many links.
    void Report(benchmark::State& state, std::int64_t links) const;

private:
    std::string m_uri;
    std::int64_t m_trips;
    std::int64_t m_transactions;
    std::int64_t m_writes;
};

} // namespace vqgrowth
