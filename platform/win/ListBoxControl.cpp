// The class procedure of "ListBox" windows.
#include "win/CButton.h"
#include "win/CCheckListBox.h"
#include "win/CDC.h"
#include "win/ControlSupport.h"
#include "win/ItemList.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

namespace vqwin::controls {

namespace {

bool IsOwnerDrawn(DWORD style) { return (style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) != 0; }

bool HasStrings(DWORD style) { return !IsOwnerDrawn(style) || (style & LBS_HASSTRINGS); }

bool HasManySelections(DWORD style) { return (style & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0; }

bool IsThreeState(UINT checkStyle) { return checkStyle == BS_3STATE || checkStyle == BS_AUTO3STATE; }

class ListBoxProcedure final : public ClassProcedure {
public:
    LRESULT WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case WM_CREATE:
            m_itemHeight = static_cast<UINT>(LineHeight(hwnd));
            if (StyleOf(hwnd) & LBS_OWNERDRAWFIXED)
                m_itemHeight = SendMeasureItem(hwnd, ODT_LISTBOX, 0, 0, m_itemHeight);
            return 0;
        case LB_ADDSTRING:
            return Add(hwnd, lParam, std::nullopt);
        case LB_INSERTSTRING:
            return Add(hwnd, lParam, static_cast<int>(wParam));
        case LB_DELETESTRING:
            return Delete(hwnd, static_cast<int>(wParam));
        case LB_RESETCONTENT:
            m_items.Clear();
            m_selection = m_caret = -1;
            InvalidateRect(hwnd, nullptr, TRUE);
            return LB_OKAY;
        case LB_GETCOUNT:
            return m_items.Count();
        case LB_GETCURSEL:
            return HasManySelections(StyleOf(hwnd)) ? m_caret : m_selection;
        case LB_SETCURSEL:
            return SetCurSel(hwnd, static_cast<int>(wParam));
        case LB_SETSEL:
            return SetSel(hwnd, static_cast<int>(lParam), wParam != 0);
        case LB_GETSEL:
            return IsSelected(hwnd, static_cast<int>(wParam));
        case LB_GETSELCOUNT:
            return HasManySelections(StyleOf(hwnd)) ? static_cast<LRESULT>(SelectedItems().size()) : LB_ERR;
        case LB_GETSELITEMS:
            return CopySelectedItems(hwnd, static_cast<int>(wParam), reinterpret_cast<LPINT>(lParam));
        case LB_GETTEXT:
            return CopyItemText(hwnd, static_cast<int>(wParam), reinterpret_cast<LPSTR>(lParam));
        case LB_GETTEXTLEN:
            return ItemTextLength(hwnd, static_cast<int>(wParam));
        case LB_GETITEMDATA:
            return m_items.Data(static_cast<int>(wParam), LB_ERR);
        case LB_SETITEMDATA:
            return m_items.SetData(static_cast<int>(wParam), lParam, LB_OKAY, LB_ERR);
        case LB_SETITEMHEIGHT:
            return SetItemHeight(hwnd, static_cast<int>(wParam), static_cast<UINT>(lParam));
        case LB_GETITEMHEIGHT:
            return ItemHeight(hwnd, static_cast<int>(wParam));
        case LB_FINDSTRING:
        case LB_FINDSTRINGEXACT:
            return Find(static_cast<int>(wParam), lParam, message == LB_FINDSTRINGEXACT);
        case LB_SELECTSTRING: {
            const int found = Find(static_cast<int>(wParam), lParam, false);
            return found == LB_ERR || HasManySelections(StyleOf(hwnd)) ? LB_ERR : SetCurSel(hwnd, found);
        }
        case LB_VQ_SETCHECKSTYLE:
            m_checkStyle = static_cast<UINT>(wParam);
            return 0;
        case LB_VQ_GETCHECKSTYLE:
            return m_checkStyle;
        case LB_VQ_SETCHECK:
            return SetCheck(hwnd, static_cast<int>(wParam), static_cast<int>(lParam));
        case LB_VQ_GETCHECK: {
            const ListItem* item = m_items.At(static_cast<int>(wParam));
            return item ? item->check : LB_ERR;
        }
        case WM_KEYDOWN:
            return KeyDown(hwnd, static_cast<UINT>(wParam), lParam);
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            InvalidateRect(hwnd, nullptr, TRUE);
            NotifyParent(hwnd, message == WM_SETFOCUS ? LBN_SETFOCUS : LBN_KILLFOCUS);
            return 0;
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS | DLGC_WANTCHARS;
        case WM_PAINT:
            Paint(hwnd);
            return 0;
        case WM_VQ_USERACTION:
            return Act(hwnd, UserActionOf(lParam));
        default:
            return ::DefWindowProc(hwnd, message, wParam, lParam);
        }
    }

private:
    LRESULT Add(HWND hwnd, LPARAM lParam, std::optional<int> at)
    {
        const DWORD style = StyleOf(hwnd);
        ListItem item = ItemList::FromParam(HasStrings(style), lParam);
        const bool sorted = (style & LBS_SORT) && HasStrings(style);
        const int index = at ? m_items.Insert(*at, std::move(item)) : m_items.Add(std::move(item), sorted);
        if (index < 0)
            return LB_ERR;
        for (int* marker : {&m_selection, &m_caret}) {
            if (*marker >= index)
                ++*marker;
        }
        if (style & LBS_OWNERDRAWVARIABLE) {
            const auto itemId = static_cast<UINT>(index);
            m_items.At(index)->height =
                SendMeasureItem(hwnd, ODT_LISTBOX, itemId, static_cast<ULONG_PTR>(lParam), m_itemHeight);
        }
        InvalidateRect(hwnd, nullptr, TRUE);
        return index;
    }

