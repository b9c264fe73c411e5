#include "model/VqsModelNodeOSet.h"

#include "model/VqsLockBag.h"
#include "model/VqsModelNodeOption.h"
#include "model/VqsOptionNodeRegister.h"
#include "shell/VqsMsgBox.h"

#include <unordered_set>

namespace {

const UINT IDS_OPTIONS_NOT_SUPPORTED = 61500;

} // namespace

VqsModelNodeOSet::~VqsModelNodeOSet() { m_options.DeleteAll(); }

CString VqsModelNodeOSet::GetName() const
{
    const PxVQOptionSetPtr optionSet = GetOptionSet();
    return optionSet && optionSet->ObjectPresent() ? optionSet->GetName() : CString();
}

void VqsModelNodeOSet::BuildOptionNodes(int mode)
{
    const PxVQOptionSetPtr optionSet = GetOptionSet();
    if (!optionSet || (mode == VqsLoadCached && m_options.loaded))
        return;
    PxTypedList<PxOptionsPtr> records;
    optionSet->GetAllOptions(records);
    if (mode == VqsLoadDropVanished) {
        std::unordered_set<std::uint64_t> listed;
        for (POSITION pos = records.GetHeadPosition(); pos;)
            listed.insert(records.CList<PxOptionsPtr, const PxOptionsPtr&>::GetNext(pos)->GetHandle().MapKey());
        CObList gone;
        for (POSITION pos = m_options.GetHeadPosition(); pos;) {
            VqsModelNodeOption* option = m_options.GetNext(pos);
            if (!listed.contains(option->GetObject()->GetHandle().MapKey()))
                gone.AddTail(option);
        }
        for (POSITION pos = gone.GetHeadPosition(); pos;) {
            auto* option = static_cast<VqsModelNode*>(gone.GetNext(pos));
            RemoveChild(option);
            delete option;
        }
    }
    // Many unsupported records in one set are told once, not in a burst of boxes.
    bool anyUnsupported = false;
    for (POSITION pos = records.GetHeadPosition(); pos;) {
        const PxOptionsPtr& record = records.CList<PxOptionsPtr, const PxOptionsPtr&>::GetNext(pos);
        if (VqsFindChildByObject(*this, m_options, record))
            continue;
        bool unsupported = false;
        if (auto* option = static_cast<VqsModelNodeOption*>(VqsOptionNodeRegister::TryCreateNode(this, record, unsupported)))
            m_options.AddTail(option);
        anyUnsupported = anyUnsupported || unsupported;
    }
    m_options.loaded = 1;
    if (anyUnsupported)
        VqsMessageBoxId(IDS_OPTIONS_NOT_SUPPORTED);
}

void VqsModelNodeOSet::GetOptionNodes(CObList& out) const { m_options.AppendTo(out); }

VqsModelNodeOption* VqsModelNodeOSet::FindOptionNode(const PxObjectPtr& options) const
{
    return VqsFindChildByObject(*this, m_options, options);
}

void VqsModelNodeOSet::RemoveChild(VqsModelNode* child)
{
    if (child)
        m_options.RemoveChild(child);
}

void VqsModelNodeOSet::NotifyViews() { Broadcast(VqsOptionSetGone, false); }

int VqsModelNodeOSet::LockPath(VqsLockBag& bag, const PxVQObjectPtr&) { return bag.LockNode(this); }
