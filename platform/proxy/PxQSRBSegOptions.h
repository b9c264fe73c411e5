// The QSR options of a business segment.
#pragma once

#include "proxy/PxBSegOptions.h"

class PxQSRBSegOptions : public PxBSegOptions {
    PX_DECLARE_CLASS(PxQSRBSegOptions, PxBSegOptions)

#include "proxy/PxOptionsDeclare.h"
#include "proxy/fields/PxQSRBSegOptions.fields"

public:
    int GetOptionsType() const override;

protected:
    PxQSRBSegOptions() = default;
};

using PxQSRBSegOptionsPtr = PxPtr<PxQSRBSegOptions>;
