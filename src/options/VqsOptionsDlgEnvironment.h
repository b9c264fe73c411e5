// What the options dialog of an element holds of the repository: the element link's node,
// the option node and the configuration node above them, the nodes read with them, the two
// lock bags of the edit lock and the editions read, so that a change by another user since
// the dialog read them is seen at the first edit.
#pragma once

#include "model/VqsLockBag.h"
#include "proxy/PxObjectEdition.h"
#include "proxy/PxOptions.h"
#include "proxy/PxVQSoftLink.h"
#include "win/Collections.h"

#include <memory>
#include <vector>

class VqsModelNode;
class VqsModelNodeConfig;
class VqsModelNodeLink;
class VqsModelNodeOption;
class VqsModelNodeOSet;

class VqsOptionsDlgEnvironment : public CObject {
public:
    VqsOptionsDlgEnvironment(VqsModelNodeLink* linkNode, VqsModelNodeOption* optionNode);
    ~VqsOptionsDlgEnvironment() override;
    VqsOptionsDlgEnvironment(const VqsOptionsDlgEnvironment&) = delete;
    VqsOptionsDlgEnvironment& operator=(const VqsOptionsDlgEnvironment&) = delete;

    // Reads the nodes under read locks and records their editions; FALSE after a message.
    BOOL Initialize();
    // Takes the edit lock (future update and long read); FALSE when refused, with `cancel`
    // set when the dialog cannot go on (an object gone, the element's kind changed).
    BOOL LockForEdit(BOOL& cancel);
    void ReleaseEditLock();
    // Refreshes the nodes whose objects changed since they were read; TRUE when one did.
    BOOL RefreshChangedNodes();
    // Whether an object read changed since its edition was recorded.
    BOOL AnyChangedSinceRead() const;
    // Raises the edit lock to a write lock and write-locks the option node's path.
    BOOL LockForApply();
    // Gives back the write locks of LockForApply.
    void EndApply();
    // Gives back every lock held, the edit lock and an apply's included; the next change
    // locks again.
    void GiveBackLocks();
    // After the element's link has been removed: the nodes are gone.
    void MarkRemoved() { m_bRemoved = TRUE; }
    BOOL IsRemoved() const { return m_bRemoved; }

    VqsModelNodeLink* GetLinkNode() const { return m_pLinkNode; }
    VqsModelNodeOption* GetOptionNode() const { return m_pOptionNode; }
    VqsModelNodeConfig* GetConfigNode() const { return m_pConfigNode; }
    VqsModelNodeOSet* GetOptionSetNode() const;
    int GetElementKind() const { return m_nElementKind; }
    int GetHostType() const { return m_nHostType; }
    PxVQSoftLinkPtr GetSoftLink() const;
    PxOptionsPtr GetOptions() const;

private:
    struct ReadEdition {
        VqsModelNode* node;
        PxObjectEdition edition;
    };

    void ListNodes(CObList& nodes) const;
    BOOL HoldsEveryNode(BOOL& cancel) const;
    BOOL ElementKindChanged() const;

    VqsModelNodeLink* m_pLinkNode;
    VqsModelNodeOption* m_pOptionNode;
    VqsModelNodeConfig* m_pConfigNode;
    int m_nElementKind = 0;
    int m_nHostType = 0;
    // Locked for future update while editing: what an apply writes.
    CObList m_futureUpdateNodes;
    // Locked for long read while editing: what must stay as it is.
    CObList m_longReadNodes;
    VqsLockBag m_futureUpdateBag{VqsNoLock};
    VqsLockBag m_longReadBag{VqsNoLock};
    // The option node's path while an apply writes.
    std::unique_ptr<VqsLockBag> m_pApplyBag;
    std::vector<ReadEdition> m_editions;
    BOOL m_bRemoved = FALSE;
};
