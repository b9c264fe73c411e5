// Property sheets (tabs of pages with OK, Cancel and Apply Now) and wizards (pages in
// order with Back, Next and Finish), modal (DoModal, driven by the UI driver) or embedded
// in a dialog (Create with WS_CHILD). Pages get their windows when first activated.
#pragma once

#include "win/CPropertyPage.h"
#include "win/CTabCtrl.h"

#include <vector>

constexpr UINT PSM_SETCURSEL = WM_USER + 101;
constexpr UINT PSM_REMOVEPAGE = WM_USER + 102;
constexpr UINT PSM_ADDPAGE = WM_USER + 103;
constexpr UINT PSM_CHANGED = WM_USER + 104;
constexpr UINT PSM_UNCHANGED = WM_USER + 109;
constexpr UINT PSM_PRESSBUTTON = WM_USER + 111;
constexpr UINT PSM_SETWIZBUTTONS = WM_USER + 112;
constexpr UINT PSM_GETTABCONTROL = WM_USER + 116;
constexpr UINT PSM_GETCURRENTPAGEHWND = WM_USER + 118;

// PSM_SETWIZBUTTONS flags.
constexpr DWORD PSWIZB_BACK = 0x1;
constexpr DWORD PSWIZB_NEXT = 0x2;
constexpr DWORD PSWIZB_FINISH = 0x4;
constexpr DWORD PSWIZB_DISABLEDFINISH = 0x8;

// PSM_PRESSBUTTON buttons.
constexpr int PSBTN_BACK = 0;
constexpr int PSBTN_NEXT = 1;
constexpr int PSBTN_FINISH = 2;
constexpr int PSBTN_OK = 3;
constexpr int PSBTN_APPLYNOW = 4;
constexpr int PSBTN_CANCEL = 5;
constexpr int PSBTN_HELP = 6;

// Ids of the sheet's own controls; ID_WIZFINISH is also what a finished wizard returns.
constexpr int AFX_IDC_TAB_CONTROL = 0x3020;
constexpr int ID_APPLY_NOW = 0x3021;
constexpr int ID_WIZBACK = 0x3023;
constexpr int ID_WIZNEXT = 0x3024;
constexpr int ID_WIZFINISH = 0x3025;

// Sheet flags.
constexpr DWORD PSH_WIZARDHASFINISH = 0x0010;
constexpr DWORD PSH_WIZARD = 0x0020;
constexpr DWORD PSH_NOAPPLYNOW = 0x0080;
constexpr DWORD PSH_HASHELP = 0x0200;

// The sheet record of the property-sheet interface.
struct PROPSHEETHEADER {
    DWORD dwSize;
    DWORD dwFlags;
    HWND hwndParent;
    LPCTSTR pszCaption;
    UINT nPages;
    UINT nStartPage;
};

class CPropertySheet : public CWnd {
public:
    CPropertySheet();
    explicit CPropertySheet(UINT captionId, CWnd* parent = nullptr, UINT selectPage = 0);
    explicit CPropertySheet(LPCTSTR caption, CWnd* parent = nullptr, UINT selectPage = 0);
    ~CPropertySheet() override;

    // Pages may be added and removed while the sheet runs; the sheet does not own them.
    void AddPage(CPropertyPage* page);
    void RemovePage(CPropertyPage* page);
    void RemovePage(int index);
    int GetPageCount() const;
    CPropertyPage* GetPage(int index) const;
    int GetPageIndex(const CPropertyPage* page) const;
    CPropertyPage* GetActivePage() const;
    int GetActiveIndex() const;
    // Leaves the active page (FALSE when it refuses) and activates the page; before the sheet
    // has a window, chooses the page it starts with.
    BOOL SetActivePage(int index);
    BOOL SetActivePage(CPropertyPage* page);
    void SetTitle(LPCTSTR text);
    void SetWizardMode();
    BOOL IsWizard() const;
    // Posts PSM_SETWIZBUTTONS.
    void SetWizardButtons(DWORD flags);
    // The PSWIZB_ flags the last PSM_SETWIZBUTTONS handled set.
    DWORD GetWizardButtons() const { return m_wizardButtons; }
    // Sends PSM_PRESSBUTTON.
    void PressButton(int button);
    // The tab control (AFX_IDC_TAB_CONTROL) of a sheet with a window; none in a wizard.
    CTabCtrl* GetTabControl() const;
    // Ends a modal sheet with `result` once the current handler returns.
    void EndDialog(int result);

    // Runs the sheet modally: IDOK, IDCANCEL or, for a wizard, ID_WIZFINISH; -1 when its
    // window could not be made.
    virtual INT_PTR DoModal();
    // A modeless sheet; with WS_CHILD in `style` it is embedded in `parent`. -1 for the
    // style of a modeless pop-up.
    virtual BOOL Create(CWnd* parent = nullptr, DWORD style = static_cast<DWORD>(-1), DWORD exStyle = 0);
    // Activates the page the sheet starts with.
    virtual BOOL OnInitDialog();

    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    PROPSHEETHEADER m_psh{};

protected:
    LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetWizButtons(WPARAM wParam, LPARAM lParam);
    LRESULT OnPressButton(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetCurSel(WPARAM wParam, LPARAM lParam);
    LRESULT OnChanged(WPARAM wParam, LPARAM lParam);
    LRESULT OnUnchanged(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetTabControl(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetCurrentPageHwnd(WPARAM wParam, LPARAM lParam);
    void OnOK();
    void OnCancel();
    void OnApplyNow();
    void OnHelpButton();
    void OnWizardBack();
    void OnWizardNext();
    void OnWizardFinish();
    DECLARE_MESSAGE_MAP()

private:
    class Driving;

    BOOL CreateSheetWindow(HWND parent, DWORD style, DWORD exStyle);
    void CreateTabControl();
    void CreateButtons();
    void InsertTab(int index);
    void SelectTab(int index);
    int SelectedTab() const;
    void ShowWizardButtons();
    BOOL EnsurePageWindow(CPropertyPage* page);
    // Activates `target`, or with `step` +1 / -1 the first page from it in that direction
    // that accepts. FALSE when none does; the active page stays.
    BOOL ChangePage(int target, int step);
    void ShowPage(int index);
    BOOL ApplyPages();
    int IndexOfTemplate(LRESULT templateId) const;
    void WizardMove(LRESULT answer, int step);

    CTabCtrl m_tabControl;
    std::vector<CPropertyPage*> m_pages;
    std::vector<CPropertyPage*> m_modified;
    CString m_strCaption;
    CWnd* m_pParentWnd = nullptr;
    int m_nCurPage = -1;
    DWORD m_wizardButtons = PSWIZB_BACK | PSWIZB_NEXT;
    CRect m_pageArea;
    bool m_ended = false;
};
