// A plain list box of business segments whose owning page adds the items itself, keeping a
// heap copy of each segment's smart pointer as the item's data; the box owns the copies.
#pragma once

#include "proxy/PxLSEBusinessSegment.h"
#include "win/CListBox.h"
#include "win/Collections.h"

template <class T>
class VqsTypedListBox;

template <>
class VqsTypedListBox<PxLSEBusinessSegmentPtr> : public CListBox {
public:
    VqsTypedListBox() = default;
    ~VqsTypedListBox() override { DeleteAllItems(); }

    // Frees the copies; the box's own strings are the caller's to remove.
    void DeleteAllItems()
    {
        while (!m_items.IsEmpty())
            delete m_items.RemoveHead();
    }

    CTypedPtrList<CPtrList, PxLSEBusinessSegmentPtr*> m_items{10};
};
