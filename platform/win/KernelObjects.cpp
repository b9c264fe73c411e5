#include "win/KernelObjects.h"

#include "win/CWinThread.h"
#include "win/ProcessMade.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

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

// Threads whose object ended on the thread itself, waiting to be joined by another of the
// process they ran in. A child forked meanwhile leaves its parent's alone: they do not run in it.
class EndedThreads {
public:
    void Add(std::thread thread)
    {
        std::lock_guard lock(m_mutex);
        m_threads.push_back({ProcessMade(), std::move(thread)});
    }

    void JoinAll()
    {
        std::vector<std::thread> ended;
        {
            std::lock_guard lock(m_mutex);
            for (auto it = m_threads.begin(); it != m_threads.end();) {
                if (!it->made.Here() || it->thread.get_id() == std::this_thread::get_id()) {
                    ++it;
                    continue;
                }
                ended.push_back(std::move(it->thread));
                it = m_threads.erase(it);
            }
        }
        for (std::thread& thread : ended)
            thread.join();
    }

private:
    struct EndedThread {
        ProcessMade made;
        std::thread thread;
    };
    std::mutex m_mutex;
    std::vector<EndedThread> m_threads;
};

// Never destroyed: a thread may end while the process's static objects go.
EndedThreads& Ended()
{
    static auto* ended = new EndedThreads;
    return *ended;
}

// The process's end waits for them, so that no thread is still ending while it exits.
struct JoinedAtExit {
    ~JoinedAtExit() { Ended().JoinAll(); }
} g_joinedAtExit;

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
        Ended().Add(std::move(thread));
    else
        thread.join();
}

void ThreadObject::Waited()
{
    std::lock_guard lock(m_joining);
    if (thread.joinable() && thread.get_id() != std::this_thread::get_id())
        thread.join();
}

} // namespace vqwin::detail

void vqwin::JoinEndedThreads() { detail::Ended().JoinAll(); }

namespace vqwin::detail {

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
