#include "proxy/PxIspecOptions.h"

#define PX_OPTIONS_CLASS PxIspecOptions
#define PX_OPTIONS_FIELDS "proxy/fields/PxIspecOptions.fields"
#include "proxy/PxOptionsImplement.h"

PX_IMPLEMENT_OPTIONS_CLASS(PxIspecOptions, 0)

int PxIspecOptions::GetOptionsKind() const { return PxOptionsKindComponent; }
