// The soft link of a design SQL script. It has no option records.
#pragma once

#include "proxy/PxVQElementSoftLink.h"

class PxVQSQLScriptSoftLink : public PxVQElementSoftLink {
    PX_DECLARE_CLASS(PxVQSQLScriptSoftLink, PxVQElementSoftLink)

    int GetElementType() const override;

protected:
    PxVQSQLScriptSoftLink() = default;
};
