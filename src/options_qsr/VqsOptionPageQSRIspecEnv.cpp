#include "options_qsr/VqsOptionPageQSRIspecEnv.h"

#include "options/VqsLimitDigits.h"
#include "options_qsr/VqsOptionsQSRElementSheets.h"
#include "options_qsr/VqsQSRElementSupport.h"
#include "win/Messages.h"
#include "win/UiDriver.h"

namespace {

constexpr UINT IDS_SUBSYSTEM_NOT_IN_LIST = 62472;

constexpr int IDC_USER_PRIVILEGE = 1105;
constexpr int IDC_SUBSYSTEM = 1745;
constexpr int IDC_HIGH_FREQUENCY = 1302;
constexpr int IDC_COMPONENT_PACK = 1432;
constexpr int IDC_USE_DEFAULT_PACK = 1389;
constexpr int IDC_EXPECTED = 1027;
constexpr int IDC_MONTHLY_VOLUME = 1111;

constexpr int kNoRule = 0;
constexpr int kReservedPackName = 3;

// The subsystems an Ispec may belong to, by number; the lettered ones are not offered.
constexpr const char* kNumberedSubsystems[] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"};
constexpr const char* kPrimarySubsystem = "PRIMARY";
constexpr const char* kPrimaryNumber = "1";

} // namespace

VqsOptionPageQSRIspecEnv::VqsOptionPageQSRIspecEnv(VqsOptions_Ispec_QSR_Sheet* sheet, UINT dialogId,
                                                   int pageIndex)
    : VqsOptionPageIspecEnv(sheet, dialogId, pageIndex), m_pQSRSheet(sheet),
      m_userPrivilege(m_table.Number(IDC_USER_PRIVILEGE, VQS_NUMBER_OPTION(PxIspecOptions, UserPrivilege))),
      m_subsystem(&m_connector, IDC_SUBSYSTEM, kNoRule)
{
}

BOOL VqsOptionPageQSRIspecEnv::OnInitDialog()
{
    VqsOptionPageIspecEnv::OnInitDialog();
    LimitDigits(m_userPrivilege, dynamic_cast<const PxIspecOptions&>(Record()),
                        &PxIspecOptions::HasUpperLimitUserPrivilege, 2);
    return TRUE;
}

void VqsOptionPageQSRIspecEnv::LoadOptions()
{
    LoadSubsystems();
    VqsOptionPageIspecEnv::LoadOptions();
}

void VqsOptionPageQSRIspecEnv::LoadSubsystems()
{
    const PxQSRIspecOptionsPtr& options = m_pQSRSheet->GetQSROptions();
    const CString stored = options->GetSubsystemNum();
    const PxVQBSSoftLinkPtr segment = vqsqsr::SegmentLinkOf(*m_pQSRSheet);
    m_subsystemNumbers.clear();
    CStringList names;
    CString shown;
    for (const char* number : kNumberedSubsystems) {
        const CString name = segment ? segment->GetSubsystemName(number) : CString();
        if (name.IsEmpty())
            continue;
        names.AddTail(name);
        m_subsystemNumbers[name.GetString()] = number;
        if (stored == number)
            shown = name;
    }
    m_bStoredSubsystemKnown = !shown.IsEmpty();
    if (shown.IsEmpty())
        AfxMessageBox(IDS_SUBSYSTEM_NOT_IN_LIST, MB_OK);
    if (names.IsEmpty()) {
        shown = kPrimarySubsystem;
        names.AddTail(shown);
        m_subsystemNumbers[kPrimarySubsystem] = kPrimaryNumber;
        m_bStoredSubsystemKnown = stored == kPrimaryNumber;
    }
    m_subsystem.SetItems(names);
    m_subsystem.SetValue(shown);
    m_strShownSubsystem = shown;
}

CString VqsOptionPageQSRIspecEnv::ChosenSubsystemNumber() const
{
    const CString chosen = m_subsystem.GetValue();
    const auto number = m_subsystemNumbers.find(chosen.GetString());
    if (number == m_subsystemNumbers.end())
        return CString();
    // A stored number the segment has no name for stays until the user picks a name.
    if (!m_bStoredSubsystemKnown && chosen == m_strShownSubsystem)
        return CString();
    return number->second;
}

void VqsOptionPageQSRIspecEnv::StoreOptions()
{
    VqsOptionPageIspecEnv::StoreOptions();
    const CString number = ChosenSubsystemNumber();
    if (!number.IsEmpty() && !m_subsystem.IsNotAvailable())
        m_pQSRSheet->GetQSROptions()->SetSubsystemNum(number);
}

BOOL VqsOptionPageQSRIspecEnv::IsNotUpdated()
{
    return VqsOptionPageIspecEnv::IsNotUpdated() && !m_pQSRSheet->GetQSROptions()->IsUpdatedSubsystemNum();
}

