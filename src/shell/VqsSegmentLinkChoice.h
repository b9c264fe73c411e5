// The business-segment link of each configuration that a host's transaction works on, chosen
// under read locks of the configurations' subtrees (the one in use, else the newest), and
// the locks a prepare takes for its choices.
#pragma once

#include "model/VqsLockBag.h"
#include "model/VqsModelNode.h"
#include "win/CString.h"
#include "win/Types.h"

#include <set>
#include <vector>

class VqsModelNodeBSLink;
class VqsModelNodeConfig;

struct VqsSegmentLinkChoice {
    VqsModelNodeConfig* config = nullptr;
    // Null when the configuration has no link of the segment.
    VqsModelNodeBSLink* link = nullptr;
    // The link was chosen for being in use (its unused mark clear), not for being the newest.
    bool inUse = false;

    bool operator==(const VqsSegmentLinkChoice&) const = default;
};

// Read-locks the subtrees of the configurations in the bag (each node read again as it is
// newly locked, the subtrees together) and chooses each one's link of the segment, named
// without regard to case. A node whose object the step holds already (`heldAlready`) is read
// again without a lock. FALSE when a lock was refused.
BOOL VqsChooseSegmentLinks(const std::vector<VqsModelNodeConfig*>& configs, VqsLockBag& bag,
                           const CString& businessSegment, std::vector<VqsSegmentLinkChoice>& choices,
                           const VqsModelNode::HeldAlready& heldAlready = {});

// The configurations whose choice no longer stands as it was made: the configuration or a
// link of it the choice looked at is not at the edition it was read with, asked together
// without locking them. A choice that does not stand is made again.
std::vector<VqsModelNodeConfig*> VqsChangedSegmentLinkChoices(const std::vector<VqsSegmentLinkChoice>& choices);

// The locks a prepare takes for its choices, in the one lock order: each configuration read
// (a creating transaction's link in use) or written, each link written.
class VqsSegmentLinkLocks {
public:
    // `kind`: the prepare's; 0 for a transaction that renames.
    explicit VqsSegmentLinkLocks(int kind) : m_kind(kind) {}

    // Locks what the choices need and is not held yet; FALSE when a lock was refused (the lock
    // layer has told the user).
    BOOL Lock(const std::vector<VqsSegmentLinkChoice>& choices);
    // Whether the choice's configuration is still there, as the locks found it.
    bool Holds(const VqsSegmentLinkChoice& choice) const;
    // Whether the node's object is held.
    bool HoldsNode(VqsModelNode* node) const;
    // Gives back every lock.
    void GiveBack();
    // Puts the choices made again in the place of those of their configurations. A choice made
    // under the locks that needs what they do not give (another link, or the write of a
    // configuration held for read) gives every lock back, to be taken again in the order; a
    // configuration read-locked whose choice changed even so is written from then on, and one
    // written stays written, so that no other user changes a choice under the locks again.
    void Replace(std::vector<VqsSegmentLinkChoice>& choices, const std::vector<VqsSegmentLinkChoice>& again);
    // Hands the locks of the choices over to the prepare's bags; FALSE when refused.
    BOOL HandOver(const std::vector<VqsSegmentLinkChoice>& choices, VqsLockBag& readBag, VqsLockBag& writeBag);

private:
    bool ReadsConfig(const VqsSegmentLinkChoice& choice) const
    {
        return m_kind != 0 && choice.inUse && !m_writtenConfigs.contains(choice.config);
    }

    int m_kind;
    VqsLockBag m_read{VqsReadLock};
    VqsLockBag m_written{VqsWriteLock};
    std::set<const VqsModelNodeConfig*> m_writtenConfigs;
};
