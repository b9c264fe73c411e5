#include "hosts/VqsHostSpecDlg.h"

#include "hosts/VqsFTPPasswordDlg.h"
#include "model/VqsLockBag.h"
#include "model/VqsLockScope.h"
#include "model/VqsModel.h"
#include "model/VqsModelNodeEnterprise.h"
#include "model/VqsModelNodeHost.h"
#include "model/VqsTransactionHostInfo.h"
#include "proxy/VqException.h"
#include "shell/VqsDisplayNames.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsSysApp.h"
#include "win/CDataExchange.h"

#include <cstring>

namespace {

constexpr UINT IDD_HOST_SPEC = 140;
constexpr UINT IDS_SPECIFY_NAME_AND_ADDRESS = 61461;
constexpr UINT IDS_HOST_NAME_EXISTS = 61463;
constexpr UINT IDS_CANNOT_COLLECT_HOST = 61494;
constexpr UINT IDS_CANNOT_ACCESS_HOSTS = 61549;
constexpr UINT IDS_ITEM_DELETED = 61746;
constexpr UINT IDS_CONTENTS_CHANGED = 61747;
constexpr UINT IDS_KANA_MODE_WARNING = 62134;
constexpr int kNameLength = 50;
constexpr int kAddressLength = 62;
constexpr int kPortDigits = 5;
constexpr int kLowestPort = 1;
constexpr int kHighestPort = 65535;

PxVQLink* SessionLink()
{
    VqsSysApp* app = VqsGetApp();
    return app ? app->GetLink() : nullptr;
}

} // namespace

int VqsFtpUserIdLimit(int hostType)
{
    switch (hostType) {
    case VQHostQSR:
        return 17;
    case VQHostTarsk:
        return 12;
    case VQHostUnix:
        return 32;
    default:
        return 0;
    }
}

CString VqsHostTypeTitle(const CString& format, int hostType)
{
    CString title = format;
    const int at = title.Find("%s");
    if (at >= 0)
        title = title.Left(at) + VqsGetHostTypeName(hostType) + title.Mid(at + 2);
    return title;
}

BEGIN_MESSAGE_MAP(VqsHostSpecDlg, VqsDialog)
    ON_BN_CLICKED(VqsHostSpecDlg::IDC_PASSWORD, &VqsHostSpecDlg::OnPassword)
    ON_BN_CLICKED(VqsHostSpecDlg::IDC_KANA_WITH, &VqsHostSpecDlg::OnKanaClicked)
    ON_BN_CLICKED(VqsHostSpecDlg::IDC_KANA_WITHOUT, &VqsHostSpecDlg::OnKanaClicked)
    ON_EN_CHANGE(VqsHostSpecDlg::IDC_USER_ID, &VqsHostSpecDlg::OnUserIdChanged)
    ON_EN_CHANGE(VqsHostSpecDlg::IDC_ADDRESS, &VqsHostSpecDlg::OnAddressChanged)
    ON_EN_CHANGE(VqsHostSpecDlg::IDC_NAME, &VqsHostSpecDlg::OnNameChanged)
    ON_EN_CHANGE(VqsHostSpecDlg::IDC_PORT, &VqsHostSpecDlg::OnPortChanged)
END_MESSAGE_MAP()

VqsHostSpecDlg::VqsHostSpecDlg(VqsLockBag* bag, VqsModelNodeEnterprise* enterprise, VqsModelNodeHost* host,
                               const PxObjectEdition& edition, CWnd* parent)
    : VqsDialog(IDD_HOST_SPEC, parent), m_name(&m_connector, IDC_NAME, kNameLength, 0),
      m_address(&m_connector, IDC_ADDRESS, kAddressLength, 0), m_userId(&m_connector, IDC_USER_ID, -1, 0),
      m_port(&m_connector, IDC_PORT), m_kanaMode(&m_connector, IDC_KANA_WITH, IDC_KANA_WITHOUT),
      m_pEnterprise(enterprise), m_pHost(host), m_pBag(bag), m_edition(edition)
{
    m_port.SetMinimum(kLowestPort);
    m_port.SetMaximum(kHighestPort);
}

VqsHostSpecDlg::~VqsHostSpecDlg() = default;

void VqsHostSpecDlg::DoDataExchange(CDataExchange* pDX)
{
    VqsDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDOK, m_okButton);
}

