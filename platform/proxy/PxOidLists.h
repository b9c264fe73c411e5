// Typed lists of repository objects compared by object id: two proxies of one object are
// the same entry.
#pragma once

#include "proxy/PxObject.h"
#include "proxy/PxTypedList.h"

// Whether the list holds the object.
template <class T>
bool PxHoldsOid(const PxTypedList<T>& list, const PxObjectPtr& object)
{
    const CList<T, const T&>& items = list;
    for (POSITION pos = items.GetHeadPosition(); pos;) {
        if (items.GetNext(pos)->IsSameOid(object))
            return true;
    }
    return false;
}

// Whether the lists hold the same objects, in any order.
template <class T>
bool PxSameOids(const PxTypedList<T>& a, const PxTypedList<T>& b)
{
    if (a.GetCount() != b.GetCount())
        return false;
    const CList<T, const T&>& items = a;
    for (POSITION pos = items.GetHeadPosition(); pos;) {
        if (!PxHoldsOid(b, items.GetNext(pos)))
            return false;
    }
    return true;
}
