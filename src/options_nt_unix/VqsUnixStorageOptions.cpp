#include "options_nt_unix/VqsUnixStorageOptions.h"

namespace vqsstorage {

Level PartitionLevel(const PxUnixOracleDBPartitionOptionsPtr& partition)
{
    using R = PxUnixOracleDBPartitionOptions;
    return Level{VQS_STORAGE(CString, partition, R, SQLsca),
                 VQS_STORAGE(CString, partition, R, SQLnonsca),
                 VQS_STORAGE(std::int64_t, partition, R, MaxExtentsUnlimited),
                 VQS_STORAGE(CString, partition, R, Tablespace),
                 VQS_STORAGE(std::int64_t, partition, R, Population),
                 VQS_STORAGE(std::int64_t, partition, R, InitialExtentType),
                 VQS_STORAGE(std::int64_t, partition, R, NextExtentType),
                 {VQS_STORAGE(std::int64_t, partition, R, PercentFree),
                  VQS_STORAGE(std::int64_t, partition, R, PercentUsed),
                  VQS_STORAGE(std::int64_t, partition, R, PercentIncrease),
                  VQS_STORAGE(std::int64_t, partition, R, InitialExtent),
                  VQS_STORAGE(std::int64_t, partition, R, NextExtent),
                  VQS_STORAGE(std::int64_t, partition, R, MinExtents),
                  VQS_STORAGE(std::int64_t, partition, R, MaxExtents),
                  VQS_STORAGE(std::int64_t, partition, R, InitTrans),
                  VQS_STORAGE(std::int64_t, partition, R, MaxTrans)}};
}

Level BSegTraits::ElementLevel(const PxPtr<Record>& record, int s)
{
    return VQS_STORAGE_LEVEL(record, s, Record, BS, BS);
}

std::array<Limits, kNumberCount> BSegTraits::NumberLimits(const PxPtr<Record>& record)
{
    return VQS_STORAGE_LIMITS_OF(record, Record, BS);
}

Limits BSegTraits::PopulationLimits(const PxPtr<Record>& record)
{
    return VQS_STORAGE_LIMITS(record, Record, BSPopulation);
}

TextOption BSegTraits::ElementPack(const PxPtr<Record>& record)
{
    return VQS_STORAGE(CString, record, Record, EventSet);
}

NumberOption BSegTraits::ElementExpected(const PxPtr<Record>& record)
{
    return VQS_STORAGE_AT(std::int64_t, record, 0, Record, BSPopulation);
}

Level ComponentTraits::ElementLevel(const PxPtr<Record>& record, int s)
{
    return VQS_STORAGE_LEVEL(record, s, Record, Component, Comp);
}

std::array<Limits, kNumberCount> ComponentTraits::NumberLimits(const PxPtr<Record>& record)
{
    return VQS_STORAGE_LIMITS_OF(record, Record, Component);
}

Limits ComponentTraits::PopulationLimits(const PxPtr<Record>& record)
{
    return VQS_STORAGE_LIMITS(record, Record, ComponentPopulation);
}

TextOption ComponentTraits::ElementPack(const PxPtr<Record>& record)
{
    return VQS_STORAGE(CString, record, PxCompOptions, CompPack);
}

NumberOption ComponentTraits::ElementExpected(const PxPtr<Record>& record)
{
    return VQS_STORAGE(std::int64_t, record, PxCompOptions, Expected);
}

Level ProfileTraits::ElementLevel(const PxPtr<Record>& record, int s)
{
    return VQS_STORAGE_LEVEL(record, s, Record, Profile, Prof);
}

std::array<Limits, kNumberCount> ProfileTraits::NumberLimits(const PxPtr<Record>& record)
{
    return VQS_STORAGE_LIMITS_OF(record, Record, Profile);
}

Limits ProfileTraits::PopulationLimits(const PxPtr<Record>& record)
{
    return VQS_STORAGE_LIMITS(record, Record, ProfilePopulation);
}

TextOption ProfileTraits::ElementPack(const PxPtr<Record>& record)
{
    return VQS_STORAGE(CString, record, PxProfileOptions, Pack);
}

NumberOption ProfileTraits::ElementExpected(const PxPtr<Record>& record)
{
    return VQS_STORAGE(std::int64_t, record, PxProfileOptions, ExpectedOrVolume);
}

} // namespace vqsstorage
