// The options preview of the system frame: the options of the selected links in the
// selected option set. This pane keeps what it is given and shows nothing yet; its rows
// come with the options preview.
#pragma once

#include "proxy/PxVQOptionSet.h"
#include "shell/VqsListView.h"
#include "sysview/VqsSysFrame.h"

class VqsOptionPreview : public VqsListView {
public:
    int CompareListItems(VqsListItem* a, VqsListItem* b) override;
    VqsListItem* ItemFromData(LPARAM itemData) override;
    CString GetColumnText(VqsListItem* item, int column) override;
    int GetItemImage(VqsListItem* item) override;
    void Refresh(VqsModel* model) override;
    int GetColumnCount() override;
    CString GetFindTitle() override;

    void ShowOptionSet(const PxVQOptionSetPtr& optionSet, const VqsObjectList& objects);
    PxVQOptionSetPtr GetOptionSet() const { return m_optionSet; }
    INT_PTR GetObjectCount() const { return m_nObjects; }

private:
    PxVQOptionSetPtr m_optionSet;
    INT_PTR m_nObjects = 0;
};
