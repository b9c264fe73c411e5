// The edit protocol of the configuration dialogs: the objects the dialog edits are recorded
// when it opens, without a lock; the first real change locks them for update and finds out
// whether another user deleted them (OK is then disabled) or committed a newer edition
// (the dialog reloads); OK gives that lock back, locks what it checks above them, then
// write-locks them.
#pragma once

#include "model/VqsLockBag.h"
#include "proxy/PxObjectEdition.h"
#include "win/Types.h"

#include <functional>
#include <memory>
#include <vector>

class CButton;
class PxVQLink;
class CDialog;
class VqsModelNode;
class VqsOptCtrl;

// The link of the open session; null without the application.
PxVQLink* VqsSessionLink();

// After the transaction that wrote an edit of the node: FALSE when it failed (the node is
// read again); else the views hear of the change and TRUE.
BOOL VqsEditWritten(VqsModelNode* node);
// After the transaction that created an object under the node: FALSE when it failed or made
// nothing (the node is read again).
BOOL VqsCreationWritten(VqsModelNode* parent, bool created);
// The first load of an edit dialog while the opener's lock in `openerBag` holds; the lock is
// given back either way. FALSE when `load` answers FALSE (it told the user why) or throws a
// reportable exception, which is shown with `errorId` before the dialog ends as Cancel.
// `toldGone`, asked first, answers TRUE when it told the user that another user deleted what
// the dialog edits: nothing is loaded and the dialog ends as Cancel before it shows.
BOOL VqsLoadOpened(CDialog* dialog, VqsLockBag& openerBag, UINT errorId, const std::function<BOOL()>& load,
                   const std::function<BOOL()>& toldGone = {});

class VqsEditSession {
public:
    // `reload` reads the dialog's fields again after a newer edition was found; it may throw
    // a reportable exception (shown with `reloadErrorId`, the dialog then ends as Cancel)
    // and answers FALSE when it could not reload for a reason it reported itself.
    VqsEditSession(CDialog* dialog, CButton* okButton, UINT reloadErrorId, std::function<BOOL()> reload);
    ~VqsEditSession();
    VqsEditSession(const VqsEditSession&) = delete;
    VqsEditSession& operator=(const VqsEditSession&) = delete;

    // Records the node's object with the edition the opener saw. At the first change it
    // is locked with `editLock`; OK write-locks only the objects edited with a future-update
    // lock, the others are only watched.
    void Record(VqsModelNode* node, const PxObjectEdition& edition, int editLock = VqsFutureUpdateLock);
    // The first load once the objects are recorded, as VqsLoadOpened: an object another user
    // deleted before it was recorded is told with 61746.
    BOOL LoadOpened(VqsLockBag& openerBag, UINT errorId, const std::function<BOOL()>& load);
    // The lock of the first change; FALSE when refused or an object is gone, and from then on
    // (OK disabled) once the refusal was told. `reloaded` tells that the fields were read again.
    BOOL LockForUpdate(BOOL* reloaded = nullptr);
    // A control changed: locks for update, takes the value, and marks the dialog modified;
    // the control shows its saved value again when that fails. TRUE when the change holds.
    BOOL OnControlChanged(VqsOptCtrl& binder);
    // OK's locks in the order every writer takes them (OK writes or checks an object above
    // the edited ones: the enterprise or the owner whose names it checks): the locks of the first change are given back, `lockAbove` locks that object, then the
    // edited objects are write-locked and checked again as the first change checks them
    // (another user deleted them: 61746 and OK disabled; changed them: 61747 and the fields
    // read again). FALSE when a lock was refused or an object is gone or changed; the edited
    // objects are then held by nothing and the next change locks them again.
    BOOL LockForWriteAfter(const std::function<BOOL()>& lockAbove);
    // Gives back one hold of every recorded object's locks; the next change locks again.
    void Release();

    BOOL IsDeleted() const { return m_bDeleted; }
    // OK has nothing to write: the objects are gone or nothing was changed.
    BOOL HasNothingToSave() const { return m_bDeleted || !m_bModified; }
    BOOL IsModified() const { return m_bModified; }
    BOOL IsLocked() const { return m_bLocked; }
    void SetModified() { m_bModified = TRUE; }

private:
    struct Entry {
        VqsModelNode* node;
        std::unique_ptr<VqsLockBag> bag;
        int editLock;
        PxObjectEdition edition;
    };

    BOOL ReportDeleted();
    // No change is taken any more, for `reason`, which is set.
    void EndEditing(BOOL& reason);
    BOOL ReloadWhenChanged(BOOL* reloaded);

    CDialog* m_pDialog;
    CButton* m_pOkButton;
    UINT m_nReloadErrorId;
    std::function<BOOL()> m_reload;
    std::vector<Entry> m_entries;
    BOOL m_bLocked = FALSE;
    BOOL m_bModified = FALSE;
    BOOL m_bDeleted = FALSE;
    BOOL m_bRefused = FALSE;
};
