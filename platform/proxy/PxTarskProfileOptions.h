// The Tarsk options of a profile.
#pragma once

#include "proxy/PxProfileOptions.h"

class PxTarskProfileOptions : public PxProfileOptions {
    PX_DECLARE_CLASS(PxTarskProfileOptions, PxProfileOptions)

#include "proxy/PxOptionsDeclare.h"
#include "proxy/fields/PxTarskProfileOptions.fields"

public:
    int GetOptionsType() const override;

protected:
    PxTarskProfileOptions() = default;
};

using PxTarskProfileOptionsPtr = PxPtr<PxTarskProfileOptions>;
