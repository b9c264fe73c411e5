#include "proxy/PxQSRCompOptions.h"

#define PX_OPTIONS_CLASS PxQSRCompOptions
#define PX_OPTIONS_FIELDS "proxy/fields/PxQSRCompOptions.fields"
#include "proxy/PxOptionsImplement.h"

PX_IMPLEMENT_OPTIONS_CLASS(PxQSRCompOptions, 0)

int PxQSRCompOptions::GetOptionsType() const { return VQHostQSR; }

int PxQSRCompOptions::GetOptionsKind() const { return PxOptionsKindComponent; }
