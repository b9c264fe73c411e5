// The "Pack Allocation" page of a QSR business segment.
#pragma once

#include "options/VqsTableOptionPage.h"

class VqsOptions_BSeg_QSR_Sheet;

class VqsOptionPageQSRBSegPacks : public VqsTableOptionPage {
public:
    VqsOptionPageQSRBSegPacks(VqsOptions_BSeg_QSR_Sheet* sheet, UINT dialogId, int pageIndex);
};
