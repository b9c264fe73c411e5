#include "generate/VqsGenerateStatus.h"

#include "generate/VqsGenerateStart.h"
#include "generate/VqsSelectSession.h"
#include "model/VqsBSLock.h"
#include "model/VqsLockBag.h"
#include "model/VqsLockScope.h"
#include "model/VqsModel.h"
#include "model/VqsSyncResult.h"
#include "proxy/PxLSEReport.h"
#include "proxy/PxObjectKind.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQOptionSet.h"
#include "proxy/PxVQRecoveryInfo.h"
#include "proxy/PxVQReportSoftLink.h"
#include "proxy/PxVQSystem.h"
#include "proxy/PxVQTypes.h"
#include "proxy/VqException.h"
#include "shell/StatusMessage.h"
#include "shell/VqsLockFailure.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsSysApp.h"
#include "sysview/VqsConfigTreeItem.h"
#include "sysview/VqsDirectoryView.h"
#include "sysview/VqsSysFrame.h"
#include "vqclient/GenerateInfo.h"
#include "vqclient/VqClient.h"
#include "win/CCmdTarget.h"

#include <map>
#include <string>

namespace {

constexpr UINT IDS_CANNOT_PROCEED_WITH_GENERATION = 61520;
constexpr UINT IDS_SYNCHRONISING = 61523;
constexpr UINT IDS_CANNOT_RESTART = 61681;
constexpr UINT IDS_NO_RECOVERY_INFO = 61682;
constexpr UINT IDS_NO_GENERATE_SET = 61683;
constexpr UINT IDS_NO_BUSINESS_SEGMENT = 61684;
constexpr UINT IDS_RESTARTING = 61685;
constexpr UINT IDS_OPTION_SET_NOT_LOCKED = 61875;
constexpr UINT IDS_HOLD_HANDED_OVER = 61915;
constexpr UINT IDS_REPORTS_LEFT_OUT = 61916;
constexpr UINT IDS_NO_REPORTS_LEFT = 61917;
constexpr UINT IDS_HANDED_OVER_AND_ENDED = 61978;
constexpr UINT IDS_FINISH_SYSTEM_INSTALL_FIRST = 62141;

constexpr int kTypeReports = 1;
constexpr int kTypeSystem = 2;
constexpr int kTypeSystemWithReports = 5;
constexpr int kTypeConstruct = 8;
constexpr int kTypeBundle = 9;
constexpr int kStateFinished = 8;
constexpr int kStateStaged = 10;
constexpr int kHostTypeQsr = 1;

// The system of the selected item or of its nearest system ancestor; null when there is
// none or it is gone.
PxVQSystemPtr SelectedSystem(VqsDirectoryView& view)
{
    for (VqsConfigTreeItem* item = view.GetSelectedConfigItem(); item;
         item = dynamic_cast<VqsConfigTreeItem*>(item->GetParent())) {
        int kind = 0;
        if (!item->GetObjectKind(kind) || kind != PxKindSystem)
            continue;
        const PxVQSystemPtr system(item->GetObject());
        return system && system->ObjectPresent() ? system : PxVQSystemPtr();
    }
    return PxVQSystemPtr();
}

int HostTypeOf(const PxVQOptionSetPtr& optionSet)
{
    const PxVQGenSetPtr genSet(optionSet);
    return genSet ? genSet->GetHostType() : -1;
}

HWND FrameWindowOf(VqsDirectoryView& view)
{
    VqsSysFrame* frame = view.GetSysFrame();
    return frame ? frame->GetSafeHwnd() : nullptr;
}

// Staged system installs of the same generate set (by name) and host type as the report
// install: the user is advised to finish each one first. False when the user stops.
bool ConfirmReportInstall(const PxVQSystemPtr& system, const PxVQRecoveryInfoPtr& session,
                          const PxVQOptionSetPtr& genSet)
{
    const int type = session->getGenerateType();
    const int hostType = HostTypeOf(genSet);
    if ((type != kTypeReports && type != kTypeConstruct) || hostType == kHostTypeQsr)
        return true;
    PxTypedList<PxVQRecoveryInfoPtr> sessions;
    system->GetListOfRecoveryInfos(sessions);
    const CList<PxVQRecoveryInfoPtr, const PxVQRecoveryInfoPtr&>& list = sessions;
    for (POSITION pos = list.GetHeadPosition(); pos;) {
        const PxVQRecoveryInfoPtr& other = list.GetNext(pos);
        if (other->GetHandle() == session->GetHandle() || other->GetCurrentState() != kStateStaged)
            continue;
        const int otherType = other->getGenerateType();
        if (otherType != kTypeSystem && otherType != kTypeSystemWithReports)
            continue;
        const PxVQOptionSetPtr otherSet = other->GetGenSet();
        if (!otherSet || otherSet->GetName() != genSet->GetName() || HostTypeOf(otherSet) != hostType)
            continue;
        if (!VqsQuestionBoxId(IDS_FINISH_SYSTEM_INSTALL_FIRST))
            return false;
    }
    return true;
}

void StartMonitorOrInstall(VqsDirectoryView& view, const VqsSelectSession& dialog, const PxVQSystemPtr& system,
                           const PxVQRecoveryInfoPtr& session, const PxVQOptionSetPtr& genSet)
{
    try {
        GenerateInfo request;
        request.genSet = genSet;
        request.system = system;
        request.recoveryHandle = dialog.GetRecoveryHandle();
        request.frameWindow = FrameWindowOf(view);
        if (dialog.GetChoice() == VqsSelectSession::ChoiceMonitor) {
            request.kind = VqcGenerateMonitor;
        } else {
            if (!ConfirmReportInstall(system, session, genSet))
                return;
            request.kind = VqcGenerateInstall;
            request.secondHandle = dialog.GetSecondHandle();
        }
        if (VqcStartGenerate(request) == 0)
            VqsReportGenerationNotStarted(request);
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_PROCEED_WITH_GENERATION, error);
    }
}

