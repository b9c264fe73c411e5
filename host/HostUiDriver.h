// The host's side of the module's modal user interface: the script queues what the next
// message box, dialog or pop-up menu is expected to be, what is done in a dialog and how it
// is answered; each dialog prints a line when it ends, each pop-up menu its items and the
// command chosen. A box nothing was queued for takes its default button, a menu nothing was
// queued for is dismissed. A dialog answered IDOK or IDCANCEL has that button pressed, so that its handlers
// run as for the user's click (or Enter and Escape); a dialog with nothing more queued is
// cancelled the same way, and ended without its handlers only when it stays open after that.
//
// The session's lock progress dialog is the exception: its lock thread keeps it open for the
// whole session and shows it while a lock waits for another user. The host answers it on
// that thread, as the script chose beforehand (`lock-waits`): it presses Cancel, which gives
// the wait up and leaves the dialog open for the session's later waits, or it lets the wait
// go on. It never takes what the script queued for the boxes of the script's own thread.
#pragma once

#include "win/UiDriver.h"

#include <atomic>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class HostUiDriver : public vqui::UiDriver {
public:
    // Reports a script line whose expectation was not met.
    using ErrorSink = std::function<void(int line, const std::string& message)>;
    // What the script does in a dialog, made when the dialog gets to it: an action for the
    // window, or nothing when the host did it itself (a dump). Throws vqui::UserActionError
    // when it cannot be done.
    using DialogStep = std::function<std::optional<vqui::UiAction>(const vqui::UiEvent& dialog)>;

    // What the user does when the lock progress dialog shows.
    enum class LockWaits { Cancel, Wait };
    static constexpr UINT kLockProgressDialog = 105;

    explicit HostUiDriver(ErrorSink onError) : m_onError(std::move(onError)) {}

    // The script line running now; what goes wrong without an expectation of its own is
    // reported on it.
    void SetCurrentLine(int line) { m_currentLine = line; }

    // The next box shows this text, or the text of this string id (looked up when it shows).
    void ExpectMessage(int line, const std::string& text);
    // With arguments, the string's placeholders are filled in: %1 to %9 by number, printf's
    // conversions (%s, %d, ...) in order.
    void ExpectMessageId(int line, UINT stringId, std::vector<std::string> arguments = {});
    void ExpectDialog(int line, UINT templateId);
    // The next pop-up menu; it is dismissed unless a command is chosen for it.
    void ExpectMenu(int line);
    // Chooses the command that `item` names (its id or shown text, found when the menu shows)
    // in the pop-up menu expected last; false when that menu has a choice or none is expected.
    bool Choose(int line, const std::string& item);
    // Whether a dialog is expected last and still takes steps (it has no answer yet).
    bool TakesDialogSteps() const;
    // A step or an action of script line `line` in the dialog expected last; false when no
    // dialog takes steps.
    bool AddDialogStep(int line, DialogStep step);
    bool AddDialogAction(int line, const vqui::UiAction& action);
    // Ends the expected box or dialog with this result; without an expectation, the next
    // box or dialog, whatever it is. False when a pop-up menu expected last waits for its
    // choice: a menu takes no answer.
    bool Answer(int line, int result);
    // Reports every expectation that nothing met.
    void ReportUnmet();
    // The host's message loop has run everything waiting (`idle`): an expectation queued
    // before it that nothing met is reported and dropped, so that it takes no later box.
    void ReportUnmetAfterIdle();
    // A script line that runs the module (not one that only queues for it) is about to run:
    // an answer without an expectation is for a box of the first such line after it, so one
    // that an earlier such line left is reported and dropped.
    void StartRunningLine();
    void SetLockWaits(LockWaits waits) { m_lockWaits.store(waits); }

    vqui::UiAction NextAction(const vqui::UiEvent& event) override;
    void ActionFailed(const vqui::UiEvent& event, const vqui::UiAction& action, const std::string& reason) override;
    void Withdrawn(const vqui::UiEvent& event) override;
    void Ended(const vqui::UiEvent& event, int result) override;

    // "IDOK" ... "IDNO"; -1 for another name.
    static int NamedResult(const std::string& name);
    static std::string ResultText(int result);

private:
    struct QueuedStep {
        int line;
        DialogStep make;
    };
    struct Step {
        enum class Kind { Message, Dialog, Menu, Any };
        Kind kind = Kind::Any;
        int line = 0;
        std::string expected;
        std::optional<UINT> stringId;  // of an expected message given by its id
        std::vector<std::string> arguments;  // filled into that string
        std::vector<QueuedStep> steps;
        std::optional<int> answer;
        int answerLine = 0;
        std::optional<std::string> choice;  // of a menu: a command's id or shown text (its line: answerLine)
        bool armed = false;  // an answer without an expectation: a running line has begun since
    };
    // How far a dialog on the screen has come towards its end.
    enum class Ending { Acting, Answered, Cancelled };
    // A dialog on the screen and what is left to do in it.
    struct OpenDialog {
        HWND window;
        Step step;
        std::size_t done = 0;
        Ending ending = Ending::Acting;
        int line = 0;  // of the step given to it last
    };

    static bool IsLockProgress(const vqui::UiEvent& event);
    vqui::UiAction AnswerLockProgress(const vqui::UiEvent& event);
    vqui::UiAction AnswerMessageBox(const vqui::UiEvent& event);
    vqui::UiAction ChooseFromMenu(const vqui::UiEvent& event);
    // The command the expected menu's choice names; 0 (dismissed) when it names none.
    UINT ChosenCommand(const Step& step, const vqui::UiEvent& event);
    vqui::UiAction ActInDialog(const vqui::UiEvent& event);
    vqui::UiAction EndDialog(OpenDialog& dialog, const vqui::UiEvent& event);
    OpenDialog& Open(const vqui::UiEvent& event);
    std::optional<Step> TakeStep();
    void ReportNotRun(const OpenDialog& dialog, const vqui::UiEvent& event);
    static std::string ExpectedText(const Step& step);
    std::string Describe(const Step& step) const;

    ErrorSink m_onError;
    std::deque<Step> m_steps;
    std::vector<OpenDialog> m_dialogs;
    int m_currentLine = 0;
    std::atomic<LockWaits> m_lockWaits{LockWaits::Cancel};
    // Whether the lock progress dialog on the screen has had its answer; on its lock thread.
    std::atomic<bool> m_lockProgressAnswered{false};
};
