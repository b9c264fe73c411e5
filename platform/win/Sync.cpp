#include "win/Sync.h"

#include "win/Clock.h"
#include "win/KernelObjects.h"

#include <atomic>

using vqwin::detail::EventObject;
using vqwin::detail::HandleTable;
using vqwin::detail::Kernel;
using vqwin::detail::KernelObject;
using vqwin::detail::SemaphoreObject;
using vqwin::detail::ThreadObject;

HANDLE CreateEvent(LPSECURITY_ATTRIBUTES, BOOL manualReset, BOOL initialState, LPCSTR name)
{
    auto lock = Kernel::Acquire();
    if (name) {
        std::shared_ptr<KernelObject> existing = HandleTable::FindNamed(lock, name);
        if (existing)
            return dynamic_cast<EventObject*>(existing.get()) ? HandleTable::Add(lock, existing) : nullptr;
    }
    auto event = std::make_shared<EventObject>(manualReset != FALSE, initialState != FALSE);
    if (name)
        HandleTable::Name(lock, name, event);
    return HandleTable::Add(lock, event);
}

HANDLE OpenEvent(DWORD, BOOL, LPCSTR name)
{
    auto lock = Kernel::Acquire();
    std::shared_ptr<KernelObject> existing = name ? HandleTable::FindNamed(lock, name) : nullptr;
    return dynamic_cast<EventObject*>(existing.get()) ? HandleTable::Add(lock, existing) : nullptr;
}

namespace {

BOOL SetEventState(HANDLE handle, bool signalled)
{
    auto lock = Kernel::Acquire();
    auto* event = HandleTable::Find<EventObject>(lock, handle);
    if (!event)
        return FALSE;
    event->signalled = signalled;
    if (signalled)
        Kernel::WakeAll(lock);
    return TRUE;
}

} // namespace

BOOL SetEvent(HANDLE event) { return SetEventState(event, true); }

BOOL ResetEvent(HANDLE event) { return SetEventState(event, false); }

HANDLE CreateSemaphore(LPSECURITY_ATTRIBUTES, LONG initialCount, LONG maximumCount, LPCSTR)
{
    if (maximumCount <= 0 || initialCount < 0 || initialCount > maximumCount)
        return nullptr;
    auto lock = Kernel::Acquire();
    return HandleTable::Add(lock, std::make_shared<SemaphoreObject>(initialCount, maximumCount));
}

BOOL ReleaseSemaphore(HANDLE semaphore, LONG releaseCount, LONG* previousCount)
{
    auto lock = Kernel::Acquire();
    auto* object = HandleTable::Find<SemaphoreObject>(lock, semaphore);
    if (!object || releaseCount <= 0 || object->count + releaseCount > object->maximum)
        return FALSE;
    if (previousCount)
        *previousCount = object->count;
    object->Release(lock, Kernel::Current(lock).id, releaseCount);
    Kernel::WakeAll(lock);
    return TRUE;
}

DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds)
{
    std::shared_ptr<KernelObject> object; // released after the lock, so a thread object can join
    {
        auto lock = Kernel::Acquire();
        object = HandleTable::FindShared(lock, handle);
        if (!object)
            return WAIT_FAILED;
        const DWORD me = Kernel::Current(lock).id;
        if (!Kernel::Wait(lock, [&] { return object->IsSignalled(me); }, milliseconds))
            return WAIT_TIMEOUT;
        object->Acquire(lock, me);
    }
    object->Waited();
    return WAIT_OBJECT_0;
}

BOOL CloseHandle(HANDLE handle)
{
    std::shared_ptr<KernelObject> closed;
    auto lock = Kernel::Acquire();
    closed = HandleTable::Remove(lock, handle);
    return closed != nullptr;
}

HANDLE GetCurrentProcess() { return reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(-1)); }

BOOL DuplicateHandle(HANDLE, HANDLE source, HANDLE, HANDLE* target, DWORD, BOOL, DWORD options)
{
    std::shared_ptr<KernelObject> object;
    auto lock = Kernel::Acquire();
    object = HandleTable::FindShared(lock, source);
    if (!object || !target)
        return FALSE;
    *target = HandleTable::Add(lock, object);
    if (options & DUPLICATE_CLOSE_SOURCE)
        HandleTable::Remove(lock, source);
    return TRUE;
}

