// Internal to platform/win: what the standard controls' class procedures share. Their state
// lives in the procedure; their text in the window record, so that GetWindowText reads it
// from any thread.
#pragma once

#include "win/Gdi.h"
#include "win/Messages.h"
#include "win/UserActions.h"
#include "win/Window.h"

#include <memory>
#include <string>
#include <string_view>

class CDC;

namespace vqwin::controls {

// The factories of the standard classes (see FindStandardClass).
std::unique_ptr<ClassProcedure> MakeButtonProcedure();
std::unique_ptr<ClassProcedure> MakeStaticProcedure();
std::unique_ptr<ClassProcedure> MakeEditProcedure();
std::unique_ptr<ClassProcedure> MakeComboBoxProcedure();
std::unique_ptr<ClassProcedure> MakeListBoxProcedure();
std::unique_ptr<ClassProcedure> MakeSpinProcedure();
std::unique_ptr<ClassProcedure> MakeTabProcedure();
std::unique_ptr<ClassProcedure> MakeDateTimeProcedure();
std::unique_ptr<ClassProcedure> MakeScrollBarProcedure();

DWORD StyleOf(HWND hwnd);
std::string TextOf(HWND hwnd);
// Writes the record's text without going through WM_SETTEXT (so without notifications).
void StoreText(HWND hwnd, std::string_view text);

// WM_COMMAND with the control's id and `code` to its parent.
void NotifyParent(HWND control, UINT code);
// WM_NOTIFY to the parent; fills in the header's window and id. The parent's answer.
LRESULT NotifyParent(HWND control, NMHDR& header);

const vqui::UserAction& UserActionOf(LPARAM lParam);
// A click or a key gives the control the focus first, as the user's would.
void TakeFocusAsUser(HWND control);
// Each byte as WM_CHAR (a double-byte character as its two bytes); a line break ("\n" or
// "\r\n") as the Enter key's character.
void SendTypedText(HWND control, std::string_view text);
// What a Type action types once its selection is made: its text, or, replacing everything
// with nothing, a Backspace that deletes the selection.
std::string TypedFor(const vqui::UserAction& action);
// WM_KEYDOWN, the WM_CHAR the key makes (if any) and WM_KEYUP.
void SendKeyPress(HWND control, UINT virtualKey);

// Copies text into a caller's buffer of `size` bytes (terminated, cut on a character
// boundary); the bytes copied.
int CopyText(std::string_view text, LPSTR buffer, int size);

// The owner-draw record of one item of a control, drawn into `dc`.
DRAWITEMSTRUCT DrawItemRecord(HWND control, UINT controlType, UINT itemId, UINT state, HDC dc, const RECT& rect,
                              ULONG_PTR itemData);
// Sends WM_DRAWITEM / WM_MEASUREITEM to the control's parent.
void SendDrawItem(HWND control, DRAWITEMSTRUCT& record);
UINT SendMeasureItem(HWND control, UINT controlType, UINT itemId, ULONG_PTR itemData, UINT defaultHeight);
// The height of a line of text in the control's font.
int LineHeight(HWND control);

// A paint of a control: the device context has the control's font selected.
class ControlPaint {
public:
    explicit ControlPaint(HWND control);
    ~ControlPaint();
    ControlPaint(const ControlPaint&) = delete;
    ControlPaint& operator=(const ControlPaint&) = delete;

    CDC& DC() { return *m_dc; }
    HDC Handle() const { return m_paint.hdc; }
    // Asks the parent for the control's colours (WM_CTLCOLORSTATIC or WM_CTLCOLOREDIT): the
    // system's colours unless the parent sets others; a brush it returns fills the control.
    void TakeParentsColours(UINT message);

private:
    HWND m_control;
    PAINTSTRUCT m_paint{};
    std::unique_ptr<CDC> m_dc;
};

} // namespace vqwin::controls
