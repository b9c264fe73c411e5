#include "shell/VqsTypedListCtrl.h"

#include "win/CDC.h"
#include "win/CGdiObject.h"
#include "win/MbString.h"

#include <unordered_map>

namespace vqs_typed_list {

namespace {

constexpr int kDefaultMarkSize = 16;
constexpr int kDefaultImageWidth = 16;

// The rows as they stand when a sort starts: each record's row, and the texts of every row.
// The rows keep their places until the sort ends, so the texts are read from the control
// once instead of at every comparison.
class SortSnapshot {
public:
    explicit SortSnapshot(const VqsTypedListSortParam& param) : m_param(param)
    {
        const int rows = param.control->GetItemCount();
        m_texts.resize(static_cast<std::size_t>(rows));
        for (int row = 0; row < rows; ++row) {
            m_rowOf[static_cast<LPARAM>(param.control->GetItemData(row))] = row;
            std::vector<CString>& texts = m_texts[static_cast<std::size_t>(row)];
            for (int column = 0; column < param.columnCount; ++column)
                texts.push_back(param.control->GetItemText(row, column));
        }
    }

    // Flagged rows first; then the sort column in the sort's direction; then the other
    // columns in ascending order. A strict weak order, so that flagged rows sort among
    // themselves as the others do.
    int Compare(LPARAM first, LPARAM second) const
    {
        const int row1 = RowOf(first);
        const int row2 = RowOf(second);
        if (row1 < 0 || row2 < 0 || !first || !second)
            return 0;
        const bool flagged1 = Record(first)->IsFlagged() != FALSE;
        const bool flagged2 = Record(second)->IsFlagged() != FALSE;
        if (flagged1 != flagged2)
            return flagged1 ? -1 : 1;
        const int primary = CompareColumn(row1, row2, m_param.column);
        if (primary != 0)
            return m_param.ascending ? primary : -primary;
        for (int column = 0; column < m_param.columnCount; ++column) {
            if (column == m_param.column)
                continue;
            if (const int order = CompareColumn(row1, row2, column))
                return order;
        }
        return 0;
    }

private:
    static const VqsTypedListItemData* Record(LPARAM data) { return reinterpret_cast<VqsTypedListItemData*>(data); }

    int RowOf(LPARAM data) const
    {
        const auto found = m_rowOf.find(data);
        return found == m_rowOf.end() ? -1 : found->second;
    }

    int CompareColumn(int row1, int row2, int column) const
    {
        if (column < 0 || column >= m_param.columnCount)
            return 0;
        return _mbsicmp(m_texts[static_cast<std::size_t>(row1)][static_cast<std::size_t>(column)].GetString(),
                        m_texts[static_cast<std::size_t>(row2)][static_cast<std::size_t>(column)].GetString());
    }

