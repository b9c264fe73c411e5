#include "support/ScriptedUiDriver.h"

#include "win/CPropertySheet.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace vqtest {

namespace {

vqui::UserAction MakeAction(vqui::UserActionKind kind, int index = 0, int state = 0, std::string text = {})
{
    vqui::UserAction action;
    action.kind = kind;
    action.index = index;
    action.state = state;
    action.text = std::move(text);
    return action;
}

bool IsWindowKind(vqui::EventKind kind)
{
    return kind == vqui::EventKind::Dialog || kind == vqui::EventKind::PropertySheet || kind == vqui::EventKind::Wizard;
}

const char* KindName(vqui::EventKind kind)
{
    switch (kind) {
    case vqui::EventKind::MessageBox: return "message box";
    case vqui::EventKind::PopupMenu: return "popup menu";
    case vqui::EventKind::Dialog: return "dialog";
    case vqui::EventKind::PropertySheet: return "property sheet";
    case vqui::EventKind::Wizard: return "wizard";
    case vqui::EventKind::FileOpen: return "file-open dialog";
    case vqui::EventKind::FileSave: return "file-save dialog";
    case vqui::EventKind::FolderBrowse: return "folder dialog";
    case vqui::EventKind::PrintSetup: return "print setup dialog";
    case vqui::EventKind::Print: return "print dialog";
    }
    return "?";
}

std::string DescribeAction(const vqui::UiAction& action)
{
    switch (action.kind) {
    case vqui::UiAction::Kind::End: return "end with " + vqui::DialogResultName(action.result);
    case vqui::UiAction::Kind::Press: return "press " + std::to_string(action.controlId);
    case vqui::UiAction::Kind::Act:
        return std::string(vqui::UserActionName(action.userAction.kind)) + " on " + std::to_string(action.controlId);
    case vqui::UiAction::Kind::Key: return "key " + std::to_string(action.key);
    case vqui::UiAction::Kind::Wait: return "wait";
    case vqui::UiAction::Kind::Choose: return "choose command " + std::to_string(action.result);
    case vqui::UiAction::Kind::Answer: return "answer " + action.text.str();
    }
    return "?";
}

// The template of the page a sheet shows now (steps before may have changed it).
UINT ActivePageTemplate(HWND sheet)
{
    auto page = reinterpret_cast<HWND>(::SendMessage(sheet, PSM_GETCURRENTPAGEHWND));
    auto* dialog = dynamic_cast<CDialog*>(CWnd::FromHandlePermanent(page));
    return dialog ? dialog->m_nIDTemplate : 0;
}

} // namespace

ScriptedUiDriver::WindowScript& ScriptedUiDriver::WindowScript::Add(Step step)
{
    m_steps.push_back(std::move(step));
    return *this;
}

ScriptedUiDriver::WindowScript& ScriptedUiDriver::WindowScript::Act(int id, vqui::UserAction action)
{
    Step step;
    step.action = vqui::UiAction::Act(id, std::move(action));
    return Add(std::move(step));
}

ScriptedUiDriver::WindowScript& ScriptedUiDriver::WindowScript::Type(int id, std::string text)
{
    return Act(id, MakeAction(vqui::UserActionKind::Type, 0, 0, std::move(text)));
}

ScriptedUiDriver::WindowScript& ScriptedUiDriver::WindowScript::Replace(int id, std::string text)
{
    return Act(id, MakeAction(vqui::UserActionKind::Type, 0, 1, std::move(text)));
}

ScriptedUiDriver::WindowScript& ScriptedUiDriver::WindowScript::Click(int id)
{
    return Act(id, MakeAction(vqui::UserActionKind::Click));
}

ScriptedUiDriver::WindowScript& ScriptedUiDriver::WindowScript::SetCheck(int id, int state)
{
    return Act(id, MakeAction(vqui::UserActionKind::SetCheck, 0, state));
}

ScriptedUiDriver::WindowScript& ScriptedUiDriver::WindowScript::Select(int id, int index)
{
    return Act(id, MakeAction(vqui::UserActionKind::SelectIndex, index));
}

