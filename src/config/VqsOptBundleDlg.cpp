#include "config/VqsOptBundleDlg.h"

#include "config/VqsConfigNames.h"
#include "config/VqsEditSession.h"
#include "model/VqsBundleIspecs.h"
#include "model/VqsLockScope.h"
#include "model/VqsModel.h"
#include "model/VqsModelNodeGroups.h"
#include "model/VqsModelNodeLink.h"
#include "model/VqsModelNodeOSet.h"
#include "model/VqsModelNodeSystem.h"
#include "model/VqsTransactionBundle.h"
#include "proxy/PxBSegOptions.h"
#include "proxy/PxLSEBusinessSegment.h"
#include "proxy/PxLSEEnterprise.h"
#include "proxy/VqException.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsSysApp.h"
#include "win/CDataExchange.h"

namespace {

constexpr UINT IDD_BUNDLE_OPTIONS = 831;
constexpr UINT IDS_NAME_NOT_UNIQUE = 61464;
constexpr UINT IDS_ENTER_CORRECT_NAME = 61465;
constexpr UINT IDS_ITEM_DELETED = 61746;
constexpr UINT IDS_CONTENTS_CHANGED = 61747;
constexpr UINT IDS_ADD_TARGET_DELETED = 61755;
constexpr UINT IDS_CANNOT_CREATE_BUNDLE = 61883;
constexpr UINT IDS_CANNOT_ACCESS_BUNDLES = 61889;
constexpr UINT IDS_CHECK_AN_ENTRY = 61891;
constexpr UINT IDS_CANNOT_COLLECT_BUNDLES = 61892;
constexpr int kNameLength = 30;
constexpr int kDescriptionLength = 30;
constexpr int kClassLength = 120;
constexpr int kValidatorJavaVariableNoCase = 7;
constexpr int kValidatorJavaEmbeddedNoCase = 8;
constexpr int kUserDefined = 1;

void Trim(VqsOptCtrlString& binder)
{
    binder.TrimLeftValue();
    binder.TrimRightValue();
}

} // namespace

BOOL VqsBundleListNames(const CString& bundles, const CString& name)
{
    int start = 0;
    for (int comma = bundles.Find(',', start); comma >= 0; comma = bundles.Find(',', start)) {
        if (bundles.Mid(start, comma - start) == name)
            return TRUE;
        start = comma + 1;
    }
    return FALSE;
}

VqsBundleDlgBase::VqsBundleDlgBase(CWnd* parent)
    : VqsDialog(IDD_BUNDLE_OPTIONS, parent),
      m_name(&m_connector, IDC_NAME, kNameLength, kValidatorJavaVariableNoCase),
      m_description(&m_connector, IDC_DESCRIPTION, kDescriptionLength, 0),
      m_containsAll(&m_connector, IDC_CONTAINS_ALL), m_gettersSetters(&m_connector, IDC_GETTERS_SETTERS),
      m_generateViews(&m_connector, IDC_GENERATE_VIEWS),
      m_viewGenerator(&m_connector, IDC_VIEW_DEFAULT, IDC_VIEW_USER_DEFINED),
      m_viewClass(&m_connector, IDC_VIEW_CLASS, kClassLength, kValidatorJavaEmbeddedNoCase),
      m_generateInterface(&m_connector, IDC_GENERATE_INTERFACE),
      m_interfaceGenerator(&m_connector, IDC_INTERFACE_DEFAULT, IDC_INTERFACE_USER_DEFINED),
      m_interfaceClass(&m_connector, IDC_INTERFACE_CLASS, kClassLength, kValidatorJavaEmbeddedNoCase)
{
}

void VqsBundleDlgBase::DoDataExchange(CDataExchange* pDX)
{
    VqsDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LANGUAGES, m_languages);
}

void VqsBundleDlgBase::FillLanguages(const PxVQBSSoftLinkPtr& link, const PxVQBundlePtr& selectedBy)
{
    m_languages.ResetContent();
    m_slots.clear();
    for (int slot = 1; slot <= VqsLanguageSlotCount; ++slot) {
        const CString language = link->GetLanguage(slot);
        if (language.IsEmpty())
            continue;
        const int row = m_languages.AddString(language);
        m_languages.SetCheck(row, selectedBy ? selectedBy->GetLanguageSelection(slot) != 0 : 1);
        m_slots.push_back(slot - 1);
    }
}

