// The Unix options of every Ispec: the shared layer of the Unix component and event
// records, and the record of an Ispec that is neither.
#pragma once

#include "proxy/PxIspecOptions.h"

class PxUnixIspecOptions : public virtual PxIspecOptions {
    PX_DECLARE_CLASS(PxUnixIspecOptions, PxIspecOptions)

#include "proxy/PxOptionsDeclare.h"
#include "proxy/fields/PxUnixIspecOptions.fields"

public:
    int GetOptionsType() const override;
    int GetOptionsKind() const override;

protected:
    PxUnixIspecOptions() = default;
};

using PxUnixIspecOptionsPtr = PxPtr<PxUnixIspecOptions>;
