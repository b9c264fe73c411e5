#include "HostControls.h"

#include "HostOutput.h"

#include "win/CButton.h"
#include "win/CCheckListBox.h"
#include "win/CComboBox.h"
#include "win/CDialog.h"
#include "win/CListBox.h"
#include "win/CTabCtrl.h"
#include "win/HeaderCtrl.h"
#include "win/ListView.h"
#include "win/Mbcs.h"
#include "win/Messages.h"
#include "win/Window.h"

#include <algorithm>

namespace hostcontrols {

namespace {

DWORD StyleOf(HWND window) { return static_cast<DWORD>(GetWindowLongPtr(window, GWL_STYLE)); }

std::string WindowText(HWND window)
{
    std::string text(static_cast<std::size_t>(GetWindowTextLength(window)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowText(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

bool IsListBox(const std::string& className) { return mbcs::CompareNoCase(className, "ListBox") == 0; }
bool IsComboBox(const std::string& className) { return mbcs::CompareNoCase(className, "ComboBox") == 0; }
bool IsListView(const std::string& className) { return className == WC_LISTVIEW; }
bool IsTabControl(const std::string& className) { return mbcs::CompareNoCase(className, "SysTabControl32") == 0; }
// A control with items of its own (whose child windows are parts of it).
bool IsList(const std::string& className)
{
    return IsListBox(className) || IsComboBox(className) || IsListView(className) || IsTabControl(className);
}
bool IsDialog(const std::string& className) { return className == kDialogClassName; }

bool ListBoxHasStrings(HWND box)
{
    const DWORD style = StyleOf(box);
    return !(style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) || (style & LBS_HASSTRINGS);
}

bool ComboBoxHasStrings(HWND box)
{
    const DWORD style = StyleOf(box);
    return !(style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) || (style & CBS_HASSTRINGS);
}

// An item's text through the box's own length and text messages.
std::string BoxItemText(HWND box, UINT lengthMessage, UINT textMessage, int index)
{
    const LRESULT length = SendMessage(box, lengthMessage, static_cast<WPARAM>(index));
    if (length < 0)
        return {};
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    SendMessage(box, textMessage, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

int ItemCount(HWND control, const std::string& className)
{
    if (IsListBox(className))
        return static_cast<int>(SendMessage(control, LB_GETCOUNT));
    if (IsComboBox(className))
        return static_cast<int>(SendMessage(control, CB_GETCOUNT));
    if (IsListView(className))
        return static_cast<int>(SendMessage(control, LVM_GETITEMCOUNT));
    if (IsTabControl(className))
        return static_cast<int>(SendMessage(control, TCM_GETITEMCOUNT));
    return 0;
}

std::string TabText(HWND tabs, int index)
{
    char text[256] = {};
    TCITEM item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessage(tabs, TCM_GETITEM, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return text;
}

std::string ShownItem(HWND control, const std::string& className, int index)
{
    if (IsListBox(className))
        return ListBoxHasStrings(control) ? BoxItemText(control, LB_GETTEXTLEN, LB_GETTEXT, index) : std::string();
    if (IsComboBox(className))
        return ComboBoxHasStrings(control) ? BoxItemText(control, CB_GETLBTEXTLEN, CB_GETLBTEXT, index)
                                           : std::string();
    if (IsTabControl(className))
        return TabText(control, index);
    return ListCellText(control, index, 0);
}

int ListColumnCount(HWND list)
{
    const HWND header = reinterpret_cast<HWND>(SendMessage(list, LVM_GETHEADER));
    return header ? std::max(1, static_cast<int>(SendMessage(header, HDM_GETITEMCOUNT))) : 1;
}

std::string ListRowText(HWND list, int row)
{
    std::string line;
    const int columns = ListColumnCount(list);
    for (int column = 0; column < columns; ++column)
        line += (column ? " | " : "") + Escaped(ListCellText(list, row, column));
    return line;
}

bool IsItemSelected(HWND control, const std::string& className, int index)
{
    if (IsListBox(className))
        return SendMessage(control, LB_GETSEL, static_cast<WPARAM>(index)) > 0;
    if (IsComboBox(className))
        return SendMessage(control, CB_GETCURSEL) == index;
    if (IsTabControl(className))
        return SendMessage(control, TCM_GETCURSEL) == index;
    return (SendMessage(control, LVM_GETITEMSTATE, static_cast<WPARAM>(index), LVIS_SELECTED) & LVIS_SELECTED) != 0;
}

// "[x] ", "[ ] " or "[-] " before an item of a check list; nothing for other lists.
std::string CheckMark(HWND control, const std::string& className, int index)
{
    int state = -1;
    if (IsListBox(className) && SendMessage(control, LB_VQ_GETCHECKSTYLE))
        state = static_cast<int>(SendMessage(control, LB_VQ_GETCHECK, static_cast<WPARAM>(index)));
    else if (IsListView(className) && (SendMessage(control, LVM_GETEXTENDEDLISTVIEWSTYLE) & LVS_EX_CHECKBOXES))
        state = (SendMessage(control, LVM_GETITEMSTATE, static_cast<WPARAM>(index), LVIS_STATEIMAGEMASK) >> 12) == 2;
    switch (state) {
    case BST_UNCHECKED: return "[ ] ";
    case BST_CHECKED: return "[x] ";
    case BST_INDETERMINATE: return "[-] ";
    default: return "";
    }
}

void DescribeItems(HWND control, const std::string& className, const std::string& indent,
                   std::vector<std::string>& lines)
{
    const int count = ItemCount(control, className);
    for (int index = 0; index < count; ++index) {
        const std::string text =
            IsListView(className) ? ListRowText(control, index) : Escaped(ShownItem(control, className, index));
        lines.push_back(indent + (IsItemSelected(control, className, index) ? "* " : "  ") +
                        CheckMark(control, className, index) + text);
    }
}

// A check box's or radio button's state; nothing for other buttons.
std::string ButtonState(HWND button)
{
    switch (StyleOf(button) & BS_TYPEMASK) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
    case BS_3STATE:
    case BS_AUTO3STATE:
        break;
    default:
        return {};
    }
    const LRESULT check = SendMessage(button, BM_GETCHECK);
    return check == BST_CHECKED ? " checked" : check == BST_INDETERMINATE ? " indeterminate" : " unchecked";
}

std::string ControlLine(HWND control, const std::string& className)
{
    std::string line = std::to_string(GetDlgCtrlID(control)) + " " + className + " \"" + Escaped(WindowText(control)) +
                       "\"";
    if (mbcs::CompareNoCase(className, "Button") == 0)
        line += ButtonState(control);
    if (IsList(className))
        line += " " + std::to_string(ItemCount(control, className)) + " items";
    if (!IsWindowEnabled(control))
        line += " disabled";
    if (GetFocus() == control)
        line += " focus";
    return line;
}

void DescribeControls(HWND parent, int depth, std::vector<std::string>& lines)
{
    const std::string indent(static_cast<std::size_t>(depth) * 2, ' ');
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child))
            continue;
        const std::string className = ClassOf(child);
        if (IsDialog(className)) {
            lines.push_back(indent + "page \"" + Escaped(WindowText(child)) + "\"");
            DescribeControls(child, depth + 1, lines);
            continue;
        }
        lines.push_back(indent + ControlLine(child, className));
        if (IsList(className))
            DescribeItems(child, className, indent + "  ", lines);
        else
            DescribeControls(child, depth + 1, lines);
    }
}

void DescribePaneTree(HWND window, int depth, std::vector<std::string>& lines)
{
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const std::string indent(static_cast<std::size_t>(depth) * 2, ' ');
        const std::string className = ClassOf(child);
        if (!IsListView(className)) {
            lines.push_back(indent + "pane " + std::to_string(GetDlgCtrlID(child)) + " " + className);
            DescribePaneTree(child, depth + 1, lines);
            continue;
        }
        const int rows = static_cast<int>(SendMessage(child, LVM_GETITEMCOUNT));
        lines.push_back(indent + "view " + std::to_string(GetDlgCtrlID(child)) + " " + std::to_string(rows) + " rows");
        for (int row = 0; row < rows; ++row)
            lines.push_back(indent + "  " + ListRowText(child, row));
    }
}

// The text of a menu item as the user reads it: "&Lock" is "Lock", "&Delete\tDel" is
// "Delete", "&&" one ampersand.
std::string ReadMenuText(const std::string& text)
{
    std::string shown;
    for (std::size_t at = 0; at < text.size() && text[at] != '\t'; ++at) {
        if (text[at] == '&' && ++at == text.size())
            break;
        shown += text[at];
    }
    return shown;
}

void DescribeMenuItems(const std::vector<vqui::MenuEntry>& menu, const std::string& indent,
                       std::vector<std::string>& lines)
{
    using Kind = vqui::MenuEntry::Kind;
    for (const vqui::MenuEntry& item : menu) {
        const std::string text = "\"" + Escaped(item.text.str()) + "\"";
        const std::string state = std::string(item.enabled ? " enabled" : " greyed") + (item.checked ? " checked" : "");
        if (item.kind == Kind::Separator) {
            lines.push_back(indent + "-");
        } else if (item.kind == Kind::Popup) {
            lines.push_back(indent + text + state + " >");
            DescribeMenuItems(item.items, indent + "  ", lines);
        } else {
            lines.push_back(indent + std::to_string(item.id) + " " + text + state);
        }
    }
}

HWND FindVisibleDescendant(HWND window, int id)
{
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child))
            continue;
        if (GetDlgCtrlID(child) == id)
            return child;
        if (HWND found = FindVisibleDescendant(child, id))
            return found;
    }
    return nullptr;
}

} // namespace

