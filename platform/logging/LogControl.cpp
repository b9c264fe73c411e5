#include "logging/LogControl.h"

VquLogCntrl g_VquLogCntrl;

void VquLogCntrl::SetIniPath(const char* path) { m_iniPath = path; }
