// The design-side root of a repository.
#pragma once

#include "proxy/PxLSEObject.h"

class PxLSEEnterprise : public PxLSEObject {
    PX_DECLARE_CLASS(PxLSEEnterprise, PxLSEObject)

protected:
    PxLSEEnterprise() = default;
};

using PxLSEEnterprisePtr = PxPtr<PxLSEEnterprise>;
