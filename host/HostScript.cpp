#include "HostScript.h"

#include "HostCallbacks.h"
#include "HostControls.h"
#include "HostGenerationLog.h"
#include "HostKeyboard.h"
#include "HostOutput.h"
#include "vqclient/VqcControlWindow.h"

#include "win/CButton.h"
#include "win/ListView.h"
#include "win/Clock.h"
#include "win/Messages.h"
#include "win/Printing.h"
#include "win/Window.h"

#include <poll.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <stdexcept>

namespace {

constexpr int kViewWidth = 800;
constexpr int kViewHeight = 600;
// `idle N` turns at most this often, so that a mistyped count still ends.
constexpr long long kMostIdleTurns = 1'000'000;

// A script line the host cannot run.
class BadLine : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

bool IsDigits(const std::string& text)
{
    return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

// A list index: digits, or a minus and digits.
bool IsIndex(const std::string& text) { return IsDigits(text.starts_with('-') ? text.substr(1) : text); }

// A bound of a number as the script writes it: hexadecimal numbers without a prefix.
std::string InBase(long long value, int base)
{
    if (base != 16)
        return std::to_string(value);
    char text[24];
    std::snprintf(text, sizeof text, "%llX", value);
    return text;
}

// The list pane of that id, in the order dump shows the panes; `skip` passes over that many
// earlier ones of the same id (nested splitters number their panes alike).
HWND FindListPane(HWND window, int id, int& skip)
{
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (GetDlgCtrlID(child) == id && hostcontrols::ClassOf(child) == WC_LISTVIEW && skip-- == 0)
            return child;
        if (HWND found = FindListPane(child, id, skip))
            return found;
    }
    return nullptr;
}

} // namespace

struct HostScript::Action {
    const char* name;
    std::size_t minArgs;
    std::size_t maxArgs;
    void (*run)(HostScript& host, const Args& args);
    // Runs nothing of the module: queues for the boxes, dialogs and menus to come, or prints,
    // or sets the host up.
    bool runsNothing = false;
};

HostScript::HostScript(HostModule& module, const HostOptions& options)
    : m_module(module), m_options(options),
      m_ui([this](int line, const std::string& message) { Error(line, message); }),
      m_previousDriver(vqui::InstallUiDriver(&m_ui))
{
    m_mainWindow = CreateWindowEx(0, nullptr, "vqshost", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, kViewWidth,
                                  kViewHeight, nullptr, nullptr, nullptr, nullptr);
}

HostScript::~HostScript()
{
    End();
    vqui::InstallUiDriver(m_previousDriver);
}

void HostScript::End()
{
    m_automation.Release();
    m_module.Unload();
    m_ui.ReportUnmet();
    if (m_mainWindow)
        DestroyWindow(m_mainWindow);
    m_mainWindow = nullptr;
}

void HostScript::Run(std::istream& script)
{
    std::string text;
    while (!OutputFailed() && std::getline(script, text)) {
        ++m_line;
        RunLine(text);
    }
}

void HostScript::RunLine(const std::string& text)
{
    Args args;
    try {
        args = Split(text);
    } catch (const BadLine& error) {
        Error(m_line, error.what());
        return;
    }
    if (args.empty())
        return;
    m_ui.SetCurrentLine(m_line);
    const std::string name = args.front();
    args.erase(args.begin());
    for (const Action& action : Actions()) {
        if (name != action.name)
            continue;
        if (args.size() < action.minArgs || args.size() > action.maxArgs) {
            Error(m_line, name + ": wrong number of arguments");
            return;
        }
        if (!action.runsNothing)
            m_ui.StartRunningLine();
        try {
            action.run(*this, args);
        } catch (const std::exception& error) {
            Error(m_line, name + ": " + error.what());
        }
        return;
    }
    Error(m_line, "unknown action \"" + Escaped(name) + "\"");
}

void HostScript::Error(int line, const std::string& message)
{
    ++m_errors;
    PrintLine("error: line " + std::to_string(line) + ": " + message);
}

