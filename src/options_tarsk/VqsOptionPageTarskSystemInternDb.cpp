#include "options_tarsk/VqsOptionPageTarskSystemInternDb.h"

#include "options/VqsEnterprisePackNames.h"
#include "options/VqsLimitDigits.h"
#include "options_tarsk/VqsOptionsBSegTarskSheet.h"
#include "proxy/PxLSEBusinessSegment.h"
#include "proxy/PxLSEEnterprise.h"
#include "proxy/PxVQBSSoftLink.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsSysApp.h"
#include "win/CDataExchange.h"

#include <cstdlib>

using namespace vqstarsk;

namespace {

constexpr UINT IDS_INTERNAL_FOLN = 61568;
constexpr UINT IDS_ENTER_VALID_PACK = 61573;

constexpr int IDC_INTERNAL_TABLES = 32987;
constexpr int IDC_GLIMMERDESK_TABLES = 32988;
constexpr int IDC_GRID = 32989;
constexpr int IDC_TABLE_NAME = 32990;
constexpr int IDC_QUB_NUMBER = 32991;
constexpr int IDC_NO_QUB = 32992;
constexpr int IDC_PACK = 32993;
constexpr int IDC_PACK_DEFAULT = 32994;
constexpr int IDC_DUPLEX_PACK = 32995;
constexpr int IDC_DUPLEX_DEFAULT = 32996;
constexpr int IDC_NO_DUPLEX = 32997;
constexpr int IDC_PAGE_SIZE = 32998;
constexpr int IDC_PAGE_SIZE_DEFAULT = 32999;
constexpr int IDC_EXPECTED_NUMBER = 33000;
constexpr int IDC_MAX_PAGES_CHOICE = 33001;
constexpr int IDC_POPULATION = 33002;
constexpr int IDC_MAX_PAGES = 33003;
constexpr int IDC_INITIAL_RESERVE = 33004;
constexpr int IDC_LOAD_FACTOR = 33005;
constexpr int IDC_AUDITED_DEFAULT = 33006;
constexpr int IDC_KEEP_ASSIGNED_DEFAULT = 33007;
constexpr int IDC_COMPRESSION = 33008;
constexpr int IDC_AUDITED = 33009;
constexpr int IDC_KEEP_ASSIGNED = 33010;
constexpr int IDC_RECORD_LOCKING = 33011;
constexpr int IDC_PAGE_LOCKING = 33012;
constexpr int IDC_DATA_PAGE_FACTOR = 32910;
constexpr int IDC_INDEX_PAGE_FACTOR = 32911;
constexpr int IDC_MERGE_FACTOR = 32913;

constexpr int kNoValidation = 0;
constexpr int kRequiredPackName = 3;
constexpr int kTableNameLength = 6;
constexpr std::int64_t kLeastMaxPages = 8;
constexpr const char* kMaxPagesTooSmall = "Please enter an integer greater than or equal to 8.";

struct Column {
    const char* heading;
    int widthDivisor;
    int format;
};
constexpr Column kColumns[kColumnCount] = {
    {"Table", 10, LVCFMT_LEFT},        {"QUB Number", 10, LVCFMT_RIGHT}, {"Population", 10, LVCFMT_RIGHT},
    {"Max Pages", 10, LVCFMT_RIGHT},   {"Page Size", 15, LVCFMT_RIGHT},  {"Reserve", 15, LVCFMT_RIGHT},
    {"Load Factor", 15, LVCFMT_RIGHT}, {"Locking", 10, LVCFMT_LEFT},     {"Audited", 20, LVCFMT_CENTER},
    {"Keep Asg", 20, LVCFMT_CENTER},   {"DPF", 15, LVCFMT_RIGHT},        {"IPF", 15, LVCFMT_RIGHT},
    {"MF", 15, LVCFMT_RIGHT},          {"Compression", 15, LVCFMT_LEFT}, {"Pack", 4, LVCFMT_LEFT},
    {"Duplex Pack", 4, LVCFMT_LEFT},
};

char FlagLetter(int value) { return value == 1 ? 'Y' : value == 2 ? 'N' : 'D'; }
PxEnumBSAudited FlagValue(char letter)
{
    return static_cast<PxEnumBSAudited>(letter == 'D' ? 0 : letter == 'Y' ? 1 : 2);
}

CString Decimal(std::int64_t value) { return CString(std::to_string(value)); }

bool IsGlimmerdesk(int slot) { return slot >= kFirstGlimmerdeskSlot; }
int GlimmerdeskIndex(int slot) { return slot - kFirstGlimmerdeskSlot; }

// An enabled pack combo whose text is blank, before the binder's own checks.
BOOL IsPackMissing(CWnd& page, int id)
{
    CWnd* combo = page.GetDlgItem(id);
    if (!combo || !combo->IsWindowEnabled())
        return FALSE;
    CString text;
    combo->GetWindowText(text);
    text.TrimLeft();
    return text.IsEmpty();
}

} // namespace

