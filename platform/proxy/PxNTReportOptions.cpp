#include "proxy/PxNTReportOptions.h"

#define PX_OPTIONS_CLASS PxNTReportOptions
#define PX_OPTIONS_FIELDS "proxy/fields/PxNTReportOptions.fields"
#include "proxy/PxOptionsImplement.h"

PX_IMPLEMENT_OPTIONS_CLASS(PxNTReportOptions, 0)

int PxNTReportOptions::GetOptionsType() const { return VQHostNT; }
