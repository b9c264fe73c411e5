#include "config/VqsOpenPickers.h"

#include "config/VqsEditSession.h"
#include "model/VqsLockBag.h"
#include "model/VqsLockScope.h"
#include "model/VqsModelNode.h"
#include "model/VqsModelNodeEnterprise.h"
#include "model/VqsModelNodeLink.h"
#include "model/VqsModelNodeSystem.h"
#include "proxy/PxVQConfig.h"
#include "proxy/VqException.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsSysApp.h"

namespace {

constexpr UINT IDD_OPEN_SYSTEM = 248;
constexpr UINT IDD_OPEN_REPORT_GROUP = 249;
constexpr UINT IDD_OPEN_GENSET = 263;
constexpr UINT IDD_OPEN_BUNDLE = 830;
constexpr UINT IDD_GENERATE_BUNDLE = 301;
constexpr UINT IDS_SECURITY_VIOLATION = 61667;
constexpr UINT IDS_ITEM_DELETED = 61746;
constexpr int kRightToOpen = 2;

} // namespace

BEGIN_MESSAGE_MAP(VqsOpenPickerDlg, VqsDialog)
    ON_BN_CLICKED(VqsOpenPickerDlg::IDC_OPTIONS, &VqsOpenPickerDlg::OnOptions)
END_MESSAGE_MAP()

VqsOpenPickerDlg::VqsOpenPickerDlg(UINT templateId, VqsModelNode* start, CWnd* parent)
    : VqsDialog(templateId, parent), m_pStartNode(start)
{
}

BOOL VqsOpenPickerDlg::FillUnderReadLocks()
{
    VqsLockBag bag(VqsReadLock);
    VqsLockScope scope(VqsSessionLink());
    VqsModelNode* listed = GetListedNode();
    if (!listed || !bag.LockNode(listed))
        return FALSE;
    try {
        CObList siblings;
        GetSiblings(listed, siblings);
        for (POSITION pos = siblings.GetHeadPosition(); pos;) {
            if (!bag.LockNode(static_cast<VqsModelNode*>(siblings.GetNext(pos))))
                return FALSE;
        }
        if (!Fill(siblings))
            return FALSE;
        OnListFilled();
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_FILL_LIST, error);
        return FALSE;
    }
    return TRUE;
}

BOOL VqsOpenPickerDlg::OnInitDialog()
{
    VqsDialog::OnInitDialog();
    m_options.SubclassDlgItem(IDC_OPTIONS, this);
    if (!FillUnderReadLocks()) {
        EndDialog(IDCANCEL);
        return TRUE;
    }
    UpdateData(FALSE);
    return TRUE;
}

void VqsOpenPickerDlg::CloseWith(int buttonId)
{
    if (!TakeSelection())
        return;
    VqsSysApp* app = VqsGetApp();
    if (!app || !app->HasRight(kRightToOpen)) {
        VqsMessageBoxId(IDS_SECURITY_VIOLATION);
        EndDialog(IDCANCEL);
        return;
    }
    EndDialog(buttonId);
}

VqsOpenSystemDlg::VqsOpenSystemDlg(VqsModelNode* start, CWnd* parent)
    : VqsOpenPicker(IDD_OPEN_SYSTEM, 1494, start, parent)
{
}

VqsModelNode* VqsOpenSystemDlg::GetListedNode() { return m_pStartNode->GetRoot(); }

void VqsOpenSystemDlg::GetSiblings(VqsModelNode* listed, CObList& out)
{
    auto* root = static_cast<VqsModelNodeEnterprise*>(listed);
    root->LoadSystems(VqsLoadCached);
    root->GetSystemNodes(out);
}

VqsOpenGenSetDlg::VqsOpenGenSetDlg(VqsModelNode* start, CWnd* parent)
    : VqsOpenPicker(IDD_OPEN_GENSET, 1497, start, parent)
{
}

VqsModelNode* VqsOpenGenSetDlg::GetListedNode() { return m_pStartNode->GetParent(); }

void VqsOpenGenSetDlg::GetSiblings(VqsModelNode* listed, CObList& out)
{
    auto* config = static_cast<VqsModelNodeConfig*>(listed);
    config->LoadOptionSets(VqsLoadCached);
    config->GetOptionSetNodes(out);
}

VqsOpenRepGroupDlg::VqsOpenRepGroupDlg(VqsModelNode* start, CWnd* parent)
    : VqsOpenPicker(IDD_OPEN_REPORT_GROUP, 1496, start, parent)
{
}

