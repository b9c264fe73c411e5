// The grid of the Bulk Options page: a virtual list view with one row per element of one kind
// and one column per column adapter of the attached bulk option panel. It keeps no texts:
// a cell's text is asked from the panel when the row is painted, so only the visible rows
// cost anything. Cells with a pending edit are bold, cells at their default grey. It keeps
// the selected rows as a set of ranges and can select rows by the value of one column.
#pragma once

#include "options/VqsIntRange.h"
#include "win/CGdiObject.h"
#include "win/CListCtrl.h"

#include <vector>

class VqsBulkOptionPanel;

class VqsElementListCtrl : public CListCtrl {
public:
    // Modes of a selection by value.
    enum { ExtendSelection = 0, RefineSelection = 1, NewSelection = 2 };

    VqsElementListCtrl() = default;
    ~VqsElementListCtrl() override;

    // Shows the panel's columns and as many rows as the panel has.
    void AttachPanel(VqsBulkOptionPanel* panel);
    VqsBulkOptionPanel* GetPanel() const { return m_pPanel; }

    const IntRangeList& GetSelection() const { return m_selection; }
    void SelectRange(int first, int last) { m_selection.Add(first, last); }
    void DeselectRange(int first, int last) { m_selection.Remove(first, last); }
    void ResetSelection() { m_selection.RemoveAll(); }
    // While set, the list changes its own selection and the panel does not reload.
    BOOL IsBusy() const { return m_nBusy != 0; }

    // Selects the rows whose value in the column matches the text (or does not, with
    // invert): ExtendSelection adds them, RefineSelection keeps only them among the
    // selected, any other mode selects exactly them. Then the panel reloads its editors.
    void SelectMatching(int column, const char* text, BOOL invert, int mode);

protected:
    void OnGetDispInfo(NMHDR* header, LRESULT* result);
    void OnCustomDraw(NMHDR* header, LRESULT* result);
    DECLARE_MESSAGE_MAP()

private:
    struct SelectionChange {
        int row;
        BOOL select;
    };
    // The rows whose selected state the selection by value changes.
    std::vector<SelectionChange> MatchRows(int column, const char* text, BOOL invert, int mode);
    // The normal and the bold font of the cells, made once from the list's font.
    CFont* CellFont(CDC& dc, BOOL bold);

    IntRangeList m_selection;
    VqsBulkOptionPanel* m_pPanel = nullptr;
    int m_nBusy = 0;
    CFont m_normalFont;
    CFont m_boldFont;
};
