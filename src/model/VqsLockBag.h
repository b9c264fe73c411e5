// The repository objects that one operation has locked, all with one lock kind, released
// together. A node's object counts once however many nodes lead to it.
#pragma once

#include "proxy/PxTypedList.h"
#include "proxy/PxVQObject.h"
#include "win/Collections.h"

#include <cstdint>
#include <functional>
#include <vector>

class PxLink;
class VqsModelNode;

// Lock kinds: 0 objects are only recorded, 1 read, 2 long read, 3 future update, 4 write.
enum VqsLockKind : int { VqsNoLock = 0, VqsReadLock = 1, VqsLongReadLock = 2, VqsFutureUpdateLock = 3, VqsWriteLock = 4 };

class VqsLockBag : public CObject {
public:
    explicit VqsLockBag(int kind);
    // A bag of no lock that gathers the objects for one LockObjects later, which asks their
    // presence then, all in one read: its LockNode records without asking.
    static VqsLockBag Gathering();
    // Releases until nothing is held.
    ~VqsLockBag() override;
    VqsLockBag(const VqsLockBag&) = delete;

    int GetKind() const { return m_nKind; }
    unsigned GetHoldCount() const { return static_cast<unsigned>(m_heldKinds.size()); }
    INT_PTR GetCount() const { return m_objects.GetCount(); }
    bool Contains(VqsModelNode* node) const;
    bool ContainsObject(const PxObjectPtr& object) const;

    // 1 when the node's object is held (or there is nothing to hold), 0 when refused.
    int LockNode(VqsModelNode* node);
    // Stops at the first refusal; what was locked before stays in the bag.
    int LockNodes(CObList& nodes);
    // The same, each node read again once it is held.
    int LockAndRefreshNodes(CObList& nodes);
    // Locks every object of the bag once more, in one list call of the kind, in the one lock
    // order.
    int LockObjects(int kind);
    // The same without waiting for a lock another session holds or a busy lock store: -1 when
    // one is in the way (nothing locked, nothing told), otherwise as LockObjects.
    int TryLockObjects(int kind);
    // Whether the last of these calls failed telling the user why (a refusal, a repository
    // failure), rather than by a wait the user gave up.
    bool IsRefusalTold() const { return m_bRefusalTold; }
    // Unlocks every object once.
    void Release();
    // Releases everything and forgets the objects; the hold count is what it was.
    void UnlockAll();
    // Releases until nothing is held; the objects stay recorded.
    void ReleaseAll();
    // Gives every hold back for now, keeping its kind: TakeBackSetAside takes them again,
    // while a Release meanwhile forgets one of them.
    void SetAside();
    // Takes back the holds set aside, the strongest kind first; 0 when a lock is refused
    // (the lock layer has told the user), the holds not taken staying set aside.
    int TakeBackSetAside();
    // Every object of the bag, in the map's order.
    void CollectObjects(PxTypedList<PxVQObjectPtr>& objects) const;
    // Locks the node here, taking it from the other bag.
    int TakeOverNode(VqsModelNode* node, VqsLockBag& other);
    // The same for every node not held here yet, with one lock call (and one release call
    // per step) for all of them.
    int TakeOverNodes(CObList& nodes, VqsLockBag& other);
    // Locks every node not held here yet with one lock call, their objects' presence asked in
    // one read; a refusal leaves none of them locked.
    int LockNodesTogether(CObList& nodes);
    // Which of the objects just granted are still in the repository, as a caller reads it.
    using PresenceRead = std::function<std::vector<bool>(const std::vector<PxObjectPtr>& granted)>;
    // The same for nodes the caller has just read, without asking their presence before the
    // call; after it, `readPresence` (which the caller makes its own read of them again) tells
    // which of the objects granted are still there, and those gone are given back.
    int LockNodesJustRead(CObList& nodes, const PresenceRead& readPresence);
    // Locks the nodes, taking over what the other bag holds, with passing read locks on
    // their parents; the other bag ends empty of locks.
    int LockNodesFrom(CObList& nodes, VqsLockBag& other);
    // Gives back the bag's holds on the node's object and forgets it.
    void Drop(VqsModelNode* node);
    // Takes the other bag's hold count and objects; the other keeps its count and nothing.
    VqsLockBag& operator=(VqsLockBag& other);
    // 1 (after telling the user with the message, %1 the object's kind, and the views)
    // when the node's object is not in the bag; 0 when it is.
    int ReportDeleted(UINT messageId, VqsModelNode* node);
    // Tells the user with the message (%1 the object's kind; "some object" without one) that
    // another user deleted the object (VqsTellItemDeleted).
    static void TellDeleted(UINT messageId, const PxVQObjectPtr& object);

