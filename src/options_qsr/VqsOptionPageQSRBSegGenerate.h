// The "Generate" page of a QSR business segment.
#pragma once

#include "options/VqsOptionPagesBSeg.h"

class VqsOptions_BSeg_QSR_Sheet;

class VqsOptionPageQSRBSegGenerate : public VqsOptionPageBSegGenerate {
public:
    VqsOptionPageQSRBSegGenerate(VqsOptions_BSeg_QSR_Sheet* sheet, UINT dialogId, int pageIndex);
};
