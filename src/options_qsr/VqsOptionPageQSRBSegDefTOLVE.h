// The "Default TOLVE" page of a QSR business segment.
#pragma once

#include "options/VqsTableOptionPage.h"

class VqsOptions_BSeg_QSR_Sheet;

class VqsOptionPageQSRBSegDefTOLVE : public VqsTableOptionPage {
public:
    VqsOptionPageQSRBSegDefTOLVE(VqsOptions_BSeg_QSR_Sheet* sheet, UINT dialogId, int pageIndex);
};
