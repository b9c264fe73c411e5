// Child lists of the model's nodes and the helpers that keep them in step with the
// repository: placing a node after the node of the object listed before it, dropping the
// nodes whose objects vanished, and reading a list in one of the three load modes.
#pragma once

#include "model/VqsListsAhead.h"
#include "model/VqsModelNode.h"
#include "proxy/PxHandle.h"
#include "proxy/PxTypedList.h"

#include <unordered_map>
#include <unordered_set>

// The model's node of an object (VqsModel::LookupNode), for the templates below.
VqsModelNode* VqsLookupNode(const VqsModel& model, const PxObjectPtr& object);

// The list keeps the position of each node, so that a node is found and unlinked in
// constant time however long the list; its changes go through the members below.
template <class Node>
class VqsNodeList : public CList<Node*, Node*> {
    using Base = CList<Node*, Node*>;

public:
    VqsNodeList() : Base(10) {}
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
        const auto found = m_positions.find(node);
        return found == m_positions.end() ? nullptr : found->second;
    }
    POSITION Find(Node* node) const { return PositionOf(node); }

    POSITION AddHead(Node* node) { return Indexed(node, Base::AddHead(node)); }
    POSITION AddTail(Node* node) { return Indexed(node, Base::AddTail(node)); }
    POSITION InsertAfter(POSITION pos, Node* node) { return Indexed(node, Base::InsertAfter(pos, node)); }
    POSITION InsertBefore(POSITION pos, Node* node) { return Indexed(node, Base::InsertBefore(pos, node)); }
    void SetAt(POSITION pos, Node* node)
    {
        Forget(pos);
        Base::SetAt(pos, node);
        Indexed(node, pos);
    }
    void RemoveAt(POSITION pos)
    {
        Forget(pos);
        Base::RemoveAt(pos);
    }
    Node* RemoveHead()
    {
        Forget(this->GetHeadPosition());
        return Base::RemoveHead();
    }
    Node* RemoveTail()
    {
        Forget(this->GetTailPosition());
        return Base::RemoveTail();
    }
    void RemoveAll()
    {
        m_positions.clear();
        Base::RemoveAll();
    }

    // When the list holds the child: its going-away notice, then it is unlinked.
    bool RemoveChild(VqsModelNode* child)
    {
        const POSITION pos = PositionOf(child);
        if (!pos)
            return false;
        child->NotifyViews();
        RemoveAt(pos);
        return true;
    }
    // Unlinks the node, without a notice, when the list holds it.
    bool Unlink(const VqsModelNode* node)
    {
        const POSITION pos = PositionOf(node);
        if (pos)
            RemoveAt(pos);
        return pos != nullptr;
    }
    void DeleteAll()
    {
        while (!this->IsEmpty())
            delete RemoveHead();
    }

private:
    // A node listed twice is found at its first place.
    POSITION Indexed(Node* node, POSITION pos)
    {
        m_positions.emplace(node, pos);
        return pos;
    }
    void Forget(POSITION pos)
    {
        if (!pos)
            return;
        const auto found = m_positions.find(this->GetAt(pos));
        if (found != m_positions.end() && found->second == pos)
            m_positions.erase(found);
    }

    std::unordered_map<const VqsModelNode*, POSITION> m_positions;
};

// Fills the typed list with the owner's list as read ahead for its model's loads, else as
// `read` reads it from the repository.
template <class Ptr, class Read>
void VqsReadChildList(const VqsModelNode& owner, VqsListsAhead::List list, PxTypedList<Ptr>& out, Read read)
{
    std::optional<std::vector<PxObjectPtr>> ahead = VqsTakeListAhead(owner, list);
    if (!ahead) {
        read(out);
        return;
    }
    out.RemoveAll();
    for (const PxObjectPtr& member : *ahead)
        out.AddTail(Ptr(member));
}

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
    std::unordered_set<PxHandle> listed;
    listed.reserve(static_cast<std::size_t>(objects.GetCount()));
    for (POSITION it = objects.GetHeadPosition(); it;) {
        if (const Ptr& element = objects.CList<Ptr, const Ptr&>::GetNext(it))
            listed.insert(element->GetHandle());
    }
    for (POSITION pos = list.GetHeadPosition(); pos;) {
        Node* child = list.GetNext(pos);
        const PxVQObjectPtr object = child->GetObject();
        if (!object || !listed.count(object->GetHandle())) {
            parent.RemoveChild(child);
            delete child;
        }
    }
}

// What a reread does with a child whose object is listed again.
enum class VqsKnownChild {
    Refresh,         // refreshed, keeps its place (hosts, packs, option sets)
    FollowListOrder, // not refreshed, moved after the node of the object listed before it
    // Keeps its place, its data brought afresh by the list's read, and is not announced; a
    // child is announced only when a later read of the list finds it new (the enterprise's
    // systems: loading them changes none, and a step on one system tells the views of it
    // when it locks or changes it).
    ReadWithList,
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

// Whether a load in the mode keeps the list as it was loaded, reading nothing: a cached load
// of a list read once, unless a walk that reads its lists again wants it from the store.
template <class List>
bool VqsKeepsLoadedList(VqsModelNode& owner, const List& list, int mode)
{
    const bool readAgain = VqsListDueForReadAgain(owner, &list);
    return mode == VqsLoadCached && list.loaded && !readAgain;
}

// Reads one child list in a load mode: `read` fills the typed list with one repository call,
// `create` makes the node of a new object. New children are placed after the node of the
// object listed before them and announced, as `known` says.
template <class Node, class Ptr, class Read, class Create>
void VqsLoadNodeList(VqsModelNode& parent, VqsNodeList<Node>& list, int mode, VqsKnownChild known, Read read,
                     Create create)
{
    if (VqsKeepsLoadedList(parent, list, mode))
        return;
    // A walk reading a cached list again looks for what is new: the children it knows are not
    // read one at a time.
    if (mode == VqsLoadCached && list.loaded)
        known = VqsKnownChild::ReadWithList;
    const bool announceNew = known != VqsKnownChild::ReadWithList || list.loaded;
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
            else if (known == VqsKnownChild::FollowListOrder)
                VqsPlaceNodeAfter(list, child, previous);
            previousPos = nullptr;
        } else {
            child = create(object);
            if (previous && !previousPos)
                previousPos = list.Find(previous);
            previousPos = previousPos ? list.InsertAfter(previousPos, child) : list.AddHead(child);
            if (announceNew)
                child->NotifyChanged();
        }
        previous = child;
    }
    list.loaded = 1;
}
