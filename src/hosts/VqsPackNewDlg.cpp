#include "hosts/VqsPackNewDlg.h"

#include "model/VqsModelNodeEnterprise.h"
#include "model/VqsModelNodeHost.h"
#include "shell/VqsMsgBox.h"
#include "win/MbString.h"

namespace {

constexpr UINT IDD_NEW_PACK = 241;
constexpr UINT IDS_NAME_NOT_UNIQUE = 61464;
constexpr UINT IDS_ENTER_CORRECT_NAME = 61465;
constexpr UINT IDS_DEFAULT_RESERVED = 61872;
constexpr int kNameLength = 17;
constexpr int kValidatorID = 1;
constexpr const char* kReservedName = "default";

} // namespace

BEGIN_MESSAGE_MAP(VqsPackNewDlg, VqsDialog)
    ON_BN_CLICKED(VqsPackNewDlg::IDC_NOT_DEFINED, &VqsPackNewDlg::OnNotDefined)
    ON_BN_CLICKED(VqsPackNewDlg::IDC_DISK_PATH, &VqsPackNewDlg::OnDiskPath)
    ON_BN_CLICKED(VqsPackNewDlg::IDC_TABLESPACE, &VqsPackNewDlg::OnTablespace)
END_MESSAGE_MAP()

VqsPackNewDlg::VqsPackNewDlg(VqsModelNodeEnterprise* enterprise, const PxObjectEdition& enterpriseEdition,
                             CWnd* parent)
    : VqsDialog(IDD_NEW_PACK, parent), m_name(&m_connector, IDC_NAME, kNameLength, kValidatorID),
      m_typeButtons(&m_connector, IDC_NOT_DEFINED, IDC_TABLESPACE, IDC_DISK_PATH), m_pEnterprise(enterprise),
      m_enterpriseEdition(enterpriseEdition)
{
}

VqsPackNewDlg::~VqsPackNewDlg() = default;

void VqsPackNewDlg::DoDataExchange(CDataExchange* pDX) { VqsDialog::DoDataExchange(pDX); }

void VqsPackNewDlg::RefuseName(UINT messageId)
{
    VqsErrorBoxId(messageId);
    GotoDlgCtrl(GetDlgItem(IDC_NAME));
}

std::function<void()> VqsPackNewDlg::FindNameTaken()
{
    if (!m_enterpriseEdition.IsLatestEdition()) {
        m_pEnterprise->Refresh();
        m_pEnterprise->LoadPacks(VqsLoadDropVanished);
        m_enterpriseEdition = m_pEnterprise->GetEnterprise()->GetObjectEdition();
    }
    CObList packs;
    m_pEnterprise->GetPackNodes(packs);
    for (POSITION pos = packs.GetHeadPosition(); pos;) {
        auto* pack = static_cast<VqsModelNodePack*>(packs.GetNext(pos));
        if (_mbsicmp(pack->GetName(), m_strCheckedName) == 0)
            return [this] { RefuseName(IDS_NAME_NOT_UNIQUE); };
    }
    return {};
}

void VqsPackNewDlg::OnOK()
{
    VqsDialogCtrlConnector::StrictControl strict = m_connector.MakeStrict();
    if (!UpdateData(TRUE))
        return;
    CString name = m_name.GetValue();
    name.Trim();
    UpdateData(FALSE);
    if (_mbsicmp(name, kReservedName) == 0) {
        VqsErrorBoxId(IDS_DEFAULT_RESERVED);
        return;
    }
    if (name.IsEmpty()) {
        RefuseName(IDS_ENTER_CORRECT_NAME);
        return;
    }
    // The pack is created under the name that was checked, not one with blanks around it.
    m_strCheckedName = name;
    if (m_creation && !m_creation())
        return;
    CDialog::OnOK();
}
