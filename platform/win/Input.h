// The state of the keyboard and the mouse cursor, as far as the module reads it: which
// modifier keys are held and where the cursor is. There is no real input device; user
// actions and tests set both.
#pragma once

#include "win/Geometry.h"
#include "win/Types.h"

#include <initializer_list>
#include <vector>

// Negative (high bit set) while the key is held.
SHORT GetKeyState(int virtualKey);
SHORT GetAsyncKeyState(int virtualKey);
// Screen coordinates.
BOOL GetCursorPos(LPPOINT point);
BOOL SetCursorPos(int x, int y);
// There is no loudspeaker: the beeps are counted (vqwin::BeepCount).
BOOL MessageBeep(UINT type);

namespace vqwin {

void SetKeyHeld(UINT virtualKey, BOOL held);
// The Shift, Ctrl and Alt keys that accelerator flags (FSHIFT, FCONTROL, FALT) name.
std::vector<UINT> ModifierKeys(BYTE flags);
// The beeps sounded since the program started.
int BeepCount();

// Holds keys (for example VK_CONTROL) for its lifetime.
class KeysHeld {
public:
    KeysHeld(std::initializer_list<UINT> keys);
    explicit KeysHeld(std::vector<UINT> keys);
    ~KeysHeld();
    KeysHeld(const KeysHeld&) = delete;
    KeysHeld& operator=(const KeysHeld&) = delete;

private:
    std::vector<UINT> m_keys;
};

} // namespace vqwin