ScriptedUiDriver::WindowScript& ScriptedUiDriver::WindowScript::SelectText(int id, std::string text)
{
    return Act(id, MakeAction(vqui::UserActionKind::SelectText, 0, 0, std::move(text)));
}

ScriptedUiDriver::WindowScript& ScriptedUiDriver::WindowScript::CheckItem(int id, int index, bool checked)
{
    return Act(id, MakeAction(vqui::UserActionKind::CheckItem, index, checked ? 1 : 0));
}

ScriptedUiDriver::WindowScript& ScriptedUiDriver::WindowScript::DoubleClick(int id, int index)
{
    return Act(id, MakeAction(vqui::UserActionKind::DoubleClick, index));
}

ScriptedUiDriver::WindowScript& ScriptedUiDriver::WindowScript::Key(UINT virtualKey, BYTE modifiers)
{
    Step step;
    step.action = vqui::UiAction::Key(virtualKey, modifiers);
    return Add(std::move(step));
}

ScriptedUiDriver::WindowScript& ScriptedUiDriver::WindowScript::Press(int buttonId)
{
    Step step;
    step.action = vqui::UiAction::Press(buttonId);
    return Add(std::move(step));
}

ScriptedUiDriver::WindowScript& ScriptedUiDriver::WindowScript::OK() { return Press(IDOK); }
ScriptedUiDriver::WindowScript& ScriptedUiDriver::WindowScript::Cancel() { return Press(IDCANCEL); }
ScriptedUiDriver::WindowScript& ScriptedUiDriver::WindowScript::Back() { return Press(ID_WIZBACK); }
ScriptedUiDriver::WindowScript& ScriptedUiDriver::WindowScript::Next() { return Press(ID_WIZNEXT); }
ScriptedUiDriver::WindowScript& ScriptedUiDriver::WindowScript::Finish() { return Press(ID_WIZFINISH); }
ScriptedUiDriver::WindowScript& ScriptedUiDriver::WindowScript::ApplyNow() { return Press(ID_APPLY_NOW); }

ScriptedUiDriver::WindowScript& ScriptedUiDriver::WindowScript::End(int result)
{
    Step step;
    step.action = vqui::UiAction::End(result);
    return Add(std::move(step));
}

ScriptedUiDriver::WindowScript& ScriptedUiDriver::WindowScript::Wait()
{
    Step step;
    step.action = vqui::UiAction::Wait();
    return Add(std::move(step));
}

ScriptedUiDriver::WindowScript& ScriptedUiDriver::WindowScript::OnPage(UINT templateId)
{
    Step step;
    step.kind = Step::Kind::Page;
    step.page = templateId;
    return Add(std::move(step));
}

ScriptedUiDriver::WindowScript& ScriptedUiDriver::WindowScript::Run(std::function<void()> run)
{
    Step step;
    step.kind = Step::Kind::Run;
    step.run = std::move(run);
    return Add(std::move(step));
}

ScriptedUiDriver::ScriptedUiDriver() : m_previous(vqui::InstallUiDriver(this)) {}

ScriptedUiDriver::~ScriptedUiDriver()
{
    vqui::InstallUiDriver(m_previous);
    Verify();
}

ScriptedUiDriver& ScriptedUiDriver::ExpectMessageBox(std::string text, int answer, std::string caption)
{
    std::lock_guard lock(m_mutex);
    Expectation expectation;
    expectation.text = std::move(text);
    expectation.caption = std::move(caption);
    expectation.answer = answer;
    m_expected.push_back(std::move(expectation));
    return *this;
}

ScriptedUiDriver& ScriptedUiDriver::ExpectMessageBoxId(UINT stringId, int answer, std::string caption)
{
    CString text;
    if (!text.LoadString(stringId))
        ADD_FAILURE() << "the script expects string " << stringId << ", which has no text";
    return ExpectMessageBox(text.str(), answer, std::move(caption));
}

