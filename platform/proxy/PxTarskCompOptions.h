// The Tarsk options of a component.
#pragma once

#include "proxy/PxCompOptions.h"
#include "proxy/PxTarskIspecOptions.h"

class PxTarskCompOptions : public PxCompOptions, public PxTarskIspecOptions {
    PX_DECLARE_CLASS2(PxTarskCompOptions, PxCompOptions, PxTarskIspecOptions)

#include "proxy/PxOptionsDeclare.h"
#include "proxy/fields/PxTarskCompOptions.fields"

public:
    int GetOptionsType() const override;
    int GetOptionsKind() const override;

protected:
    PxTarskCompOptions() = default;
};

using PxTarskCompOptionsPtr = PxPtr<PxTarskCompOptions>;
