// The "Wrenfield Test" page of a QSR business segment.
#pragma once

#include "options/VqsTableOptionPage.h"

class VqsOptions_BSeg_QSR_Sheet;

class VqsOptionPageQSRBSegWrenfieldTest : public VqsTableOptionPage {
public:
    VqsOptionPageQSRBSegWrenfieldTest(VqsOptions_BSeg_QSR_Sheet* sheet, UINT dialogId, int pageIndex);
};
