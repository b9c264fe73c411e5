// The host's transactions: announced by a prepare, which locks the business-segment links
// concerned in a model of its own, ended by closed or failed; renames and creations of
// design elements come in between and follow them in the configurations.
#include "shell/VqsSysApp.h"

#include "model/VqsLockManager.h"
#include "model/VqsLockScope.h"
#include "model/VqsModelNodeGroups.h"
#include "model/VqsModelNodeLink.h"
#include "model/VqsModelNodeSystem.h"
#include "model/VqsNodeRef.h"
#include "model/VqsSyncDlgs.h"
#include "model/VqsTransactionBundle.h"
#include "model/VqsTransactionConfig.h"
#include "model/VqsTransactionWrite.h"
#include "proxy/PxLSEIspec.h"
#include "proxy/PxOptions.h"
#include "proxy/PxVQElementSoftLink.h"
#include "proxy/PxVQIspecSoftLink.h"
#include "proxy/PxVQLink.h"
#include "proxy/VqException.h"
#include "shell/VqsExceptionData.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsPreparedTransaction.h"
#include "shell/VqsSegmentLinkChoice.h"
#include "win/LibraryLoader.h"

#include <algorithm>
#include <set>
#include <unordered_map>
#include <utility>
#include <vector>

namespace {

using ElementNodes = std::vector<VqsModelNodeElementLink*>;

constexpr UINT IDS_CANNOT_RENAME = 61490;
constexpr UINT IDS_CANNOT_BEGIN = 61526;
constexpr UINT IDS_CANNOT_COMMIT = 61527;
constexpr UINT IDS_INTERNAL_ERROR = 61498;
constexpr UINT IDS_CANNOT_ACCESS_SYSTEM_SPECS = 61643;
constexpr UINT IDS_WRONG_PARAMETERS = 61658;
constexpr UINT IDS_NOT_INITIALISED = 61659;
constexpr UINT IDS_UNKNOWN_OBJECT_TYPE = 61660;
constexpr UINT IDS_CANNOT_CREATE_ELEMENT = 61964;

constexpr int kHintEnterpriseRenamed = 8;
constexpr int kHintIspecBundleData = 16;
constexpr int kUsageNone = 0;
constexpr int kUsageOutput = 3;
// Global-logic numbers are 16 bits wide.
constexpr int kLastGlobalLogicId = 65535;

// A prepare's turns that give back all they locked when another user changed a choice.
constexpr int kPrepareTurnsGivingBack = 2;

constexpr int kNoKeyword = -1;
constexpr int kKeywordWithoutLinks = 0;

bool IsGiven(LPCTSTR text) { return AfxIsValidString(text) && *text; }

CString LowerCase(LPCTSTR text)
{
    CString lower(text);
    lower.MakeLower();
    return lower;
}

// The soft-link type of a renamed design element; "lsekeyword" has no links.
int RenamedLinkType(const CString& keyword)
{
    if (keyword == "lsecomponent" || keyword == "lseevent")
        return VQSoftLinkIspec;
    if (keyword == "lsereport")
        return VQSoftLinkReport;
    if (keyword == "lseprofile")
        return VQSoftLinkProfile;
    if (keyword == "lsegloballogic")
        return VQSoftLinkGlobalLogic;
    return keyword == "lsekeyword" ? kKeywordWithoutLinks : kNoKeyword;
}

// The soft-link type of a created design element; 0 for elements without links.
int CreatedLinkType(const CString& keyword)
{
    if (keyword == "lseovi")
        return VQSoftLinkIspec;
    const int type = RenamedLinkType(keyword);
    return type == kNoKeyword ? kKeywordWithoutLinks : type;
}

int UsageOfLetter(char letter)
{
    switch (letter) {
    case 'Q':
        return 1;
    case 'I':
        return 2;
    case 'O':
        return 3;
    case 'B':
        return 4;
    default:
        return 0;
    }
}

int UsageOfKeyword(LPCTSTR keyword)
{
    static const char* const kUsages[] = {"WYR_ISPEC_USAGE_INQUIRY", "WYR_ISPEC_USAGE_INPUT",
                                          "WYR_ISPEC_USAGE_OUTPUT", "WYR_ISPEC_USAGE_BOTH"};
    const CString given(AfxIsValidString(keyword) ? keyword : "");
    for (int usage = 1; usage <= 4; ++usage) {
        if (given.CompareNoCase(kUsages[usage - 1]) == 0)
            return usage;
    }
    return 0;
}

// Ispecs without a usage and output-only Ispecs stay out of bundles.
bool IsBundleUsage(int usage) { return usage != kUsageNone && usage != kUsageOutput; }

void ClearUnusedMark(VqsModelNodeLink* node)
{
    if (node->HasUnusedMark())
        node->SetSoftLinkValue(0);
}

void RenameSoftLink(const PxVQSoftLinkPtr& link, LPCTSTR newName)
{
    VqsWriteInTransaction([&](VqsTransaction& transaction) {
        if (transaction.IsUsable())
            link->SetName(newName);
        return 0;
    });
}

void AppendSyncPair(const PxVQBSSoftLinkPtr& bsLink, const PxLSEElementPtr& element,
                    const PxVQElementSoftLinkPtr& link)
{
    VqsWriteInTransaction([&](VqsTransaction& transaction) {
        if (!transaction.IsUsable())
            return 0;
        VqsDesignLinkPairList pairs(10);
        bsLink->GetSyncPairList(pairs);
        pairs.AddTail(VqcSyncPair{element, link});
        bsLink->SetSyncPairList(pairs);
        return 0;
    });
}

// The smallest number from 1 up that no link holds; 0 when every one is held.
WORD FirstFreeGlobalLogicId(const std::set<int>& used)
{
    for (int id = 1; id <= kLastGlobalLogicId; ++id) {
        if (!used.count(id))
            return static_cast<WORD>(id);
    }
    return 0;
}

// The automatic profiles placed under an element link are named after it: "$" and its name.
// Profiles the design names keep their names.
void RenameAutomaticProfiles(VqsModelNodeElementLink* node, LPCTSTR newName)
{
    CObList profiles;
    node->GetProfileNodes(profiles);
    const CString automaticName = CString("$") + newName;
    for (POSITION pos = profiles.GetHeadPosition(); pos;) {
        auto* profile = static_cast<VqsModelNodeElementLink*>(profiles.GetNext(pos));
        const PxVQElementSoftLinkPtr link = profile->GetElementSoftLink();
        if (!link || link->GetName().Left(1) != "$")
            continue;
        RenameSoftLink(link, automaticName);
        profile->NotifyChanged();
    }
}

// The element links of the segment link that still exist and carry the name (exact).
ElementNodes LinksNamed(VqsModelNodeBSLink* segmentNode, const CString& name)
{
    segmentNode->LoadElementLinks(VqsLoadCached);
    CObList nodes;
    segmentNode->GetElementLinkNodes(nodes);
    ElementNodes named;
    for (POSITION pos = nodes.GetHeadPosition(); pos;) {
        auto* node = static_cast<VqsModelNodeElementLink*>(nodes.GetNext(pos));
        const PxVQElementSoftLinkPtr link = node->GetElementSoftLink();
        if (link && link->ObjectPresent() && link->GetName() == name)
            named.push_back(node);
    }
    return named;
}

// The link of the element's own kind and name a creation takes: the one in use, else the
// newest; links set aside for it (kept, unused, beside a new one) are passed over.
VqsModelNodeElementLink* OwnKindLinkNamed(VqsModelNodeBSLink* segmentNode, const CString& name, int linkType,
                                          const ElementNodes& setAside, bool& inUse)
{
    ElementNodes named;
    for (VqsModelNodeElementLink* node : LinksNamed(segmentNode, name)) {
        if (node->GetElementSoftLink()->GetElementType() == linkType &&
            std::find(setAside.begin(), setAside.end(), node) == setAside.end())
            named.push_back(node);
    }
    return VqsModelNodeLink::ChooseInUseOrNewest(named, inUse);
}

// What becomes of element links that stand in the way of a renamed or created element:
// those holding nothing of the user's go; what the user changed goes as the synchronisation
// mode says (deleted in Full Auto, asked in Interactive, kept with the unused mark in
// Default Auto). False when the user cancelled the question.
bool DecideOverLinksInTheWay(VqsModelNodeBSLink* segmentNode, const ElementNodes& inTheWay, int syncMode,
                             ElementNodes& doomed, ElementNodes& kept)
{
    ElementNodes changed;
    for (VqsModelNodeElementLink* node : inTheWay)
        (node->HasExplicitBundleMembership() ? changed : doomed).push_back(node);
    if (syncMode == VqsSyncFullAuto) {
        doomed.insert(doomed.end(), changed.begin(), changed.end());
        return true;
    }
    if (syncMode != VqsSyncInteractive || changed.empty()) {
        kept = changed;
        return true;
    }
    ElementNodes chosen;
    if (!VqsAskElementLinksToDelete(segmentNode, changed, chosen))
        return false;
    for (VqsModelNodeElementLink* node : changed)
        (std::find(chosen.begin(), chosen.end(), node) != chosen.end() ? doomed : kept).push_back(node);
    return true;
}

} // namespace

