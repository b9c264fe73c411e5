#include "shell/VqsModuleResources.h"

namespace {

const ModuleString kStrings[] = {
    {61481, "Configuration error: no resource library is found."},
    {61482, "Internal error: Session starts with no resource specification."},
    {61483, "Internal error: Attempt to open another Repository session."},
    {61484, "Cannot open system link."},
};

const ModuleResources kResources{kStrings, {}};

} // namespace

const ModuleResources& VqsGetModuleResources() { return kResources; }
