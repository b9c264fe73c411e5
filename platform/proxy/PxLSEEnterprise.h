// The design-side root of a repository: the business segments, the enterprise's long-name
// setting and the records of business segments locked in the design tool.
#pragma once

#include "proxy/PxForward.h"
#include "proxy/PxLSEObject.h"
#include "proxy/PxProperty.h"

class PxLSEEnterprise : public PxLSEObject {
    PX_DECLARE_CLASS(PxLSEEnterprise, PxLSEObject)

    // Empty when the repository gives the enterprise no name.
    PX_TEXT_GETTER(Name)
    PX_TEXT_GETTER(LongName)
    int GetAllowLongNames() const;
    void GetBSList(PxTypedList<PxLSEBusinessSegmentPtr>& segments) const;
    // By exact name; null when there is none.
    PxLSEBusinessSegmentPtr GetBusinessSegment(const char* name) const;
    // The lock record of the business segment; null when it is not locked.
    PxLSELockedObjectPtr GetLockedObject(const PxLSEBusinessSegmentPtr& segment) const;

protected:
    PxLSEEnterprise() = default;
};
