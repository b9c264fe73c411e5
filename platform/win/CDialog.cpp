#include "win/CDialog.h"

#include "win/Activation.h"
#include "win/CButton.h"
#include "win/CDataExchange.h"
#include "win/CWinApp.h"
#include "win/CWinThread.h"
#include "win/Gdi.h"
#include "win/Help.h"
#include "win/ListView.h"
#include "win/Mbcs.h"
#include "win/ModalLoop.h"
#include "win/ResourceLibrary.h"

#include <memory>
#include <mutex>

namespace {

// The frame styles a template's window loses when it becomes a child (a property page).
constexpr DWORD kFrameStyles = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_VISIBLE | DS_MODALFRAME;
// Dialog base units: a dialog unit is a quarter of the average character width and an
// eighth of the character height of the dialog font.
constexpr int kBaseUnitX = 6;
constexpr int kBaseUnitY = 13;

int DialogUnitsToPixelsX(int units) { return units * kBaseUnitX / 4; }
int DialogUnitsToPixelsY(int units) { return units * kBaseUnitY / 8; }

CRect PixelRect(const vqres::DialogRect& rect)
{
    return CRect(DialogUnitsToPixelsX(rect.x), DialogUnitsToPixelsY(rect.y), DialogUnitsToPixelsX(rect.x + rect.cx),
                 DialogUnitsToPixelsY(rect.y + rect.cy));
}

bool HasClass(HWND hwnd, const char* className)
{
    char name[32] = "";
    ::GetClassName(hwnd, name, sizeof name);
    return mbcs::CompareNoCase(name, className) == 0;
}

HWND FirstTabStop(HWND dialog) { return ::GetNextDlgTabItem(dialog, nullptr, FALSE); }

HWND TemplateDefaultButton(HWND dialog)
{
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        const auto style = static_cast<DWORD>(::GetWindowLongPtr(child, GWL_STYLE));
        if (HasClass(child, "Button") && (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
            return child;
    }
    return nullptr;
}

// The default handling of every dialog window.
class DialogProcedure : public vqwin::ClassProcedure {
public:
    LRESULT WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case DM_GETDEFID:
            return DefaultId(hwnd);
        case DM_SETDEFID:
            m_defaultId = static_cast<UINT>(wParam);
            return TRUE;
        case WM_NEXTDLGCTL:
            MoveFocus(hwnd, wParam, lParam);
            return 0;
        case WM_CLOSE:
            ::SendMessage(hwnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                          reinterpret_cast<LPARAM>(::GetDlgItem(hwnd, IDCANCEL)));
            return 0;
        case WM_HELP:
            ::SendMessage(hwnd, WM_COMMAND, ID_HELP, 0);
            return TRUE;
        default:
            return ::DefWindowProc(hwnd, message, wParam, lParam);
        }
    }

private:
    LRESULT DefaultId(HWND hwnd) const
    {
        UINT id = m_defaultId;
        if (id == 0) {
            if (HWND button = TemplateDefaultButton(hwnd))
                id = static_cast<UINT>(::GetDlgCtrlID(button));
        }
        return id ? static_cast<LRESULT>(MAKELONG(static_cast<WORD>(id), DC_HASDEFID)) : 0;
    }

    static void MoveFocus(HWND hwnd, WPARAM wParam, LPARAM lParam)
    {
        HWND target = LOWORD(static_cast<std::uintptr_t>(lParam)) ? reinterpret_cast<HWND>(wParam)
                                                                   : ::GetNextDlgTabItem(hwnd, ::GetFocus(), wParam != 0);
        if (target)
            vqwin::FocusDialogControl(target);
    }

    UINT m_defaultId = 0;
};

CRect CentredOnScreen(CSize size)
{
    const int x = (GetSystemMetrics(SM_CXSCREEN) - size.cx) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - size.cy) / 2;
    return CRect(CPoint(x, y), size);
}

} // namespace

namespace vqwin {

void RegisterDialogClass()
{
    static std::once_flag once;
    std::call_once(once, [] {
        RegisterWindowClass(kDialogClassName,
                            []() -> std::unique_ptr<ClassProcedure> { return std::make_unique<DialogProcedure>(); });
        RegisterListViewClasses();
    });
}

} // namespace vqwin

// What the driven modal loop needs from a modal dialog.
class CDialog::Driving : public vqui::ModalWindow {
public:
    explicit Driving(CDialog& dialog) : m_dialog(dialog) {}

    CWnd& Window() override { return m_dialog; }

    vqui::UiEvent Describe() override
    {
        vqui::UiEvent event;
        event.kind = vqui::EventKind::Dialog;
        event.templateId = m_dialog.m_nIDTemplate;
        event.window = m_dialog.m_hWnd;
        if (m_dialog.m_hWnd)
            m_dialog.GetWindowText(event.caption);
        else
            event.caption = m_dialog.TemplateCaption();
        return event;
    }

