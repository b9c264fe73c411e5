#include "options/VqsSoftLinkOptionsDlg.h"

#include "model/VqsLockScope.h"
#include "model/VqsModel.h"
#include "model/VqsModelNodeLink.h"
#include "model/VqsModelNodeOSet.h"
#include "model/VqsModelNodeOption.h"
#include "model/VqsModelNodeSystem.h"
#include "options/VqsOptionsSheet.h"
#include "options/VqsSheetRegister.h"
#include "proxy/PxList.h"
#include "proxy/PxVQIspecSoftLink.h"
#include "shell/VqsDisplayNames.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsSysApp.h"
#include "win/CDataExchange.h"
#include "win/Help.h"

namespace {

constexpr UINT IDD_SOFTLINK_OPTIONS = 144;

constexpr int IDC_ELEMENT = 1020;
constexpr int IDC_OPTION_SET = 1023;
constexpr int IDC_KIND_TEXT = 1064;
constexpr int IDC_SHEET_PLACE = 1062;
constexpr int IDC_SCROLL_BAR = 1491;

constexpr UINT IDS_OPTIONS_TITLE = 61496;
constexpr UINT IDS_OPTIONS_CHANGED_SAVE = 61503;
constexpr UINT IDS_CANNOT_CONTINUE_EDITING = 61505;
constexpr UINT IDS_MAKE_DEFAULT_OBSOLETE = 61560;
constexpr UINT IDS_AUTOMATIC_PROFILE = 61701;
constexpr UINT IDS_CANNOT_ACCESS_CONFIG_ENTRY = 61581;
constexpr UINT IDS_SECURITY_VIOLATION = 61667;
constexpr UINT IDS_ITEM_DELETED = 61746;
constexpr UINT IDS_CONTENTS_CHANGED = 61747;
constexpr UINT IDS_ISPEC_TYPE_CHANGED = 61751;
constexpr UINT IDS_ISPEC_NOT_SELECTABLE = 61752;
constexpr UINT IDS_EVENT = 61948;

constexpr int kEditOptionsRight = 4;
constexpr int kViewOptionsRight = 32;
constexpr int kBusinessSegmentKind = 0;
constexpr int kInputUsage = 2;

BOOL IsGenSetNode(VqsModelNode* node) { return dynamic_cast<VqsModelNodeGenSet*>(node) != nullptr; }

BOOL IsPresent(const PxObjectPtr& object) { return object && object->ObjectPresent(); }

BOOL HasUpdatedMark(VqsModelNodeLink* node)
{
    const PxVQSoftLinkPtr link = node->GetSoftLink();
    return link && link->GetUpdatedFlag();
}

// The nodes of the element links of a segment, each read-locked into `bag` and refreshed;
// FALSE when a lock is refused.
BOOL ReadElementLinks(VqsModelNodeBSLink* segment, VqsLockBag& bag, CObList& elements)
{
    segment->LoadElementLinks(VqsLoadCached);
    segment->GetElementLinkNodes(elements);
    return bag.LockAndRefreshNodes(elements);
}

BOOL AnyUpdatedExcept(CObList& elements, VqsModelNode* skipped)
{
    for (POSITION pos = elements.GetHeadPosition(); pos;) {
        auto* element = static_cast<VqsModelNodeLink*>(elements.GetNext(pos));
        if (element != skipped && HasUpdatedMark(element))
            return TRUE;
    }
    return FALSE;
}

} // namespace

BEGIN_MESSAGE_MAP(VqsSoftLinkOptionsDlg, VqsDialog)
    ON_CBN_SELENDOK(IDC_ELEMENT, &VqsSoftLinkOptionsDlg::OnElementChanged)
    ON_CBN_SELENDOK(IDC_OPTION_SET, &VqsSoftLinkOptionsDlg::OnOptionSetChanged)
    ON_COMMAND(ID_HELP, &VqsSoftLinkOptionsDlg::OnHelpCommand)
    ON_WM_VSCROLL()
    ON_WM_ACTIVATE()
    ON_WM_SETFOCUS()
END_MESSAGE_MAP()

