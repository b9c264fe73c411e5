#include "generate/VqsGenerateReportDlg.h"

#include "generate/VqsGenerateHosts.h"
#include "generate/VqsSyncPairsByLink.h"
#include "model/VqsLockBag.h"
#include "model/VqsModel.h"
#include "proxy/PxLink.h"
#include "proxy/PxVQLink.h"
#include "proxy/PxVQTypes.h"
#include "proxy/VqException.h"
#include "shell/StatusMessage.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsOptCtrlStringValidators.h"
#include "shell/VqsRedrawSwitch.h"
#include "shell/VqsSysApp.h"
#include "shell/VqsValueScope.h"
#include "sysview/VqsSysFrame.h"
#include "win/CCmdTarget.h"
#include "win/CDC.h"
#include "win/CDataExchange.h"

#include <algorithm>
#include <iterator>
#include <set>
#include <utility>
#include <string>
#include <vector>

namespace {

constexpr UINT IDD_GENERATE_REPORTS = 222;
constexpr UINT IDS_NO_BUSINESS_SEGMENT = 61522;
constexpr UINT IDS_SYNCHRONISING = 61523;
constexpr UINT IDS_STARTING_GENERATE = 61525;
constexpr UINT IDS_UNMATCHED_REPORTS = 61580;
constexpr UINT IDS_MULTIPLE_SELECTION = 61589;
constexpr UINT IDS_NOT_APPLICABLE = 61590;
constexpr UINT IDS_NO_AS_NAME = 61592;
constexpr UINT IDS_AS_NAME_TWICE = 61593;
constexpr UINT IDS_ALL_REPORTS = 61912;
constexpr char kTitleAll[] = "Generate %s";
constexpr char kTitleGroup[] = "Generate Report Group %s";
constexpr UINT WM_CHOSEN_SELECTION = WM_USER + 3;
constexpr UINT WM_AVAILABLE_SELECTION = WM_USER + 4;
constexpr int kMaxAsName = 10;

// The generate-as modes of VqsTypedListCtrl_ToReportLink.
enum : int { kModeReport = 0, kModeLast = 1, kModeTyped = 2, kModeGroup = 3 };

bool Usable(const PxVQSoftLinkPtr& link) { return link && link->ObjectPresent() && !link->IsObsolete(); }

// The group's aliases with the report link each names, those links read together; aliases
// naming no present report are left out.
std::vector<std::pair<PxVQReportSoftLinkAliasPtr, PxVQReportSoftLinkPtr>> AliasedReports(
    const PxVQReportGroupPtr& group)
{
    PxTypedList<PxVQReportSoftLinkAliasPtr> aliases;
    group->GetListOfReportSoftLinkAliases(aliases);
    const std::vector<PxObjectPtr> listed = aliases.Objects();
    const std::vector<PxObjectPtr> links = PxVQReportSoftLinkAlias::SoftLinksOf(listed);
    std::vector<std::pair<PxVQReportSoftLinkAliasPtr, PxVQReportSoftLinkPtr>> aliased;
    for (std::size_t index = 0; index < listed.size(); ++index)
        if (const PxVQReportSoftLinkPtr report{links[index]})
            aliased.emplace_back(PxVQReportSoftLinkAliasPtr(listed[index]), report);
    return aliased;
}

CString Loaded(UINT id)
{
    CString text;
    text.LoadString(id);
    return text;
}

CString Formatted(const char* format, const char* insert)
{
    CString text;
    text.Format(format, insert);
    return text;
}

std::unordered_set<PxHandle> HandlesOf(const PxTypedList<PxVQReportSoftLinkPtr>& list)
{
    std::unordered_set<PxHandle> handles;
    const CList<PxVQReportSoftLinkPtr, const PxVQReportSoftLinkPtr&>& items = list;
    handles.reserve(static_cast<std::size_t>(items.GetCount()));
    for (POSITION pos = items.GetHeadPosition(); pos;)
        handles.insert(items.GetNext(pos)->GetHandle());
    return handles;
}

// Takes the objects of the handles out of the list, in one pass.
void RemoveAll(PxTypedList<PxVQReportSoftLinkPtr>& list, const std::unordered_set<PxHandle>& gone)
{
    CList<PxVQReportSoftLinkPtr, const PxVQReportSoftLinkPtr&>& items = list;
    for (POSITION pos = items.GetHeadPosition(); pos;) {
        const POSITION at = pos;
        if (gone.count(items.GetNext(pos)->GetHandle()))
            items.RemoveAt(at);
    }
}

void Append(PxTypedList<PxVQReportSoftLinkPtr>& to, const PxTypedList<PxVQReportSoftLinkPtr>& from)
{
    const CList<PxVQReportSoftLinkPtr, const PxVQReportSoftLinkPtr&>& items = from;
    for (POSITION pos = items.GetHeadPosition(); pos;)
        to.AddTail(items.GetNext(pos));
}

VqsDialog::ResizeSpecAtBottom s_bottom1747(1747);
VqsDialog::ResizeSpecAtBottom s_bottom1289(1289);
VqsDialog::ResizeSpecAtBottom s_bottom1748(1748);
VqsDialog::ResizeSpecAtBottom s_bottom1290(1290);
VqsDialog::ResizeSpecAtCorner s_cornerOk(IDOK);
VqsDialog::ResizeSpecAtCorner s_cornerCancel(IDCANCEL);
VqsDialog::ResizeSpecAtCorner s_cornerHelp(57670);
VqsDialog::ResizeSpecAtCorner s_corner1749(1749);
VqsDialog::ResizeSpecAtCorner s_corner1294(1294);
VqsDialog::ResizeSpecAtCorner s_corner1295(1295);
VqsDialog::ResizeSpecAtCorner s_corner1296(1296);
VqsDialog::ResizeSpecAtCorner s_corner1297(1297);
VqsDialog::ResizeSpecAtCorner s_corner1492(1492);
VqsDialog::ResizeSpecAtCorner s_corner1406(1406);
VqsDialog::ResizeSpecAtCorner s_corner1392(1392);
VqsDialog::ResizeSpecAtBottomProportionalPos s_proportional1299(1299, 50, 50);
VqsDialog::ResizeSpecAtCtrl s_at1298(1298, 1299);
VqsDialog::ResizeSpecAtCtrl s_at1285(1285, 1299);
VqsDialog::ResizeSpecAtCtrl s_at1287(1287, 1299);
VqsDialog::ResizeSpecAtCtrl s_at1750(1750, 1288);
VqsDialog::ResizeSpecDowntoBottomRightEdge s_down1288(1288, 1298, 0);
VqsDialog::ResizeSpecDowntoCtrlRightEdge s_down1293(1293, 1298);

VqsDialog::ResizeSpec* s_resizeSpecs[] = {
    &s_bottom1747,  &s_bottom1289,  &s_bottom1748,      &s_bottom1290, &s_cornerOk,   &s_cornerCancel,
    &s_cornerHelp,  &s_corner1749,  &s_corner1294,      &s_corner1295, &s_corner1296, &s_corner1297,
    &s_corner1492,  &s_corner1406,  &s_corner1392,      &s_proportional1299, &s_at1298, &s_at1285,
    &s_at1287,      &s_at1750,      &s_down1288,        &s_down1293,
};

} // namespace

