// The options dialog of the business segment SALES in the option set QSRGEN, with its QSR sheet.
#pragma once

#include "../options_tarsk/OptionsDialogHarness.h"

#include "options_qsr/VqsOptionsBSegQSRSheet.h"

namespace optionstest {

// The tabs of the general page set.
enum QSRTab {
    kEnvironmentTab = 0,
    kGenerateTab = 2,
    kOLTPTab = 3,
    kPacksTab = 4,
    kQEPGenTab = 7,
    kRemoteDBTab = 8,
    kAuditDetailTab = 10,
    kWrenfieldTestTab = 14,
};

struct QSRBSegSheetTest : OptionsDialogHarness {
    PxQSRBSegOptionsPtr Stored() const { return StoredSegment<PxQSRBSegOptionsPtr>("QSRGEN"); }

    INT_PTR Session(UINT selectPage, const std::function<void()>& actions, BOOL endWithOk = TRUE)
    {
        return OptionsDialogHarness::Session(Segment("SYS1", "SALES"), "QSRGEN", selectPage, actions, endWithOk);
    }

    VqsOptions_BSeg_QSR_Sheet& Sheet() { return dynamic_cast<VqsOptions_BSeg_QSR_Sheet&>(*Dialog().GetSheet()); }

    // The most characters the edit of the page shown takes.
    int TextLimit(int id) { return static_cast<int>(::SendMessage(PageItem(Dialog(), id), EM_GETLIMITTEXT, 0, 0)); }
};

} // namespace optionstest
