#include "proxy/PxNTEventOptions.h"

#define PX_OPTIONS_CLASS PxNTEventOptions
#define PX_OPTIONS_FIELDS "proxy/fields/PxNTEventOptions.fields"
#include "proxy/PxOptionsImplement.h"

PX_IMPLEMENT_OPTIONS_CLASS(PxNTEventOptions, 0)

int PxNTEventOptions::GetOptionsType() const { return VQHostNT; }

int PxNTEventOptions::GetOptionsKind() const { return PxOptionsKindEvent; }
