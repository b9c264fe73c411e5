// The model's creations under the enterprise (systems, hosts and packs, and the packs that
// options name), and the nodes that tree items ask for.
#include "model/VqsModel.h"

#include "model/VqsCreationLocks.h"
#include "model/VqsLockBag.h"
#include "model/VqsLockOrder.h"
#include "model/VqsLockScope.h"
#include "model/VqsModelNodeGroups.h"
#include "model/VqsModelNodeHost.h"
#include "model/VqsModelNodeLink.h"
#include "model/VqsModelNodeSystem.h"
#include "model/VqsTransaction.h"
#include "model/VqsTransactionEnterprise.h"
#include "proxy/VqException.h"
#include "shell/VqsExceptionData.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsSysApp.h"

#include <cstring>
#include <vector>

namespace {

const UINT IDS_PATH_PACK = 61533;
const UINT IDS_TABLESPACE_PACK = 61534;
const UINT IDS_CANNOT_ACCESS_HOSTS = 61549;
const UINT IDS_PACK_DOES_NOT_MATCH = 61553;
const int kPackConflictLine = 8880;

PxVQLink* SessionLink()
{
    VqsSysApp* app = VqsGetApp();
    return app ? app->GetLink() : nullptr;
}

// Write-locks the root and the children of one list whose objects are still present.
bool LockRootAnd(VqsLockBag& bag, VqsModelNodeEnterprise& root, CObList& children)
{
    CObList nodes;
    nodes.AddTail(&root);
    for (POSITION pos = children.GetHeadPosition(); pos;) {
        auto* child = static_cast<VqsModelNode*>(children.GetNext(pos));
        if (child->GetObject()->ObjectPresent())
            nodes.AddTail(child);
    }
    VqsLockScope scope(SessionLink());
    return bag.LockNodes(nodes) != 0;
}

// The same for the children `read` reads afresh; 0 (the reason shown) when the repository fails.
template <class Read>
int LockRootAndRead(VqsLockBag& bag, VqsModelNodeEnterprise& root, Read read)
{
    try {
        CObList children;
        read(children);
        return LockRootAnd(bag, root, children) ? 1 : 0;
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_ACCESS_HOSTS, error);
        return 0;
    }
}

// The node of the parent object, when the model has one of that kind.
template <class Node>
Node* ParentNode(const VqsModel& model, const PxObjectPtr& parent)
{
    return dynamic_cast<Node*>(model.LookupNode(parent));
}

[[noreturn]] void ThrowPackConflict(const CString& name, int existingType)
{
    CString text;
    if (!text.LoadString(IDS_PACK_DOES_NOT_MATCH)) {
        text.Format("error (message %u not found)", IDS_PACK_DOES_NOT_MATCH);
        throw VqsExceptionData(text, "VqsModel", kPackConflictLine);
    }
    CString kind;
    kind.LoadString(existingType == VQPackPath ? IDS_PATH_PACK : IDS_TABLESPACE_PACK);
    throw VqsExceptionData(text, "VqsModel", kPackConflictLine, name, kind);
}

// Points the model at a creation's locks while its steps run.
class CreationRun {
public:
    CreationRun(VqsCreationLocks*& running, VqsCreationLocks& locks) : m_running(running), m_outer(running)
    {
        running = &locks;
    }
    ~CreationRun() { m_running = m_outer; }
    CreationRun(const CreationRun&) = delete;
    CreationRun& operator=(const CreationRun&) = delete;

private:
    VqsCreationLocks*& m_running;
    VqsCreationLocks* m_outer;
};

} // namespace

VqsModelNodeHost* VqsModel::GetHostNode(const PxVQHostInformationPtr& host)
{
    return m_root.FindOrCreateHostNode(host, false);
}

VqsModelNodeSystem* VqsModel::GetSystemNode(const PxVQSystemPtr& system)
{
    return m_root.FindOrCreateSystemNode(system, false);
}

VqsModelNodeCurConfig* VqsModel::GetCurConfigNode(const PxVQCurConfigPtr& config, const PxVQSystemPtr& system)
{
    auto* parent = ParentNode<VqsModelNodeSystem>(*this, system);
    return parent ? parent->FindOrCreateCurConfigNode(config, false) : nullptr;
}

