// The COM module of a library: its object map (the classes it serves), their registration
// in the registry and the class objects it offers to the running process.
#pragma once

#include "com/ComBase.h"
#include "win/CString.h"

class CComModule;

// One creatable class of the module.
struct ATL_OBJMAP_ENTRY {
    const CLSID* pclsid;
    HRESULT (*pfnUpdateRegistry)(CComModule& module);
    HRESULT (*pfnGetClassObject)(REFIID iid, void** out);
    DWORD dwRegister;  // cookie of the class object while it is offered
};

#define BEGIN_OBJECT_MAP(x) ATL_OBJMAP_ENTRY x[] = {
#define OBJECT_ENTRY(clsid, class) {&clsid, &class ::UpdateRegistry, &class ::CreateClassObject, 0},
#define END_OBJECT_MAP()             \
    {nullptr, nullptr, nullptr, 0} \
    }                              \
    ;

// Threading model of a class's server.
constexpr DWORD THREADFLAGS_APARTMENT = 0x1;

class CComModule {
public:
    // The map must outlive the module's use of it; it ends with a null entry.
    HRESULT Init(ATL_OBJMAP_ENTRY* objectMap, HINSTANCE instance);
    void Term();

    // Writes the registry entries of every class of the map.
    HRESULT RegisterServer();
    // Offers the class object of every class of the map not offered yet.
    HRESULT RegisterClassObjects(DWORD context, DWORD flags);
    HRESULT RevokeClassObjects();

    // Registry entries of a class, served by this module's file:
    //   <progId> = description, <progId>\CLSID = {class id}
    //   <versionIndependentProgId> = description, ...\CLSID = {class id}, ...\CurVer = <progId>
    //   CLSID\{class id} = description, ...\ProgID, ...\VersionIndependentProgID,
    //   ...\LocalServer32 = the module's file, with ThreadingModel
    HRESULT UpdateRegistryClass(REFCLSID clsid, LPCSTR progId, LPCSTR versionIndependentProgId, LPCSTR description,
                                DWORD flags);

    // The file of the library (or program) that holds the object map.
    CString GetModuleFileName() const;

    ATL_OBJMAP_ENTRY* m_pObjMap = nullptr;
    HINSTANCE m_hInst = nullptr;
};
