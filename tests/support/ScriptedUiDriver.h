// A UI driver that plays a script: "expect this box, answer Yes". It installs itself for
// its lifetime; a box that differs from the next expectation, a box nobody expected and
// expectations left at the end fail the running test. Safe to answer from any thread.
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

    // Fails the test for every expectation not met yet, and forgets them.
    void Verify();
    // Every event the driver was asked about, in order.
    std::vector<vqui::UiEvent> Seen() const;

    vqui::UiAction NextAction(const vqui::UiEvent& event) override;

private:
    struct Expectation {
        std::string text;
        std::string caption;
        int answer;
    };

    static std::string Describe(const Expectation& expectation);

    mutable std::mutex m_mutex;
    std::deque<Expectation> m_expected;
    std::vector<vqui::UiEvent> m_seen;
    vqui::UiDriver* m_previous;
};

} // namespace vqtest
