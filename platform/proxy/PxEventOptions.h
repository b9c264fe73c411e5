// The options of an event on every host type.
#pragma once

#include "proxy/PxIspecOptions.h"

class PxEventOptions : public virtual PxIspecOptions {
    PX_DECLARE_CLASS(PxEventOptions, PxIspecOptions)

#include "proxy/PxOptionsDeclare.h"
#include "proxy/fields/PxEventOptions.fields"

public:
    int GetOptionsKind() const override;

protected:
    PxEventOptions() = default;
};

using PxEventOptionsPtr = PxPtr<PxEventOptions>;
