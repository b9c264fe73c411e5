// Reference counting and the <Class>Ptr smart pointers of the repository library.
// A pointer holds one reference; a null pointer means the object is absent.
// Converting between pointer classes keeps the object when it is of the target class
// and gives a null pointer otherwise.
#pragma once

#include <atomic>
#include <cstddef>
#include <type_traits>
#include <utility>

class PxRefCounted {
public:
    void PxAddRef() const noexcept { m_refs.fetch_add(1, std::memory_order_relaxed); }
    void PxRelease() const noexcept
    {
        if (m_refs.fetch_sub(1, std::memory_order_acq_rel) == 1)
            OnLastRelease();
    }
    // Adds a reference only while the object still has one (it is not being destroyed).
    bool PxTryAddRef() const noexcept
    {
        long refs = m_refs.load(std::memory_order_relaxed);
        while (refs > 0)
            if (m_refs.compare_exchange_weak(refs, refs + 1, std::memory_order_acq_rel))
                return true;
        return false;
    }

    PxRefCounted(const PxRefCounted&) = delete;
    PxRefCounted& operator=(const PxRefCounted&) = delete;

protected:
    PxRefCounted() = default;
    virtual ~PxRefCounted() = default;
    virtual void OnLastRelease() const noexcept { delete this; }

private:
    mutable std::atomic<long> m_refs{0};
};

// Reports the use of a null pointer (throws PxException).
[[noreturn]] void PxThrowNullPointer();

template <class T>
class PxPtr {
public:
    PxPtr() noexcept = default;
    PxPtr(std::nullptr_t) noexcept {}
    PxPtr(T* object) noexcept : m_object(object) { AddRef(); }
    PxPtr(const PxPtr& other) noexcept : m_object(other.m_object) { AddRef(); }
    PxPtr(PxPtr&& other) noexcept : m_object(std::exchange(other.m_object, nullptr)) {}
    template <class U>
    PxPtr(const PxPtr<U>& other) : m_object(Convert(other.get()))
    {
        AddRef();
    }
    ~PxPtr() { Release(); }

    PxPtr& operator=(PxPtr other) noexcept
    {
        std::swap(m_object, other.m_object);
        return *this;
    }

    T* operator->() const
    {
        if (!m_object)
            PxThrowNullPointer();
        return m_object;
    }
    T& operator*() const { return *operator->(); }
    T* get() const noexcept { return m_object; }
    explicit operator bool() const noexcept { return m_object != nullptr; }
    bool operator!() const noexcept { return m_object == nullptr; }

    template <class A, class B>
    friend bool operator==(const PxPtr<A>& a, const PxPtr<B>& b) noexcept;
    friend bool operator==(const PxPtr& a, std::nullptr_t) noexcept { return a.m_object == nullptr; }

private:
    template <class U>
    static T* Convert(U* object)
    {
        if constexpr (std::is_base_of_v<T, U>)
            return object;
        else
            return dynamic_cast<T*>(object);
    }
    void AddRef() const noexcept
    {
        if (m_object)
            static_cast<const PxRefCounted*>(m_object)->PxAddRef();
    }
    void Release() const noexcept
    {
        if (m_object)
            static_cast<const PxRefCounted*>(m_object)->PxRelease();
    }

    T* m_object = nullptr;
};

// Two pointers are equal when they hold the same proxy object (see PxObject::IsSameOid
// for the same repository object).
template <class A, class B>
bool operator==(const PxPtr<A>& a, const PxPtr<B>& b) noexcept
{
    return static_cast<const PxRefCounted*>(a.get()) == static_cast<const PxRefCounted*>(b.get());
}

template <class T>
struct PxIsPtr : std::false_type {};
template <class T>
struct PxIsPtr<PxPtr<T>> : std::true_type {};
