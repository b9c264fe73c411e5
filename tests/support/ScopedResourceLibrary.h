// Loads a resource library (from VQ_RESOURCES, or from `root`) and installs it for the scope.
#pragma once

#include "win/ResourceLibrary.h"

#include <cstdlib>

namespace vqtest {

// A folder of the source tree (VQ_SOURCE), such as "tests/shell/resources".
inline std::string SourceFolder(const std::string& relative)
{
    const char* source = std::getenv("VQ_SOURCE");
    return std::string(source ? source : ".") + "/" + relative;
}

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
