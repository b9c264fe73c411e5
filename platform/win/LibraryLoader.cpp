#include "win/LibraryLoader.h"

#include "win/ResourceLibrary.h"

#include <sys/uio.h>
#include <unistd.h>

#include <cerrno>
#include <algorithm>
#include <cstring>
#include <map>
#include <mutex>
#include <string>

namespace {

std::mutex g_mutex;
std::map<HINSTANCE, std::shared_ptr<const vqres::ResourceLibrary>> g_loaded;
HINSTANCE g_resourceHandle = nullptr;
std::uintptr_t g_nextHandle = 0x1000;

constexpr std::size_t kPageSize = 4096;

thread_local std::string t_lastLoadError;

// Copies bytes of our own address space without touching them directly, so that memory
// the process cannot read answers EFAULT instead of a fault. Where the kernel refuses the
// call itself, the memory is taken as readable.
bool CopyReadable(const void* address, void* out, std::size_t size)
{
    iovec local{out, size};
    iovec remote{const_cast<void*>(address), size};
    const ssize_t copied = process_vm_readv(getpid(), &local, 1, &remote, 1, 0);
    if (copied >= 0)
        return static_cast<std::size_t>(copied) == size;
    if (errno == EFAULT)
        return false;
    std::memcpy(out, address, size);
    return true;
}

// Bytes from `address` to the end of its page.
std::size_t RestOfPage(const char* address)
{
    return kPageSize - reinterpret_cast<std::uintptr_t>(address) % kPageSize;
}

} // namespace

HINSTANCE AfxLoadLibrary(LPCTSTR name)
{
    if (!AfxIsValidString(name)) {
        t_lastLoadError = "the resource library name is not a readable text";
        return nullptr;
    }
    std::shared_ptr<const vqres::ResourceLibrary> library;
    try {
        library = vqres::ResourceLibrary::Load(name);
    } catch (const vqres::ResourceError& error) {
        t_lastLoadError = error.what();
        return nullptr;
    }
    t_lastLoadError.clear();
    std::lock_guard lock(g_mutex);
    auto handle = reinterpret_cast<HINSTANCE>(g_nextHandle++);
    g_loaded.emplace(handle, std::move(library));
    return handle;
}

BOOL AfxFreeLibrary(HINSTANCE library)
{
    bool wasResourceHandle = false;
    {
        std::lock_guard lock(g_mutex);
        if (!g_loaded.erase(library))
            return FALSE;
        if (g_resourceHandle == library) {
            g_resourceHandle = nullptr;
            wasResourceHandle = true;
        }
    }
    if (wasResourceHandle)
        vqres::InstallResourceLibrary(nullptr);
    return TRUE;
}

void AfxSetResourceHandle(HINSTANCE library)
{
    std::shared_ptr<const vqres::ResourceLibrary> installed;
    {
        std::lock_guard lock(g_mutex);
        auto found = g_loaded.find(library);
        g_resourceHandle = found != g_loaded.end() ? library : nullptr;
        if (g_resourceHandle)
            installed = found->second;
    }
    vqres::InstallResourceLibrary(std::move(installed));
}

HINSTANCE AfxGetResourceHandle()
{
    std::lock_guard lock(g_mutex);
    return g_resourceHandle;
}

namespace vqwin {

CString LastLibraryLoadError() { return CString(t_lastLoadError); }

} // namespace vqwin

BOOL AfxIsValidString(LPCSTR text, int length)
{
    if (!text)
        return FALSE;
    char chunk[kPageSize];
    std::size_t remaining = length < 0 ? SIZE_MAX : static_cast<std::size_t>(length);
    for (const char* at = text; remaining > 0;) {
        std::size_t size = std::min(RestOfPage(at), remaining);
        if (!CopyReadable(at, chunk, size))
            return FALSE;
        if (length < 0 && std::memchr(chunk, '\0', size))
            return TRUE;
        at += size;
        remaining -= size;
    }
    return TRUE;
}
