#include "proxy/PxVQPackInformation.h"

#include "proxy/PxObjectKind.h"
#include "proxy/PxTypedList.h"
#include "proxy/PxVQHostPackData.h"

PX_IMPLEMENT_CLASS(PxVQPackInformation, PxKindPack)

PX_IMPLEMENT_TEXT_PROPERTY(PxVQPackInformation, Name, "name")
PX_IMPLEMENT_VALUE_PROPERTY(PxVQPackInformation, int, PackType, "packType")

void PxVQPackInformation::GetListOfHostPackData(PxTypedList<PxVQHostPackDataPtr>& entries) const
{
    ReadList("PxVQPackInformation::GetListOfHostPackData", PxVQHostPackData::kRole, entries);
}

std::vector<std::vector<PxObjectPtr>> PxVQPackInformation::HostPackDataOf(const std::vector<PxObjectPtr>& packs)
{
    return ReadMembersOf("PxVQPackInformation::HostPackDataOf", packs, PxVQHostPackData::kRole);
}
