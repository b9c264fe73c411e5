#include "options_qsr/VqsOptionPageQSRBSegEventTOLVE.h"

#include "options/VqsEnterprisePackNames.h"
#include "options/VqsLimitDigits.h"
#include "options_qsr/VqsOptionsBSegQSRSheet.h"
#include "options_qsr/VqsQSRFiller.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQIspecSoftLink.h"
#include "proxy/PxVQOptionSet.h"
#include "win/CDC.h"

#include <algorithm>
#include <type_traits>

namespace {

constexpr UINT IDS_EVENT_TOLVE = 61594;

constexpr int IDC_CHECK_SUM = 1254;
constexpr int IDC_CHECK_SUM_DEFAULT = 1256;
constexpr int IDC_MEMORY_RESIDENT = 1305;
constexpr int IDC_EXTENDED_EDITION = 1260;
constexpr int IDC_EXTENDED_EDITION_DEFAULT = 1345;
constexpr int IDC_DISPLAY_WARNING = 1443;
constexpr int IDC_DISPLAY_WARNING_DEFAULT = 1160;
constexpr int IDC_OPTIMIZE_BLOCKSIZE = 1785;
constexpr int IDC_OPTIMIZE_BLOCKSIZE_DEFAULT = 1786;
constexpr int IDC_REVERT_LAYOUT = 1856;
constexpr int IDC_MEMO_USE_DEFAULT = 32981;
constexpr int IDC_SECURITY_GUARD_USER = 1161;
constexpr int IDC_SECURITY_GUARD_USER_DEFAULT = 1306;
constexpr int IDC_SECURITY_GUARD_NAME = 1162;
constexpr int IDC_SECURITY_GUARD_NAME_DEFAULT = 1307;
constexpr int IDC_SECURITY_GUARD_PACK = 1163;
constexpr int IDC_SECURITY_GUARD_PACK_DEFAULT = 1308;
constexpr int IDC_REBLOCK_FACTOR = 1168;
constexpr int IDC_REBLOCK_FACTOR_DEFAULT = 1310;
constexpr int IDC_BUFFERS = 1175;
constexpr int IDC_BUFFERS_DEFAULT = 1311;
constexpr int IDC_PER_USER = 1176;
constexpr int IDC_PER_USER_DEFAULT = 1312;
constexpr int IDC_PER_RANDOM_USER = 1177;
constexpr int IDC_PER_RANDOM_USER_DEFAULT = 1313;
constexpr int IDC_PER_SERIAL_USER = 1178;
constexpr int IDC_PER_SERIAL_USER_DEFAULT = 1314;
constexpr int IDC_AREA_SIZE = 1450;
constexpr int IDC_AREA_SIZE_DEFAULT = 1315;
constexpr int IDC_BLOCK_SIZE = 1452;
constexpr int IDC_BLOCK_SIZE_DEFAULT = 1316;
constexpr int IDC_POPULATION_INCREASE = 1169;
constexpr int IDC_POPULATION_INCREASE_DEFAULT = 1317;
constexpr int IDC_POPULATION_WARNING = 1319;
constexpr int IDC_POPULATION_WARNING_DEFAULT = 1318;
constexpr int IDC_FILLER = 1851;
constexpr int IDC_FILLER_REMAINING = 1857;
constexpr int IDC_FILLER_REMAINING_LABEL = 1863;
constexpr int IDC_LAST_FILLER = 1858;
constexpr int IDC_SECTIONS = 1454;
constexpr int IDC_PERCENTAGE = 32986;
constexpr int IDC_EXPECTED_NUMBER = 32985;
constexpr int IDC_MEMO_PACK = 32980;
constexpr int IDC_MEMO_PACK_DEFAULT = 32979;
constexpr int IDC_BY_EXPECTED_NUMBER = 32982;
constexpr int IDC_BY_PERCENTAGE = 32983;

constexpr int kNoValidator = 0;
constexpr int kReservedWordOrNil = 4;
constexpr int kByPercentage = 1;
constexpr std::int64_t kWholePercentage = 100;
constexpr const char* kEventStructure = "EVENT";
constexpr const char* kFillerRemaining = "Filler space remaining:";
constexpr const char* kFillerExceeded = "Filler space exceeded by:";

using Q = PxQSRBSegOptions;
using T = VqsOptionTable;

BYTE Clamped(int value) { return static_cast<BYTE>(std::clamp(value, 0, 255)); }

} // namespace

