#include "win/ModuleResources.h"

#include "win/CString.h"
#include "win/ResourceLibrary.h"

#include <atomic>

namespace vqres {

namespace {
std::atomic<const ModuleResources*> g_moduleResources{nullptr};
}

void SetModuleResources(const ModuleResources* resources)
{
    g_moduleResources.store(resources);
    AfxSetStringLoader(LoadResourceString);
}

const char* FindModuleString(UINT id)
{
    const ModuleResources* resources = g_moduleResources.load();
    if (!resources)
        return nullptr;
    for (const ModuleString& entry : resources->strings) {
        if (entry.id == id)
            return entry.text;
    }
    return nullptr;
}

const ModuleAcceleratorTable* FindModuleAccelerators(UINT id)
{
    const ModuleResources* resources = g_moduleResources.load();
    if (!resources)
        return nullptr;
    for (const ModuleAcceleratorTable& table : resources->accelerators) {
        if (table.id == id)
            return &table;
    }
    return nullptr;
}

BOOL LoadResourceString(UINT id, CString& out)
{
    if (std::shared_ptr<const ResourceLibrary> library = CurrentResourceLibrary()) {
        if (const CString* text = library->FindString(id)) {
            out = *text;
            return TRUE;
        }
    }
    if (const char* text = FindModuleString(id)) {
        out = text;
        return TRUE;
    }
    out.Empty();
    return FALSE;
}

} // namespace vqres