void VqsOptionPageQSRIspecEnv::ClearOptions()
{
    VqsOptionPageIspecEnv::ClearOptions();
    m_pQSRSheet->GetQSROptions()->ClearSubsystemNum();
}

BOOL VqsOptionPageQSRIspecEnv::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == IDC_SUBSYSTEM && HIWORD(wParam) == CBN_SELENDOK)
        OnOptionChanged(&m_subsystem, TRUE);
    return VqsOptionPageIspecEnv::OnCommand(wParam, lParam);
}

VqsOptionPageQSRComponentEnv::VqsOptionPageQSRComponentEnv(VqsOptions_Component_QSR_Sheet* sheet, UINT dialogId,
                                                           int pageIndex)
    : VqsOptionPageQSRIspecEnv(sheet, dialogId, pageIndex), m_pComponentSheet(sheet),
      m_highFrequency(m_table.Flag(IDC_HIGH_FREQUENCY, VQS_OPTION(PxQSRCompOptions, HighFrequency))),
      m_pack(m_table.Combo(IDC_COMPONENT_PACK, VQS_TEXT_OPTION(PxCompOptions, CompPack), kReservedPackName)),
      m_useDefaultPack(m_table.DefaultBox(IDC_USE_DEFAULT_PACK, IDC_COMPONENT_PACK)),
      m_expected(m_table.Number(IDC_EXPECTED, VQS_NUMBER_OPTION(PxCompOptions, Expected)))
{
}

BOOL VqsOptionPageQSRComponentEnv::OnInitDialog()
{
    VqsOptionPageQSRIspecEnv::OnInitDialog();
    LimitDigits(m_expected, dynamic_cast<const PxCompOptions&>(Record()),
                        &PxCompOptions::HasUpperLimitExpected, 10);
    return TRUE;
}

std::optional<CString> VqsOptionPageQSRComponentEnv::GetCurrentCompPack() const
{
    if (m_hWnd)
        return vqsoptiontable::KnownValue(m_pack);
    return vqsoptiontable::ReadKnown([this] { return m_pComponentSheet->GetComponentOptions()->GetCompPack(); });
}

void VqsOptionPageQSRComponentEnv::AdjustLoadedValues()
{
    VqsOptionPageQSRIspecEnv::AdjustLoadedValues();
    m_pack.SetItems(vqsqsr::PackNames());
    if (vqsqsr::IsInputIspec(Record())) {
        m_pack.SetNotAvailable(0);
        m_useDefaultPack.m_bValue = FALSE;
    }
    if (vqsqsr::IsInputIspec(Record()))
        m_expected.SetNotAvailable();
}

void VqsOptionPageQSRComponentEnv::EnableDependentControls()
{
    VqsOptionPageQSRIspecEnv::EnableDependentControls();
    const BOOL input = vqsqsr::IsInputIspec(Record());
    m_expected.Enable(!input);
    m_useDefaultPack.Enable(!input);
    m_pack.Enable(!input && !m_useDefaultPack.m_bValue);
}

void VqsOptionPageQSRComponentEnv::OnOptionTaken(UINT id)
{
    VqsOptionPageQSRIspecEnv::OnOptionTaken(id);
    if (id == IDC_USE_DEFAULT_PACK)
        UpdateData(FALSE);
    if (id == IDC_COMPONENT_PACK || id == IDC_USE_DEFAULT_PACK)
        m_pComponentSheet->SetComponentTOLVEValue(vqsoptiontable::KnownValue(m_pack));
}

VqsOptionPageQSREventEnv::VqsOptionPageQSREventEnv(VqsOptions_Event_QSR_Sheet* sheet, UINT dialogId, int pageIndex)
    : VqsOptionPageQSRIspecEnv(sheet, dialogId, pageIndex),
      m_volume(m_table.Number(IDC_MONTHLY_VOLUME, VQS_NUMBER_OPTION(PxEventOptions, Volume)))
{
}

BOOL VqsOptionPageQSREventEnv::OnInitDialog()
{
    VqsOptionPageQSRIspecEnv::OnInitDialog();
    LimitDigits(m_volume, dynamic_cast<const PxEventOptions&>(Record()), &PxEventOptions::HasUpperLimitVolume,
                        10);
    return TRUE;
}

void VqsOptionPageQSREventEnv::AdjustLoadedValues()
{
    VqsOptionPageQSRIspecEnv::AdjustLoadedValues();
    if (vqsqsr::IsInputIspec(Record()))
        m_volume.SetNotAvailable();
}

void VqsOptionPageQSREventEnv::EnableDependentControls()
{
    VqsOptionPageQSRIspecEnv::EnableDependentControls();
    m_volume.Enable(!vqsqsr::IsInputIspec(Record()));
}
