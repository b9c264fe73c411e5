#include "options_qsr/VqsOptionPageQSRComponentTOLVE.h"

#include "options/VqsLimitDigits.h"
#include "options_qsr/VqsOptionsQSRElementSheets.h"
#include "options_qsr/VqsQSRFiller.h"
#include "options_qsr/VqsQSRElementSupport.h"
#include "proxy/PxLSEAssociation.h"
#include "proxy/PxLSEIspec.h"
#include "proxy/PxTypedList.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQIspecSoftLink.h"
#include "proxy/PxVQOptionSet.h"
#include "win/CDC.h"
#include "win/Messages.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr UINT IDS_TOLVE = 61588;
constexpr UINT IDS_FILLER_REMAINING = 62474;
constexpr UINT IDS_FILLER_EXCEEDED = 62475;

constexpr int IDC_CHECK_SUM = 1254;
constexpr int IDC_USE_DEFAULT_CHECK_SUM = 1256;
constexpr int IDC_MEMORY_RESIDENT = 1305;
constexpr int IDC_EXTENDED_EDITION = 1260;
constexpr int IDC_USE_DEFAULT_EXTENDED_EDITION = 1345;
constexpr int IDC_DISPLAY_WARNING = 1443;
constexpr int IDC_USE_DEFAULT_DISPLAY_WARNING = 1160;
constexpr int IDC_OPTIMIZE_BLOCKSIZE = 1785;
constexpr int IDC_USE_DEFAULT_OPTIMIZE_BLOCKSIZE = 1786;
constexpr int IDC_GUARD_USER = 1161;
constexpr int IDC_USE_DEFAULT_GUARD_USER = 1306;
constexpr int IDC_GUARD_NAME = 1162;
constexpr int IDC_USE_DEFAULT_GUARD_NAME = 1307;
constexpr int IDC_GUARD_PACK = 1163;
constexpr int IDC_USE_DEFAULT_GUARD_PACK = 1308;
constexpr int IDC_BUFFERS = 1524;
constexpr int IDC_USE_DEFAULT_BUFFERS = 1311;
constexpr int IDC_BUFFERS_PER_USER = 1525;
constexpr int IDC_USE_DEFAULT_BUFFERS_PER_USER = 1312;
constexpr int IDC_BUFFERS_PER_RANDOM_USER = 1526;
constexpr int IDC_USE_DEFAULT_BUFFERS_PER_RANDOM_USER = 1313;
constexpr int IDC_BUFFERS_PER_SERIAL_USER = 1527;
constexpr int IDC_USE_DEFAULT_BUFFERS_PER_SERIAL_USER = 1314;
constexpr int IDC_FILLER = 1852;
constexpr int IDC_FILLER_REMAINING = 1853;
constexpr int IDC_FILLER_AT_LAST_GENERATE = 1854;
constexpr int IDC_FILLER_REMAINING_LABEL = 1862;
constexpr int IDC_REVERT_LAYOUT = 1855;
constexpr int IDC_REBLOCK_FACTOR = 1168;
constexpr int IDC_USE_DEFAULT_REBLOCK_FACTOR = 1310;
constexpr int IDC_AREA_SIZE = 1450;
constexpr int IDC_USE_DEFAULT_AREA_SIZE = 1315;
constexpr int IDC_BLOCK_SIZE = 1452;
constexpr int IDC_USE_DEFAULT_BLOCK_SIZE = 1316;
constexpr int IDC_POPULATION_INCREASE = 1169;
constexpr int IDC_USE_DEFAULT_POPULATION_INCREASE = 1317;
constexpr int IDC_POPULATION_WARNING = 1319;
constexpr int IDC_USE_DEFAULT_POPULATION_WARNING = 1318;
constexpr int IDC_SECTIONS = 1454;
constexpr int IDC_POPULATION_USE_DEFAULT = 32974;
constexpr int IDC_SIZING_EXPECTED = 32975;
constexpr int IDC_SIZING_PERCENTAGE = 32977;
constexpr int IDC_MEMO_EXPECTED = 32976;
constexpr int IDC_MEMO_PERCENTAGE = 32978;
constexpr int IDC_MEMO_PACK = 32973;
constexpr int IDC_USE_DEFAULT_MEMO_PACK = 32972;

