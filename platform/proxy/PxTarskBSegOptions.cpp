#include "proxy/PxTarskBSegOptions.h"

#define PX_OPTIONS_CLASS PxTarskBSegOptions
#define PX_OPTIONS_FIELDS "proxy/fields/PxTarskBSegOptions.fields"
#include "proxy/PxOptionsImplement.h"

PX_IMPLEMENT_OPTIONS_CLASS(PxTarskBSegOptions, 0)

int PxTarskBSegOptions::GetOptionsType() const { return VQHostTarsk; }