void VqsSysApp::ReleasePreparedState()
{
    if (m_pPrepared)
        m_pPrepared->Release();
}

void VqsSysApp::BeginHostTransaction()
{
    if (!m_pLink || m_pLink->IsInTransaction())
        return;
    m_pLink->BeginTransaction();
    m_bOwnsHostTransaction = TRUE;
}

bool VqsSysApp::EndHostTransaction(bool commit)
{
    const auto giveBack = [this] {
        m_hostTransactionHolds.GiveBack();
        if (m_pPrepared)
            m_pPrepared->writeBag.UnlockAll();
    };
    bool ended = commit;
    try {
        if (m_bOwnsHostTransaction) {
            m_bOwnsHostTransaction = FALSE;
            ended = m_pLink && VqsTransaction::EndRepositoryTransaction(*m_pLink, commit);
        }
    } catch (...) {
        giveBack();
        throw;
    }
    giveBack();
    return ended;
}

// Its writes are rolled back before another user can take what it held.
void VqsSysApp::FailHostTransaction(LPCTSTR reason) noexcept
{
    if (m_bHostTransactionFailed)
        return;
    m_bHostTransactionFailed = TRUE;
    try {
        m_strHostTransactionFailure = m_pLink ? m_pLink->GetTransactionFailure() : CString();
        if (m_strHostTransactionFailure.IsEmpty() && reason)
            m_strHostTransactionFailure = reason;
        EndHostTransaction(false);
        if (m_pPrepared)
            m_pPrepared->readBag.UnlockAll();
    } catch (const VqException& error) {
        // The session's end gives back what could not be given back here.
        LogError(0, CString("A failed host transaction could not give back its locks: ") + error.GetErrorMessage());
    } catch (...) {
        LogError(0, "A failed host transaction could not give back its locks.");
    }
}

bool VqsSysApp::CheckHostTransactionFailed() noexcept
{
    if (!m_bHostTransactionFailed && m_pLink && m_pLink->HasTransactionFailed())
        FailHostTransaction();
    return HasHostTransactionFailed();
}

