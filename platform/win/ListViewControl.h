// Internal to platform/win: the behaviour of list view windows ("SysListView32"). The rows
// live in ListViewRows, the column titles and widths in the header window; painting is
// ListViewPainter's and what a user does ListViewInput's.
#pragma once

#include "win/Geometry.h"
#include "win/ImageList.h"
#include "win/ListView.h"
#include "win/ListViewRows.h"
#include "win/Window.h"

#include <array>
#include <memory>
#include <string>

class CHeaderCtrl;

namespace vqwin::detail {

class ListViewControl : public ClassProcedure {
public:
    ListViewControl();
    ~ListViewControl() override;
    static std::unique_ptr<ClassProcedure> Make();

    LRESULT WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;

    // The header window's object, attached on first use.
    CHeaderCtrl* HeaderObject();

    // The parts of column 0 of a row: state image, image and label.
    struct FirstCell {
        CRect state;
        CRect icon;
        CRect label;
    };

    HWND Window() const { return m_hwnd; }
    DWORD Style() const;
    DWORD ExtendedStyle() const { return m_exStyle; }
    // Report rows drawn by the owner (WM_DRAWITEM).
    bool IsOwnerDraw() const;
    bool IsReport() const { return (Style() & LVS_TYPEMASK) == LVS_REPORT; }
    // Columns the rows are laid out in: the header's in report mode, else one.
    int ShownColumns() const { return IsReport() ? ColumnCount() : 1; }
    HWND Header() const { return m_header; }
    bool IsOwnerData() const { return (Style() & LVS_OWNERDATA) != 0; }
    bool IsSingleSelection() const { return (Style() & LVS_SINGLESEL) != 0; }
    bool HasFocus() const;
    HFONT Font() const;
    HIMAGELIST ImageList(int kind) const;
    COLORREF BackColor() const { return m_backColor; }
    COLORREF TextColor() const { return m_textColor; }
    COLORREF TextBackColor() const { return m_textBackColor; }

    // Rows.
    const ListViewRows& Rows() const { return m_rows; }
    int Count() const { return m_rows.Count(); }
    UINT State(int row) const { return m_rows[row].state; }
    LPARAM Param(int row) const { return m_rows[row].param; }
    // A cell's text, asking the owner for texts it supplies.
    std::string CellText(int row, int column);
    // A row's image index, asking the owner for an image it supplies.
    int Image(int row);
    // Changes the state bits in `mask`, announced with LVN_ITEMCHANGING (which may refuse it)
    // and LVN_ITEMCHANGED. Selecting a row of a single-selection list deselects the others;
    // only one row has the focus. False when the change was refused or the row is gone.
    bool ChangeState(int row, UINT state, UINT mask, POINT action = {0, 0});
    // Gives the row the selection and the focus alone, as a click does.
    void SelectOnly(int row, POINT action);
    BOOL EnsureVisible(int row, BOOL partialOk);

    // Geometry, in client coordinates.
    int RowHeight() const;
    int RowsTop() const;
    int TopIndex() const { return m_top; }
    int CountPerPage() const;
    int ColumnCount() const;
    int ColumnWidth(int column) const;
    int ColumnFormat(int column) const;
    int ColumnLeft(int column) const;
    int TotalWidth() const;
    CRect RowRect(int row) const;
    FirstCell FirstCellParts(int row) const;
    CRect CellRect(int row, int column) const;
    int HitTest(LVHITTESTINFO& info) const;

    // Sends a notification to the parent and answers its result.
    LRESULT Notify(NMHDR& header, UINT code) const;
    LRESULT NotifyItem(UINT code, int row, int subItem, UINT newState, UINT oldState, UINT changed,
                       POINT action = {0, 0}) const;

private:
    LRESULT OnListMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnColumnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnViewMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnCreate();
    void OnDestroy();
    void OnSize();
    void OnStyleChanged();
    void OnHeaderNotify(const NMHDR& header);

    int InsertItem(const LVITEM& item);
    BOOL DeleteItem(int row);
    BOOL DeleteAllItems();
    BOOL GetItem(LVITEM& item);
    BOOL SetItem(const LVITEM& item);
    int GetItemText(int row, LVITEM& item);
    BOOL SetItemState(int row, const LVITEM& item);
    BOOL SetCellText(int row, int column, LPCSTR text);
    BOOL SetAttribute(int row, UINT field, const LVITEM& item);
    int CopyCellText(int row, int column, LPSTR buffer, int size);
    BOOL SetItemCount(int count);
    int GetNextItem(int start, UINT flags) const;
    int FindItem(int start, const LVFINDINFO& find);
    BOOL SortItems(PFNLVCOMPARE compare, LPARAM data);

    int InsertColumn(int column, const LVCOLUMN& source);
    BOOL DeleteColumn(int column);
    BOOL GetColumn(int column, LVCOLUMN& target) const;
    BOOL SetColumn(int column, const LVCOLUMN& source);
    BOOL SetColumnWidth(int column, int width);

    BOOL ItemRect(int row, RECT& rect) const;
    BOOL SubItemRect(int row, RECT& rect) const;
    BOOL Scroll(int dy);
    void ClampTop();
    void Measure();
    void LayOutHeader();
    bool IsHeaderShown() const;
    int FontHeight() const;
    HIMAGELIST SetImageList(int kind, HIMAGELIST list);
    void Invalidate() const;

    HWND m_hwnd = nullptr;
    HWND m_header = nullptr;
    ListViewRows m_rows;
    std::vector<int> m_subItems; // of each column, as given when it was inserted
    std::array<HIMAGELIST, 3> m_imageLists{};
    DWORD m_exStyle = 0;
    COLORREF m_backColor;
    COLORREF m_textColor;
    COLORREF m_textBackColor;
    int m_top = 0;
    int m_measuredHeight = 0; // of owner-drawn rows, from WM_MEASUREITEM; 0 until asked
    std::unique_ptr<CHeaderCtrl> m_headerObject;
};

} // namespace vqwin::detail