    // A lock call outside any bag, under the rules of a bag's calls: it does not wait while
    // the host's pending transaction holds locks.
    static PxLockErrorInfo LockOutsideBag(const PxVQObjectPtr& object, int kind);
    static PxLockErrorInfo LockOutsideBag(PxLink& link, PxList& objects, int kind);
    // Gives back one hold of the kind on each object as a bag does: one the host's open
    // transaction keeps stays with it. A give-back the lock store refuses is owed by the
    // session, never this step's failure; a lost connection throws.
    static void GiveBackOutsideBag(const PxVQObjectPtr& object, int kind);
    static void GiveBackOutsideBag(PxLink& link, PxTypedList<PxVQObjectPtr>& objects, int kind);
    // Gives back one hold on each object (as many as the list names it) now, whatever the
    // host's transaction keeps, in one unlock call: a give-back the lock store refuses is owed
    // by the session, a connection lost took the holds with it, and an object its own aborted
    // transaction made holds nothing.
    static void GiveBackTogether(PxTypedList<PxVQObjectPtr>& objects);

private:
    class Granted;

    VqsLockBag(int kind, bool askPresence);

    using ObjectMap = CMap<std::uint64_t, std::uint64_t, PxVQObjectPtr, const PxVQObjectPtr&>;

    // Forgets the objects no longer in the repository, giving back a hold of each kind.
    void PurgeDeleted(const std::vector<int>& kinds);
    // Gives back every hold of every object, which the caller then forgets.
    void GiveBackAll();
    void CollectStoredObjects(PxTypedList<PxVQObjectPtr>& objects) const;
    void Record(const PxVQObjectPtr& object);
    void Forget(const PxVQObjectPtr& object);
    // Gives back one hold of each kind on the objects, one unlock call a kind, ignoring
    // refusals to unlock. While the host's repository transaction is open, the holds it
    // keeps (VqsHostTransactionHolds) stay with it instead.
    static void GiveBackHolds(PxTypedList<PxVQObjectPtr>& objects, const std::vector<int>& kinds);
    static void GiveBackHolds(const PxVQObjectPtr& object, const std::vector<int>& kinds);
    // Takes the strongest kind out of the list: of holds given back one at a time, the one
    // the repository keeps to the last (it gives back the weakest first).
    static int TakeStrongest(std::vector<int>& kinds);
    int LockTogether(PxTypedList<PxVQObjectPtr>& objects, const PresenceRead& readPresence = &PxObject::ArePresent);
    // Adds the objects still in the repository to the list, asking in one read.
    static void AddPresent(const std::vector<PxObjectPtr>& objects, PxTypedList<PxVQObjectPtr>& present);
    // Moves the node's object from the other bag into this one.
    int TakeOverHeld(VqsModelNode* node, VqsLockBag& other);
    int LockObjectsOnce(int kind, bool wait);
    void AddHold(int kind);
    // The weakest kind goes first, as the repository gives a hold back.
    void DropHold();

    ObjectMap m_objects{10};
    int m_nKind;
    bool m_bAskPresence = true;
    bool m_bRefusalTold = false;
    // The kind of each hold, and of each hold set aside.
    std::vector<int> m_heldKinds;
    std::vector<int> m_setAside;
};

// Locks of one kind that a step takes outside any bag on a list of objects: held from the
// moment they are granted until the step gives them back, or until the holder ends, however
// the step ends (a refusal, a thrown failure, a lost connection).
class VqsOutsideBagHold {
public:
    VqsOutsideBagHold(PxLink& link, int kind);
    // Gives back quietly what is still held.
    ~VqsOutsideBagHold();
    VqsOutsideBagHold(const VqsOutsideBagHold&) = delete;
    VqsOutsideBagHold& operator=(const VqsOutsideBagHold&) = delete;

    // One lock call for the objects, as VqsLockBag::LockOutsideBag; held once granted.
    PxLockErrorInfo Lock(PxTypedList<PxVQObjectPtr>& objects);
    // Gives the hold back now, as GiveBackOutsideBag does, holding nothing then.
    void GiveBack();

private:
    PxLink& m_link;
    int m_nKind;
    PxTypedList<PxVQObjectPtr> m_held;
};
