// The design side of the element that a Unix options sheet edits: its business segment
// and element in the design model, the data items partitions may be over, and whether a
// profile holds conditional data. Every lookup answers "nothing" for a missing link.
#pragma once

#include "proxy/PxLSEIspec.h"
#include "proxy/PxLSEProfile.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQSoftLink.h"

#include <vector>

class VqsOptionsSheet;

namespace vqsntunix {

// The soft link of the edited element (or business segment) and of its business segment.
PxVQSoftLinkPtr EditedLink(VqsOptionsSheet& sheet);
PxVQBSSoftLinkPtr EditedSegmentLink(VqsOptionsSheet& sheet);
// The design element of that name in the edited business segment.
PxLSEElementPtr DesignElement(VqsOptionsSheet& sheet, const char* name);
// The design element the sheet edits.
PxLSEElementPtr EditedDesignElement(VqsOptionsSheet& sheet);

// The names of the data items shown on an Ispec used for both or output, in screen order
// (a name met twice is kept twice); keywords and usages other than D, B and O are left out.
std::vector<CString> ScreenDataItems(const PxLSEIspecPtr& ispec);

// Not spanning all events, and over an event, with a linked ordinate or with a condition.
BOOL IsConditionalProfile(const PxLSEProfilePtr& profile);
BOOL HasLinkedOrdinate(const PxLSEProfilePtr& profile);
BOOL HasCondition(const PxLSEProfilePtr& profile);

// The relation string names an ordinate ("over") relation.
BOOL IsOverRelation(const CString& relation);

} // namespace vqsntunix