    // A control of the dialog, or else of a child dialog embedded in it (the page of a child
    // property sheet), as a user reaches it on the screen.
    HWND FindControl(int id) override
    {
        if (HWND control = ::GetDlgItem(m_dialog.m_hWnd, id))
            return control;
        return FindInChildren(m_dialog.m_hWnd, id);
    }

    static HWND FindInChildren(HWND window, int id)
    {
        for (HWND child = ::GetWindow(window, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
            if (HWND control = ::GetDlgItem(child, id); control && ::IsWindowVisible(control))
                return control;
            if (HWND control = FindInChildren(child, id))
                return control;
        }
        return nullptr;
    }

    void Press(int buttonId) override
    {
        HWND button = ::GetDlgItem(m_dialog.m_hWnd, buttonId);
        CheckPressable(button, buttonId, "dialog");
        PressAsClick(button, m_dialog.m_hWnd, buttonId);
    }

    void End(int result) override { m_dialog.EndDialog(result); }

    int Result() override { return m_dialog.m_nModalResult; }

private:
    CDialog& m_dialog;
};

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_MESSAGE(WM_INITDIALOG, &CDialog::HandleInitDialog)
    ON_COMMAND(IDOK, &CDialog::OnOK)
    ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
    ON_COMMAND(ID_HELP, &CDialog::OnHelp)
END_MESSAGE_MAP()

CDialog::CDialog() = default;

CDialog::CDialog(UINT templateId, CWnd* parent) : m_nIDHelp(templateId), m_nIDTemplate(templateId), m_pParentWnd(parent)
{
}

CDialog::CDialog(LPCTSTR templateName, CWnd* parent) : m_strTemplateName(templateName), m_pParentWnd(parent) {}

CDialog::~CDialog()
{
    if (m_hWnd)
        DestroyWindow();
}

INT_PTR CDialog::DoModal()
{
    CWnd* owner = m_pParentWnd ? m_pParentWnd->GetTopLevelParent() : AfxGetMainWnd();
    HWND ownerHwnd = owner && owner != this ? owner->m_hWnd : nullptr;
    const bool disableOwner = ownerHwnd && ::IsWindowEnabled(ownerHwnd);
    m_nModalResult = -1;
    m_bContinueModal = TRUE;
    if (!CreateFromTemplate(ownerHwnd ? CWnd::FromHandle(ownerHwnd) : nullptr, false)) {
        m_bContinueModal = FALSE;
        return -1;
    }
    if (disableOwner)
        ::EnableWindow(ownerHwnd, FALSE);
    vqwin::ModalActivation activation(ownerHwnd);
    activation.Opening(m_hWnd);
    Driving driving(*this);
    vqui::AnnounceOpened(driving.Describe());
    InitializeDialog();
    if (ContinueModal() && m_hWnd && !IsWindowVisible())
        ShowWindow(SW_SHOWNORMAL);
    if (ContinueModal() && m_hWnd)
        activation.Shown(m_hWnd);
    const int result = vqui::RunDrivenModalLoop(driving);
    m_bContinueModal = FALSE;
    if (m_hWnd)
        ShowWindow(SW_HIDE);
    if (disableOwner)
        ::EnableWindow(ownerHwnd, TRUE);
    if (m_hWnd) {
        activation.Ending(m_hWnd);
        DestroyWindow();
    }
    return result;
}

BOOL CDialog::Create(UINT templateId, CWnd* parent)
{
    m_nIDTemplate = templateId;
    m_strTemplateName.Empty();
    if (m_nIDHelp == 0)
        m_nIDHelp = templateId;
    return CreateModeless(parent);
}

BOOL CDialog::Create(LPCTSTR templateName, CWnd* parent)
{
    m_nIDTemplate = 0;
    m_strTemplateName = templateName;
    return CreateModeless(parent);
}

BOOL CDialog::CreateModeless(CWnd* parent)
{
    m_pParentWnd = parent;
    const vqres::DialogTemplate* dialogTemplate = FindTemplate();
    if (!dialogTemplate || !CreateFromTemplate(parent, (dialogTemplate->style & WS_CHILD) != 0))
        return FALSE;
    HWND self = m_hWnd;
    InitializeDialog();
    if (::IsWindow(self) && (dialogTemplate->style & WS_VISIBLE))
        ShowWindow(SW_SHOWNORMAL);
    return TRUE;
}

const vqres::DialogTemplate* CDialog::FindTemplate() const
{
    auto library = vqres::CurrentResourceLibrary();
    if (!library)
        return nullptr;
    return library->FindDialog(m_strTemplateName.IsEmpty() ? vqres::ResourceId(m_nIDTemplate)
                                                           : vqres::ResourceId(m_strTemplateName.GetString()));
}

CString CDialog::TemplateCaption() const
{
    const vqres::DialogTemplate* dialogTemplate = FindTemplate();
    return dialogTemplate ? dialogTemplate->caption : CString();
}

CSize CDialog::TemplateSize() const
{
    const vqres::DialogTemplate* dialogTemplate = FindTemplate();
    return dialogTemplate ? CSize(DialogUnitsToPixelsX(dialogTemplate->cx), DialogUnitsToPixelsY(dialogTemplate->cy))
                          : CSize();
}

BOOL CDialog::CreateFromTemplate(CWnd* parent, bool child, const RECT* placement)
{
    const vqres::DialogTemplate* dialogTemplate = FindTemplate();
    if (!dialogTemplate)
        return FALSE;
    vqwin::RegisterDialogClass();

    const CSize size = TemplateSize();
    DWORD style = dialogTemplate->style & ~WS_VISIBLE;
    CRect rect = CentredOnScreen(size);
    if (child) {
        style = (style & ~kFrameStyles) | WS_CHILD;
        rect = placement ? CRect(placement) : CRect(CPoint(0, 0), size);
    } else {
        style &= ~WS_CHILD;
    }
    if (!CreateEx(0, kDialogClassName, dialogTemplate->caption, style, rect.left, rect.top, rect.Width(),
                  rect.Height(), parent ? parent->m_hWnd : nullptr, nullptr))
        return FALSE;
    for (const vqres::DialogControl& control : dialogTemplate->controls) {
        const CRect controlRect = PixelRect(control.rect);
        HWND hwnd = ::CreateWindowEx(control.exStyle, control.className, control.text, control.style | WS_CHILD,
                                     controlRect.left, controlRect.top, controlRect.Width(), controlRect.Height(),
                                     m_hWnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(static_cast<UINT>(control.id))),
                                     nullptr, nullptr);
        if (!hwnd) {
            DestroyWindow();
            return FALSE;
        }
        if (control.helpId)
            ::SetWindowContextHelpId(hwnd, control.helpId);
    }
    return TRUE;
}

