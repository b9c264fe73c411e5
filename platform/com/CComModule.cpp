#include "com/CComModule.h"

#include "com/CComObject.h"
#include "com/ComRegistry.h"

#include <dlfcn.h>

namespace {

constexpr int kGuidCapacity = 40;

CString GuidText(REFGUID guid)
{
    char text[kGuidCapacity];
    StringFromGUID2(guid, text, sizeof text);
    return text;
}

bool WriteValue(const CString& key, const char* name, const char* value)
{
    return vqcom::SetRegistryValue(key, name, value) != FALSE;
}

bool WriteProgId(const char* progId, const char* description, const CString& clsid, const char* currentVersion)
{
    const CString key = progId;
    bool written = WriteValue(key, nullptr, description) && WriteValue(key + "\\CLSID", nullptr, clsid);
    if (currentVersion)
        written = written && WriteValue(key + "\\CurVer", nullptr, currentVersion);
    return written;
}

} // namespace

namespace vqcom {

HRESULT QueryFromMap(void* object, const ATL_INTMAP_ENTRY* entries, std::size_t count, REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    for (std::size_t i = 0; i < count; ++i) {
        if (i == 0 ? (iid == IID_IUnknown || iid == *entries[i].piid) : iid == *entries[i].piid) {
            IUnknown* found = entries[i].cast(object);
            found->AddRef();
            *out = found;
            return S_OK;
        }
    }
    return E_NOINTERFACE;
}

} // namespace vqcom

HRESULT CComModule::Init(ATL_OBJMAP_ENTRY* objectMap, HINSTANCE instance)
{
    m_pObjMap = objectMap;
    m_hInst = instance;
    return S_OK;
}

void CComModule::Term()
{
    RevokeClassObjects();
    m_pObjMap = nullptr;
}

HRESULT CComModule::RegisterServer()
{
    if (!m_pObjMap)
        return E_UNEXPECTED;
    for (ATL_OBJMAP_ENTRY* entry = m_pObjMap; entry->pclsid; ++entry) {
        const HRESULT result = entry->pfnUpdateRegistry(*this);
        if (FAILED(result))
            return result;
    }
    return S_OK;
}

HRESULT CComModule::RegisterClassObjects(DWORD context, DWORD flags)
{
    if (!m_pObjMap)
        return E_UNEXPECTED;
    for (ATL_OBJMAP_ENTRY* entry = m_pObjMap; entry->pclsid; ++entry) {
        if (entry->dwRegister)
            continue;
        IUnknown* classObject = nullptr;
        HRESULT result = entry->pfnGetClassObject(IID_IUnknown, reinterpret_cast<void**>(&classObject));
        if (SUCCEEDED(result)) {
            result = CoRegisterClassObject(*entry->pclsid, classObject, context, flags, &entry->dwRegister);
            classObject->Release();
        }
        if (FAILED(result))
            return result;
    }
    return S_OK;
}

HRESULT CComModule::RevokeClassObjects()
{
    if (!m_pObjMap)
        return S_OK;
    for (ATL_OBJMAP_ENTRY* entry = m_pObjMap; entry->pclsid; ++entry) {
        if (entry->dwRegister) {
            CoRevokeClassObject(entry->dwRegister);
            entry->dwRegister = 0;
        }
    }
    return S_OK;
}

HRESULT CComModule::UpdateRegistryClass(REFCLSID clsid, LPCSTR progId, LPCSTR versionIndependentProgId,
                                        LPCSTR description, DWORD flags)
{
    const CString clsidText = GuidText(clsid);
    const CString classKey = "CLSID\\" + clsidText;
    const CString serverKey = classKey + "\\LocalServer32";
    const bool written =
        WriteProgId(progId, description, clsidText, nullptr) &&
        WriteProgId(versionIndependentProgId, description, clsidText, progId) &&
        WriteValue(classKey, nullptr, description) && WriteValue(classKey + "\\ProgID", nullptr, progId) &&
        WriteValue(classKey + "\\VersionIndependentProgID", nullptr, versionIndependentProgId) &&
        WriteValue(serverKey, nullptr, GetModuleFileName()) &&
        WriteValue(serverKey, "ThreadingModel", (flags & THREADFLAGS_APARTMENT) ? "Apartment" : "Single");
    return written ? S_OK : E_FAIL;
}

CString CComModule::GetModuleFileName() const
{
    Dl_info info{};
    if (!m_pObjMap || !dladdr(m_pObjMap, &info) || !info.dli_fname)
        return {};
    return info.dli_fname;
}
