// The module lives from the library's load to its unload.
#include "shell/VqsModuleStartup.h"

namespace {

struct VqsLibraryLifetime {
    VqsLibraryLifetime() { VqsStartModule(); }
    ~VqsLibraryLifetime() { VqsEndModule(); }
};

VqsLibraryLifetime g_lifetime;

} // namespace
