#include "win/ListViewControl.h"

#include "win/CHeaderCtrl.h"
#include "win/FontMetrics.h"
#include "win/Gdi.h"
#include "win/HeaderControl.h"
#include "win/ImageList.h"
#include "win/ListViewInput.h"
#include "win/ListViewPainter.h"
#include "win/ControlSupport.h"
#include "win/Mbcs.h"
#include "win/UserActions.h"

#include <algorithm>
#include <cstring>
#include <mutex>
#include <utility>

namespace vqwin::detail {

namespace {

// The buffer the control offers its owner for a text it shows or searches.
constexpr int kDisplayBuffer = 260;

ListViewCell CellFrom(LPCSTR text)
{
    if (text == LPSTR_TEXTCALLBACK)
        return ListViewCell{{}, true};
    return ListViewCell{text ? text : "", false};
}

bool SameCell(const ListViewCell* old, const ListViewCell& cell)
{
    if (!old)
        return !cell.callback && cell.text.empty();
    return old->callback == cell.callback && old->text == cell.text;
}

int ImageHeight(HIMAGELIST list)
{
    int cx = 0;
    int cy = 0;
    return ImageList_GetIconSize(list, &cx, &cy) ? cy : 0;
}

int ImageWidth(HIMAGELIST list)
{
    int cx = 0;
    int cy = 0;
    return ImageList_GetIconSize(list, &cx, &cy) ? cx : 0;
}

} // namespace

ListViewControl::ListViewControl()
    : m_backColor(GetSysColor(COLOR_WINDOW)), m_textColor(GetSysColor(COLOR_WINDOWTEXT)),
      m_textBackColor(GetSysColor(COLOR_WINDOW))
{
}

ListViewControl::~ListViewControl() = default;

std::unique_ptr<ClassProcedure> ListViewControl::Make() { return std::make_unique<ListViewControl>(); }

LRESULT ListViewControl::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    m_hwnd = hwnd;
    if (message >= LVM_FIRST && message < LVM_FIRST + 0x100)
        return OnListMessage(message, wParam, lParam);
    switch (message) {
    case WM_CREATE:
        OnCreate();
        return 0;
    case WM_DESTROY:
        OnDestroy();
        return 0;
    case WM_SIZE:
        OnSize();
        return 0;
    case WM_STYLECHANGED:
        if (wParam == static_cast<WPARAM>(GWL_STYLE))
            OnStyleChanged();
        return 0;
    case WM_SETFONT:
        ::DefWindowProc(hwnd, message, wParam, lParam);
        SendMessage(m_header, WM_SETFONT, wParam, lParam);
        LayOutHeader();
        ClampTop();
        Invalidate();
        return 0;
    case WM_PAINT:
        ListViewPainter(*this).Paint();
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
        NMHDR header{};
        Notify(header, message == WM_SETFOCUS ? NM_SETFOCUS : NM_KILLFOCUS);
        Invalidate();
        return 0;
    }
    case WM_ENABLE:
        Invalidate();
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_KEYDOWN:
        ListViewInput(*this).KeyDown(static_cast<UINT>(wParam));
        return 0;
    case WM_NOTIFY:
        if (lParam)
            OnHeaderNotify(*reinterpret_cast<const NMHDR*>(lParam));
        return 0;
    case WM_VQ_USERACTION:
        return ListViewInput(*this).Perform(*reinterpret_cast<const vqui::UserAction*>(lParam));
    default:
        return ::DefWindowProc(hwnd, message, wParam, lParam);
    }
}

LRESULT ListViewControl::OnListMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    const int index = static_cast<int>(static_cast<std::intptr_t>(wParam));
    auto* item = reinterpret_cast<LVITEM*>(lParam);
    switch (message) {
    case LVM_GETITEMCOUNT:
        return Count();
    case LVM_SETITEMCOUNT:
        return SetItemCount(index);
    case LVM_INSERTITEM:
        return item ? InsertItem(*item) : -1;
    case LVM_DELETEITEM:
        return DeleteItem(index);
    case LVM_DELETEALLITEMS:
        return DeleteAllItems();
    case LVM_GETITEM:
        return item && GetItem(*item);
    case LVM_SETITEM:
        return item && SetItem(*item);
    case LVM_GETITEMTEXT:
        return item ? GetItemText(index, *item) : 0;
    case LVM_SETITEMTEXT:
        return item && m_rows.IsIndex(index) && SetCellText(index, item->iSubItem, item->pszText);
    case LVM_GETITEMSTATE:
        return m_rows.IsIndex(index) ? static_cast<LRESULT>(State(index) & static_cast<UINT>(lParam)) : 0;
    case LVM_SETITEMSTATE:
        return item && SetItemState(index, *item);
    case LVM_GETSELECTEDCOUNT:
        return m_rows.SelectedCount();
    case LVM_GETNEXTITEM:
        return GetNextItem(index, static_cast<UINT>(lParam));
    case LVM_FINDITEM:
        return lParam ? FindItem(index, *reinterpret_cast<const LVFINDINFO*>(lParam)) : -1;
    case LVM_SORTITEMS:
        return SortItems(reinterpret_cast<PFNLVCOMPARE>(lParam), static_cast<LPARAM>(wParam));
    default:
        return OnColumnMessage(message, wParam, lParam);
    }
}