void VqsSysApp::ForgetHostTransaction()
{
    m_bHostTransactionFailed = FALSE;
    m_strHostTransactionFailure.Empty();
    m_bNothingPrepared = FALSE;
    m_hostStep.reset();
    m_userStep.reset();
}

BOOL VqsSysApp::BeginHostStep()
{
    if (CheckHostTransactionFailed() || m_bNothingPrepared)
        return FALSE;
    m_hostStep = StartStep();
    return TRUE;
}

BOOL VqsSysApp::EndHostStep(BOOL done)
{
    const std::optional<StepStart> start = std::exchange(m_hostStep, std::nullopt);
    if (CheckHostTransactionFailed() || !start)
        return FALSE;
    return EndStep(*start, done && !start->failed);
}

void VqsSysApp::AbandonHostStep() noexcept
{
    try {
        EndHostStep(FALSE);
    } catch (...) {
        // The host's transaction has failed with it; the step's box tells of the first failure.
    }
}

VqsSysApp::StepStart VqsSysApp::StartStep()
{
    StepStart start;
    start.notices = m_notifications.GetCount();
    if (!m_pLink || !m_pLink->IsInTransaction())
        return start;
    try {
        m_pLink->SetSavepoint();
    } catch (const VqException& error) {
        FailHostTransaction(error.GetErrorMessage());
        throw;
    }
    start.savepoint = true;
    return start;
}

BOOL VqsSysApp::EndStep(const StepStart& start, bool keep)
{
    try {
        if (keep) {
            if (start.savepoint)
                m_pLink->ReleaseSavepoint();
            return TRUE;
        }
        if (start.savepoint)
            m_pLink->RollbackToSavepoint();
    } catch (const VqException& error) {
        FailHostTransaction(error.GetErrorMessage());
        throw;
    }
    RereadPreparedLinks();
    // The views never hear of what was undone.
    while (m_notifications.GetCount() > start.notices)
        m_notifications.RemoveTail();
    return FALSE;
}

void VqsSysApp::RereadPreparedLinks()
{
    if (!m_pPrepared)
        return;
    VqsTransaction::RereadAfterFailure([this] {
        for (POSITION pos = m_pPrepared->links.GetHeadPosition(); pos;) {
            VqsModelNodeBSLink* link = m_pPrepared->links.GetNext(pos);
            link->LoadElementLinks(VqsLoadDropVanished);
            link->ReloadBundleEntries(PxVQBundlePtr());
        }
    });
}

void VqsSysApp::ReleasePreparedLocks()
{
    if (!m_pPrepared)
        return;
    m_pPrepared->readBag.UnlockAll();
    m_pPrepared->writeBag.UnlockAll();
}

bool VqsSysApp::JoinHostTransaction()
{
    if (m_hostStep)
        return !CheckHostTransactionFailed();
    if (CheckHostTransactionFailed()) {
        ShowUserStepRefused();
        return false;
    }
    try {
        m_userStep = StartStep();
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_BEGIN, error);
        return false;
    }
    return true;
}

bool VqsSysApp::LeaveHostTransaction(bool ok) noexcept
{
    if (!m_userStep) {
        if (!ok && m_hostStep)
            m_hostStep->failed = true;
        return ok && !CheckHostTransactionFailed();
    }
    const StepStart start = *std::exchange(m_userStep, std::nullopt);
    if (CheckHostTransactionFailed())
        return false;
    try {
        return EndStep(start, ok);
    } catch (const VqException& error) {
        try {
            if (ok)
                ShowErrorById(IDS_CANNOT_COMMIT, error);
            else
                LogError(0, CString("A step that failed could not be undone: ") + error.GetErrorMessage());
        } catch (...) {
        }
    } catch (...) {
        FailHostTransaction();
    }
    return false;
}

// The user's step would join the host's transaction, which the store failed: the box names
// that failure, once an action.
void VqsSysApp::ShowUserStepRefused()
{
    if (m_strHostTransactionFailure.IsEmpty())
        VqsErrorBoxId(IDS_CANNOT_BEGIN);
    else
        ShowErrorById(IDS_CANNOT_BEGIN, VqsExceptionData("%1", __FILE__, __LINE__, m_strHostTransactionFailure));
}

bool VqsSysApp::IsHostTransactionOpen() const
{
    return m_bOwnsHostTransaction && m_pLink && m_pLink->IsInTransaction();
}

VqsHostTransactionHolds* VqsSysApp::OpenHostTransactionHolds()
{
    return IsHostTransactionOpen() ? &m_hostTransactionHolds : nullptr;
}

bool VqsSysApp::HostTransactionHoldsLocks() const
{
    if (!IsHostTransactionOpen())
        return false;
    return !m_hostTransactionHolds.IsEmpty() ||
           (m_pPrepared && (m_pPrepared->readBag.GetCount() > 0 || m_pPrepared->writeBag.GetCount() > 0));
}

BOOL VqsSysApp::PrepareForTransaction(LPCTSTR businessSegment, int kind)
{
    if (!m_pPrepared)
        m_pPrepared = std::make_unique<VqsPreparedTransaction>();
    // A prepare while the host's transaction is pending goes on in it, its steps and their
    // notices kept; one that the store failed takes no new one until the host ends it.
    const bool pending = m_bTransactionPending != FALSE;
    if (pending && CheckHostTransactionFailed())
        return FALSE;
    if (!pending)
        ForgetHostTransaction();
    ReleasePreparedState();
    m_bNothingPrepared = !PrepareAndBegin(businessSegment, kind);
    if (m_bNothingPrepared) {
        // A prepare writes nothing: refused, it lets go of what it locked, and the steps that
        // follow answer 0, having nothing to work on.
        ReleasePreparedState();
        CheckHostTransactionFailed();
        return FALSE;
    }
    if (!pending)
        BeginTransaction();
    return TRUE;
}