ScriptedUiDriver& ScriptedUiDriver::WhileShown(std::function<void()> step)
{
    std::lock_guard lock(m_mutex);
    if (m_expected.empty() || m_expected.back().kind != vqui::EventKind::MessageBox)
        ADD_FAILURE() << "WhileShown follows the message box it runs in";
    else
        m_expected.back().whileShown = std::move(step);
    return *this;
}

ScriptedUiDriver& ScriptedUiDriver::ExpectPopupMenu(UINT command)
{
    std::lock_guard lock(m_mutex);
    Expectation expectation;
    expectation.kind = vqui::EventKind::PopupMenu;
    expectation.answer = static_cast<int>(command);
    m_expected.push_back(std::move(expectation));
    return *this;
}

ScriptedUiDriver::WindowScript& ScriptedUiDriver::ExpectDialog(UINT templateId)
{
    std::lock_guard lock(m_mutex);
    Expectation expectation;
    expectation.kind = vqui::EventKind::Dialog;
    expectation.window.m_kind = vqui::EventKind::Dialog;
    expectation.window.m_templateId = templateId;
    m_expected.push_back(std::move(expectation));
    return m_expected.back().window;
}

ScriptedUiDriver::WindowScript& ScriptedUiDriver::ExpectPropertySheet(std::string caption)
{
    std::lock_guard lock(m_mutex);
    Expectation expectation;
    expectation.kind = vqui::EventKind::PropertySheet;
    expectation.window.m_kind = vqui::EventKind::PropertySheet;
    expectation.window.m_caption = std::move(caption);
    m_expected.push_back(std::move(expectation));
    return m_expected.back().window;
}

ScriptedUiDriver::WindowScript& ScriptedUiDriver::ExpectWizard(std::string caption)
{
    std::lock_guard lock(m_mutex);
    Expectation expectation;
    expectation.kind = vqui::EventKind::Wizard;
    expectation.window.m_kind = vqui::EventKind::Wizard;
    expectation.window.m_caption = std::move(caption);
    m_expected.push_back(std::move(expectation));
    return m_expected.back().window;
}

ScriptedUiDriver::WindowScript& ScriptedUiDriver::WheneverDialog(UINT templateId)
{
    std::lock_guard lock(m_mutex);
    WindowScript& script = m_standing[templateId];
    script.m_kind = vqui::EventKind::Dialog;
    script.m_templateId = templateId;
    return script;
}

ScriptedUiDriver& ScriptedUiDriver::ExpectCommonDialog(vqui::EventKind kind, std::string answer, int option)
{
    std::lock_guard lock(m_mutex);
    Expectation expectation;
    expectation.kind = kind;
    expectation.text = std::move(answer);
    expectation.answer = option;
    m_expected.push_back(std::move(expectation));
    return *this;
}

ScriptedUiDriver& ScriptedUiDriver::ExpectCommonDialogCancelled(vqui::EventKind kind)
{
    std::lock_guard lock(m_mutex);
    Expectation expectation;
    expectation.kind = kind;
    expectation.cancel = true;
    m_expected.push_back(std::move(expectation));
    return *this;
}

void ScriptedUiDriver::Verify()
{
    std::lock_guard lock(m_mutex);
    for (const Expectation& left : m_expected) {
        if (left.kind == vqui::EventKind::MessageBox || left.kind == vqui::EventKind::PopupMenu)
            ADD_FAILURE() << "expected, never shown: " << Describe(left);
        else
            ADD_FAILURE() << "expected " << Describe(left) << " never opened";
    }
    m_expected.clear();
}

std::vector<vqui::UiEvent> ScriptedUiDriver::Seen() const
{
    std::lock_guard lock(m_mutex);
    return m_seen;
}

vqui::UiAction ScriptedUiDriver::NextAction(const vqui::UiEvent& event)
{
    std::unique_lock lock(m_mutex);
    m_seen.push_back(event);
    if (event.kind == vqui::EventKind::MessageBox)
        return AnswerMessageBox(lock, event);
    if (event.kind == vqui::EventKind::PopupMenu)
        return AnswerPopupMenu(event);
    if (IsWindowKind(event.kind))
        return PlayWindow(lock, event);
    return AnswerCommonDialog(event);
}

