#include "model/VqsModelNodeOSet.h"

#include "model/VqsListsAhead.h"
#include "model/VqsLockBag.h"
#include "model/VqsModel.h"
#include "model/VqsModelNodeLink.h"
#include "model/VqsModelNodeLocks.h"
#include "model/VqsModelNodeOption.h"
#include "model/VqsModelNodeSystem.h"
#include "model/VqsNodeRef.h"
#include "model/VqsOptionNodeRegister.h"
#include "model/VqsSubsystemNumbering.h"
#include "model/VqsTransaction.h"
#include "proxy/PxVQLink.h"
#include "proxy/VqException.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsSysApp.h"

#include <memory>
#include <unordered_set>
#include <vector>

namespace {

const UINT IDS_OPTIONS_NOT_SUPPORTED = 61500;
const UINT IDS_CANNOT_REMOVE_OPTION_SET = 61607;

template <class T>
const T& NextOf(const PxTypedList<T>& list, POSITION& position)
{
    return static_cast<const CList<T, const T&>&>(list).GetNext(position);
}

bool IsInRepositoryTransaction()
{
    VqsSysApp* app = VqsGetApp();
    PxVQLink* link = app ? app->GetLink() : nullptr;
    return link && link->IsInTransaction();
}

// Whether another record of the link than `record` holds updated options.
bool OtherOptionsUpdated(const PxVQSoftLinkPtr& link, const PxOptionsPtr& record)
{
    PxTypedList<PxOptionsPtr> records;
    link->GetAllOptions(records);
    for (POSITION pos = records.GetHeadPosition(); pos;) {
        const PxOptionsPtr& other = NextOf(records, pos);
        if (other && !other->IsSameOid(record) && other->IsUpdated())
            return true;
    }
    return false;
}

} // namespace

VqsModelNodeOSet::~VqsModelNodeOSet() { m_options.DeleteAll(); }

CString VqsModelNodeOSet::GetName() const
{
    const PxVQOptionSetPtr optionSet = GetOptionSet();
    return optionSet && optionSet->ObjectPresent() ? optionSet->GetName() : CString();
}

bool VqsModelNodeOSet::IsGenSet() const
{
    const PxVQOptionSetPtr optionSet = GetOptionSet();
    return optionSet && optionSet->ObjectPresent() && optionSet->_IsKindOf("PxVQGenSet");
}

void VqsModelNodeOSet::DropVanishedOptionNodes(const PxTypedList<PxOptionsPtr>& records)
{
    std::unordered_set<PxHandle> listed;
    listed.reserve(static_cast<std::size_t>(records.GetCount()));
    for (POSITION pos = records.GetHeadPosition(); pos;)
        listed.insert(NextOf(records, pos)->GetHandle());
    std::vector<VqsModelNodeOption*> gone;
    for (POSITION pos = m_options.GetHeadPosition(); pos;) {
        VqsModelNodeOption* option = m_options.GetNext(pos);
        if (!listed.contains(option->GetObject()->GetHandle()))
            gone.push_back(option);
    }
    for (VqsModelNodeOption* option : gone) {
        RemoveChild(option);
        delete option;
    }
}

void VqsModelNodeOSet::BuildOptionNodes(int mode, const PxVQGenSetPtr& templateSet)
{
    const PxVQOptionSetPtr optionSet = GetOptionSet();
    if (!optionSet || VqsKeepsLoadedList(*this, m_options, mode))
        return;
    PxTypedList<PxOptionsPtr> records;
    VqsReadChildList(*this, VqsListsAhead::OptionRecords, records, [&](auto& list) { optionSet->GetAllOptions(list); });
    if (mode == VqsLoadDropVanished)
        DropVanishedOptionNodes(records);
    std::unique_ptr<VqsSubsystemNumbering> own;
    const VqsSubsystemNumbering* numbers = nullptr;
    if (IsInRepositoryTransaction()) {
        own = WorkOutSubsystemNumbers(records, templateSet);
        numbers = own ? own.get() : VqsSubsystemNumbersAhead(*this);
    }
    // Many unsupported records in one set are told once, not in a burst of boxes.
    bool anyUnsupported = false;
    VqsModelNodeOption* previous = nullptr;
    for (POSITION pos = records.GetHeadPosition(); pos;) {
        const PxOptionsPtr& record = NextOf(records, pos);
        if (numbers && VqsIsQSRIspecRecord(record)) {
            try {
                numbers->Give(record);
            } catch (const VqReportableException&) {
                // The record keeps the number it has; its node is made all the same.
            }
        }
        VqsModelNodeOption* option = m_options.FindByObject(record);
        if (!option) {
            bool unsupported = false;
            option = static_cast<VqsModelNodeOption*>(VqsOptionNodeRegister::TryCreateNode(this, record, unsupported));
            m_options.SetAt(record, option, previous);
            anyUnsupported = anyUnsupported || unsupported;
        }
        previous = option ? option : previous;
    }
    m_options.loaded = 1;
    if (anyUnsupported)
        VqsMessageBoxId(IDS_OPTIONS_NOT_SUPPORTED);
}

