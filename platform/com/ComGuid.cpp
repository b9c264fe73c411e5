#include "com/ComGuid.h"

#include <atomic>
#include <cstring>
#include <fstream>

namespace {

std::atomic<int> g_failures{0};

bool ReadRandomBytes(void* buffer, std::size_t size)
{
    std::ifstream source("/dev/urandom", std::ios::binary);
    return source.read(static_cast<char*>(buffer), static_cast<std::streamsize>(size)).good();
}

} // namespace

HRESULT CoCreateGuid(GUID* guid)
{
    if (!guid)
        return E_POINTER;
    if (g_failures.load() > 0)
        return E_FAIL;
    unsigned char bytes[sizeof(GUID)];
    if (!ReadRandomBytes(bytes, sizeof bytes))
        return E_FAIL;
    bytes[7] = static_cast<unsigned char>((bytes[7] & 0x0F) | 0x40);
    bytes[8] = static_cast<unsigned char>((bytes[8] & 0x3F) | 0x80);
    std::memcpy(guid, bytes, sizeof bytes);
    return S_OK;
}

namespace vqcom {

ScopedGuidFailure::ScopedGuidFailure() { ++g_failures; }

ScopedGuidFailure::~ScopedGuidFailure() { --g_failures; }

} // namespace vqcom
