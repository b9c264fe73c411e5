// The "Environment" page of a Tarsk business segment: screen delimiters and colours,
// message order, transaction processing, recovery and the DUPLEX defaults. The database
// pages of the sheet ask it for "All QUB Files DUPLEX", "Keep Assigned" and the default
// DUPLEX pack, and hear from it when the first or the last changes.
#pragma once

#include "options/VqsColourSample.h"
#include "options/VqsOptionPagesBSeg.h"
#include "proxy/PxTarskBSegOptions.h"
#include "win/Gdi.h"

class CDC;
class VqsOptions_BSeg_Tarsk_Sheet;

class VqsOptionPageTarskBSegEnv : public VqsOptionPageBSegEnv {
public:
    VqsOptionPageTarskBSegEnv(VqsOptions_BSeg_Tarsk_Sheet* sheet, UINT dialogId, int pageIndex);

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void StoreOptions() override;
    BOOL IsNotUpdated() override;
    void ClearOptions() override;

    // The values as the page holds them: the record's until the page is loaded, then the
    // user's, applied or not.
    BOOL GetAllQUBduplex() const { return m_allQubDuplex.m_bValue; }
    BOOL GetKeepAssigned() const { return m_keepAssigned.m_bValue; }
    CString GetDefaultDuplexPack() const { return m_defaultDuplexPack.GetValue(); }

protected:
    void AdjustLoadedValues() override;
    void EnableDependentControls() override;
    void OnOptionTaken(UINT id) override;
    void OnRecoveryChanged() { OnOptionChanged(&m_recovery, TRUE); }
    void OnRecoverMessagesChanged() { OnOptionChanged(&m_recoverMessages, TRUE); }
    DECLARE_MESSAGE_MAP()

private:
    const PxTarskBSegOptionsPtr& Options() const;
    void FillPackNames();
    // Paints "Sample Text" in the chosen colours while the page's own colours are in force.
    HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT controlKind);

    VqsOptions_BSeg_Tarsk_Sheet* m_pTarskSheet;
    VqsOptCtrlFlag& m_showDelimiters;
    VqsOptCtrlFlag& m_usePainter;
    VqsOptCtrlFlag& m_keepAssigned;
    VqsOptCtrlFlag& m_allQubDuplex;
    VqsOptCtrlFlag& m_suppressDelimiters;
    VqsOptCtrlInt& m_icpCopies;
    VqsOptCtrlInt& m_maxTransTime;
    VqsOptCtrlInt& m_queuePriority;
    VqsOptCtrlString& m_dumpQueue;
    VqsOptCtrlCombo& m_defaultDuplexPack;
    VqsOptCtrlChar& m_leftDelimiter;
    VqsOptCtrlChar& m_rightDelimiter;
    VqsOptCtrlColor& m_foreground;
    VqsOptCtrlColor& m_background;
    // Not in the table: a stored value outside the buttons leaves the choice as it was, and
    // is stored as the first button's value unless the user picks one.
    VqsOptCtrlRadio m_recovery;
    VqsOptCtrlRadio m_recoverMessages;
    // The colours shown when "Use colors defined in Painter" was last set, shown again when
    // it is cleared.
    int m_ownBackground = 0;
    int m_ownForeground = 0;
    VqsColourSample m_sample;
};
