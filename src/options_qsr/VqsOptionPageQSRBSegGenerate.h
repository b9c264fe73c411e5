// The "Generate" page of a QSR business segment: beside the platform-neutral generation
// names, the data invocation, reorganisation and cloning settings, the VARN window, the
// KORAX database user code and pack, the run-time user, access and charge codes, the ZAL
// family and the number of parallel compiles.
#pragma once

#include "options/VqsOptionPagesBSeg.h"
#include "options_qsr/VqsIndexedOptionRows.h"

class VqsOptions_BSeg_QSR_Sheet;

class VqsOptionPageQSRBSegGenerate : public VqsOptionPageBSegGenerate {
public:
    VqsOptionPageQSRBSegGenerate(VqsOptions_BSeg_QSR_Sheet* sheet, UINT dialogId, int pageIndex);

    BOOL OnInitDialog() override;
    void StoreOptions() override;
    BOOL IsNotUpdated() override;
    void ClearOptions() override;

protected:
    void AdjustLoadedValues() override;
    void OnOptionTaken(UINT id) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    VqsOptions_BSeg_QSR_Sheet* m_pQSRSheet;
    VqsOptCtrlInt& m_parallelCompiles;
    VqsOptCtrlInt& m_reorgTasks;
    VqsOptCtrlInt& m_reorgAllowedCore;
    VqsIndexedOptionRows m_rows;
    // Not in the table: a stored value outside the buttons leaves the choice as it was.
    VqsOptCtrlRadio m_noRestartOnReorg;
};
