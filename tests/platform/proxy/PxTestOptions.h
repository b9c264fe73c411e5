// A record class of the tests' own, declared from a field table like the library's:
// PxBSegOptions's options and one option of every kind.
#pragma once

#include "proxy/PxBSegOptions.h"

class PxTestOptions : public PxBSegOptions {
    PX_DECLARE_CLASS(PxTestOptions, PxBSegOptions)

#include "proxy/PxOptionsDeclare.h"
#include "platform/proxy/PxTestOptions.fields"

public:
    // Lets the repository make records of the class.
    static void Register();

protected:
    PxTestOptions() = default;
};

using PxTestOptionsPtr = PxPtr<PxTestOptions>;
