#include "win/CPropertySheet.h"

#include "win/Activation.h"
#include "win/CButton.h"
#include "win/CWinThread.h"
#include "win/Gdi.h"
#include "win/Help.h"
#include "win/ModalLoop.h"

#include <algorithm>

namespace {

constexpr int kMargin = 7;
constexpr int kTabHeaderHeight = 24;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kButtonGap = 6;
constexpr DWORD kModalStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
constexpr DWORD kModelessPopupStyle = kModalStyle | WS_VISIBLE;

struct ButtonSpec {
    int id;
    const char* text;
};

void SetVisible(HWND hwnd, bool visible) { ::ShowWindow(hwnd, visible ? SW_SHOWNA : SW_HIDE); }

} // namespace

// What the driven modal loop needs from a modal sheet.
class CPropertySheet::Driving : public vqui::ModalWindow {
public:
    explicit Driving(CPropertySheet& sheet) : m_sheet(sheet) {}

    CWnd& Window() override { return m_sheet; }

    vqui::UiEvent Describe() override
    {
        vqui::UiEvent event;
        event.kind = m_sheet.IsWizard() ? vqui::EventKind::Wizard : vqui::EventKind::PropertySheet;
        event.window = m_sheet.m_hWnd;
        if (m_sheet.m_hWnd)
            m_sheet.GetWindowText(event.caption);
        else
            event.caption = m_sheet.m_strCaption;
        if (CPropertyPage* page = m_sheet.GetActivePage())
            event.templateId = page->m_nIDTemplate;
        return event;
    }

    HWND FindControl(int id) override
    {
        CPropertyPage* page = m_sheet.GetActivePage();
        HWND control = page && page->m_hWnd ? ::GetDlgItem(page->m_hWnd, id) : nullptr;
        return control ? control : ::GetDlgItem(m_sheet.m_hWnd, id);
    }

    void Press(int buttonId) override
    {
        HWND button = FindControl(buttonId);
        CheckPressable(button, buttonId, "sheet");
        PressAsClick(button, m_sheet.m_hWnd, buttonId);
    }

    void End(int result) override { m_sheet.EndDialog(result); }

    int Result() override { return m_sheet.m_nModalResult; }

private:
    CPropertySheet& m_sheet;
};

BEGIN_MESSAGE_MAP(CPropertySheet, CWnd)
    ON_MESSAGE(WM_INITDIALOG, &CPropertySheet::HandleInitDialog)
    ON_MESSAGE(PSM_SETWIZBUTTONS, &CPropertySheet::OnSetWizButtons)
    ON_MESSAGE(PSM_PRESSBUTTON, &CPropertySheet::OnPressButton)
    ON_MESSAGE(PSM_SETCURSEL, &CPropertySheet::OnSetCurSel)
    ON_MESSAGE(PSM_CHANGED, &CPropertySheet::OnChanged)
    ON_MESSAGE(PSM_UNCHANGED, &CPropertySheet::OnUnchanged)
    ON_MESSAGE(PSM_GETTABCONTROL, &CPropertySheet::OnGetTabControl)
    ON_MESSAGE(PSM_GETCURRENTPAGEHWND, &CPropertySheet::OnGetCurrentPageHwnd)
    ON_COMMAND(IDOK, &CPropertySheet::OnOK)
    ON_COMMAND(IDCANCEL, &CPropertySheet::OnCancel)
    ON_COMMAND(ID_APPLY_NOW, &CPropertySheet::OnApplyNow)
    ON_COMMAND(IDHELP, &CPropertySheet::OnHelpButton)
    ON_COMMAND(ID_WIZBACK, &CPropertySheet::OnWizardBack)
    ON_COMMAND(ID_WIZNEXT, &CPropertySheet::OnWizardNext)
    ON_COMMAND(ID_WIZFINISH, &CPropertySheet::OnWizardFinish)
END_MESSAGE_MAP()

CPropertySheet::CPropertySheet() { m_psh.dwSize = sizeof(PROPSHEETHEADER); }

