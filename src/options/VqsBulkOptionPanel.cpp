#include "options/VqsBulkOptionPanel.h"

#include "model/VqsTransaction.h"
#include "options/VqsElementListCtrl.h"
#include "options/VqsOptionPageBSegBulkOptions.h"
#include "proxy/PxVQElementSoftLink.h"
#include "shell/VqsValueScope.h"
#include "win/CCmdTarget.h"
#include "win/Mbcs.h"

namespace {

constexpr UINT IDS_CANNOT_SAVE_OPTIONS = 61501;

// The notifications of an editor that the user changed: a click, a combo's selection, an
// edit's text.
constexpr int kButtonClicked = 0;
constexpr int kComboSelectionChanged = 1;
constexpr int kEditChanged = 0x300;

} // namespace

VqsBulkOptionPanel::VqsBulkOptionPanel(UINT templateId, VqsElementListCtrl* list, const PxBSegOptionsPtr& segment,
                                       CWnd* parent)
    : VqsDialog(templateId, parent), m_pList(list), m_pSegment(segment)
{
}

VqsBulkOptionPanel::~VqsBulkOptionPanel() = default;

void VqsBulkOptionPanel::AddColumn(VqsElementListCtrlPxAdapter* adapter)
{
    m_adapters.emplace_back(adapter);
    m_columnEdits.emplace_back();
}

PxOptionsPtr* VqsBulkOptionPanel::GetRow(int row) const
{
    return m_pRows && row >= 0 && row < m_pRows->GetSize() ? &m_pRows->ElementAt(row) : nullptr;
}

BOOL VqsBulkOptionPanel::GetPendingText(int row, int column, char* buffer, int length) const
{
    if (column < 0 || column >= static_cast<int>(m_columnEdits.size()))
        return FALSE;
    for (const VqsColumnEdit& edit : m_columnEdits[column]) {
        if (edit.rows.Contains(row)) {
            mbcs::CopyToBuffer(std::string_view(edit.text, static_cast<std::size_t>(edit.text.GetLength())), buffer,
                               static_cast<std::size_t>(length));
            return TRUE;
        }
    }
    return FALSE;
}

BOOL VqsBulkOptionPanel::GetCellText(BOOL, int row, int column, char* buffer, int length)
{
    if (GetPendingText(row, column, buffer, length))
        return TRUE;
    if (column >= 0 && column < GetColumnCount())
        m_adapters[column]->GetText(GetRow(row), buffer, length);
    return FALSE;
}

BOOL VqsBulkOptionPanel::IsCellEdited(int row, int column) const
{
    if (column < 0 || column >= static_cast<int>(m_columnEdits.size()))
        return FALSE;
    for (const VqsColumnEdit& edit : m_columnEdits[column])
        if (edit.rows.Contains(row))
            return TRUE;
    return FALSE;
}

IntRangeList VqsBulkOptionPanel::EditedRows() const
{
    IntRangeList rows;
    for (const auto& edits : m_columnEdits)
        for (const VqsColumnEdit& edit : edits)
            for (const IntRange& range : edit.rows.Ranges())
                rows.Add(range.lo, range.hi);
    return rows;
}

void VqsBulkOptionPanel::ResetEdits()
{
    m_columnEdits.assign(m_adapters.size(), std::deque<VqsColumnEdit>());
}

void VqsBulkOptionPanel::ClearEdits()
{
    for (auto& edits : m_columnEdits)
        edits.clear();
    m_bModified = FALSE;
}

BOOL VqsBulkOptionPanel::ColumnHasEdits(int column) const
{
    return column >= 0 && column < static_cast<int>(m_columnEdits.size()) && !m_columnEdits[column].empty();
}

BOOL VqsBulkOptionPanel::HasEdits() const
{
    for (int column = 0; column < static_cast<int>(m_columnEdits.size()); ++column)
        if (ColumnHasEdits(column))
            return TRUE;
    return FALSE;
}

void VqsBulkOptionPanel::RecordEdit(const IntRangeList& selection)
{
    if (m_bLoading)
        return;
    CWaitCursor wait;
    for (int column = 1; column < GetColumnCount(); ++column) {
        char text[kVqsCellTextLength] = "";
        if (!m_adapters[column]->GetEditorText(text, kVqsCellTextLength))
            continue;
        if (text[0] != '\0' && !selection.IsEmpty()) {
            auto& edits = m_columnEdits[column];
            if (edits.empty() || !(edits.front().rows == selection))
                edits.push_front({text, selection});
            else
                edits.front().text = text;
            InvalidateSelectedCells(selection, column);
        }
        m_adapters[column]->RefreshEditor();
    }
}

