// The raise check of the test run (see PxLockRaiseCheck): each raise fails the test that
// made it. A test of the lock layer that raises on purpose collects its raises instead.
#pragma once

#include <string>
#include <vector>

namespace vqtest {

// Switches the check on for this process and every process it starts, unless the
// environment switches it off (VQ_CHECK_LOCK_RAISES=0); raises fail the running test.
void CheckLockRaises();

// While it lives, raises are collected instead of failing the test.
class ExpectedLockRaises {
public:
    ExpectedLockRaises();
    ~ExpectedLockRaises();
    ExpectedLockRaises(const ExpectedLockRaises&) = delete;
    ExpectedLockRaises& operator=(const ExpectedLockRaises&) = delete;

    const std::vector<std::string>& Raises() const { return m_raises; }

private:
    std::vector<std::string> m_raises;
};

} // namespace vqtest
