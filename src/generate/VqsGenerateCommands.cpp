#include "generate/VqsGenerateCommands.h"

#include "generate/VqsGenerateDlg.h"
#include "generate/VqsGenerateReportDlg.h"
#include "generate/VqsGenerateStart.h"
#include "generate/VqsGenerateStatus.h"
#include "generate/VqsSelectSession.h"
#include "generate/VqsSynchEvent.h"
#include "model/VqsBSLock.h"
#include "model/VqsLockBag.h"
#include "model/VqsModel.h"
#include "model/VqsSyncResult.h"
#include "proxy/PxVQEnterprise.h"
#include "proxy/PxVQHostInformation.h"
#include "proxy/PxOptions.h"
#include "proxy/PxVQLink.h"
#include "proxy/PxVQRecoveryInfo.h"
#include "proxy/PxVQSystem.h"
#include "proxy/VqException.h"
#include "serialize/Serialize.h"
#include "shell/StatusMessage.h"
#include "shell/VqsDisplayNames.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsSysApp.h"
#include "sysview/VqsDirectoryView.h"
#include "sysview/VqsSysFrame.h"
#include "vqclient/GenerateInfo.h"
#include "vqclient/VqClient.h"
#include "win/CCmdTarget.h"
#include "win/Sync.h"

#include <functional>
#include <set>

namespace {

constexpr UINT IDS_CANNOT_PROCEED_WITH_GENERATION = 61520;
constexpr UINT IDS_NO_GENERATE_SETS = 61521;
constexpr UINT IDS_NO_BUSINESS_SEGMENT = 61522;
constexpr UINT IDS_SYNCHRONISING = 61523;
constexpr UINT IDS_STARTING_GENERATE = 61525;
constexpr UINT IDS_RESTART_OFFER = 61919;
constexpr DWORD kClientStartPause = 1000;
constexpr char kSyncErrorReason[] = "Syncronisation Error";

// What taking objects for a generation of the kind came to: a refusal told as
// VqsReportSetLocked tells it, 61520 with the text on a repository failure, nothing more for a
// failure already shown.
VqsLockOutcome GenerationLockOutcome(const PxVQOptionSetPtr& genSet, int kind,
                                     const std::function<PxLockErrorInfo()>& lock)
{
    try {
        const PxLockErrorInfo result = lock();
        if (result.Succeeded())
            return VqsLockOutcome::Granted;
        if (result.GetErrorCode() != PxLockGivenUp)
            VqsReportSetLocked(genSet, kind);
        return VqsLockOutcome::Refused;
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_PROCEED_WITH_GENERATION, error);
        return VqsLockOutcome::Failed;
    }
}

void CollectGenerationOptions(const VqsSyncResult& record, const PxVQGenSetPtr& genSet,
                              PxTypedList<PxVQObjectPtr>& objects)
{
    if (PxOptionsPtr options = PxVQSoftLinkPtr(record.softLink)->GetOptions(PxVQOptionSetPtr(genSet)))
        objects.AddTail(PxVQObjectPtr(options));
}

// A session of the set that Show Generate Status would list to the user.
bool HasRecoveryInfo(const PxVQSystemPtr& system, const PxVQOptionSetPtr& optionSet)
{
    return VqsAnySessionOffered(system, [&](const PxVQRecoveryInfoPtr& session) {
        const PxVQOptionSetPtr genSet = session->GetGenSet();
        return genSet && genSet->IsSameOid(optionSet);
    });
}

