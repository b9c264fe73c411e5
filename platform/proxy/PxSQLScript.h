// A design SQL script. It never gets a soft link of its own.
#pragma once

#include "proxy/PxLSEElement.h"

class PxSQLScript : public PxLSEElement {
    PX_DECLARE_CLASS(PxSQLScript, PxLSEElement)

protected:
    PxSQLScript() = default;
};
