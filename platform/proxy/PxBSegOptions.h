// The options of a business segment on every host type.
#pragma once

#include "proxy/PxVQOptions.h"

class PxBSegOptions : public PxVQOptions {
    PX_DECLARE_CLASS(PxBSegOptions, PxVQOptions)

#include "proxy/PxOptionsDeclare.h"
#include "proxy/fields/PxBSegOptions.fields"

public:
    int GetOptionsKind() const override;

protected:
    PxBSegOptions() = default;
};

using PxBSegOptionsPtr = PxPtr<PxBSegOptions>;
