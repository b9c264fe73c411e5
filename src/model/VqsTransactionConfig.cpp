#include "model/VqsTransactionConfig.h"

#include "model/VqsTransactionSoftLink.h"
#include "proxy/PxLSEAssociation.h"
#include "proxy/PxLSEEnterprise.h"
#include "proxy/PxLSEFormObject.h"
#include "proxy/PxLSEGlobalLogic.h"
#include "proxy/PxLSEIspec.h"
#include "proxy/PxLSEParts.h"
#include "proxy/PxLSEProfile.h"
#include "proxy/PxLSEReport.h"
#include "proxy/PxLSERevisionId.h"
#include "proxy/PxQSRBSegOptions.h"
#include "proxy/PxQSRIspecOptions.h"
#include "proxy/PxTarskBSegOptions.h"
#include "proxy/PxTarskIspecOptions.h"
#include "proxy/PxTypedList.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQGlobalLogicSoftLink.h"
#include "proxy/PxVQIspecSoftLink.h"
#include "proxy/PxVQProfileSoftLink.h"
#include "proxy/PxVQReportSoftLink.h"
#include "proxy/PxVQTypes.h"
#include "shell/VqsDisplayNames.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsSysApp.h"
#include "win/Clock.h"

#include <cstring>

namespace {

constexpr UINT IDS_GLOBAL_LOGICS_EXHAUSTED = 61555;
constexpr UINT IDS_CANNOT_ADD_DEFINITION = 61556;
constexpr UINT IDS_CANNOT_SAVE_BS_OPTIONS = 61650;
constexpr UINT IDS_CANNOT_SAVE_ELEMENT_OPTIONS = 61651;
constexpr UINT IDS_CANNOT_CREATE_BS_OPTIONS = 61653;
constexpr UINT IDS_CANNOT_SAVE_PROFILE_OPTIONS = 61703;
constexpr UINT IDS_BS_WITHOUT_REVISION = 61739;
constexpr UINT IDS_ELEMENT_WITHOUT_REVISION = 61740;
constexpr UINT IDS_BS_WITHOUT_GSD_REVISION = 61774;
constexpr UINT IDS_BS_WITHOUT_ELEMENT_REVISION = 61775;

constexpr const char* kElementLinkDataSource = "VqsTransactionConfig::SetElementLinkData";
constexpr const char* kSubsystemCodes[] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "A", "B", "C", "LSS"};
constexpr int kNoColour = -1;

// The option colour of a design colour (1 to 8); kNoColour for any other value.
int OptionColour(int designColour)
{
    static constexpr int kOptionColourOfDesign[] = {0, 1, 4, 5, 3, 7, 2, 6};
    return designColour >= 1 && designColour <= 8 ? kOptionColourOfDesign[designColour - 1] : kNoColour;
}

std::vector<BYTE> GuidBytes(const VqsGuidArray& guids)
{
    std::vector<BYTE> bytes(guids.size() * sizeof(GUID));
    if (!guids.empty())
        std::memcpy(bytes.data(), guids.data(), bytes.size());
    return bytes;
}

// The code a business segment link keeps a design subsystem under. The primary subsystem
// counts as "1" where an Ispec names its subsystem.
CString SubsystemCode(const PxLSESubsystemPtr& subsystem, bool primaryIsOne)
{
    const CString name = subsystem->GetName();
    if (primaryIsOne && name == "PRIMARY")
        return "1";
    if (name == "QUERY")
        return "A";
    if (name == "ROC")
        return "C";
    CString code;
    code.Format("%d", subsystem->GetNumber());
    return code;
}

template <class RecordPtr>
void PaintSegmentRecord(const RecordPtr& record, int foreground, int background)
{
    if (!record || !record->GetBSUsePainter())
        return;
    if (foreground != kNoColour)
        record->SetBSFColor(static_cast<PxEnumBColor>(foreground));
    if (background != kNoColour)
        record->SetBSBColor(static_cast<PxEnumBColor>(background));
}