BEGIN_MESSAGE_MAP(VqsGenerateReportDlg, VqsDialog)
    ON_CBN_SELENDOK(VqsGenerateReportDlg::IDC_GENSET, &VqsGenerateReportDlg::OnGenSetChanged)
    ON_CBN_SELCHANGE(VqsGenerateReportDlg::IDC_GROUP, &VqsGenerateReportDlg::OnGroupChanged)
    ON_NOTIFY(LVN_ITEMCHANGED, VqsGenerateReportDlg::IDC_CHOSEN, &VqsGenerateReportDlg::OnChosenChanged)
    ON_NOTIFY(LVN_ITEMCHANGED, VqsGenerateReportDlg::IDC_AVAILABLE, &VqsGenerateReportDlg::OnAvailableChanged)
    ON_BN_CLICKED(VqsGenerateReportDlg::IDC_ADD, &VqsGenerateReportDlg::OnAdd)
    ON_BN_CLICKED(VqsGenerateReportDlg::IDC_ADD_ALL, &VqsGenerateReportDlg::OnAddAll)
    ON_BN_CLICKED(VqsGenerateReportDlg::IDC_DELETE, &VqsGenerateReportDlg::OnDelete)
    ON_BN_CLICKED(VqsGenerateReportDlg::IDC_DELETE_ALL, &VqsGenerateReportDlg::OnDeleteAll)
    ON_BN_CLICKED(VqsGenerateReportDlg::IDC_MODE_LAST, &VqsGenerateReportDlg::OnModeLast)
    ON_BN_CLICKED(VqsGenerateReportDlg::IDC_MODE_REPORT, &VqsGenerateReportDlg::OnModeReport)
    ON_BN_CLICKED(VqsGenerateReportDlg::IDC_MODE_GROUP, &VqsGenerateReportDlg::OnModeGroup)
    ON_BN_CLICKED(VqsGenerateReportDlg::IDC_MODE_TYPED, &VqsGenerateReportDlg::OnModeTyped)
    ON_EN_CHANGE(VqsGenerateReportDlg::IDC_AS_NAME, &VqsGenerateReportDlg::OnAsNameChanged)
    ON_MESSAGE(WM_CHOSEN_SELECTION, &VqsGenerateReportDlg::OnChosenSelection)
    ON_MESSAGE(WM_AVAILABLE_SELECTION, &VqsGenerateReportDlg::OnAvailableSelection)
    ON_WM_GETMINMAXINFO()
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

