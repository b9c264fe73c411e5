// An option page whose options are the rows of its table (VqsOptionTable): the four option
// operations and the change handling of every bound control come from the table. A page
// adds its enabling rules (EnableDependentControls), its reactions to a taken change
// (OnOptionTaken) and whatever else differs, as ordinary code.
#pragma once

#include "options/VqsOptionPage.h"
#include "options/VqsOptionTable.h"

class VqsTableOptionPage : public VqsOptionPage {
public:
    VqsTableOptionPage(VqsOptionsSheet* sheet, UINT dialogId, UINT captionId, int pageIndex);

    // The table's options; derived pages that store more call these first.
    void StoreOptions() override;
    BOOL IsNotUpdated() override;
    void ClearOptions() override;
    // The table's values, AdjustLoadedValues, EnableDependentControls, UpdateData(FALSE).
    void LoadOptions() override;

protected:
    // What the page shows otherwise than the table loaded it.
    virtual void AdjustLoadedValues();
    // Enables the controls that depend on others' values; after every load.
    virtual void EnableDependentControls();
    // A change of the control `id` was taken (after the table's own reaction).
    virtual void OnOptionTaken(UINT id);

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    PxOptions& Record() const;

    VqsOptionTable m_table;
};
