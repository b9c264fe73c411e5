#include "win/UserActions.h"

#include "win/Messages.h"
#include "win/Window.h"

#include <string>

namespace vqui {

namespace {

std::string DescribeWindow(HWND window)
{
    char className[64] = "";
    GetClassName(window, className, sizeof className);
    return std::string(className) + " window (id " + std::to_string(GetDlgCtrlID(window)) + ")";
}

UserAction Make(UserActionKind kind, int index = 0, int state = 0)
{
    UserAction action;
    action.kind = kind;
    action.index = index;
    action.state = state;
    return action;
}

UserAction MakeText(UserActionKind kind, const char* text, int state = 0)
{
    UserAction action;
    action.kind = kind;
    action.text = text ? text : "";
    action.state = state;
    return action;
}

} // namespace

const char* UserActionName(UserActionKind kind)
{
    switch (kind) {
    case UserActionKind::Type: return "type";
    case UserActionKind::Click: return "click";
    case UserActionKind::SetCheck: return "set check";
    case UserActionKind::SelectIndex: return "select index";
    case UserActionKind::SelectText: return "select text";
    case UserActionKind::DoubleClick: return "double-click";
    case UserActionKind::CheckItem: return "check item";
    case UserActionKind::ClickColumnHeader: return "click column header";
    case UserActionKind::PressKey: return "press key";
    case UserActionKind::ContextMenu: return "context menu";
    case UserActionKind::Spin: return "spin";
    case UserActionKind::DropDown: return "drop down";
    }
    return "unknown action";
}

void Perform(HWND window, const UserAction& action)
{
    std::string what = UserActionName(action.kind);
    if (!IsWindow(window))
        throw UserActionError("cannot " + what + ": the window does not exist");
    if (!IsWindowEnabled(window))
        throw UserActionError("cannot " + what + ": " + DescribeWindow(window) + " is disabled");
    if (!SendMessage(window, WM_VQ_USERACTION, 0, reinterpret_cast<LPARAM>(&action)))
        throw UserActionError("cannot " + what + ": " + DescribeWindow(window) + " does not take this action");
}

void SendKeyPress(HWND window, UINT virtualKey)
{
    SendMessage(window, WM_KEYDOWN, virtualKey, 1);
    if (const WPARAM ch = vqwin::CharOfKey(virtualKey); ch && IsWindow(window))
        SendMessage(window, WM_CHAR, ch, 1);
    if (IsWindow(window))
        SendMessage(window, WM_KEYUP, virtualKey, static_cast<LPARAM>(0xC0000001u));
}

namespace user {

void Type(HWND window, const char* text) { Perform(window, MakeText(UserActionKind::Type, text)); }
void ReplaceText(HWND window, const char* text) { Perform(window, MakeText(UserActionKind::Type, text, 1)); }
void Click(HWND window) { Perform(window, Make(UserActionKind::Click)); }
void ClickAt(HWND window, POINT point)
{
    UserAction action = Make(UserActionKind::Click);
    action.point = point;
    Perform(window, action);
}
void SetCheck(HWND window, int state) { Perform(window, Make(UserActionKind::SetCheck, 0, state)); }
void SelectIndex(HWND window, int index) { Perform(window, Make(UserActionKind::SelectIndex, index)); }
void SelectText(HWND window, const char* text) { Perform(window, MakeText(UserActionKind::SelectText, text)); }
void DoubleClick(HWND window, int index) { Perform(window, Make(UserActionKind::DoubleClick, index)); }
void CheckItem(HWND window, int index, BOOL checked)
{
    Perform(window, Make(UserActionKind::CheckItem, index, checked ? 1 : 0));
}
void ClickColumnHeader(HWND listControl, int column)
{
    Perform(listControl, Make(UserActionKind::ClickColumnHeader, column));
}
void PressKey(HWND window, UINT virtualKey)
{
    UserAction action = Make(UserActionKind::PressKey);
    action.key = virtualKey;
    Perform(window, action);
}
void OpenContextMenu(HWND window, POINT point)
{
    UserAction action = Make(UserActionKind::ContextMenu);
    action.point = point;
    Perform(window, action);
}
void Spin(HWND spin, int steps) { Perform(spin, Make(UserActionKind::Spin, steps)); }
void DropDown(HWND combo, BOOL open) { Perform(combo, Make(UserActionKind::DropDown, 0, open ? 1 : 0)); }

} // namespace user

} // namespace vqui
