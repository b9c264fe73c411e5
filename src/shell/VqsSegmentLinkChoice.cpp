#include "shell/VqsSegmentLinkChoice.h"

#include "model/VqsLockOrder.h"
#include "model/VqsModelNodeLink.h"
#include "model/VqsModelNodeSystem.h"

#include <algorithm>

BOOL VqsChooseSegmentLinks(const std::vector<VqsModelNodeConfig*>& configs, VqsLockBag& bag,
                           const CString& businessSegment, std::vector<VqsSegmentLinkChoice>& choices,
                           const VqsModelNode::HeldAlready& heldAlready)
{
    choices.clear();
    if (!VqsModelNode::LockSubtrees(bag, std::vector<VqsModelNode*>(configs.begin(), configs.end()), heldAlready))
        return FALSE;
    CObList links;
    for (VqsModelNodeConfig* config : configs) {
        config->LoadBSLinks(VqsLoadCached);
        CObList ofConfig;
        config->GetBSLinkNodes(ofConfig);
        for (POSITION pos = ofConfig.GetHeadPosition(); pos;) {
            auto* link = static_cast<VqsModelNode*>(ofConfig.GetNext(pos));
            if (!heldAlready || !heldAlready(link))
                links.AddTail(link);
        }
    }
    if (!bag.LockNodesTogether(links))
        return FALSE;
    for (VqsModelNodeConfig* config : configs) {
        CObList ofConfig;
        config->GetBSLinkNodes(ofConfig);
        std::vector<VqsModelNodeBSLink*> named;
        for (POSITION pos = ofConfig.GetHeadPosition(); pos;) {
            auto* link = static_cast<VqsModelNodeBSLink*>(ofConfig.GetNext(pos));
            const PxVQBSSoftLinkPtr softLink = link->GetBSSoftLink();
            if (softLink && softLink->GetName().CompareNoCase(businessSegment) == 0)
                named.push_back(link);
        }
        VqsSegmentLinkChoice choice{config};
        choice.link = VqsModelNodeLink::ChooseInUseOrNewest(named, choice.inUse);
        choices.push_back(choice);
    }
    return TRUE;
}

std::vector<VqsModelNodeConfig*> VqsChangedSegmentLinkChoices(const std::vector<VqsSegmentLinkChoice>& choices)
{
    std::vector<VqsModelNode*> nodes;
    std::vector<std::size_t> ends;
    for (const VqsSegmentLinkChoice& choice : choices) {
        nodes.push_back(choice.config);
        CObList links;
        choice.config->GetBSLinkNodes(links);
        for (POSITION pos = links.GetHeadPosition(); pos;)
            nodes.push_back(static_cast<VqsModelNode*>(links.GetNext(pos)));
        ends.push_back(nodes.size());
    }
    const std::vector<PxFound> found = VqsModelNode::ReadAgain(nodes);
    std::vector<VqsModelNodeConfig*> changed;
    std::size_t begin = 0;
    for (std::size_t index = 0; index < choices.size(); ++index) {
        const std::size_t end = ends[index];
        if (!std::all_of(found.begin() + static_cast<std::ptrdiff_t>(begin),
                         found.begin() + static_cast<std::ptrdiff_t>(end),
                         [](PxFound each) { return each == PxFound::Unchanged; }))
            changed.push_back(choices[index].config);
        begin = end;
    }
    return changed;
}

BOOL VqsSegmentLinkLocks::Lock(const std::vector<VqsSegmentLinkChoice>& choices)
{
    std::vector<VqsPlannedLock> locks;
    for (const VqsSegmentLinkChoice& choice : choices) {
        locks.push_back({choice.config, ReadsConfig(choice) ? &m_read : &m_written});
        locks.push_back({choice.link, &m_written});
    }
    return VqsLockInOrder(locks, [](VqsLockBag& bag, CObList& nodes) { return bag.LockNodesTogether(nodes); });
}

bool VqsSegmentLinkLocks::Holds(const VqsSegmentLinkChoice& choice) const
{
    return (ReadsConfig(choice) ? m_read : m_written).Contains(choice.config);
}

bool VqsSegmentLinkLocks::HoldsNode(VqsModelNode* node) const
{
    return m_read.Contains(node) || m_written.Contains(node);
}

void VqsSegmentLinkLocks::GiveBack()
{
    m_read.UnlockAll();
    m_written.UnlockAll();
}

void VqsSegmentLinkLocks::Replace(std::vector<VqsSegmentLinkChoice>& choices,
                                  const std::vector<VqsSegmentLinkChoice>& again)
{
    bool giveBack = false;
    for (const VqsSegmentLinkChoice& choice : again) {
        const auto made = std::find_if(choices.begin(), choices.end(),
                                       [&](const VqsSegmentLinkChoice& each) { return each.config == choice.config; });
        if (made == choices.end())
            continue;
        const bool otherLink = choice.link != made->link;
        if (m_read.Contains(choice.config) && (otherLink || !ReadsConfig(choice))) {
            m_writtenConfigs.insert(choice.config);
            giveBack = true;
        } else if (m_written.Contains(choice.config)) {
            m_writtenConfigs.insert(choice.config);
            giveBack = giveBack || otherLink;
        }
        *made = choice;
    }
    if (giveBack)
        GiveBack();
}

BOOL VqsSegmentLinkLocks::HandOver(const std::vector<VqsSegmentLinkChoice>& choices, VqsLockBag& readBag,
                                   VqsLockBag& writeBag)
{
    CObList read, written;
    for (const VqsSegmentLinkChoice& choice : choices) {
        (ReadsConfig(choice) ? read : written).AddTail(choice.config);
        written.AddTail(choice.link);
    }
    return readBag.TakeOverNodes(read, m_read) && writeBag.TakeOverNodes(written, m_written);
}