VqsModelNodeOldConfig* VqsModel::GetOldConfigNode(const PxVQOldConfigPtr& config, const PxVQSystemPtr& system)
{
    auto* parent = ParentNode<VqsModelNodeSystem>(*this, system);
    return parent ? parent->FindOrCreateOldConfigNode(config, false) : nullptr;
}

VqsModelNodeBSLink* VqsModel::GetBSLinkNode(const PxVQBSSoftLinkPtr& link, const PxVQConfigPtr& config)
{
    auto* parent = ParentNode<VqsModelNodeConfig>(*this, config);
    return parent ? parent->AddBSLinkNode(link, false) : nullptr;
}

VqsModelNodeRepGroup* VqsModel::GetReportGroupNode(const PxVQReportGroupPtr& group, const PxVQBSSoftLinkPtr& link)
{
    auto* parent = ParentNode<VqsModelNodeBSLink>(*this, link);
    return parent ? parent->FindOrCreateReportGroupNode(group, false) : nullptr;
}

VqsModelNodeRepAlias* VqsModel::GetRepAliasNode(const PxVQReportSoftLinkAliasPtr& alias, const PxVQReportGroupPtr& group)
{
    auto* parent = ParentNode<VqsModelNodeRepGroup>(*this, group);
    return parent ? parent->FindOrCreateRepAliasNode(alias, false) : nullptr;
}

VqsModelNodeBundle* VqsModel::GetBundleNode(const PxVQBundlePtr& bundle, const PxVQBSSoftLinkPtr& link)
{
    auto* parent = ParentNode<VqsModelNodeBSLink>(*this, link);
    return parent ? parent->FindOrCreateBundleNode(bundle, false) : nullptr;
}

VqsModelNodeIspecBundleData* VqsModel::GetIspecBundleDataNode(const PxVQIspecBundleDataPtr& data,
                                                              const PxVQBundlePtr& bundle)
{
    auto* parent = ParentNode<VqsModelNodeBundle>(*this, bundle);
    return parent ? parent->FindOrCreateIspecBundleDataNode(data, false) : nullptr;
}

VqsLockBag& VqsModel::StepBag(VqsLockBag& own) { return m_pCreation ? m_pCreation->InsteadOf(own) : own; }

int VqsModel::CreateAllOrNothing(VqsModelNodeConfig* config, const VqsCreation& creation)
{
    VqsCreationLocks locks;
    {
        VqsLockScope scope(SessionLink());
        if (!LockForCreation(locks, creation))
            return 0;
    }
    std::function<void()> tellNameTaken;
    {
        const CreationRun run(m_pCreation, locks);
        VqsTransaction transaction;
        try {
            if (creation.findNameTaken)
                tellNameTaken = creation.findNameTaken();
            if (tellNameTaken || !creation.steps())
                transaction.SetFailed();
        } catch (...) {
            // Leaving the scope must abort, not commit, what the steps made.
            transaction.SetFailed();
            throw;
        }
    }
    // The user reads of a name now taken with no lock held, so that others go on meanwhile.
    locks.write.ReleaseAll();
    locks.read.ReleaseAll();
    if (VqsTransaction::IsOk())
        return 1;
    VqsTransaction::RereadAfterFailure([&] {
        DropUnstoredChildren(m_root);
        if (config)
            DropUnstoredChildren(*config);
    });
    if (tellNameTaken)
        tellNameTaken();
    return 0;
}

