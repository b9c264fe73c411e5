// Formatting of 64-bit times.
#pragma once

#include "win/Clock.h"
#include "win/CString.h"

// The local time by a strftime format; empty when the time cannot be converted or the
// result does not fit 127 characters.
void FormatTime64(__time64_t time, CString& out, LPCTSTR format);
