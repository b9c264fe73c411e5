#include "win/ListViewInput.h"

#include "win/Activation.h"
#include "win/Input.h"
#include "win/ListViewControl.h"

#include <algorithm>

namespace vqwin::detail {

namespace {

bool Held(UINT key) { return GetKeyState(static_cast<int>(key)) < 0; }

UINT KeyFlags()
{
    return (Held(VK_MENU) ? LVKF_ALT : 0) | (Held(VK_CONTROL) ? LVKF_CONTROL : 0) | (Held(VK_SHIFT) ? LVKF_SHIFT : 0);
}

} // namespace

LRESULT ListViewInput::Perform(const vqui::UserAction& action)
{
    using Kind = vqui::UserActionKind;
    switch (action.kind) {
    case Kind::SelectIndex:
        return SelectIndex(action.index);
    case Kind::Click: {
        LVHITTESTINFO hit{action.point, 0, -1, 0};
        m_list.HitTest(hit);
        LeftClick(hit.iItem, hit.iSubItem, action.point);
        return TRUE;
    }
    case Kind::DoubleClick:
        return DoubleClick(action.index);
    case Kind::CheckItem:
        return CheckRow(action.index, action.state);
    case Kind::ClickColumnHeader:
        return ClickColumn(action);
    case Kind::PressKey:
        return PressKey(action.key);
    case Kind::ContextMenu:
        return RightClick(action.point);
    default:
        return FALSE;
    }
}

// Index -1 clicks the empty part of the list below the rows.
BOOL ListViewInput::SelectIndex(int row)
{
    if (row < -1 || row >= m_list.Count())
        return FALSE;
    if (row >= 0)
        m_list.EnsureVisible(row, FALSE);
    LeftClick(row, 0, RowPoint(row));
    return TRUE;
}

BOOL ListViewInput::DoubleClick(int row)
{
    if (!m_list.Rows().IsIndex(row))
        return FALSE;
    SelectIndex(row);
    if (!m_list.Rows().IsIndex(row))
        return TRUE;
    PressAt(RowPoint(row), WM_LBUTTONDBLCLK);
    if (m_list.Rows().IsIndex(row))
        SendActivate(NM_DBLCLK, row, 0, RowPoint(row));
    return TRUE;
}

// The check box of a row is its state image: 1 unchecked, 2 checked.
BOOL ListViewInput::CheckRow(int row, int state)
{
    if (!(m_list.ExtendedStyle() & LVS_EX_CHECKBOXES) || !m_list.Rows().IsIndex(row))
        return FALSE;
    const POINT point = m_list.FirstCellParts(row).state.TopLeft();
    PressAt(point);
    m_list.ChangeState(row, INDEXTOSTATEIMAGEMASK(state ? 2 : 1), LVIS_STATEIMAGEMASK, point);
    SendActivate(NM_CLICK, row, 0, point);
    return TRUE;
}

BOOL ListViewInput::ClickColumn(const vqui::UserAction& action)
{
    HWND header = m_list.Header();
    if (!header || !IsWindowVisible(header))
        return FALSE;
    vqwin::MouseActivate(header, WM_LBUTTONDOWN);
    return static_cast<BOOL>(SendMessage(header, WM_VQ_USERACTION, 0, reinterpret_cast<LPARAM>(&action)));
}

BOOL ListViewInput::PressKey(UINT key)
{
    if (!m_list.HasFocus())
        SetFocus(m_list.Window());
    vqui::SendKeyPress(m_list.Window(), key);
    return TRUE;
}

BOOL ListViewInput::RightClick(POINT point)
{
    LVHITTESTINFO hit{point, 0, -1, 0};
    const int row = m_list.HitTest(hit);
    PressAt(point, WM_RBUTTONDOWN);
    if (row < 0) {
        if (!CtrlCollects())
            m_list.SelectOnly(row, point);
    } else if (!(m_list.State(row) & LVIS_SELECTED)) {
        m_list.SelectOnly(row, point);
    } else {
        m_list.ChangeState(row, LVIS_FOCUSED, LVIS_FOCUSED, point);
    }
    if (SendActivate(NM_RCLICK, row, hit.iSubItem, point))
        return TRUE;
    POINT screen = point;
    ClientToScreen(m_list.Window(), &screen);
    SendMessage(m_list.Window(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(m_list.Window()),
                MAKELPARAM(static_cast<WORD>(screen.x), static_cast<WORD>(screen.y)));
    return TRUE;
}

// Ctrl toggles the row in a list that selects several; otherwise the row becomes the only
// selected one (none for a click beside the rows).
void ListViewInput::LeftClick(int row, int subItem, POINT point)
{
    PressAt(point);
    if (CtrlCollects()) {
        if (row >= 0) {
            const UINT selected = (m_list.State(row) & LVIS_SELECTED) ? 0 : LVIS_SELECTED;
            m_list.ChangeState(row, selected | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED, point);
        }
    } else {
        m_list.SelectOnly(row, point);
    }
    SendActivate(NM_CLICK, row, subItem, point);
}

void ListViewInput::KeyDown(UINT key)
{
    NMLVKEYDOWN notice{};
    notice.wVKey = static_cast<WORD>(key);
    m_list.Notify(notice.hdr, LVN_KEYDOWN);
    const int count = m_list.Count();
    const int focused = m_list.Rows().Next(-1, LVIS_FOCUSED);
    const int page = std::max(m_list.CountPerPage(), 1);
    switch (key) {
    case VK_UP:
        return MoveFocus(std::max(focused - 1, 0));
    case VK_DOWN:
        return MoveFocus(focused < 0 ? 0 : std::min(focused + 1, count - 1));
    case VK_PRIOR:
        return MoveFocus(std::max(focused - page, 0));
    case VK_NEXT:
        return MoveFocus(std::min(std::max(focused, 0) + page, count - 1));
    case VK_HOME:
        return MoveFocus(0);
    case VK_END:
        return MoveFocus(count - 1);
    case VK_SPACE:
        if (focused >= 0 && !(m_list.State(focused) & LVIS_SELECTED))
            m_list.ChangeState(focused, LVIS_SELECTED, LVIS_SELECTED);
        return;
    case VK_RETURN: {
        NMHDR header{};
        m_list.Notify(header, NM_RETURN);
        return;
    }
    default:
        return;
    }
}

// With Ctrl held a list that selects several moves only the focus.
void ListViewInput::MoveFocus(int row)
{
    if (!m_list.Rows().IsIndex(row))
        return;
    if (CtrlCollects())
        m_list.ChangeState(row, LVIS_FOCUSED, LVIS_FOCUSED);
    else
        m_list.SelectOnly(row, {0, 0});
    m_list.EnsureVisible(row, FALSE);
}

// Ctrl held over a list that selects several: clicks and keys leave the other rows' selection.
BOOL ListViewInput::CtrlCollects() const { return Held(VK_CONTROL) && !m_list.IsSingleSelection(); }

// The button goes down at the point: the list's view is activated, the list takes the focus
// and the cursor is there.
void ListViewInput::PressAt(POINT point, UINT button)
{
    HWND hwnd = m_list.Window();
    vqwin::MouseActivate(hwnd, button);
    if (!IsWindow(hwnd))
        return;
    if (!m_list.HasFocus())
        SetFocus(hwnd);
    POINT screen = point;
    ClientToScreen(hwnd, &screen);
    SetCursorPos(screen.x, screen.y);
}

LRESULT ListViewInput::SendActivate(UINT code, int row, int subItem, POINT point)
{
    NMITEMACTIVATE notice{};
    notice.iItem = row;
    notice.iSubItem = subItem;
    notice.ptAction = point;
    notice.lParam = m_list.Rows().IsIndex(row) ? m_list.Param(row) : 0;
    notice.uKeyFlags = KeyFlags();
    return m_list.Notify(notice.hdr, code);
}

// Where a user clicks a row: on its label; for no row, below the last one.
POINT ListViewInput::RowPoint(int row) const
{
    if (row >= 0) {
        const CRect label = m_list.FirstCellParts(row).label;
        return {label.left + 2, label.top + label.Height() / 2};
    }
    CRect client;
    GetClientRect(m_list.Window(), &client);
    return {std::max<LONG>(client.right - 1, 0), std::max<LONG>(client.bottom - 1, 0)};
}

} // namespace vqwin::detail
