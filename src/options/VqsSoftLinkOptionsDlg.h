// The options dialog of an element link for one option set: it shows the sheet that the
// sheet registry builds for the options record and owns what the sheet needs of the
// repository: the objects read, the edit lock taken at the first change, the check that
// nobody changed them meanwhile, the write lock of an apply and the views' refresh.
#pragma once

#include "options/VqsOptionsDlgEnvironment.h"
#include "proxy/PxVQOptionSet.h"
#include "shell/VqsDialog.h"
#include "shell/VqsFocusMemory.h"
#include "win/CComboBox.h"
#include "win/CScrollBar.h"

#include <memory>
#include <vector>

class VqException;
class VqsLockBag;
class VqsModelNodeLink;
class VqsModelNodeOption;
class VqsOptionsSheet;

class VqsSoftLinkOptionsDlg : public VqsDialog {
public:
    // `creatorBag` holds the creator's read locks on the nodes until the dialog has read
    // them.
    VqsSoftLinkOptionsDlg(VqsLockBag* creatorBag, VqsModelNodeLink* linkNode, VqsModelNodeOption* optionNode,
                          UINT selectPage, CWnd* parent);
    ~VqsSoftLinkOptionsDlg() override;

    // Set by the creator before the dialog opens: the options of a business segment are shown
    // for the items of its event.
    void SetEventView(BOOL eventView) { m_bEventView = eventView; }
    BOOL GetEventView() const { return m_bEventView; }
    // The soft link shown at the end.
    PxVQSoftLinkPtr GetSoftLink() const;

    // What the sheet asks.
    BOOL IsReadOnly() const { return m_bReadOnly; }
    BOOL BeginEdit(BOOL& reloaded);
    void CommitToModel();
    BOOL Apply(BOOL onlyActivePage);
    void ReportError(const VqException& error);
    void RefreshViews();
    VqsModelNodeLink* GetOptionNode() const;
    // TRUE refuses to return the whole record to its defaults (see the sheet).
    BOOL ConfirmAllDefaults(BOOL& clearMark);

    VqsOptionsSheet* GetSheet() const { return m_pSheet.get(); }
    BOOL IsEditLocked() const { return m_bEditLocked; }
    int GetScrollMaximum() const { return m_nScrollMax; }
    int GetScrollPosition() const { return m_nScrollPos; }

    // The edit lock ends with the dialog.
    INT_PTR DoModal() override;
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    UINT GetResizeSpecs(ResizeSpec*** specs) override;

protected:
    void OnOK() override;
    void OnElementChanged();
    void OnOptionSetChanged();
    void OnHelpCommand();
    void OnVScroll(UINT code, UINT position, CScrollBar* bar);
    void OnActivate(UINT state, CWnd* other, BOOL minimized);
    void OnSetFocus(CWnd* oldWnd);
    DECLARE_MESSAGE_MAP()

private:
    BOOL OpenSheet();
    BOOL CheckRights();
    void ShowTitle();
    BOOL FillCombos(VqsOptionsDlgEnvironment& environment);
    BOOL FillOptionSets(VqsOptionsDlgEnvironment& environment);
    BOOL FillElements(VqsOptionsDlgEnvironment& environment);
    BOOL CreateSheet();
    void LayOut();
    void ScrollTo(int position);
    // Puts the sheet where the scroll position says and sets the arrows.
    void MoveSheet();
    BOOL ReloadDialog(VqsOptionsDlgEnvironment& environment);
    void ReleaseEditLock();
    void ReleaseCreatorLocks();
    // Asks whether modified pages are to be saved first; FALSE stops the switch.
    BOOL SaveChangesBeforeSwitch();
    // Makes the environment of the link and option set the dialog's; FALSE leaves it as it was.
    BOOL SwitchTo(VqsModelNodeLink* linkNode, const PxVQOptionSetPtr& optionSet);
    BOOL ComputeEventView(const PxVQSoftLinkPtr& link, const PxVQOptionSetPtr& optionSet) const;
    // Whether the element's link is still needed once the shown record is at its defaults,
    // read under `bag`; `clearMark` as the sheet's confirmation says.
    enum class LinkUse { Refused, InUse, Obsolete };
    LinkUse JudgeLinkUse(VqsLockBag& bag, BOOL& clearMark);
    VqsModelNodeLink* ChooseRemovedLink(VqsLockBag& bag);
    BOOL ChangedMeanwhile(VqsModelNodeLink* chosen);
    BOOL RemoveObsoleteLink();
    PxVQOptionSetPtr CurrentOptionSet() const;

    CComboBox m_optionSetCombo;
    CComboBox m_elementCombo;
    CScrollBar m_scrollBar;
    std::vector<PxVQOptionSetPtr> m_optionSets;
    std::vector<VqsModelNodeLink*> m_elementLinks;
    BOOL m_bEventView = FALSE;
    CString m_strKindText;
    // Declared before the sheet, whose pages reach it until they are gone.
    std::unique_ptr<VqsOptionsDlgEnvironment> m_pEnvironment;
    UINT m_nSelectPage;
    VqsFocusMemory m_focusWindow;
    std::unique_ptr<VqsOptionsSheet> m_pSheet;
    BOOL m_bReadOnly = FALSE;
    int m_nElementSelection = -1;
    int m_nOptionSetSelection = -1;
    int m_nScrollMax = 0;
    int m_nScrollPos = 0;
    int m_nSheetTop = 0;
    VqsLockBag* m_pCreatorBag;
    BOOL m_bEditLocked = FALSE;

    ResizeSpecRightEdge m_elementRule{1020};
    ResizeSpecRightEdge m_optionSetRule{1023};
    ResizeSpecAtCorner m_okRule{IDOK};
    ResizeSpecAtCorner m_cancelRule{IDCANCEL};
    ResizeSpecAtCorner m_helpRule{57670};
    ResizeSpec* m_resizeSpecs[5] = {&m_elementRule, &m_optionSetRule, &m_okRule, &m_cancelRule, &m_helpRule};
};