BEGIN_MESSAGE_MAP(VqsOptionPageTarskSystemInternDb, VqsOptionPage)
    ON_EN_CHANGE(IDC_POPULATION, &VqsOptionPageTarskSystemInternDb::OnPopulationChanged)
    ON_EN_CHANGE(IDC_MAX_PAGES, &VqsOptionPageTarskSystemInternDb::OnMaxPagesChanged)
    ON_EN_CHANGE(IDC_INITIAL_RESERVE, &VqsOptionPageTarskSystemInternDb::OnInitialReserveChanged)
    ON_EN_CHANGE(IDC_LOAD_FACTOR, &VqsOptionPageTarskSystemInternDb::OnLoadFactorChanged)
    ON_EN_CHANGE(IDC_DATA_PAGE_FACTOR, &VqsOptionPageTarskSystemInternDb::OnDataPageFactorChanged)
    ON_EN_CHANGE(IDC_INDEX_PAGE_FACTOR, &VqsOptionPageTarskSystemInternDb::OnIndexPageFactorChanged)
    ON_EN_CHANGE(IDC_MERGE_FACTOR, &VqsOptionPageTarskSystemInternDb::OnMergeFactorChanged)
    ON_EN_CHANGE(IDC_QUB_NUMBER, &VqsOptionPageTarskSystemInternDb::OnQubChanged)
    ON_BN_CLICKED(IDC_NO_QUB, &VqsOptionPageTarskSystemInternDb::OnNoQub)
    ON_CBN_EDITCHANGE(IDC_PACK, &VqsOptionPageTarskSystemInternDb::OnPackChanged)
    ON_CBN_SELCHANGE(IDC_PACK, &VqsOptionPageTarskSystemInternDb::OnPackChanged)
    ON_CBN_KILLFOCUS(IDC_PACK, &VqsOptionPageTarskSystemInternDb::OnPackChanged)
    ON_CBN_CLOSEUP(IDC_PACK, &VqsOptionPageTarskSystemInternDb::OnPackChanged)
    ON_CBN_EDITCHANGE(IDC_DUPLEX_PACK, &VqsOptionPageTarskSystemInternDb::OnDuplexChanged)
    ON_CBN_SELCHANGE(IDC_DUPLEX_PACK, &VqsOptionPageTarskSystemInternDb::OnDuplexChanged)
    ON_CBN_KILLFOCUS(IDC_DUPLEX_PACK, &VqsOptionPageTarskSystemInternDb::OnDuplexChanged)
    ON_CBN_CLOSEUP(IDC_DUPLEX_PACK, &VqsOptionPageTarskSystemInternDb::OnDuplexChanged)
    ON_BN_CLICKED(IDC_PACK_DEFAULT, &VqsOptionPageTarskSystemInternDb::OnPackDefault)
    ON_BN_CLICKED(IDC_DUPLEX_DEFAULT, &VqsOptionPageTarskSystemInternDb::OnDuplexDefault)
    ON_BN_CLICKED(IDC_NO_DUPLEX, &VqsOptionPageTarskSystemInternDb::OnNoDuplex)
    ON_CBN_EDITCHANGE(IDC_PAGE_SIZE, &VqsOptionPageTarskSystemInternDb::OnPageSizeChanged)
    ON_CBN_SELCHANGE(IDC_PAGE_SIZE, &VqsOptionPageTarskSystemInternDb::OnPageSizeChanged)
    ON_CBN_KILLFOCUS(IDC_PAGE_SIZE, &VqsOptionPageTarskSystemInternDb::OnPageSizeChanged)
    ON_CBN_CLOSEUP(IDC_PAGE_SIZE, &VqsOptionPageTarskSystemInternDb::OnPageSizeChanged)
    ON_BN_CLICKED(IDC_PAGE_SIZE_DEFAULT, &VqsOptionPageTarskSystemInternDb::OnPageSizeDefault)
    ON_BN_CLICKED(IDC_AUDITED, &VqsOptionPageTarskSystemInternDb::OnAudited)
    ON_BN_CLICKED(IDC_AUDITED_DEFAULT, &VqsOptionPageTarskSystemInternDb::OnAuditedDefault)
    ON_BN_CLICKED(IDC_KEEP_ASSIGNED, &VqsOptionPageTarskSystemInternDb::OnKeepAssigned)
    ON_BN_CLICKED(IDC_KEEP_ASSIGNED_DEFAULT, &VqsOptionPageTarskSystemInternDb::OnKeepAssignedDefault)
    ON_BN_CLICKED(IDC_COMPRESSION, &VqsOptionPageTarskSystemInternDb::OnCompression)
    ON_BN_CLICKED(IDC_EXPECTED_NUMBER, &VqsOptionPageTarskSystemInternDb::OnSizingChanged)
    ON_BN_CLICKED(IDC_MAX_PAGES_CHOICE, &VqsOptionPageTarskSystemInternDb::OnSizingChanged)
    ON_BN_CLICKED(IDC_RECORD_LOCKING, &VqsOptionPageTarskSystemInternDb::OnLockingChanged)
    ON_BN_CLICKED(IDC_PAGE_LOCKING, &VqsOptionPageTarskSystemInternDb::OnLockingChanged)
    ON_BN_CLICKED(IDC_INTERNAL_TABLES, &VqsOptionPageTarskSystemInternDb::OnCategoryChanged)
    ON_BN_CLICKED(IDC_GLIMMERDESK_TABLES, &VqsOptionPageTarskSystemInternDb::OnCategoryChanged)
    ON_NOTIFY(NM_CLICK, IDC_GRID, &VqsOptionPageTarskSystemInternDb::OnTableClick)
END_MESSAGE_MAP()

