#include "proxy/PxLSEBuilder.h"

#include "proxy/PxException.h"
#include "proxy/PxLSEAssociation.h"
#include "proxy/PxLSEBusinessSegment.h"
#include "proxy/PxLSEDataItem.h"
#include "proxy/PxLSEEnterprise.h"
#include "proxy/PxLSEIspec.h"
#include "proxy/PxLSEParts.h"
#include "proxy/PxLSEProfile.h"
#include "proxy/PxLSERevisionId.h"
#include "proxy/PxLSEStructure.h"
#include "proxy/PxTypedList.h"
#include "proxy/PxVQLink.h"

#include <cstring>
#include <string>

using namespace PxLSEStructure;

namespace {

struct PropertyRow {
    const char* className;
    const char* property;
    PxLSEBuilder::PropertyType type;
};

constexpr auto kText = PxLSEBuilder::PropertyType::Text;
constexpr auto kNumber = PxLSEBuilder::PropertyType::Number;

constexpr PropertyRow kProperties[] = {
    {"PxLSEDskObject", "longName", kText},
    {"PxLSEDskObject", "description", kText},
    {"PxLSEBusinessSegment", "foregroundColor", kNumber},
    {"PxLSEBusinessSegment", "backgroundColor", kNumber},
    {"PxLSEBusinessSegment", "rocRequired", kNumber},
    {"PxLSEBusinessSegment", "twoPhaseCommit", kNumber},
    {"PxLSEBusinessSegment", "extendedReportRecovery", kNumber},
    {"PxLSEBusinessSegment", "productionSystem", kNumber},
    {"PxLSEBusinessSegment", "japaneseSupport", kNumber},
    {"PxLSEBusinessSegment", "targetHostNt", kNumber},
    {"PxLSEBusinessSegment", "targetHostQsr", kNumber},
    {"PxLSEBusinessSegment", "targetHostOsTarsk", kNumber},
    {"PxLSEBusinessSegment", "targetHostUnix", kNumber},
    {"PxLSEBusinessSegment", "allowBigBuffers", kNumber},
    {"PxLSEBusinessSegment", "braskSupplied", kNumber},
    {"PxLSEBusinessSegment", "ccsVersionSupport", kNumber},
    {"PxLSEIspec", "usage", kText},
    {"PxLSEIspec", "primaryProfile", kText},
    {"PxLSEIspec", "externalOnlyIspec", kNumber},
    {"PxLSEIspec", "color", kNumber},
    {"PxLSEIspec", "subsystem", kText},
    {"PxLSEIspec", "changeTimeStamp", kNumber},
    {"PxLSEIspec", "copyFrom", kNumber},
    {"PxLSEComponent", "type", kNumber},
    {"PxLSEProfile", "isAutoMaintProfile", kNumber},
    {"PxLSEProfile", "duplicates", kNumber},
    {"PxLSEProfile", "spanAllEvents", kNumber},
    {"PxLSEReport", "defaultDevice", kText},
    {"PxLSEReport", "generateToAllLanguages", kNumber},
    {"PxLSEGlobalLogic", "performable", kNumber},
    {"PxLSEGlobalLogic", "parameters", kText},
    {"PxLSEDataItem", "length", kNumber},
    {"PxLSEDataItem", "edit", kText},
};

constexpr const char* kElementClasses[] = {
    "PxLSEIspec",  "PxLSEEvent",       "PxLSEComponent", "PxLSEProfile",  "PxLSEReport",
    "PxLSEGlobalLogic", "PxSQLScript", "PxLSEDataItem",  "PxLSEKeyword",
};

struct RevisionRow {
    const char* which;
    const char* className;
    const char* role;
};

constexpr RevisionRow kRevisions[] = {
    {"Revision", "PxLSEElement", kRevision},
    {"GSDRevision", "PxLSEBusinessSegment", kGSDRevision},
    {"AllElementsRevision", "PxLSEBusinessSegment", kAllElementsRevision},
    {"SyncGenRevision", "PxLSEBusinessSegment", kSyncGenRevision},
    {"GraphicalRevision", "PxLSEFormObject", kGraphicalRevision},
    {"CharacterRevision", "PxLSEFormObject", kCharacterRevision},
    {"DataItemRevision", "PxLSEFormObject", kDataItemRevision},
    {"DbRevision", "PxLSEFormObject", kDbRevision},
    {"TeachRevision", "PxLSEIspec", kTeachRevision},
};

bool Is(const char* a, const char* b) { return a && b && std::strcmp(a, b) == 0; }

const RevisionRow* FindRevision(const char* className, const char* which)
{
    const PxClassInfo* info = PxFindClass(className);
    for (const RevisionRow& row : kRevisions)
        if (Is(row.which, which) && info && info->IsKindOf(row.className))
            return &row;
    return nullptr;
}

template <class T>
PxPtr<T> Required(const PxPtr<T>& object, const char* what)
{
    if (!object)
        PX_THROW("The design object %1 is missing.", what);
    return object;
}

} // namespace

