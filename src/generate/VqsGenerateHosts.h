// The host combo box of the generation dialogs.
#pragma once

#include "proxy/PxVQOptionSet.h"
#include "win/CComboBox.h"
#include "win/CString.h"

// Fills the combo with the enterprise's hosts of the generation set's host type and selects
// the set's host, else the last one; empty without a generation set.
void VqsFillGenerateHosts(CComboBox& combo, const PxVQGenSetPtr& genSet);
// The host chosen in the combo; empty when none is.
CString VqsChosenGenerateHost(CComboBox& combo);
