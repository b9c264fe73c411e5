#include "win/ModalLoop.h"

#include "win/CWinThread.h"
#include "win/CWnd.h"
#include "win/Input.h"
#include "win/Messages.h"
#include "win/UserActions.h"
#include "win/Window.h"

#include <atomic>
#include <string>

namespace vqui {

void ModalWindow::CheckPressable(HWND button, int buttonId, const char* windowKind)
{
    const std::string what = "cannot press button " + std::to_string(buttonId);
    if (button && !::IsWindowEnabled(button))
        throw UserActionError(what + ": it is disabled");
    if (button && !::IsWindowVisible(button))
        throw UserActionError(what + ": it is hidden");
    if (!button && buttonId != IDOK && buttonId != IDCANCEL)
        throw UserActionError(what + ": the " + windowKind + " has no such button");
}

void ModalWindow::PressAsClick(HWND button, HWND window, int buttonId)
{
    const WPARAM command = MAKEWPARAM(static_cast<WORD>(buttonId), BN_CLICKED);
    if (!button) {
        ::SendMessage(window, WM_COMMAND, command, 0);
        return;
    }
    if (::GetFocus() != button)
        ::SetFocus(button);
    if (::IsWindow(button))
        ::SendMessage(::GetParent(button), WM_COMMAND, command, reinterpret_cast<LPARAM>(button));
}

namespace {

std::atomic<ModalIdleHook> g_modalIdle{nullptr};

// Handles one message, waiting for it; false at WM_QUIT, which is posted again.
bool HandleNextMessage()
{
    MSG msg;
    if (!::GetMessage(&msg, nullptr, 0, 0)) {
        ::PostQuitMessage(static_cast<int>(msg.wParam));
        return false;
    }
    if (!AfxPreTranslateMessage(&msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
    return true;
}

bool WaitsForTheUser(HWND hwnd) { return ::IsWindowVisible(hwnd) && !::IsIconic(hwnd); }

HWND KeyTarget(HWND window)
{
    HWND focus = ::GetFocus();
    return focus && (focus == window || ::IsChild(window, focus)) ? focus : window;
}

// As the keyboard delivers a key: down and up, with the modifiers held, each handled through
// the loop's translation (the dialog manager's Tab, Enter and Escape) before the next.
void PressKey(HWND window, const UiAction& action)
{
    const vqwin::KeysHeld held(vqwin::ModifierKeys(action.modifiers));
    ::PostMessage(KeyTarget(window), WM_KEYDOWN, action.key, 1);
    vqwin::PumpPending();
    if (::IsWindow(window))
        ::PostMessage(KeyTarget(window), WM_KEYUP, action.key, static_cast<LPARAM>(0xC0000001u));
    vqwin::PumpPending();
}

void ActOnControl(ModalWindow& window, const UiAction& action)
{
    const std::string what = UserActionName(action.userAction.kind);
    HWND control = window.FindControl(action.controlId);
    if (!control)
        throw UserActionError("cannot " + what + ": there is no control " + std::to_string(action.controlId));
    if (!::IsWindowVisible(control))
        throw UserActionError("cannot " + what + ": control " + std::to_string(action.controlId) + " is hidden");
    Perform(control, action.userAction);
}

void Carry(ModalWindow& window, const UiAction& action)
{
    switch (action.kind) {
    case UiAction::Kind::End:
        window.End(action.result);
        break;
    case UiAction::Kind::Press:
        window.Press(action.controlId);
        break;
    case UiAction::Kind::Act:
        ActOnControl(window, action);
        break;
    case UiAction::Kind::Key:
        PressKey(window.Window().m_hWnd, action);
        break;
    case UiAction::Kind::Wait:
        HandleNextMessage();
        break;
    case UiAction::Kind::Choose:
    case UiAction::Kind::Answer:
        throw UserActionError("a window takes no menu command and no file, folder or printer");
    }
}

// Without a driver the window is cancelled: first as the close box does, then, when it
// refuses, by force.
UiAction CancelWithoutDriver(int turn) { return turn == 0 ? UiAction::Press(IDCANCEL) : UiAction::End(IDCANCEL); }

} // namespace

void SetModalIdleHook(ModalIdleHook hook) { g_modalIdle.store(hook); }

void AnnounceOpened(const UiEvent& event)
{
    if (UiDriver* driver = CurrentUiDriver())
        driver->Opened(event);
}

int RunDrivenModalLoop(ModalWindow& window)
{
    CWnd& wnd = window.Window();
    int turnsWithoutDriver = 0;
    bool quit = false;
    bool asked = false;  // since the window last showed
    // Looked at after each action and message, so that a window hidden and shown again by
    // messages handled in one go is still seen to have stopped waiting.
    const auto noteWithdrawn = [&] {
        if (!asked || !::IsWindow(wnd.m_hWnd) || WaitsForTheUser(wnd.m_hWnd))
            return;
        asked = false;
        if (UiDriver* driver = CurrentUiDriver())
            driver->Withdrawn(window.Describe());
    };
    while (wnd.ContinueModal() && ::IsWindow(wnd.m_hWnd)) {
        if (!vqwin::PumpPending(noteWithdrawn)) {
            quit = true;
            break;
        }
        if (!wnd.ContinueModal() || !::IsWindow(wnd.m_hWnd))
            break;
        noteWithdrawn();
        if (!WaitsForTheUser(wnd.m_hWnd)) {
            if (!HandleNextMessage()) {
                quit = true;
                break;
            }
            continue;
        }
        if (ModalIdleHook idle = g_modalIdle.load())
            idle();
        const UiEvent event = window.Describe();
        UiDriver* driver = CurrentUiDriver();
        asked = driver != nullptr;
        const UiAction action = driver ? driver->NextAction(event) : CancelWithoutDriver(turnsWithoutDriver++);
        try {
            Carry(window, action);
        } catch (const UserActionError& error) {
            if (driver)
                driver->ActionFailed(event, action, error.what());
            else
                window.End(IDCANCEL);
        }
        noteWithdrawn();
    }
    const int result = quit ? -1 : window.Result();
    TranscriptEntry entry;
    entry.event = window.Describe();
    entry.result = result;
    entry.answeredBy = turnsWithoutDriver > 0 ? AnsweredBy::DefaultNoDriver : AnsweredBy::Driver;
    if (UiDriver* driver = CurrentUiDriver())
        driver->Ended(entry.event, result);
    AddToTranscript(std::move(entry));
    return result;
}

CommonDialogAnswer AskCommonDialog(const UiEvent& event, const std::function<std::string(UiAction&)>& refusal)
{
    CommonDialogAnswer answer;
    TranscriptEntry entry;
    entry.event = event;
    UiDriver* driver = CurrentUiDriver();
    if (!driver) {
        entry.answeredBy = AnsweredBy::DefaultNoDriver;
    } else {
        for (;;) {
            UiAction action = driver->NextAction(event);
            if (action.kind == UiAction::Kind::End && action.result == IDOK)
                action = UiAction::Answer(event.text);  // OK takes what the dialog offers
            if (action.kind == UiAction::Kind::End && action.result == IDCANCEL)
                break;
            if (action.kind != UiAction::Kind::Answer) {
                driver->ActionFailed(event, action, "a common dialog ends with OK, Cancel or a choice");
                continue;
            }
            const std::string reason = refusal(action);
            if (reason.empty()) {
                answer = CommonDialogAnswer{IDOK, action.text, action.option};
                break;
            }
            driver->ActionFailed(event, action, reason);
        }
    }
    entry.result = answer.result;
    entry.answer = answer.text;
    if (driver)
        driver->Ended(event, answer.result);
    AddToTranscript(std::move(entry));
    return answer;
}

} // namespace vqui
