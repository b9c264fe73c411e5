#include "options_qsr/VqsOptionPageQSRBSegDefTOLVE.h"

#include "options/VqsEnterprisePackNames.h"
#include "options/VqsLimitDigits.h"
#include "options_qsr/VqsOptionsBSegQSRSheet.h"
#include "shell/VqsMsgBox.h"
#include "win/UiDriver.h"

namespace {

constexpr UINT IDS_DEFAULT_TOLVE = 61586;

constexpr int IDC_CHECK_SUM = 1459;
constexpr int IDC_CALCULATED_BUFFERS = 1257;
constexpr int IDC_EXTENDED_EDITION = 1460;
constexpr int IDC_DISPLAY_WARNING = 1442;
constexpr int IDC_OPTIMIZE_BLOCKSIZE = 1782;
constexpr int IDC_VSS_WARNING = 1783;
constexpr int IDC_DUMPSTAMP = 1959;
constexpr int IDC_KORAX_INCREMENT = 33082;
constexpr int IDC_IGNORE_NATIONAL_ITEMS = 32869;
constexpr int IDC_SECURITY_GUARD_USER = 1444;
constexpr int IDC_SECURITY_GUARD_NAME = 1445;
constexpr int IDC_GUARD_FILE_USER = 1164;
constexpr int IDC_GUARD_FILE_NAME = 1165;
constexpr int IDC_CCSVERSION = 1447;
constexpr int IDC_SECURITY_GUARD_PACK = 1446;
constexpr int IDC_GUARD_FILE_PACK = 1166;
constexpr int IDC_REBLOCK_FACTOR = 1448;
constexpr int IDC_POPULATION_INCREASE = 1449;
constexpr int IDC_POPULATION_WARNING = 1170;
constexpr int IDC_DATA_SET_BUFFERS = 1171;
constexpr int IDC_DATA_SET_PER_USER = 1172;
constexpr int IDC_DATA_SET_PER_RANDOM_USER = 1173;
constexpr int IDC_DATA_SET_PER_SERIAL_USER = 1174;
constexpr int IDC_SET_BUFFERS = 1455;
constexpr int IDC_SET_PER_USER = 1456;
constexpr int IDC_SET_PER_RANDOM_USER = 1457;
constexpr int IDC_SET_PER_SERIAL_USER = 1458;

constexpr int kNoValidator = 0;
constexpr int kReservedWordOrNil = 4;
constexpr std::int64_t kAdhocReblockFactorLimit = 8;
constexpr const char* kIgnoreNational = "NONE";
constexpr const char* kExtendedEditionWarning =
    "Changing the Global KORAX Extended Edition option may cause a reorg failure in large systems.\r\n"
    "OZR is unable to detect this situation ahead of time.";

using Q = PxQSRBSegOptions;

} // namespace

BEGIN_MESSAGE_MAP(VqsOptionPageQSRBSegDefTOLVE, VqsTableOptionPage)
    ON_BN_CLICKED(IDC_IGNORE_NATIONAL_ITEMS, &VqsOptionPageQSRBSegDefTOLVE::OnIgnoreNationalItems)
END_MESSAGE_MAP()

