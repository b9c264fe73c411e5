#include "proxy/PxQSRIspecOptions.h"

#define PX_OPTIONS_CLASS PxQSRIspecOptions
#define PX_OPTIONS_FIELDS "proxy/fields/PxQSRIspecOptions.fields"
#include "proxy/PxOptionsImplement.h"

PX_IMPLEMENT_OPTIONS_CLASS(PxQSRIspecOptions, 0)

int PxQSRIspecOptions::GetOptionsType() const { return VQHostQSR; }

int PxQSRIspecOptions::GetOptionsKind() const { return PxOptionsKindComponent; }
