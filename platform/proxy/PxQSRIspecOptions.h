// The QSR options of every Ispec: the shared layer of the QSR component and event
// records, and the record of an Ispec that is neither.
#pragma once

#include "proxy/PxIspecOptions.h"

class PxQSRIspecOptions : public virtual PxIspecOptions {
    PX_DECLARE_CLASS(PxQSRIspecOptions, PxIspecOptions)

#include "proxy/PxOptionsDeclare.h"
#include "proxy/fields/PxQSRIspecOptions.fields"

public:
    int GetOptionsType() const override;
    int GetOptionsKind() const override;

protected:
    PxQSRIspecOptions() = default;
};

using PxQSRIspecOptionsPtr = PxPtr<PxQSRIspecOptions>;
