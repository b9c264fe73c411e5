// The class procedure of "ComboBox" windows.
#include "win/CComboBox.h"
#include "win/CDC.h"
#include "win/CEdit.h"
#include "win/ControlSupport.h"
#include "win/ItemList.h"
#include "win/Mbcs.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <utility>

namespace vqwin::controls {

namespace {

DWORD KindOf(DWORD style) { return style & 0x3; }

bool HasEdit(DWORD style) { return KindOf(style) != CBS_DROPDOWNLIST; }

bool IsOwnerDrawn(DWORD style) { return (style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) != 0; }

bool HasStrings(DWORD style) { return !IsOwnerDrawn(style) || (style & CBS_HASSTRINGS); }

class ComboBoxProcedure final : public ClassProcedure {
public:
    LRESULT WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case WM_CREATE:
            MeasureAtCreation(hwnd);
            return 0;
        case CB_ADDSTRING:
            return Add(hwnd, lParam, std::nullopt);
        case CB_INSERTSTRING:
            return Add(hwnd, lParam, static_cast<int>(wParam));
        case CB_DELETESTRING:
            return Delete(hwnd, static_cast<int>(wParam));
        case CB_RESETCONTENT:
            m_items.Clear();
            Select(hwnd, -1);
            return CB_OKAY;
        case CB_GETCOUNT:
            return m_items.Count();
        case CB_GETCURSEL:
            return m_selection;
        case CB_SETCURSEL:
            return Select(hwnd, static_cast<int>(wParam));
        case CB_GETLBTEXT:
            return CopyItemText(hwnd, static_cast<int>(wParam), reinterpret_cast<LPSTR>(lParam));
        case CB_GETLBTEXTLEN:
            return ItemTextLength(hwnd, static_cast<int>(wParam));
        case CB_GETITEMDATA:
            return m_items.Data(static_cast<int>(wParam), CB_ERR);
        case CB_SETITEMDATA:
            return m_items.SetData(static_cast<int>(wParam), lParam, TRUE, CB_ERR);
        case CB_FINDSTRING:
        case CB_FINDSTRINGEXACT:
            return Find(static_cast<int>(wParam), lParam, message == CB_FINDSTRINGEXACT);
        case CB_SELECTSTRING: {
            const int found = Find(static_cast<int>(wParam), lParam, false);
            return found == CB_ERR ? CB_ERR : Select(hwnd, found);
        }
        case CB_LIMITTEXT:
            m_limit = wParam ? static_cast<UINT>(wParam) : 0;
            return TRUE;
        case CB_GETEDITSEL:
            return GetEditSelection(hwnd, wParam, lParam);
        case CB_SETEDITSEL:
            return SetEditSelection(hwnd, static_cast<short>(LOWORD(static_cast<std::uintptr_t>(lParam))),
                                    static_cast<short>(HIWORD(static_cast<std::uintptr_t>(lParam))));
        case CB_GETDROPPEDCONTROLRECT:
            return GetWindowRect(hwnd, reinterpret_cast<LPRECT>(lParam));
        case CB_GETDROPPEDSTATE:
            return m_dropped;
        case CB_SETITEMHEIGHT:
            return SetItemHeight(hwnd, static_cast<int>(wParam), static_cast<UINT>(lParam));
        case CB_GETITEMHEIGHT:
            return ItemHeight(hwnd, static_cast<int>(wParam));
        case WM_SETTEXT:
            return SetText(hwnd, reinterpret_cast<LPCSTR>(lParam));
        case WM_CHAR:
            Type(hwnd, static_cast<char>(wParam));
            return 0;
        case WM_KEYDOWN:
            return KeyDown(hwnd, static_cast<UINT>(wParam), lParam);
        case WM_SETFOCUS:
            NotifyParent(hwnd, CBN_SETFOCUS);
            return 0;
        case WM_KILLFOCUS:
            if (m_dropped)
                Close(hwnd, CBN_SELENDCANCEL);
            if (IsWindow(hwnd))
                NotifyParent(hwnd, CBN_KILLFOCUS);
            return 0;
        case WM_GETDLGCODE:
            return DLGC_WANTCHARS | DLGC_WANTARROWS | (m_dropped ? DLGC_WANTALLKEYS : 0);
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
    void MeasureAtCreation(HWND hwnd)
    {
        const DWORD style = StyleOf(hwnd);
        const auto text = static_cast<UINT>(LineHeight(hwnd));
        m_fieldHeight = text + 2;
        m_itemHeight = text;
        if (!IsOwnerDrawn(style))
            return;
        m_fieldHeight = SendMeasureItem(hwnd, ODT_COMBOBOX, static_cast<UINT>(-1), 0, m_fieldHeight);
        if (style & CBS_OWNERDRAWFIXED)
            m_itemHeight = SendMeasureItem(hwnd, ODT_COMBOBOX, 0, 0, m_itemHeight);
    }

