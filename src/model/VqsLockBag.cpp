#include "model/VqsLockBag.h"

#include "model/VqsLockScope.h"
#include "model/VqsModelNode.h"
#include "proxy/PxException.h"
#include "proxy/PxLockOrder.h"
#include "proxy/PxLockNoWait.h"
#include "proxy/PxObjectKind.h"
#include "proxy/PxTypedList.h"
#include "proxy/PxVQLink.h"
#include "shell/VqsHostTransactionHolds.h"
#include "shell/VqsLockFailure.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsSysApp.h"

#include <algorithm>
#include <optional>
#include <utility>
#include <unordered_set>

namespace {

const UINT IDS_CANNOT_LOCK_OBJECT = 61731;

std::uint64_t KeyOf(const PxObjectPtr& object) { return object->GetHandle().MapKey(); }

// The host's pending transaction that holds locks from its prepare or its earlier steps
// holds them out of the one order: a wait of its steps could close a circle (two users each
// creating inside such a transaction would wait for each other for ever). So its lock calls
// do not wait: a lock another session holds refuses them at once, with the usual box.
bool MustNotWait()
{
    const VqsSysApp* app = VqsGetApp();
    return app && app->HostTransactionHoldsLocks();
}

// The holds of the host's open transaction when it keeps a hold of the kind; null otherwise.
VqsHostTransactionHolds* HoldsKeeping(int kind)
{
    VqsSysApp* app = VqsGetApp();
    return app && VqsHostTransactionHolds::Keeps(kind) ? app->OpenHostTransactionHolds() : nullptr;
}

// A bag's own lock calls run in a locking period of the session link, so that a wait has the
// progress box and is given up only by its user's Cancel there (which shows nothing): outside
// a period the retry question would give the wait up at once, with no box. (A call outside
// any bag keeps its caller's period, or gives a wait up at once without one.)
PxVQLink* PeriodLink()
{
    const VqsSysApp* app = VqsGetApp();
    return app ? app->GetLink() : nullptr;
}

PxLockErrorInfo LockObject(PxVQObject& object, int kind)
{
    std::optional<PxLockNoWait> noWait;
    if (MustNotWait())
        noWait.emplace();
    switch (kind) {
    case VqsReadLock:
        return object.ReadLock();
    case VqsLongReadLock:
        return object.LongReadLock();
    case VqsFutureUpdateLock:
        return object.FutureUpdateLock();
    default:
        return object.WriteLock(0);
    }
}

// A give-back of such a transaction's step does not wait for a busy store either.
void UnlockList(PxLink& link, PxTypedList<PxVQObjectPtr>& objects)
{
    std::optional<PxLockNoWait> noWait;
    if (MustNotWait())
        noWait.emplace();
    link.UnLock(objects);
}

PxLockErrorInfo LockList(PxLink& link, PxList& objects, int kind)
{
    std::optional<PxLockNoWait> noWait;
    if (MustNotWait())
        noWait.emplace();
    switch (kind) {
    case VqsReadLock:
        return link.ReadLock(objects);
    case VqsLongReadLock:
        return link.LongReadLock(objects);
    case VqsFutureUpdateLock:
        return link.FutureUpdateLock(objects);
    default:
        return link.WriteLock(objects, 0);
    }
}

// A refusal that a wait could end: another session holds the lock, or the lock store was busy.
bool IsHeldByOther(const PxLockErrorInfo& result)
{
    return result.GetErrorCode() == PxLockHeldByOther || result.GetErrorCode() == PxLockStoreBusy;
}

// The session link; without a session, the link the objects were reached through.
PxLink* ListLink(const PxVQObjectPtr& anyObject)
{
    VqsSysApp* app = VqsGetApp();
    if (app && app->GetLink())
        return app->GetLink();
    return anyObject->GetLink();
}

PxLockErrorInfo LockStored(PxTypedList<PxVQObjectPtr>& objects, int kind)
{
    const VqsLockScope period(PeriodLink());
    return LockList(*ListLink(objects.GetHead()), objects, kind);
}

// A try gives up on a busy lock store after one brief try, as on a lock another session holds:
// its caller then waits for the lock in the one order, where the wait has its box.
PxLockErrorInfo TryLockStored(PxTypedList<PxVQObjectPtr>& objects, int kind)
{
    const PxLockNoWait noWait;
    try {
        return LockStored(objects, kind);
    } catch (const VqReportableException& error) {
        if (!VqsIsStoreBusy(error))
            throw;
        return PxLockErrorInfo(PxLockStoreBusy, objects.GetHead());
    }
}

} // namespace

