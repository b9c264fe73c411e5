#include "proxy/PxEventOptions.h"

#define PX_OPTIONS_CLASS PxEventOptions
#define PX_OPTIONS_FIELDS "proxy/fields/PxEventOptions.fields"
#include "proxy/PxOptionsImplement.h"

PX_IMPLEMENT_OPTIONS_CLASS(PxEventOptions, 0)

int PxEventOptions::GetOptionsKind() const { return PxOptionsKindEvent; }