VqsOptionPageTarskSystemInternDb::VqsOptionPageTarskSystemInternDb(VqsOptions_BSeg_Tarsk_Sheet* sheet,
                                                                   UINT dialogId, int pageIndex)
    : VqsOptionPage(sheet, dialogId, IDS_INTERNAL_FOLN, pageIndex), m_pTarskSheet(sheet),
      m_packDefault(&m_connector, IDC_PACK_DEFAULT), m_duplexDefault(&m_connector, IDC_DUPLEX_DEFAULT),
      m_noDuplex(&m_connector, IDC_NO_DUPLEX), m_noQub(&m_connector, IDC_NO_QUB),
      m_audited(&m_connector, IDC_AUDITED), m_pageSizeDefault(&m_connector, IDC_PAGE_SIZE_DEFAULT),
      m_auditedDefault(&m_connector, IDC_AUDITED_DEFAULT),
      m_keepAssignedDefault(&m_connector, IDC_KEEP_ASSIGNED_DEFAULT), m_keepAssigned(&m_connector, IDC_KEEP_ASSIGNED),
      m_compression(&m_connector, IDC_COMPRESSION),
      m_categoryRadio(&m_connector, IDC_INTERNAL_TABLES, IDC_GLIMMERDESK_TABLES),
      m_tableName(&m_connector, IDC_TABLE_NAME, kTableNameLength, kNoValidation),
      m_pack(&m_connector, IDC_PACK, kRequiredPackName), m_qubNumber(&m_connector, IDC_QUB_NUMBER),
      m_duplexPack(&m_connector, IDC_DUPLEX_PACK, kRequiredPackName),
      m_pageSize(&m_connector, IDC_PAGE_SIZE, kNoValidation),
      m_sizing(&m_connector, IDC_EXPECTED_NUMBER, IDC_MAX_PAGES_CHOICE), m_population(&m_connector, IDC_POPULATION),
      m_maxPages(&m_connector, IDC_MAX_PAGES), m_initialReserve(&m_connector, IDC_INITIAL_RESERVE),
      m_loadFactor(&m_connector, IDC_LOAD_FACTOR), m_locking(&m_connector, IDC_RECORD_LOCKING, IDC_PAGE_LOCKING),
      m_dataPageFactor(&m_connector, IDC_DATA_PAGE_FACTOR), m_indexPageFactor(&m_connector, IDC_INDEX_PAGE_FACTOR),
      m_mergeFactor(&m_connector, IDC_MERGE_FACTOR), m_grid(this)
{
    const PxTarskBSegOptionsPtr& options = sheet->GetTarskOptions();
    m_pack.SetTextLimit(static_cast<int>(options->GetMaxLengthDBPack()));
    m_duplexPack.SetTextLimit(static_cast<int>(options->GetMaxLengthDefaultDuplexPack()));
    const NumberBounds<PxTarskBSegOptions> bounds[] = {
        {m_qubNumber, &PxTarskBSegOptions::HasLowerLimitsysTableQub2, &PxTarskBSegOptions::HasUpperLimitsysTableQub2},
        {m_population, &PxTarskBSegOptions::HasLowerLimitSysTablePopulation,
         &PxTarskBSegOptions::HasUpperLimitSysTablePopulation},
        {m_maxPages, &PxTarskBSegOptions::HasLowerLimitsysMaxPages, &PxTarskBSegOptions::HasUpperLimitsysMaxPages},
        {m_initialReserve, &PxTarskBSegOptions::HasLowerLimitsysTableInitialReserve,
         &PxTarskBSegOptions::HasUpperLimitsysTableInitialReserve},
        {m_loadFactor, &PxTarskBSegOptions::HasLowerLimitsysTableLoadFactor,
         &PxTarskBSegOptions::HasUpperLimitsysTableLoadFactor},
        {m_dataPageFactor, &PxTarskBSegOptions::HasLowerLimitsysTableDataPageFactor,
         &PxTarskBSegOptions::HasUpperLimitsysTableDataPageFactor},
        {m_indexPageFactor, &PxTarskBSegOptions::HasLowerLimitsysTableIndexPageFactor,
         &PxTarskBSegOptions::HasUpperLimitsysTableIndexPageFactor},
        {m_mergeFactor, &PxTarskBSegOptions::HasLowerLimitsysTableMergeFactor,
         &PxTarskBSegOptions::HasUpperLimitsysTableMergeFactor},
    };
    ApplyBounds(*options, bounds);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        m_rows[slot] = InitialValues();
        m_defaults[slot] = BuiltInDefaults(slot);
    }
}

BOOL VqsOptionPageTarskSystemInternDb::IsPCECapable() const { return m_pTarskSheet->GetPCEcap(); }

ShownPacks VqsOptionPageTarskSystemInternDb::CurrentPacks() const
{
    return {m_pTarskSheet->GetPacksPagePack(), m_pTarskSheet->GetEnvPageValue()};
}

BOOL VqsOptionPageTarskSystemInternDb::IsCellChanged(int slot, int column) const
{
    return slot >= 0 && slot < kSlotCount && vqstarsk::IsCellChanged(m_rows[slot], m_defaults[slot], column);
}

void VqsOptionPageTarskSystemInternDb::DoDataExchange(CDataExchange* pDX)
{
    if (!m_grid.m_hWnd)
        DDX_Control(pDX, IDC_GRID, m_grid);
    if (pDX->m_bSaveAndValidate && m_connector.IsStrict()) {
        for (int id : {IDC_PACK, IDC_DUPLEX_PACK}) {
            if (IsPackMissing(*this, id)) {
                VqsErrorBoxId(IDS_ENTER_VALID_PACK);
                pDX->PrepareCtrl(id);
                pDX->Fail();
            }
        }
    }
    if (pDX->m_bSaveAndValidate && m_connector.IsStrict() && m_maxPages.IsEnabled() &&
        m_maxPages.GetValue() < kLeastMaxPages) {
        VqsErrorBox(kMaxPagesTooSmall);
        pDX->PrepareEditCtrl(IDC_MAX_PAGES);
        pDX->Fail();
    }
    VqsOptionPage::DoDataExchange(pDX);
}

