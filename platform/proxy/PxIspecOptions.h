// The options of an Ispec on every host type; the shared (virtual) base of the component
// and event records.
#pragma once

#include "proxy/PxVQOptions.h"

class PxIspecOptions : public PxVQOptions {
    PX_DECLARE_CLASS(PxIspecOptions, PxVQOptions)

#include "proxy/PxOptionsDeclare.h"
#include "proxy/fields/PxIspecOptions.fields"

public:
    int GetOptionsKind() const override;

protected:
    PxIspecOptions() = default;
};

using PxIspecOptionsPtr = PxPtr<PxIspecOptions>;