std::string ClassOf(HWND window)
{
    char name[64] = {};
    GetClassName(window, name, sizeof name);
    return *name ? name : "window";
}

HWND FindControl(HWND dialog, int id)
{
    if (HWND control = GetDlgItem(dialog, id); control && IsWindowVisible(control))
        return control;
    return FindVisibleDescendant(dialog, id);
}

std::vector<std::string> ShownItems(HWND control)
{
    const std::string className = ClassOf(control);
    std::vector<std::string> items;
    const int count = ItemCount(control, className);
    for (int index = 0; index < count; ++index)
        items.push_back(ShownItem(control, className, index));
    return items;
}

int FindShownItem(HWND control, const std::string& text)
{
    const std::vector<std::string> items = ShownItems(control);
    for (std::size_t index = 0; index < items.size(); ++index) {
        if (mbcs::CompareNoCase(items[index], text) == 0)
            return static_cast<int>(index);
    }
    return -1;
}

std::string ListCellText(HWND list, int row, int column)
{
    char text[256] = {};
    LVITEM item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessage(list, LVM_GETITEMTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return text;
}

std::optional<POINT> ListRowPoint(HWND list, int row)
{
    const int rows = static_cast<int>(SendMessage(list, LVM_GETITEMCOUNT));
    if (row < -1 || row >= rows)
        return std::nullopt;
    RECT rect{};
    if (row < 0) {
        GetClientRect(list, &rect);
        return POINT{std::max<LONG>(rect.right - 1, 0), std::max<LONG>(rect.bottom - 1, 0)};
    }
    SendMessage(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
    rect.left = LVIR_LABEL;
    SendMessage(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rect));
    return POINT{rect.left + 2, (rect.top + rect.bottom) / 2};
}

std::vector<std::string> DescribeDialog(HWND dialog, UINT templateId)
{
    std::vector<std::string> lines{"dialog " + std::to_string(templateId) + " \"" + Escaped(WindowText(dialog)) + "\""};
    DescribeControls(dialog, 1, lines);
    return lines;
}

std::vector<std::string> DescribePanes(HWND frame)
{
    std::vector<std::string> lines;
    DescribePaneTree(frame, 1, lines);
    return lines;
}

std::vector<std::string> DescribeMenu(const std::vector<vqui::MenuEntry>& menu)
{
    std::vector<std::string> lines;
    DescribeMenuItems(menu, "", lines);
    return lines;
}

const vqui::MenuEntry* FindMenuCommand(const std::vector<vqui::MenuEntry>& menu, const std::string& name)
{
    const bool byId = !name.empty() && name.find_first_not_of("0123456789") == std::string::npos;
    for (const vqui::MenuEntry& item : menu) {
        if (item.kind == vqui::MenuEntry::Kind::Popup) {
            if (const vqui::MenuEntry* found = FindMenuCommand(item.items, name))
                return found;
        } else if (item.kind == vqui::MenuEntry::Kind::Command &&
                   (byId ? std::to_string(item.id) == name
                         : mbcs::CompareNoCase(ReadMenuText(item.text.str()), name) == 0)) {
            return &item;
        }
    }
    return nullptr;
}

} // namespace hostcontrols
