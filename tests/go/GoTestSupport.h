// What the GO tests share: the option nodes the model lacks, and a look at what the options
// dialog asks the sheet registry for.
#pragma once

#include "model/VqsModelNodeOption.h"
#include "proxy/PxIspecOptions.h"
#include "proxy/PxVQOptionSet.h"
#include "proxy/PxVQSoftLink.h"

#include <vector>

namespace gotest {

// The model has no option node for the records of plain Ispecs yet: a test node stands in,
// so that reading an option set does not stop at them.
class TestIspecOptionNode : public VqsModelNodeOptionOf<PxIspecOptions> {
public:
    using VqsModelNodeOptionOf::VqsModelNodeOptionOf;
};

void RegisterTestIspecOptionNode();

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
