#include "options_qsr/VqsOptionPageQSRBSegPopset.h"

#include "options/VqsEnterprisePackNames.h"
#include "options/VqsLimitDigits.h"
#include "options_qsr/VqsOptionsBSegQSRSheet.h"
#include "proxy/PxLSEBusinessSegment.h"
#include "proxy/PxLSEEnterprise.h"
#include "proxy/PxVQBSSoftLink.h"
#include "shell/VqsSysApp.h"
#include "win/CDataExchange.h"
#include "win/ListView.h"

#include <algorithm>

namespace {

constexpr UINT IDS_INTERNAL_TOLVE = 61877;
constexpr UINT IDS_COLUMN_STRUCTURE = 61878;

constexpr int IDC_CATEGORY_INTERNAL = 1787;
constexpr int IDC_CATEGORY_ROC = 1788;
constexpr int IDC_CATEGORY_ADHOC = 1792;
constexpr int IDC_CATEGORY_GLIMMERDESK = 1796;
constexpr int IDC_STRUCTURE = 1793;
constexpr int IDC_PACK = 1797;
constexpr int IDC_POPULATION = 1784;
constexpr int IDC_INCREASE = 1794;
constexpr int IDC_WARNING = 1795;
constexpr int IDC_POPULATION_DEFAULT = 1798;
constexpr int IDC_INCREASE_DEFAULT = 1799;
constexpr int IDC_WARNING_DEFAULT = 1800;
constexpr int IDC_PACK_DEFAULT = 1801;
constexpr int IDC_GRID = 1805;

constexpr int kNoValidator = 0;
constexpr int kReservedWord = 3;
constexpr int kPackCharacters = 17;
constexpr int kAdhocCategory = 2;
constexpr int kGlimmerdeskCategory = 3;

enum PackKind { DatabasePack = 0, RocOutputPack = 1, AdhocInfoPack = 2 };
enum Column { NameColumn = 0, PopulationColumn, IncreaseColumn, WarningColumn, PackColumn };

struct Structure {
    const char* name;
    int category;
    std::int64_t defaultPopulation;
    std::int64_t largestPopulation;
};

constexpr std::int64_t kAnyPopulation = 9999999999;

constexpr Structure kStructureTable[] = {
    {"GLB-HUB", 0, 100000, kAnyPopulation},     {"GLB-CRITIC", 0, 2048, kAnyPopulation},
    {"GLB-SECURITY", 0, 20000, kAnyPopulation}, {"GLB-DIALOGINFO", 0, 65536, 199600},
    {"GLB-GLIOFFINFO", 0, 4000, kAnyPopulation}, {"ROC-H", 1, 800, kAnyPopulation},
    {"ROC-O", 1, 5600, kAnyPopulation},         {"ROC-S", 1, 8000, kAnyPopulation},
    {"ROC-T", 1, 99000, kAnyPopulation},        {"A", 2, 1000, kAnyPopulation},
    {"B", 2, 10000, kAnyPopulation},            {"C", 2, 10000, kAnyPopulation},
    {"D", 2, 10000, kAnyPopulation},            {"E", 2, 10000, kAnyPopulation},
    {"G", 2, 10000, kAnyPopulation},            {"H", 2, 10000, kAnyPopulation},
    {"I", 2, 10000, kAnyPopulation},            {"J", 2, 1000, kAnyPopulation},
    {"K", 2, 10000, kAnyPopulation},            {"Y", 2, 500, kAnyPopulation},
    {"GLB-WDP-WCF", 3, 50000, kAnyPopulation},  {"GLB-WDP-SDF", 3, 10000, kAnyPopulation},
    {"GLB-WDP-BDF", 3, 10000, kAnyPopulation},  {"GLB-WDP-WDF", 3, 10000, kAnyPopulation},
    {"GLB-WDP-SCL", 3, 10000, kAnyPopulation},
};
static_assert(std::size(kStructureTable) == VqsOptionPageQSRBSegPopset::kStructures);

// The first structure of each category, and the end of the last.
constexpr int kCategoryStart[] = {0, 5, 9, 20, 25};

int PackKindOf(int category)
{
    return category == 1 ? RocOutputPack : category == kAdhocCategory ? AdhocInfoPack : DatabasePack;
}

BOOL TakesPackOfKind(int category, int kind) { return PackKindOf(category) == kind; }

CString Decimal(std::int64_t value)
{
    CString text;
    text.Format("%lld", static_cast<long long>(value));
    return text;
}

} // namespace

