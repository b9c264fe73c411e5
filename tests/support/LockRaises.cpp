#include "support/LockRaises.h"

#include "proxy/PxLockRaiseCheck.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

namespace vqtest {

namespace {

void FailTheTest(const std::string& raise)
{
    std::fprintf(stderr, "%s\n", raise.c_str());
    ADD_FAILURE() << raise;
}

} // namespace

void CheckLockRaises()
{
    setenv("VQ_CHECK_LOCK_RAISES", "1", 0);
    PxLockRaiseCheck::SetReporter(FailTheTest);
}

ExpectedLockRaises::ExpectedLockRaises()
{
    PxLockRaiseCheck::SetReporter([this](const std::string& raise) { m_raises.push_back(raise); });
}

ExpectedLockRaises::~ExpectedLockRaises() { PxLockRaiseCheck::SetReporter(FailTheTest); }

} // namespace vqtest