// The system path after the analysis: the request of kind 2 under the named event, then
// the synchronisation, cancelling the generation when it fails.
void StartSystemGeneration(VqsDirectoryView& view, VqsBSLock& segmentLock, VqsSyncResult& record,
                           const PxVQGenSetPtr& genSet, const CString& hostName, const PxVQCurConfigPtr& config)
{
    VqsSysApp* app = VqsGetApp();
    PxVQLink* link = app->GetLink();
    VqsSysFrame* frame = view.GetSysFrame();
    VqsSynchEventHold synchEvent;
    if (!synchEvent.Acquire()) {
        app->LogError(0, "The synchronisation event stayed held elsewhere: the generation was not started.");
        VqsErrorBoxId(IDS_CANNOT_PROCEED_WITH_GENERATION);
        return;
    }
    if (VqsRefusedWhileGenerationRuns(PxVQOptionSetPtr(genSet)))
        return;
    PxTypedList<PxVQObjectPtr> objects;
    VqsGenerationLockTakeover takeover{PxVQOptionSetPtr(genSet)};
    VqsOutsideBagHold optionsHold(*link, VqsFutureUpdateLock);
    const VqsLockOutcome locked = GenerationLockOutcome(PxVQOptionSetPtr(genSet), VqcGenerateSystem, [&] {
        CollectGenerationOptions(record, genSet, objects);
        return VqsLockForGeneration(optionsHold, objects, takeover);
    });
    if (locked != VqsLockOutcome::Granted)
        return;
    // One generation hold at most on the set: none beside the user's interrupted generation's,
    // and that one goes to the generation with its claim, its sessions held still meanwhile.
    if (!takeover.HandsOverHold() && VqsRefusedForInterruptedSession(PxVQOptionSetPtr(genSet), VqcGenerateSystem))
        return;
    if (!takeover.HandOver())
        return;

    unsigned long number = 0;
    GenerateInfo request;
    {
        StatusMessage starting(frame, IDS_STARTING_GENERATE);
        request.kind = VqcGenerateSystem;
        request.genSet = PxVQOptionSetPtr(genSet);
        request.hostName = hostName;
        request.elementSync = &record;
        request.frameWindow = frame ? frame->GetSafeHwnd() : nullptr;
        number = VqcStartGenerate(request);
    }
    if (number == 0) {
        optionsHold.GiveBack();
        takeover.ReportNotStarted(request);
        return;
    }
    segmentLock.Keep();
    Sleep(kClientStartPause);

    // The generation runs from here: unless it is synchronised and holds its set, it is
    // cancelled, also when a repository failure (a connection lost under the command) ends
    // the command on the way.
    const auto cancel = [number] {
        CString reason(kSyncErrorReason);
        CancelGenerate(number, reason);
    };
    bool failed = true;
    try {
        VqsModel model(VqsSyncForGeneration);
        VqsLockBag readBag(VqsReadLock);
        VqsSyncResult syncRecord;
        VqsBSLock syncLock;
        VqsLockBag updateBag(VqsFutureUpdateLock);
        StatusMessage synchronising(frame, IDS_SYNCHRONISING);
        // As after a declined restart: the segment is taken as this user's when this user holds
        // it, and refused when another user holds it exclusively.
        failed = !model.RefreshForGeneration(syncLock, readBag, updateBag, config, syncRecord,
                                             app->GetSynchronizeMode(), PxHandle(), true, false);
        // A hold taken over is the generation's since its start; one whose synchronisation
        // failed is cancelled, and places none.
        if (!failed && !takeover.HandsOverHold())
            failed = VqsPersistentlyLock(number, PxVQOptionSetPtr(genSet)) != VqsLockOutcome::Granted;
        optionsHold.GiveBack();
    } catch (...) {
        synchEvent.Release();
        cancel();
        throw;
    }
    synchEvent.Release();
    if (failed)
        cancel();
}

