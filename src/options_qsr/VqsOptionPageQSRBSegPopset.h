// The "Internal TOLVE" page of a QSR business segment.
#pragma once

#include "options/VqsTableOptionPage.h"

class VqsOptions_BSeg_QSR_Sheet;

class VqsOptionPageQSRBSegPopset : public VqsTableOptionPage {
public:
    VqsOptionPageQSRBSegPopset(VqsOptions_BSeg_QSR_Sheet* sheet, UINT dialogId, int pageIndex);
};