template <class RecordPtr>
void PaintIspecRecord(const RecordPtr& record, int foreground, int background)
{
    if (!record || !record->GetUsePainter())
        return;
    if (foreground != kNoColour)
        record->SetFColor(static_cast<PxEnumBColor>(foreground));
    if (background != kNoColour)
        record->SetBColor(static_cast<PxEnumBColor>(background));
}

void PaintSegmentRecords(const PxLSEBusinessSegmentPtr& segment, const PxVQBSSoftLinkPtr& link)
{
    const int foreground = OptionColour(segment->GetForegroundColor());
    const int background = OptionColour(segment->GetBackgroundColor());
    PxTypedList<PxOptionsPtr> records;
    link->GetAllOptions(records);
    for (POSITION position = records.GetHeadPosition(); position;) {
        PxOptionsPtr record = records.GetNext(position);
        const int type = record->GetOptionsType();
        if (type == VQHostQSR)
            PaintSegmentRecord(PxQSRBSegOptionsPtr(record), foreground, background);
        else if (type == VQHostTarsk)
            PaintSegmentRecord(PxTarskBSegOptionsPtr(record), foreground, background);
    }
}

void TakeLanguages(const PxLSEBusinessSegmentPtr& segment, const PxVQBSSoftLinkPtr& link)
{
    CString names[VqsLanguageSlotCount + 1];
    PxTypedList<PxLSELanguagePtr> languages;
    segment->GetMultiLangList(languages);
    for (POSITION position = languages.GetHeadPosition(); position;) {
        PxLSELanguagePtr language = languages.GetNext(position);
        const int slot = language->GetSlot();
        if (slot >= 1 && slot <= VqsLanguageSlotCount)
            names[slot] = language->GetName();
    }
    PxLSELanguagePtr primary = segment->GetPrimaryLanguage();
    const CString primaryName = primary ? primary->GetName() : CString();
    int primarySlot = -1;
    for (int slot = 1; slot <= VqsLanguageSlotCount; ++slot) {
        link->SetLanguage(slot, names[slot]);
        if (primarySlot < 0 && primary && names[slot].CompareNoCase(primaryName) == 0)
            primarySlot = slot;
    }
    link->SetPrimaryLanguageSlot(primarySlot);
}

void TakeSubsystems(const PxLSEBusinessSegmentPtr& segment, const PxVQBSSoftLinkPtr& link)
{
    PxTypedList<PxLSESubsystemPtr> subsystems;
    segment->GetSubsystemList(subsystems);
    for (const char* code : kSubsystemCodes) {
        CString name;
        for (POSITION position = subsystems.GetHeadPosition(); position;) {
            PxLSESubsystemPtr subsystem = subsystems.GetNext(position);
            if (SubsystemCode(subsystem, false) == code)
                name = subsystem->GetName();
        }
        link->SetSubsystemName(code, name);
    }
}

// The design business segment of an element link, found by its segment link's name.
PxLSEBusinessSegmentPtr DesignSegmentOf(const PxVQElementSoftLinkPtr& link)
{
    VqsSysApp* app = VqsGetApp();
    PxLSEEnterprisePtr enterprise = app ? app->GetLSEEnterprise() : PxLSEEnterprisePtr();
    if (!enterprise)
        return PxLSEBusinessSegmentPtr();
    return enterprise->GetBusinessSegment(link->GetBSSoftLink()->GetName());
}

void CollectSubsystemCodes(const PxLSEBusinessSegmentPtr& segment, CStringList& codes)
{
    if (!segment)
        return;
    PxTypedList<PxLSESubsystemPtr> subsystems;
    segment->GetSubsystemList(subsystems);
    for (POSITION position = subsystems.GetHeadPosition(); position;)
        codes.AddTail(SubsystemCode(subsystems.GetNext(position), true));
}

