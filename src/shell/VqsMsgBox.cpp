#include "shell/VqsMsgBox.h"

#include "proxy/PxException.h"
#include "proxy/PxObjectKind.h"
#include "proxy/VqException.h"
#include "shell/VqsDisplayNames.h"
#include "vqclient/VqClient.h"
#include "win/CDialog.h"
#include "win/CPropertySheet.h"
#include "win/CWinApp.h"
#include "win/CString.h"
#include "win/UiDriver.h"

#include <atomic>
#include <mutex>
#include <string>

namespace {

constexpr UINT kErrorFlags = MB_OK | MB_ICONEXCLAMATION;
constexpr UINT kMessageFlags = MB_OK | MB_ICONINFORMATION;
constexpr UINT kQuestionFlags = MB_YESNO | MB_ICONQUESTION;
constexpr UINT kQuestionCancelFlags = MB_YESNOCANCEL | MB_ICONQUESTION;
constexpr UINT IDS_CLOSE_AND_OPEN_SESSION = 62477;
constexpr UINT IDS_ITEM_DELETED = 61746;
constexpr UINT IDS_SOME_OBJECT = 61749;

std::atomic<VqsHideLockProgressHook> g_hideLockProgress{nullptr};
std::atomic<bool> g_lostConnectionShown{false};
// Touched on the user-interface thread only.
unsigned g_deletionsTold = 0;
// The refusal of a failed transaction shown in this action.
std::mutex g_failureMutex;
std::string g_failureShown;

// A failed transaction refuses each of its later statements with the refusal that failed it:
// that refusal is shown the first time an action meets it; any other failure each time.
bool FirstMetThisAction(const VqException& error)
{
    const std::string message(error.GetErrorMessage().GetString());
    if (message.find("The transaction was rolled back.") == std::string::npos)
        return true;
    const std::lock_guard<std::mutex> lock(g_failureMutex);
    if (message == g_failureShown)
        return false;
    g_failureShown = message;
    return true;
}

// A read that found its object gone met what another user deleted: told as such, whatever
// the step was doing.
bool TellIfFoundGone(const VqException& error)
{
    const auto* failure = dynamic_cast<const PxException*>(&error);
    if (!failure || failure->GetGoneObjectKind() < 0)
        return false;
    VqsHideLockProgress();
    VqsTellItemDeleted(IDS_ITEM_DELETED, failure->GetGoneObjectKind());
    return true;
}

// A dialog whose first load failed shows a part of its values: it ends as cancelled, so that
// nothing it would write goes unseen. A page or panel ends the dialog or sheet it sits in.
void EndDialogOf(HWND hwnd)
{
    HWND top = hwnd;
    while ((::GetWindowLongPtr(top, GWL_STYLE) & WS_CHILD) && ::GetParent(top))
        top = ::GetParent(top);
    CWnd* window = CWnd::FromHandlePermanent(top);
    if (auto* dialog = dynamic_cast<CDialog*>(window))
        dialog->EndDialog(IDCANCEL);
    else if (auto* sheet = dynamic_cast<CPropertySheet*>(window))
        sheet->EndDialog(IDCANCEL);
}

// Loaded on first use and again while still empty (no resource library yet).
// Made as the library loads, not at first use: the module's end, which may use it, finds it.
CString g_captions[3];

const CString& Caption(int kind)
{
    static const UINT captionIds[] = {61776, 61777, 61714};
    CString& caption = g_captions[kind];
    if (caption.IsEmpty())
        caption.LoadString(captionIds[kind]);
    return caption;
}

// Shows the application's title as the caption for the lifetime of the scope.
class TitleSwap {
public:
    TitleSwap(CWinApp& app, const CString& caption) : m_app(app), m_oldTitle(app.m_pszAppName)
    {
        m_app.m_pszAppName = caption;
    }
    ~TitleSwap() { m_app.m_pszAppName = m_oldTitle; }
    TitleSwap(const TitleSwap&) = delete;
    TitleSwap& operator=(const TitleSwap&) = delete;

private:
    CWinApp& m_app;
    LPCTSTR m_oldTitle;
};

BOOL AnswerWithCancel(int result, BOOL& yes)
{
    if (result == IDCANCEL)
        return FALSE;
    yes = result == IDYES;
    return TRUE;
}

int ShowBox(int kind, LPCTSTR text, UINT flags, UINT helpId)
{
    CWinApp* app = AfxGetApp();
    if (kind >= VqsBoxError && kind <= VqsBoxConfirm && app) {
        const CString& caption = Caption(kind);
        if (!caption.IsEmpty()) {
            TitleSwap swap(*app, caption);
            return AfxMessageBox(text, flags, helpId);
        }
    }
    return AfxMessageBox(text, flags, helpId);
}

} // namespace

// Every failure of a session whose connection is gone names the loss; the user is told once
// an action, with what to do, not once for each read that failed on the way. The generations
// whose claim went with the connection end as the loss is told, in the same box.
int VqsShowMessageBox(int kind, LPCTSTR text, UINT flags, UINT helpId)
{
    if (kind == VqsBoxError && VqsNamesLostConnection(text)) {
        if (g_lostConnectionShown.exchange(true))
            return IDOK;
        CString told(text);
        const CString ended = VqcEndGenerationsWithoutClaim();
        if (!ended.IsEmpty())
            told += "\n\n" + ended;
        CString wayOut;
        if (wayOut.LoadString(IDS_CLOSE_AND_OPEN_SESSION))
            told += "\n" + wayOut;
        return ShowBox(kind, told, flags, helpId);
    }
    return ShowBox(kind, text, flags, helpId);
}

