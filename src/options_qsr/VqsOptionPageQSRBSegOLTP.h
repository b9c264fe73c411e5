// The "OLTP" page of a QSR business segment: beside the platform-neutral OLTP options, ten
// default service names, the number of concurrent OLTP reports and the report time-out, all
// live only while OLTP is enabled.
#pragma once

#include "options/VqsOptionPagesBSeg.h"
#include "options_qsr/VqsIndexedOptionRows.h"

#include <vector>

class VqsOptions_BSeg_QSR_Sheet;

class VqsOptionPageQSRBSegOLTP : public VqsOptionPageBSegOLTP {
public:
    VqsOptionPageQSRBSegOLTP(VqsOptions_BSeg_QSR_Sheet* sheet, UINT dialogId, int pageIndex);

    BOOL OnInitDialog() override;
    void StoreOptions() override;
    BOOL IsNotUpdated() override;
    void ClearOptions() override;

    // "Enable OLTP" as shown while the page has a window, else as stored.
    int GetCurrentEnableOLTP() const;

protected:
    void AdjustLoadedValues() override;
    void EnableDependentControls() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    VqsOptions_BSeg_QSR_Sheet* m_pQSRSheet;
    VqsOptCtrlInt& m_concurrentReports;
    VqsOptCtrlInt& m_reportTimeout;
    VqsIndexedOptionRows m_rows;
    std::vector<VqsOptCtrlString*> m_serviceNames;
};