vqui::UiAction ScriptedUiDriver::AnswerMessageBox(std::unique_lock<std::mutex>& lock, const vqui::UiEvent& event)
{
    int fallback = vqui::DefaultMessageBoxButton(event.style);
    std::string shown = "\"" + event.caption.str() + "\": " + event.text.str();
    if (m_expected.empty()) {
        ADD_FAILURE() << "unexpected message box " << shown;
        return vqui::UiAction::End(fallback);
    }
    Expectation expected = m_expected.front();
    m_expected.pop_front();
    if (expected.kind != vqui::EventKind::MessageBox) {
        ADD_FAILURE() << "expected " << Describe(expected) << "\n  but a message box was shown: " << shown;
        return vqui::UiAction::End(fallback);
    }
    if (event.text.str() != expected.text || (!expected.caption.empty() && event.caption.str() != expected.caption)) {
        ADD_FAILURE() << "expected " << Describe(expected) << "\n  but was " << shown;
        return vqui::UiAction::End(fallback);
    }
    if (expected.whileShown) {
        lock.unlock();
        expected.whileShown();
        lock.lock();
    }
    std::vector<int> buttons = vqui::MessageBoxButtons(event.style);
    if (std::find(buttons.begin(), buttons.end(), expected.answer) == buttons.end())
        ADD_FAILURE() << "the script answers " << vqui::ResultName(expected.answer) << " to a box without that button: "
                      << shown;
    return vqui::UiAction::End(expected.answer);
}

vqui::UiAction ScriptedUiDriver::AnswerPopupMenu(const vqui::UiEvent& event)
{
    if (m_expected.empty()) {
        ADD_FAILURE() << "unexpected popup menu";
        return vqui::UiAction::Choose(0);
    }
    const Expectation expected = m_expected.front();
    m_expected.pop_front();
    if (expected.kind != event.kind) {
        ADD_FAILURE() << "expected " << Describe(expected) << "\n  but was popup menu";
        return vqui::UiAction::Choose(0);
    }
    return vqui::UiAction::Choose(static_cast<UINT>(expected.answer));
}

vqui::UiAction ScriptedUiDriver::AnswerCommonDialog(const vqui::UiEvent& event)
{
    if (m_expected.empty()) {
        ADD_FAILURE() << "unexpected " << KindName(event.kind) << " \"" << event.caption.str() << "\"";
        return vqui::UiAction::End(IDCANCEL);
    }
    Expectation expected = m_expected.front();
    m_expected.pop_front();
    if (expected.kind != event.kind) {
        ADD_FAILURE() << "unexpected " << KindName(event.kind) << " \"" << event.caption.str() << "\"; expected "
                      << Describe(expected);
        return vqui::UiAction::End(IDCANCEL);
    }
    if (expected.cancel)
        return vqui::UiAction::End(IDCANCEL);
    return vqui::UiAction::Answer(expected.text.empty() ? event.text.GetString() : expected.text.c_str(), expected.answer);
}

vqui::UiAction ScriptedUiDriver::PlayWindow(std::unique_lock<std::mutex>& lock, const vqui::UiEvent& event)
{
    auto found = m_active.find(event.window);
    if (found == m_active.end()) {
        ADD_FAILURE() << "the driver was asked about " << DescribeWindow(event) << ", which it did not see open";
        return vqui::UiAction::End(IDCANCEL);
    }
    while (found->second.next < found->second.script.m_steps.size()) {
        const WindowScript::Step step = found->second.script.m_steps[found->second.next++];
        switch (step.kind) {
        case WindowScript::Step::Kind::Action:
            return step.action;
        case WindowScript::Step::Kind::Page:
            if (const UINT page = ActivePageTemplate(event.window); page != step.page)
                ADD_FAILURE() << "expected page " << step.page << " in " << DescribeWindow(event) << ", but page " << page
                              << " is active";
            break;
        case WindowScript::Step::Kind::Run:
            lock.unlock();
            step.run();
            lock.lock();
            found = m_active.find(event.window);
            if (found == m_active.end())
                return vqui::UiAction::Wait();
            break;
        }
    }
    ActiveWindow& active = found->second;
    if (active.turnsAfterScript++ == 0) {
        if (!active.unexpected)
            ADD_FAILURE() << DescribeWindow(event) << " waits for the user, but the script has no more steps for it";
        return vqui::UiAction::Press(IDCANCEL);
    }
    return vqui::UiAction::End(IDCANCEL);
}

