// The digit limit of a number edit whose option the record bounds above.
#pragma once

#include "shell/VqsOptCtrlInt.h"

#include <cstdint>

// The edit takes at most `digits` characters when the record bounds the option above.
template <class Record>
void LimitDigits(VqsOptCtrlInt& binder, const Record& record, BOOL (Record::*upperLimit)(std::int64_t&) const,
                 int digits)
{
    std::int64_t upper = 0;
    if ((record.*upperLimit)(upper))
        binder.SetTextLimit(digits, 0);
}
