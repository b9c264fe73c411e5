#include "proxy/PxUnixReportOptions.h"

#define PX_OPTIONS_CLASS PxUnixReportOptions
#define PX_OPTIONS_FIELDS "proxy/fields/PxUnixReportOptions.fields"
#include "proxy/PxOptionsImplement.h"

PX_IMPLEMENT_OPTIONS_CLASS(PxUnixReportOptions, 0)

int PxUnixReportOptions::GetOptionsType() const { return VQHostUnix; }
