// The base of every option page: one tab of an option sheet showing some options of one
// options record. A page implements four operations (store, test, clear, load); the edit
// lock, the read-only display, "Apply now", "Undo" and "Defaults", the tab image, the
// transaction and the element's updated mark are done here for all pages.
#pragma once

#include "shell/VqsPropertyPage.h"

class VqsOptCtrl;
class VqsOptionsSheet;

class VqsOptionPage : public VqsPropertyPage {
public:
    // The page's flags before a control change, put back when the change is refused.
    class PageState : public CObject {
    public:
        explicit PageState(VqsOptionPage* page);
        // Puts the flags back and shows them on the tab and the buttons.
        void Restore();

    private:
        VqsOptionPage* m_pPage;
        BOOL m_bModified;
        BOOL m_bAtDefaults;
        BOOL m_bAtDefaultsAsLoaded;
    };

    VqsOptionPage(VqsOptionsSheet* sheet, UINT dialogId, UINT captionId, int pageIndex);
    ~VqsOptionPage() override;

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    // Writes the controls' values into the record; a value that fails a page check throws
    // VqsExceptionData after moving the focus to its control.
    virtual void StoreOptions() = 0;
    // TRUE when none of the page's options holds an own value in the record.
    virtual BOOL IsNotUpdated() = 0;
    // Drops the own values of the page's options.
    virtual void ClearOptions() = 0;
    // Shows the record in the controls, ending with UpdateData(FALSE).
    virtual void LoadOptions() = 0;

    BOOL IsReadOnly() const;
    void ReloadPage();
    // The page's state on its tab, and the buttons enabled to match.
    void UpdateButtons();
    // TRUE when the page may be changed; the first change of the page asks the sheet for
    // the edit lock. `reloaded` (may be null) tells that a refusal reloaded the dialog.
    BOOL BeginModify(BOOL* reloaded, BOOL restoreOnRefusal);
    // The change handler of a control: TRUE when the change was taken.
    BOOL OnOptionChanged(VqsOptCtrl* control, BOOL validate);
    // Stores (or, at defaults, clears) the page's options in one transaction.
    virtual BOOL ApplyPage(BOOL isActivePage, BOOL clearUpdatedMarkWhenDefault);

    BOOL IsModified() const { return m_bModified; }
    BOOL IsAtDefaults() const { return m_bAtDefaults; }
    BOOL IsAtDefaultsAsLoaded() const { return m_bAtDefaultsAsLoaded; }
    int GetPageIndex() const { return m_nPageIndex; }

    void OnApplyNow();
    void OnUndo();
    void OnDefaults();

protected:
    DECLARE_MESSAGE_MAP()

    VqsOptionsSheet* m_pSheet;
    BOOL m_bModified = FALSE;
    BOOL m_bAtDefaults = FALSE;
    BOOL m_bAtDefaultsAsLoaded = FALSE;
    int m_nPageIndex;

private:
    BOOL m_bShowingValues = FALSE;

    // Shows values in the controls; the change notifications that this sends are no changes
    // of the user.
    template <class Show>
    void ShowValues(Show show);
    void EnableButton(int id, BOOL enable);
    void HideButton(int id);
    // The element link's updated mark: FALSE when it cannot be read (reported).
    BOOL ReadUpdatedMark(BOOL& markWasClear);
    // Stores or clears the options and keeps the updated mark in step; FALSE when the
    // transaction failed (reported).
    BOOL WriteOptions(BOOL markWasClear, BOOL clearUpdatedMarkWhenDefault, BOOL& nowNotUpdated);
};
