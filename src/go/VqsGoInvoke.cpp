#include "go/VqsGoDispatcher.h"

#include "go/VqsGoFilter.h"
#include "go/VqsGoSheet.h"
#include "model/VqsLockBag.h"
#include "model/VqsModel.h"
#include "model/VqsModelNodeLink.h"
#include "proxy/VqException.h"
#include "shell/StatusMessage.h"
#include "shell/VqsListFrame.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsSysApp.h"
#include "win/CCmdTarget.h"

namespace {

constexpr UINT IDS_REFRESHING_VIEWS = 61524;
constexpr UINT IDS_CANNOT_ACCESS_SYSTEMS = 61695;
constexpr UINT IDS_CANNOT_ACCESS_SOME_DATA = 61698;
constexpr UINT IDS_OPEN_SYSTEM_DIRECTORY = 61722;
constexpr UINT IDS_CANNOT_ACCESS_BS_ENTRY = 61723;
constexpr const char* kEnvokeGo = "envokeGo:";

// Refreshes the views from the model and takes the active frame's selection into the
// context, under read locks that end before any dialog opens. FALSE when the command ends.
BOOL PrepareSelection(VqsListFrame* frame, VqsModel& model, VqsGoContext& context)
{
    CWaitCursor wait;
    StatusMessage status(frame, IDS_REFRESHING_VIEWS);
    VqsLockBag bag(VqsReadLock);
    VqsSysApp* app = VqsGetApp();
    if (!app)
        return FALSE;
    try {
        if (!model.LockEnterpriseNode(bag, app->GetEnterprise()))
            return FALSE;
        model.GetRootNode().LoadSystems(VqsLoadCached);
        app->RefreshAllViews(&model);
        app->RouteToActiveFrame(context.m_pSystem, context.m_pBSLink, context.m_pElementLink, context.m_pGenSet);
        return TRUE;
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_ACCESS_SYSTEMS, error);
        return FALSE;
    }
}

// The selected business-segment link's name when the link the command would take is found,
// and the selected element's name when it belongs to that link; FALSE when nothing is to be
// sent.
BOOL NameSelection(VqsModel& model, VqsGoContext& context, CString& segmentName, CString& elementName)
{
    VqsGoFilterSystem systemRecord;
    VqsGoFilterBSLink linkRecord{{}, &systemRecord};
    try {
        VqsFilterReturn filterReturn;
        if (!linkRecord.Run(&filterReturn, model, context))
            return FALSE;
        if (!filterReturn.HasMessage() && context.m_pBSLink)
            segmentName = context.m_pBSLink->GetName();
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_ACCESS_BS_ENTRY, error);
        return FALSE;
    }
    try {
        if (context.m_pElementLink) {
            VqsModelNodeElementLink* node = model.FindElementLinkNode(context.m_pElementLink);
            if (!node)
                return FALSE;
            VqsModelNodeBSLink* linkNode = node->GetBSLinkNode();
            const PxVQBSSoftLinkPtr link = linkNode ? linkNode->GetBSSoftLink() : PxVQBSSoftLinkPtr();
            if (!link || !linkRecord.m_pBSLink || !link->IsSameOid(linkRecord.m_pBSLink))
                context.m_pElementLink = PxVQElementSoftLinkPtr();
        }
        if (context.m_pElementLink)
            elementName = context.m_pElementLink->GetName();
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_ACCESS_SOME_DATA, error);
        return FALSE;
    }
    return TRUE;
}

// A text of no GO command goes to the host with the names of what is selected.
void HandToHost(VqsListFrame* frame, VqsModel& model, VqsGoContext& context, CString text)
{
    CWaitCursor wait;
    CString segmentName;
    CString elementName;
    if (!NameSelection(model, context, segmentName, elementName))
        return;
    text.Trim(" \t\r\n\v\f");
    CString value;
    value.FormatMessage("%1\t%2\t%3", segmentName, elementName, text);
    frame->NotifyHost(kEnvokeGo, value);
}

} // namespace

void VqsGoDispatcher::InvokeGo(VqsListFrame* frame)
{
    VqsModel model(0);
    VqsGoContext context;
    if (!PrepareSelection(frame, model, context))
        return;
    VqsGoSheet sheet(model, context, frame);
    VqsGoCommandPage& page = sheet.m_commandPage;
    page.m_goText.SetValue(LastGoText());
    const BOOL accepted = sheet.DoModal() == ID_WIZFINISH || page.m_bFinished;
    LastGoText() = page.m_goText.GetValue();
    if (!accepted)
        return;
    if (!page.m_spec) {
        HandToHost(frame, model, context, page.m_goText.GetValue());
        return;
    }
    // Said as the host's GO command says it, rather than nothing at all.
    if (!sheet.m_parseReturn.OpenTarget())
        VqsMessageBoxId(IDS_OPEN_SYSTEM_DIRECTORY);
}