VqsSoftLinkOptionsDlg::VqsSoftLinkOptionsDlg(VqsLockBag* creatorBag, VqsModelNodeLink* linkNode,
                                             VqsModelNodeOption* optionNode, UINT selectPage, CWnd* parent)
    : VqsDialog(IDD_SOFTLINK_OPTIONS, parent),
      m_pEnvironment(std::make_unique<VqsOptionsDlgEnvironment>(linkNode, optionNode)), m_nSelectPage(selectPage),
      m_pCreatorBag(creatorBag)
{
}

VqsSoftLinkOptionsDlg::~VqsSoftLinkOptionsDlg() = default;

PxVQSoftLinkPtr VqsSoftLinkOptionsDlg::GetSoftLink() const { return m_pEnvironment->GetSoftLink(); }

VqsModelNodeLink* VqsSoftLinkOptionsDlg::GetOptionNode() const { return m_pEnvironment->GetLinkNode(); }

void VqsSoftLinkOptionsDlg::DoDataExchange(CDataExchange* pDX)
{
    VqsDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ELEMENT, m_elementCombo);
    DDX_Control(pDX, IDC_OPTION_SET, m_optionSetCombo);
    DDX_Control(pDX, IDC_SCROLL_BAR, m_scrollBar);
    DDX_Text(pDX, IDC_KIND_TEXT, m_strKindText);
}

UINT VqsSoftLinkOptionsDlg::GetResizeSpecs(ResizeSpec*** specs)
{
    *specs = m_resizeSpecs;
    return static_cast<UINT>(std::size(m_resizeSpecs));
}

INT_PTR VqsSoftLinkOptionsDlg::DoModal()
{
    const INT_PTR result = VqsDialog::DoModal();
    ReleaseEditLock();
    return result;
}

BOOL VqsSoftLinkOptionsDlg::OnInitDialog()
{
    VqsDialog::OnInitDialog();
    if (!OpenSheet()) {
        EndDialog(IDCANCEL);
        return TRUE;
    }
    UpdateData(FALSE);
    return TRUE;
}

BOOL VqsSoftLinkOptionsDlg::OpenSheet()
{
    const BOOL initialized = m_pEnvironment->Initialize();
    // The opener's reads give way once the dialog has read the objects itself: filling the
    // sheet may already start the first change, which locks them for update.
    ReleaseCreatorLocks();
    if (!initialized || !CheckRights())
        return FALSE;
    ShowTitle();
    return FillCombos(*m_pEnvironment) && CreateSheet();
}

void VqsSoftLinkOptionsDlg::ReleaseCreatorLocks()
{
    if (m_pCreatorBag)
        m_pCreatorBag->Release();
    m_pCreatorBag = nullptr;
}

BOOL VqsSoftLinkOptionsDlg::CheckRights()
{
    const VqsSysApp* app = VqsGetApp();
    if (app->HasRight(kEditOptionsRight)) {
        m_bReadOnly = FALSE;
    } else if (app->HasRight(kViewOptionsRight)) {
        m_bReadOnly = TRUE;
    } else {
        VqsErrorBoxId(IDS_SECURITY_VIOLATION);
        return FALSE;
    }
    if (!m_bReadOnly) {
        VqsModelNodeConfig* config = m_pEnvironment->GetConfigNode();
        m_bReadOnly = config && config->GetConfig() && config->GetConfig()->_IsA("PxVQOldConfig");
    }
    return TRUE;
}

void VqsSoftLinkOptionsDlg::ShowTitle()
{
    const int kind = m_pEnvironment->GetElementKind();
    const PxVQSoftLinkPtr link = m_pEnvironment->GetSoftLink();
    if (link && link->_IsKindOf("PxVQProfileSoftLink"))
        m_strKindText.LoadString(IDS_AUTOMATIC_PROFILE);
    else
        m_strKindText = VqsGetElementKindName(kind);
    CString shownKind = m_strKindText;
    if (kind == kBusinessSegmentKind && m_bEventView)
        shownKind.LoadString(IDS_EVENT);
    CString title;
    AfxFormatString2(title, IDS_OPTIONS_TITLE, shownKind, VqsGetHostTypeName(m_pEnvironment->GetHostType()));
    SetWindowText(title);
    m_strKindText += ":";
}

