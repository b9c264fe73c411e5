// The Unix options of a component.
#pragma once

#include "proxy/PxCompOptions.h"
#include "proxy/PxUnixIspecOptions.h"

class PxUnixCompOptions : public PxCompOptions, public PxUnixIspecOptions {
    PX_DECLARE_CLASS2(PxUnixCompOptions, PxCompOptions, PxUnixIspecOptions)

#include "proxy/PxOptionsDeclare.h"
#include "proxy/fields/PxUnixCompOptions.fields"

public:
    int GetOptionsType() const override;
    int GetOptionsKind() const override;

protected:
    PxUnixCompOptions() = default;
    const char* SubOptionsClass() const override;
};

using PxUnixCompOptionsPtr = PxPtr<PxUnixCompOptions>;
