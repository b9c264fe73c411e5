#include "config/VqsOptionsSystemDlg.h"

#include "config/VqsConfigNames.h"
#include "model/VqsLockBag.h"
#include "model/VqsLockScope.h"
#include "model/VqsModelNodeEnterprise.h"
#include "model/VqsModelNodeSystem.h"
#include "model/VqsTransactionSystem.h"
#include "proxy/VqException.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsSysApp.h"
#include "win/CDataExchange.h"

namespace {

constexpr UINT IDD_SYSTEM_OPTIONS = 142;
constexpr UINT IDS_NAME_NOT_UNIQUE = 61464;
constexpr UINT IDS_CANNOT_ACCESS_SYSTEM = 61643;
constexpr int kDescriptionLength = 30;
constexpr int kIdentifierLength = 20;
constexpr int kValidatorID = 1;

} // namespace

BEGIN_MESSAGE_MAP(VqsOptionsSystemDlg, VqsDialog)
    ON_EN_CHANGE(VqsOptionsSystemDlg::IDC_NAME, &VqsOptionsSystemDlg::OnNameChanged)
    ON_EN_CHANGE(VqsOptionsSystemDlg::IDC_SHORT_NAME, &VqsOptionsSystemDlg::OnShortNameChanged)
    ON_EN_CHANGE(VqsOptionsSystemDlg::IDC_DESCRIPTION, &VqsOptionsSystemDlg::OnDescriptionChanged)
    ON_EN_CHANGE(VqsOptionsSystemDlg::IDC_RUNTIME_VERSION_ID, &VqsOptionsSystemDlg::OnIdentifierChanged)
    ON_BN_CLICKED(VqsOptionsSystemDlg::IDC_RESET_REPORT_COUNT, &VqsOptionsSystemDlg::OnResetReportCountClicked)
    ON_BN_CLICKED(VqsOptionsSystemDlg::IDC_RESET_VERSION_COUNTS, &VqsOptionsSystemDlg::OnResetVersionCountsClicked)
END_MESSAGE_MAP()

VqsOptionsSystemDlg::VqsOptionsSystemDlg(VqsLockBag* bag, VqsModelNodeSystem* system, const PxObjectEdition& edition,
                                         CWnd* parent)
    : VqsDialog(IDD_SYSTEM_OPTIONS, parent),
      m_name(&m_connector, IDC_NAME, m_bLongNames ? kVqsLongNameLength : kVqsSystemNameLength,
             m_bLongNames ? 0 : kValidatorID),
      m_shortName(&m_connector, IDC_SHORT_NAME, kVqsSystemNameLength, kValidatorID),
      m_description(&m_connector, IDC_DESCRIPTION, kDescriptionLength, 0),
      m_identifier(&m_connector, IDC_RUNTIME_VERSION_ID, kIdentifierLength, 0),
      m_resetVersionCounts(&m_connector, IDC_RESET_VERSION_COUNTS),
      m_resetReportCount(&m_connector, IDC_RESET_REPORT_COUNT), m_pSystemNode(system), m_pBag(bag),
      m_edition(edition), m_session(this, &m_okButton, IDS_CANNOT_ACCESS_SYSTEM, [this] { return LoadSystem(); })
{
}

void VqsOptionsSystemDlg::DoDataExchange(CDataExchange* pDX)
{
    VqsDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDOK, m_okButton);
}

// The identifier is shown with shift marks around its double-byte runs, within the field's
// own length.
BOOL VqsOptionsSystemDlg::LoadSystem()
{
    const PxVQSystemPtr system = m_pSystemNode->GetSystem();
    m_strLoadedIdentifier = system->GetRuntimeVersionIdentifier();
    if (m_bLongNames) {
        m_name.SetValue(system->GetLongName());
        m_shortName.SetValue(system->GetName());
    } else {
        m_name.SetValue(system->GetName());
        m_shortName.SetValue("");
    }
    m_description.SetValue(system->GetDescription());
    m_resetReportCount.SetCheck(system->GetResetReportCount());
    m_resetVersionCounts.SetCheck(system->GetResetVersionNumber());
    if (m_identifier.ContainsKanji(m_strLoadedIdentifier))
        m_identifier.SetValue(VqsWithShiftMarks(m_identifier, m_strLoadedIdentifier, kIdentifierLength));
    else
        m_identifier.SetValue(m_strLoadedIdentifier);
    UpdateData(FALSE);
    return TRUE;
}