CPropertySheet::CPropertySheet(UINT captionId, CWnd* parent, UINT selectPage) : m_pParentWnd(parent)
{
    m_psh.dwSize = sizeof(PROPSHEETHEADER);
    m_psh.nStartPage = selectPage;
    m_strCaption.LoadString(captionId);
}

CPropertySheet::CPropertySheet(LPCTSTR caption, CWnd* parent, UINT selectPage)
    : m_strCaption(caption), m_pParentWnd(parent)
{
    m_psh.dwSize = sizeof(PROPSHEETHEADER);
    m_psh.nStartPage = selectPage;
}

CPropertySheet::~CPropertySheet()
{
    if (m_hWnd)
        DestroyWindow();
}

void CPropertySheet::AddPage(CPropertyPage* page)
{
    m_pages.push_back(page);
    m_psh.nPages = static_cast<UINT>(m_pages.size());
    if (m_hWnd)
        InsertTab(static_cast<int>(m_pages.size()) - 1);
}

void CPropertySheet::RemovePage(CPropertyPage* page) { RemovePage(GetPageIndex(page)); }

void CPropertySheet::RemovePage(int index)
{
    if (index < 0 || index >= GetPageCount())
        return;
    CPropertyPage* page = m_pages[static_cast<std::size_t>(index)];
    if (m_hWnd && index == m_nCurPage) {
        const int neighbour = index + 1 < GetPageCount() ? index + 1 : index - 1;
        if (neighbour < 0 || !ChangePage(neighbour, 0))
            m_nCurPage = -1;
    }
    if (page->m_hWnd)
        page->DestroyWindow();
    std::erase(m_modified, page);
    m_pages.erase(m_pages.begin() + index);
    m_psh.nPages = static_cast<UINT>(m_pages.size());
    if (m_nCurPage > index)
        --m_nCurPage;
    if (CTabCtrl* tab = GetTabControl())
        tab->DeleteItem(index);
}

int CPropertySheet::GetPageCount() const { return static_cast<int>(m_pages.size()); }

CPropertyPage* CPropertySheet::GetPage(int index) const
{
    return index >= 0 && index < GetPageCount() ? m_pages[static_cast<std::size_t>(index)] : nullptr;
}

int CPropertySheet::GetPageIndex(const CPropertyPage* page) const
{
    auto found = std::find(m_pages.begin(), m_pages.end(), page);
    return found == m_pages.end() ? -1 : static_cast<int>(found - m_pages.begin());
}

CPropertyPage* CPropertySheet::GetActivePage() const { return GetPage(GetActiveIndex()); }

int CPropertySheet::GetActiveIndex() const { return m_hWnd ? m_nCurPage : static_cast<int>(m_psh.nStartPage); }

BOOL CPropertySheet::SetActivePage(int index)
{
    if (index < 0 || index >= GetPageCount())
        return FALSE;
    if (!m_hWnd) {
        m_psh.nStartPage = static_cast<UINT>(index);
        return TRUE;
    }
    if (index == m_nCurPage)
        return TRUE;
    CPropertyPage* current = GetActivePage();
    if (current && !current->OnKillActive())
        return FALSE;
    return ChangePage(index, 0);
}

BOOL CPropertySheet::SetActivePage(CPropertyPage* page) { return SetActivePage(GetPageIndex(page)); }

void CPropertySheet::SetTitle(LPCTSTR text)
{
    m_strCaption = text;
    if (m_hWnd)
        SetWindowText(text);
}

void CPropertySheet::SetWizardMode() { m_psh.dwFlags |= PSH_WIZARD; }

BOOL CPropertySheet::IsWizard() const { return (m_psh.dwFlags & PSH_WIZARD) != 0; }

void CPropertySheet::SetWizardButtons(DWORD flags) { PostMessage(PSM_SETWIZBUTTONS, 0, static_cast<LPARAM>(flags)); }

void CPropertySheet::PressButton(int button) { SendMessage(PSM_PRESSBUTTON, static_cast<WPARAM>(button)); }

CTabCtrl* CPropertySheet::GetTabControl() const
{
    return m_tabControl.m_hWnd ? const_cast<CTabCtrl*>(&m_tabControl) : nullptr;
}