    // CB_ADDSTRING (no index) or CB_INSERTSTRING. Without CBS_HASSTRINGS an owner-drawn box
    // keeps lParam as the item's data and places it at the end.
    LRESULT Add(HWND hwnd, LPARAM lParam, std::optional<int> at)
    {
        const DWORD style = StyleOf(hwnd);
        ListItem item = ItemList::FromParam(HasStrings(style), lParam);
        const bool sorted = (style & CBS_SORT) && HasStrings(style);
        const int index = at ? m_items.Insert(*at, std::move(item)) : m_items.Add(std::move(item), sorted);
        if (index < 0)
            return CB_ERR;
        if (m_selection >= index)
            ++m_selection;
        if (style & CBS_OWNERDRAWVARIABLE) {
            const auto itemId = static_cast<UINT>(index);
            m_items.At(index)->height =
                SendMeasureItem(hwnd, ODT_COMBOBOX, itemId, static_cast<ULONG_PTR>(lParam), m_itemHeight);
        }
        InvalidateRect(hwnd, nullptr, TRUE);
        return index;
    }

    LRESULT Delete(HWND hwnd, int index)
    {
        if (!m_items.Erase(index))
            return CB_ERR;
        if (m_selection == index) {
            m_selection = -1;
            if (!HasEdit(StyleOf(hwnd)))
                StoreText(hwnd, "");
        } else if (m_selection > index) {
            --m_selection;
        }
        InvalidateRect(hwnd, nullptr, TRUE);
        return m_items.Count();
    }

    std::string ItemText(HWND hwnd, int index) const
    {
        const ListItem* item = m_items.At(index);
        return item && HasStrings(StyleOf(hwnd)) ? item->text : std::string();
    }

    // Selects an item (or none) as the program does: the selection field shows its text.
    LRESULT Select(HWND hwnd, int index)
    {
        m_selection = m_items.At(index) ? index : -1;
        ShowSelection(hwnd);
        return m_selection == -1 ? CB_ERR : m_selection;
    }

    void ShowSelection(HWND hwnd)
    {
        const std::string text = ItemText(hwnd, m_selection);
        StoreText(hwnd, text);
        m_editStart = 0;
        m_editEnd = text.size();
        InvalidateRect(hwnd, nullptr, TRUE);
    }

    LRESULT CopyItemText(HWND hwnd, int index, LPSTR buffer) const
    {
        return m_items.CopyText(index, HasStrings(StyleOf(hwnd)), buffer, CB_ERR);
    }

    LRESULT ItemTextLength(HWND hwnd, int index) const
    {
        return m_items.TextLength(index, HasStrings(StyleOf(hwnd)), CB_ERR);
    }

    LRESULT Find(int start, LPARAM text, bool exact) const { return m_items.FindText(start, text, exact, CB_ERR); }