BEGIN_MESSAGE_MAP(VqsOptionPageQSRBSegEventTOLVE, VqsTableOptionPage)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

VqsOptionPageQSRBSegEventTOLVE::VqsOptionPageQSRBSegEventTOLVE(VqsOptions_BSeg_QSR_Sheet* sheet, UINT dialogId,
                                                               int pageIndex)
    : VqsTableOptionPage(sheet, dialogId, IDS_EVENT_TOLVE, pageIndex), m_pQSRSheet(sheet),
      m_checkSum(m_table.Flag(IDC_CHECK_SUM, VQS_OPTION(Q, EventCheckSum))),
      m_extendedEdition(m_table.Flag(IDC_EXTENDED_EDITION, VQS_OPTION(Q, EventExtendedEdition))),
      m_displayWarn(m_table.Flag(IDC_DISPLAY_WARNING, VQS_OPTION(Q, EventDisplayWarn))),
      m_optimizeBlocksize(m_table.Flag(IDC_OPTIMIZE_BLOCKSIZE, VQS_OPTION(Q, EventOptimizeBlocksize2Vss))),
      m_memoUseDefault(m_table.Flag(IDC_MEMO_USE_DEFAULT, VQS_OPTION(Q, EventMemoDataUseDef))),
      m_securityGuardUser(m_table.Text(IDC_SECURITY_GUARD_USER, VQS_TEXT_OPTION(Q, EventSecurityGuardUser),
                                       kNoValidator, T::NoValidate)),
      m_securityGuardName(m_table.Text(IDC_SECURITY_GUARD_NAME, VQS_TEXT_OPTION(Q, EventSecurityGuardName),
                                       kNoValidator, T::NoValidate)),
      m_reblockFactor(m_table.Number(IDC_REBLOCK_FACTOR, VQS_NUMBER_OPTION(Q, EventReblockFactor), T::NoValidate)),
      m_buffers(m_table.Number(IDC_BUFFERS, VQS_NUMBER_OPTION(Q, EventBuffers), T::Validate)),
      m_perUser(m_table.Number(IDC_PER_USER, VQS_NUMBER_OPTION(Q, EventBuffersPUser), T::Validate)),
      m_perRandomUser(m_table.Number(IDC_PER_RANDOM_USER, VQS_NUMBER_OPTION(Q, EventBuffersPRandomUser), T::Validate)),
      m_perSerialUser(
          m_table.Number(IDC_PER_SERIAL_USER, VQS_NUMBER_OPTION(Q, EventBuffersPSerialUser), T::NoValidate)),
      m_areaSize(m_table.Number(IDC_AREA_SIZE, VQS_NUMBER_OPTION(Q, EventAreaSize), T::NoValidate)),
      m_blockSize(m_table.Number(IDC_BLOCK_SIZE, VQS_NUMBER_OPTION(Q, EventBlockSize), T::NoValidate)),
      m_populationIncrease(
          m_table.Number(IDC_POPULATION_INCREASE, VQS_NUMBER_OPTION(Q, EventPopulationIncrease), T::NoValidate)),
      m_populationWarn(
          m_table.Number(IDC_POPULATION_WARNING, VQS_NUMBER_OPTION(Q, EventPopulationWarn), T::NoValidate)),
      m_filler(m_table.Number(IDC_FILLER, VQS_NUMBER_OPTION(Q, EventDBfiller), T::NoValidate)),
      m_percentage(m_table.Number(IDC_PERCENTAGE, VQS_NUMBER_OPTION(Q, EventPercentage), T::Validate)),
      m_expectedNumber(
          m_table.Number(IDC_EXPECTED_NUMBER, VQS_NUMBER_OPTION(Q, EventMemoExpectedNumber), T::Validate)),
      m_securityGuardPack(m_table.Combo(IDC_SECURITY_GUARD_PACK, VQS_TEXT_OPTION(Q, EventSecurityGuardPack),
                                        kReservedWordOrNil, T::NoValidate)),
      m_memoPack(m_table.Combo(IDC_MEMO_PACK, VQS_TEXT_OPTION(Q, EventMemoDataPack), kReservedWordOrNil)),
      m_perOrExpect(m_table.Radio(VQS_OPTION(Q, EventMemoPerOrExpect), IDC_BY_EXPECTED_NUMBER, IDC_BY_PERCENTAGE)),
      m_checkSumDefault(m_table.DefaultBox(IDC_CHECK_SUM_DEFAULT, IDC_CHECK_SUM)),
      m_extendedEditionDefault(m_table.DefaultBox(IDC_EXTENDED_EDITION_DEFAULT, IDC_EXTENDED_EDITION)),
      m_displayWarnDefault(m_table.DefaultBox(IDC_DISPLAY_WARNING_DEFAULT, IDC_DISPLAY_WARNING)),
      m_optimizeBlocksizeDefault(m_table.DefaultBox(IDC_OPTIMIZE_BLOCKSIZE_DEFAULT, IDC_OPTIMIZE_BLOCKSIZE)),
      m_securityGuardUserDefault(
          m_table.DefaultBox(IDC_SECURITY_GUARD_USER_DEFAULT, IDC_SECURITY_GUARD_USER)),
      m_securityGuardNameDefault(
          m_table.DefaultBox(IDC_SECURITY_GUARD_NAME_DEFAULT, IDC_SECURITY_GUARD_NAME)),
      m_securityGuardPackDefault(
          m_table.DefaultBox(IDC_SECURITY_GUARD_PACK_DEFAULT, IDC_SECURITY_GUARD_PACK)),
      m_reblockFactorDefault(m_table.DefaultBox(IDC_REBLOCK_FACTOR_DEFAULT, IDC_REBLOCK_FACTOR)),
      m_buffersDefault(m_table.DefaultBox(IDC_BUFFERS_DEFAULT, IDC_BUFFERS)),
      m_perUserDefault(m_table.DefaultBox(IDC_PER_USER_DEFAULT, IDC_PER_USER)),
      m_perRandomUserDefault(m_table.DefaultBox(IDC_PER_RANDOM_USER_DEFAULT, IDC_PER_RANDOM_USER)),
      m_perSerialUserDefault(m_table.DefaultBox(IDC_PER_SERIAL_USER_DEFAULT, IDC_PER_SERIAL_USER)),
      m_areaSizeDefault(m_table.DefaultBox(IDC_AREA_SIZE_DEFAULT, IDC_AREA_SIZE, FALSE)),
      m_blockSizeDefault(m_table.DefaultBox(IDC_BLOCK_SIZE_DEFAULT, IDC_BLOCK_SIZE, FALSE)),
      m_populationIncreaseDefault(
          m_table.DefaultBox(IDC_POPULATION_INCREASE_DEFAULT, IDC_POPULATION_INCREASE)),
      m_populationWarnDefault(m_table.DefaultBox(IDC_POPULATION_WARNING_DEFAULT, IDC_POPULATION_WARNING)),
      m_memoPackDefault(m_table.DefaultBox(IDC_MEMO_PACK_DEFAULT, IDC_MEMO_PACK)),
      m_fillerRemaining(&m_connector, IDC_FILLER_REMAINING), m_lastFiller(&m_connector, IDC_LAST_FILLER)
{
    m_table.Flag(IDC_MEMORY_RESIDENT, VQS_OPTION(Q, EventMemoryResident));
    m_table.Flag(IDC_REVERT_LAYOUT, VQS_OPTION(Q, EventRevertLayout));
    m_table.Number(IDC_SECTIONS, VQS_NUMBER_OPTION(Q, EventSections), T::NoValidate);
}

