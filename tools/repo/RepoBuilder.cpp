#include "repo/RepoBuilder.h"

#include "repo/RepoError.h"

#include "proxy/PxCompOptions.h"
#include "proxy/PxIspecOptions.h"
#include "proxy/PxLSEAssociation.h"
#include "proxy/PxLSEBuilder.h"
#include "proxy/PxLSEBusinessSegment.h"
#include "proxy/PxLSEDataItem.h"
#include "proxy/PxLSEIspec.h"
#include "proxy/PxLSEParts.h"
#include "proxy/PxLSEProfile.h"
#include "proxy/PxLSERevisionId.h"
#include "proxy/PxNTBSegOptions.h"
#include "proxy/PxProfileOptions.h"
#include "proxy/PxQSRBSegOptions.h"
#include "proxy/PxReportOptions.h"
#include "proxy/PxTarskBSegOptions.h"
#include "proxy/PxTypedList.h"
#include "proxy/PxUnixBSegOptions.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQBundle.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQGlobalLogicSoftLink.h"
#include "proxy/PxVQHostInformation.h"
#include "proxy/PxVQHostPackData.h"
#include "proxy/PxVQIspecSoftLink.h"
#include "proxy/PxVQLink.h"
#include "proxy/PxVQOptionSet.h"
#include "proxy/PxVQPackInformation.h"
#include "proxy/PxVQProfileSoftLink.h"
#include "proxy/PxVQReportGroup.h"
#include "proxy/PxVQReportSoftLink.h"
#include "proxy/PxVQSystem.h"
#include "win/Clock.h"

#include <cstring>
#include <initializer_list>
#include <map>
#include <unordered_map>
#include <vector>

namespace vqrepo {

namespace {

constexpr const char* kRevisionKinds[] = {"Revision",          "GSDRevision",       "AllElementsRevision",
                                          "SyncGenRevision",   "GraphicalRevision", "CharacterRevision",
                                          "DataItemRevision",  "DbRevision",        "TeachRevision"};

// Design colours 1 to 8 as option colours.
constexpr int kColourOfDesign[] = {0, 1, 4, 5, 3, 7, 2, 6};

// Gives one pack option of a record its own value; false when the record has no such option.
bool SetPackOption(const PxOptionsPtr& record, const std::string& option, const char* value)
{
    if (option == "DefPack") {
        if (PxBSegOptionsPtr segment = record) {
            segment->SetDefPack(value);
            return true;
        }
    } else if (option == "ReorgPack") {
        if (PxNTBSegOptionsPtr nt = record) {
            nt->SetReorgPack(value);
            return true;
        }
        if (PxUnixBSegOptionsPtr unix = record) {
            unix->SetReorgPack(value);
            return true;
        }
        if (PxQSRBSegOptionsPtr qsr = record) {
            qsr->SetReorgPack(value);
            return true;
        }
    } else if (option == "PackMapping") {
        if (PxQSRBSegOptionsPtr qsr = record) {
            qsr->SetPackMapping(value);
            return true;
        }
    } else if (option == "CompPack") {
        if (PxCompOptionsPtr component = record) {
            component->SetCompPack(value);
            return true;
        }
    } else if (option == "ExtractPack") {
        if (PxReportOptionsPtr report = record) {
            report->SetExtractPack(value);
            return true;
        }
    } else if (option == "Pack") {
        if (PxProfileOptionsPtr profile = record) {
            profile->SetPack(value);
            return true;
        }
    }
    return false;
}

GUID GuidOf(const std::string& key)
{
    std::uint64_t first = 14695981039346656037ull;
    std::uint64_t second = 1099511628211ull;
    for (unsigned char c : key) {
        first = (first ^ c) * 1099511628211ull;
        second = (second + c) * 6364136223846793005ull + 1442695040888963407ull;
    }
    GUID guid{};
    std::memcpy(&guid, &first, sizeof(first));
    std::memcpy(reinterpret_cast<char*>(&guid) + sizeof(first), &second, sizeof(second));
    return guid;
}

bool Contains(const std::vector<std::string>& list, const std::string& item)
{
    for (const std::string& entry : list)
        if (entry == item)
            return true;
    return false;
}

int UsageOfLetter(char letter)
{
    switch (letter) {
    case 'Q':
        return WYR_ISPEC_USAGE_INQUIRY;
    case 'I':
        return WYR_ISPEC_USAGE_INPUT;
    case 'O':
        return WYR_ISPEC_USAGE_OUTPUT;
    case 'B':
        return WYR_ISPEC_USAGE_BOTH;
    default:
        return WYR_ISPEC_USAGE_NONE;
    }
}

bool IsKindOf(const std::string& className, const char* base)
{
    const PxClassInfo* info = PxFindClass(className.c_str());
    return info && info->IsKindOf(base);
}

int IspecTypeOf(const ElementDesc& element)
{
    if (IsKindOf(element.className, "PxLSEEvent"))
        return 0;
    if (!IsKindOf(element.className, "PxLSEComponent"))
        return 5;
    auto type = element.properties.numbers.find("type");
    switch (PxLSEComponentType(type == element.properties.numbers.end() ? 0 : static_cast<int>(type->second)).Letter()) {
    case 'D':
        return 4;
    case 'M':
        return 2;
    case 'T':
        return 3;
    default:
        return 1;
    }
}

int LinkTypeOf(const std::string& className)
{
    if (IsKindOf(className, "PxLSEIspec"))
        return VQSoftLinkIspec;
    if (className == "PxLSEGlobalLogic")
        return VQSoftLinkGlobalLogic;
    if (className == "PxLSEProfile")
        return VQSoftLinkProfile;
    if (className == "PxLSEReport")
        return VQSoftLinkReport;
    return 0;
}

struct DesignSegment {
    PxLSEBusinessSegmentPtr segment;
    std::map<std::string, PxLSEElementPtr> elements;
};

class Builder {
public:
    Builder(PxVQLink& link, std::int64_t timeStamp)
        : m_design(link), m_enterprise(link.GetLVQEnterprise()), m_timeStamp(timeStamp)
    {
    }

