#include "proxy/PxClass.h"

#include <cstring>

bool PxClassInfo::IsKindOf(const char* className) const
{
    for (const PxClassInfo* info = this; info; info = info->base) {
        if (std::strcmp(info->name, className) == 0)
            return true;
        if (info->base2 && info->base2->IsKindOf(className))
            return true;
    }
    return false;
}

int PxClassInfo::ObjectKind() const
{
    for (const PxClassInfo* info = this; info; info = info->base)
        if (info->objectKind != 0)
            return info->objectKind;
    return 0;
}
