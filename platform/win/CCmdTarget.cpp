#include "win/CCmdTarget.h"

#include "win/CMenu.h"
#include "win/CWnd.h"

#include <mutex>

namespace {

std::mutex g_waitCursorMutex;
vqwin::WaitCursorState g_waitCursor{};

bool IsEndOfMap(const AFX_MSGMAP_ENTRY& entry) { return !entry.pfnCommand && !entry.pfnMessage; }

bool Matches(const AFX_MSGMAP_ENTRY& entry, UINT message, UINT code, UINT id)
{
    return entry.nMessage == message && entry.nCode == code && id >= entry.nID && id <= entry.nLastID;
}

void BeginWait()
{
    std::lock_guard lock(g_waitCursorMutex);
    ++g_waitCursor.depth;
    ++g_waitCursor.begins;
}

void EndWait()
{
    std::lock_guard lock(g_waitCursorMutex);
    if (g_waitCursor.depth > 0)
        --g_waitCursor.depth;
    ++g_waitCursor.ends;
}

void RestoreWait()
{
    std::lock_guard lock(g_waitCursorMutex);
    ++g_waitCursor.restores;
}

} // namespace

void CCmdUI::Enable(BOOL on)
{
    m_bEnableChanged = TRUE;
    if (m_pMenu && !m_pSubMenu)
        m_pMenu->EnableMenuItem(m_nIndex, MF_BYPOSITION | (on ? MF_ENABLED : MF_GRAYED));
    else if (m_pOther)
        m_pOther->EnableWindow(on);
}

void CCmdUI::SetCheck(int check)
{
    if (m_pMenu && !m_pSubMenu)
        m_pMenu->CheckMenuItem(m_nIndex, MF_BYPOSITION | (check ? MF_CHECKED : MF_UNCHECKED));
}

void CCmdUI::SetRadio(BOOL on) { SetCheck(on ? 1 : 0); }

void CCmdUI::SetText(LPCTSTR text)
{
    if (m_pOther)
        m_pOther->SetWindowText(text);
}

BOOL CCmdUI::DoUpdate(CCmdTarget* target, BOOL disableIfNoHandler)
{
    m_bEnableChanged = FALSE;
    BOOL handled = target->OnCmdMsg(m_nID, static_cast<int>(CN_UPDATE_COMMAND_UI), this, nullptr);
    if (disableIfNoHandler && !m_bEnableChanged) {
        AFX_CMDHANDLERINFO info{nullptr, nullptr};
        Enable(target->OnCmdMsg(m_nID, CN_COMMAND, this, &info));
    }
    return handled;
}

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, nullptr, nullptr}};
    static const AFX_MSGMAP map = {nullptr, &entries[0]};
    return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(UINT message, UINT code, UINT id) const
{
    for (const AFX_MSGMAP* map = GetMessageMap(); map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* entry = map->lpEntries; !IsEndOfMap(*entry); ++entry) {
            if (Matches(*entry, message, code, id))
                return entry;
        }
    }
    return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo)
{
    UINT message = WM_COMMAND;
    UINT entryCode = static_cast<UINT>(code);
    if (entryCode != CN_UPDATE_COMMAND_UI && HIWORD(entryCode) != 0) {
        message = HIWORD(entryCode);
        entryCode = LOWORD(entryCode);
    }
    const AFX_MSGMAP_ENTRY* entry = FindMessageEntry(message, entryCode, id);
    if (!entry || !entry->pfnCommand)
        return FALSE;
    if (handlerInfo) {
        handlerInfo->pTarget = this;
        handlerInfo->pfnCommand = entry->pfnCommand;
        return TRUE;
    }
    return entry->pfnCommand(this, id, extra);
}

void CCmdTarget::BeginWaitCursor() { BeginWait(); }

void CCmdTarget::EndWaitCursor() { EndWait(); }

void CCmdTarget::RestoreWaitCursor() { RestoreWait(); }

CWaitCursor::CWaitCursor() { BeginWait(); }

CWaitCursor::~CWaitCursor() { EndWait(); }

void CWaitCursor::Restore() { RestoreWait(); }

namespace vqwin {

WaitCursorState GetWaitCursorState()
{
    std::lock_guard lock(g_waitCursorMutex);
    return g_waitCursor;
}

void ResetWaitCursorState()
{
    std::lock_guard lock(g_waitCursorMutex);
    g_waitCursor = WaitCursorState{};
}

} // namespace vqwin