    LRESULT Delete(HWND hwnd, int index)
    {
        if (!m_items.Erase(index))
            return LB_ERR;
        for (int* marker : {&m_selection, &m_caret}) {
            if (*marker == index)
                *marker = -1;
            else if (*marker > index)
                --*marker;
        }
        InvalidateRect(hwnd, nullptr, TRUE);
        return m_items.Count();
    }

    LRESULT SetCurSel(HWND hwnd, int index)
    {
        if (HasManySelections(StyleOf(hwnd)))
            return LB_ERR;
        m_selection = m_caret = m_items.At(index) ? index : -1;
        InvalidateRect(hwnd, nullptr, TRUE);
        return m_selection == -1 ? LB_ERR : m_selection;
    }

    LRESULT SetSel(HWND hwnd, int index, bool select)
    {
        if (!HasManySelections(StyleOf(hwnd)) || (index != -1 && !m_items.At(index)))
            return LB_ERR;
        for (int each = 0; each < m_items.Count(); ++each) {
            if (index == -1 || each == index)
                m_items.At(each)->selected = select;
        }
        if (index != -1)
            m_caret = index;
        InvalidateRect(hwnd, nullptr, TRUE);
        return LB_OKAY;
    }

    LRESULT IsSelected(HWND hwnd, int index) const
    {
        const ListItem* item = m_items.At(index);
        if (!item)
            return LB_ERR;
        return HasManySelections(StyleOf(hwnd)) ? item->selected : index == m_selection;
    }

    std::vector<int> SelectedItems() const
    {
        std::vector<int> selected;
        for (int index = 0; index < m_items.Count(); ++index) {
            if (m_items.At(index)->selected)
                selected.push_back(index);
        }
        return selected;
    }

    LRESULT CopySelectedItems(HWND hwnd, int maxItems, LPINT items) const
    {
        if (!HasManySelections(StyleOf(hwnd)) || !items)
            return LB_ERR;
        const std::vector<int> selected = SelectedItems();
        const auto count = std::min(static_cast<std::size_t>(std::max(maxItems, 0)), selected.size());
        std::copy_n(selected.begin(), count, items);
        return static_cast<LRESULT>(count);
    }

    LRESULT CopyItemText(HWND hwnd, int index, LPSTR buffer) const
    {
        return m_items.CopyText(index, HasStrings(StyleOf(hwnd)), buffer, LB_ERR);
    }

    LRESULT ItemTextLength(HWND hwnd, int index) const
    {
        return m_items.TextLength(index, HasStrings(StyleOf(hwnd)), LB_ERR);
    }

    LRESULT Find(int start, LPARAM text, bool exact) const { return m_items.FindText(start, text, exact, LB_ERR); }

    LRESULT SetItemHeight(HWND hwnd, int index, UINT height)
    {
        if (!(StyleOf(hwnd) & LBS_OWNERDRAWVARIABLE))
            m_itemHeight = height;
        else if (ListItem* item = m_items.At(index))
            item->height = height;
        else
            return LB_ERR;
        InvalidateRect(hwnd, nullptr, TRUE);
        return LB_OKAY;
    }

    LRESULT ItemHeight(HWND hwnd, int index) const
    {
        if (!(StyleOf(hwnd) & LBS_OWNERDRAWVARIABLE))
            return m_itemHeight;
        const ListItem* item = m_items.At(index);
        return item ? static_cast<LRESULT>(item->height) : LB_ERR;
    }

    LRESULT SetCheck(HWND hwnd, int index, int check)
    {
        ListItem* item = m_items.At(index);
        if (!item)
            return LB_ERR;
        const bool indeterminate = check == BST_INDETERMINATE && IsThreeState(m_checkStyle);
        item->check = indeterminate ? BST_INDETERMINATE : (check ? BST_CHECKED : BST_UNCHECKED);
        InvalidateRect(hwnd, nullptr, TRUE);
        return LB_OKAY;
    }

