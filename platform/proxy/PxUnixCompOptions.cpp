#include "proxy/PxUnixCompOptions.h"

#define PX_OPTIONS_CLASS PxUnixCompOptions
#define PX_OPTIONS_FIELDS "proxy/fields/PxUnixCompOptions.fields"
#include "proxy/PxOptionsImplement.h"

PX_IMPLEMENT_OPTIONS_CLASS(PxUnixCompOptions, 0)

int PxUnixCompOptions::GetOptionsType() const { return VQHostUnix; }

int PxUnixCompOptions::GetOptionsKind() const { return PxOptionsKindComponent; }

const char* PxUnixCompOptions::SubOptionsClass() const { return "PxUnixOracleDBPartitionOptions"; }
