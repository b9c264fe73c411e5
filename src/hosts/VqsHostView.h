// The host list of the host frame: one row per host of the enterprise with its name, type,
// address and port. It adds hosts (the new-host wizard), opens their options and deletes
// them; its rows follow the change notices of hosts (code 1 removed, code 2 created or
// changed). Its selection is the frame's current host.
#pragma once

#include "proxy/PxVQHostInformation.h"
#include "shell/VqsListItem.h"
#include "shell/VqsListView.h"
#include "win/Collections.h"

class VqsHostListFrame;

class VqsHostView : public VqsListView {
public:
    class VqsListItemHost : public VqsListItem {
    public:
        explicit VqsListItemHost(const PxVQHostInformationPtr& host) : m_pHost(host) { Load(); }
        // Reads the cached fields again from the host.
        void Load();
        const char* GetText() override { return m_strName.GetString(); }
        BOOL IsTreeItem() override { return FALSE; }

        PxVQHostInformationPtr m_pHost;
        CString m_strName;
        int m_nHostType = 0;
        CString m_strAddress;
        int m_nPort = 0;
    };

    static constexpr UINT ID_ADD_HOST = 32783;
    static constexpr UINT ID_OPEN_SELECTED = 32775;
    static constexpr UINT ID_OPTIONS = 32772;

    VqsHostView();
    ~VqsHostView() override;

    // Sets the list up and lists the enterprise's hosts.
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

    // The first selected row's host, else the first row's; null for an empty list.
    PxVQHostInformationPtr GetCurrentHost();
    // The host of the one selected row; null when none or several are selected.
    PxVQHostInformationPtr GetSelectedHost();
    VqsListItemHost* FindItem(const PxVQHostInformationPtr& host);
    void SelectHost(const PxVQHostInformationPtr& host);

protected:
    void OnSelectionChanged();
    void OnItemChanged(NMHDR* header, LRESULT* result);
    void OnColumnClick(NMHDR* header, LRESULT* result);
    void OnDblClk(NMHDR* header, LRESULT* result);
    void OnKeyDown(NMHDR* header, LRESULT* result);
    void OnContextMenu(CWnd* window, CPoint point);
    void OnAddHost();
    void OnOpenHost();
    void OnDelete();
    void OnSelectAll();
    void OnUpdateCommand(CCmdUI* cmdUI);

    DECLARE_MESSAGE_MAP()

private:
    VqsHostListFrame* GetHostFrame() const;
    VqsListItemHost* ItemOfRow(int row);
    void AddItem(const PxVQHostInformationPtr& host);
    void RemoveHostItem(const PxVQObjectPtr& host);
    void UpdateHostItem(const PxVQHostInformationPtr& host);

    CTypedPtrList<CPtrList, VqsListItemHost*> m_items{10};
    int m_nSortColumn = 0;
    int m_nSortDirection = 1;
};
