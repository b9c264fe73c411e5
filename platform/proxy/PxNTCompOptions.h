// The NT options of a component.
#pragma once

#include "proxy/PxCompOptions.h"
#include "proxy/PxNTIspecOptions.h"

class PxNTCompOptions : public PxCompOptions, public PxNTIspecOptions {
    PX_DECLARE_CLASS2(PxNTCompOptions, PxCompOptions, PxNTIspecOptions)

#include "proxy/PxOptionsDeclare.h"
#include "proxy/fields/PxNTCompOptions.fields"

public:
    int GetOptionsType() const override;
    int GetOptionsKind() const override;

protected:
    PxNTCompOptions() = default;
};

using PxNTCompOptionsPtr = PxPtr<PxNTCompOptions>;
