#include "HostUiDriver.h"

#include "HostControls.h"
#include "HostOutput.h"

#include "win/Window.h"

#include <algorithm>
#include <cstring>

namespace {

struct ResultName {
    const char* name;
    int result;
};

// The lock progress dialog's text of the kind of object waited for.
constexpr int kLockedObjectKind = 1586;

constexpr ResultName kResults[] = {{"IDOK", IDOK},       {"IDCANCEL", IDCANCEL}, {"IDABORT", IDABORT},
                                    {"IDRETRY", IDRETRY}, {"IDIGNORE", IDIGNORE}, {"IDYES", IDYES},
                                    {"IDNO", IDNO}};

// printf's length modifiers and conversions, as a string of the module writes them.
constexpr const char* kLengthModifiers = "hlLqjzt";
constexpr const char* kConversions = "sdiuxXcfeEgGp";

// %1 to %9 take that argument; a printf conversion (flags, width and precision included)
// takes the next one; %% is a percent sign. A placeholder without its argument stays.
std::string FillArguments(const std::string& text, const std::vector<std::string>& arguments)
{
    if (arguments.empty())
        return text;
    std::string filled;
    std::size_t next = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text[at] != '%' || at + 1 == text.size()) {
            filled += text[at];
            continue;
        }
        if (text[at + 1] == '%') {
            filled += '%';
            ++at;
            continue;
        }
        if (text[at + 1] >= '1' && text[at + 1] <= '9') {
            const std::size_t number = static_cast<std::size_t>(text[at + 1] - '1');
            filled += number < arguments.size() ? arguments[number] : text.substr(at, 2);
            ++at;
            continue;
        }
        std::size_t end = text.find_first_not_of("-+ #0123456789.*", at + 1);
        end = end == std::string::npos ? text.size() : text.find_first_not_of(kLengthModifiers, end);
        if (end == std::string::npos || !std::strchr(kConversions, text[end]) || next == arguments.size()) {
            filled += text[at];
            continue;
        }
        filled += arguments[next++];
        at = end;
    }
    return filled;
}

} // namespace

void HostUiDriver::ExpectMessage(int line, const std::string& text)
{
    Step step;
    step.kind = Step::Kind::Message;
    step.line = line;
    step.expected = text;
    m_steps.push_back(std::move(step));
}

void HostUiDriver::ExpectMessageId(int line, UINT stringId, std::vector<std::string> arguments)
{
    ExpectMessage(line, std::to_string(stringId));
    m_steps.back().stringId = stringId;
    m_steps.back().arguments = std::move(arguments);
}

void HostUiDriver::ExpectDialog(int line, UINT templateId)
{
    Step step;
    step.kind = Step::Kind::Dialog;
    step.line = line;
    step.expected = std::to_string(templateId);
    m_steps.push_back(std::move(step));
}

void HostUiDriver::ExpectMenu(int line)
{
    Step step;
    step.kind = Step::Kind::Menu;
    step.line = line;
    m_steps.push_back(std::move(step));
}

bool HostUiDriver::Choose(int line, const std::string& item)
{
    if (m_steps.empty() || m_steps.back().kind != Step::Kind::Menu || m_steps.back().choice)
        return false;
    m_steps.back().choice = item;
    m_steps.back().answerLine = line;
    return true;
}

bool HostUiDriver::TakesDialogSteps() const
{
    return !m_steps.empty() && m_steps.back().kind == Step::Kind::Dialog && !m_steps.back().answer;
}

bool HostUiDriver::AddDialogStep(int line, DialogStep step)
{
    if (!TakesDialogSteps())
        return false;
    m_steps.back().steps.push_back({line, std::move(step)});
    return true;
}

bool HostUiDriver::AddDialogAction(int line, const vqui::UiAction& action)
{
    return AddDialogStep(line, [action](const vqui::UiEvent&) { return std::optional<vqui::UiAction>(action); });
}

bool HostUiDriver::Answer(int line, int result)
{
    if (!m_steps.empty() && m_steps.back().kind == Step::Kind::Menu && !m_steps.back().choice)
        return false;
    if (m_steps.empty() || m_steps.back().answer || m_steps.back().kind == Step::Kind::Any ||
        m_steps.back().kind == Step::Kind::Menu) {
        Step step;
        step.line = line;
        m_steps.push_back(std::move(step));
    }
    m_steps.back().answer = result;
    m_steps.back().answerLine = line;
    return true;
}

void HostUiDriver::ReportUnmet()
{
    for (const Step& step : m_steps)
        m_onError(step.line, "nothing was shown for " + Describe(step));
    m_steps.clear();
}

void HostUiDriver::ReportUnmetAfterIdle()
{
    std::erase_if(m_steps, [&](const Step& step) {
        if (step.kind == Step::Kind::Any)
            return false;
        m_onError(step.line, "nothing was shown for " + Describe(step) + " by the end of line " +
                                 std::to_string(m_currentLine));
        return true;
    });
}

