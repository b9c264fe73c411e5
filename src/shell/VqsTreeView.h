// A tree of VqsTreeItem objects in a list view: one row per shown item in tree order,
// indented by level, with the item's bitmap, an optional object image, a plus or minus mark
// for items that have or may have children, tree lines, and further columns of text. The
// rows' item data are the tree items.
#pragma once

#include "shell/VqsListView.h"

class VqsTreeItem;
struct VqsBitmapRef;
struct TEXTMETRIC;

// The size of a tree bitmap from the application's cache; 16 by 16 when it cannot be read.
CSize VqsGetTreeBitmapSize(const VqsBitmapRef& bitmap);

class VqsTreeView : public VqsListView {
public:
    VqsTreeView();
    ~VqsTreeView() override;

    void DrawItem(LPDRAWITEMSTRUCT dis) override;
    int CompareListItems(VqsListItem* a, VqsListItem* b) override;
    VqsListItem* ItemFromData(LPARAM itemData) override;
    CString GetColumnText(VqsListItem* item, int column) override;
    int GetItemImage(VqsListItem* item) override;
    int GetCommandState(UINT id, int* enabled, int* checked) override;
    CString GetFindTitle() override;
    // TRUE: the rows are kept in tree order (closing sort batches sort them).
    virtual BOOL IsSorted();
    // Tab stops for the texts; none gives the default ones.
    virtual void GetTabStops(const TEXTMETRIC* metrics, int* count, int** positions);

    // The item of a row; null outside the rows.
    VqsTreeItem* GetItem(int index);
    VqsTreeItem* GetTreeItem(int index) { return GetItem(index); }
    // The item of the one selected row; null when none or several are selected.
    VqsTreeItem* GetSelectedItem();
    VqsTreeItem* GetSelectedTreeItem() { return GetSelectedItem(); }
    // Where the item's bitmap and expand mark go, relative to the row's top-left corner;
    // FALSE when the item has no bitmap.
    BOOL GetButtonRect(VqsTreeItem* item, RECT* rect);
    void ExpandSelected();
    void CollapseSelected();

protected:
    void MeasureItem(LPMEASUREITEMSTRUCT mis);

    DECLARE_MESSAGE_MAP()

private:
    struct RowLayout;
    RowLayout LayOut(VqsTreeItem* item, const CRect& row);
    COLORREF TextColour(CDC* dc, VqsTreeItem* item, BOOL selected, COLORREF background);
    void DrawTexts(CDC* dc, VqsTreeItem* item, const CRect& row, const CRect& text);
    void DrawMark(CDC* dc, VqsTreeItem* item, const RowLayout& layout, const CRect& row);
    void DrawLines(CDC* dc, VqsTreeItem* item, const RowLayout& layout, const CRect& row);
};
