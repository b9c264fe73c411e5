#include "options/VqsOptionTable.h"

// A check box standing for the default state of another row's option; it has no option of
// its own.
class VqsOptionTable::DefaultBoxRow : public VqsOptionTable::Row {
public:
    DefaultBoxRow(VqsDialogCtrlConnector* connector, UINT id, Row& valueRow, BOOL keepShownText)
        : Row(id, Validate), m_binder(connector, id), m_valueRow(valueRow), m_bKeepShownText(keepShownText)
    {
        valueRow.m_pDefaultBox = &m_binder;
    }

    VqsOptCtrlFlag& Typed() { return m_binder; }
    VqsOptCtrl& Binder() override { return m_binder; }
    BOOL IsChange(UINT id, int code) const override { return id == Id() && code == BN_CLICKED; }
    void Load(const PxOptions&) override {}
    void Store(PxOptions&) override {}
    void Clear(PxOptions&) override {}
    BOOL IsUpdated(const PxOptions&) const override { return FALSE; }

    void React(const PxOptions& record)
    {
        if (m_binder.m_bValue)
            m_valueRow.ShowDefault(record);
        else if (m_bKeepShownText)
            m_valueRow.KeepShownValue();
        else
            m_valueRow.ShowOwnValue();
        m_valueRow.Binder().Enable(!m_binder.m_bValue && !m_valueRow.Binder().IsNotAvailable());
    }

private:
    VqsOptCtrlFlag m_binder;
    Row& m_valueRow;
    BOOL m_bKeepShownText;
};

BOOL VqsOptionTable::Row::IsDefault(const PxOptions&) const { return FALSE; }

void VqsOptionTable::Row::ShowDefault(const PxOptions&) {}

void VqsOptionTable::Row::ShowOwnValue() {}

void VqsOptionTable::Row::KeepShownValue() {}

VqsOptCtrlFlag& VqsOptionTable::DefaultBox(UINT id, UINT valueId, BOOL keepShownText)
{
    return AddRow<DefaultBoxRow>(m_pConnector, id, *FindRow(valueId), keepShownText).Typed();
}

void VqsOptionTable::Load(const PxOptions& record)
{
    for (const auto& row : m_rows)
        row->Load(record);
}

void VqsOptionTable::Store(PxOptions& record)
{
    for (const auto& row : m_rows)
        row->Store(record);
}

void VqsOptionTable::Clear(PxOptions& record)
{
    for (const auto& row : m_rows)
        row->Clear(record);
}

BOOL VqsOptionTable::IsNotUpdated(const PxOptions& record) const
{
    for (const auto& row : m_rows)
        if (row->IsUpdated(record))
            return FALSE;
    return TRUE;
}

VqsOptionTable::Row* VqsOptionTable::FindChange(UINT id, int code) const
{
    for (const auto& row : m_rows)
        if (row->IsChange(id, code))
            return row.get();
    return nullptr;
}

BOOL VqsOptionTable::OnChangeTaken(Row& row, const PxOptions& record)
{
    auto* box = dynamic_cast<DefaultBoxRow*>(&row);
    if (!box)
        return FALSE;
    box->React(record);
    return TRUE;
}

VqsOptionTable::Row* VqsOptionTable::FindRow(UINT id) const
{
    for (const auto& row : m_rows)
        if (row->Id() == id)
            return row.get();
    throw std::logic_error("an option table has no row for the value of a default box");
}
