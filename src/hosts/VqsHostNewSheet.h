// The new-host wizard: the host's type, name, address and port on the first page, its FTP
// user id and password (or "Enter User details at login") on the second. Next refuses an
// empty name or address and a name another host has (without regard to case), and holds a
// future-update lock on the enterprise, through the caller's bag, while the second page is
// shown. Finish runs the creation its caller gives it; one that made nothing keeps the
// wizard open.
#pragma once

#include "config/VqsCreatingWizard.h"
#include "proxy/PxObjectEdition.h"
#include "shell/VqsOptCtrlFlag.h"
#include "shell/VqsOptCtrlInt.h"
#include "shell/VqsOptCtrlRadio.h"
#include "shell/VqsOptCtrlString.h"
#include "shell/VqsPropertyPage.h"
#include "shell/VqsPropertySheet.h"

class VqsHostNewSheet;
class VqsLockBag;
class VqsModelNodeEnterprise;

class VqsHostNewGeneralPage : public VqsPropertyPage {
public:
    static constexpr int IDC_NAME = 1466;
    static constexpr int IDC_ADDRESS = 1468;
    static constexpr int IDC_PORT = 1472;
    static constexpr int IDC_WINDOWS = 1424;
    static constexpr int IDC_UNIX = 1425;
    static constexpr int IDC_QSR = 1423;
    static constexpr int IDC_TARSK = 1422;

    VqsHostNewGeneralPage();
    ~VqsHostNewGeneralPage() override;

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    LRESULT OnWizardNext() override;
    // How to tell the user that another host has the name now; empty when none has.
    std::function<void()> FindNameTaken();

    VqsHostNewSheet* m_pSheet = nullptr;
    VqsOptCtrlString m_name;
    VqsOptCtrlString m_address;
    VqsOptCtrlInt m_port;
    VqsOptCtrlRadio m_hostTypeButtons;
    int m_nHostType = 0;

protected:
    void OnHostTypeClicked();

    DECLARE_MESSAGE_MAP()

private:
    void ShowPort(UINT port);
    void Refuse(UINT messageId, int controlId);

    // The port text the page put in the edit; a type change replaces it while the user has
    // not typed another.
    CString m_strOfferedPort;
};

class VqsHostNewFTPPage : public VqsPropertyPage {
public:
    static constexpr int IDC_USER_ID = 1482;
    static constexpr int IDC_PASSWORD = 1483;
    static constexpr int IDC_CONFIRMATION = 1484;
    static constexpr int IDC_AT_LOGIN = 32870;

    VqsHostNewFTPPage();
    ~VqsHostNewFTPPage() override;

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnWizardFinish() override;

    VqsHostNewSheet* m_pSheet = nullptr;
    VqsOptCtrlString m_userId;
    VqsOptCtrlString m_password;
    VqsOptCtrlString m_confirmation;
    VqsOptCtrlFlag m_atLogin;

protected:
    void OnAtLogin();

    DECLARE_MESSAGE_MAP()

private:
    void EnableAccountFields();
};

class VqsHostNewSheet : public VqsPropertySheet, public VqsCreatingWizard {
public:
    VqsHostNewSheet(UINT captionId, VqsModelNodeEnterprise* enterprise, VqsLockBag* bag,
                    const PxObjectEdition& edition, CWnd* parent);
    ~VqsHostNewSheet() override;

    std::vector<VqsLockBag*> GetPageLocks() override { return {m_pBag, &m_pageAnchor}; }
    VqsModelNodeEnterprise* GetEnterpriseNode() override { return m_pEnterprise; }

    VqsModelNodeEnterprise* m_pEnterprise;
    VqsLockBag* m_pBag;
    PxObjectEdition m_edition;
    VqsHostNewGeneralPage m_generalPage;
    VqsHostNewFTPPage m_ftpPage;
};
