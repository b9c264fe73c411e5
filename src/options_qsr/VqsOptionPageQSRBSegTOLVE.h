// The "TOLVE" page of a QSR business segment.
#pragma once

#include "options/VqsTableOptionPage.h"

class VqsOptions_BSeg_QSR_Sheet;

class VqsOptionPageQSRBSegTOLVE : public VqsTableOptionPage {
public:
    VqsOptionPageQSRBSegTOLVE(VqsOptions_BSeg_QSR_Sheet* sheet, UINT dialogId, int pageIndex);
};