BOOL VqsOptionsSystemDlg::OnInitDialog()
{
    VqsDialog::OnInitDialog();
    if (!m_bLongNames)
        m_shortName.Show(FALSE);
    m_session.Record(m_pSystemNode, m_edition);
    m_session.LoadOpened(*m_pBag, IDS_CANNOT_ACCESS_SYSTEM, [this] { return LoadSystem(); });
    return TRUE;
}

BOOL VqsOptionsSystemDlg::AreNamesFree(const CString& name, const CString& shortName, VqsLockBag& bag)
{
    VqsModelNodeEnterprise* root = m_pSystemNode->GetRoot();
    {
        VqsLockScope scope(VqsSessionLink());
        if (!bag.LockNode(root))
            return FALSE;
    }
    try {
        root->Refresh();
        root->LoadSystems(VqsLoadReread);
        PxTypedList<PxVQSystemPtr> systems;
        root->GetPresentSystems(systems);
        const PxVQSystemPtr self = m_pSystemNode->GetSystem();
        for (POSITION pos = systems.GetHeadPosition(); pos;) {
            const PxVQSystemPtr other = systems.GetNext(pos);
            if (other->IsSameOid(self))
                continue;
            int conflict = 0;
            if (m_bLongNames && VqsSameName(other->GetName(), shortName))
                conflict = IDC_SHORT_NAME;
            else if (VqsSameName(m_bLongNames ? other->GetLongName() : other->GetName(), name))
                conflict = IDC_NAME;
            if (conflict) {
                bag.Release();
                GotoDlgCtrl(GetDlgItem(conflict));
                VqsErrorBoxId(IDS_NAME_NOT_UNIQUE);
                return FALSE;
            }
        }
    } catch (const VqReportableException& error) {
        bag.Release();
        ShowErrorById(IDS_CANNOT_ACCESS_SYSTEM, error);
        return FALSE;
    }
    return TRUE;
}

// The identifier is stored, and compared with the loaded one, without shift marks, whether
// the user edited it or not.
BOOL VqsOptionsSystemDlg::Save(const CString& name, const CString& shortName)
{
    const CString identifier = VqsWithoutShiftMarks(m_identifier.GetValue());
    {
        VqsTransactionSystem transaction(m_pSystemNode->GetSystem());
        transaction.SetSystemSpec(name, shortName, m_description.GetValue(), identifier, m_strLoadedIdentifier,
                                  m_resetReportCount.IsChecked(), m_resetVersionCounts.IsChecked());
    }
    return VqsEditWritten(m_pSystemNode);
}

void VqsOptionsSystemDlg::OnOK()
{
    VqsDialogCtrlConnector::StrictControl strict = m_connector.MakeStrict();
    if (m_session.HasNothingToSave()) {
        OnCancel();
        return;
    }
    if (!UpdateData(TRUE))
        return;
    CString name;
    CString shortName;
    if (!VqsTakeNames(this, m_bLongNames, m_name, IDC_NAME, m_shortName, kVqsSystemNameLength, name, shortName))
        return;
    VqsLockBag enterprise(VqsWriteLock);
    const auto lockEnterprise = [&] {
        VqsLockScope scope(VqsSessionLink());
        return enterprise.LockNode(m_pSystemNode->GetRoot());
    };
    if (!m_session.LockForWriteAfter(lockEnterprise) || !AreNamesFree(name, shortName, enterprise)) {
        m_session.Release();
        return;
    }
    const BOOL saved = Save(name, shortName);
    m_session.Release();
    if (saved)
        CDialog::OnOK();
}