void CPropertySheet::EndDialog(int result)
{
    m_nModalResult = result;
    m_ended = true;
    if (m_bContinueModal)
        EndModalLoop(result);
}

INT_PTR CPropertySheet::DoModal()
{
    CWnd* owner = m_pParentWnd ? m_pParentWnd->GetTopLevelParent() : AfxGetMainWnd();
    HWND ownerHwnd = owner && owner != this ? owner->m_hWnd : nullptr;
    const bool disableOwner = ownerHwnd && ::IsWindowEnabled(ownerHwnd);
    m_nModalResult = -1;
    m_bContinueModal = TRUE;
    if (!CreateSheetWindow(ownerHwnd, kModalStyle, 0)) {
        m_bContinueModal = FALSE;
        return -1;
    }
    if (disableOwner)
        ::EnableWindow(ownerHwnd, FALSE);
    vqwin::ModalActivation activation(ownerHwnd);
    activation.Opening(m_hWnd);
    Driving driving(*this);
    vqui::AnnounceOpened(driving.Describe());
    SendMessage(WM_INITDIALOG);
    if (ContinueModal() && m_hWnd) {
        ShowWindow(SW_SHOWNORMAL);
        activation.Shown(m_hWnd);
    }
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
    m_nCurPage = -1;
    m_modified.clear();
    return result;
}

BOOL CPropertySheet::Create(CWnd* parent, DWORD style, DWORD exStyle)
{
    if (style == static_cast<DWORD>(-1))
        style = kModelessPopupStyle;
    m_pParentWnd = parent;
    if (!CreateSheetWindow(parent ? parent->m_hWnd : nullptr, style & ~WS_VISIBLE, exStyle))
        return FALSE;
    SendMessage(WM_INITDIALOG);
    if (m_hWnd && (style & WS_VISIBLE))
        ShowWindow(SW_SHOWNORMAL);
    return m_hWnd != nullptr;
}

BOOL CPropertySheet::CreateSheetWindow(HWND parent, DWORD style, DWORD exStyle)
{
    vqwin::RegisterDialogClass();
    CSize pageSize;
    for (CPropertyPage* page : m_pages) {
        const CSize size = page->TemplateSize();
        pageSize = CSize(std::max(pageSize.cx, size.cx), std::max(pageSize.cy, size.cy));
    }
    const int pageTop = IsWizard() ? kMargin : kMargin + kTabHeaderHeight;
    m_pageArea = CRect(CPoint(kMargin, pageTop), pageSize);
    const CSize sheetSize(m_pageArea.right + kMargin, m_pageArea.bottom + 2 * kMargin + kButtonHeight);
    const int x = (style & WS_CHILD) ? 0 : (GetSystemMetrics(SM_CXSCREEN) - sheetSize.cx) / 2;
    const int y = (style & WS_CHILD) ? 0 : (GetSystemMetrics(SM_CYSCREEN) - sheetSize.cy) / 2;
    m_ended = false;
    m_nCurPage = -1;
    if (!CreateEx(exStyle | WS_EX_CONTROLPARENT, kDialogClassName, m_strCaption, style, x, y, sheetSize.cx,
                  sheetSize.cy, parent, nullptr))
        return FALSE;
    if (!IsWizard())
        CreateTabControl();
    CreateButtons();
    return TRUE;
}

void CPropertySheet::CreateTabControl()
{
    const CRect tab(kMargin, kMargin, m_pageArea.right, m_pageArea.bottom);
    m_tabControl.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, tab, this, AFX_IDC_TAB_CONTROL);
    for (int index = 0; index < GetPageCount(); ++index)
        InsertTab(index);
}