    void Build(const RepoDescription& description)
    {
        m_design.SetAllowLongNames(description.allowLongNames);
        if (!description.enterpriseName.empty() || !description.enterpriseLongName.empty())
            m_design.SetEnterpriseNames(description.enterpriseName.c_str(), description.enterpriseLongName.c_str());
        for (const SegmentDesc& segment : description.segments)
            BuildSegment(segment);
        for (const HostDesc& host : description.hosts)
            BuildHost(host);
        for (const PackDesc& pack : description.packs)
            BuildPack(pack);
        for (const SystemDesc& system : description.systems)
            BuildSystem(system);
        for (const SegmentDesc& segment : description.segments)
            ChangeDesign(segment);
    }

private:
    void AddRevisions(const PxObjectPtr& object, const std::string& place,
                      const std::vector<std::string>& missing)
    {
        for (const char* which : kRevisionKinds)
            if (PxLSEBuilder::IsRevisionOf(object->GetClassName(), which) && !Contains(missing, which))
                m_design.AddRevision(object, which, GuidOf(place + "/" + which));
    }

    void SetProperties(const PxObjectPtr& object, const Properties& properties)
    {
        for (const auto& [name, text] : properties.texts)
            m_design.SetText(object, name.c_str(), text.c_str());
        for (const auto& [name, number] : properties.numbers)
            m_design.SetNumber(object, name.c_str(), number);
    }

    void BuildSegment(const SegmentDesc& description)
    {
        m_segmentDescriptions[description.name] = &description;
        DesignSegment& design = m_segments[description.name];
        design.segment = m_design.AddBusinessSegment(description.name.c_str());
        SetProperties(design.segment, description.properties);
        AddRevisions(design.segment, description.place, description.missingRevisions);
        for (const LanguageDesc& language : description.languages) {
            PxLSELanguagePtr added = m_design.AddLanguage(design.segment, language.name.c_str(), language.slot);
            if (language.name == description.primaryLanguage)
                m_design.SetPrimaryLanguage(design.segment, added);
        }
        for (const SubsystemDesc& subsystem : description.subsystems)
            m_design.AddSubsystem(design.segment, subsystem.name.c_str(), subsystem.number);
        for (const ElementDesc& element : description.elements) {
            PxLSEElementPtr added = m_design.AddElement(design.segment, element.className.c_str(), element.name.c_str());
            SetProperties(added, element.properties);
            AddRevisions(added, element.place, element.missingRevisions);
            design.elements[element.name] = added;
        }
        for (const ElementDesc& element : description.elements)
            BuildElementParts(design, element);
        for (const RelationDesc& relation : description.relations)
            m_design.AddRelation(design.elements.at(relation.source), design.elements.at(relation.target),
                                 relation.relation.c_str());
        if (!description.lockedBy.empty())
            m_design.LockBusinessSegment(design.segment, description.lockedBy.c_str(), description.lockExclusive);
    }

