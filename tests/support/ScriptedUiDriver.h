// A UI driver that plays a script: "expect this box, answer Yes"; "expect a pop-up menu,
// choose 32825"; "expect dialog 162, check row 2 of list 1046, press OK"; "expect the
// file-open dialog, choose /tmp/a.bat". It installs itself for its lifetime. The running test fails when a box or window opens that
// the script does not expect next, when an expected one never opens, when an action cannot
// be carried out (no such control, disabled, hidden), and when a window waits for the user
// after its steps are played or ends before they are. Safe to use from any thread.
#pragma once

#include "win/UiDriver.h"

#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace vqtest {

class ScriptedUiDriver : public vqui::UiDriver {
public:
    // What the user does in one dialog, property sheet or wizard, step by step.
    class WindowScript {
    public:
        WindowScript& Type(int id, std::string text);
        // Selects everything in the control and types the text.
        WindowScript& Replace(int id, std::string text);
        WindowScript& Click(int id);
        WindowScript& SetCheck(int id, int state = 1);
        WindowScript& Select(int id, int index);
        WindowScript& SelectText(int id, std::string text);
        // Checks (or clears) row `index` of a check list or list control.
        WindowScript& CheckItem(int id, int index, bool checked = true);
        WindowScript& DoubleClick(int id, int index);
        WindowScript& Act(int id, vqui::UserAction action);
        // A key pressed on the control with the focus (Enter, Escape, Tab, F1, ...), with the
        // modifiers (FSHIFT, FCONTROL, FALT) held.
        WindowScript& Key(UINT virtualKey, BYTE modifiers = 0);
        // Presses a button by id: OK, Cancel, Next, ...
        WindowScript& Press(int buttonId);
        WindowScript& OK();
        WindowScript& Cancel();
        WindowScript& Back();
        WindowScript& Next();
        WindowScript& Finish();
        WindowScript& ApplyNow();
        // Ends the window with `result` without running its handlers.
        WindowScript& End(int result);
        // Lets another thread act: the window handles its next message before going on.
        WindowScript& Wait();
        // Checks that the sheet or wizard shows the page of this template.
        WindowScript& OnPage(UINT templateId);
        // Runs test code inside the modal loop, on the window's thread.
        WindowScript& Run(std::function<void()> step);

    private:
        friend class ScriptedUiDriver;
        struct Step {
            enum class Kind { Action, Page, Run };
            Kind kind = Kind::Action;
            vqui::UiAction action;
            UINT page = 0;
            std::function<void()> run;
        };
        WindowScript& Add(Step step);

        vqui::EventKind m_kind = vqui::EventKind::Dialog;
        UINT m_templateId = 0;
        std::string m_caption;
        std::vector<Step> m_steps;
    };

    ScriptedUiDriver();
    ~ScriptedUiDriver() override;
    ScriptedUiDriver(const ScriptedUiDriver&) = delete;
    ScriptedUiDriver& operator=(const ScriptedUiDriver&) = delete;

    // The next box shows exactly `text` (under `caption`, when one is given); answer it.
    ScriptedUiDriver& ExpectMessageBox(std::string text, int answer, std::string caption = {});
    // The same with the text of a string id, as the string table gives it now.
    ScriptedUiDriver& ExpectMessageBoxId(UINT stringId, int answer, std::string caption = {});
    // Runs test code while the box expected last is shown, before the user answers it.
    ScriptedUiDriver& WhileShown(std::function<void()> step);
    // The next thing shown is a pop-up menu; choose this command (0: dismiss the menu).
    ScriptedUiDriver& ExpectPopupMenu(UINT command);

    // The next window to open is this dialog (a sheet or wizard with this caption, when one
    // is given); its steps follow.
    WindowScript& ExpectDialog(UINT templateId);
    WindowScript& ExpectPropertySheet(std::string caption = {});
    WindowScript& ExpectWizard(std::string caption = {});
    // Whenever this dialog opens and is not the next one expected (a progress dialog on
    // another thread, say), it plays these steps.
    WindowScript& WheneverDialog(UINT templateId);

    // The next common dialog of this kind: the user chooses `answer` (a file, a folder or a
    // printer with an orientation: 1 portrait, 2 landscape, 0 unchanged); an empty answer
    // takes what the dialog offers.
    ScriptedUiDriver& ExpectCommonDialog(vqui::EventKind kind, std::string answer, int option = 0);
    // The next common dialog of this kind is cancelled.
    ScriptedUiDriver& ExpectCommonDialogCancelled(vqui::EventKind kind);

    // Fails the test for every expectation not met yet, and forgets them.
    void Verify();
    // Every event the driver was asked about, in order.
    std::vector<vqui::UiEvent> Seen() const;

    vqui::UiAction NextAction(const vqui::UiEvent& event) override;
    void Opened(const vqui::UiEvent& event) override;
    void ActionFailed(const vqui::UiEvent& event, const vqui::UiAction& action, const std::string& reason) override;
    void Ended(const vqui::UiEvent& event, int result) override;

private:
    struct Expectation {
        vqui::EventKind kind = vqui::EventKind::MessageBox;
        std::string text;  // a box's text; a common dialog's answer
        std::string caption;
        int answer = 0;    // a box's button; a menu's command; a common dialog's option
        bool cancel = false;
        std::function<void()> whileShown;
        WindowScript window;
    };
    struct ActiveWindow {
        WindowScript script;
        std::size_t next = 0;
        bool standing = false;
        bool unexpected = false;
        int turnsAfterScript = 0;
    };

    static std::string Describe(const Expectation& expectation);
    static std::string DescribeWindow(const vqui::UiEvent& event);
    static bool Matches(const Expectation& expectation, const vqui::UiEvent& event);
    vqui::UiAction AnswerMessageBox(std::unique_lock<std::mutex>& lock, const vqui::UiEvent& event);
    vqui::UiAction AnswerPopupMenu(const vqui::UiEvent& event);
    vqui::UiAction AnswerCommonDialog(const vqui::UiEvent& event);
    vqui::UiAction PlayWindow(std::unique_lock<std::mutex>& lock, const vqui::UiEvent& event);

    mutable std::mutex m_mutex;
    std::deque<Expectation> m_expected;
    std::map<UINT, WindowScript> m_standing;
    std::map<HWND, ActiveWindow> m_active;
    std::vector<vqui::UiEvent> m_seen;
    vqui::UiDriver* m_previous;
};

} // namespace vqtest
