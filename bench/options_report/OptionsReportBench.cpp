// The options report of a business segment with 500 element links in a Tarsk generate set:
// building the report tree from the repository, and laying the built tree out on the
// recording printer (every page drawn and spooled). The pages and rows are reported beside
// the time.
//
// The repository is made once (in the temporary folder, kept between runs).
#include "options/VqsOptionsReport.h"
#include "proxy/PxTypedList.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQElementSoftLink.h"
#include "proxy/PxVQEnterprise.h"
#include "proxy/PxVQLink.h"
#include "proxy/PxVQOptionSet.h"
#include "proxy/PxVQSystem.h"
#include "support/BenchSession.h"
#include "shell/VqsModuleStartup.h"
#include "shell/VqsSysApp.h"
#include "win/Printing.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// With the sample's own twelve element links of the segment.
constexpr int kGeneratedElements = 488;

fs::path Folder()
{
    static const fs::path folder = vqbench::KeptFolder("vq_options_report_bench");
    return folder;
}

std::string Repository()
{
    return vqbench::KeptSampleRepository(Folder() / ("segment-" + std::to_string(kGeneratedElements) + ".vqr"),
                                         {1, 1, kGeneratedElements});
}

// The started module with a session on the repository, and the links of its first segment.
class Module {
public:
    static Module& Get()
    {
        static Module module;
        return module;
    }

    const std::vector<PxVQSoftLinkPtr>& Links() const { return m_links; }
    const PxVQOptionSetPtr& OptionSet() const { return m_optionSet; }

private:
    Module()
    {
        setenv("VQ_RESOURCES", VQ_RESOURCE_ROOT, 0);
        setenv("VQ_COM_REGISTRY", (Folder() / "com-registry.ini").c_str(), 1);
        VqsStartModule();
        VqsSysApp& app = *VqsGetApp();
        if (!app.SetResourceModule("vqsysres") || !app.OpenSession(Repository().c_str(), "BENCH/USER", nullptr))
            throw std::runtime_error("the benchmark cannot open its session");
        const PxVQCurConfigPtr config = app.GetEnterprise()->GetSystem("SYS1")->GetCurConfig();
        m_optionSet = config->GetOptionSet("TARSKGEN");
        PxTypedList<PxVQBSSoftLinkPtr> segments;
        config->GetListOfBSSoftLinks(segments);
        m_links.emplace_back(segments.GetHead());
        PxTypedList<PxVQElementSoftLinkPtr> elements;
        segments.GetHead()->GetListOfElementSoftLinks(elements);
        for (POSITION pos = elements.GetHeadPosition(); pos;)
            m_links.emplace_back(elements.GetNext(pos));
    }

    std::vector<PxVQSoftLinkPtr> m_links;
    PxVQOptionSetPtr m_optionSet;
};

std::size_t Rows(const VqsOptionsReport& report)
{
    std::size_t rows = 0;
    for (const auto& node : report.Nodes()) {
        unsigned count = 0;
        const std::unique_ptr<Node>* groups = node->GetChildren(count);
        for (unsigned i = 0; groups && i < count; ++i)
            rows += groups[i] ? groups[i]->GetChildCount() : 0;
    }
    return rows;
}

void BM_BuildReportTree(benchmark::State& state)
{
    const Module& module = Module::Get();
    std::size_t rows = 0;
    for (auto _ : state) {
        VqsOptionsReport report(module.Links(), module.OptionSet());
        if (!report.BuildNodes(1))
            state.SkipWithError("the report tree was not built");
        rows = Rows(report);
    }
    state.counters["links"] = static_cast<double>(module.Links().size());
    state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(BM_BuildReportTree)->Unit(benchmark::kMillisecond);

void BM_LayOutReport(benchmark::State& state)
{
    const Module& module = Module::Get();
    VqsOptionsReport report(module.Links(), module.OptionSet());
    if (!report.BuildNodes(1))
        state.SkipWithError("the report tree was not built");
    std::size_t pages = 0;
    for (auto _ : state) {
        vqwin::ClearPrintJobs();
        PRINTDLG block{};
        report.PrintPages(block, {"SYS1", "SALES", "TARSKGEN", "OS Tarsk"});
        const std::vector<vqwin::PrintJob> jobs = vqwin::PrintJobs();
        pages = jobs.empty() ? 0 : jobs.back().pages.size();
        GlobalFree(block.hDevMode);
        GlobalFree(block.hDevNames);
    }
    state.counters["pages"] = static_cast<double>(pages);
}
BENCHMARK(BM_LayOutReport)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
