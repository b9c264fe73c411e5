// The Tarsk options of a report.
#pragma once

#include "proxy/PxReportOptions.h"

class PxTarskReportOptions : public PxReportOptions {
    PX_DECLARE_CLASS(PxTarskReportOptions, PxReportOptions)

#include "proxy/PxOptionsDeclare.h"
#include "proxy/fields/PxTarskReportOptions.fields"

public:
    int GetOptionsType() const override;

protected:
    PxTarskReportOptions() = default;
};

using PxTarskReportOptionsPtr = PxPtr<PxTarskReportOptions>;
