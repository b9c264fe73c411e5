// The host's side of the module's modal user interface: the script queues what the next
// message box or dialog is expected to be, what is done in it and how it is answered; each
// box shown prints a line. A box nobody queued for takes its default button.
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

    // The next box shows this text, or the text of this string id.
    void ExpectMessage(int line, const std::string& textOrId);
    void ExpectDialog(int line, UINT templateId);
    // A control action in the dialog expected last; false when no dialog is expected.
    bool AddDialogAction(const std::string& action);
    // Ends the expected box or dialog with this result; without an expectation, the next
    // box or dialog, whatever it is.
    void Answer(int line, int result);
    // Reports every expectation that nothing met.
    void ReportUnmet();

    vqui::UiAction NextAction(const vqui::UiEvent& event) override;

    // "IDOK" ... "IDNO" or a number; -1 for neither.
    static int ParseResult(const std::string& name);
    static std::string ResultText(int result);

private:
    struct Step {
        enum class Kind { Message, Dialog, Any };
        Kind kind = Kind::Any;
        int line = 0;
        std::string expected;
        std::vector<std::string> actions;
        std::optional<int> answer;
    };

    vqui::UiAction AnswerMessageBox(const vqui::UiEvent& event);
    std::string Describe(const Step& step) const;

    ErrorSink m_onError;
    std::deque<Step> m_steps;
};
