// The "Env" page of a QSR business segment.
#pragma once

#include "options/VqsOptionPagesBSeg.h"

class VqsOptions_BSeg_QSR_Sheet;

class VqsOptionPageQSRBSegEnv : public VqsOptionPageBSegEnv {
public:
    VqsOptionPageQSRBSegEnv(VqsOptions_BSeg_QSR_Sheet* sheet, UINT dialogId, int pageIndex);
};
