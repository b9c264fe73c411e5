// The soft link of a design profile, and of the automatic profile of an Ispec (whose
// component is that Ispec's link).
#pragma once

#include "proxy/PxVQElementSoftLink.h"

class PxVQProfileSoftLink : public PxVQElementSoftLink {
    PX_DECLARE_CLASS(PxVQProfileSoftLink, PxVQElementSoftLink)

    // The Ispec link the profile is over; null for none.
    PxVQIspecSoftLinkPtr GetComponent() const;
    // The components of the profile links, as GetComponent of each answers, read together.
    static std::vector<PxObjectPtr> ComponentsOf(const std::vector<PxObjectPtr>& profiles);
    // The same read, to be read with others (PxObject::ReadObjectsOfEach).
    static ReferencesAsked ComponentsAsked(const std::vector<PxObjectPtr>& profiles);
    void SetComponent(const PxVQIspecSoftLinkPtr& ispec);
    PX_TEXT_PROPERTY(OrdinateName)
    PX_TEXT_PROPERTY(OrdinateLongName)
    PX_VALUE_PROPERTY(int, AutoMaint)
    PX_VALUE_PROPERTY(int, DuplicatesAllowed)
    PX_VALUE_PROPERTY(int, OverEvent)
    PX_VALUE_PROPERTY(int, Primary)

    int GetElementType() const override;

    // The list of an Ispec link that holds the profile links over it.
    static constexpr const char* kProfilesOfComponent = "profileSoftLinks";

protected:
    PxVQProfileSoftLink() = default;
};
