#include "proxy/PxVQGlobalLogicSoftLink.h"

#include "proxy/PxObjectKind.h"

PX_IMPLEMENT_CLASS(PxVQGlobalLogicSoftLink, PxKindGlobalLogicSoftLink)

PX_IMPLEMENT_VALUE_PROPERTY(PxVQGlobalLogicSoftLink, int, GLGUniqueID, "glgUniqueID")
PX_IMPLEMENT_VALUE_PROPERTY(PxVQGlobalLogicSoftLink, int, Performable, "performable")
PX_IMPLEMENT_TEXT_PROPERTY(PxVQGlobalLogicSoftLink, Parameters, "parameters")

int PxVQGlobalLogicSoftLink::GetElementType() const
{
    Enter("PxVQGlobalLogicSoftLink::GetElementType");
    return VQSoftLinkGlobalLogic;
}
