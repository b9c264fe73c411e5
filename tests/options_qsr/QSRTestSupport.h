// The options dialog of the business segment SALES in the option set QSRGEN, with its QSR sheet.
#pragma once

#include "../options_tarsk/OptionsDialogHarness.h"

#include "options_qsr/VqsOptionsBSegQSRSheet.h"

namespace optionstest {

struct QSRBSegSheetTest : OptionsDialogHarness {
    PxQSRBSegOptionsPtr Stored() const { return StoredSegment<PxQSRBSegOptionsPtr>("QSRGEN"); }

    INT_PTR Session(UINT selectPage, const std::function<void()>& actions, BOOL endWithOk = TRUE)
    {
        return OptionsDialogHarness::Session(Segment("SYS1", "SALES"), "QSRGEN", selectPage, actions, endWithOk);
    }

    VqsOptions_BSeg_QSR_Sheet& Sheet() { return dynamic_cast<VqsOptions_BSeg_QSR_Sheet&>(*Dialog().GetSheet()); }
};

} // namespace optionstest