LRESULT ListViewControl::OnColumnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    const int column = static_cast<int>(static_cast<std::intptr_t>(wParam));
    auto* source = reinterpret_cast<LVCOLUMN*>(lParam);
    switch (message) {
    case LVM_INSERTCOLUMN:
        return source ? InsertColumn(column, *source) : -1;
    case LVM_DELETECOLUMN:
        return DeleteColumn(column);
    case LVM_GETCOLUMN:
        return source && GetColumn(column, *source);
    case LVM_SETCOLUMN:
        return source && SetColumn(column, *source);
    case LVM_GETCOLUMNWIDTH:
        return column >= 0 && column < ColumnCount() ? ColumnWidth(column) : 0;
    case LVM_SETCOLUMNWIDTH:
        return SetColumnWidth(column, static_cast<short>(LOWORD(static_cast<std::uintptr_t>(lParam))));
    case LVM_GETHEADER:
        return reinterpret_cast<LRESULT>(m_header);
    default:
        return OnViewMessage(message, wParam, lParam);
    }
}

LRESULT ListViewControl::OnViewMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    const int index = static_cast<int>(static_cast<std::intptr_t>(wParam));
    auto* rect = reinterpret_cast<RECT*>(lParam);
    auto* hit = reinterpret_cast<LVHITTESTINFO*>(lParam);
    auto setColour = [this](COLORREF& field, LPARAM color) {
        field = static_cast<COLORREF>(color);
        Invalidate();
        return TRUE;
    };
    switch (message) {
    case LVM_GETITEMRECT:
        return rect && ItemRect(index, *rect);
    case LVM_GETSUBITEMRECT:
        return rect && SubItemRect(index, *rect);
    case LVM_HITTEST:
    case LVM_SUBITEMHITTEST:
        return hit ? HitTest(*hit) : -1;
    case LVM_ENSUREVISIBLE:
        return EnsureVisible(index, static_cast<BOOL>(lParam));
    case LVM_SCROLL:
        return Scroll(static_cast<int>(lParam));
    case LVM_REDRAWITEMS:
        Invalidate();
        return TRUE;
    case LVM_GETTOPINDEX:
        return m_top;
    case LVM_GETCOUNTPERPAGE:
        return CountPerPage();
    case LVM_GETIMAGELIST:
        return reinterpret_cast<LRESULT>(ImageList(index));
    case LVM_SETIMAGELIST:
        return reinterpret_cast<LRESULT>(SetImageList(index, reinterpret_cast<HIMAGELIST>(lParam)));
    case LVM_GETEXTENDEDLISTVIEWSTYLE:
        return static_cast<LRESULT>(m_exStyle);
    case LVM_SETEXTENDEDLISTVIEWSTYLE: {
        const DWORD mask = wParam ? static_cast<DWORD>(wParam) : 0xFFFFFFFF;
        const DWORD previous = std::exchange(m_exStyle, (m_exStyle & ~mask) | (static_cast<DWORD>(lParam) & mask));
        Invalidate();
        return static_cast<LRESULT>(previous);
    }
    case LVM_GETBKCOLOR:
        return static_cast<LRESULT>(m_backColor);
    case LVM_SETBKCOLOR:
        return setColour(m_backColor, lParam);
    case LVM_GETTEXTCOLOR:
        return static_cast<LRESULT>(m_textColor);
    case LVM_SETTEXTCOLOR:
        return setColour(m_textColor, lParam);
    case LVM_GETTEXTBKCOLOR:
        return static_cast<LRESULT>(m_textBackColor);
    case LVM_SETTEXTBKCOLOR:
        return setColour(m_textBackColor, lParam);
    default:
        return 0;
    }
}

void ListViewControl::OnCreate()
{
    CRect client;
    GetClientRect(m_hwnd, &client);
    const DWORD style =
        WS_CHILD | HDS_HORZ | (IsHeaderShown() ? WS_VISIBLE : 0) | ((Style() & LVS_NOSORTHEADER) ? 0 : HDS_BUTTONS);
    m_header = CreateWindowEx(0, WC_HEADER, "", style, 0, 0, client.Width(), HeaderControl::Height(FontHeight()),
                              m_hwnd, nullptr, nullptr, nullptr);
}

