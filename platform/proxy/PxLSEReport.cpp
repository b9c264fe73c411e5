#include "proxy/PxLSEReport.h"

PX_IMPLEMENT_CLASS(PxLSEReport, 0)

PX_IMPLEMENT_TEXT_GETTER(PxLSEReport, DefaultDevice, "defaultDevice")
PX_IMPLEMENT_VALUE_GETTER(PxLSEReport, int, GenerateToAllLanguages, "generateToAllLanguages")