BOOL VqsSysApp::PrepareAndBegin(LPCTSTR businessSegment, int kind)
{
    try {
        // The subsystem numbers a prepare inside the host's transaction gives go to the store
        // together, however many records it numbers.
        VqsEditionStepsTogether numbering(m_pLink);
        const bool prepared = !IsGiven(businessSegment) || PrepareLinks(businessSegment, kind);
        numbering.Take();
        if (!prepared)
            return FALSE;
        BeginHostTransaction();
        return TRUE;
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_ACCESS_SYSTEM_SPECS, error);
        return FALSE;
    }
}

BOOL VqsSysApp::PrepareLinks(LPCTSTR businessSegment, int kind)
{
    VqsPreparedTransaction& prepared = *m_pPrepared;
    prepared.model = std::make_unique<VqsModel>();
    VqsLockScope scope(m_pLink);
    VqsModelNodeEnterprise* root = prepared.model->LockEnterpriseNode(prepared.readBag, m_pEnterprise);
    if (!root)
        return FALSE;
    root->LoadSystems(VqsLoadCached);
    root->LoadCurConfigsOfSystems(VqsLoadCached);
    CObList systems;
    root->GetSystemNodes(systems);
    std::vector<VqsModelNodeConfig*> configs;
    for (POSITION pos = systems.GetHeadPosition(); pos;) {
        CObList ofSystem;
        static_cast<VqsModelNodeSystem*>(systems.GetNext(pos))->GetConfigNodes(ofSystem);
        for (POSITION at = ofSystem.GetHeadPosition(); at;)
            configs.push_back(static_cast<VqsModelNodeConfig*>(ofSystem.GetNext(at)));
    }
    VqsLockBag local(VqsReadLock);
    return PrepareConfigLinks(configs, local, businessSegment, kind);
}

// The configurations' links of the segment are chosen under read locks of their subtrees.
// Those reads give way before the configurations and the links are locked for the
// transaction: kept while waiting, they would keep another user's synchronisation waiting
// for its write on a link while it holds a configuration this prepare waits for. Under the
// new locks each choice is looked at again by the editions it was made from, without locking
// the subtrees again. When another user changed a choice meanwhile, the first turns give back
// all they locked before that configuration is chosen again under read locks of its subtree:
// a turn that kept its locks and waited for configurations below them in the lock order
// would close a circle with another user's synchronisation holding those and waiting for the
// kept ones. Users synchronising back to back would change the choices between every turn's
// choice and its locks, without end: from the last of those turns on, the prepare keeps the
// locks it took, which keep the choices from changing, and chooses again under them, reading
// again without a lock what it holds; only a choice that needs more than they give sends all
// back to be taken again in the order.
BOOL VqsSysApp::PrepareConfigLinks(const std::vector<VqsModelNodeConfig*>& configs, VqsLockBag& local,
                                   const CString& businessSegment, int kind)
{
    std::vector<VqsSegmentLinkChoice> pending;
    if (!VqsChooseSegmentLinks(configs, local, businessSegment, pending))
        return FALSE;
    VqsSegmentLinkLocks locks(kind);
    const auto withoutLink = [](const VqsSegmentLinkChoice& choice) { return !choice.link; };
    for (int turn = 1; std::erase_if(pending, withoutLink), !pending.empty(); ++turn) {
        local.UnlockAll();
        if (!locks.Lock(pending))
            return FALSE;
        // A configuration another user deleted meanwhile has nothing left to prepare.
        std::erase_if(pending, [&](const VqsSegmentLinkChoice& choice) { return !locks.Holds(choice); });
        const std::vector<VqsModelNodeConfig*> changed = VqsChangedSegmentLinkChoices(pending);
        if (changed.empty()) {
            if (!locks.HandOver(pending, m_pPrepared->readBag, m_pPrepared->writeBag))
                return FALSE;
            PrepareLinksInOrder(configs, pending, kind);
            return TRUE;
        }
        if (turn <= kPrepareTurnsGivingBack)
            locks.GiveBack();
        std::vector<VqsSegmentLinkChoice> chosen;
        if (!VqsChooseSegmentLinks(changed, local, businessSegment, chosen,
                                   [&](VqsModelNode* node) { return locks.HoldsNode(node); }))
            return FALSE;
        locks.Replace(pending, chosen);
    }
    return TRUE;
}

// The links taken join the prepared ones in the configurations' order.
void VqsSysApp::PrepareLinksInOrder(const std::vector<VqsModelNodeConfig*>& configs,
                                    const std::vector<VqsSegmentLinkChoice>& taken, int kind)
{
    std::unordered_map<const VqsModelNodeConfig*, VqsModelNodeBSLink*> linkOf;
    for (const VqsSegmentLinkChoice& choice : taken)
        linkOf.emplace(choice.config, choice.link);
    for (const VqsModelNodeConfig* config : configs) {
        const auto found = linkOf.find(config);
        if (found != linkOf.end())
            PrepareLink(found->second, kind);
    }
}

// The link joins the prepared ones; a creating transaction (`kind` not 0) has its bundles,
// report groups and element links loaded.
void VqsSysApp::PrepareLink(VqsModelNodeBSLink* chosen, int kind)
{
    m_pPrepared->links.AddTail(chosen);
    if (kind == 0)
        return;
    chosen->LoadBundles(VqsLoadCached);
    CObList bundles;
    chosen->GetBundleNodes(bundles);
    for (POSITION pos = bundles.GetHeadPosition(); pos;)
        static_cast<VqsModelNodeBundle*>(bundles.GetNext(pos))->LoadIspecBundleData(VqsLoadCached);
    chosen->LoadReportGroups(VqsLoadCached);
    CObList groups;
    chosen->GetReportGroupNodes(groups);
    for (POSITION pos = groups.GetHeadPosition(); pos;)
        static_cast<VqsModelNodeRepGroup*>(groups.GetNext(pos))->LoadRepAliases(VqsLoadCached);
    chosen->LoadElementLinks(VqsLoadCached);
}

