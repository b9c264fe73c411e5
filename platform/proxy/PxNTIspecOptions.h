// The NT options of every Ispec: the shared layer of the NT component and event
// records, and the record of an Ispec that is neither.
#pragma once

#include "proxy/PxIspecOptions.h"

class PxNTIspecOptions : public virtual PxIspecOptions {
    PX_DECLARE_CLASS(PxNTIspecOptions, PxIspecOptions)

#include "proxy/PxOptionsDeclare.h"
#include "proxy/fields/PxNTIspecOptions.fields"

public:
    int GetOptionsType() const override;
    int GetOptionsKind() const override;

protected:
    PxNTIspecOptions() = default;
};

using PxNTIspecOptionsPtr = PxPtr<PxNTIspecOptions>;
