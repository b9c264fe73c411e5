// What soft-link nodes do for a generation: locking the design business segment (also
// for a restart), the design-side input of bundle and report generations, and keeping an
// Ispec's bundle membership in step with its usage.
#include "model/VqsModelNodeLink.h"

#include "model/VqsBSLock.h"
#include "model/VqsModelNodeGroups.h"
#include "model/VqsModelNodeSystem.h"
#include "model/VqsTransactionBundle.h"
#include "model/VqsTransactionConfig.h"
#include "proxy/PxLSEEnterprise.h"
#include "proxy/PxLSEIspec.h"
#include "proxy/PxLSEParts.h"
#include "proxy/PxLSEReport.h"
#include "proxy/PxProcess.h"
#include "proxy/PxVQIspecSoftLink.h"
#include "proxy/PxVQLink.h"
#include "proxy/PxVQRecoveryInfo.h"
#include "proxy/PxVQReportSoftLink.h"
#include "proxy/VqException.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsSysApp.h"

namespace {

const UINT IDS_CANNOT_PROCEED_WITH_GENERATION = 61520;
const UINT IDS_RESTART_LOCKED_BY_OTHER = 61895;
const UINT IDS_RESTART_NOT_LOCKED = 61876;
const UINT IDS_NO_RECOVERY_INFO = 61682;

// Recovery states from this one on, and bundle generations, lock the segment again.
const int kStateLockedAgain = 8;
const int kGenerationFlagLocked = 2;

CString UserPart(const CString& userCode)
{
    const int slash = userCode.Find('/');
    return slash < 0 ? userCode : userCode.Left(slash);
}

CString SessionUserCode()
{
    VqsSysApp* app = VqsGetApp();
    PxVQLink* link = app ? app->GetLink() : nullptr;
    PxProcess* process = link ? link->GetProcess() : nullptr;
    return process ? process->GetUserCode() : CString();
}

bool IsBundleIspecUsage(const PxLSEIspecPtr& ispec)
{
    const PxLSEIspecUsage usage = ispec->GetUsage();
    return usage == 'B' || usage == 'I';
}

} // namespace

int VqsModelNodeBSLink::LockForGeneration(int restart, VqsBSLock& bsLock, const PxLSEBusinessSegmentPtr& segment,
                                          const PxHandle& recoveryKey)
{
    if (restart != 1)
        return bsLock.Lock(segment->GetName()) ? 1 : 0;
    try {
        const PxLSEEnterprisePtr design = VqsGetApp()->GetLSEEnterprise();
        const PxLSELockedObjectPtr locked = design->GetLockedObject(segment);
        if (locked && locked->GetExclusiveLock()) {
            // User codes name one user whatever their letter case.
            if (UserPart(locked->GetUsercode()).CompareNoCase(UserPart(SessionUserCode())) == 0)
                return 1;
            VqsErrorBoxId(IDS_RESTART_LOCKED_BY_OTHER);
            return 0;
        }
        const PxVQRecoveryInfoPtr recovery =
            GetConfigNode()->GetSystemNode()->GetSystem()->GetRecoveryInfo(recoveryKey);
        // Deleted meanwhile (another user's Delete): the restart has nothing to go on with.
        if (!recovery || !recovery->ObjectPresent()) {
            VqsMessageBoxId(IDS_NO_RECOVERY_INFO);
            return 0;
        }
        if ((recovery->GetCurrentState() >= kStateLockedAgain ||
                         recovery->getGenerateType() == PxVQRecoveryInfo::kBundleGenerate))
            return bsLock.LockForGeneration(segment->GetName());
        if (recovery->GetGenerationFlag() == kGenerationFlagLocked)
            return 1;
        VqsErrorBoxId(IDS_RESTART_NOT_LOCKED);
        return 0;
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_PROCEED_WITH_GENERATION, error);
        return 0;
    }
}

PxLSEBusinessSegmentPtr VqsModelNodeBSLink::LockDesignSegment(int restart, VqsBSLock& bsLock,
                                                              const PxHandle& recoveryKey)
{
    const PxLSEBusinessSegmentPtr segment =
        VqsGetApp()->GetLSEEnterprise()->GetBusinessSegment(GetBSSoftLink()->GetName());
    if (!segment || !LockForGeneration(restart, bsLock, segment, recoveryKey))
        return PxLSEBusinessSegmentPtr();
    return segment;
}

int VqsModelNodeBSLink::FillBundleIspecs(int restart, VqsBSLock& bsLock, const PxHandle& recoveryKey,
                                         PxLSEBusinessSegmentPtr& segmentOut, VqsDesignLinkPairList& pairs)
{
    CWaitCursor wait;
    try {
        segmentOut = LockDesignSegment(restart, bsLock, recoveryKey);
        if (!segmentOut)
            return 0;
        for (POSITION pos = pairs.GetHeadPosition(); pos;) {
            const POSITION at = pos;
            const VqcSyncPair& pair = pairs.GetNext(pos);
            const PxLSEIspecPtr ispec(pair.element);
            const bool stays = ispec && ispec->ObjectPresent() && IsBundleIspecUsage(ispec) && pair.link &&
                               ispec->GetName() == pair.link->GetName();
            if (!stays)
                pairs.RemoveAt(at);
        }
        return 1;
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_PROCEED_WITH_GENERATION, error);
        return 0;
    }
}

