#include "proxy/PxNTProfileOptions.h"

#define PX_OPTIONS_CLASS PxNTProfileOptions
#define PX_OPTIONS_FIELDS "proxy/fields/PxNTProfileOptions.fields"
#include "proxy/PxOptionsImplement.h"

PX_IMPLEMENT_OPTIONS_CLASS(PxNTProfileOptions, 0)

int PxNTProfileOptions::GetOptionsType() const { return VQHostNT; }
