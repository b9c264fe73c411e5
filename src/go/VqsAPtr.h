// Reference-counted ownership of the objects a GO command creates: the object starts with
// no reference and is deleted when the last holder lets it go.
#pragma once

#include <atomic>
#include <utility>

class VqsAManagedClass {
public:
    VqsAManagedClass() = default;
    VqsAManagedClass(const VqsAManagedClass&) = delete;
    VqsAManagedClass& operator=(const VqsAManagedClass&) = delete;
    virtual ~VqsAManagedClass() = default;

    void AddRef() { m_nRefCount.fetch_add(1); }
    void Release()
    {
        if (m_nRefCount.fetch_sub(1) == 1)
            delete this;
    }

private:
    std::atomic<long> m_nRefCount{0};
};

template <class T>
class VqsAPtr {
public:
    VqsAPtr() = default;
    explicit VqsAPtr(T* object) : m_pObject(object)
    {
        if (m_pObject)
            m_pObject->AddRef();
    }
    VqsAPtr(const VqsAPtr& other) : VqsAPtr(other.m_pObject) {}
    VqsAPtr(VqsAPtr&& other) noexcept : m_pObject(std::exchange(other.m_pObject, nullptr)) {}
    VqsAPtr& operator=(VqsAPtr other) noexcept
    {
        std::swap(m_pObject, other.m_pObject);
        return *this;
    }
    virtual ~VqsAPtr()
    {
        if (T* object = std::exchange(m_pObject, nullptr))
            object->Release();
    }

    T* Get() const { return m_pObject; }
    T* operator->() const { return m_pObject; }
    bool IsNull() const { return m_pObject == nullptr; }
    explicit operator bool() const { return m_pObject != nullptr; }

private:
    T* m_pObject = nullptr;
};