int IspecUsageOf(const PxLSEIspecPtr& ispec)
{
    switch (ispec->GetUsage().Number()) {
    case 15:
        return WYR_ISPEC_USAGE_INQUIRY;
    case 7:
        return WYR_ISPEC_USAGE_INPUT;
    case 13:
        return WYR_ISPEC_USAGE_OUTPUT;
    case 0:
        return WYR_ISPEC_USAGE_BOTH;
    default:
        return WYR_ISPEC_USAGE_NONE;
    }
}

int IspecTypeOf(const PxLSEIspecPtr& ispec)
{
    if (ispec->_IsKindOf("PxLSEEvent"))
        return 0;
    PxLSEComponentPtr component(ispec);
    if (!component)
        return 5;
    switch (component->GetType().Number()) {
    case 1:
    case 33:
        return 4;
    case 10:
    case 42:
        return 2;
    case 17:
    case 49:
        return 3;
    default:
        return 1;
    }
}

int SoftLinkTypeOf(const PxLSEElementPtr& element)
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

// The element kind that messages name: event, other Ispec, or any other element.
int ElementKindOf(const PxLSEElementPtr& element)
{
    if (!element->_IsKindOf("PxLSEIspec"))
        return 5;
    return element->_IsKindOf("PxLSEEvent") ? 2 : 1;
}

char Present(const PxLSERevisionIdPtr& revision) { return revision ? 'Y' : 'N'; }

} // namespace

VqsTransactionConfig::VqsTransactionConfig(const PxVQConfigPtr& config)
    : m_pConfig(config), m_timeStamp(vqclock::Current().Now())
{
}

PxVQBSSoftLinkPtr VqsTransactionConfig::CreateBSLink(const PxLSEBusinessSegmentPtr& segment)
{
    return Write<PxVQBSSoftLinkPtr>({m_pConfig, segment}, IDS_CANNOT_CREATE_BS_OPTIONS, [&] {
        PxVQBSSoftLinkPtr link = m_pConfig->CreateBSSoftLink(segment->GetName());
        link->CreateBlankOptions();
        CreateBSLinkOptions(segment, link);
        return link;
    });
}

void VqsTransactionConfig::CreateBSLinkOptions(const PxLSEBusinessSegmentPtr& segment,
                                               const PxVQBSSoftLinkPtr& bsSoftLink)
{
    Write<int>({m_pConfig, segment, bsSoftLink}, IDS_CANNOT_SAVE_BS_OPTIONS, [&] {
        bsSoftLink->SetLongName(segment->GetLongName());
        const struct {
            PxLSERevisionIdPtr revision;
            UINT missingId;
        } revisions[] = {{segment->GetRevision(), IDS_BS_WITHOUT_REVISION},
                         {segment->GetGSDRevision(), IDS_BS_WITHOUT_GSD_REVISION},
                         {segment->GetAllElementsRevision(), IDS_BS_WITHOUT_ELEMENT_REVISION}};
        VqsGuidArray guids;
        for (const auto& [revision, missingId] : revisions) {
            if (!revision) {
                CString text;
                text.FormatMessage(missingId, segment->GetName());
                VqsErrorBox(text);
                SetFailed();
                return 0;
            }
            guids.push_back(revision->GetGuid());
        }
        RefreshSoftLinkFromElement(segment, bsSoftLink, guids);
        bsSoftLink->SetSysUseROC(segment->GetRocRequired());
        PaintSegmentRecords(segment, bsSoftLink);
        TakeLanguages(segment, bsSoftLink);
        TakeSubsystems(segment, bsSoftLink);
        return 1;
    });
}

PxVQElementSoftLinkPtr VqsTransactionConfig::AddElementSoftLink(const PxVQBSSoftLinkPtr& bsSoftLink,
                                                                const PxLSEElementPtr& element,
                                                                const CStringList& primaryProfiles,
                                                                WORD& globalLogicId)
{
    return Write<PxVQElementSoftLinkPtr>({m_pConfig, bsSoftLink, element}, IDS_CANNOT_ADD_DEFINITION, [&] {
        return CreateElementSoftLink(bsSoftLink, element, primaryProfiles, globalLogicId);
    });
}

