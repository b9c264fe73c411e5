// Menus by handle: bars and pop-ups of commands, separators and nested pop-ups, loaded from
// the resource library or built by calls, with enable and check state; the system menu of a
// window and the menu of a top-level window; pop-up menus tracked through the UI driver.
#pragma once

#include "win/Geometry.h"
#include "win/Types.h"

constexpr UINT MF_INSERT = 0x0000;
constexpr UINT MF_BYCOMMAND = 0x0000;
constexpr UINT MF_BYPOSITION = 0x0400;
constexpr UINT MF_STRING = 0x0000;
constexpr UINT MF_ENABLED = 0x0000;
constexpr UINT MF_GRAYED = 0x0001;
constexpr UINT MF_DISABLED = 0x0002;
constexpr UINT MF_UNCHECKED = 0x0000;
constexpr UINT MF_CHECKED = 0x0008;
constexpr UINT MF_POPUP = 0x0010;
constexpr UINT MF_SEPARATOR = 0x0800;

constexpr UINT TPM_LEFTBUTTON = 0x0000;
constexpr UINT TPM_RIGHTBUTTON = 0x0002;
constexpr UINT TPM_LEFTALIGN = 0x0000;
constexpr UINT TPM_CENTERALIGN = 0x0004;
constexpr UINT TPM_RIGHTALIGN = 0x0008;
constexpr UINT TPM_TOPALIGN = 0x0000;
constexpr UINT TPM_NONOTIFY = 0x0080;
constexpr UINT TPM_RETURNCMD = 0x0100;

HMENU CreateMenu();
HMENU CreatePopupMenu();
// Destroys the menu with its nested pop-ups.
BOOL DestroyMenu(HMENU menu);
BOOL IsMenu(HMENU menu);
// A menu bar of the resource library (the instance is not consulted); null when missing.
HMENU LoadMenu(HINSTANCE instance, LPCSTR name);

// -1 for a handle that is no menu.
int GetMenuItemCount(HMENU menu);
// 0 for a separator, (UINT)-1 for a nested pop-up or a position out of range.
UINT GetMenuItemID(HMENU menu, int position);
HMENU GetSubMenu(HMENU menu, int position);
// `item` is a position (MF_BYPOSITION) or a command id, searched in nested pop-ups too.
// Copies the text cut to the buffer and returns its length; without a buffer only the length.
int GetMenuString(HMENU menu, UINT item, LPSTR buffer, int size, UINT flags);
// The item's MF_ flags; a pop-up's item count in bits 8-15. (UINT)-1 when there is none.
UINT GetMenuState(HMENU menu, UINT item, UINT flags);
// Both return the item's previous state (MF_ENABLED/MF_GRAYED/MF_DISABLED, or
// MF_CHECKED/MF_UNCHECKED), -1 when there is no such item.
BOOL EnableMenuItem(HMENU menu, UINT item, UINT flags);
DWORD CheckMenuItem(HMENU menu, UINT item, UINT flags);
// With MF_POPUP the id is the nested pop-up's handle, which the menu then owns.
BOOL AppendMenu(HMENU menu, UINT flags, UINT_PTR idOrPopup, LPCSTR text);
// Before the item at `position` (MF_BYPOSITION; (UINT)-1 appends) or before a command.
BOOL InsertMenu(HMENU menu, UINT position, UINT flags, UINT_PTR idOrPopup, LPCSTR text);
// Removes the item; DeleteMenu also destroys a nested pop-up, RemoveMenu hands it back.
BOOL DeleteMenu(HMENU menu, UINT item, UINT flags);
BOOL RemoveMenu(HMENU menu, UINT item, UINT flags);

// The window's system menu (Restore, Move, Size, Minimize, Maximize, a separator, Close),
// made at the first call; `revert` goes back to the standard one and answers null.
HMENU GetSystemMenu(HWND window, BOOL revert);
HMENU GetMenu(HWND window);
BOOL SetMenu(HWND window, HMENU menu);

// Sends WM_INITMENUPOPUP to the owner for the menu and each nested pop-up, then asks the UI
// driver which command the user chooses (see UiDriver.h). The command is posted to the
// owner as WM_COMMAND, or returned with TPM_RETURNCMD (0: dismissed). Without
// TPM_RETURNCMD the result is TRUE once the menu was shown.
BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner, LPCRECT rect);
