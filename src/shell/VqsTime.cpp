#include "shell/VqsTime.h"

#include <ctime>

void FormatTime64(__time64_t time, CString& out, LPCTSTR format)
{
    char buffer[128];
    struct tm* local = _localtime64(&time);
    if (!local || !format || std::strftime(buffer, sizeof buffer, format, local) == 0) {
        out.Empty();
        return;
    }
    out = buffer;
}
