// Design objects with a name (PxLSEDskObject) and the design elements among them: business
// segments, Ispecs, profiles, reports, global logics and the like. An element may carry a
// revision identifier and relations to other elements (as source: its target list; as
// target: its source list).
#pragma once

#include "proxy/PxForward.h"
#include "proxy/PxLSEObject.h"
#include "proxy/PxProperty.h"

class PxLSEDskObject : public PxLSEObject {
    PX_DECLARE_CLASS(PxLSEDskObject, PxLSEObject)

    PX_TEXT_GETTER(Name)
    PX_TEXT_GETTER(LongName)
    PX_TEXT_GETTER(Description)

protected:
    PxLSEDskObject() = default;
};

class PxLSEElement : public PxLSEDskObject {
    PX_DECLARE_CLASS(PxLSEElement, PxLSEDskObject)

    // Null when the element has none.
    PxLSERevisionIdPtr GetRevision() const;
    // The relations whose source is this element.
    void GetTargetList(PxTypedList<PxLSERelationPtr>& relations) const;
    // The relations whose target is this element.
    void GetSourceList(PxTypedList<PxLSERelationPtr>& relations) const;

protected:
    PxLSEElement() = default;
    PxLSERevisionIdPtr RevisionIn(const char* operation, const char* role) const;
};
