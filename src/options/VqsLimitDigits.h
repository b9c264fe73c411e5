// The limits a record sets on the number edits of its options: the digits an edit takes
// while its option is bounded above, and the bounds themselves.
#pragma once

#include "shell/VqsOptCtrlInt.h"

#include <cstddef>
#include <cstdint>

// The edit takes at most `digits` characters when the record bounds the option above.
template <class Record, class Owner>
void LimitDigits(VqsOptCtrlInt& binder, const Record& record, BOOL (Owner::*upperLimit)(std::int64_t&) const,
                 int digits)
{
    std::int64_t upper = 0;
    if ((record.*upperLimit)(upper))
        binder.SetTextLimit(digits, 0);
}

// A number edit, the upper limit of its option and the characters it takes while bounded.
template <class Record>
struct DigitLimit {
    VqsOptCtrlInt& edit;
    BOOL (Record::*upperLimit)(std::int64_t&) const;
    int digits;
};

// Limits every edit of `limits` whose option the record bounds above.
template <class Record, std::size_t N>
void LimitDigits(const Record& record, const DigitLimit<Record> (&limits)[N])
{
    for (const DigitLimit<Record>& limit : limits)
        LimitDigits(limit.edit, record, limit.upperLimit, limit.digits);
}

// A number edit and the record's lower and upper limits of its option.
template <class Record>
struct NumberBounds {
    VqsOptCtrlInt& edit;
    BOOL (Record::*lowerLimit)(std::int64_t&) const;
    BOOL (Record::*upperLimit)(std::int64_t&) const;
};

// Gives every edit of `bounds` the limits the record sets on its option.
template <class Record, std::size_t N>
void ApplyBounds(const Record& record, const NumberBounds<Record> (&bounds)[N])
{
    for (const NumberBounds<Record>& bound : bounds) {
        std::int64_t limit = 0;
        if ((record.*bound.lowerLimit)(limit))
            bound.edit.SetMinimum(limit);
        if ((record.*bound.upperLimit)(limit))
            bound.edit.SetMaximum(limit);
    }
}
