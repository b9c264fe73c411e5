// The "Bulk Options" page of a business segment's options: one option of many elements at
// once. It shows one element kind at a time (Ispecs, global logics, reports, profiles) in
// the shared element list, with that kind's bulk option panel; the platform pages build the
// four panels in their OnInitDialog (CreatePanels). An apply asks first, then writes the
// pending edits of all four panels in one transaction under write locks of the records.
#pragma once

#include "options/VqsBulkOptionPanel.h"
#include "options/VqsElementListCtrl.h"
#include "options/VqsOptionPage.h"
#include "options/VqsOptionsSheet.h"
#include "shell/VqsOptCtrlCombo.h"
#include "shell/VqsOptCtrlRadio.h"
#include "shell/VqsOptCtrlString.h"

#include <array>
#include <memory>
#include <vector>

class VqsLockBag;
class VqsModelNode;

class VqsOptionPageBSegBulkOptions : public VqsOptionPage {
public:
    enum Kind { Ispecs = 0, GlobalLogics = 1, Reports = 2, Profiles = 3, KindCount = 4 };

    VqsOptionPageBSegBulkOptions(VqsOptions_BSeg_Sheet* sheet, int pageIndex);
    ~VqsOptionPageBSegBulkOptions() override;

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    // Applies the panels' edits (inside the apply's transaction).
    void StoreOptions() override;
    // The page never holds options of the business segment: its tab shows the defaults.
    BOOL IsNotUpdated() override { return TRUE; }
    void ClearOptions() override {}
    void LoadOptions() override;
    // Asks 62135 first; No leaves every edit pending and the page modified.
    BOOL ApplyPage(BOOL isActivePage, BOOL clearUpdatedMarkWhenDefault) override;

    void SelectElementType(int kind);
    void RefreshUndo();
    void RefreshApply();
    BOOL AnyPanelHasEdits() const;

    VqsElementListCtrl& GetList() { return m_list; }
    VqsBulkOptionPanel* GetPanel(int kind) const { return m_panels[kind]; }
    VqsBulkOptionPanel* GetCurrentPanel() const { return m_pCurrentPanel; }
    VqsOptionRows& GetRows(int kind) { return m_rows[kind]; }
    BOOL IsEditable() const { return m_bEditable; }

    // Which elements the page lists.
    static BOOL IsListedGlobalLogic(const CString& name, BOOL performable);
    static BOOL IsListedIspec(const CString& name);

protected:
    // The platform pages create the panel of each kind here (none by default).
    virtual void CreatePanels();
    // Places a created panel in the page's frame and hands it its rows.
    void AdoptPanel(int kind, VqsBulkOptionPanel* panel);
    // Hands a created panel its rows and places it at the frame's top left corner, keeping
    // the panel's own size.
    void PlacePanel(int kind, VqsBulkOptionPanel* panel);

    void OnKindClicked(UINT id);
    void OnUndoClicked();
    void OnSelectionFilter();
    void OnListItemChanged(NMHDR* header, LRESULT* result);
    DECLARE_MESSAGE_MAP()

    VqsOptions_BSeg_Sheet* m_pTypedSheet;
    CStringList m_names;
    std::array<VqsBulkOptionPanel*, KindCount> m_panels{};
    VqsBulkOptionPanel* m_pCurrentPanel = nullptr;
    VqsElementListCtrl m_list;
    std::array<VqsOptionRows, KindCount> m_rows;
    BOOL m_bEditable = TRUE;
    // The links of the rows, as they were listed.
    std::unique_ptr<VqsKnownRowSoftLinks> m_knownLinks;

private:
    void SeatPanel(int kind, VqsBulkOptionPanel* panel, BOOL fillFrame);
    void CollectElements();
    void ShowPanel(VqsBulkOptionPanel* panel);
    void ShowCounts();
    void ApplyAllPanels();
    void UndoAllPanels();
    // Drops the pending edits of every panel, with the buttons and cells that showed them.
    void DropAllEdits();
    // Write locks of the option records that the pending edits change; FALSE when one was
    // refused (the user was told). `changed` takes the element links' nodes, which hear of
    // the apply once it is stored.
    BOOL LockEditedRecords(VqsLockBag& locks, std::vector<VqsModelNode*>& changed);
    // The panels in the order they apply: Ispecs, profiles, reports, global logics.
    std::array<VqsBulkOptionPanel*, KindCount> PanelsInApplyOrder() const;
};

// Selects rows of the element list by the value of one column.
class VqsSelectElementsDialog : public VqsDialog {
public:
    VqsSelectElementsDialog(VqsElementListCtrl* list, VqsBulkOptionPanel* panel, CWnd* parent);

    BOOL OnInitDialog() override;

    int GetColumn() const { return m_nColumn; }
    CString GetValue() const;
    int GetCondition() const { return m_condition.m_nValue; }
    int GetFunction() const { return m_function.m_nValue; }

protected:
    void OnColumnChanged();
    void OnHelp();
    void ChooseColumn(int column);
    DECLARE_MESSAGE_MAP()

    VqsElementListCtrl* m_pList;
    VqsBulkOptionPanel* m_pPanel;
    VqsOptCtrlCombo m_column;
    VqsOptCtrlString m_textValue;
    VqsOptCtrlCombo m_choiceValue;
    VqsOptCtrlRadio m_condition;
    VqsOptCtrlRadio m_function;
    int m_nColumn = 0;
    BOOL m_bHasChoices = FALSE;
};