VqsOptionPageQSRBSegDefTOLVE::VqsOptionPageQSRBSegDefTOLVE(VqsOptions_BSeg_QSR_Sheet* sheet, UINT dialogId,
                                                           int pageIndex)
    : VqsTableOptionPage(sheet, dialogId, IDS_DEFAULT_TOLVE, pageIndex), m_pQSRSheet(sheet),
      m_checkSum(m_table.Flag(IDC_CHECK_SUM, VQS_OPTION(Q, CheckSum))),
      m_extendedEdition(m_table.Flag(IDC_EXTENDED_EDITION, VQS_OPTION(Q, DefaultIspecExtendedEdition))),
      m_displayWarn(m_table.Flag(IDC_DISPLAY_WARNING, VQS_OPTION(Q, DisplayWarn))),
      m_optimizeBlocksize(m_table.Flag(IDC_OPTIMIZE_BLOCKSIZE, VQS_OPTION(Q, OptimizeBlocksize2Vss))),
      m_dumpstamp(m_table.Flag(IDC_DUMPSTAMP, VQS_OPTION(Q, Dumpstamp))),
      m_koraxIncrement(m_table.Flag(IDC_KORAX_INCREMENT, VQS_OPTION(Q, PopulationIncreaseFlag))),
      m_securityGuardUser(m_table.Text(IDC_SECURITY_GUARD_USER, VQS_TEXT_OPTION(Q, SecurityGuardUser), kNoValidator,
                                       VqsOptionTable::Validate)),
      m_securityGuardName(m_table.Text(IDC_SECURITY_GUARD_NAME, VQS_TEXT_OPTION(Q, SecurityGuardName), kNoValidator,
                                       VqsOptionTable::Validate)),
      m_ccsVersion(
          m_table.Text(IDC_CCSVERSION, VQS_TEXT_OPTION(Q, CCsversion), kNoValidator, VqsOptionTable::Validate)),
      m_securityGuardPack(
          m_table.Combo(IDC_SECURITY_GUARD_PACK, VQS_TEXT_OPTION(Q, SecurityGuardPack), kReservedWordOrNil)),
      m_guardFilePack(m_table.Combo(IDC_GUARD_FILE_PACK, VQS_TEXT_OPTION(Q, GuardFilePack), kReservedWordOrNil,
                                    VqsOptionTable::NoValidate)),
      m_reblockFactor(
          m_table.Number(IDC_REBLOCK_FACTOR, VQS_NUMBER_OPTION(Q, ReblockFactor), VqsOptionTable::Validate)),
      m_populationIncrease(m_table.Number(IDC_POPULATION_INCREASE, VQS_NUMBER_OPTION(Q, PopulationIncrease),
                                          VqsOptionTable::Validate)),
      m_populationWarn(
          m_table.Number(IDC_POPULATION_WARNING, VQS_NUMBER_OPTION(Q, PopulationWarn), VqsOptionTable::Validate)),
      m_dataSetBuffers(
          m_table.Number(IDC_DATA_SET_BUFFERS, VQS_NUMBER_OPTION(Q, DataSetBuffers), VqsOptionTable::Validate)),
      m_dataSetPerUser(m_table.Number(IDC_DATA_SET_PER_USER, VQS_NUMBER_OPTION(Q, DataSetBuffersPUser),
                                      VqsOptionTable::Validate)),
      m_dataSetPerRandomUser(m_table.Number(IDC_DATA_SET_PER_RANDOM_USER,
                                            VQS_NUMBER_OPTION(Q, DataSetBuffersPRandomUser), VqsOptionTable::Validate)),
      m_dataSetPerSerialUser(m_table.Number(IDC_DATA_SET_PER_SERIAL_USER,
                                            VQS_NUMBER_OPTION(Q, DataSetBuffersPSerialUser), VqsOptionTable::Validate)),
      m_setBuffers(m_table.Number(IDC_SET_BUFFERS, VQS_NUMBER_OPTION(Q, SetBuffers), VqsOptionTable::Validate)),
      m_setPerUser(
          m_table.Number(IDC_SET_PER_USER, VQS_NUMBER_OPTION(Q, SetBuffersPUser), VqsOptionTable::Validate)),
      m_setPerRandomUser(m_table.Number(IDC_SET_PER_RANDOM_USER, VQS_NUMBER_OPTION(Q, SetBuffersPRandomUser),
                                        VqsOptionTable::Validate)),
      m_setPerSerialUser(m_table.Number(IDC_SET_PER_SERIAL_USER, VQS_NUMBER_OPTION(Q, SetBuffersPSerialUser),
                                        VqsOptionTable::NoValidate)),
      m_ignoreNationalItems(&m_connector, IDC_IGNORE_NATIONAL_ITEMS)
{
    m_table.Flag(IDC_CALCULATED_BUFFERS, VQS_OPTION(Q, CalculatedBuffers));
    m_table.Flag(IDC_VSS_WARNING, VQS_OPTION(Q, VssWarning), VqsOptionTable::NoValidate);
    m_table.Text(IDC_GUARD_FILE_USER, VQS_TEXT_OPTION(Q, GuardFileUser), kNoValidator, VqsOptionTable::NoValidate);
    m_table.Text(IDC_GUARD_FILE_NAME, VQS_TEXT_OPTION(Q, GuardFileName), kNoValidator, VqsOptionTable::NoValidate);
}

PxQSRBSegOptions& VqsOptionPageQSRBSegDefTOLVE::Options() const { return *m_pQSRSheet->GetQSROptions(); }