void CDialog::InitializeDialog()
{
    HWND self = m_hWnd;
    HWND first = FirstTabStop(self);
    if (::SendMessage(self, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), 0) && first && ::IsWindow(first))
        vqwin::FocusDialogControl(first);
}

void CDialog::EndDialog(int result)
{
    m_nModalResult = result;
    if (m_bContinueModal)
        EndModalLoop(result);
    else if (m_hWnd)
        ShowWindow(SW_HIDE);
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM) { return OnInitDialog(); }

BOOL CDialog::OnInitDialog()
{
    if (!UpdateData(FALSE)) {
        EndDialog(-1);
        return FALSE;
    }
    return TRUE;
}

void CDialog::OnOK()
{
    if (UpdateData(TRUE))
        EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::OnHelp()
{
    const DWORD_PTR topic = HID_BASE_RESOURCE + m_nIDHelp;
    if (CWinApp* app = AfxGetApp())
        app->WinHelp(topic, HELP_CONTEXT);
    else
        ::WinHelp(m_hWnd, "", HELP_CONTEXT, topic);
}

BOOL CDialog::UpdateData(BOOL saveAndValidate)
{
    CDataExchange exchange(this, saveAndValidate);
    try {
        DoDataExchange(&exchange);
    } catch (const CUserException&) {
        return FALSE;
    }
    return TRUE;
}

void CDialog::DoDataExchange(CDataExchange*) {}

void CDialog::GotoDlgCtrl(CWnd* control)
{
    if (control)
        SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control->m_hWnd), TRUE);
}

void CDialog::NextDlgCtrl() const { SendMessage(WM_NEXTDLGCTL, 0, 0); }

void CDialog::PrevDlgCtrl() const { SendMessage(WM_NEXTDLGCTL, 1, 0); }

void CDialog::SetDefID(UINT id) { SendMessage(DM_SETDEFID, id); }

DWORD CDialog::GetDefID() const { return static_cast<DWORD>(SendMessage(DM_GETDEFID)); }

void CDialog::MapDialogRect(LPRECT rect) const
{
    rect->left = DialogUnitsToPixelsX(rect->left);
    rect->right = DialogUnitsToPixelsX(rect->right);
    rect->top = DialogUnitsToPixelsY(rect->top);
    rect->bottom = DialogUnitsToPixelsY(rect->bottom);
}

BOOL CDialog::PreTranslateMessage(MSG* msg)
{
    if (msg->message < WM_KEYFIRST || msg->message > WM_KEYLAST)
        return FALSE;
    if (msg->hwnd != m_hWnd && !::IsChild(m_hWnd, msg->hwnd))
        return FALSE;
    return PreTranslateInput(msg);
}
