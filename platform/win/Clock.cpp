#include "win/Clock.h"

#include <atomic>
#include <chrono>
#include <ctime>
#include <mutex>
#include <thread>

namespace vqclock {

namespace {

class SystemClock final : public Clock {
public:
    std::int64_t Now() const override
    {
        return std::chrono::duration_cast<std::chrono::seconds>(
                   std::chrono::system_clock::now().time_since_epoch())
            .count();
    }
    std::uint64_t TickMilliseconds() const override
    {
        return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                              std::chrono::steady_clock::now().time_since_epoch())
                                              .count());
    }
    void Pause(std::uint64_t milliseconds) const override
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    }
};

const SystemClock g_systemClock;
std::atomic<const Clock*> g_clock{&g_systemClock};
std::mutex g_manualMutex;
std::atomic<void (*)()> g_movedListener{nullptr};

void NotifyMoved()
{
    if (auto listener = g_movedListener.load())
        listener();
}

} // namespace

std::int64_t ManualClock::Now() const
{
    std::lock_guard lock(g_manualMutex);
    return m_now;
}

std::uint64_t ManualClock::TickMilliseconds() const
{
    std::lock_guard lock(g_manualMutex);
    return m_ticks;
}

void ManualClock::Advance(std::uint64_t milliseconds) { Move(milliseconds); }

bool ManualClock::PassSleep(std::uint64_t milliseconds) const
{
    if (!m_sleepMovesClock)
        return false;
    Move(milliseconds);
    return true;
}

void ManualClock::SetSleepMovesClock(bool moves) { m_sleepMovesClock = moves; }

void ManualClock::Move(std::uint64_t milliseconds) const
{
    {
        std::lock_guard lock(g_manualMutex);
        m_ticks += milliseconds;
        m_subSecond += milliseconds;
        m_now += static_cast<std::int64_t>(m_subSecond / 1000);
        m_subSecond %= 1000;
    }
    NotifyMoved();
}

void ManualClock::Set(std::int64_t now)
{
    {
        std::lock_guard lock(g_manualMutex);
        m_now = now;
    }
    NotifyMoved();
}

const Clock& Current() { return *g_clock.load(); }

void SetMovedListener(void (*listener)()) { g_movedListener.store(listener); }

void Install(const Clock* clock)
{
    g_clock.store(clock ? clock : &g_systemClock);
    NotifyMoved();
}

ScopedClock::ScopedClock(const Clock& clock) : m_previous(g_clock.load()) { Install(&clock); }

ScopedClock::~ScopedClock() { Install(m_previous); }

} // namespace vqclock

std::int64_t _time64(std::int64_t* out)
{
    std::int64_t now = vqclock::Current().Now();
    if (out)
        *out = now;
    return now;
}

std::uint32_t GetTickCount() { return static_cast<std::uint32_t>(vqclock::Current().TickMilliseconds()); }

std::uint64_t GetTickCount64() { return vqclock::Current().TickMilliseconds(); }

struct tm* _localtime64(const __time64_t* time)
{
    // 3000-12-31 23:59:59 UTC, the last moment the conversion accepts.
    constexpr __time64_t latest = 32535215999;
    thread_local struct tm result;
    if (!time || *time < 0 || *time > latest)
        return nullptr;
    std::time_t value = static_cast<std::time_t>(*time);
    return localtime_r(&value, &result);
}