    VqsTypedListSortParam m_param;
    std::unordered_map<LPARAM, int> m_rowOf;
    std::vector<std::vector<CString>> m_texts;
};

int CompareItems(LPARAM first, LPARAM second, LPARAM snapshot)
{
    return reinterpret_cast<const SortSnapshot*>(snapshot)->Compare(first, second);
}

// Nudges the control one pixel and back, and each column, so that it lays itself out anew.
void ForceLayout(CListCtrl* list, int columns)
{
    CRect window;
    list->GetWindowRect(&window);
    list->SetWindowPos(nullptr, 0, 0, window.Width() + 1, window.Height() + 1, SWP_NOMOVE | SWP_NOZORDER);
    list->SetWindowPos(nullptr, 0, 0, window.Width(), window.Height(), SWP_NOMOVE | SWP_NOZORDER);
    if (columns <= 1)
        return;
    for (int column = 0; column < columns; ++column) {
        const int width = list->GetColumnWidth(column);
        list->SetColumnWidth(column, width + 1);
        list->SetColumnWidth(column, width);
    }
}

// The mark at the left, centred in the row; the x where what follows starts.
int DrawMark(CDC* dc, const CRect& row, const VqsBitmapRef& mark)
{
    VqsSysApp* app = VqsGetApp();
    CBitmap* bitmap = app ? app->GetCachedBitmap(mark) : nullptr;
    if (!bitmap)
        return row.left;
    BITMAP info{};
    int width = kDefaultMarkSize;
    int height = kDefaultMarkSize;
    if (bitmap->GetBitmap(&info)) {
        width = info.bmWidth;
        height = info.bmHeight;
    }
    CDC memory;
    memory.CreateCompatibleDC(dc);
    CBitmap* previous = memory.SelectObject(bitmap);
    dc->BitBlt(row.left + 2, row.top + (row.Height() - height) / 2, width, height, &memory, 0, 0, SRCCOPY);
    memory.SelectObject(previous);
    return row.left + width + 4;
}

} // namespace

BOOL InsertColumns(CListCtrl* list, const std::vector<UINT>& headerIds)
{
    CRect client;
    list->GetClientRect(&client);
    int budget = client.Width() - GetSystemMetrics(SM_CXVSCROLL);
    const auto count = static_cast<unsigned>(headerIds.size());
    for (unsigned column = 0; column < count; ++column) {
        CString header;
        if (!header.LoadString(headerIds[column]))
            return FALSE;
        const int width =
            column + 1 < count ? static_cast<int>(static_cast<unsigned>(budget) / (count - column)) : budget;
        if (list->InsertColumn(static_cast<int>(column), header, LVCFMT_LEFT, width, static_cast<int>(column)) < 0)
            return FALSE;
        budget -= width;
    }
    ForceLayout(list, static_cast<int>(count));
    return TRUE;
}

void SortRows(const VqsTypedListSortParam& param)
{
    const SortSnapshot snapshot(param);
    param.control->SortItems(CompareItems, reinterpret_cast<DWORD_PTR>(&snapshot));
    VqsSetHeaderSortArrow(param.control, param.column, param.ascending);
}

void DrawRow(CListCtrl* list, LPDRAWITEMSTRUCT dis, const VqsTypedListItemData& record, BOOL present,
             int columnCount)
{
    CDC* dc = CDC::FromHandle(dis->hDC);
    const CRect row(dis->rcItem);
    const int index = static_cast<int>(dis->itemID);
    const BOOL selected = (dis->itemState & ODS_SELECTED) != 0;
    const COLORREF oldBack = dc->GetBkColor();
    const COLORREF oldText = dc->GetTextColor();
    const COLORREF back = GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW);
    const COLORREF text = GetSysColor(!present ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
    dc->SetBkColor(back);
    dc->SetTextColor(text);
    dc->FillSolidRect(&row, back);

    int x = row.left;
    if (record.mark.nID || record.mark.lpszName)
        x = DrawMark(dc, row, record.mark);
    VqsSysApp* app = VqsGetApp();
    if (record.loaded && record.valid && app) {
        app->DrawObjectImage(dc, record.image, x + 2, row.top, row.Height(), FALSE);
        x += app->GetImageSize().cx + 4;
    }
    dc->FillSolidRect(CRect(x, row.top, row.right, row.bottom), back);
    dc->TextOut(x + 2, row.top + 1, list->GetItemText(index, 0));
    int columnLeft = row.left;
    for (int column = 1; column < columnCount; ++column) {
        columnLeft += list->GetColumnWidth(column - 1);
        dc->FillSolidRect(CRect(columnLeft, row.top, row.right, row.bottom), back);
        dc->TabbedTextOut(columnLeft + 2, row.top, list->GetItemText(index, column), 0, nullptr, 0);
    }
    dc->SetBkColor(oldBack);
    dc->SetTextColor(oldText);
}

UINT RowHeight(CListCtrl* list)
{
    VqsSysApp* app = VqsGetApp();
    int imageWidth = app ? app->GetImageSize().cx : 0;
    if (imageWidth <= 0)
        imageWidth = kDefaultImageWidth;
    int textHeight = 0;
    CClientDC dc(list);
    TEXTMETRIC metrics{};
    if (dc.GetTextMetrics(&metrics))
        textHeight = metrics.tmHeight;
    return static_cast<UINT>((imageWidth > textHeight ? imageWidth : textHeight) + 2);
}

int ColumnSubItem(const CListCtrl* list, int column)
{
    if (column == 0)
        return 0;
    LVCOLUMN info{};
    info.mask = LVCF_SUBITEM;
    return list->GetColumn(column, &info) ? info.iSubItem : column;
}

VqsTypedListItemData* RecordOfRow(const CListCtrl* list, int row)
{
    return reinterpret_cast<VqsTypedListItemData*>(list->GetItemData(row));
}

int RowOfRecord(const CListCtrl* list, const VqsTypedListItemData* record)
{
    LVFINDINFO find{};
    find.flags = LVFI_PARAM;
    find.lParam = reinterpret_cast<LPARAM>(record);
    return list->FindItem(&find, -1);
}

} // namespace vqs_typed_list
