// The Unix options of a profile.
#pragma once

#include "proxy/PxProfileOptions.h"

class PxUnixProfileOptions : public PxProfileOptions {
    PX_DECLARE_CLASS(PxUnixProfileOptions, PxProfileOptions)

#include "proxy/PxOptionsDeclare.h"
#include "proxy/fields/PxUnixProfileOptions.fields"

public:
    int GetOptionsType() const override;

protected:
    PxUnixProfileOptions() = default;
    const char* SubOptionsClass() const override;
};

using PxUnixProfileOptionsPtr = PxPtr<PxUnixProfileOptions>;