// Image lists go with the control unless it shares them.
void ListViewControl::OnDestroy()
{
    if (Style() & LVS_SHAREIMAGELISTS)
        return;
    for (HIMAGELIST& list : m_imageLists) {
        if (list)
            ImageList_Destroy(std::exchange(list, nullptr));
    }
}

// The real control asks for the height of owner-drawn rows whenever its size changes.
void ListViewControl::OnSize()
{
    LayOutHeader();
    if (Style() & LVS_OWNERDRAWFIXED)
        Measure();
    ClampTop();
    Invalidate();
}

void ListViewControl::OnStyleChanged()
{
    if (m_header) {
        const auto headerStyle = static_cast<DWORD>(GetWindowLongPtr(m_header, GWL_STYLE));
        const DWORD buttons = (Style() & LVS_NOSORTHEADER) ? 0 : HDS_BUTTONS;
        SetWindowLongPtr(m_header, GWL_STYLE, static_cast<LONG_PTR>((headerStyle & ~HDS_BUTTONS) | buttons));
    }
    LayOutHeader();
    ClampTop();
    Invalidate();
}

void ListViewControl::OnHeaderNotify(const NMHDR& header)
{
    if (header.hwndFrom != m_header || header.code != HDN_ITEMCLICK)
        return;
    NMLISTVIEW notice{};
    notice.iItem = -1;
    notice.iSubItem = reinterpret_cast<const NMHEADER&>(header).iItem;
    Notify(notice.hdr, LVN_COLUMNCLICK);
}

CHeaderCtrl* ListViewControl::HeaderObject()
{
    if (m_headerObject || !m_header)
        return m_headerObject.get();
    if (auto* attached = dynamic_cast<CHeaderCtrl*>(CWnd::FromHandlePermanent(m_header)))
        return attached;
    auto object = std::make_unique<CHeaderCtrl>();
    if (!object->Attach(m_header))
        return nullptr;
    m_headerObject = std::move(object);
    return m_headerObject.get();
}

DWORD ListViewControl::Style() const { return static_cast<DWORD>(GetWindowLongPtr(m_hwnd, GWL_STYLE)); }

bool ListViewControl::IsOwnerDraw() const { return (Style() & LVS_OWNERDRAWFIXED) && IsReport(); }

bool ListViewControl::HasFocus() const { return GetFocus() == m_hwnd; }

HFONT ListViewControl::Font() const
{
    auto font = reinterpret_cast<HFONT>(::DefWindowProc(m_hwnd, WM_GETFONT, 0, 0));
    return font ? font : static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
}

HIMAGELIST ListViewControl::ImageList(int kind) const
{
    return kind >= 0 && kind < static_cast<int>(m_imageLists.size()) ? m_imageLists[static_cast<std::size_t>(kind)]
                                                                     : nullptr;
}

HIMAGELIST ListViewControl::SetImageList(int kind, HIMAGELIST list)
{
    if (kind < 0 || kind >= static_cast<int>(m_imageLists.size()))
        return nullptr;
    HIMAGELIST previous = std::exchange(m_imageLists[static_cast<std::size_t>(kind)], list);
    ClampTop();
    Invalidate();
    return previous;
}

std::string ListViewControl::CellText(int row, int column)
{
    const ListViewCell* cell = m_rows.IsIndex(row) ? m_rows.Cell(row, column) : nullptr;
    if (!IsOwnerData() && !(cell && cell->callback))
        return cell ? cell->text : std::string();
    char buffer[kDisplayBuffer];
    const int length = CopyCellText(row, column, buffer, kDisplayBuffer);
    return std::string(buffer, static_cast<std::size_t>(length));
}

// A text the owner supplies is asked for with the caller's buffer; an owner that points to
// a text of its own has it copied, and whatever it wrote stays within the buffer.
int ListViewControl::CopyCellText(int row, int column, LPSTR buffer, int size)
{
    if (!buffer || size <= 0)
        return 0;
    buffer[0] = '\0';
    const ListViewCell* cell = m_rows.Cell(row, column);
    if (!IsOwnerData() && !(cell && cell->callback))
        return controls::CopyText(cell ? std::string_view(cell->text) : std::string_view(), buffer, size);
    NMLVDISPINFO info{};
    info.item.mask = LVIF_TEXT;
    info.item.iItem = row;
    info.item.iSubItem = column;
    info.item.state = State(row);
    info.item.pszText = buffer;
    info.item.cchTextMax = size;
    info.item.lParam = Param(row);
    Notify(info.hdr, LVN_GETDISPINFO);
    if (info.item.pszText != buffer) {
        const bool usable = info.item.pszText && info.item.pszText != LPSTR_TEXTCALLBACK;
        return controls::CopyText(usable ? std::string_view(info.item.pszText) : std::string_view(), buffer, size);
    }
    buffer[size - 1] = '\0';
    return static_cast<int>(std::strlen(buffer));
}

