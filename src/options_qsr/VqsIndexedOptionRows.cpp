#include "options_qsr/VqsIndexedOptionRows.h"

#include <algorithm>
#include <utility>

namespace vqsindexedrows {

BOOL IsEditChange(int code) { return code == EN_CHANGE; }
BOOL IsButtonChange(int code) { return code == BN_CLICKED; }
BOOL IsComboChange(int code)
{
    return code == CBN_EDITCHANGE || code == CBN_SELCHANGE || code == CBN_KILLFOCUS || code == CBN_CLOSEUP;
}

} // namespace vqsindexedrows

void VqsIndexedOptionRows::Route(VqsOptCtrl& binder, VqsOptionTable::Change change, std::vector<UINT> ids)
{
    BOOL (*isChange)(int) = &vqsindexedrows::IsButtonChange;
    if (dynamic_cast<VqsOptCtrlString*>(&binder) || dynamic_cast<VqsOptCtrlInt*>(&binder))
        isChange = &vqsindexedrows::IsEditChange;
    else if (dynamic_cast<VqsOptCtrlCombo*>(&binder))
        isChange = &vqsindexedrows::IsComboChange;
    m_rows.push_back(Row{std::move(ids), &binder, change, isChange, {}, {}, {}, {}});
}

void VqsIndexedOptionRows::Load(const PxOptions& record)
{
    for (const Row& row : m_rows)
        if (row.load)
            row.load(record);
}

void VqsIndexedOptionRows::Store(PxOptions& record)
{
    for (const Row& row : m_rows)
        if (row.store)
            row.store(record);
}

void VqsIndexedOptionRows::Clear(PxOptions& record)
{
    for (const Row& row : m_rows)
        if (row.clear)
            row.clear(record);
}

BOOL VqsIndexedOptionRows::IsNotUpdated(const PxOptions& record) const
{
    return std::none_of(m_rows.begin(), m_rows.end(),
                        [&](const Row& row) { return row.isUpdated && row.isUpdated(record); });
}

BOOL VqsIndexedOptionRows::Take(VqsOptionPage& page, UINT id, int code) const
{
    for (const Row& row : m_rows) {
        if (std::find(row.ids.begin(), row.ids.end(), id) == row.ids.end() || !row.isChange(code))
            continue;
        if (row.change == VqsOptionTable::Modify)
            return page.BeginModify(nullptr, TRUE);
        return page.OnOptionChanged(row.binder, row.change == VqsOptionTable::Validate);
    }
    return FALSE;
}