PxQSRBSegOptions& VqsOptionPageQSRBSegEventTOLVE::Options() const { return *m_pQSRSheet->GetQSROptions(); }

BOOL VqsOptionPageQSRBSegEventTOLVE::OnInitDialog()
{
    VqsTableOptionPage::OnInitDialog();
    const PxQSRBSegOptions& options = Options();
    const DigitLimit<Q> limits[] = {
        {m_reblockFactor, &Q::HasUpperLimitEventReblockFactor, 2},
        {m_buffers, &Q::HasUpperLimitEventBuffers, 6},
        {m_perUser, &Q::HasUpperLimitEventBuffersPUser, 3},
        {m_perRandomUser, &Q::HasUpperLimitEventBuffersPRandomUser, 3},
        {m_perSerialUser, &Q::HasUpperLimitEventBuffersPSerialUser, 3},
        {m_areaSize, &Q::HasUpperLimitEventAreaSize, 8},
        {m_blockSize, &Q::HasUpperLimitEventBlockSize, 4},
        {m_populationIncrease, &Q::HasUpperLimitEventPopulationIncrease, 3},
        {m_populationWarn, &Q::HasUpperLimitEventPopulationWarn, 2},
        {m_filler, &Q::HasUpperLimitEventDBfiller, 4},
        {m_percentage, &Q::HasUpperLimitEventPercentage, 3},
        {m_expectedNumber, &Q::HasUpperLimitEventMemoExpectedNumber, 10},
    };
    LimitDigits(options, limits);
    return TRUE;
}

