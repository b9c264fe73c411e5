#include "model/VqsModelNode.h"

#include "model/VqsListsAhead.h"
#include "model/VqsModel.h"
#include "model/VqsTransactionObject.h"
#include "shell/VqsSysApp.h"

#include <algorithm>
#include <typeindex>
#include <unordered_map>
#include <vector>

VqsModelNode::VqsModelNode(VqsModelNode* parent, const PxVQObjectPtr& object) : m_pParent(parent)
{
    AttachObject(object);
}

VqsModelNode::~VqsModelNode()
{
    if (m_pObject) {
        if (VqsModel* model = GetModel())
            model->RemoveFromIndex(m_pObject->GetHandle().MapKey(), this);
    }
}

void VqsModelNode::AttachObject(const PxVQObjectPtr& object)
{
    if (!object || m_pObject)
        return;
    m_pObject = object;
    if (VqsModel* model = GetModel())
        model->EnterInIndex(object->GetHandle().MapKey(), this);
}

void VqsModelNode::Broadcast(int code, bool withParent)
{
    VqsSysApp* app = VqsGetApp();
    if (!m_pObject || !app)
        return;
    PxVQObjectPtr parentObject;
    if (withParent && m_pParent)
        parentObject = m_pParent->GetObject();
    app->BroadcastObjectChange(code, nullptr, &m_pObject, parentObject ? &parentObject : nullptr);
}

void VqsModelNode::NotifyViews() { Broadcast(VqsNodeGone, true); }

void VqsModelNode::NotifyChanged() { Broadcast(GetKind(), true); }

void VqsModelNode::CountHostUsage(const char*, int&, int&) {}

void VqsModelNode::CountPackUsage(const char*, int&, int&) {}

void VqsModelNode::LoadChildren(int) {}

void VqsModelNode::GetChildren(CObList&) {}

CString VqsModelNode::GetDescription() { return CString(); }

VqsModelNodeEnterprise* VqsModelNode::GetRoot() { return m_pParent ? m_pParent->GetRoot() : nullptr; }

VqsModel* VqsModelNode::GetModel() const { return m_pParent ? m_pParent->GetModel() : nullptr; }

int VqsModelNode::Delete()
{
    {
        VqsTransactionObject transaction(m_pObject);
        transaction.DeleteObject();
    }
    if (!VqsTransaction::IsOk())
        return 0;
    if (m_pParent)
        m_pParent->RemoveChild(this);
    delete this;
    return 1;
}

void VqsModelNode::RemoveChild(VqsModelNode*) {}

void VqsModelNode::Refresh()
{
    if (!m_pObject)
        return;
    m_pObject->Refresh();
    std::vector<PxObjectPtr> shownWith;
    GetObjectsShownWith(shownWith);
    for (const PxObjectPtr& object : shownWith)
        object->Refresh();
    OnRefreshed();
}

void VqsModelNode::GetObjectsShownWith(std::vector<PxObjectPtr>&) const {}

void VqsModelNode::OnRefreshed() { NotifyChanged(); }

std::vector<PxFound> VqsModelNode::ReadAgain(const std::vector<VqsModelNode*>& nodes)
{
    std::vector<PxObjectPtr> shown;
    std::vector<std::size_t> ends;
    for (const VqsModelNode* node : nodes) {
        if (node->m_pObject) {
            shown.push_back(node->m_pObject);
            node->GetObjectsShownWith(shown);
        }
        ends.push_back(shown.size());
    }
    const std::vector<PxFound> read = PxObject::RefreshChanged(shown);
    std::vector<PxFound> found;
    std::size_t begin = 0;
    for (std::size_t end : ends) {
        const auto first = read.begin() + static_cast<std::ptrdiff_t>(begin);
        const auto last = read.begin() + static_cast<std::ptrdiff_t>(end);
        if (first != last && *first == PxFound::Gone)
            found.push_back(PxFound::Gone);
        else if (std::all_of(first, last, [](PxFound each) { return each == PxFound::Unchanged; }))
            found.push_back(PxFound::Unchanged);
        else
            found.push_back(PxFound::Changed);
        begin = end;
    }
    return found;
}

void VqsModelNode::DropAbsentChildren()
{
    CObList children;
    GetChildren(children);
    std::vector<VqsModelNode*> asked;
    std::vector<PxObjectPtr> objects;
    for (POSITION pos = children.GetHeadPosition(); pos;) {
        auto* child = static_cast<VqsModelNode*>(children.GetNext(pos));
        if (const PxVQObjectPtr object = child->GetObject()) {
            asked.push_back(child);
            objects.push_back(object);
        }
    }
    const std::vector<bool> present = PxObject::ArePresent(objects);
    for (std::size_t index = 0; index < asked.size(); ++index) {
        if (!present[index]) {
            RemoveChild(asked[index]);
            delete asked[index];
        }
    }
}

void VqsModelNode::ReadChildListsAhead(const std::vector<VqsModelNode*>&, VqsListsAhead&) const {}

void VqsModelNode::LoadChildrenOf(const std::vector<VqsModelNode*>& nodes, int mode)
{
    if (nodes.empty())
        return;
    // The nodes of one class read their lists alike: one read a list for all of them.
    std::vector<std::vector<VqsModelNode*>> classes;
    std::unordered_map<std::type_index, std::size_t> classOf;
    for (VqsModelNode* node : nodes) {
        const auto [found, added] = classOf.try_emplace(std::type_index(typeid(*node)), classes.size());
        if (added)
            classes.emplace_back();
        classes[found->second].push_back(node);
    }
    VqsListsAhead ahead;
    for (const std::vector<VqsModelNode*>& peers : classes)
        peers.front()->ReadChildListsAhead(peers, ahead);
    VqsListsAheadScope scope(nodes.front()->GetModel(), ahead);
    for (VqsModelNode* node : nodes)
        node->LoadChildren(mode);
}

std::weak_ptr<const void> VqsModelNode::GetLifeToken() const
{
    if (!m_pLife)
        m_pLife = std::make_shared<char>();
    return m_pLife;
}

VqsModelNode* VqsModelNode::FindNodeOf(const PxObjectPtr& object)
{
    if (!object)
        return nullptr;
    if (m_pObject && m_pObject->IsSameOid(object))
        return this;
    VqsModel* model = GetModel();
    return model ? model->LookupNode(object) : nullptr;
}
