#include "win/KernelObjects.h"

#include <algorithm>
#include <unordered_map>

namespace vqwin::detail {

namespace {

struct TableData {
    std::uintptr_t nextHandle = 0x100;
    std::unordered_map<HANDLE, std::shared_ptr<KernelObject>> handles;
    std::unordered_map<std::string, std::weak_ptr<KernelObject>> names;
};

// Never destroyed, like the kernel's data.
TableData& Data()
{
    static auto* data = new TableData;
    return *data;
}

} // namespace

void EventObject::Acquire(Kernel::Lock&, DWORD)
{
    if (!manualReset)
        signalled = false;
}

void SemaphoreObject::Acquire(Kernel::Lock& lock, DWORD threadId)
{
    --count;
    m_holders.push_back(threadId);
    Kernel::NoteLockTaken(lock, threadId);
}

void SemaphoreObject::Release(Kernel::Lock& lock, DWORD releaser, LONG releases)
{
    count += releases;
    for (LONG released = 0; released < releases && !m_holders.empty(); ++released) {
        auto holder = std::find(m_holders.begin(), m_holders.end(), releaser);
        if (holder == m_holders.end())
            holder = m_holders.begin();
        const DWORD threadId = *holder;
        m_holders.erase(holder);
        Kernel::NoteLockReleased(lock, threadId);
    }
}

ThreadObject::~ThreadObject()
{
    if (!thread.joinable())
        return;
    if (thread.get_id() == std::this_thread::get_id())
        thread.detach();
    else
        thread.join();
}

HANDLE HandleTable::Add(Kernel::Lock&, std::shared_ptr<KernelObject> object)
{
    TableData& data = Data();
    auto handle = reinterpret_cast<HANDLE>(data.nextHandle++);
    data.handles.emplace(handle, std::move(object));
    return handle;
}

std::shared_ptr<KernelObject> HandleTable::FindShared(Kernel::Lock&, HANDLE handle)
{
    auto& handles = Data().handles;
    auto it = handles.find(handle);
    return it == handles.end() ? nullptr : it->second;
}

std::shared_ptr<KernelObject> HandleTable::Remove(Kernel::Lock&, HANDLE handle)
{
    auto& handles = Data().handles;
    auto it = handles.find(handle);
    if (it == handles.end())
        return nullptr;
    std::shared_ptr<KernelObject> object = std::move(it->second);
    handles.erase(it);
    return object;
}

void HandleTable::Name(Kernel::Lock&, const std::string& name, const std::shared_ptr<KernelObject>& object)
{
    Data().names[name] = object;
}

std::shared_ptr<KernelObject> HandleTable::FindNamed(Kernel::Lock&, const std::string& name)
{
    auto& names = Data().names;
    auto it = names.find(name);
    if (it == names.end())
        return nullptr;
    std::shared_ptr<KernelObject> object = it->second.lock();
    if (!object)
        names.erase(it);
    return object;
}

} // namespace vqwin::detail