BOOL VqsOptionPageQSRBSegDefTOLVE::OnInitDialog()
{
    VqsTableOptionPage::OnInitDialog();
    const PxQSRBSegOptions& options = Options();
    const DigitLimit<Q> limits[] = {
        {m_reblockFactor, &Q::HasUpperLimitReblockFactor, 2},
        {m_populationIncrease, &Q::HasUpperLimitPopulationIncrease, 3},
        {m_populationWarn, &Q::HasUpperLimitPopulationWarn, 2},
        {m_dataSetBuffers, &Q::HasUpperLimitDataSetBuffers, 6},
        {m_dataSetPerUser, &Q::HasUpperLimitDataSetBuffersPUser, 3},
        {m_dataSetPerRandomUser, &Q::HasUpperLimitDataSetBuffersPRandomUser, 3},
        {m_dataSetPerSerialUser, &Q::HasUpperLimitDataSetBuffersPSerialUser, 3},
        {m_setBuffers, &Q::HasUpperLimitSetBuffers, 6},
        {m_setPerUser, &Q::HasUpperLimitSetBuffersPUser, 3},
        {m_setPerRandomUser, &Q::HasUpperLimitSetBuffersPRandomUser, 3},
        {m_setPerSerialUser, &Q::HasUpperLimitSetBuffersPSerialUser, 3},
    };
    LimitDigits(options, limits);
    return TRUE;
}

void VqsOptionPageQSRBSegDefTOLVE::AdjustLoadedValues()
{
    const PxQSRBSegOptions& options = Options();
    SetReblockFactorUpperLimit(m_pQSRSheet->GetAdhocInqReq());
    const CStringArray packs = VqsEnterprisePackNames();
    for (VqsOptCtrlCombo* combo : {&m_securityGuardPack, &m_guardFilePack}) {
        const CString shown = combo->GetValue();
        combo->SetItems(packs);
        combo->SetValue(shown);
    }
    m_ignoreNationalItems.m_bValue = options.GetCCsversion() == kIgnoreNational;
    if (!m_pQSRSheet->GetReapplyCompleted())
        m_extendedEdition.m_bValue = FALSE;
    if (m_ignoreNationalItems.m_bValue)
        m_ccsVersion.SetValue("");
    if (m_koraxIncrement.m_bValue)
        m_populationIncrease.SetNotAvailable();
}

void VqsOptionPageQSRBSegDefTOLVE::EnableDependentControls()
{
    m_extendedEdition.Enable(m_pQSRSheet->GetReapplyCompleted() != 0);
    m_dumpstamp.Enable(m_extendedEdition.m_bValue);
    m_ccsVersion.Enable(!m_ignoreNationalItems.m_bValue);
    m_populationIncrease.Enable(!m_koraxIncrement.m_bValue);
    EnableBufferGroup(DataSetGroup());
    EnableBufferGroup(SetGroup());
}

void VqsOptionPageQSRBSegDefTOLVE::EnableBufferGroup(const BufferGroup& group)
{
    const BOOL buffers = group.buffers.GetValue() > 0;
    const std::int64_t perUser = group.perUser.GetValue();
    const std::int64_t perRandomUser = group.perRandomUser.GetValue();
    group.perUser.Enable(buffers && perRandomUser == 0);
    group.perRandomUser.Enable(buffers && perUser == 0);
    group.perSerialUser.Enable(buffers && perUser == 0 && perRandomUser > 0);
}

void VqsOptionPageQSRBSegDefTOLVE::StoreOptions()
{
    VqsTableOptionPage::StoreOptions();
    if (m_ignoreNationalItems.m_bValue)
        Options().SetCCsversion(kIgnoreNational);
}

void VqsOptionPageQSRBSegDefTOLVE::LoadOptions()
{
    VqsTableOptionPage::LoadOptions();
    TellEventPageDefaults();
}

