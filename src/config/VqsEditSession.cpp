#include "config/VqsEditSession.h"

#include "model/VqsLockScope.h"
#include "model/VqsModelNode.h"
#include "model/VqsTransaction.h"
#include "proxy/VqException.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsOptCtrl.h"
#include "shell/VqsSysApp.h"
#include "win/CButton.h"
#include "win/CDialog.h"

namespace {

constexpr UINT IDS_ITEM_DELETED = 61746;
constexpr UINT IDS_CONTENTS_CHANGED = 61747;

} // namespace

VqsEditSession::VqsEditSession(CDialog* dialog, CButton* okButton, UINT reloadErrorId, std::function<BOOL()> reload)
    : m_pDialog(dialog), m_pOkButton(okButton), m_nReloadErrorId(reloadErrorId), m_reload(std::move(reload))
{
}

VqsEditSession::~VqsEditSession() = default;

void VqsEditSession::Record(VqsModelNode* node, const PxObjectEdition& edition, int editLock)
{
    Entry entry{node, std::make_unique<VqsLockBag>(VqsNoLock), editLock, edition};
    entry.bag->LockNode(node);
    m_entries.push_back(std::move(entry));
}

BOOL VqsEditSession::LoadOpened(VqsLockBag& openerBag, UINT errorId, const std::function<BOOL()>& load)
{
    return VqsLoadOpened(m_pDialog, openerBag, errorId, load, [this] { return ReportDeleted(); });
}

BOOL VqsEditSession::LockForUpdate(BOOL* reloaded)
{
    BOOL ignored = FALSE;
    BOOL* out = reloaded ? reloaded : &ignored;
    *out = FALSE;
    if (m_bDeleted || m_bRefused)
        return FALSE;
    if (m_bLocked)
        return TRUE;
    {
        VqsLockScope scope(VqsSessionLink());
        for (Entry& entry : m_entries) {
            if (!entry.bag->LockObjects(entry.editLock)) {
                // A refusal told ends the editing, as a deletion does: the next keystroke would
                // only be refused again. A wait the user gave up leaves the dialog as it was.
                if (entry.bag->IsRefusalTold())
                    EndEditing(m_bRefused);
                // What the change was granted before the refusal goes back with it.
                Release();
                return FALSE;
            }
        }
    }
    m_bLocked = TRUE;
    if (ReportDeleted())
        return FALSE;
    return ReloadWhenChanged(out);
}

BOOL VqsEditSession::ReportDeleted()
{
    for (Entry& entry : m_entries) {
        if (entry.bag->ReportDeleted(IDS_ITEM_DELETED, entry.node)) {
            EndEditing(m_bDeleted);
            return TRUE;
        }
    }
    return FALSE;
}

void VqsEditSession::EndEditing(BOOL& reason)
{
    reason = TRUE;
    if (m_pOkButton && m_pOkButton->m_hWnd)
        m_pOkButton->EnableWindow(FALSE);
}

BOOL VqsEditSession::ReloadWhenChanged(BOOL* reloaded)
{
    std::vector<Entry*> changed;
    for (Entry& entry : m_entries) {
        if (!entry.edition.IsLatestEdition())
            changed.push_back(&entry);
    }
    if (changed.empty())
        return TRUE;
    VqsMessageBoxId(IDS_CONTENTS_CHANGED);
    try {
        for (Entry* entry : changed)
            entry->node->Refresh();
        if (!m_reload())
            return FALSE;
        for (Entry& entry : m_entries)
            entry.edition = entry.node->GetObject()->GetObjectEdition();
    } catch (const VqReportableException& error) {
        ShowErrorById(m_nReloadErrorId, error);
        m_pDialog->EndDialog(IDCANCEL);
        return FALSE;
    }
    *reloaded = TRUE;
    return TRUE;
}

BOOL VqsEditSession::OnControlChanged(VqsOptCtrl& binder)
{
    if (!binder.SaveStateAndCompare())
        return FALSE;
    if (!LockForUpdate() || !m_pDialog->UpdateData(TRUE)) {
        binder.Revert();
        return FALSE;
    }
    m_bModified = TRUE;
    return TRUE;
}

BOOL VqsEditSession::LockForWriteAfter(const std::function<BOOL()>& lockAbove)
{
    Release();
    if (!lockAbove())
        return FALSE;
    {
        VqsLockScope scope(VqsSessionLink());
        for (Entry& entry : m_entries) {
            if (!entry.bag->LockObjects(entry.editLock == VqsFutureUpdateLock ? VqsWriteLock : entry.editLock)) {
                Release();
                return FALSE;
            }
        }
    }
    m_bLocked = TRUE;
    BOOL reloaded = FALSE;
    if (ReportDeleted() || !ReloadWhenChanged(&reloaded) || reloaded) {
        Release();
        return FALSE;
    }
    return TRUE;
}

void VqsEditSession::Release()
{
    for (Entry& entry : m_entries)
        entry.bag->Release();
    m_bLocked = FALSE;
}

BOOL VqsEditWritten(VqsModelNode* node)
{
    if (!VqsTransaction::IsOk()) {
        VqsTransaction::RereadAfterFailure([node] { node->Refresh(); });
        return FALSE;
    }
    node->NotifyChanged();
    return TRUE;
}

BOOL VqsCreationWritten(VqsModelNode* parent, bool created)
{
    if (!VqsTransaction::IsOk() || !created) {
        VqsTransaction::RereadAfterFailure([parent] { parent->Refresh(); });
        return FALSE;
    }
    return TRUE;
}

PxVQLink* VqsSessionLink()
{
    VqsSysApp* app = VqsGetApp();
    return app ? app->GetLink() : nullptr;
}

BOOL VqsLoadOpened(CDialog* dialog, VqsLockBag& openerBag, UINT errorId, const std::function<BOOL()>& load,
                   const std::function<BOOL()>& toldGone)
{
    if (toldGone && toldGone()) {
        openerBag.Release();
        dialog->EndDialog(IDCANCEL);
        return FALSE;
    }
    BOOL loaded = FALSE;
    try {
        loaded = load();
    } catch (const VqReportableException& error) {
        openerBag.Release();
        ShowErrorById(errorId, error);
        dialog->EndDialog(IDCANCEL);
        return FALSE;
    }
    openerBag.Release();
    return loaded;
}
