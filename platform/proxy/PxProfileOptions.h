// The options of a profile on every host type.
#pragma once

#include "proxy/PxVQOptions.h"

class PxProfileOptions : public PxVQOptions {
    PX_DECLARE_CLASS(PxProfileOptions, PxVQOptions)

#include "proxy/PxOptionsDeclare.h"
#include "proxy/fields/PxProfileOptions.fields"

public:
    int GetOptionsKind() const override;

protected:
    PxProfileOptions() = default;
};

using PxProfileOptionsPtr = PxPtr<PxProfileOptions>;
