// The core of COM: identifiers, results, IUnknown and IClassFactory, and the class objects
// that a running process offers by class id.
#pragma once

#include "win/Types.h"

using IID = GUID;
using CLSID = GUID;
using REFGUID = const GUID&;
using REFIID = const IID&;
using REFCLSID = const CLSID&;

inline BOOL IsEqualGUID(REFGUID a, REFGUID b) { return a == b; }
inline BOOL IsEqualIID(REFIID a, REFIID b) { return a == b; }
inline BOOL IsEqualCLSID(REFCLSID a, REFCLSID b) { return a == b; }

constexpr HRESULT E_NOTIMPL = static_cast<HRESULT>(0x80004001u);
constexpr HRESULT E_NOINTERFACE = static_cast<HRESULT>(0x80004002u);
constexpr HRESULT E_POINTER = static_cast<HRESULT>(0x80004003u);
constexpr HRESULT E_UNEXPECTED = static_cast<HRESULT>(0x8000FFFFu);
constexpr HRESULT CLASS_E_NOAGGREGATION = static_cast<HRESULT>(0x80040110u);
constexpr HRESULT REGDB_E_CLASSNOTREG = static_cast<HRESULT>(0x80040154u);
constexpr HRESULT CO_E_NOTINITIALIZED = static_cast<HRESULT>(0x800401F0u);
constexpr HRESULT CO_E_CLASSSTRING = static_cast<HRESULT>(0x800401F3u);
constexpr HRESULT CO_E_OBJNOTREG = static_cast<HRESULT>(0x800401FBu);
constexpr HRESULT CO_E_SERVER_EXEC_FAILURE = static_cast<HRESULT>(0x80080005u);

constexpr HRESULT HRESULT_FROM_WIN32(DWORD error)
{
    return error == 0 ? S_OK : static_cast<HRESULT>((error & 0xFFFFu) | 0x80070000u);
}

// Execution contexts and registration kinds of class objects.
constexpr DWORD CLSCTX_INPROC_SERVER = 0x1;
constexpr DWORD CLSCTX_LOCAL_SERVER = 0x4;
constexpr DWORD CLSCTX_ALL = 0x17;
constexpr DWORD REGCLS_SINGLEUSE = 0;
constexpr DWORD REGCLS_MULTIPLEUSE = 1;

struct IUnknown {
    virtual HRESULT QueryInterface(REFIID iid, void** object) = 0;
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;

protected:
    ~IUnknown() = default;
};

struct IClassFactory : IUnknown {
    virtual HRESULT CreateInstance(IUnknown* outer, REFIID iid, void** object) = 0;
    virtual HRESULT LockServer(BOOL lock) = 0;

protected:
    ~IClassFactory() = default;
};

extern const IID IID_IUnknown;
extern const IID IID_IClassFactory;

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}"; the text's length with its terminating zero, 0
// when the buffer is too small (39 bytes are enough).
int StringFromGUID2(REFGUID guid, LPSTR buffer, int size);
HRESULT CLSIDFromString(LPCSTR text, CLSID* clsid);
// The class id that the registry names for a program id (see vqcom::SetRegistryFile).
HRESULT CLSIDFromProgID(LPCSTR progId, CLSID* clsid);

// COM is used on a thread between these calls (they nest); the calls below need it.
HRESULT CoInitialize(LPVOID reserved);
void CoUninitialize();

// Offers a class object of this process to every creation request for the class until it
// is revoked. Only multiple use is offered.
HRESULT CoRegisterClassObject(REFCLSID clsid, IUnknown* classObject, DWORD context, DWORD flags, DWORD* cookie);
HRESULT CoRevokeClassObject(DWORD cookie);
// The class object offered for the class: REGDB_E_CLASSNOTREG for a class the registry does
// not know, CO_E_SERVER_EXEC_FAILURE for a registered class whose server does not run.
HRESULT CoGetClassObject(REFCLSID clsid, DWORD context, LPVOID serverInfo, REFIID iid, LPVOID* object);
HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD context, REFIID iid, LPVOID* object);
