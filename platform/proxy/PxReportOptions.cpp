#include "proxy/PxReportOptions.h"

#define PX_OPTIONS_CLASS PxReportOptions
#define PX_OPTIONS_FIELDS "proxy/fields/PxReportOptions.fields"
#include "proxy/PxOptionsImplement.h"

PX_IMPLEMENT_OPTIONS_CLASS(PxReportOptions, 0)

int PxReportOptions::GetOptionsKind() const { return PxOptionsKindReport; }
