#include "BulkOptionsDialog.h"

#include "model/VqsModelNodeLink.h"
#include "model/VqsModelNodeOption.h"
#include "options/VqsOptionPageBSegBulkOptions.h"
#include "options/VqsOptionsSheet.h"
#include "proxy/PxTypedList.h"
#include "proxy/PxVQBSSoftLink.h"
#include "win/UserActions.h"

#include <stdexcept>

namespace vqgrowth {

namespace {

constexpr UINT kBulkPage = 6;
constexpr int kExpected = 1027;

} // namespace

BulkOptionsDialog::BulkOptionsDialog(const PxVQCurConfigPtr& config)
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

void BulkOptionsDialog::Open() { m_dialog.emplace(&m_bag, m_nodes.first, m_nodes.second, kBulkPage, nullptr); }

VqsOptionPageBSegBulkOptions& BulkOptionsDialog::Page() const
{
    auto* page = dynamic_cast<VqsOptionPageBSegBulkOptions*>(m_dialog->GetSheet()->GetActivePage());
    if (!page)
        throw std::runtime_error("the Bulk Options page is not shown");
    return *page;
}

int EditEveryRow(VqsOptionPageBSegBulkOptions& page)
{
    page.GetList().SetItemState(-1, LVIS_SELECTED, LVIS_SELECTED);
    vqui::user::ReplaceText(page.GetCurrentPanel()->GetDlgItem(kExpected)->m_hWnd, "2500");
    return page.GetList().GetItemCount();
}

} // namespace vqgrowth