BOOL VqsOptionPageTarskSystemInternDb::OnInitDialog()
{
    for (const char* size : kPageSizes)
        SendDlgItemMessage(IDC_PAGE_SIZE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(size));
    VqsOptionPage::OnInitDialog();
    const struct {
        int id;
        int characters;
    } limits[] = {{IDC_QUB_NUMBER, 6},      {IDC_POPULATION, 10},       {IDC_MAX_PAGES, 10},
                  {IDC_INITIAL_RESERVE, 3}, {IDC_LOAD_FACTOR, 3},       {IDC_DATA_PAGE_FACTOR, 3},
                  {IDC_INDEX_PAGE_FACTOR, 3}, {IDC_MERGE_FACTOR, 2}};
    for (const auto& limit : limits)
        SendDlgItemMessage(limit.id, EM_LIMITTEXT, static_cast<WPARAM>(limit.characters), 0);
    return TRUE;
}

void VqsOptionPageTarskSystemInternDb::InsertColumns()
{
    CRect client;
    m_grid.GetClientRect(&client);
    const int width = client.Width();
    for (int column = 0; column < kColumnCount; ++column)
        m_grid.InsertColumn(column, kColumns[column].heading, kColumns[column].format,
                            width / kColumns[column].widthDivisor, column == 0 ? -1 : column);
    m_bColumnsInserted = TRUE;
}

void VqsOptionPageTarskSystemInternDb::FillPackNames()
{
    const CStringArray names = VqsEnterprisePackNames();
    m_pack.SetItems(names);
    m_duplexPack.SetItems(names);
}

void VqsOptionPageTarskSystemInternDb::ReadRow(int slot)
{
    const PxTarskBSegOptions& options = *m_pTarskSheet->GetTarskOptions();
    Row& row = m_rows[slot];
    row.pageSize = options.IsDefaultsysTablePageSize(slot) ? 0 : SnappedPageSize(options.GetsysTablePageSize(slot));
    row.compression = options.GetBSCompression(slot);
    row.qubNumber = options.GetsysTableQub2(slot);
    row.maxPages = options.GetsysMaxPages(slot);
    row.initialReserve = options.GetsysTableInitialReserve(slot);
    row.loadFactor = options.GetsysTableLoadFactor(slot);
    row.dataPageFactor = options.GetsysTableDataPageFactor(slot);
    row.indexPageFactor = options.GetsysTableIndexPageFactor(slot);
    row.mergeFactor = options.GetsysTableMergeFactor(slot);
    row.audited = FlagLetter(options.GetBSAudited(slot));
    row.keepAssigned = FlagLetter(options.GetBSKeepAssigned(slot));
    row.pageLevelLocking = options.GetBSPageLevelLocking(slot);
    row.maxPagesSpecified = options.GetBSMaxPagesSpecified(slot);
    if (IsGlimmerdesk(slot)) {
        const int index = GlimmerdeskIndex(slot);
        row.population = options.IsDefaultPCETablePopulation(index) ? 0 : options.GetPCETablePopulation(index);
        row.pack = options.IsDefaultPCETablePack(index) ? CString(kDefaultPack) : options.GetPCETablePack(index);
        row.duplexPack = options.IsDefaultPCETableDuplexPack(index) ? CString(kDefaultPack)
                         : row.qubNumber                              ? options.GetPCETableDuplexPack(index)
                                                                      : CString();
    } else {
        row.population = options.IsDefaultSysTablePopulation(slot) ? 0 : options.GetSysTablePopulation(slot);
        row.pack = options.IsDefaultSysTablePack(slot) ? CString(kDefaultPack) : options.GetSysTablePack(slot);
        row.duplexPack = options.IsDefaultSysTableDuplexPack(slot) ? CString(kDefaultPack)
                         : row.qubNumber                             ? options.GetSysTableDuplexPack(slot)
                                                                     : CString();
    }
}

void VqsOptionPageTarskSystemInternDb::LoadOptions()
{
    m_category = InternalTables;
    m_nCurrentItem = 0;
    if (CWnd* glimmerdesk = GetDlgItem(IDC_GLIMMERDESK_TABLES))
        glimmerdesk->EnableWindow(IsPCECapable());
    FillPackNames();
    for (int slot = 0; slot < kSlotCount; ++slot)
        if (slot != kEventSlot)
            ReadRow(slot);
    if (m_pTarskSheet->GetAllQUBduplex())
        DuplexEveryQubTable();
    if (!m_bColumnsInserted)
        InsertColumns();
    ShowCategory(InternalTables);
}

void VqsOptionPageTarskSystemInternDb::ShowCategory(Category category)
{
    m_category = category;
    m_categoryRadio.m_nValue = category;
    m_nCurrentItem = 0;
    m_tableName.SetValue(TableName(GetCurrentTableSlot()));
    ShowTableRow(GetCurrentTableSlot());
    m_grid.DeleteAllItems();
    for (int item = 0; item < ItemCount(category); ++item) {
        const int slot = SlotOfItem(category, item);
        m_grid.InsertItem(item, TableName(slot));
        FillRowText(slot, item);
    }
    m_grid.SetItemState(m_nCurrentItem, LVIS_SELECTED, LVIS_SELECTED);
    UpdateData(FALSE);
}

void VqsOptionPageTarskSystemInternDb::FillRowText(int slot, int item)
{
    const ShownPacks packs = CurrentPacks();
    for (int column = 1; column < kColumnCount; ++column)
        m_grid.SetItemText(item, column, CellText(m_rows[slot], m_defaults[slot], column, packs));
}

