// The generation-side root of a repository.
#pragma once

#include "proxy/PxVQObject.h"

class PxVQEnterprise : public PxVQObject {
    PX_DECLARE_CLASS(PxVQEnterprise, PxVQObject)

protected:
    PxVQEnterprise() = default;
};

using PxVQEnterprisePtr = PxPtr<PxVQEnterprise>;