void VqsHostSpecDlg::LoadFromHost()
{
    const PxVQHostInformationPtr host = m_pHost->GetHostInformation();
    m_name.SetValue(host->GetName());
    m_address.SetValue(host->GetAddress());
    m_port.SetValue(std::max<LONGLONG>(host->GetPortNumber(), kLowestPort));
    m_userId.SetValue(host->GetFtpUserid());
    m_kanaMode.m_nValue = host->GetQsr_kana_Mode();
    // Read as the password itself whatever the setting, so that choosing the same password
    // again is no change; read with the setting's flag 0 it would be the cipher text of an
    // enciphered password.
    m_strPassword = host->GetFtpPassword(1);
    m_bPasswordChosen = FALSE;
    m_nHostType = host->GetHostType();
    if (const int limit = VqsFtpUserIdLimit(m_nHostType))
        m_userId.SetMaxLength(limit);
    if (m_nHostType == VQHostQSR)
        m_nLoadedKanaMode = m_kanaMode.m_nValue;
    m_edition = host->GetObjectEdition();
    m_strLoadedName = m_name.GetValue();
}

BOOL VqsHostSpecDlg::OnInitDialog()
{
    VqsDialog::OnInitDialog();
    try {
        LoadFromHost();
    } catch (const VqReportableException& error) {
        m_pBag->Release();
        ShowErrorById(IDS_CANNOT_COLLECT_HOST, error);
        EndDialog(IDCANCEL);
        return FALSE;
    }
    m_pBag->Release();
    UpdateData(FALSE);
    CString format;
    GetWindowText(format);
    SetWindowText(VqsHostTypeTitle(format, m_nHostType));
    GotoDlgCtrl(GetDlgItem(IDC_NAME));
    m_port.SetTextLimit(kPortDigits, 0);
    if (m_nHostType != VQHostQSR) {
        for (int id : {IDC_KANA_GROUP, IDC_KANA_WITH, IDC_KANA_WITHOUT}) {
            if (CWnd* control = GetDlgItem(id))
                control->ShowWindow(SW_HIDE);
        }
    }
    return FALSE;
}

BOOL VqsHostSpecDlg::BeginEdit(BOOL* reloaded)
{
    *reloaded = FALSE;
    if (m_bClosed)
        return FALSE;
    if (m_bEditBegun)
        return TRUE;
    // The enterprise is left to OK's own lock: held from the first change it would keep every
    // other user's step that writes the enterprise waiting while the dialog stays open.
    m_pBag->Drop(m_pEnterprise);
    {
        VqsLockScope scope(SessionLink());
        if (!m_pBag->LockObjects(VqsFutureUpdateLock))
            return FALSE;
    }
    m_bEditBegun = TRUE;
    if (m_pBag->ReportDeleted(IDS_ITEM_DELETED, m_pHost)) {
        m_bClosed = TRUE;
        m_okButton.EnableWindow(FALSE);
        return FALSE;
    }
    if (!m_edition.IsLatestEdition()) {
        VqsMessageBoxId(IDS_CONTENTS_CHANGED);
        m_pHost->Refresh();
        LoadFromHost();
        UpdateData(FALSE);
        *reloaded = TRUE;
    }
    return TRUE;
}

void VqsHostSpecDlg::OnFieldChanged(VqsOptCtrl& binder)
{
    if (!binder.SaveStateAndCompare())
        return;
    BOOL reloaded = FALSE;
    if (!BeginEdit(&reloaded)) {
        if (!reloaded)
            binder.Revert();
        return;
    }
    if (UpdateData(TRUE))
        m_bModified = TRUE;
    else
        binder.Revert();
}

void VqsHostSpecDlg::OnPassword()
{
    BOOL reloaded = FALSE;
    if (!BeginEdit(&reloaded))
        return;
    VqsFTPPasswordDlg dialog(this);
    if (dialog.DoModal() != IDOK)
        return;
    const CString password = dialog.GetPassword();
    if (std::strcmp(password.GetString(), m_strPassword.GetString()) != 0) {
        m_bModified = TRUE;
        m_bPasswordChosen = TRUE;
    }
    m_strPassword = password;
}

void VqsHostSpecDlg::Refuse(UINT messageId, int controlId)
{
    VqsErrorBoxId(messageId);
    GotoDlgCtrl(GetDlgItem(controlId));
}

