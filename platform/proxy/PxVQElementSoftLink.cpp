#include "proxy/PxVQElementSoftLink.h"

#include "proxy/PxObjectKind.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQConfig.h"

PX_IMPLEMENT_CLASS(PxVQElementSoftLink, PxKindElementSoftLink)

PxVQBSSoftLinkPtr PxVQElementSoftLink::GetBSSoftLink() const
{
    Enter("PxVQElementSoftLink::GetBSSoftLink");
    return GetOwner();
}

PxVQConfigPtr PxVQElementSoftLink::ConfigOfLink() const
{
    PxVQBSSoftLinkPtr segment = GetOwner();
    return segment ? PxVQConfigPtr(segment->GetOwner()) : PxVQConfigPtr();
}
