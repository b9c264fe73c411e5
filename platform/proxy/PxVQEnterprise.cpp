#include "proxy/PxVQEnterprise.h"

#include "proxy/PxObjectKind.h"
#include "proxy/PxTypedList.h"
#include "proxy/PxVQHostInformation.h"
#include "proxy/PxVQHostPackData.h"
#include "proxy/PxVQPackInformation.h"
#include "proxy/PxVQSystem.h"

PX_IMPLEMENT_CLASS(PxVQEnterprise, PxKindEnterprise)

namespace {

constexpr const char* kSystems = "systems";
constexpr const char* kHosts = "hosts";
constexpr const char* kPacks = "packs";

} // namespace

void PxVQEnterprise::GetListOfSystems(PxTypedList<PxVQSystemPtr>& systems) const
{
    ReadList("PxVQEnterprise::GetListOfSystems", kSystems, systems);
}

void PxVQEnterprise::GetListOfHostInformations(PxTypedList<PxVQHostInformationPtr>& hosts) const
{
    ReadList("PxVQEnterprise::GetListOfHostInformations", kHosts, hosts);
}

void PxVQEnterprise::GetListOfPackInformations(PxTypedList<PxVQPackInformationPtr>& packs) const
{
    ReadList("PxVQEnterprise::GetListOfPackInformations", kPacks, packs);
}

PxVQSystemPtr PxVQEnterprise::GetSystem(const char* name) const
{
    Enter("PxVQEnterprise::GetSystem");
    return FindMember(kSystems, "name", name);
}

PxVQHostInformationPtr PxVQEnterprise::GetHostInformation(const char* name) const
{
    Enter("PxVQEnterprise::GetHostInformation");
    return FindMember(kHosts, "name", name);
}

PxVQPackInformationPtr PxVQEnterprise::GetPackInformation(const char* name) const
{
    Enter("PxVQEnterprise::GetPackInformation");
    return FindMember(kPacks, "name", name);
}

int PxVQEnterprise::CountOfItems(int objectKind) const
{
    Enter("PxVQEnterprise::CountOfItems");
    switch (objectKind) {
    case PxKindSystem:
        return CountOfMembers(kSystems);
    case PxKindHost:
        return CountOfMembers(kHosts);
    case PxKindPack:
        return CountOfMembers(kPacks);
    default:
        return 0;
    }
}

PxVQSystemPtr PxVQEnterprise::CreateSystem(const char* name)
{
    Enter("PxVQEnterprise::CreateSystem");
    PxVQSystemPtr system = CreateMember(kSystems, "PxVQSystem");
    system->SetAttributeText("name", name);
    system->CreateMember("curConfig", "PxVQCurConfig");
    return system;
}

PxVQHostInformationPtr PxVQEnterprise::CreateHostInformation(const char* name)
{
    Enter("PxVQEnterprise::CreateHostInformation");
    PxVQHostInformationPtr host = CreateMember(kHosts, "PxVQHostInformation");
    host->SetAttributeText("name", name);
    PxTypedList<PxVQPackInformationPtr> packs;
    GetMembers(kPacks, packs);
    for (POSITION position = packs.GetHeadPosition(); position;)
        PxVQHostPackData::Create(packs.GetNext(position), host);
    return host;
}

PxVQPackInformationPtr PxVQEnterprise::CreatePackInformation(const char* name)
{
    Enter("PxVQEnterprise::CreatePackInformation");
    PxVQPackInformationPtr pack = CreateMember(kPacks, "PxVQPackInformation");
    pack->SetAttributeText("name", name);
    PxTypedList<PxVQHostInformationPtr> hosts;
    GetMembers(kHosts, hosts);
    for (POSITION position = hosts.GetHeadPosition(); position;)
        PxVQHostPackData::Create(pack, hosts.GetNext(position));
    return pack;
}
