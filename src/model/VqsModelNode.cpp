#include "model/VqsModelNode.h"

#include "model/VqsModel.h"
#include "model/VqsTransactionObject.h"
#include "shell/VqsSysApp.h"

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
    NotifyChanged();
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
