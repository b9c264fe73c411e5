// The filler accounting of QSR TOLVE structures. A structure laid out as a TOLVE data set may
// carry a database filler: spare room in its record, so that items added to the screen later
// need no reorganisation. The TOLVE option pages show how much of that room the items added
// since the last generation of the structure (with the same option set) already take.
#pragma once

#include "proxy/PxForward.h"
#include "win/Types.h"

#include <cstdint>

// TRUE when `name` is one of the items of `list`, each of them followed by a comma (as the
// repository keeps a structure's item lists); case does not count. Text after the last comma
// is not an item.
BOOL IsInCommaList(const char* name, const char* list);

// The most recent earlier generation of the structure `ispecName` of the business segment of
// `bsLink` made with the option set `optionSetName`: the business-segment and structure soft
// links of that generation's configuration and its option set. FALSE when there is none.
BOOL FindLastGenerationOfIspec(const PxVQBSSoftLinkPtr& bsLink, const char* ispecName, const char* optionSetName,
                               PxVQBSSoftLinkPtr& foundBSLink, PxVQIspecSoftLinkPtr& foundIspecLink,
                               PxVQOptionSetPtr& foundOptionSet);

// The storage, in characters, of the structure's screen items that the layout of the
// generation of `ispecLink` did not hold yet; 0 when that layout lists no items.
std::int64_t ComputeNewItemsSize(const PxVQIspecSoftLinkPtr& ispecLink, const PxVQBSSoftLinkPtr& bsLink);
