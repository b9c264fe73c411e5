#include "options_qsr/VqsOptionPageQSRBSegPacks.h"

#include "options_qsr/VqsOptionsBSegQSRSheet.h"

namespace {

constexpr UINT IDS_PACK_ALLOCATION = 61565;

} // namespace

VqsOptionPageQSRBSegPacks::VqsOptionPageQSRBSegPacks(VqsOptions_BSeg_QSR_Sheet* sheet, UINT dialogId, int pageIndex)
    : VqsTableOptionPage(sheet, dialogId, IDS_PACK_ALLOCATION, pageIndex)
{
}