void CPropertySheet::CreateButtons()
{
    const std::vector<ButtonSpec> buttons =
        IsWizard() ? std::vector<ButtonSpec>{{ID_WIZBACK, "< &Back"}, {ID_WIZNEXT, "&Next >"}, {ID_WIZFINISH, "Finish"},
                                             {IDCANCEL, "Cancel"}, {IDHELP, "&Help"}}
                   : std::vector<ButtonSpec>{
                         {IDOK, "OK"}, {IDCANCEL, "Cancel"}, {ID_APPLY_NOW, "&Apply"}, {IDHELP, "&Help"}};
    // Without PSH_WIZARDHASFINISH a wizard's Finish takes the place of Next when it shows.
    const bool finishInPlaceOfNext = IsWizard() && !(m_psh.dwFlags & PSH_WIZARDHASFINISH);
    const int slots = static_cast<int>(buttons.size()) - (finishInPlaceOfNext ? 1 : 0);
    const int top = m_pageArea.bottom + kMargin;
    int left = m_pageArea.right - slots * (kButtonWidth + kButtonGap) + kButtonGap;
    for (const ButtonSpec& button : buttons) {
        const bool isDefault = button.id == (IsWizard() ? ID_WIZNEXT : IDOK);
        if (finishInPlaceOfNext && button.id == ID_WIZFINISH)
            left -= kButtonWidth + kButtonGap;
        ::CreateWindowEx(0, "Button", button.text,
                         WS_CHILD | WS_VISIBLE | WS_TABSTOP | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), left, top,
                         kButtonWidth, kButtonHeight, m_hWnd,
                         reinterpret_cast<HMENU>(static_cast<UINT_PTR>(button.id)), nullptr, nullptr);
        left += kButtonWidth + kButtonGap;
    }
    SetVisible(::GetDlgItem(m_hWnd, IDHELP), (m_psh.dwFlags & PSH_HASHELP) != 0);
    if (IsWizard()) {
        ShowWizardButtons();
    } else {
        SetVisible(::GetDlgItem(m_hWnd, ID_APPLY_NOW), !(m_psh.dwFlags & PSH_NOAPPLYNOW));
        ::EnableWindow(::GetDlgItem(m_hWnd, ID_APPLY_NOW), FALSE);
    }
}

void CPropertySheet::InsertTab(int index)
{
    CTabCtrl* tab = GetTabControl();
    if (!tab)
        return;
    CPropertyPage* page = m_pages[static_cast<std::size_t>(index)];
    CString caption = page->m_strCaption;
    if (page->m_psp.pszTitle && (page->m_psp.dwFlags & PSP_USETITLE))
        caption = page->m_psp.pszTitle;
    if (!(page->m_psp.dwFlags & PSP_USETITLE))
        caption = page->TemplateCaption();
    tab->InsertItem(index, caption);
}

void CPropertySheet::SelectTab(int index)
{
    if (CTabCtrl* tab = GetTabControl())
        tab->SetCurSel(index);
}

int CPropertySheet::SelectedTab() const
{
    CTabCtrl* tab = GetTabControl();
    return tab ? tab->GetCurSel() : m_nCurPage;
}

void CPropertySheet::ShowWizardButtons()
{
    const DWORD flags = m_wizardButtons;
    const bool finishInPlaceOfNext = !(m_psh.dwFlags & PSH_WIZARDHASFINISH);
    const bool showFinish = !finishInPlaceOfNext || (flags & (PSWIZB_FINISH | PSWIZB_DISABLEDFINISH));
    HWND back = ::GetDlgItem(m_hWnd, ID_WIZBACK);
    HWND next = ::GetDlgItem(m_hWnd, ID_WIZNEXT);
    HWND finish = ::GetDlgItem(m_hWnd, ID_WIZFINISH);
    ::EnableWindow(back, (flags & PSWIZB_BACK) != 0);
    ::EnableWindow(next, (flags & PSWIZB_NEXT) != 0);
    ::EnableWindow(finish, (flags & PSWIZB_FINISH) != 0);
    SetVisible(next, !(finishInPlaceOfNext && showFinish));
    SetVisible(finish, showFinish);
    ::SendMessage(m_hWnd, DM_SETDEFID, finishInPlaceOfNext && showFinish ? ID_WIZFINISH : ID_WIZNEXT, 0);
}

BOOL CPropertySheet::OnInitDialog()
{
    if (GetPageCount() == 0)
        return TRUE;
    const int start = std::clamp(static_cast<int>(m_psh.nStartPage), 0, GetPageCount() - 1);
    ChangePage(start, 1);
    return TRUE;
}

