#include "proxy/PxUnixIspecOptions.h"

#define PX_OPTIONS_CLASS PxUnixIspecOptions
#define PX_OPTIONS_FIELDS "proxy/fields/PxUnixIspecOptions.fields"
#include "proxy/PxOptionsImplement.h"

PX_IMPLEMENT_OPTIONS_CLASS(PxUnixIspecOptions, 0)

int PxUnixIspecOptions::GetOptionsType() const { return VQHostUnix; }

int PxUnixIspecOptions::GetOptionsKind() const { return PxOptionsKindComponent; }
