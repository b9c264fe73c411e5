#include "options_qsr/VqsOptionPageQSRBSegDefTOLVE.h"

#include "options_qsr/VqsOptionsBSegQSRSheet.h"

namespace {

constexpr UINT IDS_DEFAULT_TOLVE = 61586;

} // namespace

VqsOptionPageQSRBSegDefTOLVE::VqsOptionPageQSRBSegDefTOLVE(VqsOptions_BSeg_QSR_Sheet* sheet, UINT dialogId, int pageIndex)
    : VqsTableOptionPage(sheet, dialogId, IDS_DEFAULT_TOLVE, pageIndex)
{
}