    // What the design tool changed after the systems took the segment.
    void ChangeDesign(const SegmentDesc& description)
    {
        DesignSegment& design = m_segments.at(description.name);
        if (description.removed) {
            m_design.RemoveBusinessSegment(design.segment);
            return;
        }
        for (const DesignChangeDesc& change : description.designChanges) {
            auto found = design.elements.find(change.element);
            const PxLSEElementPtr element = found->second;
            design.elements.erase(found);
            if (change.change == "removed") {
                m_design.RemoveElement(element);
                continue;
            }
            m_design.RenameElement(element, change.newName.c_str());
            design.elements[change.newName] = element;
        }
    }

    void BuildElementParts(DesignSegment& design, const ElementDesc& description)
    {
        const PxLSEElementPtr& element = design.elements.at(description.name);
        for (const OrdinateDesc& ordinate : description.ordinates)
            m_design.AddOrdinate(element, design.elements.at(ordinate.target), ordinate.sequence,
                                 ordinate.linkIfPresent);
        for (const std::string& condition : description.conditions)
            m_design.AddCondition(element, condition.c_str());
        for (const DataUsageDesc& usage : description.dataUsages)
            m_design.AddScreenDataUsage(element, design.elements.at(usage.target), usage.usage, usage.memodata,
                                        usage.keywordTerm);
        for (const std::string& item : description.dataItems)
            m_design.AddDataItemToKeyword(element, design.elements.at(item));
        if (!description.ordinateProfile.empty())
            m_design.SetOrdinateProfile(element, design.elements.at(description.ordinateProfile));
    }

    void BuildHost(const HostDesc& description)
    {
        PxVQHostInformationPtr host = m_enterprise->CreateHostInformation(description.name.c_str());
        m_hosts.push_back(host);
        host->SetHostType(description.hostType);
        host->SetAddress(description.address.c_str());
        host->SetPortNumber(static_cast<LONG>(description.port));
        host->SetFtpUserid(description.ftpUserid.c_str());
        host->SetFtpPassword(description.ftpPassword.c_str(), description.encipher);
        host->SetQsr_kana_Mode(description.kanaMode);
    }

    void BuildPack(const PackDesc& description)
    {
        PxVQPackInformationPtr pack = m_enterprise->CreatePackInformation(description.name.c_str());
        pack->SetPackType(description.packType);
        PxTypedList<PxVQHostPackDataPtr> entries;
        pack->GetListOfHostPackData(entries);
        for (const AssociationDesc& association : description.associations)
            for (POSITION position = entries.GetHeadPosition(); position;) {
                PxVQHostPackDataPtr entry = entries.GetNext(position);
                PxVQHostInformationPtr host = entry->GetHostInformation();
                if (host->GetName() == association.host.c_str())
                    Associate(entry, host->GetHostType(), association);
            }
    }

    static void Associate(const PxVQHostPackDataPtr& entry, int hostType, const AssociationDesc& association)
    {
        if (hostType == VQHostNT) {
            entry->GetPackAssociationNT()->SetPath(association.path.c_str());
            entry->GetPackAssociationNT()->SetTable(association.table.c_str());
        } else if (hostType == VQHostUnix) {
            entry->GetPackAssociationUnix()->SetPath(association.path.c_str());
            entry->GetPackAssociationUnix()->SetTable(association.table.c_str());
        } else if (hostType == VQHostTarsk) {
            PxVQKeshPackAssociationTarskPtr tarsk = entry->GetPackAssociationTarsk();
            tarsk->SetFixedDisk(association.fixedDisk);
            tarsk->SetEquipmentType(association.equipmentType.c_str());
            tarsk->SetAcrName(association.acrName.c_str());
            for (std::size_t i = 0; i < association.packIds.size(); ++i)
                tarsk->SetPackId(static_cast<int>(i) + 1, association.packIds[i].c_str());
        }
    }

    static PxVQOptionSetPtr MakeOptionSet(const OptionSetDesc& description, PxVQOptionSetPtr set)
    {
        if (!description.longName.empty())
            set->SetLongName(description.longName.c_str());
        set->SetDescription(description.description.c_str());
        if (PxVQGenSetPtr genSet = set)
            genSet->SetHostName(description.host.c_str());
        return set;
    }

