// The QSR options of a report.
#pragma once

#include "proxy/PxReportOptions.h"

class PxQSRReportOptions : public PxReportOptions {
    PX_DECLARE_CLASS(PxQSRReportOptions, PxReportOptions)

#include "proxy/PxOptionsDeclare.h"
#include "proxy/fields/PxQSRReportOptions.fields"

public:
    int GetOptionsType() const override;

protected:
    PxQSRReportOptions() = default;
};

using PxQSRReportOptionsPtr = PxPtr<PxQSRReportOptions>;
