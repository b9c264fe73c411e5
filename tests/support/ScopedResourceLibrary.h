// Loads a resource library (from VQ_RESOURCES, or from `root`) and installs it for the scope.
#pragma once

#include "win/ResourceLibrary.h"

namespace vqtest {

class ScopedResourceLibrary {
public:
    explicit ScopedResourceLibrary(const std::string& name = "vqsysres", const std::string& root = {})
        : m_previous(vqres::CurrentResourceLibrary())
    {
        vqres::InstallResourceLibrary(vqres::ResourceLibrary::Load(name, root));
    }
    ~ScopedResourceLibrary() { vqres::InstallResourceLibrary(m_previous); }
    ScopedResourceLibrary(const ScopedResourceLibrary&) = delete;
    ScopedResourceLibrary& operator=(const ScopedResourceLibrary&) = delete;

private:
    std::shared_ptr<const vqres::ResourceLibrary> m_previous;
};

} // namespace vqtest