// The objects a lock call of the bag was just granted, recorded in the bag as it returns, so
// that what runs next (the reads of their presence) cannot leave a hold that nothing knows
// of. Those the step does not keep are forgotten and their hold given back as the step
// leaves: gone from the repository, or the read refused or its connection lost.
class VqsLockBag::Granted {
public:
    Granted(VqsLockBag& bag, PxTypedList<PxVQObjectPtr>& objects) : m_bag(bag)
    {
        for (POSITION pos = objects.GetHeadPosition(); pos;) {
            const PxVQObjectPtr object = objects.GetNext(pos);
            m_bag.Record(object);
            m_pending.push_back(object);
        }
    }
    ~Granted()
    {
        PxTypedList<PxVQObjectPtr> given;
        for (const PxVQObjectPtr& object : m_pending) {
            m_bag.Forget(object);
            given.AddTail(object);
        }
        try {
            GiveBackHolds(given, {m_bag.m_nKind});
        } catch (...) {
            // What cannot be given back now goes with the session.
        }
    }
    Granted(const Granted&) = delete;
    Granted& operator=(const Granted&) = delete;

    // Keeps those that the answers, in the order granted, find in the repository.
    void KeepPresent(const std::vector<bool>& present)
    {
        std::vector<PxVQObjectPtr> gone;
        for (std::size_t index = 0; index < m_pending.size(); ++index)
            if (!present.at(index))
                gone.push_back(m_pending[index]);
        m_pending.swap(gone);
    }

private:
    VqsLockBag& m_bag;
    std::vector<PxVQObjectPtr> m_pending;
};

VqsLockBag::VqsLockBag(int kind) : VqsLockBag(kind, true) {}

VqsLockBag::VqsLockBag(int kind, bool askPresence)
    : m_nKind(kind), m_bAskPresence(askPresence)
{
    if (kind != VqsNoLock)
        AddHold(kind);
}

VqsLockBag VqsLockBag::Gathering() { return VqsLockBag(VqsNoLock, false); }

VqsLockBag::~VqsLockBag()
{
    try {
        GiveBackAll();
    } catch (...) {
        // A destructor gives up quietly: the session's end releases what stays locked.
    }
}

// The objects are forgotten next, so whether one is still there does not matter: each hold of
// every object goes back in one unlock call a kind, with no read first.
void VqsLockBag::GiveBackAll()
{
    std::vector<int> kinds;
    kinds.swap(m_heldKinds);
    m_setAside.clear();
    PxTypedList<PxVQObjectPtr> objects;
    CollectStoredObjects(objects);
    GiveBackHolds(objects, kinds);
}

// An object its own aborted transaction made holds nothing and could not be named to a call.
// The rest go in the one lock order, so that a call for objects of several ranks waits for
// none below one it was granted already.
void VqsLockBag::CollectStoredObjects(PxTypedList<PxVQObjectPtr>& objects) const
{
    std::vector<std::pair<PxLockPlace, PxVQObjectPtr>> stored;
    for (POSITION pos = m_objects.GetStartPosition(); pos;) {
        std::uint64_t key = 0;
        PxVQObjectPtr object;
        m_objects.GetNextAssoc(pos, key, object);
        if (!object->NeverStored())
            stored.emplace_back(PxLockPlaceOf(*object), object);
    }
    std::sort(stored.begin(), stored.end(),
              [](const auto& left, const auto& right) { return left.first < right.first; });
    for (const auto& [place, object] : stored)
        objects.AddTail(object);
}

void VqsLockBag::ReleaseAll()
{
    while (GetHoldCount() > 0)
        Release();
    m_setAside.clear();
}

void VqsLockBag::AddHold(int kind) { m_heldKinds.push_back(kind); }

void VqsLockBag::DropHold()
{
    m_heldKinds.erase(std::min_element(m_heldKinds.begin(), m_heldKinds.end()));
}

void VqsLockBag::SetAside()
{
    const std::vector<int> kinds = m_heldKinds;
    while (GetHoldCount() > 0)
        Release();
    m_setAside.insert(m_setAside.end(), kinds.begin(), kinds.end());
}

int VqsLockBag::TakeBackSetAside()
{
    std::sort(m_setAside.begin(), m_setAside.end());
    while (!m_setAside.empty()) {
        if (!LockObjects(m_setAside.back()))
            return 0;
        m_setAside.pop_back();
    }
    return 1;
}

