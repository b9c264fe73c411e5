// The QSR options of a profile.
#pragma once

#include "proxy/PxProfileOptions.h"

class PxQSRProfileOptions : public PxProfileOptions {
    PX_DECLARE_CLASS(PxQSRProfileOptions, PxProfileOptions)

#include "proxy/PxOptionsDeclare.h"
#include "proxy/fields/PxQSRProfileOptions.fields"

public:
    int GetOptionsType() const override;

protected:
    PxQSRProfileOptions() = default;
};

using PxQSRProfileOptionsPtr = PxPtr<PxQSRProfileOptions>;
