#include "proxy/PxVQIspecSoftLink.h"

#include "proxy/PxObjectKind.h"
#include "proxy/PxOptionRecords.h"
#include "proxy/PxTypedList.h"
#include "proxy/PxVQBundle.h"
#include "proxy/PxVQProfileSoftLink.h"

PX_IMPLEMENT_CLASS(PxVQIspecSoftLink, PxKindIspecSoftLink)

PX_IMPLEMENT_VALUE_PROPERTY(PxVQIspecSoftLink, int, IspecUsage, "ispecUsage")
PX_IMPLEMENT_VALUE_PROPERTY(PxVQIspecSoftLink, int, ExternalOnlyIspec, "externalOnlyIspec")
PX_IMPLEMENT_TEXT_PROPERTY(PxVQIspecSoftLink, IspecDataItems, "ispecDataItems")
PX_IMPLEMENT_TEXT_PROPERTY(PxVQIspecSoftLink, IspecFillerDataItems, "ispecFillerDataItems")

int PxVQIspecSoftLink::GetIspecType() const
{
    Enter("PxVQIspecSoftLink::GetIspecType");
    return HasAttribute("ispecType") ? static_cast<int>(GetAttributeInt("ispecType")) : PxOptionRecords::kDefaultIspecType;
}

void PxVQIspecSoftLink::SetIspecType(int type)
{
    Enter("PxVQIspecSoftLink::SetIspecType");
    bool renew = PxOptionRecords::IspecRecordKind(type) != PxOptionRecords::IspecRecordKind(GetIspecType());
    SetAttributeInt("ispecType", type);
    if (renew)
        RenewOptions();
}

void PxVQIspecSoftLink::GetListOfIspecBundleData(PxTypedList<PxVQIspecBundleDataPtr>& entries) const
{
    ReadList("PxVQIspecSoftLink::GetListOfIspecBundleData", PxVQBundle::kEntries, entries);
}

void PxVQIspecSoftLink::DeleteIspecBundleData(const PxVQBundlePtr& bundle)
{
    Enter("PxVQIspecSoftLink::DeleteIspecBundleData");
    if (!bundle)
        return;
    PxTypedList<PxVQIspecBundleDataPtr> entries;
    GetMembers(PxVQBundle::kEntries, entries);
    for (POSITION position = entries.GetHeadPosition(); position;) {
        PxVQIspecBundleDataPtr entry = entries.GetNext(position);
        if (entry->RefersTo("bundle", bundle))
            entry->DeleteObject();
    }
}

void PxVQIspecSoftLink::GetListOfProfileSoftLinks(PxTypedList<PxVQProfileSoftLinkPtr>& profiles) const
{
    ReadList("PxVQIspecSoftLink::GetListOfProfileSoftLinks", PxVQProfileSoftLink::kProfilesOfComponent, profiles);
}

std::vector<std::vector<PxObjectPtr>> PxVQIspecSoftLink::ProfileSoftLinksOf(const std::vector<PxObjectPtr>& ispecs)
{
    return std::move(ReadMembersOfEach({ProfileSoftLinksAsked(ispecs)}).front());
}

PxObject::MembersAsked PxVQIspecSoftLink::ProfileSoftLinksAsked(const std::vector<PxObjectPtr>& ispecs)
{
    return {"PxVQIspecSoftLink::ProfileSoftLinksOf", ispecs, PxVQProfileSoftLink::kProfilesOfComponent};
}

std::vector<int> PxVQIspecSoftLink::CountsOfProfileSoftLinks(const std::vector<PxObjectPtr>& ispecLinks)
{
    return ReadListSizes("PxVQIspecSoftLink::CountsOfProfileSoftLinks", ispecLinks,
                         PxVQProfileSoftLink::kProfilesOfComponent);
}

BOOL PxVQIspecSoftLink::IsRemovable() const { return ReadInt("PxVQIspecSoftLink::IsRemovable", "unusedMark") != 0; }

int PxVQIspecSoftLink::GetElementType() const
{
    Enter("PxVQIspecSoftLink::GetElementType");
    return VQSoftLinkIspec;
}
