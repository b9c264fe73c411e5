// The bulk grid over the 5,000 generated components of one business segment: attaching
// the rows and painting the grid, selecting every row and loading the editors from them, typing a service
// name for all of them, and applying it in one transaction. Beside the time: the rows the grid
// painted (only the visible ones) and the records the apply wrote.
//
// The repository is made once (in the temporary folder, kept between runs); the apply runs on
// a copy made before each pass.
#include "model/VqsTransaction.h"
#include "options/VqsBulkOptionPanel.h"
#include "options/VqsColumnAdaptersWithDefault.h"
#include "options/VqsElementListCtrl.h"
#include "proxy/PxTypedList.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQElementSoftLink.h"
#include "proxy/PxVQEnterprise.h"
#include "proxy/PxVQIspecSoftLink.h"
#include "proxy/PxVQLink.h"
#include "proxy/PxVQOptionSet.h"
#include "proxy/PxVQSystem.h"
#include "support/BenchSession.h"
#include "shell/VqsModuleStartup.h"
#include "shell/VqsOptCtrlFlag.h"
#include "shell/VqsOptCtrlString.h"
#include "shell/VqsSysApp.h"
#include "win/CButton.h"
#include "win/CDialog.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

namespace {

namespace fs = std::filesystem;

// Two of every five generated elements are components ("C" and a number): 4,995 of them. The
// sample's own Ispecs are left out, so that the service applies to every row.
constexpr int kGeneratedElements = 12488;
constexpr UINT kPanelTemplate = 835;
// A top-level dialog to hold the panel (the page's place in the options dialog).
constexpr UINT kFrameTemplate = 329;
constexpr int kUseDefault = 1110;
constexpr int kServiceEdit = 1405;
constexpr int kOltpClient = 1049;
constexpr int kList = 1958;
constexpr int kServiceColumn = 2;

fs::path Folder()
{
    static const fs::path folder = vqbench::KeptFolder("vq_bulk_grid_bench");
    return folder;
}

std::string Repository()
{
    return vqbench::KeptSampleRepository(Folder() / ("segment-" + std::to_string(kGeneratedElements) + ".vqr"),
                                         {1, 1, kGeneratedElements});
}

// The element name, counting the rows it is asked for.
class CountingNameAdapter : public VqsElementListCtrlElNamePxAdapter {
public:
    CountingNameAdapter() : VqsElementListCtrlElNamePxAdapter("Name", 100) {}
    CString GetString(PxOptionsPtr* row) override
    {
        ++asked;
        return VqsElementListCtrlElNamePxAdapter::GetString(row);
    }
    long asked = 0;
};

// A service column that counts the records it writes.
class CountingServiceAdapter : public VqsElementListCtrlIspecServicePxAdapter {
public:
    using VqsElementListCtrlIspecServicePxAdapter::VqsElementListCtrlIspecServicePxAdapter;
    void SetValue(PxOptionsPtr* row, const char* value) override
    {
        ++written;
        VqsElementListCtrlIspecServicePxAdapter::SetValue(row, value);
    }
    long written = 0;
};

class BenchPanel : public VqsBulkOptionPanel {
public:
    BenchPanel(VqsElementListCtrl* list, const PxBSegOptionsPtr& segment)
        : VqsBulkOptionPanel(kPanelTemplate, list, segment, nullptr), m_useDefault(&m_connector, kUseDefault),
          m_service(&m_connector, kServiceEdit, -1, 0), m_client(&m_connector, kOltpClient)
    {
        AddColumn(name = new CountingNameAdapter());
        AddColumn(new VqsElementListCtrlIspecUsagePxAdapter("Usage", 70));
        AddColumn(service = new CountingServiceAdapter(&m_useDefault, &m_service, segment));
        AddColumn(new VqsReportOltpClientPxAdapter(&m_client, segment));
    }