constexpr int kPackOrEmpty = 4;
constexpr int kExpectedNumber = 0;
constexpr int kPercentage = 1;

using QSRComp = PxQSRCompOptions;

CString LoadedText(UINT id)
{
    CString text;
    text.LoadString(id);
    return text;
}

int Channel(std::int64_t value) { return static_cast<int>(std::clamp<std::int64_t>(value, 0, 255)); }

} // namespace

VqsOptionPageQSRComponentTOLVE::VqsOptionPageQSRComponentTOLVE(VqsOptions_Component_QSR_Sheet* sheet,
                                                               UINT dialogId, int pageIndex)
    : VqsTableOptionPage(sheet, dialogId, IDS_TOLVE, pageIndex), m_pComponentSheet(sheet),
      m_buffers(m_table.Number(IDC_BUFFERS, VQS_NUMBER_OPTION(QSRComp, Buffers), VqsOptionTable::Validate)),
      m_useDefaultBuffers(m_table.DefaultBox(IDC_USE_DEFAULT_BUFFERS, IDC_BUFFERS)),
      m_buffersPerUser(
          m_table.Number(IDC_BUFFERS_PER_USER, VQS_NUMBER_OPTION(QSRComp, BuffersPUser), VqsOptionTable::Validate)),
      m_useDefaultBuffersPerUser(m_table.DefaultBox(IDC_USE_DEFAULT_BUFFERS_PER_USER, IDC_BUFFERS_PER_USER)),
      m_buffersPerRandomUser(m_table.Number(IDC_BUFFERS_PER_RANDOM_USER, VQS_NUMBER_OPTION(QSRComp, BuffersPRandomUser),
                                            VqsOptionTable::Validate)),
      m_useDefaultBuffersPerRandomUser(
          m_table.DefaultBox(IDC_USE_DEFAULT_BUFFERS_PER_RANDOM_USER, IDC_BUFFERS_PER_RANDOM_USER)),
      m_buffersPerSerialUser(m_table.Number(IDC_BUFFERS_PER_SERIAL_USER,
                                            VQS_NUMBER_OPTION(QSRComp, BuffersPSerialUser))),
      m_useDefaultBuffersPerSerialUser(
          m_table.DefaultBox(IDC_USE_DEFAULT_BUFFERS_PER_SERIAL_USER, IDC_BUFFERS_PER_SERIAL_USER)),
      m_filler(m_table.Number(IDC_FILLER, VQS_NUMBER_OPTION(QSRComp, DBfiller), VqsOptionTable::Validate)),
      m_areaSize(m_table.Number(IDC_AREA_SIZE, VQS_NUMBER_OPTION(QSRComp, AreaSize))),

      m_blockSize(m_table.Number(IDC_BLOCK_SIZE, VQS_NUMBER_OPTION(QSRComp, BlockSize))),

      m_populationUseDefault(m_table.Flag(IDC_POPULATION_USE_DEFAULT, VQS_OPTION(QSRComp, MemoDataUseDef))),
      m_sizing(m_table.Radio(VQS_OPTION(QSRComp, CompMemoPerOrExpect), IDC_SIZING_EXPECTED, IDC_SIZING_PERCENTAGE)),
      m_memoExpected(m_table.Number(IDC_MEMO_EXPECTED, VQS_NUMBER_OPTION(QSRComp, MemoExpectedNumber))),
      m_memoPercentage(m_table.Number(IDC_MEMO_PERCENTAGE, VQS_NUMBER_OPTION(QSRComp, Percentage))),
      m_fillerRemaining(&m_connector, IDC_FILLER_REMAINING),
      m_fillerAtLastGenerate(&m_connector, IDC_FILLER_AT_LAST_GENERATE),
      m_useDefaultAreaSize(&m_connector, IDC_USE_DEFAULT_AREA_SIZE),
      m_useDefaultBlockSize(&m_connector, IDC_USE_DEFAULT_BLOCK_SIZE),
      m_memoPack(&m_connector, IDC_MEMO_PACK, kPackOrEmpty),
      m_useDefaultMemoPack(&m_connector, IDC_USE_DEFAULT_MEMO_PACK)
{
    m_table.Flag(IDC_CHECK_SUM, VQS_OPTION(QSRComp, IspecCheckSum));
    m_table.DefaultBox(IDC_USE_DEFAULT_CHECK_SUM, IDC_CHECK_SUM);
    m_table.Flag(IDC_MEMORY_RESIDENT, VQS_OPTION(QSRComp, MemoryResident));
    m_table.Flag(IDC_EXTENDED_EDITION, VQS_OPTION(QSRComp, IspecExtendedEdition));
    m_table.DefaultBox(IDC_USE_DEFAULT_EXTENDED_EDITION, IDC_EXTENDED_EDITION);
    m_table.Flag(IDC_DISPLAY_WARNING, VQS_OPTION(QSRComp, IspecDisplayWarn));
    m_table.DefaultBox(IDC_USE_DEFAULT_DISPLAY_WARNING, IDC_DISPLAY_WARNING);
    m_table.Flag(IDC_OPTIMIZE_BLOCKSIZE, VQS_OPTION(QSRComp, IspecOptimizeBlocksize2Vss));
    m_table.DefaultBox(IDC_USE_DEFAULT_OPTIMIZE_BLOCKSIZE, IDC_OPTIMIZE_BLOCKSIZE);
    m_table.Text(IDC_GUARD_USER, VQS_TEXT_OPTION(QSRComp, IspecSecurityGuardUser), 0);
    m_table.DefaultBox(IDC_USE_DEFAULT_GUARD_USER, IDC_GUARD_USER);
    m_table.Text(IDC_GUARD_NAME, VQS_TEXT_OPTION(QSRComp, IspecSecurityGuardName), 0);
    m_table.DefaultBox(IDC_USE_DEFAULT_GUARD_NAME, IDC_GUARD_NAME);
    m_pGuardPack = &m_table.Combo(IDC_GUARD_PACK, VQS_TEXT_OPTION(QSRComp, IspecSecurityGuardPack), kPackOrEmpty);
    m_table.DefaultBox(IDC_USE_DEFAULT_GUARD_PACK, IDC_GUARD_PACK);
    m_pReblockFactor = &m_table.Number(IDC_REBLOCK_FACTOR, VQS_NUMBER_OPTION(QSRComp, IspecReblockFactor));
    m_table.DefaultBox(IDC_USE_DEFAULT_REBLOCK_FACTOR, IDC_REBLOCK_FACTOR);
    m_table.Flag(IDC_REVERT_LAYOUT, VQS_OPTION(QSRComp, RevertLayout));
    m_pPopulationIncrease =
        &m_table.Number(IDC_POPULATION_INCREASE, VQS_NUMBER_OPTION(QSRComp, IspecPopulationIncrease));
    m_table.DefaultBox(IDC_USE_DEFAULT_POPULATION_INCREASE, IDC_POPULATION_INCREASE);
    m_pPopulationWarning = &m_table.Number(IDC_POPULATION_WARNING, VQS_NUMBER_OPTION(QSRComp, IspecPopulationWarn));
    m_table.DefaultBox(IDC_USE_DEFAULT_POPULATION_WARNING, IDC_POPULATION_WARNING);
    m_pSections = &m_table.Number(IDC_SECTIONS, VQS_NUMBER_OPTION(QSRComp, Sections));
}