BEGIN_MESSAGE_MAP(VqsListCtrl, CListCtrl)
    ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, &VqsListCtrl::OnCustomDraw)
END_MESSAGE_MAP()

int VqsListCtrl::GetMark(int row, int column) const
{
    if (row < 0 || row >= kRows || column < 0 || column >= kColumns)
        return 0;
    return m_marks[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

void VqsListCtrl::CopyMarks(const Marks& marks, int first)
{
    m_marks = {};
    for (int index = std::max(first, 0); index < kRows; ++index)
        m_marks[static_cast<std::size_t>(index - first)] = marks[static_cast<std::size_t>(index)];
}

void VqsListCtrl::OnCustomDraw(NMHDR* header, LRESULT* result)
{
    auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(header);
    switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        *result = CDRF_NOTIFYITEMDRAW;
        return;
    case CDDS_ITEMPREPAINT:
        *result = CDRF_NOTIFYSUBITEMDRAW;
        return;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM:
        draw->clrText = GetMark(static_cast<int>(draw->nmcd.dwItemSpec), draw->iSubItem) == 1 ? RGB(128, 128, 128)
                                                                                                 : RGB(0, 0, 0);
        *result = CDRF_NEWFONT;
        return;
    default:
        *result = 0;
    }
}

BEGIN_MESSAGE_MAP(VqsOptionPageQSRBSegPopset, VqsOptionPage)
    ON_BN_CLICKED(IDC_CATEGORY_INTERNAL, &VqsOptionPageQSRBSegPopset::OnCategoryClicked)
    ON_BN_CLICKED(IDC_CATEGORY_ROC, &VqsOptionPageQSRBSegPopset::OnCategoryClicked)
    ON_BN_CLICKED(IDC_CATEGORY_ADHOC, &VqsOptionPageQSRBSegPopset::OnCategoryClicked)
    ON_BN_CLICKED(IDC_CATEGORY_GLIMMERDESK, &VqsOptionPageQSRBSegPopset::OnCategoryClicked)
    ON_CBN_EDITCHANGE(IDC_STRUCTURE, &VqsOptionPageQSRBSegPopset::OnStructureChanged)
    ON_CBN_SELCHANGE(IDC_STRUCTURE, &VqsOptionPageQSRBSegPopset::OnStructureChanged)
    ON_CBN_KILLFOCUS(IDC_STRUCTURE, &VqsOptionPageQSRBSegPopset::OnStructureChanged)
    ON_CBN_CLOSEUP(IDC_STRUCTURE, &VqsOptionPageQSRBSegPopset::OnStructureChanged)
    ON_NOTIFY(NM_CLICK, IDC_GRID, &VqsOptionPageQSRBSegPopset::OnGridClick)
    ON_EN_CHANGE(IDC_POPULATION, &VqsOptionPageQSRBSegPopset::OnPopulationChanged)
    ON_EN_CHANGE(IDC_INCREASE, &VqsOptionPageQSRBSegPopset::OnIncreaseChanged)
    ON_EN_CHANGE(IDC_WARNING, &VqsOptionPageQSRBSegPopset::OnWarningChanged)
    ON_CBN_EDITCHANGE(IDC_PACK, &VqsOptionPageQSRBSegPopset::OnPackChanged)
    ON_CBN_SELCHANGE(IDC_PACK, &VqsOptionPageQSRBSegPopset::OnPackChanged)
    ON_CBN_KILLFOCUS(IDC_PACK, &VqsOptionPageQSRBSegPopset::OnPackChanged)
    ON_CBN_CLOSEUP(IDC_PACK, &VqsOptionPageQSRBSegPopset::OnPackChanged)
    ON_BN_CLICKED(IDC_POPULATION_DEFAULT, &VqsOptionPageQSRBSegPopset::OnPopulationDefaultClicked)
    ON_BN_CLICKED(IDC_INCREASE_DEFAULT, &VqsOptionPageQSRBSegPopset::OnIncreaseDefaultClicked)
    ON_BN_CLICKED(IDC_WARNING_DEFAULT, &VqsOptionPageQSRBSegPopset::OnWarningDefaultClicked)
    ON_BN_CLICKED(IDC_PACK_DEFAULT, &VqsOptionPageQSRBSegPopset::OnPackDefaultClicked)
END_MESSAGE_MAP()

VqsOptionPageQSRBSegPopset::VqsOptionPageQSRBSegPopset(VqsOptions_BSeg_QSR_Sheet* sheet, UINT dialogId,
                                                       int pageIndex)
    : VqsOptionPage(sheet, dialogId, IDS_INTERNAL_TOLVE, pageIndex), m_pQSRSheet(sheet),
      m_category(&m_connector, IDC_CATEGORY_INTERNAL, IDC_CATEGORY_ROC, IDC_CATEGORY_ADHOC, IDC_CATEGORY_GLIMMERDESK),
      m_structure(&m_connector, IDC_STRUCTURE, kNoValidator), m_pack(&m_connector, IDC_PACK, kReservedWord),
      m_population(&m_connector, IDC_POPULATION), m_increase(&m_connector, IDC_INCREASE),
      m_warning(&m_connector, IDC_WARNING), m_populationDefault(&m_connector, IDC_POPULATION_DEFAULT),
      m_increaseDefault(&m_connector, IDC_INCREASE_DEFAULT), m_warningDefault(&m_connector, IDC_WARNING_DEFAULT),
      m_packDefault(&m_connector, IDC_PACK_DEFAULT)
{
    m_pack.SetTextLimit(kPackCharacters);
    const PxQSRBSegOptions& options = Options();
    const struct {
        VqsOptCtrlInt& edit;
        BOOL (PxQSRBSegOptions::*lower)(std::int64_t&) const;
        BOOL (PxQSRBSegOptions::*upper)(std::int64_t&) const;
    } limits[] = {
        {m_population, &PxQSRBSegOptions::HasLowerLimitPopulationTOLVE,
         &PxQSRBSegOptions::HasUpperLimitPopulationTOLVE},
        {m_increase, &PxQSRBSegOptions::HasLowerLimitPopuIncreaseTOLVE,
         &PxQSRBSegOptions::HasUpperLimitPopuIncreaseTOLVE},
        {m_warning, &PxQSRBSegOptions::HasLowerLimitPopuWarnTOLVE, &PxQSRBSegOptions::HasUpperLimitPopuWarnTOLVE},
    };
    for (const auto& limit : limits) {
        std::int64_t bound = 0;
        if ((options.*limit.lower)(bound))
            limit.edit.SetMinimum(bound);
        if ((options.*limit.upper)(bound))
            limit.edit.SetMaximum(bound);
    }
}

PxQSRBSegOptions& VqsOptionPageQSRBSegPopset::Options() const { return *m_pQSRSheet->GetQSROptions(); }

CString VqsOptionPageQSRBSegPopset::StructureName(int index)
{
    return index >= 0 && index < kStructures ? CString(kStructureTable[index].name) : CString();
}

void VqsOptionPageQSRBSegPopset::DoDataExchange(CDataExchange* pDX)
{
    VqsOptionPage::DoDataExchange(pDX);
    if (!m_grid.m_hWnd)
        DDX_Control(pDX, IDC_GRID, m_grid);
}

BOOL VqsOptionPageQSRBSegPopset::OnInitDialog()
{
    VqsOptionPage::OnInitDialog();
    const PxQSRBSegOptions& options = Options();
    LimitDigits(m_population, options, &PxQSRBSegOptions::HasUpperLimitPopulationTOLVE, 10);
    LimitDigits(m_increase, options, &PxQSRBSegOptions::HasUpperLimitPopuIncreaseTOLVE, 3);
    LimitDigits(m_warning, options, &PxQSRBSegOptions::HasUpperLimitPopuWarnTOLVE, 2);
    return TRUE;
}

CString VqsOptionPageQSRBSegPopset::CachedDefaultPack(int structure) const
{
    return m_defaultPacks[static_cast<std::size_t>(PackKindOf(kStructureTable[structure].category))];
}

CString VqsOptionPageQSRBSegPopset::CurrentDefaultPack(int structure) const
{
    switch (PackKindOf(kStructureTable[structure].category)) {
    case RocOutputPack:
        return m_pQSRSheet->GetROCoutput();
    case AdhocInfoPack:
        return m_pQSRSheet->GetAdhocInfo();
    default:
        return m_pQSRSheet->GetDBPack();
    }
}

void VqsOptionPageQSRBSegPopset::LoadOptions()
{
    const PxQSRBSegOptions& options = Options();
    VqsSysApp* app = VqsGetApp();
    const PxLSEEnterprisePtr enterprise = app ? app->GetLSEEnterprise() : PxLSEEnterprisePtr();
    const PxVQBSSoftLinkPtr link(options.GetSoftLink());
    const PxLSEBusinessSegmentPtr segment =
        enterprise && link ? enterprise->GetBusinessSegment(link->GetName()) : PxLSEBusinessSegmentPtr();
    m_category.EnableButton(!segment || segment->GetRocRequired(), 1);
    m_category.EnableButton(m_pQSRSheet->GetAdhocInqReq() != 0, kAdhocCategory);
    m_category.EnableButton(m_pQSRSheet->GetPCEcap() != 0, kGlimmerdeskCategory);

    const CStringArray packs = VqsEnterprisePackNames();
    m_pack.SetItems(packs);
    m_category.m_nValue = 0;
    ShowCategoryNames();

    m_defaultIncrease = m_pQSRSheet->GetPopulationIncrease();
    m_defaultWarning = m_pQSRSheet->GetPopulationWarn();
    m_defaultPacks = {m_pQSRSheet->GetDBPack(), m_pQSRSheet->GetROCoutput(), m_pQSRSheet->GetAdhocInfo()};
    for (int i = kStructures - 1; i >= 0; --i) {
        Working& working = m_working[static_cast<std::size_t>(i)];
        working.population = options.GetPopulationTOLVE(i);
        working.increase = options.IsDefaultPopuIncreaseTOLVE(i) ? m_defaultIncrease : options.GetPopuIncreaseTOLVE(i);
        working.warning = options.IsDefaultPopuWarnTOLVE(i) ? m_defaultWarning : options.GetPopuWarnTOLVE(i);
        working.pack = options.GetPopulationPack(i);
        working.pack.TrimLeft();
        if (options.IsDefaultPopulationPack(i) || working.pack.IsEmpty())
            working.pack = CachedDefaultPack(i);
    }
    ShowStructure(0);
    MakeColumns();
    RecomputeMarks();
    RebuildGrid();
    UpdateData(FALSE);
}

void VqsOptionPageQSRBSegPopset::MakeColumns()
{
    if (m_bColumnsMade || !m_grid.m_hWnd)
        return;
    m_bColumnsMade = TRUE;
    CRect client;
    m_grid.GetClientRect(&client);
    const int width = client.Width();
    const int widths[] = {width / 4, width / 6, width / 6, width / 6};
    int used = 0;
    for (int column = NameColumn; column <= PackColumn; ++column) {
        CString heading;
        heading.LoadString(IDS_COLUMN_STRUCTURE + static_cast<UINT>(column));
        const int columnWidth = column < PackColumn ? widths[column] : width - used;
        m_grid.InsertColumn(column, heading, LVCFMT_LEFT, columnWidth);
        used += columnWidth;
    }
}

void VqsOptionPageQSRBSegPopset::ShowCategoryNames()
{
    const int category = std::clamp(m_category.m_nValue, 0, kGlimmerdeskCategory);
    CStringArray names;
    for (int i = kCategoryStart[category]; i < kCategoryStart[category + 1]; ++i)
        names.Add(kStructureTable[i].name);
    m_structure.SetItems(names);
    m_structure.SetValue(names[0]);
}

void VqsOptionPageQSRBSegPopset::SelectByName()
{
    for (int i = 0; i < kStructures; ++i) {
        if (m_structure.GetValue() == kStructureTable[i].name) {
            ShowStructure(i);
            return;
        }
    }
    m_structure.SetValue(kStructureTable[m_current].name);
}

void VqsOptionPageQSRBSegPopset::ShowStructure(int index)
{
    m_current = index;
    const Structure& structure = kStructureTable[index];
    const Working& working = m_working[static_cast<std::size_t>(index)];
    const std::int64_t defaultIncrease = m_pQSRSheet->GetPopulationIncrease();
    const std::int64_t defaultWarning = m_pQSRSheet->GetPopulationWarn();
    const CString defaultPack = CurrentDefaultPack(index);
    m_populationDefault.m_bValue = working.population == structure.defaultPopulation;
    m_increaseDefault.m_bValue = working.increase == defaultIncrease;
    m_warningDefault.m_bValue = working.warning == defaultWarning;
    m_packDefault.m_bValue = working.pack == defaultPack;
    m_population.SetMaximum(structure.largestPopulation);
    m_population.SetValue(m_populationDefault.m_bValue ? structure.defaultPopulation : working.population);
    m_increase.SetValue(m_increaseDefault.m_bValue ? defaultIncrease : working.increase);
    m_warning.SetValue(m_warningDefault.m_bValue ? defaultWarning : working.warning);
    m_pack.SetValue(m_packDefault.m_bValue ? defaultPack : working.pack);
    m_population.Enable(!m_populationDefault.m_bValue);
    m_increase.Enable(!m_increaseDefault.m_bValue);
    m_warning.Enable(!m_warningDefault.m_bValue);
    m_pack.Enable(!m_packDefault.m_bValue);
}

void VqsOptionPageQSRBSegPopset::RecomputeMarks()
{
    for (int i = 0; i < kStructures; ++i) {
        const Working& working = m_working[static_cast<std::size_t>(i)];
        auto& marks = m_marks[static_cast<std::size_t>(i)];
        marks[NameColumn] = 0;
        marks[PopulationColumn] = working.population == kStructureTable[i].defaultPopulation;
        marks[IncreaseColumn] = working.increase == m_defaultIncrease;
        marks[WarningColumn] = working.warning == m_defaultWarning;
        marks[PackColumn] = working.pack == CachedDefaultPack(i);
    }
    m_grid.CopyMarks(m_marks, kCategoryStart[std::clamp(m_category.m_nValue, 0, kGlimmerdeskCategory)]);
    if (m_grid.m_hWnd)
        m_grid.Invalidate();
}

void VqsOptionPageQSRBSegPopset::RebuildGrid()
{
    if (!m_grid.m_hWnd)
        return;
    m_grid.DeleteAllItems();
    const int category = std::clamp(m_category.m_nValue, 0, kGlimmerdeskCategory);
    for (int i = kCategoryStart[category]; i < kCategoryStart[category + 1]; ++i) {
        const Working& working = m_working[static_cast<std::size_t>(i)];
        const int row = m_grid.InsertItem(i - kCategoryStart[category], kStructureTable[i].name);
        m_grid.SetItemText(row, PopulationColumn,
                           Decimal(std::min(working.population, kStructureTable[i].largestPopulation)));
        m_grid.SetItemText(row, IncreaseColumn, Decimal(working.increase));
        m_grid.SetItemText(row, WarningColumn, Decimal(working.warning));
        m_grid.SetItemText(row, PackColumn, working.pack);
    }
}

void VqsOptionPageQSRBSegPopset::RefreshCurrentRow()
{
    if (!m_grid.m_hWnd)
        return;
    const int row = m_current - kCategoryStart[std::clamp(m_category.m_nValue, 0, kGlimmerdeskCategory)];
    if (row < 0 || row >= m_grid.GetItemCount() ||
        m_grid.GetItemText(row, NameColumn) != kStructureTable[m_current].name)
        return;
    m_grid.SetItemText(row, PopulationColumn,
                       Decimal(std::min(m_population.GetValue(), kStructureTable[m_current].largestPopulation)));
    m_grid.SetItemText(row, IncreaseColumn, Decimal(m_increase.GetValue()));
    m_grid.SetItemText(row, WarningColumn, Decimal(m_warning.GetValue()));
    m_grid.SetItemText(row, PackColumn, m_pack.GetValue());
}

void VqsOptionPageQSRBSegPopset::OnCategoryClicked()
{
    if (!OnOptionChanged(&m_category, TRUE))
        return;
    ShowCategoryNames();
    SelectByName();
    RecomputeMarks();
    RebuildGrid();
    UpdateData(FALSE);
}

void VqsOptionPageQSRBSegPopset::OnStructureChanged()
{
    if (!OnOptionChanged(&m_structure, TRUE))
        return;
    SelectByName();
    RecomputeMarks();
    RebuildGrid();
    UpdateData(FALSE);
}

void VqsOptionPageQSRBSegPopset::OnGridClick(NMHDR*, LRESULT* result)
{
    *result = 0;
    const int row = m_grid.GetNextItem(-1, LVNI_SELECTED);
    m_structure.SetValue(row < 0 ? CString() : m_grid.GetItemText(row, NameColumn));
    SelectByName();
    UpdateData(FALSE);
}

void VqsOptionPageQSRBSegPopset::OnPopulationChanged()
{
    if (!OnOptionChanged(&m_population, TRUE))
        return;
    if (m_population.GetValue() <= kStructureTable[m_current].largestPopulation)
        m_working[static_cast<std::size_t>(m_current)].population = m_population.GetValue();
    RecomputeMarks();
    RefreshCurrentRow();
}

void VqsOptionPageQSRBSegPopset::OnIncreaseChanged()
{
    if (!OnOptionChanged(&m_increase, TRUE))
        return;
    m_working[static_cast<std::size_t>(m_current)].increase = m_increase.GetValue();
    RecomputeMarks();
    RefreshCurrentRow();
}

void VqsOptionPageQSRBSegPopset::OnWarningChanged()
{
    if (!OnOptionChanged(&m_warning, TRUE))
        return;
    m_working[static_cast<std::size_t>(m_current)].warning = m_warning.GetValue();
    RecomputeMarks();
    RefreshCurrentRow();
}

void VqsOptionPageQSRBSegPopset::OnPackChanged()
{
    if (!OnOptionChanged(&m_pack, TRUE))
        return;
    m_working[static_cast<std::size_t>(m_current)].pack = m_pack.GetValue();
    RecomputeMarks();
    RefreshCurrentRow();
}

void VqsOptionPageQSRBSegPopset::OnPopulationDefaultClicked()
{
    if (!OnOptionChanged(&m_populationDefault, TRUE))
        return;
    const Structure& structure = kStructureTable[m_current];
    if (m_populationDefault.m_bValue)
        m_population.SetValue(structure.defaultPopulation);
    m_population.Enable(!m_populationDefault.m_bValue);
    m_population.SetMaximum(structure.largestPopulation);
    m_working[static_cast<std::size_t>(m_current)].population = m_population.GetValue();
    RecomputeMarks();
    RefreshCurrentRow();
    UpdateData(FALSE);
}

void VqsOptionPageQSRBSegPopset::OnNumberDefaultClicked(VqsOptCtrlFlag& box, VqsOptCtrlInt& edit,
                                                        std::int64_t Working::*field, std::int64_t defaultValue)
{
    if (!OnOptionChanged(&box, TRUE))
        return;
    if (box.m_bValue)
        edit.SetValue(defaultValue);
    edit.Enable(!box.m_bValue);
    m_working[static_cast<std::size_t>(m_current)].*field = edit.GetValue();
    RecomputeMarks();
    RefreshCurrentRow();
    UpdateData(FALSE);
}

void VqsOptionPageQSRBSegPopset::OnIncreaseDefaultClicked()
{
    OnNumberDefaultClicked(m_increaseDefault, m_increase, &Working::increase, m_pQSRSheet->GetPopulationIncrease());
}

void VqsOptionPageQSRBSegPopset::OnWarningDefaultClicked()
{
    OnNumberDefaultClicked(m_warningDefault, m_warning, &Working::warning, m_pQSRSheet->GetPopulationWarn());
}

void VqsOptionPageQSRBSegPopset::OnPackDefaultClicked()
{
    if (!OnOptionChanged(&m_packDefault, TRUE))
        return;
    if (m_packDefault.m_bValue)
        m_pack.SetValue(CurrentDefaultPack(m_current));
    m_pack.Enable(!m_packDefault.m_bValue);
    m_working[static_cast<std::size_t>(m_current)].pack = m_pack.GetValue();
    RecomputeMarks();
    RefreshCurrentRow();
    UpdateData(FALSE);
}

void VqsOptionPageQSRBSegPopset::TakeShownValues()
{
    Working& working = m_working[static_cast<std::size_t>(m_current)];
    if (m_population.GetValue() <= kStructureTable[m_current].largestPopulation)
        working.population = m_population.GetValue();
    working.increase = m_increase.GetValue();
    working.warning = m_warning.GetValue();
    working.pack = m_pack.GetValue();
}

// A structure's own value that a new default moved is stored only when the page is applied.
void VqsOptionPageQSRBSegPopset::KeepMovedValues(BOOL ownValueMoved)
{
    if (ownValueMoved && !m_bModified)
        BeginModify(nullptr, FALSE);
}

void VqsOptionPageQSRBSegPopset::OnDefaultNumberChanged(std::int64_t Working::*field,
                                                        BOOL (PxQSRBSegOptions::*isDefault)(int) const,
                                                        std::int64_t& cached, VqsOptCtrlFlag& box,
                                                        VqsOptCtrlInt& edit, std::int64_t value)
{
    if (!m_hWnd || !UpdateData(TRUE))
        return;
    BOOL ownValueMoved = box.m_bValue && !(Options().*isDefault)(m_current);
    if (box.m_bValue)
        edit.SetValue(value);
    TakeShownValues();
    for (int i = 0; i < kStructures; ++i) {
        Working& working = m_working[static_cast<std::size_t>(i)];
        if (working.*field != cached || working.*field == value)
            continue;
        working.*field = value;
        ownValueMoved = ownValueMoved || !(Options().*isDefault)(i);
    }
    cached = value;
    KeepMovedValues(ownValueMoved);
    RecomputeMarks();
    RebuildGrid();
    UpdateData(FALSE);
}

void VqsOptionPageQSRBSegPopset::OnDefaultPopulationIncreaseChanged(std::int64_t value)
{
    OnDefaultNumberChanged(&Working::increase, &PxQSRBSegOptions::IsDefaultPopuIncreaseTOLVE, m_defaultIncrease,
                           m_increaseDefault, m_increase, value);
}

void VqsOptionPageQSRBSegPopset::OnDefaultPopulationWarnChanged(std::int64_t value)
{
    OnDefaultNumberChanged(&Working::warning, &PxQSRBSegOptions::IsDefaultPopuWarnTOLVE, m_defaultWarning,
                           m_warningDefault, m_warning, value);
}

void VqsOptionPageQSRBSegPopset::OnDefaultPackChanged(const CString& pack, int kind)
{
    if (kind < DatabasePack || kind > AdhocInfoPack || !m_hWnd || !UpdateData(TRUE))
        return;
    const BOOL currentMoves = m_packDefault.m_bValue && TakesPackOfKind(kStructureTable[m_current].category, kind);
    BOOL ownValueMoved = currentMoves && !Options().IsDefaultPopulationPack(m_current);
    if (currentMoves)
        m_pack.SetValue(pack);
    TakeShownValues();
    CString& cached = m_defaultPacks[static_cast<std::size_t>(kind)];
    for (int i = 0; i < kStructures; ++i) {
        Working& working = m_working[static_cast<std::size_t>(i)];
        if (!TakesPackOfKind(kStructureTable[i].category, kind) || working.pack != cached || working.pack == pack)
            continue;
        working.pack = pack;
        ownValueMoved = ownValueMoved || !Options().IsDefaultPopulationPack(i);
    }
    cached = pack;
    KeepMovedValues(ownValueMoved);
    RecomputeMarks();
    RebuildGrid();
    UpdateData(FALSE);
}

void VqsOptionPageQSRBSegPopset::EnableAdhocCategory(BOOL enable)
{
    if (m_hWnd)
        m_category.EnableButton(enable, kAdhocCategory);
}

void VqsOptionPageQSRBSegPopset::EnablePCECategory(BOOL enable)
{
    if (m_hWnd)
        m_category.EnableButton(enable, kGlimmerdeskCategory);
}

void VqsOptionPageQSRBSegPopset::StoreOptions()
{
    PxQSRBSegOptions& options = Options();
    for (int i = 0; i < kStructures; ++i) {
        const Working& working = m_working[static_cast<std::size_t>(i)];
        const Structure& structure = kStructureTable[i];
        if (working.population == structure.defaultPopulation) {
            if (!options.IsDefaultPopulationTOLVE(i))
                options.MakeDefaultPopulationTOLVE(i);
        } else if (working.population <= structure.largestPopulation &&
                   (options.IsDefaultPopulationTOLVE(i) || options.GetPopulationTOLVE(i) != working.population)) {
            options.SetPopulationTOLVE(i, working.population);
        }
        if (working.increase == m_defaultIncrease) {
            if (!options.IsDefaultPopuIncreaseTOLVE(i))
                options.MakeDefaultPopuIncreaseTOLVE(i);
        } else if (options.IsDefaultPopuIncreaseTOLVE(i) || options.GetPopuIncreaseTOLVE(i) != working.increase) {
            options.SetPopuIncreaseTOLVE(i, working.increase);
        }
        if (working.warning == m_defaultWarning) {
            if (!options.IsDefaultPopuWarnTOLVE(i))
                options.MakeDefaultPopuWarnTOLVE(i);
        } else if (options.IsDefaultPopuWarnTOLVE(i) || options.GetPopuWarnTOLVE(i) != working.warning) {
            options.SetPopuWarnTOLVE(i, working.warning);
        }
        if (working.pack == CachedDefaultPack(i)) {
            if (!options.IsDefaultPopulationPack(i))
                options.MakeDefaultPopulationPack(i);
        } else if (options.IsDefaultPopulationPack(i) || options.GetPopulationPack(i) != working.pack) {
            options.SetPopulationPack(i, working.pack);
        }
    }
    ShowAfterWrite();
}

BOOL VqsOptionPageQSRBSegPopset::IsNotUpdated()
{
    const PxQSRBSegOptions& options = Options();
    if (options.IsUpdatedStructureTOLVE())
        return FALSE;
    for (int i = 0; i < kStructures; ++i)
        if (options.IsUpdatedPopulationTOLVE(i) || options.IsUpdatedPopuIncreaseTOLVE(i) ||
            options.IsUpdatedPopuWarnTOLVE(i) || options.IsUpdatedPopulationPack(i))
            return FALSE;
    return TRUE;
}

void VqsOptionPageQSRBSegPopset::ClearOptions()
{
    PxQSRBSegOptions& options = Options();
    options.ClearStructureTOLVE();
    for (int i = 0; i < kStructures; ++i) {
        options.ClearPopulationTOLVE(i);
        options.ClearPopuIncreaseTOLVE(i);
        options.ClearPopuWarnTOLVE(i);
        options.ClearPopulationPack(i);
    }
    ShowAfterWrite();
}

void VqsOptionPageQSRBSegPopset::ShowAfterWrite()
{
    RecomputeMarks();
    RebuildGrid();
    if (m_hWnd)
        UpdateData(FALSE);
}
