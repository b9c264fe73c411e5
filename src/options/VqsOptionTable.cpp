#include "options/VqsOptionTable.h"

// A check box standing for the default state of another row's option; it has no option of
// its own.
class VqsOptionTable::DefaultBoxRow : public VqsOptionTable::Row {
public:
    DefaultBoxRow(VqsDialogCtrlConnector* connector, UINT id, Row& valueRow, BOOL keepDefaultText)
        : Row(id, Validate), m_binder(connector, id), m_valueRow(valueRow), m_bKeepDefaultText(keepDefaultText)
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
        else if (!m_bKeepDefaultText)
            m_valueRow.ShowOwnValue();
        m_valueRow.Binder().Enable(!m_binder.m_bValue);
    }

private:
    VqsOptCtrlFlag m_binder;
    Row& m_valueRow;
    BOOL m_bKeepDefaultText;
};

BOOL VqsOptionTable::Row::IsDefault(const PxOptions&) const { return FALSE; }

void VqsOptionTable::Row::ShowDefault(const PxOptions&) {}

void VqsOptionTable::Row::ShowOwnValue() {}

VqsOptCtrlFlag& VqsOptionTable::DefaultBox(UINT id, UINT valueId, BOOL keepDefaultText)
{
    return AddRow<DefaultBoxRow>(m_pConnector, id, *FindRow(valueId), keepDefaultText).Typed();
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

void VqsOptionTable::OnChangeTaken(Row& row, const PxOptions& record)
{
    if (auto* box = dynamic_cast<DefaultBoxRow*>(&row))
        box->React(record);
}

VqsOptionTable::Row* VqsOptionTable::FindRow(UINT id) const
{
    for (const auto& row : m_rows)
        if (row->Id() == id)
            return row.get();
    throw std::logic_error("an option table has no row for the value of a default box");
}
