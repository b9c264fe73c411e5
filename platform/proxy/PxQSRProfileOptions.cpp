#include "proxy/PxQSRProfileOptions.h"

#define PX_OPTIONS_CLASS PxQSRProfileOptions
#define PX_OPTIONS_FIELDS "proxy/fields/PxQSRProfileOptions.fields"
#include "proxy/PxOptionsImplement.h"

PX_IMPLEMENT_OPTIONS_CLASS(PxQSRProfileOptions, 0)

int PxQSRProfileOptions::GetOptionsType() const { return VQHostQSR; }
