#include "options_qsr/VqsOptionPageQSRBSegPopset.h"

#include "options_qsr/VqsOptionsBSegQSRSheet.h"

namespace {

constexpr UINT IDS_INTERNAL_TOLVE = 61877;

} // namespace

VqsOptionPageQSRBSegPopset::VqsOptionPageQSRBSegPopset(VqsOptions_BSeg_QSR_Sheet* sheet, UINT dialogId, int pageIndex)
    : VqsTableOptionPage(sheet, dialogId, IDS_INTERNAL_TOLVE, pageIndex)
{
}
