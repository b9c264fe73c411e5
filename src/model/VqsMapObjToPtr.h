// The nodes of one family of children by the handle of their objects (element links of a
// business-segment link, option nodes of an option set): found in constant time, walked in
// the order they were entered. The map owns its nodes; removing an entry keeps the node.
#pragma once

#include "model/VqsModelNodeList.h"
#include "proxy/PxHandle.h"

#include <unordered_map>

template <class Ptr, class Node>
class VqsMapObjToPtr : public VqsNodeList<Node> {
public:
    // The index grows with the nodes entered, rather than taking thousands of buckets up
    // front: a model of many systems holds a map for each link and option set.
    VqsMapObjToPtr() = default;
    virtual ~VqsMapObjToPtr() { DeleteAll(); }
    VqsMapObjToPtr(const VqsMapObjToPtr&) = delete;
    VqsMapObjToPtr& operator=(const VqsMapObjToPtr&) = delete;

    // Null for a null object, without a lookup.
    Node* FindByObject(const PxObjectPtr& object) const
    {
        if (!object)
            return nullptr;
        const auto found = m_index.find(object->GetHandle());
        return found == m_index.end() ? nullptr : found->second;
    }
    // Enters the node right after `after` (at the tail without it); ignored for a null
    // node or object, or an object that already has its node.
    void SetAt(const PxObjectPtr& object, Node* node, Node* after = nullptr)
    {
        if (!object || !node || !m_index.emplace(object->GetHandle(), node).second)
            return;
        const POSITION afterPos =
            after && !this->IsEmpty() && after != this->GetTail() ? this->PositionOf(after) : nullptr;
        if (afterPos)
            this->InsertAfter(afterPos, node);
        else
            this->AddTail(node);
    }
    // The entry goes, the node stays alive.
    void RemoveKey(const PxObjectPtr& object)
    {
        if (Node* node = FindByObject(object))
            Unlink(node);
    }
    // When the map holds the child: its going-away notice, then the entry goes.
    bool RemoveChild(VqsModelNode* child)
    {
        if (!this->VqsNodeList<Node>::RemoveChild(child))
            return false;
        ForgetNode(child);
        return true;
    }
    bool Unlink(const VqsModelNode* node)
    {
        if (!this->VqsNodeList<Node>::Unlink(node))
            return false;
        ForgetNode(node);
        return true;
    }
    void DeleteAll()
    {
        m_index.clear();
        this->VqsNodeList<Node>::DeleteAll();
    }

private:
    void ForgetNode(const VqsModelNode* node)
    {
        const PxVQObjectPtr object = node->GetObject();
        if (!object)
            return;
        const auto found = m_index.find(object->GetHandle());
        if (found != m_index.end() && found->second == node)
            m_index.erase(found);
    }

    std::unordered_map<PxHandle, Node*> m_index;
};
