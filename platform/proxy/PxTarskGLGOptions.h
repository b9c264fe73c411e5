// The Tarsk options of a global logic.
#pragma once

#include "proxy/PxGLGOptions.h"

class PxTarskGLGOptions : public PxGLGOptions {
    PX_DECLARE_CLASS(PxTarskGLGOptions, PxGLGOptions)

#include "proxy/PxOptionsDeclare.h"
#include "proxy/fields/PxTarskGLGOptions.fields"

public:
    int GetOptionsType() const override;

protected:
    PxTarskGLGOptions() = default;
};

using PxTarskGLGOptionsPtr = PxPtr<PxTarskGLGOptions>;