// Two Finishes on one repository must never wait for each other, whatever order they come
// in. So the locks the wizard's pages took give way first: a long read kept while waiting
// keeps the other Finish's write waiting, while that Finish keeps its own. Every object is
// then locked once, with the strongest kind a step asks for: a read raised to a write later
// waits for the other's read while holding its own. And every creation locks in one order,
// the enterprise first and written: that write lets one creation through at a time, so the
// names checked again under it stay free until the commit.
//
// A page of another user's dialog must not wait on a Finish in a circle either. Between its
// steps a page holds nothing of the enterprise, only objects below it; a step takes the
// enterprise first (BeginPageStep), and when it would have to wait for it, it sets its page
// locks aside first: a Finish that holds the enterprise's write may wait for one of them.
int VqsModel::LockForCreation(VqsCreationLocks& locks, const VqsCreation& creation)
{
    for (VqsLockBag* bag : creation.pageLocks) {
        if (bag)
            bag->ReleaseAll();
    }
    VqsCreationLocks plan(VqsNoLock, VqsNoLock);
    if (!plan.write.LockNode(&m_root) || !creation.lock(plan))
        return 0;
    // The steps' own calls find their objects held; what came since the plan is added.
    return LockPlanned(locks, plan) && creation.lock(locks) ? 1 : 0;
}

int VqsModel::BeginPageStep(VqsLockBag& anchor, const std::vector<VqsLockBag*>& pageLocks,
                            VqsModelNodeEnterprise* enterprise, int kind)
{
    VqsLockScope scope(SessionLink());
    if (!anchor.LockNode(enterprise))
        return 0;
    const int tried = anchor.TryLockObjects(kind);
    if (tried == 0)
        return 0;
    if (tried < 0) {
        for (VqsLockBag* bag : pageLocks) {
            if (bag && bag != &anchor)
                bag->SetAside();
        }
        if (!anchor.LockObjects(kind))
            return 0;
    }
    for (VqsLockBag* bag : pageLocks) {
        if (bag && !bag->TakeBackSetAside())
            return 0;
    }
    return 1;
}

void VqsModel::EndPageStep(VqsLockBag& anchor, const std::vector<VqsLockBag*>& pageLocks,
                           VqsModelNodeEnterprise* enterprise, bool keepEnterprise)
{
    anchor.ReleaseAll();
    if (keepEnterprise || !enterprise)
        return;
    for (VqsLockBag* bag : pageLocks) {
        if (bag && bag->GetCount() == 1 && bag->Contains(enterprise))
            bag->ReleaseAll();
    }
}

int VqsModel::LockPlanned(VqsCreationLocks& locks, VqsCreationLocks& plan)
{
    std::vector<VqsPlannedLock> planned;
    PxTypedList<PxVQObjectPtr> objects;
    plan.write.CollectObjects(objects);
    for (POSITION pos = objects.GetHeadPosition(); pos;)
        planned.push_back({LookupNode(objects.GetNext(pos)), &locks.write});
    objects.RemoveAll();
    plan.read.CollectObjects(objects);
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
        const PxVQObjectPtr& object = objects.GetNext(pos);
        if (!plan.write.ContainsObject(object))
            planned.push_back({LookupNode(object), &locks.read});
    }
    return VqsLockInOrder(planned, [&](VqsLockBag& bag, CObList& nodes) {
        return bag.TakeOverNodes(nodes, &bag == &locks.write ? plan.write : plan.read);
    });
}

void VqsModel::DropUnstoredChildren(VqsModelNode& parent)
{
    CObList children;
    parent.GetChildren(children);
    for (POSITION pos = children.GetHeadPosition(); pos;) {
        auto* child = static_cast<VqsModelNode*>(children.GetNext(pos));
        const PxVQObjectPtr object = child->GetObject();
        if (object && object->ObjectPresent())
            continue;
        parent.RemoveChild(child);
        delete child;
    }
}

PxVQSystemPtr VqsModel::CreateSystem(PxVQSystemPtr& out, LPCTSTR name, LPCTSTR shortName, LPCTSTR description,
                                     LPCTSTR runtimeVersionIdentifier, int resetReportCount, int resetVersionNumber)
{
    return InsertSystem(out, name, shortName, description, runtimeVersionIdentifier, resetReportCount,
                        resetVersionNumber);
}

PxVQSystemPtr VqsModel::InsertSystem(PxVQSystemPtr& out, LPCTSTR name, LPCTSTR shortName, LPCTSTR description,
                                     LPCTSTR runtimeVersionIdentifier, int resetReportCount, int resetVersionNumber)
{
    {
        VqsTransactionEnterprise transaction;
        out = transaction.CreateSystem(name, shortName, description, runtimeVersionIdentifier, resetReportCount,
                                       resetVersionNumber);
    }
    if (!VqsTransaction::IsOk())
        out = PxVQSystemPtr();
    if (out)
        m_root.FindOrCreateSystemNode(out, true);
    return out;
}

