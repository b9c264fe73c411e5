// The "System Options" dialog: the names, description, runtime version identifier and two
// generate flags of one system. Names are unique, ignoring case, among the enterprise's
// systems.
#pragma once

#include "config/VqsEditSession.h"
#include "proxy/PxObjectEdition.h"
#include "shell/VqsDialog.h"
#include "shell/VqsOptCtrlFlag.h"
#include "shell/VqsOptCtrlString.h"
#include "win/CButton.h"

class VqsLockBag;
class VqsModelNodeSystem;

class VqsOptionsSystemDlg : public VqsDialog {
public:
    static constexpr int IDC_NAME = 1402;
    static constexpr int IDC_SHORT_NAME = 1493;
    static constexpr int IDC_DESCRIPTION = 1395;
    static constexpr int IDC_RUNTIME_VERSION_ID = 1037;
    static constexpr int IDC_RESET_VERSION_COUNTS = 1390;
    static constexpr int IDC_RESET_REPORT_COUNT = 1010;

    VqsOptionsSystemDlg(VqsLockBag* bag, VqsModelNodeSystem* system, const PxObjectEdition& edition, CWnd* parent);

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

protected:
    void OnNameChanged() { m_session.OnControlChanged(m_name); }
    void OnShortNameChanged() { m_session.OnControlChanged(m_shortName); }
    void OnDescriptionChanged() { m_session.OnControlChanged(m_description); }
    void OnIdentifierChanged() { m_session.OnControlChanged(m_identifier); }
    void OnResetVersionCountsClicked() { m_session.OnControlChanged(m_resetVersionCounts); }
    void OnResetReportCountClicked() { m_session.OnControlChanged(m_resetReportCount); }
    DECLARE_MESSAGE_MAP()

private:
    BOOL LoadSystem();
    // Write-locks the enterprise in `bag` and tells whether another system has a name;
    // FALSE after telling the user.
    BOOL AreNamesFree(const CString& name, const CString& shortName, VqsLockBag& bag);
    BOOL Save(const CString& name, const CString& shortName);

    VqsOptCtrlString m_name;
    VqsOptCtrlString m_shortName;
    VqsOptCtrlString m_description;
    VqsOptCtrlString m_identifier;
    VqsOptCtrlFlag m_resetVersionCounts;
    VqsOptCtrlFlag m_resetReportCount;
    CButton m_okButton;
    VqsModelNodeSystem* m_pSystemNode;
    VqsLockBag* m_pBag;
    PxObjectEdition m_edition;
    CString m_strLoadedIdentifier;
    VqsEditSession m_session;
};
