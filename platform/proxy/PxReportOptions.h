// The options of a report on every host type.
#pragma once

#include "proxy/PxVQOptions.h"

class PxReportOptions : public PxVQOptions {
    PX_DECLARE_CLASS(PxReportOptions, PxVQOptions)

#include "proxy/PxOptionsDeclare.h"
#include "proxy/fields/PxReportOptions.fields"

public:
    int GetOptionsKind() const override;

protected:
    PxReportOptions() = default;
};

using PxReportOptionsPtr = PxPtr<PxReportOptions>;
