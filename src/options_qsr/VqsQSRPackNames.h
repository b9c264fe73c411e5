// The names the pack combos of the QSR pages offer.
#pragma once

#include "win/Collections.h"

// The name of every pack information of the repository's enterprise, in its order, without
// empty names; none without an enterprise.
CStringArray VqsEnterprisePackNames();
