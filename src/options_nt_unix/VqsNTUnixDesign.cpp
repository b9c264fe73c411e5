#include "options_nt_unix/VqsNTUnixDesign.h"

#include "model/VqsModelNodeLink.h"
#include "options/VqsOptionsSheet.h"
#include "proxy/PxLSEAssociation.h"
#include "proxy/PxLSEBusinessSegment.h"
#include "proxy/PxLSEEnterprise.h"
#include "proxy/PxLSEParts.h"
#include "proxy/PxTypedList.h"
#include "proxy/PxVQElementSoftLink.h"
#include "shell/VqsSysApp.h"

namespace vqsntunix {

PxVQSoftLinkPtr EditedLink(VqsOptionsSheet& sheet)
{
    VqsModelNodeLink* node = sheet.GetOptionNode();
    return node ? node->GetSoftLink() : PxVQSoftLinkPtr();
}

PxVQBSSoftLinkPtr EditedSegmentLink(VqsOptionsSheet& sheet)
{
    const PxVQSoftLinkPtr link = EditedLink(sheet);
    if (const PxVQBSSoftLinkPtr segment{link})
        return segment;
    const PxVQElementSoftLinkPtr element{link};
    return element ? element->GetBSSoftLink() : PxVQBSSoftLinkPtr();
}

PxLSEElementPtr DesignElement(VqsOptionsSheet& sheet, const char* name)
{
    const PxVQBSSoftLinkPtr segmentLink = EditedSegmentLink(sheet);
    VqsSysApp* app = VqsGetApp();
    const PxLSEEnterprisePtr enterprise = app ? app->GetLSEEnterprise() : PxLSEEnterprisePtr();
    if (!segmentLink || !enterprise)
        return nullptr;
    const PxLSEBusinessSegmentPtr segment = enterprise->GetBusinessSegment(segmentLink->GetName());
    return segment ? segment->GetElement(name) : PxLSEElementPtr();
}

PxLSEElementPtr EditedDesignElement(VqsOptionsSheet& sheet)
{
    const PxVQSoftLinkPtr link = EditedLink(sheet);
    return link ? DesignElement(sheet, link->GetName()) : PxLSEElementPtr();
}

std::vector<CString> ScreenDataItems(const PxLSEIspecPtr& ispec)
{
    std::vector<CString> items;
    if (!ispec || !(ispec->GetUsage() == 'B' || ispec->GetUsage() == 'O'))
        return items;
    PxTypedList<PxLSEScreenDataUsagePtr> usages;
    ispec->GetScreenDataUsageList(usages);
    for (POSITION pos = usages.GetHeadPosition(); pos;) {
        const PxLSEScreenDataUsagePtr usage = usages.GetNext(pos);
        if (!usage || usage->_IsKindOf("PxLSEKeywordTermItemDataUsage"))
            continue;
        const char kind = usage->GetUsage();
        const PxLSEElementPtr item = usage->GetTargetElement();
        if ((kind == 'D' || kind == 'B' || kind == 'O') && item)
            items.push_back(item->GetName());
    }
    return items;
}

BOOL IsOverRelation(const CString& relation) { return relation.Find('O') >= 0 || relation.Find('o') >= 0; }

BOOL IsConditionalProfile(const PxLSEProfilePtr& profile)
{
    if (!profile || profile->GetSpanAllEvents())
        return FALSE;
    PxTypedList<PxLSERelationPtr> relations;
    profile->GetTargetList(relations);
    for (POSITION pos = relations.GetHeadPosition(); pos;) {
        const PxLSERelationPtr relation = relations.GetNext(pos);
        const PxLSEDskObjectPtr target = relation ? relation->GetTarget() : PxLSEDskObjectPtr();
        if (target && IsOverRelation(relation->GetRelationString()) && target->_IsA("PxLSEEvent"))
            return TRUE;
    }
    return HasLinkedOrdinate(profile) || HasCondition(profile);
}

BOOL HasLinkedOrdinate(const PxLSEProfilePtr& profile)
{
    PxTypedList<PxLSEDataOrdinatePtr> ordinates;
    profile->GetOrdinateDictionary(ordinates);
    for (POSITION pos = ordinates.GetHeadPosition(); pos;) {
        const PxLSEDataOrdinatePtr ordinate = ordinates.GetNext(pos);
        if (ordinate && ordinate->GetLinkIfPresent())
            return TRUE;
    }
    return FALSE;
}

BOOL HasCondition(const PxLSEProfilePtr& profile)
{
    PxTypedArray<PxLSELogicPtr> conditions;
    profile->GetConditions(conditions);
    return conditions.GetSize() > 0;
}

} // namespace vqsntunix
