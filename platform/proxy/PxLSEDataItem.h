// Design data items, and keywords, which group data items.
#pragma once

#include "proxy/PxLSEElement.h"

class PxLSEDataItem : public PxLSEElement {
    PX_DECLARE_CLASS(PxLSEDataItem, PxLSEElement)

    PX_VALUE_GETTER(int, Length)
    PX_TEXT_GETTER(Edit)

protected:
    PxLSEDataItem() = default;
};

class PxLSEKeyword : public PxLSEElement {
    PX_DECLARE_CLASS(PxLSEKeyword, PxLSEElement)

    void GetDataItemList(PxTypedList<PxLSEDataItemPtr>& items) const;

protected:
    PxLSEKeyword() = default;
};
