// The host's side of the module's modal user interface: the script queues what the next
// message box or dialog is expected to be, what is done in a dialog and how it is answered;
// each box and dialog prints a line when it ends. A box nothing was queued for takes its
// default button, a dialog is cancelled.
#pragma once

#include "win/UiDriver.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class HostUiDriver : public vqui::UiDriver {
public:
    // Reports a script line whose expectation was not met.
    using ErrorSink = std::function<void(int line, const std::string& message)>;
    explicit HostUiDriver(ErrorSink onError) : m_onError(std::move(onError)) {}

    // The next box shows this text, or the text of this string id (looked up when it shows).
    void ExpectMessage(int line, const std::string& text);
    void ExpectMessageId(int line, UINT stringId);
    void ExpectDialog(int line, UINT templateId);
    // An action in the dialog expected last; false when no dialog is expected.
    bool AddDialogAction(const vqui::UiAction& action);
    // Ends the expected box or dialog with this result; without an expectation, the next
    // box or dialog, whatever it is.
    void Answer(int line, int result);
    // Reports every expectation that nothing met.
    void ReportUnmet();

    vqui::UiAction NextAction(const vqui::UiEvent& event) override;
    void ActionFailed(const vqui::UiEvent& event, const vqui::UiAction& action, const std::string& reason) override;
    void Ended(const vqui::UiEvent& event, int result) override;

    // "IDOK" ... "IDNO"; -1 for another name.
    static int NamedResult(const std::string& name);
    static std::string ResultText(int result);

private:
    struct Step {
        enum class Kind { Message, Dialog, Any };
        Kind kind = Kind::Any;
        int line = 0;
        std::string expected;
        std::optional<UINT> stringId;  // of an expected message given by its id
        std::vector<vqui::UiAction> actions;
        std::optional<int> answer;
    };
    // A dialog on the screen and what is left to do in it.
    struct OpenDialog {
        HWND window;
        Step step;
        std::size_t done;
    };

    vqui::UiAction AnswerMessageBox(const vqui::UiEvent& event);
    vqui::UiAction ActInDialog(const vqui::UiEvent& event);
    OpenDialog& Open(const vqui::UiEvent& event);
    std::optional<Step> TakeStep();
    static std::string ExpectedText(const Step& step);
    std::string Describe(const Step& step) const;

    ErrorSink m_onError;
    std::deque<Step> m_steps;
    std::vector<OpenDialog> m_dialogs;
};
