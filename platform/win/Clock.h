// The one source of wall-clock and tick time. Tests install a manual clock and move it.
#pragma once

#include <atomic>
#include <cstdint>

struct tm;

namespace vqclock {

class Clock {
public:
    virtual ~Clock() = default;
    // Seconds since 1970-01-01 00:00:00 UTC.
    virtual std::int64_t Now() const = 0;
    // Milliseconds of a monotonic counter (GetTickCount).
    virtual std::uint64_t TickMilliseconds() const = 0;
    // False for a clock that moves only when told to: a wait with a time-out on it ends
    // when the clock is moved past the wait's deadline, never by real time passing.
    virtual bool MovesByItself() const { return true; }
    // A thread sleeps `milliseconds`. True when the sleep is already over (the clock
    // moved by it); false when the sleeper waits for the time to pass.
    virtual bool PassSleep(std::uint64_t milliseconds) const
    {
        (void)milliseconds;
        return false;
    }
    // Lets the given time pass before returning (a retry delay): the system clock sleeps,
    // a manual clock moves itself on by the pause and returns at once.
    virtual void Pause(std::uint64_t milliseconds) const = 0;
};

// A clock that stands still until a test moves it.
class ManualClock final : public Clock {
public:
    explicit ManualClock(std::int64_t now = 1700000000, std::uint64_t ticks = 0) : m_now(now), m_ticks(ticks) {}
    std::int64_t Now() const override;
    std::uint64_t TickMilliseconds() const override;
    bool MovesByItself() const override { return false; }
    bool PassSleep(std::uint64_t milliseconds) const override;
    void Pause(std::uint64_t milliseconds) const override { Move(milliseconds); }
    void Advance(std::uint64_t milliseconds);
    void Set(std::int64_t now);
    // By default a sleeping thread waits until someone moves the clock past its wake-up
    // time. With this set, Sleep moves the clock itself, so code that sleeps on the test's
    // own thread does not wait for ever.
    void SetSleepMovesClock(bool moves);

private:
    void Move(std::uint64_t milliseconds) const;

    // A sleeping thread moves the clock through the const interface; guarded by one mutex.
    mutable std::int64_t m_now;
    mutable std::uint64_t m_ticks;
    mutable std::uint64_t m_subSecond = 0;
    std::atomic<bool> m_sleepMovesClock{false};  // read by every sleeping thread
};

const Clock& Current();
// Installs a clock (nullptr restores the system clock); the caller keeps it alive.
void Install(const Clock* clock);

// Called after a manual clock has moved, so that waits on the clock look at it again.
void SetMovedListener(void (*listener)());

// Installs a clock for the lifetime of the scope.
class ScopedClock {
public:
    explicit ScopedClock(const Clock& clock);
    ~ScopedClock();
    ScopedClock(const ScopedClock&) = delete;
    ScopedClock& operator=(const ScopedClock&) = delete;

private:
    const Clock* m_previous;
};

} // namespace vqclock

std::int64_t _time64(std::int64_t* out);
std::uint32_t GetTickCount();
std::uint64_t GetTickCount64();

using __time64_t = std::int64_t;

// Broken-down local time of a 64-bit time, in a buffer of the calling thread that the
// next call overwrites. Null for times before 1970 or after the year 3000.
struct tm* _localtime64(const __time64_t* time);
