#include "proxy/PxQSRReportOptions.h"

#define PX_OPTIONS_CLASS PxQSRReportOptions
#define PX_OPTIONS_FIELDS "proxy/fields/PxQSRReportOptions.fields"
#include "proxy/PxOptionsImplement.h"

PX_IMPLEMENT_OPTIONS_CLASS(PxQSRReportOptions, 0)

int PxQSRReportOptions::GetOptionsType() const { return VQHostQSR; }