void VqsOptionPageQSRBSegDefTOLVE::TellEventPageDefaults()
{
    m_pQSRSheet->SetReblockFactorOnPages(m_reblockFactor.GetValue());
    m_pQSRSheet->SyncEventTOLVECheckSum(m_checkSum.m_bValue);
    m_pQSRSheet->SyncEventTOLVEExtendedEdition(m_extendedEdition.m_bValue);
    m_pQSRSheet->SyncEventTOLVEDisplayWarn(m_displayWarn.m_bValue);
    m_pQSRSheet->SyncEventTOLVEOptimizeBlocksize(m_optimizeBlocksize.m_bValue);
    m_pQSRSheet->SetEventTOLVESecurityGuardUser(m_securityGuardUser.GetValue());
    m_pQSRSheet->SetEventTOLVESecurityGuardName(m_securityGuardName.GetValue());
    m_pQSRSheet->SetEventTOLVESecurityGuardPack(m_securityGuardPack.GetValue());
    if (!m_populationIncrease.IsNotAvailable())
        m_pQSRSheet->SetEventTOLVEPopulationIncrease(m_populationIncrease.GetValue());
    m_pQSRSheet->SetEventTOLVEPopulationWarn(m_populationWarn.GetValue());
    m_pQSRSheet->SetEventTOLVEDataSetBuffers(m_dataSetBuffers.GetValue());
    m_pQSRSheet->SetEventTOLVEDataSetBuffersPUser(m_dataSetPerUser.GetValue());
    m_pQSRSheet->SetEventTOLVEDataSetBuffersPRandomUser(m_dataSetPerRandomUser.GetValue());
    m_pQSRSheet->SetEventTOLVEDataSetBuffersPSerialUser(m_dataSetPerSerialUser.GetValue());
}

BOOL VqsOptionPageQSRBSegDefTOLVE::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == IDC_EXTENDED_EDITION && HIWORD(wParam) == BN_CLICKED && !ConfirmExtendedEdition()) {
        UpdateData(FALSE);
        return TRUE;
    }
    return VqsTableOptionPage::OnCommand(wParam, lParam);
}

BOOL VqsOptionPageQSRBSegDefTOLVE::ConfirmExtendedEdition()
{
    if (IsReadOnly())
        return TRUE;
    return VqsShowMessageBox(VqsBoxConfirm, kExtendedEditionWarning, MB_OKCANCEL, 0) == IDOK;
}

void VqsOptionPageQSRBSegDefTOLVE::OnOptionTaken(UINT id)
{
    switch (id) {
    case IDC_CHECK_SUM:
        m_pQSRSheet->SyncEventTOLVECheckSum(m_checkSum.m_bValue);
        break;
    case IDC_DISPLAY_WARNING:
        m_pQSRSheet->SyncEventTOLVEDisplayWarn(m_displayWarn.m_bValue);
        break;
    case IDC_OPTIMIZE_BLOCKSIZE:
        m_pQSRSheet->SyncEventTOLVEOptimizeBlocksize(m_optimizeBlocksize.m_bValue);
        break;
    case IDC_EXTENDED_EDITION:
        OnExtendedEditionTaken();
        break;
    case IDC_KORAX_INCREMENT:
        OnKoraxIncrementTaken();
        break;
    case IDC_CCSVERSION:
        OnCCsversionTaken();
        break;
    case IDC_SECURITY_GUARD_USER:
        m_pQSRSheet->SetEventTOLVESecurityGuardUser(m_securityGuardUser.GetValue());
        break;
    case IDC_SECURITY_GUARD_NAME:
        m_pQSRSheet->SetEventTOLVESecurityGuardName(m_securityGuardName.GetValue());
        break;
    case IDC_SECURITY_GUARD_PACK:
        m_pQSRSheet->SetEventTOLVESecurityGuardPack(m_securityGuardPack.GetValue());
        break;
    case IDC_REBLOCK_FACTOR:
        m_pQSRSheet->SetReblockFactorOnPages(m_reblockFactor.GetValue());
        break;
    case IDC_POPULATION_INCREASE:
        m_pQSRSheet->SetEventTOLVEPopulationIncrease(m_populationIncrease.GetValue());
        m_pQSRSheet->SetPopsetPopulationIncrease(m_populationIncrease.GetValue());
        break;
    case IDC_POPULATION_WARNING:
        m_pQSRSheet->SetEventTOLVEPopulationWarn(m_populationWarn.GetValue());
        m_pQSRSheet->SetPopsetPopulationWarn(m_populationWarn.GetValue());
        break;
    case IDC_DATA_SET_BUFFERS:
        OnBuffersTaken(DataSetGroup());
        break;
    case IDC_DATA_SET_PER_USER:
        OnPerUserTaken(DataSetGroup());
        break;
    case IDC_DATA_SET_PER_RANDOM_USER:
        OnPerRandomUserTaken(DataSetGroup());
        break;
    case IDC_DATA_SET_PER_SERIAL_USER:
        m_pQSRSheet->SetEventTOLVEDataSetBuffersPSerialUser(m_dataSetPerSerialUser.GetValue());
        break;
    case IDC_SET_BUFFERS:
        OnBuffersTaken(SetGroup());
        break;
    case IDC_SET_PER_USER:
        OnPerUserTaken(SetGroup());
        break;
    case IDC_SET_PER_RANDOM_USER:
        OnPerRandomUserTaken(SetGroup());
        break;
    default:
        break;
    }
}