bool VqsLockBag::ContainsObject(const PxObjectPtr& object) const
{
    PxVQObjectPtr held;
    return object && m_objects.Lookup(KeyOf(object), held);
}

bool VqsLockBag::Contains(VqsModelNode* node) const { return node && ContainsObject(node->GetObject()); }

void VqsLockBag::Record(const PxVQObjectPtr& object) { m_objects.SetAt(KeyOf(object), object); }

void VqsLockBag::Forget(const PxVQObjectPtr& object) { m_objects.RemoveKey(KeyOf(object)); }

void VqsLockBag::GiveBackHolds(const PxVQObjectPtr& object, const std::vector<int>& kinds)
{
    PxTypedList<PxVQObjectPtr> objects;
    objects.AddTail(object);
    GiveBackHolds(objects, kinds);
}

void VqsLockBag::GiveBackHolds(PxTypedList<PxVQObjectPtr>& objects, const std::vector<int>& kinds)
{
    if (objects.IsEmpty())
        return;
    for (int kind : kinds) {
        if (kind == VqsNoLock)
            continue;
        if (VqsHostTransactionHolds* kept = HoldsKeeping(kind))
            kept->Keep(objects, kind);
        else
            GiveBackTogether(objects);
    }
}

void VqsLockBag::GiveBackTogether(PxTypedList<PxVQObjectPtr>& objects)
{
    PxTypedList<PxVQObjectPtr> stored;
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
        const PxVQObjectPtr& object = objects.GetNext(pos);
        if (!object->NeverStored())
            stored.AddTail(object);
    }
    if (stored.IsEmpty())
        return;
    try {
        UnlockList(*ListLink(stored.GetHead()), stored);
    } catch (const VqReportableException&) {
        // Unlocking goes on: the next hold is given back all the same.
    }
}

PxLockErrorInfo VqsLockBag::LockOutsideBag(const PxVQObjectPtr& object, int kind) { return LockObject(*object, kind); }

PxLockErrorInfo VqsLockBag::LockOutsideBag(PxLink& link, PxList& objects, int kind)
{
    return LockList(link, objects, kind);
}

void VqsLockBag::GiveBackOutsideBag(const PxVQObjectPtr& object, int kind)
{
    PxTypedList<PxVQObjectPtr> objects;
    objects.AddTail(object);
    GiveBackOutsideBag(*ListLink(object), objects, kind);
}

void VqsLockBag::GiveBackOutsideBag(PxLink& link, PxTypedList<PxVQObjectPtr>& objects, int kind)
{
    if (VqsHostTransactionHolds* kept = HoldsKeeping(kind))
        kept->Keep(objects, kind);
    else
        UnlockList(link, objects);
}

VqsOutsideBagHold::VqsOutsideBagHold(PxLink& link, int kind) : m_link(link), m_nKind(kind) {}

VqsOutsideBagHold::~VqsOutsideBagHold()
{
    try {
        GiveBack();
    } catch (...) {
        // What cannot be given back now goes with the session.
    }
}

PxLockErrorInfo VqsOutsideBagHold::Lock(PxTypedList<PxVQObjectPtr>& objects)
{
    const PxLockErrorInfo result = VqsLockBag::LockOutsideBag(m_link, objects, m_nKind);
    if (result.Succeeded())
        for (POSITION pos = objects.GetHeadPosition(); pos;)
            m_held.AddTail(objects.GetNext(pos));
    return result;
}

void VqsOutsideBagHold::GiveBack()
{
    if (m_held.IsEmpty())
        return;
    PxTypedList<PxVQObjectPtr> held;
    for (POSITION pos = m_held.GetHeadPosition(); pos;)
        held.AddTail(m_held.GetNext(pos));
    m_held.RemoveAll();
    VqsLockBag::GiveBackOutsideBag(m_link, held, m_nKind);
}

int VqsLockBag::TakeStrongest(std::vector<int>& kinds)
{
    if (kinds.empty())
        return VqsNoLock;
    const auto strongest = std::max_element(kinds.begin(), kinds.end());
    const int kind = *strongest;
    kinds.erase(strongest);
    return kind;
}

void VqsLockBag::Drop(VqsModelNode* node)
{
    const PxVQObjectPtr object = node ? node->GetObject() : PxVQObjectPtr();
    if (!ContainsObject(object))
        return;
    Forget(object);
    if (m_nKind != VqsNoLock)
        GiveBackHolds(object, m_heldKinds);
}