PxLSEBuilder::PxLSEBuilder(const PxLSELink& link) : m_enterprise(link.GetLSEEnterprise()) {}

PxLSEBuilder::PropertyType PxLSEBuilder::KnownProperty(const char* className, const char* property)
{
    const PxClassInfo* info = PxFindClass(className);
    if (!info)
        return PropertyType::None;
    for (const PropertyRow& row : kProperties)
        if (Is(row.property, property) && info->IsKindOf(row.className))
            return row.type;
    return PropertyType::None;
}

bool PxLSEBuilder::IsElementClass(const char* className)
{
    for (const char* known : kElementClasses)
        if (Is(known, className))
            return true;
    return false;
}

bool PxLSEBuilder::IsRevisionOf(const char* className, const char* which)
{
    return FindRevision(className, which) != nullptr;
}

void PxLSEBuilder::SetAllowLongNames(int allow) { m_enterprise->SetAttributeInt("allowLongNames", allow); }

void PxLSEBuilder::SetEnterpriseNames(const char* name, const char* longName)
{
    m_enterprise->SetAttributeText("name", name);
    m_enterprise->SetAttributeText("longName", longName);
}

PxLSEBusinessSegmentPtr PxLSEBuilder::AddBusinessSegment(const char* name)
{
    PxLSEBusinessSegmentPtr segment = m_enterprise->CreateMember(kBusinessSegments, "PxLSEBusinessSegment");
    segment->SetAttributeText("name", name);
    return segment;
}

PxLSEElementPtr PxLSEBuilder::AddElement(const PxLSEBusinessSegmentPtr& segment, const char* className,
                                         const char* name)
{
    if (!IsElementClass(className))
        PX_THROW("%1 is not a class of design elements.", className ? className : "");
    PxLSEElementPtr element = Required(segment, "business segment")->CreateMember(kElements, className);
    element->SetAttributeText("name", name);
    return element;
}

void PxLSEBuilder::CheckProperty(const PxObjectPtr& object, const char* property, PropertyType type) const
{
    PropertyType known = KnownProperty(Required(object, "object")->GetClassName(), property);
    if (known == PropertyType::None)
        PX_THROW("A %1 has no property %2.", object->GetClassName(), property ? property : "");
    if (known != type)
        PX_THROW("The property %1 of a %2 takes a %3.", property, object->GetClassName(),
                 known == PropertyType::Text ? "text" : "number");
}

void PxLSEBuilder::SetText(const PxObjectPtr& object, const char* property, const char* value)
{
    CheckProperty(object, property, PropertyType::Text);
    if (Is(property, "usage") && (!value || std::strlen(value) != 1))
        PX_THROW("The usage of an Ispec is one letter.");
    object->SetAttributeText(property, value);
}

void PxLSEBuilder::SetNumber(const PxObjectPtr& object, const char* property, std::int64_t value)
{
    CheckProperty(object, property, PropertyType::Number);
    object->SetAttributeInt(property, value);
}

PxLSERevisionIdPtr PxLSEBuilder::AddRevision(const PxObjectPtr& object, const char* which, const GUID& guid)
{
    const RevisionRow* row = FindRevision(Required(object, "object")->GetClassName(), which);
    if (!row)
        PX_THROW("A %1 has no revision %2.", object->GetClassName(), which ? which : "");
    if (object->CountOfMembers(row->role) > 0)
        PX_THROW("The %1 has its %2 already.", object->GetClassName(), which);
    PxLSERevisionIdPtr revision = object->CreateMember(row->role, "PxLSERevisionId");
    revision->SetAttributeBlob("guid", &guid, sizeof(guid));
    revision->SetAttributeInt("updated", 1);
    return revision;
}

PxLSELanguagePtr PxLSEBuilder::AddLanguage(const PxLSEBusinessSegmentPtr& segment, const char* name, int slot)
{
    if (slot < 1 || slot > 15)
        PX_THROW("There is no language slot %1; the slots are 1 to 15.", std::to_string(slot).c_str());
    PxLSELanguagePtr language = Required(segment, "business segment")->CreateMember(kLanguages, "PxLSELanguage");
    language->SetAttributeText("name", name);
    language->SetAttributeInt("slot", slot);
    return language;
}