void VqsOptionPageQSRBSegEventTOLVE::AdjustLoadedValues()
{
    const PxQSRBSegOptions& options = Options();
    const CStringArray packs = VqsEnterprisePackNames();
    for (VqsOptCtrlCombo* combo : {&m_securityGuardPack, &m_memoPack}) {
        const CString shown = combo->GetValue();
        combo->SetItems(packs);
        combo->SetValue(shown);
    }
    for (UINT box : {IDC_CHECK_SUM_DEFAULT, IDC_EXTENDED_EDITION_DEFAULT, IDC_DISPLAY_WARNING_DEFAULT,
                     IDC_OPTIMIZE_BLOCKSIZE_DEFAULT, IDC_SECURITY_GUARD_USER_DEFAULT, IDC_SECURITY_GUARD_NAME_DEFAULT,
                     IDC_SECURITY_GUARD_PACK_DEFAULT, IDC_REBLOCK_FACTOR_DEFAULT, IDC_BUFFERS_DEFAULT,
                     IDC_PER_USER_DEFAULT, IDC_PER_RANDOM_USER_DEFAULT, IDC_PER_SERIAL_USER_DEFAULT,
                     IDC_POPULATION_INCREASE_DEFAULT, IDC_POPULATION_WARNING_DEFAULT})
        ShowSheetDefault(box);
    if (m_areaSizeDefault.m_bValue)
        m_areaSize.SetNotAvailable();
    if (m_blockSizeDefault.m_bValue)
        m_blockSize.SetNotAvailable();
    m_perOrExpect.m_nValue = options.GetEventMemoPerOrExpect() ? kByPercentage : 0;
    if (!m_memoUseDefault.m_bValue && options.GetEventPercentage() != kWholePercentage)
        m_perOrExpect.m_nValue = kByPercentage;
    LoadFillerAccounting();
}