    void BuildSystem(const SystemDesc& description)
    {
        PxVQSystemPtr system = m_enterprise->CreateSystem(description.name.c_str());
        system->SetLongName(description.longName.c_str());
        system->SetDescription(description.description.c_str());
        system->SetRuntimeVersionIdentifier(description.runtimeVersionIdentifier.c_str());
        system->SetSystemVersionNumber(1);
        PxVQCurConfigPtr config = system->GetCurConfig();
        config->SetBuildVersionGUID(GuidOf(description.place + "/build"));
        // The sets are held while the links are made, so that their proxies (and what they
        // have read) are kept.
        std::vector<PxVQOptionSetPtr> optionSets;
        for (const OptionSetDesc& set : description.optionSets)
            optionSets.push_back(MakeOptionSet(set, config->CreateOptionSet(set.name.c_str(), set.hostType)));
        std::map<std::string, PxVQBSSoftLinkPtr> links;
        for (const std::string& name : description.segments)
            links[name] = TakeSegment(config, *m_segmentDescriptions.at(name));
        for (const ReportGroupDesc& group : description.reportGroups)
            BuildReportGroup(links.at(group.segment), group);
        for (const BundleDesc& bundle : description.bundles)
            BuildBundle(links.at(bundle.segment), bundle);
        for (std::size_t index = 0; index < optionSets.size(); ++index)
            TakeOptionValues(optionSets[index], description.optionSets[index], links);
        for (const OldConfigDesc& old : description.oldConfigs) {
            PxVQOldConfigPtr config = system->CreateOldConfig();
            config->SetGenerationTime(old.generationTime);
            config->SetFromOSName(old.fromOSName.c_str());
            if (old.hasOptionSet)
                MakeOptionSet(old.optionSet, config->CreateOptionSet(old.optionSet.name.c_str(), old.optionSet.hostType));
        }
        for (const LinkChangeDesc& change : description.linkChanges)
            ApplyLinkChange(links.at(change.segment), change);
        m_elementLinks.clear();
    }

    // The element link of the name that the segment link was given here; null for none.
    PxVQElementSoftLinkPtr ElementLink(const PxVQBSSoftLinkPtr& segmentLink, const std::string& name) const
    {
        const auto links = m_elementLinks.find(segmentLink->GetHandle());
        if (links == m_elementLinks.end())
            return PxVQElementSoftLinkPtr();
        const auto found = links->second.find(name);
        return found == links->second.end() ? PxVQElementSoftLinkPtr() : found->second;
    }

    void ApplyLinkChange(const PxVQBSSoftLinkPtr& segmentLink, const LinkChangeDesc& change)
    {
        if (change.change == "stray") {
            PxVQElementSoftLinkPtr link =
                segmentLink->CreateElementSoftLink(change.element.c_str(), LinkTypeOf(change.className));
            link->SetUnusedMark(0);
            link->SetRefTime(m_timeStamp);
            link->CreateBlankOptions();
            return;
        }
        PxVQElementSoftLinkPtr link = ElementLink(segmentLink, change.element);
        if (change.change == "missing") {
            link->RecursiveDeleteObject();
            m_elementLinks[segmentLink->GetHandle()].erase(change.element);
        } else if (change.change == "unused") {
            link->SetUnusedMark(1);
        } else {
            const std::vector<BYTE> earlier = GuidBlob(change.place, {}, {"Revision"});
            link->SetGuidBlob(earlier.data(), static_cast<int>(earlier.size()));
        }
    }

    void TakeOptionValues(const PxVQOptionSetPtr& set, const OptionSetDesc& description,
                          const std::map<std::string, PxVQBSSoftLinkPtr>& links) const
    {
        for (const OptionValueDesc& option : description.options) {
            auto segment = links.find(option.segment);
            PxVQSoftLinkPtr link;
            if (segment != links.end() && option.element.empty())
                link = segment->second;
            else if (segment != links.end())
                link = ElementLink(segment->second, option.element);
            if (!link)
                throw RepoError(option.place + ": the system has no soft link " + option.segment +
                                (option.element.empty() ? "" : "." + option.element));
            if (!SetPackOption(set->GetOptions(link), option.option, option.value.c_str()))
                throw RepoError(option.place + ": the tool gives no value to the option " + option.option +
                                " of these options");
            link->SetUpdatedFlag(1);
        }
    }