HostScript::Args HostScript::Split(const std::string& text)
{
    Args args;
    for (std::size_t at = 0; at < text.size();) {
        const char c = text[at];
        if (c == ' ' || c == '\t' || c == '\r') {
            ++at;
            continue;
        }
        if (c == '#')
            break;
        std::string arg;
        if (c != '"') {
            const std::size_t end = text.find_first_of(" \t\r", at);
            arg = text.substr(at, end - at);
            at = end == std::string::npos ? text.size() : end;
            args.push_back(arg);
            continue;
        }
        for (++at;; ++at) {
            if (at >= text.size())
                throw BadLine("a quoted text without its closing quote");
            if (text[at] == '"')
                break;
            if (text[at] == '\\' && at + 1 < text.size()) {
                const char escaped = text[++at];
                arg += escaped == 'n' ? '\n' : escaped == 't' ? '\t' : escaped;
            } else {
                arg += text[at];
            }
        }
        ++at;
        args.push_back(arg);
    }
    return args;
}

const char* HostScript::Text(const Args& args, std::size_t index)
{
    return args.at(index) == "(null)" ? nullptr : args.at(index).c_str();
}

long long HostScript::Number(const Args& args, std::size_t index, long long least, long long most, int base)
{
    const std::string& text = args.at(index);
    char* end = nullptr;
    errno = 0;
    const long long value = std::strtoll(text.c_str(), &end, base);
    if (text.empty() || *end)
        throw BadLine("\"" + Escaped(text) + "\" is not a number");
    if (errno == ERANGE || value < least || value > most)
        throw BadLine("\"" + Escaped(text) + "\" is out of range (" + InBase(least, base) + " to " +
                      InBase(most, base) + ")");
    return value;
}

HWND HostScript::CurrentFrame() const { return m_views.empty() ? nullptr : m_views[m_current].frame; }

std::string HostScript::FrameName(HWND frame) const
{
    for (std::size_t i = 0; i < m_views.size(); ++i) {
        if (frame && m_views[i].frame == frame)
            return "frame-" + std::to_string(i + 1);
    }
    return frame ? "frame" : "0";
}

void HostScript::PrintResult(const std::string& action, const std::string& value)
{
    PrintLine("result: " + action + " " + value);
}

void HostScript::OpenView(const Args&, bool system)
{
    const std::string name = std::string(system ? "system-" : "host-") + std::to_string(m_views.size() + 1);
    HWND window = CreateWindowEx(WS_EX_MDICHILD, nullptr, name.c_str(), WS_CHILD | WS_VISIBLE, 0, 0, kViewWidth,
                                 kViewHeight, m_mainWindow, nullptr, nullptr, nullptr);
    const HWND frame =
        system ? m_module.VqsOpenSystemView(window, &hostcallbacks::OnViewUpdate, &hostcallbacks::OnViewMessage)
               : m_module.VqsOpenHostView(window, &hostcallbacks::OnViewUpdate, &hostcallbacks::OnViewMessage);
    if (!frame) {
        DestroyWindow(window);
        PrintResult(system ? "open-system-view" : "open-host-view", "0");
        return;
    }
    m_views.push_back({name, window, frame, {}});
    m_current = m_views.size() - 1;
    PrintResult(system ? "open-system-view" : "open-host-view", FrameName(frame));
}

void HostScript::CloseView(const Args&)
{
    if (m_views.empty())
        throw BadLine("no view was opened");
    PrintResult("close-view", m_module.VqsCloseView(CurrentFrame()));
    if (IsWindow(m_views[m_current].window))
        DestroyWindow(m_views[m_current].window);
}

void HostScript::UseView(const Args& args)
{
    const long long number = Number(args, 0, 1, INT_MAX);
    if (static_cast<std::size_t>(number) > m_views.size())
        throw BadLine("there is no view " + args[0]);
    m_current = static_cast<std::size_t>(number - 1);
}