PxVQElementSoftLinkPtr VqsTransactionConfig::CreateElementSoftLink(const PxVQBSSoftLinkPtr& bsSoftLink,
                                                                   const PxLSEElementPtr& element,
                                                                   const CStringList& primaryProfiles,
                                                                   WORD& globalLogicId)
{
    const int type = SoftLinkTypeOf(element);
    if (type == 0)
        return PxVQElementSoftLinkPtr();
    if (type == VQSoftLinkGlobalLogic && globalLogicId == 0) {
        VqsErrorBoxId(IDS_GLOBAL_LOGICS_EXHAUSTED);
        return PxVQElementSoftLinkPtr();
    }
    PxVQElementSoftLinkPtr link = bsSoftLink->CreateElementSoftLink(element->GetName(), type);
    if (type == VQSoftLinkGlobalLogic) {
        PxVQGlobalLogicSoftLinkPtr(link)->SetGLGUniqueID(globalLogicId);
        globalLogicId = 0;
    } else if (type == VQSoftLinkReport) {
        PxVQReportSoftLinkPtr(link)->SetReportVersionNumber(1);
    }
    link->SetUnusedMark(0);
    link->CreateBlankOptions();
    SetElementLinkData(element, link, primaryProfiles);
    return IsOk() ? link : PxVQElementSoftLinkPtr();
}

PxVQProfileSoftLinkPtr VqsTransactionConfig::AddProfileSoftLink(const PxVQBSSoftLinkPtr& bsSoftLink,
                                                                const PxLSEProfilePtr& profile,
                                                                const PxVQIspecSoftLinkPtr& ispecSoftLink)
{
    return Write<PxVQProfileSoftLinkPtr>({m_pConfig, bsSoftLink, profile}, IDS_CANNOT_ADD_DEFINITION, [&] {
        PxVQProfileSoftLinkPtr link(bsSoftLink->CreateElementSoftLink(profile->GetName(), VQSoftLinkProfile));
        link->CreateBlankOptions();
        link->SetComponent(ispecSoftLink);
        SetProfileLinkData(profile, link);
        return link;
    });
}

void VqsTransactionConfig::SetProfileLinkData(const PxLSEProfilePtr& profile,
                                              const PxVQProfileSoftLinkPtr& profileSoftLink)
{
    Write<int>({m_pConfig, profile, profileSoftLink}, IDS_CANNOT_SAVE_PROFILE_OPTIONS, [&] {
        SetElementLinkData(profile, profileSoftLink, CStringList());
        if (!IsOk())
            return 0;
        profileSoftLink->SetOrdinateName(profile->GetName());
        profileSoftLink->SetOrdinateLongName(profile->GetLongName());
        profileSoftLink->SetDescription(profile->GetDescription());
        return 1;
    });
}

void VqsTransactionConfig::SetElementLinkData(const PxLSEElementPtr& element,
                                              const PxVQElementSoftLinkPtr& elementSoftLink,
                                              const CStringList& primaryProfiles)
{
    if (!element || !elementSoftLink)
        return;
    Write<int>({m_pConfig}, IDS_CANNOT_SAVE_ELEMENT_OPTIONS, [&] {
        elementSoftLink->SetLongName(element->GetLongName());
        VqsGuidArray guids;
        if (!CollectElementRevisions(element, guids))
            return 0;
        RefreshSoftLinkFromElement(element, elementSoftLink, guids);
        if (PxLSEIspecPtr ispec = element)
            TakeIspecData(ispec, elementSoftLink);
        else if (PxLSEReportPtr report = element)
            TakeReportData(report, elementSoftLink);
        else if (PxLSEProfilePtr profile = element)
            TakeProfileData(profile, elementSoftLink, primaryProfiles);
        else if (PxLSEGlobalLogicPtr logic = element)
            TakeGlobalLogicData(logic, elementSoftLink);
        return 1;
    });
}