PxVQOptionSetPtr VqsSoftLinkOptionsDlg::CurrentOptionSet() const
{
    VqsModelNodeOSet* optionSet = m_pEnvironment->GetOptionSetNode();
    return optionSet ? optionSet->GetOptionSet() : PxVQOptionSetPtr();
}

BOOL VqsSoftLinkOptionsDlg::FillCombos(VqsOptionsDlgEnvironment& environment)
{
    try {
        return FillOptionSets(environment) && FillElements(environment);
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_ACCESS_CONFIG_ENTRY, error);
        return FALSE;
    }
}

BOOL VqsSoftLinkOptionsDlg::FillOptionSets(VqsOptionsDlgEnvironment& environment)
{
    VqsModelNodeConfig* config = environment.GetConfigNode();
    VqsModelNodeOSet* current = environment.GetOptionSetNode();
    if (!config || !current)
        return FALSE;
    config->LoadOptionSets(VqsLoadCached);
    CObList nodes;
    config->GetOptionSetNodes(nodes);
    m_optionSetCombo.ResetContent();
    m_optionSets.clear();
    for (POSITION pos = nodes.GetHeadPosition(); pos;) {
        auto* node = static_cast<VqsModelNodeOSet*>(nodes.GetNext(pos));
        if (IsGenSetNode(node) != IsGenSetNode(current))
            continue;
        const int index = m_optionSetCombo.AddString(node->GetName());
        m_optionSets.push_back(node->GetOptionSet());
        if (node == current)
            m_optionSetCombo.SetCurSel(index);
    }
    m_nOptionSetSelection = m_optionSetCombo.GetCurSel();
    return TRUE;
}

// The element links of the same kind beside the shown one, that have options in its set.
BOOL VqsSoftLinkOptionsDlg::FillElements(VqsOptionsDlgEnvironment& environment)
{
    VqsModelNodeLink* current = environment.GetLinkNode();
    CObList siblings;
    if (auto* element = dynamic_cast<VqsModelNodeElementLink*>(current)) {
        element->GetBSLinkNode()->LoadElementLinks(VqsLoadCached);
        element->GetBSLinkNode()->GetElementLinkNodes(siblings);
    } else if (VqsModelNodeConfig* config = environment.GetConfigNode()) {
        config->LoadBSLinks(VqsLoadCached);
        config->GetBSLinkNodes(siblings);
    }
    VqsModelNodeOSet* optionSetNode = environment.GetOptionSetNode();
    const PxVQOptionSetPtr optionSet = optionSetNode ? optionSetNode->GetOptionSet() : PxVQOptionSetPtr();
    m_elementCombo.ResetContent();
    m_elementLinks.clear();
    for (POSITION pos = siblings.GetHeadPosition(); pos;) {
        auto* node = static_cast<VqsModelNodeLink*>(siblings.GetNext(pos));
        const PxVQSoftLinkPtr link = node->GetSoftLink();
        const PxOptionsPtr options = link ? link->GetOptions(optionSet) : PxOptionsPtr();
        if (node != current && (!options || options->GetOptionsKind() != environment.GetElementKind()))
            continue;
        const int index = m_elementCombo.AddString(link->GetName());
        m_elementLinks.push_back(node);
        if (node == current)
            m_elementCombo.SetCurSel(index);
    }
    m_nElementSelection = m_elementCombo.GetCurSel();
    return TRUE;
}

BOOL VqsSoftLinkOptionsDlg::CreateSheet()
{
    m_pSheet.reset(VqsSheetRegister::CreateSheet(this, m_pEnvironment->GetOptions(), m_nSelectPage));
    if (!m_pSheet)
        return FALSE;
    if (!m_pSheet->Create(GetDlgItem(IDC_SHEET_PLACE), WS_CHILD | WS_GROUP | WS_VISIBLE, 0)) {
        m_pSheet.reset();
        return FALSE;
    }
    m_pSheet->UpdateWindow();
    LayOut();
    return TRUE;
}

