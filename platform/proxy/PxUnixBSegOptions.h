// The Unix options of a business segment.
#pragma once

#include "proxy/PxBSegOptions.h"
#include "proxy/PxOptionEnumsNTUnix.h"

class PxUnixBSegOptions : public PxBSegOptions {
    PX_DECLARE_CLASS(PxUnixBSegOptions, PxBSegOptions)

#include "proxy/PxOptionsDeclare.h"
#include "proxy/fields/PxUnixBSegOptions.fields"

public:
    int GetOptionsType() const override;

    // The initial pack name of a business segment for pack kind 1 (path) or 2
    // (Tablespace); empty for other kinds.
    static CString GetInitialPackName(const char* segmentName, int packKind);

protected:
    PxUnixBSegOptions() = default;
    const char* SubOptionsClass() const override;
};

using PxUnixBSegOptionsPtr = PxPtr<PxUnixBSegOptions>;
