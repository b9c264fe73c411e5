// The base of the design-side classes, which the module only reads.
#pragma once

#include "proxy/PxObject.h"

class PxLSEObject : public PxObject {
    PX_DECLARE_CLASS(PxLSEObject, PxObject)

protected:
    PxLSEObject() = default;

private:
    // The design tool's changes of the design go through the builder.
    friend class PxLSEBuilder;
};

using PxLSEObjectPtr = PxPtr<PxLSEObject>;