// The reports a report session wrote, found again among the record's report pairs by name;
// the names of those no longer found, each on a line of its own, go to `gone`.
void RebuildReportTriples(const PxVQRecoveryInfoPtr& session, const VqsSyncResult& record, VqsBSSyncRecord& reports,
                          CString& gone)
{
    reports.businessSegment = record.businessSegment;
    reports.softLink = record.softLink;
    std::map<std::string, const VqcSyncPair*> byName;
    for (POSITION pos = record.pairs.GetHeadPosition(); pos;) {
        const VqcSyncPair& pair = record.pairs.GetNext(pos);
        reports.pairs.AddTail(pair);
        if (pair.link && pair.link->GetElementType() == VQSoftLinkReport)
            byName.emplace(pair.link->GetName().str(), &pair);
    }
    PxTypedList<PxVQRecoveryFileInfoPtr> files;
    session->GetListOfRecoveryFileInfos(files);
    const CList<PxVQRecoveryFileInfoPtr, const PxVQRecoveryFileInfoPtr&>& list = files;
    for (POSITION pos = list.GetHeadPosition(); pos;) {
        CString reportName;
        CString asName;
        if (!VqsParseRecoveryFileName(list.GetNext(pos)->GetFileName(), reportName, asName))
            continue;
        const auto found = byName.find(reportName.str());
        if (found == byName.end())
            gone += reportName + "\n";
        else
            reports.triples.AddTail(VqcReportSyncTriple{PxLSEReportPtr(found->second->element),
                                                        PxVQReportSoftLinkPtr(found->second->link), asName});
    }
}

// Tells the user which reports of the session are gone; false, after saying so, when none
// is left to restart.
bool ReportsLeftToRestart(const VqsBSSyncRecord& reports, const CString& gone)
{
    if (gone.IsEmpty())
        return true;
    const bool anyLeft = !reports.triples.IsEmpty();
    CString format;
    format.LoadString(anyLeft ? IDS_REPORTS_LEFT_OUT : IDS_NO_REPORTS_LEFT);
    CString text;
    text.Format(format, gone.GetString());
    if (anyLeft)
        VqsMessageBox(text);
    else
        VqsErrorBox(text);
    return anyLeft;
}

