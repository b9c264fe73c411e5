#include "proxy/PxVQBSSoftLink.h"

#include "proxy/PxException.h"
#include "proxy/PxObjectKind.h"
#include "proxy/PxTypedList.h"
#include "proxy/PxVQBundle.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQElementSoftLink.h"
#include "proxy/PxVQProfileSoftLink.h"
#include "proxy/PxVQReportGroup.h"
#include "proxy/VqcSyncPair.h"

#include <cstring>
#include <string>
#include <vector>

PX_IMPLEMENT_CLASS(PxVQBSSoftLink, PxKindBSSoftLink)

PX_IMPLEMENT_VALUE_PROPERTY(PxVQBSSoftLink, int, PrimaryLanguageSlot, "primaryLanguageSlot")
PX_IMPLEMENT_VALUE_PROPERTY(PxVQBSSoftLink, int, SysUseROC, "sysUseROC")
PX_IMPLEMENT_VALUE_PROPERTY(PxVQBSSoftLink, int, LastSyncOption, "lastSyncOption")

namespace {

constexpr const char* kElementSoftLinks = "elementSoftLinks";
constexpr const char* kReportGroups = "reportGroups";
constexpr const char* kBundles = "bundles";
constexpr const char* kSyncPairCount = "syncPairCount";

const char* ElementLinkClass(int type)
{
    switch (type) {
    case VQSoftLinkIspec:
        return "PxVQIspecSoftLink";
    case VQSoftLinkReport:
        return "PxVQReportSoftLink";
    case VQSoftLinkProfile:
        return "PxVQProfileSoftLink";
    case VQSoftLinkGlobalLogic:
        return "PxVQGlobalLogicSoftLink";
    case VQSoftLinkSQLScript:
        return "PxVQSQLScriptSoftLink";
    default:
        return nullptr;
    }
}

std::string LanguageAttribute(int slot)
{
    if (slot < 1 || slot > 15)
        PX_THROW("There is no language slot %1; the slots are 1 to 15.", std::to_string(slot).c_str());
    return "language" + std::to_string(slot);
}

std::string SubsystemAttribute(const char* code)
{
    static const char* const codes[] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "A", "B", "C", "LSS"};
    for (const char* known : codes)
        if (code && std::strcmp(code, known) == 0)
            return std::string("subsystem.") + known;
    PX_THROW("There is no subsystem code %1.", code ? code : "");
}

std::string SyncPairAttribute(int index, const char* end)
{
    return "syncPair" + std::to_string(index) + "." + end;
}

} // namespace

PxVQConfigPtr PxVQBSSoftLink::GetConfig() const
{
    Enter("PxVQBSSoftLink::GetConfig");
    return GetOwner();
}

PxVQConfigPtr PxVQBSSoftLink::ConfigOfLink() const { return GetOwner(); }

int PxVQBSSoftLink::GetElementType() const
{
    Enter("PxVQBSSoftLink::GetElementType");
    return VQSoftLinkBusinessSegment;
}

PxVQElementSoftLinkPtr PxVQBSSoftLink::CreateElementSoftLink(const char* name, int type)
{
    Enter("PxVQBSSoftLink::CreateElementSoftLink");
    const char* className = ElementLinkClass(type);
    if (!className)
        PX_THROW("Cannot create an element soft link of the unknown type %1.", std::to_string(type).c_str());
    PxVQElementSoftLinkPtr link = CreateMember(kElementSoftLinks, className);
    link->SetAttributeText("name", name);
    return link;
}

void PxVQBSSoftLink::GetListOfElementSoftLinks(PxTypedList<PxVQElementSoftLinkPtr>& links) const
{
    ReadList("PxVQBSSoftLink::GetListOfElementSoftLinks", kElementSoftLinks, links);
}

PxVQElementSoftLinkPtr PxVQBSSoftLink::GetElementSoftLink(const char* name) const
{
    Enter("PxVQBSSoftLink::GetElementSoftLink");
    return FindMember(kElementSoftLinks, "name", name);
}

PxVQReportGroupPtr PxVQBSSoftLink::CreateReportGroup(const char* name)
{
    Enter("PxVQBSSoftLink::CreateReportGroup");
    PxVQReportGroupPtr group = CreateMember(kReportGroups, "PxVQReportGroup");
    group->SetAttributeText("name", name);
    return group;
}

void PxVQBSSoftLink::GetListOfReportGroups(PxTypedList<PxVQReportGroupPtr>& groups) const
{
    ReadList("PxVQBSSoftLink::GetListOfReportGroups", kReportGroups, groups);
}

PxVQReportGroupPtr PxVQBSSoftLink::GetReportGroup(const char* name) const
{
    Enter("PxVQBSSoftLink::GetReportGroup");
    return FindMember(kReportGroups, "name", name);
}

PxVQBundlePtr PxVQBSSoftLink::CreateBundle(const char* name)
{
    Enter("PxVQBSSoftLink::CreateBundle");
    PxVQBundlePtr bundle = CreateMember(kBundles, "PxVQBundle");
    bundle->SetAttributeText("name", name);
    return bundle;
}

void PxVQBSSoftLink::GetListOfBundles(PxTypedList<PxVQBundlePtr>& bundles) const
{
    ReadList("PxVQBSSoftLink::GetListOfBundles", kBundles, bundles);
}

