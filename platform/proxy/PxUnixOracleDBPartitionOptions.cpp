#include "proxy/PxUnixOracleDBPartitionOptions.h"

#define PX_OPTIONS_CLASS PxUnixOracleDBPartitionOptions
#define PX_OPTIONS_FIELDS "proxy/fields/PxUnixOracleDBPartitionOptions.fields"
#include "proxy/PxOptionsImplement.h"

PX_IMPLEMENT_OPTIONS_CLASS(PxUnixOracleDBPartitionOptions, 0)

int PxUnixOracleDBPartitionOptions::GetOptionsType() const { return VQHostUnix; }

int PxUnixOracleDBPartitionOptions::GetOptionsKind() const
{
    PxVQOptionsPtr parent = ParentOptions();
    return parent ? parent->GetOptionsKind() : PxOptionsKindBusinessSegment;
}
