#include "options/VqsOptionPageBSegBulkOptions.h"

#include "model/VqsLockBag.h"
#include "model/VqsModel.h"
#include "model/VqsModelNodeLink.h"
#include "model/VqsModelNodeOption.h"
#include "model/VqsTransaction.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQElementSoftLink.h"
#include "proxy/PxVQGlobalLogicSoftLink.h"
#include "proxy/PxVQIspecSoftLink.h"
#include "proxy/PxVQOptionSet.h"
#include "proxy/PxVQProfileSoftLink.h"
#include "proxy/PxVQReportSoftLink.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsSysApp.h"
#include "win/CCmdTarget.h"
#include "win/CDataExchange.h"
#include "win/Help.h"

#include <algorithm>


namespace {

constexpr UINT IDD_BULK_OPTIONS = 834;
constexpr UINT IDD_SELECT_ELEMENTS = 329;
constexpr UINT IDS_BULK_OPTIONS = 62003;
constexpr UINT IDS_APPLY_BULK_UPDATES = 62135;

constexpr int IDC_ISPECS = 33035;
constexpr int IDC_GLOBAL_LOGICS = 33036;
constexpr int IDC_REPORTS = 33037;
constexpr int IDC_PROFILES = 33034;
constexpr int IDC_ELEMENT_LIST = 1958;
constexpr int IDC_PANEL_FRAME = 33038;
constexpr int IDC_ELEMENT_COUNT = 842;
constexpr int IDC_SELECTED_COUNT = 843;
constexpr int IDC_SELECTION_FILTER = 33071;
constexpr int IDC_APPLY_NOW = 1001;
constexpr int IDC_UNDO = 1065;

constexpr int IDC_FILTER_COLUMN = 33072;
constexpr int IDC_FILTER_TEXT = 33070;
constexpr int IDC_FILTER_CHOICE = 33078;
constexpr int IDC_IS_EQUAL = 33074;
constexpr int IDC_IS_NOT_EQUAL = 33075;
constexpr int IDC_EXTEND = 33073;
constexpr int IDC_REFINE = 33076;
constexpr int IDC_NEW_SELECTION = 33077;
constexpr int IDC_HELP = 57670;

constexpr const char* kHiddenGlobalLogics[] = {"CLOSEDOWN", "CLOSEUPDATE", "STARTUP"};

} // namespace

BEGIN_MESSAGE_MAP(VqsOptionPageBSegBulkOptions, VqsOptionPage)
    ON_COMMAND_RANGE(IDC_PROFILES, IDC_REPORTS, &VqsOptionPageBSegBulkOptions::OnKindClicked)
    ON_BN_CLICKED(IDC_UNDO, &VqsOptionPageBSegBulkOptions::OnUndoClicked)
    ON_BN_CLICKED(IDC_SELECTION_FILTER, &VqsOptionPageBSegBulkOptions::OnSelectionFilter)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_ELEMENT_LIST, &VqsOptionPageBSegBulkOptions::OnListItemChanged)
END_MESSAGE_MAP()

VqsOptionPageBSegBulkOptions::VqsOptionPageBSegBulkOptions(VqsOptions_BSeg_Sheet* sheet, int pageIndex)
    : VqsOptionPage(sheet, IDD_BULK_OPTIONS, IDS_BULK_OPTIONS, pageIndex), m_pTypedSheet(sheet)
{
}

VqsOptionPageBSegBulkOptions::~VqsOptionPageBSegBulkOptions()
{
    for (VqsBulkOptionPanel* panel : PanelsInApplyOrder())
        delete panel;
}

std::array<VqsBulkOptionPanel*, VqsOptionPageBSegBulkOptions::KindCount>
VqsOptionPageBSegBulkOptions::PanelsInApplyOrder() const
{
    return {m_panels[Ispecs], m_panels[Profiles], m_panels[Reports], m_panels[GlobalLogics]};
}

void VqsOptionPageBSegBulkOptions::DoDataExchange(CDataExchange* pDX)
{
    VqsOptionPage::DoDataExchange(pDX);
    if (!m_list.m_hWnd)
        DDX_Control(pDX, IDC_ELEMENT_LIST, m_list);
}