int VqsLockBag::LockNode(VqsModelNode* node)
{
    const PxVQObjectPtr object = node ? node->GetObject() : PxVQObjectPtr();
    if (!object || ContainsObject(object))
        return 1;
    try {
        if (m_nKind == VqsNoLock) {
            if (!m_bAskPresence || object->ObjectPresent())
                Record(object);
            return 1;
        }
        PxLockErrorInfo result;
        try {
            const VqsLockScope period(PeriodLink());
            result = LockObject(*object, m_nKind);
        } catch (const PxException& error) {
            // Only an object that is gone counts as done; ReportDeleted then tells the user.
            if (error.IsObjectDeleted() && !object->ObjectPresent())
                return 1;
            throw;
        }
        if (!result.Succeeded()) {
            VqsDescribeLockTarget(result);
            return 0;
        }
        PxTypedList<PxVQObjectPtr> locked;
        locked.AddTail(object);
        Granted granted(*this, locked);
        granted.KeepPresent({object->ObjectPresent() != FALSE});
        return 1;
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_LOCK_OBJECT, error);
        return 0;
    }
}

int VqsLockBag::LockNodes(CObList& nodes)
{
    for (POSITION pos = nodes.GetHeadPosition(); pos;) {
        if (!LockNode(static_cast<VqsModelNode*>(nodes.GetNext(pos))))
            return 0;
    }
    return 1;
}

int VqsLockBag::LockAndRefreshNodes(CObList& nodes)
{
    for (POSITION pos = nodes.GetHeadPosition(); pos;) {
        auto* node = static_cast<VqsModelNode*>(nodes.GetNext(pos));
        if (!LockNode(node))
            return 0;
        node->Refresh();
    }
    return 1;
}

// The holds on deleted objects are given back together, so that a bag whose objects were
// deleted costs the same few lock calls however many they were.
void VqsLockBag::PurgeDeleted(const std::vector<int>& kinds)
{
    std::vector<PxObjectPtr> held;
    for (POSITION pos = m_objects.GetStartPosition(); pos;) {
        std::uint64_t key = 0;
        PxVQObjectPtr object;
        m_objects.GetNextAssoc(pos, key, object);
        held.push_back(object);
    }
    const std::vector<bool> present = PxObject::ArePresent(held);
    PxTypedList<PxVQObjectPtr> gone;
    for (std::size_t index = 0; index < held.size(); ++index)
        if (!present[index])
            gone.AddTail(held[index]);
    for (POSITION pos = gone.GetHeadPosition(); pos;)
        Forget(gone.GetNext(pos));
    GiveBackHolds(gone, kinds);
}

int VqsLockBag::LockObjects(int kind) { return LockObjectsOnce(kind, true); }

int VqsLockBag::TryLockObjects(int kind) { return LockObjectsOnce(kind, false); }

// Which objects are still there is read once the lock is granted: an object another user
// deleted just before the grant is forgotten then, with every hold of it, as one deleted
// earlier is.
int VqsLockBag::LockObjectsOnce(int kind, bool wait)
{
    m_bRefusalTold = false;
    try {
        if (m_objects.IsEmpty()) {
            AddHold(kind);
            return 1;
        }
        if (kind == VqsNoLock) {
            PurgeDeleted(m_heldKinds);
            return 1;
        }
        PxTypedList<PxVQObjectPtr> objects;
        CollectStoredObjects(objects);
        if (!objects.IsEmpty()) {
            const PxLockErrorInfo result = wait ? LockStored(objects, kind) : TryLockStored(objects, kind);
            if (!result.Succeeded()) {
                if (!wait && IsHeldByOther(result))
                    return -1;
                m_bRefusalTold = VqsDescribeLockTarget(result);
                return 0;
            }
        }
        AddHold(kind);
        try {
            PurgeDeleted(m_heldKinds);
        } catch (const VqReportableException&) {
            Release();
            throw;
        }
        return 1;
    } catch (const VqReportableException& error) {
        m_bRefusalTold = true;
        ShowErrorById(IDS_CANNOT_LOCK_OBJECT, error);
        return 0;
    }
}