void VqsBundleDlgBase::ApplyViewRules()
{
    const BOOL generate = m_generateViews.IsChecked();
    EnableViewControls(generate);
    m_languages.EnableWindow(generate && m_languages.GetCount() > 1);
}

void VqsBundleDlgBase::EnableViewControls(BOOL enable)
{
    m_viewGenerator.Enable(enable);
    m_viewClass.Enable(enable && m_viewGenerator.GetCheckedIndex() == kUserDefined);
}

void VqsBundleDlgBase::ApplyInterfaceRules() { EnableInterfaceControls(m_generateInterface.IsChecked()); }

void VqsBundleDlgBase::EnableInterfaceControls(BOOL enable)
{
    m_interfaceGenerator.Enable(enable);
    m_interfaceClass.Enable(enable && m_interfaceGenerator.GetCheckedIndex() == kUserDefined);
}

void VqsBundleDlgBase::Refuse(UINT messageId, int controlId)
{
    GotoDlgCtrl(GetDlgItem(controlId));
    VqsErrorBoxId(messageId);
}

BOOL VqsBundleDlgBase::CheckEntries(BOOL requireName, int flags[VqsLanguageSlotCount])
{
    Trim(m_name);
    Trim(m_viewClass);
    Trim(m_interfaceClass);
    UpdateData(FALSE);
    if (requireName && m_name.GetValue().IsEmpty()) {
        Refuse(IDS_ENTER_CORRECT_NAME, IDC_NAME);
        return FALSE;
    }
    BOOL anyChecked = FALSE;
    for (int slot = 0; slot < VqsLanguageSlotCount; ++slot)
        flags[slot] = 0;
    for (int row = 0; row < m_languages.GetCount() && row < static_cast<int>(m_slots.size()); ++row) {
        if (m_languages.GetCheck(row)) {
            flags[m_slots[static_cast<std::size_t>(row)]] = 1;
            anyChecked = TRUE;
        }
    }
    if (m_generateViews.IsChecked()) {
        if (!anyChecked) {
            Refuse(IDS_CHECK_AN_ENTRY, IDC_LANGUAGES);
            return FALSE;
        }
        if (m_viewGenerator.GetCheckedIndex() == kUserDefined && m_viewClass.GetValue().IsEmpty()) {
            Refuse(IDS_ENTER_CORRECT_NAME, IDC_VIEW_CLASS);
            return FALSE;
        }
    }
    if (m_generateInterface.IsChecked() && m_interfaceGenerator.GetCheckedIndex() == kUserDefined &&
        m_interfaceClass.GetValue().IsEmpty()) {
        Refuse(IDS_ENTER_CORRECT_NAME, IDC_INTERFACE_CLASS);
        return FALSE;
    }
    return TRUE;
}

BOOL VqsBundleDlgBase::IsNameTaken(VqsModelNodeBSLink* link, const PxVQBundlePtr& self, const CString& name)
{
    CObList nodes;
    link->GetBundleNodes(nodes);
    for (POSITION pos = nodes.GetHeadPosition(); pos;) {
        const PxVQBundlePtr other = static_cast<VqsModelNodeBundle*>(nodes.GetNext(pos))->GetBundle();
        if (!other || !other->ObjectPresent() || (self && other->IsSameOid(self)))
            continue;
        if (VqsSameName(other->GetName(), name)) {
            Refuse(IDS_NAME_NOT_UNIQUE, IDC_NAME);
            return TRUE;
        }
    }
    return FALSE;
}

