#include "win/Accelerators.h"

#include "win/Input.h"
#include "win/Messages.h"
#include "win/ResourceLibrary.h"

#include <algorithm>
#include <mutex>
#include <unordered_map>
#include <vector>

namespace {

struct Registry {
    std::mutex mutex;
    std::uintptr_t nextHandle = 0x70000;
    std::unordered_map<HACCEL, std::vector<ACCEL>> tables;
    std::unordered_map<UINT, HACCEL> loaded;
};

// Never destroyed, like the other handle tables.
Registry& Data()
{
    static auto* registry = new Registry;
    return *registry;
}

HACCEL AddTable(Registry& registry, std::vector<ACCEL> entries)
{
    auto handle = reinterpret_cast<HACCEL>(registry.nextHandle++);
    registry.tables.emplace(handle, std::move(entries));
    return handle;
}

bool Held(UINT key) { return GetKeyState(static_cast<int>(key)) < 0; }

bool ModifiersMatch(BYTE flags)
{
    return Held(VK_SHIFT) == ((flags & FSHIFT) != 0) && Held(VK_CONTROL) == ((flags & FCONTROL) != 0) &&
           Held(VK_MENU) == ((flags & FALT) != 0);
}

bool Matches(const ACCEL& entry, const MSG& msg)
{
    if (entry.fVirt & FVIRTKEY)
        return (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) && entry.key == msg.wParam &&
               ModifiersMatch(entry.fVirt);
    return msg.message == WM_CHAR && entry.key == msg.wParam;
}

} // namespace

HACCEL LoadAccelerators(HINSTANCE, LPCSTR name)
{
    const vqres::ResourceId id(name);
    const ModuleAcceleratorTable* table = id.name.empty() ? vqres::FindModuleAccelerators(id.id) : nullptr;
    if (!table)
        return nullptr;
    Registry& registry = Data();
    std::lock_guard lock(registry.mutex);
    if (auto it = registry.loaded.find(id.id); it != registry.loaded.end() && registry.tables.count(it->second))
        return it->second;
    HACCEL handle = AddTable(registry, std::vector<ACCEL>(table->entries.begin(), table->entries.end()));
    registry.loaded[id.id] = handle;
    return handle;
}

HACCEL CreateAcceleratorTable(const ACCEL* entries, int count)
{
    if (!entries || count <= 0)
        return nullptr;
    Registry& registry = Data();
    std::lock_guard lock(registry.mutex);
    return AddTable(registry, std::vector<ACCEL>(entries, entries + count));
}

BOOL DestroyAcceleratorTable(HACCEL table)
{
    Registry& registry = Data();
    std::lock_guard lock(registry.mutex);
    return registry.tables.erase(table) ? TRUE : FALSE;
}

int CopyAcceleratorTable(HACCEL table, ACCEL* entries, int count)
{
    Registry& registry = Data();
    std::lock_guard lock(registry.mutex);
    auto it = registry.tables.find(table);
    if (it == registry.tables.end())
        return 0;
    const auto size = static_cast<int>(it->second.size());
    if (!entries)
        return size;
    const int copied = std::min(std::max(count, 0), size);
    std::copy_n(it->second.begin(), copied, entries);
    return copied;
}

int TranslateAccelerator(HWND window, HACCEL table, MSG* msg)
{
    if (!msg)
        return 0;
    WORD command = 0;
    bool found = false;
    {
        Registry& registry = Data();
        std::lock_guard lock(registry.mutex);
        auto it = registry.tables.find(table);
        if (it == registry.tables.end())
            return 0;
        for (const ACCEL& entry : it->second) {
            if (Matches(entry, *msg)) {
                command = entry.cmd;
                found = true;
                break;
            }
        }
    }
    if (!found)
        return 0;
    SendMessage(window, WM_COMMAND, MAKEWPARAM(command, 1), 0);
    return 1;
}
