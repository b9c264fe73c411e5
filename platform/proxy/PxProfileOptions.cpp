#include "proxy/PxProfileOptions.h"

#define PX_OPTIONS_CLASS PxProfileOptions
#define PX_OPTIONS_FIELDS "proxy/fields/PxProfileOptions.fields"
#include "proxy/PxOptionsImplement.h"

PX_IMPLEMENT_OPTIONS_CLASS(PxProfileOptions, 0)

int PxProfileOptions::GetOptionsKind() const { return PxOptionsKindProfile; }