// A report session's restart holds its set as a fresh report generation does; the others go
// on under the hold their session carries, which the handover hands to the restarted
// generation.
unsigned long StartRestart(GenerateInfo& request, int type, VqsGenerationLockTakeover& handover)
{
    if (type == kTypeReports)
        return VqsStartHoldingSet(request, &handover);
    return VqsStartUnderTakenHold(request, handover);
}

// Whether a session of the set and its user that the system lists after the one given (a later
// generation's) carries the set's hold: the generation to restart instead of it. An ended
// restart's session, which names the hold only until its lift is made, is none.
bool LaterSessionCarriesHold(const PxVQSystemPtr& system, const PxVQRecoveryInfoPtr& session,
                             const PxVQOptionSetPtr& genSet)
{
    PxTypedList<PxVQRecoveryInfoPtr> sessions;
    system->GetListOfRecoveryInfos(sessions);
    const CList<PxVQRecoveryInfoPtr, const PxVQRecoveryInfoPtr&>& list = sessions;
    bool later = false;
    for (POSITION pos = list.GetHeadPosition(); pos;) {
        const PxVQRecoveryInfoPtr& other = list.GetNext(pos);
        if (other->IsSameOid(session)) {
            later = true;
            continue;
        }
        if (!later || VqsRestartEnded(other) ||
            VqsShortUserCode(other->GetUserId()) != VqsShortUserCode(session->GetUserId()))
            continue;
        const PxVQOptionSetPtr held = VqsGenerationLockOfSession(other);
        if (held && held->IsSameOid(genSet))
            return true;
    }
    return false;
}

// Why the session's unfinished generation cannot go on without the hold: a later generation
// took it over, to be restarted instead (61915), or it has ended since and nothing is left to
// restart (61978); else the hold no longer stands (61875).
UINT HoldMissingText(const PxVQSystemPtr& system, const PxVQRecoveryInfoPtr& session, const PxVQOptionSetPtr& genSet)
{
    if (!VqsHoldHandedOver(session))
        return IDS_OPTION_SET_NOT_LOCKED;
    return LaterSessionCarriesHold(system, session, genSet) ? IDS_HOLD_HANDED_OVER : IDS_HANDED_OVER_AND_ENDED;
}

// What keeps the session from a restart now, told in its box: the session deleted meanwhile
// (61682), an unfinished system, system-with-reports or bundle generation whose hold went or
// was handed over, though it names that hold until its lift is made (HoldMissingText), or a
// generation of the set that runs (its user named). Asked again after the wait for the set.
bool RestartRefused(const PxVQSystemPtr& system, const PxVQRecoveryInfoPtr& session, const PxVQOptionSetPtr& genSet)
{
    if (!session->ObjectPresent()) {
        VqsMessageBoxId(IDS_NO_RECOVERY_INFO);
        return true;
    }
    const int type = session->getGenerateType();
    const bool holdsLock = type == kTypeSystem || type == kTypeSystemWithReports || type == kTypeBundle;
    if (holdsLock && session->GetCurrentState() < kStateFinished &&
        (VqsHoldHandedOver(session) || !VqsGenerationLockOfSession(session))) {
        VqsMessageBoxId(HoldMissingText(system, session, genSet));
        return true;
    }
    return VqsRestartRefusedWhileGenerationRuns(genSet);
}