void HostUiDriver::StartRunningLine()
{
    std::erase_if(m_steps, [&](const Step& step) {
        if (step.kind != Step::Kind::Any || !step.armed)
            return false;
        m_onError(step.line, "nothing was shown for " + Describe(step) + " before line " +
                                 std::to_string(m_currentLine));
        return true;
    });
    for (Step& step : m_steps)
        step.armed = step.kind == Step::Kind::Any;
}

std::string HostUiDriver::Describe(const Step& step) const
{
    switch (step.kind) {
    case Step::Kind::Message:
        return "the expected message \"" + Escaped(step.expected) + "\"";
    case Step::Kind::Dialog:
        return "the expected dialog " + step.expected;
    case Step::Kind::Menu:
        return "the expected pop-up menu";
    case Step::Kind::Any:
        break;
    }
    return "the answer " + ResultText(step.answer.value_or(0));
}

vqui::UiAction HostUiDriver::NextAction(const vqui::UiEvent& event)
{
    if (IsLockProgress(event))
        return AnswerLockProgress(event);
    switch (event.kind) {
    case vqui::EventKind::MessageBox:
        return AnswerMessageBox(event);
    case vqui::EventKind::Dialog:
    case vqui::EventKind::PropertySheet:
    case vqui::EventKind::Wizard:
        return ActInDialog(event);
    case vqui::EventKind::PopupMenu:
        return ChooseFromMenu(event);
    default:
        return vqui::UiAction::End(IDCANCEL);
    }
}

std::string HostUiDriver::ExpectedText(const Step& step)
{
    if (!step.stringId)
        return step.expected;
    CString text;
    text.LoadString(*step.stringId);
    return FillArguments(text.str(), step.arguments);
}

std::optional<HostUiDriver::Step> HostUiDriver::TakeStep()
{
    if (m_steps.empty())
        return std::nullopt;
    Step step = m_steps.front();
    m_steps.pop_front();
    return step;
}

HostUiDriver::OpenDialog& HostUiDriver::Open(const vqui::UiEvent& event)
{
    for (OpenDialog& dialog : m_dialogs) {
        if (dialog.window == event.window)
            return dialog;
    }
    Step step;
    step.line = m_currentLine;
    if (std::optional<Step> next = TakeStep()) {
        step = *next;
        const std::string shown = std::to_string(event.templateId);
        if (step.kind == Step::Kind::Message || step.kind == Step::Kind::Menu ||
            (step.kind == Step::Kind::Dialog && step.expected != shown)) {
            m_onError(step.line, Describe(step) + " was not shown; dialog " + shown + " was");
            step = Step{};
            step.line = m_currentLine;
        }
    }
    OpenDialog dialog{event.window, std::move(step)};
    dialog.line = dialog.step.line;
    m_dialogs.push_back(std::move(dialog));
    return m_dialogs.back();
}

vqui::UiAction HostUiDriver::ActInDialog(const vqui::UiEvent& event)
{
    OpenDialog& dialog = Open(event);
    while (dialog.done < dialog.step.steps.size()) {
        const QueuedStep& queued = dialog.step.steps[dialog.done++];
        dialog.line = queued.line;
        try {
            if (std::optional<vqui::UiAction> action = queued.make(event))
                return *action;
        } catch (const vqui::UserActionError& error) {
            m_onError(queued.line, "dialog " + std::to_string(event.templateId) + ": " + error.what());
        }
    }
    return EndDialog(dialog, event);
}

// The answer IDOK or IDCANCEL presses that button; another answer ends the dialog with it
// at once. Without an answer, or when the dialog stays open after it, Cancel is pressed; a
// dialog that stays open even then is ended without its handlers.
vqui::UiAction HostUiDriver::EndDialog(OpenDialog& dialog, const vqui::UiEvent& event)
{
    if (dialog.ending == Ending::Acting && dialog.step.answer) {
        dialog.ending = Ending::Answered;
        dialog.line = dialog.step.answerLine;
        const int answer = *dialog.step.answer;
        if (answer == IDCANCEL)
            dialog.ending = Ending::Cancelled;
        if (answer == IDOK || answer == IDCANCEL)
            return vqui::UiAction::Press(answer);
        return vqui::UiAction::End(answer);
    }
    if (dialog.ending != Ending::Cancelled) {
        dialog.ending = Ending::Cancelled;
        dialog.line = dialog.step.answer ? dialog.step.answerLine : dialog.step.line;
        return vqui::UiAction::Press(IDCANCEL);
    }
    m_onError(dialog.line, "dialog " + std::to_string(event.templateId) +
                               " stayed open after Cancel; it was ended without its handlers");
    return vqui::UiAction::End(IDCANCEL);
}

bool HostUiDriver::IsLockProgress(const vqui::UiEvent& event)
{
    return event.kind == vqui::EventKind::Dialog && event.templateId == kLockProgressDialog;
}

// Once each time the dialog shows: Cancel ends the wait at the next attempt and leaves the
// dialog to its lock thread, which minimises it; waiting lets the lock thread hide it when
// the lock comes. Until then the dialog's own messages go on.
vqui::UiAction HostUiDriver::AnswerLockProgress(const vqui::UiEvent& event)
{
    if (m_lockProgressAnswered.exchange(true))
        return vqui::UiAction::Wait();
    char kind[256] = {};
    ::GetWindowText(::GetDlgItem(event.window, kLockedObjectKind), kind, sizeof kind);
    const bool cancel = m_lockWaits.load() == LockWaits::Cancel;
    PrintLine("lock-wait: " + Escaped(*kind ? kind : "-") + " -> " + (cancel ? "cancel" : "wait"));
    return cancel ? vqui::UiAction::Press(IDCANCEL) : vqui::UiAction::Wait();
}

