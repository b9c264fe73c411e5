// What the option pages of QSR elements share: the enterprise's pack names and the business
// segment an element belongs to (its soft link and its design).
#pragma once

#include "proxy/PxLSEBusinessSegment.h"
#include "proxy/PxVQBSSoftLink.h"
#include "win/Collections.h"

class VqsOptionsSheet;

namespace vqsqsr {

// The names of the generation-side enterprise's packs, in its order, empty names left out;
// with `extractPacksOnly` only the packs of types 0 and 1.
CStringArray PackNames(BOOL extractPacksOnly = FALSE);
// The business-segment soft link of the element whose options the sheet edits.
PxVQBSSoftLinkPtr SegmentLinkOf(const VqsOptionsSheet& sheet);
// The design business segment of that name; null when there is none.
PxLSEBusinessSegmentPtr DesignSegmentOf(const VqsOptionsSheet& sheet);
// The soft link whose options the record is: an input Ispec (usage 2).
BOOL IsInputIspec(const PxOptions& record);

} // namespace vqsqsr
