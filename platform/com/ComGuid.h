// New globally unique identifiers.
#pragma once

#include "com/ComBase.h"

// A new random identifier (version 4); E_FAIL when the system has no source of randomness.
HRESULT CoCreateGuid(GUID* guid);

namespace vqcom {

// While it lives, every CoCreateGuid fails (tests of the callers' failure paths).
class ScopedGuidFailure {
public:
    ScopedGuidFailure();
    ~ScopedGuidFailure();
    ScopedGuidFailure(const ScopedGuidFailure&) = delete;
    ScopedGuidFailure& operator=(const ScopedGuidFailure&) = delete;
};

} // namespace vqcom
