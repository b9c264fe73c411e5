// What a user does to a control, for tests, the UI driver and the stand-in host. Each action
// changes the control's state and sends the notifications the same action of a user sends;
// the control's own API (used by module code) changes state without them.
//
// Every action is a WM_VQ_USERACTION sent to the control with a UserAction; the control's
// window class answers TRUE when it carried the action out. An action on a window that does
// not exist or is disabled, or whose class does not know the action, throws
// UserActionError with a text naming the window and the action.
#pragma once

#include "win/Geometry.h"
#include "win/Types.h"

#include <stdexcept>
#include <string>

constexpr UINT WM_VQ_USERACTION = 0x7F00;

namespace vqui {

enum class UserActionKind {
    Type,               // text: typed at the caret, replacing the selection, one character at a time
                        // (a control without the focus is clicked after its text first);
                        // state 1: everything is selected first; a date picker takes
                        // "YYYY-MM-DD", "HH:MM[:SS]" or both
    Click,              // buttons, check boxes, radio buttons, notifying statics; point: where a
                        // list control is clicked (client coordinates)
    SetCheck,           // state: wanted state (0, 1, 2), reached by clicking
    SelectIndex,        // index: combo and list box item, list control row, tab
    SelectText,         // text: combo or list box item with this text (without regard to case)
    DoubleClick,        // index: list box item or list control row
    CheckItem,          // index, state: check list box item or list control row check
    ClickColumnHeader,  // index: column of a list control
    PressKey,           // key: virtual key (WM_KEYDOWN, WM_CHAR where it makes one, WM_KEYUP)
    ContextMenu,        // point: client coordinates (the UI driver answers the menu)
    Spin,               // index: steps up (positive) or down (negative)
    DropDown,           // opens (state 1) or closes (state 0) a combo's list
};

struct UserAction {
    UserActionKind kind = UserActionKind::Click;
    std::string text;
    int index = 0;
    int state = 0;
    UINT key = 0;
    POINT point{0, 0};
};

class UserActionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

const char* UserActionName(UserActionKind kind);

// Sends the action to the window after checking that it exists and is enabled.
void Perform(HWND window, const UserAction& action);

// The messages a key press sends to the focused window: WM_KEYDOWN, WM_CHAR when the key
// makes a character, WM_KEYUP. Controls carry out PressKey with it.
void SendKeyPress(HWND window, UINT virtualKey);

namespace user {
void Type(HWND window, const char* text);
// Selects everything and types the text.
void ReplaceText(HWND window, const char* text);
void Click(HWND window);
void ClickAt(HWND window, POINT point);
void SetCheck(HWND window, int state);
void SelectIndex(HWND window, int index);
void SelectText(HWND window, const char* text);
void DoubleClick(HWND window, int index);
void CheckItem(HWND window, int index, BOOL checked);
void ClickColumnHeader(HWND listControl, int column);
void PressKey(HWND window, UINT virtualKey);
void OpenContextMenu(HWND window, POINT point);
void Spin(HWND spin, int steps);
void DropDown(HWND combo, BOOL open);
} // namespace user

} // namespace vqui
