#include "options_nt_unix/VqsOptionPageUnixPartition.h"

#include "options/VqsOptionsSheet.h"
#include "options_nt_unix/VqsNTUnixStorageOptions.h"
#include "proxy/PxTypedList.h"
#include "proxy/PxUnixOracleDBPartitionOptions.h"
#include "shell/VqsMsgBox.h"
#include "win/CDataExchange.h"

#include <algorithm>
#include <string>

namespace {

constexpr UINT IDS_ORACLE_PARTITIONS = 61960;
constexpr UINT IDS_OPTIONS_CHANGED = 61503;
constexpr UINT IDS_PARTITION_NAME = 61961;

constexpr UINT IDC_DATA_ITEM = 1887;
constexpr UINT IDC_MODIFY_COLUMN = 1888;
constexpr UINT IDC_LIST = 1889;
constexpr UINT IDC_ADD_COLUMN = 1918;
constexpr UINT IDC_DELETE_COLUMN = 1919;
constexpr UINT IDC_ADD_PARTITION = 1920;
constexpr UINT IDC_DELETE_PARTITION = 1921;
constexpr UINT IDC_LESS_THAN = 1923;
constexpr UINT IDC_NAME = 1924;
constexpr UINT IDC_COLUMN = 1947;

constexpr int kNameLength = 10;
constexpr int kBoundLength = 30;
constexpr int kColumnLength = 20;
constexpr int kNoValidator = 0;
constexpr COLORREF kDisabledBackground = RGB(192, 192, 192);

const char kCodes[] = {'T', 'A', 'O'};
const char kTypeLetters[] = {'N', 'L', 'E'};

bool IsComboChange(int code)
{
    return code == CBN_SELCHANGE || code == CBN_KILLFOCUS || code == CBN_EDITCHANGE || code == CBN_CLOSEUP;
}

CStringArray AsArray(const std::vector<CString>& items)
{
    CStringArray array;
    for (const CString& item : items)
        array.Add(item);
    return array;
}

void TakeFirst(std::vector<CString>& items, const CString& item)
{
    const auto found = std::find(items.begin(), items.end(), item);
    if (found != items.end())
        items.erase(found);
}

} // namespace

CString VqsPartitionDefn::SortKey() const
{
    CString key;
    for (const CString& bound : lessThan)
        key += bound;
    return key;
}

VqsOptionPageUnixPartitionBase::VqsOptionPageUnixPartitionBase(VqsOptionsSheet* sheet, UINT dialogId, int pageIndex,
                                                               RadioFactory structure, RadioFactory type,
                                                               std::vector<UINT> structureIds,
                                                               std::vector<UINT> typeIds)
    : VqsOptionPage(sheet, dialogId, IDS_ORACLE_PARTITIONS, pageIndex), m_pStructureRadio(structure(&m_connector)),
      m_pTypeRadio(type(&m_connector)), m_structureIds(std::move(structureIds)), m_typeIds(std::move(typeIds)),
      m_name(&m_connector, IDC_NAME, kNameLength, kNoValidator),
      m_lessThan(&m_connector, IDC_LESS_THAN, kBoundLength, kNoValidator),
      m_modifyColumn(&m_connector, IDC_MODIFY_COLUMN, kNoValidator),
      m_dataItem(&m_connector, IDC_DATA_ITEM, kNoValidator), m_deleteColumn(&m_connector, IDC_COLUMN, kNoValidator)
{
    m_modifyColumn.SetTextLimit(kColumnLength);
    m_dataItem.SetTextLimit(kColumnLength);
    m_deleteColumn.SetTextLimit(kColumnLength);
}

VqsOptionPageUnixPartitionBase::~VqsOptionPageUnixPartitionBase() = default;

void VqsOptionPageUnixPartitionBase::DoDataExchange(CDataExchange* pDX)
{
    VqsOptionPage::DoDataExchange(pDX);
    if (!m_list.m_hWnd)
        DDX_Control(pDX, IDC_LIST, m_list);
}

