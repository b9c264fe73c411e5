#include "options/VqsTableOptionPage.h"

#include "options/VqsOptionsSheet.h"

VqsTableOptionPage::VqsTableOptionPage(VqsOptionsSheet* sheet, UINT dialogId, UINT captionId, int pageIndex)
    : VqsOptionPage(sheet, dialogId, captionId, pageIndex), m_table(&m_connector)
{
}

PxOptions& VqsTableOptionPage::Record() const { return *m_pSheet->GetOptions(); }

void VqsTableOptionPage::StoreOptions() { m_table.Store(Record()); }

BOOL VqsTableOptionPage::IsNotUpdated() { return m_table.IsNotUpdated(Record()); }

void VqsTableOptionPage::ClearOptions() { m_table.Clear(Record()); }

void VqsTableOptionPage::LoadOptions()
{
    m_table.Load(Record());
    AdjustLoadedValues();
    EnableDependentControls();
    UpdateData(FALSE);
}

void VqsTableOptionPage::AdjustLoadedValues() {}

void VqsTableOptionPage::EnableDependentControls() {}

void VqsTableOptionPage::OnOptionTaken(UINT) {}

BOOL VqsTableOptionPage::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    if (VqsOptionTable::Row* row = m_table.FindChange(id, code)) {
        const BOOL taken = row->GetChange() == VqsOptionTable::Modify
                               ? BeginModify(nullptr, TRUE)
                               : OnOptionChanged(&row->Binder(), row->GetChange() == VqsOptionTable::Validate);
        if (taken) {
            const BOOL showNewValues = m_table.OnChangeTaken(*row, Record());
            OnOptionTaken(id);
            if (showNewValues)
                UpdateData(FALSE);
        }
    }
    return VqsOptionPage::OnCommand(wParam, lParam);
}
