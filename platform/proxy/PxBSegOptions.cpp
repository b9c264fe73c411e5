#include "proxy/PxBSegOptions.h"

#define PX_OPTIONS_CLASS PxBSegOptions
#define PX_OPTIONS_FIELDS "proxy/fields/PxBSegOptions.fields"
#include "proxy/PxOptionsImplement.h"

PX_IMPLEMENT_OPTIONS_CLASS(PxBSegOptions, 0)

int PxBSegOptions::GetOptionsKind() const { return PxOptionsKindBusinessSegment; }
