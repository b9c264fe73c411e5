#include "proxy/PxNTCompOptions.h"

#define PX_OPTIONS_CLASS PxNTCompOptions
#define PX_OPTIONS_FIELDS "proxy/fields/PxNTCompOptions.fields"
#include "proxy/PxOptionsImplement.h"

PX_IMPLEMENT_OPTIONS_CLASS(PxNTCompOptions, 0)

int PxNTCompOptions::GetOptionsType() const { return VQHostNT; }

int PxNTCompOptions::GetOptionsKind() const { return PxOptionsKindComponent; }