void VqsOptionPageQSRBSegEventTOLVE::ShowSheetDefault(UINT boxId)
{
    VqsOptions_BSeg_QSR_Sheet& sheet = *m_pQSRSheet;
    switch (boxId) {
    case IDC_CHECK_SUM_DEFAULT:
        if (m_checkSumDefault.m_bValue)
            m_checkSum.m_bValue = sheet.GetCheckSum();
        break;
    case IDC_EXTENDED_EDITION_DEFAULT:
        if (m_extendedEditionDefault.m_bValue)
            m_extendedEdition.m_bValue = sheet.GetDefaultIspecExtendedEdition();
        break;
    case IDC_DISPLAY_WARNING_DEFAULT:
        if (m_displayWarnDefault.m_bValue)
            m_displayWarn.m_bValue = sheet.GetDisplayWarn();
        break;
    case IDC_OPTIMIZE_BLOCKSIZE_DEFAULT:
        if (m_optimizeBlocksizeDefault.m_bValue)
            m_optimizeBlocksize.m_bValue = sheet.GetOptimizeBlocksize2Vss();
        break;
    case IDC_SECURITY_GUARD_USER_DEFAULT:
        if (m_securityGuardUserDefault.m_bValue)
            m_securityGuardUser.SetValue(sheet.GetSecurityGuardUser());
        break;
    case IDC_SECURITY_GUARD_NAME_DEFAULT:
        if (m_securityGuardNameDefault.m_bValue)
            m_securityGuardName.SetValue(sheet.GetSecurityGuardName());
        break;
    case IDC_SECURITY_GUARD_PACK_DEFAULT:
        if (m_securityGuardPackDefault.m_bValue)
            m_securityGuardPack.SetValue(sheet.GetSecurityGuardPack());
        break;
    case IDC_REBLOCK_FACTOR_DEFAULT:
        if (m_reblockFactorDefault.m_bValue)
            m_reblockFactor.SetValue(sheet.GetReblockFactor());
        break;
    case IDC_BUFFERS_DEFAULT:
        if (m_buffersDefault.m_bValue)
            m_buffers.SetValue(sheet.GetDataSetBuffers());
        break;
    case IDC_PER_USER_DEFAULT:
        if (m_perUserDefault.m_bValue)
            m_perUser.SetValue(sheet.GetDataSetBuffersPUser());
        break;
    case IDC_PER_RANDOM_USER_DEFAULT:
        if (m_perRandomUserDefault.m_bValue)
            m_perRandomUser.SetValue(sheet.GetDataSetBuffersPRandomUser());
        break;
    case IDC_PER_SERIAL_USER_DEFAULT:
        if (m_perSerialUserDefault.m_bValue)
            m_perSerialUser.SetValue(sheet.GetDataSetBuffersPSerialUser());
        break;
    case IDC_POPULATION_INCREASE_DEFAULT:
        if (m_populationIncreaseDefault.m_bValue)
            m_populationIncrease.SetValue(sheet.GetDefaultPopulationIncrease());
        break;
    case IDC_POPULATION_WARNING_DEFAULT:
        if (m_populationWarnDefault.m_bValue)
            m_populationWarn.SetValue(sheet.GetDefaultPopulationWarn());
        break;
    default:
        break;
    }
}

void VqsOptionPageQSRBSegEventTOLVE::LoadFillerAccounting()
{
    m_newItemsSize = 0;
    std::int64_t lastFiller = 0;
    const PxQSRBSegOptions& options = Options();
    const PxVQBSSoftLinkPtr link(options.GetSoftLink());
    const PxVQOptionSetPtr optionSet = options.GetOptionSet();
    PxVQBSSoftLinkPtr foundLink;
    PxVQIspecSoftLinkPtr foundStructure;
    PxVQOptionSetPtr foundSet;
    if (optionSet &&
        FindLastGenerationOfIspec(link, kEventStructure, optionSet->GetName(), foundLink, foundStructure, foundSet)) {
        m_newItemsSize = ComputeNewItemsSize(foundStructure, foundLink);
        if (const PxQSRBSegOptionsPtr found = foundSet->GetOptions(PxVQSoftLinkPtr(foundLink)))
            lastFiller = found->GetEventDBfiller();
    }
    m_lastFiller.SetValue(lastFiller);
    ShowFillerRemaining();
    if (IsReadOnly() && m_hWnd) {
        m_fillerRemaining.Show(FALSE);
        if (CWnd* label = GetDlgItem(IDC_FILLER_REMAINING_LABEL))
            label->ShowWindow(SW_HIDE);
    }
}