BOOL VqsSysApp::Rename(LPCTSTR kindKeyword, LPCTSTR newName, LPCTSTR oldName, LPCTSTR businessSegment)
{
    if (!AfxIsValidString(kindKeyword) || !AfxIsValidString(newName)) {
        VqsErrorBoxId(IDS_WRONG_PARAMETERS);
        return FALSE;
    }
    if (!m_pEnterprise) {
        VqsErrorBoxId(IDS_NOT_INITIALISED);
        return FALSE;
    }
    if (CheckHostTransactionFailed() || m_bNothingPrepared)
        return FALSE;
    const CString keyword = LowerCase(kindKeyword);
    if (keyword == "lseenterprise") {
        BroadcastObjectChange(kHintEnterpriseRenamed, nullptr, nullptr, nullptr);
        return TRUE;
    }
    const bool segment = keyword == "lsebusinesssegment";
    const int linkType = segment ? kKeywordWithoutLinks : RenamedLinkType(keyword);
    if (linkType == kNoKeyword) {
        VqsErrorBoxId(IDS_UNKNOWN_OBJECT_TYPE);
        return FALSE;
    }
    if (!segment && linkType == kKeywordWithoutLinks)
        return TRUE;
    if (!segment && (!AfxIsValidString(oldName) || !AfxIsValidString(businessSegment))) {
        VqsErrorBoxId(IDS_WRONG_PARAMETERS);
        return FALSE;
    }
    try {
        if (!BeginHostStep())
            return FALSE;
        if (!segment)
            return EndHostStep(RenameElement(linkType, newName, oldName));
        for (POSITION pos = m_pPrepared ? m_pPrepared->links.GetHeadPosition() : nullptr; pos;) {
            VqsModelNodeBSLink* link = m_pPrepared->links.GetNext(pos);
            ClearUnusedMark(link);
            RenameSoftLink(link->GetSoftLink(), newName);
            link->NotifyChanged();
        }
        return EndHostStep(TRUE);
    } catch (const VqReportableException& error) {
        AbandonHostStep();
        CString context;
        context.FormatMessage(IDS_CANNOT_RENAME, AfxIsValidString(oldName) ? oldName : "");
        VqsReportError(context, error);
        return FALSE;
    }
}

BOOL VqsSysApp::RenameElement(int linkType, LPCTSTR newName, LPCTSTR oldName)
{
    for (POSITION pos = m_pPrepared ? m_pPrepared->links.GetHeadPosition() : nullptr; pos;) {
        VqsModelNodeBSLink* segmentNode = m_pPrepared->links.GetNext(pos);
        ClearUnusedMark(segmentNode);
        bool atOnce = false;
        VqsModelNodeElementLink* chosen = segmentNode->FindElementLinkNamed(oldName, linkType, atOnce);
        if (!chosen)
            continue;
        if (!ClearNameForRename(segmentNode, chosen, newName, oldName))
            return FALSE;
        const PxVQElementSoftLinkPtr link = chosen->GetElementSoftLink();
        RenameSoftLink(link, newName);
        if (atOnce)
            chosen->NotifyChanged();
        else
            chosen->SetSoftLinkValue(0);
        RenameAutomaticProfiles(chosen, newName);
        if (const PxVQIspecSoftLinkPtr ispec{link}) {
            PxTypedList<PxVQIspecBundleDataPtr> entries;
            ispec->GetListOfIspecBundleData(entries);
            for (POSITION at = entries.GetHeadPosition(); at;) {
                const PxVQObjectPtr entry = entries.GetNext(at);
                const PxVQObjectPtr bundle = PxVQIspecBundleDataPtr(entry)->GetBundleInformation();
                BroadcastObjectChange(kHintIspecBundleData, nullptr, &entry, &bundle);
            }
        }
    }
    return TRUE;
}

BOOL VqsSysApp::Create(LPCTSTR kindKeyword, LPCTSTR elementName, LPCTSTR businessSegment)
{
    if (!IsGiven(kindKeyword) || !IsGiven(elementName) || !IsGiven(businessSegment)) {
        VqsErrorBoxId(IDS_INTERNAL_ERROR);
        return FALSE;
    }
    if (!m_pEnterprise) {
        VqsErrorBoxId(IDS_NOT_INITIALISED);
        return FALSE;
    }
    if (CheckHostTransactionFailed() || m_bNothingPrepared)
        return FALSE;
    const int linkType = CreatedLinkType(LowerCase(kindKeyword));
    if (linkType == kKeywordWithoutLinks)
        return TRUE;
    try {
        if (!BeginHostStep())
            return FALSE;
        return EndHostStep(CreateElement(linkType, elementName, businessSegment));
    } catch (const VqReportableException& error) {
        // Both prepared bags let go of their locks, before the box; a failed transaction's
        // have gone with it.
        AbandonHostStep();
        if (!HasHostTransactionFailed())
            ReleasePreparedLocks();
        if (VqsLockManager* manager = VqsLockManager::GetInstance())
            manager->HideProgress(m_pLink);
        ShowErrorById(IDS_CANNOT_CREATE_ELEMENT, error);
        return FALSE;
    }
}

