// Sets the time zone (TZ) for the scope and puts the old one back.
#pragma once

#include <string>

namespace vqtest {

class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const char* zone);
    ~ScopedTimeZone();
    ScopedTimeZone(const ScopedTimeZone&) = delete;
    ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

private:
    bool m_hadZone = false;
    std::string m_oldZone;
};

} // namespace vqtest
