// List and tree views for the view tests: a frame over a host window whose panes are the
// views, a list view of rows with one text per column, and a tree view over items whose
// children come from a script (the repository stands in as names), which can be told to fail.
#pragma once

#include "ListFrameTestSupport.h"

#include "shell/VqsListItem.h"
#include "shell/VqsListView.h"
#include "shell/VqsTreeItem.h"
#include "shell/VqsTreeView.h"

#include <map>
#include <set>
#include <string>
#include <vector>

namespace viewtest {

class ViewFrame : public VqsListFrame {
public:
    ViewFrame() : VqsListFrame(nullptr, nullptr, nullptr) {}

    // Makes the view a pane of the frame; the first one fills the frame's client area.
    template <class View>
    View* Add(View* view)
    {
        const UINT id = AFX_IDW_PANE_FIRST + static_cast<UINT>(views.size());
        if (!view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 0, 10, 10), this, id))
            return nullptr;
        views.push_back(view);
        RecalcLayout();
        return view;
    }

    VqsListView* GetCurrentView() override { return current; }
    VqsListView* GetNextView(VqsListView* previous) override { return Next(previous); }
    VqsListView* GetNextPane(VqsListView* previous) override { return Next(previous); }
    void ActivateNextPane(VqsListView* after) override { activatedAfter.push_back(after); }
    void SaveLayout() override { ++layoutSaves; }
    CFrameWnd* GetActiveFrame() override { return active ? active : VqsListFrame::GetActiveFrame(); }

    std::vector<VqsListView*> views;
    VqsListView* current = nullptr;
    CFrameWnd* active = nullptr;
    std::vector<VqsListView*> activatedAfter;
    int layoutSaves = 0;

private:
    VqsListView* Next(VqsListView* previous) const;
};

// A frame over a new host window of the given client size.
ViewFrame* MakeViewFrame(CWnd& host, int width, int height);

// A row with a text per column; it measures as wide as it is told.
class Row : public VqsListItem {
public:
    explicit Row(std::vector<std::string> columnTexts, int measured = 0)
        : texts(std::move(columnTexts)), width(measured)
    {
    }
    const char* GetText() override { return texts.front().c_str(); }
    BOOL IsTreeItem() override { return FALSE; }
    int MeasureWidth(int column, CDC*, CFont*) override
    {
        measuredColumns.push_back(column);
        return width;
    }

    std::vector<std::string> texts;
    int width;
    std::vector<int> measuredColumns;
};

// Rows whose item data are the rows themselves, sorted by the first column on insertion.
class RowsView : public VqsListView {
public:
    RowsView(int columnCount = 2, BOOL measures = FALSE) : columns(columnCount), measuring(measures) {}

    int CompareListItems(VqsListItem* a, VqsListItem* b) override { return CompareItems(0, TRUE, a, b); }
    VqsListItem* ItemFromData(LPARAM data) override { return reinterpret_cast<VqsListItem*>(data); }
    CString GetColumnText(VqsListItem* item, int column) override;
    int GetItemImage(VqsListItem*) override { return 0; }
    void Refresh(VqsModel*) override {}
    int GetColumnCount() override { return columns; }
    CString GetFindTitle() override { return "Rows"; }
    BOOL MeasuresItems() override { return measuring; }

    // Inserts a row for the item, sorted or at the end.
    int Add(Row* row, BOOL sorted = FALSE);
    std::vector<std::string> Texts();

    int columns;
    BOOL measuring;
};

// The repository the tree items read: the children of each name, in repository order.
struct Script {
    std::map<std::string, std::vector<std::string>> children;
    // Names whose fill throws the repository's reportable exception.
    std::set<std::string> failing;
    // Fills per name.
    std::map<std::string, int> fills;
    // Texts of further columns per name.
    std::map<std::string, std::vector<std::string>> columns;
    // Names that show the tree bitmap (130) and names that show object image {1, 0}.
    std::set<std::string> bitmaps;
    std::set<std::string> images;
    // Names drawn in the application's colour.
    std::set<std::string> special;
    int created = 0;
    // Comparisons of two items.
    int comparisons = 0;
};

class TreeView;

// Tree order: an ancestor before its descendants, siblings by name without regard to case.
class ScriptItem : public VqsTreeItem {
public:
    ScriptItem(Script& script, std::string name, ScriptItem* parent, TreeView* view = nullptr);

    const char* GetText() override { return name.c_str(); }
    const char* GetDisplayText() override { return name.c_str(); }
    BOOL GetBitmap(VqsBitmapRef& bitmap) override;
    BOOL GetOverlayImage(VqsImageRef& image) override;
    BOOL GetColumnText(int column, CString& text) override;
    BOOL UsesSpecialColour() override { return script.special.count(name) != 0; }
    int Compare(VqsTreeItem* other) override;
    // Keeps the children it has and makes the missing ones, as the repository lists them.
    void FillChildren(int insertRows) override;
    void UpdateState() override;
    VqsListView* GetView() override;
    VqsTreeView* GetTreeView() override;

    // The child of that name; null when there is none.
    ScriptItem* Child(const std::string& childName);

    Script& script;
    std::string name;
    int serial;
    TreeView* treeView;
    // The item finds no view, so its row cannot be made.
    bool rowless = false;
};

class TreeView : public VqsTreeView {
public:
    explicit TreeView(int columnCount = 1) : columns(columnCount) {}

    void Refresh(VqsModel*) override {}
    int GetColumnCount() override { return columns; }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The rows, each as its item's text indented by two blanks a level.
    std::vector<std::string> Rows();
    int SelectedRow();

    int columns;
    int sorts = 0;
};

} // namespace viewtest
