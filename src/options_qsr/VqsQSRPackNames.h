// The names of the enterprise's packs that the QSR TOLVE pages offer, in repository order.
#pragma once

#include "win/Collections.h"

// Fills `names` with every pack information of the enterprise whose name is not empty; none without a session.
void VqsEnterprisePackNames(CStringArray& names);