void VqsBulkOptionPanel::InvalidateSelectedCells(const IntRangeList& selection, int column)
{
    if (!m_pList || !m_pList->m_hWnd)
        return;
    const int first = m_pList->GetTopIndex();
    const int last = first + m_pList->GetCountPerPage();
    for (int row = first; row <= last; ++row) {
        CRect cell;
        if (selection.Contains(row) && m_pList->GetSubItemRect(row, column, LVIR_BOUNDS, cell))
            m_pList->InvalidateRect(&cell, TRUE);
    }
}

void VqsBulkOptionPanel::LoadEditors(VqsElementListCtrl* list)
{
    if (!list || list->IsBusy())
        return;
    CWaitCursor wait;
    VqsValueScope<BOOL> loading(m_bLoading, TRUE);
    const IntRangeList& selection = list->GetSelection();
    for (int column = 1; column < GetColumnCount(); ++column) {
        VqsElementListCtrlPxAdapter& adapter = *m_adapters[column];
        BOOL first = TRUE;
        BOOL go = TRUE;
        for (auto range = selection.Ranges().begin(); go && range != selection.Ranges().end(); ++range) {
            for (int row = range->lo; go && row <= range->hi; ++row) {
                char pending[kVqsCellTextLength] = "";
                const char* text = GetPendingText(row, column, pending, kVqsCellTextLength) ? pending : nullptr;
                go = first ? adapter.LoadEditor(GetRow(row), text) : adapter.MergeEditor(GetRow(row), text);
                first = FALSE;
            }
        }
    }
}

void VqsBulkOptionPanel::PrimeDefaults()
{
    for (const auto& adapter : m_adapters)
        adapter->PrimeDefault(m_pRows);
}

void VqsBulkOptionPanel::FillAllChoices()
{
    for (const auto& adapter : m_adapters)
        adapter->FillChoices();
}

BOOL VqsBulkOptionPanel::ApplyEdits(VqsOptionRows* rows)
{
    if (!HasEdits())
        return TRUE;
    CWaitCursor wait;
    {
        VqsTransaction transaction;
        if (transaction.IsUsable())
            StoreEdits(rows, transaction);
    }
    return VqsTransaction::IsOk();
}

void VqsBulkOptionPanel::StoreEdits(VqsOptionRows* rows, VqsTransaction& transaction)
{
    try {
        transaction.StepEditionsTogether();
        for (int column = 1; column < GetColumnCount(); ++column) {
            if (!ColumnHasEdits(column))
                continue;
            IntRangeList edited;
            for (const VqsColumnEdit& edit : m_columnEdits[column])
                for (const IntRange& range : edit.rows.Ranges())
                    edited.Add(range.lo, range.hi);
            std::vector<PxOptionsPtr*> records;
            for (const IntRange& range : edited.Ranges()) {
                for (int row = range.lo; row <= range.hi && row < rows->GetSize(); ++row) {
                    char text[kVqsCellTextLength] = "";
                    GetPendingText(row, column, text, kVqsCellTextLength);
                    records.push_back(&rows->ElementAt(row));
                    m_adapters[column]->SetText(records.back(), text, kVqsCellTextLength);
                }
            }
            for (const PxVQSoftLinkPtr& softLink : VqsRowSoftLinks(records))
                if (const PxVQElementSoftLinkPtr link{softLink})
                    link->SetUpdatedFlag(1);
        }
    } catch (const VqReportableException& error) {
        transaction.ReportFailure(IDS_CANNOT_SAVE_OPTIONS, error);
    }
}

BOOL VqsBulkOptionPanel::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    CWnd* control = GetDlgItem(id);
    CWnd* focus = GetFocus();
    const BOOL userChange = code == kButtonClicked || code == kComboSelectionChanged || code == kEditChanged;
    if (userChange && control && m_pList && focus && (focus == control || focus->GetParent() == control)) {
        m_bModified = TRUE;
        RecordEdit(m_pList->GetSelection());
        m_pList->UpdateWindow();
        if (auto* page = dynamic_cast<VqsOptionPageBSegBulkOptions*>(GetParent())) {
            page->RefreshUndo();
            page->RefreshApply();
        }
    }
    return VqsDialog::OnCommand(wParam, lParam);
}