void HostScript::OpenSession(const Args& args)
{
    if (m_options.repository.empty())
        throw BadLine("no repository: give --repo FILE");
    const char* userCode = args.empty() ? m_options.userCode.c_str() : Text(args, 0);
    PrintResult("open-session", m_module.VqsOpenSession(m_options.repository.c_str(), userCode, &m_nodeHandle,
                                                        m_options.repositoryMode));
}

// The call answers nothing and is ignored once the enterprise holds systems; the host asks
// the module beforehand whether it can change the flag, and prints whether it was taken.
void HostScript::ChangeLongNames(const Args& args)
{
    const BOOL allow = static_cast<BOOL>(Number(args, 0, 0, 1));
    const BOOL taken = m_module.VqsCanChangeLongNamesFlag();
    m_module.VqsChangeLongNamesFlag(allow);
    PrintResult("change-long-names", taken ? "taken" : "ignored: the enterprise holds systems");
}

void HostScript::PrintGenerationLog()
{
    if (m_options.generationLog.empty())
        throw BadLine("no generation log: give --repo FILE or set VQ_GENERATION_LOG");
    std::vector<std::string> lines;
    std::string problem;
    if (!ReadGenerationLog(m_options.generationLog, lines, problem))
        throw BadLine("cannot read the generation log " + m_options.generationLog + ": " + problem);
    for (const std::string& line : lines)
        PrintLine("genlog: " + line);
}

void HostScript::CallAutomation(const Args& args)
{
    std::string answer;
    const HRESULT hr = m_automation.Call(args[0], Args(args.begin() + 1, args.end()), answer);
    PrintResult("automation " + args[0], HexResult(hr) + (answer.empty() ? "" : " " + answer));
}

void HostScript::PlayClientProgress(const Args& args)
{
    HWND client = FindWindowEx(nullptr, nullptr, nullptr, kVqcControlWindowName);
    if (!client)
        throw BadLine("no generation has been started");
    const LRESULT played =
        SendMessage(client, WM_VQC_PLAY_PROGRESS, Int(args, 0), reinterpret_cast<LPARAM>(Text(args, 1)));
    std::string answer = std::to_string(played);
    if (played == 0)
        answer += " (no generation runs: nothing played)";
    else if (played == 2)
        answer += Int(args, 0) == 3 ? " (finished; its window is gone: nothing shown)"
                                    : " (its window is gone: nothing shown)";
    PrintResult("client-progress", answer);
}

void HostScript::InterruptClient(const Args& args)
{
    HWND client = FindWindowEx(nullptr, nullptr, nullptr, kVqcControlWindowName);
    if (!client)
        throw BadLine("no generation has been started");
    PrintResult("client-interrupt", static_cast<long>(SendMessage(client, WM_VQC_INTERRUPT, Int(args, 0), 0)));
}

void HostScript::SetIniPath(const Args& args)
{
    if (args.empty() && m_options.iniPath.empty())
        throw BadLine("no settings path: give one or --ini FILE");
    m_module.VqsSetIniPath(args.empty() ? m_options.iniPath.c_str() : Text(args, 0));
}

void HostScript::SetFont(const Args& args)
{
    LOGFONT font{};
    font.lfHeight = static_cast<LONG>(Int(args, 0));
    std::strncpy(font.lfFaceName, args.at(1).c_str(), sizeof font.lfFaceName - 1);
    m_module.VqsSetFont(CurrentFrame(), &font);
}

void HostScript::Idle(const Args& args)
{
    const long long turns = args.empty() ? 1 : Number(args, 0, 1, kMostIdleTurns);
    for (long long turn = 0; turn < turns; ++turn) {
        vqwin::PumpPending();
        m_module.VqsOnIdle();
    }
    m_ui.ReportUnmetAfterIdle();
}