void HostUiDriver::Withdrawn(const vqui::UiEvent& event)
{
    if (IsLockProgress(event))
        m_lockProgressAnswered.store(false);
}

void HostUiDriver::ActionFailed(const vqui::UiEvent& event, const vqui::UiAction&, const std::string& reason)
{
    if (IsLockProgress(event))
        return;
    for (const OpenDialog& dialog : m_dialogs) {
        if (dialog.window == event.window)
            m_onError(dialog.line, "dialog " + std::to_string(event.templateId) + ": " + reason);
    }
}

void HostUiDriver::Ended(const vqui::UiEvent& event, int result)
{
    if (event.kind == vqui::EventKind::MessageBox)
        return;
    PrintLine("dialog: " + std::to_string(event.templateId) + " \"" + Escaped(event.caption.str()) + "\" -> " +
              ResultText(result));
    if (IsLockProgress(event))
        return;
    for (const OpenDialog& dialog : m_dialogs) {
        if (dialog.window == event.window)
            ReportNotRun(dialog, event);
    }
    std::erase_if(m_dialogs, [&](const OpenDialog& dialog) { return dialog.window == event.window; });
}

// What was queued for a dialog that ended before it got there.
void HostUiDriver::ReportNotRun(const OpenDialog& dialog, const vqui::UiEvent& event)
{
    const std::string ended = "dialog " + std::to_string(event.templateId) + " had ended before ";
    for (std::size_t index = dialog.done; index < dialog.step.steps.size(); ++index)
        m_onError(dialog.step.steps[index].line, ended + "this step");
    if (dialog.ending == Ending::Acting && dialog.step.answer)
        m_onError(dialog.step.answerLine, ended + "the answer " + ResultText(*dialog.step.answer));
}

vqui::UiAction HostUiDriver::AnswerMessageBox(const vqui::UiEvent& event)
{
    std::optional<int> answer;
    int line = 0;
    if (std::optional<Step> step = TakeStep()) {
        if (step->kind == Step::Kind::Dialog || step->kind == Step::Kind::Menu)
            m_onError(step->line, Describe(*step) + " was not shown; a message box was");
        else if (step->kind == Step::Kind::Message && ExpectedText(*step) != event.text.str())
            m_onError(step->line, Describe(*step) + " was not shown; \"" + Escaped(event.text.str()) + "\" was");
        answer = step->answer;
        line = step->line;
    }
    const std::vector<int> buttons = vqui::MessageBoxButtons(event.style);
    int result = vqui::DefaultMessageBoxButton(event.style);
    if (answer && std::find(buttons.begin(), buttons.end(), *answer) != buttons.end())
        result = *answer;
    else if (answer)
        m_onError(line, "the answer " + ResultText(*answer) + " is no button of the box \"" +
                            Escaped(event.text.str()) + "\"; it took " + ResultText(result));
    PrintLine("msgbox: [" + Escaped(event.caption.str()) + "] " + Escaped(event.text.str()) + " -> " +
              ResultText(result));
    return vqui::UiAction::End(result);
}

// The menu's items, then the command chosen: the one the expected menu's choice names, else
// none. A menu shown while a box or dialog is expected first is dismissed and leaves it.
vqui::UiAction HostUiDriver::ChooseFromMenu(const vqui::UiEvent& event)
{
    for (const std::string& line : hostcontrols::DescribeMenu(event.menu))
        PrintLine("popup: " + line);
    UINT command = 0;
    if (!m_steps.empty() && m_steps.front().kind == Step::Kind::Menu) {
        const std::optional<Step> step = TakeStep();
        command = ChosenCommand(*step, event);
    }
    PrintLine(command ? "popup: -> " + std::to_string(command) : std::string("popup: -> dismissed"));
    return vqui::UiAction::Choose(command);
}

UINT HostUiDriver::ChosenCommand(const Step& step, const vqui::UiEvent& event)
{
    if (!step.choice)
        return 0;
    const vqui::MenuEntry* item = hostcontrols::FindMenuCommand(event.menu, *step.choice);
    if (!item) {
        m_onError(step.answerLine, "the pop-up menu has no command \"" + Escaped(*step.choice) + "\"");
        return 0;
    }
    if (!item->enabled) {
        m_onError(step.answerLine, "command " + std::to_string(item->id) + " of the pop-up menu is greyed");
        return 0;
    }
    return item->id;
}

int HostUiDriver::NamedResult(const std::string& name)
{
    for (const ResultName& named : kResults) {
        if (name == named.name)
            return named.result;
    }
    return -1;
}

std::string HostUiDriver::ResultText(int result)
{
    for (const ResultName& named : kResults) {
        if (result == named.result)
            return named.name;
    }
    return std::to_string(result);
}
