#include "proxy/PxUnixProfileOptions.h"

#define PX_OPTIONS_CLASS PxUnixProfileOptions
#define PX_OPTIONS_FIELDS "proxy/fields/PxUnixProfileOptions.fields"
#include "proxy/PxOptionsImplement.h"

PX_IMPLEMENT_OPTIONS_CLASS(PxUnixProfileOptions, 0)

int PxUnixProfileOptions::GetOptionsType() const { return VQHostUnix; }

const char* PxUnixProfileOptions::SubOptionsClass() const { return "PxUnixOracleDBPartitionOptions"; }