// The lock progress dialog shows on the session's lock thread, beside the script's line.
void HostScript::ExpectDialog(const Args& args)
{
    const UINT id = Id(args, 0);
    if (id == HostUiDriver::kLockProgressDialog)
        throw BadLine("the lock progress dialog takes no expectation; lock-waits says what the user does in it");
    m_ui.ExpectDialog(m_line, id);
}

// A string id may come with the texts its placeholders take.
void HostScript::ExpectMessage(const Args& args)
{
    if (IsDigits(args[0]))
        m_ui.ExpectMessageId(m_line, Id(args, 0), Args(args.begin() + 1, args.end()));
    else if (args.size() > 1)
        throw BadLine("arguments go with a string id, not with a text");
    else
        m_ui.ExpectMessage(m_line, args[0]);
}

void HostScript::Answer(const Args& args)
{
    const int result =
        IsDigits(args[0]) ? static_cast<int>(Number(args, 0, 0, INT_MAX)) : HostUiDriver::NamedResult(args[0]);
    if (result < 0)
        throw BadLine("\"" + Escaped(args[0]) + "\" is no answer");
    if (!m_ui.Answer(m_line, result))
        throw BadLine("a pop-up menu takes no answer (choose a command of it)");
}

// The user clicks (left: selects, twice: opens, right: opens the context menu) a row of a
// list pane of the current view: the pane's control id, the row (-1: below the rows), the
// panes of that id to pass over.
void HostScript::ClickRow(const Args& args, vqui::UserActionKind kind)
{
    int skip = args.size() > 2 ? static_cast<int>(Number(args, 2, 0, INT_MAX)) : 0;
    const HWND list = FindListPane(CurrentFrame(), Int(args, 0), skip);
    if (!list)
        throw BadLine("there is no list pane " + args[0]);
    vqui::UserAction click;
    click.kind = kind;
    click.index = static_cast<int>(Number(args, 1, -1, INT_MAX));
    if (kind == vqui::UserActionKind::ContextMenu) {
        const std::optional<POINT> point = hostcontrols::ListRowPoint(list, click.index);
        if (!point)
            throw BadLine("list pane " + args[0] + " has no row " + args[1]);
        click.point = *point;
    }
    vqui::Perform(list, click);
}

std::string HostScript::Joined(const Args& args)
{
    std::string text;
    for (const std::string& word : args)
        text += (text.empty() ? "" : " ") + word;
    return text;
}

// The host passes the business segment it has open: the one it named last.
void HostScript::Go(const Args& args)
{
    const std::string text = Joined(args);
    std::vector<char> buffer(text.begin(), text.end());
    buffer.push_back('\0');
    const char* segment = m_openSegment.empty() ? nullptr : m_openSegment.c_str();
    PrintResult("go", m_module.VqsImplementGO(buffer.data(), segment));
}

void HostScript::SetBusinessSegment(const Args& args)
{
    const char* name = Text(args, 0);
    PrintResult("set-business-segment", m_module.VqsSetBusinessSegment(name));
    if (name && *name)
        m_openSegment = name;
}

void HostScript::RemoveBusinessSegments()
{
    m_module.VqsRemoveBusinessSegmentList();
    m_openSegment.clear();
}

void HostScript::AddMenuItems()
{
    hostcallbacks::TakeMenuAccelerators();
    const int added = m_module.VqsAddMenuItems(CurrentFrame(), &hostcallbacks::OnMenuItem);
    if (!m_views.empty())
        m_views[m_current].accelerators = hostcallbacks::TakeMenuAccelerators();
    PrintResult("add-menu-items", added);
}

void HostScript::DialogAction(const vqui::UiAction& action)
{
    if (!m_ui.AddDialogAction(m_line, action))
        throw BadLine("no dialog is expected (expect-dialog ID first)");
}

void HostScript::DialogStep(HostUiDriver::DialogStep step)
{
    if (!m_ui.AddDialogStep(m_line, std::move(step)))
        throw BadLine("no dialog is expected (expect-dialog ID first)");
}