int VqsModelNodeBSLink::FillReports(int restart, VqsBSLock& bsLock, const PxHandle& recoveryKey,
                                    PxLSEBusinessSegmentPtr& segmentOut, VqsDesignLinkPairList& pairs)
{
    CWaitCursor wait;
    try {
        segmentOut = LockDesignSegment(restart, bsLock, recoveryKey);
        if (!segmentOut)
            return 0;
        PxTypedList<PxVQElementSoftLinkPtr> links;
        GetBSSoftLink()->GetListOfElementSoftLinks(links);
        for (POSITION pos = links.GetHeadPosition(); pos;) {
            const PxVQReportSoftLinkPtr report(links.GetNext(pos));
            if (!report || !report->ObjectPresent())
                continue;
            const PxLSEReportPtr design(segmentOut->GetElement(report->GetName()));
            if (design)
                pairs.AddTail(VqcSyncPair{design, report});
        }
        return 1;
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_PROCEED_WITH_GENERATION, error);
        return 0;
    }
}

// The usage and the bundle moves it asks for are stored together: a usage stored alone
// looks up to date to the next synchronisation, which would never move the Ispec.
int VqsModelNodeElementLink::AddIspecsToBundles(const PxLSEElementPtr& design, const CStringList& primaryProfiles)
{
    const PxVQIspecSoftLinkPtr ispec(GetElementSoftLink());
    const int usageBefore = ispec ? ispec->GetIspecUsage() : WYR_ISPEC_USAGE_NONE;
    {
        VqsTransactionConfig transaction(GetConfigNode()->GetConfig());
        transaction.SetElementLinkData(design, GetElementSoftLink(), primaryProfiles);
        if (transaction.IsUsable() && ispec && !FollowUsageInBundles(ispec, usageBefore))
            transaction.SetFailed();
    }
    NotifyChanged();
    if (VqsTransaction::IsOk())
        return 1;
    VqsModelNodeBSLink* owner = GetBSLinkNode();
    VqsTransaction::RereadAfterFailure([owner] { owner->ReloadBundleEntries(PxVQBundlePtr()); });
    return 0;
}

int VqsModelNodeElementLink::FollowUsageInBundles(const PxVQIspecSoftLinkPtr& ispec, int usageBefore)
{
    const int usage = ispec->GetIspecUsage();
    if (usage == WYR_ISPEC_USAGE_OUTPUT && usageBefore != WYR_ISPEC_USAGE_OUTPUT)
        return TakeIspecOutOfBundles();
    if (usage != WYR_ISPEC_USAGE_OUTPUT && usageBefore == WYR_ISPEC_USAGE_OUTPUT)
        return PutIspecIntoBundles();
    return 1;
}

int VqsModelNodeElementLink::AddIspecToBundles()
{
    const PxVQIspecSoftLinkPtr ispec(GetElementSoftLink());
    if (!ispec || ispec->GetIspecUsage() == WYR_ISPEC_USAGE_OUTPUT)
        return 1;
    return PutIspecIntoBundles();
}

int VqsModelNodeElementLink::TakeIspecOutOfBundles()
{
    const PxVQIspecSoftLinkPtr ispec(GetElementSoftLink());
    PxTypedList<PxVQIspecBundleDataPtr> entries;
    ispec->GetListOfIspecBundleData(entries);
    for (POSITION pos = entries.GetHeadPosition(); pos;) {
        const PxVQBundlePtr bundle = entries.GetNext(pos)->GetBundleInformation();
        {
            VqsTransactionBundle transaction(bundle, GetBSLinkNode()->GetBSSoftLink());
            transaction.RemoveIspecFromBundle(ispec);
        }
        if (!VqsTransaction::IsOk())
            return 0;
        GetBSLinkNode()->ReloadBundleEntries(bundle);
    }
    return 1;
}

int VqsModelNodeElementLink::PutIspecIntoBundles()
{
    const PxVQIspecSoftLinkPtr ispec(GetElementSoftLink());
    const PxVQBSSoftLinkPtr bsLink = GetBSLinkNode()->GetBSSoftLink();
    PxTypedList<PxVQBundlePtr> bundles;
    bsLink->GetListOfBundles(bundles);
    for (POSITION pos = bundles.GetHeadPosition(); pos;) {
        const PxVQBundlePtr bundle = bundles.GetNext(pos);
        if (!bundle->GetContainsAllIspecs())
            continue;
        PxVQIspecBundleDataPtr entry;
        {
            VqsTransactionBundle transaction(bundle, bsLink);
            entry = transaction.AddIspecToBundle(ispec);
        }
        if (!VqsTransaction::IsOk())
            return 0;
        if (entry)
            GetBSLinkNode()->ReloadBundleEntries(bundle);
    }
    return 1;
}

void VqsModelNodeBSLink::ReloadBundleEntries(const PxVQBundlePtr& bundle)
{
    CObList bundles;
    GetBundleNodes(bundles);
    for (POSITION pos = bundles.GetHeadPosition(); pos;) {
        auto* node = static_cast<VqsModelNodeBundle*>(bundles.GetNext(pos));
        if (!bundle || node->GetObject()->IsSameOid(bundle)) {
            node->LoadIspecBundleData(VqsLoadDropVanished);
            node->NotifyChanged();
        }
    }
}