void VqsOptionPageQSRBSegDefTOLVE::OnExtendedEditionTaken()
{
    m_pQSRSheet->SyncEventTOLVEExtendedEdition(m_extendedEdition.m_bValue);
    if (!m_extendedEdition.m_bValue)
        m_dumpstamp.m_bValue = FALSE;
    m_dumpstamp.Enable(m_extendedEdition.m_bValue);
    UpdateData(FALSE);
}

void VqsOptionPageQSRBSegDefTOLVE::OnKoraxIncrementTaken()
{
    if (m_koraxIncrement.m_bValue) {
        m_populationIncrease.SetNotAvailable();
        m_populationIncrease.Enable(FALSE);
    } else {
        m_populationIncrease.SetValue(0);
        m_populationIncrease.Enable(TRUE);
    }
    UpdateData(FALSE);
}

void VqsOptionPageQSRBSegDefTOLVE::OnCCsversionTaken()
{
    if (m_ccsVersion.GetValue().CompareNoCase(kIgnoreNational) != 0)
        return;
    m_ccsVersion.SetValue("");
    m_ccsVersion.Enable(FALSE);
    m_ignoreNationalItems.m_bValue = TRUE;
    UpdateData(FALSE);
}

void VqsOptionPageQSRBSegDefTOLVE::OnIgnoreNationalItems()
{
    if (!OnOptionChanged(&m_ignoreNationalItems, TRUE))
        return;
    m_ccsVersion.Enable(!m_ignoreNationalItems.m_bValue);
    if (m_ignoreNationalItems.m_bValue) {
        m_ccsVersion.SetValue("");
        UpdateData(FALSE);
    }
}

void VqsOptionPageQSRBSegDefTOLVE::OnBuffersTaken(const BufferGroup& group)
{
    const BOOL buffers = group.buffers.GetValue() > 0;
    for (VqsOptCtrlInt* value : {&group.perUser, &group.perRandomUser, &group.perSerialUser}) {
        if (!buffers)
            value->SetValue(0);
        value->Enable(buffers);
    }
    if (!buffers)
        UpdateData(FALSE);
    if (!group.tellEventPage)
        return;
    if (!buffers) {
        m_pQSRSheet->SetEventTOLVEDataSetBuffersPUser(0);
        m_pQSRSheet->SetEventTOLVEDataSetBuffersPRandomUser(0);
        m_pQSRSheet->SetEventTOLVEDataSetBuffersPSerialUser(0);
    }
    m_pQSRSheet->SetEventTOLVEDataSetBuffers(group.buffers.GetValue());
}

void VqsOptionPageQSRBSegDefTOLVE::OnPerUserTaken(const BufferGroup& group)
{
    const BOOL perUser = group.perUser.GetValue() > 0;
    for (VqsOptCtrlInt* value : {&group.perRandomUser, &group.perSerialUser}) {
        if (perUser)
            value->SetValue(0);
        value->Enable(!perUser);
    }
    if (perUser)
        UpdateData(FALSE);
    if (!group.tellEventPage)
        return;
    if (perUser) {
        m_pQSRSheet->SetEventTOLVEDataSetBuffersPRandomUser(0);
        m_pQSRSheet->SetEventTOLVEDataSetBuffersPSerialUser(0);
    }
    m_pQSRSheet->SetEventTOLVEDataSetBuffersPUser(group.perUser.GetValue());
}

void VqsOptionPageQSRBSegDefTOLVE::OnPerRandomUserTaken(const BufferGroup& group)
{
    const BOOL perRandomUser = group.perRandomUser.GetValue() > 0;
    VqsOptCtrlInt& zeroed = perRandomUser ? group.perUser : group.perSerialUser;
    zeroed.SetValue(0);
    group.perUser.Enable(!perRandomUser);
    group.perSerialUser.Enable(perRandomUser);
    UpdateData(FALSE);
    if (!group.tellEventPage)
        return;
    if (perRandomUser)
        m_pQSRSheet->SetEventTOLVEDataSetBuffersPUser(0);
    else
        m_pQSRSheet->SetEventTOLVEDataSetBuffersPSerialUser(0);
    m_pQSRSheet->SetEventTOLVEDataSetBuffersPRandomUser(group.perRandomUser.GetValue());
}

