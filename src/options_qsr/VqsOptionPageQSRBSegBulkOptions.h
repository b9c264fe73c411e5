// The "Bulk Options" page of a QSR business segment.
#pragma once

#include "options/VqsOptionsGenericSheets.h"

class VqsOptions_BSeg_QSR_Sheet;

class VqsOptionPageQSRBSegBulkOptions : public VqsGenericBulkOptionsPage {
public:
    VqsOptionPageQSRBSegBulkOptions(VqsOptions_BSeg_QSR_Sheet* sheet, int pageIndex);
};
