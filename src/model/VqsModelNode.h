// The base of every node of the model: a node mirrors one repository object, knows its
// parent, tells the views about itself and walks, refreshes, deletes and locks itself.
#pragma once

#include "proxy/PxVQObject.h"
#include "win/Collections.h"
#include "win/CString.h"

#include <functional>
#include <memory>
#include <vector>

class VqsListsAhead;
class VqsLockBag;
class VqsModel;
class VqsModelNodeEnterprise;

// The kind numbers of the nodes; the views and the change broadcast use them as hint codes.
enum VqsModelNodeKind : int {
    VqsKindHost = 2,
    VqsKindOptionSet = 4,
    VqsKindPack = 6,
    VqsKindPackAssociation = 7,
    VqsKindEnterprise = 8,
    VqsKindSystem = 9,
    VqsKindConfig = 10,
    VqsKindBSLink = 11,
    VqsKindElementLink = 12,
    VqsKindRepGroup = 13,
    VqsKindBundle = 14,
    VqsKindRepAlias = 15,
    VqsKindIspecBundleData = 16,
    VqsKindOption = 20,
};

// Hint codes of the going-away notices (no node kinds).
enum VqsGoneHint : int { VqsHostGone = 1, VqsOptionSetGone = 3, VqsPackGone = 5, VqsNodeGone = 17 };

// How a child list is read: 0 uses what was read before, 1 reads it again, 2 reads it again
// and drops the children whose objects are no longer listed.
enum VqsLoadMode : int { VqsLoadCached = 0, VqsLoadReread = 1, VqsLoadDropVanished = 2 };

class VqsModelNode : public CObject {
public:
    // One pack that options name: its name and its kind (0 not stated, 1 path, any other
    // value tablespace or filegroup).
    struct PackSpec {
        CString name;
        int type = 0;
    };

    // Enters the node in its model's index when it has an object.
    VqsModelNode(VqsModelNode* parent, const PxVQObjectPtr& object);
    // Leaves the index; the kinds delete their children first.
    ~VqsModelNode() override;
    VqsModelNode(const VqsModelNode&) = delete;
    VqsModelNode& operator=(const VqsModelNode&) = delete;

    // The going-away notice: code 17 with the node's object and its parent's.
    virtual void NotifyViews();
    virtual void CountHostUsage(const char* hostName, int& inGenSets, int& inOldConfigs);
    virtual void CountPackUsage(const char* packName, int& inCurrent, int& inOld);
    virtual void LoadChildren(int mode);
    // Appends what is loaded, in child order; callers load first.
    virtual void GetChildren(CObList& out);
    virtual CString GetDescription();
    virtual VqsModelNodeEnterprise* GetRoot();
    virtual VqsModel* GetModel() const;
    virtual PxVQObjectPtr GetObject() const = 0;
    // Deletes the object in a transaction, then the node (which tells the views); 0 when
    // the repository refused, and the node stays.
    virtual int Delete();
    virtual int LockPath(VqsLockBag& bag, const PxVQObjectPtr& target) = 0;
    // Unlinks a child after its going-away notice; the caller deletes it.
    virtual void RemoveChild(VqsModelNode* child);
    // Reads the node's object again, then the others it shows (GetObjectsShownWith), then
    // OnRefreshed.
    virtual void Refresh();
    virtual int GetKind() const = 0;
    // The objects besides its own whose data the node shows, which a refresh reads again:
    // none.
    virtual void GetObjectsShownWith(std::vector<PxObjectPtr>& out) const;
    // Reads ahead, together, the child lists that LoadChildren of each of the peers (nodes
    // of this node's class, this one among them) reads; nothing for a leaf.
    virtual void ReadChildListsAhead(const std::vector<VqsModelNode*>& peers, VqsListsAhead& ahead) const;

    VqsModelNode* GetParent() const { return m_pParent; }
    // The change notice: the kind as hint, the node's object and its parent's.
    void NotifyChanged();
    // Removes and deletes the children whose objects are gone.
    void DropAbsentChildren();
    // This node when it holds the object, else the model's node of it (or null).
    VqsModelNode* FindNodeOf(const PxObjectPtr& object);
    // Locks and refreshes the node and every descendant, dropping children whose objects
    // are gone and reading the children of a node that has none loaded; 0 when refused.
    int LockSubtree(VqsLockBag& bag);
    // The same for several nodes, none below another: a rank of the lock order at a time,
    // its new objects locked in one lock call, its nodes read again in one read and the
    // children lists of a class read together, so that it costs a few calls a rank whatever
    // the nodes (README.md). A node whose object the step holds already (`heldAlready`) is
    // read again without a lock of the bag.
    using HeldAlready = std::function<bool(VqsModelNode* node)>;
    static int LockSubtrees(VqsLockBag& bag, const std::vector<VqsModelNode*>& roots,
                            const HeldAlready& heldAlready = {});
    // Reads the objects the nodes show again together (a refresh of each); answers what it
    // found of each node: changed when one of its objects is, gone when its own object is.
    // Tells no one.
    static std::vector<PxFound> ReadAgain(const std::vector<VqsModelNode*>& nodes);
    // Loads the children of each node with the mode, the lists of each class of nodes read
    // together.
    static void LoadChildrenOf(const std::vector<VqsModelNode*>& nodes, int mode);

    // Expires when the node is deleted (see VqsNodeRef).
    std::weak_ptr<const void> GetLifeToken() const;

protected:
    // What a node does once its objects were read again: the change notice.
    virtual void OnRefreshed();
    // For the root, whose object comes after the model is built.
    void AttachObject(const PxVQObjectPtr& object);
    const PxVQObjectPtr& Object() const { return m_pObject; }
    // Another object's notice with this node's parent, for kinds that announce themselves.
    void Broadcast(int code, bool withParent);

private:
    VqsModelNode* m_pParent;
    PxVQObjectPtr m_pObject;
    // Made when a hold first asks for it.
    mutable std::shared_ptr<const void> m_pLife;
};

// The node's object as one of the repository classes (null when it is of another class).
template <class Ptr>
Ptr VqsObjectOf(const VqsModelNode* node)
{
    return node ? Ptr(node->GetObject()) : Ptr();
}
