// Modal user interface without a screen. Whatever waits for the user (message boxes, pop-up
// menus, modal dialogs, property sheets, wizards, file, folder and printer dialogs) describes
// itself as a UiEvent and asks the installed UiDriver what the user does next. Everything
// shown and its answer goes to the transcript. With no driver a message box takes its
// default button, a pop-up menu is dismissed and everything else ends as Cancel.
#pragma once

#include "win/CString.h"
#include "win/UserActions.h"

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

enum class EventKind {
    MessageBox,
    PopupMenu,
    Dialog,         // a modal dialog box
    PropertySheet,  // a modal property sheet
    Wizard,         // a property sheet in wizard mode
    FileOpen,
    FileSave,
    FolderBrowse,
    PrintSetup,
    Print,
};

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
    CString text;     // a box's text; the file, folder or printer offered by a common dialog
    UINT style = 0;   // MB_ flags of a message box
    UINT helpId = 0;  // help context, 0 for none
    std::vector<MenuEntry> menu;  // the items of a pop-up menu
    // Dialogs, sheets and wizards: the template (of a sheet, the active page's template)
    // and the window whose controls the actions name.
    UINT templateId = 0;
    HWND window = nullptr;
    // Common dialogs: the file filter ("Batch Files|*.bat|"), their flags, the printers.
    CString filter;
    DWORD flags = 0;
    std::vector<CString> choices;
};

// What the user does next.
struct UiAction {
    enum class Kind {
        End,     // ends the box or window with `result` (a dialog without running its handlers)
        Choose,  // chooses command `result` of a pop-up menu (0: dismisses it)
        Press,   // presses button `controlId` (OK, Cancel, Next, Finish, ...) of a dialog or sheet
        Act,     // `userAction` on control `controlId` (see UserActions.h)
        Key,     // virtual key `key` pressed on the control with the focus, `modifiers` (FSHIFT,
                 // FCONTROL, FALT) held with it
        Wait,    // nothing yet: another thread acts; asked again after the next message
        Answer,  // a common dialog's answer: `text` is the file, folder or printer; `option` the
                 // orientation of a printer (1 portrait, 2 landscape, 0 unchanged)
    };
    Kind kind = Kind::End;
    int result = 0;
    int controlId = 0;
    UserAction userAction;
    UINT key = 0;
    BYTE modifiers = 0;
    CString text;
    int option = 0;

    static UiAction End(int result);
    static UiAction Choose(UINT command);
    static UiAction Press(int buttonId);
    static UiAction Act(int controlId, UserAction action);
    static UiAction Key(UINT virtualKey, BYTE modifiers = 0);
    static UiAction Wait();
    static UiAction Answer(const char* text, int option = 0);
};

class UiDriver {
public:
    virtual ~UiDriver() = default;
    // Called on the thread that waits for the user, each time it waits. No lock of this
    // layer is held during the call, so a driver may block until another thread answers.
    // A dialog, sheet or wizard asks only while it is visible and not minimised.
    virtual UiAction NextAction(const UiEvent& event) = 0;
    // A modal dialog, sheet or wizard has opened (its template's caption; before its
    // initialisation ran).
    virtual void Opened(const UiEvent& event);
    // The action could not be carried out (no such control, disabled, hidden, ...); the
    // window asks again.
    virtual void ActionFailed(const UiEvent& event, const UiAction& action, const std::string& reason);
    // A modal window the driver was asked about stopped waiting for the user while it stays
    // open (hidden or minimised, by its own code or another thread); the driver is asked
    // again once it shows again.
    virtual void Withdrawn(const UiEvent& event);
    // A modal dialog, sheet, wizard or common dialog has ended with `result`.
    virtual void Ended(const UiEvent& event, int result);
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
    DefaultNoDriver,       // no driver was installed (a box's default button; Cancel elsewhere)
    DefaultInvalidAnswer,  // the driver chose a result the box (or menu) does not offer
};

struct TranscriptEntry {
    UiEvent event;
    int result = 0;
    AnsweredBy answeredBy = AnsweredBy::Driver;
    CString answer;  // the file, folder or printer a common dialog ended with
};

// Everything shown since the start or the last clear, in the order it ended.
std::vector<TranscriptEntry> Transcript();
void ClearTranscript();
void AddToTranscript(TranscriptEntry entry);
// One line, e.g. `message box "Caption" [Yes/No, question]: text -> Yes`,
// `popup menu ["&Copy" 57634 | - | "&More" > ["E&xit" 57665]] -> 57665` or
// `dialog 143 "Find Systems" -> OK`.
std::string Describe(const TranscriptEntry& entry);

// The results a message box of this style offers, in button order, and its default.
std::vector<int> MessageBoxButtons(UINT style);
int DefaultMessageBoxButton(UINT style);
const char* ResultName(int result);
// A modal window's result: its name for the standard ones, else the number.
std::string DialogResultName(int result);

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
