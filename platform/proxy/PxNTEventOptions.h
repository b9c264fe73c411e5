// The NT options of an event.
#pragma once

#include "proxy/PxEventOptions.h"
#include "proxy/PxNTIspecOptions.h"

class PxNTEventOptions : public PxEventOptions, public PxNTIspecOptions {
    PX_DECLARE_CLASS2(PxNTEventOptions, PxEventOptions, PxNTIspecOptions)

#include "proxy/PxOptionsDeclare.h"
#include "proxy/fields/PxNTEventOptions.fields"

public:
    int GetOptionsType() const override;
    int GetOptionsKind() const override;

protected:
    PxNTEventOptions() = default;
};

using PxNTEventOptionsPtr = PxPtr<PxNTEventOptions>;
