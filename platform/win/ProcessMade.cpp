#include "win/ProcessMade.h"

#include <unistd.h>

namespace vqwin {

// Asked at each call: a forked child answers with its own process, never its parent's.
ProcessMade::ProcessMade() noexcept : m_maker(getpid()) {}

bool ProcessMade::Here() const noexcept { return m_maker == getpid(); }

void ProcessMade::TakeHere() noexcept { m_maker = getpid(); }

} // namespace vqwin
