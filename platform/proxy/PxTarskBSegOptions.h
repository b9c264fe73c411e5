// The Tarsk options of a business segment.
#pragma once

#include "proxy/PxBSegOptions.h"

class PxTarskBSegOptions : public PxBSegOptions {
    PX_DECLARE_CLASS(PxTarskBSegOptions, PxBSegOptions)

#include "proxy/PxOptionsDeclare.h"
#include "proxy/fields/PxTarskBSegOptions.fields"

public:
    int GetOptionsType() const override;

protected:
    PxTarskBSegOptions() = default;
};

using PxTarskBSegOptionsPtr = PxPtr<PxTarskBSegOptions>;