    LRESULT GetEditSelection(HWND hwnd, WPARAM startOut, LPARAM endOut) const
    {
        if (!HasEdit(StyleOf(hwnd)))
            return CB_ERR;
        if (auto* start = reinterpret_cast<DWORD*>(startOut))
            *start = static_cast<DWORD>(m_editStart);
        if (auto* end = reinterpret_cast<DWORD*>(endOut))
            *end = static_cast<DWORD>(m_editEnd);
        return static_cast<LRESULT>(MAKELONG(static_cast<WORD>(m_editStart), static_cast<WORD>(m_editEnd)));
    }

    LRESULT SetEditSelection(HWND hwnd, int start, int end)
    {
        if (!HasEdit(StyleOf(hwnd)))
            return CB_ERR;
        const std::size_t length = static_cast<std::size_t>(GetWindowTextLength(hwnd));
        if (start < 0) {
            m_editStart = m_editEnd;
            return TRUE;
        }
        const auto at = [&](int pos) { return pos < 0 ? length : std::min(static_cast<std::size_t>(pos), length); };
        m_editStart = std::min(at(start), at(end));
        m_editEnd = std::max(at(start), at(end));
        return TRUE;
    }

    LRESULT SetItemHeight(HWND hwnd, int index, UINT height)
    {
        if (index == -1)
            m_fieldHeight = height;
        else if (!(StyleOf(hwnd) & CBS_OWNERDRAWVARIABLE))
            m_itemHeight = height;
        else if (ListItem* item = m_items.At(index))
            item->height = height;
        else
            return CB_ERR;
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    }

    LRESULT ItemHeight(HWND hwnd, int index) const
    {
        if (index == -1)
            return m_fieldHeight;
        if (!(StyleOf(hwnd) & CBS_OWNERDRAWVARIABLE))
            return m_itemHeight;
        const ListItem* item = m_items.At(index);
        return item ? static_cast<LRESULT>(item->height) : CB_ERR;
    }

    // A drop-down list takes a text only when an item has it; an edit takes any text, and the
    // list's selection follows the edit's text.
    LRESULT SetText(HWND hwnd, LPCSTR text)
    {
        const std::string wanted = text ? text : "";
        if (!HasEdit(StyleOf(hwnd))) {
            const int found = m_items.Find(-1, wanted, true);
            if (found < 0)
                return CB_ERR;
            Select(hwnd, found);
            return TRUE;
        }
        StoreText(hwnd, wanted);
        m_editStart = m_editEnd = 0;
        FollowEditText(wanted);
        InvalidateRect(hwnd, nullptr, TRUE);
        return TRUE;
    }

    void FollowEditText(const std::string& text) { m_selection = m_items.Find(-1, text, false); }

    // What a typed character puts into the edit; empty when refused.
    static std::string Typed(DWORD style, std::string character)
    {
        if (static_cast<unsigned char>(character[0]) < 0x20)
            return {};
        if (style & CBS_UPPERCASE)
            mbcs::MakeUpper(character.data(), character.size());
        else if (style & CBS_LOWERCASE)
            mbcs::MakeLower(character.data(), character.size());
        return character;
    }

    void Type(HWND hwnd, char byte)
    {
        const DWORD style = StyleOf(hwnd);
        if (!HasEdit(style))
            return;
        if (m_lead) {
            const char lead = *std::exchange(m_lead, std::nullopt);
            Edit(hwnd, Typed(style, std::string{lead, byte}), false);
        } else if (mbcs::IsLeadByte(static_cast<unsigned char>(byte))) {
            m_lead = byte;
        } else if (byte == static_cast<char>(VK_BACK)) {
            Edit(hwnd, "", true);
        } else {
            Edit(hwnd, Typed(style, std::string(1, byte)), false);
        }
    }

