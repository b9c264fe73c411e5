#include "options_qsr/VqsOptionPageQSRBSegOLTP.h"

#include "options_qsr/VqsOptionsBSegQSRSheet.h"

VqsOptionPageQSRBSegOLTP::VqsOptionPageQSRBSegOLTP(VqsOptions_BSeg_QSR_Sheet* sheet, UINT dialogId, int pageIndex)
    : VqsOptionPageBSegOLTP(sheet, dialogId, pageIndex)
{
}