BOOL VqsHostSpecDlg::LockAndCheck(VqsLockBag& bag, const CString& name)
{
    {
        VqsLockScope scope(SessionLink());
        if (!bag.LockNode(m_pEnterprise) || !bag.LockNode(m_pHost))
            return FALSE;
    }
    if (!bag.Contains(m_pHost)) {
        bag.ReleaseAll();
        bag.ReportDeleted(IDS_ITEM_DELETED, m_pHost);
        m_bClosed = TRUE;
        m_okButton.EnableWindow(FALSE);
        return FALSE;
    }
    if (!m_edition.IsLatestEdition()) {
        bag.ReleaseAll();
        VqsMessageBoxId(IDS_CONTENTS_CHANGED);
        m_pHost->Refresh();
        LoadFromHost();
        UpdateData(FALSE);
        return FALSE;
    }
    return IsNameFree(name, bag);
}

BOOL VqsHostSpecDlg::IsNameFree(const CString& name, VqsLockBag& held)
{
    if (std::strcmp(name.GetString(), m_strLoadedName.GetString()) == 0)
        return TRUE;
    try {
        m_pEnterprise->Refresh();
        m_pEnterprise->LoadHosts(VqsLoadReread);
        if (m_pEnterprise->FindHostByName(name, m_pHost)) {
            held.ReleaseAll();
            Refuse(IDS_HOST_NAME_EXISTS, IDC_NAME);
            return FALSE;
        }
    } catch (const VqReportableException& error) {
        held.ReleaseAll();
        ShowErrorById(IDS_CANNOT_ACCESS_HOSTS, error);
        return FALSE;
    }
    return TRUE;
}

BOOL VqsHostSpecDlg::ConfirmUpdate()
{
    CObList nodes;
    nodes.AddTail(m_pHost);
    VqsLockBag nothingHeld(VqsReadLock);
    return m_pHost->GetModel()->DeleteNodes(nothingHeld, nodes, false) ? TRUE : FALSE;
}

BOOL VqsHostSpecDlg::Save(const CString& name, const CString& address)
{
    {
        VqsTransactionHostInfo transaction(m_pHost->GetHostInformation());
        transaction.SetHostName(name);
        // A password the user did not change is left exactly as stored.
        transaction.SetHostSpec(address, m_port.GetValue(), m_userId.GetValue(),
                                m_bPasswordChosen ? m_strPassword.GetString() : nullptr, m_kanaMode.m_nValue);
    }
    if (!VqsTransaction::IsOk()) {
        VqsTransaction::RereadAfterFailure([this] { m_pHost->Refresh(); });
        return FALSE;
    }
    m_pHost->NotifyChanged();
    return TRUE;
}

void VqsHostSpecDlg::OnOK()
{
    VqsDialogCtrlConnector::StrictControl strict = m_connector.MakeStrict();
    if (m_bClosed || !m_bModified) {
        OnCancel();
        return;
    }
    if (!UpdateData(TRUE))
        return;
    m_name.TrimLeftValue();
    m_name.TrimRightValue();
    m_address.TrimLeftValue();
    m_address.TrimRightValue();
    UpdateData(FALSE);
    const CString name = m_name.GetValue();
    const CString address = m_address.GetValue();
    if (name.IsEmpty() || address.IsEmpty()) {
        Refuse(IDS_SPECIFY_NAME_AND_ADDRESS, name.IsEmpty() ? IDC_NAME : IDC_ADDRESS);
        return;
    }
    if (m_nHostType == VQHostQSR && m_kanaMode.m_nValue != m_nLoadedKanaMode)
        VqsMessageBoxId(IDS_KANA_MODE_WARNING);
    // The future update of the first change is given up before anything is waited for:
    // kept, it would keep a page that holds the enterprise waiting for it while this waits
    // for that page (the order of VqsModel::LockForCreation). A name taken or a host gone is
    // told before the changed-options question, which is asked holding nothing: a user who
    // leaves it open keeps no other user's step waiting. The checks are made again under
    // the writes, which find what another user wrote meanwhile.
    m_pBag->ReleaseAll();
    {
        VqsLockBag read(VqsReadLock);
        if (!LockAndCheck(read, name))
            return;
    }
    if (!ConfirmUpdate())
        return;
    VqsLockBag write(VqsWriteLock);
    if (LockAndCheck(write, name) && Save(name, address))
        CDialog::OnOK();
}
