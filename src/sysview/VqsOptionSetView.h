// The option-set list of the system frame: one row per option set and generate set of the
// configuration selected in the tree, with its host type, description and persistent-lock
// state. From it the user deletes generate sets, places and removes persistent locks and
// reads who holds them; its selection is the frame's current option set.
#pragma once

#include "proxy/PxVQConfig.h"
#include "proxy/PxTypedList.h"
#include "proxy/PxVQOptionSet.h"
#include "shell/VqsListItem.h"
#include "shell/VqsListView.h"
#include "win/Collections.h"

#include <vector>

class VqsModel;
class VqsModelNodeCurConfig;
class VqsNewGenSetSheet;
class VqsSysFrame;

class VqsOptionSetView : public VqsListView {
public:
    // The lock state of a row: not locked, locked by this user (or one this user may
    // override), locked by somebody this user may not override.
    enum LockState : int { NotLocked = 0, LockedByMe = 1, LockedByOther = 2 };

    class VqsListItemOptionSet : public VqsListItem {
    public:
        explicit VqsListItemOptionSet(const PxVQOptionSetPtr& optionSet) : m_optionSet(optionSet) {}
        // Reads the texts, host type and lock state; throws the repository's exceptions.
        void Load();
        const char* GetText() override { return m_strName.GetString(); }
        BOOL IsTreeItem() override { return FALSE; }
        // The long name when long names are shown, else the name.
        CString GetDisplayName() const;
        BOOL IsGenSet() const;

        PxVQOptionSetPtr m_optionSet;
        CString m_strName;
        CString m_strLongName;
        CString m_strDescription;
        int m_nHostType = 0;
        int m_nLockState = NotLocked;
    };

    VqsOptionSetView();
    ~VqsOptionSetView() override;

    void OnInitialUpdate();
    void OnActivateView(BOOL activate, CView* activateView, CView* deactiveView) override;
    int CompareListItems(VqsListItem* a, VqsListItem* b) override;
    VqsListItem* ItemFromData(LPARAM itemData) override;
    CString GetColumnText(VqsListItem* item, int column) override;
    int GetItemImage(VqsListItem* item) override;
    int GetCommandState(UINT id, int* enabled, int* checked) override;
    void GetSelectionContext(PxVQSystemPtr& system, PxVQBSSoftLinkPtr& bsLink, PxVQElementSoftLinkPtr& elementLink,
                             PxVQGenSetPtr& genSet) override;
    void Refresh(VqsModel* model) override;
    int GetColumnCount() override;
    void OnObjectChanged(int hint, const PxVQObjectPtr* object, const PxVQObjectPtr* related) override;
    CString GetFindTitle() override;
    BOOL TellSelectionGone() override;

    // The configuration whose option sets the list shows; rows are read again only when it
    // is another one.
    void SetConfig(const PxVQConfigPtr& config);
    PxVQConfigPtr GetConfig() const { return m_config; }
    // Locks every listed option set's node for reading, which refreshes the rows.
    void RefreshOptionSets();
    void SelectOptionSet(const PxVQOptionSetPtr& optionSet);
    PxVQOptionSetPtr GetSingleSelectedOptionSet();
    // The selected row's option set, else the first row's; null for an empty list.
    PxVQOptionSetPtr GetSelectedOrFirstOptionSet();
    // What a command works on, the same; a list whose fill failed is read again first, and a
    // failure goes to the command, which tells why it finds no set.
    PxVQOptionSetPtr GetSelectedOptionSet();

protected:
    void OnItemChanged(NMHDR* header, LRESULT* result);
    void OnColumnClick(NMHDR* header, LRESULT* result);
    void OnKeyDown(NMHDR* header, LRESULT* result);
    void OnDblClk(NMHDR* header, LRESULT* result);
    void OnContextMenu(CWnd* window, CPoint point);
    void OnDelete();
    void OnLock();
    void OnUnlock();
    void OnShowLockStatus();
    void OnGenerateMonitor(UINT id);
    void OnOptions();
    void OnOpenSelected();
    void OnAddGenerateSet();
    // The New Generate Set wizard's Finish: the host it asks for and the generate set, stored
    // together or not at all; FALSE keeps the wizard open.
    BOOL CreateGenerateSet(VqsModel& model, VqsNewGenSetSheet& sheet, VqsModelNodeCurConfig* config,
                           PxVQGenSetPtr& genSet);
    void OnUpdateCommand(CCmdUI* cmdUI);

    DECLARE_MESSAGE_MAP()

private:
    VqsSysFrame* GetSysFrame() const;
    VqsListItemOptionSet* ItemOfRow(int row);
    VqsListItemOptionSet* FindOptionSetItem(const PxObjectPtr& optionSet);
    std::vector<VqsListItemOptionSet*> GetSelectedOptionSetItems();
    void DeleteAllOptionSetItems();
    // Reports a failure ("Cannot access Option Sets"); the rows read so far stay.
    void Fill();
    void ReadOptionSets();
    BOOL AddOptionSet(const PxVQOptionSetPtr& optionSet);
    // `config`, the set's configuration, when the notice names it.
    void OnOptionSetChanged(const PxVQOptionSetPtr& optionSet, const PxVQObjectPtr& config);
    void OnOptionSetRemoved(const PxObjectPtr& optionSet);
    void OnSelectionChanged();
    // Removes the manual locks and, when the user agrees, a generation's lock; FALSE when a
    // removal was refused (the refusal is reported).
    BOOL RemoveLocks(VqsListItemOptionSet* item);
    // Another user's Lock of a set a generation runs on: the box naming the generation.
    BOOL RefusedByRunningGeneration(const PxTypedList<PxVQOptionSetPtr>& optionSets);
    // A set another user deleted while it was being locked keeps no lock: TRUE when one did,
    // its lock given back and the user told once.
    BOOL GiveBackLocksOfGone(const PxTypedList<PxVQOptionSetPtr>& optionSets);
    // The views hear that the sets are locked now.
    static void TellLocked(PxTypedList<PxVQOptionSetPtr>& optionSets);

    PxVQConfigPtr m_config;
    CTypedPtrList<CPtrList, VqsListItemOptionSet*> m_items{10};
    BOOL m_bFillFailed = FALSE;
    int m_nSortColumn = 0;
    int m_nSortAscending = 1;
};