BOOL VqsOptionPageQSRComponentTOLVE::OnInitDialog()
{
    VqsTableOptionPage::OnInitDialog();
    m_fillerRemaining.SetReadOnly();
    m_fillerAtLastGenerate.SetReadOnly();
    const QSRComp& options = *m_pComponentSheet->GetComponentOptions();
    const DigitLimit<QSRComp> limits[] = {
        {m_buffers, &QSRComp::HasUpperLimitBuffers, 6},
        {m_buffersPerUser, &QSRComp::HasUpperLimitBuffersPUser, 3},
        {m_buffersPerRandomUser, &QSRComp::HasUpperLimitBuffersPRandomUser, 3},
        {m_buffersPerSerialUser, &QSRComp::HasUpperLimitBuffersPSerialUser, 3},
        {m_filler, &QSRComp::HasUpperLimitDBfiller, 4},
        {*m_pReblockFactor, &QSRComp::HasUpperLimitIspecReblockFactor, 2},
        {m_areaSize, &QSRComp::HasUpperLimitAreaSize, 8},
        {m_blockSize, &QSRComp::HasUpperLimitBlockSize, 4},
        {*m_pPopulationIncrease, &QSRComp::HasUpperLimitIspecPopulationIncrease, 3},
        {*m_pPopulationWarning, &QSRComp::HasUpperLimitIspecPopulationWarn, 2},
        {*m_pSections, &QSRComp::HasUpperLimitSections, 8},
        {m_memoExpected, &QSRComp::HasUpperLimitMemoExpectedNumber, 10},
        {m_memoPercentage, &QSRComp::HasUpperLimitPercentage, 3},
    };
    LimitDigits(options, limits);
    return TRUE;
}