void VqsOptionPageTarskSystemInternDb::RefreshCurrentRow() { FillRowText(GetCurrentTableSlot(), m_nCurrentItem); }

void VqsOptionPageTarskSystemInternDb::RowChanged()
{
    RefreshCurrentRow();
    UpdateData(FALSE);
}

void VqsOptionPageTarskSystemInternDb::ShowTableRow(int slot)
{
    const Row& row = m_rows[slot];
    const Row& defaults = m_defaults[slot];
    m_compression.m_bValue = row.compression;
    m_qubNumber.SetValue(row.qubNumber);
    m_maxPages.SetValue(row.maxPages);
    m_initialReserve.SetValue(row.initialReserve);
    m_loadFactor.SetValue(row.loadFactor);
    m_dataPageFactor.SetValue(row.dataPageFactor);
    m_indexPageFactor.SetValue(row.indexPageFactor);
    m_mergeFactor.SetValue(row.mergeFactor);
    m_pageSize.SetValue(Decimal(row.pageSize ? row.pageSize : defaults.pageSize));
    m_population.SetValue(row.population ? row.population : defaults.population);

    m_auditedDefault.m_bValue = row.audited == 'D';
    if (!m_auditedDefault.m_bValue)
        m_audited.m_bValue = row.audited == 'Y';
    else if (const PxLSEBusinessSegmentPtr segment = DesignSegment())
        m_audited.m_bValue = segment->GetProductionSystem() ? TRUE : FALSE;
    m_keepAssignedDefault.m_bValue = row.keepAssigned == 'D';
    m_keepAssigned.m_bValue = m_keepAssignedDefault.m_bValue ? m_pTarskSheet->GetKeepAssigned() : row.keepAssigned == 'Y';

    m_noQub.m_bValue = row.qubNumber == 0;
    m_pageSizeDefault.m_bValue = row.pageSize == 0;
    m_locking.m_nValue = row.pageLevelLocking == 1 ? 1 : 0;
    m_sizing.m_nValue = row.maxPagesSpecified ? 1 : 0;

    m_packDefault.m_bValue = row.pack == kDefaultPack;
    m_pack.SetValue(m_packDefault.m_bValue ? m_pTarskSheet->GetPacksPagePack() : row.pack);

    const CString environmentDuplex = m_pTarskSheet->GetEnvPageValue();
    m_duplexDefault.m_bValue = row.duplexPack == kDefaultPack && row.qubNumber != 0;
    if (m_duplexDefault.m_bValue) {
        m_duplexPack.SetValue(environmentDuplex);
        if (environmentDuplex.IsEmpty())
            m_duplexDefault.m_bValue = FALSE;
    } else {
        m_duplexPack.SetValue(row.qubNumber == 0 ? CString() : row.duplexPack);
    }
    m_noDuplex.m_bValue = m_duplexPack.GetValue().IsEmpty() && row.qubNumber != 0;
    EnableDuplexControls();

    m_pack.Enable(!m_packDefault.m_bValue);
    m_pageSize.Enable(!m_pageSizeDefault.m_bValue);
    m_qubNumber.Enable(!m_noQub.m_bValue);
    m_keepAssigned.Enable(!m_keepAssignedDefault.m_bValue);
    m_keepAssignedDefault.Enable(m_keepAssignedDefault.m_bValue);
    m_audited.Enable(!m_auditedDefault.m_bValue);
    m_auditedDefault.Enable(m_auditedDefault.m_bValue);
    m_maxPages.Enable(m_sizing.m_nValue == 1);
    m_population.Enable(m_sizing.m_nValue == 0);
}

void VqsOptionPageTarskSystemInternDb::EnableDuplexControls()
{
    const BOOL hasQub = m_qubNumber.GetValue() != 0;
    m_duplexDefault.Enable(hasQub && !m_duplexPack.GetValue().IsEmpty() && !m_pTarskSheet->GetEnvPageValue().IsEmpty());
    m_noDuplex.Enable(hasQub && !m_pTarskSheet->GetAllQUBduplex());
    m_duplexPack.Enable(hasQub && !m_duplexDefault.m_bValue && !m_noDuplex.m_bValue);
}

PxLSEBusinessSegmentPtr VqsOptionPageTarskSystemInternDb::DesignSegment() const
{
    VqsSysApp* app = VqsGetApp();
    const PxLSEEnterprisePtr enterprise = app ? app->GetLSEEnterprise() : PxLSEEnterprisePtr();
    const PxVQBSSoftLinkPtr link(m_pTarskSheet->GetTarskOptions()->GetSoftLink());
    return enterprise && link ? enterprise->GetBusinessSegment(link->GetName()) : PxLSEBusinessSegmentPtr();
}

void VqsOptionPageTarskSystemInternDb::NumberChanged(VqsOptCtrlInt& edit, std::int64_t Row::*field)
{
    if (!Taken(edit))
        return;
    CurrentRow().*field = edit.GetValue();
    RowChanged();
}

void VqsOptionPageTarskSystemInternDb::OnQubChanged()
{
    if (!Taken(m_qubNumber))
        return;
    const BOOL hasQub = m_qubNumber.GetValue() != 0;
    m_duplexPack.Enable(hasQub && !m_duplexDefault.m_bValue && !m_noDuplex.m_bValue);
    m_duplexDefault.Enable(!m_pTarskSheet->GetEnvPageValue().IsEmpty() && hasQub && !m_noDuplex.m_bValue);
    if (hasQub && m_pTarskSheet->GetAllQUBduplex()) {
        m_noDuplex.m_bValue = FALSE;
        m_noDuplex.Enable(FALSE);
    } else if (hasQub) {
        m_noDuplex.Enable(TRUE);
    }
    CurrentRow().qubNumber = m_qubNumber.GetValue();
    RowChanged();
}

