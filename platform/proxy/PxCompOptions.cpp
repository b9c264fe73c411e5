#include "proxy/PxCompOptions.h"

#define PX_OPTIONS_CLASS PxCompOptions
#define PX_OPTIONS_FIELDS "proxy/fields/PxCompOptions.fields"
#include "proxy/PxOptionsImplement.h"

PX_IMPLEMENT_OPTIONS_CLASS(PxCompOptions, 0)

int PxCompOptions::GetOptionsKind() const { return PxOptionsKindComponent; }
