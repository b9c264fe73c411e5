#include "options_qsr/VqsOptionPageQSRBSegEventTOLVE.h"

#include "options_qsr/VqsOptionsBSegQSRSheet.h"

namespace {

constexpr UINT IDS_EVENT_TOLVE = 61594;

} // namespace

VqsOptionPageQSRBSegEventTOLVE::VqsOptionPageQSRBSegEventTOLVE(VqsOptions_BSeg_QSR_Sheet* sheet, UINT dialogId, int pageIndex)
    : VqsTableOptionPage(sheet, dialogId, IDS_EVENT_TOLVE, pageIndex)
{
}
