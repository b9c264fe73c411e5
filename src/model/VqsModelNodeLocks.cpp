#include "model/VqsModelNodeLocks.h"

#include "model/VqsLockBag.h"
#include "model/VqsLockOrder.h"
#include "win/MbString.h"

#include <map>
#include <unordered_set>
#include <utility>
#include <vector>

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

// The nodes to lock, by their rank in the one lock order.
using NodesByRank = std::map<int, std::vector<VqsModelNode*>>;

void AddByRank(NodesByRank& pending, VqsModelNode* node)
{
    if (const PxVQObjectPtr object = node->GetObject())
        pending[VqsLockRank(object)].push_back(node);
}

// The children of the nodes, each of them locked and refreshed, join those to lock: a node
// with loaded children loses those whose objects are gone and passes on the others; a node
// without reads its children and passes on those the bag does not hold yet.
void AddChildren(const VqsLockBag& bag, const std::vector<VqsModelNode*>& nodes, NodesByRank& pending)
{
    std::vector<VqsModelNode*> loaded;
    std::vector<VqsModelNode*> unloaded;
    for (VqsModelNode* node : nodes)
        (HasLoadedChildren(node) ? loaded : unloaded).push_back(node);
    VqsModelNode::DropAbsentChildrenOf(loaded);
    VqsModelNode::LoadChildrenOf(unloaded, VqsLoadReread);
    const std::unordered_set<const VqsModelNode*> wasLoaded(loaded.begin(), loaded.end());
    for (VqsModelNode* node : nodes) {
        CObList children;
        node->GetChildren(children);
        for (POSITION pos = children.GetHeadPosition(); pos;) {
            auto* child = static_cast<VqsModelNode*>(children.GetNext(pos));
            if (wasLoaded.contains(node) || !bag.Contains(child))
                AddByRank(pending, child);
        }
    }
}

int LockTogether(VqsLockBag& bag, const std::vector<VqsModelNode*>& nodes)
{
    CObList list;
    for (VqsModelNode* node : nodes)
        list.AddTail(node);
    return bag.LockNodesTogether(list);
}

} // namespace

// A child's rank is above its parent's: when the nodes of a rank are taken, every node of that
// rank below the roots is known.
int VqsModelNode::LockSubtrees(VqsLockBag& bag, const std::vector<VqsModelNode*>& roots)
{
    NodesByRank pending;
    for (VqsModelNode* root : roots)
        AddByRank(pending, root);
    while (!pending.empty()) {
        const std::vector<VqsModelNode*> nodes = std::move(pending.begin()->second);
        pending.erase(pending.begin());
        if (!LockTogether(bag, nodes))
            return 0;
        RefreshChanged(nodes);
        AddChildren(bag, nodes, pending);
    }
    return 1;
}