BEGIN_MESSAGE_MAP(VqsOptBundleDlg, VqsBundleDlgBase)
    ON_BN_CLICKED(VqsBundleDlgBase::IDC_VIEW_DEFAULT, &VqsOptBundleDlg::OnViewGeneratorClicked)
    ON_BN_CLICKED(VqsBundleDlgBase::IDC_VIEW_USER_DEFINED, &VqsOptBundleDlg::OnViewGeneratorClicked)
    ON_BN_CLICKED(VqsBundleDlgBase::IDC_GENERATE_VIEWS, &VqsOptBundleDlg::OnViewGeneratorClicked)
    ON_BN_CLICKED(VqsBundleDlgBase::IDC_INTERFACE_DEFAULT, &VqsOptBundleDlg::OnInterfaceGeneratorClicked)
    ON_BN_CLICKED(VqsBundleDlgBase::IDC_INTERFACE_USER_DEFINED, &VqsOptBundleDlg::OnInterfaceGeneratorClicked)
    ON_BN_CLICKED(VqsBundleDlgBase::IDC_GENERATE_INTERFACE, &VqsOptBundleDlg::OnInterfaceGeneratorClicked)
END_MESSAGE_MAP()

VqsOptBundleDlg::VqsOptBundleDlg(VqsModelNodeBSLink* link, CWnd* parent) : VqsBundleDlgBase(parent), m_pLinkNode(link)
{
}

BOOL VqsOptBundleDlg::OnInitDialog()
{
    VqsDialog::OnInitDialog();
    UpdateData(FALSE);
    m_generateViews.SetCheck(TRUE);
    m_gettersSetters.SetCheck(TRUE);
    UpdateData(TRUE);
    FillLanguages(m_pLinkNode->GetBSSoftLink(), PxVQBundlePtr());
    ApplyViewRules();
    ApplyInterfaceRules();
    return TRUE;
}

// The bundle's node is made, and the bundle handed to the opener, only once the creation is
// committed; a failure keeps the dialog open with what the user entered.
void VqsOptBundleDlg::OnOK()
{
    VqsDialogCtrlConnector::StrictControl strict = m_connector.MakeStrict();
    int flags[VqsLanguageSlotCount];
    if (!UpdateData(TRUE) || !CheckEntries(FALSE, flags))
        return;
    const CString name = m_name.GetValue();
    VqsLockBag bag(VqsWriteLock);
    {
        VqsLockScope scope(VqsSessionLink());
        if (!bag.LockNode(m_pLinkNode))
            return;
    }
    if (bag.ReportDeleted(IDS_ADD_TARGET_DELETED, m_pLinkNode)) {
        OnCancel();
        return;
    }
    try {
        m_pLinkNode->Refresh();
        m_pLinkNode->LoadBundles(VqsLoadReread);
    } catch (const VqReportableException& error) {
        bag.Release();
        ShowErrorById(IDS_CANNOT_CREATE_BUNDLE, error);
        return;
    }
    try {
        if (IsNameTaken(m_pLinkNode, PxVQBundlePtr(), name)) {
            bag.Release();
            return;
        }
    } catch (const VqReportableException& error) {
        bag.Release();
        ShowErrorById(IDS_CANNOT_COLLECT_BUNDLES, error);
        return;
    }
    PxVQBundlePtr bundle;
    {
        CWaitCursor wait;
        VqsTransactionBSSoftLink transaction(m_pLinkNode->GetBSSoftLink());
        bundle = transaction.CreateBundle(
            name, m_description.GetValue(), m_viewClass.GetValue(), m_containsAll.IsChecked(),
            m_generateViews.IsChecked(), m_viewGenerator.GetCheckedIndex(), flags, m_gettersSetters.IsChecked(),
            m_interfaceClass.GetValue(), m_generateInterface.IsChecked(), m_interfaceGenerator.GetCheckedIndex());
    }
    if (!VqsCreationWritten(m_pLinkNode, bundle != nullptr))
        return;
    m_pBundle = bundle;
    m_pLinkNode->FindOrCreateBundleNode(bundle, true);
    CDialog::OnOK();
}

