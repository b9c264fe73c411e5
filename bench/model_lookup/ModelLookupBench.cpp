// Finding one report alias in a never-expanded model: the lookup reads only the lists on
// the alias's path (systems, the system's configurations, its business-segment links, the
// segment's report groups, the group's aliases), whatever the enterprise holds besides.
// Measured on enterprises of 10, 100 and 1,000 systems; the reads per find and the nodes
// the model makes are reported beside the time.
//
// And a lock scope over 1,000 objects through a lock bag, beside the repository library's
// own lock calls on the same objects: one call per object, and one list call.
//
// And the option discovery of one configuration of 500 to 2,000 element links: building the
// option nodes of a generate set, and collecting the packs its records name; both should
// grow linearly with the links.
#include "model/VqsLockBag.h"
#include "model/VqsLockScope.h"
#include "model/VqsModel.h"
#include "model/VqsModelNodeGroups.h"
#include "model/VqsModelNodeLink.h"
#include "model/VqsModelNodeOSet.h"
#include "model/VqsModelNodeOption.h"
#include "proxy/PxTesting.h"
#include "proxy/PxTypedList.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQEnterprise.h"
#include "proxy/PxVQLink.h"
#include "proxy/PxVQOptionSet.h"
#include "proxy/PxVQReportGroup.h"
#include "proxy/PxVQSystem.h"
#include "shell/VqsSysApp.h"
#include "support/BenchSession.h"

#include <benchmark/benchmark.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr int kSegments = 20;
constexpr int kElements = 50;
constexpr int kLockedObjects = 1000;

vqbench::SessionModule& Module()
{
    static vqbench::SessionModule module("vq_model_lookup_bench");
    return module;
}

// The session on an enterprise of `systems` systems, each taking 20 business segments of
// 50 generated elements besides the sample's own.
VqsSysApp& OpenEnterprise(int systems)
{
    return Module().OpenSample({systems, kSegments, kElements});
}

// The first alias of the first report group in the first segment of the last system.
PxVQReportSoftLinkAliasPtr AliasOfLastSystem(VqsSysApp& app, int systems)
{
    const PxVQSystemPtr system = app.GetEnterprise()->GetSystem(("SYS" + std::to_string(systems)).c_str());
    PxTypedList<PxVQBSSoftLinkPtr> segments;
    system->GetCurConfig()->GetListOfBSSoftLinks(segments);
    PxTypedList<PxVQReportGroupPtr> groups;
    segments.GetHead()->GetListOfReportGroups(groups);
    PxTypedList<PxVQReportSoftLinkAliasPtr> aliases;
    groups.GetHead()->GetListOfReportSoftLinkAliases(aliases);
    return aliases.GetHead();
}

void BM_FindReportAliasInNewModel(benchmark::State& state)
{
    const int systems = static_cast<int>(state.range(0));
    VqsSysApp& app = OpenEnterprise(systems);
    const PxVQReportSoftLinkAliasPtr alias = AliasOfLastSystem(app, systems);
    PxTesting::ResetListReads();
    INT_PTR nodes = 0;
    for (auto _ : state) {
        VqsModel model;
        if (!model.FindRepAliasNode(alias))
            state.SkipWithError("the alias was not found");
        nodes = model.GetIndexCount();
    }
    const double finds = static_cast<double>(state.iterations());
    state.counters["list_reads"] = PxTesting::ListReads() / finds;
    state.counters["systems_list_reads"] = PxTesting::ListReads("PxVQEnterprise::GetListOfSystems") / finds;
    state.counters["element_lists_read"] = PxTesting::ListReads("PxVQBSSoftLink::GetListOfElementSoftLinks") / finds;
    state.counters["nodes_made"] = static_cast<double>(nodes);
}
BENCHMARK(BM_FindReportAliasInNewModel)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

// The enterprise's list of systems alone, which the lookup reads on its way: the part of
// the lookup that grows with the number of systems.
void BM_ReadSystemsList(benchmark::State& state)
{
    VqsSysApp& app = OpenEnterprise(static_cast<int>(state.range(0)));
    const PxVQEnterprisePtr enterprise = app.GetEnterprise();
    for (auto _ : state) {
        PxTypedList<PxVQSystemPtr> systems;
        enterprise->GetListOfSystems(systems);
        benchmark::DoNotOptimize(systems.GetCount());
    }
}
BENCHMARK(BM_ReadSystemsList)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

// The same alias again in a model that already holds its path: no list is read.
void BM_FindReportAliasAgain(benchmark::State& state)
{
    const int systems = static_cast<int>(state.range(0));
    VqsSysApp& app = OpenEnterprise(systems);
    const PxVQReportSoftLinkAliasPtr alias = AliasOfLastSystem(app, systems);
    VqsModel model;
    model.FindRepAliasNode(alias);
    PxTesting::ResetListReads();
    for (auto _ : state)
        benchmark::DoNotOptimize(model.FindRepAliasNode(alias));
    state.counters["list_reads"] = PxTesting::ListReads() / static_cast<double>(state.iterations());
}
BENCHMARK(BM_FindReportAliasAgain)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);

// 1,000 element links of the first system, as model nodes.
struct LockTargets {
    // The session first: the model takes the session's enterprise when it is made.
    VqsSysApp& app = OpenEnterprise(10);
    VqsModel model;
    CObList nodes;
    PxTypedList<PxVQObjectPtr> objects;

