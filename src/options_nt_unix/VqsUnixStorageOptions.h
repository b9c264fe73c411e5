// The database storage options of a Unix element as its storage page edits them: one set of
// options per structure of the element (its table and its indexes) and one per partition.
// A level binds the accessors of one such set, so that the page reads and writes the
// element's structure and a partition record alike. The traits name, per element kind, the
// record, its structures and the element options that stand for the table's pack and
// expected number.
#pragma once

#include "proxy/PxCompOptions.h"
#include "proxy/PxProfileOptions.h"
#include "proxy/PxUnixBSegOptions.h"
#include "proxy/PxUnixCompOptions.h"
#include "proxy/PxUnixOracleDBPartitionOptions.h"
#include "proxy/PxUnixProfileOptions.h"

#include <array>
#include <cstdint>
#include <functional>
#include <type_traits>

namespace vqsstorage {

// One option of a level; numbers, flags and characters are shown as 64-bit numbers.
template <class Shown>
struct Option {
    std::function<Shown()> get;
    std::function<Shown()> getDefault;
    std::function<void(const Shown&)> set;
    std::function<BOOL()> isDefault;
    std::function<BOOL()> isUpdated;
    std::function<void()> makeDefault;
    std::function<void()> clear;
};
using NumberOption = Option<std::int64_t>;
using TextOption = Option<CString>;

// The nine storage clause values, in the order the page stores them.
enum Number { PercentFree, PercentUsed, PercentIncrease, InitialExtent, NextExtent, MinExtents, MaxExtents,
              InitTrans, MaxTrans, kNumberCount };

struct Level {
    TextOption sca;
    TextOption nonsca;
    NumberOption unlimited;
    TextOption tablespace;
    NumberOption population;
    NumberOption initialExtentType;
    NumberOption nextExtentType;
    std::array<NumberOption, kNumberCount> numbers;
};

// The limits of a number, from the element's record (they hold for every structure).
struct Limits {
    std::function<BOOL(std::int64_t&)> lower;
    std::function<BOOL(std::int64_t&)> upper;
};

template <class Shown, class Value>
Shown AsShown(const Value& value)
{
    if constexpr (std::is_same_v<Shown, CString>)
        return CString(value);
    else
        return static_cast<Shown>(value);
}

template <class Argument, class Shown>
Argument AsArgument(const Shown& value)
{
    if constexpr (std::is_same_v<Shown, CString>)
        return static_cast<const char*>(value);
    else
        return static_cast<Argument>(value);
}

template <class Shown, class Ptr, class Record, class Value, class Argument>
Option<Shown> BindAt(Ptr record, int s, Value (Record::*get)(int) const, void (Record::*set)(int, Argument),
                     void (Record::*clear)(int), BOOL (Record::*isUpdated)(int) const,
                     BOOL (Record::*isDefault)(int) const, void (Record::*makeDefault)(int),
                     Value (Record::*getDefault)(int) const)
{
    return {[=] { return AsShown<Shown>((record.get()->*get)(s)); },
            [=] { return AsShown<Shown>((record.get()->*getDefault)(s)); },
            [=](const Shown& value) { (record.get()->*set)(s, AsArgument<Argument>(value)); },
            [=] { return (record.get()->*isDefault)(s); },
            [=] { return (record.get()->*isUpdated)(s); },
            [=] { (record.get()->*makeDefault)(s); },
            [=] { (record.get()->*clear)(s); }};
}

template <class Shown, class Ptr, class Record, class Value, class Argument>
Option<Shown> Bind(Ptr record, Value (Record::*get)() const, void (Record::*set)(Argument), void (Record::*clear)(),
                   BOOL (Record::*isUpdated)() const, BOOL (Record::*isDefault)() const,
                   void (Record::*makeDefault)(), Value (Record::*getDefault)() const)
{
    return {[=] { return AsShown<Shown>((record.get()->*get)()); },
            [=] { return AsShown<Shown>((record.get()->*getDefault)()); },
            [=](const Shown& value) { (record.get()->*set)(AsArgument<Argument>(value)); },
            [=] { return (record.get()->*isDefault)(); },
            [=] { return (record.get()->*isUpdated)(); },
            [=] { (record.get()->*makeDefault)(); },
            [=] { (record.get()->*clear)(); }};
}

template <class Ptr, class Record>
Limits BindLimits(Ptr record, BOOL (Record::*lower)(std::int64_t&) const, BOOL (Record::*upper)(std::int64_t&) const)
{
    return {[=](std::int64_t& limit) { return (record.get()->*lower)(limit); },
            [=](std::int64_t& limit) { return (record.get()->*upper)(limit); }};
}

#define VQS_STORAGE_AT(Shown, record, s, Record, Name)                                                               \
    vqsstorage::BindAt<Shown>(record, s, &Record::Get##Name, &Record::Set##Name, &Record::Clear##Name,                \
                              &Record::IsUpdated##Name, &Record::IsDefault##Name, &Record::MakeDefault##Name,        \
                              &Record::GetDefault##Name)
#define VQS_STORAGE(Shown, record, Record, Name)                                                                     \
    vqsstorage::Bind<Shown>(record, &Record::Get##Name, &Record::Set##Name, &Record::Clear##Name,                    \
                            &Record::IsUpdated##Name, &Record::IsDefault##Name, &Record::MakeDefault##Name,          \
                            &Record::GetDefault##Name)
#define VQS_STORAGE_LIMITS(record, Record, Name)                                                                     \
    vqsstorage::BindLimits(record, &Record::HasLowerLimit##Name, &Record::HasUpperLimit##Name)

// The element-level options of structure s of a record whose accessors carry the prefixes
// P (most options) and Q (the SQL texts).
#define VQS_STORAGE_LEVEL(record, s, Record, P, Q)                                                                   \
    vqsstorage::Level                                                                                                \
    {                                                                                                                \
        VQS_STORAGE_AT(CString, record, s, Record, Q##SQLsca),                                                       \
            VQS_STORAGE_AT(CString, record, s, Record, Q##SQLnonsca),                                                \
            VQS_STORAGE_AT(std::int64_t, record, s, Record, P##MaxExtentsUnlimited),                                 \
            VQS_STORAGE_AT(CString, record, s, Record, P##Tablespace),                                               \
            VQS_STORAGE_AT(std::int64_t, record, s, Record, P##Population),                                          \
            VQS_STORAGE_AT(std::int64_t, record, s, Record, P##InitialExtentType),                                   \
            VQS_STORAGE_AT(std::int64_t, record, s, Record, P##NextExtentType),                                      \
        {                                                                                                            \
            VQS_STORAGE_AT(std::int64_t, record, s, Record, P##PercentFree),                                         \
                VQS_STORAGE_AT(std::int64_t, record, s, Record, P##PercentUsed),                                     \
                VQS_STORAGE_AT(std::int64_t, record, s, Record, P##PercentIncrease),                                 \
                VQS_STORAGE_AT(std::int64_t, record, s, Record, P##InitialExtent),                                   \
                VQS_STORAGE_AT(std::int64_t, record, s, Record, P##NextExtent),                                      \
                VQS_STORAGE_AT(std::int64_t, record, s, Record, P##MinExtents),                                      \
                VQS_STORAGE_AT(std::int64_t, record, s, Record, P##MaxExtents),                                      \
                VQS_STORAGE_AT(std::int64_t, record, s, Record, P##InitTrans),                                       \
                VQS_STORAGE_AT(std::int64_t, record, s, Record, P##MaxTrans)                                         \
        }                                                                                                            \
    }

#define VQS_STORAGE_LIMITS_OF(record, Record, P)                                                                     \
    std::array<vqsstorage::Limits, vqsstorage::kNumberCount>                                                         \
    {                                                                                                                \
        VQS_STORAGE_LIMITS(record, Record, P##PercentFree), VQS_STORAGE_LIMITS(record, Record, P##PercentUsed),      \
            VQS_STORAGE_LIMITS(record, Record, P##PercentIncrease),                                                  \
            VQS_STORAGE_LIMITS(record, Record, P##InitialExtent), VQS_STORAGE_LIMITS(record, Record, P##NextExtent),  \
            VQS_STORAGE_LIMITS(record, Record, P##MinExtents), VQS_STORAGE_LIMITS(record, Record, P##MaxExtents),    \
            VQS_STORAGE_LIMITS(record, Record, P##InitTrans), VQS_STORAGE_LIMITS(record, Record, P##MaxTrans)        \
    }

// The options of a partition record.
Level PartitionLevel(const PxUnixOracleDBPartitionOptionsPtr& partition);

struct BSegTraits {
    using Record = PxUnixBSegOptions;
    static constexpr int kStructures = 2;
    static constexpr bool kHasCalculation = true;
    static constexpr bool kChecksPack = true;
    static constexpr bool kExpectedFromElement = false;
    static constexpr int kPopulationDigits = 10;
    static constexpr const char* kSourceName = "VqsOptionPageUnixBSeg";
    static constexpr std::array<int, 7> kCheckLines{1600, 1608, 1616, 1622, 1627, 1634, 1640};
    static constexpr std::array<UINT, 2> kStructureIds{1930, 1931};

    static Level ElementLevel(const PxPtr<Record>& record, int s);
    static std::array<Limits, kNumberCount> NumberLimits(const PxPtr<Record>& record);
    static Limits PopulationLimits(const PxPtr<Record>& record);
    static unsigned TablespaceLength(const PxPtr<Record>& record) { return record->GetMaxLengthBSTablespace(); }
    static unsigned ScaLength(const PxPtr<Record>& record) { return record->GetMaxLengthBSSQLsca(); }
    static unsigned NonscaLength(const PxPtr<Record>& record) { return record->GetMaxLengthBSSQLnonsca(); }
    // The element's own pack, shown at the table: the event set.
    static TextOption ElementPack(const PxPtr<Record>& record);
    static NumberOption ElementExpected(const PxPtr<Record>& record);
};

struct ComponentTraits {
    using Record = PxUnixCompOptions;
    static constexpr int kStructures = 2;
    static constexpr bool kHasCalculation = false;
    static constexpr bool kChecksPack = true;
    static constexpr bool kExpectedFromElement = true;
    static constexpr int kPopulationDigits = 8;
    static constexpr const char* kSourceName = "VqsOptionPageUnixComponent";
    static constexpr std::array<int, 7> kCheckLines{614, 622, 630, 636, 641, 648, 654};
    static constexpr std::array<UINT, 2> kStructureIds{1925, 1926};

    static Level ElementLevel(const PxPtr<Record>& record, int s);
    static std::array<Limits, kNumberCount> NumberLimits(const PxPtr<Record>& record);
    static Limits PopulationLimits(const PxPtr<Record>& record);
    static unsigned TablespaceLength(const PxPtr<Record>& record) { return record->GetMaxLengthComponentTablespace(); }
    static unsigned ScaLength(const PxPtr<Record>& record) { return record->GetMaxLengthCompSQLsca(); }
    static unsigned NonscaLength(const PxPtr<Record>& record) { return record->GetMaxLengthCompSQLnonsca(); }
    static TextOption ElementPack(const PxPtr<Record>& record);
    static NumberOption ElementExpected(const PxPtr<Record>& record);
};

struct ProfileTraits {
    using Record = PxUnixProfileOptions;
    static constexpr int kStructures = 3;
    static constexpr bool kHasCalculation = false;
    static constexpr bool kChecksPack = false;
    static constexpr bool kExpectedFromElement = true;
    static constexpr int kPopulationDigits = 8;
    static constexpr const char* kSourceName = "VqsOptionPageUnixProfile";
    static constexpr std::array<int, 7> kCheckLines{496, 504, 512, 518, 523, 530, 0};
    static constexpr std::array<UINT, 3> kStructureIds{1938, 1939, 1940};

    static Level ElementLevel(const PxPtr<Record>& record, int s);
    static std::array<Limits, kNumberCount> NumberLimits(const PxPtr<Record>& record);
    static Limits PopulationLimits(const PxPtr<Record>& record);
    static unsigned TablespaceLength(const PxPtr<Record>& record) { return record->GetMaxLengthProfileTablespace(); }
    static unsigned ScaLength(const PxPtr<Record>& record) { return record->GetMaxLengthProfSQLsca(); }
    static unsigned NonscaLength(const PxPtr<Record>& record) { return record->GetMaxLengthProfSQLnonsca(); }
    static TextOption ElementPack(const PxPtr<Record>& record);
    static NumberOption ElementExpected(const PxPtr<Record>& record);
};

} // namespace vqsstorage
