#include "HostModule.h"

#include <dlfcn.h>

HostModule::~HostModule() { Unload(); }

bool HostModule::Load(const std::string& path, std::string& error)
{
    m_library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!m_library) {
        error = dlerror();
        return false;
    }
#define VQS_FIND_CALL(call)                                                                                            \
    call = reinterpret_cast<decltype(call)>(dlsym(m_library, #call));                                                  \
    if (!call) {                                                                                                       \
        error = "the module has no call " #call;                                                                       \
        Unload();                                                                                                      \
        return false;                                                                                                  \
    }
    VQS_EXPORTED_CALLS(VQS_FIND_CALL)
#undef VQS_FIND_CALL
    return true;
}

void HostModule::Unload()
{
    if (!m_library)
        return;
    dlclose(m_library);
    m_library = nullptr;
#define VQS_FORGET_CALL(call) call = nullptr;
    VQS_EXPORTED_CALLS(VQS_FORGET_CALL)
#undef VQS_FORGET_CALL
}
