// The last page of the wizards that can create a host: the new host's FTP user id and
// password, or nothing when the user enters them at login. One implementation; a traits
// table gives each wizard's dialog and control ids.
#pragma once

#include "config/VqsWizardPage.h"
#include "shell/VqsOptCtrlFlag.h"
#include "shell/VqsOptCtrlString.h"

class VqsHostWizard;

struct VqsHostFTPPageTraits {
    UINT dialogId;
    int userIdId;
    int passwordId;
    int confirmationId;
    int atLoginId;
};

// The longest FTP user id a host of the type takes.
int VqsWizardFtpUserIdLimit(int hostType);

class VqsHostFTPPage : public VqsWizardPage {
public:
    explicit VqsHostFTPPage(const VqsHostFTPPageTraits& traits);
    // Empties the texts, so that the password does not outlive the wizard.
    ~VqsHostFTPPage() override;

    BOOL OnSetActive() override;
    BOOL OnWizardFinish() override;
    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo) override;

    VqsHostWizard* m_pWizard = nullptr;
    VqsOptCtrlString m_userId;
    VqsOptCtrlString m_password;
    VqsOptCtrlFlag m_enterAtLogin;
    VqsOptCtrlString m_confirmation;

protected:
    void OnEnterAtLogin();

private:
    void EnableAccountFields();
    BOOL LockForFinish();

    const VqsHostFTPPageTraits& m_traits;
};

class VqsSysHostFTPPage : public VqsHostFTPPage {
public:
    static constexpr UINT IDD = 246;
    static constexpr int IDC_USER_ID = 1485;
    static constexpr int IDC_PASSWORD = 1486;
    static constexpr int IDC_CONFIRMATION = 1487;
    static constexpr int IDC_ENTER_AT_LOGIN = 1861;

    VqsSysHostFTPPage();
};

class VqsBSHostFTPPage : public VqsHostFTPPage {
public:
    static constexpr UINT IDD = 269;
    static constexpr int IDC_USER_ID = 1511;
    static constexpr int IDC_PASSWORD = 1512;
    static constexpr int IDC_CONFIRMATION = 1513;
    static constexpr int IDC_ENTER_AT_LOGIN = 33096;

    VqsBSHostFTPPage();
};

class VqsGenSetHostFTPPage : public VqsHostFTPPage {
public:
    static constexpr UINT IDD = 247;
    static constexpr int IDC_USER_ID = 1488;
    static constexpr int IDC_PASSWORD = 1489;
    static constexpr int IDC_CONFIRMATION = 1490;
    static constexpr int IDC_ENTER_AT_LOGIN = 1860;

    VqsGenSetHostFTPPage();
};