// The element's revision, then for a form object its four part revisions and for an
// Ispec its teach revision. An element without its part revisions keeps none: an event
// named "EVENT" is only logged, any other fails the transaction.
bool VqsTransactionConfig::CollectElementRevisions(const PxLSEElementPtr& element, VqsGuidArray& guids)
{
    PxLSERevisionIdPtr revision = element->GetRevision();
    if (!revision)
        return true;
    guids.push_back(revision->GetGuid());
    PxLSEFormObjectPtr form(element);
    if (!form)
        return true;
    const PxLSERevisionIdPtr parts[] = {form->GetGraphicalRevision(), form->GetCharacterRevision(),
                                        form->GetDataItemRevision(), form->GetDbRevision()};
    PxLSEIspecPtr ispec(element);
    const PxLSERevisionIdPtr teach = ispec ? ispec->GetTeachRevision() : PxLSERevisionIdPtr();
    const bool teachMissing = ispec && !teach;
    bool complete = !teachMissing;
    for (const PxLSERevisionIdPtr& part : parts)
        complete = complete && part;
    if (complete) {
        for (const PxLSERevisionIdPtr& part : parts)
            guids.push_back(part->GetGuid());
        if (teach)
            guids.push_back(teach->GetGuid());
        return true;
    }
    guids.clear();

    const int kind = ElementKindOf(element);
    const CString kindName = VqsGetElementKindName(kind);
    const CString name = VqsShownName(element);
    CString line;
    line.Format("%s: No revisions for %s %s; GRAPH=%c CHAR=%c DATA=%c DB=%c", kElementLinkDataSource, kindName, name,
                Present(parts[0]), Present(parts[1]), Present(parts[2]), Present(parts[3]));
    if (teachMissing)
        line += " TEACH=N";
    VqsSysApp* app = VqsGetApp();
    if (kind == 2 && element->GetName() == "EVENT") {
        if (app)
            app->LogWarning(0, line);
        return true;
    }
    if (app)
        app->LogError(0, line);
    CString text;
    text.FormatMessage(IDS_ELEMENT_WITHOUT_REVISION, kindName, name);
    VqsErrorBox(text);
    SetFailed();
    return false;
}

void VqsTransactionConfig::RefreshSoftLinkFromElement(const PxLSEElementPtr& element, const PxVQSoftLinkPtr& softLink,
                                                      const VqsGuidArray& guids)
{
    if (!IsUsable())
        return;
    softLink->SetDescription(element->GetDescription());
    softLink->SetRefTime(element->GetCreatedTimeStamp());
    const std::vector<BYTE> bytes = GuidBytes(guids);
    softLink->SetGuidBlob(bytes.data(), static_cast<int>(bytes.size()));
}

void VqsTransactionConfig::TakeIspecData(const PxLSEIspecPtr& ispec, const PxVQElementSoftLinkPtr& link)
{
    PxVQIspecSoftLinkPtr ispecLink(link);
    if (!ispecLink)
        return;
    // The type first: a link whose type changes gets its option records again, blank.
    ispecLink->SetIspecUsage(IspecUsageOf(ispec));
    ispecLink->SetExternalOnlyIspec(ispec->GetExternalOnlyIspec());
    ispecLink->SetIspecType(IspecTypeOf(ispec));

    PxLSEBusinessSegmentPtr segment = DesignSegmentOf(link);
    const int colour = ispec->GetColor();
    const int foreground = OptionColour(colour != 0 ? colour : segment ? segment->GetForegroundColor() : 0);
    const int background = OptionColour(segment ? segment->GetBackgroundColor() : 0);
    CStringList subsystemCodes;
    CollectSubsystemCodes(segment, subsystemCodes);
    PxTypedList<PxOptionsPtr> records;
    link->GetAllOptions(records);
    for (POSITION position = records.GetHeadPosition(); position;) {
        PxOptionsPtr record = records.GetNext(position);
        const int type = record->GetOptionsType();
        if (type == VQHostQSR) {
            PxQSRIspecOptionsPtr qsr(record);
            PaintIspecRecord(qsr, foreground, background);
            if (qsr && !subsystemCodes.Find(qsr->GetSubsystemNum()))
                qsr->SetSubsystemNum("1");
        } else if (type == VQHostTarsk) {
            PaintIspecRecord(PxTarskIspecOptionsPtr(record), foreground, background);
        }
    }
}

