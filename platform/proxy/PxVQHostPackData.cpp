#include "proxy/PxVQHostPackData.h"

#include "proxy/PxException.h"
#include "proxy/PxObjectKind.h"
#include "proxy/PxVQHostInformation.h"
#include "proxy/PxVQPackInformation.h"

#include <cstring>
#include <string>

PX_IMPLEMENT_CLASS(PxVQHostPackData, PxKindPackAssociationData)
PX_IMPLEMENT_CLASS(PxVQKeshPackAssociationNT, PxKindPackAssociation)
PX_IMPLEMENT_CLASS(PxVQKeshPackAssociationUnix, PxKindPackAssociation)
PX_IMPLEMENT_CLASS(PxVQKeshPackAssociationTarsk, PxKindPackAssociation)
PX_IMPLEMENT_CLASS(PxVQKeshPackAssociationA, PxKindPackAssociation)

PX_IMPLEMENT_TEXT_GETTER(PxVQKeshPackAssociationNT, Path, "path")
PX_IMPLEMENT_TEXT_GETTER(PxVQKeshPackAssociationNT, Table, "table")
PX_IMPLEMENT_TEXT_GETTER(PxVQKeshPackAssociationUnix, Path, "path")
PX_IMPLEMENT_TEXT_GETTER(PxVQKeshPackAssociationUnix, Table, "table")
PX_IMPLEMENT_VALUE_PROPERTY(PxVQKeshPackAssociationTarsk, int, FixedDisk, "fixedDisk")
PX_IMPLEMENT_TEXT_GETTER(PxVQKeshPackAssociationTarsk, EquipmentType, "equipmentType")
PX_IMPLEMENT_TEXT_GETTER(PxVQKeshPackAssociationTarsk, AcrName, "acrName")

namespace {

constexpr std::size_t kPathLength = 128;
constexpr std::size_t kTableLength = 30;
constexpr std::size_t kTarskLength = 6;

void WriteLimited(PxObject& object, const char* attribute, const char* value, std::size_t maxLength)
{
    const char* text = value ? value : "";
    if (std::strlen(text) > maxLength)
        PX_THROW("The %1 of a pack association is longer than %2 characters.", attribute,
                 std::to_string(maxLength).c_str());
    object.SetAttributeText(attribute, text);
}

std::string PackIdAttribute(int number)
{
    if (number < 1 || number > 8)
        PX_THROW("There is no pack id %1; the pack ids are 1 to 8.", std::to_string(number).c_str());
    return "packId" + std::to_string(number);
}

} // namespace

PxVQHostPackDataPtr PxVQHostPackData::Create(const PxVQPackInformationPtr& pack, const PxVQHostInformationPtr& host)
{
    PxVQHostPackDataPtr data = pack->CreateSharedMember(kRole, "PxVQHostPackData", host, kRole);
    data->SetAttributeObject("pack", pack);
    data->SetAttributeObject("host", host);
    data->CreateMember("associationNT", "PxVQKeshPackAssociationNT");
    data->CreateMember("associationUnix", "PxVQKeshPackAssociationUnix");
    data->CreateMember("associationTarsk", "PxVQKeshPackAssociationTarsk");
    data->CreateMember("associationA", "PxVQKeshPackAssociationA");
    return data;
}

PxVQHostInformationPtr PxVQHostPackData::GetHostInformation() const
{
    return ReadObject("PxVQHostPackData::GetHostInformation", "host");
}

PxVQPackInformationPtr PxVQHostPackData::GetPackInformation() const
{
    return ReadObject("PxVQHostPackData::GetPackInformation", "pack");
}

PxVQKeshPackAssociationNTPtr PxVQHostPackData::GetPackAssociationNT() const
{
    Enter("PxVQHostPackData::GetPackAssociationNT");
    return FirstMember("associationNT");
}

PxVQKeshPackAssociationUnixPtr PxVQHostPackData::GetPackAssociationUnix() const
{
    Enter("PxVQHostPackData::GetPackAssociationUnix");
    return FirstMember("associationUnix");
}

PxVQKeshPackAssociationTarskPtr PxVQHostPackData::GetPackAssociationTarsk() const
{
    Enter("PxVQHostPackData::GetPackAssociationTarsk");
    return FirstMember("associationTarsk");
}

PxVQKeshPackAssociationAPtr PxVQHostPackData::GetPackAssociationA() const
{
    Enter("PxVQHostPackData::GetPackAssociationA");
    return FirstMember("associationA");
}

void PxVQKeshPackAssociationNT::SetPath(const char* path)
{
    Enter("PxVQKeshPackAssociationNT::SetPath");
    WriteLimited(*this, "path", path, kPathLength);
}

void PxVQKeshPackAssociationNT::SetTable(const char* table)
{
    Enter("PxVQKeshPackAssociationNT::SetTable");
    WriteLimited(*this, "table", table, kTableLength);
}

void PxVQKeshPackAssociationUnix::SetPath(const char* path)
{
    Enter("PxVQKeshPackAssociationUnix::SetPath");
    WriteLimited(*this, "path", path, kPathLength);
}

void PxVQKeshPackAssociationUnix::SetTable(const char* table)
{
    Enter("PxVQKeshPackAssociationUnix::SetTable");
    WriteLimited(*this, "table", table, kTableLength);
}

void PxVQKeshPackAssociationTarsk::SetEquipmentType(const char* type)
{
    Enter("PxVQKeshPackAssociationTarsk::SetEquipmentType");
    WriteLimited(*this, "equipmentType", type, kTarskLength);
}

void PxVQKeshPackAssociationTarsk::SetAcrName(const char* name)
{
    Enter("PxVQKeshPackAssociationTarsk::SetAcrName");
    WriteLimited(*this, "acrName", name, kTarskLength);
}

CString PxVQKeshPackAssociationTarsk::GetPackId(int number) const
{
    Enter("PxVQKeshPackAssociationTarsk::GetPackId");
    return GetAttributeText(PackIdAttribute(number).c_str());
}

void PxVQKeshPackAssociationTarsk::SetPackId(int number, const char* id)
{
    Enter("PxVQKeshPackAssociationTarsk::SetPackId");
    WriteLimited(*this, PackIdAttribute(number).c_str(), id, kTarskLength);
}
