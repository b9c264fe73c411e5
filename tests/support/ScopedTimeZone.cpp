#include "support/ScopedTimeZone.h"

#include <cstdlib>
#include <ctime>

namespace vqtest {

ScopedTimeZone::ScopedTimeZone(const char* zone)
{
    if (const char* old = std::getenv("TZ")) {
        m_hadZone = true;
        m_oldZone = old;
    }
    setenv("TZ", zone, 1);
    tzset();
}

ScopedTimeZone::~ScopedTimeZone()
{
    if (m_hadZone)
        setenv("TZ", m_oldZone.c_str(), 1);
    else
        unsetenv("TZ");
    tzset();
}

} // namespace vqtest
