// COM objects written as plain classes: the object root (reference count, final construction
// and release), the interface map, the creatable object, its class factory and its class
// registration.
//
//   class CThing : public CComObjectRoot, public CComCoClass<CThing, &CLSID_Thing>, public IThing {
//   public:
//       DECLARE_REGISTRY(CThing, "App.Thing.1", "App.Thing", "Thing Class", THREADFLAGS_APARTMENT)
//       BEGIN_COM_MAP(CThing)
//           COM_INTERFACE_ENTRY(IThing)
//       END_COM_MAP()
//   };
#pragma once

#include "com/CComModule.h"
#include "com/ComBase.h"

#include <cstddef>
#include <new>

// One interface of an object: its id, and how to reach it from the object.
struct ATL_INTMAP_ENTRY {
    const IID* piid;
    IUnknown* (*cast)(void* object);
};

namespace vqcom {
// IUnknown answers the first entry; anything else the entry of its id.
HRESULT QueryFromMap(void* object, const ATL_INTMAP_ENTRY* entries, std::size_t count, REFIID iid, void** out);
} // namespace vqcom

#define BEGIN_COM_MAP(x)                                                   \
public:                                                                    \
    using ComMapClass = x;                                                 \
    HRESULT InternalQueryInterface(REFIID iid, void** out)                 \
    {                                                                      \
        static const ATL_INTMAP_ENTRY entries[] = {
#define COM_INTERFACE_ENTRY(itf)                                                                \
    {&IID_##itf, [](void* object) -> IUnknown* {                                                \
         return static_cast<itf*>(static_cast<ComMapClass*>(object));                           \
     }},
// An interface reached through one of the object's bases, where several bases derive from it.
#define COM_INTERFACE_ENTRY2(itf, branch)                                                       \
    {&IID_##itf, [](void* object) -> IUnknown* {                                                \
         return static_cast<itf*>(static_cast<branch*>(static_cast<ComMapClass*>(object)));     \
     }},
#define END_COM_MAP()                                                                           \
    }                                                                                           \
    ;                                                                                           \
    return vqcom::QueryFromMap(static_cast<ComMapClass*>(this), entries, std::size(entries), iid, out); \
    }

// The object root of single-threaded objects: the reference count and the two steps an
// object may override, FinalConstruct (after construction; a failure ends the creation with
// its result) and FinalRelease (before destruction, also after a failed FinalConstruct).
class CComObjectRoot {
public:
    HRESULT FinalConstruct() { return S_OK; }
    void FinalRelease() {}

protected:
    LONG m_dwRef = 0;
};

// The creatable object over a class that derives from CComObjectRoot and its interfaces.
template <class Base>
class CComObject final : public Base {
public:
    ~CComObject()
    {
        this->m_dwRef = 1;
        this->FinalRelease();
    }

    // A new object with a count of 0, or the failure of its FinalConstruct (the object is
    // then gone).
    static HRESULT CreateInstance(CComObject** out)
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        auto* object = new (std::nothrow) CComObject;
        if (!object)
            return E_OUTOFMEMORY;
        object->m_dwRef = 1;
        const HRESULT result = object->FinalConstruct();
        object->m_dwRef = 0;
        if (FAILED(result)) {
            delete object;
            return result;
        }
        *out = object;
        return result;
    }

    ULONG AddRef() override { return static_cast<ULONG>(++this->m_dwRef); }
    ULONG Release() override
    {
        const LONG count = --this->m_dwRef;
        if (count == 0)
            delete this;
        return static_cast<ULONG>(count);
    }
    HRESULT QueryInterface(REFIID iid, void** out) override { return this->InternalQueryInterface(iid, out); }

private:
    CComObject() = default;
};

// The class object that creates objects of T; aggregation is not offered.
template <class T>
class CComClassFactory final : public IClassFactory {
public:
    HRESULT QueryInterface(REFIID iid, void** out) override
    {
        if (!out)
            return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IClassFactory) {
            *out = static_cast<IClassFactory*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG AddRef() override { return static_cast<ULONG>(++m_count); }
    ULONG Release() override
    {
        const LONG count = --m_count;
        if (count == 0)
            delete this;
        return static_cast<ULONG>(count);
    }

    HRESULT CreateInstance(IUnknown* outer, REFIID iid, void** out) override
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        if (outer)
            return CLASS_E_NOAGGREGATION;
        CComObject<T>* object = nullptr;
        const HRESULT result = CComObject<T>::CreateInstance(&object);
        if (FAILED(result))
            return result;
        object->AddRef();
        const HRESULT answer = object->QueryInterface(iid, out);
        object->Release();
        return answer;
    }
    HRESULT LockServer(BOOL) override { return S_OK; }

private:
    LONG m_count = 0;
};

// What an object map entry needs of a creatable class: its class id and its class object.
template <class T, const CLSID* pclsid>
class CComCoClass {
public:
    static const CLSID& GetObjectCLSID() { return *pclsid; }
    static HRESULT CreateClassObject(REFIID iid, void** out)
    {
        auto* factory = new (std::nothrow) CComClassFactory<T>;
        if (!factory)
            return E_OUTOFMEMORY;
        factory->AddRef();
        const HRESULT result = factory->QueryInterface(iid, out);
        factory->Release();
        return result;
    }
};

// The registry entries of a creatable class (see CComModule::UpdateRegistryClass).
#define DECLARE_REGISTRY(x, progId, versionIndependentProgId, description, flags)                            \
    static HRESULT UpdateRegistry(CComModule& module)                                                       \
    {                                                                                                       \
        return module.UpdateRegistryClass(x::GetObjectCLSID(), progId, versionIndependentProgId, description, \
                                          flags);                                                          \
    }