int ListViewControl::Image(int row)
{
    if (!m_rows.IsIndex(row))
        return 0;
    const int image = m_rows[row].image;
    if (!IsOwnerData() && image != I_IMAGECALLBACK)
        return image;
    NMLVDISPINFO info{};
    info.item.mask = LVIF_IMAGE;
    info.item.iItem = row;
    info.item.state = State(row);
    info.item.lParam = Param(row);
    Notify(info.hdr, LVN_GETDISPINFO);
    return info.item.iImage;
}

int ListViewControl::InsertItem(const LVITEM& item)
{
    if (IsOwnerData() || item.iSubItem != 0)
        return -1;
    ListViewRow row;
    row.cells.push_back((item.mask & LVIF_TEXT) ? CellFrom(item.pszText) : ListViewCell{});
    if (item.mask & LVIF_IMAGE)
        row.image = item.iImage;
    if (item.mask & LVIF_PARAM)
        row.param = item.lParam;
    if (item.mask & LVIF_STATE)
        row.state = item.state & item.stateMask;
    if (item.mask & LVIF_INDENT)
        row.indent = item.iIndent;
    int index = item.iItem;
    if (const DWORD sort = Style() & (LVS_SORTASCENDING | LVS_SORTDESCENDING))
        index = m_rows.SortedPosition(row.cells[0].text, sort == LVS_SORTDESCENDING);
    index = m_rows.Insert(index, std::move(row));
    NotifyItem(LVN_INSERTITEM, index, 0, 0, 0, 0);
    Invalidate();
    return index;
}

BOOL ListViewControl::DeleteItem(int row)
{
    if (!m_rows.IsIndex(row))
        return FALSE;
    NotifyItem(LVN_DELETEITEM, row, 0, 0, 0, 0);
    if (!m_rows.IsIndex(row))
        return FALSE;
    m_rows.Erase(row);
    ClampTop();
    Invalidate();
    return TRUE;
}

// The owner may answer LVN_DELETEALLITEMS with TRUE to be spared one LVN_DELETEITEM a row.
BOOL ListViewControl::DeleteAllItems()
{
    if (Count() > 0 && !NotifyItem(LVN_DELETEALLITEMS, -1, 0, 0, 0, 0)) {
        for (int row = 0; row < Count(); ++row)
            NotifyItem(LVN_DELETEITEM, row, 0, 0, 0, 0);
    }
    m_rows.Clear();
    m_top = 0;
    Invalidate();
    return TRUE;
}

BOOL ListViewControl::GetItem(LVITEM& item)
{
    const int row = item.iItem;
    if (!m_rows.IsIndex(row))
        return FALSE;
    if (item.mask & LVIF_PARAM)
        item.lParam = Param(row);
    if (item.mask & LVIF_STATE)
        item.state = State(row) & item.stateMask;
    if (item.mask & LVIF_INDENT)
        item.iIndent = m_rows[row].indent;
    if (item.mask & LVIF_TEXT)
        CopyCellText(row, item.iSubItem, item.pszText, item.cchTextMax);
    if ((item.mask & LVIF_IMAGE) && m_rows.IsIndex(row))
        item.iImage = item.iSubItem == 0 ? Image(row) : 0;
    return TRUE;
}

BOOL ListViewControl::SetItem(const LVITEM& item)
{
    const int row = item.iItem;
    if (!m_rows.IsIndex(row))
        return FALSE;
    BOOL done = TRUE;
    if (item.mask & LVIF_TEXT)
        done = SetCellText(row, item.iSubItem, item.pszText) && done;
    if (item.iSubItem != 0)
        return done;
    for (UINT field : {LVIF_IMAGE, LVIF_PARAM, LVIF_INDENT}) {
        if (item.mask & field)
            done = SetAttribute(row, field, item) && done;
    }
    if (item.mask & LVIF_STATE)
        done = ChangeState(row, item.state, item.stateMask) && done;
    return done;
}

int ListViewControl::GetItemText(int row, LVITEM& item)
{
    if (!m_rows.IsIndex(row)) {
        controls::CopyText({}, item.pszText, item.cchTextMax);
        return 0;
    }
    return CopyCellText(row, item.iSubItem, item.pszText, item.cchTextMax);
}

