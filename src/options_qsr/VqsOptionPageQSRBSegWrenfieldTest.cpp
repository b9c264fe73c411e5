#include "options_qsr/VqsOptionPageQSRBSegWrenfieldTest.h"

#include "options_qsr/VqsOptionsBSegQSRSheet.h"

namespace {

constexpr UINT IDS_WRENFIELD_TEST = 62008;

} // namespace

VqsOptionPageQSRBSegWrenfieldTest::VqsOptionPageQSRBSegWrenfieldTest(VqsOptions_BSeg_QSR_Sheet* sheet, UINT dialogId, int pageIndex)
    : VqsTableOptionPage(sheet, dialogId, IDS_WRENFIELD_TEST, pageIndex)
{
}
