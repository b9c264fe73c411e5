// Loads a resource library from VQ_RESOURCES (or from a folder of the source tree, such as
// "tests/shell/resources") and installs it for the scope.
#pragma once

#include "win/ResourceLibrary.h"

#include <cstdlib>

namespace vqtest {

class ScopedResourceLibrary {
public:
    explicit ScopedResourceLibrary(const std::string& name = "vqsysres", const std::string& sourceFolder = {})
        : m_previous(vqres::CurrentResourceLibrary())
    {
        vqres::InstallResourceLibrary(vqres::ResourceLibrary::Load(name, Root(sourceFolder)));
    }
    ~ScopedResourceLibrary() { vqres::InstallResourceLibrary(m_previous); }
    ScopedResourceLibrary(const ScopedResourceLibrary&) = delete;
    ScopedResourceLibrary& operator=(const ScopedResourceLibrary&) = delete;

private:
    static std::string Root(const std::string& sourceFolder)
    {
        if (sourceFolder.empty())
            return {};
        const char* source = std::getenv("VQ_SOURCE");
        return std::string(source ? source : ".") + "/" + sourceFolder;
    }

    std::shared_ptr<const vqres::ResourceLibrary> m_previous;
};

} // namespace vqtest