void Restart(VqsDirectoryView& view, const PxVQSystemPtr& system, const PxVQRecoveryInfoPtr& session,
             const PxVQOptionSetPtr& genSet, const PxHandle& handle)
{
    if (!genSet || !genSet->ObjectPresent()) {
        VqsErrorBoxId(IDS_NO_GENERATE_SET);
        return;
    }
    // The set must still carry this session's own hold: not one another session or another
    // user's generation placed since.
    if (RestartRefused(system, session, genSet))
        return;
    const int type = session->getGenerateType();
    VqsSysApp* app = VqsGetApp();
    VqsSysFrame* frame = view.GetSysFrame();
    CWaitCursor wait;
    VqsModel model(VqsSyncForRestart);
    VqsLockBag readBag(VqsReadLock);
    VqsBSLock segmentLock;
    VqsLockBag updateBag(VqsFutureUpdateLock);
    VqsSyncResult record;
    // The set is held for update under the session's hold while the restart synchronises and
    // starts; the hold stays in the store and goes to the restarted generation. Without the
    // set nothing is synchronised.
    VqsGenerationLockTakeover handover(genSet, session);
    {
        StatusMessage synchronising(frame, IDS_SYNCHRONISING);
        const PxVQCurConfigPtr config = system->GetCurConfig();
        // The enterprise, the configuration and its segment links before the set, in the one
        // lock order: the synchronisation under the set waits for none of them.
        if (!model.LockSegmentLinksForSynchronisation(readBag, updateBag, config))
            return;
        PxLockErrorInfo set;
        {
            VqsLockScope scope(app->GetLink());
            set = handover.TakeOver();
        }
        if (!set.Succeeded()) {
            VqsDescribeLockTarget(set);
            return;
        }
        // What the wait for the set let happen: another start of the set, this user's other
        // process included.
        if (RestartRefused(system, session, genSet))
            return;
        if (!model.RefreshForGeneration(segmentLock, readBag, updateBag, config, record, app->GetSynchronizeMode(),
                                        handle, false, false))
            return;
    }
    if (!record.softLink) {
        VqsMessageBoxId(IDS_NO_BUSINESS_SEGMENT);
        return;
    }
    wait.Restore();
    StatusMessage restarting(frame, IDS_RESTARTING);
    VqsBSSyncRecord reports;
    GenerateInfo request;
    request.kind = VqcGenerateRestart;
    request.genSet = genSet;
    request.recoveryHandle = handle;
    request.frameWindow = FrameWindowOf(view);
    if (type == kTypeReports) {
        CString gone;
        RebuildReportTriples(session, record, reports, gone);
        if (!ReportsLeftToRestart(reports, gone))
            return;
        request.reportSync = &reports;
    } else {
        request.elementSync = &record;
    }
    if (StartRestart(request, type, handover) == 0)
        return;
    segmentLock.Keep();
}

void ShowGenerateStatus(VqsDirectoryView& view)
{
    if (!view.CheckGenerateRight())
        return;
    const PxVQSystemPtr system = SelectedSystem(view);
    if (!system)
        return;
    VqsSelectSession dialog(nullptr);
    dialog.SetSystem(system);
    // A view its loop closed starts nothing.
    if (dialog.DoModal() != IDOK || dialog.GetChoice() == VqsSelectSession::ChoiceNone || !view.GetSafeHwnd())
        return;
    const PxHandle handle = dialog.GetRecoveryHandle();
    const PxVQRecoveryInfoPtr session = system->GetRecoveryInfo(handle);
    if (!session || !session->ObjectPresent()) {
        VqsMessageBoxId(IDS_NO_RECOVERY_INFO);
        return;
    }
    const PxVQOptionSetPtr genSet = session->GetGenSet();
    if (dialog.GetChoice() == VqsSelectSession::ChoiceRestart)
        Restart(view, system, session, genSet, handle);
    else
        StartMonitorOrInstall(view, dialog, system, session, genSet);
}

} // namespace

bool VqsParseRecoveryFileName(const CString& fileName, CString& reportName, CString& asName)
{
    const int open = fileName.Find('<');
    if (open == 0)
        return false;
    if (open < 0) {
        reportName = fileName;
        asName.Empty();
        return true;
    }
    reportName = fileName.Left(open);
    const CString rest = fileName.Mid(open + 1);
    const int close = rest.Find('>');
    asName = close < 0 ? rest : rest.Left(close);
    return true;
}

void VqsShowGenerateStatus(VqsDirectoryView& view)
{
    try {
        ShowGenerateStatus(view);
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_RESTART, error);
    }
}
