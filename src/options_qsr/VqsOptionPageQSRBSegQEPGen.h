// The "Configure/QEP Gen" page of a QSR business segment.
#pragma once

#include "options/VqsTableOptionPage.h"

class VqsOptions_BSeg_QSR_Sheet;

class VqsOptionPageQSRBSegQEPGen : public VqsTableOptionPage {
public:
    VqsOptionPageQSRBSegQEPGen(VqsOptions_BSeg_QSR_Sheet* sheet, UINT dialogId, int pageIndex);
};