void VqsLockBag::Release()
{
    // The hold is given up before the repository is asked anything: when the repository
    // cannot be reached, the bag still ends empty and its destructor ends.
    const std::vector<int> kinds = m_heldKinds;
    if (!kinds.empty())
        DropHold();
    else if (!m_setAside.empty())
        m_setAside.erase(std::min_element(m_setAside.begin(), m_setAside.end()));
    try {
        PurgeDeleted(kinds);
    } catch (const VqReportableException&) {
        // Whether an object is still there cannot be told: it is unlocked with the others.
    }
    if (kinds.empty())
        return;
    PxTypedList<PxVQObjectPtr> objects;
    CollectObjects(objects);
    GiveBackHolds(objects, {*std::min_element(kinds.begin(), kinds.end())});
}

void VqsLockBag::CollectObjects(PxTypedList<PxVQObjectPtr>& objects) const
{
    for (POSITION pos = m_objects.GetStartPosition(); pos;) {
        std::uint64_t key = 0;
        PxVQObjectPtr object;
        m_objects.GetNextAssoc(pos, key, object);
        objects.AddTail(object);
    }
}

void VqsLockBag::UnlockAll()
{
    const std::vector<int> kinds = m_heldKinds;
    GiveBackAll();
    m_objects.RemoveAll();
    for (int kind : kinds)
        AddHold(kind);
}

int VqsLockBag::TakeOverHeld(VqsModelNode* node, VqsLockBag& other)
{
    const PxVQObjectPtr object = node->GetObject();
    other.Forget(object);
    std::vector<int> given = other.m_heldKinds;
    const int staying = TakeStrongest(given);
    GiveBackHolds(object, given);
    if (m_nKind == other.m_nKind) {
        Record(object);
        return 1;
    }
    GiveBackHolds(object, {staying});
    return LockNode(node);
}

int VqsLockBag::TakeOverNodes(CObList& nodes, VqsLockBag& other)
{
    try {
        PxTypedList<PxVQObjectPtr> held;
        std::vector<PxObjectPtr> unheld;
        // An object that several nodes lead to is locked once, as the bag holds it once.
        std::unordered_set<std::uint64_t> seen;
        for (POSITION pos = nodes.GetHeadPosition(); pos;) {
            auto* node = static_cast<VqsModelNode*>(nodes.GetNext(pos));
            const PxVQObjectPtr object = node ? node->GetObject() : PxVQObjectPtr();
            if (!object || ContainsObject(object) || !seen.insert(KeyOf(object)).second)
                continue;
            if (other.ContainsObject(object))
                held.AddTail(object);
            else
                unheld.push_back(object);
        }
        // The read goes first: what the other bag holds stays with it when the read fails.
        PxTypedList<PxVQObjectPtr> wanted;
        AddPresent(unheld, wanted);
        for (POSITION pos = held.GetHeadPosition(); pos;)
            other.Forget(held.GetNext(pos));
        std::vector<int> given = other.m_heldKinds;
        const int staying = TakeStrongest(given);
        GiveBackHolds(held, given);
        if (m_nKind == other.m_nKind) {
            for (POSITION pos = held.GetHeadPosition(); pos;)
                Record(held.GetNext(pos));
        } else {
            GiveBackHolds(held, {staying});
            for (POSITION pos = held.GetHeadPosition(); pos;)
                wanted.AddTail(held.GetNext(pos));
        }
        return LockTogether(wanted);
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_LOCK_OBJECT, error);
        return 0;
    }
}

int VqsLockBag::LockNodesTogether(CObList& nodes)
{
    // Taken over from a bag that holds none of them, every node is locked in the one call.
    VqsLockBag none(m_nKind);
    return TakeOverNodes(nodes, none);
}

int VqsLockBag::LockNodesJustRead(CObList& nodes, const PresenceRead& readPresence)
{
    try {
        PxTypedList<PxVQObjectPtr> wanted;
        std::unordered_set<std::uint64_t> seen;
        for (POSITION pos = nodes.GetHeadPosition(); pos;) {
            auto* node = static_cast<VqsModelNode*>(nodes.GetNext(pos));
            const PxVQObjectPtr object = node ? node->GetObject() : PxVQObjectPtr();
            if (object && !ContainsObject(object) && seen.insert(KeyOf(object)).second)
                wanted.AddTail(object);
        }
        return LockTogether(wanted, readPresence);
    } catch (const PxException& error) {
        // An object its own aborted transaction made cannot be locked; asked first, it is left out.
        if (error.IsObjectDeleted())
            return LockNodesTogether(nodes);
        ShowErrorById(IDS_CANNOT_LOCK_OBJECT, error);
        return 0;
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_LOCK_OBJECT, error);
        return 0;
    }
}