PxVQOptionsPtr VqsOptionPageUnixPartitionBase::OwnOptions() const { return PxVQOptionsPtr(m_pSheet->GetOptions()); }

char VqsOptionPageUnixPartitionBase::Code() const { return kCodes[m_nStructure]; }

CString VqsOptionPageUnixPartitionBase::DataItemOffered() const
{
    return m_available.empty() ? CString() : m_available.front();
}

CString VqsOptionPageUnixPartitionBase::ColumnOffered() const
{
    return m_nColumns ? m_columns[m_nColumns - 1] : m_columns[0];
}

void VqsOptionPageUnixPartitionBase::EmptyPage()
{
    DeleteRowsAndHeader();
    m_columns.fill(CString());
    m_nColumns = 0;
    m_definitions.clear();
    m_pSelected = nullptr;
}

void VqsOptionPageUnixPartitionBase::LoadOptions()
{
    if (!m_bLoadedOnce) {
        EmptyPage();
        m_allDataItems = GatherDataItems();
        m_available = m_allDataItems;
        m_dataItem.SetItems(AsArray(m_available));
        m_dataItem.SetValue(DataItemOffered());
        if (!m_bListTaken && m_list.m_hWnd) {
            CRect rect;
            m_list.GetClientRect(&rect);
            m_nListWidth = rect.Width();
            m_listBackground = m_list.GetBkColor();
            m_bListTaken = TRUE;
        }
    }
    LoadPartitionType();
    m_bLoadedOnce = TRUE;
}

void VqsOptionPageUnixPartitionBase::LoadPartitionType()
{
    DeleteRowsAndHeader();
    switch (GetStoredType(m_nStructure)) {
    case 'E':
        m_pTypeRadio->m_nValue = TypeExplicit;
        break;
    case 'L':
        m_pTypeRadio->m_nValue = TypeLocal;
        break;
    case 'N':
        m_pTypeRadio->m_nValue = TypeNone;
        break;
    default:
        break;
    }
    ApplyTypeRules();
    LoadDefinitions();
    UpdateData(FALSE);
}

void VqsOptionPageUnixPartitionBase::LoadDefinitions()
{
    if (m_pTypeRadio->m_nValue == TypeExplicit)
        LoadExplicitDefinitions();
    else if (m_pTypeRadio->m_nValue != TypeLocal || !LoadLocalDefinitions())
        DisableDefinitions();
}

std::vector<int> VqsOptionPageUnixPartitionBase::ReadColumns()
{
    m_available = m_allDataItems;
    m_columns.fill(CString());
    m_nColumns = 0;
    std::vector<int> slots;
    for (int slot = 0; slot < kMaxColumns; ++slot) {
        const CString column = GetStoredColumn(m_nStructure, slot);
        if (column.IsEmpty())
            continue;
        m_columns[m_nColumns++] = column;
        slots.push_back(slot);
        TakeFirst(m_available, column);
    }
    return slots;
}

void VqsOptionPageUnixPartitionBase::ReadDefinitions(const PxVQOptionsPtr& owner, const std::vector<int>& slots)
{
    m_definitions.clear();
    m_pSelected = nullptr;
    if (!owner)
        return;
    PxTypedList<PxVQOptionsPtr> records;
    owner->GetListOfSubOptions(records);
    for (POSITION pos = records.GetHeadPosition(); pos;) {
        const PxUnixOracleDBPartitionOptionsPtr record(records.GetNext(pos));
        const CString name = record ? record->GetName() : CString();
        if (name.IsEmpty() || name[0] != Code())
            continue;
        auto definition = std::make_unique<VqsPartitionDefn>();
        definition->name = name.Mid(1);
        for (std::size_t i = 0; i < slots.size(); ++i)
            definition->lessThan[i] = record->GetLessThanValue(slots[i]);
        m_definitions.push_back(std::move(definition));
    }
}

