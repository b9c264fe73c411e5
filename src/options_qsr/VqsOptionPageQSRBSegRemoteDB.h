// The "Remote DB" page of a QSR business segment.
#pragma once

#include "options/VqsTableOptionPage.h"

class VqsOptions_BSeg_QSR_Sheet;

class VqsOptionPageQSRBSegRemoteDB : public VqsTableOptionPage {
public:
    VqsOptionPageQSRBSegRemoteDB(VqsOptions_BSeg_QSR_Sheet* sheet, UINT dialogId, int pageIndex);
};
