// The Unix options of a global logic.
#pragma once

#include "proxy/PxGLGOptions.h"

class PxUnixGLGOptions : public PxGLGOptions {
    PX_DECLARE_CLASS(PxUnixGLGOptions, PxGLGOptions)

#include "proxy/PxOptionsDeclare.h"
#include "proxy/fields/PxUnixGLGOptions.fields"

public:
    int GetOptionsType() const override;

protected:
    PxUnixGLGOptions() = default;
};

using PxUnixGLGOptionsPtr = PxPtr<PxUnixGLGOptions>;
