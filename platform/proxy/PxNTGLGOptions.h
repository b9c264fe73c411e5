// The NT options of a global logic.
#pragma once

#include "proxy/PxGLGOptions.h"

class PxNTGLGOptions : public PxGLGOptions {
    PX_DECLARE_CLASS(PxNTGLGOptions, PxGLGOptions)

#include "proxy/PxOptionsDeclare.h"
#include "proxy/fields/PxNTGLGOptions.fields"

public:
    int GetOptionsType() const override;

protected:
    PxNTGLGOptions() = default;
};

using PxNTGLGOptionsPtr = PxPtr<PxNTGLGOptions>;