BEGIN_MESSAGE_MAP(VqsOptBundleEditDlg, VqsBundleDlgBase)
    ON_BN_CLICKED(VqsBundleDlgBase::IDC_VIEW_DEFAULT, &VqsOptBundleEditDlg::OnViewGeneratorClicked)
    ON_BN_CLICKED(VqsBundleDlgBase::IDC_VIEW_USER_DEFINED, &VqsOptBundleEditDlg::OnViewGeneratorClicked)
    ON_BN_CLICKED(VqsBundleDlgBase::IDC_GENERATE_VIEWS, &VqsOptBundleEditDlg::OnGenerateViewsClicked)
    ON_BN_CLICKED(VqsBundleDlgBase::IDC_CONTAINS_ALL, &VqsOptBundleEditDlg::OnContainsAllClicked)
    ON_BN_CLICKED(VqsBundleDlgBase::IDC_GETTERS_SETTERS, &VqsOptBundleEditDlg::OnGettersSettersClicked)
    ON_BN_CLICKED(VqsBundleDlgBase::IDC_INTERFACE_DEFAULT, &VqsOptBundleEditDlg::OnInterfaceGeneratorClicked)
    ON_BN_CLICKED(VqsBundleDlgBase::IDC_INTERFACE_USER_DEFINED, &VqsOptBundleEditDlg::OnInterfaceGeneratorClicked)
    ON_BN_CLICKED(VqsBundleDlgBase::IDC_GENERATE_INTERFACE, &VqsOptBundleEditDlg::OnGenerateInterfaceClicked)
    ON_EN_CHANGE(VqsBundleDlgBase::IDC_NAME, &VqsOptBundleEditDlg::OnNameChanged)
    ON_EN_CHANGE(VqsBundleDlgBase::IDC_DESCRIPTION, &VqsOptBundleEditDlg::OnDescriptionChanged)
    ON_EN_CHANGE(VqsBundleDlgBase::IDC_VIEW_CLASS, &VqsOptBundleEditDlg::OnViewClassChanged)
    ON_EN_CHANGE(VqsBundleDlgBase::IDC_INTERFACE_CLASS, &VqsOptBundleEditDlg::OnInterfaceClassChanged)
    ON_CONTROL(CLBN_CHKCHANGE, VqsBundleDlgBase::IDC_LANGUAGES, &VqsOptBundleEditDlg::OnLanguageChecked)
END_MESSAGE_MAP()

VqsOptBundleEditDlg::VqsOptBundleEditDlg(VqsLockBag* bag, VqsModelNodeBundle* bundle, const PxObjectEdition& edition,
                                         CWnd* parent)
    : VqsBundleDlgBase(parent), m_pBundle(bundle->GetBundle()), m_pBundleNode(bundle),
      m_pConfigNode(bundle->GetBSLinkNode()->GetConfigNode()), m_pLink(bundle->GetBSLinkNode()->GetBSSoftLink()),
      m_pBag(bag), m_edition(edition)
{
}

void VqsOptBundleEditDlg::DoDataExchange(CDataExchange* pDX)
{
    VqsBundleDlgBase::DoDataExchange(pDX);
    DDX_Control(pDX, IDOK, m_okButton);
}

std::vector<int> VqsOptBundleEditDlg::LanguageChecks() const
{
    std::vector<int> checks;
    for (int row = 0; row < m_languages.GetCount(); ++row)
        checks.push_back(m_languages.GetCheck(row));
    return checks;
}

