// The frame's Refresh command locks the whole model after the views are refreshed: a model
// made for the command reads every system down to its option records and read-locks each
// object it reads. Measured on enterprises of 1, 10 and 50 systems of 5 business segments
// with 50 generated elements each; the objects locked and the lists read per refresh are
// reported beside the time.
#include "model/VqsLockBag.h"
#include "model/VqsModel.h"
#include "proxy/PxTesting.h"
#include "support/BenchSession.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kSegments = 5;
constexpr int kElements = 50;

vqbench::SessionModule& Module()
{
    static vqbench::SessionModule module("vq_model_refresh_bench");
    return module;
}

void BM_LockWholeModelForRefresh(benchmark::State& state)
{
    Module().OpenSample({static_cast<int>(state.range(0)), kSegments, kElements});
    PxTesting::ResetListReads();
    INT_PTR locked = 0;
    INT_PTR nodes = 0;
    for (auto _ : state) {
        VqsModel model;
        VqsLockBag bag(VqsReadLock);
        model.LockSubtree(bag, PxVQObjectPtr());
        locked = bag.GetCount();
        nodes = model.GetIndexCount();
    }
    const double refreshes = static_cast<double>(state.iterations());
    state.counters["objects_locked"] = static_cast<double>(locked);
    state.counters["nodes_made"] = static_cast<double>(nodes);
    state.counters["list_reads"] = PxTesting::ListReads() / refreshes;
}
BENCHMARK(BM_LockWholeModelForRefresh)->Arg(1)->Arg(10)->Arg(50)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
