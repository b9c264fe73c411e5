#include "proxy/PxUnixEventOptions.h"

#define PX_OPTIONS_CLASS PxUnixEventOptions
#define PX_OPTIONS_FIELDS "proxy/fields/PxUnixEventOptions.fields"
#include "proxy/PxOptionsImplement.h"

PX_IMPLEMENT_OPTIONS_CLASS(PxUnixEventOptions, 0)

int PxUnixEventOptions::GetOptionsType() const { return VQHostUnix; }

int PxUnixEventOptions::GetOptionsKind() const { return PxOptionsKindEvent; }
