// Counts every row the lock table of a repository on the suite's server takes or changes, as
// triggers of the table add them up in a table of their own.
#pragma once

#include <cstdint>
#include <string>

namespace vqtest {

class LockRowsCounter {
public:
    // Installs the count on the repository's database (no session open on it yet).
    explicit LockRowsCounter(const std::string& uri);

    // The rows written since the count was installed.
    std::int64_t Written() const;

private:
    std::string m_uri;
};

} // namespace vqtest