BOOL VqsOptBundleEditDlg::LoadBundle()
{
    m_name.SetValue(m_pBundle->GetName());
    m_description.SetValue(m_pBundle->GetDescription());
    m_viewClass.SetValue(m_pBundle->GetJavaClass());
    m_interfaceClass.SetValue(m_pBundle->GetJavaClassCGLG());
    m_viewGenerator.m_nValue = m_pBundle->GetUserDefinedClass() ? 1 : 0;
    m_interfaceGenerator.m_nValue = m_pBundle->GetUserDefinedCGLGClass() ? 1 : 0;
    UpdateData(FALSE);
    m_containsAll.SetCheck(m_pBundle->GetContainsAllIspecs());
    m_generateViews.SetCheck(m_pBundle->GetGenerateViews());
    m_generateInterface.SetCheck(m_pBundle->GetGenerateCGLGinterface());
    m_gettersSetters.SetCheck(m_pBundle->GetGettersAndSetters());
    UpdateData(TRUE);
    FillLanguages(m_pBundle->GetBSSoftLink(), m_pBundle);
    m_checks = LanguageChecks();
    ApplyViewRules();
    const VqsSysApp* app = VqsGetApp();
    const PxLSEBusinessSegmentPtr segment = app && app->GetLSEEnterprise()
                                                ? app->GetLSEEnterprise()->GetBusinessSegment(m_pLink->GetName())
                                                : PxLSEBusinessSegmentPtr();
    if (segment) {
        if (!segment->GetAllowBigBuffers()) {
            m_generateInterface.Enable(FALSE);
            EnableInterfaceControls(FALSE);
        } else {
            ApplyInterfaceRules();
        }
    }
    if (m_bReadOnly) {
        m_connector.SetReadOnly();
        m_languages.EnableWindow(FALSE);
    }
    return TRUE;
}

BOOL VqsOptBundleEditDlg::OnInitDialog()
{
    VqsDialog::OnInitDialog();
    m_edit.LockNode(m_pBundleNode);
    VqsLoadOpened(
        this, *m_pBag, IDS_CANNOT_ACCESS_BUNDLES,
        [this] {
            m_pConfig = m_pConfigNode->GetConfig();
            m_bReadOnly = m_pConfig && m_pConfig->_IsKindOf("PxVQOldConfig");
            return LoadBundle();
        },
        [this] { return m_edit.ReportDeleted(IDS_ITEM_DELETED, m_pBundleNode); });
    return TRUE;
}

BOOL VqsOptBundleEditDlg::CheckEditionAndReload()
{
    if (m_edit.ReportDeleted(IDS_ITEM_DELETED, m_pBundleNode)) {
        m_bDeleted = TRUE;
        m_okButton.EnableWindow(FALSE);
        return FALSE;
    }
    if (m_edition.IsLatestEdition())
        return TRUE;
    VqsMessageBoxId(IDS_CONTENTS_CHANGED);
    try {
        m_pBundleNode->Refresh();
        LoadBundle();
        m_edition = m_pBundle->GetObjectEdition();
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_ACCESS_BUNDLES, error);
        EndDialog(IDCANCEL);
        return FALSE;
    }
    return TRUE;
}

BOOL VqsOptBundleEditDlg::LockForUpdate()
{
    if (m_bDeleted)
        return FALSE;
    if (m_bLocked)
        return TRUE;
    {
        VqsLockScope scope(VqsSessionLink());
        if (!m_edit.LockObjects(VqsFutureUpdateLock))
            return FALSE;
    }
    m_bLocked = TRUE;
    return CheckEditionAndReload();
}

BOOL VqsOptBundleEditDlg::OnControlChanged(VqsOptCtrl& binder)
{
    if (!binder.SaveStateAndCompare() || m_bReadOnly)
        return FALSE;
    if (!LockForUpdate() || !UpdateData(TRUE)) {
        binder.Revert();
        return FALSE;
    }
    m_bModified = TRUE;
    return TRUE;
}

void VqsOptBundleEditDlg::OnViewGeneratorClicked()
{
    if (OnControlChanged(m_viewGenerator))
        ApplyViewRules();
}

void VqsOptBundleEditDlg::OnGenerateViewsClicked()
{
    if (OnControlChanged(m_generateViews))
        ApplyViewRules();
}

void VqsOptBundleEditDlg::OnInterfaceGeneratorClicked()
{
    if (OnControlChanged(m_interfaceGenerator))
        ApplyInterfaceRules();
}

void VqsOptBundleEditDlg::OnGenerateInterfaceClicked()
{
    if (OnControlChanged(m_generateInterface))
        ApplyInterfaceRules();
}

// A check the lock refuses is taken back, so that what shows is what OK would store.
void VqsOptBundleEditDlg::OnLanguageChecked()
{
    if (m_bReadOnly || !LockForUpdate() || !UpdateData(TRUE)) {
        for (int row = 0; row < m_languages.GetCount() && row < static_cast<int>(m_checks.size()); ++row)
            m_languages.SetCheck(row, m_checks[static_cast<std::size_t>(row)]);
        return;
    }
    m_checks = LanguageChecks();
    m_bModified = TRUE;
}