BOOL VqsOptionPageQSRBSegEventTOLVE::IsFillerExceeded() const
{
    return m_filler.GetValue() != 0 && m_newItemsSize > m_filler.GetValue();
}

void VqsOptionPageQSRBSegEventTOLVE::ShowFillerRemaining()
{
    const std::int64_t filler = m_filler.GetValue();
    const std::int64_t difference = filler - m_newItemsSize;
    m_fillerRemaining.SetValue(filler == 0 ? 0 : (difference < 0 ? -difference : difference));
    if (m_hWnd)
        SetDlgItemText(IDC_FILLER_REMAINING_LABEL, IsFillerExceeded() ? kFillerExceeded : kFillerRemaining);
}

COLORREF VqsOptionPageQSRBSegEventTOLVE::WarningColour(COLORREF background, COLORREF text)
{
    return RGB(Clamped(2 * GetRValue(background) - GetRValue(text)),
               Clamped(2 * GetGValue(background) - GetGValue(text)),
               Clamped(2 * GetBValue(text) - GetBValue(background)));
}

HBRUSH VqsOptionPageQSRBSegEventTOLVE::OnCtlColor(CDC* dc, CWnd* control, UINT)
{
    if (!control || control->GetDlgCtrlID() != IDC_FILLER_REMAINING)
        return nullptr;
    SetDlgItemText(IDC_FILLER_REMAINING_LABEL, kFillerRemaining);
    if (!IsFillerExceeded())
        return nullptr;
    SetDlgItemText(IDC_FILLER_REMAINING_LABEL, kFillerExceeded);
    const COLORREF warning = WarningColour(dc->GetBkColor(), dc->GetTextColor());
    if (!m_warningBrush.m_hObject)
        m_warningBrush.CreateSolidBrush(warning);
    dc->SetBkColor(warning);
    return m_warningBrush;
}

void VqsOptionPageQSRBSegEventTOLVE::EnableDependentControls()
{
    EnablePerUserValues();
    EnableMemoPopulation();
}

void VqsOptionPageQSRBSegEventTOLVE::EnablePerUserValues()
{
    const BOOL buffers = m_buffers.GetValue() > 0;
    const std::int64_t perUser = m_perUser.GetValue();
    const std::int64_t perRandomUser = m_perRandomUser.GetValue();
    m_perUser.Enable(!m_perUserDefault.m_bValue && buffers && perRandomUser == 0);
    m_perRandomUser.Enable(!m_perRandomUserDefault.m_bValue && buffers && perUser == 0);
    m_perSerialUser.Enable(!m_perSerialUserDefault.m_bValue && buffers && perUser == 0 && perRandomUser > 0);
}

void VqsOptionPageQSRBSegEventTOLVE::EnableMemoPopulation()
{
    const BOOL own = !m_memoUseDefault.m_bValue;
    m_percentage.Enable(own && m_perOrExpect.m_nValue == kByPercentage);
    m_expectedNumber.Enable(own && m_perOrExpect.m_nValue != kByPercentage);
    m_perOrExpect.Enable(own);
}