    // The revision identifiers of a design object, 16 bytes each, in the order the soft link
    // keeps them; none when one of them is missing.
    static std::vector<BYTE> GuidBlob(const std::string& place, const std::vector<std::string>& missing,
                                      std::initializer_list<const char*> revisions)
    {
        std::vector<BYTE> blob;
        for (const char* which : revisions) {
            if (Contains(missing, which))
                return {};
            GUID guid = GuidOf(place + "/" + which);
            const BYTE* bytes = reinterpret_cast<const BYTE*>(&guid);
            blob.insert(blob.end(), bytes, bytes + sizeof(guid));
        }
        return blob;
    }

    static std::vector<BYTE> ElementGuids(const ElementDesc& element)
    {
        if (Contains(element.missingRevisions, "Revision"))
            return {};
        if (IsKindOf(element.className, "PxLSEIspec"))
            return GuidBlob(element.place, element.missingRevisions,
                            {"Revision", "GraphicalRevision", "CharacterRevision", "DataItemRevision", "DbRevision",
                             "TeachRevision"});
        return GuidBlob(element.place, element.missingRevisions, {"Revision"});
    }

    static std::string Text(const Properties& properties, const char* name)
    {
        auto found = properties.texts.find(name);
        return found == properties.texts.end() ? std::string() : found->second;
    }

    static std::int64_t Number(const Properties& properties, const char* name)
    {
        auto found = properties.numbers.find(name);
        return found == properties.numbers.end() ? 0 : found->second;
    }

    void TakeOverLinkData(const PxVQSoftLinkPtr& link, const Properties& properties, const std::vector<BYTE>& guids)
    {
        link->SetUnusedMark(0);
        link->SetLongName(Text(properties, "longName").c_str());
        link->SetDescription(Text(properties, "description").c_str());
        link->SetRefTime(m_timeStamp);
        link->SetGuidBlob(guids.data(), static_cast<int>(guids.size()));
    }

    PxVQBSSoftLinkPtr TakeSegment(const PxVQCurConfigPtr& config, const SegmentDesc& segment)
    {
        PxVQBSSoftLinkPtr link = config->CreateBSSoftLink(segment.name.c_str());
        TakeOverLinkData(link, segment.properties,
                         GuidBlob(segment.place, segment.missingRevisions,
                                  {"Revision", "GSDRevision", "AllElementsRevision"}));
        link->SetSysUseROC(static_cast<int>(Number(segment.properties, "rocRequired")));
        TakeLanguagesAndSubsystems(link, segment);
        link->CreateBlankOptions();
        PaintSegment(link, segment);

        std::vector<std::string> primaryProfiles;
        for (const ElementDesc& element : segment.elements)
            if (!Text(element.properties, "primaryProfile").empty())
                primaryProfiles.push_back(Text(element.properties, "primaryProfile"));
        std::map<std::string, PxVQIspecSoftLinkPtr> ispecs;
        std::vector<std::pair<PxVQProfileSoftLinkPtr, const ElementDesc*>> profiles;
        int logicId = 0;
        for (const ElementDesc& element : segment.elements) {
            int type = LinkTypeOf(element.className);
            if (type == 0)
                continue;
            PxVQElementSoftLinkPtr elementLink = link->CreateElementSoftLink(element.name.c_str(), type);
            m_elementLinks[link->GetHandle()][element.name] = elementLink;
            TakeOverLinkData(elementLink, element.properties, ElementGuids(element));
            const Properties& properties = element.properties;
            if (PxVQIspecSoftLinkPtr ispec = elementLink) {
                ispec->SetIspecUsage(UsageOfLetter(Text(properties, "usage").c_str()[0]));
                ispec->SetExternalOnlyIspec(static_cast<int>(Number(properties, "externalOnlyIspec")));
                ispec->SetIspecType(IspecTypeOf(element));
                ispecs[element.name] = ispec;
            } else if (PxVQReportSoftLinkPtr report = elementLink) {
                report->SetReportVersionNumber(1);
                report->SetFastLoad(CString(Text(properties, "defaultDevice").c_str()).CompareNoCase("FL") == 0 ? 1 : 0);
                report->SetGenToAllLang(static_cast<int>(Number(properties, "generateToAllLanguages")));
            } else if (PxVQProfileSoftLinkPtr profile = elementLink) {
                profiles.emplace_back(profile, &element);
                profile->SetPrimary(Contains(primaryProfiles, element.name) ? 1 : 0);
            } else if (PxVQGlobalLogicSoftLinkPtr logic = elementLink) {
                logic->SetGLGUniqueID(++logicId);
                logic->SetPerformable(static_cast<int>(Number(properties, "performable")));
                logic->SetParameters(Text(properties, "parameters").c_str());
            }
            elementLink->CreateBlankOptions();
            if (type == VQSoftLinkIspec)
                PaintIspec(elementLink, element, segment);
        }
        const SegmentIndex index(segment);
        for (const auto& [profile, element] : profiles)
            TakeProfile(profile, *element, index, ispecs);
        return link;
    }

