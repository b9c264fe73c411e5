// The panel of the Bulk Options page that edits one element kind: it owns the column
// adapters of the grid, keeps the pending edits of every column, loads its editors from the
// selected rows, records an edit when the user changes an editor, and applies the edits.
// Column 0 is the element name and never holds edits. The platform pages build one panel
// per element kind: a template with the editors, then AddColumn once per column.
#pragma once

#include "options/VqsElementListCtrlPxAdapter.h"
#include "options/VqsIntRange.h"
#include "proxy/PxBSegOptions.h"
#include "shell/VqsDialog.h"

#include <deque>
#include <memory>
#include <vector>

class VqsElementListCtrl;
class VqsTransaction;

// One pending edit of a column: its text, for the rows selected when it was made.
struct VqsColumnEdit {
    CString text;
    IntRangeList rows;
};

class VqsBulkOptionPanel : public VqsDialog {
public:
    VqsBulkOptionPanel(UINT templateId, VqsElementListCtrl* list, const PxBSegOptionsPtr& segment, CWnd* parent);
    ~VqsBulkOptionPanel() override;

    // The panel owns the adapter.
    void AddColumn(VqsElementListCtrlPxAdapter* adapter);
    void AttachPageData(VqsOptionRows* rows) { m_pRows = rows; }
    PxBSegOptionsPtr GetBSegOptions() const { return m_pSegment; }
    VqsElementListCtrlPxAdapter* GetAdapter(int column) const { return m_adapters[column].get(); }
    int GetRowCount() const { return m_pRows ? static_cast<int>(m_pRows->GetSize()) : 0; }
    PxOptionsPtr* GetRow(int row) const;
    // Applies every pending edit to the rows' records and marks their element links
    // updated, in a transaction (the caller's, when one is open). A repository failure is
    // reported (61501), the transaction fails and the edits stay: FALSE.
    BOOL ApplyEdits(VqsOptionRows* rows);
    // Some edit of the column covers the row.
    BOOL IsCellEdited(int row, int column) const;
    // The rows some edit covers.
    IntRangeList EditedRows() const;
    BOOL IsLoading() const { return m_bLoading; }
    BOOL IsModified() const { return m_bModified; }

    virtual BOOL GetPendingText(int row, int column, char* buffer, int length) const;
    virtual BOOL GetCellText(BOOL selected, int row, int column, char* buffer, int length);
    virtual int GetColumnCount() const { return static_cast<int>(m_adapters.size()); }
    virtual void ResetEdits();
    virtual void ClearEdits();
    // Turns the editors the user changed into pending edits of the selected rows.
    virtual void RecordEdit(const IntRangeList& selection);
    virtual BOOL ColumnHasEdits(int column) const;
    virtual BOOL HasEdits() const;
    // Loads the editors from the first selected row and merges the others into them.
    virtual void LoadEditors(VqsElementListCtrl* list);
    virtual void PrimeDefaults();
    virtual void FillAllChoices();

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // Repaints the cells of the selected rows that show on the list.
    void InvalidateSelectedCells(const IntRangeList& selection, int column);

    // Per column, the newest edit first.
    std::vector<std::deque<VqsColumnEdit>> m_columnEdits;
    std::vector<std::unique_ptr<VqsElementListCtrlPxAdapter>> m_adapters;
    VqsOptionRows* m_pRows = nullptr;
    VqsElementListCtrl* m_pList;
    PxBSegOptionsPtr m_pSegment;
    BOOL m_bLoading = FALSE;
    BOOL m_bModified = FALSE;

private:
    void StoreEdits(VqsOptionRows* rows, VqsTransaction& transaction);
};