void VqsLockBag::AddPresent(const std::vector<PxObjectPtr>& objects, PxTypedList<PxVQObjectPtr>& present)
{
    const std::vector<bool> answers = PxObject::ArePresent(objects);
    for (std::size_t index = 0; index < objects.size(); ++index)
        if (answers[index])
            present.AddTail(PxVQObjectPtr(objects[index]));
}

// One lock call of the bag's kind for all the objects; those gone meanwhile are given back.
int VqsLockBag::LockTogether(PxTypedList<PxVQObjectPtr>& objects, const PresenceRead& readPresence)
{
    if (objects.IsEmpty())
        return 1;
    if (m_nKind != VqsNoLock) {
        const VqsLockScope period(PeriodLink());
        const PxLockErrorInfo result = LockList(*ListLink(objects.GetHead()), objects, m_nKind);
        if (!result.Succeeded()) {
            VqsDescribeLockTarget(result);
            return 0;
        }
    }
    Granted granted(*this, objects);
    std::vector<PxObjectPtr> locked;
    for (POSITION pos = objects.GetHeadPosition(); pos;)
        locked.push_back(objects.GetNext(pos));
    granted.KeepPresent(readPresence(locked));
    return 1;
}

int VqsLockBag::TakeOverNode(VqsModelNode* node, VqsLockBag& other)
{
    if (!node)
        return 1;
    if (!other.Contains(node))
        return LockNode(node);
    return TakeOverHeld(node, other);
}

int VqsLockBag::LockNodesFrom(CObList& nodes, VqsLockBag& other)
{
    if (other.m_objects.IsEmpty())
        return LockNodes(nodes);
    if (other.GetHoldCount() == 0) {
        other.m_objects.RemoveAll();
        return LockNodes(nodes);
    }
    if (m_nKind == VqsNoLock) {
        other.ReleaseAll();
        return LockNodes(nodes);
    }
    const bool same = m_nKind == other.m_nKind;
    CObList unheldOutside, unheldInside, heldOutside, heldInside;
    for (POSITION pos = nodes.GetHeadPosition(); pos;) {
        auto* node = static_cast<VqsModelNode*>(nodes.GetNext(pos));
        VqsModelNode* parent = node->GetParent();
        if ((same && other.Contains(node)) || !parent)
            continue;
        const bool held = other.Contains(parent);
        const bool inside = nodes.Find(parent) != nullptr;
        CObList& group = held ? (inside ? heldInside : heldOutside) : (inside ? unheldInside : unheldOutside);
        if (!group.Find(parent))
            group.AddTail(parent);
    }
    if (!LockNodes(unheldInside))
        return 0;
    {
        VqsLockBag parents(VqsReadLock);
        if (!parents.LockNodes(unheldOutside))
            return 0;
        for (POSITION pos = nodes.GetHeadPosition(); pos;) {
            CObject* node = nodes.GetNext(pos);
            if (unheldOutside.Find(node) || unheldInside.Find(node) || heldOutside.Find(node) || heldInside.Find(node))
                continue;
            if (!TakeOverNode(static_cast<VqsModelNode*>(node), other))
                return 0;
        }
        for (POSITION pos = heldInside.GetTailPosition(); pos;) {
            if (!TakeOverHeld(static_cast<VqsModelNode*>(heldInside.GetPrev(pos)), other))
                return 0;
        }
    }
    other.ReleaseAll();
    return 1;
}

VqsLockBag& VqsLockBag::operator=(VqsLockBag& other)
{
    if (&other == this)
        return *this;
    m_heldKinds = other.m_heldKinds;
    m_setAside = other.m_setAside;
    for (POSITION pos = other.m_objects.GetStartPosition(); pos;) {
        std::uint64_t key = 0;
        PxVQObjectPtr object;
        other.m_objects.GetNextAssoc(pos, key, object);
        m_objects.SetAt(key, object);
    }
    other.m_objects.RemoveAll();
    return *this;
}

int VqsLockBag::ReportDeleted(UINT messageId, VqsModelNode* node)
{
    if (Contains(node))
        return 0;
    TellDeleted(messageId, node ? node->GetObject() : PxVQObjectPtr());
    if (node)
        node->NotifyViews();
    return 1;
}

void VqsLockBag::TellDeleted(UINT messageId, const PxVQObjectPtr& object)
{
    VqsTellItemDeleted(messageId, object ? object->GetObjectKind() : PxKindNone);
}