void VqsOptionPageQSRComponentTOLVE::AdjustLoadedValues()
{
    const QSRComp& options = *m_pComponentSheet->GetComponentOptions();
    const CStringArray packs = vqsqsr::PackNames();
    for (VqsOptCtrlCombo* combo : {m_pGuardPack, &m_memoPack})
        combo->SetItems(packs);
    m_useDefaultAreaSize.m_bValue = options.IsDefaultAreaSize();
    m_useDefaultBlockSize.m_bValue = options.IsDefaultBlockSize();
    m_useDefaultMemoPack.m_bValue = options.IsDefaultMemoDataPack();
    if (m_useDefaultMemoPack.m_bValue)
        vqsoptiontable::ShowKnownValue(m_memoPack, m_pComponentSheet->GetCompPack());
    else
        vqsoptiontable::ShowReadValue(m_memoPack, [&] { return options.GetMemoDataPack(); });
    m_bHasMemoData = HasMemoData();
    LoadFillerFigures();
}

void VqsOptionPageQSRComponentTOLVE::EnableDependentControls()
{
    m_areaSize.Enable(!m_useDefaultAreaSize.m_bValue && !m_areaSize.IsNotAvailable());
    m_blockSize.Enable(!m_useDefaultBlockSize.m_bValue && !m_blockSize.IsNotAvailable());
    EnablePerUserBuffers();
    EnableMemoData();
    if (IsReadOnly()) {
        m_fillerRemaining.Enable(FALSE);
        if (CWnd* label = GetDlgItem(IDC_FILLER_REMAINING_LABEL))
            label->EnableWindow(FALSE);
    }
}

void VqsOptionPageQSRComponentTOLVE::EnablePerUserBuffers()
{
    const std::int64_t buffers = m_buffers.GetValue();
    const std::int64_t perUser = m_buffersPerUser.GetValue();
    const std::int64_t perRandomUser = m_buffersPerRandomUser.GetValue();
    m_buffersPerUser.Enable(!m_useDefaultBuffersPerUser.m_bValue && buffers > 0 && perRandomUser == 0);
    m_buffersPerRandomUser.Enable(!m_useDefaultBuffersPerRandomUser.m_bValue && buffers > 0 && perUser == 0);
    m_buffersPerSerialUser.Enable(!m_useDefaultBuffersPerSerialUser.m_bValue && buffers > 0 && perUser == 0 &&
                                  perRandomUser > 0);
}

void VqsOptionPageQSRComponentTOLVE::EnableMemoData()
{
    const BOOL memo = m_bHasMemoData;
    const BOOL ownSizing = memo && !m_populationUseDefault.m_bValue;
    m_populationUseDefault.Enable(memo);
    m_useDefaultMemoPack.Enable(memo);
    m_memoPack.Enable(memo && !m_useDefaultMemoPack.m_bValue && !m_memoPack.IsNotAvailable());
    m_sizing.Enable(ownSizing);
    m_memoExpected.Enable(ownSizing && m_sizing.m_nValue == kExpectedNumber);
    m_memoPercentage.Enable(ownSizing && m_sizing.m_nValue == kPercentage);
}

