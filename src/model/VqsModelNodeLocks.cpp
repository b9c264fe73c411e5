#include "model/VqsModelNodeLocks.h"

#include "model/VqsListsAhead.h"
#include "model/VqsLockBag.h"
#include "model/VqsLockOrder.h"
#include "model/VqsModel.h"
#include "proxy/VqException.h"
#include "win/MbString.h"

#include <algorithm>
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

void VqsTellIfGone(const PxVQObjectPtr& object)
{
    if (object && !object->ObjectPresent())
        VqsLockBag::TellDeleted(IDS_ITEM_DELETED, object);
}

bool VqsKnownGone(const PxVQObjectPtr& object)
{
    try {
        return object && !object->ObjectPresent();
    } catch (const VqReportableException&) {
        return false;
    }
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

namespace {

// The nodes of the objects the bag holds.
std::vector<VqsModelNode*> HeldNodes(const VqsModel& model, const VqsLockBag& held)
{
    PxTypedList<PxVQObjectPtr> objects;
    held.CollectObjects(objects);
    std::vector<VqsModelNode*> nodes;
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
        if (VqsModelNode* node = model.LookupNode(objects.GetNext(pos)))
            nodes.push_back(node);
    }
    return nodes;
}

// Whether the walk, its lists read from the store, now reaches an object still there that the
// bag does not hold. False too when the walk fails.
bool WalkLeadsFurther(VqsModel* model, const VqsLockBag& held, const std::function<bool(VqsLockBag&)>& walk)
{
    VqsListsAhead lists = VqsListsAhead::ReadingAgain(model ? HeldNodes(*model, held) : std::vector<VqsModelNode*>());
    VqsListsAheadScope readingAgain(model, lists);
    VqsLockBag again = VqsLockBag::Gathering();
    if (!walk(again))
        return false;
    PxTypedList<PxVQObjectPtr> reached;
    again.CollectObjects(reached);
    std::vector<PxObjectPtr> unheld;
    for (POSITION pos = reached.GetHeadPosition(); pos;) {
        const PxVQObjectPtr object = reached.GetNext(pos);
        if (!held.ContainsObject(object))
            unheld.push_back(object);
    }
    const std::vector<bool> present = PxObject::ArePresent(unheld);
    return std::find(present.begin(), present.end(), true) != present.end();
}

} // namespace

bool VqsLockWalkedPaths(VqsModel* model, int kind, VqsLockBag& bag, const std::function<bool(VqsLockBag&)>& walk)
{
    for (;;) {
        VqsLockBag attempt(kind);
        {
            VqsLockBag gathered = VqsLockBag::Gathering();
            if (!walk(gathered))
                return false;
            attempt = gathered;
        }
        if (!attempt.LockObjects(kind))
            return false;
        if (!WalkLeadsFurther(model, attempt, walk)) {
            bag = attempt;
            return true;
        }
    }
}

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

// A node to lock, and whether it goes when its object is found gone: a child its parent had
// loaded already, as opposed to one just read.
struct ToLock {
    VqsModelNode* node;
    bool droppable;
};

// The nodes to lock, by their rank in the one lock order.
using NodesByRank = std::map<int, std::vector<ToLock>>;

void AddByRank(NodesByRank& pending, VqsModelNode* node, bool droppable)
{
    if (const PxVQObjectPtr object = node->GetObject())
        pending[VqsLockRank(object)].push_back({node, droppable});
}

// The children of the nodes, each of them locked and read again, join those to lock: those of
// a node with loaded children, all of them (they go once found gone); those of a node without,
// read now, when the bag does not hold them yet.
void AddChildren(const VqsLockBag& bag, const std::vector<VqsModelNode*>& nodes, NodesByRank& pending)
{
    std::vector<VqsModelNode*> unloaded;
    for (VqsModelNode* node : nodes) {
        CObList children;
        node->GetChildren(children);
        if (children.IsEmpty())
            unloaded.push_back(node);
        for (POSITION pos = children.GetHeadPosition(); pos;)
            AddByRank(pending, static_cast<VqsModelNode*>(children.GetNext(pos)), true);
    }
    VqsModelNode::LoadChildrenOf(unloaded, VqsLoadReread);
    for (VqsModelNode* node : unloaded) {
        CObList children;
        node->GetChildren(children);
        for (POSITION pos = children.GetHeadPosition(); pos;) {
            auto* child = static_cast<VqsModelNode*>(children.GetNext(pos));
            if (!bag.Contains(child))
                AddByRank(pending, child, false);
        }
    }
}

// Locks the nodes not held yet in one call and reads every node again in one read, which also
// tells the lock which of the objects it was granted are still there.
int LockAndReadAgain(VqsLockBag& bag, const std::vector<VqsModelNode*>& nodes,
                     const VqsModelNode::HeldAlready& heldAlready, std::vector<PxFound>& found)
{
    bool read = false;
    CObList list;
    for (VqsModelNode* node : nodes) {
        if (!heldAlready || !heldAlready(node))
            list.AddTail(node);
    }
    const int locked = bag.LockNodesJustRead(list, [&](const std::vector<PxObjectPtr>& granted) {
        found = VqsModelNode::ReadAgain(nodes);
        read = true;
        std::unordered_set<const PxObject*> gone;
        for (std::size_t index = 0; index < nodes.size(); ++index) {
            if (found[index] == PxFound::Gone)
                gone.insert(nodes[index]->GetObject().get());
        }
        std::vector<bool> present;
        for (const PxObjectPtr& object : granted)
            present.push_back(!gone.contains(object.get()));
        return present;
    });
    if (locked && !read)
        found = VqsModelNode::ReadAgain(nodes);
    return locked;
}

} // namespace

// A child's rank is above its parent's: when the nodes of a rank are taken, every node of that
// rank below the roots is known. A child its parent had loaded and whose object is gone goes
// (the parent tells the views); every other node found changed or gone tells the views.
int VqsModelNode::LockSubtrees(VqsLockBag& bag, const std::vector<VqsModelNode*>& roots,
                               const HeldAlready& heldAlready)
{
    NodesByRank pending;
    for (VqsModelNode* root : roots)
        AddByRank(pending, root, false);
    while (!pending.empty()) {
        const std::vector<ToLock> taken = std::move(pending.begin()->second);
        pending.erase(pending.begin());
        std::vector<VqsModelNode*> nodes;
        for (const ToLock& each : taken)
            nodes.push_back(each.node);
        std::vector<PxFound> found;
        if (!LockAndReadAgain(bag, nodes, heldAlready, found))
            return 0;
        std::vector<VqsModelNode*> kept;
        for (std::size_t index = 0; index < taken.size(); ++index) {
            VqsModelNode* node = taken[index].node;
            if (found[index] == PxFound::Gone && taken[index].droppable) {
                node->GetParent()->RemoveChild(node);
                delete node;
                continue;
            }
            if (found[index] != PxFound::Unchanged)
                node->OnRefreshed();
            kept.push_back(node);
        }
        AddChildren(bag, kept, pending);
    }
    return 1;
}
