#include "proxy/PxLSEEnterprise.h"

#include "proxy/PxLSEBusinessSegment.h"
#include "proxy/PxLSEParts.h"
#include "proxy/PxLSEStructure.h"
#include "proxy/PxList.h"
#include "proxy/PxTypedList.h"

PX_IMPLEMENT_CLASS(PxLSEEnterprise, 0)
PX_IMPLEMENT_TEXT_GETTER(PxLSEEnterprise, Name, "name")
PX_IMPLEMENT_TEXT_GETTER(PxLSEEnterprise, LongName, "longName")

using namespace PxLSEStructure;

int PxLSEEnterprise::GetAllowLongNames() const
{
    return static_cast<int>(ReadInt("PxLSEEnterprise::GetAllowLongNames", "allowLongNames"));
}

void PxLSEEnterprise::GetBSList(PxTypedList<PxLSEBusinessSegmentPtr>& segments) const
{
    ReadList("PxLSEEnterprise::GetBSList", kBusinessSegments, segments);
}

PxLSEBusinessSegmentPtr PxLSEEnterprise::GetBusinessSegment(const char* name) const
{
    Enter("PxLSEEnterprise::GetBusinessSegment");
    return FindMember(kBusinessSegments, "name", name);
}

PxLSELockedObjectPtr PxLSEEnterprise::GetLockedObject(const PxLSEBusinessSegmentPtr& segment) const
{
    Enter("PxLSEEnterprise::GetLockedObject");
    if (!segment)
        return PxLSELockedObjectPtr();
    PxObjectArray records;
    GetMembers(kLockedObjects, records);
    for (const PxObjectPtr& record : records)
        if (record->RefersTo("object", segment))
            return record;
    return PxLSELockedObjectPtr();
}
