// A bundle of a business segment's soft link: the Ispecs it generates, as Ispec bundle
// data entries (each goes with its bundle and with its Ispec link), and its settings.
#pragma once

#include "proxy/PxForward.h"
#include "proxy/PxProperty.h"
#include "proxy/PxVQObject.h"

#include <cstdint>
#include <unordered_map>

class PxVQBundle : public PxVQObject {
    PX_DECLARE_CLASS(PxVQBundle, PxVQObject)

    PX_TEXT_PROPERTY(Name)
    PX_TEXT_PROPERTY(LongName)
    PX_TEXT_PROPERTY(Description)
    PX_TEXT_PROPERTY(JavaClass)
    PX_TEXT_PROPERTY(JavaClassCGLG)
    PX_VALUE_PROPERTY(int, ContainsAllIspecs)
    PX_VALUE_PROPERTY(int, GenerateViews)
    PX_VALUE_PROPERTY(int, GenerateCGLGinterface)
    PX_VALUE_PROPERTY(int, UserDefinedClass)
    PX_VALUE_PROPERTY(int, UserDefinedCGLGClass)
    PX_VALUE_PROPERTY(int, GettersAndSetters)
    // Slots 1 to 15.
    int GetLanguageSelection(int slot) const;
    void SetLanguageSelection(int slot, int selected);

    PxVQBSSoftLinkPtr GetBSSoftLink() const;
    // The Ispec's entry; an Ispec already in the bundle keeps its entry.
    PxVQIspecBundleDataPtr AddIspecToBundle(const PxVQIspecSoftLinkPtr& ispec);
    // Every object of the list must be an Ispec soft link, or nothing is added. Entries
    // follow the list's order; an Ispec already in the bundle, or named twice, gets one.
    void AddIspecsToBundle(const PxList& ispecs);
    void GetListOfIspecBundleData(PxTypedList<PxVQIspecBundleDataPtr>& entries) const;
    // The number of entries of each of these bundles, read together.
    static std::vector<int> CountsOfIspecBundleData(const std::vector<PxObjectPtr>& bundles);
    // The entries of each of these bundles, as GetListOfIspecBundleData of each gives them,
    // read together.
    static std::vector<std::vector<PxObjectPtr>> IspecBundleDataOf(const std::vector<PxObjectPtr>& bundles);
    // The same read, to be read with others (PxObject::ReadMembersOfEach).
    static MembersAsked IspecBundleDataAsked(const std::vector<PxObjectPtr>& bundles);

    // The list of a bundle, and of an Ispec link, that holds the entries.
    static constexpr const char* kEntries = "ispecBundleData";

protected:
    PxVQBundle() = default;

private:
    // The bundle's entries by the object id of the Ispec each names.
    using EntriesByIspec = std::unordered_map<std::int64_t, PxVQIspecBundleDataPtr>;
    EntriesByIspec ReadEntriesByIspec() const;
    PxVQIspecBundleDataPtr FindOrCreateEntry(EntriesByIspec& entries, const PxVQIspecSoftLinkPtr& ispec);
};

class PxVQIspecBundleData : public PxVQObject {
    PX_DECLARE_CLASS(PxVQIspecBundleData, PxVQObject)

    PxVQIspecSoftLinkPtr GetIspecInformation() const;
    // The Ispec link of each of these entries, as GetIspecInformation of each answers, read together.
    static std::vector<PxObjectPtr> IspecInformationsOf(const std::vector<PxObjectPtr>& entries);
    // The same read, to be read with others (PxObject::ReadObjectsOfEach).
    static ReferencesAsked IspecInformationsAsked(const std::vector<PxObjectPtr>& entries);
    PxVQBundlePtr GetBundleInformation() const;

protected:
    PxVQIspecBundleData() = default;
};
