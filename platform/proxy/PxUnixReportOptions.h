// The Unix options of a report.
#pragma once

#include "proxy/PxReportOptions.h"

class PxUnixReportOptions : public PxReportOptions {
    PX_DECLARE_CLASS(PxUnixReportOptions, PxReportOptions)

#include "proxy/PxOptionsDeclare.h"
#include "proxy/fields/PxUnixReportOptions.fields"

public:
    int GetOptionsType() const override;

protected:
    PxUnixReportOptions() = default;
};

using PxUnixReportOptionsPtr = PxPtr<PxUnixReportOptions>;
