// The options dialog of a configuration's first segment link in NTGEN, opened on the Bulk
// Options page as the system view opens it, and what a user does there.
#pragma once

#include "model/VqsLockBag.h"
#include "model/VqsModel.h"
#include "options/VqsSoftLinkOptionsDlg.h"
#include "proxy/PxVQConfig.h"

#include <optional>
#include <utility>

class VqsModelNodeLink;
class VqsModelNodeOption;
class VqsOptionPageBSegBulkOptions;

namespace vqgrowth {

constexpr UINT kOptionsDialog = 144;
constexpr UINT kApplyQuestion = 62135;
constexpr int kApplyNow = 1001;

// Its nodes are found and locked at the making, the dialog made by Open.
class BulkOptionsDialog {
public:
    explicit BulkOptionsDialog(const PxVQCurConfigPtr& config);

    void Open();
    VqsOptionPageBSegBulkOptions& Page() const;
    INT_PTR DoModal() { return m_dialog->DoModal(); }

private:
    VqsModel m_model;
    VqsLockBag m_bag{VqsReadLock};
    std::pair<VqsModelNodeLink*, VqsModelNodeOption*> m_nodes{};
    std::optional<VqsSoftLinkOptionsDlg> m_dialog;
};

// Every row selected and the expected number typed for all of them; answers the rows.
int EditEveryRow(VqsOptionPageBSegBulkOptions& page);

} // namespace vqgrowth