    static void TakeLanguagesAndSubsystems(const PxVQBSSoftLinkPtr& link, const SegmentDesc& segment)
    {
        int primarySlot = -1;
        for (int slot = 1; slot <= 15; ++slot) {
            std::string name;
            for (const LanguageDesc& language : segment.languages)
                if (language.slot == slot)
                    name = language.name;
            link->SetLanguage(slot, name.c_str());
            if (!name.empty() && CString(name.c_str()).CompareNoCase(segment.primaryLanguage.c_str()) == 0)
                primarySlot = slot;
        }
        link->SetPrimaryLanguageSlot(primarySlot);
        for (const char* code : {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "A", "B", "C", "LSS"}) {
            std::string name;
            for (const SubsystemDesc& subsystem : segment.subsystems)
                if (CodeOf(subsystem) == code)
                    name = subsystem.name;
            link->SetSubsystemName(code, name.c_str());
        }
    }

    static std::string CodeOf(const SubsystemDesc& subsystem)
    {
        if (subsystem.name == "QUERY")
            return "A";
        if (subsystem.name == "ROC")
            return "C";
        return std::to_string(subsystem.number);
    }

    // The painter colours of new QSR and Tarsk records (which use the painter's colours).
    template <class Records>
    static void Paint(const PxVQSoftLinkPtr& link, int foreground, int background)
    {
        PxTypedList<PxOptionsPtr> records;
        link->GetAllOptions(records);
        for (POSITION position = records.GetHeadPosition(); position;)
            Records::Paint(records.GetNext(position), foreground, background);
    }

    struct SegmentColours {
        static void Paint(const PxOptionsPtr& record, int foreground, int background)
        {
            if (PxQSRBSegOptionsPtr qsr = record) {
                qsr->SetBSFColor(static_cast<PxEnumBColor>(kColourOfDesign[foreground - 1]));
                qsr->SetBSBColor(static_cast<PxEnumBColor>(kColourOfDesign[background - 1]));
            } else if (PxTarskBSegOptionsPtr tarsk = record) {
                tarsk->SetBSFColor(static_cast<PxEnumBColor>(kColourOfDesign[foreground - 1]));
                tarsk->SetBSBColor(static_cast<PxEnumBColor>(kColourOfDesign[background - 1]));
            }
        }
    };

    struct IspecColours {
        static void Paint(const PxOptionsPtr& record, int foreground, int)
        {
            PxIspecOptionsPtr ispec = record;
            int type = record->GetOptionsType();
            if (ispec && (type == VQHostQSR || type == VQHostTarsk))
                ispec->SetFColor(static_cast<PxEnumBColor>(kColourOfDesign[foreground - 1]));
        }
    };

    static bool IsDesignColour(std::int64_t colour) { return colour >= 1 && colour <= 8; }

    static void PaintSegment(const PxVQBSSoftLinkPtr& link, const SegmentDesc& segment)
    {
        std::int64_t foreground = Number(segment.properties, "foregroundColor");
        std::int64_t background = Number(segment.properties, "backgroundColor");
        if (IsDesignColour(foreground) && IsDesignColour(background))
            Paint<SegmentColours>(link, static_cast<int>(foreground), static_cast<int>(background));
    }

    static void PaintIspec(const PxVQElementSoftLinkPtr& link, const ElementDesc& element, const SegmentDesc& segment)
    {
        std::int64_t colour = Number(element.properties, "color");
        if (colour == 0)
            colour = Number(segment.properties, "foregroundColor");
        if (IsDesignColour(colour))
            Paint<IspecColours>(link, static_cast<int>(colour), 0);
    }