LRESULT CPropertySheet::HandleInitDialog(WPARAM, LPARAM) { return OnInitDialog(); }

BOOL CPropertySheet::EnsurePageWindow(CPropertyPage* page)
{
    return page->m_hWnd || page->CreatePage(this, m_pageArea);
}

BOOL CPropertySheet::ChangePage(int target, int step)
{
    for (int index = target; index >= 0 && index < GetPageCount(); index += step) {
        CPropertyPage* page = m_pages[static_cast<std::size_t>(index)];
        if (EnsurePageWindow(page) && page->OnSetActive()) {
            ShowPage(index);
            return TRUE;
        }
        if (step == 0 || m_ended)
            break;
    }
    return FALSE;
}

void CPropertySheet::ShowPage(int index)
{
    CPropertyPage* previous = GetPage(m_nCurPage);
    CPropertyPage* page = m_pages[static_cast<std::size_t>(index)];
    if (previous && previous != page && previous->m_hWnd)
        previous->ShowWindow(SW_HIDE);
    m_nCurPage = index;
    if (page->m_hWnd)
        page->ShowWindow(SW_SHOWNA);
    SelectTab(index);
}

int CPropertySheet::IndexOfTemplate(LRESULT templateId) const
{
    for (int index = 0; index < GetPageCount(); ++index) {
        if (static_cast<LRESULT>(m_pages[static_cast<std::size_t>(index)]->m_nIDTemplate) == templateId)
            return index;
    }
    return -1;
}

// After Back or Next answered: -1 stays, 0 moves one page, a template id goes to its page.
void CPropertySheet::WizardMove(LRESULT answer, int step)
{
    if (m_ended || answer == -1)
        return;
    const int target = answer == 0 ? m_nCurPage + step : IndexOfTemplate(answer);
    if (target < 0 || target >= GetPageCount())
        return;
    CPropertyPage* current = GetActivePage();
    if (current && !current->OnKillActive())
        return;
    ChangePage(target, step);
}

void CPropertySheet::OnWizardBack()
{
    if (CPropertyPage* page = GetActivePage())
        WizardMove(page->OnWizardBack(), -1);
}

void CPropertySheet::OnWizardNext()
{
    if (CPropertyPage* page = GetActivePage())
        WizardMove(page->OnWizardNext(), 1);
}

void CPropertySheet::OnWizardFinish()
{
    CPropertyPage* page = GetActivePage();
    if (!m_ended && page && page->OnWizardFinish())
        EndDialog(ID_WIZFINISH);
}

// OK and Apply Now: the active page is left, then every page that has a window applies.
BOOL CPropertySheet::ApplyPages()
{
    CPropertyPage* current = GetActivePage();
    if (current && !current->OnKillActive())
        return FALSE;
    for (int index = 0; index < GetPageCount(); ++index) {
        CPropertyPage* page = m_pages[static_cast<std::size_t>(index)];
        if (!page->m_hWnd)
            continue;
        if (!page->OnApply()) {
            if (index != m_nCurPage)
                ChangePage(index, 0);
            return FALSE;
        }
    }
    m_modified.clear();
    ::EnableWindow(::GetDlgItem(m_hWnd, ID_APPLY_NOW), FALSE);
    return TRUE;
}

void CPropertySheet::OnOK()
{
    if (!m_ended && ApplyPages())
        EndDialog(IDOK);
}

void CPropertySheet::OnApplyNow()
{
    if (!m_ended)
        ApplyPages();
}

void CPropertySheet::OnCancel()
{
    if (m_ended)
        return;
    CPropertyPage* current = GetActivePage();
    if (current && !current->OnQueryCancel())
        return;
    for (CPropertyPage* page : m_pages) {
        if (page->m_hWnd)
            page->OnReset();
    }
    EndDialog(IDCANCEL);
}

void CPropertySheet::OnHelpButton()
{
    if (CPropertyPage* page = GetActivePage(); page && page->m_hWnd)
        page->SendMessage(WM_COMMAND, ID_HELP);
}

