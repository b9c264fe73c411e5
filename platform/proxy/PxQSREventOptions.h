// The QSR options of an event.
#pragma once

#include "proxy/PxEventOptions.h"
#include "proxy/PxQSRIspecOptions.h"

class PxQSREventOptions : public PxEventOptions, public PxQSRIspecOptions {
    PX_DECLARE_CLASS2(PxQSREventOptions, PxEventOptions, PxQSRIspecOptions)

#include "proxy/PxOptionsDeclare.h"
#include "proxy/fields/PxQSREventOptions.fields"

public:
    int GetOptionsType() const override;
    int GetOptionsKind() const override;

protected:
    PxQSREventOptions() = default;
};

using PxQSREventOptionsPtr = PxPtr<PxQSREventOptions>;