BOOL VqsOptionPageQSRComponentTOLVE::HasMemoData() const
{
    const PxLSEBusinessSegmentPtr segment = vqsqsr::DesignSegmentOf(*m_pComponentSheet);
    const PxVQSoftLinkPtr structure = m_pComponentSheet->GetComponentOptions()->GetSoftLink();
    if (!segment || !structure)
        return FALSE;
    const PxLSEIspecPtr ispec(segment->GetElement(structure->GetName()));
    if (!ispec)
        return FALSE;
    PxTypedList<PxLSEScreenDataUsagePtr> usages;
    ispec->GetScreenDataUsageList(usages);
    for (POSITION pos = usages.GetHeadPosition(); pos;)
        if (usages.GetNext(pos)->GetMemodata())
            return TRUE;
    return FALSE;
}

std::int64_t VqsOptionPageQSRComponentTOLVE::FillerRemaining(std::int64_t filler, std::int64_t newItemsSize)
{
    return filler == 0 ? 0 : std::llabs(filler - newItemsSize);
}

// The label tells whether the filler still has room left or is exceeded by the number shown.
void VqsOptionPageQSRComponentTOLVE::ShowFillerRemaining()
{
    m_fillerRemaining.SetValue(FillerRemaining(m_filler.GetValue(), m_nNewItemsSize));
    if (CWnd* label = m_hWnd ? GetDlgItem(IDC_FILLER_REMAINING_LABEL) : nullptr)
        label->SetWindowText(LoadedText(IsFillerExceeded() ? IDS_FILLER_EXCEEDED : IDS_FILLER_REMAINING));
}

BOOL VqsOptionPageQSRComponentTOLVE::IsFillerExceeded() const
{
    return m_filler.GetValue() != 0 && m_nNewItemsSize > m_filler.GetValue();
}

COLORREF VqsOptionPageQSRComponentTOLVE::WarningColour(COLORREF background, COLORREF text)
{
    const int red = Channel(2 * std::int64_t{GetRValue(background)} - GetRValue(text));
    const int green = Channel(2 * std::int64_t{GetGValue(background)} - GetGValue(text));
    const int blue = Channel(2 * std::int64_t{GetBValue(text)} - GetBValue(background));
    return RGB(red, green, blue);
}

HBRUSH VqsOptionPageQSRComponentTOLVE::OnCtlColor(CDC* dc, CWnd* control, UINT)
{
    if (!control || control->GetDlgCtrlID() != IDC_FILLER_REMAINING || !IsFillerExceeded())
        return nullptr;
    const COLORREF warning = WarningColour(dc->GetBkColor(), dc->GetTextColor());
    if (!m_warningBrush.m_hObject)
        m_warningBrush.CreateSolidBrush(warning);
    dc->SetBkColor(warning);
    return m_warningBrush;
}

void VqsOptionPageQSRComponentTOLVE::StoreOptions()
{
    VqsTableOptionPage::StoreOptions();
    QSRComp& options = *m_pComponentSheet->GetComponentOptions();
    if (m_useDefaultAreaSize.m_bValue)
        options.MakeDefaultAreaSize();
    if (m_useDefaultBlockSize.m_bValue)
        options.MakeDefaultBlockSize();
    if (m_useDefaultMemoPack.m_bValue)
        options.MakeDefaultMemoDataPack();
    else if (!m_memoPack.IsNotAvailable())
        options.SetMemoDataPack(m_memoPack.GetValue());
}

BOOL VqsOptionPageQSRComponentTOLVE::IsNotUpdated()
{
    return VqsTableOptionPage::IsNotUpdated() && !m_pComponentSheet->GetComponentOptions()->IsUpdatedMemoDataPack();
}

void VqsOptionPageQSRComponentTOLVE::ClearOptions()
{
    VqsTableOptionPage::ClearOptions();
    m_pComponentSheet->GetComponentOptions()->ClearMemoDataPack();
}

void VqsOptionPageQSRComponentTOLVE::OnComponentPackChanged(const std::optional<CString>& pack)
{
    if (!m_hWnd || !UpdateData(TRUE) || !m_useDefaultMemoPack.m_bValue)
        return;
    vqsoptiontable::ShowKnownValue(m_memoPack, pack);
    UpdateData(FALSE);
}