void PxLSEBuilder::SetPrimaryLanguage(const PxLSEBusinessSegmentPtr& segment, const PxLSELanguagePtr& language)
{
    Required(segment, "business segment")->SetAttributeObject("primaryLanguage", language);
}

PxLSESubsystemPtr PxLSEBuilder::AddSubsystem(const PxLSEBusinessSegmentPtr& segment, const char* name, int number)
{
    PxLSESubsystemPtr subsystem = Required(segment, "business segment")->CreateMember(kSubsystems, "PxLSESubsystem");
    subsystem->SetAttributeText("name", name);
    subsystem->SetAttributeInt("number", number);
    return subsystem;
}

PxLSERelationPtr PxLSEBuilder::AddRelation(const PxLSEElementPtr& source, const PxLSEDskObjectPtr& target,
                                           const char* relationString)
{
    PxLSERelationPtr relation = Required(source, "relation source")->CreateMember(kTargets, "PxLSERelation");
    relation->SetAttributeObject("source", source);
    relation->SetAttributeObject("target", Required(target, "relation target"));
    relation->SetAttributeText("relationString", relationString);
    target->AddMember(kSources, relation);
    return relation;
}

PxLSEDataOrdinatePtr PxLSEBuilder::AddOrdinate(const PxLSEProfilePtr& profile, const PxLSEDskObjectPtr& target,
                                               int sequence, int linkIfPresent)
{
    PxLSEDataOrdinatePtr ordinate = Required(profile, "profile")->CreateMember(kOrdinates, "PxLSEDataOrdinate");
    ordinate->SetAttributeObject("source", profile);
    ordinate->SetAttributeObject("target", Required(target, "ordinate target"));
    ordinate->SetAttributeInt("sequence", sequence);
    ordinate->SetAttributeInt("linkIfPresent", linkIfPresent);
    return ordinate;
}

PxLSELogicPtr PxLSEBuilder::AddCondition(const PxLSEScriptPtr& script, const char* text)
{
    PxLSELogicPtr condition = Required(script, "script")->CreateMember(kConditions, "PxLSELogic");
    condition->SetAttributeText("text", text);
    return condition;
}

PxLSEScreenDataUsagePtr PxLSEBuilder::AddScreenDataUsage(const PxLSEIspecPtr& ispec, const PxLSEElementPtr& target,
                                                         char usage, int memodata, bool keywordTerm)
{
    const char* className = keywordTerm ? "PxLSEKeywordTermItemDataUsage" : "PxLSEScreenDataUsage";
    PxLSEScreenDataUsagePtr use = Required(ispec, "Ispec")->CreateMember(kScreenDataUsages, className);
    use->SetAttributeObject("target", Required(target, "data item"));
    use->SetAttributeText("usage", std::string(1, usage).c_str());
    use->SetAttributeInt("memodata", memodata);
    return use;
}

void PxLSEBuilder::AddDataItemToKeyword(const PxLSEKeywordPtr& keyword, const PxLSEDataItemPtr& item)
{
    Required(keyword, "keyword")->AddMember(kDataItems, Required(item, "data item"));
}

void PxLSEBuilder::SetOrdinateProfile(const PxLSEComponentPtr& component, const PxLSEProfilePtr& profile)
{
    Required(component, "component")->SetAttributeObject("ordinateProfile", profile);
}

void PxLSEBuilder::RemoveElement(const PxLSEElementPtr& element)
{
    PxTypedList<PxLSEObjectPtr> naming;
    Required(element, "element")->GetMembers(kSources, naming);
    for (POSITION pos = naming.GetHeadPosition(); pos;)
        static_cast<PxLSEObject&>(*naming.GetNext(pos)).Delete();
    static_cast<PxLSEObject&>(*element).Delete();
}

void PxLSEBuilder::RenameElement(const PxLSEElementPtr& element, const char* name)
{
    Required(element, "element")->SetAttributeText("name", name);
}

void PxLSEBuilder::RemoveBusinessSegment(const PxLSEBusinessSegmentPtr& segment)
{
    static_cast<PxLSEObject&>(*Required(segment, "business segment")).Delete();
}

PxLSELockedObjectPtr PxLSEBuilder::LockBusinessSegment(const PxLSEBusinessSegmentPtr& segment, const char* usercode,
                                                       int exclusive)
{
    PxLSELockedObjectPtr record = m_enterprise->CreateMember(kLockedObjects, "PxLSELockedObject");
    record->SetAttributeObject("object", Required(segment, "business segment"));
    record->SetAttributeText("usercode", usercode);
    record->SetAttributeInt("exclusiveLock", exclusive);
    return record;
}
