// The "Copy Audit to Tape Details" page of a QSR business segment.
#pragma once

#include "options/VqsTableOptionPage.h"

class VqsOptions_BSeg_QSR_Sheet;

class VqsOptionPageQSRBSegAuditDetail : public VqsTableOptionPage {
public:
    VqsOptionPageQSRBSegAuditDetail(VqsOptions_BSeg_QSR_Sheet* sheet, UINT dialogId, int pageIndex);
};
