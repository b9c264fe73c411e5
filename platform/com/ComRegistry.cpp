#include "com/ComRegistry.h"

#include "win/PrivateProfile.h"
#include "win/TemporaryFolder.h"

#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <optional>

namespace {

constexpr DWORD kValueCapacity = 4096;

std::mutex g_mutex;
std::optional<CString> g_file;

CString DefaultRegistryFile()
{
    if (const char* file = std::getenv("VQ_COM_REGISTRY"); file && *file)
        return file;
    std::filesystem::path folder;
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config)
        folder = config;
    else if (const char* home = std::getenv("HOME"); home && *home)
        folder = std::filesystem::path(home) / ".config";
    else
        folder = vqwin::TemporaryFolder();
    return CString((folder / "vqsys" / "com-registry.ini").string());
}

const char* ValueName(const char* name) { return name && *name ? name : "@"; }

} // namespace

namespace vqcom {

void SetRegistryFile(const char* path)
{
    std::lock_guard lock(g_mutex);
    if (path)
        g_file = CString(path);
    else
        g_file.reset();
}

CString RegistryFile()
{
    std::lock_guard lock(g_mutex);
    return g_file ? *g_file : DefaultRegistryFile();
}

BOOL SetRegistryValue(const char* key, const char* name, const char* value)
{
    const CString file = RegistryFile();
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(file.str()).parent_path(), ignored);
    return WritePrivateProfileStringA(key, ValueName(name), value ? value : "", file);
}

CString GetRegistryValue(const char* key, const char* name)
{
    CString value;
    GetPrivateProfileStringA(key, ValueName(name), "", value.GetBuffer(kValueCapacity), kValueCapacity,
                             RegistryFile());
    value.ReleaseBuffer();
    return value;
}

ScopedRegistryFile::ScopedRegistryFile(const char* path)
{
    {
        std::lock_guard lock(g_mutex);
        m_hadPrevious = g_file.has_value();
        if (m_hadPrevious)
            m_previous = *g_file;
    }
    SetRegistryFile(path);
}

ScopedRegistryFile::~ScopedRegistryFile() { SetRegistryFile(m_hadPrevious ? m_previous.GetString() : nullptr); }

} // namespace vqcom
