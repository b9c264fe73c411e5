// Internal to platform/win: the objects behind waitable handles and the handle table.
// Guarded by the kernel lock.
#pragma once

#include "win/Kernel.h"

#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace vqwin::detail {

class KernelObject {
public:
    virtual ~KernelObject() = default;
    virtual bool IsSignalled(DWORD threadId) const = 0;
    // A wait on the object succeeded: an auto-reset event resets, a semaphore counts down.
    virtual void Acquire(Kernel::Lock& lock, DWORD threadId)
    {
        (void)lock;
        (void)threadId;
    }
    // After a successful wait, outside the kernel lock.
    virtual void Waited() {}
};

class EventObject : public KernelObject {
public:
    EventObject(bool manual, bool initial) : manualReset(manual), signalled(initial) {}
    bool IsSignalled(DWORD) const override { return signalled; }
    void Acquire(Kernel::Lock& lock, DWORD threadId) override;

    const bool manualReset;
    bool signalled;
};

class SemaphoreObject : public KernelObject {
public:
    SemaphoreObject(LONG initial, LONG max) : count(initial), maximum(max) {}
    bool IsSignalled(DWORD) const override { return count > 0; }
    void Acquire(Kernel::Lock& lock, DWORD threadId) override;
    // Gives back `releases` takings, whichever thread releases: the releasing thread's own
    // first, then the oldest. A semaphore may be taken by one thread and released by another.
    void Release(Kernel::Lock& lock, DWORD releaser, LONG releases);

    LONG count;
    const LONG maximum;

private:
    // One entry a taking not given back yet: the thread that holds it.
    std::deque<DWORD> m_holders;
};

// Signalled when its thread has ended. Owns the thread, and every thread is joined, never
// detached: by a wait that sees it ended, else when the last handle goes; when that happens
// on the thread itself (an object that deleted itself on its own thread), it is handed to
// the ended threads (vqwin::JoinEndedThreads), which the next thread start, the module's
// unload and the process's end join.
class ThreadObject : public KernelObject {
public:
    ~ThreadObject() override;
    bool IsSignalled(DWORD) const override { return ended; }
    // A thread whose handle is signalled is gone: its last steps are waited for here, so
    // that the waiter may unload the thread's code or end the process. Joins the thread
    // unless it is the calling one or joined already (the thread's last steps take the
    // kernel lock).
    void Waited() override;

    std::thread thread;
    bool ended = false;
    DWORD exitCode = 0;

private:
    std::mutex m_joining;
};

class HandleTable {
public:
    static HANDLE Add(Kernel::Lock& lock, std::shared_ptr<KernelObject> object);
    static std::shared_ptr<KernelObject> FindShared(Kernel::Lock& lock, HANDLE handle);
    template <class T>
    static T* Find(Kernel::Lock& lock, HANDLE handle)
    {
        return dynamic_cast<T*>(FindShared(lock, handle).get());
    }
    // Takes the handle out; the caller drops the object after releasing the lock.
    static std::shared_ptr<KernelObject> Remove(Kernel::Lock& lock, HANDLE handle);
    // Named objects live as long as a handle to them does.
    static void Name(Kernel::Lock& lock, const std::string& name, const std::shared_ptr<KernelObject>& object);
    static std::shared_ptr<KernelObject> FindNamed(Kernel::Lock& lock, const std::string& name);
};

} // namespace vqwin::detail
