// The NT options of a profile.
#pragma once

#include "proxy/PxProfileOptions.h"

class PxNTProfileOptions : public PxProfileOptions {
    PX_DECLARE_CLASS(PxNTProfileOptions, PxProfileOptions)

#include "proxy/PxOptionsDeclare.h"
#include "proxy/fields/PxNTProfileOptions.fields"

public:
    int GetOptionsType() const override;

protected:
    PxNTProfileOptions() = default;
};

using PxNTProfileOptionsPtr = PxPtr<PxNTProfileOptions>;