// Row -1 changes every row: one notice a row, or in a virtual list one notice for all.
BOOL ListViewControl::SetItemState(int row, const LVITEM& item)
{
    if (row != -1)
        return ChangeState(row, item.state, item.stateMask);
    if (!IsOwnerData()) {
        for (int each = 0; each < Count(); ++each)
            ChangeState(each, item.state, item.stateMask);
        return TRUE;
    }
    for (int each = 0; each < Count(); ++each)
        m_rows.SetState(each, (State(each) & ~item.stateMask) | (item.state & item.stateMask));
    Invalidate();
    NotifyItem(LVN_ITEMCHANGED, -1, 0, item.state & item.stateMask, item.stateMask & ~item.state, LVIF_STATE);
    return TRUE;
}

BOOL ListViewControl::SetCellText(int row, int column, LPCSTR text)
{
    if (IsOwnerData() || column < 0)
        return FALSE;
    ListViewCell cell = CellFrom(text);
    if (SameCell(m_rows.Cell(row, column), cell))
        return TRUE;
    const UINT state = State(row);
    if (NotifyItem(LVN_ITEMCHANGING, row, column, state, state, LVIF_TEXT) || !m_rows.IsIndex(row))
        return FALSE;
    m_rows.SetCell(row, column, std::move(cell));
    Invalidate();
    NotifyItem(LVN_ITEMCHANGED, row, column, state, state, LVIF_TEXT);
    return TRUE;
}

BOOL ListViewControl::SetAttribute(int row, UINT field, const LVITEM& item)
{
    if (IsOwnerData())
        return FALSE;
    const ListViewRow& current = m_rows[row];
    const bool same = (field == LVIF_IMAGE && current.image == item.iImage) ||
                      (field == LVIF_PARAM && current.param == item.lParam) ||
                      (field == LVIF_INDENT && current.indent == item.iIndent);
    if (same)
        return TRUE;
    const UINT state = current.state;
    if (NotifyItem(LVN_ITEMCHANGING, row, 0, state, state, field) || !m_rows.IsIndex(row))
        return FALSE;
    if (field == LVIF_IMAGE)
        m_rows.SetImage(row, item.iImage);
    else if (field == LVIF_PARAM)
        m_rows.SetParam(row, item.lParam);
    else
        m_rows.SetIndent(row, item.iIndent);
    Invalidate();
    NotifyItem(LVN_ITEMCHANGED, row, 0, state, state, field);
    return TRUE;
}

bool ListViewControl::ChangeState(int row, UINT state, UINT mask, POINT action)
{
    if (!m_rows.IsIndex(row))
        return false;
    const UINT old = State(row);
    const UINT wanted = (old & ~mask) | (state & mask);
    if (wanted == old)
        return true;
    if (NotifyItem(LVN_ITEMCHANGING, row, 0, wanted, old, LVIF_STATE, action))
        return false;
    const UINT gained = wanted & ~old;
    const UINT exclusive = (gained & LVIS_FOCUSED) | (IsSingleSelection() ? gained & LVIS_SELECTED : 0);
    for (int other = 0; exclusive && other < Count(); ++other) {
        if (other != row && (State(other) & exclusive))
            ChangeState(other, 0, exclusive, action);
    }
    if (!m_rows.IsIndex(row))
        return false;
    m_rows.SetState(row, (State(row) & ~mask) | (state & mask));
    Invalidate();
    NotifyItem(LVN_ITEMCHANGED, row, 0, State(row), old, LVIF_STATE, action);
    return true;
}

void ListViewControl::SelectOnly(int row, POINT action)
{
    constexpr UINT kBoth = LVIS_SELECTED | LVIS_FOCUSED;
    for (int other = 0; other < Count(); ++other) {
        if (other != row && (State(other) & kBoth))
            ChangeState(other, 0, kBoth, action);
    }
    if (m_rows.IsIndex(row))
        ChangeState(row, kBoth, kBoth, action);
}

BOOL ListViewControl::SetItemCount(int count)
{
    if (!IsOwnerData())
        return TRUE;
    m_rows.Resize(count);
    ClampTop();
    Invalidate();
    return TRUE;
}

int ListViewControl::GetNextItem(int start, UINT flags) const
{
    return m_rows.Next(start, flags & (LVNI_SELECTED | LVNI_FOCUSED));
}

int ListViewControl::FindItem(int start, const LVFINDINFO& find)
{
    if (IsOwnerData())
        return -1;
    if ((find.flags & LVFI_PARAM) && !(find.flags & LVFI_WRAP))
        return m_rows.FindParam(start, find.lParam);
    const int count = Count();
    const std::string_view wanted = find.psz ? find.psz : "";
    for (int step = 1; step <= count; ++step) {
        int row = start + step;
        if (row >= count) {
            if (!(find.flags & LVFI_WRAP))
                break;
            row -= count;
        }
        if (find.flags & LVFI_PARAM) {
            if (Param(row) == find.lParam)
                return row;
            continue;
        }
        if (!(find.flags & LVFI_STRING))
            continue;
        std::string text = CellText(row, 0);
        if (find.flags & LVFI_PARTIAL)
            text = text.substr(0, mbcs::CutLength(text, wanted.size()));
        if (mbcs::CompareNoCase(text, wanted) == 0)
            return row;
    }
    return -1;
}

