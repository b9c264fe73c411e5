#include "proxy/PxVQProfileSoftLink.h"

#include "proxy/PxObjectKind.h"
#include "proxy/PxVQIspecSoftLink.h"

PX_IMPLEMENT_CLASS(PxVQProfileSoftLink, PxKindProfileSoftLink)

PX_IMPLEMENT_TEXT_PROPERTY(PxVQProfileSoftLink, OrdinateName, "ordinateName")
PX_IMPLEMENT_TEXT_PROPERTY(PxVQProfileSoftLink, OrdinateLongName, "ordinateLongName")
PX_IMPLEMENT_VALUE_PROPERTY(PxVQProfileSoftLink, int, AutoMaint, "autoMaint")
PX_IMPLEMENT_VALUE_PROPERTY(PxVQProfileSoftLink, int, DuplicatesAllowed, "duplicatesAllowed")
PX_IMPLEMENT_VALUE_PROPERTY(PxVQProfileSoftLink, int, OverEvent, "overEvent")
PX_IMPLEMENT_VALUE_PROPERTY(PxVQProfileSoftLink, int, Primary, "primary")

PxVQIspecSoftLinkPtr PxVQProfileSoftLink::GetComponent() const
{
    return ReadObject("PxVQProfileSoftLink::GetComponent", "component");
}

std::vector<PxObjectPtr> PxVQProfileSoftLink::ComponentsOf(const std::vector<PxObjectPtr>& profiles)
{
    return std::move(ReadObjectsOfEach({ComponentsAsked(profiles)}).front());
}

PxObject::ReferencesAsked PxVQProfileSoftLink::ComponentsAsked(const std::vector<PxObjectPtr>& profiles)
{
    return {"PxVQProfileSoftLink::ComponentsOf", profiles, "component"};
}

void PxVQProfileSoftLink::SetComponent(const PxVQIspecSoftLinkPtr& ispec)
{
    Enter("PxVQProfileSoftLink::SetComponent");
    PxVQIspecSoftLinkPtr previous = GetAttributeObject("component");
    if (previous && ispec && previous->IsSameOid(ispec))
        return;
    PxVQProfileSoftLinkPtr self(this);
    if (previous)
        previous->RemoveMember(kProfilesOfComponent, self);
    SetAttributeObject("component", ispec);
    if (ispec)
        ispec->AddMember(kProfilesOfComponent, self);
}

int PxVQProfileSoftLink::GetElementType() const
{
    Enter("PxVQProfileSoftLink::GetElementType");
    return VQSoftLinkProfile;
}
