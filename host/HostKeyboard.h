// The host's keyboard. A key is named as it is written on the keyboard, after the modifier
// keys held with it: "Enter", "Escape", "Tab", "Shift+Tab", "Delete", "Insert", "F9",
// "Ctrl+O", "Add" (the keypad's +). A key pressed while no dialog is open goes through the
// host's accelerator table first (the keys of the menu items a view added to the host's
// menus), as the host's message loop translates it, and else to the window with the focus.
#pragma once

#include "win/ModuleResources.h"
#include "win/Types.h"

#include <optional>
#include <string>
#include <vector>

struct KeyStroke {
    UINT key = 0;        // the virtual key
    BYTE modifiers = 0;  // FSHIFT, FCONTROL and FALT: the keys held with it
};

// The key a name stands for; nothing for a name of no key.
std::optional<KeyStroke> ParseKey(const std::string& name);

// The command of the first entry of the host's accelerator table that takes the key (a
// virtual-key entry of that key with exactly its modifiers); nothing when none does.
std::optional<UINT> AcceleratorCommand(const KeyStroke& stroke, const std::vector<ACCEL>& accelerators);

// The window a key goes to: the one with the focus, else the host frame.
HWND KeyTarget(HWND hostFrame);
// The user presses the key on `target` with its modifiers held: the key goes down, makes its
// character and comes up, each handled at once through the message loop's translation.
void PressKey(const KeyStroke& stroke, HWND target);