VqsGenerateReportDlg::VqsGenerateReportDlg(VqsSysFrame* parent)
    : VqsDialog(IDD_GENERATE_REPORTS, parent), m_pFrame(parent)
{
}

VqsGenerateReportDlg::~VqsGenerateReportDlg() = default;

UINT VqsGenerateReportDlg::GetResizeSpecs(ResizeSpec*** specs)
{
    *specs = s_resizeSpecs;
    return static_cast<UINT>(std::size(s_resizeSpecs));
}

void VqsGenerateReportDlg::DoDataExchange(CDataExchange* pDX)
{
    VqsDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_GENSET, m_genSetCombo);
    DDX_Control(pDX, IDC_AVAILABLE, m_availableList);
    DDX_Control(pDX, IDC_CHOSEN, m_chosenList);
    DDX_Control(pDX, IDC_GROUP, m_groupCombo);
    DDX_Control(pDX, IDOK, m_okButton);
    DDX_Control(pDX, IDC_ADD, m_addButton);
    DDX_Control(pDX, IDC_DELETE, m_deleteButton);
    DDX_Control(pDX, IDC_ADD_ALL, m_addAllButton);
    DDX_Control(pDX, IDC_DELETE_ALL, m_deleteAllButton);
    DDX_Control(pDX, IDC_AS_NAME, m_asNameEdit);
    DDX_Text(pDX, IDC_SYSTEM, m_strSystem);
    DDX_Control(pDX, IDC_HOST, m_hostCombo);
    if (pDX->m_bSaveAndValidate)
        m_strHostName = VqsChosenGenerateHost(m_hostCombo);
    DDX_Text(pDX, IDC_TOTAL, m_nTotal);
    DDX_Text(pDX, IDC_CHOSEN_COUNT, m_nChosen);
}

BOOL VqsGenerateReportDlg::OnInitDialog()
{
    VqsDialog::OnInitDialog();
    CRect window;
    GetWindowRect(&window);
    m_nInitialWidth = window.Width();
    m_nInitialHeight = window.Height();
    m_asNameEdit.SetLimitText(kMaxAsName);
    VqsOptCtrlString::ValidatorID().SetStyle(m_asNameEdit);
    try {
        m_pLink = FirstValidLink();
        m_groupCombo.Fill(m_pLink);
        if (!m_genSetCombo.Fill(m_genSets, m_genSet) || !m_availableList.Init() || !m_chosenList.InitColumns() ||
            !m_chosenList.SetReportGroup(m_pReportGroup)) {
            EndDialog(IDCANCEL);
            return TRUE;
        }
        FillLists();
        m_groupCombo.SelectGroup(m_pReportGroup);
        if (!GiveGenSetToLists()) {
            EndDialog(IDCANCEL);
            return TRUE;
        }
        if (m_bSystemGeneration) {
            m_hostCombo.ResetContent();
            m_hostCombo.AddString(m_strHostName);
            m_hostCombo.SetCurSel(0);
            m_hostCombo.EnableWindow(FALSE);
            m_genSetCombo.EnableWindow(FALSE);
        } else {
            VqsFillGenerateHosts(m_hostCombo, m_genSet);
        }
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_FILL_TYPED_LIST, error);
        EndDialog(IDCANCEL);
        return TRUE;
    }
    EnableNameControls(FALSE, FALSE);
    UpdateCounts();
    UpdateButtons();
    return TRUE;
}

