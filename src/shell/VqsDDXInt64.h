// Data exchange of a 64-bit integer with an edit, on the rules of the integer binder: blank
// text reads as the minimum (or a negative maximum, or 0), a number outside the bounds is
// refused unless the range is not to be checked.
#pragma once

#include "win/Types.h"

class CDataExchange;

void VqsDDXInt64(CDataExchange* pDX, int controlId, LONGLONG& value, BOOL hasMinimum, LONGLONG minimum,
                 BOOL hasMaximum, LONGLONG maximum, BOOL noRangeCheck);
