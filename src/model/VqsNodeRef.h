// A hold on a model node that tells whether the node is still there. Deleting a node through
// the model can take others along (an Ispec link's profiles go with it; deleting the last
// bundle entry of an unused Ispec link deletes the link's node), so a caller that deletes
// nodes in a loop, or holds a node across something that may delete it, asks the hold
// before it touches the node again.
#pragma once

#include "model/VqsModelNode.h"

#include <map>
#include <memory>

template <class Node>
class VqsNodeRef {
public:
    VqsNodeRef() = default;
    explicit VqsNodeRef(Node* node) : m_node(node)
    {
        if (node)
            m_life = node->GetLifeToken();
    }

    // The node; null once it is deleted.
    Node* Get() const { return m_life.expired() ? nullptr : m_node; }
    bool IsGone() const { return Get() == nullptr; }

private:
    Node* m_node = nullptr;
    std::weak_ptr<const void> m_life;
};

// Holds on every node of a list, taken before the list is worked through, so that the nodes
// deleted along with another leave the list before it is touched again.
class VqsNodeListRefs {
public:
    explicit VqsNodeListRefs(CObList& nodes) : m_nodes(nodes)
    {
        for (POSITION pos = nodes.GetHeadPosition(); pos;) {
            auto* node = static_cast<VqsModelNode*>(nodes.GetNext(pos));
            m_refs.emplace(node, VqsNodeRef<VqsModelNode>(node));
        }
    }

    void DropDeleted()
    {
        for (POSITION pos = m_nodes.GetHeadPosition(); pos;) {
            const POSITION at = pos;
            const auto found = m_refs.find(m_nodes.GetNext(pos));
            if (found != m_refs.end() && found->second.IsGone())
                m_nodes.RemoveAt(at);
        }
    }

private:
    CObList& m_nodes;
    std::map<const CObject*, VqsNodeRef<VqsModelNode>> m_refs;
};
