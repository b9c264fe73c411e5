// The option-set list of the system frame: the option sets and generate sets of the
// configuration selected in the tree. This pane keeps the configuration it is given and
// lists nothing yet; its rows, lock states and commands come with the option-set list.
#pragma once

#include "proxy/PxVQConfig.h"
#include "proxy/PxVQOptionSet.h"
#include "shell/VqsListView.h"

class VqsOptionSetView : public VqsListView {
public:
    int CompareListItems(VqsListItem* a, VqsListItem* b) override;
    VqsListItem* ItemFromData(LPARAM itemData) override;
    CString GetColumnText(VqsListItem* item, int column) override;
    int GetItemImage(VqsListItem* item) override;
    void Refresh(VqsModel* model) override;
    int GetColumnCount() override;
    CString GetFindTitle() override;

    // The configuration whose option sets the list shows.
    void SetConfig(const PxVQConfigPtr& config);
    PxVQConfigPtr GetConfig() const { return m_config; }
    // Reads the option sets of the configuration again.
    void RefreshOptionSets();
    // The first selected option set, else the first one; null when the list is empty.
    PxVQOptionSetPtr GetSelectedOptionSet();

private:
    PxVQConfigPtr m_config;
};