void VqsOptionPageUnixPartitionBase::OfferColumnChoices()
{
    const std::vector<CString> columns(m_columns.begin(), m_columns.begin() + m_nColumns);
    m_modifyColumn.SetItems(AsArray(columns));
    m_modifyColumn.SetValue("");
    m_deleteColumn.SetItems(AsArray(columns));
    m_deleteColumn.SetValue(ColumnOffered());
    m_dataItem.SetItems(AsArray(m_available));
    m_dataItem.SetValue(DataItemOffered());
}

// The definitions of the explicit partitioning as stored.
void VqsOptionPageUnixPartitionBase::LoadExplicitDefinitions()
{
    const std::vector<int> slots = ReadColumns();
    OfferColumnChoices();
    ReadDefinitions(OwnOptions(), slots);
    ShowListAndControls();
}

// The list of definitions and the controls that edit them, once the definitions are read.
void VqsOptionPageUnixPartitionBase::ShowListAndControls()
{
    InitListColumns();
    FillList();
    m_modifyColumn.SetValue("");
    m_lessThan.SetValue("");
    m_modifyColumn.Enable(FALSE);
    m_lessThan.Enable(FALSE);
    const BOOL choices = !AreColumnChoicesShownOnly();
    m_dataItem.Enable(choices);
    m_deleteColumn.Enable(choices);
    m_name.Enable(TRUE);
    if (m_list.m_hWnd)
        m_list.SetBkColor(m_listBackground);
}

void VqsOptionPageUnixPartitionBase::DisableDefinitions()
{
    for (VqsOptCtrlString* text : {&m_name, &m_lessThan}) {
        text->SetValue("");
        text->Enable(FALSE);
    }
    for (VqsOptCtrlCombo* combo : {&m_modifyColumn, &m_dataItem, &m_deleteColumn}) {
        combo->SetValue("");
        combo->Enable(FALSE);
    }
    if (m_list.m_hWnd)
        m_list.SetBkColor(kDisabledBackground);
}

void VqsOptionPageUnixPartitionBase::DeleteRowsAndHeader()
{
    if (!m_list.m_hWnd)
        return;
    m_list.DeleteAllItems();
    for (; m_nHeaderColumns > 0; --m_nHeaderColumns)
        m_list.DeleteColumn(m_nHeaderColumns - 1);
    m_pSelected = nullptr;
}

void VqsOptionPageUnixPartitionBase::InitListColumns()
{
    if (!m_list.m_hWnd)
        return;
    const int width = m_nListWidth / (std::min(m_nColumns, 4) + 1);
    CString title;
    title.LoadString(IDS_PARTITION_NAME);
    m_list.InsertColumn(0, title, LVCFMT_LEFT, width);
    for (int i = 1; i <= m_nColumns; ++i)
        m_list.InsertColumn(i, m_columns[i - 1], LVCFMT_LEFT, width, i);
    m_nHeaderColumns = m_nColumns + 1;
}

void VqsOptionPageUnixPartitionBase::SortDefinitions()
{
    const BOOL ascending = m_bSortAscending;
    std::stable_sort(m_definitions.begin(), m_definitions.end(), [ascending](const auto& a, const auto& b) {
        const std::string keyA = static_cast<const char*>(a->SortKey());
        const std::string keyB = static_cast<const char*>(b->SortKey());
        return ascending ? keyA < keyB : keyB < keyA;
    });
}

// The list shows the definitions from the tail (top) to the head; the top row ends selected.
void VqsOptionPageUnixPartitionBase::FillList()
{
    if (!m_list.m_hWnd)
        return;
    m_list.DeleteAllItems();
    m_pSelected = nullptr;
    SortDefinitions();
    for (const auto& definition : m_definitions) {
        const int row = m_list.InsertItem(LVIF_TEXT | LVIF_PARAM, 0, definition->name, 0, 0, 0,
                                          reinterpret_cast<LPARAM>(definition.get()));
        for (int i = 1; i <= m_nColumns; ++i)
            m_list.SetItemText(row, i, definition->lessThan[i - 1]);
        m_list.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        m_list.EnsureVisible(row, FALSE);
        ShowSelectedDefinition();
    }
}

