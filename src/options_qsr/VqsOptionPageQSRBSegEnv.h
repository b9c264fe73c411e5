// The "Environment" page of a QSR business segment: logging, the colours of generated
// screens, ad hoc inquiry, ROC database use, user-code validation, the dictionary and TOLVE
// file, the expected throughput, the NAP direct interface, the protected output file (POF),
// two external databases and where the audit trail is copied to. The POF is only offered
// while the TOLVE page reapplies completed transactions.
#pragma once

#include "options/VqsColourSample.h"
#include "options/VqsOptionPagesBSeg.h"
#include "options_qsr/VqsIndexedOptionRows.h"
#include "proxy/PxQSRBSegOptions.h"
#include "win/Gdi.h"

#include <cstdint>

class CDC;
class VqsOptions_BSeg_QSR_Sheet;

class VqsOptionPageQSRBSegEnv : public VqsOptionPageBSegEnv {
public:
    VqsOptionPageQSRBSegEnv(VqsOptions_BSeg_QSR_Sheet* sheet, UINT dialogId, int pageIndex);

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void StoreOptions() override;
    BOOL IsNotUpdated() override;
    void ClearOptions() override;

    // What the other tabs ask: the values as shown while the page has a window, else the
    // record's.
    BOOL IsCopyAuditToTapeUserDefined() const;
    int GetCurrentAdhocInqReq() const;
    int GetCurrentROCusesDB() const;
    // What the other tabs tell.
    void OnDefaultReblockFactorChanged(std::int64_t factor);
    void OnReapplyCompletedTransChanged(int reapply);

protected:
    void AdjustLoadedValues() override;
    void EnableDependentControls() override;
    void OnOptionTaken(UINT id) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnDuplicateFamilyLeft();
    DECLARE_MESSAGE_MAP()

private:
    const PxQSRBSegOptionsPtr& Options() const;
    void LoadPof();
    void ShowPofAvailability();
    void StorePofText(const VqsOptCtrlString& text, void (PxQSRBSegOptions::*set)(const char*));
    void EnablePofControls(const CString& shownPofName);
    void EnableAdhocByReblockFactor(std::int64_t factor);
    // Paints "Sample Text" in the chosen colours while the page's own colours are in force.
    HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT controlKind);
    // The duplicate POF family the user typed equals the POF family.
    BOOL IsDuplicateFamilyTheFamily() const;

    VqsOptions_BSeg_QSR_Sheet* m_pQSRSheet;
    VqsOptCtrlFlag& m_logActivities;
    VqsOptCtrlFlag& m_logTransactions;
    VqsOptCtrlInt& m_logFileSize;
    VqsOptCtrlFlag& m_usePainter;
    VqsOptCtrlColor& m_background;
    VqsOptCtrlColor& m_foreground;
    VqsOptCtrlFlag& m_adhocInquiry;
    VqsOptCtrlFlag& m_rocUsesDatabase;
    VqsOptCtrlFlag& m_useDictionary;
    VqsOptCtrlString& m_dictionary;
    VqsOptCtrlInt& m_expectedTph;
    VqsOptCtrlFlag& m_enableNap;
    VqsOptCtrlString& m_napAimBuffer;
    VqsOptCtrlString& m_napGlobalWork;
    VqsIndexedOptionRows m_rows;
    VqsOptCtrlCombo& m_externPack0;
    VqsOptCtrlCombo& m_externPack1;
    // Not in the table: shown as placeholders and stored empty while the POF is not offered.
    VqsOptCtrlFlag m_useDefaultPofName;
    VqsOptCtrlString m_pofName;
    VqsOptCtrlString m_pofFamily;
    VqsOptCtrlString m_duplicateFamily;
    // Not in the table: a stored value outside the buttons leaves the choice as it was.
    VqsOptCtrlRadio m_copyAudit;
    // The TOLVE page's "Reapply Completed / Independent Trans": the POF is offered while set.
    int m_nReapply = 0;
    // The user was told on leaving the duplicate family that it equals the family; the apply
    // that follows refuses it without telling again.
    BOOL m_bDuplicateWarned = FALSE;
    VqsColourSample m_sample;
};
