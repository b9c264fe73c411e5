// A UI driver that plays a script: "expect this box, answer Yes"; "expect a pop-up menu,
// choose 32825". It installs itself for its lifetime; a box or menu that differs from the
// next expectation, one nobody expected and expectations left at the end fail the running
// test. Safe to answer from any thread.
#pragma once

#include "win/UiDriver.h"

#include <deque>
#include <mutex>
#include <string>
#include <vector>

namespace vqtest {

class ScriptedUiDriver : public vqui::UiDriver {
public:
    ScriptedUiDriver();
    ~ScriptedUiDriver() override;
    ScriptedUiDriver(const ScriptedUiDriver&) = delete;
    ScriptedUiDriver& operator=(const ScriptedUiDriver&) = delete;

    // The next box shows exactly `text` (under `caption`, when one is given); answer it.
    ScriptedUiDriver& ExpectMessageBox(std::string text, int answer, std::string caption = {});
    // The same with the text of a string id, as the string table gives it now.
    ScriptedUiDriver& ExpectMessageBoxId(UINT stringId, int answer, std::string caption = {});
    // The next thing shown is a pop-up menu; choose this command (0: dismiss the menu).
    ScriptedUiDriver& ExpectPopupMenu(UINT command);

    // Fails the test for every expectation not met yet, and forgets them.
    void Verify();
    // Every event the driver was asked about, in order.
    std::vector<vqui::UiEvent> Seen() const;

    vqui::UiAction NextAction(const vqui::UiEvent& event) override;

private:
    struct Expectation {
        vqui::EventKind kind;
        std::string text;
        std::string caption;
        int answer;
    };

    static std::string Describe(const Expectation& expectation);
    static std::string Describe(const vqui::UiEvent& event);
    vqui::UiAction AnswerMessageBox(const vqui::UiEvent& event, const Expectation& expected);

    mutable std::mutex m_mutex;
    std::deque<Expectation> m_expected;
    std::vector<vqui::UiEvent> m_seen;
    vqui::UiDriver* m_previous;
};

} // namespace vqtest
