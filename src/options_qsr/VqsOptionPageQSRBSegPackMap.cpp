#include "options_qsr/VqsOptionPageQSRBSegPackMap.h"

#include "options_qsr/VqsOptionsBSegQSRSheet.h"

namespace {

constexpr UINT IDS_PACK_MAPPING = 61571;

} // namespace

VqsOptionPageQSRBSegPackMap::VqsOptionPageQSRBSegPackMap(VqsOptions_BSeg_QSR_Sheet* sheet, UINT dialogId, int pageIndex)
    : VqsTableOptionPage(sheet, dialogId, IDS_PACK_MAPPING, pageIndex)
{
}
