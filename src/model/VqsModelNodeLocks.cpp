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

int VqsModelNode::LockSubtree(VqsLockBag& bag) { return LockSubtrees(bag, {this}); }

namespace {

bool HasLoadedChildren(VqsModelNode* node)
{
    CObList children;
    node->GetChildren(children);
    return !children.IsEmpty();
}

// The level below the nodes, each of them locked and refreshed: a node with loaded children
// loses those whose objects are gone and passes on the others; a node without reads its
// children and passes on those the bag does not hold yet.
std::vector<VqsModelNode*> NextLevel(const VqsLockBag& bag, const std::vector<VqsModelNode*>& level)
{
    std::vector<VqsModelNode*> loaded;
    std::vector<VqsModelNode*> unloaded;
    for (VqsModelNode* node : level)
        (HasLoadedChildren(node) ? loaded : unloaded).push_back(node);
    VqsModelNode::DropAbsentChildrenOf(loaded);
    VqsModelNode::LoadChildrenOf(unloaded, VqsLoadReread);
    std::vector<VqsModelNode*> next;
    std::size_t loadedAt = 0;
    for (VqsModelNode* node : level) {
        const bool wasLoaded = loadedAt < loaded.size() && loaded[loadedAt] == node;
        if (wasLoaded)
            ++loadedAt;
        CObList children;
        node->GetChildren(children);
        for (POSITION pos = children.GetHeadPosition(); pos;) {
            auto* child = static_cast<VqsModelNode*>(children.GetNext(pos));
            if (wasLoaded || !bag.Contains(child))
                next.push_back(child);
        }
    }
    return next;
}

int LockTogether(VqsLockBag& bag, const std::vector<VqsModelNode*>& nodes)
{
    CObList list;
    for (VqsModelNode* node : nodes)
        list.AddTail(node);
    return bag.LockNodesTogether(list);
}

} // namespace

int VqsModelNode::LockSubtrees(VqsLockBag& bag, const std::vector<VqsModelNode*>& roots)
{
    std::vector<VqsModelNode*> level = roots;
    while (!level.empty()) {
        if (!LockTogether(bag, level))
            return 0;
        RefreshChanged(level);
        level = NextLevel(bag, level);
    }
    return 1;
}
