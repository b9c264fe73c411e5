#include "options_qsr/VqsOptionPageQSRBSegTOLVE.h"

#include "options_qsr/VqsOptionsBSegQSRSheet.h"

namespace {

constexpr UINT IDS_TOLVE = 61588;

} // namespace

VqsOptionPageQSRBSegTOLVE::VqsOptionPageQSRBSegTOLVE(VqsOptions_BSeg_QSR_Sheet* sheet, UINT dialogId, int pageIndex)
    : VqsTableOptionPage(sheet, dialogId, IDS_TOLVE, pageIndex)
{
}
