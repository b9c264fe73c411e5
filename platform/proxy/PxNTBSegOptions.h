// The NT options of a business segment.
#pragma once

#include "proxy/PxBSegOptions.h"
#include "proxy/PxOptionEnumsNTUnix.h"

class PxNTBSegOptions : public PxBSegOptions {
    PX_DECLARE_CLASS(PxNTBSegOptions, PxBSegOptions)

#include "proxy/PxOptionsDeclare.h"
#include "proxy/fields/PxNTBSegOptions.fields"

public:
    int GetOptionsType() const override;

    // The initial pack name of a business segment for pack kind 1 (path) or 2
    // (Filegroup); empty for other kinds.
    static CString GetInitialPackName(const char* segmentName, int packKind);

protected:
    PxNTBSegOptions() = default;
};

using PxNTBSegOptionsPtr = PxPtr<PxNTBSegOptions>;