void VqsOptionPageUnixPartitionBase::ShowSelectedDefinition()
{
    const int row = m_list.m_hWnd ? m_list.GetNextItem(-1, LVNI_SELECTED) : -1;
    if (row < 0) {
        m_pSelected = nullptr;
        m_lessThan.SetValue("");
        m_modifyColumn.SetValue("");
        m_lessThan.Enable(FALSE);
        m_modifyColumn.Enable(FALSE);
        UpdateData(FALSE);
        return;
    }
    m_pSelected = reinterpret_cast<VqsPartitionDefn*>(m_list.GetItemData(row));
    m_modifyColumn.SetValue(m_columns[0]);
    m_lessThan.SetValue(m_pSelected ? m_pSelected->lessThan[0] : CString());
    const BOOL editable = m_pTypeRadio->m_nValue != TypeLocal;
    m_modifyColumn.Enable(editable);
    m_lessThan.Enable(editable);
    UpdateData(FALSE);
    if (editable)
        if (CWnd* edit = GetDlgItem(IDC_LESS_THAN))
            GotoDlgCtrl(edit);
}

int VqsOptionPageUnixPartitionBase::FindDefinitionItem(const VqsPartitionDefn* definition) const
{
    if (!definition || !m_list.m_hWnd)
        return -1;
    for (int row = 0; row < m_list.GetItemCount(); ++row)
        if (reinterpret_cast<const VqsPartitionDefn*>(m_list.GetItemData(row)) == definition)
            return row;
    return -1;
}

int VqsOptionPageUnixPartitionBase::FindColumnSlot(const CString& column) const
{
    for (int slot = 0; slot < kMaxColumns; ++slot)
        if (m_columns[slot] == column)
            return slot;
    return -1;
}

void VqsOptionPageUnixPartitionBase::StoreOptions()
{
    if (m_bAtDefaults)
        ClearStoredType(m_nStructure);
    else
        SetStoredType(m_nStructure, kTypeLetters[m_pTypeRadio->m_nValue]);
    for (int slot = kMaxColumns - 1; slot >= 0; --slot)
        SetStoredColumn(m_nStructure, slot, m_columns[slot]);
    const PxVQOptionsPtr options = OwnOptions();
    PxTypedList<PxVQOptionsPtr> records;
    options->GetListOfSubOptions(records);
    for (POSITION pos = records.GetHeadPosition(); pos;) {
        const PxVQOptionsPtr record = records.GetNext(pos);
        const CString name = record ? record->GetName() : CString();
        if (name.IsEmpty() || name[0] != Code())
            continue;
        const CString partition = name.Mid(1);
        const bool kept = std::any_of(m_definitions.begin(), m_definitions.end(),
                                      [&](const auto& definition) { return definition->name == partition; });
        if (!kept)
            record->RecursiveDeleteObject();
    }
    for (const auto& definition : m_definitions) {
        const CString name = CString(Code()) + definition->name;
        PxVQOptionsPtr record = options->GetSubOptions(name);
        if (!record)
            record = options->CreateSubOptions(name);
        const PxUnixOracleDBPartitionOptionsPtr partition(record);
        for (int i = 0; i < kMaxColumns; ++i)
            partition->SetLessThanValue(i, definition->lessThan[i]);
    }
    AfterStore();
}

// Nothing of the element's partitioning, in any structure, is the record's own: an element is
// never taken for being at its defaults while one of its structures is partitioned.
BOOL VqsOptionPageUnixPartitionBase::IsNotUpdated()
{
    return !vqsntunix::HoldsOwnPartitioning(*m_pSheet->GetOptions());
}

void VqsOptionPageUnixPartitionBase::ClearOptions()
{
    EmptyPage();
    StoreOptions();
}

