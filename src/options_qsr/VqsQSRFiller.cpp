#include "options_qsr/VqsQSRFiller.h"

#include "proxy/PxLSEAssociation.h"
#include "proxy/PxLSEBusinessSegment.h"
#include "proxy/PxLSEDataItem.h"
#include "proxy/PxLSEEnterprise.h"
#include "proxy/PxLSEIspec.h"
#include "proxy/PxTypedList.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQIspecSoftLink.h"
#include "proxy/PxVQOptionSet.h"
#include "proxy/PxVQSystem.h"
#include "shell/VqsSysApp.h"
#include "win/Clock.h"

#include <cstring>

namespace {

// The generation time against which earlier generations are sought: now for the current
// configuration, else the configuration's own generation.
std::int64_t ReferenceTime(const PxVQConfigPtr& config)
{
    if (const PxVQOldConfigPtr old = config)
        return old->GetGenerationTime();
    return _time64(nullptr);
}

BOOL HasOptionSetNamed(const PxVQOldConfigPtr& config, const char* name, PxVQOptionSetPtr& optionSet)
{
    optionSet = config->GetOptionSet();
    return optionSet && optionSet->GetName() == name;
}

PxLSEIspecPtr DesignIspec(const PxVQIspecSoftLinkPtr& ispecLink, const PxVQBSSoftLinkPtr& bsLink)
{
    VqsSysApp* app = VqsGetApp();
    const PxLSEEnterprisePtr enterprise = app ? app->GetLSEEnterprise() : PxLSEEnterprisePtr();
    const PxLSEBusinessSegmentPtr segment =
        enterprise ? enterprise->GetBusinessSegment(bsLink->GetName()) : PxLSEBusinessSegmentPtr();
    const PxLSEIspecPtr ispec = segment ? PxLSEIspecPtr(segment->GetElement(ispecLink->GetName())) : PxLSEIspecPtr();
    if (!ispec || !(ispec->GetUsage() == 'B' || ispec->GetUsage() == 'O') || ispec->GetExternalOnlyIspec())
        return PxLSEIspecPtr();
    return ispec;
}

BOOL IsCountedUsage(const PxLSEScreenDataUsagePtr& usage)
{
    if (usage->_IsA("PxLSEKeywordTermItemDataUsage"))
        return FALSE;
    const char code = usage->GetUsage();
    return (code == 'D' || code == 'B' || code == 'O') && !usage->GetMemodata();
}

CString TargetName(const PxLSEElementPtr& target)
{
    const CString name = target->GetName();
    return name == "GLB.REPORT" ? CString("GLB-REPORT") : name;
}

struct ItemShape {
    std::int64_t length = 0;
    char edit = 'A';
};

ItemShape ShapeOf(const PxLSEElementPtr& target)
{
    ItemShape shape;
    if (const PxLSEDataItemPtr item = target) {
        const CString edit = item->GetEdit();
        shape.length = item->GetLength();
        shape.edit = edit.IsEmpty() ? '\0' : edit[0];
    } else if (const PxLSEKeywordPtr keyword = target) {
        PxTypedList<PxLSEDataItemPtr> items;
        keyword->GetDataItemList(items);
        for (POSITION pos = items.GetHeadPosition(); pos;)
            shape.length += items.GetNext(pos)->GetLength();
    }
    return shape;
}

std::int64_t StorageOf(const ItemShape& shape)
{
    switch (shape.edit) {
    case 'A':
    case 'W':
        return shape.length;
    case 'D':
    case 'N':
        return (shape.length + 1) / 2;
    case 'K':
        return 2 * shape.length;
    default:
        return 1 + (shape.length + 1) / 2;
    }
}

} // namespace

BOOL IsInCommaList(const char* name, const char* list)
{
    if (!name || !list)
        return FALSE;
    const std::size_t nameLength = std::strlen(name);
    for (const char* item = list; *item;) {
        const char* comma = std::strchr(item, ',');
        if (!comma)
            return FALSE;
        const std::size_t length = static_cast<std::size_t>(comma - item);
        if (length == nameLength && CString(item, static_cast<int>(length)).CompareNoCase(name) == 0)
            return TRUE;
        item = comma + 1;
    }
    return FALSE;
}

BOOL FindLastGenerationOfIspec(const PxVQBSSoftLinkPtr& bsLink, const char* ispecName, const char* optionSetName,
                               PxVQBSSoftLinkPtr& foundBSLink, PxVQIspecSoftLinkPtr& foundIspecLink,
                               PxVQOptionSetPtr& foundOptionSet)
{
    if (!bsLink || !ispecName || !*ispecName)
        return FALSE;
    const PxVQConfigPtr config = bsLink->GetConfig();
    const PxVQSystemPtr system = config ? config->GetSystem() : PxVQSystemPtr();
    if (!system)
        return FALSE;
    const std::int64_t reference = ReferenceTime(config);
    const CString segmentName = bsLink->GetName();
    BOOL found = FALSE;
    std::int64_t best = 0;
    PxTypedList<PxVQOldConfigPtr> olds;
    system->GetListOfOldConfigs(olds);
    for (POSITION pos = olds.GetHeadPosition(); pos;) {
        const PxVQOldConfigPtr old = olds.GetNext(pos);
        PxVQOptionSetPtr optionSet;
        if (old->IsSameOid(config) || !HasOptionSetNamed(old, optionSetName ? optionSetName : "", optionSet))
            continue;
        const PxVQBSSoftLinkPtr oldBSLink = old->GetBSSoftLink(segmentName);
        const PxVQIspecSoftLinkPtr oldIspecLink =
            oldBSLink ? PxVQIspecSoftLinkPtr(oldBSLink->GetElementSoftLink(ispecName)) : PxVQIspecSoftLinkPtr();
        if (!oldIspecLink)
            continue;
        const std::int64_t time = old->GetGenerationTime();
        if (time > reference || (found && time <= best))
            continue;
        found = TRUE;
        best = time;
        foundBSLink = oldBSLink;
        foundIspecLink = oldIspecLink;
        foundOptionSet = optionSet;
    }
    return found;
}

std::int64_t ComputeNewItemsSize(const PxVQIspecSoftLinkPtr& ispecLink, const PxVQBSSoftLinkPtr& bsLink)
{
    if (!ispecLink || !bsLink)
        return 0;
    const CString items = ispecLink->GetIspecDataItems();
    if (items.IsEmpty())
        return 0;
    const CString fillerItems = ispecLink->GetIspecFillerDataItems();
    const PxLSEIspecPtr ispec = DesignIspec(ispecLink, bsLink);
    if (!ispec)
        return 0;
    std::int64_t size = 0;
    PxTypedList<PxLSEScreenDataUsagePtr> usages;
    ispec->GetScreenDataUsageList(usages);
    for (POSITION pos = usages.GetHeadPosition(); pos;) {
        const PxLSEScreenDataUsagePtr usage = usages.GetNext(pos);
        const PxLSEElementPtr target = usage->GetTargetElement();
        if (!target || !IsCountedUsage(usage))
            continue;
        const CString name = TargetName(target);
        if (IsInCommaList(name, items) || IsInCommaList(name, fillerItems))
            continue;
        size += StorageOf(ShapeOf(target));
    }
    return size;
}