void VqsOptionPageQSRComponentTOLVE::ShowNumberForBox(VqsOptCtrlFlag& box, VqsOptCtrlInt& number)
{
    if (box.m_bValue)
        number.SetNotAvailable();
    else
        vqsoptiontable::ShowValueAgain(number);
    UpdateData(FALSE);
    number.Enable(!number.IsNotAvailable());
}

void VqsOptionPageQSRComponentTOLVE::ApplyBuffersRule()
{
    if (m_buffers.GetValue() <= 0) {
        const std::pair<VqsOptCtrlFlag*, VqsOptCtrlInt*> counts[] = {
            {&m_useDefaultBuffersPerUser, &m_buffersPerUser},
            {&m_useDefaultBuffersPerRandomUser, &m_buffersPerRandomUser},
            {&m_useDefaultBuffersPerSerialUser, &m_buffersPerSerialUser}};
        for (const auto& [box, count] : counts) {
            if (box->m_bValue && count->GetValue() > 0)
                box->m_bValue = FALSE;
            count->SetValue(0);
        }
        UpdateData(FALSE);
    }
    EnablePerUserBuffers();
}

void VqsOptionPageQSRComponentTOLVE::ApplyPerUserRule()
{
    const std::int64_t perUser = m_buffersPerUser.GetValue();
    if (perUser > 0) {
        for (auto [box, count] : {std::pair{&m_useDefaultBuffersPerRandomUser, &m_buffersPerRandomUser},
                                  std::pair{&m_useDefaultBuffersPerSerialUser, &m_buffersPerSerialUser}}) {
            if (box->m_bValue && count->GetValue() > 0)
                box->m_bValue = FALSE;
            count->SetValue(0);
        }
        UpdateData(FALSE);
    }
    const BOOL open = m_buffers.GetValue() > 0 && perUser <= 0;
    m_buffersPerRandomUser.Enable(!m_useDefaultBuffersPerRandomUser.m_bValue && open);
    m_buffersPerSerialUser.Enable(!m_useDefaultBuffersPerSerialUser.m_bValue && open);
}

void VqsOptionPageQSRComponentTOLVE::ApplyPerRandomUserRule()
{
    const std::int64_t perRandomUser = m_buffersPerRandomUser.GetValue();
    VqsOptCtrlFlag& box = perRandomUser > 0 ? m_useDefaultBuffersPerUser : m_useDefaultBuffersPerSerialUser;
    VqsOptCtrlInt& count = perRandomUser > 0 ? m_buffersPerUser : m_buffersPerSerialUser;
    if (box.m_bValue && count.GetValue() > 0)
        box.m_bValue = FALSE;
    count.SetValue(0);
    UpdateData(FALSE);
    const BOOL buffers = m_buffers.GetValue() > 0;
    m_buffersPerUser.Enable(perRandomUser <= 0 && !m_useDefaultBuffersPerUser.m_bValue && buffers);
    m_buffersPerSerialUser.Enable(perRandomUser > 0 && !m_useDefaultBuffersPerSerialUser.m_bValue && buffers &&
                                  m_buffersPerUser.GetValue() == 0);
}

void VqsOptionPageQSRComponentTOLVE::ApplyPopulationRule(BOOL boxJustSet)
{
    if (boxJustSet) {
        m_sizing.m_nValue = kExpectedNumber;
        m_memoPercentage.SetValue(100);
        m_memoExpected.SetValue(0);
    }
    EnableMemoData();
    UpdateData(FALSE);
}

