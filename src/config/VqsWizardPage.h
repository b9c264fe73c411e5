// The base of the configuration wizards' pages: the wizard-button post, the focus move
// and the locking under a lock scope that every page of these wizards does.
#pragma once

#include "config/VqsCreatingWizard.h"
#include "shell/VqsPropertyPage.h"
#include "win/CString.h"
#include "win/Collections.h"

#include <functional>

class PxVQLink;
class VqsLockBag;
class VqsModelNodeEnterprise;
class VqsOptCtrlString;

constexpr LRESULT kWizardStay = -1;
constexpr LRESULT kWizardOnward = 0;

// Tells the user that a name a page checked is taken now, at the page's field; empty when
// the names are free.
using VqsNameTaken = std::function<void()>;

class VqsWizardPage : public VqsPropertyPage {
public:
    VqsWizardPage(UINT templateId, UINT captionId);
    ~VqsWizardPage() override;

    // Where every page's Finish ends once the page has checked and locked what it needs:
    // the creation of a creating wizard runs here; TRUE ends the wizard.
    BOOL OnWizardFinish() override;
    // Shows this page and refuses a Finish at its field: the focus on the field, then the
    // error box with the text.
    void RefuseFinishAt(const CString& text, int id);
    void RefuseFinishAt(UINT messageId, int id);

protected:
    // Posts the buttons (PSWIZB_ flags) to the sheet the page sits in.
    void PostWizardButtons(DWORD buttons);
    // Posts the buttons only when they differ from `posted`, which then holds them.
    void PostChangedWizardButtons(DWORD buttons, DWORD& posted);
    // Moves the focus to the control (WM_NEXTDLGCTL).
    void FocusControl(int id);
    // Whether the wizard's creation takes the Finish locks in its own lock step (with every
    // other lock of the Finish, in one order); otherwise the page takes them.
    BOOL CreationLocksFinish();
    // The Finish of a page that has checked its values: the Finish bag write-locked, unless
    // the creation locks it, then the wizard's Finish.
    BOOL LockAndFinish(VqsLockBag& finishBag);
    // The error box with the string's text, then the focus on the control.
    void RefuseAt(UINT messageId, int id);
    // Locks every object of the bag once more with the kind, under a lock scope on the
    // session link; 0 when refused (the lock layer has told the user).
    int LockBagObjects(VqsLockBag& bag, int kind);
    // Runs a page's locking, in a creating wizard within a lock step; 0 when a lock is
    // refused.
    int LockForPage(const std::function<int()>& lock);
    // The wizard the page sits in when it is one whose Finish creates; null otherwise.
    VqsCreatingWizard* CreatingWizard();
    static PxVQLink* SessionLink();
    // Whether a combo's notification tells of a replacement being typed or chosen.
    static BOOL IsComboEdit(int code);
    // Whether the notification tells that the selection of the list control changed.
    static BOOL IsSelectionChange(LPARAM lParam, int listId);
    // Loads the enterprise's packs again and locks each into `packs`, read again under its
    // lock; the pack nodes into `nodes`. 0 when a lock is refused.
    int LockPacks(VqsModelNodeEnterprise* enterprise, VqsLockBag& packs, CObList& nodes);

    // The shift marks of a field whose double-byte runs the host shows between marks; each
    // does nothing when `marks` (the wizard's segment asks for them) is FALSE or the text has
    // no double-byte character.
    // The control shows `text` with marks, within `length` bytes, while the value keeps it
    // without; FALSE when nothing was shown.
    BOOL ShowShiftMarked(BOOL marks, VqsOptCtrlString& field, int length, const CString& text);
    // The value becomes what the control shows, with marks put in where needed.
    void TakeShiftMarked(BOOL marks, VqsOptCtrlString& field, int length);
    // When the control shows double-byte text, the value becomes `text` without marks;
    // FALSE when it does not.
    static BOOL StripShiftMarks(BOOL marks, VqsOptCtrlString& field, const CString& text);
};