// The comparison reads the rows as they were before the sort began (it may look rows up
// by their data), and the rows are put in order only at the end. A list changed by the
// comparison itself is left as it is.
BOOL ListViewControl::SortItems(PFNLVCOMPARE compare, LPARAM data)
{
    if (!compare || IsOwnerData())
        return FALSE;
    const int count = Count();
    std::vector<LPARAM> params(static_cast<std::size_t>(count));
    for (int row = 0; row < count; ++row)
        params[static_cast<std::size_t>(row)] = Param(row);
    const std::vector<std::size_t> order =
        SortedOrder(params.size(), [&](std::size_t a, std::size_t b) { return compare(params[a], params[b], data); });
    if (Count() != count)
        return FALSE;
    m_rows.Reorder(order);
    Invalidate();
    return TRUE;
}

int ListViewControl::InsertColumn(int column, const LVCOLUMN& source)
{
    if (column < 0 || !m_header)
        return -1;
    const int before = ColumnCount();
    HDITEM item{};
    item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
    item.pszText = (source.mask & LVCF_TEXT) ? source.pszText : nullptr;
    item.cxy = (source.mask & LVCF_WIDTH) ? std::max(source.cx, 0) : 0;
    item.fmt = HDF_STRING | ((source.mask & LVCF_FMT) ? (source.fmt & LVCFMT_JUSTIFYMASK) : LVCFMT_LEFT);
    const auto at = static_cast<int>(
        SendMessage(m_header, HDM_INSERTITEM, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item)));
    if (at < 0)
        return -1;
    m_subItems.insert(m_subItems.begin() + at, (source.mask & LVCF_SUBITEM) ? source.iSubItem : at);
    if (at > 0 && at < before)
        m_rows.InsertColumn(at);
    Invalidate();
    return at;
}

// Column 0 shows the items' own texts, which stay when the column goes.
BOOL ListViewControl::DeleteColumn(int column)
{
    if (column < 0 || column >= ColumnCount())
        return FALSE;
    SendMessage(m_header, HDM_DELETEITEM, static_cast<WPARAM>(column), 0);
    m_subItems.erase(m_subItems.begin() + column);
    if (column > 0)
        m_rows.EraseColumn(column);
    Invalidate();
    return TRUE;
}

BOOL ListViewControl::GetColumn(int column, LVCOLUMN& target) const
{
    if (column < 0 || column >= ColumnCount())
        return FALSE;
    HDITEM item{};
    item.mask = HDI_WIDTH | HDI_FORMAT | ((target.mask & LVCF_TEXT) ? HDI_TEXT : 0);
    item.pszText = target.pszText;
    item.cchTextMax = target.cchTextMax;
    SendMessage(m_header, HDM_GETITEM, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));
    if (target.mask & LVCF_FMT)
        target.fmt = item.fmt & LVCFMT_JUSTIFYMASK;
    if (target.mask & LVCF_WIDTH)
        target.cx = item.cxy;
    if (target.mask & LVCF_SUBITEM)
        target.iSubItem = m_subItems[static_cast<std::size_t>(column)];
    return TRUE;
}

BOOL ListViewControl::SetColumn(int column, const LVCOLUMN& source)
{
    if (column < 0 || column >= ColumnCount())
        return FALSE;
    HDITEM item{};
    if (source.mask & LVCF_TEXT) {
        item.mask |= HDI_TEXT;
        item.pszText = source.pszText;
    }
    if (source.mask & LVCF_WIDTH) {
        item.mask |= HDI_WIDTH;
        item.cxy = source.cx;
    }
    if (source.mask & LVCF_FMT) {
        item.mask |= HDI_FORMAT;
        item.fmt = HDF_STRING | (source.fmt & LVCFMT_JUSTIFYMASK);
    }
    if (source.mask & LVCF_SUBITEM)
        m_subItems[static_cast<std::size_t>(column)] = source.iSubItem;
    if (item.mask)
        SendMessage(m_header, HDM_SETITEM, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));
    Invalidate();
    return TRUE;
}

// Widths are pixels; the automatic widths (negative values) are not offered.
BOOL ListViewControl::SetColumnWidth(int column, int width)
{
    if (column < 0 || column >= ColumnCount() || width < 0)
        return FALSE;
    HDITEM item{};
    item.mask = HDI_WIDTH;
    item.cxy = width;
    SendMessage(m_header, HDM_SETITEM, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));
    Invalidate();
    return TRUE;
}

