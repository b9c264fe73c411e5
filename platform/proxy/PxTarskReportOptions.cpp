#include "proxy/PxTarskReportOptions.h"

#define PX_OPTIONS_CLASS PxTarskReportOptions
#define PX_OPTIONS_FIELDS "proxy/fields/PxTarskReportOptions.fields"
#include "proxy/PxOptionsImplement.h"

PX_IMPLEMENT_OPTIONS_CLASS(PxTarskReportOptions, 0)

int PxTarskReportOptions::GetOptionsType() const { return VQHostTarsk; }
