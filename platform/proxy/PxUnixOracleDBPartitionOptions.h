// The storage options of one partition: a named sub-record of a Unix business-segment,
// component or profile record.
#pragma once

#include "proxy/PxVQOptions.h"

class PxUnixOracleDBPartitionOptions : public PxVQOptions {
    PX_DECLARE_CLASS(PxUnixOracleDBPartitionOptions, PxVQOptions)

#include "proxy/PxOptionsDeclare.h"
#include "proxy/fields/PxUnixOracleDBPartitionOptions.fields"

public:
    int GetOptionsType() const override;
    // A partition record is of its record's kind.
    int GetOptionsKind() const override;

protected:
    PxUnixOracleDBPartitionOptions() = default;
};

using PxUnixOracleDBPartitionOptionsPtr = PxPtr<PxUnixOracleDBPartitionOptions>;