vqui::UiAction HostScript::ControlAction(const Args& args, vqui::UserActionKind kind)
{
    vqui::UserAction action;
    action.kind = kind;
    if (kind == vqui::UserActionKind::Type) {
        action.text = args.at(1);
        action.state = 1;
    } else if (kind == vqui::UserActionKind::SetCheck) {
        action.state = static_cast<int>(Number(args, 1, BST_UNCHECKED, BST_INDETERMINATE));
    }
    return vqui::UiAction::Act(Int(args, 0), action);
}

// An item of a list, combo box or tab control: by its index, or by the text the control shows
// for it, found when the dialog gets there.
void HostScript::ItemAction(const Args& args, vqui::UserActionKind kind)
{
    const int id = Int(args, 0);
    vqui::UserAction action;
    action.kind = kind;
    if (kind == vqui::UserActionKind::CheckItem)
        action.state = static_cast<int>(Number(args, 2, 0, 1));
    if (IsIndex(args.at(1))) {
        action.index = static_cast<int>(Number(args, 1, -1, INT_MAX));
        DialogAction(vqui::UiAction::Act(id, action));
        return;
    }
    const std::string text = args[1];
    DialogStep([id, action, text](const vqui::UiEvent& dialog) mutable {
        HWND control = hostcontrols::FindControl(dialog.window, id);
        if (!control)
            throw vqui::UserActionError("there is no control " + std::to_string(id));
        action.index = hostcontrols::FindShownItem(control, text);
        if (action.index < 0)
            throw vqui::UserActionError("control " + std::to_string(id) + " shows no item \"" + Escaped(text) + "\"");
        return std::optional<vqui::UiAction>(vqui::UiAction::Act(id, action));
    });
}

// In a dialog that takes steps, its controls when it gets there; else the open frames.
void HostScript::Dump(const Args&)
{
    if (m_ui.TakesDialogSteps()) {
        DialogStep([](const vqui::UiEvent& dialog) {
            for (const std::string& line : hostcontrols::DescribeDialog(dialog.window, dialog.templateId))
                PrintLine("dump: " + line);
            return std::optional<vqui::UiAction>();
        });
        return;
    }
    bool any = false;
    for (std::size_t i = 0; i < m_views.size(); ++i) {
        if (!IsWindow(m_views[i].frame))
            continue;
        any = true;
        PrintLine("dump: frame-" + std::to_string(i + 1) + " in " + m_views[i].name);
        for (const std::string& line : hostcontrols::DescribePanes(m_views[i].frame))
            PrintLine("dump: " + line);
    }
    if (!any)
        PrintLine("dump: no open frames");
}

KeyStroke HostScript::Key(const Args& args)
{
    const std::optional<KeyStroke> stroke = ParseKey(args.at(0));
    if (!stroke)
        throw BadLine("\"" + Escaped(args[0]) + "\" is no key");
    return *stroke;
}

// The user's keyboard while no dialog is open: the host's accelerator table (the keys of the
// current view's menu items) first, then the window with the focus.
void HostScript::PressKey(const Args& args)
{
    const KeyStroke stroke = Key(args);
    const std::vector<ACCEL> none;
    const std::vector<ACCEL>& accelerators = m_views.empty() ? none : m_views[m_current].accelerators;
    if (const std::optional<UINT> command = AcceleratorCommand(stroke, accelerators)) {
        PrintLine("key: " + Escaped(args[0]) + " -> command " + std::to_string(*command));
        m_module.VqsImplementCommandID(CurrentFrame(), *command);
        return;
    }
    HWND target = KeyTarget(m_mainWindow);
    const std::string where = target == m_mainWindow ? std::string("the host window")
                                                     : hostcontrols::ClassOf(target) + " " +
                                                           std::to_string(GetDlgCtrlID(target));
    PrintLine("key: " + Escaped(args[0]) + " -> " + where);
    ::PressKey(stroke, target);
}