BOOL VqsOptionPageBSegBulkOptions::OnInitDialog()
{
    VqsOptionPage::OnInitDialog();
    m_pCurrentPanel = nullptr;
    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_FULLROWSELECT | LVS_EX_HEADERDRAGDROP);
    CreatePanels();
    SelectElementType(Ispecs);
    return TRUE;
}

void VqsOptionPageBSegBulkOptions::CreatePanels() {}

void VqsOptionPageBSegBulkOptions::AdoptPanel(int kind, VqsBulkOptionPanel* panel)
{
    m_panels[kind] = panel;
    SeatPanel(kind, panel, TRUE);
}

void VqsOptionPageBSegBulkOptions::PlacePanel(int kind, VqsBulkOptionPanel* panel)
{
    SeatPanel(kind, panel, FALSE);
}

void VqsOptionPageBSegBulkOptions::SeatPanel(int kind, VqsBulkOptionPanel* panel, BOOL fillFrame)
{
    panel->AttachPageData(&m_rows[kind]);
    if (CWnd* placeholder = GetDlgItem(IDC_PANEL_FRAME)) {
        CRect frame;
        placeholder->GetWindowRect(&frame);
        ScreenToClient(&frame);
        if (fillFrame)
            panel->MoveWindow(&frame);
        else
            panel->SetWindowPos(nullptr, frame.left, frame.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    panel->ShowWindow(SW_HIDE);
    panel->PrimeDefaults();
    panel->FillAllChoices();
}

BOOL VqsOptionPageBSegBulkOptions::OnSetActive()
{
    const BOOL active = VqsOptionPage::OnSetActive();
    if (m_pCurrentPanel && m_bEditable) {
        m_pCurrentPanel->PrimeDefaults();
        m_pCurrentPanel->FillAllChoices();
        m_pCurrentPanel->LoadEditors(&m_list);
    }
    return active;
}

BOOL VqsOptionPageBSegBulkOptions::IsListedGlobalLogic(const CString& name, BOOL performable)
{
    if (!performable)
        return FALSE;
    for (const char* hidden : kHiddenGlobalLogics)
        if (name == hidden)
            return FALSE;
    return TRUE;
}

BOOL VqsOptionPageBSegBulkOptions::IsListedIspec(const CString& name) { return name != "EVENT"; }

namespace {

BOOL IsListedProfile(const PxVQElementSoftLinkPtr& link, const PxOptionsPtr& options)
{
    if (!options->_IsKindOf("PxTarskProfileOptions"))
        return TRUE;
    const CString name = link->GetName();
    if (!name.IsEmpty() && name[0] == '$')
        return FALSE;
    const PxVQProfileSoftLinkPtr profile(link);
    return !profile || ((!profile->GetPrimary() || profile->GetOverEvent()) && !profile->GetAutoMaint());
}

} // namespace

void VqsOptionPageBSegBulkOptions::CollectElements()
{
    m_knownLinks.reset();
    for (VqsOptionRows& rows : m_rows)
        rows.RemoveAll();
    const PxBSegOptionsPtr& options = m_pTypedSheet->GetTypedOptions();
    const PxVQBSSoftLinkPtr segment(options->GetSoftLink());
    const PxVQOptionSetPtr optionSet = options->GetOptionSet();
    if (!segment || !optionSet)
        return;
    CWaitCursor wait;
    PxTypedList<PxVQElementSoftLinkPtr> listed;
    segment->GetListOfElementSoftLinks(listed);
    const std::vector<PxObjectPtr> links = listed.Objects();
    const std::vector<PxOptionsPtr> records = PxVQSoftLink::OptionsOf(links, optionSet);
    m_knownLinks = std::make_unique<VqsKnownRowSoftLinks>(records, std::vector<PxVQSoftLinkPtr>(links.begin(), links.end()));
    for (std::size_t index = 0; index < links.size(); ++index) {
        const PxVQElementSoftLinkPtr link(links[index]);
        const PxOptionsPtr& record = records[index];
        if (!record)
            continue;
        if (const PxVQGlobalLogicSoftLinkPtr logic = PxVQGlobalLogicSoftLinkPtr(link)) {
            if (IsListedGlobalLogic(logic->GetName(), logic->GetPerformable()))
                m_rows[GlobalLogics].Add(record);
        } else if (PxVQIspecSoftLinkPtr(link)) {
            if (IsListedIspec(link->GetName()))
                m_rows[Ispecs].Add(record);
        } else if (PxVQReportSoftLinkPtr(link)) {
            m_rows[Reports].Add(record);
        } else if (PxVQProfileSoftLinkPtr(link) && IsListedProfile(link, record)) {
            m_rows[Profiles].Add(record);
        }
    }
}

// The pending edits belong to the rows as they were listed: a reload (another element or
// option set, the record changed by another user) may list other elements in those rows.
void VqsOptionPageBSegBulkOptions::LoadOptions()
{
    CollectElements();
    const PxVQOptionSetPtr optionSet = m_pTypedSheet->GetTypedOptions()->GetOptionSet();
    const PxVQConfigPtr config = optionSet ? optionSet->GetConfig() : PxVQConfigPtr();
    m_bEditable = !(config && config->_IsA("PxVQOldConfig"));
    for (int kind : {Ispecs, Profiles, Reports, GlobalLogics}) {
        if (m_pCurrentPanel && m_pCurrentPanel == m_panels[kind]) {
            SelectElementType(kind);
            DropAllEdits();
            if (m_bEditable)
                m_pCurrentPanel->LoadEditors(&m_list);
            return;
        }
    }
    DropAllEdits();
    CheckRadioButton(IDC_PROFILES, IDC_REPORTS, IDC_ISPECS);
}

void VqsOptionPageBSegBulkOptions::SelectElementType(int kind)
{
    static constexpr int kRadios[] = {IDC_ISPECS, IDC_GLOBAL_LOGICS, IDC_REPORTS, IDC_PROFILES};
    VqsBulkOptionPanel* panel = kind >= 0 && kind < KindCount ? m_panels[kind] : nullptr;
    if (kind >= 0 && kind < KindCount && m_hWnd)
        CheckRadioButton(IDC_PROFILES, IDC_REPORTS, kRadios[kind]);
    ShowPanel(panel);
    m_list.AttachPanel(panel);
    ShowCounts();
}

void VqsOptionPageBSegBulkOptions::ShowPanel(VqsBulkOptionPanel* panel)
{
    if (m_pCurrentPanel) {
        m_pCurrentPanel->RecordEdit(m_list.GetSelection());
        m_list.ResetSelection();
        if (m_pCurrentPanel->IsWindowVisible()) {
            m_pCurrentPanel->ShowWindow(SW_HIDE);
            m_pCurrentPanel->EnableWindow(FALSE);
        }
    }
    m_pCurrentPanel = panel;
    if (!panel)
        return;
    if (!m_bEditable) {
        for (CWnd* child = panel->GetWindow(GW_CHILD); child; child = child->GetWindow(GW_HWNDNEXT))
            child->EnableWindow(FALSE);
    }
    panel->EnableWindow(m_bEditable);
    panel->ShowWindow(SW_SHOW);
    panel->FillAllChoices();
    panel->Invalidate();
    panel->UpdateWindow();
    m_list.SetFocus();
}

void VqsOptionPageBSegBulkOptions::ShowCounts()
{
    if (!m_hWnd)
        return;
    CString count;
    count.Format("%d", m_list.GetItemCount());
    SetDlgItemText(IDC_ELEMENT_COUNT, count);
    count.Format("%d", static_cast<int>(m_list.GetSelection().RowCount()));
    SetDlgItemText(IDC_SELECTED_COUNT, count);
}

BOOL VqsOptionPageBSegBulkOptions::AnyPanelHasEdits() const
{
    for (VqsBulkOptionPanel* panel : PanelsInApplyOrder())
        if (panel && panel->HasEdits())
            return TRUE;
    return FALSE;
}

void VqsOptionPageBSegBulkOptions::RefreshUndo()
{
    if (CWnd* undo = GetDlgItem(IDC_UNDO))
        undo->EnableWindow(AnyPanelHasEdits());
}

void VqsOptionPageBSegBulkOptions::RefreshApply()
{
    CWnd* apply = GetDlgItem(IDC_APPLY_NOW);
    const BOOL edits = AnyPanelHasEdits() && BeginModify(nullptr, FALSE);
    if (apply)
        apply->EnableWindow(edits);
}

void VqsOptionPageBSegBulkOptions::OnKindClicked(UINT id)
{
    switch (id) {
    case IDC_ISPECS:
        SelectElementType(Ispecs);
        break;
    case IDC_GLOBAL_LOGICS:
        SelectElementType(GlobalLogics);
        break;
    case IDC_REPORTS:
        SelectElementType(Reports);
        break;
    default:
        SelectElementType(Profiles);
        break;
    }
}

void VqsOptionPageBSegBulkOptions::OnListItemChanged(NMHDR* header, LRESULT* result)
{
    const auto* change = reinterpret_cast<const NMLISTVIEW*>(header);
    *result = 0;
    if (!(change->uChanged & LVIF_STATE) || !((change->uNewState ^ change->uOldState) & LVIS_SELECTED))
        return;
    const BOOL selected = (change->uNewState & LVIS_SELECTED) != 0;
    if (change->iItem == -1 && !selected) {
        if (m_pCurrentPanel)
            m_pCurrentPanel->RecordEdit(m_list.GetSelection());
        RefreshUndo();
        RefreshApply();
        m_list.ResetSelection();
    } else {
        const int first = change->iItem == -1 ? 0 : change->iItem;
        const int last = change->iItem == -1 ? m_list.GetItemCount() - 1 : change->iItem;
        if (last < first)
            return;
        if (selected)
            m_list.SelectRange(first, last);
        else
            m_list.DeselectRange(first, last);
        if (m_bEditable && m_pCurrentPanel)
            m_pCurrentPanel->LoadEditors(&m_list);
    }
    ShowCounts();
}

void VqsOptionPageBSegBulkOptions::ApplyAllPanels()
{
    for (VqsBulkOptionPanel* panel : PanelsInApplyOrder()) {
        if (!panel)
            continue;
        const auto kind = std::find(m_panels.begin(), m_panels.end(), panel) - m_panels.begin();
        if (!panel->ApplyEdits(&m_rows[kind]))
            return;
    }
}

void VqsOptionPageBSegBulkOptions::StoreOptions() { ApplyAllPanels(); }

BOOL VqsOptionPageBSegBulkOptions::ApplyPage(BOOL, BOOL)
{
    if (!AnyPanelHasEdits()) {
        m_bModified = FALSE;
        UpdateButtons();
        return TRUE;
    }
    if (!VqsQuestionBoxId(IDS_APPLY_BULK_UPDATES))
        return FALSE;
    std::vector<VqsModelNode*> changed;
    {
        VqsLockBag locks(VqsWriteLock);
        if (!LockEditedRecords(locks, changed))
            return FALSE;
        VqsTransaction transaction;
        if (!transaction.IsUsable())
            return FALSE;
        ApplyAllPanels();
    }
    if (!VqsTransaction::IsOk())
        return FALSE;
    for (VqsModelNode* node : changed)
        node->NotifyChanged();
    UndoAllPanels();
    if (m_pCurrentPanel)
        m_pCurrentPanel->LoadEditors(&m_list);
    return TRUE;
}

BOOL VqsOptionPageBSegBulkOptions::LockEditedRecords(VqsLockBag& locks, std::vector<VqsModelNode*>& changed)
{
    VqsModelNodeLink* segmentNode = m_pTypedSheet->GetOptionNode();
    VqsModel* model = segmentNode ? segmentNode->GetModel() : nullptr;
    if (!model)
        return TRUE;
    // The edited records are locked as one set, in one lock call.
    CObList records;
    std::vector<PxOptionsPtr*> editedRows;
    for (int kind = 0; kind < KindCount; ++kind) {
        if (!m_panels[kind])
            continue;
        // Held here: a loop over the ranges of the returned list itself would read them
        // after the list is gone.
        const IntRangeList edited = m_panels[kind]->EditedRows();
        for (const IntRange& range : edited.Ranges()) {
            for (int row = std::max(range.lo, 0); row <= range.hi && row < m_rows[kind].GetSize(); ++row) {
                if (VqsModelNodeOption* node = model->FindOptionNode(m_rows[kind][row]))
                    records.AddTail(node);
                editedRows.push_back(&m_rows[kind].ElementAt(row));
            }
        }
    }
    for (const PxVQSoftLinkPtr& softLink : VqsRowSoftLinks(editedRows)) {
        const PxVQElementSoftLinkPtr link(softLink);
        if (VqsModelNodeElementLink* linkNode = link ? model->FindElementLinkNode(link) : nullptr)
            changed.push_back(linkNode);
    }
    return locks.LockNodesTogether(records) ? TRUE : FALSE;
}

void VqsOptionPageBSegBulkOptions::DropAllEdits()
{
    for (VqsBulkOptionPanel* panel : PanelsInApplyOrder())
        if (panel)
            panel->ClearEdits();
    if (CWnd* undo = GetDlgItem(IDC_UNDO))
        undo->EnableWindow(FALSE);
    if (CWnd* apply = GetDlgItem(IDC_APPLY_NOW))
        apply->EnableWindow(FALSE);
    if (m_list.m_hWnd) {
        m_list.Invalidate();
        m_list.UpdateWindow();
    }
}

void VqsOptionPageBSegBulkOptions::UndoAllPanels()
{
    DropAllEdits();
    m_bModified = FALSE;
    m_bAtDefaults = TRUE;
    m_pSheet->SetPageStateImage(m_nPageIndex, m_bAtDefaults, m_bModified);
    UpdateButtons();
}

void VqsOptionPageBSegBulkOptions::OnUndoClicked()
{
    UndoAllPanels();
    if (m_pCurrentPanel)
        m_pCurrentPanel->LoadEditors(&m_list);
}

void VqsOptionPageBSegBulkOptions::OnSelectionFilter()
{
    if (!m_pCurrentPanel)
        return;
    VqsSelectElementsDialog dialog(&m_list, m_pCurrentPanel, this);
    if (dialog.DoModal() != IDOK)
        return;
    m_list.SelectMatching(dialog.GetColumn(), dialog.GetValue(), dialog.GetCondition(), dialog.GetFunction());
    ShowCounts();
}

BEGIN_MESSAGE_MAP(VqsSelectElementsDialog, VqsDialog)
    ON_CBN_SELCHANGE(IDC_FILTER_COLUMN, &VqsSelectElementsDialog::OnColumnChanged)
    ON_BN_CLICKED(IDC_HELP, &VqsSelectElementsDialog::OnHelp)
END_MESSAGE_MAP()

VqsSelectElementsDialog::VqsSelectElementsDialog(VqsElementListCtrl* list, VqsBulkOptionPanel* panel, CWnd* parent)
    : VqsDialog(IDD_SELECT_ELEMENTS, parent), m_pList(list), m_pPanel(panel), m_column(&m_connector, IDC_FILTER_COLUMN, 0),
      m_textValue(&m_connector, IDC_FILTER_TEXT, 50, 0), m_choiceValue(&m_connector, IDC_FILTER_CHOICE, 0),
      m_condition(&m_connector, IDC_IS_EQUAL, IDC_IS_NOT_EQUAL),
      m_function(&m_connector, IDC_EXTEND, IDC_REFINE, IDC_NEW_SELECTION)
{
}

BOOL VqsSelectElementsDialog::OnInitDialog()
{
    VqsDialog::OnInitDialog();
    CStringArray titles;
    for (int column = 0; column < m_pPanel->GetColumnCount(); ++column)
        titles.Add(m_pPanel->GetAdapter(column)->GetTitle());
    m_column.SetItems(titles);
    UpdateData(TRUE);
    m_column.SetCurSel(0);
    ChooseColumn(0);
    return TRUE;
}

void VqsSelectElementsDialog::OnColumnChanged() { ChooseColumn(m_column.GetCurSel()); }

void VqsSelectElementsDialog::ChooseColumn(int column)
{
    if (column < 0 || column >= m_pPanel->GetColumnCount())
        return;
    m_nColumn = column;
    VqsElementListCtrlPxAdapter* adapter = m_pPanel->GetAdapter(column);
    m_bHasChoices = adapter->HasChoices();
    if (m_bHasChoices) {
        m_choiceValue.SetItems(*adapter->GetChoices());
        m_choiceValue.SetCurSel(0);
    }
    m_choiceValue.Enable(m_bHasChoices);
    m_choiceValue.Show(m_bHasChoices);
    m_textValue.Enable(!m_bHasChoices);
    m_textValue.Show(!m_bHasChoices);
}

CString VqsSelectElementsDialog::GetValue() const
{
    return m_bHasChoices ? m_choiceValue.GetValue() : m_textValue.GetValue();
}

void VqsSelectElementsDialog::OnHelp()
{
    if (VqsSysApp* app = VqsGetApp())
        app->WinHelp(0x20000 + IDD_SELECT_ELEMENTS, HELP_CONTEXT);
}
