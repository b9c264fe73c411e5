#include "proxy/PxQSRBSegOptions.h"

#define PX_OPTIONS_CLASS PxQSRBSegOptions
#define PX_OPTIONS_FIELDS "proxy/fields/PxQSRBSegOptions.fields"
#include "proxy/PxOptionsImplement.h"

PX_IMPLEMENT_OPTIONS_CLASS(PxQSRBSegOptions, 0)

int PxQSRBSegOptions::GetOptionsType() const { return VQHostQSR; }
