// Stand-in for the logging library: the module tells it which settings file to read, and the
// repository library writes its own lines through it.
#pragma once

#include "win/CString.h"

class VquLogCntrl {
public:
    void SetIniPath(const char* path);
    CString GetIniPath() const;
    // Appends one line, "<local time> <level> <text>", to the log file the settings name (the key
    // "File" of the section "Logging"); without one, to standard error. It may be called to the
    // process's very end, after the library's own static objects have gone.
    void Write(const char* level, const char* text) const;
};

extern VquLogCntrl g_VquLogCntrl;
