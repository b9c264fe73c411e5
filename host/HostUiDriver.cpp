#include "HostUiDriver.h"

#include "HostOutput.h"

#include <algorithm>

namespace {

struct ResultName {
    const char* name;
    int result;
};

constexpr ResultName kResults[] = {{"IDOK", IDOK},       {"IDCANCEL", IDCANCEL}, {"IDABORT", IDABORT},
                                    {"IDRETRY", IDRETRY}, {"IDIGNORE", IDIGNORE}, {"IDYES", IDYES},
                                    {"IDNO", IDNO}};

} // namespace

void HostUiDriver::ExpectMessage(int line, const std::string& text)
{
    m_steps.push_back({Step::Kind::Message, line, text, {}, {}, {}});
}

void HostUiDriver::ExpectMessageId(int line, UINT stringId)
{
    m_steps.push_back({Step::Kind::Message, line, std::to_string(stringId), stringId, {}, {}});
}

void HostUiDriver::ExpectDialog(int line, UINT templateId)
{
    m_steps.push_back({Step::Kind::Dialog, line, std::to_string(templateId), {}, {}, {}});
}

bool HostUiDriver::AddDialogAction(const vqui::UiAction& action)
{
    if (m_steps.empty() || m_steps.back().kind != Step::Kind::Dialog || m_steps.back().answer)
        return false;
    m_steps.back().actions.push_back(action);
    return true;
}

void HostUiDriver::Answer(int line, int result)
{
    if (m_steps.empty() || m_steps.back().answer || m_steps.back().kind == Step::Kind::Any)
        m_steps.push_back({Step::Kind::Any, line, {}, {}, {}, {}});
    m_steps.back().answer = result;
}

void HostUiDriver::ReportUnmet()
{
    for (const Step& step : m_steps)
        m_onError(step.line, "nothing was shown for " + Describe(step));
    m_steps.clear();
}

std::string HostUiDriver::Describe(const Step& step) const
{
    switch (step.kind) {
    case Step::Kind::Message:
        return "the expected message \"" + Escaped(step.expected) + "\"";
    case Step::Kind::Dialog:
        return "the expected dialog " + step.expected;
    case Step::Kind::Any:
        break;
    }
    return "the answer " + ResultText(step.answer.value_or(0));
}

vqui::UiAction HostUiDriver::NextAction(const vqui::UiEvent& event)
{
    switch (event.kind) {
    case vqui::EventKind::MessageBox:
        return AnswerMessageBox(event);
    case vqui::EventKind::Dialog:
    case vqui::EventKind::PropertySheet:
    case vqui::EventKind::Wizard:
        return ActInDialog(event);
    case vqui::EventKind::PopupMenu:
        PrintLine("popup: dismissed");
        return vqui::UiAction::Choose(0);
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
    return text.str();
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
    if (std::optional<Step> next = TakeStep()) {
        step = *next;
        const std::string shown = std::to_string(event.templateId);
        if (step.kind == Step::Kind::Message || (step.kind == Step::Kind::Dialog && step.expected != shown)) {
            m_onError(step.line, Describe(step) + " was not shown; dialog " + shown + " was");
            step = Step{};
        }
    }
    m_dialogs.push_back({event.window, step, 0});
    return m_dialogs.back();
}

vqui::UiAction HostUiDriver::ActInDialog(const vqui::UiEvent& event)
{
    OpenDialog& dialog = Open(event);
    if (dialog.done < dialog.step.actions.size())
        return dialog.step.actions[dialog.done++];
    return vqui::UiAction::End(dialog.step.answer.value_or(IDCANCEL));
}

void HostUiDriver::ActionFailed(const vqui::UiEvent& event, const vqui::UiAction&, const std::string& reason)
{
    for (const OpenDialog& dialog : m_dialogs) {
        if (dialog.window == event.window)
            m_onError(dialog.step.line, "dialog " + std::to_string(event.templateId) + ": " + reason);
    }
}

void HostUiDriver::Ended(const vqui::UiEvent& event, int result)
{
    if (event.kind == vqui::EventKind::MessageBox)
        return;
    PrintLine("dialog: " + std::to_string(event.templateId) + " \"" + Escaped(event.caption.str()) + "\" -> " +
              ResultText(result));
    std::erase_if(m_dialogs, [&](const OpenDialog& dialog) { return dialog.window == event.window; });
}

vqui::UiAction HostUiDriver::AnswerMessageBox(const vqui::UiEvent& event)
{
    std::optional<int> answer;
    int line = 0;
    if (std::optional<Step> step = TakeStep()) {
        if (step->kind == Step::Kind::Dialog)
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