void ScriptedUiDriver::Opened(const vqui::UiEvent& event)
{
    std::lock_guard lock(m_mutex);
    ActiveWindow active;
    if (!m_expected.empty() && Matches(m_expected.front(), event)) {
        active.script = m_expected.front().window;
        m_expected.pop_front();
    } else if (auto standing = m_standing.find(event.templateId);
               event.kind == vqui::EventKind::Dialog && standing != m_standing.end()) {
        active.script = standing->second;
        active.standing = true;
    } else {
        ADD_FAILURE() << "unexpected " << DescribeWindow(event)
                      << (m_expected.empty() ? std::string() : "; expected " + Describe(m_expected.front()));
        if (!m_expected.empty())
            m_expected.pop_front();
        active.unexpected = true;
    }
    m_active[event.window] = std::move(active);
}

void ScriptedUiDriver::ActionFailed(const vqui::UiEvent& event, const vqui::UiAction& action, const std::string& reason)
{
    ADD_FAILURE() << "in " << DescribeWindow(event) << ", " << DescribeAction(action) << " failed: " << reason;
}

void ScriptedUiDriver::Ended(const vqui::UiEvent& event, int result)
{
    std::lock_guard lock(m_mutex);
    auto found = m_active.find(event.window);
    if (found == m_active.end())
        return;
    const ActiveWindow& active = found->second;
    if (!active.standing && !active.unexpected && active.next < active.script.m_steps.size())
        ADD_FAILURE() << DescribeWindow(event) << " ended with " << vqui::DialogResultName(result) << " before "
                      << active.script.m_steps.size() - active.next << " more step(s) of the script";
    m_active.erase(found);
}

bool ScriptedUiDriver::Matches(const Expectation& expectation, const vqui::UiEvent& event)
{
    if (expectation.kind != event.kind)
        return false;
    if (event.kind == vqui::EventKind::Dialog)
        return expectation.window.m_templateId == event.templateId;
    return expectation.window.m_caption.empty() || expectation.window.m_caption == event.caption.str();
}

std::string ScriptedUiDriver::Describe(const Expectation& expectation)
{
    switch (expectation.kind) {
    case vqui::EventKind::MessageBox: {
        std::string caption = expectation.caption.empty() ? "any caption" : "\"" + expectation.caption + "\"";
        return "message box " + caption + ": " + expectation.text + " -> " + vqui::ResultName(expectation.answer);
    }
    case vqui::EventKind::PopupMenu:
        return "popup menu -> " + (expectation.answer ? std::to_string(expectation.answer) : std::string("dismissed"));
    case vqui::EventKind::Dialog:
        return "dialog " + std::to_string(expectation.window.m_templateId);
    case vqui::EventKind::PropertySheet:
    case vqui::EventKind::Wizard:
        return std::string(KindName(expectation.kind)) +
               (expectation.window.m_caption.empty() ? "" : " \"" + expectation.window.m_caption + "\"");
    default:
        return KindName(expectation.kind);
    }
}

std::string ScriptedUiDriver::DescribeWindow(const vqui::UiEvent& event)
{
    std::string text = KindName(event.kind);
    if (event.kind == vqui::EventKind::Dialog)
        text += " " + std::to_string(event.templateId);
    text += " \"" + event.caption.str() + "\"";
    if (event.kind != vqui::EventKind::Dialog && event.templateId != 0)
        text += " (page " + std::to_string(event.templateId) + ")";
    return text;
}

} // namespace vqtest
