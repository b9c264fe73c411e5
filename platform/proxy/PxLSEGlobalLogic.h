// A design global logic.
#pragma once

#include "proxy/PxLSEElement.h"

class PxLSEGlobalLogic : public PxLSEElement {
    PX_DECLARE_CLASS(PxLSEGlobalLogic, PxLSEElement)

    PX_VALUE_GETTER(int, Performable)
    PX_TEXT_GETTER(Parameters)

protected:
    PxLSEGlobalLogic() = default;
};
