#include "proxy/PxTarskIspecOptions.h"

#define PX_OPTIONS_CLASS PxTarskIspecOptions
#define PX_OPTIONS_FIELDS "proxy/fields/PxTarskIspecOptions.fields"
#include "proxy/PxOptionsImplement.h"

PX_IMPLEMENT_OPTIONS_CLASS(PxTarskIspecOptions, 0)

int PxTarskIspecOptions::GetOptionsType() const { return VQHostTarsk; }

int PxTarskIspecOptions::GetOptionsKind() const { return PxOptionsKindComponent; }
