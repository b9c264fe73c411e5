// Bulk Options Apply on the Bulk Options page of the segment of SYS1 of the sample scaled to
// 500 and 5,000 elements a segment, in NTGEN, on a fresh repository of the test server for
// each run: as vqsrepo leaves it, and after an ANALYZE of the whole repository. The time is
// the step as a user takes it: the dialog opened on the page, every Ispec row selected and an
// expected number typed for all of them, and Apply Now with its question answered Yes.
// Beside the time, the counters of ServerStep.h and the rows edited.
#include "ServerStep.h"

#include "support/ScriptedUiDriver.h"

#include "model/VqsLockBag.h"
#include "model/VqsModel.h"
#include "model/VqsModelNodeLink.h"
#include "model/VqsModelNodeOption.h"
#include "options/VqsOptionPageBSegBulkOptions.h"
#include "options/VqsOptionsSheet.h"
#include "options/VqsSoftLinkOptionsDlg.h"
#include "proxy/PxTypedList.h"
#include "proxy/PxVQBSSoftLink.h"
#include "win/UserActions.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <utility>

namespace {

constexpr UINT kOptionsDialog = 144;
constexpr UINT kBulkPage = 6;
constexpr UINT kApplyQuestion = 62135;
constexpr int kApplyNow = 1001;
constexpr int kExpected = 1027;

// The options dialog of the segment's link in NTGEN, opened on the Bulk Options page, as the
// system view opens it: its nodes found and locked at the making, the dialog made by Open.
class BulkOptionsDialog {
public:
    explicit BulkOptionsDialog(const PxVQCurConfigPtr& config)
    {
        PxTypedList<PxVQBSSoftLinkPtr> segments;
        config->GetListOfBSSoftLinks(segments);
        const PxVQSoftLinkPtr segment(segments.GetHead());
        VqsModelNodeLink* linkNode = m_model.FindOptionNodeOfOSet(segment);
        VqsModelNodeOption* optionNode = m_model.FindOptionNode(segment->GetOptions(config->GetOptionSet("NTGEN")));
        if (!linkNode || !optionNode || !m_bag.LockNode(linkNode) || !m_bag.LockNode(optionNode))
            throw std::runtime_error("the segment's options cannot be opened");
        m_nodes = {linkNode, optionNode};
    }

    void Open() { m_dialog.emplace(&m_bag, m_nodes.first, m_nodes.second, kBulkPage, nullptr); }

    VqsOptionPageBSegBulkOptions& Page() const
    {
        auto* page = dynamic_cast<VqsOptionPageBSegBulkOptions*>(m_dialog->GetSheet()->GetActivePage());
        if (!page)
            throw std::runtime_error("the Bulk Options page is not shown");
        return *page;
    }

    INT_PTR DoModal() { return m_dialog->DoModal(); }

private:
    VqsModel m_model;
    VqsLockBag m_bag{VqsReadLock};
    std::pair<VqsModelNodeLink*, VqsModelNodeOption*> m_nodes{};
    std::optional<VqsSoftLinkOptionsDlg> m_dialog;
};

// Every row selected and the expected number typed for all of them; answers the rows.
int EditEveryRow(VqsOptionPageBSegBulkOptions& page)
{
    page.GetList().SetItemState(-1, LVIS_SELECTED, LVIS_SELECTED);
    vqui::user::ReplaceText(page.GetCurrentPanel()->GetDlgItem(kExpected)->m_hWnd, "2500");
    return page.GetList().GetItemCount();
}

void ApplyBulkEdits(benchmark::State& state, bool analyzed)
{
    const std::string repository = vqgrowth::ScaledSampleOnServer(static_cast<int>(state.range(0)), analyzed);
    int rows = 0;
    for (auto _ : state) {
        state.PauseTiming();
        vqgrowth::OpenSession(repository);
        BulkOptionsDialog dialog(vqgrowth::SampleConfig());
        vqgrowth::ServerCount count(repository);
        state.ResumeTiming();
        dialog.Open();
        vqtest::ScriptedUiDriver ui;
        ui.ExpectDialog(kOptionsDialog)
            .Run([&] {
                VqsOptionPageBSegBulkOptions& page = dialog.Page();
                rows = EditEveryRow(page);
                vqui::user::Click(page.GetDlgItem(kApplyNow)->m_hWnd);
                state.PauseTiming();
                count.Stop();
                if (page.AnyPanelHasEdits())
                    state.SkipWithError("the apply kept its edits");
            })
            .Cancel();
        ui.ExpectMessageBoxId(kApplyQuestion, IDYES);
        dialog.DoModal();
        ui.Verify();
        count.Report(state, vqgrowth::ElementLinks(vqgrowth::SampleConfig()));
        state.ResumeTiming();
    }
    state.counters["rows"] = rows;
    vqgrowth::CloseSession();
}

void BM_BulkApplyServer(benchmark::State& state) { ApplyBulkEdits(state, false); }
BENCHMARK(BM_BulkApplyServer)->Arg(500)->Arg(5000)->Unit(benchmark::kMillisecond)->Iterations(1);
void BM_BulkApplyServerAnalyzed(benchmark::State& state) { ApplyBulkEdits(state, true); }
BENCHMARK(BM_BulkApplyServerAnalyzed)->Arg(500)->Arg(5000)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