void VqsOptionPageQSRBSegEventTOLVE::OnOptionTaken(UINT id)
{
    switch (id) {
    case IDC_AREA_SIZE_DEFAULT:
    case IDC_BLOCK_SIZE_DEFAULT: {
        VqsOptCtrlInt& size = id == IDC_AREA_SIZE_DEFAULT ? m_areaSize : m_blockSize;
        if (id == IDC_AREA_SIZE_DEFAULT ? m_areaSizeDefault.m_bValue : m_blockSizeDefault.m_bValue)
            size.SetNotAvailable();
        else
            vqsoptiontable::ShowValueAgain(size);
        UpdateData(FALSE);
        break;
    }
    case IDC_MEMO_USE_DEFAULT:
        if (m_memoUseDefault.m_bValue) {
            m_perOrExpect.m_nValue = 0;
            m_percentage.SetValue(kWholePercentage);
            m_expectedNumber.SetValue(0);
        }
        EnableMemoPopulation();
        UpdateData(FALSE);
        break;
    case IDC_BY_EXPECTED_NUMBER:
    case IDC_BY_PERCENTAGE:
        EnableMemoPopulation();
        break;
    case IDC_FILLER:
        UpdateData(TRUE);
        ShowFillerRemaining();
        UpdateData(FALSE);
        break;
    case IDC_BUFFERS:
        OnBuffersChanged();
        break;
    case IDC_PER_USER:
        OnPerUserChanged();
        break;
    case IDC_PER_RANDOM_USER:
        OnPerRandomUserChanged();
        break;
    case IDC_BUFFERS_DEFAULT:
        ShowSheetDefault(id);
        if (m_buffersDefault.m_bValue)
            OnBuffersChanged();
        UpdateData(FALSE);
        break;
    case IDC_PER_USER_DEFAULT:
        ShowSheetDefault(id);
        if (m_perUserDefault.m_bValue)
            OnPerUserChanged();
        UpdateData(FALSE);
        break;
    case IDC_PER_RANDOM_USER_DEFAULT:
        ShowSheetDefault(id);
        if (m_perRandomUserDefault.m_bValue)
            OnPerRandomUserChanged();
        UpdateData(FALSE);
        break;
    default:
        ShowSheetDefault(id);
        UpdateData(FALSE);
        break;
    }
}

void VqsOptionPageQSRBSegEventTOLVE::ZeroBuffer(VqsOptCtrlFlag& box, VqsOptCtrlInt& value)
{
    if (box.m_bValue && value.GetValue() > 0)
        box.m_bValue = FALSE;
    value.SetValue(0);
}

void VqsOptionPageQSRBSegEventTOLVE::OnBuffersChanged()
{
    if (m_buffers.GetValue() <= 0) {
        ZeroBuffer(m_perUserDefault, m_perUser);
        ZeroBuffer(m_perRandomUserDefault, m_perRandomUser);
        ZeroBuffer(m_perSerialUserDefault, m_perSerialUser);
        UpdateData(FALSE);
    }
    EnablePerUserValues();
}

void VqsOptionPageQSRBSegEventTOLVE::OnPerUserChanged()
{
    const BOOL perUser = m_perUser.GetValue() > 0;
    if (perUser) {
        ZeroBuffer(m_perRandomUserDefault, m_perRandomUser);
        ZeroBuffer(m_perSerialUserDefault, m_perSerialUser);
        UpdateData(FALSE);
    }
    const BOOL buffers = m_buffers.GetValue() > 0;
    m_perRandomUser.Enable(!m_perRandomUserDefault.m_bValue && buffers && !perUser);
    m_perSerialUser.Enable(!m_perSerialUserDefault.m_bValue && buffers && !perUser);
}

void VqsOptionPageQSRBSegEventTOLVE::OnPerRandomUserChanged()
{
    const BOOL perRandomUser = m_perRandomUser.GetValue() > 0;
    if (perRandomUser)
        ZeroBuffer(m_perUserDefault, m_perUser);
    else
        ZeroBuffer(m_perSerialUserDefault, m_perSerialUser);
    UpdateData(FALSE);
    const BOOL buffers = m_buffers.GetValue() > 0;
    m_perUser.Enable(!perRandomUser && !m_perUserDefault.m_bValue && buffers);
    m_perSerialUser.Enable(perRandomUser && !m_perSerialUserDefault.m_bValue && buffers && m_perUser.GetValue() == 0);
}

