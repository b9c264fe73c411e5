#include "proxy/PxVQSQLScriptSoftLink.h"

#include "proxy/PxObjectKind.h"

PX_IMPLEMENT_CLASS(PxVQSQLScriptSoftLink, PxKindElementSoftLink)

int PxVQSQLScriptSoftLink::GetElementType() const
{
    Enter("PxVQSQLScriptSoftLink::GetElementType");
    return VQSoftLinkSQLScript;
}
