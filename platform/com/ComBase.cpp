#include "com/ComBase.h"

#include "com/ComRegistry.h"

#include <cstdio>
#include <cstring>
#include <map>
#include <mutex>

const IID IID_IUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID IID_IClassFactory = {0x00000001, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

namespace {

constexpr int kGuidTextLength = 38;

struct ClassObject {
    CLSID clsid;
    IUnknown* object;
};

std::mutex g_mutex;
std::map<DWORD, ClassObject> g_classObjects;
DWORD g_nextCookie = 1;

thread_local int t_initializeCount = 0;

CString ClassKey(REFCLSID clsid)
{
    char text[kGuidTextLength + 1];
    StringFromGUID2(clsid, text, sizeof text);
    return CString("CLSID\\") + text;
}

IUnknown* FindClassObject(REFCLSID clsid)
{
    std::lock_guard lock(g_mutex);
    for (auto& [cookie, entry] : g_classObjects) {
        if (entry.clsid == clsid) {
            entry.object->AddRef();
            return entry.object;
        }
    }
    return nullptr;
}

} // namespace

int StringFromGUID2(REFGUID guid, LPSTR buffer, int size)
{
    if (!buffer || size <= kGuidTextLength)
        return 0;
    std::snprintf(buffer, static_cast<std::size_t>(size), "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  guid.Data1, guid.Data2, guid.Data3, guid.Data4[0], guid.Data4[1], guid.Data4[2], guid.Data4[3],
                  guid.Data4[4], guid.Data4[5], guid.Data4[6], guid.Data4[7]);
    return kGuidTextLength + 1;
}

HRESULT CLSIDFromString(LPCSTR text, CLSID* clsid)
{
    if (!clsid)
        return E_POINTER;
    unsigned parts[11];
    int consumed = 0;
    if (!text || std::strlen(text) != kGuidTextLength ||
        std::sscanf(text, "{%8x-%4x-%4x-%2x%2x-%2x%2x%2x%2x%2x%2x}%n", &parts[0], &parts[1], &parts[2], &parts[3],
                    &parts[4], &parts[5], &parts[6], &parts[7], &parts[8], &parts[9], &parts[10],
                    &consumed) != 11 ||
        consumed != kGuidTextLength)
        return CO_E_CLASSSTRING;
    clsid->Data1 = parts[0];
    clsid->Data2 = static_cast<WORD>(parts[1]);
    clsid->Data3 = static_cast<WORD>(parts[2]);
    for (int i = 0; i < 8; ++i)
        clsid->Data4[i] = static_cast<BYTE>(parts[3 + i]);
    return S_OK;
}

HRESULT CLSIDFromProgID(LPCSTR progId, CLSID* clsid)
{
    if (!progId || !clsid)
        return E_POINTER;
    const CString text = vqcom::GetRegistryValue(CString(progId) + "\\CLSID", nullptr);
    if (text.IsEmpty())
        return CO_E_CLASSSTRING;
    return CLSIDFromString(text, clsid);
}

HRESULT CoInitialize(LPVOID)
{
    return t_initializeCount++ == 0 ? S_OK : S_FALSE;
}

void CoUninitialize()
{
    if (t_initializeCount > 0)
        --t_initializeCount;
}

HRESULT CoRegisterClassObject(REFCLSID clsid, IUnknown* classObject, DWORD, DWORD flags, DWORD* cookie)
{
    if (t_initializeCount == 0)
        return CO_E_NOTINITIALIZED;
    if (!classObject || !cookie)
        return E_POINTER;
    if (flags != REGCLS_MULTIPLEUSE)
        return E_NOTIMPL;
    classObject->AddRef();
    std::lock_guard lock(g_mutex);
    *cookie = g_nextCookie++;
    g_classObjects.emplace(*cookie, ClassObject{clsid, classObject});
    return S_OK;
}

HRESULT CoRevokeClassObject(DWORD cookie)
{
    IUnknown* object = nullptr;
    {
        std::lock_guard lock(g_mutex);
        auto found = g_classObjects.find(cookie);
        if (found == g_classObjects.end())
            return CO_E_OBJNOTREG;
        object = found->second.object;
        g_classObjects.erase(found);
    }
    object->Release();
    return S_OK;
}

HRESULT CoGetClassObject(REFCLSID clsid, DWORD, LPVOID, REFIID iid, LPVOID* object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (t_initializeCount == 0)
        return CO_E_NOTINITIALIZED;
    IUnknown* classObject = FindClassObject(clsid);
    if (!classObject)
        return vqcom::GetRegistryValue(ClassKey(clsid), nullptr).IsEmpty() ? REGDB_E_CLASSNOTREG
                                                                         : CO_E_SERVER_EXEC_FAILURE;
    const HRESULT result = classObject->QueryInterface(iid, object);
    classObject->Release();
    return result;
}

HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD context, REFIID iid, LPVOID* object)
{
    if (!object)
        return E_POINTER;
    IClassFactory* factory = nullptr;
    HRESULT result = CoGetClassObject(clsid, context, nullptr, IID_IClassFactory, reinterpret_cast<LPVOID*>(&factory));
    if (FAILED(result))
        return result;
    result = factory->CreateInstance(outer, iid, object);
    factory->Release();
    return result;
}
