// The one source of wall-clock and tick time. Tests install a manual clock and move it.
#pragma once

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
    // Lets the given time pass before returning (a retry delay, a poll interval).
    virtual void Pause(std::uint64_t milliseconds) const = 0;
};

// A clock that stands still until a test moves it.
class ManualClock final : public Clock {
public:
    explicit ManualClock(std::int64_t now = 1700000000, std::uint64_t ticks = 0) : m_now(now), m_ticks(ticks) {}
    std::int64_t Now() const override;
    std::uint64_t TickMilliseconds() const override;
    // Returns at once, with the clock moved on by the pause.
    void Pause(std::uint64_t milliseconds) const override;
    void Advance(std::uint64_t milliseconds);
    void Set(std::int64_t now);

private:
    mutable std::int64_t m_now;
    mutable std::uint64_t m_ticks;
    mutable std::uint64_t m_subSecond = 0;
};

const Clock& Current();
// Installs a clock (nullptr restores the system clock); the caller keeps it alive.
void Install(const Clock* clock);

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
