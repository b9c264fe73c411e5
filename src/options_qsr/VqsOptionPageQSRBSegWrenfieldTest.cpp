#include "options_qsr/VqsOptionPageQSRBSegWrenfieldTest.h"

#include "options/VqsLimitDigits.h"
#include "options_qsr/VqsOptionsBSegQSRSheet.h"

namespace {

constexpr UINT IDS_WRENFIELD_TEST = 62008;

constexpr int IDC_ENABLE_HDBA = 2031;
constexpr int IDC_USE_DEFAULT_HDBA_PORT = 2032;
constexpr int IDC_HDBA_PORT = 2033;
constexpr int IDC_LANGUAGE = 2034;
constexpr int IDC_CODE_SET = 2035;
constexpr int IDC_PRIMARY_DISK = 2036;
constexpr int IDC_SECONDARY_DISK = 2037;
constexpr int IDC_ENABLE_REMOTE_CALL = 2038;
constexpr int IDC_USE_DEFAULT_LRSS_PORT = 2039;
constexpr int IDC_LRSS_PORT = 2040;
constexpr int IDC_DATA_TRANSLATION = 2041;

constexpr int kNoValidation = 0;
constexpr int kPortCharacters = 4;

} // namespace

VqsOptionPageQSRBSegWrenfieldTest::VqsOptionPageQSRBSegWrenfieldTest(VqsOptions_BSeg_QSR_Sheet* sheet, UINT dialogId,
                                                                     int pageIndex)
    : VqsTableOptionPage(sheet, dialogId, IDS_WRENFIELD_TEST, pageIndex), m_pQSRSheet(sheet),
      m_enableHdba(m_table.Flag(IDC_ENABLE_HDBA, VQS_OPTION(PxQSRBSegOptions, EnableHDBA))),
      m_hdbaPort(m_table.Number(IDC_HDBA_PORT, VQS_NUMBER_OPTION(PxBSegOptions, HDBAPortNumber))),
      m_useDefaultHdbaPort(m_table.DefaultBox(IDC_USE_DEFAULT_HDBA_PORT, IDC_HDBA_PORT)),
      m_enableRemoteCall(m_table.Flag(IDC_ENABLE_REMOTE_CALL, VQS_OPTION(PxBSegOptions, EnableRemoteCall))),
      m_lrssPort(m_table.Number(IDC_LRSS_PORT, VQS_NUMBER_OPTION(PxQSRBSegOptions, LRSSPortNumber))),
      m_useDefaultLrssPort(m_table.DefaultBox(IDC_USE_DEFAULT_LRSS_PORT, IDC_LRSS_PORT)),
      m_dataTranslation(
          m_table.Flag(IDC_DATA_TRANSLATION, VQS_OPTION(PxBSegOptions, LrssDataTranslationExist))),
      m_language(m_table.Text(IDC_LANGUAGE, VQS_TEXT_OPTION(PxQSRBSegOptions, LrssLanguage), kNoValidation)),
      m_codeSet(m_table.Text(IDC_CODE_SET, VQS_TEXT_OPTION(PxQSRBSegOptions, LrssCodeSet), kNoValidation)),
      m_primaryDisk(
          m_table.Text(IDC_PRIMARY_DISK, VQS_TEXT_OPTION(PxQSRBSegOptions, LrssPrimaryDisk), kNoValidation)),
      m_secondaryDisk(
          m_table.Text(IDC_SECONDARY_DISK, VQS_TEXT_OPTION(PxQSRBSegOptions, LrssSecondaryDisk), kNoValidation))
{
}

BOOL VqsOptionPageQSRBSegWrenfieldTest::OnInitDialog()
{
    VqsTableOptionPage::OnInitDialog();
    const PxQSRBSegOptionsPtr& options = m_pQSRSheet->GetQSROptions();
    LimitDigits(m_hdbaPort, *options, &PxQSRBSegOptions::HasUpperLimitHDBAPortNumber, kPortCharacters);
    LimitDigits(m_lrssPort, *options, &PxQSRBSegOptions::HasUpperLimitLRSSPortNumber, kPortCharacters);
    return TRUE;
}

void VqsOptionPageQSRBSegWrenfieldTest::EnableDependentControls()
{
    const BOOL hdba = m_enableHdba.m_bValue;
    m_useDefaultHdbaPort.Enable(hdba);
    m_hdbaPort.Enable(hdba && !m_useDefaultHdbaPort.m_bValue);
    const BOOL remoteCall = m_enableRemoteCall.m_bValue;
    m_useDefaultLrssPort.Enable(remoteCall);
    m_lrssPort.Enable(remoteCall && !m_useDefaultLrssPort.m_bValue);
    for (VqsOptCtrl* control : std::initializer_list<VqsOptCtrl*>{&m_dataTranslation, &m_language, &m_codeSet,
                                                                  &m_primaryDisk, &m_secondaryDisk})
        control->Enable(remoteCall);
}

void VqsOptionPageQSRBSegWrenfieldTest::OnOptionTaken(UINT id)
{
    switch (id) {
    case IDC_ENABLE_HDBA:
    case IDC_ENABLE_REMOTE_CALL:
    case IDC_USE_DEFAULT_HDBA_PORT:
    case IDC_USE_DEFAULT_LRSS_PORT:
        EnableDependentControls();
        UpdateData(FALSE);
        break;
    default:
        break;
    }
}