    // A segment's elements by name, and the first ordinate relation of each source.
    struct SegmentIndex {
        explicit SegmentIndex(const SegmentDesc& segment)
        {
            for (const ElementDesc& element : segment.elements)
                elements[element.name] = &element;
            for (const RelationDesc& relation : segment.relations)
                if (relation.relation.find_first_of("Oo") != std::string::npos)
                    firstOrdinate.emplace(relation.source, &relation);
        }

        std::map<std::string, const ElementDesc*> elements;
        std::map<std::string, const RelationDesc*> firstOrdinate;
    };

    static void TakeProfile(const PxVQProfileSoftLinkPtr& link, const ElementDesc& profile, const SegmentIndex& index,
                            const std::map<std::string, PxVQIspecSoftLinkPtr>& ispecs)
    {
        link->SetAutoMaint(static_cast<int>(Number(profile.properties, "isAutoMaintProfile")));
        link->SetDuplicatesAllowed(static_cast<int>(Number(profile.properties, "duplicates")));
        int overEvent = 0;
        if (const auto relation = index.firstOrdinate.find(profile.name); relation != index.firstOrdinate.end()) {
            const ElementDesc* target = index.elements.at(relation->second->target);
            if (IsKindOf(target->className, "PxLSEEvent")) {
                overEvent = 1;
            } else {
                link->SetOrdinateName(target->name.c_str());
                link->SetOrdinateLongName(Text(target->properties, "longName").c_str());
                auto ispec = ispecs.find(target->name);
                if (ispec != ispecs.end())
                    link->SetComponent(ispec->second);
            }
        }
        link->SetOverEvent(overEvent);
    }

    void BuildReportGroup(const PxVQBSSoftLinkPtr& link, const ReportGroupDesc& description)
    {
        PxVQReportGroupPtr group = link->CreateReportGroup(description.name.c_str());
        if (!description.longName.empty())
            group->SetLongName(description.longName.c_str());
        group->SetDescription(description.description.c_str());
        for (const AliasDesc& alias : description.aliases) {
            PxVQReportSoftLinkPtr report = ElementLink(link, alias.report);
            group->CreateReportSoftLinkAlias(report)->SetGenerateAs(alias.generateAs.c_str());
        }
    }

    void BuildBundle(const PxVQBSSoftLinkPtr& link, const BundleDesc& description)
    {
        PxVQBundlePtr bundle = link->CreateBundle(description.name.c_str());
        bundle->SetDescription(description.description.c_str());
        bundle->SetContainsAllIspecs(description.containsAllIspecs);
        PxTypedList<PxVQIspecSoftLinkPtr> ispecs;
        if (description.containsAllIspecs) {
            PxTypedList<PxVQElementSoftLinkPtr> elements;
            link->GetListOfElementSoftLinks(elements);
            for (POSITION position = elements.GetHeadPosition(); position;) {
                PxVQIspecSoftLinkPtr ispec = elements.GetNext(position);
                int usage = ispec ? ispec->GetIspecUsage() : WYR_ISPEC_USAGE_NONE;
                if (usage != WYR_ISPEC_USAGE_NONE && usage != WYR_ISPEC_USAGE_OUTPUT)
                    ispecs.AddTail(ispec);
            }
        }
        for (const std::string& name : description.ispecs)
            ispecs.AddTail(ElementLink(link, name));
        bundle->AddIspecsToBundle(ispecs);
    }

    PxLSEBuilder m_design;
    PxVQEnterprisePtr m_enterprise;
    std::map<std::string, DesignSegment> m_segments;
    std::vector<PxVQHostInformationPtr> m_hosts;
    std::map<std::string, const SegmentDesc*> m_segmentDescriptions;
    // The element links of the system being built, by segment link and name, so that its
    // groups, bundles, options and changes find a link without a search of the segment link.
    std::unordered_map<PxHandle, std::map<std::string, PxVQElementSoftLinkPtr>> m_elementLinks;
    std::int64_t m_timeStamp;
};

} // namespace

void BuildRepository(PxVQLink& link, const RepoDescription& description)
{
    vqclock::ManualClock clock(description.timeStamp);
    vqclock::ScopedClock scope(clock);
    link.BeginTransaction();
    try {
        Builder(link, description.timeStamp).Build(description);
        link.CommitTransaction();
    } catch (...) {
        if (link.IsInTransaction())
            link.AbortTransaction();
        throw;
    }
}

} // namespace vqrepo