void VqsOptionPageQSRBSegDefTOLVE::OnReapplyCompletedTransChanged(int reapply)
{
    if (HasWindow())
        m_extendedEdition.Enable(reapply != 0);
}

void VqsOptionPageQSRBSegDefTOLVE::SetReblockFactorUpperLimit(int adhoc)
{
    std::int64_t upper = 0;
    if (adhoc)
        m_reblockFactor.SetMaximum(kAdhocReblockFactorLimit);
    else if (Options().HasUpperLimitReblockFactor(upper))
        m_reblockFactor.SetMaximum(upper);
}

namespace {

template <class Value, class Binder>
Value Shown(BOOL hasWindow, const Binder& binder, Value stored)
{
    return hasWindow ? static_cast<Value>(binder.GetValue()) : stored;
}

} // namespace

int VqsOptionPageQSRBSegDefTOLVE::GetCurrentCheckSum() const
{
    return HasWindow() ? m_checkSum.m_bValue : Options().GetCheckSum();
}

int VqsOptionPageQSRBSegDefTOLVE::GetCurrentDefaultIspecExtendedEdition() const
{
    return HasWindow() ? m_extendedEdition.m_bValue : Options().GetDefaultIspecExtendedEdition();
}

int VqsOptionPageQSRBSegDefTOLVE::GetCurrentDisplayWarn() const
{
    return HasWindow() ? m_displayWarn.m_bValue : Options().GetDisplayWarn();
}

int VqsOptionPageQSRBSegDefTOLVE::GetCurrentOptimizeBlocksize2Vss() const
{
    return HasWindow() ? m_optimizeBlocksize.m_bValue : Options().GetOptimizeBlocksize2Vss();
}

std::int64_t VqsOptionPageQSRBSegDefTOLVE::GetCurrentReblockFactor() const
{
    return Shown(HasWindow(), m_reblockFactor, Options().GetReblockFactor());
}

std::int64_t VqsOptionPageQSRBSegDefTOLVE::GetCurrentDataSetBuffers() const
{
    return Shown(HasWindow(), m_dataSetBuffers, Options().GetDataSetBuffers());
}

std::int64_t VqsOptionPageQSRBSegDefTOLVE::GetCurrentDataSetBuffersPUser() const
{
    return Shown(HasWindow(), m_dataSetPerUser, Options().GetDataSetBuffersPUser());
}

std::int64_t VqsOptionPageQSRBSegDefTOLVE::GetCurrentDataSetBuffersPRandomUser() const
{
    return Shown(HasWindow(), m_dataSetPerRandomUser, Options().GetDataSetBuffersPRandomUser());
}

std::int64_t VqsOptionPageQSRBSegDefTOLVE::GetCurrentDataSetBuffersPSerialUser() const
{
    return Shown(HasWindow(), m_dataSetPerSerialUser, Options().GetDataSetBuffersPSerialUser());
}

std::int64_t VqsOptionPageQSRBSegDefTOLVE::GetCurrentPopulationIncrease() const
{
    return Shown(HasWindow(), m_populationIncrease, Options().GetPopulationIncrease());
}

std::int64_t VqsOptionPageQSRBSegDefTOLVE::GetCurrentPopulationWarn() const
{
    return Shown(HasWindow(), m_populationWarn, Options().GetPopulationWarn());
}

CString VqsOptionPageQSRBSegDefTOLVE::GetCurrentSecurityGuardUser() const
{
    return Shown(HasWindow(), m_securityGuardUser, Options().GetSecurityGuardUser());
}

CString VqsOptionPageQSRBSegDefTOLVE::GetCurrentSecurityGuardName() const
{
    return Shown(HasWindow(), m_securityGuardName, Options().GetSecurityGuardName());
}

CString VqsOptionPageQSRBSegDefTOLVE::GetCurrentSecurityGuardPack() const
{
    return Shown(HasWindow(), m_securityGuardPack, Options().GetSecurityGuardPack());
}
