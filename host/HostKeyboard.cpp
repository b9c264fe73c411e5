#include "HostKeyboard.h"

#include "win/Input.h"
#include "win/Mbcs.h"
#include "win/Messages.h"
#include "win/Window.h"

#include <cctype>

namespace {

struct NamedKey {
    const char* name;
    UINT key;
};

constexpr NamedKey kKeys[] = {
    {"Backspace", VK_BACK},  {"Tab", VK_TAB},           {"Enter", VK_RETURN},   {"Escape", VK_ESCAPE},
    {"Space", VK_SPACE},     {"PageUp", VK_PRIOR},      {"PageDown", VK_NEXT},  {"End", VK_END},
    {"Home", VK_HOME},       {"Left", VK_LEFT},         {"Up", VK_UP},          {"Right", VK_RIGHT},
    {"Down", VK_DOWN},       {"Insert", VK_INSERT},     {"Delete", VK_DELETE},  {"Multiply", VK_MULTIPLY},
    {"Add", VK_ADD},         {"Subtract", VK_SUBTRACT},
};

struct NamedModifier {
    const char* name;
    BYTE flag;
};

constexpr NamedModifier kModifiers[] = {{"Shift", FSHIFT}, {"Ctrl", FCONTROL}, {"Alt", FALT}};

constexpr int kFunctionKeys = 12;

bool Named(const std::string& text, const char* name) { return mbcs::CompareNoCase(text, name) == 0; }

std::optional<UINT> KeyOfName(const std::string& name)
{
    for (const NamedKey& named : kKeys) {
        if (Named(name, named.name))
            return named.key;
    }
    if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0])))
        return static_cast<UINT>(std::toupper(static_cast<unsigned char>(name[0])));
    for (int number = 1; number <= kFunctionKeys; ++number) {
        if (Named(name, ("F" + std::to_string(number)).c_str()))
            return VK_F1 + static_cast<UINT>(number - 1);
    }
    return std::nullopt;
}

std::optional<BYTE> ModifierOfName(const std::string& name)
{
    for (const NamedModifier& named : kModifiers) {
        if (Named(name, named.name))
            return named.flag;
    }
    return std::nullopt;
}

} // namespace

std::optional<KeyStroke> ParseKey(const std::string& name)
{
    KeyStroke stroke;
    std::size_t start = 0;
    for (std::size_t plus = name.find('+', 1); plus != std::string::npos; plus = name.find('+', start + 1)) {
        const std::optional<BYTE> modifier = ModifierOfName(name.substr(start, plus - start));
        if (!modifier)
            return std::nullopt;
        stroke.modifiers |= *modifier;
        start = plus + 1;
    }
    const std::optional<UINT> key = KeyOfName(name.substr(start));
    if (!key)
        return std::nullopt;
    stroke.key = *key;
    return stroke;
}

std::optional<UINT> AcceleratorCommand(const KeyStroke& stroke, const std::vector<ACCEL>& accelerators)
{
    constexpr BYTE kModifiers = FSHIFT | FCONTROL | FALT;
    for (const ACCEL& entry : accelerators) {
        if ((entry.fVirt & FVIRTKEY) && entry.key == stroke.key && (entry.fVirt & kModifiers) == stroke.modifiers)
            return entry.cmd;
    }
    return std::nullopt;
}

HWND KeyTarget(HWND hostFrame)
{
    HWND focus = GetFocus();
    return focus ? focus : hostFrame;
}

void PressKey(const KeyStroke& stroke, HWND target)
{
    const vqwin::KeysHeld held(vqwin::ModifierKeys(stroke.modifiers));
    PostMessage(target, WM_KEYDOWN, stroke.key, 1);
    vqwin::PumpPending();
    if (IsWindow(target))
        PostMessage(target, WM_KEYUP, stroke.key, static_cast<LPARAM>(0xC0000001u));
    vqwin::PumpPending();
}