    LockTargets()
    {
        PxTypedList<PxVQBSSoftLinkPtr> segments;
        app.GetEnterprise()->GetSystem("SYS1")->GetCurConfig()->GetListOfBSSoftLinks(segments);
        for (POSITION pos = segments.GetHeadPosition(); pos && nodes.GetCount() < kLockedObjects;) {
            VqsModelNodeBSLink* segment = model.FindConfigNodeOfBSLink(segments.GetNext(pos));
            if (!segment)
                throw std::runtime_error("the benchmark finds no node of a business segment");
            segment->LoadElementLinks(VqsLoadCached);
            CObList links;
            segment->GetElementLinkNodes(links);
            for (POSITION at = links.GetHeadPosition(); at && nodes.GetCount() < kLockedObjects;) {
                auto* link = static_cast<VqsModelNode*>(links.GetNext(at));
                nodes.AddTail(link);
                objects.AddTail(link->GetObject());
            }
        }
        if (nodes.GetCount() != kLockedObjects)
            throw std::runtime_error("the benchmark finds too few element links");
    }
};

LockTargets& Targets()
{
    static LockTargets targets;
    return targets;
}

void BM_LockScopeBagLocksEachObject(benchmark::State& state)
{
    LockTargets& targets = Targets();
    PxVQLink* link = VqsGetApp()->GetLink();
    for (auto _ : state) {
        VqsLockScope scope(link);
        VqsLockBag bag(VqsReadLock);
        if (!bag.LockNodes(targets.nodes))
            state.SkipWithError("a lock was refused");
    }
    state.SetItemsProcessed(state.iterations() * kLockedObjects);
}
BENCHMARK(BM_LockScopeBagLocksEachObject)->Unit(benchmark::kMillisecond);

void BM_RawLockOfEachObject(benchmark::State& state)
{
    LockTargets& targets = Targets();
    PxVQLink* link = VqsGetApp()->GetLink();
    for (auto _ : state) {
        for (POSITION pos = targets.objects.GetHeadPosition(); pos;) {
            if (!targets.objects.GetNext(pos)->ReadLock().Succeeded())
                state.SkipWithError("a lock was refused");
        }
        link->UnLock(targets.objects);
    }
    state.SetItemsProcessed(state.iterations() * kLockedObjects);
}
BENCHMARK(BM_RawLockOfEachObject)->Unit(benchmark::kMillisecond);

void BM_LockScopeBagLocksAllInOneCall(benchmark::State& state)
{
    LockTargets& targets = Targets();
    PxVQLink* link = VqsGetApp()->GetLink();
    for (auto _ : state) {
        VqsLockBag bag(VqsNoLock);
        bag.LockNodes(targets.nodes);
        VqsLockScope scope(link);
        if (!bag.LockObjects(VqsReadLock))
            state.SkipWithError("the lock was refused");
    }
    state.SetItemsProcessed(state.iterations() * kLockedObjects);
}
BENCHMARK(BM_LockScopeBagLocksAllInOneCall)->Unit(benchmark::kMillisecond);

void BM_RawListLock(benchmark::State& state)
{
    LockTargets& targets = Targets();
    PxVQLink* link = VqsGetApp()->GetLink();
    for (auto _ : state) {
        if (!link->ReadLock(targets.objects).Succeeded())
            state.SkipWithError("the lock was refused");
        link->UnLock(targets.objects);
    }
    state.SetItemsProcessed(state.iterations() * kLockedObjects);
}
BENCHMARK(BM_RawListLock)->Unit(benchmark::kMillisecond);

// The generate set of one system whose configuration has one business segment of `elements`
// generated element links besides the sample's own.
PxVQOptionSetPtr UnixGenerateSet(int elements)
{
    VqsSysApp& app = Module().OpenSample({1, 1, elements});
    return app.GetEnterprise()->GetSystem("SYS1")->GetCurConfig()->GetOptionSet("UNIXGEN");
}

void BM_BuildOptionNodes(benchmark::State& state)
{
    const int elements = static_cast<int>(state.range(0));
    const PxVQOptionSetPtr optionSet = UnixGenerateSet(elements);
    CObList options;
    for (auto _ : state) {
        VqsModel model;
        VqsModelNodeOSet* node = model.FindOptionSetNode(optionSet);
        node->BuildOptionNodes(VqsLoadCached);
        options.RemoveAll();
        node->GetOptionNodes(options);
    }
    state.counters["option_nodes"] = static_cast<double>(options.GetCount());
    state.SetComplexityN(elements);
}
BENCHMARK(BM_BuildOptionNodes)->Arg(500)->Arg(1000)->Arg(2000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

void BM_CollectPacks(benchmark::State& state)
{
    const int elements = static_cast<int>(state.range(0));
    const PxVQOptionSetPtr optionSet = UnixGenerateSet(elements);
    VqsModel model;
    VqsModelNodeOSet* node = model.FindOptionSetNode(optionSet);
    node->BuildOptionNodes(VqsLoadCached);
    INT_PTR packs = 0;
    for (auto _ : state) {
        VqsPackSpecList named;
        node->CollectPacks(named, PxVQBSSoftLinkPtr());
        packs = named.GetCount();
    }
    state.counters["packs_named"] = static_cast<double>(packs);
    state.SetComplexityN(elements);
}
BENCHMARK(BM_CollectPacks)->Arg(500)->Arg(1000)->Arg(2000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

} // namespace

BENCHMARK_MAIN();
