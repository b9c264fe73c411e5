// Typed lists and arrays of smart pointers that repository queries fill by reference.
// PxTypedList<T> is a CList<T, const T&> with block size 10 that the library walks as a
// PxList; PxTypedArray<T> is the CArray form. A list of plain pointers to smart pointers
// (T = PxVQSystemPtr*, say) is only a list: the library neither fills nor walks it.
#pragma once

#include "proxy/PxException.h"
#include "proxy/PxList.h"
#include "win/Collections.h"

#include <type_traits>

template <class T>
class PxTypedList : public CList<T, const T&>, public PxList {
    using Base = CList<T, const T&>;

public:
    PxTypedList() : Base(10) {}

    // The element at the position as T (null when it is not of T's class); moves on.
    T GetNext(POSITION& position)
    {
        if constexpr (PxIsPtr<T>::value)
            return T(GetCurItToNext(position));
        else
            return Base::GetNext(position);
    }

protected:
    void PxEmpty() override { Base::RemoveAll(); }
    void PxAppend(const PxObjectPtr& object) override
    {
        if constexpr (PxIsPtr<T>::value) {
            T element(object);
            if (object && !element)
                PX_THROW("A list of another class cannot hold an object of class %1.", object->GetClassName());
            Base::AddTail(element);
        } else {
            PX_THROW("A list of pointers cannot be filled by the repository.");
        }
    }
    POSITION PxHeadPosition() const override { return Base::GetHeadPosition(); }
    PxObjectPtr PxNextObject(POSITION& position) const override
    {
        const T& element = Base::GetNext(position);
        if constexpr (PxIsPtr<T>::value)
            return element;
        else if constexpr (std::is_pointer_v<T> && PxIsPtr<std::remove_cv_t<std::remove_pointer_t<T>>>::value)
            return element ? PxObjectPtr(*element) : PxObjectPtr();
        else
            return PxObjectPtr();
    }
};

template <class T>
class PxTypedArray : public CArray<T, const T&>, public PxObjectCollection {
    using Base = CArray<T, const T&>;

protected:
    void PxEmpty() override { Base::RemoveAll(); }
    void PxAppend(const PxObjectPtr& object) override
    {
        T element(object);
        if (object && !element)
            PX_THROW("An array of another class cannot hold an object of class %1.", object->GetClassName());
        Base::Add(element);
    }
};
