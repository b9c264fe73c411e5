// What the option pages of QSR elements share: the enterprise's pack names, the business
// segment an element belongs to (its soft link and its design), and the digit limits of
// number edits.
#pragma once

#include "proxy/PxLSEBusinessSegment.h"
#include "proxy/PxVQBSSoftLink.h"
#include "shell/VqsOptCtrlInt.h"
#include "win/Collections.h"

#include <cstdint>

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

// The edit takes at most `digits` characters when the record bounds the option above.
template <class Record>
void LimitDigits(VqsOptCtrlInt& binder, const Record& record, BOOL (Record::*upperLimit)(std::int64_t&) const,
                 int digits)
{
    std::int64_t upper = 0;
    if ((record.*upperLimit)(upper))
        binder.SetTextLimit(digits, 0);
}

} // namespace vqsqsr