void VqsOptBundleEditDlg::GiveBackLinkLock()
{
    VqsModelNodeBSLink* link = m_pBundleNode->GetBSLinkNode();
    VqsLockBag released(VqsNoLock);
    released.TakeOverNode(link, m_edit);
    m_bRenameLocked = FALSE;
}

void VqsOptBundleEditDlg::OnNameChanged()
{
    if (!OnControlChanged(m_name))
        return;
    CString typed = m_name.GetValue();
    typed.TrimLeft();
    typed.TrimRight();
    if (typed != m_pBundle->GetName()) {
        m_bNameChanged = TRUE;
        LockForRename();
    } else if (m_bNameChanged) {
        m_bNameChanged = FALSE;
        if (!m_bContainsAllAdded && m_bRenameLocked)
            GiveBackLinkLock();
    }
}

void VqsOptBundleEditDlg::CollectRenamedOptionSets()
{
    m_renamed.RemoveAll();
    const PxVQCurConfigPtr config(m_pConfig);
    if (!config)
        return;
    PxTypedList<PxVQOptionSetPtr> optionSets;
    config->GetListOfOptionSets(optionSets);
    const CString name = m_pBundle->GetName();
    VqsModel* model = m_pBundleNode->GetModel();
    const CList<PxVQOptionSetPtr, const PxVQOptionSetPtr&>& list = optionSets;
    for (POSITION pos = list.GetHeadPosition(); pos;) {
        const PxVQOptionSetPtr& optionSet = list.GetNext(pos);
        const PxBSegOptionsPtr options(optionSet->GetOptions(m_pLink));
        if (!options || !VqsBundleListNames(options->GetBundlestoGenerate(), name))
            continue;
        if (VqsModelNode* node = model->FindOptionSetNode(optionSet))
            m_edit.LockNode(node);
        m_renamed.AddTail(optionSet);
    }
}

// The locks are taken anew with the link and the option sets to rewrite; what another user
// committed meanwhile shows as at the first change.
BOOL VqsOptBundleEditDlg::LockForRename()
{
    if (m_bReadOnly || m_bDeleted || m_bRenameLocked)
        return TRUE;
    m_edit.UnlockAll();
    m_bLocked = FALSE;
    VqsModelNodeBSLink* link = m_pBundleNode->GetBSLinkNode();
    m_edit.LockNode(link);
    m_edit.LockNode(m_pBundleNode);
    if (m_bNameChanged) {
        try {
            CollectRenamedOptionSets();
        } catch (const VqReportableException& error) {
            m_edit.Release();
            ShowErrorById(IDS_CANNOT_ACCESS_BUNDLES, error);
            return FALSE;
        }
    }
    {
        VqsLockScope scope(VqsSessionLink());
        if (!m_edit.LockObjects(VqsFutureUpdateLock))
            return FALSE;
    }
    for (VqsModelNode* node : {static_cast<VqsModelNode*>(link), static_cast<VqsModelNode*>(m_pBundleNode)}) {
        if (m_edit.ReportDeleted(IDS_ADD_TARGET_DELETED, node)) {
            OnCancel();
            return FALSE;
        }
    }
    m_bLocked = TRUE;
    m_bRenameLocked = TRUE;
    return CheckEditionAndReload();
}

