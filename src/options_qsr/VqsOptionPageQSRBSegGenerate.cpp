#include "options_qsr/VqsOptionPageQSRBSegGenerate.h"

#include "options_qsr/VqsOptionsBSegQSRSheet.h"

VqsOptionPageQSRBSegGenerate::VqsOptionPageQSRBSegGenerate(VqsOptions_BSeg_QSR_Sheet* sheet, UINT dialogId, int pageIndex)
    : VqsOptionPageBSegGenerate(sheet, dialogId, pageIndex)
{
}