BOOL VqsOptionPageUnixPartitionBase::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    const auto isOneOf = [id](const std::vector<UINT>& ids) {
        return std::find(ids.begin(), ids.end(), id) != ids.end();
    };
    if (code == BN_CLICKED && isOneOf(m_structureIds))
        OnStructureChanged();
    else if (code == BN_CLICKED && isOneOf(m_typeIds))
        OnPartitionTypeChanged();
    else if (id == IDC_NAME && code == EN_CHANGE)
        OnOptionChanged(&m_name, TRUE);
    else if (id == IDC_DATA_ITEM && IsComboChange(code))
        OnOptionChanged(&m_dataItem, TRUE);
    else if (id == IDC_COLUMN && IsComboChange(code))
        OnOptionChanged(&m_deleteColumn, TRUE);
    else if (id == IDC_MODIFY_COLUMN && IsComboChange(code))
        OnModifyColumnChanged();
    else if (id == IDC_LESS_THAN && code == EN_CHANGE)
        OnLessThanValueChanged();
    else if (id == IDC_ADD_COLUMN && code == BN_CLICKED)
        OnAddColumn();
    else if (id == IDC_DELETE_COLUMN && code == BN_CLICKED)
        OnDeleteColumn();
    else if (id == IDC_ADD_PARTITION && code == BN_CLICKED)
        OnAddPartition();
    else if (id == IDC_DELETE_PARTITION && code == BN_CLICKED)
        OnDeletePartition();
    return VqsOptionPage::OnCommand(wParam, lParam);
}

BOOL VqsOptionPageUnixPartitionBase::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header && header->idFrom == IDC_LIST) {
        if (header->code == LVN_COLUMNCLICK) {
            OnColumnClick();
            *result = 0;
            return TRUE;
        }
        if (header->code == LVN_ITEMCHANGED) {
            OnItemChanged(*reinterpret_cast<const NMLISTVIEW*>(lParam));
            *result = 0;
            return TRUE;
        }
    }
    return VqsOptionPage::OnNotify(wParam, lParam, result);
}

void VqsOptionPageUnixPartitionBase::OnItemChanged(const NMLISTVIEW& change)
{
    if ((change.uChanged & LVIF_STATE) && ((change.uNewState ^ change.uOldState) & LVIS_SELECTED))
        ShowSelectedDefinition();
}

void VqsOptionPageUnixPartitionBase::OnColumnClick()
{
    m_bSortAscending = !m_bSortAscending;
    FillList();
}

// Choosing a structure is no edit: pending edits are saved to the structure shown (Yes) or
// dropped (No); when saving fails the page stays where it is, edits kept.
void VqsOptionPageUnixPartitionBase::OnStructureChanged()
{
    PageState before(this);
    if (!OnOptionChanged(m_pStructureRadio.get(), TRUE))
        return;
    before.Restore();
    const int chosen = m_pStructureRadio->m_nValue;
    if (chosen == m_nStructure)
        return;
    if (m_bModified && VqsQuestionBoxId(IDS_OPTIONS_CHANGED) && !m_pSheet->ApplyNow()) {
        m_pStructureRadio->m_nValue = m_nStructure;
        m_pStructureRadio->SaveState();
        UpdateData(FALSE);
        return;
    }
    m_nStructure = chosen;
    try {
        ReloadPage();
        m_pSheet->SetPageStateImage(m_nPageIndex, m_bAtDefaults, m_bModified);
    } catch (const VqReportableException& error) {
        m_pSheet->ReportError(error);
    }
}

void VqsOptionPageUnixPartitionBase::OnPartitionTypeChanged()
{
    if (!OnOptionChanged(m_pTypeRadio.get(), TRUE))
        return;
    EmptyPage();
    LoadDefinitions();
    UpdateData(FALSE);
}

void VqsOptionPageUnixPartitionBase::OnModifyColumnChanged()
{
    if (!OnOptionChanged(&m_modifyColumn, TRUE) || !m_pSelected)
        return;
    const int slot = FindColumnSlot(m_modifyColumn.GetValue());
    if (slot >= 0)
        m_lessThan.SetValue(m_pSelected->lessThan[slot]);
    UpdateData(FALSE);
    if (CWnd* edit = GetDlgItem(IDC_LESS_THAN))
        GotoDlgCtrl(edit);
}

