// Modal user interface without a screen. Whatever waits for the user (a message box, a
// pop-up menu; dialogs, property sheets, wizards and file pickers as they come) describes
// itself as a UiEvent and asks the installed UiDriver what the user does next. Everything
// shown and its answer goes to the transcript. With no driver a message box takes its
// default button and a pop-up menu is dismissed.
#pragma once

#include "win/CString.h"

#include <string>
#include <vector>

// Buttons of a message box.
constexpr UINT MB_OK = 0x0;
constexpr UINT MB_OKCANCEL = 0x1;
constexpr UINT MB_ABORTRETRYIGNORE = 0x2;
constexpr UINT MB_YESNOCANCEL = 0x3;
constexpr UINT MB_YESNO = 0x4;
constexpr UINT MB_RETRYCANCEL = 0x5;
constexpr UINT MB_TYPEMASK = 0xF;
// Icons.
constexpr UINT MB_ICONHAND = 0x10;
constexpr UINT MB_ICONERROR = MB_ICONHAND;
constexpr UINT MB_ICONSTOP = MB_ICONHAND;
constexpr UINT MB_ICONQUESTION = 0x20;
constexpr UINT MB_ICONEXCLAMATION = 0x30;
constexpr UINT MB_ICONWARNING = MB_ICONEXCLAMATION;
constexpr UINT MB_ICONINFORMATION = 0x40;
constexpr UINT MB_ICONASTERISK = MB_ICONINFORMATION;
constexpr UINT MB_ICONMASK = 0xF0;
// Default button (the first when the box has fewer buttons).
constexpr UINT MB_DEFBUTTON1 = 0x0;
constexpr UINT MB_DEFBUTTON2 = 0x100;
constexpr UINT MB_DEFBUTTON3 = 0x200;
constexpr UINT MB_DEFBUTTON4 = 0x300;
constexpr UINT MB_DEFMASK = 0xF00;

namespace vqui {

enum class EventKind { MessageBox, PopupMenu };

// An item of a pop-up menu as the user sees it.
struct MenuEntry {
    enum class Kind { Command, Separator, Popup };
    Kind kind = Kind::Command;
    CString text;
    UINT id = 0;
    bool enabled = true;
    bool checked = false;
    std::vector<MenuEntry> items;  // of a nested pop-up
};

// What a modal user interface shows while it waits for the user.
struct UiEvent {
    EventKind kind = EventKind::MessageBox;
    CString caption;
    CString text;
    UINT style = 0;   // MB_ flags of a message box
    UINT helpId = 0;  // help context, 0 for none
    std::vector<MenuEntry> menu;  // the items of a pop-up menu
};

// What the user does next: a message box is ended with a button, a pop-up menu by choosing
// a command (0: dismissing it).
struct UiAction {
    enum class Kind { End, Choose };
    Kind kind = Kind::End;
    int result = 0;

    static UiAction End(int result) { return UiAction{Kind::End, result}; }
    static UiAction Choose(UINT command) { return UiAction{Kind::Choose, static_cast<int>(command)}; }
};

class UiDriver {
public:
    virtual ~UiDriver() = default;
    // Called on the thread that waits for the user, each time it waits. No lock of this
    // layer is held during the call, so a driver may block until another thread answers.
    virtual UiAction NextAction(const UiEvent& event) = 0;
};

// Installs the process-wide driver (nullptr: none) and returns the previous one. The
// caller keeps the driver alive while it is installed.
UiDriver* InstallUiDriver(UiDriver* driver);
UiDriver* CurrentUiDriver();

class ScopedUiDriver {
public:
    explicit ScopedUiDriver(UiDriver& driver) : m_previous(InstallUiDriver(&driver)) {}
    ~ScopedUiDriver() { InstallUiDriver(m_previous); }
    ScopedUiDriver(const ScopedUiDriver&) = delete;
    ScopedUiDriver& operator=(const ScopedUiDriver&) = delete;

private:
    UiDriver* m_previous;
};

enum class AnsweredBy {
    Driver,
    DefaultNoDriver,       // no driver was installed
    DefaultInvalidAnswer,  // the driver chose a result the box (or menu) does not offer
};

struct TranscriptEntry {
    UiEvent event;
    int result = 0;
    AnsweredBy answeredBy = AnsweredBy::Driver;
};

// Everything shown since the start or the last clear, in order.
std::vector<TranscriptEntry> Transcript();
void ClearTranscript();
// One line, e.g. `message box "Caption" [Yes/No, question]: text -> Yes` or
// `popup menu ["&Copy" 57634 | - | "&More" > ["E&xit" 57665]] -> 57665`.
std::string Describe(const TranscriptEntry& entry);

// The results a message box of this style offers, in button order, and its default.
std::vector<int> MessageBoxButtons(UINT style);
int DefaultMessageBoxButton(UINT style);
const char* ResultName(int result);

// Shows a message box through the installed driver and returns the button that ended it.
int ShowMessageBox(const char* caption, const char* text, UINT style, UINT helpId);
// Shows a pop-up menu through the installed driver and returns the command chosen, 0 when
// the menu was dismissed. Only an enabled command of the menu (or of a nested pop-up) can
// be chosen.
UINT ShowPopupMenu(std::vector<MenuEntry> menu);

} // namespace vqui

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
inline int MessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type)
{
    return MessageBoxA(owner, text, caption, type);
}

// The framework's box, captioned with the application's title.
int AfxMessageBox(LPCSTR text, UINT type = MB_OK, UINT helpId = 0);
// By string id; the help id (UINT)-1 stands for the string id itself.
int AfxMessageBox(UINT stringId, UINT type = MB_OK, UINT helpId = static_cast<UINT>(-1));
