#include "options_qsr/VqsOptionPageQSRBSegBulkOptions.h"

#include "options_qsr/VqsOptionsBSegQSRSheet.h"

VqsOptionPageQSRBSegBulkOptions::VqsOptionPageQSRBSegBulkOptions(VqsOptions_BSeg_QSR_Sheet* sheet, int pageIndex)
    : VqsGenericBulkOptionsPage(sheet, pageIndex)
{
}
