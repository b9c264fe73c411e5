// The Unix options of an event.
#pragma once

#include "proxy/PxEventOptions.h"
#include "proxy/PxUnixIspecOptions.h"

class PxUnixEventOptions : public PxEventOptions, public PxUnixIspecOptions {
    PX_DECLARE_CLASS2(PxUnixEventOptions, PxEventOptions, PxUnixIspecOptions)

#include "proxy/PxOptionsDeclare.h"
#include "proxy/fields/PxUnixEventOptions.fields"

public:
    int GetOptionsType() const override;
    int GetOptionsKind() const override;

protected:
    PxUnixEventOptions() = default;
};

using PxUnixEventOptionsPtr = PxPtr<PxUnixEventOptions>;
