// Root object with run-time class information, on top of the language's own RTTI.
#pragma once

#include "win/Types.h"

#include <type_traits>
#include <typeinfo>

class CObject;

struct CRuntimeClass {
    const char* m_lpszClassName;
    bool (*m_pfnIsInstance)(const CObject* object);
    CObject* (*m_pfnCreateObject)();

    CObject* CreateObject() const { return m_pfnCreateObject ? m_pfnCreateObject() : nullptr; }
};

class CObject {
public:
    virtual ~CObject() = default;
    BOOL IsKindOf(const CRuntimeClass* runtimeClass) const
    {
        return runtimeClass && runtimeClass->m_pfnIsInstance(this);
    }
    // The dynamic class's name as the compiler gives it.
    const char* GetRuntimeClassName() const { return typeid(*this).name(); }

protected:
    CObject() = default;
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
};

template <class T>
const CRuntimeClass* VqRuntimeClassOf()
{
    static const CRuntimeClass runtimeClass{
        typeid(T).name(),
        [](const CObject* object) { return dynamic_cast<const T*>(object) != nullptr; },
        []() -> CObject* {
            if constexpr (std::is_default_constructible_v<T> && !std::is_abstract_v<T>)
                return new T;
            else
                return nullptr;
        }};
    return &runtimeClass;
}

#define RUNTIME_CLASS(class_name) (VqRuntimeClassOf<class_name>())
#define DYNAMIC_DOWNCAST(class_name, object) (dynamic_cast<class_name*>(object))
#define STATIC_DOWNCAST(class_name, object) (static_cast<class_name*>(object))
