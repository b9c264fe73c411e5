// The "Event TOLVE" page of a QSR business segment, alone in the event page set.
#pragma once

#include "options/VqsTableOptionPage.h"

class VqsOptions_BSeg_QSR_Sheet;

class VqsOptionPageQSRBSegEventTOLVE : public VqsTableOptionPage {
public:
    VqsOptionPageQSRBSegEventTOLVE(VqsOptions_BSeg_QSR_Sheet* sheet, UINT dialogId, int pageIndex);
};
