// The module's message boxes under their three captions, and the error report.
#pragma once

#include "win/Types.h"

class VqException;
struct MSG;

// Kinds of box, each with its caption: 0 error "Wrenfield Error", 1 message
// "Wrenfield Message", 2 confirm "Please confirm".
enum VqsBoxKind { VqsBoxError = 0, VqsBoxMessage = 1, VqsBoxConfirm = 2 };

// The core: shows the box under the caption of its kind (the application's title for any
// other kind) and returns the button that ended it. helpId 0 means no help.
// An error that names the lost connection to the repository's server ("the connection to the
// server of URI was lost.", or a commit's "this session's locks on the server of URI were lost
// with its connection to the server") is shown once a command of the host, followed by the way out
// (string 62477: close the session and open it again); later ones, in the dialogs the command
// opened too, show nothing and answer IDOK. The host's idle call ends a command.
int VqsShowMessageBox(int kind, LPCTSTR text, UINT flags, UINT helpId);
// The same with the text of a string id ("<String not found for ID=...>" when it has none).
int VqsShowMessageBoxId(UINT stringId, int kind, UINT flags, UINT helpId);

int VqsErrorBox(LPCTSTR text, UINT helpId = 0);
int VqsMessageBox(LPCTSTR text, UINT helpId = 0);
// TRUE on Yes.
BOOL VqsQuestionBox(LPCTSTR text, UINT helpId = 0);
BOOL VqsConfirmBox(LPCTSTR text, UINT helpId = 0);
// FALSE on Cancel, `yes` untouched; otherwise TRUE and `yes` tells whether it was Yes.
BOOL VqsQuestionCancelBox(BOOL& yes, LPCTSTR text, UINT helpId = 0);
BOOL VqsConfirmCancelBox(BOOL& yes, LPCTSTR text, UINT helpId = 0);

int VqsErrorBoxId(UINT stringId, UINT helpId = 0);
int VqsMessageBoxId(UINT stringId, UINT helpId = 0);
BOOL VqsQuestionBoxId(UINT stringId, UINT helpId = 0);
BOOL VqsConfirmBoxId(UINT stringId, UINT helpId = 0);
BOOL VqsQuestionCancelBoxId(BOOL& yes, UINT stringId, UINT helpId = 0);
BOOL VqsConfirmCancelBoxId(BOOL& yes, UINT stringId, UINT helpId = 0);

// Whether the text names the lost connection to the repository's server.
BOOL VqsNamesLostConnection(LPCTSTR text);
// Whether the failure is the lost connection to the repository's server. It is the session's,
// never one row's or value's: a read that leaves out a row or a value it cannot read passes
// it on (`throw;`), so that the command that met it tells the user.
BOOL VqsIsLostConnection(const VqException& error);
// Whether the failure is a store that another session kept busy past its wait: nothing could be
// read, so a count that would read a failure as none (the restart offer) passes it on.
BOOL VqsIsStoreBusy(const VqException& error);
// Whether a row's read of the locks failed for the session, not for the row: its connection
// lost, or the lock store busy. A list that leaves out a row it cannot read passes such a
// failure on, so that its command says so in one box instead of listing nothing.
BOOL VqsIsSessionFailure(const VqException& error);
// The host is idle: the next lost connection or failure is the next command's, and is shown
// again.
void VqsEndOfAction();
// A modal window waits for the user's next action: a failure met again is shown again (a lost
// connection is not, until the command ends).
void VqsEndOfDialogAction();

// Shows "context:\nmessage" (string 61665) in the error box, after taking down the lock
// progress display so that it does not cover the box. The refusal of a failed transaction
// (" The transaction was rolled back.") that this action showed already, met again by a
// later statement of that transaction, shows nothing.
void VqsReportError(LPCTSTR context, const VqException& error);
// The failure's message in the error box, on the same terms.
void VqsErrorBoxOf(const VqException& error);
// The same with the text of a string id as the context ("Error" when it has none).
void ShowErrorById(UINT stringId, const VqException& error);

// Tells the user with the message (61746 "%1 item has been deleted." or one of its kin) that
// another user deleted an object of the kind: %1 is the kind's display name, "Some object"
// (61749) for PxKindNone. The one place that makes these texts; a repository failure that
// names the kind of the object it found gone is told so by the error reports above too.
void VqsTellItemDeleted(UINT messageId, int objectKind);
// How many times the user has been told so, for a step that must tell once.
unsigned VqsDeletionsTold();

// The window layer's hook while the module is started: a repository or module exception
// that ends one of the module's window handlers is shown in the error box with its message,
// and goes no further; any other exception passes on (false). A dialog whose WM_INITDIALOG
// ended so (its first load failed) is cancelled, with the dialog or sheet it sits in.
bool VqsReportHandlerFailure(const MSG& message);

// Takes down the lock progress display of the session link before an error box is shown.
// The lock manager installs it when it starts; until then nothing is shown that needs it.
using VqsHideLockProgressHook = void (*)();
void VqsSetHideLockProgressHook(VqsHideLockProgressHook hook);
void VqsHideLockProgress();