void VqsOptionPageQSRComponentTOLVE::OnOptionTaken(UINT id)
{
    switch (id) {
    case IDC_USE_DEFAULT_BUFFERS:
        if (m_useDefaultBuffers.m_bValue)
            ApplyBuffersRule();
        UpdateData(FALSE);
        break;
    case IDC_BUFFERS:
        ApplyBuffersRule();
        break;
    case IDC_USE_DEFAULT_BUFFERS_PER_USER:
        if (m_useDefaultBuffersPerUser.m_bValue)
            ApplyPerUserRule();
        UpdateData(FALSE);
        m_buffersPerUser.Enable(!m_useDefaultBuffersPerUser.m_bValue);
        break;
    case IDC_BUFFERS_PER_USER:
        ApplyPerUserRule();
        break;
    case IDC_USE_DEFAULT_BUFFERS_PER_RANDOM_USER:
        if (m_useDefaultBuffersPerRandomUser.m_bValue)
            ApplyPerRandomUserRule();
        UpdateData(FALSE);
        m_buffersPerRandomUser.Enable(!m_useDefaultBuffersPerRandomUser.m_bValue);
        break;
    case IDC_BUFFERS_PER_RANDOM_USER:
        ApplyPerRandomUserRule();
        break;
    case IDC_FILLER:
        ShowFillerRemaining();
        UpdateData(FALSE);
        break;
    case IDC_POPULATION_USE_DEFAULT:
        ApplyPopulationRule(m_populationUseDefault.m_bValue);
        break;
    case IDC_SIZING_EXPECTED:
    case IDC_SIZING_PERCENTAGE:
        EnableMemoData();
        break;
    case IDC_USE_DEFAULT_CHECK_SUM:
    case IDC_USE_DEFAULT_EXTENDED_EDITION:
    case IDC_USE_DEFAULT_DISPLAY_WARNING:
    case IDC_USE_DEFAULT_OPTIMIZE_BLOCKSIZE:
    case IDC_USE_DEFAULT_GUARD_USER:
    case IDC_USE_DEFAULT_GUARD_NAME:
    case IDC_USE_DEFAULT_GUARD_PACK:
    case IDC_USE_DEFAULT_REBLOCK_FACTOR:
    case IDC_USE_DEFAULT_POPULATION_INCREASE:
    case IDC_USE_DEFAULT_POPULATION_WARNING:
    case IDC_USE_DEFAULT_BUFFERS_PER_SERIAL_USER:
        UpdateData(FALSE);
        break;
    default:
        break;
    }
}

BOOL VqsOptionPageQSRComponentTOLVE::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    if (id == IDC_USE_DEFAULT_AREA_SIZE && code == BN_CLICKED && OnOptionChanged(&m_useDefaultAreaSize, TRUE))
        ShowNumberForBox(m_useDefaultAreaSize, m_areaSize);
    else if (id == IDC_USE_DEFAULT_BLOCK_SIZE && code == BN_CLICKED && OnOptionChanged(&m_useDefaultBlockSize, TRUE))
        ShowNumberForBox(m_useDefaultBlockSize, m_blockSize);
    else if (id == IDC_USE_DEFAULT_MEMO_PACK && code == BN_CLICKED && OnOptionChanged(&m_useDefaultMemoPack, TRUE))
        m_memoPack.Enable(!m_useDefaultMemoPack.m_bValue && !m_memoPack.IsNotAvailable());
    else if (id == IDC_MEMO_PACK && code == CBN_SELENDOK)
        OnOptionChanged(&m_memoPack, TRUE);
    return VqsTableOptionPage::OnCommand(wParam, lParam);
}

// The items added since the earlier generation of the structure with this option set, and
// the filler it had then; none without such a generation.
void VqsOptionPageQSRComponentTOLVE::LoadFillerFigures()
{
    m_nNewItemsSize = 0;
    std::int64_t lastFiller = 0;
    const QSRComp& options = *m_pComponentSheet->GetComponentOptions();
    const PxVQIspecSoftLinkPtr structure(options.GetSoftLink());
    const PxVQBSSoftLinkPtr segment = structure ? structure->GetBSSoftLink() : PxVQBSSoftLinkPtr();
    const PxVQOptionSetPtr optionSet = options.GetOptionSet();
    PxVQBSSoftLinkPtr foundSegment;
    PxVQIspecSoftLinkPtr foundStructure;
    PxVQOptionSetPtr foundOptionSet;
    if (segment && optionSet &&
        FindLastGenerationOfIspec(segment, structure->GetName(), optionSet->GetName(), foundSegment, foundStructure,
                                  foundOptionSet)) {
        m_nNewItemsSize = ComputeNewItemsSize(foundStructure, foundSegment);
        if (const PxQSRCompOptionsPtr earlier = PxQSRCompOptionsPtr(foundStructure->GetOptions(foundOptionSet)))
            lastFiller = earlier->GetDBfiller();
    }
    ShowFillerRemaining();
    m_fillerAtLastGenerate.SetValue(lastFiller);
}