PxVQHostInformationPtr VqsModel::CreateHost(PxVQHostInformationPtr& out, LPCTSTR name, int hostType, LPCTSTR address,
                                            std::int64_t port, LPCTSTR ftpUserid, LPCTSTR ftpPassword)
{
    return AddHostInformation(out, name, hostType, address, port, ftpUserid ? ftpUserid : "",
                              ftpPassword ? ftpPassword : "");
}

PxVQHostInformationPtr VqsModel::AddHostInformation(PxVQHostInformationPtr& out, LPCTSTR name, int hostType,
                                                    LPCTSTR address, std::int64_t port, LPCTSTR ftpUserid,
                                                    LPCTSTR ftpPassword)
{
    out = PxVQHostInformationPtr();
    VqsLockBag bag(VqsWriteLock);
    if (!LockForHost(StepBag(bag)))
        return out;
    {
        VqsTransactionEnterprise transaction;
        out = transaction.CreateHostInformation(name, hostType, address, port, ftpUserid ? ftpUserid : "",
                                                ftpPassword ? ftpPassword : "");
    }
    if (!VqsTransaction::IsOk())
        out = PxVQHostInformationPtr();
    if (out)
        m_root.FindOrCreateHostNode(out, true);
    return out;
}

int VqsModel::LockForHost(VqsLockBag& writeBag)
{
    return LockRootAndRead(writeBag, m_root, [this](CObList& packs) {
        m_root.LoadPacks(VqsLoadReread);
        m_root.GetPackNodes(packs);
    });
}

PxVQPackInformationPtr VqsModel::AddPackInformation(PxVQPackInformationPtr& out, LPCTSTR name, int packType)
{
    out = PxVQPackInformationPtr();
    VqsLockBag bag(VqsWriteLock);
    if (!LockForPack(StepBag(bag)))
        return out;
    {
        VqsTransactionEnterprise transaction;
        out = transaction.CreatePackInformation(name, packType);
    }
    if (!VqsTransaction::IsOk())
        out = PxVQPackInformationPtr();
    if (out)
        m_root.FindOrCreatePackNode(out, true);
    return out;
}

int VqsModel::LockForPack(VqsLockBag& writeBag)
{
    return LockRootAndRead(writeBag, m_root, [this](CObList& hosts) {
        m_root.LoadHosts(VqsLoadReread);
        m_root.GetHostNodes(hosts);
    });
}

void VqsModel::ThrowModelError(const VqsPackSpecList& packSpecs)
{
    // Packs never read into this model would otherwise be created a second time.
    m_root.LoadPacks(VqsLoadCached);
    for (POSITION pos = packSpecs.GetHeadPosition(); pos;) {
        const VqsModelNode::PackSpec& spec = packSpecs.GetNext(pos);
        if (spec.name.IsEmpty())
            continue;
        VqsModelNodePack* pack = nullptr;
        CObList packs;
        m_root.GetPackNodes(packs);
        for (POSITION it = packs.GetHeadPosition(); it && !pack;) {
            auto* candidate = static_cast<VqsModelNodePack*>(packs.GetNext(it));
            if (std::strcmp(candidate->GetName().GetString(), spec.name.GetString()) == 0)
                pack = candidate;
        }
        if (!pack) {
            const PxVQPackInformationPtr created = m_root.GetEnterprise()->CreatePackInformation(spec.name);
            m_root.FindOrCreatePackNode(created, false)->SetPackType(static_cast<VQPackType>(spec.type));
        } else if (spec.type != 0 && pack->GetPackType() == VQPackNotDefined) {
            pack->SetPackType(static_cast<VQPackType>(spec.type));
        } else if (spec.type != 0 && pack->GetPackType() != spec.type) {
            ThrowPackConflict(spec.name, pack->GetPackType());
        }
    }
}
