// Waitable objects by handle (events, semaphores, threads), the class library's
// synchronisation classes, and Sleep. Time-outs run on the installed clock: under a manual
// clock a wait times out when a test moves the clock past its deadline.
#pragma once

#include "win/Object.h"
#include "win/Types.h"

struct SECURITY_ATTRIBUTES;
using LPSECURITY_ATTRIBUTES = SECURITY_ATTRIBUTES*;

constexpr DWORD WAIT_OBJECT_0 = 0x00000000;
constexpr DWORD WAIT_TIMEOUT = 0x00000102;
constexpr DWORD WAIT_FAILED = 0xFFFFFFFF;
constexpr DWORD STILL_ACTIVE = 259;
constexpr DWORD DUPLICATE_CLOSE_SOURCE = 0x00000001;
constexpr DWORD DUPLICATE_SAME_ACCESS = 0x00000002;
constexpr DWORD EVENT_ALL_ACCESS = 0x001F0003;
constexpr DWORD SYNCHRONIZE = 0x00100000;

// Events: a name makes the event shared in the process; creating a name that exists opens
// the existing event (its reset mode and state stay as they are).
HANDLE CreateEvent(LPSECURITY_ATTRIBUTES attributes, BOOL manualReset, BOOL initialState, LPCSTR name);
HANDLE OpenEvent(DWORD access, BOOL inherit, LPCSTR name);
BOOL SetEvent(HANDLE event);
BOOL ResetEvent(HANDLE event);

HANDLE CreateSemaphore(LPSECURITY_ATTRIBUTES attributes, LONG initialCount, LONG maximumCount, LPCSTR name);
BOOL ReleaseSemaphore(HANDLE semaphore, LONG releaseCount, LONG* previousCount);

// WAIT_OBJECT_0, WAIT_TIMEOUT or WAIT_FAILED (no such handle). A wait is where a suspended
// thread stops, and it does not answer messages sent to the thread's windows.
DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds);
BOOL CloseHandle(HANDLE handle);
HANDLE GetCurrentProcess();
BOOL DuplicateHandle(HANDLE sourceProcess, HANDLE source, HANDLE targetProcess, HANDLE* target, DWORD access,
                     BOOL inherit, DWORD options);
// STILL_ACTIVE while the thread runs, then its exit code.
BOOL GetExitCodeThread(HANDLE thread, DWORD* exitCode);
DWORD GetCurrentThreadId();

// Waits on the installed clock (see ManualClock::SetSleepMovesClock); Sleep(0) is only a
// place where a suspended thread stops.
void Sleep(DWORD milliseconds);

LONG InterlockedIncrement(LONG volatile* value);
LONG InterlockedDecrement(LONG volatile* value);

class CSyncObject : public CObject {
public:
    ~CSyncObject() override;
    CSyncObject(const CSyncObject&) = delete;
    CSyncObject& operator=(const CSyncObject&) = delete;

    virtual BOOL Lock(DWORD timeout = INFINITE);
    virtual BOOL Unlock() = 0;
    virtual BOOL Unlock(LONG count, LONG* previousCount = nullptr);
    operator HANDLE() const { return m_hObject; }

    HANDLE m_hObject = nullptr;

protected:
    CSyncObject() = default;
};

class CEvent : public CSyncObject {
public:
    explicit CEvent(BOOL initiallyOwn = FALSE, BOOL manualReset = FALSE, LPCSTR name = nullptr,
                    LPSECURITY_ATTRIBUTES attributes = nullptr);
    BOOL SetEvent();
    BOOL ResetEvent();
    // Releasing an event changes nothing, as in the class library: only SetEvent signals it.
    BOOL Unlock() override;
};

class CSemaphore : public CSyncObject {
public:
    explicit CSemaphore(LONG initialCount = 1, LONG maximumCount = 1, LPCSTR name = nullptr,
                        LPSECURITY_ATTRIBUTES attributes = nullptr);
    BOOL Unlock() override;
    BOOL Unlock(LONG count, LONG* previousCount = nullptr) override;
};

// Owned by one thread at a time; the owner may lock it again.
class CCriticalSection : public CSyncObject {
public:
    CCriticalSection();
    ~CCriticalSection() override;
    BOOL Lock();
    BOOL Lock(DWORD timeout) override;
    BOOL Unlock() override;

private:
    DWORD m_owner = 0;
    int m_recursion = 0;
};

class CSingleLock {
public:
    explicit CSingleLock(CSyncObject* object, BOOL initialLock = FALSE);
    ~CSingleLock();
    CSingleLock(const CSingleLock&) = delete;
    CSingleLock& operator=(const CSingleLock&) = delete;

    BOOL Lock(DWORD timeout = INFINITE);
    BOOL Unlock();
    BOOL IsLocked() const { return m_locked; }

private:
    CSyncObject* m_object;
    BOOL m_locked = FALSE;
};

namespace vqwin {

// For tests: blocks until the thread is waiting (in a wait, a message loop with nothing to
// do, or suspended) and has looked at everything that happened before this call. FALSE
// when the thread has ended.
BOOL WaitUntilThreadWaits(DWORD threadId);

} // namespace vqwin