HBRUSH VqsGenerateReportDlg::OnCtlColor(CDC* dc, CWnd* control, UINT)
{
    if (!control || control->GetDlgCtrlID() != IDC_CHOSEN_COUNT)
        return nullptr;
    const COLORREF background = dc->GetBkColor();
    const COLORREF text = dc->GetTextColor();
    auto channel = [](int back, int fore) { return static_cast<BYTE>(std::clamp(2 * back - fore, 0, 255)); };
    const COLORREF colour = RGB(channel(GetRValue(background), GetRValue(text)),
                                channel(GetGValue(background), GetGValue(text)),
                                channel(GetBValue(background), GetBValue(text)));
    if (!m_countBrush.m_hObject)
        m_countBrush.CreateSolidBrush(colour);
    dc->SetBkColor(colour);
    return m_countBrush;
}

void VqsGenerateReportDlg::OnGetMinMaxInfo(MINMAXINFO* info)
{
    Default();
    if (m_nInitialWidth == 0)
        return;
    info->ptMinTrackSize.x = m_nInitialWidth * 19 / 20;
    info->ptMinTrackSize.y = m_nInitialHeight;
}

PxVQBSSoftLinkPtr VqsGenerateReportDlg::FirstValidLink() const
{
    const PxVQConfigPtr config = m_genSet ? m_genSet->GetConfig() : PxVQConfigPtr();
    if (!config)
        return PxVQBSSoftLinkPtr();
    PxTypedList<PxVQBSSoftLinkPtr> links;
    config->GetListOfBSSoftLinks(links);
    const CList<PxVQBSSoftLinkPtr, const PxVQBSSoftLinkPtr&>& list = links;
    for (POSITION pos = list.GetHeadPosition(); pos;) {
        const PxVQBSSoftLinkPtr& link = list.GetNext(pos);
        if (Usable(PxVQSoftLinkPtr(link)))
            return link;
    }
    return PxVQBSSoftLinkPtr();
}

void VqsGenerateReportDlg::FillLists()
{
    m_availableList.DeleteAllItems();
    m_availableReports.RemoveAll();
    Handles chosen = HandlesOf(m_chosenReports);
    if (m_pReportGroup)
        FillFromGroup(chosen);
    else
        FillFromLink(chosen);
    m_bAllReports = FALSE;
    m_availableList.SetObjects(m_availableReports);
    m_chosenList.SetObjects(m_chosenReports);
    UpdateCounts();
}

void VqsGenerateReportDlg::FillFromLink(Handles& chosen)
{
    SetWindowText(Formatted(kTitleAll, Loaded(IDS_ALL_REPORTS)));
    if (!Usable(PxVQSoftLinkPtr(m_pLink)))
        return;
    PxTypedList<PxVQElementSoftLinkPtr> elements;
    m_pLink->GetListOfElementSoftLinks(elements);
    const std::vector<bool> present = PxObject::ArePresent(elements.Objects());
    const CList<PxVQElementSoftLinkPtr, const PxVQElementSoftLinkPtr&>& list = elements;
    std::size_t index = 0;
    for (POSITION pos = list.GetHeadPosition(); pos; ++index) {
        const PxVQElementSoftLinkPtr& element = list.GetNext(pos);
        if (present[index] && element->GetElementType() == VQSoftLinkReport)
            OfferReport(PxVQReportSoftLinkPtr(element), "", chosen);
    }
}

void VqsGenerateReportDlg::FillFromGroup(Handles& chosen)
{
    m_pLink = m_pReportGroup->GetBSSoftLink();
    const CString longName = m_pReportGroup->GetLongName();
    SetWindowText(Formatted(kTitleGroup, longName.IsEmpty() ? m_pReportGroup->GetName() : longName));
    for (const auto& [alias, report] : AliasedReports(m_pReportGroup))
        OfferReport(report, alias->GetGenerateAs(), chosen);
}

// A chosen report gets its generate-as entry; any other becomes available (or chosen, when
// the caller asked for every report).
void VqsGenerateReportDlg::OfferReport(const PxVQReportSoftLinkPtr& report, const char* groupName, Handles& chosen)
{
    if (m_bAllReports && chosen.insert(report->GetHandle()).second)
        m_chosenReports.AddTail(report);
    if (chosen.count(report->GetHandle()))
        m_chosenList.AddAsName(report, groupName);
    else
        m_availableReports.AddTail(report);
}

BOOL VqsGenerateReportDlg::GiveGenSetToLists()
{
    const PxVQOptionSetPtr optionSet(m_genSet);
    return m_availableList.SetOptionSet(optionSet) && m_chosenList.SetOptionSet(optionSet);
}

