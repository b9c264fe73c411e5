#include "model/VqsModelNodeOption.h"

#include "model/VqsLockBag.h"
#include "model/VqsModelNodeEnterprise.h"
#include "model/VqsModelNodeLink.h"
#include "model/VqsModelNodeOSet.h"
#include "model/VqsTransactionWrite.h"
#include "proxy/PxIspecOptions.h"
#include "proxy/VqException.h"
#include "shell/VqsMsgBox.h"

namespace {

const UINT IDS_CANNOT_COLLECT_PACKS = 61624;

// One pack option of an element's options, through its own operations.
template <class Options>
struct ElementPack {
    int kind;
    BOOL (Options::*isUpdated)() const;
    BOOL (Options::*isDefault)() const;
    CString (Options::*get)() const;
    void (Options::*set)(const char*);
};

const ElementPack<PxCompOptions> kCompPack{VQPackTablespace, &PxCompOptions::IsUpdatedCompPack,
                                           &PxCompOptions::IsDefaultCompPack, &PxCompOptions::GetCompPack,
                                           &PxCompOptions::SetCompPack};
const ElementPack<PxReportOptions> kExtractPack{VQPackPath, &PxReportOptions::IsUpdatedExtractPack,
                                                &PxReportOptions::IsDefaultExtractPack,
                                                &PxReportOptions::GetExtractPack, &PxReportOptions::SetExtractPack};
const ElementPack<PxProfileOptions> kProfilePack{VQPackTablespace, &PxProfileOptions::IsUpdatedPack,
                                                 &PxProfileOptions::IsDefaultPack, &PxProfileOptions::GetPack,
                                                 &PxProfileOptions::SetPack};

template <class Options>
bool HoldsOwnPack(const Options& options, const ElementPack<Options>& pack)
{
    return (options.*pack.isUpdated)() && !(options.*pack.isDefault)();
}

template <class Options>
void CollectUpdatedPack(const PxPtr<Options>& options, const ElementPack<Options>& pack,
                        VqsBSPackReplacementList& replacements, VqsBSPackReplacement& record)
{
    if (!options || !HoldsOwnPack(*options, pack))
        return;
    record.packKind = pack.kind;
    record.packName = (*options.*pack.get)();
    VqsAddPackReplacement(replacements, record);
}

template <class Options>
void ReplaceOwnPack(const PxPtr<Options>& options, const ElementPack<Options>& pack,
                    const VqsBSPackReplacement& replacement)
{
    if (!options || replacement.packKind != pack.kind || !HoldsOwnPack(*options, pack) ||
        (*options.*pack.get)() != replacement.packName)
        return;
    VqsWriteInTransaction([&](VqsTransaction& transaction) {
        if (transaction.IsUsable())
            (*options.*pack.set)(replacement.newPackName);
        return 0;
    });
}

// The element link's business-segment link node, when the element link is right under it.
VqsModelNodeBSLink* SegmentNodeAbove(VqsModelNodeLink* linkNode)
{
    return linkNode ? dynamic_cast<VqsModelNodeBSLink*>(linkNode->GetParent()) : nullptr;
}

} // namespace

VqsModelNodeOSet* VqsModelNodeOption::GetOptionSetNode() const { return static_cast<VqsModelNodeOSet*>(GetParent()); }

int VqsModelNodeOption::QueryOptionsType() const { return GetOptions()->GetOptionsType(); }

int VqsModelNodeOption::QueryOptionsKind() const { return GetOptions()->GetOptionsKind(); }

bool VqsModelNodeOption::BelongsToBSSoftLink(const PxVQBSSoftLinkPtr& bsSoftLink) const
{
    const PxVQOptionsPtr options(GetOptions());
    const PxVQSoftLinkPtr link = options ? options->GetSoftLink() : PxVQSoftLinkPtr();
    if (!link || !bsSoftLink)
        return false;
    if (link->IsSameOid(bsSoftLink))
        return true;
    const PxVQElementSoftLinkPtr element(link);
    return element && element->GetBSSoftLink() && element->GetBSSoftLink()->IsSameOid(bsSoftLink);
}

PxVQBSSoftLinkPtr VqsModelNodeOption::GetBSSoftLink() const
{
    const PxVQOptionsPtr options(GetOptions());
    const PxVQSoftLinkPtr link = options ? options->GetSoftLink() : PxVQSoftLinkPtr();
    if (const PxVQElementSoftLinkPtr element{link})
        return element->GetBSSoftLink();
    return PxVQBSSoftLinkPtr(link);
}

int VqsModelNodeOption::LockPath(VqsLockBag& bag, const PxVQObjectPtr& target)
{
    if (target && target->_IsKindOf("PxVQElementSoftLink") && !bag.LockNode(GetOptionSetNode()))
        return 0;
    return bag.LockNode(this) ? 1 : 0;
}

void VqsModelNodeOption::CollectUpdatedPacks(int, VqsBSPackReplacementList&, VqsBSPackReplacement&) {}

void VqsModelNodeOption::CollectPacks(VqsPackSpecList&) {}

void VqsModelNodeOption::ReplacePack(const VqsBSPackReplacement&) {}

int VqsModelNodeOption::CollectEditNodes(CObList&, VqsModelNodeLink*) { return 1; }

void VqsModelNodeOption::AppendOptionNodesOf(CObList& nodes, const PxVQSoftLinkPtr& link)
{
    VqsModelNodeOSet* optionSet = GetOptionSetNode();
    optionSet->BuildOptionNodes(VqsLoadCached);
    CObList options;
    optionSet->GetOptionNodes(options);
    for (POSITION pos = options.GetHeadPosition(); pos;) {
        auto* option = static_cast<VqsModelNodeOption*>(options.GetNext(pos));
        const PxVQOptionsPtr record(option->GetOptions());
        const PxVQSoftLinkPtr owner = record ? record->GetSoftLink() : PxVQSoftLinkPtr();
        if (owner && link && owner->IsSameOid(link))
            nodes.AddTail(option);
    }
}

