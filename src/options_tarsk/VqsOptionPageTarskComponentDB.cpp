#include "options_tarsk/VqsOptionPageTarskComponentDB.h"

#include "options_tarsk/VqsOptionsElementTarskSheets.h"
#include "win/CDataExchange.h"
#include "win/Messages.h"

namespace {

constexpr UINT IDS_FOLN = 61569;

constexpr UINT IDC_EXPECTED_SIZING = 32896;
constexpr UINT IDC_MAX_PAGES_SIZING = 32897;
constexpr UINT IDC_EXPECTED = 32898;
constexpr UINT IDC_MAX_PAGES = 32899;
constexpr UINT IDC_INITIAL_RESERVE = 32900;
constexpr UINT IDC_LOAD_FACTOR = 32901;
constexpr UINT IDC_COMPRESSION = 32904;
constexpr UINT IDC_RECORD_LOCKING = 32907;
constexpr UINT IDC_PAGE_LOCKING = 32908;
constexpr UINT IDC_DATA_PAGE_FACTOR = 32910;
constexpr UINT IDC_INDEX_PAGE_FACTOR = 32911;
constexpr UINT IDC_MERGE_FACTOR = 32913;
constexpr UINT IDC_REVERT_LAYOUT = 33084;

constexpr VqsTarskDbControls kControls = {32887, 32888, 32889, 32890, 32891, 32892, 32893,
                                          32894, 32895, 32905, 32902, 32906, 32903};

constexpr int kExpectedSizing = 0;
constexpr int kMaxPagesSizing = 1;
constexpr std::int64_t kLeastMaxPages = 8;
// What an expected number of 0 is stored as.
constexpr std::int64_t kExpectedWhenNone = 100;

} // namespace

VqsOptionPageTarskComponentDB::VqsOptionPageTarskComponentDB(VqsOptions_Component_Tarsk_Sheet* sheet, UINT dialogId,
                                                             int pageIndex)
    : VqsOptionPageTarskElementDb(sheet, *sheet, dialogId, IDS_FOLN, pageIndex, kControls, FALSE),
      m_pTypedSheet(sheet), m_expected(&m_connector, IDC_EXPECTED),
      m_sizing(m_table.Radio(VQS_OPTION(PxTarskCompOptions, CompMaxPagesSpecify), IDC_EXPECTED_SIZING,
                             IDC_MAX_PAGES_SIZING)),
      m_maxPages(m_table.Number(IDC_MAX_PAGES, VQS_NUMBER_OPTION(PxTarskCompOptions, CompMaxPages),
                                VqsOptionTable::Validate))
{
    m_table.Number(IDC_INITIAL_RESERVE, VQS_NUMBER_OPTION(PxTarskCompOptions, CompInitialReserve),
                   VqsOptionTable::Validate);
    m_table.Number(IDC_LOAD_FACTOR, VQS_NUMBER_OPTION(PxTarskCompOptions, CompLoadFactor), VqsOptionTable::Validate);
    m_table.Number(IDC_DATA_PAGE_FACTOR, VQS_NUMBER_OPTION(PxTarskCompOptions, CompDataPageFactor),
                   VqsOptionTable::Validate);
    m_table.Number(IDC_INDEX_PAGE_FACTOR, VQS_NUMBER_OPTION(PxTarskCompOptions, CompIndexPageFactor),
                   VqsOptionTable::Validate);
    m_table.Number(IDC_MERGE_FACTOR, VQS_NUMBER_OPTION(PxTarskCompOptions, CompMergeFactor),
                   VqsOptionTable::Validate);
    m_table.Flag(IDC_COMPRESSION, VQS_OPTION(PxTarskCompOptions, CompCompression));
    m_table.Flag(IDC_REVERT_LAYOUT, VQS_OPTION(PxTarskCompOptions, CompRevertStdLayout));
    m_table.Radio(VQS_OPTION(PxTarskCompOptions, CompPageLevelLocking), IDC_RECORD_LOCKING, IDC_PAGE_LOCKING);

    const PxTarskCompOptions& options = Options();
    SetBounds(m_qubNumber, options, &PxTarskCompOptions::HasLowerLimitWEXQUBno,
              &PxTarskCompOptions::HasUpperLimitWEXQUBno);
    SetBounds(m_expected, options, &PxCompOptions::HasLowerLimitExpected, &PxCompOptions::HasUpperLimitExpected);
    m_pack.SetTextLimit(static_cast<int>(options.GetMaxLengthCompPack()));
    m_duplexPack.SetTextLimit(static_cast<int>(options.GetMaxLengthQUBDuplexPack()));
}

PxTarskCompOptions& VqsOptionPageTarskComponentDB::Options() const { return *m_pTypedSheet->GetTarskOptions(); }

BOOL VqsOptionPageTarskComponentDB::OnInitDialog()
{
    VqsOptionPageTarskElementDb::OnInitDialog();
    const struct {
        UINT id;
        int characters;
    } limits[] = {{IDC_EXPECTED, 10},          {IDC_MAX_PAGES, 10},         {IDC_INITIAL_RESERVE, 3},
                  {IDC_LOAD_FACTOR, 3},        {IDC_DATA_PAGE_FACTOR, 3},   {IDC_INDEX_PAGE_FACTOR, 3},
                  {IDC_MERGE_FACTOR, 2}};
    for (const auto& limit : limits)
        LimitText(limit.id, limit.characters);
    return TRUE;
}

