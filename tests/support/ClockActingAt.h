// The test's manual clock, seen through the waits of what runs: once their pauses have moved it
// past the given time, the action runs, once (another session letting go of what it kept busy,
// at a known moment of a wait). Installed as the current clock for its scope.
#pragma once

#include "win/Clock.h"

#include <cstdint>
#include <functional>

namespace vqtest {

class ClockActingAt final : public vqclock::Clock {
public:
    ClockActingAt(const vqclock::ManualClock& clock, std::uint64_t after, std::function<void()> action);
    ClockActingAt(const ClockActingAt&) = delete;
    ClockActingAt& operator=(const ClockActingAt&) = delete;

    std::int64_t Now() const override { return m_clock.Now(); }
    std::uint64_t TickMilliseconds() const override { return m_clock.TickMilliseconds(); }
    bool MovesByItself() const override { return false; }
    bool PassSleep(std::uint64_t milliseconds) const override { return m_clock.PassSleep(milliseconds); }
    void Pause(std::uint64_t milliseconds) const override;
    // Whether the action has run.
    bool Acted() const { return m_acted; }

private:
    const vqclock::ManualClock& m_clock;
    std::uint64_t m_at;
    std::function<void()> m_action;
    mutable bool m_acted = false;
    vqclock::ScopedClock m_installed;
};

} // namespace vqtest