void VqsOptionPageUnixPartitionBase::OnLessThanValueChanged()
{
    if (!OnOptionChanged(&m_lessThan, TRUE) || !m_pSelected)
        return;
    const int slot = FindColumnSlot(m_modifyColumn.GetValue());
    const int row = FindDefinitionItem(m_pSelected);
    if (slot >= 0) {
        m_pSelected->lessThan[slot] = m_lessThan.GetValue();
        if (row >= 0)
            m_list.SetItemText(row, slot + 1, m_pSelected->lessThan[slot]);
    }
    if (row >= 0)
        m_list.EnsureVisible(row, FALSE);
}

void VqsOptionPageUnixPartitionBase::OnAddColumn()
{
    if (m_pTypeRadio->m_nValue != TypeExplicit)
        return;
    const CString item = m_dataItem.GetValue();
    if (item.IsEmpty() || m_nColumns >= kMaxColumns)
        return;
    DeleteRowsAndHeader();
    m_columns[m_nColumns++] = item;
    TakeFirst(m_available, item);
    OfferColumnChoices();
    InitListColumns();
    FillList();
    if (BeginModify(nullptr, TRUE))
        UpdateData(FALSE);
}

void VqsOptionPageUnixPartitionBase::OnDeleteColumn()
{
    if (m_pTypeRadio->m_nValue != TypeExplicit || m_nColumns == 0)
        return;
    const CString column = m_deleteColumn.GetValue();
    const int deleted = column.IsEmpty() ? -1 : FindColumnSlot(column);
    if (deleted < 0 || deleted >= m_nColumns)
        return;
    DeleteRowsAndHeader();
    m_available.push_back(m_columns[deleted]);
    --m_nColumns;
    for (int slot = deleted; slot < m_nColumns; ++slot)
        m_columns[slot] = m_columns[slot + 1];
    m_columns[m_nColumns].Empty();
    for (const auto& definition : m_definitions) {
        for (int slot = deleted; slot < m_nColumns; ++slot)
            definition->lessThan[slot] = definition->lessThan[slot + 1];
        definition->lessThan[m_nColumns].Empty();
    }
    OfferColumnChoices();
    InitListColumns();
    FillList();
    if (BeginModify(nullptr, TRUE))
        UpdateData(FALSE);
}

// A name already on the page is refused: both partitions would be written to one record.
void VqsOptionPageUnixPartitionBase::OnAddPartition()
{
    if (m_pTypeRadio->m_nValue != TypeExplicit)
        return;
    const CString name = m_name.GetValue();
    if (name.IsEmpty())
        return;
    if (std::any_of(m_definitions.begin(), m_definitions.end(),
                    [&](const auto& definition) { return definition->name == name; }))
        return;
    auto definition = std::make_unique<VqsPartitionDefn>();
    definition->name = name;
    VqsPartitionDefn* added = definition.get();
    m_definitions.push_back(std::move(definition));
    m_name.SetValue("");
    if (m_list.m_hWnd) {
        const int row =
            m_list.InsertItem(LVIF_TEXT | LVIF_PARAM, 0, added->name, 0, 0, 0, reinterpret_cast<LPARAM>(added));
        m_list.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        m_list.EnsureVisible(row, FALSE);
    }
    ShowSelectedDefinition();
    BeginModify(nullptr, TRUE);
}

void VqsOptionPageUnixPartitionBase::OnDeletePartition()
{
    if (m_pTypeRadio->m_nValue != TypeExplicit || !m_pSelected)
        return;
    VqsPartitionDefn* deleted = m_pSelected;
    m_pSelected = nullptr;
    const int row = FindDefinitionItem(deleted);
    if (row >= 0)
        m_list.DeleteItem(row);
    std::erase_if(m_definitions, [deleted](const auto& definition) { return definition.get() == deleted; });
    m_lessThan.Enable(FALSE);
    m_modifyColumn.Enable(FALSE);
    if (BeginModify(nullptr, TRUE))
        UpdateData(FALSE);
}
