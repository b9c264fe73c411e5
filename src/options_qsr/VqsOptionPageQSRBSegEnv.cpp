#include "options_qsr/VqsOptionPageQSRBSegEnv.h"

#include "options_qsr/VqsOptionsBSegQSRSheet.h"

VqsOptionPageQSRBSegEnv::VqsOptionPageQSRBSegEnv(VqsOptions_BSeg_QSR_Sheet* sheet, UINT dialogId, int pageIndex)
    : VqsOptionPageBSegEnv(sheet, dialogId, pageIndex)
{
}
