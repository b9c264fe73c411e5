// The host list of the host frame: one row per host of the enterprise with its name, type,
// address and port. It adds hosts (the new-host wizard), opens their options and deletes
// them; its rows follow the change notices of hosts (code 1 removed, code 2 created or
// changed). Its selection is the frame's current host.
#pragma once

#include "proxy/PxVQHostInformation.h"
#include "hosts/VqsHostFrameListView.h"
#include "shell/VqsListItem.h"
#include "win/Collections.h"

class VqsHostView : public VqsHostFrameListView {
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

    VqsHostView();
    ~VqsHostView() override;

    // Sets the list up and lists the enterprise's hosts.
    void OnInitialUpdate();
    VqsListItem* ItemFromData(LPARAM itemData) override;
    CString GetColumnText(VqsListItem* item, int column) override;
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
    void OnSelectionChanged() override;
    void OnOpenSelected() override;
    void OnDelete() override;
    void OnContextMenu(CWnd* window, CPoint point);
    void OnAddHost();

    DECLARE_MESSAGE_MAP()

private:
    VqsListItemHost* ItemOfRow(int row);
    void AddItem(const PxVQHostInformationPtr& host);
    void RemoveHostItem(const PxVQObjectPtr& host);
    void UpdateHostItem(const PxVQHostInformationPtr& host);

    CTypedPtrList<CPtrList, VqsListItemHost*> m_items{10};
};
