#include "proxy/PxLSEDataItem.h"

#include "proxy/PxLSEStructure.h"
#include "proxy/PxTypedList.h"

PX_IMPLEMENT_CLASS(PxLSEDataItem, 0)
PX_IMPLEMENT_CLASS(PxLSEKeyword, 0)

PX_IMPLEMENT_VALUE_GETTER(PxLSEDataItem, int, Length, "length")
PX_IMPLEMENT_TEXT_GETTER(PxLSEDataItem, Edit, "edit")

void PxLSEKeyword::GetDataItemList(PxTypedList<PxLSEDataItemPtr>& items) const
{
    ReadList("PxLSEKeyword::GetDataItemList", PxLSEStructure::kDataItems, items);
}
