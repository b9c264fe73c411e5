// A static splitter: a window divided into rows and columns of panes, with a 6-pixel bar
// between neighbours. Each row and column has an ideal size and a minimum; a row or column
// whose ideal size is below its minimum is hidden (its panes get size 0). The last shown row
// (column) takes what the others leave; each other one takes its ideal size, as far as there
// is room. The layout is made again when the splitter is resized or asked (RecalcLayout).
//
// The panes are the splitter's children with the ids IdFromRowCol: views made by CreateView,
// or any child window made with such an id (a nested splitter, for one). A pane made by
// CreateView belongs to itself, as a view does.
#pragma once

#include "win/CFrameWnd.h"

#include <vector>

struct CRuntimeClass;
class CView;

class CSplitterWnd : public CWnd {
public:
    static constexpr int kSplitterBar = 6;
    static constexpr int kMaxPanes = 16;

    // Covers the parent's client area until the parent places it.
    BOOL CreateStatic(CWnd* parent, int rows, int cols, DWORD style = WS_CHILD | WS_VISIBLE,
                      UINT id = AFX_IDW_PANE_FIRST);
    // A pane of a run-time class derived from CWnd; its size becomes the ideal size of its row
    // and column.
    virtual BOOL CreateView(int row, int col, const CRuntimeClass* viewClass, SIZE initialSize,
                            CCreateContext* context);

    int GetRowCount() const { return static_cast<int>(m_rows.size()); }
    int GetColumnCount() const { return static_cast<int>(m_columns.size()); }
    void GetRowInfo(int row, int& current, int& minimum) const;
    void SetRowInfo(int row, int ideal, int minimum);
    void GetColumnInfo(int col, int& current, int& minimum) const;
    void SetColumnInfo(int col, int ideal, int minimum);
    virtual void RecalcLayout();

    int IdFromRowCol(int row, int col) const;
    CWnd* GetPane(int row, int col) const;
    BOOL IsChildPane(CWnd* window, int* row, int* col) const;
    // The pane that holds the focus, else the one that holds the frame's active view, else
    // the one made active last; null when none.
    virtual CWnd* GetActivePane(int* row = nullptr, int* col = nullptr);
    // Makes the pane (or `window`, a pane) active and gives it the focus; a view becomes its
    // frame's active view.
    virtual void SetActivePane(int row, int col, CWnd* window = nullptr);

protected:
    void OnSize(UINT type, int cx, int cy);

    DECLARE_MESSAGE_MAP()

private:
    struct Extent {
        int ideal = 0;
        int minimum = 0;
        int current = 0;
        bool shown = false;
    };
    static void Lay(std::vector<Extent>& extents, int total);
    static int Offset(const std::vector<Extent>& extents, int index);
    // The child pane that is `window` or holds it; null when none.
    CWnd* PaneHolding(HWND window, int* row, int* col) const;
    CView* FrameActiveView() const;

    std::vector<Extent> m_rows;
    std::vector<Extent> m_columns;
    HWND m_activePane = nullptr;
};