void VqsGenerateReportDlg::OnGenSetChanged()
{
    const PxVQGenSetPtr previous = m_genSet;
    m_genSet = m_genSetCombo.GetSelected();
    VqsFillGenerateHosts(m_hostCombo, m_genSet);
    if (GiveGenSetToLists()) {
        UpdateButtons();
        return;
    }
    m_genSet = previous;
    m_genSetCombo.Fill(m_genSets, m_genSet);
    if (!GiveGenSetToLists())
        EndDialog(IDCANCEL);
}

void VqsGenerateReportDlg::OnGroupChanged()
{
    m_pReportGroup = m_groupCombo.GetSelectedGroup();
    m_chosenList.SetReportGroup(m_pReportGroup);
    if (!m_pReportGroup)
        m_pLink = FirstValidLink();
    CWaitCursor wait;
    FillLists();
    UpdateButtons();
}

void VqsGenerateReportDlg::OnChosenChanged(NMHDR*, LRESULT* result)
{
    if (!m_bChosenPending) {
        m_bChosenPending = TRUE;
        PostMessage(WM_CHOSEN_SELECTION);
    }
    *result = 0;
}

void VqsGenerateReportDlg::OnAvailableChanged(NMHDR*, LRESULT* result)
{
    if (!m_bAvailablePending) {
        m_bAvailablePending = TRUE;
        PostMessage(WM_AVAILABLE_SELECTION);
    }
    *result = 0;
}

LRESULT VqsGenerateReportDlg::OnChosenSelection(WPARAM, LPARAM)
{
    m_bChosenPending = FALSE;
    ShowSelectedNames();
    m_deleteButton.EnableWindow(m_chosenList.GetSelectedCount() > 0);
    return 0;
}

LRESULT VqsGenerateReportDlg::OnAvailableSelection(WPARAM, LPARAM)
{
    m_bAvailablePending = FALSE;
    m_addButton.EnableWindow(m_availableList.GetSelectedCount() > 0);
    return 0;
}

void VqsGenerateReportDlg::EnableNameControls(BOOL radios, BOOL edits)
{
    for (int id : {IDC_MODE_LAST, IDC_MODE_REPORT, IDC_MODE_GROUP, IDC_MODE_TYPED})
        GetDlgItem(id)->EnableWindow(radios);
    for (int id : {IDC_NAME_LAST, IDC_NAME_GROUP, IDC_AS_NAME})
        GetDlgItem(id)->EnableWindow(edits);
}

// The name mode and candidate names of the selected reports: edit 1492 shows the name of
// the last generate, edit 1406 the report group's name.
void VqsGenerateReportDlg::ShowSelectedNames()
{
    PxTypedList<PxVQReportSoftLinkPtr> selected;
    m_chosenList.GetSelectedObjects(selected);
    VqsValueScope<BOOL> showing(m_bShowingNames, TRUE);
    if (selected.IsEmpty()) {
        for (int id : {IDC_AS_NAME, IDC_NAME_LAST, IDC_NAME_GROUP})
            SetDlgItemText(id, "");
        EnableNameControls(FALSE, FALSE);
        return;
    }
    const CList<PxVQReportSoftLinkPtr, const PxVQReportSoftLinkPtr&>& list = selected;
    int mode = kModeReport;
    bool everyLast = true;
    bool everyGroup = true;
    CString typed;
    for (POSITION pos = list.GetHeadPosition(); pos;) {
        const PxVQReportSoftLinkPtr& report = list.GetNext(pos);
        CString name;
        mode = m_chosenList.GetAsName(report, name);
        typed = m_chosenList.GetAsNameText(report, kModeTyped);
        everyLast = everyLast && !m_chosenList.GetAsNameText(report, kModeLast).IsEmpty();
        everyGroup = everyGroup && !m_chosenList.GetAsNameText(report, kModeGroup).IsEmpty();
    }
    const bool single = list.GetCount() == 1;
    CheckRadioButton(IDC_MODE_LAST, IDC_MODE_TYPED,
                     mode == kModeLast ? IDC_MODE_LAST
                     : mode == kModeTyped ? IDC_MODE_TYPED
                     : mode == kModeGroup ? IDC_MODE_GROUP
                                          : IDC_MODE_REPORT);
    GetDlgItem(IDC_MODE_LAST)->EnableWindow(everyLast);
    GetDlgItem(IDC_MODE_REPORT)->EnableWindow(TRUE);
    GetDlgItem(IDC_MODE_GROUP)->EnableWindow(everyGroup && (single || m_pReportGroup));
    GetDlgItem(IDC_MODE_TYPED)->EnableWindow(single);
    if (single) {
        const PxVQReportSoftLinkPtr& report = list.GetHead();
        SetDlgItemText(IDC_AS_NAME, mode == kModeTyped ? typed : CString());
        SetDlgItemText(IDC_NAME_LAST, m_chosenList.GetAsNameText(report, kModeLast));
        SetDlgItemText(IDC_NAME_GROUP, m_chosenList.GetAsNameText(report, kModeGroup));
        GetDlgItem(IDC_AS_NAME)->EnableWindow(mode == kModeTyped);
        GetDlgItem(IDC_NAME_LAST)->EnableWindow(TRUE);
        GetDlgItem(IDC_NAME_GROUP)->EnableWindow(TRUE);
    } else {
        for (int id : {IDC_AS_NAME, IDC_NAME_LAST, IDC_NAME_GROUP}) {
            SetDlgItemText(id, Loaded(id == IDC_AS_NAME ? IDS_MULTIPLE_SELECTION : IDS_NOT_APPLICABLE));
            GetDlgItem(id)->EnableWindow(FALSE);
        }
    }
}

