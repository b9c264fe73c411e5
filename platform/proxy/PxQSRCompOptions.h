// The QSR options of a component.
#pragma once

#include "proxy/PxCompOptions.h"
#include "proxy/PxQSRIspecOptions.h"

class PxQSRCompOptions : public PxCompOptions, public PxQSRIspecOptions {
    PX_DECLARE_CLASS2(PxQSRCompOptions, PxCompOptions, PxQSRIspecOptions)

#include "proxy/PxOptionsDeclare.h"
#include "proxy/fields/PxQSRCompOptions.fields"

public:
    int GetOptionsType() const override;
    int GetOptionsKind() const override;

protected:
    PxQSRCompOptions() = default;
};

using PxQSRCompOptionsPtr = PxPtr<PxQSRCompOptions>;
