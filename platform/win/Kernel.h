// Internal to platform/win: the one lock under which threads, queues, windows and waitable
// objects change, and the one wait every blocking call goes through. Module code does not
// include this header.
#pragma once

#include "win/MessageQueue.h"
#include "win/Types.h"

#include <functional>
#include <memory>
#include <mutex>

namespace vqwin::detail {

// What the window system keeps per thread.
struct ThreadState {
    DWORD id = 0;
    int suspendCount = 0;
    bool waiting = false; // blocked in Kernel::Wait and has looked at its condition since the last wake-up
    bool ended = false;
    int heldLocks = 0;  // critical sections and semaphore takings the thread holds
    MessageQueue queue;
    HWND focus = nullptr;
};

class Kernel {
public:
    using Lock = std::unique_lock<std::mutex>;

    static Lock Acquire();

    // Makes every blocked wait look at its condition again. Every change that may end a wait
    // (a post, a send, a signal, a release, a resume, the clock moving) calls it.
    static void WakeAll(Lock& lock);

    // Blocks until `ready` (called with the lock held) answers true or `timeout` milliseconds
    // have passed on the installed clock (INFINITE: no time-out). A thread that has been
    // suspended stays here, whatever `ready` says, until it is resumed, unless it holds a
    // lock (see NoteLockTaken). False on time-out.
    static bool Wait(Lock& lock, const std::function<bool()>& ready, DWORD timeout);
    // A loop turn: a suspended thread that holds no lock stops here until it is resumed.
    static void ParkIfSuspended(Lock& lock);

    // Critical sections and semaphores report which thread holds them, so that suspension
    // never stops a thread inside a lock.
    static void NoteLockTaken(Lock& lock, DWORD threadId);
    static void NoteLockReleased(Lock& lock, DWORD threadId);

    // The calling thread's state, made on first use.
    static ThreadState& Current(Lock& lock);
    static DWORD CurrentId();
    static ThreadState* Find(Lock& lock, DWORD threadId);
    // A state for a thread not started yet; the new thread takes it over with Adopt.
    static std::shared_ptr<ThreadState> Prepare(Lock& lock, int suspendCount);
    static void Adopt(std::shared_ptr<ThreadState> state);
    // The calling thread is ending: its queue goes, and callers waiting on a message sent to
    // it get 0.
    static void EndCurrentThread();

    // Blocks the caller (a test) until the thread is waiting, or until it has ended.
    static bool WaitUntilWaiting(DWORD threadId);
};

} // namespace vqwin::detail