    CountingNameAdapter* name;
    CountingServiceAdapter* service;

private:
    VqsOptCtrlFlag m_useDefault;
    VqsOptCtrlString m_service;
    VqsOptCtrlFlag m_client;
};

// The started module with a session on the repository, the rows of the segment's generated
// components in the NT generate set, and the grid over them.
class Grid {
public:
    explicit Grid(const std::string& repository)
    {
        setenv("VQ_RESOURCES", VQ_RESOURCE_ROOT, 0);
        setenv("VQ_COM_REGISTRY", (Folder() / "com-registry.ini").c_str(), 1);
        VqsStartModule();
        VqsSysApp& app = *VqsGetApp();
        if (!app.SetResourceModule("vqsysres") || !app.OpenSession(repository.c_str(), "BENCH/USER", nullptr))
            throw std::runtime_error("the benchmark cannot open its session");
        const PxVQCurConfigPtr config = app.GetEnterprise()->GetSystem("SYS1")->GetCurConfig();
        const PxVQOptionSetPtr optionSet = config->GetOptionSet("NTGEN");
        PxTypedList<PxVQBSSoftLinkPtr> segments;
        config->GetListOfBSSoftLinks(segments);
        m_segment = PxBSegOptionsPtr(segments.GetHead()->GetOptions(optionSet));
        app.GetLink()->BeginTransaction();
        m_segment->SetEnableOLTP(1);
        app.GetLink()->CommitTransaction();
        PxTypedList<PxVQElementSoftLinkPtr> elements;
        segments.GetHead()->GetListOfElementSoftLinks(elements);
        for (POSITION pos = elements.GetHeadPosition(); pos;) {
            const PxVQElementSoftLinkPtr link = elements.GetNext(pos);
            const PxOptionsPtr record = link->GetOptions(optionSet);
            if (record && PxVQIspecSoftLinkPtr(link) && link->GetName().Left(1) == "C" && link->GetName() != "CUSTOMER")
                m_rows.Add(record);
        }
        m_panel = std::make_unique<BenchPanel>(&m_list, m_segment);
        m_panel->AttachPageData(&m_rows);
        m_frame.Create(kFrameTemplate, nullptr);
        m_frame.ShowWindow(SW_SHOW);
        m_panel->Create(kPanelTemplate, &m_frame);
        m_panel->MoveWindow(0, 0, 800, 600);
        m_list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS, CRect(0, 40, 780, 560),
                      m_panel.get(), kList);
        m_panel->ShowWindow(SW_SHOW);
    }

    ~Grid()
    {
        m_list.DestroyWindow();
        m_panel->DestroyWindow();
        m_panel.reset();
        m_frame.DestroyWindow();
        m_rows.RemoveAll();
        m_segment = PxBSegOptionsPtr();
        VqsGetApp()->CloseSession();
        VqsEndModule();
    }

    void AttachAndPaint()
    {
        m_panel->PrimeDefaults();
        m_panel->FillAllChoices();
        m_list.AttachPanel(m_panel.get());
        m_list.Invalidate();
        m_list.UpdateWindow();
    }

    void SelectAll()
    {
        m_list.SetItemState(-1, LVIS_SELECTED, LVIS_SELECTED);
        m_list.SelectRange(0, m_list.GetItemCount() - 1);
        m_panel->LoadEditors(&m_list);
    }

    // The user clears "use default" and types a service name.
    void EditService(const char* name)
    {
        m_panel->SendDlgItemMessage(kUseDefault, BM_SETCHECK, BST_UNCHECKED);
        m_panel->SetDlgItemText(kServiceEdit, name);
        m_panel->RecordEdit(m_list.GetSelection());
    }

    BOOL Apply() { return m_panel->ApplyEdits(&m_rows); }

    BenchPanel& Panel() { return *m_panel; }
    int RowCount() const { return static_cast<int>(m_rows.GetSize()); }
    int VisibleRows() { return m_list.GetCountPerPage(); }

private:
    PxBSegOptionsPtr m_segment;
    VqsOptionRows m_rows;
    CDialog m_frame;
    VqsElementListCtrl m_list;
    std::unique_ptr<BenchPanel> m_panel;
};

// A fresh copy of the repository for a pass that writes.
std::string CopyOfRepository()
{
    const fs::path copy = Folder() / "apply.vqr";
    fs::remove(copy);
    fs::remove(copy.string() + "-locks");
    fs::copy_file(Repository(), copy);
    return copy.string();
}

void BM_AttachAndPaint(benchmark::State& state)
{
    Grid grid(Repository());
    long asked = 0;
    for (auto _ : state) {
        grid.Panel().name->asked = 0;
        grid.AttachAndPaint();
        asked = grid.Panel().name->asked;
    }
    state.counters["rows"] = grid.RowCount();
    state.counters["rows painted"] = static_cast<double>(asked);
    state.counters["rows visible"] = grid.VisibleRows();
}
BENCHMARK(BM_AttachAndPaint)->Unit(benchmark::kMillisecond);

void BM_SelectAllAndEdit(benchmark::State& state)
{
    Grid grid(Repository());
    grid.AttachAndPaint();
    for (auto _ : state) {
        grid.SelectAll();
        grid.EditService("SVC1");
        grid.Panel().ClearEdits();
    }
    state.counters["rows"] = grid.RowCount();
}
BENCHMARK(BM_SelectAllAndEdit)->Unit(benchmark::kMillisecond);

void BM_Apply(benchmark::State& state)
{
    long written = 0;
    int rows = 0;
    for (auto _ : state) {
        state.PauseTiming();
        {
            Grid grid(CopyOfRepository());
            grid.AttachAndPaint();
            grid.SelectAll();
            grid.EditService("SVC1");
            rows = grid.RowCount();
            state.ResumeTiming();
            if (!grid.Apply())
                state.SkipWithError("the apply failed");
            state.PauseTiming();
            written = grid.Panel().service->written;
        }
        state.ResumeTiming();
    }
    state.counters["rows"] = rows;
    state.counters["records written"] = static_cast<double>(written);
}
BENCHMARK(BM_Apply)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace

BENCHMARK_MAIN();