// The report path of Generate System: the reports chosen in the report dialog, then the
// request of kind 5 under the generate set's persistent lock.
void StartSystemWithReports(VqsDirectoryView& view, VqsBSLock& segmentLock, VqsSyncResult& record,
                            const PxVQGenSetPtr& genSet, const VqsGenerateDlg& generateDialog)
{
    VqsSysFrame* frame = view.GetSysFrame();
    VqsGenerateReportDlg dialog(frame);
    dialog.m_strSystem = generateDialog.m_strSystem;
    dialog.m_strHostName = generateDialog.m_strHostName;
    dialog.m_genSet = genSet;
    dialog.m_genSets.AddTail(genSet);
    dialog.m_bSystemGeneration = TRUE;
    // A view its loop closed starts nothing.
    if (!VqsFillReportChoice(view, dialog) || dialog.DoModal() != IDOK || !view.GetSafeHwnd())
        return;
    VqsBSSyncRecord reports;
    if (!view.BuildReportSyncList(dialog, reports, dialog.m_elementRecord))
        return;
    // The segment as the analysis found it under its locks, after the dialog.
    record.softLink = dialog.m_elementRecord.softLink;
    record.businessSegment = dialog.m_elementRecord.businessSegment;
    const PxVQOptionSetPtr optionSet(genSet);
    if (VqsRefusedWhileGenerationRuns(optionSet))
        return;
    VqsGenerationLockTakeover takeover(optionSet);
    if (GenerationLockOutcome(optionSet, VqcGenerateSystemWithReports, [&] { return takeover.TakeOver(); }) !=
        VqsLockOutcome::Granted)
        return;
    unsigned long number = 0;
    {
        StatusMessage starting(frame, IDS_STARTING_GENERATE);
        GenerateInfo request;
        request.kind = VqcGenerateSystemWithReports;
        request.genSet = optionSet;
        request.hostName = generateDialog.m_strHostName;
        request.elementSync = &record;
        request.reportSync = &reports;
        request.frameWindow = frame ? frame->GetSafeHwnd() : nullptr;
        number = VqsStartHoldingSet(request, &takeover);
    }
    if (number == 0)
        return;
    segmentLock.Keep();
    dialog.m_bsLock.Keep();
}

} // namespace

CString VqsGenerationSystemText(const PxVQCurConfigPtr& config)
{
    try {
        PxVQSystemPtr system = config ? config->GetSystem() : PxVQSystemPtr();
        return system ? VqsShownName(system) : CString();
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_PROCEED_WITH_GENERATION, error);
        return CString();
    }
}

BOOL VqsCollectGenerateSets(const PxVQCurConfigPtr& config, PxTypedList<PxVQGenSetPtr>& genSets)
{
    try {
        std::set<int> hostTypes;
        const VqsSysApp* app = VqsGetApp();
        if (PxVQEnterprisePtr enterprise = app ? app->GetEnterprise() : PxVQEnterprisePtr()) {
            PxTypedList<PxVQHostInformationPtr> hosts;
            enterprise->GetListOfHostInformations(hosts);
            const CList<PxVQHostInformationPtr, const PxVQHostInformationPtr&>& hostList = hosts;
            for (POSITION pos = hostList.GetHeadPosition(); pos;)
                hostTypes.insert(hostList.GetNext(pos)->GetHostType());
        }
        PxTypedList<PxVQOptionSetPtr> optionSets;
        config->GetListOfOptionSets(optionSets);
        const CList<PxVQOptionSetPtr, const PxVQOptionSetPtr&>& setList = optionSets;
        for (POSITION pos = setList.GetHeadPosition(); pos;) {
            const PxVQOptionSetPtr& optionSet = setList.GetNext(pos);
            PxVQGenSetPtr genSet(optionSet);
            if (genSet && hostTypes.count(genSet->GetHostType()))
                genSets.AddTail(genSet);
        }
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_PROCEED_WITH_GENERATION, error);
        return FALSE;
    }
    if (genSets.IsEmpty()) {
        VqsMessageBoxId(IDS_NO_GENERATE_SETS);
        return FALSE;
    }
    return TRUE;
}

namespace {

// The option-set view leaves out a set it cannot read (its lock state too): with none shown,
// the failure that left them out (a lost lock connection, say) ends the command with its
// message. With nothing failing the command ends without one.
void RequireOptionSetsReadable(const PxVQCurConfigPtr& config)
{
    PxTypedList<PxVQOptionSetPtr> optionSets;
    config->GetListOfOptionSets(optionSets);
    const CList<PxVQOptionSetPtr, const PxVQOptionSetPtr&>& list = optionSets;
    for (POSITION pos = list.GetHeadPosition(); pos;)
        list.GetNext(pos)->GetPersistentLock();
}

// A repository failure the steps do not handle ends the command with its message; the
// scoped locks, bags and status texts are released on the way out.
template <class Command>
void RunReporting(Command command)
{
    try {
        command();
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_PROCEED_WITH_GENERATION, error);
    }
}

