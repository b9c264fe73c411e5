#include "win/Input.h"

#include "win/Messages.h"
#include "win/ModuleResources.h"

#include <array>
#include <atomic>
#include <utility>

namespace {

std::array<std::atomic<bool>, 256> g_held{};
std::atomic<LONG> g_cursorX{0};
std::atomic<LONG> g_cursorY{0};

} // namespace

SHORT GetKeyState(int virtualKey)
{
    if (virtualKey < 0 || virtualKey >= static_cast<int>(g_held.size()))
        return 0;
    return g_held[static_cast<std::size_t>(virtualKey)].load() ? static_cast<SHORT>(0x8000) : 0;
}

SHORT GetAsyncKeyState(int virtualKey) { return GetKeyState(virtualKey); }

BOOL GetCursorPos(LPPOINT point)
{
    if (!point)
        return FALSE;
    point->x = g_cursorX.load();
    point->y = g_cursorY.load();
    return TRUE;
}

BOOL SetCursorPos(int x, int y)
{
    g_cursorX.store(x);
    g_cursorY.store(y);
    return TRUE;
}

namespace {
std::atomic<int> g_beeps{0};
}

BOOL MessageBeep(UINT)
{
    ++g_beeps;
    return TRUE;
}

namespace vqwin {

int BeepCount() { return g_beeps.load(); }

void SetKeyHeld(UINT virtualKey, BOOL held)
{
    if (virtualKey < g_held.size())
        g_held[virtualKey].store(held != FALSE);
}

std::vector<UINT> ModifierKeys(BYTE flags)
{
    std::vector<UINT> keys;
    if (flags & FSHIFT)
        keys.push_back(VK_SHIFT);
    if (flags & FCONTROL)
        keys.push_back(VK_CONTROL);
    if (flags & FALT)
        keys.push_back(VK_MENU);
    return keys;
}

KeysHeld::KeysHeld(std::initializer_list<UINT> keys) : KeysHeld(std::vector<UINT>(keys)) {}

KeysHeld::KeysHeld(std::vector<UINT> keys) : m_keys(std::move(keys))
{
    for (UINT key : m_keys)
        SetKeyHeld(key, TRUE);
}

KeysHeld::~KeysHeld()
{
    for (UINT key : m_keys)
        SetKeyHeld(key, FALSE);
}

} // namespace vqwin
