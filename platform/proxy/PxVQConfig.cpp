#include "proxy/PxVQConfig.h"

#include "proxy/PxException.h"
#include "proxy/PxObjectKind.h"
#include "proxy/PxStore.h"
#include "proxy/PxTypedList.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQOptionSet.h"
#include "proxy/PxVQSystem.h"

#include <cstring>

PX_IMPLEMENT_CLASS(PxVQConfig, PxKindConfiguration)
PX_IMPLEMENT_CLASS(PxVQCurConfig, PxKindCurrentConfiguration)
PX_IMPLEMENT_CLASS(PxVQOldConfig, PxKindOldConfiguration)

PX_IMPLEMENT_VALUE_PROPERTY(PxVQOldConfig, std::int64_t, GenerationTime, "generationTime")
PX_IMPLEMENT_TEXT_PROPERTY(PxVQOldConfig, FromOSName, "fromOSName")

namespace {

constexpr const char* kBSSoftLinks = "bsSoftLinks";
constexpr const char* kOptionSets = "optionSets";
constexpr const char* kOptionSet = "optionSet";

} // namespace

PxVQSystemPtr PxVQConfig::GetSystem() const
{
    Enter("PxVQConfig::GetSystem");
    return GetOwner();
}

PxVQBSSoftLinkPtr PxVQConfig::CreateBSSoftLink(const char* name)
{
    Enter("PxVQConfig::CreateBSSoftLink");
    PxVQBSSoftLinkPtr link = CreateMember(kBSSoftLinks, "PxVQBSSoftLink");
    link->SetAttributeText("name", name);
    return link;
}

void PxVQConfig::GetListOfBSSoftLinks(PxTypedList<PxVQBSSoftLinkPtr>& links) const
{
    ReadList("PxVQConfig::GetListOfBSSoftLinks", kBSSoftLinks, links);
}

std::vector<std::vector<PxObjectPtr>> PxVQConfig::BSSoftLinksOf(const std::vector<PxObjectPtr>& configs)
{
    return ReadMembersOf("PxVQConfig::BSSoftLinksOf", configs, kBSSoftLinks);
}

void PxVQConfig::AskBranchesAhead(const std::vector<std::vector<PxObjectPtr>>& chunks)
{
    AskBranchesAheadOf({kBSSoftLinks, PxVQBSSoftLink::ListsBelow()}, chunks);
}

void PxVQConfig::DropBranchesAhead(const PxObjectPtr& config) noexcept { DropBranchesAheadOf(config); }

std::vector<int> PxVQConfig::CountsOfBSSoftLinks(const std::vector<PxObjectPtr>& configs)
{
    return ReadListSizes("PxVQConfig::CountsOfBSSoftLinks", configs, kBSSoftLinks);
}

int PxVQConfig::CountOfBSSoftLinks() const
{
    Enter("PxVQConfig::CountOfBSSoftLinks");
    return CountOfMembers(kBSSoftLinks);
}

PxVQBSSoftLinkPtr PxVQConfig::GetBSSoftLink(const char* name) const
{
    Enter("PxVQConfig::GetBSSoftLink");
    return FindMember(kBSSoftLinks, "name", name);
}

void PxVQConfig::SetBuildVersionGUID(const GUID& guid)
{
    Enter("PxVQConfig::SetBuildVersionGUID");
    SetAttributeBlob("buildVersionGUID", &guid, sizeof(guid));
}

GUID PxVQConfig::GetBuildVersionGUID() const
{
    Enter("PxVQConfig::GetBuildVersionGUID");
    GUID guid{};
    std::vector<BYTE> bytes = GetAttributeBlob("buildVersionGUID");
    if (bytes.size() == sizeof(guid))
        std::memcpy(&guid, bytes.data(), sizeof(guid));
    return guid;
}

PxVQOptionSetPtr PxVQConfig::CreateOptionSetIn(const char* role, const char* name, int hostType)
{
    if (hostType < 0 || hostType > 3)
        PX_THROW("Cannot create an option set for the unknown host type %1.", std::to_string(hostType).c_str());
    PxVQOptionSetPtr optionSet = CreateMember(role, "PxVQGenSet");
    optionSet->SetAttributeText("name", name);
    optionSet->SetAttributeInt("hostType", hostType);
    return optionSet;
}

PxVQOptionSetPtr PxVQCurConfig::CreateOptionSet(const char* name, int hostType)
{
    Enter("PxVQCurConfig::CreateOptionSet");
    return CreateOptionSetIn(kOptionSets, name, hostType);
}

void PxVQCurConfig::GetListOfOptionSets(PxTypedList<PxVQOptionSetPtr>& optionSets) const
{
    ReadList("PxVQCurConfig::GetListOfOptionSets", kOptionSets, optionSets);
}

int PxVQCurConfig::CountOfOptionSets() const
{
    Enter("PxVQCurConfig::CountOfOptionSets");
    return CountOfMembers(kOptionSets);
}

PxVQOptionSetPtr PxVQCurConfig::GetOptionSet(const char* name) const
{
    Enter("PxVQCurConfig::GetOptionSet");
    return FindMember(kOptionSets, "name", name);
}

std::vector<std::vector<PxObjectPtr>> PxVQCurConfig::OptionSetsOf(const std::vector<PxObjectPtr>& configs)
{
    return ReadMembersOf("PxVQCurConfig::OptionSetsOf", configs, kOptionSets);
}

std::vector<std::vector<PxObjectPtr>> PxVQOldConfig::OptionSetsOf(const std::vector<PxObjectPtr>& configs)
{
    return ReadMembersOf("PxVQOldConfig::OptionSetsOf", configs, kOptionSet);
}

PxVQOptionSetPtr PxVQOldConfig::GetOptionSet() const
{
    Enter("PxVQOldConfig::GetOptionSet");
    return FirstMember(kOptionSet);
}

PxVQOptionSetPtr PxVQOldConfig::CreateOptionSet(const char* name, int hostType)
{
    Enter("PxVQOldConfig::CreateOptionSet");
    if (CountOfMembers(kOptionSet) > 0)
        PX_THROW("The configuration of an earlier generation has its option set already.");
    return CreateOptionSetIn(kOptionSet, name, hostType);
}
