#include "proxy/PxNTIspecOptions.h"

#define PX_OPTIONS_CLASS PxNTIspecOptions
#define PX_OPTIONS_FIELDS "proxy/fields/PxNTIspecOptions.fields"
#include "proxy/PxOptionsImplement.h"

PX_IMPLEMENT_OPTIONS_CLASS(PxNTIspecOptions, 0)

int PxNTIspecOptions::GetOptionsType() const { return VQHostNT; }

int PxNTIspecOptions::GetOptionsKind() const { return PxOptionsKindComponent; }