// The lost connection as a read or write meets it, and as the commit whose session's locks
// went with the lock connection tells it.
BOOL VqsNamesLostConnection(LPCTSTR text)
{
    const CString message(text ? text : "");
    const int connection = message.Find("the connection to the server of ");
    if (connection >= 0 && message.Find(" was lost.", connection) > connection)
        return TRUE;
    const int locks = message.Find("locks on the server of ");
    return locks >= 0 && message.Find(" were lost with its connection to the server", locks) > locks;
}

BOOL VqsIsLostConnection(const VqException& error) { return VqsNamesLostConnection(error.GetErrorMessage()); }

BOOL VqsIsStoreBusy(const VqException& error)
{
    const auto* failure = dynamic_cast<const PxException*>(&error);
    return failure && failure->IsStoreBusy();
}

BOOL VqsIsSessionFailure(const VqException& error)
{
    return VqsIsLostConnection(error) || VqsIsStoreBusy(error);
}

void VqsEndOfAction()
{
    g_lostConnectionShown.store(false);
    VqsEndOfDialogAction();
}

void VqsEndOfDialogAction()
{
    const std::lock_guard<std::mutex> lock(g_failureMutex);
    g_failureShown.clear();
}

int VqsShowMessageBoxId(UINT stringId, int kind, UINT flags, UINT helpId)
{
    CString text;
    if (!text.LoadString(stringId))
        text.Format("<String not found for ID=%u>", stringId);
    return VqsShowMessageBox(kind, text, flags, helpId);
}

int VqsErrorBox(LPCTSTR text, UINT helpId) { return VqsShowMessageBox(VqsBoxError, text, kErrorFlags, helpId); }

int VqsMessageBox(LPCTSTR text, UINT helpId) { return VqsShowMessageBox(VqsBoxMessage, text, kMessageFlags, helpId); }

BOOL VqsQuestionBox(LPCTSTR text, UINT helpId)
{
    return VqsShowMessageBox(VqsBoxMessage, text, kQuestionFlags, helpId) == IDYES;
}

BOOL VqsConfirmBox(LPCTSTR text, UINT helpId)
{
    return VqsShowMessageBox(VqsBoxConfirm, text, kQuestionFlags, helpId) == IDYES;
}

BOOL VqsQuestionCancelBox(BOOL& yes, LPCTSTR text, UINT helpId)
{
    return AnswerWithCancel(VqsShowMessageBox(VqsBoxMessage, text, kQuestionCancelFlags, helpId), yes);
}

BOOL VqsConfirmCancelBox(BOOL& yes, LPCTSTR text, UINT helpId)
{
    return AnswerWithCancel(VqsShowMessageBox(VqsBoxConfirm, text, kQuestionCancelFlags, helpId), yes);
}

int VqsErrorBoxId(UINT stringId, UINT helpId) { return VqsShowMessageBoxId(stringId, VqsBoxError, kErrorFlags, helpId); }

int VqsMessageBoxId(UINT stringId, UINT helpId)
{
    return VqsShowMessageBoxId(stringId, VqsBoxMessage, kMessageFlags, helpId);
}

BOOL VqsQuestionBoxId(UINT stringId, UINT helpId)
{
    return VqsShowMessageBoxId(stringId, VqsBoxMessage, kQuestionFlags, helpId) == IDYES;
}

BOOL VqsConfirmBoxId(UINT stringId, UINT helpId)
{
    return VqsShowMessageBoxId(stringId, VqsBoxConfirm, kQuestionFlags, helpId) == IDYES;
}

BOOL VqsQuestionCancelBoxId(BOOL& yes, UINT stringId, UINT helpId)
{
    return AnswerWithCancel(VqsShowMessageBoxId(stringId, VqsBoxMessage, kQuestionCancelFlags, helpId), yes);
}

BOOL VqsConfirmCancelBoxId(BOOL& yes, UINT stringId, UINT helpId)
{
    return AnswerWithCancel(VqsShowMessageBoxId(stringId, VqsBoxConfirm, kQuestionCancelFlags, helpId), yes);
}

void VqsReportError(LPCTSTR context, const VqException& error)
{
    if (!FirstMetThisAction(error) || TellIfFoundGone(error))
        return;
    CString text;
    text.FormatMessage(61665u, context, error.GetErrorMessage());
    VqsHideLockProgress();
    VqsErrorBox(text);
}

void VqsErrorBoxOf(const VqException& error)
{
    if (FirstMetThisAction(error) && !TellIfFoundGone(error))
        VqsErrorBox(error.GetErrorMessage());
}

void VqsTellItemDeleted(UINT messageId, int objectKind)
{
    ++g_deletionsTold;
    CString kind;
    if (objectKind != PxKindNone)
        kind = VqsGetObjectKindName(objectKind);
    else
        kind.LoadString(IDS_SOME_OBJECT);
    CString text;
    text.FormatMessage(messageId, kind.GetString());
    VqsMessageBox(text);
}

unsigned VqsDeletionsTold() { return g_deletionsTold; }

void ShowErrorById(UINT stringId, const VqException& error)
{
    CString context;
    if (!context.LoadString(stringId))
        context = "Error";
    VqsReportError(context, error);
}

bool VqsReportHandlerFailure(const MSG& message)
{
    try {
        throw;
    } catch (const VqException& error) {
        VqsHideLockProgress();
        VqsErrorBoxOf(error);
        if (message.message == WM_INITDIALOG)
            EndDialogOf(message.hwnd);
        return true;
    } catch (...) {
        return false;
    }
}

void VqsSetHideLockProgressHook(VqsHideLockProgressHook hook) { g_hideLockProgress.store(hook); }

void VqsHideLockProgress()
{
    if (VqsHideLockProgressHook hook = g_hideLockProgress.load())
        hook();
}
