#include "win/CSplitterWnd.h"

#include "win/CView.h"
#include "win/Object.h"

#include <algorithm>

BEGIN_MESSAGE_MAP(CSplitterWnd, CWnd)
    ON_WM_SIZE()
END_MESSAGE_MAP()

BOOL CSplitterWnd::CreateStatic(CWnd* parent, int rows, int cols, DWORD style, UINT id)
{
    if (!parent || rows < 1 || cols < 1 || rows > kMaxPanes || cols > kMaxPanes)
        return FALSE;
    m_rows.assign(static_cast<std::size_t>(rows), Extent{});
    m_columns.assign(static_cast<std::size_t>(cols), Extent{});
    CRect client;
    parent->GetClientRect(&client);
    return Create(nullptr, nullptr, style | WS_CHILD, client, parent, id);
}

BOOL CSplitterWnd::CreateView(int row, int col, const CRuntimeClass* viewClass, SIZE initialSize,
                              CCreateContext* context)
{
    if (row < 0 || col < 0 || row >= GetRowCount() || col >= GetColumnCount() || GetPane(row, col) || !viewClass)
        return FALSE;
    CObject* object = viewClass->CreateObject();
    auto* pane = dynamic_cast<CWnd*>(object);
    if (!pane) {
        delete object;
        return FALSE;
    }
    m_rows[static_cast<std::size_t>(row)].ideal = initialSize.cy;
    m_columns[static_cast<std::size_t>(col)].ideal = initialSize.cx;
    const CRect rect(0, 0, initialSize.cx, initialSize.cy);
    return pane->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER, rect, this,
                        static_cast<UINT>(IdFromRowCol(row, col)), context);
}

void CSplitterWnd::GetRowInfo(int row, int& current, int& minimum) const
{
    const Extent& extent = m_rows.at(static_cast<std::size_t>(row));
    current = extent.current;
    minimum = extent.minimum;
}

void CSplitterWnd::SetRowInfo(int row, int ideal, int minimum)
{
    Extent& extent = m_rows.at(static_cast<std::size_t>(row));
    extent.ideal = ideal;
    extent.minimum = minimum;
}

void CSplitterWnd::GetColumnInfo(int col, int& current, int& minimum) const
{
    const Extent& extent = m_columns.at(static_cast<std::size_t>(col));
    current = extent.current;
    minimum = extent.minimum;
}

void CSplitterWnd::SetColumnInfo(int col, int ideal, int minimum)
{
    Extent& extent = m_columns.at(static_cast<std::size_t>(col));
    extent.ideal = ideal;
    extent.minimum = minimum;
}

void CSplitterWnd::Lay(std::vector<Extent>& extents, int total)
{
    std::vector<std::size_t> shown;
    for (std::size_t i = 0; i < extents.size(); ++i) {
        extents[i].current = 0;
        extents[i].shown = extents[i].ideal >= extents[i].minimum;
        if (extents[i].shown)
            shown.push_back(i);
    }
    if (shown.empty()) {
        shown.push_back(extents.size() - 1);
        extents.back().shown = true;
    }
    int remaining = total;
    for (std::size_t k = 0; k + 1 < shown.size(); ++k) {
        Extent& extent = extents[shown[k]];
        extent.current = std::clamp(extent.ideal, 0, std::max(remaining, 0));
        remaining -= extent.current + kSplitterBar;
    }
    extents[shown.back()].current = std::max(remaining, 0);
}

int CSplitterWnd::Offset(const std::vector<Extent>& extents, int index)
{
    int offset = 0;
    for (int i = 0; i < index; ++i) {
        if (extents[static_cast<std::size_t>(i)].shown)
            offset += extents[static_cast<std::size_t>(i)].current + kSplitterBar;
    }
    return offset;
}

void CSplitterWnd::RecalcLayout()
{
    if (!m_hWnd || m_rows.empty())
        return;
    CRect client;
    GetClientRect(&client);
    Lay(m_rows, client.Height());
    Lay(m_columns, client.Width());
    for (int row = 0; row < GetRowCount(); ++row) {
        for (int col = 0; col < GetColumnCount(); ++col) {
            if (CWnd* pane = GetPane(row, col))
                pane->MoveWindow(Offset(m_columns, col), Offset(m_rows, row),
                                 m_columns[static_cast<std::size_t>(col)].current,
                                 m_rows[static_cast<std::size_t>(row)].current);
        }
    }
}

int CSplitterWnd::IdFromRowCol(int row, int col) const
{
    return static_cast<int>(AFX_IDW_PANE_FIRST) + row * kMaxPanes + col;
}

CWnd* CSplitterWnd::GetPane(int row, int col) const { return GetDlgItem(IdFromRowCol(row, col)); }

BOOL CSplitterWnd::IsChildPane(CWnd* window, int* row, int* col) const
{
    if (!window || ::GetParent(window->m_hWnd) != m_hWnd)
        return FALSE;
    const int offset = window->GetDlgCtrlID() - static_cast<int>(AFX_IDW_PANE_FIRST);
    const int paneRow = offset / kMaxPanes;
    const int paneCol = offset % kMaxPanes;
    if (offset < 0 || paneRow >= GetRowCount() || paneCol >= GetColumnCount())
        return FALSE;
    if (row)
        *row = paneRow;
    if (col)
        *col = paneCol;
    return TRUE;
}

CWnd* CSplitterWnd::PaneHolding(HWND window, int* row, int* col) const
{
    for (; window; window = ::GetParent(window)) {
        if (IsChildPane(FromHandle(window), row, col))
            return FromHandle(window);
    }
    return nullptr;
}

CView* CSplitterWnd::FrameActiveView() const
{
    for (CWnd* window = GetParent(); window; window = window->GetParent()) {
        if (window->IsFrameWnd())
            return static_cast<CFrameWnd*>(window)->GetActiveView();
    }
    return nullptr;
}

CWnd* CSplitterWnd::GetActivePane(int* row, int* col)
{
    if (CWnd* pane = PaneHolding(::GetFocus(), row, col))
        return pane;
    if (CView* view = FrameActiveView(); CWnd* pane = view ? PaneHolding(view->m_hWnd, row, col) : nullptr)
        return pane;
    CWnd* active = ::IsWindow(m_activePane) ? FromHandle(m_activePane) : nullptr;
    return active && IsChildPane(active, row, col) ? active : nullptr;
}

void CSplitterWnd::SetActivePane(int row, int col, CWnd* window)
{
    CWnd* pane = window ? window : GetPane(row, col);
    if (!pane)
        return;
    m_activePane = pane->m_hWnd;
    auto* view = dynamic_cast<CView*>(pane);
    if (CFrameWnd* frame = view ? view->GetParentFrame() : nullptr)
        frame->SetActiveView(view);
    pane->SetFocus();
}

void CSplitterWnd::OnSize(UINT, int, int) { RecalcLayout(); }