void VqsOptionPageTarskSystemInternDb::OnNoQub()
{
    if (!Taken(m_noQub))
        return;
    if (m_noQub.m_bValue) {
        m_qubNumber.SetValue(0);
        m_qubNumber.Enable(FALSE);
        m_duplexDefault.m_bValue = FALSE;
        m_duplexDefault.Enable(FALSE);
        m_duplexPack.SetValue("");
        m_duplexPack.Enable(FALSE);
        m_noDuplex.m_bValue = TRUE;
        m_noDuplex.Enable(FALSE);
    } else {
        const BOOL allDuplex = m_pTarskSheet->GetAllQUBduplex();
        m_noDuplex.m_bValue = !allDuplex;
        m_noDuplex.Enable(!allDuplex);
        m_qubNumber.Enable(TRUE);
        const BOOL hasQub = m_qubNumber.GetValue() != 0;
        m_duplexDefault.Enable(!m_pTarskSheet->GetEnvPageValue().IsEmpty() && hasQub);
        m_duplexPack.Enable(hasQub);
    }
    CurrentRow().duplexPack = m_duplexPack.GetValue();
    CurrentRow().qubNumber = m_qubNumber.GetValue();
    RowChanged();
}

void VqsOptionPageTarskSystemInternDb::OnPackChanged()
{
    if (!Taken(m_pack))
        return;
    CurrentRow().pack = m_pack.GetValue();
    RowChanged();
}

void VqsOptionPageTarskSystemInternDb::OnDuplexChanged()
{
    if (!Taken(m_duplexPack))
        return;
    CurrentRow().duplexPack = m_duplexPack.GetValue();
    RowChanged();
}

void VqsOptionPageTarskSystemInternDb::OnPackDefault()
{
    if (!Taken(m_packDefault))
        return;
    if (m_packDefault.m_bValue) {
        m_pack.SetValue(m_pTarskSheet->GetPacksPagePack());
        CurrentRow().pack = kDefaultPack;
    } else {
        CurrentRow().pack = m_pack.GetValue();
    }
    m_pack.Enable(!m_packDefault.m_bValue);
    RowChanged();
}

void VqsOptionPageTarskSystemInternDb::OnDuplexDefault()
{
    if (!Taken(m_duplexDefault))
        return;
    if (m_duplexDefault.m_bValue) {
        m_duplexPack.SetValue(m_pTarskSheet->GetEnvPageValue());
        CurrentRow().duplexPack = kDefaultPack;
    } else {
        CurrentRow().duplexPack = m_duplexPack.GetValue();
    }
    m_duplexPack.Enable(!m_duplexDefault.m_bValue);
    RowChanged();
}

void VqsOptionPageTarskSystemInternDb::OnNoDuplex()
{
    if (!Taken(m_noDuplex))
        return;
    if (m_noDuplex.m_bValue) {
        m_duplexPack.SetValue("");
        m_duplexDefault.m_bValue = FALSE;
        m_duplexDefault.Enable(FALSE);
        m_duplexPack.Enable(FALSE);
    } else {
        m_duplexDefault.Enable(!m_pTarskSheet->GetEnvPageValue().IsEmpty());
        m_duplexPack.Enable(TRUE);
    }
    CurrentRow().duplexPack = m_duplexPack.GetValue();
    RowChanged();
}

void VqsOptionPageTarskSystemInternDb::OnPageSizeChanged()
{
    if (!Taken(m_pageSize))
        return;
    if (m_pageSize.GetValue() == "0") {
        m_pageSizeDefault.m_bValue = TRUE;
        m_pageSizeDefault.Enable(TRUE);
        m_pageSize.Enable(FALSE);
    }
    CurrentRow().pageSize = std::atoll(m_pageSize.GetValue());
    RowChanged();
}

void VqsOptionPageTarskSystemInternDb::OnPageSizeDefault()
{
    if (!Taken(m_pageSizeDefault))
        return;
    if (m_pageSizeDefault.m_bValue) {
        m_pageSize.SetValue(Decimal(m_defaults[GetCurrentTableSlot()].pageSize));
        CurrentRow().pageSize = 0;
    } else {
        CurrentRow().pageSize = std::atoll(m_pageSize.GetValue());
    }
    m_pageSize.Enable(!m_pageSizeDefault.m_bValue);
    RowChanged();
}

void VqsOptionPageTarskSystemInternDb::OnAudited()
{
    if (!Taken(m_audited))
        return;
    if (m_audited.m_bValue)
        m_auditedDefault.m_bValue = FALSE;
    m_auditedDefault.Enable(!m_audited.m_bValue);
    CurrentRow().audited = m_audited.m_bValue ? 'Y' : 'N';
    RowChanged();
}

void VqsOptionPageTarskSystemInternDb::OnAuditedDefault()
{
    if (!Taken(m_auditedDefault))
        return;
    if (m_auditedDefault.m_bValue) {
        if (const PxLSEBusinessSegmentPtr segment = DesignSegment())
            m_audited.m_bValue = segment->GetProductionSystem() ? TRUE : FALSE;
        CurrentRow().audited = 'D';
    } else {
        CurrentRow().audited = m_audited.m_bValue ? 'Y' : 'N';
    }
    m_audited.Enable(!m_auditedDefault.m_bValue);
    RowChanged();
}

