// Loads a resource library (from VQ_RESOURCES, or from `root`) and installs it for the scope;
// points VQ_RESOURCES at another folder for the scope.
#pragma once

#include "win/ResourceLibrary.h"

#include <cstdlib>
#include <string>

namespace vqtest {

// A folder of the source tree (VQ_SOURCE), such as "tests/shell/resources".
inline std::string SourceFolder(const std::string& relative)
{
    const char* source = std::getenv("VQ_SOURCE");
    return std::string(source ? source : ".") + "/" + relative;
}

// Makes resource libraries be found below `root` (VQ_RESOURCES) for the scope.
class ScopedResourceRoot {
public:
    explicit ScopedResourceRoot(const std::string& root)
    {
        if (const char* previous = std::getenv("VQ_RESOURCES"))
            m_previous = previous;
        setenv("VQ_RESOURCES", root.c_str(), 1);
    }
    ~ScopedResourceRoot()
    {
        if (m_previous.empty())
            unsetenv("VQ_RESOURCES");
        else
            setenv("VQ_RESOURCES", m_previous.c_str(), 1);
    }
    ScopedResourceRoot(const ScopedResourceRoot&) = delete;
    ScopedResourceRoot& operator=(const ScopedResourceRoot&) = delete;

private:
    std::string m_previous;
};

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
