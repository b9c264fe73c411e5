// The description of one option of a record class: one row of the class's field table
// (see README.md, "Option records"). The engine in PxOptions reads and writes options
// through these descriptions; the typed accessors only name the row.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

enum class PxOptionType {
    Number, // 64-bit signed
    Flag,   // int: 0/1 and small numbered choices
    Char,   // one character
    Text,   // a string with a maximum length
    Enum,   // an enumeration of the library, kept as its number
};

// Where an option's default (its value while the record holds none of its own) comes from.
struct PxOptionDefault {
    enum Rule {
        Value,         // the number or text of the row
        SegmentName,   // the name of the record's business segment
        InitialPack,   // the initial pack name of the business segment for the record's
                       // host type, of the pack kind in `number` (1 path, 2 Tablespace/Filegroup)
        FromSegment,   // the value in force of the option named `text` in the business
                       // segment's record of the same option set
        FromOption,    // the value in force of the option named `text` in the same record
        ByIndex,       // the number at the option's index in the blank-separated list `text`
        None,          // no default: reading the option without an own value throws
    };

    Rule rule = Value;
    std::int64_t number = 0;
    const char* text = "";

    constexpr PxOptionDefault(const char* value) : text(value) {}
    template <class T>
        requires std::is_integral_v<T> || std::is_enum_v<T>
    constexpr PxOptionDefault(T value) : number(static_cast<std::int64_t>(value))
    {
    }
    constexpr PxOptionDefault(Rule how, std::int64_t value, const char* name) : rule(how), number(value), text(name) {}
};

constexpr PxOptionDefault PxDefaultSegmentName() { return {PxOptionDefault::SegmentName, 0, ""}; }
constexpr PxOptionDefault PxDefaultInitialPack(int packKind) { return {PxOptionDefault::InitialPack, packKind, ""}; }
// `options` names one option, or several separated by ",", each with an optional index
// ("DefService,DefServices[0]"); the first that the record declares gives the value.
constexpr PxOptionDefault PxDefaultFromSegment(const char* options) { return {PxOptionDefault::FromSegment, 0, options}; }
constexpr PxOptionDefault PxDefaultFromOption(const char* options) { return {PxOptionDefault::FromOption, 0, options}; }
// `numbers` holds one number per index, separated by blanks ("10000 10000 4000").
constexpr PxOptionDefault PxDefaultByIndex(const char* numbers) { return {PxOptionDefault::ByIndex, 0, numbers}; }
constexpr PxOptionDefault PxNoDefault() { return {PxOptionDefault::None, 0, ""}; }

struct PxOptionLimit {
    bool present = false;
    std::int64_t value = 0;
};

#define PX_NO_LIMIT (PxOptionLimit{})
#define PX_LIMIT(value) (PxOptionLimit{true, (value)})

struct PxOptionField {
    const char* name; // the option's name as in its accessors ("DefPack")
    PxOptionType type;
    int indexCount; // 0: one value; n: values for indexes 0 to n-1
    PxOptionDefault initial;
    PxOptionLimit lower; // numbers
    PxOptionLimit upper;
    unsigned maxLength; // texts; 0: no limit
    // An alias gives the options of another row a second name: its index i is the other
    // row's index i + aliasOffset, and value, default and limits are the other row's.
    const PxOptionField* aliasOf = nullptr;
    int aliasOffset = 0;
};

// The options one record class declares itself (its bases' are in their own tables).
struct PxOptionTable {
    const PxOptionField* const* fields;
    std::size_t count;
};
