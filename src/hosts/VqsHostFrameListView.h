// What the host and pack lists of the host frame do alike: sorting by the clicked column,
// following the selection, opening the selected row on a double click, the Insert and Delete
// keys, Select All, and the states of the commands they share. Each list adds its own rows,
// columns, context menu and commands.
#pragma once

#include "shell/VqsListView.h"
#include "win/Collections.h"

#include <functional>

class VqsHostListFrame;
class VqsLockBag;
class VqsModelNodeEnterprise;

class VqsHostFrameListView : public VqsListView {
public:
    static constexpr UINT ID_OPEN_SELECTED = 32775;
    static constexpr UINT ID_OPTIONS = 32772;

    void OnActivateView(BOOL activate, CView* activateView, CView* deactiveView) override;
    int CompareListItems(VqsListItem* a, VqsListItem* b) override;
    int GetItemImage(VqsListItem* item) override;
    int GetCommandState(UINT id, int* enabled, int* checked) override;

protected:
    // Tells the frame which object the selection now stands for.
    virtual void OnSelectionChanged() = 0;
    virtual void OnOpenSelected() = 0;
    virtual void OnDelete() = 0;

    VqsHostListFrame* GetHostFrame() const;
    void SortRows();
    // Takes the item's row out of the list; the selection is followed when the row was selected.
    void RemoveRowOf(VqsListItem* item);
    // Locks the enterprise's node for reading, showing that the views are being refreshed.
    VqsModelNodeEnterprise* LockEnterprise(VqsModel& model, VqsLockBag& bag);
    // Deletes the nodes `lockNodes` locks and collects, with the progress shown in the frame.
    void DeleteLockedNodes(const std::function<void(VqsModel&, VqsLockBag&, CObList&)>& lockNodes);

    void OnItemChanged(NMHDR* header, LRESULT* result);
    void OnColumnClick(NMHDR* header, LRESULT* result);
    void OnDblClk(NMHDR* header, LRESULT* result);
    void OnKeyDown(NMHDR* header, LRESULT* result);
    void OnSelectAll();
    void OnUpdateCommand(CCmdUI* cmdUI);

    DECLARE_MESSAGE_MAP()

    int m_nSortColumn = 0;
    int m_nSortDirection = 1;
};
