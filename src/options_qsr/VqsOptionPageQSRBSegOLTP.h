// The "OLTP" page of a QSR business segment.
#pragma once

#include "options/VqsOptionPagesBSeg.h"

class VqsOptions_BSeg_QSR_Sheet;

class VqsOptionPageQSRBSegOLTP : public VqsOptionPageBSegOLTP {
public:
    VqsOptionPageQSRBSegOLTP(VqsOptions_BSeg_QSR_Sheet* sheet, UINT dialogId, int pageIndex);
};
