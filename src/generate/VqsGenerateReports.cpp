// The Generate Reports command: the reports of one business segment, without the system.
#include "generate/VqsGenerateCommands.h"

#include "generate/VqsGenerateReportDlg.h"
#include "generate/VqsGenerateStart.h"
#include "generate/VqsGenerateStatus.h"
#include "generate/VqsSelectSession.h"
#include "proxy/PxVQSystem.h"
#include "proxy/VqException.h"
#include "shell/VqsMsgBox.h"
#include "sysview/VqsDirectoryView.h"
#include "sysview/VqsSysFrame.h"
#include "vqclient/GenerateInfo.h"
#include "vqclient/VqClient.h"
#include "win/CCmdTarget.h"

namespace {

constexpr UINT IDS_CANNOT_PROCEED_WITH_GENERATION = 61520;
constexpr UINT IDS_RESTART_OFFER = 61919;

// A report session that Show Generate Status would list to the user.
bool HasReportRecoveryInfo(const PxVQSystemPtr& system)
{
    return VqsAnySessionOffered(system, [](const PxVQRecoveryInfoPtr& session) {
        return session->getGenerateType() == PxVQRecoveryInfo::kReportGenerate;
    });
}

void GenerateReports(VqsDirectoryView& view)
{
    if (!view.CheckGenerateRight())
        return;
    CWaitCursor wait;
    const PxVQCurConfigPtr config = view.GetSelectedCurConfig();
    VqsSysFrame* frame = view.GetSysFrame();
    const PxVQOptionSetPtr frameSet = VqsFrameOptionSet(frame);
    if (!config || (frameSet && VqsRefusedWhileGenerationRuns(frameSet)))
        return;
    if (HasReportRecoveryInfo(config->GetSystem()) && VqsQuestionBoxId(IDS_RESTART_OFFER)) {
        VqsShowGenerateStatus(view);
        return;
    }
    VqsGenerateReportDlg dialog(frame);
    dialog.m_strSystem = VqsGenerationSystemText(config);
    if (dialog.m_strSystem.IsEmpty() || !VqsCollectGenerateSets(config, dialog.m_genSets))
        return;
    dialog.m_genSet = VqsPreselect(dialog.m_genSets, frameSet);
    // A view its loop closed starts nothing.
    if (!VqsFillReportChoice(view, dialog) || dialog.DoModal() != IDOK || !view.GetSafeHwnd())
        return;
    VqsBSSyncRecord reports;
    if (!view.BuildReportSyncList(dialog, reports, dialog.m_elementRecord) ||
        VqsRefusedWhileGenerationRuns(PxVQOptionSetPtr(dialog.m_genSet)))
        return;
    GenerateInfo request;
    request.kind = VqcGenerateReports;
    request.genSet = PxVQOptionSetPtr(dialog.m_genSet);
    request.hostName = dialog.m_strHostName;
    request.reportSync = &reports;
    request.frameWindow = frame ? frame->GetSafeHwnd() : nullptr;
    // A report generation holds its set as a system generation does: the set and its system
    // are not deleted under it, and every host's Show Lock Status tells who generates.
    if (VqsStartHoldingSet(request) == 0)
        return;
    dialog.m_bsLock.Keep();
}

} // namespace

BOOL VqsFillReportChoice(VqsDirectoryView& view, VqsGenerateReportDlg& dialog)
{
    VqsReportRequest request;
    if (!view.CollectSelectedReports(request))
        return FALSE;
    dialog.m_pReportGroup = request.group;
    dialog.m_chosenReports.RemoveAll();
    const CList<PxVQReportSoftLinkPtr, const PxVQReportSoftLinkPtr&>& reports = request.reports;
    for (POSITION pos = reports.GetHeadPosition(); pos;)
        dialog.m_chosenReports.AddTail(reports.GetNext(pos));
    dialog.m_bAllReports = request.allReports;
    return TRUE;
}

void VqsGenerateReports(VqsDirectoryView& view)
{
    try {
        GenerateReports(view);
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_PROCEED_WITH_GENERATION, error);
    }
}
