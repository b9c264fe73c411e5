#include "proxy/PxVQBundle.h"

#include "proxy/PxException.h"
#include "proxy/PxList.h"
#include "proxy/PxObjectKind.h"
#include "proxy/PxTypedList.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQIspecSoftLink.h"

#include <string>
#include <vector>

PX_IMPLEMENT_CLASS(PxVQBundle, PxKindBundle)
PX_IMPLEMENT_CLASS(PxVQIspecBundleData, PxKindIspecBundleData)

PX_IMPLEMENT_TEXT_PROPERTY(PxVQBundle, Name, "name")
PX_IMPLEMENT_TEXT_PROPERTY(PxVQBundle, LongName, "longName")
PX_IMPLEMENT_TEXT_PROPERTY(PxVQBundle, Description, "description")
PX_IMPLEMENT_TEXT_PROPERTY(PxVQBundle, JavaClass, "javaClass")
PX_IMPLEMENT_TEXT_PROPERTY(PxVQBundle, JavaClassCGLG, "javaClassCGLG")
PX_IMPLEMENT_VALUE_PROPERTY(PxVQBundle, int, ContainsAllIspecs, "containsAllIspecs")
PX_IMPLEMENT_VALUE_PROPERTY(PxVQBundle, int, GenerateViews, "generateViews")
PX_IMPLEMENT_VALUE_PROPERTY(PxVQBundle, int, GenerateCGLGinterface, "generateCGLGinterface")
PX_IMPLEMENT_VALUE_PROPERTY(PxVQBundle, int, UserDefinedClass, "userDefinedClass")
PX_IMPLEMENT_VALUE_PROPERTY(PxVQBundle, int, UserDefinedCGLGClass, "userDefinedCGLGClass")
PX_IMPLEMENT_VALUE_PROPERTY(PxVQBundle, int, GettersAndSetters, "gettersAndSetters")

namespace {

std::string LanguageSelectionAttribute(int slot)
{
    if (slot < 1 || slot > 15)
        PX_THROW("There is no language slot %1; the slots are 1 to 15.", std::to_string(slot).c_str());
    return "languageSelection" + std::to_string(slot);
}

} // namespace

int PxVQBundle::GetLanguageSelection(int slot) const
{
    Enter("PxVQBundle::GetLanguageSelection");
    return static_cast<int>(GetAttributeInt(LanguageSelectionAttribute(slot).c_str()));
}

void PxVQBundle::SetLanguageSelection(int slot, int selected)
{
    Enter("PxVQBundle::SetLanguageSelection");
    SetAttributeInt(LanguageSelectionAttribute(slot).c_str(), selected != 0 ? 1 : 0);
}

PxVQBSSoftLinkPtr PxVQBundle::GetBSSoftLink() const
{
    Enter("PxVQBundle::GetBSSoftLink");
    return GetOwner();
}

PxVQIspecBundleDataPtr PxVQBundle::AddIspecToBundle(const PxVQIspecSoftLinkPtr& ispec)
{
    Enter("PxVQBundle::AddIspecToBundle");
    if (!ispec)
        PX_THROW("Cannot add a null Ispec to a bundle.");
    EntriesByIspec entries = ReadEntriesByIspec();
    return FindOrCreateEntry(entries, ispec);
}

void PxVQBundle::AddIspecsToBundle(const PxList& ispecs)
{
    Enter("PxVQBundle::AddIspecsToBundle");
    std::vector<PxVQIspecSoftLinkPtr> toAdd;
    POSITION position;
    for (ispecs.SetIteratorToHead(position); ispecs.IsIteratorActive(position);) {
        PxObjectPtr object = ispecs.GetCurItToNext(position);
        PxVQIspecSoftLinkPtr ispec(object);
        if (!ispec)
            PX_THROW("Only Ispec soft links can be added to a bundle, not an object of class %1.",
                     object ? object->GetClassName().GetString() : "(none)");
        if (!ispec->ObjectPresent())
            PX_THROW_DELETED("Cannot add an Ispec to a bundle: it is no longer in the repository.");
        toAdd.push_back(ispec);
    }
    EntriesByIspec entries = ReadEntriesByIspec();
    for (const PxVQIspecSoftLinkPtr& ispec : toAdd)
        FindOrCreateEntry(entries, ispec);
}

PxVQBundle::EntriesByIspec PxVQBundle::ReadEntriesByIspec() const
{
    PxTypedList<PxVQIspecBundleDataPtr> list;
    GetMembers(kEntries, list);
    EntriesByIspec entries;
    for (POSITION position = list.GetHeadPosition(); position;) {
        PxVQIspecBundleDataPtr entry = list.GetNext(position);
        entries.emplace(entry->GetAttributeInt("ispec"), entry);
    }
    return entries;
}

PxVQIspecBundleDataPtr PxVQBundle::FindOrCreateEntry(EntriesByIspec& entries, const PxVQIspecSoftLinkPtr& ispec)
{
    const auto oid = static_cast<std::int64_t>(ispec->GetHandle().MapKey());
    auto found = entries.find(oid);
    if (found != entries.end())
        return found->second;
    PxVQIspecBundleDataPtr entry = CreateSharedMember(kEntries, "PxVQIspecBundleData", ispec, kEntries);
    entry->SetAttributeObject("ispec", ispec);
    entry->SetAttributeObject("bundle", PxObjectPtr(this));
    entries.emplace(oid, entry);
    return entry;
}

void PxVQBundle::GetListOfIspecBundleData(PxTypedList<PxVQIspecBundleDataPtr>& entries) const
{
    ReadList("PxVQBundle::GetListOfIspecBundleData", kEntries, entries);
}

std::vector<std::vector<PxObjectPtr>> PxVQBundle::IspecBundleDataOf(const std::vector<PxObjectPtr>& bundles)
{
    return std::move(ReadMembersOfEach({IspecBundleDataAsked(bundles)}).front());
}

PxObject::MembersAsked PxVQBundle::IspecBundleDataAsked(const std::vector<PxObjectPtr>& bundles)
{
    return {"PxVQBundle::IspecBundleDataOf", bundles, kEntries};
}

std::vector<int> PxVQBundle::CountsOfIspecBundleData(const std::vector<PxObjectPtr>& bundles)
{
    return ReadListSizes("PxVQBundle::CountsOfIspecBundleData", bundles, kEntries);
}

PxVQIspecSoftLinkPtr PxVQIspecBundleData::GetIspecInformation() const
{
    return ReadObject("PxVQIspecBundleData::GetIspecInformation", "ispec");
}

std::vector<PxObjectPtr> PxVQIspecBundleData::IspecInformationsOf(const std::vector<PxObjectPtr>& entries)
{
    return std::move(ReadObjectsOfEach({IspecInformationsAsked(entries)}).front());
}

PxObject::ReferencesAsked PxVQIspecBundleData::IspecInformationsAsked(const std::vector<PxObjectPtr>& entries)
{
    return {"PxVQIspecBundleData::IspecInformationsOf", entries, "ispec"};
}

PxVQBundlePtr PxVQIspecBundleData::GetBundleInformation() const
{
    return ReadObject("PxVQIspecBundleData::GetBundleInformation", "bundle");
}