void VqsOptionPageTarskSystemInternDb::OnKeepAssigned()
{
    if (!Taken(m_keepAssigned))
        return;
    if (m_keepAssigned.m_bValue)
        m_keepAssignedDefault.m_bValue = FALSE;
    m_keepAssignedDefault.Enable(!m_keepAssigned.m_bValue);
    CurrentRow().keepAssigned = m_keepAssigned.m_bValue ? 'Y' : 'N';
    RowChanged();
}

void VqsOptionPageTarskSystemInternDb::OnKeepAssignedDefault()
{
    if (!Taken(m_keepAssignedDefault))
        return;
    if (m_keepAssignedDefault.m_bValue) {
        m_keepAssigned.m_bValue = m_pTarskSheet->GetTarskOptions()->GetKeepAssigned();
        CurrentRow().keepAssigned = 'D';
    } else {
        CurrentRow().keepAssigned = m_keepAssigned.m_bValue ? 'Y' : 'N';
    }
    m_keepAssigned.Enable(!m_keepAssignedDefault.m_bValue);
    RowChanged();
}

void VqsOptionPageTarskSystemInternDb::OnCompression()
{
    if (!Taken(m_compression))
        return;
    CurrentRow().compression = m_compression.m_bValue;
    RowChanged();
}

void VqsOptionPageTarskSystemInternDb::OnSizingChanged()
{
    if (!Taken(m_sizing))
        return;
    const BOOL byMaxPages = m_sizing.m_nValue == 1;
    m_maxPages.Enable(byMaxPages);
    m_population.Enable(!byMaxPages);
    if (!byMaxPages && m_maxPages.GetValue() < kLeastMaxPages)
        m_maxPages.SetValue(0);
    CurrentRow().maxPages = m_maxPages.GetValue();
    CurrentRow().maxPagesSpecified = byMaxPages;
    RowChanged();
}

void VqsOptionPageTarskSystemInternDb::OnLockingChanged()
{
    if (!Taken(m_locking))
        return;
    CurrentRow().pageLevelLocking = m_locking.m_nValue == 1;
    RowChanged();
}

BOOL VqsOptionPageTarskSystemInternDb::TakeCurrentRow()
{
    const VqsDialogCtrlConnector::StrictControl strict = m_connector.MakeStrict();
    if (UpdateData(TRUE))
        return TRUE;
    m_tableName.SetValue(TableName(GetCurrentTableSlot()));
    m_grid.SetItemState(m_nCurrentItem, LVIS_SELECTED, LVIS_SELECTED);
    return FALSE;
}

void VqsOptionPageTarskSystemInternDb::OnTableClick(NMHDR* /*header*/, LRESULT* result)
{
    *result = 0;
    if (!TakeCurrentRow()) {
        UpdateData(FALSE);
        return;
    }
    const int selected = m_grid.GetNextItem(-1, LVNI_SELECTED);
    const int item = selected < 0 ? 0 : selected;
    m_tableName.SetValue(m_grid.GetItemText(item, 0));
    ShowTableRow(GetTableSlotOfItem(item));
    m_nCurrentItem = item;
    UpdateData(FALSE);
}

void VqsOptionPageTarskSystemInternDb::OnCategoryChanged()
{
    if (!Taken(m_categoryRadio))
        return;
    const Category chosen = m_categoryRadio.m_nValue == 1 ? GlimmerdeskTables : InternalTables;
    if (!TakeCurrentRow()) {
        m_categoryRadio.m_nValue = m_category;
        UpdateData(FALSE);
        return;
    }
    ShowCategory(chosen);
}

void VqsOptionPageTarskSystemInternDb::ApplyDatabasePack(const CString& pack)
{
    if (!m_hWnd)
        return;
    for (int item = 0; item < ItemCount(m_category); ++item)
        if (m_rows[GetTableSlotOfItem(item)].pack == kDefaultPack)
            m_grid.SetItemText(item, 14, pack);
    ShowTableRow(GetCurrentTableSlot());
    UpdateData(FALSE);
}

void VqsOptionPageTarskSystemInternDb::ApplyDuplexPack(const CString& pack)
{
    if (!m_hWnd)
        return;
    for (int item = 0; item < ItemCount(m_category); ++item) {
        Row& row = m_rows[GetTableSlotOfItem(item)];
        if (row.duplexPack != kDefaultPack)
            continue;
        if (pack.IsEmpty())
            row.duplexPack.Empty();
        m_grid.SetItemText(item, 15, row.qubNumber ? pack : CString());
    }
    ShowTableRow(GetCurrentTableSlot());
    UpdateData(FALSE);
}

void VqsOptionPageTarskSystemInternDb::OnAllQUBduplexChanged(BOOL checked)
{
    if (!m_hWnd || !checked)
        return;
    DuplexEveryQubTable();
    ApplyDuplexPack(m_pTarskSheet->GetEnvPageValue());
}

void VqsOptionPageTarskSystemInternDb::DuplexEveryQubTable()
{
    for (Row& row : m_rows)
        if (row.qubNumber != 0 && row.duplexPack.IsEmpty())
            row.duplexPack = kDefaultPack;
}

void VqsOptionPageTarskSystemInternDb::RefillTableGrid(BOOL capable)
{
    if (!m_hWnd)
        return;
    if (CWnd* glimmerdesk = GetDlgItem(IDC_GLIMMERDESK_TABLES))
        glimmerdesk->EnableWindow(capable);
    if (!capable)
        ShowCategory(InternalTables);
}

