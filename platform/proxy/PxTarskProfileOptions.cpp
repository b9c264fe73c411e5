#include "proxy/PxTarskProfileOptions.h"

#define PX_OPTIONS_CLASS PxTarskProfileOptions
#define PX_OPTIONS_FIELDS "proxy/fields/PxTarskProfileOptions.fields"
#include "proxy/PxOptionsImplement.h"

PX_IMPLEMENT_OPTIONS_CLASS(PxTarskProfileOptions, 0)

int PxTarskProfileOptions::GetOptionsType() const { return VQHostTarsk; }