BOOL VqsSysApp::CreateElement(int linkType, LPCTSTR elementName, LPCTSTR businessSegment)
{
    const PxLSEBusinessSegmentPtr segment = m_pLSEEnterprise->GetBusinessSegment(businessSegment);
    const PxLSEElementPtr element = segment ? segment->GetElement(elementName) : PxLSEElementPtr();
    if (!element)
        throw VqsExceptionData(elementName, "VQSys", __LINE__);
    for (POSITION pos = m_pPrepared ? m_pPrepared->links.GetHeadPosition() : nullptr; pos;) {
        VqsModelNodeBSLink* segmentNode = m_pPrepared->links.GetNext(pos);
        if (segmentNode->GetBSSoftLink()->GetName() == businessSegment &&
            !CreateInLink(segmentNode, linkType, element))
            return FALSE;
    }
    return TRUE;
}

// A created design element takes its own link when it has one (an Ispec link brought in
// line with the design's usage first), else a new one. Links of that name and another kind
// stood for the element before its kind changed: unless the element has its link in use
// already, they go, or stay marked unused, as for a rename.
BOOL VqsSysApp::CreateInLink(VqsModelNodeBSLink* segmentNode, int linkType, const PxLSEElementPtr& element)
{
    VqsPreparedTransaction& prepared = *m_pPrepared;
    ClearUnusedMark(segmentNode);
    segmentNode->LoadElementLinks(VqsLoadCached);
    CObList nodes;
    segmentNode->GetElementLinkNodes(nodes);
    // Every number a link holds is taken, whichever links the walk reaches.
    std::set<int> usedIds;
    for (POSITION pos = nodes.GetHeadPosition(); pos;)
        static_cast<VqsModelNodeElementLink*>(nodes.GetNext(pos))->CollectGLGUniqueID(usedIds);
    const CString name = element->GetName();
    bool inUse = false;
    VqsModelNodeElementLink* existing = nullptr;
    ElementNodes setAside;
    for (;;) {
        existing = OwnKindLinkNamed(segmentNode, name, linkType, setAside, inUse);
        const int kept = existing ? KeepIspecLinkInLine(segmentNode, existing, element, setAside) : 1;
        if (kept == 0)
            return FALSE;
        if (kept > 0)
            break;
    }
    if (!(existing && inUse) && !ClearNameForCreate(segmentNode, linkType, name))
        return FALSE;
    if (existing) {
        ClearUnusedMark(existing);
        return TRUE;
    }
    WORD globalLogicId = linkType == VQSoftLinkGlobalLogic ? FirstFreeGlobalLogicId(usedIds) : 0;
    CStringList primaryProfiles(10);
    CollectBusinessSegmentIspecs(PxLSEBusinessSegmentPtr(m_pLSEEnterprise->GetBusinessSegment(
                                     segmentNode->GetBSSoftLink()->GetName())),
                                 primaryProfiles);
    VqsStoredElement stored;
    if (!prepared.model->StoreElementLinkData(segmentNode, element, primaryProfiles, globalLogicId, stored))
        return FALSE;
    const PxVQElementSoftLinkPtr link = stored.elementNode->GetElementSoftLink();
    AppendSyncPair(segmentNode->GetBSSoftLink(), element, link);
    const PxVQIspecSoftLinkPtr ispec(link);
    if (ispec && IsBundleUsage(ispec->GetIspecUsage()) &&
        !AddIspecToAllIspecBundles(prepared.writeBag, segmentNode, ispec, ispec->GetIspecUsage()))
        return FALSE;
    return TRUE;
}

// The renamed element keeps its own link, renamed: its options are the ones the user set
// for this element, and taking over another link would give it options set for another.
// A link of the same kind that has the new name already stood for an element that left
// the design: without anything of the user's it is deleted; what the user changed there
// goes as the synchronisation mode says (deleted in Full Auto, asked in Interactive, kept
// with the unused mark in Default Auto, beside the renamed one, until the user lets it go).
// A link of another kind stands for another element and is left to the synchronisation.
// FALSE when a lock or a deletion was refused, or the user cancelled the question.
BOOL VqsSysApp::ClearNameForRename(VqsModelNodeBSLink* segmentNode, VqsModelNodeElementLink* renamed,
                                   LPCTSTR newName, LPCTSTR oldName)
{
    const int linkType = renamed->GetElementSoftLink()->GetElementType();
    ElementNodes inTheWay;
    for (VqsModelNodeElementLink* node : LinksNamed(segmentNode, newName)) {
        if (node != renamed && node->GetElementSoftLink()->GetElementType() == linkType)
            inTheWay.push_back(node);
    }
    ElementNodes doomed;
    ElementNodes kept;
    if (!DecideOverLinksInTheWay(segmentNode, inTheWay, GetSynchronizeMode(), doomed, kept) ||
        !LockLinksInTheWay(doomed, kept))
        return FALSE;
    CString line;
    line.Format("Renaming %s to %s deletes the element link %s that had that name already.", oldName, newName,
                newName);
    for (VqsModelNodeElementLink* node : doomed) {
        LogInfo(0, line);
        if (!node->DeleteSoftLink())
            return FALSE;
    }
    line.Format("Renaming %s to %s keeps the element link %s that had that name already, marked unused.", oldName,
                newName, newName);
    return KeepMarkedUnused(kept, line);
}

// The links to delete are write-locked along their paths, those to keep on their own.
// FALSE when a lock was refused.
BOOL VqsSysApp::LockLinksInTheWay(const ElementNodes& doomed, const ElementNodes& kept)
{
    VqsLockScope scope(m_pLink);
    for (VqsModelNodeElementLink* node : doomed) {
        if (!node->LockPath(m_pPrepared->writeBag, node->GetObject()))
            return FALSE;
    }
    for (VqsModelNodeElementLink* node : kept) {
        if (!m_pPrepared->writeBag.LockNode(node))
            return FALSE;
    }
    return TRUE;
}

