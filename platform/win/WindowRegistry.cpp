#include "win/WindowRegistry.h"

#include "win/CWnd.h"
#include "win/DisplayList.h"

#include <algorithm>
#include <cctype>
#include <unordered_map>

namespace vqwin::detail {

namespace {

struct RegistryData {
    std::uintptr_t nextHandle = 0x10000;
    std::unordered_map<HWND, std::unique_ptr<WindowRecord>> windows;
    std::vector<HWND> topLevel; // front is the top
    std::unordered_map<std::string, ClassProcedureFactory> classes;
};

// Never destroyed, like the kernel's data: windows may outlive static destruction.
RegistryData& Data()
{
    static auto* data = new RegistryData;
    return *data;
}

std::string ClassKey(const std::string& name)
{
    std::string key = name;
    std::transform(key.begin(), key.end(), key.begin(), [](unsigned char c) { return std::tolower(c); });
    return key;
}

} // namespace

WindowRecord::WindowRecord() = default;

WindowRecord::~WindowRecord() = default;

WindowRecord* WindowRegistry::Find(Kernel::Lock&, HWND hwnd)
{
    if (!hwnd)
        return nullptr;
    auto& windows = Data().windows;
    auto it = windows.find(hwnd);
    return it == windows.end() ? nullptr : it->second.get();
}

WindowRecord& WindowRegistry::Add(Kernel::Lock& lock, HWND parent, HWND owner)
{
    RegistryData& data = Data();
    auto record = std::make_unique<WindowRecord>();
    record->hwnd = reinterpret_cast<HWND>(data.nextHandle++);
    record->parent = parent;
    record->owner = owner;
    record->display = std::make_shared<DisplayList>();
    if (WindowRecord* parentRecord = Find(lock, parent))
        parentRecord->children.push_back(record->hwnd);
    else
        data.topLevel.insert(data.topLevel.begin(), record->hwnd);
    WindowRecord& added = *record;
    data.windows.emplace(added.hwnd, std::move(record));
    return added;
}

std::unique_ptr<WindowRecord> WindowRegistry::Remove(Kernel::Lock& lock, HWND hwnd)
{
    RegistryData& data = Data();
    auto it = data.windows.find(hwnd);
    if (it == data.windows.end())
        return nullptr;
    std::unique_ptr<WindowRecord> record = std::move(it->second);
    data.windows.erase(it);
    if (std::vector<HWND>* siblings = Siblings(lock, *record))
        std::erase(*siblings, hwnd);
    for (HWND child : record->children) {
        if (WindowRecord* orphan = Find(lock, child))
            orphan->parent = nullptr;
    }
    return record;
}

const std::vector<HWND>& WindowRegistry::TopLevel(Kernel::Lock&) { return Data().topLevel; }

std::vector<HWND>* WindowRegistry::Siblings(Kernel::Lock& lock, const WindowRecord& record)
{
    if (!record.parent)
        return &Data().topLevel;
    WindowRecord* parent = Find(lock, record.parent);
    return parent ? &parent->children : nullptr;
}

std::vector<HWND> WindowRegistry::WindowsOfThread(Kernel::Lock&, DWORD threadId)
{
    std::vector<HWND> found;
    for (auto& [hwnd, record] : Data().windows) {
        if (record->threadId == threadId)
            found.push_back(hwnd);
    }
    return found;
}

void WindowRegistry::RegisterClass(Kernel::Lock&, const std::string& name, ClassProcedureFactory factory)
{
    Data().classes[ClassKey(name)] = factory;
}

ClassProcedureFactory WindowRegistry::FindClass(Kernel::Lock&, const std::string& name)
{
    auto& classes = Data().classes;
    auto it = classes.find(ClassKey(name));
    return it == classes.end() ? FindStandardClass(name) : it->second;
}

} // namespace vqwin::detail
