#include "options_qsr/VqsOptionPageQSRBSegQEPGen.h"

#include "options_qsr/VqsOptionsBSegQSRSheet.h"

namespace {

constexpr UINT IDS_CONFIGURE_QEP_GEN = 61591;

} // namespace

VqsOptionPageQSRBSegQEPGen::VqsOptionPageQSRBSegQEPGen(VqsOptions_BSeg_QSR_Sheet* sheet, UINT dialogId, int pageIndex)
    : VqsTableOptionPage(sheet, dialogId, IDS_CONFIGURE_QEP_GEN, pageIndex)
{
}
