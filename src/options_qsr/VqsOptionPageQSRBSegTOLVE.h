// The "TOLVE" page of a QSR business segment: compiler and run-time parameters of the TOLVE
// database description. Its "Reapply Completed / Independent Trans" box governs controls of
// the Environment and Default TOLVE pages, and may not be cleared while options elsewhere
// need it.
#pragma once

#include "options/VqsTableOptionPage.h"
#include "proxy/PxQSRBSegOptions.h"

#include <cstdint>

class VqsOptions_BSeg_QSR_Sheet;

class VqsOptionPageQSRBSegTOLVE : public VqsTableOptionPage {
public:
    VqsOptionPageQSRBSegTOLVE(VqsOptions_BSeg_QSR_Sheet* sheet, UINT dialogId, int pageIndex);

    BOOL OnInitDialog() override;
    // Refuses a resident limit above the allowed core (VqsExceptionData).
    void StoreOptions() override;
    void LoadOptions() override;

    // The box as the page shows it while it has a window, else the record's value.
    int GetCurrentReapplyCompletedIndependentTrans() const;
    // The overlay goal, kept in hundredths, as a decimal number ("1.50").
    static CString FormatHundredths(std::int64_t value);

protected:
    void OnOptionTaken(UINT id) override;

private:
    PxQSRBSegOptions& Options() const;
    void OnReapplyTaken();
    // Options of the business segment that need reapply of completed transactions.
    BOOL IsReapplyNeeded() const;
    void ShowOverlayGoal();

    VqsOptions_BSeg_QSR_Sheet* m_pQSRSheet;
    VqsOptCtrlFlag& m_reapply;
    VqsOptCtrlInt& m_allowedCore;
    VqsOptCtrlInt& m_residentLimit;
    VqsOptCtrlInt& m_controlPoint;
    VqsOptCtrlInt& m_syncPoint;
    VqsOptCtrlInt& m_syncWait;
    VqsOptCtrlInt& m_overlayGoal;
    // Not an option: the overlay goal as a decimal number.
    VqsOptCtrlString m_overlayGoalDecimal;
};
