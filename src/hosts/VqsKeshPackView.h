// The pack list of the host frame: one row per pack of the enterprise with its name and
// type, and an image that tells whether the pack has association data on some host. It
// adds packs, opens a pack's definition with the frame's current host and deletes packs;
// its rows follow the change notices (code 1 a host removed, 5 a pack removed, 6 a pack
// created or changed). Its first selected row is the frame's current pack.
#pragma once

#include "proxy/PxVQPackInformation.h"
#include "hosts/VqsHostFrameListView.h"
#include "shell/VqsListItem.h"
#include "win/Collections.h"

class VqsKeshPackView : public VqsHostFrameListView {
public:
    class PackItem : public VqsListItem {
    public:
        explicit PackItem(const PxVQPackInformationPtr& pack) : m_pPack(pack) { Load(); }
        // Reads the name, the type and whether some association holds data.
        void Load();
        const char* GetText() override { return m_strName.GetString(); }
        BOOL IsTreeItem() override { return FALSE; }
        // Image 1 with association data, else image 0.
        BOOL GetOverlayImage(VqsImageRef& image) override;

        PxVQPackInformationPtr m_pPack;
        CString m_strName;
        int m_nPackType = 0;
        int m_bHasAssociationData = 0;
    };

    static constexpr UINT ID_ADD_PACK = 32819;
    static constexpr UINT ID_ADD = 32774;

    VqsKeshPackView();
    ~VqsKeshPackView() override;

    // Sets the list up and lists the enterprise's packs.
    void OnInitialUpdate();
    VqsListItem* ItemFromData(LPARAM itemData) override;
    CString GetColumnText(VqsListItem* item, int column) override;
    int GetCommandState(UINT id, int* enabled, int* checked) override;
    void Refresh(VqsModel* model) override;
    int GetColumnCount() override;
    void OnObjectChanged(int hint, const PxVQObjectPtr* object, const PxVQObjectPtr* related) override;
    CString GetFindTitle() override;

    PackItem* GetFirstSelectedItem();
    PackItem* FindItem(const PxVQPackInformationPtr& pack);
    void SelectItem(PackItem* item);

protected:
    void OnSelectionChanged() override;
    void OnOpenSelected() override;
    void OnDelete() override;
    void OnContextMenu(CWnd* window, CPoint point);
    void OnAddPack();

    DECLARE_MESSAGE_MAP()

private:
    PackItem* ItemOfRow(int row);
    void AddItem(const PxVQPackInformationPtr& pack);
    void ReloadAllItems();
    void RemovePackItem(const PxVQObjectPtr& pack);
    void UpdatePackItem(const PxVQPackInformationPtr& pack);

    CTypedPtrList<CPtrList, PackItem*> m_items{10};
};