void PxVQBSSoftLink::GetListsOfContents(PxTypedList<PxVQElementSoftLinkPtr>& links,
                                        PxTypedList<PxVQReportGroupPtr>& groups,
                                        PxTypedList<PxVQBundlePtr>& bundles) const
{
    ReadLists({{"PxVQBSSoftLink::GetListOfElementSoftLinks", kElementSoftLinks, &links},
               {"PxVQBSSoftLink::GetListOfReportGroups", kReportGroups, &groups},
               {"PxVQBSSoftLink::GetListOfBundles", kBundles, &bundles}});
}

std::vector<std::pair<std::string, std::string>> PxVQBSSoftLink::ListsBelow()
{
    return {{kElementSoftLinks, PxVQProfileSoftLink::kProfilesOfComponent},
            {kReportGroups, PxVQReportGroup::kAliases},
            {kBundles, PxVQBundle::kEntries}};
}

std::vector<PxVQBSSoftLink::Contents> PxVQBSSoftLink::ContentsOf(const std::vector<PxObjectPtr>& links)
{
    const char* operation = "PxVQBSSoftLink::ContentsOf";
    std::vector<std::vector<std::vector<PxObjectPtr>>> lists = ReadMembersOfEach(
        {{operation, links, kElementSoftLinks}, {operation, links, kReportGroups}, {operation, links, kBundles}});
    std::vector<Contents> contents(links.size());
    for (std::size_t index = 0; index < links.size(); ++index)
        contents[index] = {std::move(lists[0][index]), std::move(lists[1][index]), std::move(lists[2][index])};
    return contents;
}

std::vector<std::vector<PxObjectPtr>> PxVQBSSoftLink::ElementSoftLinksOf(const std::vector<PxObjectPtr>& links)
{
    return ReadMembersOf("PxVQBSSoftLink::GetListOfElementSoftLinks", links, kElementSoftLinks);
}

void PxVQBSSoftLink::SetLanguage(int slot, const char* name)
{
    Enter("PxVQBSSoftLink::SetLanguage");
    SetAttributeText(LanguageAttribute(slot).c_str(), name);
}

CString PxVQBSSoftLink::GetLanguage(int slot) const
{
    Enter("PxVQBSSoftLink::GetLanguage");
    return GetAttributeText(LanguageAttribute(slot).c_str());
}

void PxVQBSSoftLink::SetSubsystemName(const char* code, const char* name)
{
    Enter("PxVQBSSoftLink::SetSubsystemName");
    SetAttributeText(SubsystemAttribute(code).c_str(), name);
}

CString PxVQBSSoftLink::GetSubsystemName(const char* code) const
{
    Enter("PxVQBSSoftLink::GetSubsystemName");
    return GetAttributeText(SubsystemAttribute(code).c_str());
}

void PxVQBSSoftLink::SetSyncPairList(const CList<VqcSyncPair, const VqcSyncPair&>& pairs)
{
    Enter("PxVQBSSoftLink::SetSyncPairList");
    for (POSITION position = pairs.GetHeadPosition(); position;) {
        const VqcSyncPair& pair = pairs.GetNext(position);
        if (!pair.element || !pair.link)
            PX_THROW("A synchronisation pair needs both its design element and its soft link.");
    }
    int oldCount = static_cast<int>(GetAttributeInt(kSyncPairCount));
    int index = 0;
    for (POSITION position = pairs.GetHeadPosition(); position; ++index) {
        const VqcSyncPair& pair = pairs.GetNext(position);
        SetAttributeObject(SyncPairAttribute(index, "element").c_str(), pair.element);
        SetAttributeObject(SyncPairAttribute(index, "link").c_str(), pair.link);
    }
    for (int stale = index; stale < oldCount; ++stale) {
        RemoveAttribute(SyncPairAttribute(stale, "element").c_str());
        RemoveAttribute(SyncPairAttribute(stale, "link").c_str());
    }
    SetAttributeInt(kSyncPairCount, index);
}

void PxVQBSSoftLink::GetSyncPairList(CList<VqcSyncPair, const VqcSyncPair&>& pairs) const
{
    Enter("PxVQBSSoftLink::GetSyncPairList");
    pairs.RemoveAll();
    int count = static_cast<int>(GetAttributeInt(kSyncPairCount));
    std::vector<std::string> names;
    for (int index = 0; index < count; ++index) {
        names.push_back(SyncPairAttribute(index, "element"));
        names.push_back(SyncPairAttribute(index, "link"));
    }
    std::vector<PxObjectPtr> objects = GetAttributeObjects(names);
    for (std::size_t index = 0; index + 1 < objects.size(); index += 2) {
        VqcSyncPair pair{objects[index], objects[index + 1]};
        // A pair one of whose objects has been deleted is no longer a pair.
        if (pair.element && pair.link)
            pairs.AddTail(pair);
    }
}

void PxVQBSSoftLink::SetSyncGenRevisionGUID(const GUID& guid)
{
    Enter("PxVQBSSoftLink::SetSyncGenRevisionGUID");
    SetAttributeBlob("syncGenRevisionGUID", &guid, sizeof(guid));
}

GUID PxVQBSSoftLink::GetSyncGenRevisionGUID() const
{
    Enter("PxVQBSSoftLink::GetSyncGenRevisionGUID");
    GUID guid{};
    std::vector<BYTE> bytes = GetAttributeBlob("syncGenRevisionGUID");
    if (bytes.size() == sizeof(guid))
        std::memcpy(&guid, bytes.data(), sizeof(guid));
    return guid;
}
