// The NT options of a report.
#pragma once

#include "proxy/PxReportOptions.h"

class PxNTReportOptions : public PxReportOptions {
    PX_DECLARE_CLASS(PxNTReportOptions, PxReportOptions)

#include "proxy/PxOptionsDeclare.h"
#include "proxy/fields/PxNTReportOptions.fields"

public:
    int GetOptionsType() const override;

protected:
    PxNTReportOptions() = default;
};

using PxNTReportOptionsPtr = PxPtr<PxNTReportOptions>;