// The numbers of the records, unless the numbers worked out ahead for the model's load know
// them all (none from a template are worked out ahead); null then.
std::unique_ptr<VqsSubsystemNumbering> VqsModelNodeOSet::WorkOutSubsystemNumbers(
    const PxTypedList<PxOptionsPtr>& records, const PxVQGenSetPtr& templateSet) const
{
    std::vector<PxObjectPtr> listed;
    for (POSITION pos = records.GetHeadPosition(); pos;)
        listed.push_back(NextOf(records, pos));
    const VqsSubsystemNumbering* ahead = templateSet ? nullptr : VqsSubsystemNumbersAhead(*this);
    if (ahead && ahead->Knows(listed))
        return nullptr;
    auto numbers = std::make_unique<VqsSubsystemNumbering>(templateSet);
    const VqsModelNode* config = GetParent();
    try {
        if (config && config->GetObject())
            numbers->WorkOut({config->GetObject()}, {listed});
    } catch (const VqReportableException&) {
        // Every record keeps the number it has.
    }
    return numbers;
}

void VqsModelNodeOSet::GetOptionNodes(CObList& out) const { m_options.AppendTo(out); }

VqsModelNodeOption* VqsModelNodeOSet::FindOptionNode(const PxObjectPtr& options) const
{
    return m_options.FindByObject(options);
}

VqsModelNodeOption* VqsModelNodeOSet::CreateOptionNode(const PxOptionsPtr& options, bool notify)
{
    if (VqsModelNodeOption* option = m_options.FindByObject(options))
        return option;
    auto* option = static_cast<VqsModelNodeOption*>(VqsOptionNodeRegister::CreateNode(this, options));
    if (!option)
        return nullptr;
    m_options.SetAt(options, option);
    if (notify)
        option->NotifyChanged();
    return option;
}

void VqsModelNodeOSet::CollectPacks(VqsPackSpecList& packs, const PxVQBSSoftLinkPtr& bsSoftLink)
{
    for (POSITION pos = m_options.GetHeadPosition(); pos;) {
        VqsModelNodeOption* option = m_options.GetNext(pos);
        if (!bsSoftLink || option->BelongsToBSSoftLink(bsSoftLink))
            option->CollectPacks(packs);
    }
}

void VqsModelNodeOSet::ApplyPackReplacements(const VqsBSPackReplacementList& replacements)
{
    for (POSITION pos = m_options.GetHeadPosition(); pos;) {
        VqsModelNodeOption* option = m_options.GetNext(pos);
        const PxVQBSSoftLinkPtr segment = option->GetBSSoftLink();
        const PxVQOptionsPtr record(option->GetOptions());
        // The segment's own options are rewritten by the segment link node.
        if (!segment || !record || record->GetSoftLink()->IsSameOid(segment))
            continue;
        for (POSITION at = replacements.GetHeadPosition(); at;) {
            const VqsBSPackReplacement& replacement = replacements.GetNext(at);
            if (replacement.bsSoftLink && replacement.bsSoftLink->IsSameOid(segment))
                option->ReplacePack(replacement);
        }
    }
}