void GenerateSystem(VqsDirectoryView& view)
{
    if (!view.CheckGenerateRight())
        return;
    VqsSysApp* app = VqsGetApp();
    CWaitCursor wait;
    PxVQCurConfigPtr config = view.GetSelectedCurConfig();
    if (!config)
        return;
    const PxVQOptionSetPtr optionSet = VqsFrameOptionSet(view.GetSysFrame());
    if (!optionSet) {
        RequireOptionSetsReadable(config);
        return;
    }
    if (VqsRefusedWhileGenerationRuns(optionSet))
        return;
    PxVQSystemPtr system = config->GetSystem();
    BOOL declinedRestart = FALSE;
    if (HasRecoveryInfo(system, optionSet)) {
        if (VqsQuestionBoxId(IDS_RESTART_OFFER)) {
            VqsShowGenerateStatus(view);
            return;
        }
        declinedRestart = TRUE;
    }

    VqsGenerateDlg dialog(&view);
    dialog.m_strSystem = VqsGenerationSystemText(config);
    if (dialog.m_strSystem.IsEmpty())
        return;
    if (!VqsCollectGenerateSets(config, dialog.m_genSets))
        return;
    dialog.m_genSet = VqsPreselect(dialog.m_genSets, optionSet);
    dialog.m_nVersionNumber = system ? system->GetSystemVersionNumber() : 0;
    // A view its loop closed starts nothing.
    if (dialog.DoModal() != IDOK || !dialog.m_genSet || !view.GetSafeHwnd())
        return;
    wait.Restore();

    VqsModel model(VqsSyncForGeneration);
    VqsLockBag readBag(VqsReadLock);
    app->GetLink()->ClearAllBuffers();
    VqsBSLock segmentLock;
    VqsLockBag updateBag(VqsFutureUpdateLock);
    VqsSyncResult record;
    if (!model.RefreshForGeneration(segmentLock, readBag, updateBag, config, record, app->GetSynchronizeMode(),
                                    PxHandle(), declinedRestart != FALSE, true))
        return;
    const PxVQGenSetPtr genSet = dialog.m_genSet;
    if (!record.softLink) {
        VqsMessageBoxId(IDS_NO_BUSINESS_SEGMENT);
        return;
    }
    if (dialog.m_bGenerateReports) {
        // The report choice is a dialog the user may leave open: it holds nothing of the
        // enterprise or the system, and its analysis locks and locates the segment again.
        readBag.ReleaseAll();
        updateBag.ReleaseAll();
        StartSystemWithReports(view, segmentLock, record, genSet, dialog);
        return;
    }
    StartSystemGeneration(view, segmentLock, record, genSet, dialog.m_strHostName, config);
}

void SynchronizeConfig(VqsDirectoryView& view)
{
    PxVQCurConfigPtr config = view.GetSelectedCurConfig();
    if (!config)
        return;
    VqsSysApp* app = VqsGetApp();
    VqsModel model(VqsSyncCommand);
    VqsLockBag readBag(VqsReadLock);
    StatusMessage status(view.GetSysFrame(), IDS_SYNCHRONISING);
    VqsSyncResult record;
    CWaitCursor wait;
    VqsBSLock segmentLock;
    VqsLockBag updateBag(VqsFutureUpdateLock);
    model.RefreshForGeneration(segmentLock, readBag, updateBag, config, record, app->GetSynchronizeMode(), PxHandle(),
                               false, false);
}

void ExtractSystem(VqsDirectoryView& view)
{
    PxVQCurConfigPtr config = view.GetSelectedCurConfig();
    if (!config)
        return;
    CWaitCursor wait;
    // Read before the serializer opens, so that a repository failure never leaves it open.
    PxVQSystemPtr system = config->GetSystem();
    const CString name = system ? system->GetName() : CString();
    VqsSysApp* app = VqsGetApp();
    if (VQSSerializeOpen(app->GetLink()) != 0)
        return;
    VqsSysFrame* frame = view.GetSysFrame();
    VQSSetParentWindow(frame ? frame->GetSafeHwnd() : nullptr);
    VQSExtractSystem(name);
    VQSSerializeClose();
}

} // namespace

void VqsGenerateSystem(VqsDirectoryView& view)
{
    RunReporting([&] { GenerateSystem(view); });
}

void VqsSynchronizeConfig(VqsDirectoryView& view)
{
    RunReporting([&] { SynchronizeConfig(view); });
}

void VqsExtractSystem(VqsDirectoryView& view)
{
    RunReporting([&] { ExtractSystem(view); });
}