VqsModelNode* VqsOpenRepGroupDlg::GetListedNode() { return m_pStartNode->GetParent(); }

void VqsOpenRepGroupDlg::GetSiblings(VqsModelNode* listed, CObList& out)
{
    auto* link = static_cast<VqsModelNodeBSLink*>(listed);
    link->LoadReportGroups(VqsLoadCached);
    link->GetReportGroupNodes(out);
}

BEGIN_MESSAGE_MAP(VqsOpenBundleDlg, VqsOpenBundlePicker)
    ON_BN_CLICKED(VqsOpenPickerDlg::IDC_ISPECS_IN_BUNDLE, &VqsOpenBundleDlg::OnIspecsInBundle)
    ON_CBN_SELCHANGE(1806, &VqsOpenBundleDlg::OnListFilled)
END_MESSAGE_MAP()

VqsOpenBundleDlg::VqsOpenBundleDlg(VqsModelNode* start, CWnd* parent)
    : VqsOpenPicker(IDD_OPEN_BUNDLE, 1806, start, parent)
{
}

BOOL VqsOpenBundleDlg::OnInitDialog()
{
    m_ispecs.SubclassDlgItem(IDC_ISPECS_IN_BUNDLE, this);
    return VqsOpenBundlePicker::OnInitDialog();
}

VqsModelNode* VqsOpenBundleDlg::GetListedNode() { return m_pStartNode->GetParent(); }

void VqsOpenBundleDlg::GetSiblings(VqsModelNode* listed, CObList& out)
{
    auto* link = static_cast<VqsModelNodeBSLink*>(listed);
    link->LoadBundles(VqsLoadCached);
    const PxVQConfigPtr config = link->GetConfigNode() ? link->GetConfigNode()->GetConfig() : PxVQConfigPtr();
    m_bOldConfig = config && config->_IsKindOf("PxVQOldConfig");
    link->GetBundleNodes(out);
}

void VqsOpenBundleDlg::OnListFilled()
{
    BOOL offer = FALSE;
    if (!m_bOldConfig) {
        const PxVQBundlePtr bundle = m_combo.GetSelected();
        offer = bundle && !bundle->GetContainsAllIspecs();
    }
    m_ispecs.EnableWindow(offer);
}

BEGIN_MESSAGE_MAP(VqsOpenGenerateBundleDlg, VqsDialog)
    ON_CBN_SELCHANGE(VqsOpenGenerateBundleDlg::IDC_BUNDLE, &VqsOpenGenerateBundleDlg::OnBundleChanged)
    ON_CBN_SELCHANGE(VqsOpenGenerateBundleDlg::IDC_OPTION_SET, &VqsOpenGenerateBundleDlg::OnOptionSetChanged)
END_MESSAGE_MAP()

VqsOpenGenerateBundleDlg::VqsOpenGenerateBundleDlg(VqsModelNodeConfig* config, VqsModelNodeBSLink* link,
                                                   CWnd* parent)
    : VqsDialog(IDD_GENERATE_BUNDLE, parent), m_pConfigNode(config), m_pLinkNode(link)
{
}

void VqsOpenGenerateBundleDlg::DoDataExchange(CDataExchange* pDX)
{
    VqsDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_BUNDLE, m_bundleBox);
    DDX_Control(pDX, IDC_OPTION_SET, m_optionSetBox);
}

BOOL VqsOpenGenerateBundleDlg::LockAndFill()
{
    VqsLockScope scope(VqsSessionLink());
    VqsLockBag bag(VqsReadLock);
    if (!bag.LockNode(m_pConfigNode) || !bag.LockNode(m_pLinkNode))
        return FALSE;
    if (bag.ReportDeleted(IDS_ITEM_DELETED, m_pConfigNode) || bag.ReportDeleted(IDS_ITEM_DELETED, m_pLinkNode))
        return FALSE;
    return m_optionSetBox.Fill(m_optionSets, m_pOptionSet) && m_bundleBox.Fill(m_bundles, m_pBundle);
}

BOOL VqsOpenGenerateBundleDlg::OnInitDialog()
{
    VqsDialog::OnInitDialog();
    UpdateData(FALSE);
    if (!LockAndFill()) {
        EndDialog(IDCANCEL);
        return TRUE;
    }
    return TRUE;
}
