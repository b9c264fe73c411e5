// The "Pack Mapping" page of a QSR business segment.
#pragma once

#include "options/VqsTableOptionPage.h"

class VqsOptions_BSeg_QSR_Sheet;

class VqsOptionPageQSRBSegPackMap : public VqsTableOptionPage {
public:
    VqsOptionPageQSRBSegPackMap(VqsOptions_BSeg_QSR_Sheet* sheet, UINT dialogId, int pageIndex);
};
