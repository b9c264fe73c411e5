#include "proxy/PxQSREventOptions.h"

#define PX_OPTIONS_CLASS PxQSREventOptions
#define PX_OPTIONS_FIELDS "proxy/fields/PxQSREventOptions.fields"
#include "proxy/PxOptionsImplement.h"

PX_IMPLEMENT_OPTIONS_CLASS(PxQSREventOptions, 0)

int PxQSREventOptions::GetOptionsType() const { return VQHostQSR; }

int PxQSREventOptions::GetOptionsKind() const { return PxOptionsKindEvent; }
