#include "support/ClockActingAt.h"

#include <utility>

namespace vqtest {

ClockActingAt::ClockActingAt(const vqclock::ManualClock& clock, std::uint64_t after, std::function<void()> action)
    : m_clock(clock), m_at(clock.TickMilliseconds() + after), m_action(std::move(action)), m_installed(*this)
{
}

void ClockActingAt::Pause(std::uint64_t milliseconds) const
{
    m_clock.Pause(milliseconds);
    if (!m_acted && TickMilliseconds() >= m_at) {
        m_acted = true;
        m_action();
    }
}

} // namespace vqtest
