// The names the pack combos of the option pages offer: those of the pack informations of the
// repository's enterprise.
#pragma once

#include "proxy/PxVQPackInformation.h"
#include "win/Collections.h"

#include <functional>

// Whether a pack, with the name it carries, is offered.
using VqsPackOffer = std::function<bool(const PxVQPackInformationPtr& pack, const CString& name)>;

// The name of every pack information of the repository's enterprise that `offered` takes, in
// the enterprise's order; none without an enterprise.
CStringArray VqsEnterprisePackNames(const VqsPackOffer& offered);
// The same, without empty names.
CStringArray VqsEnterprisePackNames();
// The same, empty names too.
CStringArray VqsEveryEnterprisePackName();