int ListViewControl::FontHeight() const
{
    LOGFONT font{};
    GetObject(Font(), sizeof font, &font);
    return FontMetrics(font).Height();
}

int ListViewControl::RowHeight() const
{
    if ((Style() & LVS_OWNERDRAWFIXED) && m_measuredHeight > 0)
        return m_measuredHeight;
    const int images = std::max(ImageHeight(ImageList(LVSIL_SMALL)), ImageHeight(ImageList(LVSIL_STATE)));
    return std::max(FontHeight(), images) + 2;
}

int ListViewControl::RowsTop() const { return IsHeaderShown() ? HeaderControl::Height(FontHeight()) : 0; }

int ListViewControl::CountPerPage() const
{
    CRect client;
    GetClientRect(m_hwnd, &client);
    return std::max(0, (client.bottom - RowsTop()) / RowHeight());
}

int ListViewControl::ColumnCount() const
{
    return m_header ? static_cast<int>(SendMessage(m_header, HDM_GETITEMCOUNT)) : 0;
}

// Outside report mode the rows have one column as wide as the window.
int ListViewControl::ColumnWidth(int column) const
{
    if (!IsReport()) {
        CRect client;
        GetClientRect(m_hwnd, &client);
        return column == 0 ? client.Width() : 0;
    }
    HDITEM item{};
    item.mask = HDI_WIDTH;
    return SendMessage(m_header, HDM_GETITEM, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item)) ? item.cxy
                                                                                                            : 0;
}

int ListViewControl::ColumnFormat(int column) const
{
    HDITEM item{};
    item.mask = HDI_FORMAT;
    SendMessage(m_header, HDM_GETITEM, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));
    return item.fmt & LVCFMT_JUSTIFYMASK;
}

int ListViewControl::ColumnLeft(int column) const
{
    int left = 0;
    for (int each = 0; each < column; ++each)
        left += ColumnWidth(each);
    return left;
}

int ListViewControl::TotalWidth() const { return ColumnLeft(ShownColumns()); }

CRect ListViewControl::RowRect(int row) const
{
    const int top = RowsTop() + (row - m_top) * RowHeight();
    return CRect(0, top, TotalWidth(), top + RowHeight());
}

ListViewControl::FirstCell ListViewControl::FirstCellParts(int row) const
{
    const CRect cell = CellRect(row, 0);
    const int stateWidth = ImageWidth(ImageList(LVSIL_STATE));
    const int iconWidth = ImageWidth(ImageList(LVSIL_SMALL));
    int x = cell.left + (m_rows.IsIndex(row) ? m_rows[row].indent : 0) * iconWidth;
    FirstCell parts;
    parts.state = CRect(x, cell.top, x + stateWidth, cell.bottom);
    x += stateWidth;
    parts.icon = CRect(x, cell.top, x + iconWidth, cell.bottom);
    x += iconWidth;
    parts.label = CRect(std::min(x, static_cast<int>(cell.right)), cell.top, cell.right, cell.bottom);
    return parts;
}

CRect ListViewControl::CellRect(int row, int column) const
{
    const CRect bounds = RowRect(row);
    const int left = ColumnLeft(column);
    return CRect(left, bounds.top, left + ColumnWidth(column), bounds.bottom);
}

BOOL ListViewControl::ItemRect(int row, RECT& rect) const
{
    if (!m_rows.IsIndex(row))
        return FALSE;
    const FirstCell parts = FirstCellParts(row);
    switch (rect.left) {
    case LVIR_BOUNDS:
        rect = RowRect(row);
        return TRUE;
    case LVIR_ICON:
        rect = parts.icon;
        return TRUE;
    case LVIR_LABEL:
        rect = parts.label;
        return TRUE;
    case LVIR_SELECTBOUNDS:
        if (m_exStyle & LVS_EX_FULLROWSELECT)
            rect = RowRect(row);
        else
            static_cast<CRect&>(rect).UnionRect(&parts.icon, &parts.label);
        return TRUE;
    default:
        return FALSE;
    }
}

// Sub-item 0 answers for the whole row, as the real control does.
BOOL ListViewControl::SubItemRect(int row, RECT& rect) const
{
    const int column = rect.top;
    if (column == 0)
        return ItemRect(row, rect);
    if (!m_rows.IsIndex(row) || column < 0 || column >= ColumnCount())
        return FALSE;
    const CRect cell = CellRect(row, column);
    rect = rect.left == LVIR_ICON ? CRect(cell.left, cell.top, cell.left, cell.bottom) : cell;
    return TRUE;
}