// The sheet takes the placeholder's place and the dialog grows to hold it, but never
// beyond the screen's height; what does not fit is scrolled into view, one pixel a unit.
void VqsSoftLinkOptionsDlg::LayOut()
{
    CWnd* place = GetDlgItem(IDC_SHEET_PLACE);
    CRect placeRect;
    place->GetWindowRect(&placeRect);
    CRect sheet;
    m_pSheet->GetWindowRect(&sheet);
    m_nSheetTop = 0;
    m_pSheet->SetWindowPos(nullptr, 0, m_nSheetTop, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    place->SetWindowPos(nullptr, 0, 0, sheet.Width(), sheet.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    CRect dialog;
    GetWindowRect(&dialog);
    const int width = dialog.Width() + std::max(0, sheet.Width() - placeRect.Width());
    const int wanted = dialog.Height() + sheet.Height() - placeRect.Height();
    const int height = std::min(wanted, GetSystemMetrics(SM_CYSCREEN));
    SetWindowPos(nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_nScrollMax = wanted - height;
    m_nScrollPos = 0;
    m_scrollBar.SetScrollRange(0, m_nScrollMax);
    m_scrollBar.SetScrollPos(0);
    m_scrollBar.ShowScrollBar(m_nScrollMax > 0);
    MoveSheet();
}

void VqsSoftLinkOptionsDlg::OnVScroll(UINT code, UINT position, CScrollBar* bar)
{
    if (!bar || bar->GetDlgCtrlID() != IDC_SCROLL_BAR)
        return;
    switch (code) {
    case SB_LINEUP:
        ScrollTo(m_nScrollPos - 1);
        MoveSheet();
        break;
    case SB_LINEDOWN:
        ScrollTo(m_nScrollPos + 1);
        MoveSheet();
        break;
    case SB_PAGEUP:
    case SB_TOP:
        ScrollTo(0);
        break;
    case SB_PAGEDOWN:
    case SB_BOTTOM:
        ScrollTo(m_nScrollMax);
        break;
    case SB_THUMBTRACK:
        ScrollTo(static_cast<int>(position));
        MoveSheet();
        break;
    case SB_ENDSCROLL:
        MoveSheet();
        break;
    default:
        break;
    }
}

void VqsSoftLinkOptionsDlg::ScrollTo(int position)
{
    m_nScrollPos = std::clamp(position, 0, m_nScrollMax);
    m_scrollBar.SetScrollPos(m_nScrollPos);
}

void VqsSoftLinkOptionsDlg::MoveSheet()
{
    m_pSheet->SetWindowPos(nullptr, 0, m_nSheetTop - m_nScrollPos, 0, 0,
                           SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    UINT disabled = ESB_ENABLE_BOTH;
    if (m_nScrollPos == 0)
        disabled |= ESB_DISABLE_LTUP;
    if (m_nScrollPos == m_nScrollMax)
        disabled |= ESB_DISABLE_RTDN;
    m_scrollBar.EnableScrollBar(disabled);
}

BOOL VqsSoftLinkOptionsDlg::BeginEdit(BOOL& reloaded)
{
    reloaded = FALSE;
    if (m_bEditLocked)
        return TRUE;
    BOOL cancel = FALSE;
    if (!m_pEnvironment->LockForEdit(cancel)) {
        if (cancel)
            EndDialog(IDCANCEL);
        return FALSE;
    }
    m_bEditLocked = TRUE;
    BOOL changed = FALSE;
    try {
        changed = m_pEnvironment->RefreshChangedNodes();
    } catch (const VqReportableException& error) {
        ReleaseEditLock();
        ShowErrorById(IDS_CANNOT_ACCESS_CONFIG_ENTRY, error);
        return FALSE;
    }
    if (!changed)
        return TRUE;
    VqsMessageBoxId(IDS_CONTENTS_CHANGED);
    reloaded = TRUE;
    if (!ReloadDialog(*m_pEnvironment))
        EndDialog(IDCANCEL);
    return FALSE;
}

BOOL VqsSoftLinkOptionsDlg::ReloadDialog(VqsOptionsDlgEnvironment& environment)
{
    return FillCombos(environment) && m_pSheet->SetOptions(environment.GetOptions());
}

void VqsSoftLinkOptionsDlg::ReleaseEditLock()
{
    if (m_bEditLocked)
        m_pEnvironment->ReleaseEditLock();
    m_bEditLocked = FALSE;
}

void VqsSoftLinkOptionsDlg::CommitToModel()
{
    VqsModelNodeOption* optionNode = m_pEnvironment->GetOptionNode();
    optionNode->GetModel()->EnsureOptionPacks(optionNode);
}

BOOL VqsSoftLinkOptionsDlg::Apply(BOOL onlyActivePage)
{
    if (!m_pSheet)
        return TRUE;
    // An apply after a removal that was given up locks and checks as a first change does.
    BOOL reloaded = FALSE;
    if (!m_bEditLocked && !BeginEdit(reloaded))
        return FALSE;
    if (!m_pEnvironment->LockForApply())
        return FALSE;
    const BOOL result = m_pSheet->ApplyAllPages(onlyActivePage);
    if (!m_pEnvironment->IsRemoved())
        m_pEnvironment->EndApply();
    return result;
}

void VqsSoftLinkOptionsDlg::ReportError(const VqException& error)
{
    ShowErrorById(IDS_CANNOT_CONTINUE_EDITING, error);
    EndDialog(IDCANCEL);
}

void VqsSoftLinkOptionsDlg::RefreshViews()
{
    if (m_pEnvironment->IsRemoved())
        return;
    m_pEnvironment->GetLinkNode()->NotifyChanged();
    m_pEnvironment->GetOptionNode()->NotifyChanged();
    m_elementCombo.Invalidate();
    m_elementCombo.UpdateWindow();
}

void VqsSoftLinkOptionsDlg::OnOK()
{
    if (m_pSheet && m_pSheet->AnyPageModified() && !Apply(FALSE))
        return;
    EndDialog(IDOK);
}

void VqsSoftLinkOptionsDlg::OnActivate(UINT state, CWnd* other, BOOL minimized)
{
    if (!m_focusWindow.RememberFocusIn(m_pSheet.get()))
        VqsDialog::OnActivate(state, other, minimized);
}

void VqsSoftLinkOptionsDlg::OnSetFocus(CWnd* oldWnd)
{
    if (!m_focusWindow.GiveBack())
        VqsDialog::OnSetFocus(oldWnd);
}

void VqsSoftLinkOptionsDlg::OnHelpCommand()
{
    const UINT sheetHelp = m_pSheet ? m_pSheet->GetHelpContextId() : 0;
    VqsGetApp()->WinHelp(HID_BASE_RESOURCE + (sheetHelp != 0 ? sheetHelp : IDD_SOFTLINK_OPTIONS), HELP_CONTEXT);
}

BOOL VqsSoftLinkOptionsDlg::ComputeEventView(const PxVQSoftLinkPtr& link, const PxVQOptionSetPtr& optionSet) const
{
    const PxVQIspecSoftLinkPtr ispec(link);
    if (!ispec || ispec->GetIspecUsage() != kInputUsage)
        return FALSE;
    const int hostType = optionSet->GetHostType();
    return hostType == 1 || hostType == 2;
}

BOOL VqsSoftLinkOptionsDlg::SaveChangesBeforeSwitch()
{
    if (!m_pSheet || !m_pSheet->AnyPageModified())
        return TRUE;
    BOOL yes = FALSE;
    if (!VqsConfirmCancelBoxId(yes, IDS_OPTIONS_CHANGED_SAVE))
        return FALSE;
    if (yes)
        return Apply(FALSE);
    // The changes are dropped now, so that a switch that fails leaves no change behind the
    // edit lock given up below.
    return m_pSheet->SetOptions(m_pEnvironment->GetOptions());
}

void VqsSoftLinkOptionsDlg::OnElementChanged()
{
    const int selection = m_elementCombo.GetCurSel();
    if (selection < 0 || selection == m_nElementSelection)
        return;
    VqsModelNodeLink* node = m_elementLinks[static_cast<std::size_t>(selection)];
    BOOL switched = FALSE;
    try {
        switched = IsPresent(node->GetSoftLink()) && SwitchTo(node, CurrentOptionSet());
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_ACCESS_CONFIG_ENTRY, error);
    }
    if (!switched)
        m_elementCombo.SetCurSel(m_nElementSelection);
}

void VqsSoftLinkOptionsDlg::OnOptionSetChanged()
{
    const int selection = m_optionSetCombo.GetCurSel();
    if (selection < 0 || selection == m_nOptionSetSelection)
        return;
    const PxVQOptionSetPtr optionSet = m_optionSets[static_cast<std::size_t>(selection)];
    BOOL switched = FALSE;
    try {
        switched = IsPresent(optionSet) && SwitchTo(m_pEnvironment->GetLinkNode(), optionSet);
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_ACCESS_CONFIG_ENTRY, error);
    }
    if (!switched)
        m_optionSetCombo.SetCurSel(m_nOptionSetSelection);
}

BOOL VqsSoftLinkOptionsDlg::SwitchTo(VqsModelNodeLink* linkNode, const PxVQOptionSetPtr& optionSet)
{
    if (!SaveChangesBeforeSwitch())
        return FALSE;
    ReleaseEditLock();
    const BOOL sameLink = linkNode == m_pEnvironment->GetLinkNode();
    VqsLockScope scope(VqsGetApp()->GetLink());
    VqsLockBag readBag(VqsReadLock);
    if (!readBag.LockNode(linkNode) || readBag.ReportDeleted(IDS_ITEM_DELETED, linkNode))
        return FALSE;
    linkNode->Refresh();
    const PxOptionsPtr options = linkNode->GetSoftLink()->GetOptions(optionSet);
    VqsModelNodeOption* optionNode = options ? linkNode->GetModel()->FindOptionNode(options) : nullptr;
    if (!optionNode || !readBag.LockNode(optionNode) || readBag.ReportDeleted(IDS_ITEM_DELETED, optionNode))
        return FALSE;
    if (options->GetOptionsKind() != m_pEnvironment->GetElementKind()) {
        VqsErrorBoxId(sameLink ? IDS_ISPEC_TYPE_CHANGED : IDS_ISPEC_NOT_SELECTABLE);
        if (sameLink)
            EndDialog(IDCANCEL);
        return FALSE;
    }
    auto environment = std::make_unique<VqsOptionsDlgEnvironment>(linkNode, optionNode);
    if (!environment->Initialize())
        return FALSE;
    const BOOL eventView = m_bEventView;
    const BOOL newEventView = ComputeEventView(linkNode->GetSoftLink(), optionSet);
    if (newEventView != eventView) {
        m_bEventView = newEventView;
        m_pSheet->SetEventView(newEventView);
        m_pSheet->UpdateWindow();
    }
    if (!ReloadDialog(*environment)) {
        if (newEventView != eventView) {
            m_bEventView = eventView;
            m_pSheet->SetEventView(eventView);
        }
        FillCombos(*m_pEnvironment);
        return FALSE;
    }
    m_pEnvironment = std::move(environment);
    UpdateData(FALSE);
    return TRUE;
}

VqsSoftLinkOptionsDlg::LinkUse VqsSoftLinkOptionsDlg::JudgeLinkUse(VqsLockBag& bag, BOOL& clearMark)
{
    VqsModelNodeLink* linkNode = m_pEnvironment->GetLinkNode();
    VqsModelNodeOption* optionNode = m_pEnvironment->GetOptionNode();
    if (!bag.LockNode(linkNode) || !bag.LockNode(m_pEnvironment->GetOptionSetNode()) || !bag.LockNode(optionNode))
        return LinkUse::Refused;
    linkNode->Refresh();
    PxObjectArray records;
    linkNode->GetSoftLink()->GetAllOptions(records);
    for (const PxObjectPtr& record : records) {
        if (record->IsSameOid(optionNode->GetObject()))
            continue;
        VqsModelNodeOption* other = linkNode->GetModel()->FindOptionNode(PxOptionsPtr(record));
        if (!other || !bag.LockNode(other))
            return LinkUse::Refused;
        other->Refresh();
        if (other->GetOptions()->IsUpdated()) {
            clearMark = FALSE;
            return LinkUse::InUse;
        }
    }
    clearMark = TRUE;
    if (!linkNode->GetSoftLink()->IsObsolete())
        return LinkUse::InUse;
    if (m_pEnvironment->GetElementKind() == kBusinessSegmentKind) {
        CObList elements;
        if (!ReadElementLinks(static_cast<VqsModelNodeBSLink*>(linkNode), bag, elements))
            return LinkUse::Refused;
        if (AnyUpdatedExcept(elements, nullptr))
            return LinkUse::InUse;
    }
    return LinkUse::Obsolete;
}

BOOL VqsSoftLinkOptionsDlg::ConfirmAllDefaults(BOOL& clearMark)
{
    try {
        VqsLockScope scope(VqsGetApp()->GetLink());
        VqsLockBag readBag(VqsReadLock);
        const LinkUse use = JudgeLinkUse(readBag, clearMark);
        if (use != LinkUse::Obsolete)
            return use == LinkUse::Refused;
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_ACCESS_CONFIG_ENTRY, error);
        return TRUE;
    }
    // The reads are given back before the question; the removal locks what it deletes and
    // judges the link again under those locks.
    if (VqsConfirmBoxId(IDS_MAKE_DEFAULT_OBSOLETE))
        RemoveObsoleteLink();
    return TRUE;
}

// The element's link, or its segment's link when the segment is obsolete too and nothing
// else of it has own options; null when a lock is refused.
VqsModelNodeLink* VqsSoftLinkOptionsDlg::ChooseRemovedLink(VqsLockBag& bag)
{
    VqsModelNodeLink* linkNode = m_pEnvironment->GetLinkNode();
    auto* element = dynamic_cast<VqsModelNodeElementLink*>(linkNode);
    if (!element)
        return linkNode;
    VqsModelNodeBSLink* segment = element->GetBSLinkNode();
    CObList elements;
    if (!bag.LockNode(segment) || !ReadElementLinks(segment, bag, elements))
        return nullptr;
    segment->Refresh();
    const PxVQSoftLinkPtr segmentLink = segment->GetSoftLink();
    if (segmentLink->IsObsolete() && !segmentLink->GetUpdatedFlag() && !AnyUpdatedExcept(elements, element))
        return segment;
    return linkNode;
}

// Under the removal's write locks: whether another user changed what the question was
// asked on, since this dialog gave back its locks.
BOOL VqsSoftLinkOptionsDlg::ChangedMeanwhile(VqsModelNodeLink* chosen)
{
    if (m_pEnvironment->AnyChangedSinceRead())
        return TRUE;
    VqsLockBag readBag(VqsReadLock);
    BOOL clearMark = FALSE;
    return JudgeLinkUse(readBag, clearMark) != LinkUse::Obsolete || ChooseRemovedLink(readBag) != chosen;
}

// Removes the chosen link from the configuration; the dialog closes. What the dialog holds
// of the link is given back first and the link's path locked from the top down, as a Delete
// locks it, so that a Delete of the segment or system meanwhile waits for this or this for
// it, never both; a change of another user found under those locks is shown instead.
BOOL VqsSoftLinkOptionsDlg::RemoveObsoleteLink()
{
    try {
        m_pEnvironment->RefreshChangedNodes();
        m_pEnvironment->GiveBackLocks();
        m_bEditLocked = FALSE;
        VqsModelNodeLink* chosen = nullptr;
        VqsLockScope scope(VqsGetApp()->GetLink());
        {
            VqsLockBag readBag(VqsReadLock);
            chosen = ChooseRemovedLink(readBag);
        }
        VqsLockBag writeBag(VqsWriteLock);
        if (!chosen || !chosen->LockPath(writeBag, chosen->GetObject()))
            return FALSE;
        if (writeBag.ReportDeleted(IDS_ITEM_DELETED, chosen)) {
            EndDialog(IDCANCEL);
            return FALSE;
        }
        if (ChangedMeanwhile(chosen)) {
            m_pEnvironment->RefreshChangedNodes();
            VqsMessageBoxId(IDS_CONTENTS_CHANGED);
            if (!ReloadDialog(*m_pEnvironment))
                EndDialog(IDCANCEL);
            return FALSE;
        }
        if (!chosen->Delete())
            return FALSE;
        m_pEnvironment->MarkRemoved();
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_ACCESS_CONFIG_ENTRY, error);
        return FALSE;
    }
    EndDialog(IDCANCEL);
    return TRUE;
}
