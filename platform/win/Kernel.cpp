#include "win/Kernel.h"

#include "win/Clock.h"

#include <chrono>
#include <condition_variable>
#include <unordered_map>

namespace vqwin::detail {

namespace {

// Never destroyed: threads may end (and report it here) after static destruction began.
struct KernelData {
    std::mutex mutex;
    std::condition_variable wake;    // every blocked wait sleeps on this
    std::condition_variable watch;   // tests waiting for a thread to block sleep on this
    int sleepers = 0;
    DWORD nextThreadId = 1;
    std::unordered_map<DWORD, std::shared_ptr<ThreadState>> threads;
};

void WakeOnClockMove();

KernelData& Data()
{
    static KernelData* data = [] {
        auto* made = new KernelData;
        vqclock::SetMovedListener(&WakeOnClockMove);
        return made;
    }();
    return *data;
}

void WakeOnClockMove()
{
    auto lock = Kernel::Acquire();
    Kernel::WakeAll(lock);
}

// The calling thread's state; ending the thread ends the state.
struct CurrentThread {
    std::shared_ptr<ThreadState> state;
    DWORD id = 0;
    ~CurrentThread()
    {
        if (state)
            Kernel::EndCurrentThread();
    }
};

thread_local CurrentThread t_current;

void SetWaiting(ThreadState& state, bool waiting)
{
    if (state.waiting == waiting)
        return;
    state.waiting = waiting;
    if (waiting)
        Data().watch.notify_all();
}

bool IsParked(const ThreadState& state) { return state.suspendCount > 0 && state.heldLocks == 0; }

void Sleep(Kernel::Lock& lock, ThreadState& state, DWORD timeout)
{
    KernelData& data = Data();
    SetWaiting(state, true);
    ++data.sleepers;
    if (timeout == INFINITE)
        data.wake.wait(lock);
    else
        data.wake.wait_for(lock, std::chrono::milliseconds(timeout));
    --data.sleepers;
}

} // namespace

Kernel::Lock Kernel::Acquire() { return Lock(Data().mutex); }

void Kernel::WakeAll(Lock&)
{
    KernelData& data = Data();
    if (data.sleepers == 0)
        return;
    for (auto& [id, state] : data.threads)
        state->waiting = false;
    data.wake.notify_all();
}

bool Kernel::Wait(Lock& lock, const std::function<bool()>& ready, DWORD timeout)
{
    ThreadState& state = Current(lock);
    const std::uint64_t start = vqclock::Current().TickMilliseconds();
    for (;;) {
        const vqclock::Clock& clock = vqclock::Current();
        const bool parked = IsParked(state);
        if (!parked && ready()) {
            SetWaiting(state, false);
            return true;
        }
        const std::uint64_t elapsed = clock.TickMilliseconds() - start;
        if (!parked && timeout != INFINITE && elapsed >= timeout) {
            SetWaiting(state, false);
            return false;
        }
        // A clock that moves only when told to wakes its waiters itself when it moves.
        const bool realTimeout = timeout != INFINITE && !parked && clock.MovesByItself();
        Sleep(lock, state, realTimeout ? static_cast<DWORD>(timeout - elapsed) : INFINITE);
    }
}

void Kernel::ParkIfSuspended(Lock& lock)
{
    Wait(lock, [] { return true; }, INFINITE);
}

void Kernel::NoteLockTaken(Lock& lock, DWORD threadId)
{
    if (ThreadState* state = Find(lock, threadId))
        ++state->heldLocks;
}

void Kernel::NoteLockReleased(Lock& lock, DWORD threadId)
{
    ThreadState* state = Find(lock, threadId);
    if (state && state->heldLocks > 0)
        --state->heldLocks;
}

ThreadState& Kernel::Current(Lock&)
{
    if (!t_current.state) {
        KernelData& data = Data();
        auto state = std::make_shared<ThreadState>();
        state->id = data.nextThreadId++;
        data.threads.emplace(state->id, state);
        t_current.id = state->id;
        t_current.state = std::move(state);
    }
    return *t_current.state;
}

DWORD Kernel::CurrentId()
{
    if (t_current.id == 0) {
        auto lock = Acquire();
        Current(lock);
    }
    return t_current.id;
}

ThreadState* Kernel::Find(Lock&, DWORD threadId)
{
    KernelData& data = Data();
    auto it = data.threads.find(threadId);
    return it == data.threads.end() ? nullptr : it->second.get();
}

std::shared_ptr<ThreadState> Kernel::Prepare(Lock&, int suspendCount)
{
    KernelData& data = Data();
    auto state = std::make_shared<ThreadState>();
    state->id = data.nextThreadId++;
    state->suspendCount = suspendCount;
    data.threads.emplace(state->id, state);
    return state;
}

void Kernel::Adopt(std::shared_ptr<ThreadState> state)
{
    t_current.id = state->id;
    t_current.state = std::move(state);
}

void Kernel::EndCurrentThread()
{
    auto lock = Acquire();
    std::shared_ptr<ThreadState> state = std::move(t_current.state);
    if (!state)
        return;
    state->ended = true;
    state->queue.Close();
    Data().threads.erase(state->id);
    WakeAll(lock);
    Data().watch.notify_all();
}

bool Kernel::WaitUntilWaiting(DWORD threadId)
{
    auto lock = Acquire();
    KernelData& data = Data();
    data.watch.wait(lock, [&] {
        ThreadState* state = Find(lock, threadId);
        return !state || state->waiting;
    });
    return Find(lock, threadId) != nullptr;
}

} // namespace vqwin::detail
