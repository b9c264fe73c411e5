// The soft link of a design global logic, with its unique number in the business segment.
#pragma once

#include "proxy/PxVQElementSoftLink.h"

class PxVQGlobalLogicSoftLink : public PxVQElementSoftLink {
    PX_DECLARE_CLASS(PxVQGlobalLogicSoftLink, PxVQElementSoftLink)

    PX_VALUE_PROPERTY(int, GLGUniqueID)
    PX_VALUE_PROPERTY(int, Performable)
    PX_TEXT_PROPERTY(Parameters)

    int GetElementType() const override;

protected:
    PxVQGlobalLogicSoftLink() = default;
};
