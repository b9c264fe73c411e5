// The host's script: one action a line ("open-system-view", "command delete", ...), '#'
// starts a comment. The host makes exactly the calls the script asks for and prints what the
// module answers; a line it cannot run prints "error: line N: ..." and makes the run fail.
#pragma once

#include "HostAutomation.h"
#include "HostKeyboard.h"
#include "HostModule.h"
#include "HostUiDriver.h"

#include <climits>
#include <istream>
#include <string>
#include <vector>

struct HostOptions {
    std::string module;
    std::string script = "-";
    std::string repository;
    std::string resources;
    std::string iniPath;
    std::string userCode = "USER";
    std::string generationLog;
    int repositoryMode = 0;
};

class HostScript {
public:
    HostScript(HostModule& module, const HostOptions& options);
    ~HostScript();
    HostScript(const HostScript&) = delete;
    HostScript& operator=(const HostScript&) = delete;

    void Run(std::istream& script);
    // Unloads the module and closes the host's windows; expectations left unmet are errors.
    void End();
    bool Failed() const { return m_errors > 0; }

private:
    using Args = std::vector<std::string>;
    struct Action;
    struct View {
        std::string name;
        HWND window;
        HWND frame;
        std::vector<ACCEL> accelerators;  // the keys of the menu items the view added
    };

    void RunLine(const std::string& text);
    void Error(int line, const std::string& message);
    static Args Split(const std::string& text);
    // The arguments as one text, a space between them.
    static std::string Joined(const Args& args);

    // Arguments: "(null)" passes a null pointer; a number is whole and lies from `least` to
    // `most`, or the line is not run.
    static const char* Text(const Args& args, std::size_t index);
    static long long Number(const Args& args, std::size_t index, long long least, long long most, int base = 10);
    static int Int(const Args& args, std::size_t index)
    {
        return static_cast<int>(Number(args, index, INT_MIN, INT_MAX));
    }
    static UINT Id(const Args& args, std::size_t index)
    {
        return static_cast<UINT>(Number(args, index, 0, UINT_MAX));
    }
    HWND CurrentFrame() const;
    std::string FrameName(HWND frame) const;
    void PrintResult(const std::string& action, const std::string& value);
    void PrintResult(const std::string& action, long value) { PrintResult(action, std::to_string(value)); }

    void OpenView(const Args& args, bool system);
    void CloseView(const Args& args);
    void UseView(const Args& args);
    void OpenSession(const Args& args);
    void ChangeLongNames(const Args& args);
    void SetIniPath(const Args& args);
    void SetFont(const Args& args);
    void Idle(const Args& args);
    void ExpectMessage(const Args& args);
    void ExpectDialog(const Args& args);
    void Answer(const Args& args);
    void Go(const Args& args);
    void SetBusinessSegment(const Args& args);
    void RemoveBusinessSegments();
    void AddMenuItems();
    // Queues for the dialog expected last; a script error when none takes steps.
    void DialogAction(const vqui::UiAction& action);
    void DialogStep(HostUiDriver::DialogStep step);
    // A user's action on a dialog control: the control id, then what the action needs.
    static vqui::UiAction ControlAction(const Args& args, vqui::UserActionKind kind);
    // Selects (or checks) an item of a dialog control: the control id, the item's index or
    // shown text, (the check state).
    void ItemAction(const Args& args, vqui::UserActionKind kind);
    void Dump(const Args& args);
    void ClickRow(const Args& args, vqui::UserActionKind kind);
    static KeyStroke Key(const Args& args);
    void PressKey(const Args& args);
    void PrintGenerationLog();
    void CallAutomation(const Args& args);
    void PlayClientProgress(const Args& args);
    void InterruptClient(const Args& args);
    void PrintJobs(const Args& args);
    void SetClock(const Args& args);
    void SetLockWaits(const Args& args);
    void ForkChild(const Args& args);

    static const std::vector<Action>& Actions();

    HostModule& m_module;
    HostOptions m_options;
    HostUiDriver m_ui;
    HostAutomation m_automation;
    vqui::UiDriver* m_previousDriver;
    HWND m_mainWindow = nullptr;
    std::vector<View> m_views;
    std::size_t m_current = 0;
    std::string m_openSegment;  // the business segment the host named last
    int m_nodeHandle = 1;
    int m_line = 0;
    int m_errors = 0;
};