    // Replaces the edit's selection with `insert`, or erases the character before the caret.
    void Edit(HWND hwnd, const std::string& insert, bool eraseBackward)
    {
        std::string text = TextOf(hwnd);
        std::size_t start = std::min(m_editStart, text.size());
        const std::size_t end = std::min(m_editEnd, text.size());
        if (eraseBackward && start == end) {
            if (start == 0)
                return;
            std::size_t previous = 0;
            for (std::size_t at = 0; at < start; at += mbcs::CharLength(text, at))
                previous = at;
            start = previous;
        } else if (!eraseBackward) {
            const std::size_t kept = text.size() - (end - start);
            if (insert.empty() || (m_limit && kept + insert.size() > m_limit))
                return;
        }
        text.replace(start, end - start, insert);
        m_editStart = m_editEnd = start + insert.size();
        StoreText(hwnd, text);
        FollowEditText(text);
        InvalidateRect(hwnd, nullptr, TRUE);
        NotifyParent(hwnd, CBN_EDITUPDATE);
        if (IsWindow(hwnd))
            NotifyParent(hwnd, CBN_EDITCHANGE);
    }

    void Open(HWND hwnd)
    {
        NotifyParent(hwnd, CBN_DROPDOWN);
        m_dropped = true;
        InvalidateRect(hwnd, nullptr, TRUE);
    }

    // Closes the list: CBN_SELENDOK after a choice, CBN_SELENDCANCEL without one.
    void Close(HWND hwnd, UINT ending)
    {
        m_dropped = false;
        InvalidateRect(hwnd, nullptr, TRUE);
        NotifyParent(hwnd, ending);
        if (IsWindow(hwnd))
            NotifyParent(hwnd, CBN_CLOSEUP);
    }

    // The user moves the selection in the list. A drop-down list shows the new item at once;
    // an edit takes its text only after CBN_SELCHANGE.
    void MoveSelection(HWND hwnd, int index)
    {
        if (index == m_selection)
            return;
        m_selection = index;
        const bool edit = HasEdit(StyleOf(hwnd));
        if (!edit)
            ShowSelection(hwnd);
        NotifyParent(hwnd, CBN_SELCHANGE);
        if (edit && IsWindow(hwnd))
            ShowSelection(hwnd);
    }

    // An arrow key moves the selection by one item. On a closed drop-down list that is a choice
    // made at once: CBN_SELENDOK comes first, then CBN_SELCHANGE, as the real control sends them.
    void StepSelection(HWND hwnd, int step)
    {
        if (m_items.Count() == 0)
            return;
        const int next = std::clamp(m_selection < 0 ? 0 : m_selection + step, 0, m_items.Count() - 1);
        if (next == m_selection)
            return;
        if (m_dropped || HasEdit(StyleOf(hwnd))) {
            MoveSelection(hwnd, next);
            return;
        }
        m_selection = next;
        ShowSelection(hwnd);
        NotifyParent(hwnd, CBN_SELENDOK);
        if (IsWindow(hwnd))
            NotifyParent(hwnd, CBN_SELCHANGE);
    }

    void Choose(HWND hwnd, int index)
    {
        TakeFocusAsUser(hwnd);
        if (!m_dropped)
            Open(hwnd);
        if (IsWindow(hwnd))
            MoveSelection(hwnd, index);
        if (!IsWindow(hwnd))
            return;
        if (TextOf(hwnd) != ItemText(hwnd, m_selection))
            ShowSelection(hwnd);
        Close(hwnd, CBN_SELENDOK);
    }

    LRESULT KeyDown(HWND hwnd, UINT key, LPARAM lParam)
    {
        switch (key) {
        case VK_UP:
        case VK_DOWN:
            StepSelection(hwnd, key == VK_DOWN ? 1 : -1);
            return 0;
        case VK_RETURN:
        case VK_ESCAPE:
            if (m_dropped)
                Close(hwnd, key == VK_RETURN ? CBN_SELENDOK : CBN_SELENDCANCEL);
            return 0;
        default:
            return ::DefWindowProc(hwnd, WM_KEYDOWN, key, lParam);
        }
    }

