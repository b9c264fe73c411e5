// The Tarsk options of an event.
#pragma once

#include "proxy/PxEventOptions.h"
#include "proxy/PxTarskIspecOptions.h"

class PxTarskEventOptions : public PxEventOptions, public PxTarskIspecOptions {
    PX_DECLARE_CLASS2(PxTarskEventOptions, PxEventOptions, PxTarskIspecOptions)

#include "proxy/PxOptionsDeclare.h"
#include "proxy/fields/PxTarskEventOptions.fields"

public:
    int GetOptionsType() const override;
    int GetOptionsKind() const override;

protected:
    PxTarskEventOptions() = default;
};

using PxTarskEventOptionsPtr = PxPtr<PxTarskEventOptions>;
