// The QSR options of a global logic.
#pragma once

#include "proxy/PxGLGOptions.h"

class PxQSRGLGOptions : public PxGLGOptions {
    PX_DECLARE_CLASS(PxQSRGLGOptions, PxGLGOptions)

#include "proxy/PxOptionsDeclare.h"
#include "proxy/fields/PxQSRGLGOptions.fields"

public:
    int GetOptionsType() const override;

protected:
    PxQSRGLGOptions() = default;
};

using PxQSRGLGOptionsPtr = PxPtr<PxQSRGLGOptions>;
