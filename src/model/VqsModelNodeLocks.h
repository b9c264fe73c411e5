// What every node kind does with one of its children: find or make its node, lock it; and
// the pieces of the pack-usage walk that the pack definition runs before it edits packs.
#pragma once

#include "model/VqsModelNodeList.h"
#include "win/Collections.h"

#include <functional>

class VqsLockBag;

using VqsPackSpecList = CList<VqsModelNode::PackSpec, const VqsModelNode::PackSpec&>;

// A child whose object the bag holds is returned as it is. Otherwise its object is locked
// (null when refused), an object another user deleted is told with 61746 (null), and the
// child is refreshed, which tells the views of it. The lock steps therefore make a missing
// child with a notice of its own only when the bag holds its object already.
VqsModelNode* VqsLockChildNode(VqsLockBag& bag, VqsModelNode* child);

template <class Node>
Node* VqsLockChild(VqsLockBag& bag, Node* child)
{
    return static_cast<Node*>(VqsLockChildNode(bag, child));
}

// Tells with 61746 that another user deleted the object, when it is gone.
void VqsTellIfGone(const PxVQObjectPtr& object);
// Whether the object is no longer in the repository; a repository that cannot tell keeps it.
bool VqsKnownGone(const PxVQObjectPtr& object);

// What a lock path found of an object's owner or of its node, read now: nothing for an object
// another user deleted meanwhile, which is told.
template <class Found>
Found VqsFoundOrToldGone(const PxVQObjectPtr& object, Found found)
{
    if (!found)
        VqsTellIfGone(object);
    return found;
}

// The child of the object in the list, made when absent: placed after `after` (at the tail
// without one) and announced when `notify`.
template <class Node, class Ptr>
Node* VqsFindOrCreateChild(VqsModelNode* parent, VqsNodeList<Node>& list, const Ptr& object, bool notify, Node* after)
{
    if (!object)
        return nullptr;
    if (Node* node = VqsFindChildByObject(*parent, list, object))
        return node;
    auto* node = new Node(parent, object);
    if (after)
        VqsPlaceNodeAfter(list, node, after);
    else
        list.AddTail(node);
    if (notify)
        node->NotifyChanged();
    return node;
}

// Whether the target is the node's own object.
bool VqsIsOwnObject(const VqsModelNode& node, const PxVQObjectPtr& target);
// Runs the lock path of every node of the list with the target; 0 at the first refusal.
int VqsLockPaths(CObList& nodes, VqsLockBag& bag, const PxVQObjectPtr& target);
// After a lock path has locked the node itself: whether another user deleted its object
// meanwhile. The walk stops there, as nothing below it is left to lock; the caller, not
// finding the node in the bag, tells of the deletion.
bool VqsGoneFromPath(const VqsLockBag& bag, VqsModelNode* node);

// Locks every object that `walk` records in a gathering bag (VqsLockBag::Gathering: the paths
// walked without a lock) with one lock call of the kind, in the one lock order, into `bag`.
// Once the call is granted the walk runs again with the lists it goes through read from the
// store (VqsListsAhead::ReadingAgain); when it reaches an object still there that the call
// does not hold (another user's addition since the gather), everything is given back and the
// turn starts over. False when a walk fails or the lock is refused.
bool VqsLockWalkedPaths(VqsModel* model, int kind, VqsLockBag& bag, const std::function<bool(VqsLockBag&)>& walk);

// Locks the node for a walk that skips what is gone: -1 refused, 0 gone, 1 locked and
// refreshed.
int VqsLockForWalk(VqsLockBag& bag, VqsModelNode* node);

// Whether a pack list names `name`, in any case.
bool VqsPackSpecsName(const VqsPackSpecList& specs, const char* name);
