#include "win/UiDriver.h"

#include "win/CWinApp.h"

#include <algorithm>
#include <atomic>
#include <mutex>

namespace vqui {

namespace {

std::atomic<UiDriver*> g_driver{nullptr};

std::mutex g_transcriptMutex;
std::vector<TranscriptEntry> g_transcript;

void Record(TranscriptEntry entry)
{
    std::lock_guard lock(g_transcriptMutex);
    g_transcript.push_back(std::move(entry));
}

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

} // namespace

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
    if (entry.event.kind == EventKind::PopupMenu)
        return DescribePopupMenu(entry);
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

int ShowMessageBox(const char* caption, const char* text, UINT style, UINT helpId)
{
    TranscriptEntry entry;
    entry.event = UiEvent{EventKind::MessageBox, CString(caption), CString(text), style, helpId, {}};
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
    Record(std::move(entry));
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
    Record(std::move(entry));
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
