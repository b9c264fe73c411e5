// Stand-in for the logging library: the module only tells it which settings file to read.
#pragma once

#include "win/CString.h"

class VquLogCntrl {
public:
    void SetIniPath(const char* path);
    const CString& GetIniPath() const { return m_iniPath; }

private:
    CString m_iniPath;
};

extern VquLogCntrl g_VquLogCntrl;
