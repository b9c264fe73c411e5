// The library's side of the typed lists: what it fills (PxObjectCollection) and how any
// list of objects is walked (PxList). The typed lists themselves are in PxTypedList.h.
#pragma once

#include "proxy/PxObject.h"
#include "win/Types.h"

class PxObjectCollection {
public:
    // Filling by the library: the collection is emptied, then each object appended in
    // repository order.
    virtual void PxEmpty() = 0;
    virtual void PxAppend(const PxObjectPtr& object) = 0;

protected:
    ~PxObjectCollection() = default;
};

class PxList : public PxObjectCollection {
public:
    // Sets the position to the head; nonzero when the list is not empty.
    BOOL SetIteratorToHead(POSITION& position) const
    {
        position = PxHeadPosition();
        return position != nullptr;
    }
    // Nonzero while the position names an element.
    BOOL IsIteratorActive(const POSITION& position) const { return position != nullptr; }
    // The element at the position; the position moves on.
    PxObjectPtr GetCurItToNext(POSITION& position) const { return PxNextObject(position); }

protected:
    ~PxList() = default;
    virtual POSITION PxHeadPosition() const = 0;
    virtual PxObjectPtr PxNextObject(POSITION& position) const = 0;
};