// From here on the clock stands at that second and moves only as far as the module's own
// sleeps and pauses take it, so that printed times are the same at every run.
void HostScript::SetClock(const Args& args)
{
    // Never destroyed: the module asks the clock until it is unloaded, after static objects
    // of the host have gone.
    static vqclock::ManualClock* clock = new vqclock::ManualClock;
    clock->Set(Number(args, 0, 0, LLONG_MAX));
    clock->SetSleepMovesClock(true);
    vqclock::Install(clock);
}

void HostScript::SetLockWaits(const Args& args)
{
    if (args[0] == "cancel")
        m_ui.SetLockWaits(HostUiDriver::LockWaits::Cancel);
    else if (args[0] == "wait")
        m_ui.SetLockWaits(HostUiDriver::LockWaits::Wait);
    else
        throw BadLine("\"" + Escaped(args[0]) + "\" is neither cancel nor wait");
}

namespace {

bool g_forkedChild = false;

} // namespace

// A child that fork-child made ends without the leak sanitizer's check (in a build with the
// sanitizers): it cannot see the stacks of its parent's other threads, so all they hold would
// read as leaked.
extern "C" __attribute__((used, visibility("default"))) int __lsan_is_turned_off() { return g_forkedChild ? 1 : 0; }

// A child of the host's process that ends at once, as a host's child whose exec failed does:
// with exit(127), or by unloading the module first. The host waits a second for it.
void HostScript::ForkChild(const Args& args)
{
    const bool unload = args[0] == "unload";
    if (!unload && args[0] != "exit")
        throw BadLine("\"" + Escaped(args[0]) + "\" is neither exit nor unload");
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child < 0)
        throw BadLine(std::string("cannot fork: ") + std::strerror(errno));
    if (child == 0) {
        g_forkedChild = true;
        if (unload)
            m_module.Unload();
        std::exit(127);
    }
    const int ended = static_cast<int>(syscall(SYS_pidfd_open, child, 0));
    pollfd wait{ended, POLLIN, 0};
    const bool gone = ended >= 0 && poll(&wait, 1, 1000) == 1;
    if (ended >= 0)
        close(ended);
    if (!gone)
        kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    if (!gone)
        PrintLine("fork-child: the child had not ended after a second");
    else if (WIFEXITED(status))
        PrintLine("fork-child: the child ended with " + std::to_string(WEXITSTATUS(status)));
    else
        PrintLine("fork-child: the child died of signal " + std::to_string(WTERMSIG(status)));
}

// What the module printed so far, each job as text, one "print:" line per line.
void HostScript::PrintJobs(const Args&)
{
    for (const vqwin::PrintJob& job : vqwin::PrintJobs()) {
        const std::string text = vqwin::Describe(job);
        for (std::size_t start = 0; start < text.size();) {
            std::size_t end = text.find('\n', start);
            if (end == std::string::npos)
                end = text.size();
            PrintLine("print: " + text.substr(start, end - start));
            start = end + 1;
        }
    }
}