void VqsTransactionConfig::TakeReportData(const PxLSEReportPtr& report, const PxVQElementSoftLinkPtr& link)
{
    PxVQReportSoftLinkPtr reportLink(link);
    if (!reportLink)
        return;
    reportLink->SetFastLoad(report->GetDefaultDevice().CompareNoCase("FL") == 0 ? 1 : 0);
    reportLink->SetGenToAllLang(report->GetGenerateToAllLanguages());
    if (PxLSERevisionIdPtr revision = report->GetRevision())
        revision->SetUpdated(0);
}

// The ordinate is the target of the first relation marked "O"; a profile over an event
// has no ordinate names but the over-event flag.
void VqsTransactionConfig::TakeProfileData(const PxLSEProfilePtr& profile, const PxVQElementSoftLinkPtr& link,
                                           const CStringList& primaryProfiles)
{
    PxVQProfileSoftLinkPtr profileLink(link);
    if (!profileLink)
        return;
    profileLink->SetAutoMaint(profile->GetIsAutoMaintProfile());
    profileLink->SetDuplicatesAllowed(profile->GetDuplicates());
    PxTypedList<PxLSERelationPtr> relations;
    profile->GetTargetList(relations);
    if (relations.IsEmpty()) {
        profileLink->SetOrdinateName("");
        profileLink->SetOrdinateLongName("");
    }
    int overEvent = 0;
    for (POSITION position = relations.GetHeadPosition(); position;) {
        PxLSERelationPtr relation = relations.GetNext(position);
        if (relation->GetRelationString().FindOneOf("Oo") < 0) {
            profileLink->SetOrdinateName("");
            profileLink->SetOrdinateLongName("");
            continue;
        }
        PxLSEDskObjectPtr target = relation->GetTarget();
        if (target && target->_IsA("PxLSEEvent")) {
            overEvent = 1;
        } else if (target) {
            profileLink->SetOrdinateName(target->GetName());
            profileLink->SetOrdinateLongName(target->GetLongName());
        }
        break;
    }
    profileLink->SetOverEvent(overEvent);
    profileLink->SetPrimary(primaryProfiles.Find(profile->GetName()) ? 1 : 0);
}

void VqsTransactionConfig::TakeGlobalLogicData(const PxLSEGlobalLogicPtr& logic, const PxVQElementSoftLinkPtr& link)
{
    PxVQGlobalLogicSoftLinkPtr logicLink(link);
    if (!logicLink)
        return;
    logicLink->SetPerformable(logic->GetPerformable());
    logicLink->SetParameters(logic->GetParameters());
}

void CollectBusinessSegmentIspecs(const PxLSEBusinessSegmentPtr& segment, CStringList& primaryProfiles)
{
    if (!segment)
        return;
    PxTypedList<PxLSEElementPtr> elements;
    segment->GetElementList(elements);
    for (POSITION position = elements.GetHeadPosition(); position;) {
        PxLSEElementPtr element = elements.GetNext(position);
        if (!element->_IsA("PxLSEEvent") && !element->_IsA("PxLSEComponent"))
            continue;
        const CString profile = PxLSEIspecPtr(element)->GetPrimaryProfile();
        if (!profile.IsEmpty())
            primaryProfiles.AddTail(profile);
    }
}