void VqsOptionPageTarskSystemInternDb::WriteRow(int slot)
{
    PxTarskBSegOptions& options = *m_pTarskSheet->GetTarskOptions();
    const Row& row = m_rows[slot];
    if (row.qubNumber == 0)
        options.MakeDefaultsysTableQub2(slot);
    else
        options.SetsysTableQub2(slot, row.qubNumber);
    if (row.pageSize == 0)
        options.MakeDefaultsysTablePageSize(slot);
    else
        options.SetsysTablePageSize(slot, row.pageSize);
    options.SetBSCompression(slot, row.compression);
    options.SetsysTableIndexPageFactor(slot, row.indexPageFactor);
    options.SetsysTableDataPageFactor(slot, row.dataPageFactor);
    options.SetsysTableInitialReserve(slot, row.initialReserve);
    options.SetsysTableMergeFactor(slot, row.mergeFactor);
    options.SetsysTableLoadFactor(slot, row.loadFactor);
    options.SetBSMaxPagesSpecified(slot, row.maxPagesSpecified);
    options.SetBSPageLevelLocking(slot, row.pageLevelLocking);
    options.SetsysMaxPages(slot, row.maxPages);
    if (IsGlimmerdesk(slot)) {
        const int index = GlimmerdeskIndex(slot);
        row.population == 0 ? options.MakeDefaultPCETablePopulation(index)
                            : options.SetPCETablePopulation(index, row.population);
        row.pack == kDefaultPack ? options.MakeDefaultPCETablePack(index) : options.SetPCETablePack(index, row.pack);
        row.duplexPack == kDefaultPack ? options.MakeDefaultPCETableDuplexPack(index)
                                       : options.SetPCETableDuplexPack(index, row.duplexPack);
    } else {
        row.population == 0 ? options.MakeDefaultSysTablePopulation(slot)
                            : options.SetSysTablePopulation(slot, row.population);
        row.pack == kDefaultPack ? options.MakeDefaultSysTablePack(slot) : options.SetSysTablePack(slot, row.pack);
        row.duplexPack == kDefaultPack ? options.MakeDefaultSysTableDuplexPack(slot)
                                       : options.SetSysTableDuplexPack(slot, row.duplexPack);
    }
    options.SetBSAudited(slot, FlagValue(row.audited));
    options.SetBSKeepAssigned(slot, FlagValue(row.keepAssigned));
}

void VqsOptionPageTarskSystemInternDb::StoreOptions()
{
    const BOOL capable = IsPCECapable();
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (slot == kEventSlot)
            continue;
        if (IsGlimmerdesk(slot) && !capable)
            return;
        WriteRow(slot);
    }
}

void VqsOptionPageTarskSystemInternDb::ClearOptions()
{
    PxTarskBSegOptions& options = *m_pTarskSheet->GetTarskOptions();
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (slot == kEventSlot)
            continue;
        options.ClearBSMaxPagesSpecified(slot);
        options.ClearBSCompression(slot);
        options.ClearBSPageLevelLocking(slot);
        options.ClearsysTableQub2(slot);
        options.ClearsysTablePageSize(slot);
        options.ClearsysMaxPages(slot);
        options.ClearsysTableInitialReserve(slot);
        options.ClearsysTableLoadFactor(slot);
        options.ClearsysTableDataPageFactor(slot);
        options.ClearsysTableIndexPageFactor(slot);
        options.ClearsysTableMergeFactor(slot);
        options.ClearBSAudited(slot);
        options.ClearBSKeepAssigned(slot);
        if (IsGlimmerdesk(slot)) {
            const int index = GlimmerdeskIndex(slot);
            options.ClearPCETablePopulation(index);
            options.ClearPCETableDuplexPack(index);
            options.ClearPCETablePack(index);
        } else {
            options.ClearSysTablePopulation(slot);
            options.ClearSysTableDuplexPack(slot);
            options.ClearSysTablePack(slot);
        }
    }
}

BOOL VqsOptionPageTarskSystemInternDb::IsNotUpdated()
{
    const PxTarskBSegOptions& options = *m_pTarskSheet->GetTarskOptions();
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (slot == kEventSlot)
            continue;
        const bool tableUpdated =
            options.IsUpdatedBSMaxPagesSpecified(slot) || options.IsUpdatedBSCompression(slot) ||
            options.IsUpdatedBSPageLevelLocking(slot) || options.IsUpdatedsysTableQub2(slot) ||
            options.IsUpdatedsysTablePageSize(slot) || options.IsUpdatedsysMaxPages(slot) ||
            options.IsUpdatedsysTableInitialReserve(slot) || options.IsUpdatedsysTableLoadFactor(slot) ||
            options.IsUpdatedsysTableDataPageFactor(slot) || options.IsUpdatedsysTableIndexPageFactor(slot) ||
            options.IsUpdatedsysTableMergeFactor(slot) || options.IsUpdatedBSAudited(slot) ||
            options.IsUpdatedBSKeepAssigned(slot);
        const bool packsUpdated =
            IsGlimmerdesk(slot) ? options.IsUpdatedPCETablePopulation(GlimmerdeskIndex(slot)) ||
                                      options.IsUpdatedPCETableDuplexPack(GlimmerdeskIndex(slot)) ||
                                      options.IsUpdatedPCETablePack(GlimmerdeskIndex(slot))
                                : options.IsUpdatedSysTablePopulation(slot) ||
                                      options.IsUpdatedSysTableDuplexPack(slot) || options.IsUpdatedSysTablePack(slot);
        if (tableUpdated || packsUpdated)
            return FALSE;
    }
    return TRUE;
}