// Links the user chose to keep, or that the mode keeps, stay where they were with the unused
// mark, each named in an INFO line. FALSE when the mark was refused.
BOOL VqsSysApp::KeepMarkedUnused(const ElementNodes& kept, const CString& line)
{
    for (VqsModelNodeElementLink* node : kept) {
        LogInfo(0, line);
        if (!node->HasUnusedMark() && !node->SetSoftLinkValue(1))
            return FALSE;
    }
    return TRUE;
}

// For kind 1 the existing link follows the design Ispec's usage: an output link the design
// now reads joins the bundles of all Ispecs; a link the design makes output only gives way
// to a new one, removed or, holding the user's changes, as the synchronisation mode says
// (then set aside, kept unused). 1 the link stays, -1 it gave way, 0 a lock or a write was
// refused or the user cancelled the question.
int VqsSysApp::KeepIspecLinkInLine(VqsModelNodeBSLink* segmentNode, VqsModelNodeElementLink* node,
                                   const PxLSEElementPtr& element, ElementNodes& setAside)
{
    const PxVQIspecSoftLinkPtr ispec{node->GetElementSoftLink()};
    if (!ispec)
        return 1;
    const char letter = PxLSEIspecPtr(element)->GetUsage().Letter();
    const bool output = ispec->GetIspecUsage() == kUsageOutput;
    if (output && letter != 'O') {
        VqsLockScope scope(m_pLink);
        return m_pPrepared->writeBag.LockNode(node) &&
               AddIspecToAllIspecBundles(m_pPrepared->writeBag, segmentNode, ispec, UsageOfLetter(letter));
    }
    if (!output && letter == 'O')
        return ClearLinksForCreate(segmentNode, {node}, element->GetName(), "", setAside) ? -1 : 0;
    return 1;
}

// The links of the created element's name and another kind give way to it. FALSE when a
// lock was refused or the user cancelled the question.
BOOL VqsSysApp::ClearNameForCreate(VqsModelNodeBSLink* segmentNode, int linkType, const CString& name)
{
    ElementNodes inTheWay;
    for (VqsModelNodeElementLink* node : LinksNamed(segmentNode, name)) {
        if (node->GetElementSoftLink()->GetElementType() != linkType)
            inTheWay.push_back(node);
    }
    ElementNodes kept;
    return ClearLinksForCreate(segmentNode, inTheWay, name, " of another kind", kept);
}

// Links in the way of a created element: those holding nothing of the user's are removed,
// the user's changes go as the synchronisation mode says; those kept stay marked unused and
// are added to `kept`. `kind` tells them apart in the INFO lines. FALSE when a lock was
// refused or the user cancelled the question.
BOOL VqsSysApp::ClearLinksForCreate(VqsModelNodeBSLink* segmentNode, const ElementNodes& inTheWay,
                                    const CString& name, LPCTSTR kind, ElementNodes& kept)
{
    ElementNodes doomed;
    ElementNodes keeping;
    if (!DecideOverLinksInTheWay(segmentNode, inTheWay, GetSynchronizeMode(), doomed, keeping) ||
        !LockLinksInTheWay({}, keeping))
        return FALSE;
    CString line;
    line.Format("Creating %s keeps the element link%s that had that name, marked unused.", name.GetString(), kind);
    // Kept first: a removed link may take others along (an Ispec's profiles).
    if (!KeepMarkedUnused(keeping, line))
        return FALSE;
    kept.insert(kept.end(), keeping.begin(), keeping.end());
    line.Format("Creating %s deletes the element link%s that had that name.", name.GetString(), kind);
    const std::vector<VqsNodeRef<VqsModelNodeElementLink>> held(doomed.begin(), doomed.end());
    for (const VqsNodeRef<VqsModelNodeElementLink>& ref : held) {
        if (VqsModelNodeElementLink* node = ref.Get()) {
            LogInfo(0, line);
            if (!RemoveLinkForCreate(node))
                return FALSE;
        }
    }
    return TRUE;
}

// Deletes an element link that no longer stands for the created element, with what goes
// with it. FALSE when a lock was refused.
BOOL VqsSysApp::RemoveLinkForCreate(VqsModelNodeElementLink* node)
{
    const PxVQElementSoftLinkPtr link = node->GetElementSoftLink();
    const CString name = link->GetName();
    const VqsNodeRef<VqsModelNodeElementLink> held(node);
    {
        VqsLockScope scope(m_pLink);
        if (!RemoveElementLinkForCreate(m_pPrepared->writeBag, node))
            return FALSE;
    }
    // An unused link goes with its last entry in a bundle of all Ispecs.
    if (held.IsGone())
        return TRUE;
    if (!node->Delete() && link->ObjectPresent())
        throw VqsExceptionData(name, "VQSys", __LINE__);
    return TRUE;
}

int VqsSysApp::AddIspecToAllIspecBundles(VqsLockBag& writeBag, VqsModelNodeBSLink* linkNode,
                                         const PxVQIspecSoftLinkPtr& ispecLink, int usage)
{
    linkNode->LoadBundles(VqsLoadCached);
    CObList bundles;
    linkNode->GetBundleNodes(bundles);
    for (POSITION pos = bundles.GetHeadPosition(); pos;) {
        auto* bundleNode = static_cast<VqsModelNodeBundle*>(bundles.GetNext(pos));
        const PxVQBundlePtr bundle = bundleNode->GetBundle();
        if (!bundle || !bundle->GetContainsAllIspecs())
            continue;
        {
            VqsLockScope scope(m_pLink);
            if (!writeBag.LockNode(bundleNode))
                return 0;
        }
        PxVQIspecBundleDataPtr entry;
        {
            VqsTransactionBundle transaction(bundle, linkNode->GetBSSoftLink());
            try {
                if (transaction.IsUsable()) {
                    ispecLink->SetIspecUsage(usage);
                    entry = transaction.AddIspecToBundle(ispecLink);
                }
            } catch (const VqReportableException&) {
                transaction.SetFailed();
                throw;
            }
        }
        if (!VqsTransaction::IsOk())
            return 0;
        if (entry)
            bundleNode->FindOrCreateIspecBundleDataNode(entry, true);
    }
    return 1;
}