int ListViewControl::HitTest(LVHITTESTINFO& info) const
{
    info.flags = 0;
    info.iItem = -1;
    info.iSubItem = 0;
    CRect client;
    GetClientRect(m_hwnd, &client);
    const POINT point = info.pt;
    if (point.x < 0)
        info.flags |= LVHT_TOLEFT;
    else if (point.x >= client.right)
        info.flags |= LVHT_TORIGHT;
    if (point.y < 0)
        info.flags |= LVHT_ABOVE;
    else if (point.y >= client.bottom)
        info.flags |= LVHT_BELOW;
    if (info.flags)
        return -1;
    const int row = point.y < RowsTop() ? -1 : m_top + (point.y - RowsTop()) / RowHeight();
    if (row < 0 || row >= Count() || point.x >= TotalWidth()) {
        info.flags = LVHT_NOWHERE;
        return -1;
    }
    int column = 0;
    while (point.x >= ColumnLeft(column + 1))
        ++column;
    info.iItem = row;
    info.iSubItem = column;
    const FirstCell parts = FirstCellParts(row);
    if (column == 0 && parts.state.PtInRect(point))
        info.flags = LVHT_ONITEMSTATEICON;
    else if (column == 0 && parts.icon.PtInRect(point))
        info.flags = LVHT_ONITEMICON;
    else
        info.flags = LVHT_ONITEMLABEL;
    return row;
}

BOOL ListViewControl::EnsureVisible(int row, BOOL partialOk)
{
    if (!m_rows.IsIndex(row))
        return FALSE;
    const int perPage = CountPerPage();
    CRect client;
    GetClientRect(m_hwnd, &client);
    const bool partlyShown = (client.bottom - RowsTop()) % RowHeight() != 0;
    if (row < m_top)
        m_top = row;
    else if (row >= m_top + perPage && !(partialOk && partlyShown && row == m_top + perPage))
        m_top = row - std::max(perPage, 1) + 1;
    else
        return TRUE;
    ClampTop();
    Invalidate();
    return TRUE;
}

BOOL ListViewControl::Scroll(int dy)
{
    m_top += dy / RowHeight();
    ClampTop();
    Invalidate();
    return TRUE;
}

void ListViewControl::ClampTop()
{
    const int last = std::max(0, Count() - std::max(CountPerPage(), 1));
    m_top = std::clamp(m_top, 0, last);
}

void ListViewControl::Measure()
{
    const int id = GetDlgCtrlID(m_hwnd);
    MEASUREITEMSTRUCT measure{ODT_LISTVIEW, static_cast<UINT>(id), 0, 0, 0, 0};
    m_measuredHeight = 0;
    measure.itemHeight = static_cast<UINT>(RowHeight());
    SendMessage(GetParent(m_hwnd), WM_MEASUREITEM, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&measure));
    m_measuredHeight = std::max(1, static_cast<int>(measure.itemHeight));
}

bool ListViewControl::IsHeaderShown() const { return IsReport() && !(Style() & LVS_NOCOLUMNHEADER); }

void ListViewControl::LayOutHeader()
{
    if (!m_header)
        return;
    CRect client;
    GetClientRect(m_hwnd, &client);
    SetWindowPos(m_header, nullptr, 0, 0, client.Width(), HeaderControl::Height(FontHeight()),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    const bool shown = IsHeaderShown();
    if (shown != ((GetWindowLongPtr(m_header, GWL_STYLE) & WS_VISIBLE) != 0))
        ShowWindow(m_header, shown ? SW_SHOW : SW_HIDE);
}

void ListViewControl::Invalidate() const { InvalidateRect(m_hwnd, nullptr, TRUE); }

LRESULT ListViewControl::Notify(NMHDR& header, UINT code) const
{
    header.hwndFrom = m_hwnd;
    header.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(m_hwnd));
    header.code = code;
    return SendMessage(GetParent(m_hwnd), WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

LRESULT ListViewControl::NotifyItem(UINT code, int row, int subItem, UINT newState, UINT oldState, UINT changed,
                                    POINT action) const
{
    NMLISTVIEW notice{};
    notice.iItem = row;
    notice.iSubItem = subItem;
    notice.uNewState = newState;
    notice.uOldState = oldState;
    notice.uChanged = changed;
    notice.ptAction = action;
    notice.lParam = m_rows.IsIndex(row) ? Param(row) : 0;
    return Notify(notice.hdr, code);
}

} // namespace vqwin::detail

namespace vqwin {

void RegisterListViewClasses()
{
    static std::once_flag once;
    std::call_once(once, [] {
        RegisterWindowClass(WC_LISTVIEW, &detail::ListViewControl::Make);
        RegisterWindowClass(WC_HEADER, &detail::HeaderControl::Make);
    });
}

} // namespace vqwin