    // A user's click on an item: it becomes the selection (or, in a box of many selections,
    // changes its own), and the owner hears of it even when it was selected already.
    void Click(HWND hwnd, int index)
    {
        TakeFocusAsUser(hwnd);
        const DWORD style = StyleOf(hwnd);
        if (style & LBS_MULTIPLESEL) {
            ListItem* item = m_items.At(index);
            item->selected = !item->selected;
            m_caret = index;
        } else if (style & LBS_EXTENDEDSEL) {
            SetSel(hwnd, -1, false);
            SetSel(hwnd, index, true);
        } else {
            m_selection = m_caret = index;
        }
        InvalidateRect(hwnd, nullptr, TRUE);
        if (style & LBS_NOTIFY)
            NotifyParent(hwnd, LBN_SELCHANGE);
    }

    void CheckByUser(HWND hwnd, int index, int check)
    {
        TakeFocusAsUser(hwnd);
        if (m_items.At(index)->check != check) {
            SetCheck(hwnd, index, check);
            NotifyParent(hwnd, CLBN_CHKCHANGE);
        }
        if (IsWindow(hwnd) && m_items.At(index))
            Click(hwnd, index);
    }

    LRESULT KeyDown(HWND hwnd, UINT key, LPARAM lParam)
    {
        const DWORD style = StyleOf(hwnd);
        if ((key == VK_UP || key == VK_DOWN) && !HasManySelections(style) && m_items.Count() > 0) {
            const int next = std::clamp(m_selection < 0 ? 0 : m_selection + (key == VK_DOWN ? 1 : -1), 0,
                                        m_items.Count() - 1);
            m_selection = m_caret = next;
            InvalidateRect(hwnd, nullptr, TRUE);
            if (style & LBS_NOTIFY)
                NotifyParent(hwnd, LBN_SELCHANGE);
            return 0;
        }
        if (key == VK_SPACE && m_checkStyle && m_items.At(m_caret)) {
            const int check = m_items.At(m_caret)->check;
            SetCheck(hwnd, m_caret, IsThreeState(m_checkStyle) ? (check + 1) % 3 : !check);
            NotifyParent(hwnd, CLBN_CHKCHANGE);
            return 0;
        }
        return ::DefWindowProc(hwnd, WM_KEYDOWN, key, lParam);
    }

    void Paint(HWND hwnd) const
    {
        ControlPaint paint(hwnd);
        CRect client;
        GetClientRect(hwnd, &client);
        const DWORD style = StyleOf(hwnd);
        const bool focused = GetFocus() == hwnd;
        int top = 0;
        for (int index = 0; index < m_items.Count() && top < client.bottom; ++index) {
            const ListItem& item = *m_items.At(index);
            const CRect rect(0, top, client.right, top + static_cast<int>(ItemHeight(hwnd, index)));
            if (IsOwnerDrawn(style)) {
                const UINT state = (IsSelected(hwnd, index) > 0 ? ODS_SELECTED : 0) |
                                   (focused && index == m_caret ? ODS_FOCUS : 0);
                DRAWITEMSTRUCT record = DrawItemRecord(hwnd, ODT_LISTBOX, static_cast<UINT>(index), state,
                                                       paint.Handle(), rect, item.data);
                SendDrawItem(hwnd, record);
            } else {
                paint.DC().TextOut(rect.left + 2, rect.top, item.text.c_str(), static_cast<int>(item.text.size()));
            }
            top = rect.bottom;
        }
    }

    LRESULT Act(HWND hwnd, const vqui::UserAction& action)
    {
        switch (action.kind) {
        case vqui::UserActionKind::SelectIndex:
        case vqui::UserActionKind::DoubleClick: {
            if (!m_items.At(action.index))
                return FALSE;
            Click(hwnd, action.index);
            if (action.kind == vqui::UserActionKind::DoubleClick && IsWindow(hwnd) && (StyleOf(hwnd) & LBS_NOTIFY))
                NotifyParent(hwnd, LBN_DBLCLK);
            return TRUE;
        }
        case vqui::UserActionKind::SelectText: {
            const int found = m_items.Find(-1, action.text, true);
            if (found < 0)
                return FALSE;
            Click(hwnd, found);
            return TRUE;
        }
        case vqui::UserActionKind::CheckItem:
            if (!m_checkStyle || !m_items.At(action.index))
                return FALSE;
            CheckByUser(hwnd, action.index, action.state);
            return TRUE;
        case vqui::UserActionKind::PressKey:
            TakeFocusAsUser(hwnd);
            SendKeyPress(hwnd, action.key);
            return TRUE;
        default:
            return FALSE;
        }
    }

    ItemList m_items;
    int m_selection = -1;
    int m_caret = -1;
    UINT m_itemHeight = 0;
    UINT m_checkStyle = 0;
};

} // namespace

std::unique_ptr<ClassProcedure> MakeListBoxProcedure() { return std::make_unique<ListBoxProcedure>(); }

} // namespace vqwin::controls
