#include "repo/RepoBuilder.h"

#include "proxy/PxBSegOptions.h"
#include "proxy/PxIspecOptions.h"
#include "proxy/PxLSEAssociation.h"
#include "proxy/PxLSEBuilder.h"
#include "proxy/PxLSEBusinessSegment.h"
#include "proxy/PxLSEDataItem.h"
#include "proxy/PxLSEEnterprise.h"
#include "proxy/PxLSEGlobalLogic.h"
#include "proxy/PxLSEIspec.h"
#include "proxy/PxLSEParts.h"
#include "proxy/PxLSEProfile.h"
#include "proxy/PxLSEReport.h"
#include "proxy/PxLSERevisionId.h"
#include "proxy/PxQSRBSegOptions.h"
#include "proxy/PxQSRIspecOptions.h"
#include "proxy/PxTarskBSegOptions.h"
#include "proxy/PxTypedList.h"
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
#include <vector>

namespace vqrepo {

namespace {

constexpr const char* kRevisionKinds[] = {"Revision",          "GSDRevision",       "AllElementsRevision",
                                          "SyncGenRevision",   "GraphicalRevision", "CharacterRevision",
                                          "DataItemRevision",  "DbRevision",        "TeachRevision"};

// Design colours 1 to 8 as option colours.
constexpr int kColourOfDesign[] = {0, 1, 4, 5, 3, 7, 2, 6};

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

int IspecTypeOf(const PxLSEElementPtr& element)
{
    if (element->_IsKindOf("PxLSEEvent"))
        return 0;
    PxLSEComponentPtr component(element);
    if (!component)
        return 5;
    switch (component->GetType().Letter()) {
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

int LinkTypeOf(const PxLSEElementPtr& element)
{
    if (element->_IsKindOf("PxLSEIspec"))
        return VQSoftLinkIspec;
    if (element->_IsA("PxLSEGlobalLogic"))
        return VQSoftLinkGlobalLogic;
    if (element->_IsA("PxLSEProfile"))
        return VQSoftLinkProfile;
    if (element->_IsA("PxLSEReport"))
        return VQSoftLinkReport;
    return 0;
}

struct DesignSegment {
    PxLSEBusinessSegmentPtr segment;
    std::map<std::string, PxLSEElementPtr> elements;
    std::vector<PxLSEElementPtr> order;
};

class Builder {
public:
    explicit Builder(PxVQLink& link) : m_design(link), m_enterprise(link.GetLVQEnterprise()) {}

    void Build(const RepoDescription& description)
    {
        m_design.SetAllowLongNames(description.allowLongNames);
        for (const SegmentDesc& segment : description.segments)
            BuildSegment(segment);
        for (const HostDesc& host : description.hosts)
            BuildHost(host);
        for (const PackDesc& pack : description.packs)
            BuildPack(pack);
        for (const SystemDesc& system : description.systems)
            BuildSystem(system);
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
            design.order.push_back(added);
        }
        for (const ElementDesc& element : description.elements)
            BuildElementParts(design, element);
        for (const RelationDesc& relation : description.relations)
            m_design.AddRelation(design.elements.at(relation.source), design.elements.at(relation.target),
                                 relation.relation.c_str());
        if (!description.lockedBy.empty())
            m_design.LockBusinessSegment(design.segment, description.lockedBy.c_str(), description.lockExclusive);
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
        for (const OptionSetDesc& set : description.optionSets)
            MakeOptionSet(set, config->CreateOptionSet(set.name.c_str(), set.hostType));
        std::map<std::string, PxVQBSSoftLinkPtr> links;
        for (const std::string& name : description.segments)
            links[name] = TakeSegment(config, m_segments.at(name));
        for (const ReportGroupDesc& group : description.reportGroups)
            BuildReportGroup(links.at(group.segment), group);
        for (const BundleDesc& bundle : description.bundles)
            BuildBundle(links.at(bundle.segment), bundle);
        for (const OldConfigDesc& old : description.oldConfigs) {
            PxVQOldConfigPtr config = system->CreateOldConfig();
            config->SetGenerationTime(old.generationTime);
            config->SetFromOSName(old.fromOSName.c_str());
            if (old.hasOptionSet)
                MakeOptionSet(old.optionSet, config->CreateOptionSet(old.optionSet.name.c_str(), old.optionSet.hostType));
        }
    }

    static std::vector<BYTE> GuidBlob(std::initializer_list<PxLSERevisionIdPtr> revisions)
    {
        std::vector<BYTE> blob;
        for (const PxLSERevisionIdPtr& revision : revisions) {
            if (!revision)
                return {};
            GUID guid = revision->GetGuid();
            const BYTE* bytes = reinterpret_cast<const BYTE*>(&guid);
            blob.insert(blob.end(), bytes, bytes + sizeof(guid));
        }
        return blob;
    }

    static void TakeOverLinkData(const PxVQSoftLinkPtr& link, const PxLSEDskObjectPtr& design,
                                 const std::vector<BYTE>& guids)
    {
        link->SetUnusedMark(0);
        link->SetLongName(design->GetLongName());
        link->SetDescription(design->GetDescription());
        link->SetRefTime(design->GetCreatedTimeStamp());
        link->SetGuidBlob(guids.data(), static_cast<int>(guids.size()));
    }

    PxVQBSSoftLinkPtr TakeSegment(const PxVQCurConfigPtr& config, const DesignSegment& design)
    {
        const PxLSEBusinessSegmentPtr& segment = design.segment;
        PxVQBSSoftLinkPtr link = config->CreateBSSoftLink(segment->GetName());
        TakeOverLinkData(link, segment,
                         GuidBlob({segment->GetRevision(), segment->GetGSDRevision(),
                                            segment->GetAllElementsRevision()}));
        link->SetSysUseROC(segment->GetRocRequired());
        TakeLanguagesAndSubsystems(link, segment);
        link->CreateBlankOptions();
        PaintSegment(link, segment);

        std::vector<std::string> primaryProfiles;
        for (const PxLSEElementPtr& element : design.order)
            if (PxLSEIspecPtr ispec = element)
                if (!ispec->GetPrimaryProfile().IsEmpty())
                    primaryProfiles.push_back(ispec->GetPrimaryProfile().GetString());
        std::map<std::string, PxVQIspecSoftLinkPtr> ispecs;
        std::vector<std::pair<PxVQProfileSoftLinkPtr, PxLSEProfilePtr>> profiles;
        int logicId = 0;
        for (const PxLSEElementPtr& element : design.order) {
            int type = LinkTypeOf(element);
            if (type == 0)
                continue;
            PxVQElementSoftLinkPtr elementLink = link->CreateElementSoftLink(element->GetName(), type);
            TakeOverLinkData(elementLink, element, ElementGuids(element));
            if (PxVQIspecSoftLinkPtr ispec = elementLink) {
                TakeIspec(ispec, element);
                ispecs[element->GetName().GetString()] = ispec;
            } else if (PxVQReportSoftLinkPtr report = elementLink) {
                PxLSEReportPtr designReport = element;
                report->SetReportVersionNumber(1);
                report->SetFastLoad(designReport->GetDefaultDevice().CompareNoCase("FL") == 0 ? 1 : 0);
                report->SetGenToAllLang(designReport->GetGenerateToAllLanguages());
            } else if (PxVQProfileSoftLinkPtr profile = elementLink) {
                profiles.emplace_back(profile, element);
                profile->SetPrimary(Contains(primaryProfiles, element->GetName().GetString()) ? 1 : 0);
            } else if (PxVQGlobalLogicSoftLinkPtr logic = elementLink) {
                PxLSEGlobalLogicPtr designLogic = element;
                logic->SetGLGUniqueID(++logicId);
                logic->SetPerformable(designLogic->GetPerformable());
                logic->SetParameters(designLogic->GetParameters());
            }
            elementLink->CreateBlankOptions();
            PaintIspec(elementLink, element, segment);
        }
        for (const auto& [profile, design] : profiles)
            TakeProfile(profile, design, ispecs);
        return link;
    }

    static std::vector<BYTE> ElementGuids(const PxLSEElementPtr& element)
    {
        if (!element->GetRevision())
            return {};
        if (PxLSEIspecPtr ispec = element)
            return GuidBlob({element->GetRevision(), ispec->GetGraphicalRevision(),
                                      ispec->GetCharacterRevision(), ispec->GetDataItemRevision(),
                                      ispec->GetDbRevision(), ispec->GetTeachRevision()});
        return GuidBlob({element->GetRevision()});
    }

    static void TakeLanguagesAndSubsystems(const PxVQBSSoftLinkPtr& link, const PxLSEBusinessSegmentPtr& segment)
    {
        PxTypedList<PxLSELanguagePtr> languages;
        segment->GetMultiLangList(languages);
        PxLSELanguagePtr primary = segment->GetPrimaryLanguage();
        int primarySlot = -1;
        for (int slot = 1; slot <= 15; ++slot) {
            CString name;
            for (POSITION position = languages.GetHeadPosition(); position;) {
                PxLSELanguagePtr language = languages.GetNext(position);
                if (language->GetSlot() == slot)
                    name = language->GetName();
            }
            link->SetLanguage(slot, name);
            if (primary && !name.IsEmpty() && name.CompareNoCase(primary->GetName()) == 0)
                primarySlot = slot;
        }
        link->SetPrimaryLanguageSlot(primarySlot);
        PxTypedList<PxLSESubsystemPtr> subsystems;
        segment->GetSubsystemList(subsystems);
        for (const char* code : {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "A", "B", "C", "LSS"}) {
            CString name;
            for (POSITION position = subsystems.GetHeadPosition(); position;) {
                PxLSESubsystemPtr subsystem = subsystems.GetNext(position);
                if (CodeOf(subsystem) == code)
                    name = subsystem->GetName();
            }
            link->SetSubsystemName(code, name);
        }
    }

    static CString CodeOf(const PxLSESubsystemPtr& subsystem)
    {
        CString name = subsystem->GetName();
        if (name == "QUERY")
            return "A";
        if (name == "ROC")
            return "C";
        return CString(std::to_string(subsystem->GetNumber()));
    }

    static void PaintSegment(const PxVQBSSoftLinkPtr& link, const PxLSEBusinessSegmentPtr& segment)
    {
        int foreground = segment->GetForegroundColor();
        int background = segment->GetBackgroundColor();
        if (foreground < 1 || foreground > 8 || background < 1 || background > 8)
            return;
        PxTypedList<PxOptionsPtr> records;
        link->GetAllOptions(records);
        for (POSITION position = records.GetHeadPosition(); position;) {
            PxOptionsPtr record = records.GetNext(position);
            if (PxQSRBSegOptionsPtr qsr = record) {
                if (qsr->GetBSUsePainter()) {
                    qsr->SetBSFColor(static_cast<PxEnumBColor>(kColourOfDesign[foreground - 1]));
                    qsr->SetBSBColor(static_cast<PxEnumBColor>(kColourOfDesign[background - 1]));
                }
            } else if (PxTarskBSegOptionsPtr tarsk = record) {
                if (tarsk->GetBSUsePainter()) {
                    tarsk->SetBSFColor(static_cast<PxEnumBColor>(kColourOfDesign[foreground - 1]));
                    tarsk->SetBSBColor(static_cast<PxEnumBColor>(kColourOfDesign[background - 1]));
                }
            }
        }
    }

    static void PaintIspec(const PxVQElementSoftLinkPtr& link, const PxLSEElementPtr& element,
                           const PxLSEBusinessSegmentPtr& segment)
    {
        PxLSEIspecPtr ispec = element;
        if (!ispec)
            return;
        int colour = ispec->GetColor() != 0 ? ispec->GetColor() : segment->GetForegroundColor();
        PxTypedList<PxOptionsPtr> records;
        link->GetAllOptions(records);
        for (POSITION position = records.GetHeadPosition(); position;) {
            PxIspecOptionsPtr record = records.GetNext(position);
            int type = record ? record->GetOptionsType() : -1;
            if ((type != VQHostQSR && type != VQHostTarsk) || colour < 1 || colour > 8 || !record->GetUsePainter())
                continue;
            record->SetFColor(static_cast<PxEnumBColor>(kColourOfDesign[colour - 1]));
        }
    }

    static void TakeIspec(const PxVQIspecSoftLinkPtr& link, const PxLSEElementPtr& element)
    {
        PxLSEIspecPtr ispec = element;
        link->SetIspecUsage(UsageOfLetter(ispec->GetUsage().Letter()));
        link->SetExternalOnlyIspec(ispec->GetExternalOnlyIspec());
        link->SetIspecType(IspecTypeOf(element));
    }

    static void TakeProfile(const PxVQProfileSoftLinkPtr& link, const PxLSEProfilePtr& profile,
                            const std::map<std::string, PxVQIspecSoftLinkPtr>& ispecs)
    {
        link->SetAutoMaint(profile->GetIsAutoMaintProfile());
        link->SetDuplicatesAllowed(profile->GetDuplicates());
        PxTypedList<PxLSERelationPtr> relations;
        profile->GetTargetList(relations);
        int overEvent = 0;
        for (POSITION position = relations.GetHeadPosition(); position;) {
            PxLSERelationPtr relation = relations.GetNext(position);
            if (relation->GetRelationString().FindOneOf("Oo") < 0)
                continue;
            PxLSEDskObjectPtr target = relation->GetTarget();
            if (target->_IsKindOf("PxLSEEvent")) {
                overEvent = 1;
            } else {
                link->SetOrdinateName(target->GetName());
                link->SetOrdinateLongName(target->GetLongName());
                auto ispec = ispecs.find(target->GetName().GetString());
                if (ispec != ispecs.end())
                    link->SetComponent(ispec->second);
            }
            break;
        }
        link->SetOverEvent(overEvent);
    }

    void BuildReportGroup(const PxVQBSSoftLinkPtr& link, const ReportGroupDesc& description)
    {
        PxVQReportGroupPtr group = link->CreateReportGroup(description.name.c_str());
        group->SetDescription(description.description.c_str());
        for (const AliasDesc& alias : description.aliases) {
            PxVQReportSoftLinkPtr report = link->GetElementSoftLink(alias.report.c_str());
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
            ispecs.AddTail(link->GetElementSoftLink(name.c_str()));
        bundle->AddIspecsToBundle(ispecs);
    }

    PxLSEBuilder m_design;
    PxVQEnterprisePtr m_enterprise;
    std::map<std::string, DesignSegment> m_segments;
};

} // namespace

void BuildRepository(PxVQLink& link, const RepoDescription& description)
{
    vqclock::ManualClock clock(description.timeStamp);
    vqclock::ScopedClock scope(clock);
    link.BeginTransaction();
    try {
        Builder(link).Build(description);
        link.CommitTransaction();
    } catch (...) {
        if (link.IsInTransaction())
            link.AbortTransaction();
        throw;
    }
}

} // namespace vqrepo