int VqsModelNodeOptionBSeg::CollectEditNodes(CObList& nodes, VqsModelNodeLink* linkNode)
{
    nodes.AddTail(linkNode);
    return 1;
}

int VqsModelNodeOptionIspec::CollectEditNodes(CObList& nodes, VqsModelNodeLink* linkNode)
{
    nodes.AddTail(linkNode);
    VqsModelNodeOSet* optionSet = GetOptionSetNode();
    const PxVQBSSoftLinkPtr bsSoftLink = linkNode->GetBSLinkNode()->GetBSSoftLink();
    if (VqsModelNodeOption* segmentOptions =
            optionSet->CreateOptionNode(bsSoftLink->GetOptions(optionSet->GetOptionSet()), false))
        nodes.AddTail(segmentOptions);
    return 1;
}

int VqsModelNodeOptionIspec::CollectEditNodesWithSegment(CObList& nodes, VqsModelNodeLink* linkNode)
{
    if (VqsModelNode* segment = linkNode->GetParent())
        nodes.AddTail(segment);
    return VqsModelNodeOptionIspec::CollectEditNodes(nodes, linkNode);
}

int VqsModelNodeOptionQSREvent::CollectEditNodes(CObList& nodes, VqsModelNodeLink* linkNode)
{
    return CollectEditNodesWithSegment(nodes, linkNode);
}

int VqsModelNodeOptionQSRComp::CollectEditNodes(CObList& nodes, VqsModelNodeLink* linkNode)
{
    return CollectEditNodesWithSegment(nodes, linkNode);
}

int VqsModelNodeOptionReport::CollectEditNodes(CObList& nodes, VqsModelNodeLink* linkNode)
{
    VqsModelNodeBSLink* segment = SegmentNodeAbove(linkNode);
    if (!segment)
        return 1;
    nodes.AddTail(segment);
    nodes.AddTail(linkNode);
    AppendOptionNodesOf(nodes, segment->GetBSSoftLink());
    return 1;
}

int VqsModelNodeOptionProfile::CollectEditNodes(CObList& nodes, VqsModelNodeLink* linkNode)
{
    VqsModelNodeBSLink* segment = SegmentNodeAbove(linkNode);
    if (!segment)
        return 1;
    nodes.AddTail(segment);
    nodes.AddTail(linkNode);
    // A profile placed under its Ispec is edited with the Ispec's entry.
    if (linkNode->IsPlacedBelow())
        nodes.AddTail(static_cast<VqsModelNodeElementLink*>(linkNode)->GetIspecNode());
    AppendOptionNodesOf(nodes, segment->GetBSSoftLink());
    AppendOptionNodesOf(nodes, linkNode->GetSoftLink());
    return 1;
}

int VqsModelNodeOptionGLG::CollectEditNodes(CObList& nodes, VqsModelNodeLink* linkNode)
{
    const PxGLGOptionsPtr options = GetGLGOptions();
    if (options && options->GetOptionsType() != VQHostQSR)
        nodes.AddTail(linkNode);
    return 1;
}

void VqsModelNodeOptionComp::CollectUpdatedPacks(int, VqsBSPackReplacementList& replacements,
                                                 VqsBSPackReplacement& record)
{
    CollectUpdatedPack(GetCompOptions(), kCompPack, replacements, record);
}

void VqsModelNodeOptionReport::CollectUpdatedPacks(int, VqsBSPackReplacementList& replacements,
                                                   VqsBSPackReplacement& record)
{
    CollectUpdatedPack(GetReportOptions(), kExtractPack, replacements, record);
}

void VqsModelNodeOptionProfile::CollectUpdatedPacks(int, VqsBSPackReplacementList& replacements,
                                                    VqsBSPackReplacement& record)
{
    CollectUpdatedPack(GetProfileOptions(), kProfilePack, replacements, record);
}

void VqsModelNodeOptionComp::ReplacePack(const VqsBSPackReplacement& replacement)
{
    ReplaceOwnPack(GetCompOptions(), kCompPack, replacement);
}

void VqsModelNodeOptionReport::ReplacePack(const VqsBSPackReplacement& replacement)
{
    ReplaceOwnPack(GetReportOptions(), kExtractPack, replacement);
}

void VqsModelNodeOptionProfile::ReplacePack(const VqsBSPackReplacement& replacement)
{
    ReplaceOwnPack(GetProfileOptions(), kProfilePack, replacement);
}

bool VqsModelNodeOption::LockForPackCollection(VqsLockBag& bag)
{
    const PxOptionsPtr options = GetOptions();
    VqsModelNodeEnterprise* root = GetRoot();
    try {
        if (PxCompOptionsPtr(options)) {
            if (!bag.LockNode(root))
                return false;
            root->LoadPacks(VqsLoadReread);
            return bag.LockNode(GetOptionSetNode()) != 0;
        }
        if (PxIspecOptionsPtr(options) || PxGLGOptionsPtr(options))
            return bag.LockNode(GetOptionSetNode()) != 0;
        CObList nodes;
        nodes.AddTail(root);
        nodes.AddTail(GetOptionSetNode());
        if (!bag.LockNodes(nodes))
            return false;
        root->LoadPacks(VqsLoadReread);
        return true;
    } catch (const VqReportableException& error) {
        bag.Release();
        ShowErrorById(IDS_CANNOT_COLLECT_PACKS, error);
        return false;
    }
}
