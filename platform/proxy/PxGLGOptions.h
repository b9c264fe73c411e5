// The options of a global logic; each host type has its own record class below it.
#pragma once

#include "proxy/PxVQOptions.h"

class PxGLGOptions : public PxVQOptions {
    PX_DECLARE_CLASS(PxGLGOptions, PxVQOptions)

#include "proxy/PxOptionsDeclare.h"
#include "proxy/fields/PxGLGOptions.fields"

public:
    int GetOptionsKind() const override;

protected:
    PxGLGOptions() = default;
};

using PxGLGOptionsPtr = PxPtr<PxGLGOptions>;
