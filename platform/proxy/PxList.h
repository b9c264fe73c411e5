// The library's side of the typed lists: what it fills (PxObjectCollection) and how any
// list of objects is walked (PxList). The typed lists themselves are in PxTypedList.h.
#pragma once

#include "proxy/PxObject.h"
#include "win/Types.h"

#include <vector>

class PxObjectCollection {
public:
    // Filling by the library: the collection is emptied, then each object appended in
    // repository order.
    virtual void PxEmpty() = 0;
    virtual void PxAppend(const PxObjectPtr& object) = 0;

protected:
    ~PxObjectCollection() = default;
};

// A plain collection of objects, for the library's own use.
class PxObjectArray : public PxObjectCollection, public std::vector<PxObjectPtr> {
public:
    void PxEmpty() override { clear(); }
    void PxAppend(const PxObjectPtr& object) override { push_back(object); }
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
    // The elements in order (to ask something of them together, PxObject::ArePresent).
    std::vector<PxObjectPtr> Objects() const
    {
        std::vector<PxObjectPtr> objects;
        for (POSITION position = PxHeadPosition(); position;)
            objects.push_back(PxNextObject(position));
        return objects;
    }

protected:
    ~PxList() = default;
    virtual POSITION PxHeadPosition() const = 0;
    virtual PxObjectPtr PxNextObject(POSITION& position) const = 0;
};
