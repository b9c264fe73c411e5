// The association list of the host frame: the association of the frame's current pack
// with its current host, one row per property of the host's platform (NT and UNIX 2, OS
// Tarsk 11, QSR none), read-only. While its row of the frame is hidden it reads nothing;
// the rows are read when the row is shown again. Its open command opens the pack's
// definition on that host.
#pragma once

#include "proxy/PxVQHostPackData.h"
#include "proxy/PxVQHostInformation.h"
#include "proxy/PxVQPackInformation.h"
#include "shell/VqsListItem.h"
#include "shell/VqsListView.h"
#include "win/Collections.h"

class VqsPackAssocView : public VqsListView {
public:
    struct PackAssocItem : public VqsListItem {
        PackAssocItem(int row, const PxVQKeshPackAssociationTarskPtr& association);
        PackAssocItem(int row, const PxVQKeshPackAssociationUnixPtr& association);
        PackAssocItem(int row, const PxVQKeshPackAssociationNTPtr& association);

        const char* GetText() override { return m_strLabel.GetString(); }
        BOOL IsTreeItem() override { return FALSE; }
        void LoadValue(const PxVQKeshPackAssociationTarskPtr& association);
        void LoadValue(const PxVQKeshPackAssociationUnixPtr& association);
        void LoadValue(const PxVQKeshPackAssociationNTPtr& association);

        int m_nRow;
        CString m_strLabel;
        CString m_strValue;
    };

    static constexpr UINT ID_OPEN_SELECTED = 32775;
    static constexpr UINT ID_OPTIONS = 32772;

    VqsPackAssocView();
    ~VqsPackAssocView() override;

    // Sets the two columns up.
    void OnInitialUpdate();
    void OnActivateView(BOOL activate, CView* activateView, CView* deactiveView) override;
    int CompareListItems(VqsListItem* a, VqsListItem* b) override;
    VqsListItem* ItemFromData(LPARAM itemData) override;
    CString GetColumnText(VqsListItem* item, int column) override;
    int GetItemImage(VqsListItem* item) override;
    int GetCommandState(UINT id, int* enabled, int* checked) override;
    void Refresh(VqsModel* model) override;
    int GetColumnCount() override;
    void OnObjectChanged(int hint, const PxVQObjectPtr* object, const PxVQObjectPtr* related) override;
    CString GetFindTitle() override;

    // Shows the association of the pack with the host, or nothing.
    void SetPackAndHost(const PxVQPackInformationPtr& pack, const PxVQHostInformationPtr& host);
    // The pack's data on the host (its type in `hostType`); null when there is none.
    PxVQHostPackDataPtr FindHostPackData(const PxVQPackInformationPtr& pack, const PxVQHostInformationPtr& host,
                                         int* hostType);
    const PxVQHostPackDataPtr& GetAssociation() const { return m_pAssociation; }
    BOOL IsPaneShown() const { return m_bPaneShown; }

protected:
    void Fill();
    void Clear();
    void SetColumnTitle();
    void OnSize(UINT type, int cx, int cy);
    void OnDblClk(NMHDR* header, LRESULT* result);
    void OnOpen();

    DECLARE_MESSAGE_MAP()

private:
    void BuildRows();
    void UpdateRows();
    // Makes the row of the host type's table, its value read.
    PackAssocItem* MakeRow(int row);
    void LoadRow(PackAssocItem* item);

    CTypedPtrList<CPtrList, PackAssocItem*> m_rows{10};
    BOOL m_bPaneShown = FALSE;
    BOOL m_bRefillPending = FALSE;
    PxVQHostPackDataPtr m_pAssociation;
    int m_nHostType = 0;
    BOOL m_bRebuildOnTypeChange = TRUE;
};
