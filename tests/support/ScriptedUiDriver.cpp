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
    m_expected.push_back(Expectation{std::move(text), std::move(caption), answer});
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
        ADD_FAILURE() << "expected message box never shown: " << Describe(left);
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
    int fallback = vqui::DefaultMessageBoxButton(event.style);
    std::string shown = "\"" + event.caption.str() + "\": " + event.text.str();
    if (m_expected.empty()) {
        ADD_FAILURE() << "unexpected message box " << shown;
        return vqui::UiAction::End(fallback);
    }
    Expectation expected = m_expected.front();
    m_expected.pop_front();
    if (event.text.str() != expected.text || (!expected.caption.empty() && event.caption.str() != expected.caption)) {
        ADD_FAILURE() << "expected message box " << Describe(expected) << "\n  but was " << shown;
        return vqui::UiAction::End(fallback);
    }
    std::vector<int> buttons = vqui::MessageBoxButtons(event.style);
    if (std::find(buttons.begin(), buttons.end(), expected.answer) == buttons.end())
        ADD_FAILURE() << "the script answers " << vqui::ResultName(expected.answer) << " to a box without that button: "
                      << shown;
    return vqui::UiAction::End(expected.answer);
}

std::string ScriptedUiDriver::Describe(const Expectation& expectation)
{
    std::string caption = expectation.caption.empty() ? "any caption" : "\"" + expectation.caption + "\"";
    return caption + ": " + expectation.text + " -> " + vqui::ResultName(expectation.answer);
}

} // namespace vqtest
