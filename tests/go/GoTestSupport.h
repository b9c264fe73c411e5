// What the GO tests share: a look at what the options dialog asks the sheet registry for.
#pragma once

#include "proxy/PxOptions.h"
#include "proxy/PxVQOptionSet.h"
#include "proxy/PxVQSoftLink.h"

#include <vector>

namespace gotest {

// What the options dialog asked the sheet registry for: the options record and the page to
// show first. No sheet is made for it.
struct SheetRequest {
    PxOptionsPtr options;
    UINT page;
};
std::vector<SheetRequest>& SheetRequests();
// From now on the registry is asked through a recorder first; the requests are forgotten.
void RecordSheetRequests();
// The one request the dialog made was for these options at this page.
void ExpectRequest(const PxVQSoftLinkPtr& link, const PxVQOptionSetPtr& optionSet, UINT page);

} // namespace gotest