int VqsSysApp::RemoveElementLinkForCreate(VqsLockBag& writeBag, VqsModelNodeElementLink* linkNode)
{
    if (!writeBag.LockNode(linkNode))
        return 0;
    const PxVQIspecSoftLinkPtr ispec(linkNode->GetElementSoftLink());
    if (!ispec)
        return 1;
    VqsModel* model = linkNode->GetModel();
    PxTypedList<PxOptionsPtr> records;
    ispec->GetAllOptions(records);
    for (POSITION pos = records.GetHeadPosition(); pos;) {
        VqsModelNode* option = model->LookupNode(records.GetNext(pos));
        if (option && !writeBag.LockNode(option))
            return 0;
    }
    PxTypedList<PxVQIspecBundleDataPtr> entries;
    ispec->GetListOfIspecBundleData(entries);
    for (POSITION pos = entries.GetHeadPosition(); pos;) {
        const PxVQIspecBundleDataPtr entry = entries.GetNext(pos);
        VqsModelNode* bundleNode = model->FindBundleNode(entry->GetBundleInformation());
        VqsModelNode* entryNode = model->FindIspecBundleDataNode(entry);
        if ((bundleNode && !writeBag.LockNode(bundleNode)) || (entryNode && !writeBag.LockNode(entryNode)))
            return 0;
        if (entryNode && !entryNode->Delete())
            return 0;
    }
    return 1;
}

// The usage is one design value: every configuration's link of the Ispec takes it, and its
// bundles follow it.
BOOL VqsSysApp::IspecTypeChange(LPCTSTR businessSegment, LPCTSTR ispecName, LPCTSTR usage)
{
    if (!PrepareForTransaction(businessSegment, 0))
        return FALSE;
    if (!AfxIsValidString(ispecName))
        return TRUE;
    const int newUsage = UsageOfKeyword(usage);
    try {
        if (!BeginHostStep())
            return FALSE;
        for (POSITION pos = m_pPrepared->links.GetHeadPosition(); pos;) {
            VqsModelNodeBSLink* segmentNode = m_pPrepared->links.GetNext(pos);
            if (segmentNode->GetBSSoftLink()->GetName() != businessSegment)
                continue;
            const VqsModelNodeElementLink* node = segmentNode->FindElementLinkNamed(ispecName, VQSoftLinkIspec);
            if (node && !ChangeIspecUsage(segmentNode, PxVQIspecSoftLinkPtr(node->GetElementSoftLink()), newUsage))
                return EndHostStep(FALSE);
        }
    } catch (const VqReportableException&) {
        // Shown as it leaves the export.
        AbandonHostStep();
        throw;
    }
    return EndHostStep(TRUE);
}

// An Ispec that becomes output only leaves every bundle; one that stops being output only
// joins the bundles that hold all Ispecs.
BOOL VqsSysApp::ChangeIspecUsage(VqsModelNodeBSLink* segmentNode, const PxVQIspecSoftLinkPtr& ispec, int usage)
{
    const int before = ispec->GetIspecUsage();
    ispec->SetIspecUsage(usage);
    if (usage == kUsageOutput && before != kUsageOutput)
        return RemoveIspecFromBundles(segmentNode, ispec);
    if (before == kUsageOutput && IsBundleUsage(usage))
        return AddIspecToAllIspecBundles(m_pPrepared->writeBag, segmentNode, ispec, usage);
    return TRUE;
}

BOOL VqsSysApp::RemoveIspecFromBundles(VqsModelNodeBSLink* segmentNode, const PxVQIspecSoftLinkPtr& ispec)
{
    segmentNode->LoadBundles(VqsLoadCached);
    PxTypedList<PxVQIspecBundleDataPtr> entries;
    ispec->GetListOfIspecBundleData(entries);
    for (POSITION pos = entries.GetHeadPosition(); pos;) {
        const PxVQBundlePtr bundle = entries.GetNext(pos)->GetBundleInformation();
        VqsModelNodeBundle* bundleNode = segmentNode->FindOrCreateBundleNode(bundle, false);
        {
            VqsLockScope scope(m_pLink);
            if (!m_pPrepared->writeBag.LockNode(bundleNode))
                return FALSE;
        }
        {
            VqsTransactionBundle transaction(bundle, segmentNode->GetBSSoftLink());
            transaction.RemoveIspecFromBundle(ispec);
        }
        if (!VqsTransaction::IsOk())
            return FALSE;
        bundleNode->LoadIspecBundleData(VqsLoadDropVanished);
        bundleNode->NotifyChanged();
    }
    return TRUE;
}

void VqsSysApp::TransactionClosed() { EndPreparedTransaction(true); }

void VqsSysApp::TransactionFailed() { EndPreparedTransaction(false); }

void VqsSysApp::EndPreparedTransaction(bool closed)
{
    // The host's transaction does not stand once the store failed it: that failure has had
    // its box, the commit would only refuse it again.
    bool ok = closed && !CheckHostTransactionFailed();
    ForgetHostTransaction();
    try {
        ok = EndHostTransaction(ok);
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_COMMIT, error);
        ok = false;
    }
    FinishTransaction(ok);
}