void VqsGenerateReportDlg::SetSelectedMode(int mode)
{
    PxTypedList<PxVQReportSoftLinkPtr> selected;
    m_chosenList.GetSelectedObjects(selected);
    CString typed;
    m_asNameEdit.GetWindowText(typed);
    const CList<PxVQReportSoftLinkPtr, const PxVQReportSoftLinkPtr&>& list = selected;
    for (POSITION pos = list.GetHeadPosition(); pos;) {
        const PxVQReportSoftLinkPtr& report = list.GetNext(pos);
        m_chosenList.SetAsNameMode(report, mode == kModeTyped ? typed : m_chosenList.GetAsNameText(report, kModeTyped),
                                   mode);
        m_chosenList.RefreshObject(report);
    }
    ShowSelectedNames();
    if (mode == kModeTyped)
        m_asNameEdit.SetFocus();
}

void VqsGenerateReportDlg::OnAsNameChanged()
{
    if (m_bShowingNames)
        return;
    CString typed;
    m_asNameEdit.GetWindowText(typed);
    PxTypedList<PxVQReportSoftLinkPtr> selected;
    m_chosenList.GetSelectedObjects(selected);
    const CList<PxVQReportSoftLinkPtr, const PxVQReportSoftLinkPtr&>& list = selected;
    for (POSITION pos = list.GetHeadPosition(); pos;) {
        const PxVQReportSoftLinkPtr& report = list.GetNext(pos);
        m_chosenList.SetAsNameMode(report, typed, kModeTyped);
        m_chosenList.RefreshObject(report);
    }
}

void VqsGenerateReportDlg::UpdateCounts()
{
    m_nChosen = m_chosenList.GetItemCount();
    m_nTotal = m_nChosen + m_availableList.GetItemCount();
    CString text;
    text.Format("%d", m_nChosen);
    SetDlgItemText(IDC_CHOSEN_COUNT, text);
    text.Format("%d", m_nTotal);
    SetDlgItemText(IDC_TOTAL, text);
}

void VqsGenerateReportDlg::UpdateButtons()
{
    m_okButton.EnableWindow(m_genSet && m_chosenList.GetItemCount() > 0 && m_nUnmatched == 0);
    m_addButton.EnableWindow(m_availableList.GetSelectedCount() > 0);
    m_deleteButton.EnableWindow(m_chosenList.GetSelectedCount() > 0);
    m_addAllButton.EnableWindow(m_availableList.GetItemCount() > 0);
    m_deleteAllButton.EnableWindow(m_chosenList.GetItemCount() > 0);
}

void VqsGenerateReportDlg::MoveToChosen(BOOL all)
{
    CWaitCursor wait;
    PxTypedList<PxVQReportSoftLinkPtr> moved;
    {
        VqsRedrawSwitch availableRedraw(&m_availableList);
        VqsRedrawSwitch chosenRedraw(&m_chosenList);
        if (all) {
            m_availableList.GetAllObjects(moved);
            m_availableList.DeleteAllItems();
        } else {
            m_availableList.RemoveSelected(moved);
        }
        RemoveAll(m_availableReports, HandlesOf(moved));
        const std::unordered_map<PxHandle, CString> groupNames = GroupNames();
        const CList<PxVQReportSoftLinkPtr, const PxVQReportSoftLinkPtr&>& list = moved;
        for (POSITION pos = list.GetHeadPosition(); pos;) {
            const PxVQReportSoftLinkPtr& report = list.GetNext(pos);
            m_chosenReports.AddTail(report);
            const auto named = groupNames.find(report->GetHandle());
            m_chosenList.AddAsName(report, named == groupNames.end() ? "" : named->second.GetString());
        }
        m_chosenList.AddObjects(moved);
    }
    UpdateCounts();
    ShowSelectedNames();
    UpdateButtons();
}

