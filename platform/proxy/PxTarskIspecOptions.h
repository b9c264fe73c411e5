// The Tarsk options of every Ispec: the shared layer of the Tarsk component and event
// records, and the record of an Ispec that is neither.
#pragma once

#include "proxy/PxIspecOptions.h"

class PxTarskIspecOptions : public virtual PxIspecOptions {
    PX_DECLARE_CLASS(PxTarskIspecOptions, PxIspecOptions)

#include "proxy/PxOptionsDeclare.h"
#include "proxy/fields/PxTarskIspecOptions.fields"

public:
    int GetOptionsType() const override;
    int GetOptionsKind() const override;

protected:
    PxTarskIspecOptions() = default;
};

using PxTarskIspecOptionsPtr = PxPtr<PxTarskIspecOptions>;