    void DrawItem(HWND hwnd, CDC& dc, HDC handle, int index, UINT state, const CRect& rect) const
    {
        const ListItem* item = m_items.At(index);
        if (IsOwnerDrawn(StyleOf(hwnd))) {
            DRAWITEMSTRUCT record = DrawItemRecord(hwnd, ODT_COMBOBOX, static_cast<UINT>(index), state, handle, rect,
                                                   item ? item->data : 0);
            SendDrawItem(hwnd, record);
            return;
        }
        const std::string text = ItemText(hwnd, index);
        dc.TextOut(rect.left + 2, rect.top + 1, text.c_str(), static_cast<int>(text.size()));
    }

    void Paint(HWND hwnd) const
    {
        ControlPaint paint(hwnd);
        CRect client;
        GetClientRect(hwnd, &client);
        const bool focused = GetFocus() == hwnd;
        const CRect field(0, 0, client.right, static_cast<int>(m_fieldHeight));
        const UINT fieldState = ODS_COMBOBOXEDIT | (focused ? ODS_SELECTED | ODS_FOCUS : 0);
        if (HasEdit(StyleOf(hwnd))) {
            const std::string text = TextOf(hwnd);
            paint.DC().TextOut(2, 1, text.c_str(), static_cast<int>(text.size()));
        } else {
            DrawItem(hwnd, paint.DC(), paint.Handle(), m_selection, fieldState, field);
        }
        if (!m_dropped)
            return;
        int top = field.bottom;
        for (int index = 0; index < m_items.Count() && top < client.bottom; ++index) {
            const auto height = static_cast<int>(ItemHeight(hwnd, index));
            DrawItem(hwnd, paint.DC(), paint.Handle(), index, index == m_selection ? ODS_SELECTED : 0,
                     CRect(0, top, client.right, top + height));
            top += height;
        }
    }

    LRESULT Act(HWND hwnd, const vqui::UserAction& action)
    {
        switch (action.kind) {
        case vqui::UserActionKind::SelectIndex:
            if (!m_items.At(action.index))
                return FALSE;
            Choose(hwnd, action.index);
            return TRUE;
        case vqui::UserActionKind::SelectText: {
            const int found = m_items.Find(-1, action.text, true);
            if (found < 0)
                return FALSE;
            Choose(hwnd, found);
            return TRUE;
        }
        case vqui::UserActionKind::Type:
            return TypeText(hwnd, action);
        case vqui::UserActionKind::DropDown:
            if (KindOf(StyleOf(hwnd)) == CBS_SIMPLE)
                return FALSE;
            TakeFocusAsUser(hwnd);
            if (action.state && !m_dropped)
                Open(hwnd);
            else if (!action.state && m_dropped)
                Close(hwnd, CBN_SELENDCANCEL);
            return TRUE;
        case vqui::UserActionKind::PressKey:
            TakeFocusAsUser(hwnd);
            SendKeyPress(hwnd, action.key);
            return TRUE;
        default:
            return FALSE;
        }
    }

    // Typing goes into the edit: the user clicks after its text, or selects it all first.
    LRESULT TypeText(HWND hwnd, const vqui::UserAction& action)
    {
        if (!HasEdit(StyleOf(hwnd)))
            return FALSE;
        if (GetFocus() != hwnd) {
            SetFocus(hwnd);
            m_editStart = m_editEnd = static_cast<std::size_t>(GetWindowTextLength(hwnd));
        }
        if (action.state == 1)
            SetEditSelection(hwnd, 0, -1);
        SendTypedText(hwnd, TypedFor(action));
        return TRUE;
    }

    ItemList m_items;
    int m_selection = -1;
    bool m_dropped = false;
    UINT m_limit = kDefaultEditLimit;
    std::size_t m_editStart = 0;
    std::size_t m_editEnd = 0;
    UINT m_fieldHeight = 0;
    UINT m_itemHeight = 0;
    std::optional<char> m_lead;
};

} // namespace

std::unique_ptr<ClassProcedure> MakeComboBoxProcedure() { return std::make_unique<ComboBoxProcedure>(); }

} // namespace vqwin::controls
