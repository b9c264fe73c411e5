// The generate-set options dialog: the names, description and target host of one generate
// set. Names are unique, ignoring case, among the option sets of its configuration; a
// generate set of a previous configuration is only shown.
#pragma once

#include "config/VqsEditSession.h"
#include "proxy/PxObjectEdition.h"
#include "shell/VqsDialog.h"
#include "shell/VqsOptCtrlCombo.h"
#include "shell/VqsOptCtrlString.h"
#include "win/CButton.h"

class VqsLockBag;
class VqsModelNodeGenSet;

class VqsOptionsGenSetDlg : public VqsDialog {
public:
    static constexpr int IDC_NAME = 1384;
    static constexpr int IDC_SHORT_NAME = 1385;
    static constexpr int IDC_DESCRIPTION = 1398;
    static constexpr int IDC_HOST = 1386;

    VqsOptionsGenSetDlg(VqsLockBag* bag, VqsModelNodeGenSet* genSet, const PxObjectEdition& edition, CWnd* parent);

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

protected:
    void OnNameChanged() { OnControlChanged(m_name); }
    void OnShortNameChanged() { OnControlChanged(m_shortName); }
    void OnDescriptionChanged() { OnControlChanged(m_description); }
    void OnHostChanged() { OnControlChanged(m_host); }
    DECLARE_MESSAGE_MAP()

private:
    void OnControlChanged(VqsOptCtrl& binder);
    BOOL LoadGenSet();
    // After a newer edition: the hosts and the generate set read again under a read lock
    // on the enterprise.
    BOOL Reload();
    void FillHosts(int hostType);
    BOOL IsJapaneseOnlyQsr() const;
    // Write-locks the configuration in `bag` and tells whether the names are free in it;
    // FALSE after telling the user.
    BOOL AreNamesFree(const CString& name, const CString& shortName, VqsLockBag& bag);
    BOOL Save(const CString& name, const CString& shortName);

    VqsOptCtrlString m_name;
    VqsOptCtrlString m_shortName;
    VqsOptCtrlString m_description;
    VqsOptCtrlCombo m_host;
    CButton m_okButton;
    VqsModelNodeGenSet* m_pGenSetNode;
    CString m_strTitle;
    CString m_strLoadedName;
    CString m_strLoadedLongName;
    CString m_strLoadedDescription;
    // The description as the field first showed it (with shift marks where it takes them).
    CString m_strShownDescription;
    BOOL m_bPreviousConfig;
    BOOL m_bJapanese = FALSE;
    VqsLockBag* m_pBag;
    PxObjectEdition m_edition;
    VqsEditSession m_session;
};