const std::vector<HostScript::Action>& HostScript::Actions()
{
    using H = HostScript;
    static const std::vector<Action> actions = {
        {"set-resource-module", 1, 1,
         [](H& h, const Args& a) {
             h.PrintResult("set-resource-module", h.m_module.VqsSetResourceModule(Text(a, 0)));
         }},
        {"set-ini-path", 0, 1, [](H& h, const Args& a) { h.SetIniPath(a); }},
        {"set-help-path", 1, 1,
         [](H& h, const Args& a) { h.PrintResult("set-help-path", h.m_module.VqsSetHelpFilePath(Text(a, 0))); }},
        {"set-security-mask", 1, 1,
         [](H& h, const Args& a) {
             h.m_module.VqsSetSecurityMask(static_cast<int>(Number(a, 0, INT_MIN, INT_MAX, 0)));
         }},
        {"set-business-segment", 1, 1, [](H& h, const Args& a) { h.SetBusinessSegment(a); }},
        {"remove-business-segments", 0, 0, [](H& h, const Args&) { h.RemoveBusinessSegments(); }},
        {"set-color", 2, 2,
         [](H& h, const Args& a) {
             const long long rgb = Number(a, 0, 0, 0xFFFFFF, 16);
             h.m_module.VqsSetColor(
                 RGB(static_cast<BYTE>(rgb >> 16), static_cast<BYTE>(rgb >> 8), static_cast<BYTE>(rgb)), Text(a, 1));
         }},
        {"set-font", 2, 2, [](H& h, const Args& a) { h.SetFont(a); }},
        {"register-wyr", 0, 0,
         [](H& h, const Args&) {
             h.m_module.VqsRegisterWYRCallBack(&hostcallbacks::OnWyrQuery, &hostcallbacks::OnWyrNotify,
                                               &hostcallbacks::OnWyrLog);
         }},
        {"open-session", 0, 1, [](H& h, const Args& a) { h.OpenSession(a); }},
        {"close-session", 0, 0, [](H& h, const Args&) { h.m_module.VqsCloseSession(); }},
        {"willing-to-close", 0, 0,
         [](H& h, const Args&) { h.PrintResult("willing-to-close", h.m_module.willingToClose()); }},
        {"can-change-long-names", 0, 0,
         [](H& h, const Args&) { h.PrintResult("can-change-long-names", h.m_module.VqsCanChangeLongNamesFlag()); }},
        {"change-long-names", 1, 1, [](H& h, const Args& a) { h.ChangeLongNames(a); }},
        {"open-system-view", 0, 0, [](H& h, const Args& a) { h.OpenView(a, true); }},
        {"open-host-view", 0, 0, [](H& h, const Args& a) { h.OpenView(a, false); }},
        {"use-view", 1, 1, [](H& h, const Args& a) { h.UseView(a); }, true},
        {"close-view", 0, 0, [](H& h, const Args& a) { h.CloseView(a); }},
        {"add-menu-items", 0, 0, [](H& h, const Args&) { h.AddMenuItems(); }},
        {"update-commands", 0, 0, [](H& h, const Args&) { h.m_module.VqsUpdateCommands(h.CurrentFrame()); }},
        {"command", 1, 1,
         [](H& h, const Args& a) {
             h.PrintResult("command", h.m_module.VqsImplementCommandName(h.CurrentFrame(), Text(a, 0)));
         }},
        {"command-id", 1, 1,
         [](H& h, const Args& a) {
             h.m_module.VqsImplementCommandID(h.CurrentFrame(), Id(a, 0));
         }},
        {"idle", 0, 1, [](H& h, const Args& a) { h.Idle(a); }},
        {"go", 1, 64, [](H& h, const Args& a) { h.Go(a); }},
        {"say", 1, 64, [](H&, const Args& a) { PrintLine("say: " + Escaped(Joined(a))); }, true},
        {"prepare-transaction", 2, 2,
         [](H& h, const Args& a) {
             h.PrintResult("prepare-transaction",
                           h.m_module.VqsPrepareForTransaction(Text(a, 0), Int(a, 1)));
         }},
        {"rename", 4, 4,
         [](H& h, const Args& a) {
             h.PrintResult("rename", h.m_module.VqsRename(Text(a, 0), Text(a, 1), Text(a, 2), Text(a, 3)));
         }},
        {"create", 3, 3,
         [](H& h, const Args& a) {
             h.PrintResult("create", h.m_module.VqsCreate(Text(a, 0), Text(a, 1), Text(a, 2)));
         }},
        {"ispec-type-change", 3, 3,
         [](H& h, const Args& a) {
             h.PrintResult("ispec-type-change", h.m_module.IspecTypeChange(Text(a, 0), Text(a, 1), Text(a, 2)));
         }},
        {"transaction-closed", 0, 0, [](H& h, const Args&) { h.m_module.VqsTransactionClosed(); }},
        {"transaction-failed", 0, 0, [](H& h, const Args&) { h.m_module.VqsTransactionFailed(); }},
        {"is-test-dll", 0, 0,
         [](H& h, const Args&) {
             char buffer[kVqsTestDllTextCapacity] = {};
             const int result = h.m_module.IsTestDll(buffer);
             h.PrintResult("is-test-dll", std::to_string(result) + " " + Escaped(buffer));
         }},
        {"test", 1, 1, [](H& h, const Args& a) { h.m_module.Test(Int(a, 0)); }},
        {"expect-message", 1, 10, [](H& h, const Args& a) { h.ExpectMessage(a); }, true},
        {"expect-dialog", 1, 1, [](H& h, const Args& a) { h.ExpectDialog(a); }, true},
        {"answer", 1, 1, [](H& h, const Args& a) { h.Answer(a); }, true},
        {"set-text", 2, 2,
         [](H& h, const Args& a) { h.DialogAction(ControlAction(a, vqui::UserActionKind::Type)); }, true},
        {"check", 2, 3,
         [](H& h, const Args& a) {
             if (a.size() == 3)
                 h.ItemAction(a, vqui::UserActionKind::CheckItem);
             else
                 h.DialogAction(ControlAction(a, vqui::UserActionKind::SetCheck));
         }, true},
        {"select", 2, 2, [](H& h, const Args& a) { h.ItemAction(a, vqui::UserActionKind::SelectIndex); }, true},
        {"click", 1, 1,
         [](H& h, const Args& a) { h.DialogAction(ControlAction(a, vqui::UserActionKind::Click)); }, true},
        {"press", 1, 1,
         [](H& h, const Args& a) {
             const KeyStroke stroke = Key(a);
             h.DialogAction(vqui::UiAction::Key(stroke.key, stroke.modifiers));
         }, true},
        {"key", 1, 1, [](H& h, const Args& a) { h.PressKey(a); }},
        {"dump", 0, 0, [](H& h, const Args& a) { h.Dump(a); }, true},
        {"automation-create", 0, 0,
         [](H& h, const Args&) { h.PrintResult("automation-create", HexResult(h.m_automation.Create())); }},
        {"automation", 1, 8, [](H& h, const Args& a) { h.CallAutomation(a); }},
        {"automation-release", 0, 0, [](H& h, const Args&) { h.m_automation.Release(); }},
        {"client-progress", 2, 2, [](H& h, const Args& a) { h.PlayClientProgress(a); }},
        {"client-interrupt", 1, 1, [](H& h, const Args& a) { h.InterruptClient(a); }},
        {"generation-log", 0, 0, [](H& h, const Args&) { h.PrintGenerationLog(); }, true},
        {"print-jobs", 0, 0, [](H& h, const Args& a) { h.PrintJobs(a); }, true},
        {"set-clock", 1, 1, [](H& h, const Args& a) { h.SetClock(a); }, true},
        {"lock-waits", 1, 1, [](H& h, const Args& a) { h.SetLockWaits(a); }, true},
        {"fork-child", 1, 1, [](H& h, const Args& a) { h.ForkChild(a); }},
        {"select-row", 2, 3, [](H& h, const Args& a) { h.ClickRow(a, vqui::UserActionKind::SelectIndex); }},
        {"right-click-row", 2, 3, [](H& h, const Args& a) { h.ClickRow(a, vqui::UserActionKind::ContextMenu); }},
        {"double-click-row", 2, 3, [](H& h, const Args& a) { h.ClickRow(a, vqui::UserActionKind::DoubleClick); }},
        {"expect-menu", 0, 0, [](H& h, const Args&) { h.m_ui.ExpectMenu(h.m_line); }, true},
        {"choose", 1, 1,
         [](H& h, const Args& a) {
             if (!h.m_ui.Choose(h.m_line, a[0]))
                 throw BadLine("no pop-up menu waits for its choice (expect-menu first)");
         }, true},
    };
    return actions;
}