template <class Binder, class Value>
void VqsOptionPageQSRBSegEventTOLVE::OnDefaultChanged(VqsOptCtrlFlag& box, Binder& binder, const Value& value)
{
    if (!m_hWnd || !UpdateData(TRUE) || !box.m_bValue)
        return;
    if constexpr (std::is_same_v<Binder, VqsOptCtrlFlag>)
        binder.m_bValue = value ? TRUE : FALSE;
    else
        binder.SetValue(value);
    UpdateData(FALSE);
}

void VqsOptionPageQSRBSegEventTOLVE::OnDefaultCheckSumChanged(int value)
{
    OnDefaultChanged(m_checkSumDefault, m_checkSum, value);
}

void VqsOptionPageQSRBSegEventTOLVE::OnDefaultExtendedEditionChanged(int value)
{
    OnDefaultChanged(m_extendedEditionDefault, m_extendedEdition, value);
}

void VqsOptionPageQSRBSegEventTOLVE::OnDefaultDisplayWarnChanged(int value)
{
    OnDefaultChanged(m_displayWarnDefault, m_displayWarn, value);
}

void VqsOptionPageQSRBSegEventTOLVE::OnDefaultOptimizeBlocksizeChanged(int value)
{
    OnDefaultChanged(m_optimizeBlocksizeDefault, m_optimizeBlocksize, value);
}

void VqsOptionPageQSRBSegEventTOLVE::OnDefaultSecurityGuardUserChanged(const CString& value)
{
    OnDefaultChanged(m_securityGuardUserDefault, m_securityGuardUser, value);
}

void VqsOptionPageQSRBSegEventTOLVE::OnDefaultSecurityGuardNameChanged(const CString& value)
{
    OnDefaultChanged(m_securityGuardNameDefault, m_securityGuardName, value);
}

void VqsOptionPageQSRBSegEventTOLVE::OnDefaultSecurityGuardPackChanged(const CString& value)
{
    OnDefaultChanged(m_securityGuardPackDefault, m_securityGuardPack, value);
}

void VqsOptionPageQSRBSegEventTOLVE::OnDefaultReblockFactorChanged(std::int64_t value)
{
    OnDefaultChanged(m_reblockFactorDefault, m_reblockFactor, value);
}

void VqsOptionPageQSRBSegEventTOLVE::OnDefaultDataSetBuffersChanged(std::int64_t value)
{
    OnDefaultChanged(m_buffersDefault, m_buffers, value);
}

void VqsOptionPageQSRBSegEventTOLVE::OnDefaultDataSetBuffersPUserChanged(std::int64_t value)
{
    OnDefaultChanged(m_perUserDefault, m_perUser, value);
}

void VqsOptionPageQSRBSegEventTOLVE::OnDefaultDataSetBuffersPRandomUserChanged(std::int64_t value)
{
    OnDefaultChanged(m_perRandomUserDefault, m_perRandomUser, value);
}

void VqsOptionPageQSRBSegEventTOLVE::OnDefaultDataSetBuffersPSerialUserChanged(std::int64_t value)
{
    OnDefaultChanged(m_perSerialUserDefault, m_perSerialUser, value);
}

void VqsOptionPageQSRBSegEventTOLVE::OnDefaultPopulationIncreaseChanged(std::int64_t value)
{
    OnDefaultChanged(m_populationIncreaseDefault, m_populationIncrease, value);
}

void VqsOptionPageQSRBSegEventTOLVE::OnDefaultPopulationWarnChanged(std::int64_t value)
{
    OnDefaultChanged(m_populationWarnDefault, m_populationWarn, value);
}
