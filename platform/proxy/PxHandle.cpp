#include "proxy/PxHandle.h"

#include <cerrno>
#include <cstdlib>

CString PxHandle::GetDisplayString(int) const
{
    CString text;
    text.Format("#%lld", static_cast<long long>(m_oid));
    return text;
}

PxHandle PxHandle::FromDisplayString(const char* text)
{
    if (!text || text[0] != '#' || text[1] < '1' || text[1] > '9')
        return PxHandle();
    errno = 0;
    char* end = nullptr;
    long long oid = std::strtoll(text + 1, &end, 10);
    if (errno != 0 || *end != '\0')
        return PxHandle();
    return PxHandle(oid);
}
