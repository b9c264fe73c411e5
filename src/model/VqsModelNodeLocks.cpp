#include "model/VqsModelNodeLocks.h"

#include "model/VqsLockBag.h"
#include "win/MbString.h"

namespace {

const UINT IDS_ITEM_DELETED = 61746;

} // namespace

VqsModelNode* VqsLockChildNode(VqsLockBag& bag, VqsModelNode* child)
{
    if (!child)
        return nullptr;
    if (bag.Contains(child))
        return child;
    if (!bag.LockNode(child) || bag.ReportDeleted(IDS_ITEM_DELETED, child))
        return nullptr;
    child->Refresh();
    return child;
}

bool VqsIsOwnObject(const VqsModelNode& node, const PxVQObjectPtr& target)
{
    const PxVQObjectPtr own = node.GetObject();
    return target && own && own->IsSameOid(target);
}

int VqsLockPaths(CObList& nodes, VqsLockBag& bag, const PxVQObjectPtr& target)
{
    for (POSITION pos = nodes.GetHeadPosition(); pos;) {
        if (!static_cast<VqsModelNode*>(nodes.GetNext(pos))->LockPath(bag, target))
            return 0;
    }
    return 1;
}

bool VqsGoneFromPath(const VqsLockBag& bag, VqsModelNode* node) { return !bag.Contains(node); }

int VqsLockForWalk(VqsLockBag& bag, VqsModelNode* node)
{
    if (!bag.LockNode(node))
        return -1;
    if (!bag.Contains(node))
        return 0;
    node->Refresh();
    return 1;
}

bool VqsPackSpecsName(const VqsPackSpecList& specs, const char* name)
{
    for (POSITION pos = specs.GetHeadPosition(); pos;) {
        if (_mbsicmp(specs.GetNext(pos).name.GetString(), name) == 0)
            return true;
    }
    return false;
}

int VqsModelNode::LockSubtree(VqsLockBag& bag)
{
    if (!bag.LockNode(this))
        return 0;
    Refresh();
    CObList children;
    GetChildren(children);
    const bool loaded = !children.IsEmpty();
    if (loaded) {
        DropAbsentChildren();
        children.RemoveAll();
        GetChildren(children);
    } else {
        LoadChildren(VqsLoadReread);
        GetChildren(children);
    }
    for (POSITION pos = children.GetHeadPosition(); pos;) {
        auto* child = static_cast<VqsModelNode*>(children.GetNext(pos));
        if (!loaded && bag.Contains(child))
            continue;
        if (!child->LockSubtree(bag))
            return 0;
    }
    return 1;
}
