// Decimal integers typed into edits: what the integer binder and the 64-bit exchange
// routine read, and how they write a number back.
#pragma once

#include "win/CString.h"

enum class VqsIntegerParse { Number, Blank, SignOnly, NotANumber, Overflow };

// A decimal number with an optional sign and blanks around it, and nothing else; a sign
// alone is the start of a number. `number` is set only for Number.
VqsIntegerParse VqsParseInteger(const std::string& text, LONGLONG& number);
CString VqsFormatInteger(LONGLONG number);