std::unordered_map<PxHandle, CString> VqsGenerateReportDlg::GroupNames() const
{
    std::unordered_map<PxHandle, CString> names;
    if (!m_pReportGroup)
        return names;
    for (const auto& [alias, report] : AliasedReports(m_pReportGroup))
        names.emplace(report->GetHandle(), alias->GetGenerateAs());
    return names;
}

VqsGenerateReportDlg::Handles VqsGenerateReportDlg::GroupMembers() const
{
    Handles members;
    std::vector<PxObjectPtr> links;
    for (const auto& aliased : AliasedReports(m_pReportGroup))
        links.push_back(aliased.second);
    const std::vector<bool> present = PxObject::ArePresent(links);
    for (std::size_t index = 0; index < links.size(); ++index) {
        const PxVQReportSoftLinkPtr link(links[index]);
        if (present[index] && link->GetElementType() == VQSoftLinkReport)
            members.insert(link->GetHandle());
    }
    return members;
}

void VqsGenerateReportDlg::MoveToAvailable(BOOL all)
{
    CWaitCursor wait;
    PxTypedList<PxVQReportSoftLinkPtr> plain;
    PxTypedList<PxVQReportSoftLinkPtr> flagged;
    {
        VqsRedrawSwitch availableRedraw(&m_availableList);
        VqsRedrawSwitch chosenRedraw(&m_chosenList);
        if (all) {
            m_chosenList.RemoveAll(plain);
            m_nUnmatched = 0;
        } else {
            m_chosenList.RemoveSelected(plain, flagged);
            m_nUnmatched -= static_cast<int>(flagged.GetCount());
            if (m_nUnmatched < 0)
                m_nUnmatched = 0;
            Append(plain, flagged);
        }
        RemoveAll(m_chosenReports, HandlesOf(plain));
        const Handles members = m_pReportGroup ? GroupMembers() : Handles();
        PxTypedList<PxVQReportSoftLinkPtr> back;
        const CList<PxVQReportSoftLinkPtr, const PxVQReportSoftLinkPtr&>& list = plain;
        for (POSITION pos = list.GetHeadPosition(); pos;) {
            const PxVQReportSoftLinkPtr& report = list.GetNext(pos);
            if (!m_pReportGroup || members.count(report->GetHandle())) {
                m_availableReports.AddTail(report);
                back.AddTail(report);
            }
        }
        m_availableList.AddObjects(back);
    }
    if (all)
        EnableNameControls(FALSE, FALSE);
    UpdateCounts();
    ShowSelectedNames();
    UpdateButtons();
}

// Every name the entries give is used once, whatever its letter case; a typed name must
// be an identifier.
BOOL VqsGenerateReportDlg::CheckAsNames()
{
    std::set<std::string> used;
    PxTypedList<PxVQReportSoftLinkPtr> chosen;
    m_chosenList.GetAllObjects(chosen);
    const CList<PxVQReportSoftLinkPtr, const PxVQReportSoftLinkPtr&>& list = chosen;
    for (POSITION pos = list.GetHeadPosition(); pos;) {
        const PxVQReportSoftLinkPtr& report = list.GetNext(pos);
        CString name;
        const int mode = m_chosenList.GetAsName(report, name);
        if (mode == kModeTyped) {
            name.Trim();
            const UINT fault = name.IsEmpty() ? IDS_NO_AS_NAME : VqsOptCtrlString::ValidatorID().Validate(name, TRUE);
            if (fault) {
                VqsErrorBoxId(fault);
                m_chosenList.SelectObject(report);
                ShowSelectedNames();
                m_asNameEdit.SetFocus();
                return FALSE;
            }
        }
        if (name.IsEmpty())
            continue;
        CString key = name;
        key.MakeUpper();
        if (!used.insert(key.str()).second) {
            CString text;
            text.Format(Loaded(IDS_AS_NAME_TWICE), name.GetString());
            VqsErrorBox(text);
            return FALSE;
        }
    }
    return TRUE;
}

