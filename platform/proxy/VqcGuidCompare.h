// The generation client's test of whether a design object changed since an element soft
// link last took its data: the object's revision identifiers against those the link keeps.
#pragma once

#include "proxy/PxForward.h"
#include "proxy/PxLSEElement.h"
#include "proxy/PxLSEObject.h"

#include <vector>

// 0 when the link keeps exactly the object's revision identifiers, in their order (the
// object's own revision, then a form object's four part revisions and an Ispec's teach
// revision); nonzero otherwise.
int VqcGuidCompare(const PxLSEObjectPtr& design, const PxVQElementSoftLinkPtr& link);
// The same for each design and the link at the same place, the designs' revision
// identifiers read together, one read a kind of revision.
std::vector<int> VqcGuidCompareAll(const std::vector<PxLSEElementPtr>& designs,
                                   const std::vector<PxVQElementSoftLinkPtr>& links);
