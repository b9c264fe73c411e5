#include "win/UiDriver.h"

#include "win/Activation.h"
#include "win/CPropertySheet.h"
#include "win/CWinApp.h"

#include <algorithm>
#include <atomic>
#include <mutex>

namespace vqui {

namespace {

std::atomic<UiDriver*> g_driver{nullptr};

std::mutex g_transcriptMutex;
std::vector<TranscriptEntry> g_transcript;


const char* IconName(UINT style)
{
    switch (style & MB_ICONMASK) {
    case MB_ICONHAND:
        return "stop";
    case MB_ICONQUESTION:
        return "question";
    case MB_ICONEXCLAMATION:
        return "exclamation";
    case MB_ICONINFORMATION:
        return "information";
    default:
        return nullptr;
    }
}

std::string ButtonList(UINT style)
{
    std::string list;
    for (int button : MessageBoxButtons(style)) {
        if (!list.empty())
            list += '/';
        list += ResultName(button);
    }
    return list;
}

// Line breaks of the text are shown as "\n" so that one entry stays one line.
std::string OneLine(const CString& text)
{
    std::string line;
    for (char c : text.str()) {
        if (c == '\n')
            line += "\\n";
        else if (c != '\r')
            line += c;
    }
    return line;
}

std::string DescribeMessageBox(const TranscriptEntry& entry)
{
    const UiEvent& event = entry.event;
    std::string line = "message box \"" + event.caption.str() + "\" [" + ButtonList(event.style);
    if (const char* icon = IconName(event.style))
        line += std::string(", ") + icon;
    if (event.helpId != 0)
        line += ", help " + std::to_string(event.helpId);
    line += "]: " + OneLine(event.text) + " -> " + ResultName(entry.result);
    if (entry.answeredBy == AnsweredBy::DefaultNoDriver)
        line += " (default button, no driver)";
    else if (entry.answeredBy == AnsweredBy::DefaultInvalidAnswer)
        line += " (default button, the driver's answer is not a button of the box)";
    return line;
}

const char* KindName(EventKind kind)
{
    switch (kind) {
    case EventKind::MessageBox: return "message box";
    case EventKind::PopupMenu: return "popup menu";
    case EventKind::Dialog: return "dialog";
    case EventKind::PropertySheet: return "property sheet";
    case EventKind::Wizard: return "wizard";
    case EventKind::FileOpen: return "file open";
    case EventKind::FileSave: return "file save";
    case EventKind::FolderBrowse: return "folder browse";
    case EventKind::PrintSetup: return "print setup";
    case EventKind::Print: return "print";
    }
    return "?";
}

std::string DescribeWindow(const TranscriptEntry& entry)
{
    const UiEvent& event = entry.event;
    std::string line = KindName(event.kind);
    if (event.kind == EventKind::Dialog)
        line += " " + std::to_string(event.templateId);
    else if (event.templateId != 0)
        line += " on page " + std::to_string(event.templateId);
    line += " \"" + OneLine(event.caption) + "\" -> " + DialogResultName(entry.result);
    if (!entry.answer.IsEmpty())
        line += ": " + entry.answer.str();
    if (entry.answeredBy == AnsweredBy::DefaultNoDriver)
        line += " (no driver)";
    return line;
}

} // namespace

UiAction UiAction::End(int result)
{
    UiAction action;
    action.result = result;
    return action;
}

UiAction UiAction::Press(int buttonId)
{
    UiAction action;
    action.kind = Kind::Press;
    action.controlId = buttonId;
    return action;
}

UiAction UiAction::Act(int controlId, UserAction userAction)
{
    UiAction action;
    action.kind = Kind::Act;
    action.controlId = controlId;
    action.userAction = std::move(userAction);
    return action;
}

UiAction UiAction::Key(UINT virtualKey, BYTE modifiers)
{
    UiAction action;
    action.kind = Kind::Key;
    action.key = virtualKey;
    action.modifiers = modifiers;
    return action;
}

UiAction UiAction::Wait()
{
    UiAction action;
    action.kind = Kind::Wait;
    return action;
}

UiAction UiAction::Choose(UINT command)
{
    UiAction action;
    action.kind = Kind::Choose;
    action.result = static_cast<int>(command);
    return action;
}

UiAction UiAction::Answer(const char* text, int option)
{
    UiAction action;
    action.kind = Kind::Answer;
    action.text = text;
    action.option = option;
    return action;
}

void UiDriver::Opened(const UiEvent&) {}

void UiDriver::ActionFailed(const UiEvent&, const UiAction&, const std::string&) {}

void UiDriver::Withdrawn(const UiEvent&) {}

void UiDriver::Ended(const UiEvent&, int) {}

UiDriver* InstallUiDriver(UiDriver* driver) { return g_driver.exchange(driver); }

UiDriver* CurrentUiDriver() { return g_driver.load(); }

std::vector<TranscriptEntry> Transcript()
{
    std::lock_guard lock(g_transcriptMutex);
    return g_transcript;
}

void ClearTranscript()
{
    std::lock_guard lock(g_transcriptMutex);
    g_transcript.clear();
}

void AddToTranscript(TranscriptEntry entry)
{
    std::lock_guard lock(g_transcriptMutex);
    g_transcript.push_back(std::move(entry));
}

namespace {

std::string DescribeMenu(const std::vector<MenuEntry>& menu)
{
    std::string text = "[";
    for (std::size_t i = 0; i < menu.size(); ++i) {
        const MenuEntry& item = menu[i];
        if (i > 0)
            text += " | ";
        if (item.kind == MenuEntry::Kind::Separator) {
            text += "-";
            continue;
        }
        text.append("\"").append(item.text.str()).append("\"");
        if (item.kind == MenuEntry::Kind::Popup)
            text.append(" > ").append(DescribeMenu(item.items));
        else
            text.append(" ").append(std::to_string(item.id));
        if (!item.enabled)
            text += " (greyed)";
        if (item.checked)
            text += " (checked)";
    }
    return text + "]";
}

std::string DescribePopupMenu(const TranscriptEntry& entry)
{
    std::string line = "popup menu " + DescribeMenu(entry.event.menu) + " -> ";
    line += entry.result ? std::to_string(entry.result) : "dismissed";
    if (entry.answeredBy == AnsweredBy::DefaultNoDriver)
        line += " (no driver)";
    else if (entry.answeredBy == AnsweredBy::DefaultInvalidAnswer)
        line += " (the driver's answer is not an enabled command of the menu)";
    return line;
}

bool OffersCommand(const std::vector<MenuEntry>& menu, UINT id)
{
    for (const MenuEntry& item : menu) {
        if (!item.enabled)
            continue;
        if (item.kind == MenuEntry::Kind::Command && item.id == id)
            return true;
        if (item.kind == MenuEntry::Kind::Popup && OffersCommand(item.items, id))
            return true;
    }
    return false;
}

} // namespace

std::string Describe(const TranscriptEntry& entry)
{
    switch (entry.event.kind) {
    case EventKind::MessageBox:
        return DescribeMessageBox(entry);
    case EventKind::PopupMenu:
        return DescribePopupMenu(entry);
    default:
        return DescribeWindow(entry);
    }
}

std::vector<int> MessageBoxButtons(UINT style)
{
    switch (style & MB_TYPEMASK) {
    case MB_OKCANCEL:
        return {IDOK, IDCANCEL};
    case MB_ABORTRETRYIGNORE:
        return {IDABORT, IDRETRY, IDIGNORE};
    case MB_YESNOCANCEL:
        return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO:
        return {IDYES, IDNO};
    case MB_RETRYCANCEL:
        return {IDRETRY, IDCANCEL};
    default:
        return {IDOK};
    }
}

int DefaultMessageBoxButton(UINT style)
{
    std::vector<int> buttons = MessageBoxButtons(style);
    std::size_t index = (style & MB_DEFMASK) >> 8;
    return index < buttons.size() ? buttons[index] : buttons.front();
}

const char* ResultName(int result)
{
    switch (result) {
    case IDOK:
        return "OK";
    case IDCANCEL:
        return "Cancel";
    case IDABORT:
        return "Abort";
    case IDRETRY:
        return "Retry";
    case IDIGNORE:
        return "Ignore";
    case IDYES:
        return "Yes";
    case IDNO:
        return "No";
    default:
        return "?";
    }
}

std::string DialogResultName(int result)
{
    if (result == ID_WIZFINISH)
        return "Finish";
    if (result >= IDOK && result <= IDNO)
        return ResultName(result);
    return std::to_string(result);
}

int ShowMessageBox(const char* caption, const char* text, UINT style, UINT helpId)
{
    TranscriptEntry entry;
    entry.event.caption = caption;
    entry.event.text = text;
    entry.event.style = style;
    entry.event.helpId = helpId;
    HWND deactivated = vqwin::DeactivateForMessageBox();
    UiDriver* driver = CurrentUiDriver();
    if (!driver) {
        entry.result = DefaultMessageBoxButton(style);
        entry.answeredBy = AnsweredBy::DefaultNoDriver;
    } else {
        UiAction action = driver->NextAction(entry.event);
        std::vector<int> buttons = MessageBoxButtons(style);
        if (std::find(buttons.begin(), buttons.end(), action.result) != buttons.end()) {
            entry.result = action.result;
        } else {
            entry.result = DefaultMessageBoxButton(style);
            entry.answeredBy = AnsweredBy::DefaultInvalidAnswer;
        }
    }
    int result = entry.result;
    AddToTranscript(std::move(entry));
    vqwin::ReactivateAfterMessageBox(deactivated);
    return result;
}

UINT ShowPopupMenu(std::vector<MenuEntry> menu)
{
    TranscriptEntry entry;
    entry.event.kind = EventKind::PopupMenu;
    entry.event.menu = std::move(menu);
    entry.result = 0;
    if (UiDriver* driver = CurrentUiDriver()) {
        const UiAction action = driver->NextAction(entry.event);
        const bool chosen = action.kind == UiAction::Kind::Choose && action.result != 0;
        if (chosen && OffersCommand(entry.event.menu, static_cast<UINT>(action.result)))
            entry.result = action.result;
        else if (chosen || action.kind != UiAction::Kind::Choose)
            entry.answeredBy = AnsweredBy::DefaultInvalidAnswer;
    } else {
        entry.answeredBy = AnsweredBy::DefaultNoDriver;
    }
    const auto result = static_cast<UINT>(entry.result);
    AddToTranscript(std::move(entry));
    return result;
}

} // namespace vqui

int MessageBoxA(HWND, LPCSTR text, LPCSTR caption, UINT type) { return vqui::ShowMessageBox(caption, text, type, 0); }

int AfxMessageBox(LPCSTR text, UINT type, UINT helpId)
{
    CWinApp* app = AfxGetApp();
    return vqui::ShowMessageBox(app ? app->m_pszAppName : "", text, type, helpId);
}

int AfxMessageBox(UINT stringId, UINT type, UINT helpId)
{
    CString text;
    text.LoadString(stringId);
    return AfxMessageBox(text, type, helpId == static_cast<UINT>(-1) ? stringId : helpId);
}