LRESULT CPropertySheet::OnSetWizButtons(WPARAM, LPARAM lParam)
{
    m_wizardButtons = static_cast<DWORD>(lParam);
    if (IsWizard())
        ShowWizardButtons();
    return 0;
}

LRESULT CPropertySheet::OnPressButton(WPARAM wParam, LPARAM)
{
    switch (static_cast<int>(wParam)) {
    case PSBTN_BACK:
        OnWizardBack();
        break;
    case PSBTN_NEXT:
        OnWizardNext();
        break;
    case PSBTN_FINISH:
        OnWizardFinish();
        break;
    case PSBTN_OK:
        OnOK();
        break;
    case PSBTN_APPLYNOW:
        OnApplyNow();
        break;
    case PSBTN_CANCEL:
        OnCancel();
        break;
    case PSBTN_HELP:
        OnHelpButton();
        break;
    default:
        break;
    }
    return 0;
}

LRESULT CPropertySheet::OnSetCurSel(WPARAM wParam, LPARAM lParam)
{
    auto* page = reinterpret_cast<CPropertyPage*>(CWnd::FromHandlePermanent(reinterpret_cast<HWND>(lParam)));
    return SetActivePage(lParam ? GetPageIndex(page) : static_cast<int>(wParam));
}

LRESULT CPropertySheet::OnChanged(WPARAM wParam, LPARAM)
{
    for (CPropertyPage* page : m_pages) {
        if (page->m_hWnd == reinterpret_cast<HWND>(wParam) &&
            std::find(m_modified.begin(), m_modified.end(), page) == m_modified.end())
            m_modified.push_back(page);
    }
    ::EnableWindow(::GetDlgItem(m_hWnd, ID_APPLY_NOW), !m_modified.empty());
    return 0;
}

LRESULT CPropertySheet::OnUnchanged(WPARAM wParam, LPARAM)
{
    std::erase_if(m_modified, [wParam](CPropertyPage* page) { return page->m_hWnd == reinterpret_cast<HWND>(wParam); });
    ::EnableWindow(::GetDlgItem(m_hWnd, ID_APPLY_NOW), !m_modified.empty());
    return 0;
}

LRESULT CPropertySheet::OnGetTabControl(WPARAM, LPARAM)
{
    return reinterpret_cast<LRESULT>(::GetDlgItem(m_hWnd, AFX_IDC_TAB_CONTROL));
}

LRESULT CPropertySheet::OnGetCurrentPageHwnd(WPARAM, LPARAM)
{
    CPropertyPage* page = GetActivePage();
    return reinterpret_cast<LRESULT>(page ? page->m_hWnd : nullptr);
}

BOOL CPropertySheet::PreTranslateMessage(MSG* msg)
{
    if (msg->message < WM_KEYFIRST || msg->message > WM_KEYLAST || (GetStyle() & WS_CHILD))
        return FALSE;
    if (msg->hwnd != m_hWnd && !::IsChild(m_hWnd, msg->hwnd))
        return FALSE;
    CPropertyPage* page = GetActivePage();
    const bool inPage = page && page->m_hWnd && (msg->hwnd == page->m_hWnd || ::IsChild(page->m_hWnd, msg->hwnd));
    if (inPage && msg->message == WM_KEYDOWN && msg->wParam == VK_TAB)
        return ::IsDialogMessage(page->m_hWnd, msg);
    return ::IsDialogMessage(m_hWnd, msg);
}

BOOL CPropertySheet::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (header->idFrom != static_cast<UINT_PTR>(AFX_IDC_TAB_CONTROL))
        return CWnd::OnNotify(wParam, lParam, result);
    if (header->code == TCN_SELCHANGING) {
        CPropertyPage* current = GetActivePage();
        *result = current && !current->OnKillActive();
        return TRUE;
    }
    if (header->code == TCN_SELCHANGE) {
        const int index = SelectedTab();
        if (index != m_nCurPage && !ChangePage(index, 0))
            SelectTab(m_nCurPage);
        return TRUE;
    }
    return CWnd::OnNotify(wParam, lParam, result);
}