BOOL GetExitCodeThread(HANDLE thread, DWORD* exitCode)
{
    auto lock = Kernel::Acquire();
    auto* object = HandleTable::Find<ThreadObject>(lock, thread);
    if (!object || !exitCode)
        return FALSE;
    *exitCode = object->ended ? object->exitCode : STILL_ACTIVE;
    return TRUE;
}

DWORD GetCurrentThreadId() { return Kernel::CurrentId(); }

void Sleep(DWORD milliseconds)
{
    if (milliseconds == 0 || vqclock::Current().PassSleep(milliseconds)) {
        auto lock = Kernel::Acquire();
        Kernel::ParkIfSuspended(lock);
        return;
    }
    auto lock = Kernel::Acquire();
    Kernel::Wait(lock, [] { return false; }, milliseconds);
}

LONG InterlockedIncrement(LONG volatile* value)
{
    return std::atomic_ref<LONG>(*const_cast<LONG*>(value)).fetch_add(1) + 1;
}

LONG InterlockedDecrement(LONG volatile* value)
{
    return std::atomic_ref<LONG>(*const_cast<LONG*>(value)).fetch_sub(1) - 1;
}

CSyncObject::~CSyncObject()
{
    if (m_hObject)
        CloseHandle(m_hObject);
}

BOOL CSyncObject::Lock(DWORD timeout) { return WaitForSingleObject(m_hObject, timeout) == WAIT_OBJECT_0; }

BOOL CSyncObject::Unlock(LONG, LONG*) { return TRUE; }

CEvent::CEvent(BOOL initiallyOwn, BOOL manualReset, LPCSTR name, LPSECURITY_ATTRIBUTES attributes)
{
    m_hObject = CreateEvent(attributes, manualReset, initiallyOwn, name);
}

BOOL CEvent::SetEvent() { return ::SetEvent(m_hObject); }

BOOL CEvent::ResetEvent() { return ::ResetEvent(m_hObject); }

BOOL CEvent::Unlock() { return TRUE; }

CSemaphore::CSemaphore(LONG initialCount, LONG maximumCount, LPCSTR name, LPSECURITY_ATTRIBUTES attributes)
{
    m_hObject = CreateSemaphore(attributes, initialCount, maximumCount, name);
}

BOOL CSemaphore::Unlock() { return Unlock(1, nullptr); }

BOOL CSemaphore::Unlock(LONG count, LONG* previousCount)
{
    return ReleaseSemaphore(m_hObject, count, previousCount);
}

CCriticalSection::CCriticalSection() = default;

CCriticalSection::~CCriticalSection() = default;

BOOL CCriticalSection::Lock() { return Lock(INFINITE); }

BOOL CCriticalSection::Lock(DWORD timeout)
{
    auto lock = Kernel::Acquire();
    const DWORD me = Kernel::Current(lock).id;
    if (!Kernel::Wait(lock, [&] { return m_owner == 0 || m_owner == me; }, timeout))
        return FALSE;
    m_owner = me;
    ++m_recursion;
    Kernel::NoteLockTaken(lock, me);
    return TRUE;
}

BOOL CCriticalSection::Unlock()
{
    auto lock = Kernel::Acquire();
    const DWORD me = Kernel::Current(lock).id;
    if (m_owner != me)
        return FALSE;
    if (--m_recursion == 0) {
        m_owner = 0;
        Kernel::WakeAll(lock);
    }
    Kernel::NoteLockReleased(lock, me);
    return TRUE;
}

CSingleLock::CSingleLock(CSyncObject* object, BOOL initialLock) : m_object(object)
{
    if (initialLock)
        Lock();
}

CSingleLock::~CSingleLock()
{
    if (m_locked)
        Unlock();
}

BOOL CSingleLock::Lock(DWORD timeout)
{
    m_locked = m_object && m_object->Lock(timeout);
    return m_locked;
}

BOOL CSingleLock::Unlock()
{
    if (m_locked)
        m_locked = !m_object->Unlock();
    return !m_locked;
}

namespace vqwin {

BOOL WaitUntilThreadWaits(DWORD threadId) { return Kernel::WaitUntilWaiting(threadId); }

} // namespace vqwin
