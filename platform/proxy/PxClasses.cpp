// The class table: every repository class a stored object may name. A new class gets a row.
#include "proxy/PxClass.h"

#include "proxy/PxLSEEnterprise.h"
#include "proxy/PxVQEnterprise.h"

#include <string_view>
#include <unordered_map>

const PxClassInfo* PxFindClass(const char* className)
{
    static const std::unordered_map<std::string_view, const PxClassInfo*> byName = [] {
        const PxClassInfo* const classes[] = {
            &PxObject::ClassInfo(),
            &PxVQObject::ClassInfo(),
            &PxVQEnterprise::ClassInfo(),
            &PxLSEObject::ClassInfo(),
            &PxLSEEnterprise::ClassInfo(),
        };
        std::unordered_map<std::string_view, const PxClassInfo*> map;
        for (const PxClassInfo* info : classes)
            map.emplace(info->name, info);
        return map;
    }();
    if (!className)
        return nullptr;
    auto found = byName.find(className);
    return found == byName.end() ? nullptr : found->second;
}
