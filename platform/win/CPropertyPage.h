// A page of a property sheet or wizard: a child dialog made from its template when the
// sheet first shows it, so a page's window may not exist yet.
#pragma once

#include "win/CDialog.h"

class CPropertySheet;

constexpr DWORD PSP_USEHICON = 0x0002;
constexpr DWORD PSP_USETITLE = 0x0008;
constexpr DWORD PSP_HASHELP = 0x0020;

// The page record of the property-sheet interface.
struct PROPSHEETPAGE {
    DWORD dwSize;
    DWORD dwFlags;
    UINT pszTemplate;
    HICON hIcon;
    LPCTSTR pszTitle;
    LPARAM lParam;
};

class CPropertyPage : public CDialog {
public:
    CPropertyPage();
    explicit CPropertyPage(UINT templateId, UINT captionId = 0, UINT size = sizeof(PROPSHEETPAGE));
    explicit CPropertyPage(LPCTSTR templateName, UINT captionId = 0, UINT size = sizeof(PROPSHEETPAGE));
    ~CPropertyPage() override;

    // The page becomes active: TRUE lets it (every activation after the first loads the
    // controls again); FALSE refuses, and a wizard passes over the page in the direction of
    // travel.
    virtual BOOL OnSetActive();
    // The page is left: stores and validates the controls; FALSE keeps it.
    virtual BOOL OnKillActive();
    // OK or Apply Now: calls OnOK; FALSE keeps the sheet open on this page.
    virtual BOOL OnApply();
    // Cancel: calls OnCancel.
    virtual void OnReset();
    virtual BOOL OnQueryCancel();
    // A page's OK and Cancel end nothing: the sheet ends.
    void OnOK() override;
    void OnCancel() override;
    // Back and Next: 0 goes to the previous or next page, -1 stays, a template id goes to
    // the page of that template.
    virtual LRESULT OnWizardBack();
    virtual LRESULT OnWizardNext();
    // Finish: TRUE ends the wizard with ID_WIZFINISH.
    virtual BOOL OnWizardFinish();
    // Tells the sheet the page has changes to apply (PSM_CHANGED, PSM_UNCHANGED).
    void SetModified(BOOL changed = TRUE);

    // The keys of a page are the sheet's.
    BOOL PreTranslateMessage(MSG* msg) override;

    PROPSHEETPAGE m_psp{};
    CString m_strCaption;

private:
    friend class CPropertySheet;
    void LoadCaption(UINT captionId);
    BOOL CreatePage(CWnd* sheet, const RECT& area);

    BOOL m_bFirstSetActive = TRUE;
};
