#include "proxy/PxVQSystem.h"

#include "proxy/PxObjectKind.h"
#include "proxy/PxTypedList.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQOptionSet.h"
#include "proxy/PxVQRecoveryInfo.h"

#include <string_view>

PX_IMPLEMENT_CLASS(PxVQSystem, PxKindSystem)

PX_IMPLEMENT_TEXT_PROPERTY(PxVQSystem, Name, "name")
PX_IMPLEMENT_TEXT_PROPERTY(PxVQSystem, LongName, "longName")
PX_IMPLEMENT_TEXT_PROPERTY(PxVQSystem, Description, "description")
PX_IMPLEMENT_TEXT_PROPERTY(PxVQSystem, RuntimeVersionIdentifier, "runtimeVersionIdentifier")
PX_IMPLEMENT_VALUE_PROPERTY(PxVQSystem, int, ResetReportCount, "resetReportCount")
PX_IMPLEMENT_VALUE_PROPERTY(PxVQSystem, int, ResetVersionNumber, "resetVersionNumber")
PX_IMPLEMENT_VALUE_PROPERTY(PxVQSystem, int, SystemVersionNumber, "systemVersionNumber")

namespace {

constexpr const char* kCurConfig = "curConfig";
constexpr const char* kOldConfigs = "oldConfigs";
constexpr const char* kRecoveryInfos = "recoveryInfos";

std::string_view UserPart(const char* userCode)
{
    std::string_view code(userCode ? userCode : "");
    return code.substr(0, code.find('/'));
}

} // namespace

PxVQCurConfigPtr PxVQSystem::GetCurConfig() const
{
    Enter("PxVQSystem::GetCurConfig");
    return FirstMember(kCurConfig);
}

std::vector<PxObjectPtr> PxVQSystem::CurConfigsOf(const std::vector<PxObjectPtr>& systems)
{
    std::vector<PxObjectPtr> configs;
    configs.reserve(systems.size());
    for (const std::vector<PxObjectPtr>& list : ReadMembersOf("PxVQSystem::CurConfigsOf", systems, kCurConfig))
        configs.push_back(list.empty() ? PxObjectPtr() : list.front());
    return configs;
}

void PxVQSystem::GetListOfOldConfigs(PxTypedList<PxVQOldConfigPtr>& configs) const
{
    ReadList("PxVQSystem::GetListOfOldConfigs", kOldConfigs, configs);
}

std::vector<std::vector<PxObjectPtr>> PxVQSystem::OldConfigsOf(const std::vector<PxObjectPtr>& systems)
{
    return ReadMembersOf("PxVQSystem::OldConfigsOf", systems, kOldConfigs);
}

int PxVQSystem::CountOfOldConfigs() const
{
    Enter("PxVQSystem::CountOfOldConfigs");
    return CountOfMembers(kOldConfigs);
}

PxVQOldConfigPtr PxVQSystem::CreateOldConfig()
{
    Enter("PxVQSystem::CreateOldConfig");
    return CreateMember(kOldConfigs, "PxVQOldConfig");
}

void PxVQSystem::GetListOfRecoveryInfos(PxTypedList<PxVQRecoveryInfoPtr>& infos) const
{
    ReadList("PxVQSystem::GetListOfRecoveryInfos", kRecoveryInfos, infos);
}

int PxVQSystem::CountOfRecoveryInfos() const
{
    Enter("PxVQSystem::CountOfRecoveryInfos");
    return CountOfMembers(kRecoveryInfos);
}

PxVQRecoveryInfoPtr PxVQSystem::GetRecoveryInfo(const PxVQOptionSetPtr& genSet) const
{
    Enter("PxVQSystem::GetRecoveryInfo");
    PxTypedList<PxVQRecoveryInfoPtr> infos;
    GetMembers(kRecoveryInfos, infos);
    for (POSITION position = infos.GetHeadPosition(); position;) {
        PxVQRecoveryInfoPtr info = infos.GetNext(position);
        if (info->RefersTo("genSet", genSet))
            return info;
    }
    return PxVQRecoveryInfoPtr();
}

PxVQRecoveryInfoPtr PxVQSystem::GetRecoveryInfo(const PxHandle& handle) const
{
    Enter("PxVQSystem::GetRecoveryInfo");
    PxTypedList<PxVQRecoveryInfoPtr> infos;
    GetMembers(kRecoveryInfos, infos);
    for (POSITION position = infos.GetHeadPosition(); position;) {
        PxVQRecoveryInfoPtr info = infos.GetNext(position);
        if (info->GetHandle() == handle)
            return info;
    }
    return PxVQRecoveryInfoPtr();
}

PxVQRecoveryInfoPtr PxVQSystem::GetRecoveryInfo(const char* displayString) const
{
    return GetRecoveryInfo(PxHandle::FromDisplayString(displayString));
}

PxVQRecoveryInfoPtr PxVQSystem::CreateRecoveryInfo(const PxVQOptionSetPtr& genSet)
{
    Enter("PxVQSystem::CreateRecoveryInfo");
    PxVQRecoveryInfoPtr info = CreateMember(kRecoveryInfos, "PxVQRecoveryInfo");
    info->SetAttributeObject("genSet", genSet);
    return info;
}

BOOL PxVQSystem::IsMonitorRecoveryInfoPresent(const char* userCode) const
{
    Enter("PxVQSystem::IsMonitorRecoveryInfoPresent");
    return IsRecoveryInfoPresent(PxVQRecoveryInfo::kMonitorGenerate, userCode);
}

BOOL PxVQSystem::IsReportRecoveryInfoPresent(const char* userCode) const
{
    Enter("PxVQSystem::IsReportRecoveryInfoPresent");
    return IsRecoveryInfoPresent(PxVQRecoveryInfo::kReportGenerate, userCode);
}

BOOL PxVQSystem::IsBundleRecoveryInfoPresent(const char* userCode) const
{
    Enter("PxVQSystem::IsBundleRecoveryInfoPresent");
    return IsRecoveryInfoPresent(PxVQRecoveryInfo::kBundleGenerate, userCode);
}

BOOL PxVQSystem::IsRecoveryInfoPresent(int generateType, const char* userCode) const
{
    std::string_view user = UserPart(userCode);
    PxTypedList<PxVQRecoveryInfoPtr> infos;
    GetMembers(kRecoveryInfos, infos);
    for (POSITION position = infos.GetHeadPosition(); position;) {
        PxVQRecoveryInfoPtr info = infos.GetNext(position);
        if (info->getGenerateType() != generateType)
            continue;
        if (user.empty() || UserPart(info->GetUserId()) == user)
            return TRUE;
    }
    return FALSE;
}