// In a system generation the segment is already held by the host for the command, so the
// analysis is not told of a declined restart: it would give up on the segment.
BOOL VqsGenerateReportDlg::Analyse()
{
    VqsSysApp* app = VqsGetApp();
    VqsModel model(VqsSyncForReports);
    m_pCurConfig = PxVQCurConfigPtr(m_genSet->GetConfig());
    VqsLockBag readBag(VqsReadLock);
    VqsLockBag updateBag(VqsFutureUpdateLock);
    app->GetLink()->ClearAllBuffers();
    CWaitCursor wait;
    StatusMessage status(m_pFrame, IDS_SYNCHRONISING);
    return model.RefreshForGeneration(m_bsLock, readBag, updateBag, m_pCurConfig, m_elementRecord,
                                      app->GetSynchronizeMode(), PxHandle(), false, false);
}

// Chosen reports that are not the element link of any pair of the record: marked (2 while
// the report still exists, 3 when it is gone) and counted.
int VqsGenerateReportDlg::MarkUnmatched()
{
    int unmatched = 0;
    {
        VqsRedrawSwitch availableRedraw(&m_availableList);
        VqsRedrawSwitch chosenRedraw(&m_chosenList);
        PxTypedList<PxVQReportSoftLinkPtr> chosen;
        m_chosenList.GetAllObjects(chosen);
        const VqsSyncPairsByLink pairs(m_elementRecord.pairs);
        const CList<PxVQReportSoftLinkPtr, const PxVQReportSoftLinkPtr&>& list = chosen;
        for (POSITION pos = list.GetHeadPosition(); pos;) {
            const PxVQReportSoftLinkPtr& report = list.GetNext(pos);
            if (pairs.Find(report))
                continue;
            ++unmatched;
            VqsImageRef image;
            m_chosenList.LoadItemDetails(report, &image);
            image.nVariant = report->ObjectPresent() ? 2 : 3;
            m_chosenList.RedrawObject(report, image);
        }
    }
    m_chosenList.Sort();
    return unmatched;
}

void VqsGenerateReportDlg::OnOK()
{
    VqsDialogCtrlConnector::StrictControl strict(&m_connector);
    m_genSet = m_genSetCombo.GetSelected();
    if (!m_genSet || m_chosenList.GetItemCount() == 0)
        return;
    UpdateData(TRUE);
    if (!CheckAsNames())
        return;
    if (!m_bAnalysed) {
        if (!Analyse()) {
            EndDialog(IDCANCEL);
            return;
        }
        if (!m_elementRecord.softLink) {
            VqsMessageBoxId(IDS_NO_BUSINESS_SEGMENT);
            EndDialog(IDCANCEL);
            return;
        }
        m_bAnalysed = TRUE;
        m_nUnmatched = MarkUnmatched();
        if (m_nUnmatched > 0) {
            CString text;
            text.Format(Loaded(IDS_UNMATCHED_REPORTS), static_cast<unsigned>(m_nUnmatched));
            VqsMessageBox(text);
            m_okButton.EnableWindow(FALSE);
        }
    }
    if (m_nUnmatched == 0) {
        m_chosenReports.RemoveAll();
        m_chosenList.GetAllObjects(m_chosenReports);
        EndDialog(IDOK);
    }
}

BOOL VqsBuildReportSyncList(VqsSysFrame* frame, VqsGenerateReportDlg& dialog, VqsBSSyncRecord& reports,
                            const VqsElementSyncRecord& elements)
{
    StatusMessage status(frame, IDS_STARTING_GENERATE);
    reports.businessSegment = elements.businessSegment;
    reports.softLink = elements.softLink;
    for (POSITION pos = elements.pairs.GetHeadPosition(); pos;)
        reports.pairs.AddTail(elements.pairs.GetNext(pos));
    const VqsSyncPairsByLink pairs(elements.pairs);
    const CList<PxVQReportSoftLinkPtr, const PxVQReportSoftLinkPtr&>& chosen = dialog.m_chosenReports;
    for (POSITION pos = chosen.GetHeadPosition(); pos;) {
        const PxVQReportSoftLinkPtr& report = chosen.GetNext(pos);
        const VqcSyncPair* found = pairs.Find(report);
        if (!found) {
            VqsErrorBox("Internal error: the report is not found in the model.");
            return FALSE;
        }
        CString name;
        const int mode = dialog.GetAsName(report, name);
        CString asName;
        if (mode == kModeLast)
            asName = "#";
        else if (mode == kModeTyped || mode == kModeGroup)
            asName = name.Trim();
        reports.triples.AddTail(VqcReportSyncTriple{PxLSEReportPtr(found->element), report, asName});
    }
    return TRUE;
}
