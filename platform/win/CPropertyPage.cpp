#include "win/CPropertyPage.h"

#include "win/CPropertySheet.h"

CPropertyPage::CPropertyPage() { m_psp.dwSize = sizeof(PROPSHEETPAGE); }

CPropertyPage::CPropertyPage(UINT templateId, UINT captionId, UINT size) : CDialog(templateId)
{
    m_psp.dwSize = size;
    m_psp.pszTemplate = templateId;
    LoadCaption(captionId);
}

CPropertyPage::CPropertyPage(LPCTSTR templateName, UINT captionId, UINT size) : CDialog(templateName)
{
    m_psp.dwSize = size;
    LoadCaption(captionId);
}

CPropertyPage::~CPropertyPage() = default;

void CPropertyPage::LoadCaption(UINT captionId)
{
    if (captionId == 0 || !m_strCaption.LoadString(captionId))
        return;
    m_psp.dwFlags |= PSP_USETITLE;
}

BOOL CPropertyPage::CreatePage(CWnd* sheet, const RECT& area)
{
    m_bFirstSetActive = TRUE;
    if (!CreateFromTemplate(sheet, true, &area))
        return FALSE;
    HWND self = m_hWnd;
    InitializeDialog();
    return ::IsWindow(self);
}

BOOL CPropertyPage::OnSetActive()
{
    if (m_bFirstSetActive)
        m_bFirstSetActive = FALSE;
    else
        UpdateData(FALSE);
    return TRUE;
}

BOOL CPropertyPage::OnKillActive() { return UpdateData(TRUE); }

BOOL CPropertyPage::OnApply()
{
    OnOK();
    return TRUE;
}

void CPropertyPage::OnReset() { OnCancel(); }

BOOL CPropertyPage::OnQueryCancel() { return TRUE; }

void CPropertyPage::OnOK() {}

void CPropertyPage::OnCancel() {}

LRESULT CPropertyPage::OnWizardBack() { return 0; }

LRESULT CPropertyPage::OnWizardNext() { return 0; }

BOOL CPropertyPage::OnWizardFinish() { return TRUE; }

void CPropertyPage::SetModified(BOOL changed)
{
    if (HWND sheet = m_hWnd ? ::GetParent(m_hWnd) : nullptr)
        ::SendMessage(sheet, changed ? PSM_CHANGED : PSM_UNCHANGED, reinterpret_cast<WPARAM>(m_hWnd));
}

BOOL CPropertyPage::PreTranslateMessage(MSG*) { return FALSE; }
