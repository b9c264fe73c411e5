#include "proxy/PxTarskCompOptions.h"

#define PX_OPTIONS_CLASS PxTarskCompOptions
#define PX_OPTIONS_FIELDS "proxy/fields/PxTarskCompOptions.fields"
#include "proxy/PxOptionsImplement.h"

PX_IMPLEMENT_OPTIONS_CLASS(PxTarskCompOptions, 0)

int PxTarskCompOptions::GetOptionsType() const { return VQHostTarsk; }

int PxTarskCompOptions::GetOptionsKind() const { return PxOptionsKindComponent; }
