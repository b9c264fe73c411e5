// The options of a component on every host type.
#pragma once

#include "proxy/PxIspecOptions.h"

class PxCompOptions : public virtual PxIspecOptions {
    PX_DECLARE_CLASS(PxCompOptions, PxIspecOptions)

#include "proxy/PxOptionsDeclare.h"
#include "proxy/fields/PxCompOptions.fields"

public:
    int GetOptionsKind() const override;

protected:
    PxCompOptions() = default;
};

using PxCompOptionsPtr = PxPtr<PxCompOptions>;
