// Loads a resource library from VQ_RESOURCES and installs it for the scope.
#pragma once

#include "win/ResourceLibrary.h"

namespace vqtest {

class ScopedResourceLibrary {
public:
    explicit ScopedResourceLibrary(const std::string& name = "vqsysres")
        : m_previous(vqres::CurrentResourceLibrary())
    {
        vqres::InstallResourceLibrary(vqres::ResourceLibrary::Load(name));
    }
    ~ScopedResourceLibrary() { vqres::InstallResourceLibrary(m_previous); }
    ScopedResourceLibrary(const ScopedResourceLibrary&) = delete;
    ScopedResourceLibrary& operator=(const ScopedResourceLibrary&) = delete;

private:
    std::shared_ptr<const vqres::ResourceLibrary> m_previous;
};

} // namespace vqtest
