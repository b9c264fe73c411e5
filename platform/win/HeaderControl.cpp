#include "win/HeaderControl.h"

#include "win/CDC.h"
#include "win/CGdiObject.h"
#include "win/ControlSupport.h"
#include "win/Mbcs.h"
#include "win/UserActions.h"


namespace vqwin::detail {

std::unique_ptr<ClassProcedure> HeaderControl::Make() { return std::make_unique<HeaderControl>(); }

LRESULT HeaderControl::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case HDM_GETITEMCOUNT:
        return static_cast<LRESULT>(m_items.size());
    case HDM_INSERTITEM:
        return lParam ? Insert(static_cast<int>(wParam), *reinterpret_cast<const HDITEM*>(lParam)) : -1;
    case HDM_DELETEITEM:
        if (!IsIndex(static_cast<int>(wParam)))
            return FALSE;
        m_items.erase(m_items.begin() + static_cast<std::ptrdiff_t>(wParam));
        InvalidateRect(hwnd, nullptr, TRUE);
        return TRUE;
    case HDM_GETITEM:
        return lParam && Get(static_cast<int>(wParam), *reinterpret_cast<HDITEM*>(lParam));
    case HDM_SETITEM:
        return lParam && Set(hwnd, static_cast<int>(wParam), *reinterpret_cast<const HDITEM*>(lParam));
    case HDM_GETITEMRECT:
        return lParam && ItemRect(hwnd, static_cast<int>(wParam), *reinterpret_cast<RECT*>(lParam));
    case WM_PAINT:
        Paint(hwnd);
        return 0;
    case WM_VQ_USERACTION: {
        const auto* action = reinterpret_cast<const vqui::UserAction*>(lParam);
        return action->kind == vqui::UserActionKind::ClickColumnHeader && Click(hwnd, action->index);
    }
    default:
        return ::DefWindowProc(hwnd, message, wParam, lParam);
    }
}

int HeaderControl::Insert(int index, const HDITEM& source)
{
    if (index < 0)
        return -1;
    Item item;
    if (source.mask & HDI_TEXT)
        item.text = source.pszText ? source.pszText : "";
    if (source.mask & HDI_WIDTH)
        item.width = source.cxy;
    if (source.mask & HDI_FORMAT)
        item.format = source.fmt;
    if (source.mask & HDI_BITMAP)
        item.bitmap = source.hbm;
    if (source.mask & HDI_LPARAM)
        item.param = source.lParam;
    const std::size_t at = std::min(static_cast<std::size_t>(index), m_items.size());
    m_items.insert(m_items.begin() + static_cast<std::ptrdiff_t>(at), item);
    return static_cast<int>(at);
}

BOOL HeaderControl::Get(int index, HDITEM& target) const
{
    if (!IsIndex(index))
        return FALSE;
    const Item& item = m_items[static_cast<std::size_t>(index)];
    if (target.mask & HDI_TEXT)
        controls::CopyText(item.text, target.pszText, target.cchTextMax);
    if (target.mask & HDI_WIDTH)
        target.cxy = item.width;
    if (target.mask & HDI_FORMAT)
        target.fmt = item.format;
    if (target.mask & HDI_BITMAP)
        target.hbm = item.bitmap;
    if (target.mask & HDI_LPARAM)
        target.lParam = item.param;
    return TRUE;
}

BOOL HeaderControl::Set(HWND hwnd, int index, const HDITEM& source)
{
    if (!IsIndex(index))
        return FALSE;
    Item& item = m_items[static_cast<std::size_t>(index)];
    if (source.mask & HDI_TEXT)
        item.text = source.pszText ? source.pszText : "";
    if (source.mask & HDI_WIDTH)
        item.width = std::max(source.cxy, 0);
    if (source.mask & HDI_FORMAT)
        item.format = source.fmt;
    if (source.mask & HDI_BITMAP)
        item.bitmap = source.hbm;
    if (source.mask & HDI_LPARAM)
        item.param = source.lParam;
    InvalidateRect(hwnd, nullptr, TRUE);
    if (source.mask & HDI_WIDTH)
        InvalidateRect(GetParent(hwnd), nullptr, TRUE);
    return TRUE;
}

BOOL HeaderControl::ItemRect(HWND hwnd, int index, RECT& rect) const
{
    if (!IsIndex(index))
        return FALSE;
    CRect client;
    GetClientRect(hwnd, &client);
    int left = 0;
    for (int i = 0; i < index; ++i)
        left += m_items[static_cast<std::size_t>(i)].width;
    rect = CRect(left, 0, left + m_items[static_cast<std::size_t>(index)].width, client.bottom);
    return TRUE;
}

// A header without HDS_BUTTONS takes the click without telling anyone.
BOOL HeaderControl::Click(HWND hwnd, int index) const
{
    if (!IsIndex(index))
        return FALSE;
    if (GetWindowLongPtr(hwnd, GWL_STYLE) & HDS_BUTTONS) {
        NMHEADER notice{{hwnd, static_cast<UINT_PTR>(GetDlgCtrlID(hwnd)), HDN_ITEMCLICK}, index, 0, nullptr};
        SendMessage(GetParent(hwnd), WM_NOTIFY, notice.hdr.idFrom, reinterpret_cast<LPARAM>(&notice));
    }
    return TRUE;
}

void HeaderControl::Paint(HWND hwnd) const
{
    PAINTSTRUCT paint;
    CDC* dc = CDC::FromHandle(BeginPaint(hwnd, &paint));
    if (!dc) {
        EndPaint(hwnd, &paint);
        return;
    }
    CRect client;
    GetClientRect(hwnd, &client);
    dc->SelectObject(CFont::FromHandle(reinterpret_cast<HFONT>(::DefWindowProc(hwnd, WM_GETFONT, 0, 0))));
    dc->FillSolidRect(&client, GetSysColor(COLOR_BTNFACE));
    dc->SetTextColor(GetSysColor(COLOR_BTNTEXT));
    for (int i = 0, left = 0; IsIndex(i); left += m_items[static_cast<std::size_t>(i)].width, ++i) {
        const Item& item = m_items[static_cast<std::size_t>(i)];
        CRect cell(left, 0, left + item.width, client.bottom);
        const int saved = dc->SaveDC();
        dc->IntersectClipRect(&cell);
        dc->DrawText(item.text.c_str(), -1, &cell, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_LEFT);
        if ((item.format & HDF_BITMAP) && item.bitmap) {
            BITMAP size{};
            GetObject(item.bitmap, sizeof size, &size);
            CDC memory;
            memory.CreateCompatibleDC(dc);
            memory.SelectObject(CBitmap::FromHandle(item.bitmap));
            const int x = cell.right - size.bmWidth - 4;
            dc->BitBlt(x, (client.bottom - size.bmHeight) / 2, size.bmWidth, size.bmHeight, &memory, 0, 0, SRCCOPY);
        }
        dc->RestoreDC(saved);
    }
    EndPaint(hwnd, &paint);
}

} // namespace vqwin::detail