void VqsOptBundleEditDlg::OnContainsAllClicked()
{
    if (!OnControlChanged(m_containsAll) || m_pBundle->GetContainsAllIspecs())
        return;
    if (!m_containsAll.IsChecked()) {
        m_addedIspecs.UnlockAll();
        m_ispecs.RemoveAll();
        m_bContainsAllAdded = FALSE;
        if (!m_bNameChanged && m_bRenameLocked)
            GiveBackLinkLock();
        return;
    }
    if (!LockForRename())
        return;
    // A failed collection leaves the box clear: a bundle saved as holding every Ispec with
    // only some of them added would store what the user never saw.
    try {
        VqsCollectBundleIspecs(m_pLink, m_ispecs);
    } catch (const VqReportableException& error) {
        m_ispecs.RemoveAll();
        m_containsAll.Revert();
        ShowErrorById(IDS_CANNOT_ACCESS_BUNDLES, error);
        return;
    }
    m_bContainsAllAdded = TRUE;
    VqsModel* model = m_pBundleNode->GetModel();
    const CList<PxVQIspecSoftLinkPtr, const PxVQIspecSoftLinkPtr&>& ispecs = m_ispecs;
    for (POSITION pos = ispecs.GetHeadPosition(); pos;) {
        if (VqsModelNode* node = model->FindElementLinkNode(ispecs.GetNext(pos)))
            m_addedIspecs.LockNode(node);
    }
    VqsLockScope scope(VqsSessionLink());
    if (!m_addedIspecs.LockObjects(VqsFutureUpdateLock)) {
        // Without their locks the Ispecs cannot be added.
        m_addedIspecs.UnlockAll();
        m_ispecs.RemoveAll();
        m_bContainsAllAdded = FALSE;
        m_containsAll.Revert();
    }
}

BOOL VqsOptBundleEditDlg::Save(const CString& name, const int flags[VqsLanguageSlotCount])
{
    {
        CWaitCursor wait;
        VqsLockScope scope(VqsSessionLink());
        if (!m_addedIspecs.LockObjects(VqsWriteLock))
            return FALSE;
    }
    PxVQBundlePtr bundle;
    {
        VqsTransactionBundle transaction(m_pBundle, m_pLink);
        bundle = transaction.SetBundleSpec(
            m_bNameChanged, name, m_description.GetValue(), m_viewClass.GetValue(), m_containsAll.IsChecked(),
            m_generateViews.IsChecked(), m_viewGenerator.GetCheckedIndex(), flags, m_ispecs, m_renamed,
            m_gettersSetters.IsChecked(), m_interfaceClass.GetValue(), m_generateInterface.IsChecked(),
            m_interfaceGenerator.GetCheckedIndex());
    }
    if (!VqsTransaction::IsOk()) {
        VqsTransaction::RereadAfterFailure([this] { m_pBundleNode->Refresh(); });
        return FALSE;
    }
    if (bundle)
        m_pBundle = bundle;
    if (!m_ispecs.IsEmpty())
        m_pBundleNode->LoadIspecBundleData(VqsLoadDropVanished);
    m_pBundleNode->NotifyChanged();
    return TRUE;
}

void VqsOptBundleEditDlg::OnOK()
{
    VqsDialogCtrlConnector::StrictControl strict = m_connector.MakeStrict();
    if (!UpdateData(TRUE))
        return;
    if (m_bDeleted || !m_bModified || m_bReadOnly) {
        OnCancel();
        return;
    }
    int flags[VqsLanguageSlotCount];
    if (!CheckEntries(TRUE, flags))
        return;
    const CString name = m_name.GetValue();
    {
        VqsLockScope scope(VqsSessionLink());
        if (!m_edit.LockObjects(VqsWriteLock))
            return;
    }
    VqsModelNodeBSLink* link = m_pBundleNode->GetBSLinkNode();
    if (m_bRenameLocked) {
        if (m_edit.ReportDeleted(IDS_ADD_TARGET_DELETED, link)) {
            OnCancel();
            return;
        }
        try {
            link->Refresh();
            link->LoadBundles(VqsLoadReread);
        } catch (const VqReportableException& error) {
            m_edit.Release();
            m_addedIspecs.Release();
            ShowErrorById(IDS_CANNOT_CREATE_BUNDLE, error);
            return;
        }
    }
    try {
        link->LoadBundles(VqsLoadCached);
        if (IsNameTaken(link, m_pBundle, name))
            return;
    } catch (const VqReportableException& error) {
        m_edit.Release();
        m_addedIspecs.Release();
        ShowErrorById(IDS_CANNOT_COLLECT_BUNDLES, error);
        return;
    }
    if (Save(name, flags))
        CDialog::OnOK();
}
