#include "support/ScriptedUiDriver.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace vqtest {

ScriptedUiDriver::ScriptedUiDriver() : m_previous(vqui::InstallUiDriver(this)) {}

ScriptedUiDriver::~ScriptedUiDriver()
{
    vqui::InstallUiDriver(m_previous);
    Verify();
}

ScriptedUiDriver& ScriptedUiDriver::ExpectMessageBox(std::string text, int answer, std::string caption)
{
    std::lock_guard lock(m_mutex);
    m_expected.push_back(Expectation{vqui::EventKind::MessageBox, std::move(text), std::move(caption), answer});
    return *this;
}

ScriptedUiDriver& ScriptedUiDriver::ExpectPopupMenu(UINT command)
{
    std::lock_guard lock(m_mutex);
    m_expected.push_back(Expectation{vqui::EventKind::PopupMenu, {}, {}, static_cast<int>(command)});
    return *this;
}

ScriptedUiDriver& ScriptedUiDriver::ExpectMessageBoxId(UINT stringId, int answer, std::string caption)
{
    CString text;
    if (!text.LoadString(stringId))
        ADD_FAILURE() << "the script expects string " << stringId << ", which has no text";
    return ExpectMessageBox(text.str(), answer, std::move(caption));
}

void ScriptedUiDriver::Verify()
{
    std::lock_guard lock(m_mutex);
    for (const Expectation& left : m_expected)
        ADD_FAILURE() << "expected, never shown: " << Describe(left);
    m_expected.clear();
}

std::vector<vqui::UiEvent> ScriptedUiDriver::Seen() const
{
    std::lock_guard lock(m_mutex);
    return m_seen;
}

vqui::UiAction ScriptedUiDriver::NextAction(const vqui::UiEvent& event)
{
    std::lock_guard lock(m_mutex);
    m_seen.push_back(event);
    const vqui::UiAction fallback = event.kind == vqui::EventKind::PopupMenu
                                        ? vqui::UiAction::Choose(0)
                                        : vqui::UiAction::End(vqui::DefaultMessageBoxButton(event.style));
    if (m_expected.empty()) {
        ADD_FAILURE() << "unexpected " << Describe(event);
        return fallback;
    }
    Expectation expected = m_expected.front();
    m_expected.pop_front();
    if (expected.kind != event.kind) {
        ADD_FAILURE() << "expected " << Describe(expected) << "\n  but was " << Describe(event);
        return fallback;
    }
    if (event.kind == vqui::EventKind::PopupMenu)
        return vqui::UiAction::Choose(static_cast<UINT>(expected.answer));
    return AnswerMessageBox(event, expected);
}

vqui::UiAction ScriptedUiDriver::AnswerMessageBox(const vqui::UiEvent& event, const Expectation& expected)
{
    if (event.text.str() != expected.text || (!expected.caption.empty() && event.caption.str() != expected.caption)) {
        ADD_FAILURE() << "expected " << Describe(expected) << "\n  but was " << Describe(event);
        return vqui::UiAction::End(vqui::DefaultMessageBoxButton(event.style));
    }
    std::vector<int> buttons = vqui::MessageBoxButtons(event.style);
    if (std::find(buttons.begin(), buttons.end(), expected.answer) == buttons.end())
        ADD_FAILURE() << "the script answers " << vqui::ResultName(expected.answer) << " to a box without that button: "
                      << Describe(event);
    return vqui::UiAction::End(expected.answer);
}

std::string ScriptedUiDriver::Describe(const Expectation& expectation)
{
    if (expectation.kind == vqui::EventKind::PopupMenu)
        return "popup menu -> " + (expectation.answer ? std::to_string(expectation.answer) : std::string("dismissed"));
    std::string caption = expectation.caption.empty() ? "any caption" : "\"" + expectation.caption + "\"";
    return "message box " + caption + ": " + expectation.text + " -> " + vqui::ResultName(expectation.answer);
}

std::string ScriptedUiDriver::Describe(const vqui::UiEvent& event)
{
    if (event.kind == vqui::EventKind::PopupMenu)
        return "popup menu";
    return "message box \"" + event.caption.str() + "\": " + event.text.str();
}

} // namespace vqtest
