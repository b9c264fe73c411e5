#include "options_nt_unix/VqsNTUnixStorageOptions.h"

#include "proxy/PxTypedList.h"
#include "proxy/PxUnixBSegOptions.h"
#include "proxy/PxUnixCompOptions.h"
#include "proxy/PxUnixProfileOptions.h"

#include <type_traits>
#include <vector>

namespace vqsntunix {

namespace {

constexpr int kColumnSlots = 8;

// One indexed option: its own-value test over indexes 0 to count-1.
template <class Record>
struct Indexed {
    BOOL (Record::*isUpdated)(int) const;
    int count;
};

#define VQS_INDEXED(Record, Name, count) Indexed<Record>{&Record::IsUpdated##Name, count}

template <class Record>
struct Options {
    std::vector<Indexed<Record>> storage;
    std::vector<Indexed<Record>> partitioning;
};

template <class Record>
const Options<Record>& OptionsOf();

template <>
const Options<PxUnixBSegOptions>& OptionsOf()
{
    using R = PxUnixBSegOptions;
    constexpr int s = 2;
    static const Options<R> options{
        {VQS_INDEXED(R, BSSQLsca, s), VQS_INDEXED(R, BSSQLnonsca, s), VQS_INDEXED(R, BSMaxExtentsUnlimited, s),
         VQS_INDEXED(R, BSTablespace, s), VQS_INDEXED(R, BSPopulation, s), VQS_INDEXED(R, BSInitialExtentType, s),
         VQS_INDEXED(R, BSNextExtentType, s), VQS_INDEXED(R, BSPercentFree, s), VQS_INDEXED(R, BSPercentUsed, s),
         VQS_INDEXED(R, BSPercentIncrease, s), VQS_INDEXED(R, BSInitialExtent, s), VQS_INDEXED(R, BSNextExtent, s),
         VQS_INDEXED(R, BSMinExtents, s), VQS_INDEXED(R, BSMaxExtents, s), VQS_INDEXED(R, BSInitTrans, s),
         VQS_INDEXED(R, BSMaxTrans, s)},
        {VQS_INDEXED(R, BSPartitionType, s), VQS_INDEXED(R, BSTablePartitionColumns, kColumnSlots),
         VQS_INDEXED(R, BSAutoIndexPartitionColumns, kColumnSlots)}};
    return options;
}

template <>
const Options<PxUnixCompOptions>& OptionsOf()
{
    using R = PxUnixCompOptions;
    constexpr int s = 2;
    static const Options<R> options{
        {VQS_INDEXED(R, CompSQLsca, s), VQS_INDEXED(R, CompSQLnonsca, s),
         VQS_INDEXED(R, ComponentMaxExtentsUnlimited, s), VQS_INDEXED(R, ComponentTablespace, s),
         VQS_INDEXED(R, ComponentPopulation, s), VQS_INDEXED(R, ComponentInitialExtentType, s),
         VQS_INDEXED(R, ComponentNextExtentType, s), VQS_INDEXED(R, ComponentPercentFree, s),
         VQS_INDEXED(R, ComponentPercentUsed, s), VQS_INDEXED(R, ComponentPercentIncrease, s),
         VQS_INDEXED(R, ComponentInitialExtent, s), VQS_INDEXED(R, ComponentNextExtent, s),
         VQS_INDEXED(R, ComponentMinExtents, s), VQS_INDEXED(R, ComponentMaxExtents, s),
         VQS_INDEXED(R, ComponentInitTrans, s), VQS_INDEXED(R, ComponentMaxTrans, s)},
        {VQS_INDEXED(R, ComponentPartitionType, s), VQS_INDEXED(R, ComponentTablePartitionColumns, kColumnSlots),
         VQS_INDEXED(R, ComponentAutoIndexPartitionColumns, kColumnSlots)}};
    return options;
}

template <>
const Options<PxUnixProfileOptions>& OptionsOf()
{
    using R = PxUnixProfileOptions;
    constexpr int s = 3;
    static const Options<R> options{
        {VQS_INDEXED(R, ProfSQLsca, s), VQS_INDEXED(R, ProfSQLnonsca, s),
         VQS_INDEXED(R, ProfileMaxExtentsUnlimited, s), VQS_INDEXED(R, ProfileTablespace, s),
         VQS_INDEXED(R, ProfilePopulation, s), VQS_INDEXED(R, ProfileInitialExtentType, s),
         VQS_INDEXED(R, ProfileNextExtentType, s), VQS_INDEXED(R, ProfilePercentFree, s),
         VQS_INDEXED(R, ProfilePercentUsed, s), VQS_INDEXED(R, ProfilePercentIncrease, s),
         VQS_INDEXED(R, ProfileInitialExtent, s), VQS_INDEXED(R, ProfileNextExtent, s),
         VQS_INDEXED(R, ProfileMinExtents, s), VQS_INDEXED(R, ProfileMaxExtents, s),
         VQS_INDEXED(R, ProfileInitTrans, s), VQS_INDEXED(R, ProfileMaxTrans, s)},
        {VQS_INDEXED(R, ProfilePartitionType, s), VQS_INDEXED(R, ProfileTablePartitionColumns, kColumnSlots),
         VQS_INDEXED(R, ProfileAutoIndexPartitionColumns, kColumnSlots),
         VQS_INDEXED(R, ProfileOrdinateIndexPartitionColumns, kColumnSlots)}};
    return options;
}

#undef VQS_INDEXED

template <class Record>
BOOL AnyUpdated(const Record& record, const std::vector<Indexed<Record>>& options)
{
    for (const Indexed<Record>& option : options)
        for (int index = 0; index < option.count; ++index)
            if ((record.*option.isUpdated)(index))
                return TRUE;
    return FALSE;
}

// Runs `use` on the record as the Unix record it is; FALSE for a record of another class.
template <class Use>
BOOL WithUnixRecord(const PxOptions& record, Use use)
{
    if (const auto* segment = dynamic_cast<const PxUnixBSegOptions*>(&record))
        return use(*segment);
    if (const auto* component = dynamic_cast<const PxUnixCompOptions*>(&record))
        return use(*component);
    if (const auto* profile = dynamic_cast<const PxUnixProfileOptions*>(&record))
        return use(*profile);
    return FALSE;
}

template <class Typed>
const auto& OptionsFor(const Typed&)
{
    return OptionsOf<std::remove_cvref_t<Typed>>();
}

BOOL HasPartitionRecords(const PxOptions& record)
{
    const auto* options = dynamic_cast<const PxVQOptions*>(&record);
    if (!options)
        return FALSE;
    PxTypedList<PxVQOptionsPtr> partitions;
    options->GetListOfSubOptions(partitions);
    return partitions.GetCount() > 0;
}

} // namespace

BOOL HoldsOwnStorage(const PxOptions& record)
{
    return WithUnixRecord(record, [](const auto& typed) { return AnyUpdated(typed, OptionsFor(typed).storage); });
}

BOOL HoldsOwnPartitioning(const PxOptions& record)
{
    const BOOL ownOptions =
        WithUnixRecord(record, [](const auto& typed) { return AnyUpdated(typed, OptionsFor(typed).partitioning); });
    return ownOptions || HasPartitionRecords(record);
}

} // namespace vqsntunix
