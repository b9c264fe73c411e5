// The base of every list and tree view of the module: an owner-drawn report list whose rows
// stand for items (VqsListItem), with measured columns, sorting, Find and Find Next, and the
// command states the frame asks the active view about. A list view always lives in a
// VqsListFrame.
#pragma once

#include "proxy/PxForward.h"
#include "shell/VqsRedrawSwitch.h"
#include "win/CImageList.h"
#include "win/CListView.h"
#include "win/CString.h"
#include "win/Collections.h"

#include <vector>

class CCmdUI;
class VqsListFrame;
class VqsListItem;
class VqsModel;
class VqsTreeItem;

// One column of the table InsertColumns makes the columns from: its heading and its share
// of the client width.
struct VqsColumnSpec {
    const char* heading;
    unsigned share;
};

class VqsListView : public CListView {
public:
    // The module's own messages to a list view.
    static constexpr UINT WM_MEASURE_PENDING = WM_USER + 2;
    static constexpr UINT WM_SIZE_PENDING = WM_USER + 5;

    VqsListView();
    ~VqsListView() override;

    void DrawItem(LPDRAWITEMSTRUCT dis) override;
    void OnActivateView(BOOL activate, CView* activateView, CView* deactiveView) override;

    // Order of two rows for sorted insertion.
    virtual int CompareListItems(VqsListItem* a, VqsListItem* b) = 0;
    // Fills what the view can of the repository context of its selection; leaves the rest.
    virtual void GetSelectionContext(PxVQSystemPtr& system, PxVQBSSoftLinkPtr& bsLink,
                                     PxVQElementSoftLinkPtr& elementLink, PxVQGenSetPtr& genSet);
    virtual VqsListItem* ItemFromData(LPARAM itemData) = 0;
    virtual CString GetColumnText(VqsListItem* item, int column) = 0;
    virtual int GetItemImage(VqsListItem* item) = 0;
    // Find and Repeat search; derived views handle their own ids first. TRUE when the id was
    // one of this view's.
    virtual int GetCommandState(UINT id, int* enabled, int* checked);
    virtual void Refresh(VqsModel* model) = 0;
    virtual int GetColumnCount() = 0;
    // A change notice of the application's broadcast.
    virtual void OnObjectChanged(int hint, const PxVQObjectPtr* object, const PxVQObjectPtr* related);
    // The frame's font changed: rows are measured again.
    virtual void OnFontChanged();
    // TRUE keeps the last column at least as wide as the widest item.
    virtual BOOL MeasuresItems();
    // The word for the Find dialog's title "Find %s".
    virtual CString GetFindTitle() = 0;
    // For a command the user gives on the view's selection: when another user deleted a
    // selected row's object meanwhile, tells the user once what went, has the views drop its
    // row and answers TRUE; FALSE (the command goes on) when every selected object is there.
    virtual BOOL TellSelectionGone();

    VqsListFrame* GetListFrame() const;
    int FindItemIndex(VqsListItem* item) const;
    // Returns the new row or -1. Sorted insertion places the row before the first row the
    // item sorts before; unsorted insertion at a negative index appends.
    int InsertListItem(BOOL sorted, int index, VqsListItem* item, LPARAM data, BOOL withImage);
    void RemoveItem(VqsListItem* item);
    void DeleteAllItems();
    void RedrawItems(int first, int last);
    void RedrawAllItems();
    VqsRedrawSwitch SuspendRedraw();
    void SelectItem(int index, BOOL select);
    void FocusItem(int index, BOOL focus);
    // Makes `index` the only selected row and scrolls it into view.
    void SelectOnly(int index);
    void EnsureVisible(int index);
    void ModifyStyle(DWORD remove, DWORD add);
    CImageList* SetSmallImageList(CImageList* list);
    CImageList* GetImageList(int type) const;
    void SetColumnText(int column, const CString& text);
    // Makes GetColumnCount columns that share the client width, each at least four small
    // icons wide, and shows the sort arrow.
    void InsertColumns(const VqsColumnSpec* specs, int sortColumn, BOOL ascending);
    // Sorts the rows with `compare`, or by CompareItems when it is null, and shows the arrow.
    void SortItems(int column, BOOL ascending, PFNLVCOMPARE compare);
    // Case-insensitive order of the column's texts, ties broken by the other columns.
    int CompareItems(int column, BOOL ascending, VqsListItem* a, VqsListItem* b);
    void PostMeasure();

protected:
    // Of the objects of selected rows, the first another user deleted (one read for all of
    // them); null when every one is there.
    static PxVQObjectPtr FirstGone(const std::vector<PxVQObjectPtr>& objects);
    // Tells the user (61746) that the object of a row went and broadcasts its removal with
    // the hint of the views that show it.
    static void TellRowGone(const PxVQObjectPtr& object, int goneHint, const PxVQObjectPtr& parent);

    void MeasureItem(LPMEASUREITEMSTRUCT mis);
    void OnGetDispInfo(NMHDR* header, LRESULT* result);
    void OnSize(UINT type, int cx, int cy);
    void OnUpdateEditFind(CCmdUI* cmdUI);
    void OnEditFind();
    void OnUpdateEditRepeat(CCmdUI* cmdUI);
    void OnEditRepeat();
    void OnChar(UINT ch, UINT repeat, UINT flags);
    LRESULT OnMeasurePending(WPARAM, LPARAM);
    LRESULT OnSizePending(WPARAM, LPARAM);

    // The next item after `start` whose text starts with the search text: `start`'s subtree,
    // its following siblings and theirs, then those of each ancestor; never `start` itself.
    VqsTreeItem* FindNextTreeItem(VqsTreeItem* parent, VqsTreeItem* start);

    // The frame's font, or null.
    CFont* GetFrameFont() const;
    // The height of a line in the frame's font; `fallback` without a font.
    int GetFrameFontHeight(int fallback);
    BOOL IsCurrentView() const;
    int GetColumnStart(int column) const;

    CImageList m_imageList;

    DECLARE_MESSAGE_MAP()

private:
    void DrawRowImages(CDC* dc, const CRect& row, int index, BOOL draw, int& textLeft, VqsListItem* item);
    void FindNextRow(int start);
    void ReportNotFound();
    void MeasureLater(VqsListItem* item);

    BOOL m_bMeasurePosted;
    BOOL m_bSizePosted;
    int m_nLastColumnWidth;
    // Items whose width is measured again before the last column is sized; the map keeps
    // the order they came in and finds them at once.
    CMap<VqsListItem*, VqsListItem*, BOOL, BOOL> m_itemsToMeasure;
};