void VqsModelNodeOSet::CollectElementPacks(int unused, VqsBSPackReplacementList& replacements,
                                           const PxVQBSSoftLinkPtr& bsSoftLink)
{
    for (POSITION pos = m_options.GetHeadPosition(); pos;) {
        VqsModelNodeOption* option = m_options.GetNext(pos);
        const PxVQOptionsPtr record(option->GetOptions());
        if (!record || !option->BelongsToBSSoftLink(bsSoftLink) || record->GetSoftLink()->IsSameOid(bsSoftLink))
            continue;
        VqsBSPackReplacement prepared{bsSoftLink, 0, 0, CString(), CString()};
        option->CollectUpdatedPacks(unused, replacements, prepared);
    }
}

bool VqsModelNodeOSet::DeleteNode()
{
    BuildOptionNodes(VqsLoadCached);
    VqsModel* model = GetModel();
    std::vector<VqsModelNodeLink*> toClear;
    std::vector<VqsModelNodeLink*> toDelete;
    for (POSITION pos = m_options.GetHeadPosition(); pos;) {
        const PxVQOptionsPtr record(m_options.GetNext(pos)->GetOptions());
        if (!record || !record->IsUpdated())
            continue;
        const PxVQSoftLinkPtr link = record->GetSoftLink();
        if (!link || OtherOptionsUpdated(link, record))
            continue;
        VqsModelNodeLink* linkNode = model ? model->FindOptionNodeOfOSet(link) : nullptr;
        if (!linkNode)
            return false;
        (link->IsObsolete() ? toDelete : toClear).push_back(linkNode);
    }
    {
        VqsTransaction transaction;
        try {
            for (VqsModelNodeLink* linkNode : toClear)
                linkNode->SetUpdatedFlag(0);
        } catch (const VqReportableException& error) {
            transaction.ReportFailure(IDS_CANNOT_REMOVE_OPTION_SET, error);
        }
        // An Ispec link's profiles go with it.
        const std::vector<VqsNodeRef<VqsModelNodeLink>> deleting(toDelete.begin(), toDelete.end());
        for (auto it = deleting.begin(); it != deleting.end() && transaction.IsUsable(); ++it) {
            VqsModelNodeLink* node = it->Get();
            if (node && !node->Delete())
                transaction.SetFailed();
        }
        if (transaction.IsUsable() && !VqsModelNode::Delete())
            transaction.SetFailed();
    }
    return VqsTransaction::IsOk() != 0;
}

void VqsModelNodeOSet::ReadChildListsAhead(const std::vector<VqsModelNode*>& peers, VqsListsAhead& ahead) const
{
    ahead.Read(VqsListsAhead::OptionRecords, peers, &PxVQOptionSet::AllOptionsOf);
    if (IsInRepositoryTransaction())
        ahead.WorkOutSubsystemNumbers(peers);
}

void VqsModelNodeOSet::RemoveChild(VqsModelNode* child)
{
    if (child)
        m_options.RemoveChild(child);
}

void VqsModelNodeOSet::NotifyViews() { Broadcast(VqsOptionSetGone, false); }

int VqsModelNodeOSet::LockPath(VqsLockBag& bag, const PxVQObjectPtr& target)
{
    const PxVQObjectPtr own = GetObject();
    if (own && target && own->IsSameOid(target)) {
        VqsModelNode* config = GetParent();
        if (config && !config->LockPath(bag, target))
            return 0;
    }
    if (!bag.LockNode(this))
        return 0;
    if (VqsGoneFromPath(bag, this) || (target && target->_IsKindOf("PxVQElementSoftLink")))
        return 1;
    BuildOptionNodes(VqsLoadCached);
    const PxVQBSSoftLinkPtr segment = target && target->_IsKindOf("PxVQBSSoftLink") ? PxVQBSSoftLinkPtr(target)
                                                                                     : PxVQBSSoftLinkPtr();
    for (POSITION pos = m_options.GetHeadPosition(); pos;) {
        VqsModelNodeOption* option = m_options.GetNext(pos);
        if ((!segment || option->BelongsToBSSoftLink(segment)) && !bag.LockNode(option))
            return 0;
    }
    return 1;
}
