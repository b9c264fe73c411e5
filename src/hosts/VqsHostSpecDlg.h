// The options of one host: name, address, port, FTP user id and password and, for QSR
// hosts, the Kana mode. The dialog holds no lock while the user only looks; the first real
// change takes a future-update lock and finds out whether the host was deleted or changed
// meanwhile. OK checks the name against the other hosts and writes in one transaction.
#pragma once

#include "proxy/PxObjectEdition.h"
#include "shell/VqsDialog.h"
#include "shell/VqsOptCtrlInt.h"
#include "shell/VqsOptCtrlRadio.h"
#include "shell/VqsOptCtrlString.h"
#include "win/CButton.h"

class VqsLockBag;
class VqsModelNodeEnterprise;
class VqsModelNodeHost;

class VqsHostSpecDlg : public VqsDialog {
public:
    static constexpr int IDC_NAME = 1029;
    static constexpr int IDC_ADDRESS = 1043;
    static constexpr int IDC_USER_ID = 1478;
    static constexpr int IDC_PORT = 1359;
    static constexpr int IDC_PASSWORD = 1480;
    static constexpr int IDC_KANA_GROUP = 33031;
    static constexpr int IDC_KANA_WITH = 33029;
    static constexpr int IDC_KANA_WITHOUT = 33030;

    VqsHostSpecDlg(VqsLockBag* bag, VqsModelNodeEnterprise* enterprise, VqsModelNodeHost* host,
                   const PxObjectEdition& edition, CWnd* parent);
    ~VqsHostSpecDlg() override;

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

protected:
    void OnPassword();
    void OnNameChanged() { OnFieldChanged(m_name); }
    void OnAddressChanged() { OnFieldChanged(m_address); }
    void OnUserIdChanged() { OnFieldChanged(m_userId); }
    void OnPortChanged() { OnFieldChanged(m_port); }
    void OnKanaClicked() { OnFieldChanged(m_kanaMode); }

    DECLARE_MESSAGE_MAP()

private:
    void LoadFromHost();
    // Takes the edit lock the first time; FALSE when it is refused or the host is gone.
    // `reloaded` tells that the fields were read again because the host had changed.
    BOOL BeginEdit(BOOL* reloaded);
    void OnFieldChanged(VqsOptCtrl& binder);
    // Locks the enterprise, then the host, in the bag with its kind, and checks under those
    // locks what OK relies on: the host still there and as loaded, and no other host of the
    // name. FALSE after telling the user, the bag's locks given back first.
    BOOL LockAndCheck(VqsLockBag& bag, const CString& name);
    // Whether no other host has the name, the enterprise held in `held`; FALSE after telling
    // the user.
    BOOL IsNameFree(const CString& name, VqsLockBag& held);
    // The changed-options check of the model's delete, for an update.
    BOOL ConfirmUpdate();
    // Writes the host in one transaction, under the caller's locks.
    BOOL Save(const CString& name, const CString& address);
    void Refuse(UINT messageId, int controlId);

    VqsOptCtrlString m_name;
    VqsOptCtrlString m_address;
    VqsOptCtrlString m_userId;
    VqsOptCtrlInt m_port;
    VqsOptCtrlRadio m_kanaMode;
    CButton m_okButton;
    // The password as the host holds it, or as the user chose it.
    CString m_strPassword;
    BOOL m_bPasswordChosen = FALSE;
    CString m_strLoadedName;
    int m_nLoadedKanaMode = 0;
    VqsModelNodeEnterprise* m_pEnterprise;
    VqsModelNodeHost* m_pHost;
    int m_nHostType = 0;
    VqsLockBag* m_pBag;
    BOOL m_bEditBegun = FALSE;
    BOOL m_bModified = FALSE;
    BOOL m_bClosed = FALSE;
    PxObjectEdition m_edition;
};

// The user id's most characters by host type: QSR 17, Tarsk 12, Unix 32, NT none (0).
int VqsFtpUserIdLimit(int hostType);
// The title template with "%s" replaced by the host type's name; nothing else of it is read
// as a directive.
CString VqsHostTypeTitle(const CString& format, int hostType);
