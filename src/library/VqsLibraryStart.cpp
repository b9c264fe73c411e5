// The module lives from the library's load to its unload, and leaves nothing it made behind.
#include "logging/LogControl.h"
#include "shell/VqsModuleStartup.h"

namespace {

struct VqsLibraryLifetime {
    VqsLibraryLifetime() { VqsStartModule(); }
    ~VqsLibraryLifetime()
    {
        VqsEndModule();
        g_VquLogCntrl.SetIniPath(nullptr);
    }
};

VqsLibraryLifetime g_lifetime;

} // namespace
