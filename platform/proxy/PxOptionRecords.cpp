#include "proxy/PxOptionRecords.h"

#include "proxy/PxClass.h"
#include "proxy/PxList.h"
#include "proxy/PxOptions.h"
#include "proxy/PxTypedList.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQElementSoftLink.h"
#include "proxy/PxVQIspecSoftLink.h"
#include "proxy/PxVQOptionSet.h"

#include <set>
#include <string>

PxOptionRecords::IspecKind PxOptionRecords::IspecRecordKind(int ispecType)
{
    // Every Ispec record is an event or a component record: the Ispec layer is only their
    // common base, and no option page or node takes a record of it alone.
    return ispecType == 0 ? IspecKind::Event : IspecKind::Component;
}

const char* PxOptionRecords::RecordClass(const PxVQSoftLink& link, int hostType)
{
    static const char* const platforms[] = {"PxNT", "PxQSR", "PxTarsk", "PxUnix"};
    if (hostType < 0 || hostType > 3)
        return nullptr;
    const char* kind = nullptr;
    switch (link.GetElementType()) {
    case VQSoftLinkBusinessSegment:
        kind = "BSegOptions";
        break;
    case VQSoftLinkIspec:
        switch (IspecRecordKind(static_cast<const PxVQIspecSoftLink&>(link).GetIspecType())) {
        case IspecKind::Event:
            kind = "EventOptions";
            break;
        case IspecKind::Component:
            kind = "CompOptions";
            break;
        }
        break;
    case VQSoftLinkReport:
        kind = "ReportOptions";
        break;
    case VQSoftLinkProfile:
        kind = "ProfileOptions";
        break;
    case VQSoftLinkGlobalLogic:
        kind = "GLGOptions";
        break;
    default:
        return nullptr;
    }
    const PxClassInfo* info = PxFindClass((std::string(platforms[hostType]) + kind).c_str());
    return info ? info->name : nullptr;
}

void PxOptionRecords::OptionSetsOf(const PxVQConfigPtr& config, PxTypedList<PxVQOptionSetPtr>& optionSets)
{
    optionSets.RemoveAll();
    if (PxVQCurConfigPtr current = config)
        current->GetListOfOptionSets(optionSets);
    else if (PxVQOldConfigPtr old = config)
        if (PxVQOptionSetPtr only = old->GetOptionSet())
            optionSets.AddTail(only);
}

void PxOptionRecords::Create(const PxVQOptionSetPtr& optionSet, const PxVQSoftLinkPtr& link)
{
    const char* className = RecordClass(*link, optionSet->GetHostType());
    if (!className)
        return;
    PxOptionsPtr record = optionSet->CreateSharedMember(kRole, className, link, kRole);
    record->SetAttributeObject("softLink", link);
    record->SetAttributeObject("optionSet", optionSet);
}

void PxOptionRecords::CreateIfMissing(const PxVQOptionSetPtr& optionSet, const PxVQSoftLinkPtr& link)
{
    if (!Find(*link, *optionSet))
        Create(optionSet, link);
}

void PxOptionRecords::CreateForLink(const PxVQSoftLinkPtr& link, const PxVQConfigPtr& config)
{
    PxTypedList<PxVQOptionSetPtr> optionSets;
    OptionSetsOf(config, optionSets);
    if (optionSets.IsEmpty())
        return;
    std::set<std::int64_t> served;
    PxObjectArray records;
    link->GetMembers(kRole, records);
    for (const PxObjectPtr& record : records)
        served.insert(record->GetAttributeInt("optionSet"));
    for (POSITION position = optionSets.GetHeadPosition(); position;) {
        PxVQOptionSetPtr optionSet = optionSets.GetNext(position);
        if (!served.count(static_cast<std::int64_t>(optionSet->GetHandle().MapKey())))
            Create(optionSet, link);
    }
}

void PxOptionRecords::CreateForSet(const PxVQOptionSetPtr& optionSet)
{
    PxVQConfigPtr config = optionSet->GetConfig();
    if (!config)
        return;
    PxTypedList<PxVQBSSoftLinkPtr> segments;
    config->GetListOfBSSoftLinks(segments);
    for (POSITION position = segments.GetHeadPosition(); position;) {
        PxVQBSSoftLinkPtr segment = segments.GetNext(position);
        CreateIfMissing(optionSet, segment);
        PxTypedList<PxVQElementSoftLinkPtr> elements;
        segment->GetListOfElementSoftLinks(elements);
        for (POSITION at = elements.GetHeadPosition(); at;)
            CreateIfMissing(optionSet, elements.GetNext(at));
    }
}

PxOptionsPtr PxOptionRecords::Find(const PxVQSoftLink& link, const PxVQOptionSet& optionSet)
{
    PxObjectArray records;
    link.GetMembers(kRole, records);
    return FindIn(records, optionSet);
}

PxOptionsPtr PxOptionRecords::FindIn(const std::vector<PxObjectPtr>& records, const PxVQOptionSet& optionSet)
{
    for (const PxObjectPtr& record : records)
        if (record->GetAttributeInt("optionSet") == static_cast<std::int64_t>(optionSet.GetHandle().MapKey()))
            return record;
    return PxOptionsPtr();
}

void PxOptionRecords::Renew(const PxVQSoftLinkPtr& link, const PxVQConfigPtr& config)
{
    PxObjectArray records;
    link->GetMembers(kRole, records);
    for (const PxObjectPtr& record : records)
        PxVQObjectPtr(record)->DeleteObject();
    CreateForLink(link, config);
}
