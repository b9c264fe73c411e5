// Generate Reports: the list of reports to generate filled with every report of a segment,
// each row marked by whether the generate set holds options of its own for the report.
// Segments of 500 and 5,000 reports on a file; 100 and 1,000 on the test server.
#include "GrowthSupport.h"

#include "proxy/PxTypedList.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQEnterprise.h"
#include "proxy/PxVQSystem.h"
#include "shell/VqsSysApp.h"
#include "shell/VqsTypedListCtrls.h"

#include <stdexcept>
#include <string>

namespace {

constexpr int kList = 1046;

class Parent : public CWnd {
public:
    Parent() { CreateEx(0, "GrowthParent", "", WS_POPUP | WS_VISIBLE, 0, 0, 600, 400, nullptr, nullptr); }
};

void FillReportList(benchmark::State& state, const std::string& repository)
{
    VqsSysApp& app = vqgrowth::OpenSession(repository);
    const PxVQCurConfigPtr config = app.GetEnterprise()->GetSystem("SYS1")->GetCurConfig();
    const PxVQOptionSetPtr genSet = config->GetOptionSet("NTGEN");
    PxTypedList<PxVQElementSoftLinkPtr> elements;
    config->GetBSSoftLink("BIG")->GetListOfElementSoftLinks(elements);
    PxTypedList<PxVQReportSoftLinkPtr> reports;
    for (POSITION pos = elements.GetHeadPosition(); pos;)
        reports.AddTail(PxVQReportSoftLinkPtr(elements.GetNext(pos)));
    Parent parent;
    for (auto _ : state) {
        VqsTypedListCtrl_ToReportLink list;
        if (!list.Create(WS_VISIBLE | LVS_REPORT | LVS_OWNERDRAWFIXED, CRect(0, 0, 600, 300), &parent, kList) ||
            !list.InitColumns() || !list.SetOptionSet(genSet))
            throw std::runtime_error("the list cannot be set up");
        for (POSITION pos = reports.GetHeadPosition(); pos;)
            list.AddAsName(reports.GetNext(pos), "");
        list.SetObjects(reports);
        benchmark::DoNotOptimize(list.GetItemCount());
        list.DestroyWindow();
    }
    state.counters["reports"] = static_cast<double>(reports.GetCount());
}

void BM_ReportListFile(benchmark::State& state)
{
    const int reports = static_cast<int>(state.range(0));
    FillReportList(state, vqgrowth::ReportsRepository(reports, false));
}
BENCHMARK(BM_ReportListFile)->Arg(500)->Arg(5000)->Unit(benchmark::kMillisecond);

void BM_ReportListServer(benchmark::State& state)
{
    const int reports = static_cast<int>(state.range(0));
    FillReportList(state, vqgrowth::ReportsRepository(reports, true));
}
BENCHMARK(BM_ReportListServer)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

} // namespace
