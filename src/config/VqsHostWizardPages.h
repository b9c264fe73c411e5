// The target-host page (host type of the generate set, or one of the enterprise's hosts) and
// the host page (a new host to create with the generate set) that the configuration wizards
// share. One implementation each; a traits table gives what differs from wizard to wizard
// (dialog, control ids, the page to jump to, how the host list is read). The pages create
// nothing: the wizard's creator reads their members after Finish.
#pragma once

#include "config/VqsWizardPage.h"
#include "proxy/PxTypedList.h"
#include "proxy/PxVQHostInformation.h"
#include "shell/VqsOptCtrlFlag.h"
#include "shell/VqsOptCtrlInt.h"
#include "shell/VqsOptCtrlRadio.h"
#include "shell/VqsOptCtrlString.h"
#include "shell/VqsTypedComboBox.h"

class VqsHostPage;
class VqsHostWizard;

struct VqsTargetHostPageTraits {
    UINT dialogId;
    // The radio buttons in the order Windows, UNIX, QSR, OS Tarsk, and the host combo.
    int windowsId;
    int unixId;
    int qsrId;
    int tarskId;
    int hostComboId;
    // Where Next jumps when no pack override is needed.
    UINT hostPageId;
    // The enterprise's hosts are read once, at the first activation; otherwise the model
    // reloads them at every fill.
    BOOL readHostsOnce;
};

struct VqsHostPageTraits {
    UINT dialogId;
    int nameId;
    int addressId;
    int portId;
    int doNotCreateId;
    // Where Back jumps when no pack override is needed.
    UINT targetPageId;
    // Where Back jumps when it is; 0 for the page before.
    UINT packPageId;
    // Next checks the name against the enterprise's hosts only after locking, and Finish
    // exchanges the values without checking the name.
    BOOL checkNameAfterLock;
};

class VqsTargetHostPage : public VqsWizardPage {
public:
    explicit VqsTargetHostPage(const VqsTargetHostPageTraits& traits);
    ~VqsTargetHostPage() override;

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    LRESULT OnWizardNext() override;
    BOOL OnWizardFinish() override;
    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo) override;

    // Whether the wizard's creator makes the host described on `hostPage`: only when no host
    // of the type exists (the host page was the way to Finish) and the user did not decline.
    // Finish on this page or on the pack page, offered while hosts of the type exist, never
    // makes one, whether a host was picked or not.
    BOOL CreatesHost(const VqsHostPage& hostPage) const;

    VqsHostWizard* m_pWizard = nullptr;
    int m_nHostType = VQHostNT;
    // The existing host picked in the list; empty when none is.
    CString m_strHostName;
    int m_bHostsOfTypeExist = 0;

protected:
    void OnTypeClicked(int hostType);
    void OnHostChanged();
    DWORD GetWizardButtons(int hostType) const;
    // Reads the hosts again and posts the buttons; the sheet is cancelled when it fails.
    void FillHostCombo();
    int CheckSegmentTargetHost() const;

private:
    void ShowHostType();
    void CollectHosts(PxTypedList<PxVQHostInformationPtr>& hosts) const;
    // The host type of the radio button with that id, -1 for any other id.
    int HostTypeOfButton(UINT id) const;

    const VqsTargetHostPageTraits& m_traits;
    VqsTypedComboBox_Host m_hostCombo{1};
    VqsOptCtrlRadio m_hostTypeRadio;
    PxTypedList<PxVQHostInformationPtr> m_hosts;
};

class VqsHostPage : public VqsWizardPage {
public:
    explicit VqsHostPage(const VqsHostPageTraits& traits);
    ~VqsHostPage() override;

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    LRESULT OnWizardBack() override;
    LRESULT OnWizardNext() override;
    BOOL OnWizardFinish() override;
    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo) override;

    VqsHostWizard* m_pWizard = nullptr;
    VqsOptCtrlString m_name;
    VqsOptCtrlString m_address;
    VqsOptCtrlInt m_port;
    VqsOptCtrlFlag m_doNotCreate;

    // The host name checked again against the enterprise's hosts.
    VqsNameTaken FindNameTaken();

protected:
    void OnDoNotCreate();
    void OnPortChanged();

private:
    // The port proposed for each host type while the wizard runs.
    UINT& RememberedPort(int hostType);
    DWORD GetWizardButtons() const;
    void EnableHostFields();
    // Trims the name and refuses an empty one; `checkUnique`: also a name another host has.
    int ValidateHost(BOOL checkUnique);
    int CheckHostNameUnique();
    // Whether another host has the name; throws when the hosts cannot be read.
    BOOL IsHostNameTaken() const;
    void ReleaseHostLocks();

    const VqsHostPageTraits& m_traits;
    UINT m_nPorts[4] = {};
    // The host lock bag holds the future-update lock taken by Next.
    int m_bLocksHeld = 0;
};

// The members of the New System, Add Business Segment and New Generate Set wizards.
class VqsSysGSHostPage : public VqsTargetHostPage {
public:
    static constexpr UINT IDD = 268;
    static constexpr int IDC_WINDOWS = 1416;
    static constexpr int IDC_UNIX = 1417;
    static constexpr int IDC_QSR = 1415;
    static constexpr int IDC_TARSK = 1414;
    static constexpr int IDC_HOST = 1473;

    VqsSysGSHostPage();
};

class VqsSysHostPage : public VqsHostPage {
public:
    static constexpr UINT IDD = 242;
    static constexpr int IDC_NAME = 1467;
    static constexpr int IDC_ADDRESS = 1469;
    static constexpr int IDC_PORT = 1471;
    static constexpr int IDC_DO_NOT_CREATE = 1477;

    VqsSysHostPage();
};

class VqsBSGSHostPage : public VqsTargetHostPage {
public:
    static constexpr UINT IDD = 163;
    static constexpr int IDC_WINDOWS = 1521;
    static constexpr int IDC_UNIX = 1522;
    static constexpr int IDC_QSR = 1520;
    static constexpr int IDC_TARSK = 1519;
    static constexpr int IDC_HOST = 1523;

    VqsBSGSHostPage();
};

class VqsBSHostPage : public VqsHostPage {
public:
    static constexpr UINT IDD = 267;
    static constexpr int IDC_NAME = 1508;
    static constexpr int IDC_ADDRESS = 1509;
    static constexpr int IDC_PORT = 1510;
    static constexpr int IDC_DO_NOT_CREATE = 1507;

    VqsBSHostPage();
};

class VqsGenSetHostPage : public VqsHostPage {
public:
    static constexpr UINT IDD = 245;
    static constexpr int IDC_NAME = 1354;
    static constexpr int IDC_ADDRESS = 1355;
    static constexpr int IDC_PORT = 1357;
    static constexpr int IDC_DO_NOT_CREATE = 1382;
    // The New Generate Set wizard's type page and list pack page.
    static constexpr UINT IDD_TYPE_PAGE = 244;
    static constexpr UINT IDD_PACK_PAGE = 288;

    VqsGenSetHostPage();
};
