// The driven modal loop of dialogs, property sheets and wizards: it handles what is posted
// to the thread and, whenever nothing is waiting, asks the installed UI driver what the
// user does next (see UiDriver.h).
#pragma once

#include "win/UiDriver.h"

#include <functional>
#include <string>

class CWnd;

namespace vqui {

// What a modal window tells the loop about itself.
class ModalWindow {
public:
    virtual ~ModalWindow() = default;
    virtual CWnd& Window() = 0;
    // The event the driver sees now (caption, template, active page).
    virtual UiEvent Describe() = 0;
    // The control an action names; null when there is none.
    virtual HWND FindControl(int id) = 0;
    // Presses a button; throws UserActionError when it cannot be pressed.
    virtual void Press(int buttonId) = 0;
    // Ends the window with `result`, without asking it.
    virtual void End(int result) = 0;
    // The result the window ended with.
    virtual int Result() = 0;

protected:
    // Throws UserActionError when the button (null: none with that id) cannot be pressed;
    // OK and Cancel can always be pressed, as Enter and Escape press them.
    static void CheckPressable(HWND button, int buttonId, const char* windowKind);
    // Presses the button as a user's click does: the button takes the focus first (so the
    // control that had it hears of losing it before the command), then its parent gets
    // BN_CLICKED. Without a button (OK and Cancel), `window` gets the command as Enter or
    // Escape gives it.
    static void PressAsClick(HWND button, HWND window, int buttonId);
};

// Tells the driver that the window has opened.
void AnnounceOpened(const UiEvent& event);

// The modal loops' idle: called on the loop's thread each time a modal window waits for the
// user's next action, where a desktop modal loop goes idle (WM_KICKIDLE). Null for none.
using ModalIdleHook = void (*)();
void SetModalIdleHook(ModalIdleHook hook);

// Runs the loop until the window's modal state ends (CWnd::ContinueModal) and returns the
// window's result; -1 when WM_QUIT arrived, which stays queued for the outer loop. The
// driver is asked only while the window is visible and not minimised, and told when it stops
// being so after it was asked; with no driver the window is cancelled. The end goes to the
// transcript and to the driver.
int RunDrivenModalLoop(ModalWindow& window);

// A common dialog (file, folder, printer) has no window to drive: the driver is asked until
// it ends the dialog or chooses an answer that `refusal` accepts (an empty reason; it may
// complete the choice, say with a default extension); a refused choice goes to the
// driver's ActionFailed. With no driver the dialog is cancelled. The
// answer goes to the transcript and to the driver.
struct CommonDialogAnswer {
    int result = IDCANCEL;  // IDOK with a choice
    CString text;
    int option = 0;
};
CommonDialogAnswer AskCommonDialog(const UiEvent& event, const std::function<std::string(UiAction&)>& refusal);

} // namespace vqui
