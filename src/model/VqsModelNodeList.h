// Child lists of the model's nodes and the helpers that keep them in step with the
// repository: placing a node after the node of the object listed before it, dropping the
// nodes whose objects vanished, and reading a list in one of the three load modes.
#pragma once

#include "model/VqsModelNode.h"
#include "proxy/PxTypedList.h"

// The model's node of an object (VqsModel::LookupNode), for the templates below.
VqsModelNode* VqsLookupNode(const VqsModel& model, const PxObjectPtr& object);

template <class Node>
class VqsNodeList : public CList<Node*, Node*> {
public:
    VqsNodeList() : CList<Node*, Node*>(10) {}
    // 0 until the list has been read once.
    int loaded = 0;

    Node* FindByObject(const PxObjectPtr& object) const
    {
        if (!object)
            return nullptr;
        for (POSITION pos = this->GetHeadPosition(); pos;) {
            Node* node = this->GetNext(pos);
            const PxVQObjectPtr own = node->GetObject();
            if (own && own->IsSameOid(object))
                return node;
        }
        return nullptr;
    }
    void AppendTo(CObList& out) const
    {
        for (POSITION pos = this->GetHeadPosition(); pos;)
            out.AddTail(this->GetNext(pos));
    }
    POSITION PositionOf(const VqsModelNode* node) const
    {
        for (POSITION pos = this->GetHeadPosition(); pos;) {
            const POSITION at = pos;
            if (static_cast<const VqsModelNode*>(this->GetNext(pos)) == node)
                return at;
        }
        return nullptr;
    }
    // When the list holds the child: its going-away notice, then it is unlinked.
    bool RemoveChild(VqsModelNode* child)
    {
        const POSITION pos = PositionOf(child);
        if (!pos)
            return false;
        child->NotifyViews();
        this->RemoveAt(pos);
        return true;
    }
    // Unlinks the node, without a notice, when the list holds it.
    bool Unlink(const VqsModelNode* node)
    {
        const POSITION pos = PositionOf(node);
        if (pos)
            this->RemoveAt(pos);
        return pos != nullptr;
    }
    void DeleteAll()
    {
        while (!this->IsEmpty())
            delete this->RemoveHead();
    }
};

// Keeps the children in repository order: puts `node` right after `after`, or at the head
// when there is none (or `after` is not in the list).
template <class Node>
void VqsPlaceNodeAfter(VqsNodeList<Node>& list, Node* node, Node* after)
{
    POSITION nodePos = list.Find(node);
    POSITION afterPos = after ? list.Find(after) : nullptr;
    if (!nodePos) {
        if (afterPos)
            list.InsertAfter(afterPos, node);
        else
            list.AddHead(node);
        return;
    }
    if (!afterPos) {
        if (nodePos == list.GetHeadPosition())
            return;
        list.RemoveAt(nodePos);
        list.AddHead(node);
        return;
    }
    POSITION next = afterPos;
    list.GetNext(next);
    if (next == nodePos)
        return;
    list.RemoveAt(nodePos);
    list.InsertAfter(list.Find(after), node);
}

// Removes (through the parent) and deletes every child whose object is not in `objects`.
template <class Node, class Ptr>
void VqsRemoveVanishedNodes(VqsModelNode& parent, VqsNodeList<Node>& list, PxTypedList<Ptr>& objects)
{
    for (POSITION pos = list.GetHeadPosition(); pos;) {
        Node* child = list.GetNext(pos);
        const PxVQObjectPtr object = child->GetObject();
        bool listed = false;
        for (POSITION it = objects.GetHeadPosition(); it && !listed;) {
            const Ptr& element = objects.CList<Ptr, const Ptr&>::GetNext(it);
            listed = element && object && element->IsSameOid(object);
        }
        if (!listed) {
            parent.RemoveChild(child);
            delete child;
        }
    }
}

// What a reread does with a child whose object is listed again.
enum class VqsKnownChild {
    Refresh,         // refreshed, keeps its place (systems, hosts, packs, option sets)
    FollowListOrder, // not refreshed, moved after the node of the object listed before it
};

// The child of `parent` in `list` that holds the object, found through the model's index
// (each kind of child has one list in its parent).
template <class Node>
Node* VqsFindChildByObject(const VqsModelNode& parent, const VqsNodeList<Node>& list, const PxObjectPtr& object)
{
    const VqsModel* model = parent.GetModel();
    if (!model)
        return list.FindByObject(object);
    VqsModelNode* node = VqsLookupNode(*model, object);
    return node && node->GetParent() == &parent ? dynamic_cast<Node*>(node) : nullptr;
}

// Reads one child list in a load mode: `read` fills the typed list with one repository call,
// `create` makes the node of a new object. New children are placed after the node of the
// object listed before them and announced.
template <class Node, class Ptr, class Read, class Create>
void VqsLoadNodeList(VqsModelNode& parent, VqsNodeList<Node>& list, int mode, VqsKnownChild known, Read read,
                     Create create)
{
    if (mode == VqsLoadCached && list.loaded)
        return;
    PxTypedList<Ptr> objects;
    read(objects);
    if (mode == VqsLoadDropVanished)
        VqsRemoveVanishedNodes(parent, list, objects);
    Node* previous = nullptr;
    // The position of `previous` while it is known, so that a long first read stays linear.
    POSITION previousPos = nullptr;
    for (POSITION it = objects.GetHeadPosition(); it;) {
        const Ptr& object = objects.CList<Ptr, const Ptr&>::GetNext(it);
        Node* child = VqsFindChildByObject(parent, list, object);
        if (child) {
            if (known == VqsKnownChild::Refresh)
                child->Refresh();
            else
                VqsPlaceNodeAfter(list, child, previous);
            previousPos = nullptr;
        } else {
            child = create(object);
            if (previous && !previousPos)
                previousPos = list.Find(previous);
            previousPos = previousPos ? list.InsertAfter(previousPos, child) : list.AddHead(child);
            child->NotifyChanged();
        }
        previous = child;
    }
    list.loaded = 1;
}
