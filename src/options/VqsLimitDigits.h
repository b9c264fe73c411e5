// The digit limit of a number edit whose option the record bounds above.
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