void VqsOptionPageTarskComponentDB::DoDataExchange(CDataExchange* pDX)
{
    VqsOptionPageTarskElementDb::DoDataExchange(pDX);
    if (pDX->m_bSaveAndValidate && m_connector.IsStrict())
        RequireAtLeast(pDX, m_maxPages, IDC_MAX_PAGES, kLeastMaxPages);
}

VqsTarskDbPlacement VqsOptionPageTarskComponentDB::ReadPlacement() const
{
    const PxTarskCompOptions& options = Options();
    VqsTarskDbPlacement stored;
    stored.qubNumber = options.GetWEXQUBno();
    stored.noQub = options.IsDefaultWEXQUBno();
    stored.packDefault = options.IsDefaultCompPack();
    stored.pack = options.GetCompPack();
    stored.duplexDefault = options.IsDefaultQUBDuplexPack();
    stored.duplexPack = options.GetQUBDuplexPack();
    stored.pageSize = options.GetMinPageSize();
    stored.pageSizeDefault = options.IsDefaultMinPageSize();
    stored.audited = static_cast<int>(options.GetCompAudited());
    stored.keepAssigned = static_cast<int>(options.GetCompKeepAssigned());
    return stored;
}

void VqsOptionPageTarskComponentDB::WritePlacement(const VqsTarskDbPlacement& shown)
{
    PxTarskCompOptions& options = Options();
    if (shown.qubNumber != 0)
        options.SetWEXQUBno(shown.qubNumber);
    else
        options.MakeDefaultWEXQUBno();
    if (shown.packDefault)
        options.MakeDefaultCompPack();
    else
        options.SetCompPack(shown.pack);
    if (shown.duplexDefault)
        options.MakeDefaultQUBDuplexPack();
    else
        options.SetQUBDuplexPack(shown.duplexPack);
    if (shown.pageSizeDefault)
        options.MakeDefaultMinPageSize();
    else if (shown.pageSize)
        options.SetMinPageSize(*shown.pageSize);
    options.SetCompAudited(static_cast<PxEnumBSAudited>(shown.audited));
    options.SetCompKeepAssigned(static_cast<PxEnumBSAudited>(shown.keepAssigned));
}

CString VqsOptionPageTarskComponentDB::DefaultDuplexPackShown() const
{
    return m_pTypedSheet->GetDefaultDuplexPack();
}

void VqsOptionPageTarskComponentDB::StoreOptions()
{
    VqsOptionPageTarskElementDb::StoreOptions();
    if (!m_expected.IsNotAvailable())
        Options().SetExpected(m_expected.GetValue() != 0 ? m_expected.GetValue() : kExpectedWhenNone);
}

BOOL VqsOptionPageTarskComponentDB::IsNotUpdated()
{
    const PxTarskCompOptions& options = Options();
    return VqsOptionPageTarskElementDb::IsNotUpdated() && !options.IsUpdatedQUBDuplexPack() &&
           !options.IsUpdatedWEXQUBno() && !options.IsUpdatedMinPageSize() && !options.IsUpdatedCompAudited() &&
           !options.IsUpdatedCompKeepAssigned() && !options.IsUpdatedCompPack() && !options.IsUpdatedExpected();
}

void VqsOptionPageTarskComponentDB::ClearOptions()
{
    VqsOptionPageTarskElementDb::ClearOptions();
    PxTarskCompOptions& options = Options();
    options.ClearQUBDuplexPack();
    options.ClearWEXQUBno();
    options.ClearMinPageSize();
    options.ClearCompAudited();
    options.ClearCompKeepAssigned();
    options.ClearCompPack();
    options.ClearExpected();
}

void VqsOptionPageTarskComponentDB::AdjustLoadedValues()
{
    VqsOptionPageTarskElementDb::AdjustLoadedValues();
    m_expected.SetValue(Options().GetExpected());
}

void VqsOptionPageTarskComponentDB::EnableDependentControls()
{
    VqsOptionPageTarskElementDb::EnableDependentControls();
    m_expected.Enable(m_sizing.m_nValue == kExpectedSizing);
    m_maxPages.Enable(m_sizing.m_nValue == kMaxPagesSizing);
}

void VqsOptionPageTarskComponentDB::OnOptionTaken(UINT id)
{
    if (id != IDC_EXPECTED_SIZING && id != IDC_MAX_PAGES_SIZING)
        return;
    m_expected.Enable(m_sizing.m_nValue == kExpectedSizing);
    m_maxPages.Enable(m_sizing.m_nValue == kMaxPagesSizing);
    if (m_sizing.m_nValue == kExpectedSizing && m_maxPages.GetValue() < kLeastMaxPages)
        m_maxPages.SetValue(0);
    UpdateData(FALSE);
}

BOOL VqsOptionPageTarskComponentDB::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == IDC_EXPECTED && HIWORD(wParam) == EN_CHANGE)
        OnOptionChanged(&m_expected, TRUE);
    return VqsOptionPageTarskElementDb::OnCommand(wParam, lParam);
}
