// The application's frames as the host reaches them through its exported calls.
#include "shell/VqsSysApp.h"

#include "hosts/VqsHostListFrame.h"
#include "proxy/PxObjectKind.h"
#include "shell/VqsListFrame.h"
#include "shell/VqsMsgBox.h"
#include "sysview/VqsSysFrame.h"
#include "win/LibraryLoader.h"

#include <cstring>
#include <vector>

namespace {

constexpr UINT IDS_INVALID_MENU_ARGUMENT = 61661;
constexpr UINT ID_EDIT_DELETE = 57632;

struct VqsHostCommand {
    const char* name;
    UINT id;
};

// The host's names of commands, in the order the full command report sends them.
constexpr VqsHostCommand kHostCommands[] = {
    {"options", 32772},
    {"openSelected", 32775},
    {"openCurrent", 32825},
    {"add", 32774},
    {"go", 32826},
    {"delete", ID_EDIT_DELETE},
    {"cutSelection", 57635},
    {"copySelection", 57634},
    {"pasteSelection", 57637},
    {"load", 32820},
    {"extract", 32821},
    {"print", 57607},
    {"refresh", 32805},
    {"status", 32804},
    {"fonts", 32827},
};

struct CommandState {
    BOOL enabled;
    BOOL checked;
};

CommandState StateOf(VqsListFrame& frame, UINT id)
{
    int enabled = 0;
    int checked = 0;
    frame.GetCommandState(id, &enabled, &checked);
    return {enabled, checked};
}

// The id reported on its own, then under each host name it has; a full report sends
// "delete" three times: as it is, the other way round, and as it is again.
void ReportCommand(VqsListFrame& frame, UINT id, bool fullReport)
{
    const CommandState state = StateOf(frame, id);
    frame.ReportCommandState(nullptr, id, state.enabled, state.checked);
    for (const VqsHostCommand& command : kHostCommands) {
        if (command.id != id)
            continue;
        frame.ReportCommandState(command.name, 0, state.enabled, state.checked);
        if (fullReport && id == ID_EDIT_DELETE) {
            frame.ReportCommandState(command.name, 0, !state.enabled, state.checked);
            frame.ReportCommandState(command.name, 0, state.enabled, state.checked);
        }
    }
}

HWND AddOpenedFrame(CTypedPtrList<CObList, VqsListFrame*>& frames, VqsListFrame* frame)
{
    if (!frame)
        return nullptr;
    frames.AddTail(frame);
    return frame->GetSafeHwnd();
}

} // namespace

HWND VqsSysApp::OpenSystemView(HWND host, VqsViewUpdateCallBack update, VqsViewMessageCallBack message)
{
    const HWND frame = AddOpenedFrame(m_frames, VqsSysFrame::CreateSystemFrame(host, update, message, &m_viewFont));
    if (frame)
        m_hCurrentFrame = frame;
    return frame;
}

HWND VqsSysApp::OpenHostView(HWND host, VqsViewUpdateCallBack update, VqsViewMessageCallBack message)
{
    return AddOpenedFrame(m_frames, VqsHostListFrame::CreateHostFrame(host, update, message, &m_viewFont));
}

void VqsSysApp::CloseView(HWND frame)
{
    if (VqsListFrame* closing = FindFrameByHandle(frame)) {
        RemoveFrame(closing);
        closing->DestroyWindow();
    }
    CWnd* active = GetFirstActiveFrame();
    m_hCurrentFrame = active ? active->GetSafeHwnd() : nullptr;
}

void VqsSysApp::DestroyFrames()
{
    while (!m_frames.IsEmpty()) {
        VqsListFrame* frame = m_frames.RemoveTail();
        if (!frame->GetSafeHwnd() || !frame->DestroyWindow())
            delete frame;
    }
    m_hCurrentFrame = nullptr;
}

VqsListFrame* VqsSysApp::FindFrameByHandle(HWND frame)
{
    for (POSITION pos = m_frames.GetHeadPosition(); frame && pos;) {
        VqsListFrame* candidate = m_frames.GetNext(pos);
        if (candidate->GetSafeHwnd() == frame)
            return candidate;
    }
    return nullptr;
}

void VqsSysApp::RemoveFrame(VqsListFrame* frame)
{
    if (POSITION pos = m_frames.Find(frame))
        m_frames.RemoveAt(pos);
}

BOOL VqsSysApp::AddMenuItems(HWND frame, VqsMenuItemCallBack callback)
{
    VqsListFrame* target = callback ? FindFrameByHandle(frame) : nullptr;
    if (!target) {
        VqsErrorBoxId(IDS_INVALID_MENU_ARGUMENT);
        return FALSE;
    }
    return target->AddMenuItems(callback);
}

void VqsSysApp::ImplementCommandID(HWND frame, UINT id)
{
    if (VqsListFrame* target = FindFrameByHandle(frame))
        target->PostMessage(WM_COMMAND, id, 0);
}

BOOL VqsSysApp::ImplementCommandName(HWND frame, LPCTSTR name)
{
    if (!AfxIsValidString(name))
        return FALSE;
    for (const VqsHostCommand& command : kHostCommands) {
        if (std::strcmp(command.name, name) == 0) {
            ImplementCommandID(frame, command.id);
            return TRUE;
        }
    }
    return FALSE;
}

void VqsSysApp::UpdateCommands(HWND frame, UINT id)
{
    VqsListFrame* target = FindFrameByHandle(frame);
    if (!target)
        return;
    if (id != 0) {
        ReportCommand(*target, id, false);
        return;
    }
    if (target->GetActiveFrame() == target)
        target->CheckStaleViews();
    const CMap<UINT, UINT, CString, LPCTSTR>& table = target->GetCommandTable();
    for (POSITION pos = table.GetStartPosition(); pos;) {
        UINT command = 0;
        CString parent;
        table.GetNextAssoc(pos, command, parent);
        ReportCommand(*target, command, true);
    }
    for (const VqsHostCommand& command : kHostCommands) {
        if (table.PLookup(command.id))
            continue;
        const CommandState state = StateOf(*target, command.id);
        target->ReportCommandState(command.name, 0, state.enabled, state.checked);
    }
}

void VqsSysApp::SetFont(HWND frame, const LOGFONT* font)
{
    if (!font || !AfxIsValidString(reinterpret_cast<LPCSTR>(font), sizeof(LOGFONT)))
        return;
    std::memcpy(&m_viewFont, font, sizeof m_viewFont);
    if (VqsListFrame* target = FindFrameByHandle(frame))
        target->SetFont(&m_viewFont);
}

BOOL VqsSysApp::CanChangeLongNamesFlag() const
{
    return !m_pEnterprise || m_pEnterprise->CountOfItems(PxKindSystem) == 0;
}

void VqsSysApp::ChangeLongNamesFlag(BOOL allow)
{
    if (CanChangeLongNamesFlag() && (allow != 0) != (m_bAllowLongNames != 0))
        m_bAllowLongNames = allow;
}

void VqsSysApp::OnHostIdle()
{
    // Renames and creations still to come in a pending host transaction need what the
    // prepare locked, unless it has failed.
    if (!m_bTransactionPending)
        ReleasePreparedState();
    else
        CheckHostTransactionFailed();
    OnIdle(1);
    VqsEndOfAction();
}
