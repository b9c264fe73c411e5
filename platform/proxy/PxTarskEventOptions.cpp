#include "proxy/PxTarskEventOptions.h"

#define PX_OPTIONS_CLASS PxTarskEventOptions
#define PX_OPTIONS_FIELDS "proxy/fields/PxTarskEventOptions.fields"
#include "proxy/PxOptionsImplement.h"

PX_IMPLEMENT_OPTIONS_CLASS(PxTarskEventOptions, 0)

int PxTarskEventOptions::GetOptionsType() const { return VQHostTarsk; }

int PxTarskEventOptions::GetOptionsKind() const { return PxOptionsKindEvent; }
