// Dialog boxes made from the resource library's templates: modal (DoModal, driven by the
// UI driver, see ModalLoop.h), modeless (Create), or as the child window of a property
// sheet's page. The window's class is the dialog class "#32770", whose default handling
// gives the dialog keys, the default button, WM_NEXTDLGCTL focus moves, Close as Cancel
// and F1 as the dialog's help.
#pragma once

#include "win/CString.h"
#include "win/CWnd.h"

class CDataExchange;
namespace vqres {
struct DialogTemplate;
}

constexpr UINT DM_SETDEFID = WM_USER + 1;
constexpr DWORD DS_MODALFRAME = 0x0080;
// The window class of dialog boxes and property sheets.
inline constexpr const char* kDialogClassName = "#32770";

namespace vqwin {
// Registers the dialog class (once); windows made with its name get its default handling.
// The list view classes come with it, so that templates can hold list views.
void RegisterDialogClass();
} // namespace vqwin

class CDialog : public CWnd {
public:
    CDialog();
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    explicit CDialog(LPCTSTR templateName, CWnd* parent = nullptr);
    ~CDialog() override;

    // Runs the dialog modally on the calling thread and returns the code it ended with
    // (EndDialog); -1 when its template is missing or its window could not be made.
    virtual INT_PTR DoModal();
    // A modeless dialog; shown when its template says WS_VISIBLE.
    virtual BOOL Create(UINT templateId, CWnd* parent = nullptr);
    virtual BOOL Create(LPCTSTR templateName, CWnd* parent = nullptr);
    // Ends a modal dialog with `result` once the current handler returns; hides a modeless one.
    void EndDialog(int result);

    // From WM_INITDIALOG: loads the controls (UpdateData(FALSE)); FALSE, after ending the
    // dialog with -1, when that fails. TRUE puts the focus on the first tab stop.
    virtual BOOL OnInitDialog();
    // IDOK: stores and validates the controls, then ends the dialog with IDOK.
    virtual void OnOK();
    // IDCANCEL (also Escape and Close): ends the dialog with IDCANCEL.
    virtual void OnCancel();

    // Moves data between the controls and the members (TRUE: controls to members, with
    // validation). FALSE when a validation failed.
    BOOL UpdateData(BOOL saveAndValidate = TRUE);
    virtual void DoDataExchange(CDataExchange* pDX);

    // Focus moves as the dialog keys make them.
    void GotoDlgCtrl(CWnd* control);
    void NextDlgCtrl() const;
    void PrevDlgCtrl() const;
    void SetDefID(UINT id);
    DWORD GetDefID() const;
    // Dialog units to pixels.
    void MapDialogRect(LPRECT rect) const;

    BOOL PreTranslateMessage(MSG* msg) override;

    UINT m_nIDHelp = 0;
    UINT m_nIDTemplate = 0;
    CString m_strTemplateName;
    CWnd* m_pParentWnd = nullptr;

protected:
    // Makes the window and its controls from the template: a pop-up owned by `parent`, or,
    // with `child`, a child window of it placed at `placement` (pixels). No WM_INITDIALOG yet.
    BOOL CreateFromTemplate(CWnd* parent, bool child, const RECT* placement = nullptr);
    // Sends WM_INITDIALOG and puts the focus on the first tab stop when it answers TRUE.
    void InitializeDialog();
    // The template's caption; empty when there is no template.
    CString TemplateCaption() const;
    // The size of the template in pixels; (0, 0) when there is none.
    CSize TemplateSize() const;
    // ID_HELP: the help topic of the dialog's template.
    void OnHelp();
    LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    class Driving;
    const vqres::DialogTemplate* FindTemplate() const;
    BOOL CreateModeless(CWnd* parent);
};
