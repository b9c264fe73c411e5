#include "proxy/PxVQOptionSet.h"

#include "proxy/PxException.h"
#include "proxy/PxObjectKind.h"
#include "proxy/PxOptionRecords.h"
#include "proxy/PxOptions.h"
#include "proxy/PxTypedList.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQSoftLink.h"

PX_IMPLEMENT_CLASS(PxVQOptionSet, PxKindOptionSet)
PX_IMPLEMENT_CLASS(PxVQGenSet, PxKindOptionSet)

PX_IMPLEMENT_TEXT_PROPERTY(PxVQOptionSet, Name, "name")
PX_IMPLEMENT_TEXT_PROPERTY(PxVQOptionSet, LongName, "longName")
PX_IMPLEMENT_TEXT_PROPERTY(PxVQOptionSet, Description, "description")
PX_IMPLEMENT_TEXT_PROPERTY(PxVQGenSet, HostName, "hostName")

int PxVQOptionSet::GetHostType() const { return static_cast<int>(ReadInt("PxVQOptionSet::GetHostType", "hostType")); }

PxVQConfigPtr PxVQOptionSet::GetConfig() const
{
    Enter("PxVQOptionSet::GetConfig");
    return GetOwner();
}

void PxVQOptionSet::CreateBlankOptions()
{
    Enter("PxVQOptionSet::CreateBlankOptions");
    PxOptionRecords::CreateForSet(PxVQOptionSetPtr(this));
}

void PxVQOptionSet::GetAllOptions(PxObjectCollection& options) const
{
    ReadList("PxVQOptionSet::GetAllOptions", PxOptionRecords::kRole, options);
}

std::vector<std::vector<PxObjectPtr>> PxVQOptionSet::AllOptionsOf(const std::vector<PxObjectPtr>& optionSets)
{
    return ReadMembersOf("PxVQOptionSet::AllOptionsOf", optionSets, PxOptionRecords::kRole);
}

PxOptionsPtr PxVQOptionSet::GetOptions(const PxVQSoftLinkPtr& link) const
{
    Enter("PxVQOptionSet::GetOptions");
    return link ? PxOptionRecords::Find(*link, *this) : PxOptionsPtr();
}

int PxVQOptionSet::GetObjectKind() const { return PxKindOptionSet; }

int PxVQGenSet::GetObjectKind() const
{
    std::int64_t hostType = -1;
    try {
        hostType = GetAttributeInt("hostType");
    } catch (const PxException&) {
        // A set that is gone is named as an option set.
    }
    switch (hostType) {
    case 0:
        return PxKindGenerateSetWindows;
    case 1:
        return PxKindGenerateSetQSR;
    case 2:
        return PxKindGenerateSetTarsk;
    case 3:
        return PxKindGenerateSetUnix;
    default:
        return PxKindOptionSet;
    }
}
